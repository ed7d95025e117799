// The equivalent load over load cases and the lifetime in hours and years, by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "core/common/Messages.h"
#include "core/evaluation/DutyCycle.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using Loads = QVector<std::array<float, 5>>;

TEST(EquivalentLoad, OneUnitUsesItsP) {
  // (0,25 * 1000^3 + 0,75 * 2000^3)^(1/3) = 6,25e9^(1/3) = 1842,0157 N
  const Loads loads = {{9e9f, 9e9f, 9e9f, 9e9f, 1000.0f}, {0.0f, 0.0f, 0.0f, 0.0f, 2000.0f}};
  int position = -1;
  EXPECT_FLOAT_EQ(eval::equivalentLoad({0.25, 0.75}, loads, false, 3.0, &position), 1842.0157f);
  EXPECT_EQ(position, 4);
}

TEST(EquivalentLoad, LargestOfThePositionsNotOfTheCaseMaxima) {
  // Position 0 carries 1000 N in the first case, position 1 carries 1000 N in the
  // second: each position sees half the travel under load, Pm = 0,5^(1/3) * 1000 N.
  const Loads loads = {{1000.0f, 0.0f, 0.0f, 0.0f, 1000.0f}, {0.0f, 1000.0f, 0.0f, 0.0f, 1000.0f}};
  int position = -1;
  EXPECT_FLOAT_EQ(eval::equivalentLoad({0.5, 0.5}, loads, true, 3.0, &position),
                  static_cast<float>(std::cbrt(0.5) * 1000.0));
  EXPECT_EQ(position, 0);
}

TEST(EquivalentLoad, NeedleBearingExponent) {
  EXPECT_DOUBLE_EQ(eval::lifeExponent("N"), 10.0 / 3.0);
  EXPECT_DOUBLE_EQ(eval::lifeExponent("K"), 3.0);
  EXPECT_DOUBLE_EQ(eval::lifeExponent("n"), 0.0);
  const Loads loads = {{0, 0, 0, 0, 1000.0f}, {0, 0, 0, 0, 2000.0f}};
  EXPECT_FLOAT_EQ(eval::equivalentLoad({0.25, 0.75}, loads, false, 10.0 / 3.0), 1852.6245f);
}

TEST(LifeHours, StrokeAndFrequencyGiveHoursThenYears) {
  DutyCycle d;
  EXPECT_FALSE(eval::lifeHours(1000.0, d));
  d.stroke = 500.0;
  d.cyclesPerMinute = 10.0;
  // 1000 km = 10^9 mm; one hour travels 2 * 500 * 10 * 60 = 600 000 mm.
  ASSERT_TRUE(eval::lifeHours(1000.0, d));
  EXPECT_DOUBLE_EQ(*eval::lifeHours(1000.0, d), 1e9 / 600000.0);
  EXPECT_FALSE(eval::lifeYears(eval::lifeHours(1000.0, d), d));
  d.hoursPerDay = 8.0;
  d.daysPerYear = 250.0;
  EXPECT_DOUBLE_EQ(*eval::lifeYears(4000.0, d), 2.0);
}

struct DutyCase {
  const char *stroke, *frequency, *hours, *days;
  const char *message;  // nullptr: accepted
};

class ReadDuty : public ::testing::TestWithParam<DutyCase> {};

TEST_P(ReadDuty, RefusesNamingTheField) {
  const DutyCase &c = GetParam();
  DutyCycle d;
  d.stroke = 77.0;  // what was in force stays when refused
  QString message;
  const bool ok = eval::readDutyCycle(c.stroke, c.frequency, c.hours, c.days, &d, &message);
  if (!c.message) {
    EXPECT_TRUE(ok) << message.toStdString();
    return;
  }
  EXPECT_FALSE(ok);
  EXPECT_EQ(message, QString::fromUtf8(c.message));
  EXPECT_EQ(d.stroke, 77.0);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ReadDuty,
    ::testing::Values(
        DutyCase{"", "", "", "", nullptr}, DutyCase{"300", "12,5", "", "", nullptr},
        DutyCase{"300", "12", "16", "250", nullptr},
        DutyCase{"0", "12", "", "", "Bitte geben Sie für „Hub (mm)“ eine Zahl größer als 0 ein."},
        DutyCase{"-5", "12", "", "", "Bitte geben Sie für „Hub (mm)“ eine Zahl größer als 0 ein."},
        DutyCase{"300", "abc", "", "",
                 "Im Feld „Doppelhübe pro Minute“ steht „abc“.\nErlaubt sind Ziffern und das Komma.\n"
                 "Berechnet wird erst mit einer gültigen Zahl."},
        // The group separator of the locale is no part of a field's number: "2.500" is
        // no stroke of 2500 mm.
        DutyCase{"2.500", "12", "", "",
                 "Im Feld „Hub (mm)“ steht „2.500“.\nDezimaltrennzeichen ist das Komma (zum Beispiel 12,5).\n"
                 "Berechnet wird erst mit einer gültigen Zahl."},
        DutyCase{"1e-300", "12", "", "",
                 "Im Feld „Hub (mm)“ steht „1e-300“.\nErlaubt sind Ziffern und das Komma.\n"
                 "Berechnet wird erst mit einer gültigen Zahl."},
        DutyCase{"0,5", "12", "", "",
                 "Der Wert von „Hub (mm)“ liegt außerhalb des zulässigen Bereichs.\nErlaubt sind Werte von 1 bis 100.000."},
        DutyCase{"99999999999999999999999", "12", "", "",
                 "Der Wert von „Hub (mm)“ liegt außerhalb des zulässigen Bereichs.\nErlaubt sind Werte von 1 bis 100.000."},
        DutyCase{"300", "20000", "", "",
                 "Der Wert von „Doppelhübe pro Minute“ liegt außerhalb des zulässigen Bereichs.\nErlaubt sind Werte "
                 "von 0,01 bis 10.000."},
        DutyCase{"", "", "8", "", "Bitte geben Sie für „Hub (mm)“ eine Zahl größer als 0 ein."},
        DutyCase{"300", "12", "25", "",
                 "Der Wert von „Stunden pro Tag“ liegt außerhalb des zulässigen Bereichs.\nErlaubt sind Werte von 0,1 "
                 "bis 24."},
        DutyCase{"300", "12", "8", "0", "Bitte geben Sie für „Tage pro Jahr“ eine Zahl größer als 0 ein."},
        DutyCase{"300", "12", "8", "367",
                 "Der Wert von „Tage pro Jahr“ liegt außerhalb des zulässigen Bereichs.\nErlaubt sind Werte von 1 "
                 "bis 366."}));

}  // namespace
