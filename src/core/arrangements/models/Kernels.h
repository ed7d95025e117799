#pragma once
// Internal to the load models: what one force row adds to the accumulators of one
// series row, for the three families of arrangements. The driver in Models.cpp walks
// tables, force rows and series rows; a kernel only knows its geometry and its sums.
//
//   SingleUnit     one cassette / one roller-shoe pair: resultant forces and moments
//                  turned into one equivalent load with the factors k1 and k2
//   RailPositions  two units one behind the other on one rail (pair): four load
//                  positions, each with a pressing, lifting and two lateral sums
//   TwoRails       units on two parallel rails (two cassettes side by side with their
//                  two roller groups, or four cassettes): four support points with a
//                  vertical and a lateral sum
//
// Quadrants of the point of application, from the signed coordinates:
//   A: x <= 0, y <= 0   B: x <= 0, y > 0   C: x > 0, y <= 0   D: x > 0, y > 0
// Sign flags: "Z +" (upwards) enters the share functions with flag 1, "- Z" with 0, so
// a downward force presses; Y and X forces always use flag 1, their sense has no
// influence because only magnitudes of the sums are rated.
#include <QString>
#include <QStringList>
#include <array>
#include <cmath>

#include "core/arrangements/models/Factors.h"
#include "core/arrangements/models/Shares.h"
#include "core/catalogue/Catalogue.h"

namespace models {

enum class Dir : quint8 { None, XPlus, XMinus, YPlus, YMinus, ZPlus, ZMinus };

// One force row, converted: F is the magnitude, x, y, z the point of application.
struct Force {
  Dir dir = Dir::None;
  float F = 0.0f, x = 0.0f, y = 0.0f, z = 0.0f;
};

// Columns of the geometry layout of the series data.
namespace col {
enum : int { Serie = 0, Gr, a1, a2, b1, b2, h1, h2, AnzR, FD, FE, B, bI };
}

// A catalogue cell that could not be read: the error description and the layout column
// of the cell when its text is no number (-1 otherwise, e.g. a bearing count out of range).
struct CellError {
  QString text;
  int column = -1;
};

// One series row: its texts and its cells read as numbers once per table
// (catalogue::cellNumbers).
struct SeriesRow {
  const QStringList &texts;
  const catalogue::CellNumbers::Row &numbers;
};

// Catalogue cell conversions (locale-aware); false with the error in *error when the
// text is no number (or, for the bearing count, out of the 16-bit range).
bool readCellText(const QStringList &row, int column, float *out, CellError *error);
inline bool readCell(const SeriesRow &row, int column, float *out, CellError *error) {
  if (column >= 0 && column < catalogue::CellNumbers::kColumns) {
    if (row.numbers.single >> column & 1u) {
      *out = static_cast<float>(row.numbers.value[static_cast<size_t>(column)]);
      return true;
    }
  }
  return readCellText(row.texts, column, out, error);
}
bool readCellInt16(const SeriesRow &row, int column, int *out, CellError *error);

enum Quadrant { QA = 0, QB = 1, QC = 2, QD = 3 };
inline Quadrant quadrantOf(float x, float y) {
  return static_cast<Quadrant>((x <= 0.0f ? 0 : 2) + (y <= 0.0f ? 0 : 1));
}
inline bool isZ(Dir d) { return d == Dir::ZPlus || d == Dir::ZMinus; }
inline bool isY(Dir d) { return d == Dir::YPlus || d == Dir::YMinus; }
inline bool isX(Dir d) { return d == Dir::XPlus || d == Dir::XMinus; }

// ---------------------------------------------------------------------------------------
// One unit (cassette on a double rail, or roller-shoe pair on two single rails).
// Moments about the unit's centre become bearing forces through k1 (about the long
// axis) and k2 (tilting along the rail); everything adds up to one equivalent load P.
struct SingleUnit {
  static constexpr int kAcc = 8;
  static constexpr bool kHasFactors = true;
  enum : int { SFy, SFz, MxFy, MxFz, MyFx, MyFz, MzFx, MzFy };

