#include "core/common/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <optional>

#include "core/common/Texts.h"

namespace num {

namespace {
// The locale in force and two ready-configured copies of it, rebuilt only when the
// locale changes: conversions run per force row and per catalogue value, so they must
// not build locale objects each time.
struct LocaleState {
  QLocale plain;      // default number options (group separators accepted / written)
  QLocale noGroup;    // no group separators written
  QChar decimalPoint;
  bool fromOverride = false;
  // Whole numbers written without the locale's general formatter: its minus sign and
  // group separator in groups of three, used only where the locale was found to write
  // exactly that (ASCII digits, grouping from four digits on).
  QString minus, groupSeparator;
  QString name;  // plain.name()
  bool fastWhole = false;    // noGroup writes whole numbers as wholeText(..., false)
  bool fastGrouped = false;  // plain writes them as wholeText(..., true)
};

// |r| below this is a whole double written digit for digit.
constexpr double kFastWholeLimit = 1e15;

QString wholeText(double r, const QString &minus, const QString &sep, bool grouped) {
  // Written from the right into one buffer: 15 digits, their separators and the sign.
  char16_t buf[96];
  char16_t *const end = buf + sizeof buf / sizeof buf[0];
  char16_t *p = end;
  long long v = static_cast<long long>(std::fabs(r));
  int n = 0;
  do {
    if (grouped && n > 0 && n % 3 == 0) {
      p -= sep.size();
      std::copy_n(reinterpret_cast<const char16_t *>(sep.utf16()), sep.size(), p);
    }
    *--p = static_cast<char16_t>(u'0' + v % 10);
    v /= 10;
    ++n;
  } while (v);
  if (r < 0) {
    p -= minus.size();
    std::copy_n(reinterpret_cast<const char16_t *>(minus.utf16()), minus.size(), p);
  }
  return QString(reinterpret_cast<const QChar *>(p), static_cast<qsizetype>(end - p));
}

std::optional<QLocale> &overrideLocale() {
  static std::optional<QLocale> loc;
  return loc;
}

LocaleState makeState() {
  LocaleState st;
  if (overrideLocale()) {
    st.plain = *overrideLocale();
  } else {
    const QLocale sys = QLocale::system();
    st.plain = sys.language() == QLocale::C ? QLocale(QLocale::German, QLocale::Germany) : sys;
  }
  st.plain.setNumberOptions(QLocale::DefaultNumberOptions);
  st.noGroup = st.plain;
  st.noGroup.setNumberOptions(QLocale::OmitGroupSeparator);
  const QString dp = st.plain.decimalPoint();
  st.decimalPoint = dp.isEmpty() ? QLatin1Char('.') : dp.at(0);
  st.name = st.plain.name();
  st.minus = st.plain.negativeSign();
  st.groupSeparator = st.plain.groupSeparator();
  static const double samples[] = {0.0,      7.0,        -7.0,        123.0,           999.0,
                                   1000.0,   1234.0,     -1234.0,     12345.0,         -123456.0,
                                   100000.0, 1234567.0,  -1234567.0,  1000000000.0,    12345678901234.0,
                                   -999999999999999.0};
  // The buffer of wholeText holds 15 digits with separators and sign of up to 4 each.
  st.fastWhole = st.fastGrouped = st.minus.size() <= 4 && st.groupSeparator.size() <= 4;
  for (double v : samples) {
    st.fastWhole =
        st.fastWhole && st.noGroup.toString(v, 'f', 0) == wholeText(v, st.minus, st.groupSeparator, false);
    st.fastGrouped =
        st.fastGrouped && st.plain.toString(v, 'f', 0) == wholeText(v, st.minus, st.groupSeparator, true);
  }
  return st;
}

LocaleState &state() {
  static LocaleState st = makeState();
  return st;
}

QString stripped(const QString &text) { return text.trimmed(); }

// Exact conversion of the common plain forms ("1500", "-20", "0,6" in German) without
// the general locale parser: an optional sign, digits, at most one decimal separator.
// Anything else (blanks, group separators, exponents) goes the general way.
bool fastToDouble(const QString &text, double *out) {
  const int n = text.size();
  if (n == 0 || n > 40) return false;
  char buf[48];
  int len = 0;
  bool digits = false, point = false;
  // The digits as a whole number and the count of those after the separator.
  std::uint64_t mantissa = 0;
  int digitCount = 0, decimals = 0;
  const QChar dp = state().decimalPoint;
  for (int i = 0; i < n; ++i) {
    const QChar c = text.at(i);
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
      buf[len++] = static_cast<char>(c.unicode());
      digits = true;
      mantissa = mantissa * 10 + (c.unicode() - u'0');
      ++digitCount;
      if (point) ++decimals;
    } else if (c == dp && !point) {
      buf[len++] = '.';
      point = true;
    } else if (i == 0 && c == QLatin1Char('-')) {
      buf[len++] = '-';
    } else {
      return false;
    }
  }
  if (!digits) return false;
  // Up to 15 digits the whole number and the power of ten are exact doubles, and one
  // division of exact operands is rounded correctly: the same value from_chars gives.
  static const double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  if (digitCount <= 15) {
    const double whole = static_cast<double>(mantissa);
    const double v = decimals == 0 ? whole : whole / kPowers[decimals];
    *out = buf[0] == '-' ? -v : v;
    return true;
  }
  double v = 0;
  const auto res = std::from_chars(buf, buf + len, v);
  if (res.ec != std::errc() || res.ptr != buf + len) return false;
  *out = v;
  return true;
}
}  // namespace

