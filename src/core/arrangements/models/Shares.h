#pragma once
// Load distribution over support points. A force at offset u (and v) from the centre of
// two supports at distance D (a rectangle D1 x D2 of four supports) is split by the lever
// rule:
//   near factor      u/D + 0.5   share of the support on the force's side
//   far factor       0.5 - u/D   share of the support on the other side
//   overhang factor  u/D - 0.5   lift of the far support when the force lies beyond
//                                the near one
// The functions only see magnitudes; the load models choose the support and the sign
// from the signed coordinates. Nothing is clamped: beyond a support the far factor turns
// negative and the formula is followed.
//
// Common steps of every share function:
//   1. a distance that is not positive (zero, negative, NaN) gives 0 before any division;
//   2. all numeric arguments are taken as absolute values;
//   3. the formula runs in double precision, the result is rounded once to single;
//   4. a sign flag of exactly 1 negates the result (0, -1 and others leave it).
// They sit in the inner loop of every multi-support model, hence inline.
#include <QtGlobal>
#include <cmath>

namespace shares_detail {
inline float finish(double value, qint16 fl) {
  const float r = static_cast<float>(value);
  return fl == 1 ? -r : r;
}
inline bool positive(float d1, float d2) { return d1 > 0.0f && d2 > 0.0f; }
inline double mag(float v) { return std::fabs(static_cast<double>(v)); }
}  // namespace shares_detail

// F (v/D2 + 0.5)(u/D1 + 0.5): the support nearest to the force in both directions.
inline float gfsngShareNearNear(float F, float u, float v, float D1, float D2, qint16 fl) {
  using namespace shares_detail;
  if (!positive(D1, D2)) return 0.0f;
  const double f = mag(F), a = mag(u), b = mag(v), d1 = D1, d2 = D2;
  return finish(f * (b / d2 + 0.5) * (a / d1 + 0.5), fl);
}

// (F/2)(v/D2 + 0.5)(u/D1 - 0.5): lift of the support beside the near one along D1 when
// the force lies beyond the supports in that direction.
inline float gfsngShareOverNear(float F, float u, float v, float D1, float D2, qint16 fl) {
  using namespace shares_detail;
  if (!positive(D1, D2)) return 0.0f;
  const double f = mag(F), a = mag(u), b = mag(v), d1 = D1, d2 = D2;
  return finish(f / 2.0 * (b / d2 + 0.5) * (a / d1 - 0.5), fl);
}

// (F/2)((uv + (D1 v + D2 u)/2) / (D1 D2) - 3/4) = (F/2)((u/D1+0.5)(v/D2+0.5) - 1):
// lift of the diagonal support for a force beyond the corner of the rectangle.
inline float gfsngShareOverDiag(float F, float u, float v, float D1, float D2, qint16 fl) {
  using namespace shares_detail;
  if (!positive(D1, D2)) return 0.0f;
  const double f = mag(F), a = mag(u), b = mag(v), d1 = D1, d2 = D2;
  const double uv = a * b;
  const double half = 0.5 * (d1 * b + d2 * a);
  const double area = d1 * d2;
  return finish(f / 2.0 * ((uv + half) / area - 3.0 / 4.0), fl);
}

// F (0.5 - u/D1)(v/D2 + 0.5): the far support along D1 on the near side of D2.
inline float gfsngShareFarNear(float F, float u, float v, float D1, float D2, qint16 fl) {
  using namespace shares_detail;
  if (!positive(D1, D2)) return 0.0f;
  const double f = mag(F), a = mag(u), b = mag(v), d1 = D1, d2 = D2;
  return finish(f * (0.5 - a / d1) * (b / d2 + 0.5), fl);
}

// F (0.5 - v/D2)(u/D1 + 0.5): the near support along D1 on the far side of D2.
inline float gfsngShareNearFar(float F, float u, float v, float D1, float D2, qint16 fl) {
  using namespace shares_detail;
  if (!positive(D1, D2)) return 0.0f;
  const double f = mag(F), a = mag(u), b = mag(v), d1 = D1, d2 = D2;
  return finish(f * (0.5 - b / d2) * (a / d1 + 0.5), fl);
}

// F (0.5 - v/D2)(0.5 - u/D1): the support diagonally opposite the force.
inline float gfsngShareFarFar(float F, float u, float v, float D1, float D2, qint16 fl) {
  using namespace shares_detail;
  if (!positive(D1, D2)) return 0.0f;
  const double f = mag(F), a = mag(u), b = mag(v), d1 = D1, d2 = D2;
  return finish(f * (0.5 - b / d2) * (0.5 - a / d1), fl);
}

// (F/2)(u/D + 0.5): half the near share of two supports.
inline float gfsngHalfNear(float F, float u, float D, qint16 fl) {
  using namespace shares_detail;
  if (!(D > 0.0f)) return 0.0f;
  const double f = mag(F), a = mag(u), d = D;
  return finish(f / 2.0 * (a / d + 0.5), fl);
}

// (F/2)(u/D - 0.5): half the lift of the far support for a force beyond the near one.
inline float gfsngHalfOver(float F, float u, float D, qint16 fl) {
  using namespace shares_detail;
  if (!(D > 0.0f)) return 0.0f;
  const double f = mag(F), a = mag(u), d = D;
  return finish(f / 2.0 * (a / d - 0.5), fl);
}

// (F/2)(0.5 - u/D): half the far share of two supports.
inline float gfsngHalfFar(float F, float u, float D, qint16 fl) {
  using namespace shares_detail;
  if (!(D > 0.0f)) return 0.0f;
  const double f = mag(F), a = mag(u), d = D;
  return finish(f / 2.0 * (0.5 - a / d), fl);
}

// F u / (2 D): the support force of the couple of F at a lateral offset u, taken by two
// supports at distance D.
inline float gfsngCoupleOffset(float F, float u, float D, qint16 fl) {
  using namespace shares_detail;
  if (!(D > 0.0f)) return 0.0f;
  const double f = mag(F), a = mag(u), d = D;
  return finish(f * a / (2.0 * d), fl);
}

// F z / (2 D): the same couple with a height above the guide as lever arm.
inline float gfsngCoupleHeight(float F, float u, float D, qint16 fl) {
  using namespace shares_detail;
  if (!(D > 0.0f)) return 0.0f;
  const double f = mag(F), a = mag(u), d = D;
  return finish(f * a / (2.0 * d), fl);
}

// The largest of four values, signs included; the first of equal values is kept.
inline float gfsngMax4(float a, float b, float c, float d) {
  float r = a;
  if (b > r) r = b;
  if (c > r) r = c;
  if (d > r) r = d;
  return r;
}
