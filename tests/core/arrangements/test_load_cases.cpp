// "Berechnen" over load cases and the rating over them, on the demo catalogue.
#include <gtest/gtest.h>

#include "core/arrangements/LoadCases.h"
#include "core/catalogue/Catalogue.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/evaluation/Evaluation.h"
#include "core/evaluation/EvaluationTexts.h"
#include "support/TestCatalogue.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

LoadCase loadCase(const QString &name, double share, const TextRows &forces) {
  LoadCase lc;
  lc.name = name;
  lc.share = share;
  lc.forces = forces;
  return lc;
}

class LoadCases : public ::testing::Test {
 protected:
  void SetUp() override { start(session); }
  // The start screen and the arrangement picture: settings, table sets, required safety.
  static void start(Session &s) {
    sSetField(s);
    sSetTblAnzBez(s, true, false, true);
    s.gsngSiko = 1.5f;
  }
  // Ticks every size and rates.
  eval::EvaluationRun rateAll() { return rateAll(session); }
  static eval::EvaluationRun rateAll(Session &s) {
    const eval::SizeBoxes boxes = eval::assignSizeBoxes(s.gastrResult);
    std::array<bool, eval::kBoxes> ticked{};
    for (int i = 0; i < eval::kBoxes; ++i) ticked[i] = boxes.enabled[i];
    return eval::runEvaluation(s, boxes.tag, ticked);
  }
  int rowOf(const eval::EvaluationRun &run, const QString &unit) {
    for (int i = 0; i < run.rows.size(); ++i)
      if (run.rows[i].unit == unit) return i;
    return -1;
  }
  msg::Recorder rec;
  Session session;
  testsupport::ScopedCatalogueFile use{session, testsupport::demoCatalogueFile()};
};

TEST_F(LoadCases, OneLoadCaseOfHundredPercentIsThePlainCalculation) {
  const TextRows forces = {{"- Z", "2500", "50", "-30", "0"}, {"X +", "600", "0", "0", "150"}};
  const CalcOutput plain = calculateArrangement(session, ArrangementId::VKaZDSch, forces, "400", "300");
  const TextRows plainResult = session.gastrResult;
  const eval::EvaluationRun plainRun = rateAll();

  // A fresh start over the same catalogue.
  Session fresh = session.afresh();
  start(fresh);
  const LoadCaseOutput out = calculateLoadCases(
      fresh, ArrangementId::VKaZDSch, {loadCase("Lastfall 1", 100.0, forces)}, "400", "300");
  ASSERT_TRUE(out.combined.completed);
  EXPECT_EQ(out.combined.result, plain.result);
  EXPECT_EQ(out.combined.loads, plain.loads);
  EXPECT_EQ(fresh.gastrResult, plainResult);
  const eval::EvaluationRun run = rateAll(fresh);
  EXPECT_EQ(run.rows, plainRun.rows);
  EXPECT_TRUE(run.extraHead.isEmpty());
  EXPECT_TRUE(rec.messages.isEmpty());
}

