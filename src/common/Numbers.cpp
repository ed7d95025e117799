#include "Numbers.h"

#include <cfenv>
#include <cmath>
#include <optional>

namespace num {

namespace {
std::optional<QLocale> &overrideLocale() {
  static std::optional<QLocale> loc;
  return loc;
}

QString stripped(const QString &text) { return text.trimmed(); }
}  // namespace

double roundHalfEven(double value, int places) {
  if (!std::isfinite(value)) return value;
  const double scale = std::pow(10.0, places);
  const double scaled = value * scale;
  // nearbyint honours the current rounding mode, which is round-to-nearest-even
  // unless somebody changed it; make sure of it.
  const int old = std::fegetround();
  std::fesetround(FE_TONEAREST);
  double r = std::nearbyint(scaled);
  std::fesetround(old);
  // Guard against representation noise: 0.0667 * 100 = 6.67 is fine, but a value like
  // 2.675 is stored as 2.67499999..., which must round down as the binary value says.
  return r / scale;
}

QLocale locale() {
  if (overrideLocale()) return *overrideLocale();
  QLocale sys = QLocale::system();
  if (sys.language() == QLocale::C) return QLocale(QLocale::German, QLocale::Germany);
  return sys;
}

void setLocale(const QLocale &loc) { overrideLocale() = loc; }
void resetLocale() { overrideLocale().reset(); }

bool toDouble(const QString &text, double *out) {
  const QString t = stripped(text);
  if (t.isEmpty()) return false;
  QLocale loc = locale();
  loc.setNumberOptions(QLocale::DefaultNumberOptions);
  bool ok = false;
  double v = loc.toDouble(t, &ok);
  if (!ok) {
    // A leading plus sign or a number typed without the group separator rules of the
    // locale ("1500,5") are still numbers to the user.
    QString u = t;
    if (u.startsWith(QLatin1Char('+'))) u.remove(0, 1);
    v = loc.toDouble(u, &ok);
  }
  if (!ok || !std::isfinite(v)) return false;
  if (out) *out = v;
  return true;
}

bool toFloat(const QString &text, float *out) {
  double d = 0;
  if (!toDouble(text, &d)) return false;
  if (std::fabs(d) > 3.402823466e38) return false;
  if (out) *out = static_cast<float>(d);
  return true;
}

bool toInt16(const QString &text, int *out) {
  double d = 0;
  if (!toDouble(text, &d)) return false;
  const double r = roundHalfEven(d, 0);
  if (r < -32768.0 || r > 32767.0) return false;
  if (out) *out = static_cast<int>(r);
  return true;
}

QString formatGrouped(double value) {
  QLocale loc = locale();
  loc.setNumberOptions(QLocale::DefaultNumberOptions);
  double r = std::round(value);  // away from zero for halves, as a picture format does
  if (r == 0.0) r = 0.0;         // no "-0"
  return loc.toString(r, 'f', 0);
}

QString formatWhole(double value) {
  QLocale loc = locale();
  loc.setNumberOptions(QLocale::OmitGroupSeparator);
  double r = std::round(value);
  if (r == 0.0) r = 0.0;
  return loc.toString(r, 'f', 0);
}

namespace {
QString significant(double value, int digits) {
  QLocale loc = locale();
  loc.setNumberOptions(QLocale::OmitGroupSeparator);
  if (value == 0.0) return QStringLiteral("0");
  const double a = std::fabs(value);
  if (a >= 1e15 || a < 1e-15) {
    // Very large or small values keep the scientific form ("1,5E+20").
    QString s = loc.toString(value, 'E', digits - 1);
    return s;
  }
  // Round to the number of significant digits, then print without trailing zeros.
  const int exponent = static_cast<int>(std::floor(std::log10(a)));
  int decimals = digits - 1 - exponent;
  if (decimals < 0) decimals = 0;
  QString s = loc.toString(value, 'f', decimals);
  const QChar dp = loc.decimalPoint().at(0);
  if (s.contains(dp)) {
    while (s.endsWith(QLatin1Char('0'))) s.chop(1);
    if (s.endsWith(dp)) s.chop(1);
  }
  if (s == QStringLiteral("-0")) s = QStringLiteral("0");
  return s;
}
}  // namespace

QString singleToText(float value) { return significant(static_cast<double>(value), 7); }

QString doubleToText(double value) { return significant(value, 15); }

}  // namespace num
