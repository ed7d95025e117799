// The rigid-plate check beside the multi-unit models: statics of the support reactions,
// continuity where the model's zones jump, the sense of X forces, and the rule that the
// larger of model and check is rated. Generated cases use a fixed seed.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "core/arrangements/models/ModelTestSupport.h"
#include "core/arrangements/models/RigidCheck.h"
#include "core/common/Numbers.h"

using namespace modeltest;

namespace {

const ArrangementId kMulti[] = {ArrangementId::ZKaEDSch, ArrangementId::ZKaZDSch,
                                ArrangementId::VKaZDSch, ArrangementId::ZRoEESch};

QString text(double v) { return num::doubleToText(v); }

CalcOutput calcWith(ArrangementId id, const TextRows &forces, bool rigidCheck,
                    const Geo &g = Geo(), const QString &m = "200", const QString &n = "100") {
  CalcInput in;
  in.arrangement = id;
  in.forces = forces;
  in.m = m;
  in.n = n;
  in.tableCount = 1;
  const TextRows table{g.row()};
  in.loadTable = [table](int) { return table; };
  in.rigidCheck = rigidCheck;
  return runModel(in);
}

// Random force tables: every direction label, points inside and beyond the supports.
struct Generator {
  std::mt19937 rng{20261208u};
  double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }
  int whole(double lo, double hi) { return static_cast<int>(std::lround(uniform(lo, hi))); }
  TextRows forces(int count, bool verticalOnly = false) {
    static const char *labels[] = {"X +", "- X", "Y +", "- Y", "Z +", "- Z"};
    TextRows rows;
    for (int r = 0; r < count; ++r) {
      const char *label = verticalOnly ? labels[4 + whole(0, 1)] : labels[whole(0, 5)];
      rows.append({QString::fromLatin1(label), text(whole(10, 3000)), text(whole(-300, 300)),
                   text(whole(-200, 200)), text(whole(-50, 150))});
    }
    return rows;
  }
};

plate::Sums sumsOf(const TextRows &rows) {
  plate::Sums s;
  for (const QStringList &r : rows) {
    plate::Load l;
    const double F = std::fabs(r[1].toDouble());
    const QString d = r[0];
    if (d == "X +") l.Fx = F;
    if (d == "- X") l.Fx = -F;
    if (d == "Y +") l.Fy = F;
    if (d == "- Y") l.Fy = -F;
    if (d == "Z +") l.Fz = F;
    if (d == "- Z") l.Fz = -F;
    l.x = r[2].toDouble();
    l.y = r[3].toDouble();
    l.z = r[4].toDouble();
    s.add(l);
  }
  return s;
}

}  // namespace

// Vertical forces on four supports: the reactions carry the load and balance both
// tilting moments, whatever the zone of each point of application.
TEST(RigidCheck, FourSupportReactionsBalanceVerticalForces) {
  Generator gen;
  for (plate::Supports kind : {plate::Supports::Corners, plate::Supports::RollerGroups}) {
    for (int c = 0; c < 200; ++c) {
      const plate::Sums s = sumsOf(gen.forces(gen.whole(1, 6), true));
      plate::Geometry g;
      g.supports = kind;
      g.span = gen.whole(40, 400);
      g.n = gen.whole(40, 400);
      g.h = gen.whole(10, 30);
      const plate::Reactions r = plate::reactions(s, g);
      double sum = 0, my = 0, mx = 0;
      for (int k = 0; k < 4; ++k) {
        const double x = (k < 2 ? -0.5 : 0.5) * g.span, y = (k % 2 == 0 ? -0.5 : 0.5) * g.n;
        sum += r.p[k];
        my += r.p[k] * x;
        mx += r.p[k] * y;
        EXPECT_EQ(r.h[k], 0.0);
      }
      const double tol = 1e-9 * (1 + std::fabs(s.W) + std::fabs(s.My) + std::fabs(s.Mx));
      EXPECT_NEAR(sum, s.W, tol);
      EXPECT_NEAR(my, s.My, tol * g.span);
      EXPECT_NEAR(mx, s.Mx, tol * g.n);
    }
  }
}

// Where the model jumps (a payload crossing the rail line of the four cassettes, the
// support width of the roller-shoe pairs, the outer rollers side by side), the check
// moves by no more than the step of the point of application.
TEST(RigidCheck, CheckIsContinuousWhereTheModelJumps) {
  msg::Recorder rec;
  Generator gen;
  struct Crossing {
    ArrangementId id;
    bool alongX;   // the point crosses a limit along X (otherwise along Y)
    double edge;   // the limit for the test geometry (Geo(): a1 20, a2 60, b2 10)
  };
  // Four cassettes n = 100; roller-shoe pairs W = n + 2 b2 = 120; side by side the zone
  // limit x' = a/2 with x' = x - (a2 - a1)/4: x = 20 + 10 = 30.
  const Crossing crossings[] = {{ArrangementId::VKaZDSch, false, 50},
                                {ArrangementId::ZRoEESch, false, 60},
                                {ArrangementId::ZKaZDSch, true, 30}};
  for (const Crossing &c : crossings) {
    for (int i = 0; i < 20; ++i) {
      const double F = gen.whole(100, 5000), other = gen.whole(-40, 40);
      const double eps = 0.001;
      auto at = [&](double p) {
        const QString pos = text(p), o = text(other);
        return calcWith(c.id, {force("- Z", text(F).toUtf8(), (c.alongX ? pos : o).toUtf8(),
                                     (c.alongX ? o : pos).toUtf8(), "0")},
                        true);
      };
      const CalcOutput inside = at(c.edge - eps), outside = at(c.edge + eps);
      ASSERT_FALSE(inside.checkLoads.isEmpty());
      ASSERT_FALSE(outside.checkLoads.isEmpty());
      for (int k = 0; k < 5; ++k)
        EXPECT_NEAR(inside.checkLoads[0][k], outside.checkLoads[0][k], 1e-3 * F)
            << int(c.id) << " k " << k;
      // The rated load follows the check across the limit, never the model's drop.
      EXPECT_GE(outside.loads[0][4], outside.checkLoads[0][4]);
      EXPECT_GE(outside.loads[0][4], outside.modelLoads[0][4]);
    }
  }
}