double roundHalfEven(double value, int places) {
  if (!std::isfinite(value)) return value;
  // The powers of ten a value is rounded to are exact doubles: the table holds what pow
  // gives for them.
  static const double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
  const double scale = places >= 0 && places <= 12 ? kPowers[places] : std::pow(10.0, places);
  const double scaled = value * scale;
  // nearbyint honours the current rounding mode, which is round-to-nearest-even
  // unless somebody changed it; make sure of it (switching the mode costs more than the
  // rounding, so only when it is another).
  double r;
  const int old = std::fegetround();
  if (old == FE_TONEAREST) {
    r = std::nearbyint(scaled);
  } else {
    std::fesetround(FE_TONEAREST);
    r = std::nearbyint(scaled);
    std::fesetround(old);
  }
  // Guard against representation noise: 0.0667 * 100 = 6.67 is fine, but a value like
  // 2.675 is stored as 2.67499999..., which must round down as the binary value says.
  return r / scale;
}

QLocale locale() { return state().plain; }

const QString &localeName() { return state().name; }

void setLocale(const QLocale &loc) {
  overrideLocale() = loc;
  state() = makeState();
}

void resetLocale() {
  overrideLocale().reset();
  state() = makeState();
}

NotationScope::NotationScope(const QLocale &loc) : overridden_(overrideLocale().has_value()), before_(locale()) {
  setLocale(loc);
}

NotationScope::~NotationScope() {
  if (overridden_) setLocale(before_);
  else resetLocale();
}

