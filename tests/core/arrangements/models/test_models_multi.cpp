// The four-position models: two cassettes on one double rail, two cassettes on two
// double rails, four cassettes on two double rails, two roller-shoe pairs.
#include <gtest/gtest.h>

#include <array>

#include "core/arrangements/models/ModelTestSupport.h"

using namespace modeltest;

namespace {

const ArrangementId ZK = ArrangementId::ZKaEDSch;
const ArrangementId ZZ = ArrangementId::ZKaZDSch;
const ArrangementId VK = ArrangementId::VKaZDSch;
const ArrangementId ZR = ArrangementId::ZRoEESch;

using Loads = std::array<float, 5>;

void expectLoads(const CalcOutput &out, const Loads &expected, int row = 0) {
  ASSERT_TRUE(out.completed);
  ASSERT_GT(out.loads.size(), row);
  for (int k = 0; k < 5; ++k)
    EXPECT_NEAR(out.loads[row][k], expected[k], 1e-3 * (1.0 + std::fabs(expected[k])))
        << "out" << k;
}

QString s(double v) { return QString::number(v).replace(QLatin1Char('.'), QLatin1Char(',')); }

// --- two cassettes on one double rail ------------------------------------------------

TEST(TwoCassettesOneRail, VerticalForceZones) {
  msg::Recorder rec;
  const QString m = QStringLiteral("200");
  // Z3 at the centre: 500 on every position (labels show half of it).
  expectLoads(calc1(ZK, {force("- Z", "1000", "0", "0", "0")}, m, {}), {500, 500, 500, 500, 500});
  // Z3 towards cassette 1.
  expectLoads(calc1(ZK, {force("- Z", "1000", "-50", "0", "0")}, m, {}), {750, 750, 250, 250, 750});
  // Inside the track width the lateral offset plays no part.
  expectLoads(calc1(ZK, {force("- Z", "1000", "-50", "15", "0")}, m, {}), {750, 750, 250, 250, 750});
  // Z4 beyond cassette 1: cassette 2 is lifted.
  expectLoads(calc1(ZK, {force("- Z", "1000", "-150", "0", "0")}, m, {}),
              {1250, 1250, 250, 250, 1250});
  // Z2 outside the track width, between the cassettes: b1 = 40, y = 30.
  // NN = 1000 (30/40 + 0.5)(50/200 + 0.5) = 937.5, FN = 1000 (0.25)(1.25) = 312.5.
  expectLoads(calc1(ZK, {force("- Z", "1000", "-50", "30", "0")}, m, {}),
              {937.5, 937.5, 312.5, 312.5, 937.5});
  // Z1 beyond a corner, quadrant A: P0 = P1 = NN, Q2 = -ON, Q3 = -OD.
  // NN = 1000 * 1.25 * 1.25, ON = 500 * 1.25 * 0.25, OD = 500 * (1.25 * 1.25 - 1).
  expectLoads(calc1(ZK, {force("- Z", "1000", "-150", "-30", "0")}, m, {}),
              {1562.5, 1562.5, 156.25, 281.25, 1562.5});
  // Quadrant B swaps the lifted positions of cassette 2.
  expectLoads(calc1(ZK, {force("- Z", "1000", "-150", "30", "0")}, m, {}),
              {1562.5, 1562.5, 281.25, 156.25, 1562.5});
  // Quadrant C and D mirror them onto cassette 1.
  expectLoads(calc1(ZK, {force("- Z", "1000", "150", "-30", "0")}, m, {}),
              {156.25, 281.25, 1562.5, 1562.5, 1562.5});
  expectLoads(calc1(ZK, {force("- Z", "1000", "150", "30", "0")}, m, {}),
              {281.25, 156.25, 1562.5, 1562.5, 1562.5});
  EXPECT_EQ(calc1(ZK, {force("- Z", "1000", "0", "0", "0")}, m, {}).result[0][2],
            QStringLiteral("500"));
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST(TwoCassettesOneRail, UpwardAndDownwardForces) {
  msg::Recorder rec;
  const QString m = QStringLiteral("200");
  const char *points[][2] = {{"-50", "0"}, {"-150", "-30"}, {"80", "35"}, {"170", "5"}};
  for (const auto &p : points) {
    const CalcOutput up = calc1(ZK, {force("Z +", "1000", p[0], p[1], "0")}, m, {});
    const CalcOutput down = calc1(ZK, {force("- Z", "1000", p[0], p[1], "0")}, m, {});
    for (int k = 0; k < 5; ++k) EXPECT_FLOAT_EQ(up.loads[0][k], down.loads[0][k]) << p[0];
    const CalcOutput both = calc1(ZK, {force("Z +", "1000", p[0], p[1], "0"),
                                       force("- Z", "1000", p[0], p[1], "0")}, m, {});
    for (int k = 0; k < 5; ++k) EXPECT_FLOAT_EQ(both.loads[0][k], 0.0f) << p[0];
  }
}

TEST(TwoCassettesOneRail, LateralForce) {
  msg::Recorder rec;
  // Y at the centre, h1 = 20, b1 = 40: every P gets -250, S1 = T1 = S3 = T3 = -500.
  expectLoads(calc1(ZK, {force("Y +", "1000", "0", "0", "0")}, QStringLiteral("200"), {}),
              {250, 750, 250, 750, 750});
  // Beyond cassette 1 (zone Y1), quadrant A: S1 = 2 HN = -1250, S2 = 2 HO = -250.
  expectLoads(calc1(ZK, {force("- Y", "1000", "-150", "0", "0")}, QStringLiteral("200"), {}),
              {250, 1500, 500, 250, 1500});
  // Quadrant B (y > 0) books on positions 0 and 3.
  expectLoads(calc1(ZK, {force("Y +", "1000", "-150", "5", "0")}, QStringLiteral("200"), {}),
              {1500, 250, 250, 500, 1500});
}

TEST(TwoCassettesOneRail, LongitudinalForce) {
  msg::Recorder rec;
  const QString m = QStringLiteral("200");
  // X at height 20 + 30: 2 CHx = -1000 * 50 / 200 = -250 pressing on cassette 1 (x <= 0),
  // lifting cassette 2.
  expectLoads(calc1(ZK, {force("X +", "1000", "0", "0", "30")}, m, {}), {250, 250, 250, 250, 250});
  // Outside the track width the force also turns the cassettes: 2 COx = -1000 * 40 / 200.
  expectLoads(calc1(ZK, {force("X +", "1000", "0", "-40", "30")}, m, {}),
              {450, 250, 250, 450, 450});
  expectLoads(calc1(ZK, {force("X +", "1000", "0", "40", "30")}, m, {}),
              {250, 450, 450, 250, 450});
  const CalcOutput plus = calc1(ZK, {force("X +", "900", "0", "-40", "12")}, m, {});
  const CalcOutput minus = calc1(ZK, {force("- X", "900", "0", "-40", "12")}, m, {});
  for (int k = 0; k < 5; ++k) EXPECT_EQ(plus.loads[0][k], minus.loads[0][k]);
}

TEST(TwoCassettesOneRail, DistanceRoundingAndRefusal) {
  msg::Recorder rec;
  const TextRows f{force("- Z", "1000", "0", "0", "0")};
  for (const char *typed : {"199,5", "200,5", "200"}) {
    const CalcOutput out = calc1(ZK, f, QString::fromUtf8(typed), {});
    EXPECT_EQ(out.mText, QStringLiteral("200")) << typed;
    EXPECT_EQ(out.unitDistance, 200.0f);
    EXPECT_EQ(out.railDistance, 0.0f);
    EXPECT_TRUE(out.completed);
  }
  EXPECT_TRUE(rec.messages.isEmpty());

  CalcOutput out = calc1(ZK, f, {}, {});
  EXPECT_TRUE(out.calcFailed);
  EXPECT_EQ(out.mText, QStringLiteral("0"));
  EXPECT_EQ(rec.messages, (QVector<msg::Message>{refusal(320)}));

  rec.clear();
  out = calc1(ZK, f, QStringLiteral("0,4"), {});
  EXPECT_TRUE(out.calcFailed);
  EXPECT_EQ(out.mText, QStringLiteral("0"));
  EXPECT_EQ(rec.messages, (QVector<msg::Message>{refusal(320)}));

  rec.clear();
  out = calc1(ZK, f, QStringLiteral("0,6"), {});
  EXPECT_TRUE(out.completed);
  EXPECT_EQ(out.mText, QStringLiteral("1"));

  // The distance is checked before the force table.
  rec.clear();
  out = calc1(ZK, {force("- Z", "", "", "", "")}, QStringLiteral("0"), {});
  EXPECT_EQ(rec.messages, (QVector<msg::Message>{refusal(320)}));
  rec.clear();
  out = calc1(ZK, {force("- Z", "", "", "", "")}, QStringLiteral("100"), {});
  EXPECT_EQ(rec.messages, (QVector<msg::Message>{refusal(315)}));
  EXPECT_EQ(out.unitDistance, 100.0f);
}

TEST(TwoCassettesOneRail, UnreadableDistanceIsRefusedNotCalculated) {
  msg::Recorder rec;
  const CalcOutput out = calc1(ZK, {force("- Z", "1000", "0", "0", "0")}, QStringLiteral("1,2,3"), {});
  EXPECT_TRUE(out.calcFailed);
  EXPECT_FALSE(out.completed);
  EXPECT_EQ(out.mText, QStringLiteral("1,2,3"));
  EXPECT_EQ(rec.messages, (QVector<msg::Message>{refusal(320)}));
}

TEST(TwoCassettesOneRail, CalculationErrorKeepsTheRefusalFlagOff) {
  msg::Recorder rec;
  Geo g;
  g.b1 = QStringLiteral("vierzig");
  const CalcOutput out = calc1(ZK, {force("- Z", "1000", "0", "0", "0")}, QStringLiteral("200"), {}, g);
  EXPECT_FALSE(out.calcFailed);
  EXPECT_FALSE(out.completed);
  EXPECT_EQ(rec.messages, (QVector<msg::Message>{calcError(QStringLiteral("Typen unverträglich"))}));
}

// --- two cassettes on two double rails -----------------------------------------------

Geo sideBySide() {
  Geo g;
  g.a1 = QStringLiteral("40");
  g.a2 = QStringLiteral("60");
  return g;  // a = 50, x' = x -+ 5
}

TEST(TwoCassettesTwoRails, VerticalForce) {
  msg::Recorder rec;
  const QString n = QStringLiteral("100");
  expectLoads(calc1(ZZ, {force("- Z", "1000", "0", "0", "0")}, {}, n, sideBySide()),
              {500, 500, 500, 500, 500});
  // x = 10 gives x' = 5: zone Z3, quadrant C; P2 = P3 = 350, P0 = P1 = 150 (doubled).
  expectLoads(calc1(ZZ, {force("- Z", "1000", "10", "0", "0")}, {}, n, sideBySide()),
              {300, 300, 700, 700, 700});
  // x = 3 moves to x' = -2, the quadrant still follows x: the +x groups carry more.
  const CalcOutput out = calc1(ZZ, {force("- Z", "1000", "3", "0", "0")}, {}, n, sideBySide());
  expectLoads(out, {440, 440, 560, 560, 560});
  // Z4: x = 40, x' = 35 > 25: NN' = 1000 * 0.5 * 1.2, HOa' = 500 * 0.2.
  expectLoads(calc1(ZZ, {force("- Z", "1000", "40", "0", "0")}, {}, n, sideBySide()),
              {200, 200, 1200, 1200, 1200});
  // Z2: x = 10, y = 60 beyond the rail: NN = 1000 * 1.1 * 0.7, FN = 1000 * 0.3 * 1.1,
  // HOn = 500 * 0.1 lifts the other rail.
  expectLoads(calc1(ZZ, {force("- Z", "1000", "10", "60", "0")}, {}, n, sideBySide()),
              {100, 660, 100, 1540, 1540});
  // Z1: x = 40, y = -60: NN' = 1000 * 1.1 * 1.2, ON' = 500 * 1.1 * 0.2,
  // OD' = 500 * (1.2 * 1.1 - 1), HOn = 50; quadrant C.
  expectLoads(calc1(ZZ, {force("- Z", "1000", "40", "-60", "0")}, {}, n, sideBySide()),
              {220, 320, 2640, 100, 2640});
  EXPECT_EQ(out.result[0], (QStringList{"FN", "20", "560", "FD 20"}));
}

TEST(TwoCassettesTwoRails, LongitudinalForceIgnoresTheRailZone) {
  msg::Recorder rec;
  // X with h1 = 20, a = 50: CHa = -200 on the -x groups, +200 on the +x groups.
  expectLoads(calc1(ZZ, {force("X +", "1000", "0", "0", "0")}, {}, QStringLiteral("100"),
                    sideBySide()),
              {400, 400, 400, 400, 400});
  const CalcOutput wide =
      calc1(ZZ, {force("X +", "1000", "0", "30", "0")}, {}, QStringLiteral("100"), sideBySide());
  const CalcOutput narrow =
      calc1(ZZ, {force("- X", "1000", "0", "30", "0")}, {}, QStringLiteral("20"), sideBySide());
  for (int k = 0; k < 5; ++k) EXPECT_EQ(wide.loads[0][k], narrow.loads[0][k]);
  // COa = -1000 * 30 / 100 = -300 lateral: 2 (200 + 300).
  expectLoads(wide, {1000, 1000, 1000, 1000, 1000});
}

TEST(TwoCassettesTwoRails, LateralForce) {
  msg::Recorder rec;
  // Y at z = 30 (z' = 50), n = 100: CHn = -250; HN = HF = -250 at x = 0 (zone Y2).
  expectLoads(calc1(ZZ, {force("Y +", "1000", "0", "0", "30")}, {}, QStringLiteral("100"),
                    sideBySide()),
              {1000, 1000, 1000, 1000, 1000});
  const CalcOutput plus =
      calc1(ZZ, {force("Y +", "800", "-40", "0", "5")}, {}, QStringLiteral("100"), sideBySide());
  const CalcOutput minus =
      calc1(ZZ, {force("- Y", "800", "-40", "0", "5")}, {}, QStringLiteral("100"), sideBySide());
  for (int k = 0; k < 5; ++k) EXPECT_EQ(plus.loads[0][k], minus.loads[0][k]);
}

TEST(TwoCassettesTwoRails, RailDistanceRoundingAndRefusal) {
  msg::Recorder rec;
  const TextRows f{force("- Z", "1000", "0", "0", "0")};
  CalcOutput out = calc1(ZZ, f, QStringLiteral("ignored"), QStringLiteral("200,5"));
  EXPECT_TRUE(out.completed);
  EXPECT_EQ(out.nText, QStringLiteral("200"));
  EXPECT_EQ(out.mText, QStringLiteral("ignored"));
  EXPECT_EQ(out.railDistance, 200.0f);
  EXPECT_EQ(out.unitDistance, 0.0f);
  out = calc1(ZZ, f, {}, {});
  EXPECT_TRUE(out.calcFailed);
  EXPECT_EQ(out.nText, QStringLiteral("0"));
  EXPECT_EQ(rec.messages, (QVector<msg::Message>{refusal(319)}));
}

// --- four cassettes on two double rails ----------------------------------------------

TEST(FourCassettes, VerticalForce) {
  msg::Recorder rec;
  const QString m = QStringLiteral("200"), n = QStringLiteral("100");
  expectLoads(calc1(VK, {force("- Z", "1000", "0", "0", "0")}, m, n), {250, 250, 250, 250, 250});
  expectLoads(calc1(VK, {force("- Z", "800", "-50", "25", "0")}, m, n), {150, 450, 50, 150, 450});
  // Beyond corner 0: P0 = 1562.5, P1 = -125, P2 = -156.25, P3 = -281.25, together F.
  const CalcOutput corner = calc1(VK, {force("- Z", "1000", "-150", "-75", "0")}, m, n);
  expectLoads(corner, {1562.5, 125, 156.25, 281.25, 1562.5});
  const auto &l = corner.loads[0];
  EXPECT_FLOAT_EQ(l[0] - l[1] - l[2] - l[3], 1000.0f);
  // Z2 (between the cassettes along X, beyond the rail) and Z4 (beyond along X only).
  // Z2 at (50, 75): NN = 1000 * 1.25 * 0.75 on 3, FN = 1000 * 0.25 * 1.25 on 1,
  // HOn = 500 * 0.25 lifts 0 and 2.
  expectLoads(calc1(VK, {force("- Z", "1000", "50", "75", "0")}, m, n), {125, 312.5, 125, 937.5, 937.5});
  // Z4 at (150, -25): NN = 1000 * 0.75 * 1.25 on 2, NF = 1000 * 0.25 * 1.25 on 3,
  // HOm = 500 * 0.25 lifts 0 and 1.
  expectLoads(calc1(VK, {force("- Z", "1000", "150", "-25", "0")}, m, n), {125, 125, 937.5, 312.5, 937.5});
}

TEST(FourCassettes, SharesInsideTheRectangleAddUpToTheForce) {
  msg::Recorder rec;
  const QString m = QStringLiteral("200"), n = QStringLiteral("100");
  const double points[][2] = {{-99, -49}, {-12.5, 33}, {0, 0}, {37, -8}, {100, 50}, {64, 21}};
  for (const auto &p : points) {
    const CalcOutput at = calc(VK, {QStringList{"- Z", "1234", s(p[0]), s(p[1]), "0"}}, m, n,
                               {TextRows{Geo().row()}});
    ASSERT_TRUE(at.completed);
    const auto &l = at.loads[0];
    EXPECT_NEAR(l[0] + l[1] + l[2] + l[3], 1234.0, 1e-2) << p[0] << " " << p[1];
  }
}

TEST(FourCassettes, SignsOfForces) {
  msg::Recorder rec;
  const QString m = QStringLiteral("200"), n = QStringLiteral("100");
  const CalcOutput xp = calc1(VK, {force("X +", "1000", "0", "30", "10")}, m, n);
  const CalcOutput xm = calc1(VK, {force("- X", "1000", "0", "30", "10")}, m, n);
  // X at z' = 30: CHm = -1000 * 30 / 400 = -75, COm = -1000 * 30 / 400 = -75.
  expectLoads(xp, {150, 150, 150, 150, 150});
  for (int k = 0; k < 5; ++k) EXPECT_EQ(xp.loads[0][k], xm.loads[0][k]);
  const CalcOutput zp = calc1(VK, {force("Z +", "1000", "-150", "-75", "0")}, m, n);
  const CalcOutput zm = calc1(VK, {force("- Z", "1000", "-150", "-75", "0")}, m, n);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(zp.loads[0][k], zm.loads[0][k]);
  const CalcOutput mixed = calc1(VK, {force("Z +", "1000", "-150", "-75", "0"),
                                      force("- Z", "1000", "-150", "-75", "0")}, m, n);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(mixed.loads[0][k], 0.0f);
  // Y at x = 0, z' = 20: CHn = -100 opposite on the rails, HN = HF = -250 lateral.
  expectLoads(calc1(VK, {force("- Y", "1000", "0", "0", "0")}, m, n), {350, 350, 350, 350, 350});
}

TEST(FourCassettes, DistancesAndRefusal) {
  msg::Recorder rec;
  const TextRows f{force("- Z", "1000", "0", "0", "0")};
  CalcOutput out = calc1(VK, f, QStringLiteral("0"), QStringLiteral("100"));
  EXPECT_TRUE(out.calcFailed);
  EXPECT_EQ(rec.messages, (QVector<msg::Message>{refusal(321)}));
  EXPECT_EQ(out.unitDistance, 0.0f);
  EXPECT_EQ(out.railDistance, 100.0f);
  rec.clear();
  out = calc1(VK, f, QStringLiteral("300"), QStringLiteral(""));
  EXPECT_EQ(rec.messages, (QVector<msg::Message>{refusal(321)}));
  EXPECT_EQ(out.nText, QStringLiteral("0"));
  rec.clear();
  out = calc1(VK, f, QStringLiteral("199,5"), QStringLiteral("100,5"));
  EXPECT_TRUE(out.completed);
  EXPECT_EQ(out.mText, QStringLiteral("200"));
  EXPECT_EQ(out.nText, QStringLiteral("100"));
  EXPECT_EQ(out.unitDistance, 200.0f);
  EXPECT_EQ(out.railDistance, 100.0f);
  EXPECT_TRUE(rec.messages.isEmpty());
}

// --- two roller-shoe pairs -----------------------------------------------------------

TEST(TwoRollerShoePairs, VerticalForceUsesTheLateralOffsetInside) {
  msg::Recorder rec;
  const QString m = QStringLiteral("200"), n = QStringLiteral("80");  // b2 = 10: W = 100
  expectLoads(calc1(ZR, {force("- Z", "1000", "0", "0", "0")}, m, n), {500, 500, 500, 500, 500});
  const CalcOutput out = calc1(ZR, {force("- Z", "1000", "0", "-25", "0")}, m, n);
  expectLoads(out, {750, 250, 750, 250, 750});
  EXPECT_EQ(out.result[0], (QStringList{"FN", "20", "750", "FE 20"}));
  EXPECT_EQ(seriesCaptions(out), QStringList{"FE 20 20"});
  // The same force on two cassettes on one double rail of the same support width
  // ignores the offset.
  Geo wideRail;
  wideRail.b1 = QStringLiteral("100");
  expectLoads(calc1(ZK, {force("- Z", "1000", "0", "-25", "0")}, m, {}, wideRail),
              {500, 500, 500, 500, 500});
  // Z4 with the offset: x = -150, y = 25 (quadrant B), 2 NN = 2 * 1000 * 0.75 * 1.25.
  expectLoads(calc1(ZR, {force("- Z", "1000", "-150", "25", "0")}, m, n),
              {625, 1875, 250, 250, 1875});
}

TEST(TwoRollerShoePairs, SharesInsideTheRectangleAddUpToTwiceTheForce) {
  msg::Recorder rec;
  const double points[][2] = {{-99, -49}, {-12.5, 33}, {37, -8}, {100, 50}};
  for (const auto &p : points) {
    const CalcOutput out = calc(ZR, {QStringList{"- Z", "1000", s(p[0]), s(p[1]), "0"}},
                                QStringLiteral("200"), QStringLiteral("80"), {TextRows{Geo().row()}});
    ASSERT_TRUE(out.completed);
    const auto &l = out.loads[0];
    // The labels show half of each position load; those halves carry the force.
    EXPECT_NEAR((l[0] + l[1] + l[2] + l[3]) / 2, 1000.0, 1e-2) << p[0] << " " << p[1];
  }
}

TEST(TwoRollerShoePairs, LateralForceCoupleOverTheSupportWidth) {
  msg::Recorder rec;
  // -1000 * 15 / 200 = -75 on every P; S1 = T1 = S3 = T3 = -500.
  expectLoads(calc1(ZR, {force("Y +", "1000", "0", "0", "0")}, QStringLiteral("200"),
                    QStringLiteral("80")),
              {75, 575, 75, 575, 575});
}

TEST(TwoRollerShoePairs, DistancesAndRefusal) {
  msg::Recorder rec;
  const TextRows f{force("- Z", "1000", "0", "0", "0")};
  CalcOutput out = calc1(ZR, f, QStringLiteral("200"), {});
  EXPECT_TRUE(out.calcFailed);
  EXPECT_EQ(out.nText, QStringLiteral("0"));
  EXPECT_EQ(out.mText, QStringLiteral("200"));
  EXPECT_EQ(rec.messages, (QVector<msg::Message>{refusal(313)}));
  EXPECT_EQ(rec.messages[0].text,
            QStringLiteral("Der Schienen- oder der Rollenschuhabstand\nwurden nicht korrekt "
                           "eingegeben!\nBitte ändern Sie Ihre Eingabe."));
  rec.clear();
  out = calc1(ZR, f, QStringLiteral("199,5"), QStringLiteral("80,5"));
  EXPECT_TRUE(out.completed);
  EXPECT_EQ(out.mText, QStringLiteral("200"));
  EXPECT_EQ(out.nText, QStringLiteral("80"));
  EXPECT_EQ(out.unitDistance, 200.0f);
  EXPECT_EQ(out.railDistance, 80.0f);
}

TEST(FourPositionModels, LongitudinalAndUnknownRowsOnEveryModel) {
  msg::Recorder rec;
  for (ArrangementId id : {ZK, ZZ, VK, ZR}) {
    const CalcOutput base = calc1(id, {force("- Z", "1000", "-30", "12", "4")},
                                  QStringLiteral("200"), QStringLiteral("80"), sideBySide());
    const CalcOutput withOther =
        calc1(id, {force("- Z", "1000", "-30", "12", "4"), force("Z", "999", "1", "2", "3")},
              QStringLiteral("200"), QStringLiteral("80"), sideBySide());
    for (int k = 0; k < 5; ++k) EXPECT_EQ(base.loads[0][k], withOther.loads[0][k]);
  }
  EXPECT_TRUE(rec.messages.isEmpty());
}

}  // namespace

namespace {

// Mirroring the point of application across the X axis (y -> -y) swaps the two positions
// of each unit (k -> k ^ 1); across the Y axis (x -> -x) it swaps the units (k -> k ^ 2).
// Every zone and quadrant must follow this, for forces of every direction and both signs.
TEST(FourPositionModels, MirroredPointsMirrorTheLoads) {
  msg::Recorder rec;
  const char *labels[] = {"Z +", "- Z", "Y +", "- Y", "X +", "- X"};
  // Points inside, beyond the units along X, beyond the supports across, beyond a corner.
  const double points[][2] = {{30, 10}, {170, 12}, {40, 70}, {160, 90}, {5, 45}, {130, 3}};
  for (ArrangementId id : {ZK, ZZ, VK, ZR}) {
    for (const char *label : labels) {
      for (const auto &p : points) {
        const auto run = [&](double sx, double sy) {
          return calc(id, {QStringList{QString::fromLatin1(label), "1000", s(sx * p[0]),
                                       s(sy * p[1]), "7"}},
                      QStringLiteral("200"), QStringLiteral("80"), {TextRows{sideBySide().row()}});
        };
        const CalcOutput base = run(1, 1);
        ASSERT_TRUE(base.completed);
        const CalcOutput mirrors[3] = {run(1, -1), run(-1, 1), run(-1, -1)};
        const int flips[3] = {1, 2, 3};
        for (int i = 0; i < 3; ++i) {
          for (int k = 0; k < 4; ++k)
            EXPECT_EQ(mirrors[i].loads[0][k ^ flips[i]], base.loads[0][k])
                << "model " << int(id) << " " << label << " at " << p[0] << "/" << p[1]
                << " mirror " << i << " position " << k;
          EXPECT_EQ(mirrors[i].loads[0][4], base.loads[0][4]);
        }
      }
    }
  }
}

// The sense of an X or Y force never matters, wherever it acts.
TEST(FourPositionModels, BothSensesOfXAndYForcesGiveEqualResults) {
  msg::Recorder rec;
  const double points[][2] = {{-30, -10}, {170, -12}, {-40, 70}, {160, 90}};
  for (ArrangementId id : {ZK, ZZ, VK, ZR}) {
    for (const auto &p : points) {
      for (const auto &pair : {std::pair{"X +", "- X"}, std::pair{"Y +", "- Y"}}) {
        const auto run = [&](const char *label) {
          return calc(id, {QStringList{QString::fromLatin1(label), "650", s(p[0]), s(p[1]), "15"}},
                      QStringLiteral("200"), QStringLiteral("80"), {TextRows{sideBySide().row()}});
        };
        const CalcOutput a = run(pair.first), b = run(pair.second);
        for (int k = 0; k < 5; ++k) EXPECT_EQ(a.loads[0][k], b.loads[0][k]) << pair.first;
      }
    }
  }
}

}  // namespace

// --- hand-computed cases of single zone/quadrant cells ---------------------------------

namespace {

// Two cassettes side by side (a1 = 40, a2 = 60: a = 50, inward shift 5), n = 100.
TEST(HandComputed, SideBySideCornerForceUsesTheShiftedPoint) {
  msg::Recorder rec;
  const QString n = QStringLiteral("100");
  // "- Z" 1000 N at (45, 70): x' = 40 > 25, |y| = 70 > 50, zone Z1, quadrant D.
  // NN' = 1000 (0.7 + 0.5)(40/50 + 0.5) = 1560 on point 3; ON' = 500 * 1.2 * 0.3 = 180
  // lifts point 1; OD' = 500 ((40*70 + (50*70 + 100*40)/2) / 5000 - 0.75) = 280 lifts
  // point 0; HOn = 500 (0.7 - 0.5) = 100 lifts point 2. Doubled for the whole cassette.
  const CalcOutput corner = calc1(ZZ, {force("- Z", "1000", "45", "70", "0")}, {}, n, sideBySide());
  expectLoads(corner, {560, 360, 200, 3120, 3120});
  EXPECT_EQ(corner.result[0][2], QStringLiteral("3120"));
  // At x = 28 the point itself lies beyond a/2 but x' = 23 does not: zone Z2, quadrant
  // D, shares with the unshifted x: NN = 1000 * 1.2 * (28/50 + 0.5) = 1272 on point 3,
  // FN = 1000 * 1.2 * (0.5 - 0.56) = -72 on point 1, HOn = 100 lifts points 0 and 2.
  expectLoads(calc1(ZZ, {force("- Z", "1000", "28", "70", "0")}, {}, n, sideBySide()),
              {200, 144, 200, 2544, 2544});
  // Z4 through the shifted point, quadrant B: x = -40 (x' = -35), y = 20:
  // NN' = 1000 (0.2 + 0.5)(0.7 + 0.5) = 840 on point 1, NF' = 1000 (0.5 - 0.2) * 1.2 = 360
  // on point 0, HOa' = 500 (0.7 - 0.5) = 100 lifts points 2 and 3.
  expectLoads(calc1(ZZ, {force("- Z", "1000", "-40", "20", "0")}, {}, n, sideBySide()),
              {720, 1680, 200, 200, 1680});
}

TEST(HandComputed, SideBySideLateralForceZoneFollowsTheShiftedPoint) {
  msg::Recorder rec;
  const QString n = QStringLiteral("100");
  // "- Y" 1000 N at x = -40 (x' = -35: zone Y1), quadrant A, z' = 20:
  // CHn = -1000 * 20 / 200 = -100 on points 0 and 2, +100 on 1 and 3;
  // HNa = -500 (40/50 + 0.5) = -650 taken off L0, L1; HOa = -500 * 0.3 = -150 on L2, L3.
  expectLoads(calc1(ZZ, {force("- Y", "1000", "-40", "0", "0")}, {}, n, sideBySide()),
              {1500, 1500, 500, 500, 1500});
  // x = -28 (x' = -23: zone Y2): HNa = -500 * 1.06 = -530 off L0, L1;
  // HFa = -500 (0.5 - 0.56) = 30 off L2, L3.
  expectLoads(calc1(ZZ, {force("- Y", "1000", "-28", "0", "0")}, {}, n, sideBySide()),
              {1260, 1260, 260, 260, 1260});
}

TEST(HandComputed, TwoCassettesOneRailLateralForceBeyondCassetteTwo) {
  msg::Recorder rec;
  const QString m = QStringLiteral("200");  // b1 = 40, h1 = 20
  // "Y +" 1000 N at (150, 10, 10): zone Y1, quadrant D, z' = 30.
  // CHy = -1000 * 30 / 80 = -375 on every P; 2 HOy = -1000 (0.75 - 0.5) = -250 on S1, T1;
  // 2 HNy = -1000 (0.75 + 0.5) = -1250 on S2, T2.
  expectLoads(calc1(ZK, {force("Y +", "1000", "150", "10", "10")}, m, {}),
              {375, 625, 1625, 375, 1625});
  // With a "- Z" force of 4000 N beyond cassette 1 (zone Z4, quadrant A) the lifting sums
  // count: P0 = P1 = 4000 * 1.25 - 375 = 4625, Q2 = Q3 = -4000 * 0.25 = -1000.
  // out1 = |P1| + |S1| = 4875, out2 = |Q2| + |T2| = 2250, out3 = |Q3| = 1000.
  expectLoads(calc1(ZK, {force("- Z", "4000", "-150", "0", "0"),
                         force("Y +", "1000", "150", "10", "10")}, m, {}),
              {4625, 4875, 2250, 1000, 4875});
}

TEST(HandComputed, RollerShoePairsLongitudinalForceOutsideTheSupportWidth) {
  msg::Recorder rec;
  const QString m = QStringLiteral("200"), n = QStringLiteral("80");  // b2 = 10: W = 100
  // "X +" 1000 N at (30, -60, 25): z' = 25 + h2 = 40, |y| = 60 > 50: zone X1, x > 0.
  // 2 CHx = -1000 * 40 / 200 = -200 on P2, P3, +200 on Q0, Q1; 2 COx = -1000 * 60 / 200 =
  // -300 on S1, S2, T1, T2 (y <= 0).
  expectLoads(calc1(ZR, {force("X +", "1000", "30", "-60", "25")}, m, n), {200, 500, 500, 200, 500});
  // At y = -30 the force lies inside W (zone X2): no lateral share, though b1 = 40 of
  // the same series would have put it outside.
  expectLoads(calc1(ZR, {force("X +", "1000", "30", "-30", "25")}, m, n), {200, 200, 200, 200, 200});
  // Z1 and Z2 with W: (-150, -60): NN = 1000 * 1.1 * 1.25 = 1375 on P0, P1,
  // ON = 500 * 1.1 * 0.25 = 137.5 and OD = 500 (1.25 * 1.1 - 1) = 187.5 lifting 2 and 3.
  expectLoads(calc1(ZR, {force("- Z", "1000", "-150", "-60", "0")}, m, n),
              {1375, 1375, 137.5, 187.5, 1375});
  // (-50, 60): NN = 1000 * 1.1 * 0.75 = 825, FN = 1000 * 1.1 * 0.25 = 275.
  expectLoads(calc1(ZR, {force("- Z", "1000", "-50", "60", "0")}, m, n), {825, 825, 275, 275, 825});
}

TEST(HandComputed, FourCassettesLateralForceBeyondTheCassettes) {
  msg::Recorder rec;
  // "Y +" 1000 N at (150, 0, 0), m = 200, n = 100, h1 = 20: zone Y1, quadrant C.
  // CHn = -100: P0, P2 -100, P1, P3 +100; HOx = -125 on L0, L1; HNx = -625 taken off L2, L3.
  expectLoads(calc1(VK, {force("Y +", "1000", "150", "0", "0")}, QStringLiteral("200"),
                    QStringLiteral("100")),
              {225, 225, 725, 725, 725});
}

}  // namespace

namespace {

// On the support line itself the point counts as between the supports (|x| <= m/2).
TEST(HandComputed, PointOnTheSupportLineIsBetweenTheSupports) {
  msg::Recorder rec;
  // Two cassettes, m = 200, b1 = 40: (-100, -30) is zone Z2, quadrant A:
  // NN = 1000 (30/40 + 0.5)(100/200 + 0.5) = 1250, FN = 0; zone Z1 would lift
  // position 3 by OD = 500 (1.25 - 1) = 125.
  expectLoads(calc1(ZK, {force("- Z", "1000", "-100", "-30", "0")}, QStringLiteral("200"), {}),
              {1250, 1250, 0, 0, 1250});
  // Side by side, x = 30 gives x' = 25 = a/2: zone Z2, quadrant D, with x = 30:
  // NN = 1000 * 1.2 * 1.1 = 1320, FN = 1000 * 1.2 * (-0.1) = -120, HOn = 100.
  expectLoads(calc1(ZZ, {force("- Z", "1000", "30", "70", "0")}, {}, QStringLiteral("100"),
                    sideBySide()),
              {200, 240, 200, 2640, 2640});
}

}  // namespace
