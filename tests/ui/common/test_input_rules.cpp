// The character rules of the numeric fields, the unsaved-input question, English number
// notation and Qt's German translations.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <cmath>

#include "ui/common/Gui.h"
#include "ui/common/InterfaceLanguage.h"
#include "core/common/Messages.h"
#include "core/common/Numbers.h"
#include "ui/common/NumericInput.h"
#include "core/common/Texts.h"
#include "core/common/UnsavedInput.h"

// What is typed or pasted stays in the field exactly as it was; a text outside the rules
// is marked (red frame, the reason as its tooltip) and the calculating button's check
// refuses it by the field's name, so no other number is ever calculated.
TEST(NumericRules, TypedOrPastedTextStaysAndIsMarkedOrRefused) {
  struct Case {
    bool minus;
    const char *text;
    const char *reason;  // nullptr: a number the field takes
  } cases[] = {{false, "2.5", "Dezimaltrennzeichen ist das Komma (zum Beispiel 12,5)."},
               {false, "2.500", "Dezimaltrennzeichen ist das Komma (zum Beispiel 12,5)."},
               {false, "-5", "Hier ist kein Vorzeichen möglich; erlaubt sind Ziffern und das Komma."},
               {true, "-5", nullptr},
               {false, "abc", "Erlaubt sind Ziffern und das Komma."},
               {true, "1e3", "Erlaubt sind Ziffern, das Komma und das Minuszeichen."},
               {false, "1,2,3", "Das ist keine Zahl; erlaubt ist eine Zahl wie 1500 oder 12,5."},
               {false, "123456789012", nullptr},
               {false, "12,5", nullptr}};
  for (const Case &c : cases) {
    for (bool paste : {false, true}) {
      QLineEdit field;
      gui::setNumericRules(&field, c.minus);
      if (paste) {
        QApplication::clipboard()->setText(QString::fromUtf8(c.text));
        field.paste();
      } else {
        QTest::keyClicks(&field, QString::fromUtf8(c.text));
      }
      EXPECT_EQ(field.text(), QString::fromUtf8(c.text)) << c.text << " paste " << paste;
      EXPECT_EQ(gui::numberProblem(&field), c.reason ? QString::fromUtf8(c.reason) : QString()) << c.text;
      EXPECT_EQ(gui::holdsNumber(&field), c.reason == nullptr) << c.text;
      if (c.reason) {
        EXPECT_TRUE(field.styleSheet().contains("border")) << c.text;
        EXPECT_EQ(field.toolTip(), QString::fromUtf8(c.reason)) << c.text;
      }
      msg::Recorder rec;
      double value = -1;
      const bool ok = gui::checkNumber(&field, "Kraft (N)", "Dateneingabe", limits::Quantity::Force, &value);
      if (c.reason) {
        EXPECT_FALSE(ok) << c.text;
        ASSERT_EQ(rec.messages.size(), 1);
        EXPECT_TRUE(rec.messages[0].text.startsWith(QString::fromUtf8("Im Feld „Kraft (N)“ steht „") +
                                                    QString::fromUtf8(c.text) + QString::fromUtf8("“.")))
            << rec.messages[0].text.toStdString();
        EXPECT_EQ(value, -1) << "nothing is read from a refused field";
      } else {
        double typed = 0;
        ASSERT_TRUE(num::toDouble(field.text(), &typed));
        // A value in range is read as it stands; one outside is refused by name and range.
        EXPECT_EQ(ok, typed >= 0 && typed <= 1e7) << c.text;
        if (ok) EXPECT_EQ(value, typed) << c.text;
        else {
          ASSERT_EQ(rec.messages.size(), 1);
          EXPECT_EQ(rec.messages[0].text, QString::fromUtf8("Der Wert von „Kraft (N)“ liegt außerhalb des zulässigen "
                                                            "Bereichs.\nErlaubt sind Werte von 0 bis 10.000.000."));
        }
      }
      // Corrected, the mark goes.
      field.setText("12");
      EXPECT_FALSE(field.styleSheet().contains("border")) << c.text;
    }
  }
}

