#include <gtest/gtest.h>

#include "core/common/Messages.h"

TEST(Messages, RecorderSeesEveryBoxAndAnswers) {
  msg::Recorder rec;
  rec.answers = {msg::Answer::Yes};
  const auto a = msg::show({"Frage?", "Titel", msg::Icon::Question, msg::Buttons::YesNo, 2});
  EXPECT_EQ(a, msg::Answer::Yes);
  // Without a queued answer the default button answers.
  EXPECT_EQ(msg::show({"Frage?", "Titel", msg::Icon::Question, msg::Buttons::YesNo, 2}),
            msg::Answer::No);
  ASSERT_EQ(rec.messages.size(), 2);
  EXPECT_EQ(rec.messages[0].title, "Titel");
  EXPECT_EQ(rec.messages[0].defaultButton, 2);
}

TEST(Messages, EndOfProgramGoesThroughTheHook) {
  msg::Recorder rec;
  EXPECT_THROW(msg::endProgram(3), msg::ProgramEnded);
  EXPECT_EQ(rec.endCalls, 1);
  EXPECT_EQ(rec.lastEndCode, 3);
}
