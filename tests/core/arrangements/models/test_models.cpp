// The single-unit models (one cassette, one roller-shoe pair) and the behaviour every
// model shares: input checks, refusals, calculation errors, result lists.
#include <gtest/gtest.h>

#include "core/arrangements/models/ModelTestSupport.h"
#include "core/common/Errors.h"

using namespace modeltest;

namespace {

const ArrangementId EK = ArrangementId::EKaEDSch;
const ArrangementId ER = ArrangementId::ERoEESch;

// --- one cassette on one double rail -------------------------------------------------

TEST(OneCassette, CentredVerticalForceIsTheLoadOfEverySeries) {
  msg::Recorder rec;
  Geo small, big;
  big.gr = QStringLiteral("35");
  big.B = QStringLiteral("160");
  big.h1 = QStringLiteral("33");
  const CalcOutput out = calc(EK, {force("Z +", "1000", "0", "0", "0")}, {}, {},
                              {TextRows{small.row(), big.row()}});
  ASSERT_TRUE(out.completed);
  EXPECT_FALSE(out.calcFailed);
  ASSERT_EQ(out.loads.size(), 2);
  for (const auto &l : out.loads) EXPECT_FLOAT_EQ(l[4], 1000.0f);
  EXPECT_EQ(out.result[0], (QStringList{"FN", "20", "1000", "FD 20"}));
  EXPECT_EQ(out.result[1], (QStringList{"FN", "35", "1000", "FD 20"}));
  EXPECT_EQ(seriesCaptions(out), (QStringList{"FD 20 20", "FD 20 35"}));
  EXPECT_EQ(out.unitDistance, 0.0f);
  EXPECT_EQ(out.railDistance, 0.0f);
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST(OneCassette, MomentsThroughK1AndK2) {
  msg::Recorder rec;
  // Z at y = 50, B = 100 (k1 = 0.02): Q1 = 1000, Q4 = 1000, P = 2000.
  CalcOutput out = calc1(EK, {force("Z +", "1000", "0", "50", "0")}, {}, {});
  EXPECT_FLOAT_EQ(out.loads[0][0], 1000.0f);
  EXPECT_FLOAT_EQ(out.loads[0][3], 1000.0f);
  EXPECT_FLOAT_EQ(out.loads[0][4], 2000.0f);
  EXPECT_EQ(out.result[0][2], QStringLiteral("2000"));

  // X at y = 0, z = 0 with h1 = 20, k2 = 0.05: only the tilting moment counts.
  out = calc1(EK, {force("X +", "1000", "0", "0", "0")}, {}, {});
  EXPECT_FLOAT_EQ(out.loads[0][1], 1000.0f);
  EXPECT_FLOAT_EQ(out.loads[0][3], 0.0f);
  EXPECT_FLOAT_EQ(out.loads[0][4], 1000.0f);

  // Y at z = 0 with h1 = 20, B = 100: Q1 = -200, Q4 = 500, P = 700.
  out = calc1(EK, {force("Y +", "500", "0", "0", "0")}, {}, {});
  EXPECT_FLOAT_EQ(out.loads[0][0], -200.0f);
  EXPECT_FLOAT_EQ(out.loads[0][3], 500.0f);
  EXPECT_FLOAT_EQ(out.loads[0][4], 700.0f);

  // Mz' from a Y force at x: Q3 = -k2 x Fy = -0.05 * 40 * 500.
  out = calc1(EK, {force("Y +", "500", "40", "0", "0")}, {}, {});
  EXPECT_FLOAT_EQ(out.loads[0][2], -1000.0f);
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST(OneCassette, OppositeForcesCancelAndSignsOfXAndYDoNotMatter) {
  msg::Recorder rec;
  CalcOutput out = calc1(EK, {force("Z +", "1000", "0", "0", "0"),
                              force("- Z", "1000", "0", "0", "0")}, {}, {});
  EXPECT_FLOAT_EQ(out.loads[0][4], 0.0f);

  const CalcOutput xp = calc1(EK, {force("X +", "700", "0", "30", "12")}, {}, {});
  const CalcOutput xm = calc1(EK, {force("- X", "700", "0", "30", "12")}, {}, {});
  EXPECT_FLOAT_EQ(xp.loads[0][4], xm.loads[0][4]);
  const CalcOutput yp = calc1(EK, {force("Y +", "700", "25", "0", "12")}, {}, {});
  const CalcOutput ym = calc1(EK, {force("- Y", "700", "25", "0", "12")}, {}, {});
  EXPECT_FLOAT_EQ(yp.loads[0][4], ym.loads[0][4]);
  const CalcOutput zp = calc1(EK, {force("Z +", "700", "25", "-10", "0")}, {}, {});
  const CalcOutput zm = calc1(EK, {force("- Z", "700", "25", "-10", "0")}, {}, {});
  EXPECT_FLOAT_EQ(zp.loads[0][4], zm.loads[0][4]);
}

TEST(OneCassette, AccumulatesInSinglePrecisionInRowOrder) {
  msg::Recorder rec;
  // 1e8 + 1 is 1e8 in single precision: the single newton is lost before 1e8 is taken
  // away again.
  const CalcOutput out = calc1(EK, {force("Z +", "100000000", "0", "0", "0"),
                                    force("Z +", "1", "0", "0", "0"),
                                    force("- Z", "100000000", "0", "0", "0")}, {}, {});
  EXPECT_EQ(out.loads[0][4], 0.0f);
  // In another order the newton survives.
  const CalcOutput out2 = calc1(EK, {force("Z +", "100000000", "0", "0", "0"),
                                     force("- Z", "100000000", "0", "0", "0"),
                                     force("Z +", "1", "0", "0", "0")}, {}, {});
  EXPECT_EQ(out2.loads[0][4], 1.0f);
}

TEST(OneCassette, OtherLabelsContributeNothing) {
  msg::Recorder rec;
  const CalcOutput out = calc1(EK, {force("Z +", "1000", "0", "50", "0"),
                                    force("Z", "5000", "0", "50", "0"),
                                    force("x +", "5000", "0", "50", "0")}, {}, {});
  EXPECT_FLOAT_EQ(out.loads[0][4], 2000.0f);
}

TEST(OneCassette, EmptyFirstRowIsRefused) {
  msg::Recorder rec;
  for (int c = 1; c <= 4; ++c) {
    rec.clear();
    QStringList row = force("Z +", "1000", "0", "0", "0");
    row[c].clear();
    const CalcOutput out = calc1(EK, {row}, {}, {});
    EXPECT_TRUE(out.calcFailed);
    EXPECT_FALSE(out.completed);
    EXPECT_TRUE(out.result.isEmpty());
    ASSERT_EQ(rec.messages.size(), 1);
    EXPECT_EQ(rec.messages[0], refusal(315));
  }
  rec.clear();
  EXPECT_TRUE(calc1(EK, {}, {}, {}).calcFailed);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].text, QStringLiteral("Es wurden keine Werte für\neine Berechnung "
                                                 "eingegeben!\nBitte ändern Sie Ihre Eingabe."));
}

TEST(OneCassette, FactorErrorsRepeatPerForceRowAndSeriesKBeforeK2) {
  msg::Recorder rec;
  Geo noB, fine, neither;
  noB.B = QStringLiteral("0");
  neither.B = QStringLiteral("0");
  neither.a1 = QStringLiteral("0");
  const CalcOutput out =
      calc(EK, {force("Z +", "1000", "0", "50", "0"), force("X +", "10", "0", "0", "0")}, {}, {},
           {TextRows{noB.row(), fine.row(), neither.row()}});
  ASSERT_TRUE(out.completed);
  const msg::Message k1 = factorError("Error gfsngK1!"), k2 = factorError("Error gfsngK2!");
  EXPECT_EQ(rec.messages, (QVector<msg::Message>{k1, k1, k2, k1, k1, k2}));
  // The calculation goes on with the factor 0.
  EXPECT_FLOAT_EQ(out.loads[0][0], 0.0f);
  EXPECT_FLOAT_EQ(out.loads[1][0], 1000.0f);
}

TEST(OneCassette, FactorMessagesRestartForEveryTableSet) {
  msg::Recorder rec;
  Geo noB;
  noB.B = QStringLiteral("0");
  calc(EK, {force("Z +", "1000", "0", "0", "0")}, {}, {}, {TextRows{noB.row()}, TextRows{},
                                                          TextRows{noB.row()}});
  EXPECT_EQ(rec.messages.size(), 2);
}

// --- unexpected errors ---------------------------------------------------------------

TEST(CalculationError, UnreadableLaterForceRowEndsTheCalculation) {
  msg::Recorder rec;
  Geo noB;
  noB.B = QStringLiteral("0");
  const CalcOutput out =
      calc(EK, {force("Z +", "1000", "0", "0", "0"), force("Z +", "", "0", "0", "0"),
                force("Z +", "1000", "0", "0", "0")}, {}, {}, {TextRows{noB.row()}});
  EXPECT_FALSE(out.completed);
  EXPECT_FALSE(out.calcFailed);
  EXPECT_TRUE(out.result.isEmpty());
  EXPECT_TRUE(out.loads.isEmpty());
  // The first row's factor message comes before the error of the second row.
  EXPECT_EQ(rec.messages, (QVector<msg::Message>{factorError("Error gfsngK1!"),
                                                 calcError(err::typeMismatch())}));
  EXPECT_EQ(rec.messages[1].text, QStringLiteral("Typen unverträglich"));
}

TEST(CalculationError, UnreadableCatalogueNumberAfterEarlierSeries) {
  msg::Recorder rec;
  Geo noB, broken;
  noB.B = QStringLiteral("0");
  broken.h1 = QStringLiteral("zwanzig");
  const CalcOutput out = calc(EK, {force("Z +", "1000", "0", "0", "0")}, {}, {},
                              {TextRows{noB.row(), broken.row(), noB.row()}});
  EXPECT_FALSE(out.completed);
  EXPECT_FALSE(out.calcFailed);
  EXPECT_EQ(rec.messages, (QVector<msg::Message>{factorError("Error gfsngK1!"),
                                                 calcError(err::typeMismatch())}));
}

TEST(CalculationError, BearingCountBeyondSixteenBitsIsAnOverflow) {
  msg::Recorder rec;
  Geo g;
  g.anzR = QStringLiteral("40000");
  const CalcOutput out = calc1(EK, {force("Z +", "1000", "0", "0", "0")}, {}, {}, g);
  EXPECT_FALSE(out.completed);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0], calcError(err::overflow()));
}

