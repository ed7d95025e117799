// The character rules of the numeric fields, the unsaved-input question, English number
// notation and Qt's German translations.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include "common/Gui.h"
#include "common/Messages.h"
#include "common/Numbers.h"
#include "common/NumericInput.h"
#include "common/Texts.h"
#include "common/UnsavedInput.h"

TEST(NumericRules, PastedTextOutsideTheRulesLeavesTheFieldUnchanged) {
  struct Case {
    bool minus;
    const char *pasted;
    const char *after;
  } cases[] = {{false, "2.500", "12"},  {false, "-5", "12"},  {false, "3a", "12"},
               {false, ",5", "12,5"},   {true, "-5", "12-5"}, {false, "500", "12500"}};
  for (const Case &c : cases) {
    QLineEdit field;
    gui::setNumericRules(&field, c.minus);
    field.setText("12");
    QApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
    field.paste();
    EXPECT_EQ(field.text(), QString::fromUtf8(c.after)) << c.pasted;
  }
}

TEST(NumericRules, OnlyNumbersAndEmptyTextAreAcceptable) {
  NumericValidator v(true, nullptr);
  struct Case {
    const char *text;
    QValidator::State state;
  } cases[] = {{"", QValidator::Acceptable},        {"12,5", QValidator::Acceptable},
               {"-3", QValidator::Acceptable},      {"-", QValidator::Intermediate},
               {"1,2,3", QValidator::Intermediate}, {"5-", QValidator::Intermediate},
               {"2.500", QValidator::Invalid},      {"1e3", QValidator::Invalid}};
  for (const Case &c : cases) {
    QString t = QString::fromUtf8(c.text);
    int pos = 0;
    EXPECT_EQ(v.validate(t, pos), c.state) << c.text;
  }
  EXPECT_FALSE(NumericValidator::passes(QLatin1Char('-'), false));
}

TEST(UnsavedInput, NoQuestionWithoutChangesAndNoDiscardByDefault) {
  msg::Recorder rec;
  input::markSavePoint();
  EXPECT_TRUE(input::confirmDiscard());
  EXPECT_TRUE(rec.messages.isEmpty());

  input::noteChange();
  ASSERT_TRUE(input::hasUnsavedChanges());
  // Enter on the question keeps the input.
  EXPECT_FALSE(input::confirmDiscard());
  ASSERT_EQ(rec.messages.size(), 1);
  const msg::Message &m = rec.messages.first();
  EXPECT_EQ(m.title, "Eingaben verwerfen?");
  EXPECT_EQ(m.buttons, msg::Buttons::YesNo);
  EXPECT_EQ(m.defaultButton, 2);
  EXPECT_EQ(msg::defaultAnswer(m), msg::Answer::No);
  EXPECT_TRUE(input::hasUnsavedChanges());

  rec.answers = {msg::Answer::Yes};
  EXPECT_TRUE(input::confirmDiscard());
  EXPECT_FALSE(input::hasUnsavedChanges());

  // A save point (saving or opening a calculation file) leaves nothing to ask about.
  input::noteChange();
  input::markSavePoint();
  rec.clear();
  EXPECT_TRUE(input::confirmDiscard());
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST(EnglishNotation, NumbersOfTheGermanLocaleInEnglish) {
  const struct {
    const char *german, *english;
  } cases[] = {{"2.000 N", "2,000 N"},   {"0,8", "0.8"},           {"-1.200 mm", "-1,200 mm"},
               {"150 mm", "150 mm"},     {"1500,5", "1500.5"},     {"123.457 km", "123,457 km"},
               {"Sicherheit", "Sicherheit"}, {"", ""},            {"21,5", "21.5"}};
  for (const auto &c : cases)
    EXPECT_EQ(num::toEnglishNotation(QString::fromUtf8(c.german)), QString::fromUtf8(c.english)) << c.german;
}

TEST(QtTranslations, QtsOwnButtonsSpeakGerman) {
  // scripts/deps.sh installs them (qt6-translations-l10n).
  ASSERT_TRUE(gui::loadQtTranslations());
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Ja");
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&No"), "&Nein");
}
