#include "core/common/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <atomic>
#include <optional>
#include <string>

#include "core/common/Texts.h"

namespace num {

namespace {
// A short byte sequence (a sign or separator of the locale as UTF-8) kept inline, so
// that the writers copy it without following a pointer.
struct Bytes {
  char data[16] = {};
  int size = 0;
  void assign(const QString &text) {
    const QByteArray a = text.toUtf8();
    size = static_cast<int>(std::min<qsizetype>(a.size(), sizeof data));
    std::copy_n(a.constData(), size, data);
  }
  // All sixteen bytes are copied, which takes two moves instead of a loop: the writers'
  // buffers (kNumberBytes) leave that much room behind any text they hold.
  char *copyTo(char *out) const {
    std::memcpy(out, data, sizeof data);
    return out + size;
  }
};

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
  Bytes minus, groupSeparator, point;
  QString name;  // plain.name()
  bool fastWhole = false;    // noGroup writes whole numbers as wholeText(..., false)
  bool fastGrouped = false;  // plain writes them as wholeText(..., true)
};

// |r| below this is a whole double written digit for digit.
constexpr double kFastWholeLimit = 1e15;
// From this magnitude on every double is a whole number.
constexpr double kAllWhole = 4503599627370496.0;  // 2^52

// The powers of ten that are exact doubles.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// The same as whole numbers, up to the largest that fits.
constexpr std::uint64_t kWholePowers[] = {1ull,
                                          10ull,
                                          100ull,
                                          1000ull,
                                          10000ull,
                                          100000ull,
                                          1000000ull,
                                          10000000ull,
                                          100000000ull,
                                          1000000000ull,
                                          10000000000ull,
                                          100000000000ull,
                                          1000000000000ull,
                                          10000000000000ull,
                                          100000000000000ull,
                                          1000000000000000ull,
                                          10000000000000000ull,
                                          100000000000000000ull,
                                          1000000000000000000ull,
                                          10000000000000000000ull};

// The number of decimal digits of v (1 for 0): estimated from its bit length as
// log10(2) * bits, then corrected by one comparison. An even number has as many digits
// as the odd one after it (no power of ten is odd but 1), so 0 counts as 1.
Q_ALWAYS_INLINE int digitCount(std::uint64_t v) {
  v |= 1;
  const int t = ((64 - __builtin_clzll(v)) * 1233) >> 12;
  return t + (v >= kWholePowers[t] ? 1 : 0);
}

// "00" to "99": two digits per division.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The digits of v written so that they end at `end`; returns where they begin.
Q_ALWAYS_INLINE char *digitsBefore(char *end, std::uint64_t v) {
  while (v >= 100) {
    const std::uint64_t q = v / 100;
    const auto r = static_cast<unsigned>(v - q * 100);
    end -= 2;
    end[0] = kDigitPairs[2 * r];
    end[1] = kDigitPairs[2 * r + 1];
    v = q;
  }
  if (v >= 10) {
    end -= 2;
    end[0] = kDigitPairs[2 * v];
    end[1] = kDigitPairs[2 * v + 1];
  } else {
    *--end = static_cast<char>('0' + v);
  }
  return end;
}

// The whole number v (below kFastWholeLimit) digit for digit into `out`, with the
// locale's minus sign where `negative` and, where `grouped`, its group separator before
// every three digits from the right; returns the end.
Q_ALWAYS_INLINE char *wholeDigits(char *out, std::uint64_t v, bool negative, const LocaleState &st, bool grouped) {
  if (negative) out = st.minus.copyTo(out);
  if (grouped && v - 1000 < 999000) {
    // 1 000 to 999 999, the most common grouped numbers: one separator, no count.
    const auto high = static_cast<unsigned>(v / 1000);
    const auto low = static_cast<unsigned>(v - high * 1000ull);
    if (high >= 100) *out++ = static_cast<char>('0' + high / 100);
    if (high >= 10) {
      *out++ = kDigitPairs[2 * (high % 100)];
      *out++ = kDigitPairs[2 * (high % 100) + 1];
    } else {
      *out++ = static_cast<char>('0' + high);
    }
    out = st.groupSeparator.copyTo(out);
    out[0] = static_cast<char>('0' + low / 100);
    out[1] = kDigitPairs[2 * (low % 100)];
    out[2] = kDigitPairs[2 * (low % 100) + 1];
    return out + 3;
  }
  const int digits = digitCount(v);
  if (!grouped || digits <= 3) {
    char *const end = out + digits;
    digitsBefore(end, v);
    return end;
  }
  const int separators = (digits - 1) / 3;
  const int sepSize = st.groupSeparator.size;
  char *const end = out + digits + separators * sepSize;
  char *p = end;
  for (int s = 0; s < separators; ++s) {
    const std::uint64_t q = v / 1000;
    const auto r = static_cast<unsigned>(v - q * 1000);
    v = q;
    p -= 3;
    p[0] = static_cast<char>('0' + r / 100);
    p[1] = kDigitPairs[2 * (r % 100)];
    p[2] = kDigitPairs[2 * (r % 100) + 1];
    if (sepSize == 1) {
      *--p = st.groupSeparator.data[0];
    } else {
      p -= sepSize;
      for (int i = 0; i < sepSize; ++i) p[i] = st.groupSeparator.data[i];
    }
  }
  digitsBefore(p, v);
  return end;
}

// A whole double below kFastWholeLimit, digit for digit, into `out`; returns the end.
Q_ALWAYS_INLINE char *wholeText(char *out, double r, const LocaleState &st, bool grouped) {
  return wholeDigits(out, static_cast<std::uint64_t>(std::fabs(r)), r < 0, st, grouped);
}

// To the nearest whole number, halves away from zero, as std::round, without the call
// into the maths library: below 2^52 the fraction a - trunc(a) is exact.
inline double roundAway(double v) {
  const double a = std::fabs(v);
  if (!(a < kAllWhole)) return v;  // whole already, infinite or not a number
  double t = static_cast<double>(static_cast<std::int64_t>(a));
  if (a - t >= 0.5) t += 1.0;
  return std::copysign(t, v);
}

// To the nearest whole number, halves to the even one, whatever rounding mode is in
// force (the conversion to an integer truncates; the fraction is exact).
inline double nearestEven(double v) {
  const double a = std::fabs(v);
  if (!(a < kAllWhole)) return v;
  const auto whole = static_cast<std::int64_t>(a);
  double t = static_cast<double>(whole);
  const double fraction = a - t;
  if (fraction > 0.5 || (fraction == 0.5 && (whole & 1))) t += 1.0;
  return std::copysign(t, v);
}

// A text of the general formatter as UTF-8 into `out`.
char *utf8Into(char *out, const QString &text) {
  const QByteArray a = text.toUtf8();
  Q_ASSERT(a.size() <= kNumberBytes);
  return std::copy_n(a.constData(), std::min<qsizetype>(a.size(), kNumberBytes), out);
}
// The general formatter's text of a value: out of line, for the rare values the writers
// leave to it.
Q_NEVER_INLINE char *generalInto(char *out, const QLocale &loc, double value, char format, int precision) {
  return utf8Into(out, loc.toString(value, format, precision));
}

// A text from the writers' UTF-8. Their texts are nearly always ASCII: widened straight
// into the text's own buffer, and converted only where a byte says otherwise.
QString fromUtf8(const char *begin, const char *end) {
  const qsizetype n = end - begin;
  if (n > 0) {
    QString text(n, Qt::Uninitialized);
    char16_t *const out = reinterpret_cast<char16_t *>(text.data());
    unsigned bits = 0;
    for (qsizetype i = 0; i < n; ++i) {
      const auto byte = static_cast<unsigned char>(begin[i]);
      bits |= byte;
      out[i] = byte;
    }
    if (bits < 0x80) return text;
  }
  return QString::fromUtf8(begin, n);
}

// The locale's decimal separator for toDouble's first way, as plain data read without
// the check of the state's one-time initialisation: 0 until the state is first made.
std::atomic<char16_t> plainPoint{0};

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
  plainPoint.store(st.decimalPoint.unicode(), std::memory_order_relaxed);
  st.name = st.plain.name();
  const QString minus = st.plain.negativeSign(), separator = st.plain.groupSeparator();
  st.minus.assign(minus);
  st.groupSeparator.assign(separator);
  st.point.assign(QString(st.decimalPoint));
  static const double samples[] = {0.0,      7.0,        -7.0,        123.0,           999.0,
                                   1000.0,   1234.0,     -1234.0,     12345.0,         -123456.0,
                                   100000.0, 1234567.0,  -1234567.0,  1000000000.0,    12345678901234.0,
                                   -999999999999999.0};
  // The writers' buffer holds 15 digits with separators and a sign of up to 12 bytes each.
  st.fastWhole = st.fastGrouped = minus.toUtf8().size() <= 12 && separator.toUtf8().size() <= 12;
  char buf[kNumberBytes];
  for (double v : samples) {
    st.fastWhole = st.fastWhole && st.noGroup.toString(v, 'f', 0) == fromUtf8(buf, wholeText(buf, v, st, false));
    st.fastGrouped = st.fastGrouped && st.plain.toString(v, 'f', 0) == fromUtf8(buf, wholeText(buf, v, st, true));
  }
  return st;
}

