// "Berechnen" and "Weiter" without a screen, on the demo catalogue: what the screens and
// the batch tool leave in the session.
#include <gtest/gtest.h>

#include "core/arrangements/Calculate.h"
#include "core/catalogue/Catalogue.h"
#include "core/common/Messages.h"
#include "core/evaluation/Evaluation.h"
#include "core/common/Session.h"
#include "support/TestCatalogue.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

class Calculate : public ::testing::Test {
 protected:
  void SetUp() override {
    sSetField(session);
    sSetTblAnzBez(session, true, false, true);  // FN and So: four table sets
  }
  msg::Recorder rec;
  Session session;
  testsupport::ScopedCatalogueFile use{session, testsupport::demoCatalogueFile()};
};

TEST_F(Calculate, CompletedCalculationReplacesTheResultAndSetsTheDistances) {
  // Halves of the distance fields go to the even neighbour: 199,5 -> 200, 100,5 -> 100.
  // A centred force spreads evenly: 250 N on each of the four cassettes.
  const CalcOutput out = calculateArrangement(
      session, ArrangementId::VKaZDSch, {{"- Z", "1000", "0", "0", "0"}}, "199,5", "100,5");
  ASSERT_TRUE(out.completed);
  EXPECT_FALSE(out.calcFailed);
  const Session &s = session;
  EXPECT_EQ(s.gsngUnitDistance, 200.0f);
  EXPECT_EQ(s.gsngRailDistance, 100.0f);
  ASSERT_EQ(s.gastrResult.size(), 17);
  EXPECT_EQ(s.gastrResult.first(), QStringList({"TLS", "12", "250", "KD12"}));
  EXPECT_EQ(s.gastrResult.last(), QStringList({"TLX", "25", "250", "KX25"}));
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(Calculate, RefusedCalculationKeepsThePreviousResult) {
  calculateArrangement(session, ArrangementId::ZKaEDSch, {{"- Z", "1000", "0", "0", "0"}}, "200", {});
  const TextRows before = session.gastrResult;
  ASSERT_EQ(before.size(), 17);
  const CalcOutput out =
      calculateArrangement(session, ArrangementId::ZKaEDSch, {{"- Z", "5000", "0", "0", "0"}}, "", {});
  EXPECT_TRUE(out.calcFailed);
  EXPECT_FALSE(out.completed);
  EXPECT_EQ(session.gastrResult, before);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "Abbruch der Berechnung");
  EXPECT_EQ(rec.messages[0].defaultButton, 2);
}

TEST_F(Calculate, SpecialRollerShoeIsTheLastTableCode) {
  Session &s = session;
  s.gintAnzSonder = 1;
  s.gastrSonderGeo = {"SRS", "25", "34", "120", "30", "14", "19", "21", "6", "SRS", "SRS", "55", "37,5"};
  const CalcOutput out =
      calculateArrangement(session, ArrangementId::ERoEESch, {{"- Z", "1000", "0", "0", "0"}}, {}, "100");
  ASSERT_TRUE(out.completed);
  ASSERT_EQ(s.gastrResult.size(), 18);
  EXPECT_EQ(s.gastrResult.last(), QStringList({"SRS", "25", "1000", "SRS"}));
}

TEST_F(Calculate, HandOverNamesTheArrangementAndPrintsTheForces) {
  session.gintTextMode = 3;  // a customer text set never renames the arrangement
  EXPECT_TRUE(handOver(session, ArrangementId::ZRoEESch,
                       {{"Z +", "1500", "10", "-20", "0"}, {"- X", "2,5", "0", "0", "12345"}}));
  EXPECT_EQ(session.gastrArrangement,
            QStringList({"Zwei Rollenschuhpaare mit einem Einzelschienenpaar",
                         "Two pairs of roller shoes with one pair of single rails"}));
  EXPECT_EQ(session.gastrForce,
            TextRows({{"Z +", "1.500 N", "10 mm", "-20 mm", "0 mm"},
                      {"- X", "3 N", "0 mm", "0 mm", "12.345 mm"}}));
}

}  // namespace