TEST(CalculationError, ColumnsAModelDoesNotUseMayBeEmpty) {
  msg::Recorder rec;
  Geo g;  // a cassette catalogue without single-rail data
  g.b2.clear();
  g.h2.clear();
  g.bI.clear();
  g.fe.clear();
  const CalcOutput out = calc1(EK, {force("Z +", "1000", "0", "0", "0")}, {}, {}, g);
  EXPECT_TRUE(out.completed);
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST(CalculationError, ResultBeyondSinglePrecisionIsAnOverflow) {
  msg::Recorder rec;
  const CalcOutput out =
      calc1(EK, {force("Z +", "3e38", "0", "0", "0"), force("Z +", "3e38", "0", "0", "0")}, {},
            {});
  EXPECT_FALSE(out.completed);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0], calcError(err::overflow()));
}

// --- one roller-shoe pair ------------------------------------------------------------

TEST(OneRollerShoePair, RailDistanceChecks) {
  msg::Recorder rec;
  const TextRows forces{force("Z +", "600", "0", "30", "0")};
  CalcOutput out = calc1(ER, forces, {}, {});
  EXPECT_TRUE(out.calcFailed);
  EXPECT_EQ(out.nText, QStringLiteral("0"));
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0], refusal(319));

  rec.clear();
  out = calc1(ER, forces, {}, QStringLiteral("0,4"));
  EXPECT_TRUE(out.calcFailed);
  EXPECT_EQ(rec.messages, (QVector<msg::Message>{refusal(319)}));

  rec.clear();
  out = calc1(ER, forces, {}, QStringLiteral("0,6"));
  EXPECT_FALSE(out.calcFailed);
  EXPECT_TRUE(out.completed);
  EXPECT_EQ(out.railDistance, 1.0f);
  EXPECT_EQ(out.unitDistance, 0.0f);
  EXPECT_EQ(out.nText, QStringLiteral("0,6"));  // this screen keeps the field as typed
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST(OneRollerShoePair, RailDistanceIsCheckedBeforeTheForceTable) {
  msg::Recorder rec;
  const CalcOutput out = calc1(ER, {force("", "", "", "", "")}, {}, QStringLiteral("0"));
  EXPECT_TRUE(out.calcFailed);
  EXPECT_EQ(rec.messages, (QVector<msg::Message>{refusal(319)}));
  rec.clear();
  calc1(ER, {force("", "", "", "", "")}, {}, QStringLiteral("100"));
  EXPECT_EQ(rec.messages, (QVector<msg::Message>{refusal(315)}));
}