  struct Params {
    bool rollerShoe = false;  // k1 from the rail distance n and bI instead of B
    float n = 0.0f;
  };
  struct Series {
    float k1 = 0.0f, k2 = 0.0f, h = 0.0f;
    float B = 0.0f, bI = 0.0f, a1 = 0.0f, a2 = 0.0f;
    int anzR = 0;
    bool factorError = false;  // k1 or k2 had a zero divisor
  };

  static bool prepare(const Params &p, const SeriesRow &row, Series &s, CellError *error) {
    if (!readCell(row, col::a1, &s.a1, error) || !readCell(row, col::a2, &s.a2, error) ||
        !readCell(row, p.rollerShoe ? col::h2 : col::h1, &s.h, error) ||
        !readCellInt16(row, col::AnzR, &s.anzR, error))
      return false;
    bool ok1 = true, ok2 = true;
    if (p.rollerShoe) {
      if (!readCell(row, col::bI, &s.bI, error)) return false;
      s.k1 = k1Value(0.0f, s.bI, p.n, &ok1);
    } else {
      if (!readCell(row, col::B, &s.B, error)) return false;
      s.k1 = k1Value(s.B, 0.0f, 0.0f, &ok1);
    }
    s.k2 = k2Value(s.a1, s.a2, s.anzR, &ok2);
    s.factorError = !(ok1 && ok2);
    return true;
  }

  // The messages the factor functions give for this series, k1 before k2.
  static void showFactorMessages(const Params &p, const Series &s) {
    if (p.rollerShoe) gfsngK1(0.0f, s.bI, p.n);
    else gfsngK1(s.B, 0.0f, 0.0f);
    gfsngK2(s.a1, s.a2, s.anzR);
  }

  [[gnu::always_inline]] static void add(const Params &, const Force &f, const Series &s, float *a) {
    const float zp = s.h + f.z;  // lever arm above the guide centre
    switch (f.dir) {
      case Dir::XPlus:
      case Dir::XMinus: {
        const float Fx = f.dir == Dir::XPlus ? f.F : -f.F;
        a[MyFx] += s.k2 * zp * Fx;
        a[MzFx] += s.k2 * f.y * Fx;
        break;
      }
      case Dir::YPlus:
      case Dir::YMinus: {
        const float Fy = f.dir == Dir::YPlus ? f.F : -f.F;
        a[SFy] += Fy;
        a[MxFy] += -s.k1 * zp * Fy;
        a[MzFy] += -s.k2 * f.x * Fy;
        break;
      }
      case Dir::ZPlus:
      case Dir::ZMinus: {
        const float Fz = f.dir == Dir::ZPlus ? f.F : -f.F;
        a[SFz] += Fz;
        a[MxFz] += s.k1 * f.y * Fz;
        a[MyFz] += -s.k2 * f.x * Fz;
        break;
      }
      case Dir::None: break;
    }
  }

  // Q1 (k1 Mx), Q2 (k2 My), Q3 (k2 Mz), Q4 (|Fy| + |Fz|) and P.
  static void reduce(const Params &, const float *a, std::array<float, 5> &out) {
    const float q1 = a[MxFy] + a[MxFz];
    const float q2 = a[MyFx] + a[MyFz];
    const float q3 = a[MzFx] + a[MzFy];
    const float q4 = std::fabs(a[SFy]) + std::fabs(a[SFz]);
    const float p = std::fabs(q4) + std::fabs(q1) + std::fabs(q2) + std::fabs(q3);
    out = {q1, q2, q3, q4, p};
  }
};

// ---------------------------------------------------------------------------------------
// Two units at distance m along the rail(s): unit 1 at x = -m/2 with positions 0 (-y)
// and 1 (+y), unit 2 at x = +m/2 with positions 2 (-y) and 3 (+y). The supports across
// the rail lie at +-W/2: W = b1 for two cassettes on a double rail, W = n + 2 b2 for two
// roller-shoe pairs on two single rails at distance n.
// Per position: P (pressing), Q (lifting), S (lateral with P), T (lateral with Q).
struct RailPositions {
  static constexpr int kAcc = 16;
  static constexpr bool kHasFactors = false;