bool toDouble(const QString &text, double *out) {
  double fast = 0;
  if (fastToDouble(text, &fast)) {
    if (out) *out = fast;
    return true;
  }
  const QString t = stripped(text);
  if (t.isEmpty()) return false;
  const QLocale &loc = state().plain;
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

namespace {
// The plain notation with one decimal separator, point or comma: [sign] digits
// [separator digits].
bool pointNotation(const QString &t, double *out) {
  if (t.isEmpty() || t.size() > 40) return false;
  int digits = 0, points = 0;
  for (int i = 0; i < t.size(); ++i) {
    const QChar c = t.at(i);
    if (c.isDigit() && c.unicode() < 128) ++digits;
    else if (c == QLatin1Char('.') || c == QLatin1Char(',')) ++points;
    else if (i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+'))) continue;
    else return false;
  }
  if (digits == 0 || points > 1) return false;
  QByteArray a = (t.startsWith(QLatin1Char('+')) ? t.mid(1) : t).toLatin1();
  a.replace(',', '.');
  double v = 0;
  const auto res = std::from_chars(a.constData(), a.constData() + a.size(), v);
  if (res.ec != std::errc() || res.ptr != a.constData() + a.size() || !std::isfinite(v))
    return false;
  *out = v;
  return true;
}
}  // namespace

bool catalogueToDouble(const QString &text, double *out) {
  if (toDouble(text, out)) return true;
  double v = 0;
  if (!pointNotation(stripped(text), &v)) return false;
  if (out) *out = v;
  return true;
}

QString catalogueText(const QString &text) {
  if (text.isEmpty() || toDouble(text, nullptr)) return text;
  double v = 0;
  if (!pointNotation(stripped(text), &v)) return text;
  return doubleToText(v);
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
  const QLocale &loc = state().plain;
  double r = std::round(value);  // away from zero for halves, as a picture format does
  if (r == 0.0) r = 0.0;         // no "-0"
  if (state().fastGrouped && std::fabs(r) < kFastWholeLimit)
    return wholeText(r, state().minus, state().groupSeparator, true);
  return loc.toString(r, 'f', 0);
}

QString formatGrouped(double value, int places) {
  if (places <= 0) return formatGrouped(roundHalfEven(value, 0));
  double r = roundHalfEven(value, places);
  if (r == 0.0) r = 0.0;
  return state().plain.toString(r, 'f', places);
}

QString formatWhole(double value) {
  const QLocale &loc = state().noGroup;
  double r = std::round(value);
  if (r == 0.0) r = 0.0;
  if (state().fastWhole && std::fabs(r) < kFastWholeLimit)
    return wholeText(r, state().minus, state().groupSeparator, false);
  return loc.toString(r, 'f', 0);
}

namespace {
// Up to `digits` significant digits, trailing zeros dropped, the locale's decimal
// separator, no grouping; the scientific form only for very large or small values.
QString significant(double value, int digits) {
  if (value == 0.0 || !std::isfinite(value)) {
    if (value == 0.0) return QStringLiteral("0");
    return state().noGroup.toString(value);
  }
  const double a = std::fabs(value);
  if (a >= 1e15 || a < 1e-15) return state().noGroup.toString(value, 'E', digits - 1);
  const int exponent = static_cast<int>(std::floor(std::log10(a)));
  int decimals = digits - 1 - exponent;
  if (decimals < 0) decimals = 0;
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  int len = static_cast<int>(res.ptr - buf);
  bool hasPoint = false;
  for (int i = 0; i < len; ++i) hasPoint = hasPoint || buf[i] == '.';
  if (hasPoint) {
    while (len > 0 && buf[len - 1] == '0') --len;
    if (len > 0 && buf[len - 1] == '.') --len;
  }
  if (len == 2 && buf[0] == '-' && buf[1] == '0') return QStringLiteral("0");
  QString s = QString::fromLatin1(buf, len);
  const QChar dp = state().decimalPoint;
  if (dp != QLatin1Char('.')) s.replace(QLatin1Char('.'), dp);
  return s;
}
}  // namespace

QString singleToText(float value) { return significant(static_cast<double>(value), 7); }

QString doubleToText(double value) { return significant(value, 15); }

QString convertNotation(const QString &text, const QLocale &from, const QLocale &to) {
  if (sameNotation(from, to)) return text;
  const QString group = from.groupSeparator();
  const QString point = from.decimalPoint();
  // The leading number: digits, separators and a sign; the rest is its unit.
  int end = 0;
  while (end < text.size()) {
    const QChar c = text.at(end);
    const bool part = (c.isDigit() && c.unicode() < 128) || group.contains(c) || point.contains(c) ||
                      (end == 0 && (c == QLatin1Char('-') || c == from.negativeSign().at(0)));
    if (!part) break;
    ++end;
  }
  const QString number = text.left(end);
  if (number.isEmpty()) return text;
  bool ok = false;
  const double value = from.toDouble(number, &ok);
  if (!ok || !std::isfinite(value)) return text;
  const qsizetype pointAt = point.isEmpty() ? -1 : number.indexOf(point);
  const int decimals = pointAt < 0 ? 0 : static_cast<int>(number.size() - pointAt - point.size());
  QLocale target = to;
  target.setNumberOptions(group.isEmpty() || !number.contains(group) ? QLocale::OmitGroupSeparator
                                                                      : QLocale::DefaultNumberOptions);
  return target.toString(value, 'f', decimals) + text.mid(end);
}

QString convertNumber(const QString &text, const QLocale &from, const QLocale &to) {
  bool ok = false;
  from.toDouble(text.trimmed(), &ok);
  return ok ? convertNotation(text, from, to) : text;
}

QString toNotation(const QString &text, const QLocale &to) { return convertNotation(text, locale(), to); }

QString toEnglishNotation(const QString &text) {
  return toNotation(text, QLocale(QLocale::English, QLocale::UnitedStates));
}

QLocale notationOf(Language language) {
  if (language == Language::English) return QLocale(QLocale::English, QLocale::UnitedStates);
  return interfaceLanguage() == Language::English ? localeFor(Language::German) : locale();
}

QString inLanguageNotation(const QString &text, Language language) {
  return toNotation(text, notationOf(language));
}

QLocale localeFor(Language language, const QLocale &system) {
  if (language == Language::English) return QLocale(QLocale::English, QLocale::UnitedStates);
  if (system.language() != QLocale::C && system.decimalPoint() == QLatin1String(",")) return system;
  return QLocale(QLocale::German, QLocale::Germany);
}

bool sameNotation(const QLocale &a, const QLocale &b) {
  return a.decimalPoint() == b.decimalPoint() && a.groupSeparator() == b.groupSeparator() &&
         a.negativeSign() == b.negativeSign() && a.zeroDigit() == b.zeroDigit();
}

QLocale fileNotation() { return QLocale(QLocale::German, QLocale::Germany); }

}  // namespace num