// A catalogue table set without rows contributes no series; the series of the later sets
// move up a frame on the evaluation screen and must still be rated against the ratings
// of their own table set.
TEST(CalculateEmptySet, LaterSeriesAreRatedAgainstTheirOwnTableSet) {
  Session session;
  msg::Recorder rec;
  const QString path =
      testsupport::buildCatalogue(testsupport::demoCatalogueSql() + "DELETE FROM TLK_Basis;");
  testsupport::ScopedCatalogueFile use(session, path);
  sSetField(session);
  sSetTblAnzBez(session, true, false, true);  // TLS, TLK (now empty), TLH, TLX
  ASSERT_EQ(session.gintTblAnz, 4);

  const CalcOutput out = calculateArrangement(
      session, ArrangementId::VKaZDSch, {{"- Z", "1000", "0", "0", "0"}}, "400", "300");
  ASSERT_TRUE(out.completed);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "sBerDat!");
  const Session &s = session;
  ASSERT_EQ(s.resultRows.size(), s.gastrResult.size());
  // No row comes from the empty set; the TLH rows come from set 3.
  for (const ResultRow &row : s.resultRows) EXPECT_NE(row.tableSet, 2);
  int firstTlh = -1;
  for (int r = 0; r < s.gastrResult.size(); ++r)
    if (s.gastrResult[r][0] == "TLH" && firstTlh < 0) firstTlh = r;
  ASSERT_GE(firstTlh, 0);
  EXPECT_EQ(s.resultRows[firstTlh].tableSet, 3);

  const eval::SizeBoxes boxes = eval::assignSizeBoxes(s.gastrResult);
  std::array<bool, eval::kBoxes> ticked{};
  for (int i = 0; i < eval::kBoxes; ++i) ticked[i] = boxes.enabled[i];
  rec.clear();
  session.gsngSiko = 1.5f;  // "StdSiko" of the demo catalogue, as the start screen sets it
  const eval::EvaluationRun run = eval::runEvaluation(session, boxes.tag, ticked);
  EXPECT_FALSE(run.failed);
  EXPECT_TRUE(rec.messages.isEmpty());
  ASSERT_EQ(run.rows.size(), s.gastrResult.size());
  // The TLH series stands in the second frame and is rated with its own order numbers.
  bool sawKh15 = false;
  for (const EvaluationRow &row : run.rows)
    if (row.unit == "KH15") {
      sawKh15 = true;
      EXPECT_EQ(row.orderNo, "KH15-088");
    }
  EXPECT_TRUE(sawKh15);
}

namespace {

// A catalogue cell that holds no number is named where the calculation meets it; one
// in the point notation is read as a number.
TEST_F(Calculate, CellWithoutNumberIsNamedInTheMessage) {
  const QString path = testsupport::buildCatalogue(
      testsupport::demoCatalogueSql() +
      "UPDATE TLS_Kassette SET h1 = '11.5' WHERE Gr = 15;"
      "UPDATE TLH_Kassette SET h1 = 'abc' WHERE Gr = 20;");
  testsupport::ScopedCatalogueFile use(session, path);
  sSetField(session);
  sSetTblAnzBez(session, true, false, true);
  const CalcOutput out =
      calculateArrangement(session, ArrangementId::VKaZDSch, {{"- Z", "1000", "0", "0", "0"}}, "400", "300");
  EXPECT_FALSE(out.completed);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "Berechnungsfehler!");
  EXPECT_EQ(rec.messages[0].text,
            "Typen unverträglich\nTabelle TLH_Kassette, Serie TLH, Gr 20, Spalte h1: \"abc\" ist keine Zahl.");
}

TEST_F(Calculate, RatingWithoutNumberIsNamedInTheMessage) {
  const QString path = testsupport::buildCatalogue(testsupport::demoCatalogueSql() +
                                                   "UPDATE TLK_Basis SET Co = 'viel' WHERE Gr = 35;");
  testsupport::ScopedCatalogueFile use(session, path);
  sSetField(session);
  sSetTblAnzBez(session, true, false, true);
  session.gsngSiko = 1.5f;  // "StdSiko" of the demo catalogue, as the start screen sets it
  ASSERT_TRUE(calculateArrangement(session, ArrangementId::VKaZDSch, {{"- Z", "1000", "0", "0", "0"}}, "400", "300").completed);
  const eval::SizeBoxes boxes = eval::assignSizeBoxes(session.gastrResult);
  std::array<bool, eval::kBoxes> ticked{};
  for (int i = 0; i < eval::kBoxes; ++i) ticked[i] = boxes.enabled[i];
  const eval::EvaluationRun run = eval::runEvaluation(session, boxes.tag, ticked);
  EXPECT_TRUE(run.failed);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "CmdBerechnen_Click!");
  EXPECT_EQ(rec.messages[0].text,
            "Typen unverträglich\nTabelle TLK_Basis, Serie TLK, Gr 35, Spalte Co: \"viel\" ist keine Zahl.");
}

}  // namespace