  struct Params {
    float m = 0.0f, n = 0.0f;
    bool rollerShoe = false;  // W from n and b2, height h2, lateral offset used inside W
  };
  struct Series {
    float w = 0.0f, h = 0.0f;
    bool factorError = false;
  };

  static bool prepare(const Params &p, const SeriesRow &row, Series &s, CellError *error) {
    if (p.rollerShoe) {
      float b2 = 0.0f;
      if (!readCell(row, col::b2, &b2, error) || !readCell(row, col::h2, &s.h, error))
        return false;
      s.w = p.n + 2.0f * b2;
    } else {
      if (!readCell(row, col::b1, &s.w, error) || !readCell(row, col::h1, &s.h, error))
        return false;
    }
    return true;
  }
  static void showFactorMessages(const Params &, const Series &) {}

  // Inlined into the loop over the series rows, as the other kernels are.
  [[gnu::always_inline]] static void add(const Params &p, const Force &f, const Series &s, float *a) {
    float *P = a, *Q = a + 4, *S = a + 8, *T = a + 12;
    const float F = f.F, x = f.x, y = f.y, m = p.m, W = s.w;
    const Quadrant q = quadrantOf(x, y);
    const bool beyondX = std::fabs(x) > m * 0.5f;  // outside the two units along X
    const bool beyondY = std::fabs(y) > W * 0.5f;  // outside the support width

    if (isZ(f.dir)) {
      const qint16 fz = f.dir == Dir::ZPlus ? 1 : 0;
      if (beyondX && beyondY) {  // Z1: beyond a corner
        const float NN = gfsngShareNearNear(F, x, y, m, W, fz);
        const float ON = gfsngShareOverNear(F, x, y, m, W, fz);
        const float OD = gfsngShareOverDiag(F, x, y, m, W, fz);
        switch (q) {
          case QA: P[0] += NN; P[1] += NN; Q[2] -= ON; Q[3] -= OD; break;
          case QB: P[0] += NN; P[1] += NN; Q[2] -= OD; Q[3] -= ON; break;
          case QC: Q[0] -= ON; Q[1] -= OD; P[2] += NN; P[3] += NN; break;
          case QD: Q[0] -= OD; Q[1] -= ON; P[2] += NN; P[3] += NN; break;
        }
      } else if (beyondY) {  // Z2: between the units, outside the support width
        const float NN = gfsngShareNearNear(F, x, y, m, W, fz);
        const float FN = gfsngShareFarNear(F, x, y, m, W, fz);
        switch (q) {
          case QA:
          case QB: P[0] += NN; P[1] += NN; P[2] += FN; P[3] += FN; break;
          case QC:
          case QD: P[0] += FN; P[1] += FN; P[2] += NN; P[3] += NN; break;
        }
      } else {
        // Inside the support width a double rail takes the force on both tracks alike;
        // a roller-shoe pair splits it by the lateral offset.
        const float v = p.rollerShoe ? y : 0.0f;
        const float NN = 2.0f * gfsngShareNearNear(F, x, v, m, W, fz);
        const float NF = 2.0f * gfsngShareNearFar(F, x, v, m, W, fz);
        if (!beyondX) {  // Z3: inside the rectangle
          const float FN = 2.0f * gfsngShareFarNear(F, x, v, m, W, fz);
          const float FF = 2.0f * gfsngShareFarFar(F, x, v, m, W, fz);
          switch (q) {
            case QA: P[0] += NN; P[1] += NF; P[2] += FN; P[3] += FF; break;
            case QB: P[0] += NF; P[1] += NN; P[2] += FF; P[3] += FN; break;
            case QC: P[0] += FN; P[1] += FF; P[2] += NN; P[3] += NF; break;
            case QD: P[0] += FF; P[1] += FN; P[2] += NF; P[3] += NN; break;
          }
        } else {  // Z4: beyond a unit along X, inside the support width
          const float HO = 2.0f * gfsngHalfOver(F, x, m, fz);
          switch (q) {
            case QA: P[0] += NN; P[1] += NF; Q[2] -= HO; Q[3] -= HO; break;
            case QB: P[0] += NF; P[1] += NN; Q[2] -= HO; Q[3] -= HO; break;
            case QC: Q[0] -= HO; Q[1] -= HO; P[2] += NN; P[3] += NF; break;
            case QD: Q[0] -= HO; Q[1] -= HO; P[2] += NF; P[3] += NN; break;
          }
        }
      }
    } else if (isY(f.dir)) {
      // Tilting couple of the lateral force at its height, on all four positions.
      const float CH = gfsngCoupleHeight(F, f.z + s.h, W, 1);
      P[0] += CH; P[1] += CH; P[2] += CH; P[3] += CH;
      const float HN = 2.0f * gfsngHalfNear(F, x, m, 1);
      if (beyondX) {  // Y1: the far unit's share acts the other way
        const float HO = 2.0f * gfsngHalfOver(F, x, m, 1);
        switch (q) {
          case QA: S[1] += HN; T[1] += HN; S[2] += HO; T[2] += HO; break;
          case QB: S[0] += HN; T[0] += HN; S[3] += HO; T[3] += HO; break;
          case QC: S[0] += HO; T[0] += HO; S[3] += HN; T[3] += HN; break;
          case QD: S[1] += HO; T[1] += HO; S[2] += HN; T[2] += HN; break;
        }
      } else {  // Y2: between the units
        const float HF = 2.0f * gfsngHalfFar(F, x, m, 1);
        switch (q) {
          case QA: S[1] += HN; T[1] += HN; S[3] += HF; T[3] += HF; break;
          case QB: S[0] += HN; T[0] += HN; S[2] += HF; T[2] += HF; break;
          case QC: S[1] += HF; T[1] += HF; S[3] += HN; T[3] += HN; break;
          case QD: S[0] += HF; T[0] += HF; S[2] += HN; T[2] += HN; break;
        }
      }
    } else if (isX(f.dir)) {
      // Tilting couple along the rail: pressing on the force's side, lifting opposite.
      const float CH = 2.0f * gfsngCoupleHeight(F, f.z + s.h, m, 1);
      if (x <= 0.0f) {
        P[0] += CH; P[1] += CH; Q[2] -= CH; Q[3] -= CH;
      } else {
        P[2] += CH; P[3] += CH; Q[0] -= CH; Q[1] -= CH;
      }
      if (beyondY) {  // X1: outside the support width the force also turns the units
        const float CO = 2.0f * gfsngCoupleOffset(F, y, m, 1);
        switch (q) {
          case QA:  // x <= 0, y <= 0
          case QD:  // x > 0, y > 0
            S[0] += CO; S[3] += CO; T[0] += CO; T[3] += CO; break;
          case QB:  // x <= 0, y > 0
          case QC:  // x > 0, y <= 0
            S[1] += CO; S[2] += CO; T[1] += CO; T[2] += CO; break;
        }
      }
    }
  }

