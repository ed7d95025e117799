// Load factors k1, k2 and the moment capacity: values, rounding and the messages of a
// zero divisor.
#include <gtest/gtest.h>

#include "core/arrangements/models/Factors.h"
#include "core/common/Messages.h"

namespace {

msg::Message criticalNoTitle(const char *text) {
  return {QString::fromUtf8(text), QString(), msg::Icon::Critical, msg::Buttons::Ok, 1};
}

TEST(FactorK1, DoubleRailAndSingleRailPair) {
  msg::Recorder rec;
  EXPECT_FLOAT_EQ(gfsngK1(100.0f, 0.0f, 0.0f), 0.02f);
  EXPECT_FLOAT_EQ(gfsngK1(0.0f, 10.0f, 20.0f), 0.05f);
  EXPECT_FLOAT_EQ(gfsngK1(3.0f, 0.0f, 0.0f), 0.6667f);  // rounded to four places
  EXPECT_FLOAT_EQ(gfsngK1(0.0f, 10.0f, 100.0f), 0.0167f);
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST(FactorK1, ZeroDivisorShowsItsMessageAndGivesZero) {
  msg::Recorder rec;
  EXPECT_EQ(gfsngK1(0.0f, 0.0f, 20.0f), 0.0f);
  EXPECT_EQ(gfsngK1(0.0f, 10.0f, 0.0f), 0.0f);
  ASSERT_EQ(rec.messages.size(), 2);
  EXPECT_EQ(rec.messages[0], criticalNoTitle("Error gfsngK1!"));
  EXPECT_EQ(rec.messages[1], criticalNoTitle("Error gfsngK1!"));
}

TEST(FactorK2, BearingCountsAndRounding) {
  msg::Recorder rec;
  EXPECT_FLOAT_EQ(gfsngK2(20.0f, 60.0f, 4), 0.05f);
  EXPECT_EQ(gfsngK2(20.0f, 60.0f, 3), 0.0f);  // fewer than four bearings: silently 0
  EXPECT_FLOAT_EQ(gfsngK2(20.0f, 40.0f, 4), 0.07f);  // 0.0667 to two places
  EXPECT_FLOAT_EQ(gfsngK2(20.0f, 40.0f, 6), 0.1f);
  EXPECT_FLOAT_EQ(gfsngK2(20.0f, 40.0f, 8), 0.1f);
  EXPECT_TRUE(rec.messages.isEmpty());
  EXPECT_EQ(gfsngK2(0.0f, 40.0f, 4), 0.0f);
  EXPECT_EQ(gfsngK2(20.0f, 0.0f, 2), 0.0f);  // the zero divisor is reported first
  ASSERT_EQ(rec.messages.size(), 2);
  EXPECT_EQ(rec.messages[1], criticalNoTitle("Error gfsngK2!"));
}

TEST(FactorMocMc, BothFormsAndTheMessageWithoutExclamationMark) {
  msg::Recorder rec;
  EXPECT_FLOAT_EQ(gfsngMocMc(10000, 50.0f, 0.0f, 0.0f, 0), 250.0f);
  EXPECT_FLOAT_EQ(gfsngMocMc(10000, 0.0f, 20.0f, 60.0f, 4), 200.0f);
  EXPECT_FLOAT_EQ(gfsngMocMc(1000, 0.0f, 10.0f, 10.0f, 3), 6.67f);  // 6.666.. to 2 places
  EXPECT_TRUE(rec.messages.isEmpty());
  EXPECT_EQ(gfsngMocMc(10000, 0.0f, 20.0f, 60.0f, 0), 0.0f);
  EXPECT_EQ(gfsngMocMc(10000, 0.0f, 0.0f, 60.0f, 4), 0.0f);
  ASSERT_EQ(rec.messages.size(), 2);
  EXPECT_EQ(rec.messages[0], criticalNoTitle("Error gfsngMocMc"));
}

TEST(FactorValues, SilentVariantsTellValidity) {
  msg::Recorder rec;
  bool ok = true;
  EXPECT_EQ(k1Value(0.0f, 0.0f, 50.0f, &ok), 0.0f);
  EXPECT_FALSE(ok);
  EXPECT_FLOAT_EQ(k1Value(100.0f, 0.0f, 0.0f, &ok), 0.02f);
  EXPECT_TRUE(ok);
  EXPECT_EQ(k2Value(20.0f, 0.0f, 4, &ok), 0.0f);
  EXPECT_FALSE(ok);
  EXPECT_EQ(k2Value(20.0f, 60.0f, 2, &ok), 0.0f);
  EXPECT_TRUE(ok);
  EXPECT_TRUE(rec.messages.isEmpty());
}

}  // namespace
