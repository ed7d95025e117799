#include "core/common/InputLimits.h"

#include <cmath>

#include "core/common/Numbers.h"
#include "core/common/Texts.h"

namespace limits {

namespace {
// Whole values grouped as every amount of the program, the small ones with their decimals.
QString shown(double v) {
  return v == std::round(v) ? num::formatGrouped(v) : num::doubleToText(v);
}
QString englishShown(double v) { return num::toEnglishNotation(shown(v)); }
}  // namespace

QString rangeText(Quantity q) {
  const Range r = range(q);
  return builtinText(1506).arg(shown(r.low), shown(r.high));
}

QString refusal(Quantity q, const QString &field) { return builtinText(1505).arg(field, rangeText(q)); }

QString englishRefusal(Quantity q, const QString &key) {
  const Range r = range(q);
  return QStringLiteral("\"%1\" must be a number from %2 to %3").arg(key, englishShown(r.low), englishShown(r.high));
}

namespace {
// The decimal separator of the notation in force: the comma in German, the point in English.
QChar decimalSeparator() {
  const QString dp = num::locale().decimalPoint();
  return dp.isEmpty() ? QLatin1Char(',') : dp.at(0);
}
}  // namespace

bool passes(QChar c, bool minus) {
  if (c.isDigit() && c.unicode() < 128) return true;
  if (c == decimalSeparator()) return true;
  return minus && c == QLatin1Char('-');
}

QString inputProblem(const QString &text, bool minus) {
  for (const QChar c : text) {
    if (passes(c, minus)) continue;
    // The most common slip first: the decimal separator of the other notation.
    if (c == QLatin1Char('.') || c == QLatin1Char(',')) return builtinText(1500);
    if (c == QLatin1Char('-') && !minus) return builtinText(1501);
    return builtinText(minus ? 1502 : 1503);
  }
  if (text.isEmpty() || num::toDouble(text, nullptr)) return QString();
  return builtinText(1504);
}

QString fieldRefusal(const QString &field, const QString &text, const QString &problem) {
  return builtinText(1507).arg(field, text, problem);
}

}  // namespace limits
