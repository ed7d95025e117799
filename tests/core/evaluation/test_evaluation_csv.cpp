// The CSV of the evaluated sizes: RFC 4180 quoting, plain numbers that read back as the
// figures, and the columns an evaluation uses.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/common/Numbers.h"
#include "core/evaluation/EvaluationCsv.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

TEST(EvaluationCsv, FieldsAreQuotedOnlyWhereTheyMustBeAndNumbersArePlain) {
  const struct {
    QString text;
    std::string field;
  } fields[] = {
      {"KD12", "KD12"},
      {"Größe", "Größe"},
      {"a,b", "\"a,b\""},
      {"Zoll \"x\"", "\"Zoll \"\"x\"\"\""},
      {"zwei\nZeilen", "\"zwei\nZeilen\""},
      {"cr\r", "\"cr\r\""},
  };
  for (const auto &f : fields) {
    std::string out;
    eval::csv::appendField(out, f.text);
    EXPECT_EQ(out, f.field);
  }
  const struct {
    float value;
    std::string text;
  } numbers[] = {
      {1144.0833f, "1144.0833"},
      {1.0e7f, "10000000"},
      {0.1f, "0.1"},
      {-2.5f, "-2.5"},
      {3.0e9f, "3000000000"},
      {1.5e-7f, "0.00000015"},
      {std::nanf(""), ""},
      {std::numeric_limits<float>::infinity(), ""},
  };
  for (const auto &n : numbers) {
    std::string out;
    eval::csv::appendNumber(out, n.value);
    EXPECT_EQ(out, n.text);
    if (!n.text.empty()) {
      EXPECT_EQ(std::stof(out), n.value) << "reads back as the figure";
    }
  }
  num::setLocale(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(eval::csv::plainNumber(250.5), "250.5") << "a decimal point whatever the locale";
  EXPECT_EQ(eval::csv::plainNumber(0.1 + 0.2), "0.30000000000000004");
}

TEST(EvaluationCsv, ColumnsFollowWhatTheEvaluationUses) {
  eval::csv::Columns all = eval::csv::allColumns();
  all.leading = {"step", "loadCases.1.forces.0.1_N"};
  EXPECT_EQ(
      eval::csv::header(all),
      "step,loadCases.1.forces.0.1_N,unit,size,order_no,static_rating_N,dynamic_rating_N,load_N,"
      "equivalent_load_N,safety,life_km,life_h,life_years,verdict_de,verdict_en,life_ok,safety_ok,passes,"
      "recommended,suggested\r\n");
  EXPECT_EQ(
      eval::csv::header(eval::csv::columnsOf({}, RequiredLife{})),
      "unit,size,order_no,static_rating_N,dynamic_rating_N,load_N,safety,life_km,verdict_de,verdict_en\r\n");
  // Hours without days: the duty's hours column alone.
  calcfile::Case c;
  c.arrangement = "FrmEKaEDSch";
  c.duty = loads::DutyTexts{"500", "10", "", ""};
  c.requiredLife = loads::RequiredLifeTexts{"20000", true};
  const eval::csv::Columns fromCase = eval::csv::columnsOf(c);
  EXPECT_EQ(fromCase.extraHead, QVector<int>{1301});
  EXPECT_TRUE(fromCase.lifeVerdict);
  EXPECT_TRUE(fromCase.recommendation);
}

}  // namespace
