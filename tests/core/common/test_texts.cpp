#include <gtest/gtest.h>

#include <QRegularExpression>

#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "support/TestCatalogue.h"

namespace {

struct TextsTest : ::testing::Test {
  Session inMode(int mode) const { return testsupport::inTextMode(session, mode); }
  Session session;
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
  session.gastrSettings = {{"241", "erst"}, {"241", "_"}, {"100", "Kunde\\Zeile"}};
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
  session.gastrSettings = {{"702", "12345"}};
  EXPECT_EQ(gflngSetColor(inMode(3), 702), 12345);
  EXPECT_EQ(gflngSetColor(inMode(3), 700), 0);
}

TEST_F(TextsTest, SettingsAreReadInTenths) {
  session.gastrSettings = {{"StdSiko", "12"}, {"StdSiko", "15"}, {"SwSiko", "7"}, {"stdsiko", "99"}};
  EXPECT_EQ(gfstrSettings(session, "StdSiko", true), "1,5");
  EXPECT_EQ(gfstrSettings(session, "SwSiko", true), "0,7");
  EXPECT_EQ(gfstrSettings(session, "StdSiko", false), "15");
  EXPECT_EQ(gfstrSettings(session, "WeSiko", true), QString());
  EXPECT_TRUE(rec.messages.isEmpty());
  session.gastrSettings = {{"StdSiko", "viel"}};
  EXPECT_EQ(gfstrSettings(session, "StdSiko", true), QString());
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
  computeSubVersion(session);
  EXPECT_TRUE(windowCaption(session).endsWith("2002 c"));
}

// Every text has its English form under the same id, with the same placeholders and no
// German letters (the maker's street address aside); the interface language chooses the
// form builtinText gives, while the outputs that read the table itself keep the German.
TEST_F(TextsTest, EveryTextHasAnEnglishFormAndTheLanguageChoosesIt) {
  static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
  static const QRegularExpression german(QStringLiteral("[äöüÄÖÜß]"));
  const auto placeholders = [](const QString &t) {
    QStringList out;
    for (auto it = placeholder.globalMatch(t); it.hasNext();) out << it.next().captured();
    out.sort();
    return out;
  };
  int count = 0;
  for (int id = 0; id < 5000; ++id) {
    if (!hasBuiltinText(id)) continue;
    ++count;
    const QString de = builtinText(id, Language::German), en = builtinText(id, Language::English);
    EXPECT_EQ(placeholders(en), placeholders(de)) << id;
    if (en.contains(german)) EXPECT_TRUE(en.contains(configValue("street"))) << id << " " << en.toStdString();
  }
  EXPECT_GT(count, 500);
  setInterfaceLanguage(Language::English);
  EXPECT_EQ(builtinText(229), "Over load!");
  EXPECT_EQ(tableText(229), "Belastung zu hoch!");
  EXPECT_EQ(gfstrSetText(inMode(1), 229), "Over load!");
  EXPECT_EQ(gfstrSetText(inMode(1), 229, Language::German), "Belastung zu hoch!");
  setInterfaceLanguage(Language::German);
  EXPECT_EQ(builtinText(229), "Belastung zu hoch!");
  EXPECT_EQ(languageOfCode("en_GB.UTF-8"), Language::English);
  EXPECT_EQ(languageOfCode("de_AT"), Language::German);
  EXPECT_EQ(languageOfCode("fr"), Language::German);
}
