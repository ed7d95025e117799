#include "loads/KeyFilter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

NumericKeyFilter::NumericKeyFilter(Rules rules, QObject *parent) : QObject(parent), rules_(rules) {}

NumericKeyFilter *NumericKeyFilter::install(QObject *field, Rules rules) {
  auto *f = new NumericKeyFilter(rules, field);
  field->installEventFilter(f);
  return f;
}

QString NumericKeyFilter::filtered(const QString &typed) const {
  if (typed.size() != 1) return typed;
  const QChar c = typed.at(0);
  if (c == QChar(13) || c == QChar(10)) return rules_.enterMovesFocus ? QString() : typed;
  // Backspace, Tab, Escape and the other control characters keep their usual meaning.
  if (c.unicode() < 32 || c.unicode() == 127) return typed;
  if (c.isDigit() && c.unicode() < 128) return typed;
  if (c == QLatin1Char(',')) return typed;
  if (c == QLatin1Char('-') && rules_.minus) return typed;
  return QStringLiteral("0");
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
  const QString text = k->text();
  if (text.isEmpty()) return false;  // arrows, Delete, Home ... move and edit as usual
  const QString out = filtered(text);
  if (out == text) return false;
  if (out.isEmpty()) return true;
  QKeyEvent zero(QEvent::KeyPress, Qt::Key_0, Qt::NoModifier, out);
  QCoreApplication::sendEvent(watched, &zero);
  return true;
}
