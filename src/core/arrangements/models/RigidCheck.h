#pragma once
// The rigid-plate check of the multi-unit arrangements. The four-position models split
// each force with share functions zone by zone; in combined load cases they can drop the
// sense of a force, book a roll couple as uplift on both tracks, or halve a payload that
// stands beyond the rails. This check treats the units as supports of one rigid plate and
// takes the resultant forces and moments of the whole force table: W (pressing), the
// lateral force Fy, and the moments My', Mx', Mz' about the plate centre at guide height.
// Per series the larger of model and check is rated, so the rating is never below a
// plain statics calculation. Plain arithmetic over numbers, sums in double precision,
// results stored as single precision like every load of the program.
#include <array>

namespace plate {

// One force row: signed components (Fz > 0 upwards) at its point of application.
struct Load {
  double Fx = 0.0, Fy = 0.0, Fz = 0.0;
  double x = 0.0, y = 0.0, z = 0.0;
};

// Sums of all force rows. The moments are taken at the height z of the points of
// application; the guide height of a series is added in loads(), so one pass over the
// force table serves every series.
struct Sums {
  double W = 0.0;    // sum of -Fz: pressing positive
  double Fx = 0.0;   // goes to the drive; only its couple at height counts
  double Fy = 0.0;
  double My = 0.0;   // sum of x*(-Fz) + z*Fx
  double Mx = 0.0;   // sum of y*(-Fz) + z*Fy
  double Mz = 0.0;   // sum of x*Fy - y*Fx
  void add(const Load &l);
};

enum class Supports {
  Corners,       // four cassettes at (+-m/2, +-n/2)
  RollerGroups,  // two cassettes side by side: their roller groups at (+-a/2, +-n/2)
  TwoUnits       // two units along X at +-m/2, each taking half the roll moment itself
};

struct Geometry {
  Supports supports = Supports::Corners;
  double span = 0.0;  // along X: m, or a = (a1 + a2)/2 for the roller groups
  double n = 0.0;     // across: the rail distance (Corners, RollerGroups)
  double h = 0.0;     // guide height added to z: h1 (cassettes) or h2 (roller shoes)
  double k1 = 0.0;    // TwoUnits: the one-unit roll factor in 1/mm
};

// The support reactions of the load positions 0..3 (the models' numbering: 0 and 1 at
// -X, 2 and 3 at +X; 0 and 2 at -Y, 1 and 3 at +Y): p vertical (pressing positive), h
// lateral, and for two units the roll share k1 |Mx'| / 2 each unit takes itself (both
// positions of a unit carry the unit's values). A span that is not positive contributes
// no moment term.
struct Reactions {
  std::array<double, 4> p{}, h{};
  double roll = 0.0;
};
Reactions reactions(const Sums &s, const Geometry &g);

// Values of the load positions 0..3, |p| + |h| (+ roll), and their largest in element 4,
// on the scale of the model's values: a roller group counts twice, as half a cassette.
std::array<float, 5> loads(const Sums &s, const Geometry &g);

// The check governs a series when its largest load exceeds the model's by more than
// 0.1 %: below that the two agree within the rounding of the model's single precision.
bool governs(float check4, float model4);

}  // namespace plate
