#include <gtest/gtest.h>

#include "common/Messages.h"
#include "common/ModFN.h"
#include "common/Texts.h"

namespace {

// The session as it is, read in the given text mode.
Session inMode(int mode) {
  Session s = Mod_FN();
  s.gintTextMode = mode;
  return s;
}
struct TextsTest : ::testing::Test {
  void SetUp() override { resetModFN(); }
  void TearDown() override { resetModFN(); }
  msg::Recorder rec;
};
}  // namespace

TEST_F(TextsTest, BuiltInTextsKeepBlanksAndLineBreaks) {
  EXPECT_EQ(builtinText(100), QString::fromUtf8("TarvelCALC Rollenführungen "));
  EXPECT_EQ(builtinText(222), QString::fromUtf8("Schienenabstand:  "));
  EXPECT_EQ(builtinText(315),
            QString::fromUtf8("Es wurden keine Werte für\neine Berechnung eingegeben!\nBitte ändern Sie Ihre Eingabe."));
  EXPECT_EQ(builtinText(326), QString::fromUtf8("Sie benötigen für die Anzeige das Programm \"Acrobat Reader\"!"));
  EXPECT_EQ(builtinText(329), QString::fromUtf8("In dem Eingabefeld: \""));
  EXPECT_TRUE(builtinText(170).isEmpty());
  EXPECT_EQ(builtinText(174), " ");
  EXPECT_TRUE(builtinText(121).startsWith("Tel.:  "));
  EXPECT_TRUE(builtinText(168).startsWith("E-Mail: "));
  EXPECT_TRUE(builtinText(598).endsWith(".example"));
  EXPECT_TRUE(builtinText(240).startsWith("\n"));
  EXPECT_FALSE(builtinText(240).contains("${"));
  for (int id : {289, 522, 523, 524, 525, 526, 527, 530, 603}) EXPECT_EQ(builtinText(id), "#") << id;
}

TEST_F(TextsTest, UnknownIdShowsTheMessageAndGivesEmptyText) {
  EXPECT_EQ(gfstrSetText(inMode(1), 176), QString());
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "gfstrSetText!");
  EXPECT_EQ(rec.messages[0].icon, msg::Icon::Critical);
}

TEST_F(TextsTest, CustomerTextSetReplacesTexts) {
  Mod_FN().gastrSettings = {{"241", "erst"}, {"241", "_"}, {"100", "Kunde\\Zeile"}};
  EXPECT_EQ(gfstrSetText(inMode(3), 241), QString());         // "_" stands for empty, last row wins
  EXPECT_EQ(gfstrSetText(inMode(3), 240), QString());         // no row: empty
  EXPECT_EQ(gfstrSetText(inMode(3), 100), "Kunde\\Zeile");
  EXPECT_EQ(gfstrPutReturn(gfstrSetText(inMode(3), 100)), QString("Kunde") + QChar(13) + "Zeile");
  // Text mode 1 never reads the settings.
  EXPECT_EQ(gfstrSetText(inMode(1), 241), "  Auswahl der Anordnung");
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(TextsTest, Colours) {
  EXPECT_EQ(gflngSetColor(inMode(1), 700), 16711680);
  EXPECT_EQ(gflngSetColor(inMode(1), 703), -2147483634);
  Mod_FN().gastrSettings = {{"702", "12345"}};
  EXPECT_EQ(gflngSetColor(inMode(3), 702), 12345);
  EXPECT_EQ(gflngSetColor(inMode(3), 700), 0);
}

TEST_F(TextsTest, SettingsAreReadInTenths) {
  Mod_FN().gastrSettings = {{"StdSiko", "12"}, {"StdSiko", "15"}, {"SwSiko", "7"}, {"stdsiko", "99"}};
  EXPECT_EQ(gfstrSettings(Mod_FN(), "StdSiko", true), "1,5");
  EXPECT_EQ(gfstrSettings(Mod_FN(), "SwSiko", true), "0,7");
  EXPECT_EQ(gfstrSettings(Mod_FN(), "StdSiko", false), "15");
  EXPECT_EQ(gfstrSettings(Mod_FN(), "WeSiko", true), QString());
  EXPECT_TRUE(rec.messages.isEmpty());
  Mod_FN().gastrSettings = {{"StdSiko", "viel"}};
  EXPECT_EQ(gfstrSettings(Mod_FN(), "StdSiko", true), QString());
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "gfstrSettings!");
}

TEST_F(TextsTest, PutReturnAndVersion) {
  EXPECT_EQ(gfstrPutReturn("A\\B\\C"), QString("A") + QChar(13) + "B" + QChar(13) + "C");
  EXPECT_EQ(gfstrPutReturn("ohne"), "ohne");
  EXPECT_EQ(subVersionFor(0), " a");
  EXPECT_EQ(subVersionFor(2), " c");
  EXPECT_EQ(subVersionFor(25), " z");
  EXPECT_EQ(subVersionFor(26), QString());
  computeSubVersion(Mod_FN());
  EXPECT_TRUE(windowCaption(Mod_FN()).endsWith("2002 c"));
}
