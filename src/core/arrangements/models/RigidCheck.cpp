#include "core/arrangements/models/RigidCheck.h"

#include <algorithm>
#include <cmath>

namespace plate {

void Sums::add(const Load &l) {
  const double press = -l.Fz;
  W += press;
  Fx += l.Fx;
  Fy += l.Fy;
  My += l.x * press + l.z * l.Fx;
  Mx += l.y * press + l.z * l.Fy;
  Mz += l.x * l.Fy - l.y * l.Fx;
}

Reactions reactions(const Sums &s, const Geometry &g) {
  // Moments about the guide: the lever of Fx and Fy grows by the guide height.
  const double my = s.My + g.h * s.Fx;
  const double mx = s.Mx + g.h * s.Fy;
  const double mz = s.Mz;
  const bool alongX = g.span > 0.0;
  const bool across = g.n > 0.0;

  // Each term is the same quotient at the four supports, only its sign changes with the
  // side: (-a)/b is exactly -(a/b), so every quotient is taken once.
  Reactions r;
  if (g.supports == Supports::TwoUnits) {
    // Each unit carries half the load and of the lateral force, the pitch and yaw
    // couples as a pair of forces at distance m.
    const double w = s.W / 2.0, fy = s.Fy / 2.0;
    const double p = alongX ? my / g.span : 0.0;
    const double h = alongX ? mz / g.span : 0.0;
    for (size_t k = 0; k < 4; ++k) {
      const bool plusX = k >= 2;
      r.p[k] = w + (plusX ? p : -p);
      r.h[k] = fy + (plusX ? h : -h);
    }
  } else {
    const double w = s.W / 4.0, fy = s.Fy / 4.0;
    const double p = alongX ? my / (2.0 * g.span) : 0.0;
    const double q = across ? mx / (2.0 * g.n) : 0.0;
    const double h = alongX ? mz / (2.0 * g.span) : 0.0;
    for (size_t k = 0; k < 4; ++k) {
      const bool plusX = k >= 2, plusY = k % 2 == 1;
      r.p[k] = w + (plusX ? p : -p) + (plusY ? q : -q);
      r.h[k] = fy + (plusX ? h : -h);
    }
  }
  if (g.supports == Supports::TwoUnits) r.roll = g.k1 * std::fabs(mx) / 2.0;
  return r;
}

std::array<float, 5> loads(const Sums &s, const Geometry &g) {
  const Reactions r = reactions(s, g);
  const double scale = g.supports == Supports::RollerGroups ? 2.0 : 1.0;
  std::array<float, 5> out{};
  for (size_t k = 0; k < 4; ++k)
    out[k] = static_cast<float>(scale * (std::fabs(r.p[k]) + std::fabs(r.h[k]) + r.roll));
  out[4] = std::max(std::max(out[0], out[1]), std::max(out[2], out[3]));
  return out;
}

bool governs(float check4, float model4) {
  // check4 > 1.001 model4, exact: both products of single-precision values fit a double.
  return static_cast<double>(check4) * 1000.0 > static_cast<double>(model4) * 1001.0;
}

}  // namespace plate