  // out_k = the larger of pressing and lifting load with their lateral loads.
  static void reduce(const Params &, const float *a, std::array<float, 5> &out) {
    for (int k = 0; k < 4; ++k) {
      const float pressing = std::fabs(a[k]) + std::fabs(a[8 + k]);
      const float lifting = std::fabs(a[4 + k]) + std::fabs(a[12 + k]);
      out[k] = lifting > pressing ? lifting : pressing;
    }
    out[4] = gfsngMax4(out[0], out[1], out[2], out[3]);
  }
};

// ---------------------------------------------------------------------------------------
// Two rails at distance n; support points 0 (-x, -y), 1 (-x, +y), 2 (+x, -y), 3 (+x, +y).
// Four cassettes: the supports are the cassettes themselves at distance d = m along X.
// Two cassettes side by side: the supports are the two roller groups of each cassette at
// d = (a1 + a2)/2; the zone tests use the point of application moved towards the centre
// by (a2 - a1)/4, the quadrant stays that of the point itself.
// Per support point: P (vertical) and L (lateral).
struct TwoRails {
  static constexpr int kAcc = 8;
  static constexpr bool kHasFactors = false;

  struct Params {
    float m = 0.0f, n = 0.0f;
    bool fourCassettes = false;
  };
  struct Series {
    float d = 0.0f, shift = 0.0f, h = 0.0f;
    bool factorError = false;
  };

