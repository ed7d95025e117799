#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "core/common/Numbers.h"

namespace {
// Reproducible random numbers (xorshift).
struct Random {
  std::uint64_t state;
  std::uint64_t operator()() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  }
};
}  // namespace

TEST(Numbers, RoundingTiesGoToTheEvenNeighbour) {
  EXPECT_EQ(num::roundHalfEven(2.5), 2.0);
  EXPECT_EQ(num::roundHalfEven(3.5), 4.0);
  EXPECT_EQ(num::roundHalfEven(-2.5), -2.0);
  EXPECT_EQ(num::roundHalfEven(199.5), 200.0);
  EXPECT_EQ(num::roundHalfEven(200.5), 200.0);
  EXPECT_EQ(num::roundHalfEven(0.4), 0.0);
  EXPECT_EQ(num::roundHalfEven(0.6), 1.0);
  EXPECT_DOUBLE_EQ(num::roundHalfEven(4.0 / 60.0, 2), 0.07);
  EXPECT_DOUBLE_EQ(num::roundHalfEven(1.0 / 60.0, 4), 0.0167);
  EXPECT_DOUBLE_EQ(num::roundHalfEven(1984.5), 1984.0);
}

TEST(Numbers, GermanTextToNumber) {
  double v = 0;
  ASSERT_TRUE(num::toDouble("0,6", &v));
  EXPECT_DOUBLE_EQ(v, 0.6);
  ASSERT_TRUE(num::toDouble("1.500", &v));
  EXPECT_DOUBLE_EQ(v, 1500.0);
  ASSERT_TRUE(num::toDouble("-20", &v));
  EXPECT_DOUBLE_EQ(v, -20.0);
  ASSERT_TRUE(num::toDouble(" 12 ", &v));
  EXPECT_DOUBLE_EQ(v, 12.0);
  EXPECT_FALSE(num::toDouble("", &v));
  EXPECT_FALSE(num::toDouble("abc", &v));
  EXPECT_FALSE(num::toDouble("1,2,3", &v));
  EXPECT_FALSE(num::toDouble("-", &v));
  EXPECT_FALSE(num::toDouble("1-2", &v));
  ASSERT_TRUE(num::toDouble("-0,5", &v));
  EXPECT_DOUBLE_EQ(v, -0.5);
  ASSERT_TRUE(num::toDouble(",5", &v));
  EXPECT_DOUBLE_EQ(v, 0.5);
  ASSERT_TRUE(num::toDouble("1.234,5", &v));  // grouped form goes the general way
  EXPECT_DOUBLE_EQ(v, 1234.5);
  float f = 0;
  ASSERT_TRUE(num::toFloat("0,1", &f));
  EXPECT_EQ(f, 0.1f);  // the nearest single, as a direct conversion gives
}

TEST(Numbers, CLocaleFallsBackToGerman) {
  num::resetLocale();
  const QLocale sys = QLocale::system();
  if (sys.language() == QLocale::C) EXPECT_EQ(num::locale().language(), QLocale::German);
  else EXPECT_EQ(num::locale().language(), sys.language());
  num::setLocale(QLocale(QLocale::German, QLocale::Germany));
}

TEST(Numbers, Int16RangeIsChecked) {
  int v = 0;
  ASSERT_TRUE(num::toInt16("15", &v));
  EXPECT_EQ(v, 15);
  EXPECT_FALSE(num::toInt16("40000", &v));
  EXPECT_FALSE(num::toInt16("", &v));
}

TEST(Numbers, PatternsAndSingleText) {
  EXPECT_EQ(num::formatGrouped(1500), "1.500");
  EXPECT_EQ(num::formatGrouped(123456.6), "123.457");
  EXPECT_EQ(num::formatGrouped(-20), "-20");
  EXPECT_EQ(num::formatGrouped(0), "0");
  EXPECT_EQ(num::formatWhole(1250.4), "1250");
  EXPECT_EQ(num::singleToText(900.6f), "900,6");
  EXPECT_EQ(num::singleToText(1000.0f), "1000");
  EXPECT_EQ(num::singleToText(0.0167f), "0,0167");
  EXPECT_EQ(num::singleToText(1562.5f), "1562,5");
  EXPECT_EQ(num::singleToText(-25.05f), "-25,05");
  EXPECT_EQ(num::singleToText(1234567.0f), "1234567");
  EXPECT_EQ(num::singleToText(0.0f), "0");
}

