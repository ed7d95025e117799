#include "core/common/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

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
  // Numbers written without the locale's general formatter, as UTF-8: its minus sign and
  // group separator in groups of three, used for whole numbers only where the locale was
  // found to write exactly that (ASCII digits, grouping from four digits on); the
  // decimal separator of the texts with decimals.
  std::string minus, groupSeparator, point;
  QString name;  // plain.name()
  bool fastWhole = false;    // noGroup writes whole numbers as wholeText(..., false)
  bool fastGrouped = false;  // plain writes them as wholeText(..., true)
};

// |r| below this is a whole double written digit for digit.
constexpr double kFastWholeLimit = 1e15;

// The powers of ten that are exact doubles.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A whole double below kFastWholeLimit, digit for digit, into `out`; returns the end.
char *wholeText(char *out, double r, const std::string &minus, const std::string &sep, bool grouped) {
  char digits[24];
  char *const end = digits + sizeof digits;
  char *p = end;
  for (auto v = static_cast<unsigned long long>(std::fabs(r)); p == end || v; v /= 10)
    *--p = static_cast<char>('0' + v % 10);
  if (r < 0) out = std::copy(minus.begin(), minus.end(), out);
  if (!grouped) return std::copy(p, end, out);
  // The digits before the first separator, then a separator before every three.
  const auto head = (end - p + 2) % 3 + 1;
  out = std::copy(p, p + head, out);
  for (p += head; p != end; p += 3) out = std::copy(p, p + 3, std::copy(sep.begin(), sep.end(), out));
  return out;
}

// A text of the general formatter as UTF-8 into `out`.
char *utf8Into(char *out, const QString &text) {
  const QByteArray a = text.toUtf8();
  Q_ASSERT(a.size() <= kNumberBytes);
  return std::copy_n(a.constData(), std::min<qsizetype>(a.size(), kNumberBytes), out);
}

QString fromUtf8(const char *begin, const char *end) { return QString::fromUtf8(begin, end - begin); }

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
  st.minus = st.plain.negativeSign().toStdString();
  st.groupSeparator = st.plain.groupSeparator().toStdString();
  st.point = QString(st.decimalPoint).toStdString();
  static const double samples[] = {0.0,      7.0,        -7.0,        123.0,           999.0,
                                   1000.0,   1234.0,     -1234.0,     12345.0,         -123456.0,
                                   100000.0, 1234567.0,  -1234567.0,  1000000000.0,    12345678901234.0,
                                   -999999999999999.0};
  // The writers' buffer holds 15 digits with separators and a sign of up to 12 bytes each.
  st.fastWhole = st.fastGrouped = st.minus.size() <= 12 && st.groupSeparator.size() <= 12;
  char buf[kNumberBytes];
  for (double v : samples) {
    st.fastWhole = st.fastWhole && st.noGroup.toString(v, 'f', 0) ==
                                       fromUtf8(buf, wholeText(buf, v, st.minus, st.groupSeparator, false));
    st.fastGrouped = st.fastGrouped && st.plain.toString(v, 'f', 0) ==
                                           fromUtf8(buf, wholeText(buf, v, st.minus, st.groupSeparator, true));
  }
  return st;
}

LocaleState &state() {
  static LocaleState st = makeState();
  return st;
}

QString stripped(const QString &text) { return text.trimmed(); }

// To the nearest whole number, halves to the even one, whatever rounding mode is in
// force: round() takes halves away from zero, and an exact half (the fraction of a
// double is exact) goes to twice the rounded half of it, the even neighbour.
double nearestEven(double v) {
  const double r = std::round(v);
  return std::fabs(v - std::trunc(v)) == 0.5 ? 2.0 * std::round(v / 2.0) : r;
}

// Exact conversion of the common plain forms ("1500", "-20", "0,6" in German) without
// the general locale parser: an optional sign, digits, at most one decimal separator.
// Anything else (blanks, group separators, exponents) goes the general way.
bool fastToDouble(const QString &text, double *out) {
  const qsizetype n = text.size();
  if (n == 0 || n > 40) return false;
  const char16_t *const chars = reinterpret_cast<const char16_t *>(text.constData());
  const char16_t dp = state().decimalPoint.unicode();
  const bool negative = chars[0] == u'-';
  // The digits as a whole number and the count of those after the separator.
  std::uint64_t mantissa = 0;
  int digitCount = 0, decimals = 0, point = 0;
  for (qsizetype i = negative ? 1 : 0; i < n; ++i) {
    const char16_t c = chars[i];
    if (c >= u'0' && c <= u'9') {
      mantissa = mantissa * 10 + (c - u'0');
      ++digitCount;
      decimals += point;
    } else if (c == dp && !point) {
      point = 1;
    } else {
      return false;
    }
  }
  if (digitCount == 0) return false;
  // Up to 15 digits the whole number and the power of ten are exact doubles, and one
  // division of exact operands is rounded correctly: the same value from_chars gives.
  if (digitCount <= 15) {
    const double whole = static_cast<double>(mantissa);
    const double v = decimals == 0 ? whole : whole / kExactPowers[decimals];
    *out = negative ? -v : v;
    return true;
  }
  char buf[48];
  for (qsizetype i = 0; i < n; ++i) buf[i] = chars[i] == dp ? '.' : static_cast<char>(chars[i]);
  double v = 0;
  const auto res = std::from_chars(buf, buf + n, v);
  if (res.ec != std::errc() || res.ptr != buf + n) return false;
  *out = v;
  return true;
}
}  // namespace