  static bool prepare(const Params &p, const SeriesRow &row, Series &s, CellError *error) {
    if (p.fourCassettes) {
      if (!readCell(row, col::h1, &s.h, error)) return false;
      s.d = p.m;
      s.shift = 0.0f;
    } else {
      float a1 = 0.0f, a2 = 0.0f;
      if (!readCell(row, col::a1, &a1, error) || !readCell(row, col::a2, &a2, error) ||
          !readCell(row, col::h1, &s.h, error))
        return false;
      s.d = (a1 + a2) * 0.5f;
      s.shift = (a2 - a1) * 0.25f;
    }
    return true;
  }
  static void showFactorMessages(const Params &, const Series &) {}

  [[gnu::always_inline]] static void add(const Params &p, const Force &f, const Series &s, float *a) {
    float *P = a, *L = a + 4;
    const float F = f.F, x = f.x, y = f.y, n = p.n, d = s.d;
    const float xs = x >= 0.0f ? x - s.shift : x + s.shift;  // x' of the zone tests
    const Quadrant q = quadrantOf(x, y);
    const bool beyondX = std::fabs(xs) > d * 0.5f;
    const bool beyondY = std::fabs(y) > n * 0.5f;

    if (isZ(f.dir)) {
      const qint16 fz = f.dir == Dir::ZPlus ? 1 : 0;
      if (beyondX && beyondY) {  // Z1: beyond a corner
        const float NN = gfsngShareNearNear(F, xs, y, d, n, fz);
        const float ON = gfsngShareOverNear(F, xs, y, d, n, fz);
        const float OD = gfsngShareOverDiag(F, xs, y, d, n, fz);
        const float HOn = gfsngHalfOver(F, y, n, fz);
        switch (q) {
          case QA: P[0] += NN; P[1] -= HOn; P[2] -= ON; P[3] -= OD; break;
          case QB: P[0] -= HOn; P[1] += NN; P[2] -= OD; P[3] -= ON; break;
          case QC: P[0] -= ON; P[1] -= OD; P[2] += NN; P[3] -= HOn; break;
          case QD: P[0] -= OD; P[1] -= ON; P[2] -= HOn; P[3] += NN; break;
        }
      } else if (beyondY) {  // Z2: outside the rails only
        const float NN = gfsngShareNearNear(F, x, y, d, n, fz);
        const float FN = gfsngShareFarNear(F, x, y, d, n, fz);
        const float HOn = gfsngHalfOver(F, y, n, fz);
        switch (q) {
          case QA: P[0] += NN; P[1] -= HOn; P[2] += FN; P[3] -= HOn; break;
          case QB: P[0] -= HOn; P[1] += NN; P[2] -= HOn; P[3] += FN; break;
          case QC: P[0] += FN; P[1] -= HOn; P[2] += NN; P[3] -= HOn; break;
          case QD: P[0] -= HOn; P[1] += FN; P[2] -= HOn; P[3] += NN; break;
        }
      } else if (!beyondX) {  // Z3: inside the rectangle, bilinear
        const float NN = gfsngShareNearNear(F, x, y, d, n, fz);
        const float NF = gfsngShareNearFar(F, x, y, d, n, fz);
        const float FN = gfsngShareFarNear(F, x, y, d, n, fz);
        const float FF = gfsngShareFarFar(F, x, y, d, n, fz);
        switch (q) {
          case QA: P[0] += NN; P[1] += NF; P[2] += FN; P[3] += FF; break;
          case QB: P[0] += NF; P[1] += NN; P[2] += FF; P[3] += FN; break;
          case QC: P[0] += FN; P[1] += FF; P[2] += NN; P[3] += NF; break;
          case QD: P[0] += FF; P[1] += FN; P[2] += NF; P[3] += NN; break;
        }
      } else {  // Z4: beyond the supports along X only
        const float NN = gfsngShareNearNear(F, xs, y, d, n, fz);
        const float NF = gfsngShareNearFar(F, xs, y, d, n, fz);
        const float HO = gfsngHalfOver(F, xs, d, fz);
        switch (q) {
          case QA: P[0] += NN; P[1] += NF; P[2] -= HO; P[3] -= HO; break;
          case QB: P[0] += NF; P[1] += NN; P[2] -= HO; P[3] -= HO; break;
          case QC: P[0] -= HO; P[1] -= HO; P[2] += NN; P[3] += NF; break;
          case QD: P[0] -= HO; P[1] -= HO; P[2] += NF; P[3] += NN; break;
        }
      }
    } else if (isY(f.dir)) {
      // The tilting couple acts with opposite signs on the two rails.
      const float CH = gfsngCoupleHeight(F, f.z + s.h, n, 1);
      if (q == QA || q == QC) {
        P[0] += CH; P[2] += CH; P[1] -= CH; P[3] -= CH;
      } else {
        P[0] -= CH; P[2] -= CH; P[1] += CH; P[3] += CH;
      }
      const float HN = gfsngHalfNear(F, x, d, 1);
      if (beyondX) {  // Y1
        const float HO = gfsngHalfOver(F, x, d, 1);
        switch (q) {
          case QA: L[0] -= HN; L[1] -= HN; L[2] += HO; L[3] += HO; break;
          case QB: L[0] += HN; L[1] += HN; L[2] -= HO; L[3] -= HO; break;
          case QC: L[0] += HO; L[1] += HO; L[2] -= HN; L[3] -= HN; break;
          case QD: L[0] -= HO; L[1] -= HO; L[2] += HN; L[3] += HN; break;
        }
      } else {  // Y2
        const float HF = gfsngHalfFar(F, x, d, 1);
        switch (q) {
          case QA: L[0] -= HN; L[1] -= HN; L[2] -= HF; L[3] -= HF; break;
          case QB: L[0] += HN; L[1] += HN; L[2] += HF; L[3] += HF; break;
          case QC: L[0] -= HF; L[1] -= HF; L[2] -= HN; L[3] -= HN; break;
          case QD: L[0] += HF; L[1] += HF; L[2] += HN; L[3] += HN; break;
        }
      }
    } else if (isX(f.dir)) {
      // Along the rails the lateral offset of the two rails makes no difference.
      const float CO = gfsngCoupleOffset(F, y, d, 1);
      const float CH = gfsngCoupleHeight(F, f.z + s.h, d, 1);
      switch (q) {
        case QA: L[0] += CO; L[1] += CO; L[2] -= CO; L[3] -= CO;
                 P[0] += CH; P[1] += CH; P[2] -= CH; P[3] -= CH; break;
        case QB: L[0] -= CO; L[1] -= CO; L[2] += CO; L[3] += CO;
                 P[0] += CH; P[1] += CH; P[2] -= CH; P[3] -= CH; break;
        case QC: L[0] -= CO; L[1] -= CO; L[2] += CO; L[3] += CO;
                 P[0] -= CH; P[1] -= CH; P[2] += CH; P[3] += CH; break;
        case QD: L[0] += CO; L[1] += CO; L[2] -= CO; L[3] -= CO;
                 P[0] -= CH; P[1] -= CH; P[2] += CH; P[3] += CH; break;
      }
    }
  }

  // Side by side a support point is one of the two roller groups of a cassette; its sum
  // is doubled to be rated against the rating of a whole cassette.
  static void reduce(const Params &p, const float *a, std::array<float, 5> &out) {
    for (int k = 0; k < 4; ++k) {
      const float sum = std::fabs(a[k]) + std::fabs(a[4 + k]);
      out[k] = p.fourCassettes ? sum : 2.0f * sum;
    }
    out[4] = gfsngMax4(out[0], out[1], out[2], out[3]);
  }
};

}  // namespace models