TEST(Numbers, EnglishLocaleUsesThePoint) {
  num::setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(num::formatGrouped(1500), "1,500");
  EXPECT_EQ(num::singleToText(900.6f), "900.6");
  double v = 0;
  ASSERT_TRUE(num::toDouble("0.6", &v));
  EXPECT_DOUBLE_EQ(v, 0.6);
  num::setLocale(QLocale(QLocale::German, QLocale::Germany));
}

TEST(Numbers, CatalogueTextReadsEitherNotation) {
  struct Case {
    const char *text, *german, *english;
  };
  // Rewritten only where the locale cannot read the text but the plain notation can.
  const Case cases[] = {{"42.25", "42,25", "42.25"},   {"42,25", "42,25", "42.25"},
                        {"-0.5", "-0,5", "-0.5"},      {"+7,5", "+7,5", "7.5"},
                        {"1.500", "1.500", "1.500"},   {"1.500,5", "1.500,5", "1.500,5"},
                        {"KD12-058", "KD12-058", "KD12-058"}, {"1.2.3", "1.2.3", "1.2.3"},
                        {"", "", ""},                  {"12", "12", "12"}};
  for (const Case &c : cases) {
    num::setLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(num::catalogueText(QString::fromUtf8(c.text)), QString::fromUtf8(c.german)) << c.text;
    num::setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(num::catalogueText(QString::fromUtf8(c.text)), QString::fromUtf8(c.english)) << c.text;
  }
  num::setLocale(QLocale(QLocale::German, QLocale::Germany));
}

// Plain number texts are converted without the general parser; the value must be the
// one the general conversion gives, to the last bit, for every length and position of
// the separator.
TEST(Numbers, PlainTextsConvertToTheCorrectlyRoundedValue) {
  const QString point = num::locale().decimalPoint();
  Random next{0x9e3779b97f4a7c15ull};
  for (int i = 0; i < 200000; ++i) {
    const int digits = 1 + static_cast<int>(next() % 19);
    std::string plain;
    if (next() % 2) plain += '-';
    for (int d = 0; d < digits; ++d) plain += static_cast<char>('0' + next() % 10);
    const int at = static_cast<int>(next() % (digits + 2));  // digits + 1: no separator
    if (at <= digits) plain.insert(plain.size() - static_cast<size_t>(digits) + static_cast<size_t>(at), ".");
    double expected = 0;
    const auto res = std::from_chars(plain.data(), plain.data() + plain.size(), expected);
    ASSERT_EQ(res.ptr, plain.data() + plain.size()) << plain;
    QString text = QString::fromStdString(plain);
    text.replace(QLatin1Char('.'), point);
    double v = 0;
    ASSERT_TRUE(num::toDouble(text, &v)) << plain;
    ASSERT_EQ(std::bit_cast<std::uint64_t>(v), std::bit_cast<std::uint64_t>(expected)) << plain;
  }
}

// Whole numbers are written without the general formatter where the locale writes them
// alike: the text must be the locale's own, in locales that group differently.
TEST(Numbers, WholeNumbersAreWrittenAsTheLocaleWritesThem) {
  const QLocale locales[] = {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::English),
                             QLocale(QLocale::French, QLocale::France), QLocale(QLocale::Spanish, QLocale::Spain),
                             QLocale(QLocale::Hindi, QLocale::India), QLocale(QLocale::Arabic, QLocale::Egypt)};
  for (const QLocale &loc : locales) {
    SCOPED_TRACE(loc.name().toStdString());
    num::setLocale(loc);
    QLocale plain = loc;
    plain.setNumberOptions(QLocale::DefaultNumberOptions);
    QLocale noGroup = loc;
    noGroup.setNumberOptions(QLocale::OmitGroupSeparator);
    for (double v : {0.0, -0.4, 0.5, 1.5, -2.5, 999.0, 1000.0, -1234.4, 12345.6, 1234567.0, 98765432109.0,
                     999999999999999.0, 1e15, 3.4e38}) {
      const double r = std::round(v) == 0.0 ? 0.0 : std::round(v);
      EXPECT_EQ(num::formatGrouped(v), plain.toString(r, 'f', 0)) << v;
      EXPECT_EQ(num::formatWhole(v), noGroup.toString(r, 'f', 0)) << v;
    }
  }
  num::setLocale(QLocale(QLocale::German, QLocale::Germany));
}

