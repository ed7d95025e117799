// One input stepped over a range: the study's evenly spaced values as they are typed,
// and the keys of a load case's force cells.
#include <gtest/gtest.h>

#include "core/common/Numbers.h"
#include "core/run/Sweep.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

class Sweep : public ::testing::Test {
 protected:
  void SetUp() override { num::setLocale(QLocale(QLocale::German, QLocale::Germany)); }

  // Four cassettes, 400 x 300, with two load cases of one and two force rows.
  static calcfile::Case withLoadCases() {
    calcfile::Case c;
    c.arrangement = QStringLiteral("FrmVKaZDSch");
    c.m = QStringLiteral("400");
    c.n = QStringLiteral("300");
    c.loadCases = {LoadCase{QStringLiteral("Eilgang"), 30.0, {{"- Z", "1200", "40", "-20", "0"}}},
                   LoadCase{QStringLiteral("Bearbeitung"),
                            70.0,
                            {{"- Z", "2500", "50", "-30", "0"}, {"X +", "600", "0", "0", "150"}}}};
    return c;
  }
};

TEST_F(Sweep, StudyValuesAreEvenlySpacedAndTypedAsTheFieldsTakeThem) {
  const struct {
    const char *from, *to;
    int steps;
    QStringList texts;
  } cases[] = {
      {"200", "400", 5, {"200", "250", "300", "350", "400"}},
      {"400", "200", 3, {"400", "300", "200"}},
      {"0", "100", 4, {"0", "33,333", "66,667", "100"}},  // three decimals more than typed
      {"-1,5", "1,5", 3, {"-1,5", "0", "1,5"}},
      {"0", "0,00001", 3, {"0", "0,000005", "0,00001"}},  // at most six decimals
      {"0",
       "0,000001",
       5,
       {"0", "0", "0", "0,000001", "0,000001"}},  // 0.25, 0.5 and 0.75 millionths, half to even
  };
  calcfile::Case base = withLoadCases();
  for (const auto &c : cases) {
    run::Sweep s;
    calcfile::Error e;
    ASSERT_TRUE(run::makeSweep("loadCases.0.forces.0.2", base, c.from, c.to, c.steps, &s, &e))
        << e.english.toStdString();
    QStringList texts;
    for (const run::SweepValue &v : s.values) texts << v.text;
    EXPECT_EQ(texts, c.texts) << c.from << " " << c.to;
    for (const run::SweepValue &v : s.values) {
      double typed = 0.0;
      EXPECT_TRUE(num::toDouble(v.text, &typed));
      EXPECT_EQ(v.value, typed) << "the value is what its text says";
    }
  }
  // A value beyond the field's plausible range is refused as a file refuses it.
  run::Sweep s;
  calcfile::Error e;
  EXPECT_FALSE(run::makeSweep("m", base, "200", "20000", 3, &s, &e));
  EXPECT_TRUE(e.german.startsWith("Der Wert 20000: ")) << e.german.toStdString();
  EXPECT_FALSE(run::makeSweep("m", base, "1,1234567", "2", 3, &s, &e)) << "seven decimals";
  EXPECT_FALSE(run::makeSweep("m", base, "1", "2", 1, &s, &e));
}

TEST_F(Sweep, KeysNameAForceCellOfAnyLoadCase) {
  const calcfile::Case cases = withLoadCases();
  calcfile::Case plain = cases;
  plain.loadCases.clear();
  plain.forces = {{"- Z", "800", "0", "0", "0"}};
  const struct {
    const calcfile::Case *base;
    const char *key;
    int loadCase, row, column;  // -2: refused
    const char *refusal;
  } keys[] = {
      {&cases, "loadCases.1.forces.1.4", 1, 1, 4, ""},
      {&cases, "loadCases.0.forces.0.1", 0, 0, 1, ""},
      {&plain, "forces.0.3", -1, 0, 3, ""},
      {&cases, "loadCases.2.forces.0.1", -2, 0, 0, "has no load case 2 (its load cases are 0 to 1)"},
      {&cases, "loadCases.0.forces.1.1", -2, 0, 0, "has no force row 1 in load case 0"},
      {&cases, "forces.0.1", -2, 0, 0, "the base case has \"loadCases\""},
      {&plain, "loadCases.0.forces.0.1", -2, 0, 0, "the base case has no \"loadCases\""},
      {&cases, "loadCases.-1.forces.0.1", -2, 0, 0, "unknown sweep key"},
      {&cases, "loadCases.0.forces.0.5", -2, 0, 0, "unknown sweep key"},
  };
  for (const auto &k : keys) {
    run::Sweep s;
    calcfile::Error e;
    const bool ok = run::parseSweepKey(k.key, *k.base, &s, &e);
    EXPECT_EQ(ok, k.loadCase != -2) << k.key;
    if (!ok) {
      EXPECT_TRUE(e.english.contains(k.refusal)) << e.english.toStdString();
      continue;
    }
    EXPECT_EQ(s.loadCase, k.loadCase) << k.key;
    EXPECT_EQ(s.row, k.row) << k.key;
    EXPECT_EQ(s.column, k.column) << k.key;
  }
  // The value goes into that cell and nowhere else.
  run::Sweep s;
  calcfile::Error e;
  ASSERT_TRUE(run::makeSweep("loadCases.1.forces.1.1", cases, "500", "700", 3, &s, &e));
  calcfile::Case expected = cases;
  expected.loadCases[1].forces[1][1] = QStringLiteral("600");
  EXPECT_EQ(run::sweptCase(cases, s, 1), expected);
}

}  // namespace
