// Load cases from a motion, by hand: the phases of a trapezoid and a triangle profile,
// gravity for each mounting, the process force, and each bad field by name.
#include <gtest/gtest.h>

#include "core/common/Messages.h"
#include "core/loads/Motion.h"

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
  // while braking, both at the centre of gravity; an X force's own x is written as 0 (its
  // place along its own line changes no load).
  const QStringList weight = {"- Z", "490,5", "100", "0", "0"};  // z along the weight's own line: 0
  EXPECT_EQ(cases[0].forces, TextRows({weight, {"- X", "100", "0", "0", "80"}}));
  EXPECT_EQ(cases[1].forces, TextRows({weight}));
  EXPECT_EQ(cases[2].forces, TextRows({weight, {"X +", "200", "0", "0", "80"}}));
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
  const QStringList process = {"Y +", "150", "0", "0", "120"};  // y along its own axis: 0
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
      {&loads::MotionInput::deceleration, "x",
       "Im Feld „Verzögerung (m/s²)“ steht „x“.\nErlaubt sind Ziffern und das Komma.\nBerechnet wird erst mit einer "
       "gültigen Zahl."},
      {&loads::MotionInput::speed, "2.5",
       "Im Feld „Geschwindigkeit (m/s)“ steht „2.5“.\nDezimaltrennzeichen ist das Komma (zum Beispiel 12,5).\n"
       "Berechnet wird erst mit einer gültigen Zahl."},
      {&loads::MotionInput::mass, "200000",
       "Der Wert von „Bewegte Masse (kg)“ liegt außerhalb des zulässigen Bereichs.\nErlaubt sind Werte von 0 bis "
       "100.000."},
      {&loads::MotionInput::speed, "50",
       "Der Wert von „Geschwindigkeit (m/s)“ liegt außerhalb des zulässigen Bereichs.\nErlaubt sind Werte von 0 bis "
       "20."},
      {&loads::MotionInput::stroke, "1e-300",
       "Im Feld „Hub (mm)“ steht „1e-300“.\nErlaubt sind Ziffern und das Komma.\nBerechnet wird erst mit einer "
       "gültigen Zahl."},
      {&loads::MotionInput::y, "20000",
       "Der Wert von „Schwerpunkt Y (mm)“ liegt außerhalb des zulässigen Bereichs.\nErlaubt sind Werte von -10.000 "
       "bis 10.000."},
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
