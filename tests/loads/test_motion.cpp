// Load cases from a motion, by hand: the phases of a trapezoid and a triangle profile,
// gravity for each mounting, the process force, and each bad field by name.
#include <gtest/gtest.h>

#include "common/Messages.h"
#include "loads/Motion.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// 50 kg at (100, 0, 80); 1 m/s, accelerating at 2 m/s², braking at 4 m/s².
loads::MotionInput motion(const QString &stroke) {
  loads::MotionInput in;
  in.mass = "50";
  in.x = "100";
  in.y = "0";
  in.z = "80";
  in.speed = "1";
  in.acceleration = "2";
  in.deceleration = "4";
  in.stroke = stroke;
  return in;
}

TEST(Motion, TrapezoidGivesThreeLoadCasesWithTheirDistances) {
  // 1 m/s is reached after v²/2a = 250 mm and lost in v²/2d = 125 mm; 625 mm at speed.
  QVector<LoadCase> cases;
  QString message;
  ASSERT_TRUE(loads::loadCasesFromMotion(motion("1000"), &cases, &message));
  ASSERT_EQ(cases.size(), 3);
  EXPECT_EQ(cases[0].name, "Beschleunigen");
  EXPECT_EQ(cases[1].name, "Konstantfahrt");
  EXPECT_EQ(cases[2].name, "Bremsen");
  EXPECT_DOUBLE_EQ(cases[0].share, 25.0);
  EXPECT_DOUBLE_EQ(cases[1].share, 62.5);
  EXPECT_DOUBLE_EQ(cases[2].share, 12.5);
  // Weight 50 * 9,81 = 490,5 N; inertia 50 * 2 = 100 N against the motion, 50 * 4 = 200 N
  // while braking, both at the centre of gravity.
  const QStringList weight = {"- Z", "490,5", "100", "0", "80"};
  EXPECT_EQ(cases[0].forces, TextRows({weight, {"- X", "100", "100", "0", "80"}}));
  EXPECT_EQ(cases[1].forces, TextRows({weight}));
  EXPECT_EQ(cases[2].forces, TextRows({weight, {"X +", "200", "100", "0", "80"}}));
}

TEST(Motion, ShortStrokeGivesATriangleOfTwoLoadCases) {
  // 375 mm would be needed to reach 1 m/s; over 300 mm the phases split 4 : 2.
  QVector<LoadCase> cases;
  QString message;
  loads::MotionInput in = motion("300");
  in.processForce = "150";
  in.processDirection = "Y +";
  in.px = "0";
  in.py = "50";
  in.pz = "120";
  ASSERT_TRUE(loads::loadCasesFromMotion(in, &cases, &message));
  ASSERT_EQ(cases.size(), 2);
  EXPECT_EQ(cases[0].name, "Beschleunigen");
  EXPECT_EQ(cases[1].name, "Bremsen");
  EXPECT_DOUBLE_EQ(cases[0].share, 66.67);
  EXPECT_NEAR(cases[0].share + cases[1].share, 100.0, 1e-9);
  const QStringList process = {"Y +", "150", "0", "50", "120"};
  EXPECT_EQ(cases[0].forces.last(), process);
  EXPECT_EQ(cases[1].forces.last(), process);
}

TEST(Motion, GravityFollowsTheMounting) {
  const struct {
    loads::Mounting mounting;
    const char *direction;
  } table[] = {{loads::Mounting::Horizontal, "- Z"},
               {loads::Mounting::Overhead, "Z +"},
               {loads::Mounting::Wall, "- Y"},
               {loads::Mounting::Vertical, "- X"}};
  for (const auto &t : table) {
    loads::MotionInput in = motion("1000");
    in.mounting = t.mounting;
    QVector<LoadCase> cases;
    QString message;
    ASSERT_TRUE(loads::loadCasesFromMotion(in, &cases, &message));
    for (const LoadCase &lc : cases) EXPECT_EQ(lc.forces.first().value(0), t.direction);
  }
}

TEST(Motion, BadFieldsAreNamed) {
  const struct {
    QString loads::MotionInput::*field;
    const char *value;
    const char *message;
  } table[] = {
      {&loads::MotionInput::mass, "0", "Bitte geben Sie für „Bewegte Masse (kg)“ eine Zahl größer als 0 ein."},
      {&loads::MotionInput::mass, "", "Bitte geben Sie für „Bewegte Masse (kg)“ eine Zahl größer als 0 ein."},
      {&loads::MotionInput::speed, "-1", "Bitte geben Sie für „Geschwindigkeit (m/s)“ eine Zahl größer als 0 ein."},
      {&loads::MotionInput::acceleration, "0", "Bitte geben Sie für „Beschleunigung (m/s²)“ eine Zahl größer als 0 ein."},
      {&loads::MotionInput::deceleration, "x", "Bitte geben Sie für „Verzögerung (m/s²)“ eine Zahl größer als 0 ein."},
      {&loads::MotionInput::stroke, "0", "Bitte geben Sie für „Hub (mm)“ eine Zahl größer als 0 ein."},
      {&loads::MotionInput::x, "1-", "Bitte geben Sie für „Schwerpunkt X (mm)“ eine Zahl ein."},
  };
  for (const auto &t : table) {
    loads::MotionInput in = motion("1000");
    in.*(t.field) = t.value;
    QVector<LoadCase> cases = {LoadCase()};
    QString message;
    EXPECT_FALSE(loads::loadCasesFromMotion(in, &cases, &message));
    EXPECT_EQ(message, QString::fromUtf8(t.message));
    EXPECT_EQ(cases.size(), 1);  // nothing replaced
  }
}

}  // namespace