TEST(OneRollerShoePair, K1FromTheRailDistance) {
  msg::Recorder rec;
  // n = 100, bI = 10: k1 = 1/60 = 0.0167.
  CalcOutput out = calc1(ER, {force("Z +", "600", "0", "30", "0")}, {}, QStringLiteral("100"));
  ASSERT_TRUE(out.completed);
  EXPECT_NEAR(out.loads[0][0], 300.6, 1e-3);
  EXPECT_FLOAT_EQ(out.loads[0][3], 600.0f);
  EXPECT_NEAR(out.loads[0][4], 900.6, 1e-3);
  EXPECT_EQ(out.result[0], (QStringList{"FN", "20", "900,6", "FE 20"}));
  EXPECT_EQ(seriesCaptions(out), QStringList{"FE 20 20"});
  EXPECT_EQ(out.railDistance, 100.0f);

  // Y at z = 0 with h2 = 15: Q1 = -0.0167 * 15 * 100.
  out = calc1(ER, {force("Y +", "100", "0", "0", "0")}, {}, QStringLiteral("100"));
  EXPECT_NEAR(out.loads[0][0], -25.05, 1e-4);
  EXPECT_NEAR(out.loads[0][4], 125.05, 1e-4);
}

TEST(OneRollerShoePair, MissingSupportDistanceShowsK1ErrorPerRowAndSeries) {
  msg::Recorder rec;
  Geo g;
  g.bI = QStringLiteral("0");
  g.a2 = QStringLiteral("0");
  const CalcOutput out = calc(ER, {force("Z +", "600", "0", "30", "0"),
                                   force("X +", "600", "0", "30", "0")},
                              {}, QStringLiteral("100"), {TextRows{g.row(), g.row()}});
  ASSERT_TRUE(out.completed);
  const msg::Message k1 = factorError("Error gfsngK1!"), k2 = factorError("Error gfsngK2!");
  EXPECT_EQ(rec.messages, (QVector<msg::Message>{k1, k2, k1, k2, k1, k2, k1, k2}));
  EXPECT_FLOAT_EQ(out.loads[0][4], 600.0f);  // both factors 0: only the force itself
}

