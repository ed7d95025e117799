#include "core/loads/Motion.h"

#include <cmath>

#include "core/common/InputLimits.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"

namespace loads {

QString gravityDirection(Mounting mounting) {
  switch (mounting) {
    case Mounting::Horizontal: return QStringLiteral("- Z");
    case Mounting::Overhead: return QStringLiteral("Z +");
    case Mounting::Wall: return QStringLiteral("- Y");
    case Mounting::Vertical: return QStringLiteral("- X");
  }
  return QStringLiteral("- Z");
}

namespace {

struct Refused {
  QString message;
};

// A field as the numeric fields take it: a required field (`positive`) holds a number
// above 0, every field keeps to the character rules and to the plausible range of its
// quantity. The message names the field.
double number(const QString &typed, int nameId, bool positive, bool emptyIsZero, limits::Quantity q) {
  const QString t = typed.trimmed();
  if (t.isEmpty() && emptyIsZero) return 0.0;
  const bool minus = q == limits::Quantity::Coordinate;
  double v = 0.0;
  const bool ok = num::toDouble(t, &v) && std::isfinite(v);
  if (ok && positive && !(v > 0.0)) throw Refused{builtinText(1315).arg(builtinText(nameId))};
  const QString problem = limits::inputProblem(t, minus);
  const bool characters = !problem.isEmpty() && problem != builtinText(1504);
  if (characters) throw Refused{limits::fieldRefusal(builtinText(nameId), typed, problem)};
  if (!ok) throw Refused{builtinText(positive ? 1315 : 1364).arg(builtinText(nameId))};
  if (!limits::within(q, v)) throw Refused{limits::refusal(q, builtinText(nameId))};
  return v;
}

QString text(double v) { return num::doubleToText(num::roundHalfEven(v, 2)); }

// One force row. The coordinate along the force's own axis is written as 0: where a
// force sits on its own line of action changes no load.
QStringList row(const QString &direction, double force, double x, double y, double z) {
  if (direction.contains(QLatin1Char('X'))) x = 0.0;
  if (direction.contains(QLatin1Char('Y'))) y = 0.0;
  if (direction.contains(QLatin1Char('Z'))) z = 0.0;
  return {direction, text(force), text(x), text(y), text(z)};
}

}  // namespace

bool loadCasesFromMotion(const MotionInput &in, QVector<LoadCase> *out, QString *message) {
  try {
    using limits::Quantity;
    const double m = number(in.mass, 1343, true, false, Quantity::Mass);
    const double x = number(in.x, 1344, false, true, Quantity::Coordinate);
    const double y = number(in.y, 1345, false, true, Quantity::Coordinate);
    const double z = number(in.z, 1346, false, true, Quantity::Coordinate);
    const double v = number(in.speed, 1352, true, false, Quantity::Speed);
    const double a = number(in.acceleration, 1353, true, false, Quantity::Acceleration);
    const double d = number(in.deceleration, 1354, true, false, Quantity::Acceleration);
    const double stroke = number(in.stroke, 1355, true, false, Quantity::Stroke);
    const double fp =
        in.processForce.trimmed().isEmpty() ? 0.0 : number(in.processForce, 1356, false, false, Quantity::Force);
    if (fp < 0.0) throw Refused{builtinText(1315).arg(builtinText(1356))};
    const double px = number(in.px, 1358, false, true, Quantity::Coordinate);
    const double py = number(in.py, 1359, false, true, Quantity::Coordinate);
    const double pz = number(in.pz, 1360, false, true, Quantity::Coordinate);

    // Distances of the phases in mm: v²/2a to reach the speed, v²/2d to stop again.
    double sAcc = v * v / (2.0 * a) * 1000.0;
    double sDec = v * v / (2.0 * d) * 1000.0;
    const bool triangle = sAcc + sDec >= stroke;
    if (triangle) {
      // The peak speed is reached where both phases meet: they split the stroke in
      // the inverse ratio of their accelerations.
      sAcc = stroke * d / (a + d);
      sDec = stroke - sAcc;
    }
    const double shareAcc = num::roundHalfEven(100.0 * sAcc / stroke, 2);
    const double shareDec = triangle ? 100.0 - shareAcc : num::roundHalfEven(100.0 * sDec / stroke, 2);
    const double shareConst = triangle ? 0.0 : num::roundHalfEven(100.0 - shareAcc - shareDec, 2);

    const QStringList weight = row(gravityDirection(in.mounting), m * kGravity, x, y, z);
    const bool process = fp > 0.0;
    const QStringList processRow = row(in.processDirection, fp, px, py, pz);
    const auto make = [&](int nameId, double share, const QStringList &inertia) {
      LoadCase lc;
      lc.name = builtinText(nameId);
      lc.share = share;
      lc.forces.append(weight);
      if (!inertia.isEmpty()) lc.forces.append(inertia);
      if (process) lc.forces.append(processRow);
      return lc;
    };
    QVector<LoadCase> cases;
    cases << make(1361, shareAcc, row(QStringLiteral("- X"), m * a, x, y, z));
    if (!triangle) cases << make(1362, shareConst, {});
    cases << make(1363, shareDec, row(QStringLiteral("X +"), m * d, x, y, z));
    *out = cases;
    return true;
  } catch (const Refused &r) {
    if (message) *message = r.message;
    return false;
  }
}

namespace {
const char *const kMountingKeys[] = {"horizontal", "overhead", "wall", "vertical"};
}

QString mountingKey(Mounting mounting) { return QString::fromLatin1(kMountingKeys[static_cast<int>(mounting)]); }

bool mountingOf(const QString &key, Mounting *mounting) {
  for (int i = 0; i < 4; ++i)
    if (key == QLatin1String(kMountingKeys[i])) {
      *mounting = static_cast<Mounting>(i);
      return true;
    }
  return false;
}

}  // namespace loads