// The model books X forces by their magnitude only; the check keeps their sense.
TEST(RigidCheck, ReversingAnXForceChangesTheCheckNotTheModel) {
  msg::Recorder rec;
  Generator gen;
  for (ArrangementId id : kMulti) {
    for (int i = 0; i < 25; ++i) {
      // A payload beside it: an X force alone gives mirrored values in either sense.
      TextRows rows = gen.forces(gen.whole(1, 3), true);
      const QString F = text(gen.whole(100, 3000)), x = text(gen.whole(-300, 300)),
                    y = text(gen.whole(-200, 200)), z = text(gen.whole(0, 150));
      TextRows plus = rows, minus = rows;
      plus.append({"X +", F, x, y, z});
      minus.append({"- X", F, x, y, z});
      const CalcOutput a = calcWith(id, plus, true), b = calcWith(id, minus, true);
      ASSERT_TRUE(a.completed && b.completed);
      EXPECT_EQ(a.modelLoads, b.modelLoads) << int(id);
      EXPECT_NE(a.checkLoads, b.checkLoads) << int(id);
    }
  }
}

// Without the check the calculation is the model's, to the last bit; with it, the load
// rated is the model's or, where it is more than 0.1 % higher, the check's.
TEST(RigidCheck, RatedLoadIsTheModelsOrTheLargerCheck) {
  msg::Recorder rec;
  Generator gen;
  int governed = 0, cases = 0;
  for (ArrangementId id : kMulti) {
    for (int i = 0; i < 50; ++i) {
      const TextRows rows = gen.forces(gen.whole(1, 8));
      const CalcOutput off = calcWith(id, rows, false), on = calcWith(id, rows, true);
      ASSERT_TRUE(off.completed && on.completed);
      EXPECT_EQ(off.loads, on.modelLoads);
      EXPECT_EQ(off.loads, off.modelLoads);
      EXPECT_TRUE(off.checkLoads.isEmpty());
      EXPECT_EQ(off.byCheck, QVector<bool>{false});
      EXPECT_EQ(off.result[0][2], num::singleToText(off.modelLoads[0][4]));

      const bool governs = double(on.checkLoads[0][4]) > 1.001 * double(on.modelLoads[0][4]);
      EXPECT_EQ(on.byCheck[0], governs);
      EXPECT_EQ(on.loads[0], governs ? on.checkLoads[0] : on.modelLoads[0]);
      EXPECT_EQ(on.result[0][2], num::singleToText(on.loads[0][4]));
      governed += governs;
      ++cases;
    }
  }
  // The generated cases reach both outcomes.
  EXPECT_GT(governed, 0);
  EXPECT_LT(governed, cases);
  EXPECT_TRUE(rec.messages.isEmpty());
}

// The one-unit arrangements have no check; the governing rule leaves a tie to the model.
TEST(RigidCheck, OneUnitArrangementsAndTheMargin) {
  msg::Recorder rec;
  for (ArrangementId id : {ArrangementId::EKaEDSch, ArrangementId::ERoEESch}) {
    const CalcOutput out = calcWith(id, {force("- Z", "1000", "40", "40", "0")}, true);
    ASSERT_TRUE(out.completed);
    EXPECT_TRUE(out.checkLoads.isEmpty());
    EXPECT_EQ(out.byCheck, QVector<bool>{false});
    EXPECT_EQ(out.loads, out.modelLoads);
  }
  EXPECT_FALSE(plate::governs(1001.0f, 1000.0f));
  EXPECT_TRUE(plate::governs(1001.1f, 1000.0f));
  EXPECT_FALSE(plate::governs(500.0f, 500.0f));
}

// A centred vertical force is shared alike by model and check; a span that is not
// positive adds no moment term.
TEST(RigidCheck, CentredForceAndZeroSpan) {
  msg::Recorder rec;
  for (ArrangementId id : kMulti) {
    const CalcOutput out = calcWith(id, {force("- Z", "1000", "0", "0", "0")}, true);
    ASSERT_TRUE(out.completed);
    EXPECT_FLOAT_EQ(out.checkLoads[0][4], out.modelLoads[0][4]) << int(id);
    EXPECT_FALSE(out.byCheck[0]);
  }
  plate::Sums s;
  s.add({0, 0, -1000, 50, 20, 0});
  plate::Geometry g;
  g.supports = plate::Supports::Corners;
  const std::array<float, 5> flat = plate::loads(s, g);
  for (float v : flat) EXPECT_EQ(v, 250.0f);
}

// A catalogue cell the check needs (B of a cassette on one double rail) that is no
// number stops the calculation like any unreadable catalogue cell.
TEST(RigidCheck, UnreadableCheckCellIsACalculationError) {
  msg::Recorder rec;
  Geo g;
  g.B = "x";
  const CalcOutput out = calcWith(ArrangementId::ZKaEDSch, {force("- Z", "1000", "0", "0", "0")}, true, g);
  EXPECT_FALSE(out.completed);
  EXPECT_TRUE(out.result.isEmpty());
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "Berechnungsfehler!");
  // The model alone does not read it.
  rec.messages.clear();
  EXPECT_TRUE(calcWith(ArrangementId::ZKaEDSch, {force("- Z", "1000", "0", "0", "0")}, false, g).completed);
}