// --- results over several table sets --------------------------------------------------

TEST(ResultLists, TableSetsInOrderEmptySetsContributeNothing) {
  msg::Recorder rec;
  Geo a, b, c;
  a.serie = QStringLiteral("FN");
  b.serie = QStringLiteral("TL");
  b.gr = QStringLiteral("45");
  c.serie = QStringLiteral("Sonder");
  c.gr = QStringLiteral("1");
  const CalcOutput out = calc(EK, {force("- Z", "1234,5", "0", "0", "0")}, {}, {},
                              {TextRows{a.row()}, TextRows{}, TextRows{b.row(), c.row()}});
  ASSERT_EQ(out.result.size(), 3);
  EXPECT_EQ(out.result[0][0], QStringLiteral("FN"));
  EXPECT_EQ(out.result[1][0], QStringLiteral("TL"));
  EXPECT_EQ(out.result[2][0], QStringLiteral("Sonder"));
  EXPECT_EQ(out.result[2][2], QStringLiteral("1234,5"));
  EXPECT_EQ(out.loads.size(), 3);
  EXPECT_EQ(seriesCaptions(out).size(), 3);
}

TEST(ResultLists, NoTableSetsGiveAnEmptyButCompletedCalculation) {
  msg::Recorder rec;
  CalcInput in;
  in.arrangement = EK;
  in.forces = {force("- Z", "1000", "0", "0", "0")};
  in.tableCount = 2;  // no loader: nothing to load
  const CalcOutput out = runModel(in);
  EXPECT_TRUE(out.completed);
  EXPECT_TRUE(out.result.isEmpty());
}

}  // namespace