// The state in force; inlined where it is read, so that a conversion pays only the
// check of its one-time initialisation.
Q_ALWAYS_INLINE LocaleState &state() {
  static LocaleState st = makeState();
  return st;
}

QString stripped(const QString &text) { return text.trimmed(); }

// Exact conversion of the common plain forms ("1500", "-20", "0,6" in German) without
// the general locale parser: an optional sign, digits, at most one decimal separator.
// Anything else (blanks, group separators, exponents) goes the general way.
Q_ALWAYS_INLINE bool fastToDouble(const QString &text, double *out) {
  const qsizetype n = text.size();
  if (n == 0 || n > 40) return false;
  const char16_t *const chars = reinterpret_cast<const char16_t *>(text.constData());
  const char16_t dp = state().decimalPoint.unicode();
  const qsizetype first = chars[0] == u'-' ? 1 : 0;
  const bool negative = first != 0;
  // The digits as a whole number, and where the separator stands.
  std::uint64_t mantissa = 0;
  qsizetype pointAt = -1;
  for (qsizetype i = first; i < n; ++i) {
    const unsigned digit = static_cast<unsigned>(chars[i]) - u'0';
    if (digit < 10) {
      mantissa = mantissa * 10 + digit;
      continue;
    }
    if (chars[i] != dp || pointAt >= 0) return false;
    pointAt = i;
  }
  const qsizetype digitTotal = n - first - (pointAt >= 0 ? 1 : 0);
  const qsizetype decimals = pointAt >= 0 ? n - 1 - pointAt : 0;
  if (digitTotal == 0) return false;
  // Up to 15 digits the whole number and the power of ten are exact doubles, and one
  // division of exact operands is rounded correctly: the same value from_chars gives.
  if (digitTotal <= 15) {
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

double roundHalfEvenAnyPlaces(double value, int places) {
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

namespace {
// Any other text, through the locale's parser. Kept out of line, so that the callers of
// the plain forms do not set up its frame.
Q_NEVER_INLINE bool generalToDouble(const QString &text, double *out) {
  const QString t = stripped(text);
  if (t.isEmpty()) return false;
  const QLocale &loc = state().plain;
  bool ok = false;
  double v = loc.toDouble(t, &ok);
  if (!ok && t.startsWith(QLatin1Char('+'))) {
    // A leading plus sign is still a number to the user. (Any other text would be read
    // exactly as above a second time.)
    v = loc.toDouble(QStringView(t).mid(1), &ok);
  }
  if (!ok || !std::isfinite(v)) return false;
  if (out) *out = v;
  return true;
}
}  // namespace

namespace {
// The general ways: long plain texts and everything else.
Q_NEVER_INLINE bool slowToDouble(const QString &text, double *out) {
  double fast = 0;
  if (fastToDouble(text, &fast)) {
    if (out) *out = fast;
    return true;
  }
  return generalToDouble(text, out);
}
}  // namespace

// The common short texts ("2500", "-30", "174,8": an optional minus, up to 15 digits, at
// most one decimal separator) are read here without a stack frame of their own, as
// fastToDouble reads them; any other text goes the general ways.
bool toDouble(const QString &text, double *out) {
  const char16_t point = plainPoint.load(std::memory_order_relaxed);
  const qsizetype n = text.size();
  if (point == 0 || static_cast<std::size_t>(n - 1) >= 16) return slowToDouble(text, out);  // n == 0 too
  const char16_t *p = text.data_ptr().data();
  const char16_t *const end = p + n;
  const bool negative = *p == u'-';
  p += negative;
  // The digits as a whole number, and where the separator stands.
  std::uint64_t mantissa = 0;
  const char16_t *pointAt = nullptr;
  for (; p != end; ++p) {
    const unsigned digit = static_cast<unsigned>(*p) - u'0';
    if (digit < 10) {
      mantissa = mantissa * 10 + digit;
      continue;
    }
    if (*p != point || pointAt) return slowToDouble(text, out);
    pointAt = p;
  }
  const qsizetype digits = n - negative - (pointAt ? 1 : 0);
  if (digits == 0 || digits > 15) return slowToDouble(text, out);
  const double whole = static_cast<double>(mantissa);
  const double v = pointAt && pointAt + 1 != end ? whole / kExactPowers[end - pointAt - 1] : whole;
  if (out) *out = negative ? -v : v;
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
  double r = roundAway(value);  // away from zero for halves, as a picture format does
  if (r == 0.0) r = 0.0;        // no "-0"
  if (st.fastGrouped && std::fabs(r) < kFastWholeLimit) return wholeText(out, r, st, true);
  return generalInto(out, st.plain, r, 'f', 0);
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
  double r = roundAway(value);
  if (r == 0.0) r = 0.0;
  if (!st.fastWhole || !(std::fabs(r) < kFastWholeLimit)) return st.noGroup.toString(r, 'f', 0);
  char buf[kNumberBytes];
  return fromUtf8(buf, wholeText(buf, r, st, false));
}

namespace {
// The whole number m with its last `decimals` digits behind the locale's decimal
// separator, the trailing zeros of those dropped, as to_chars and the trimming below
// write it: "-" before a value other than 0, "0" before the separator of a value
// below 1.
char *decimalText(char *out, std::uint64_t m, int decimals, bool negative, const LocaleState &st) {
  if (m == 0) {
    *out = '0';
    return out + 1;
  }
  for (; decimals > 0 && m % 10 == 0; --decimals) m /= 10;
  if (negative) *out++ = '-';
  // The whole part ("0" when there is none), the separator, then exactly `decimals`
  // digits (with the zeros before them below 1).
  const std::uint64_t scale = kWholePowers[decimals];
  const std::uint64_t whole = m / scale;
  out += digitCount(whole);
  digitsBefore(out, whole);
  if (decimals == 0) return out;
  out = st.point.copyTo(out);
  char *const end = out + decimals;
  for (char *p = digitsBefore(end, m - whole * scale); p != out;) *--p = '0';
  return end;
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
  if (!std::isfinite(value)) return generalInto(out, st.noGroup, value, 'g', 6);
  const double a = std::fabs(value);
  if (a >= 1e15 || a < 1e-15) return generalInto(out, st.noGroup, value, 'E', digits - 1);
  // A value with a short decimal form: some whole number m over 10^k with at most 14
  // digits, of which the value is the nearest double. Rounded to `digits` significant
  // digits (at least the k decimals) it gives exactly m / 10^k, since the value lies
  // closer to it than half a unit of the last place kept.
  if (digits == 15) {
    for (int k = 0; k <= 4; ++k) {
      const double m = nearestEven(value * kExactPowers[k]);
      if (std::fabs(m) < 1e14 && m / kExactPowers[k] == value)
        return decimalText(out, static_cast<std::uint64_t>(std::fabs(m)), k, value < 0, st);
    }
  }
  // The decimal exponent. Of a single-precision value from 1 on it is the number of
  // digits of its whole part less one (a >= 10^k exactly when its whole part is): such a
  // value is either a power of ten itself or further from one than log10 can err, so
  // both ways give the same.
  int exponent = 0;
  if (fromFloat && a >= 1.0) {
    exponent = digitCount(static_cast<std::uint64_t>(a)) - 1;
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
    return decimalText(out, static_cast<std::uint64_t>(m), decimals, value < 0, st);
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
    if (buf[i] == '.') out = st.point.copyTo(out);
    else *out++ = buf[i];
  }
  return out;
}
}  // namespace

char *writeSingle(char *out, float value) { return significant(out, static_cast<double>(value), 7, true); }

char *writeDouble(char *out, double value) { return significant(out, value, 15, false); }

char *writeTenths(char *out, double value) {
  // writeDouble tries the scales 1, 10, ... in turn for the first that gives the value
  // back; a value in tenths is found at once at 10 (a whole one too: its tenths end in
  // 0, which is dropped as there).
  const double a = std::fabs(value);
  if (a >= 1e-15 && a < 1e12) {
    const double m = nearestEven(value * 10.0);
    if (m / 10.0 == value) return decimalText(out, static_cast<std::uint64_t>(std::fabs(m)), 1, value < 0, state());
  }
  return writeDouble(out, value);
}

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
