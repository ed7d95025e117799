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

  Reactions r;
  for (size_t k = 0; k < 4; ++k) {
    const double sx = k < 2 ? -1.0 : 1.0;
    const double sy = k % 2 == 0 ? -1.0 : 1.0;
    if (g.supports == Supports::TwoUnits) {
      // Each unit carries half the load and of the lateral force, the pitch and yaw
      // couples as a pair of forces at distance m.
      r.p[k] = s.W / 2.0 + (alongX ? sx * my / g.span : 0.0);
      r.h[k] = s.Fy / 2.0 + (alongX ? sx * mz / g.span : 0.0);
    } else {
      r.p[k] = s.W / 4.0 + (alongX ? sx * my / (2.0 * g.span) : 0.0) +
               (across ? sy * mx / (2.0 * g.n) : 0.0);
      r.h[k] = s.Fy / 4.0 + (alongX ? sx * mz / (2.0 * g.span) : 0.0);
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