// Single-precision values are written digit for digit and doubles with a short decimal
// form from that form, without the general conversion: the text must be the one of the
// general conversion (to_chars with as many decimals as the significant digits leave,
// trailing zeros dropped) for every magnitude, for halves and next to powers of ten.
TEST(Numbers, SignificantDigitsAreWrittenAsTheGeneralConversionWritesThem) {
  num::setLocale(QLocale(QLocale::German, QLocale::Germany));
  const auto general = [](double v, int digits) {
    if (v == 0.0) return QStringLiteral("0");
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(v))));
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, std::max(0, digits - 1 - exponent));
    std::string s(buf, res.ptr);
    if (s.find('.') != std::string::npos) {
      while (s.back() == '0') s.pop_back();
      if (s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    std::replace(s.begin(), s.end(), '.', ',');
    return QString::fromStdString(s);
  };
  const auto inRange = [](double v) { return std::fabs(v) >= 1e-15 && std::fabs(v) < 1e15; };
  Random next{0x2545f4914f6cdd1dull};
  for (int i = 0; i < 200000; ++i) {
    const float f = std::bit_cast<float>(static_cast<std::uint32_t>(next()));
    if (std::isfinite(f) && inRange(f)) {
      ASSERT_EQ(num::singleToText(f), general(f, 7)) << f;
    }
    const double d = std::bit_cast<double>(next());
    if (std::isfinite(d) && inRange(d)) {
      ASSERT_EQ(num::doubleToText(d), general(d, 15)) << d;
    }
    // A short decimal form m / 10^k and the doubles beside it.
    static const double powers[] = {1.0, 10.0, 100.0, 1000.0, 10000.0};
    const double m = static_cast<double>(next() % 100000000000000ull) * (next() % 2 ? 1 : -1);
    const double shortForm = m / powers[next() % 5];
    for (const double v : {shortForm, std::nextafter(shortForm, 1e300), std::nextafter(shortForm, -1e300)}) {
      if (inRange(v)) {
        ASSERT_EQ(num::doubleToText(v), general(v, 15)) << v;
      }
    }
  }
  for (const float f : {0.5f, 1.5f, 2.5f, 1234567.5f, 8388607.5f, 999999.94f, 1000000.0f, 9999999.0f, 1e7f, 1e10f,
                        99999.99f, 0.1f, 0.099999994f, 1e-6f, -46845.645f})
    EXPECT_EQ(num::singleToText(f), general(f, 7)) << f;
  for (const double d : {0.1, 0.3, 21.5, 4.4, 1e13, 99999999999999.9, 0.0001, -7.25, 1e-4, 123456789012345.0})
    EXPECT_EQ(num::doubleToText(d), general(d, 15)) << d;
}

TEST(Numbers, TenthsAreWrittenAsDoublesAre) {
  num::setLocale(QLocale(QLocale::German, QLocale::Germany));
  const auto same = [](double v) {
    char a[num::kNumberBytes], b[num::kNumberBytes];
    return std::string(a, num::writeTenths(a, v)) == std::string(b, num::writeDouble(b, v));
  };
  Random next{0x9e3779b97f4a7c15ull};
  for (int i = 0; i < 100000; ++i) {
    const double tenths = static_cast<double>(next() % 100000000000000ull) / 10.0 * (next() % 2 ? 1 : -1);
    const double shown = num::roundHalfEven(static_cast<double>(next() % 100000000) / 997.0, 1);
    for (const double v : {tenths, shown, std::nextafter(shown, 1e300), -shown})
      ASSERT_TRUE(same(v)) << v;
  }
  for (const double v : {0.0, -0.0, 0.1, 21.5, 3.0, -7.5, 1e12, 99999999999.9, 1e-16, 0.05, 1e300,
                         std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
    EXPECT_TRUE(same(v)) << v;
}
