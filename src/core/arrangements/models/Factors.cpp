#include "core/arrangements/models/Factors.h"

#include "core/common/Messages.h"
#include "core/common/Numbers.h"

float k1Value(float B, float bI, float n, bool *ok) {
  if (ok) *ok = true;
  if (B != 0.0f) {
    // Double rail: the two moment support points of the rail at distance B share the
    // moment, in single precision as the catalogue values are.
    const float k = 2.0f / B;
    return static_cast<float>(num::roundHalfEven(k, 4));
  }
  if (bI == 0.0f || n == 0.0f) {
    if (ok) *ok = false;
    return 0.0f;
  }
  // Pair of single rails: lever arm from the centre to the outer support of one rail.
  const double k = 1.0 / (static_cast<double>(n) * 0.5 + static_cast<double>(bI));
  return static_cast<float>(num::roundHalfEven(k, 4));
}

float k2Value(float a1, float a2, int AnzR, bool *ok) {
  if (ok) *ok = true;
  if (a1 == 0.0f || a2 == 0.0f) {
    if (ok) *ok = false;
    return 0.0f;
  }
  float k = 0.0f;
  if (AnzR == 4) k = 4.0f / (a1 + a2);
  else if (AnzR > 4) k = 6.0f / (a1 + a2);
  else return 0.0f;  // fewer than four bearings carry no tilting moment
  return static_cast<float>(num::roundHalfEven(k, 2));
}

float gfsngK1(float B, float bI, float n) {
  bool ok = true;
  const float k = k1Value(B, bI, n, &ok);
  if (!ok) msg::critical(QStringLiteral("Error gfsngK1!"));
  return k;
}

float gfsngK2(float a1, float a2, int AnzR) {
  bool ok = true;
  const float k = k2Value(a1, a2, AnzR, &ok);
  if (!ok) msg::critical(QStringLiteral("Error gfsngK2!"));
  return k;
}

float gfsngMocMc(qint32 C, float B, float a1, float a2, int AnzR) {
  double m = 0.0;
  if (B != 0.0f) {
    m = static_cast<double>(B) * static_cast<double>(C) / 2000.0;
  } else if (a1 == 0.0f || a2 == 0.0f || AnzR == 0) {
    msg::critical(QStringLiteral("Error gfsngMocMc"));
    return 0.0f;
  } else {
    m = (static_cast<double>(a1) + static_cast<double>(a2)) *
        (static_cast<double>(C) / static_cast<double>(AnzR)) / 1000.0;
  }
  return static_cast<float>(num::roundHalfEven(m, 2));
}
