#pragma once
// Load cases from a motion: a moved mass with its centre of gravity, the mounting of
// the guide, a trapezoid (or triangle) speed profile over the stroke, and optionally a
// process force. Plain functions; the motion dialog only collects the fields.
#include <QString>
#include <QVector>

#include "core/common/Session.h"

namespace loads {

constexpr double kGravity = 9.81;  // m/s²

// How the guide is mounted, which decides the direction of gravity in the arrangement's
// frame (X along the rails, Y across, Z up from the top face of the unit).
enum class Mounting {
  Horizontal,  // gravity "- Z"
  Overhead,    // hanging under the rails: gravity "Z +"
  Wall,        // Y upward: gravity "- Y"
  Vertical     // axis vertical, X upward: gravity "- X"
};
QString gravityDirection(Mounting mounting);

// The fields as typed.
struct MotionInput {
  QString mass;                          // kg
  QString x, y, z;                       // centre of gravity, mm (empty counts as 0)
  Mounting mounting = Mounting::Horizontal;
  QString speed;                         // m/s
  QString acceleration, deceleration;    // m/s²
  QString stroke;                        // mm
  QString processForce;                  // N; empty or 0: none
  QString processDirection;              // one of the six direction labels
  QString px, py, pz;                    // point of the process force, mm

  bool operator==(const MotionInput &o) const = default;
};
// The mountings as the calculation file names them ("horizontal", "overhead", "wall",
// "vertical"); false for another text.
QString mountingKey(Mounting mounting);
bool mountingOf(const QString &key, Mounting *mounting);

// The load cases of the motion, travelling in +X: "Beschleunigen" (gravity, the inertial
// force m·a against the motion, "- X", at the centre of gravity), "Konstantfahrt"
// (gravity) and "Bremsen" (gravity, m·a_brake in "X +"), each with the process force
// where one is given. The shares are the distances travelled in each phase over the
// stroke, in % to two places (the constant phase takes the rest); a stroke too short to
// reach the speed gives a triangle profile and the two load cases without the constant
// one. Returns false with the German message naming the first bad field.
bool loadCasesFromMotion(const MotionInput &in, QVector<LoadCase> *out, QString *message);

}  // namespace loads
