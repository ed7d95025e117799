#include "ui/common/InterfaceLanguage.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QSettings>
#include <QWidget>

#include "ui/common/FileMenu.h"
#include "ui/common/Gui.h"

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

void apply(Language language) {
  const bool changed = language != interfaceLanguage();
  setInterfaceLanguage(language);
  gui::useQtTranslations(language == Language::German);
  if (!changed) return;
  // Every window shows its texts anew; their children follow from it.
  for (QWidget *w : QApplication::topLevelWidgets()) {
    QEvent e(QEvent::LanguageChange);
    QCoreApplication::sendEvent(w, &e);
  }
}

void choose(Language language) {
  filemenu::settings()->setValue(kKey, languageCode(language));
  apply(language);
}

QMenu *addMenu(QMenu *menu) {
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
    QObject::connect(a, &QAction::triggered, sub, [l] { choose(l); });
  }
  // The tick follows the language in use whenever the menu opens.
  QObject::connect(sub, &QMenu::aboutToShow, sub, [sub] {
    sub->findChild<QAction *>(QStringLiteral("MenüSpracheDe"))->setChecked(interfaceLanguage() == Language::German);
    sub->findChild<QAction *>(QStringLiteral("MenüSpracheEn"))->setChecked(interfaceLanguage() == Language::English);
  });
  return sub;
}

}  // namespace uilang
