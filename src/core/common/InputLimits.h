#pragma once
// The plausible range of every number the engineer enters: a value outside it is a slip
// (a unit mixed up, a digit too many) and nothing is calculated from it. The screens,
// the calculation files and the batch tool check the same ranges and name the field or
// key that is outside.
#include <QString>

namespace limits {

enum class Quantity {
  Force,            // N, magnitude of one force of the force table
  Coordinate,       // mm, point of application, measured from the centre
  Distance,         // mm, unit or rail distance
  Share,            // %, share of a load case
  Stroke,           // mm
  CyclesPerMinute,  // double strokes per minute
  HoursPerDay,
  DaysPerYear,
  Mass,          // kg, moved mass of the motion dialog
  Speed,         // m/s
  Acceleration,  // m/s², acceleration and deceleration
  RequiredLife,  // km of travel or hours of operation a guide must reach
};

struct Range {
  double low;
  double high;
};

// Inline: every force cell of a case is checked against its range.
constexpr Range range(Quantity q) {
  switch (q) {
    case Quantity::Force: return {0.0, 1.0e7};  // 10 MN
    case Quantity::Coordinate: return {-1.0e4, 1.0e4};  // ±10 m
    case Quantity::Distance: return {0.0, 1.0e4};
    case Quantity::Share: return {0.0, 100.0};
    case Quantity::Stroke: return {1.0, 1.0e5};  // 1 mm to 100 m
    case Quantity::CyclesPerMinute: return {0.01, 1.0e4};
    case Quantity::HoursPerDay: return {0.1, 24.0};
    case Quantity::DaysPerYear: return {1.0, 366.0};
    case Quantity::Mass: return {0.0, 1.0e5};  // 100 t
    case Quantity::Speed: return {0.0, 20.0};
    case Quantity::Acceleration: return {0.0, 200.0};  // about 20 g
    case Quantity::RequiredLife: return {1.0, 1.0e9};
  }
  return {0.0, 0.0};
}
// Whether the value lies within the range, both ends included. The ends are finite:
// infinities and NaN fall outside.
inline bool within(Quantity q, double value) {
  const Range r = range(q);
  return value >= r.low && value <= r.high;
}
// The range as the program shows it ("0 bis 10.000.000"), in the program's locale.
QString rangeText(Quantity q);
// German refusal naming the field (its label as shown) and the range.
QString refusal(Quantity q, const QString &field);
// English refusal of the batch tool naming the key.
QString englishRefusal(Quantity q, const QString &key);

// The character rules of a numeric input: digits, the decimal comma and, where `minus`,
// the minus sign. Why a typed text is no input a numeric field takes (German), empty
// when it is a number or empty. "2.500" is refused, though the locale would read it as
// 2500: a field never reads a text otherwise than the engineer meant it.
QString inputProblem(const QString &text, bool minus);
// Whether one typed character passes the rules.
bool passes(QChar c, bool minus);
// The refusal of a calculating button for a field whose text breaks the rules.
QString fieldRefusal(const QString &field, const QString &text, const QString &problem);

}  // namespace limits