namespace {
// A force acts the same wherever it sits on its own line of action: moving it along its
// own axis leaves every model value, check value and rating of every arrangement as it
// was. The forces are placed off centre, with a second force across, so that moments
// and every model's multi-unit split take part.
class OwnLine : public ::testing::TestWithParam<ArrangementId> {
 protected:
  msg::Recorder rec;
  Session session;
  testsupport::ScopedCatalogueFile use{session, testsupport::demoCatalogueFile()};
};

TEST_P(OwnLine, MovingAForceAlongItsOwnAxisChangesNothing) {
  const ArrangementInfo &info = arrangement(GetParam());
  sSetField(session);
  sSetTblAnzBez(session, true, info.groupTL, true);
  const QString m = info.hasM ? QStringLiteral("300") : QString();
  const QString n = info.hasN ? QStringLiteral("200") : QString();
  const struct {
    const char *direction;
    int ownColumn;
  } directions[] = {{"X +", 2}, {"- X", 2}, {"Y +", 3}, {"- Y", 3}, {"Z +", 4}, {"- Z", 4}};
  for (const auto &d : directions) {
    TextRows rows = {{"- Z", "245", "50", "80", "0"}, {d.direction, "125", "0", "50", "120"}};
    rows[1][d.ownColumn] = "0";
    const CalcOutput at0 = calculateArrangement(session, info.id, rows, m, n);
    ASSERT_TRUE(at0.completed) << info.screenName << " " << d.direction;
    for (const char *moved : {"50", "-700", "9999"}) {
      rows[1][d.ownColumn] = QString::fromLatin1(moved);
      const CalcOutput out = calculateArrangement(session, info.id, rows, m, n);
      ASSERT_TRUE(out.completed) << info.screenName << " " << d.direction << " at " << moved;
      EXPECT_EQ(out.result, at0.result) << info.screenName << " " << d.direction << " at " << moved;
      EXPECT_EQ(out.loads, at0.loads) << info.screenName << " " << d.direction << " at " << moved;
      EXPECT_EQ(out.modelLoads, at0.modelLoads) << info.screenName << " " << d.direction << " at " << moved;
      EXPECT_EQ(out.checkLoads, at0.checkLoads) << info.screenName << " " << d.direction << " at " << moved;
      EXPECT_EQ(out.byCheck, at0.byCheck) << info.screenName << " " << d.direction << " at " << moved;
    }
  }
  EXPECT_TRUE(rec.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(EveryArrangement, OwnLine,
                         ::testing::Values(ArrangementId::EKaEDSch, ArrangementId::ERoEESch, ArrangementId::ZKaEDSch,
                                           ArrangementId::ZKaZDSch, ArrangementId::VKaZDSch, ArrangementId::ZRoEESch),
                         [](const auto &p) { return std::string(arrangement(p.param).screenName); });

// Values beyond any plausible guide are refused by name, and nothing is rated.
TEST_F(Calculate, ImplausibleValuesAreRefusedByName) {
  const struct {
    TextRows forces;
    const char *m, *n;
    const char *message;
  } cases[] = {
      {{{"- Z", "1e20", "0", "0", "0"}}, "300", "200",
       "Der Wert von „Kraftzeile 1, Kraft (N)“ liegt außerhalb des zulässigen Bereichs.\nErlaubt sind Werte von 0 bis "
       "10.000.000."},
      {{{"- Z", "1000", "0", "10001", "0"}}, "300", "200",
       "Der Wert von „Kraftzeile 1, Y-Richtung (mm)“ liegt außerhalb des zulässigen Bereichs.\nErlaubt sind Werte von "
       "-10.000 bis 10.000."},
      {{{"- Z", "1000", "0", "0", "0"}}, "1e38", "200",
       "Der Wert von „Abstand m (mm)“ liegt außerhalb des zulässigen Bereichs.\nErlaubt sind Werte von 0 bis 10.000."},
      {{{"- Z", "1000", "0", "0", "0"}}, "300", "100000000000",
       "Der Wert von „Abstand n (mm)“ liegt außerhalb des zulässigen Bereichs.\nErlaubt sind Werte von 0 bis 10.000."},
  };
  for (const auto &c : cases) {
    rec.clear();
    const CalcOutput out = calculateArrangement(session, ArrangementId::VKaZDSch, c.forces, c.m, c.n);
    EXPECT_TRUE(out.calcFailed) << c.message;
    EXPECT_FALSE(out.completed) << c.message;
    ASSERT_EQ(rec.messages.size(), 1) << c.message;
    EXPECT_EQ(rec.messages[0].title, "Abbruch der Berechnung");
    EXPECT_EQ(rec.messages[0].text, QString::fromUtf8(c.message));
  }
}
}  // namespace