double roundHalfEven(double value, int places) {
  if (!std::isfinite(value)) return value;
  // The powers of ten a value is rounded to are exact doubles: the table holds what pow
  // gives for them.
  const double scale = places >= 0 && places <= 12 ? kExactPowers[places] : std::pow(10.0, places);
  const double r = nearestEven(value * scale);
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

char *writeGrouped(char *out, double value) {
  const LocaleState &st = state();
  double r = std::round(value);  // away from zero for halves, as a picture format does
  if (r == 0.0) r = 0.0;         // no "-0"
  if (st.fastGrouped && std::fabs(r) < kFastWholeLimit) return wholeText(out, r, st.minus, st.groupSeparator, true);
  return utf8Into(out, st.plain.toString(r, 'f', 0));
}

QString formatGrouped(double value) {
  char buf[kNumberBytes];
  return fromUtf8(buf, writeGrouped(buf, value));
}

QString formatGrouped(double value, int places) {
  if (places <= 0) return formatGrouped(roundHalfEven(value, 0));
  double r = roundHalfEven(value, places);
  if (r == 0.0) r = 0.0;
  return state().plain.toString(r, 'f', places);
}

QString formatWhole(double value) {
  const LocaleState &st = state();
  double r = std::round(value);
  if (r == 0.0) r = 0.0;
  if (!st.fastWhole || !(std::fabs(r) < kFastWholeLimit)) return st.noGroup.toString(r, 'f', 0);
  char buf[kNumberBytes];
  return fromUtf8(buf, wholeText(buf, r, st.minus, st.groupSeparator, false));
}

namespace {
// The whole number m with its last `decimals` digits behind the locale's decimal
// separator, the trailing zeros of those dropped, as to_chars and the trimming below
// write it: "-" before a value other than 0, "0" before the separator of a value
// below 1.
char *decimalText(char *out, std::uint64_t m, int decimals, bool negative) {
  if (m == 0) {
    *out = '0';
    return out + 1;
  }
  for (; decimals > 0 && m % 10 == 0; --decimals) m /= 10;
  if (negative) *out++ = '-';
  // Written from the right: the decimals (with the zeros before them below 1), then the
  // whole part ("0" when there is none).
  char digits[48];
  char *const end = digits + sizeof digits;
  char *p = end;
  for (int i = 0; i < decimals; ++i, m /= 10) *--p = static_cast<char>('0' + m % 10);
  char *const fraction = p;
  do {
    *--p = static_cast<char>('0' + m % 10);
    m /= 10;
  } while (m);
  out = std::copy(p, fraction, out);
  if (decimals == 0) return out;
  out = std::copy(state().point.begin(), state().point.end(), out);
  return std::copy(fraction, end, out);
}

// Up to `digits` significant digits, trailing zeros dropped, the locale's decimal
// separator, no grouping; the scientific form only for very large or small values.
// `fromFloat`: the value has at most 24 significant bits.
char *significant(char *out, double value, int digits, bool fromFloat) {
  const LocaleState &st = state();
  if (value == 0.0) {
    *out = '0';
    return out + 1;
  }
  if (!std::isfinite(value)) return utf8Into(out, st.noGroup.toString(value));
  const double a = std::fabs(value);
  if (a >= 1e15 || a < 1e-15) return utf8Into(out, st.noGroup.toString(value, 'E', digits - 1));
  // A value with a short decimal form: some whole number m over 10^k with at most 14
  // digits, of which the value is the nearest double. Rounded to `digits` significant
  // digits (at least the k decimals) it gives exactly m / 10^k, since the value lies
  // closer to it than half a unit of the last place kept.
  if (digits == 15) {
    for (int k = 0; k <= 4; ++k) {
      const double m = nearestEven(value * kExactPowers[k]);
      if (std::fabs(m) < 1e14 && m / kExactPowers[k] == value)
        return decimalText(out, static_cast<std::uint64_t>(std::fabs(m)), k, value < 0);
    }
  }
  // The decimal exponent. Of a single-precision value from 1 on it is found by comparing
  // with the exact powers of ten: such a value is either a power of ten itself or
  // further from one than log10 can err, so both ways give the same.
  int exponent = 0;
  if (fromFloat && a >= 1.0) {
    while (a >= kExactPowers[exponent + 1]) ++exponent;
  } else {
    exponent = static_cast<int>(std::floor(std::log10(a)));
  }
  int decimals = digits - 1 - exponent;
  if (decimals < 0) decimals = 0;
  // A single-precision value times 10^decimals, up to 12 decimals, is exact in double
  // (24 bits times 5^12 < 2^29 fit into 53): its rounding to a whole number, halves to
  // even, is the rounding to_chars makes.
  if (fromFloat && decimals <= 12) {
    const double m = nearestEven(a * kExactPowers[decimals]);
    return decimalText(out, static_cast<std::uint64_t>(m), decimals, value < 0);
  }
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  int len = static_cast<int>(res.ptr - buf);
  bool hasPoint = false;
  for (int i = 0; i < len; ++i) hasPoint = hasPoint || buf[i] == '.';
  if (hasPoint) {
    while (len > 0 && buf[len - 1] == '0') --len;
    if (len > 0 && buf[len - 1] == '.') --len;
  }
  if (len == 2 && buf[0] == '-' && buf[1] == '0') {
    *out = '0';
    return out + 1;
  }
  for (int i = 0; i < len; ++i) {
    if (buf[i] == '.') out = std::copy(st.point.begin(), st.point.end(), out);
    else *out++ = buf[i];
  }
  return out;
}
}  // namespace

char *writeSingle(char *out, float value) { return significant(out, static_cast<double>(value), 7, true); }

char *writeDouble(char *out, double value) { return significant(out, value, 15, false); }

QString singleToText(float value) {
  char buf[kNumberBytes];
  return fromUtf8(buf, writeSingle(buf, value));
}

QString doubleToText(double value) {
  char buf[kNumberBytes];
  return fromUtf8(buf, writeDouble(buf, value));
}

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
