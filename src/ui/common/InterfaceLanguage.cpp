#include "ui/common/InterfaceLanguage.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QSet>
#include <QSettings>
#include <QSignalBlocker>
#include <QWidget>

#include "core/common/Numbers.h"
#include "core/document/CalcDocument.h"
#include "core/run/CalculationRun.h"
#include "ui/common/FileMenu.h"
#include "ui/common/Gui.h"
#include "ui/common/NumericInput.h"

namespace uilang {

namespace {
const QString kKey = QStringLiteral("language");
}  // namespace

Language startLanguage(const QString &commandLine, const QString &systemLocale) {
  if (!commandLine.isEmpty()) return languageOfCode(commandLine);
  const QString kept = filemenu::settings()->value(kKey).toString();
  if (!kept.isEmpty()) return languageOfCode(kept);
  return languageOfCode(systemLocale);
}

void apply(Language language, Session *session) {
  const bool changed = language != interfaceLanguage();
  setInterfaceLanguage(language);
  gui::useQtTranslations(language == Language::German);
  // Numbers are typed and shown in the notation of the language: what the fields and the
  // open calculations hold is rewritten into it, value for value.
  const QLocale before = num::locale();
  const QLocale after = num::localeFor(language);
  num::setLocale(after);
  if (!num::sameNotation(before, after)) {
    // A window inside another is found from both: each field is rewritten once.
    QSet<QLineEdit *> fields;
    for (QWidget *w : QApplication::topLevelWidgets())
      for (QLineEdit *field : w->findChildren<QLineEdit *>())
        if (qobject_cast<const NumericValidator *>(field->validator())) fields.insert(field);
    for (QLineEdit *field : std::as_const(fields)) {
      const QSignalBlocker quiet(field);
      field->setText(num::convertNotation(field->text(), before, after));
    }
    if (session) run::renotate(*session, before, after);
    CalcDocument::renotateAll(before, after);
  }
  if (!changed) return;
  // Every window shows its texts anew; their children follow from it.
  for (QWidget *w : QApplication::topLevelWidgets()) {
    QEvent e(QEvent::LanguageChange);
    QCoreApplication::sendEvent(w, &e);
  }
}

void choose(Language language, Session *session) {
  filemenu::settings()->setValue(kKey, languageCode(language));
  apply(language, session);
}

QMenu *addMenu(QMenu *menu, Session *session) {
  QMenu *sub = menu->addMenu(builtinText(1563));
  sub->setObjectName(QStringLiteral("MenüSprache"));
  auto *group = new QActionGroup(sub);
  for (const auto &[language, id, name] : {std::tuple{Language::German, 1564, "MenüSpracheDe"},
                                           std::tuple{Language::English, 1565, "MenüSpracheEn"}}) {
    QAction *a = sub->addAction(builtinText(id));
    a->setObjectName(QString::fromUtf8(name));
    a->setCheckable(true);
    a->setActionGroup(group);
    const Language l = language;
    QObject::connect(a, &QAction::triggered, sub, [l, session] { choose(l, session); });
  }
  // The tick follows the language in use whenever the menu opens.
  QObject::connect(sub, &QMenu::aboutToShow, sub, [sub] {
    sub->findChild<QAction *>(QStringLiteral("MenüSpracheDe"))->setChecked(interfaceLanguage() == Language::German);
    sub->findChild<QAction *>(QStringLiteral("MenüSpracheEn"))->setChecked(interfaceLanguage() == Language::English);
  });
  return sub;
}

}  // namespace uilang
