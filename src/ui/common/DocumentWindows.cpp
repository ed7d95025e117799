#include "ui/common/DocumentWindows.h"

#include "ui/common/Gui.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QWidget>

#include "core/common/Texts.h"
#include "core/document/CalcDocument.h"

namespace docui {

namespace {
constexpr char kDocumentProperty[] = "calcDocument";
constexpr char kPlainTitleProperty[] = "plainTitle";

// The name of an undo step in the language of the screens. The screens name each step
// by a text of the table when they make it; a step made before the language changed is
// known by that text in either language.
QString stepName(const QString &step) {
  static const int kSteps[] = {1528, 1529, 1530, 1531, 1532, 1533, 1534, 1535, 1536, 1539, 1559, 1681};
  for (int id : kSteps)
    for (Language l : {Language::German, Language::English})
      if (step == builtinText(id, l)) return builtinText(id);
  return step;
}

void updateTitle(const CalcDocument *doc, QWidget *window) {
  const QString plain = window->property(kPlainTitleProperty).toString();
  if (doc->fileName().isEmpty()) {
    window->setWindowTitle(plain);
    return;
  }
  // "[*]" is where the window shows its modified mark.
  window->setWindowTitle(QFileInfo(doc->fileName()).fileName() + QStringLiteral("[*] - ") + plain);
  window->setWindowModified(doc->isModified());
}

// The fields of a window that shows a document are views of it: what is typed there is
// an edit of the document at once. So Ctrl+Z and Ctrl+Y in such a field undo and redo the
// document's steps, as everywhere else in the window; a field's own history would undo
// only the typing in that very field, and in the field the cursor moved on to, nothing.
// A dialog over the window (a force, the motion) keeps its fields' own undo: what is
// typed there is not yet an edit of the document.
class DocumentUndoKeys : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() != QEvent::ShortcutOverride) return false;
    auto *field = qobject_cast<QWidget *>(watched);
    if (!field || !(qobject_cast<QLineEdit *>(field) || qobject_cast<QAbstractSpinBox *>(field))) return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool undoKey = key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
                         key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
    if (!undoKey || !qobject_cast<CalcDocument *>(field->window()->property(kDocumentProperty).value<QObject *>()))
      return false;
    // Not accepted by the field: the window's "Rückgängig"/"Wiederholen" take the key.
    return true;
  }
};

void routeUndoKeysToTheDocument() {
  static QPointer<DocumentUndoKeys> keys;
  if (keys || !qApp) return;
  keys = new DocumentUndoKeys(qApp);
  qApp->installEventFilter(keys);
}
}  // namespace

void showIn(CalcDocument *doc, QWidget *window) {
  if (!doc || !window) return;
  if (!window->property(kPlainTitleProperty).isValid())
    window->setProperty(kPlainTitleProperty, window->windowTitle());
  window->setProperty(kDocumentProperty, QVariant::fromValue<QObject *>(doc));
  const QPointer<QWidget> w(window);
  const auto update = [doc, w] {
    if (w) updateTitle(doc, w);
  };
  QObject::connect(doc, &CalcDocument::modifiedChanged, window, update);
  QObject::connect(doc, &CalcDocument::fileNameChanged, window, update);
  update();
}

void setPlainTitle(QWidget *window, const QString &plain) {
  window->setProperty(kPlainTitleProperty, plain);
  if (auto *doc = qobject_cast<CalcDocument *>(window->property(kDocumentProperty).value<QObject *>()))
    updateTitle(doc, window);
  else
    window->setWindowTitle(plain);
}

CalcDocument *of(const QWidget *widget) {
  for (const QWidget *w = widget; w; w = w->parentWidget()) {
    const QVariant v = w->property(kDocumentProperty);
    if (auto *doc = qobject_cast<CalcDocument *>(v.value<QObject *>())) return doc;
  }
  return nullptr;
}

QMenu *addEditMenu(QMenuBar *bar, CalcDocument *doc, QWidget *window) {
  QMenu *menu = new QMenu(window);
  gui::showText(menu, 1525);
  menu->setObjectName(QStringLiteral("MenüBearbeiten"));
  routeUndoKeysToTheDocument();
  QAction *undo = menu->addAction(QString());
  undo->setObjectName(QStringLiteral("MenüRückgängig"));
  undo->setShortcut(QKeySequence::Undo);
  QAction *redo = menu->addAction(QString());
  redo->setObjectName(QStringLiteral("MenüWiederholen"));
  redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  const auto update = [doc, undo, redo] {
    const auto caption = [](int id, const QString &step) {
      return step.isEmpty() ? builtinText(id) : builtinText(id) + QStringLiteral(": ") + stepName(step);
    };
    undo->setText(caption(1526, doc->undoText()));
    redo->setText(caption(1527, doc->redoText()));
    undo->setEnabled(doc->canUndo());
    redo->setEnabled(doc->canRedo());
  };
  QObject::connect(undo, &QAction::triggered, doc, &CalcDocument::undo);
  QObject::connect(redo, &QAction::triggered, doc, &CalcDocument::redo);
  QObject::connect(doc, &CalcDocument::historyChanged, menu, update);
  // Its captions in the language in use when it opens, and when the language changes.
  QObject::connect(menu, &QMenu::aboutToShow, menu, update);
  gui::onLanguageChange(menu, update);
  update();
  // After "Datei", where a user looks for it.
  const QList<QAction *> menus = bar->actions();
  bar->insertMenu(menus.size() > 1 ? menus.at(1) : nullptr, menu);
  return menu;
}

}  // namespace docui
