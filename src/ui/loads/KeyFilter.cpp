#include "ui/loads/KeyFilter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "ui/common/NumericInput.h"

NumericKeyFilter::NumericKeyFilter(Rules rules, QObject *parent) : QObject(parent), rules_(rules) {}

NumericKeyFilter *NumericKeyFilter::install(QObject *field, Rules rules) {
  auto *f = new NumericKeyFilter(rules, field);
  field->installEventFilter(f);
  if (auto *edit = qobject_cast<QLineEdit *>(field)) gui::setNumericRules(edit, rules.minus);
  return f;
}

bool NumericKeyFilter::accepts(const QString &typed) const {
  if (typed.size() != 1) return true;
  const QChar c = typed.at(0);
  // Backspace, Tab, Enter, Escape and the other control characters keep their meaning.
  if (c.unicode() < 32 || c.unicode() == 127) return true;
  return NumericValidator::passes(c, rules_.minus);
}

bool NumericKeyFilter::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  auto *k = static_cast<QKeyEvent *>(event);
  // Shortcuts (Alt+O for the buttons, Ctrl+C ...) are no typing.
  if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
  if (enter) {
    if (!rules_.enterMovesFocus) return false;
    // As if the user had pressed Tab.
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QCoreApplication::sendEvent(watched, &tab);
    return true;
  }
  // Every character reaches the field: a field keeps what was typed, and the rules mark
  // what they do not take (a swallowed key would silently turn "2.5" into "25").
  return false;
}
