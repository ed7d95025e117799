#include "common/NumericInput.h"

#include <QApplication>
#include <QLineEdit>

#include "common/Numbers.h"

NumericValidator::NumericValidator(bool minus, QObject *parent) : QValidator(parent), minus_(minus) {}

bool NumericValidator::passes(QChar c, bool minus) {
  if (c.isDigit() && c.unicode() < 128) return true;
  if (c == QLatin1Char(',')) return true;
  return minus && c == QLatin1Char('-');
}

QValidator::State NumericValidator::validate(QString &input, int &) const {
  for (const QChar c : input)
    if (!passes(c, minus_)) return Invalid;
  if (input.isEmpty()) return Acceptable;
  return num::toDouble(input, nullptr) ? Acceptable : Intermediate;
}

namespace gui {

void setNumericRules(QLineEdit *field, bool minus) {
  field->setValidator(new NumericValidator(minus, field));
}

bool holdsNumber(const QLineEdit *field) {
  const QString t = field->text();
  return t.isEmpty() || num::toDouble(t, nullptr);
}

void refuseKey() { QApplication::beep(); }

}  // namespace gui
