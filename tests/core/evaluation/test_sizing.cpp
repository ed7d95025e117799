// Choosing a size: the life verdict against a required life, and the recommended size of
// each series against a brute-force choice over generated rows.
#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "core/common/Numbers.h"
#include "core/evaluation/DutyCycle.h"
#include "core/evaluation/Evaluation.h"
#include "core/evaluation/Sizing.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

class Sizing : public ::testing::Test {
 protected:
  void SetUp() override { num::setLocale(QLocale(QLocale::German, QLocale::Germany)); }
};

TEST_F(Sizing, LifeIsJudgedAsShownAndExactlyTheRequiredLifePasses) {
  const DutyCycle none;
  const struct {
    double required;
    bool hours;
    float km;
    std::optional<double> h;
    std::optional<bool> ok;
  } cases[] = {
      {0.0, false, 10.0f, std::nullopt, std::nullopt},   // none required
      {100.0, false, 100.0f, std::nullopt, true},        // exactly reached
      {100.0, false, 99.5f, std::nullopt, true},         // shows 100 km (half to even)
      {100.0, false, 99.4f, std::nullopt, false},
      {20000.0, true, 1e6f, 19999.5, true},              // shows 20 000 h
      {20000.0, true, 1e6f, 19998.5, false},
      {20000.0, true, 1e6f, std::nullopt, std::nullopt},  // hours without a duty cycle
  };
  for (const auto &c : cases)
    EXPECT_EQ(eval::lifeReaches({c.required, c.hours}, c.km, c.h), c.ok) << c.required << " " << c.km;

  RequiredLife life{5.0, false};
  QString message;
  EXPECT_TRUE(eval::readRequiredLife("", true, none, &life, &message));
  EXPECT_FALSE(life.given());
  EXPECT_FALSE(eval::readRequiredLife("20.000", false, none, &life, &message)) << "the point is no separator here";
  EXPECT_TRUE(eval::readRequiredLife("20000", false, none, &life, &message));
  EXPECT_EQ(life, (RequiredLife{20000.0, false}));
  EXPECT_FALSE(eval::readRequiredLife("20000", true, none, &life, &message));
  EXPECT_TRUE(message.startsWith("Die geforderte Lebensdauer in Stunden braucht")) << message.toStdString();
  EXPECT_EQ(life, (RequiredLife{20000.0, false})) << "a refusal leaves the life in force";
  EXPECT_TRUE(eval::readRequiredLife("20000", true, DutyCycle{500, 10, 0, 0}, &life, &message));
  EXPECT_FALSE(eval::readRequiredLife("0,5", false, none, &life, &message));
  EXPECT_FALSE(eval::readRequiredLife("zwei", false, none, &life, &message));
}

EvaluationRow rated(const QString &series, int size, float safety, std::optional<bool> lifeOk, Verdict verdict) {
  EvaluationRow r;
  r.unit = series + QString::number(size);
  r.size = QString::number(size);
  r.staticRating = safety * 1000.0f;
  r.detail.staticLoad = 1000.0f;
  r.verdict = verdict;
  r.lifeOk = lifeOk;
  return r;
}

// Every generated evaluation: three series of up to six sizes in grid order, each row
// safe or not, too close or not, with or without a life verdict. The recommendation and
// the suggestion are checked against a choice written out the slow way.
TEST_F(Sizing, RecommendationIsTheSmallestPassingSizeOfEachSeries) {
  QRandomGenerator random(20261209);
  const int sizes[] = {12, 15, 20, 25, 35, 45};
  const Verdict verdicts[] = {Verdict::Sufficient, Verdict::Sufficient, Verdict::TooLow, Verdict::UnitsTooClose};
  for (int round = 0; round < 500; ++round) {
    QVector<EvaluationRow> rows;
    const bool withLife = round % 2 == 0;
    for (const QString series : {"KD", "KX", "FE"})
      for (int size : sizes) {
        if (random.bounded(3) == 0) continue;
        const std::optional<bool> life = withLife ? std::optional<bool>(random.bounded(4) != 0) : std::nullopt;
        rows << rated(series, size, 0.5f + static_cast<float>(random.bounded(40)) / 10.0f, life,
                      verdicts[random.bounded(4)]);
      }
    const eval::Sizing got = eval::chooseSizes(rows);
    ASSERT_EQ(got.rows.size(), rows.size());
    int suggestion = -1;
    QStringList without;
    for (const QString series : {"KD", "KX", "FE"}) {
      int best = -1;
      bool any = false;
      for (int i = 0; i < rows.size(); ++i) {
        if (eval::seriesOf(rows[i].unit) != series) continue;
        any = true;
        const bool passes = rows[i].verdict == Verdict::Sufficient && rows[i].lifeOk != false;
        EXPECT_EQ(got.rows[i].passes, passes);
        EXPECT_EQ(got.rows[i].lifeOk, rows[i].lifeOk);
        if (passes && (best < 0 || rows[i].size.toInt() < rows[best].size.toInt())) best = i;
      }
      for (int i = 0; i < rows.size(); ++i) EXPECT_EQ(got.rows[i].recommended && eval::seriesOf(rows[i].unit) == series, i == best);
      if (any && best < 0) without << series;
      if (best < 0) continue;
      const auto safety = [&](int i) { return rows[i].staticRating / rows[i].detail.staticLoad; };
      if (suggestion < 0 || rows[best].size.toInt() < rows[suggestion].size.toInt() ||
          (rows[best].size == rows[suggestion].size && safety(best) > safety(suggestion)))
        suggestion = best;
    }
    EXPECT_EQ(got.suggestion, suggestion) << "round " << round;
    EXPECT_EQ(got.seriesWithoutPass, without) << "round " << round;
  }
  // A blank row (nothing ticked) recommends nothing.
  const eval::Sizing blank = eval::chooseSizes({EvaluationRow()});
  EXPECT_EQ(blank.suggestion, -1);
  EXPECT_TRUE(blank.seriesWithoutPass.isEmpty());
}

}  // namespace