// One cassette, a centred downward force: the cassette's P is the force. 25 % of the
// travel under 1000 N, 75 % under 2000 N; stroke 500 mm, 10 double strokes a minute,
// 8 hours a day, 250 days a year (one hour travels 600 000 mm, a year 2000 hours).
//   KK25 (ball, C 6800, Co 3900, D 15): Pm = (0,25*1000^3 + 0,75*2000^3)^(1/3) = 1842,0 N,
//     L = (6800/1842,0)^3 * 3,141592 * 15 = 2370,8 km, 3951,3 h, 1,98 years,
//     safety 3900/2000 = 1,95.
//   KD25 (needle, C 11400, D 16): Pm = (0,25*1000^(10/3) + 0,75*2000^(10/3))^0,3 = 1852,6 N,
//     L = (11400/1852,6)^(10/3) * 3,141592 * 16 = 21461,6 km, 35769,3 h, 17,9 years.
TEST_F(LoadCases, TwoLoadCasesRateTheEquivalentLoadInKmHoursAndYears) {
  const LoadCaseOutput out = calculateLoadCases(
      session, ArrangementId::EKaEDSch,
      {loadCase("Eilgang", 25.0, {{"- Z", "1000", "0", "0", "0"}}),
       loadCase("Bearbeitung", 75.0, {{"- Z", "2000", "0", "0", "0"}})},
      {}, {});
  ASSERT_TRUE(out.combined.completed);
  ASSERT_EQ(out.perCase.size(), 2);
  Session &s = session;
  Session &lcs = session;
  const auto extra = [](const EvaluationRow &row) { return eval::extraTexts(row, {1300, 1301, 1302}); };
  for (const ResultRow &row : lcs.resultRows) ASSERT_EQ(row.caseLoads.size(), 2);
  EXPECT_FALSE(lcs.gblnLoadPositions);
  for (const QStringList &row : s.gastrResult) EXPECT_EQ(row[2], "2000") << row.join(' ').toStdString();
  lcs.gDutyCycle.stroke = 500.0;
  lcs.gDutyCycle.cyclesPerMinute = 10.0;
  lcs.gDutyCycle.hoursPerDay = 8.0;
  lcs.gDutyCycle.daysPerYear = 250.0;

  const eval::EvaluationRun run = rateAll();
  ASSERT_FALSE(run.failed);
  EXPECT_EQ(run.extraHead, QVector<int>({1300, 1301, 1302}));
  const int kk = rowOf(run, "KK25");
  ASSERT_GE(kk, 0);
  EXPECT_EQ(eval::fields(run.rows[kk]).mid(3, 6), QStringList({"3.900 N", "6.800 N", "2.000 N", "2", "2.371 km",
                                                  "Sicherheit ausreichend."}));
  EXPECT_EQ(extra(run.rows[kk]), QStringList({"1.842 N", "3.951", "2,0"}));
  EXPECT_EQ(eval::gridRow(run.rows[kk], run.extraHead), QStringList({"KK25", "25", "KK25-118", "3.900 N", "6.800 N", "2.000 N",
                                           "1.842 N", "2", "2.371 km", "3.951", "2,0",
                                           "Sicherheit ausreichend."}));
  EXPECT_NEAR(run.rows[kk].detail.equivalentLoad, 1842.0157f, 0.01f);
  EXPECT_NEAR(*run.rows[kk].detail.lifeHours, 3951.27, 0.01);
  EXPECT_NEAR(*run.rows[kk].detail.lifeYears, 1.97563, 1e-4);
  const int kd = rowOf(run, "KD25");
  ASSERT_GE(kd, 0);
  EXPECT_EQ(eval::lifeText(run.rows[kd]), "21.462 km");
  EXPECT_EQ(extra(run.rows[kd]), QStringList({"1.853 N", "35.769", "18"}));
  EXPECT_EQ(lcs.gastrEvaluation, run.rows);
  EXPECT_EQ(lcs.gaintExtraHead, run.extraHead);
  EXPECT_TRUE(rec.messages.isEmpty());
}

struct Refusal {
  double share1, share2;
  bool secondEmpty;
  const char *text;
};

class LoadCaseRefusal : public LoadCases, public ::testing::WithParamInterface<Refusal> {};

TEST_P(LoadCaseRefusal, NamesTheLoadCaseAndKeepsTheResults) {
  calculateArrangement(session, ArrangementId::EKaEDSch, {{"- Z", "500", "0", "0", "0"}}, {}, {});
  const TextRows before = session.gastrResult;
  const Refusal &r = GetParam();
  const QVector<LoadCase> cases = {
      loadCase("Anfahren", r.share1, {{"- Z", "1000", "0", "0", "0"}}),
      loadCase("Fahrt", r.share2, r.secondEmpty ? TextRows{QStringList(5)} : TextRows{{"- Z", "10", "0", "0", "0"}})};
  const LoadCaseOutput out = calculateLoadCases(session, ArrangementId::EKaEDSch, cases, {}, {});
  EXPECT_TRUE(out.combined.calcFailed);
  EXPECT_FALSE(out.combined.completed);
  EXPECT_EQ(session.gastrResult, before);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "Abbruch der Berechnung");
  EXPECT_EQ(rec.messages[0].defaultButton, 2);
  EXPECT_EQ(rec.messages[0].text, QString::fromUtf8(r.text));
}

INSTANTIATE_TEST_SUITE_P(
    Shares, LoadCaseRefusal,
    ::testing::Values(
        Refusal{30.0, 60.0, false,
                "Die Anteile der Lastfälle ergeben zusammen 90 % statt 100 %.\nBitte korrigieren Sie die Anteile der "
                "Lastfälle „Anfahren“ (30 %), „Fahrt“ (60 %)."},
        Refusal{120.0, -20.0, false, "Der Anteil des Lastfalls „Anfahren“ muss zwischen 0 und 100 % liegen."},
        Refusal{50.0, 50.0, true,
                "Der Lastfall „Fahrt“ enthält keine Kraft.\nBitte geben Sie eine Kraft ein oder entfernen Sie den Lastfall."}));

TEST_F(LoadCases, HandOverPrintsEveryLoadCase) {
  EXPECT_TRUE(handOverLoadCases(session, ArrangementId::EKaEDSch,
                                {loadCase("A", 50.0, {{"Z +", "1500", "10", "-20", "0"}}),
                                 loadCase("B", 50.0, {{"- X", "2,5", "0", "0", "12345"}})}));
  EXPECT_EQ(session.gastrForce, TextRows({{"Z +", "1.500 N", "10 mm", "-20 mm", "0 mm"}}));
  ASSERT_EQ(session.gaLoadCaseForce.size(), 2);
  EXPECT_EQ(session.gaLoadCaseForce[1], TextRows({{"- X", "3 N", "0 mm", "0 mm", "12.345 mm"}}));
}

}  // namespace