TEST(NumericRules, TheValidatorNeverDropsACharacter) {
  NumericValidator v(true, nullptr);
  struct Case {
    const char *text;
    QValidator::State state;
  } cases[] = {{"", QValidator::Acceptable},        {"12,5", QValidator::Acceptable},
               {"-3", QValidator::Acceptable},      {"-", QValidator::Intermediate},
               {"1,2,3", QValidator::Intermediate}, {"5-", QValidator::Intermediate},
               {"2.500", QValidator::Intermediate}, {"1e3", QValidator::Intermediate}};
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
  EXPECT_EQ(m.title, "Eingaben speichern?");
  EXPECT_EQ(m.buttons, msg::Buttons::SaveDiscardCancel);
  EXPECT_EQ(msg::defaultAnswer(m), msg::Answer::Cancel);
  EXPECT_TRUE(input::hasUnsavedChanges());

  // "Speichern" goes on only when the input was saved.
  int saves = 0;
  for (const bool saved : {false, true}) {
    rec.answers = {msg::Answer::Save};
    EXPECT_EQ(input::confirmDiscard([&] {
      ++saves;
      if (saved) input::markSavePoint();
      return saved;
    }), saved);
  }
  EXPECT_EQ(saves, 2);
  input::noteChange();
  rec.answers = {msg::Answer::Save};
  EXPECT_FALSE(input::confirmDiscard()) << "nothing to save with";

  input::noteChange();
  rec.answers = {msg::Answer::Discard};
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

// The same fields in the English interface take the English notation: the point is the
// decimal separator and the comma the slip; the value read is the one the German field
// reads from its own notation. Any notation converts into the other and back unchanged.
TEST(EnglishNotation, EnglishFieldsTakeThePointAndReadTheSameValues) {
  const QLocale de(QLocale::German, QLocale::Germany), en(QLocale::English, QLocale::UnitedStates);
  setInterfaceLanguage(Language::English);
  num::setLocale(num::localeFor(Language::English));
  const struct {
    bool minus;
    const char *english, *german, *reason;  // reason: nullptr for a number the field takes
  } cases[] = {{false, "2.5", "2,5", nullptr},
               {true, "-1200.75", "-1200,75", nullptr},
               {false, "2,5", nullptr, "The decimal separator is the point (for example 12.5)."},
               {false, "-5", nullptr, "No sign is possible here; digits and the decimal point are allowed."},
               {false, "1.2.3", nullptr, "This is not a number; a number such as 1500 or 12.5 is allowed."}};
  for (const auto &c : cases) {
    QLineEdit field;
    gui::setNumericRules(&field, c.minus);
    QTest::keyClicks(&field, QString::fromUtf8(c.english));
    EXPECT_EQ(field.text(), QString::fromUtf8(c.english));
    EXPECT_EQ(gui::numberProblem(&field), c.reason ? QString::fromUtf8(c.reason) : QString()) << c.english;
    if (!c.german) continue;
    EXPECT_EQ(num::convertNotation(field.text(), en, de), QString::fromUtf8(c.german));
    EXPECT_EQ(num::convertNotation(QString::fromUtf8(c.german), de, en), field.text());
    double english = 0;
    ASSERT_TRUE(num::toDouble(field.text(), &english));
    const double german = de.toDouble(QString::fromUtf8(c.german));
    EXPECT_EQ(english, german) << c.english;
  }
  EXPECT_EQ(num::formatGrouped(12345.5, 1), "12,345.5");
  setInterfaceLanguage(Language::German);
  num::setLocale(num::localeFor(Language::German));
  EXPECT_EQ(num::formatGrouped(12345.5, 1), "12.345,5");
}

// A switch of the language rewrites what every numeric field holds once, also in a
// window inside another (found from both): 2,500 is two and a half, not 2500.
TEST(EnglishNotation, ASwitchRewritesEveryFieldOnce) {
  QWidget main;
  auto *inner = new QWidget(&main, Qt::Window);
  auto *field = new QLineEdit(inner);
  gui::setNumericRules(field, false);
  field->setText("2,500");
  main.show();
  inner->show();
  uilang::apply(Language::English);
  EXPECT_EQ(field->text(), "2.500");
  uilang::apply(Language::German);
  EXPECT_EQ(field->text(), "2,500");
}

// German keeps the system's notation where it writes a decimal comma, as always; a system
// of the decimal point (or none) gets German notation. English is always English.
TEST(EnglishNotation, TheLanguageChoosesTheNotation) {
  const struct {
    Language language;
    const char *system, *chosen;
  } cases[] = {{Language::German, "C", "de_DE"},     {Language::German, "de_AT", "de_AT"},
               {Language::German, "fr_FR", "fr_FR"}, {Language::German, "en_US", "de_DE"},
               {Language::English, "de_DE", "en_US"}, {Language::English, "en_GB", "en_US"}};
  for (const auto &c : cases)
    EXPECT_EQ(num::localeFor(c.language, QLocale(QString::fromUtf8(c.system))).name(), QString::fromUtf8(c.chosen))
        << c.system;
}

TEST(QtTranslations, QtsOwnButtonsSpeakGerman) {
  // scripts/deps.sh installs them (qt6-translations-l10n).
  ASSERT_TRUE(gui::loadQtTranslations());
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Ja");
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&No"), "&Nein");
}
