#pragma once
// One calculation of each of the six arrangements on the demo catalogue
// (src/resources/catalogue.sql), as the whole road through the screens and the batch tool
// both run it: distances, forces, the loads the picture shows and the evaluated rows of
// a few sizes at load type "ruhend" (required safety 1,5), each worked out by hand.
//
// Rules used in the hand computations:
//   safety   = Co / P, one decimal place, decimal comma ("3" would show without one);
//   lifetime = (C / P)^p x 3.141592 x D km, p = 10/3 for bearing type N, 3 for K,
//              rounded to whole km, "." groups the thousands;
//   verdict  = "Kassetten"/"Schienen"/"Kassetten- und Schienen" + "abstand zu gering!"
//              when Ls exceeds the unit distance or the unit width exceeds the rail
//              distance, otherwise safety (as shown) >= required safety gives
//              "Sicherheit ausreichend.", less "Belastung zu hoch!".
// All forces are downward "- Z" forces at x = y = z = 0, so that every series carries the
// same load.
#include <QStringList>

#include "core/common/SessionTypes.h"

namespace testsupport {

struct Road {
  const char *screen, *picture;  // the screen and its picture on the start screen
  const char *m, *n;             // distances; nullptr where the arrangement has none
  TextRows forces;
  QStringList shown;  // the load values on the picture
  TextRows rows;      // evaluated rows of a few sizes, the English verdict last
};

inline const Road kRoads[] = {
    // One cassette on one double rail. Fz = -2000 at x = y = 0: no moments
    // (Q1 = Q2 = Q3 = 0), Q4 = |Fz| = 2000, P = 2000.
    {"FrmEKaEDSch", "PicEKaEDS", nullptr, nullptr, {{"- Z", "2000", "0", "0", "0"}},
     {"2000 N", "0 N", "0 N", "0 N"},
     // TLS 25 / KD25: Co 7820, C 11400, D 16, N. 7820/2000 = 3,91 -> 3,9;
     // 5,7^(10/3) x 3.141592 x 16 = 16628,48 -> 16.628 km; 3,9 >= 1,5.
     {{"KD25", "25", "KD25-124", "7.820 N", "11.400 N", "2.000 N", "3,9", "16.628 km", "Sicherheit ausreichend.",
       "Safety ok."},
      // TLX 12 / KX12: Co 950, C 1600, D 7,5, K. 950/2000 = 0,475 -> 0,5;
      // 0,8^3 x 3.141592 x 7,5 = 12,06 -> 12 km; 0,5 < 1,5.
      {"KX12", "12", "KX12-056", "950 N", "1.600 N", "2.000 N", "0,5", "12 km", "Belastung zu hoch!", "Over load!"}}},
    // One roller-shoe pair on one single-rail pair, rail distance n = 50. y = 0: the
    // moment about X is k1 x 0 x Fz = 0 whatever k1; P = |Fz| = 3000.
    {"FrmERoEESch", "PicERoEES", nullptr, "50", {{"- Z", "3000", "0", "0", "0"}},
     {"3000 N", "0 N", "0 N", "0 N"},
     // RE25: width KB1 49 <= 50. Co 7820/3000 = 2,607 -> 2,6; C/P = 11400/3000 = 3,8,
     // 3,8^(10/3) x 3.141592 x 16 = 4304,09 -> 4.304 km; 2,6 >= 1,5.
     {{"RE25", "25", "RE25-124", "7.820 N", "11.400 N", "3.000 N", "2,6", "4.304 km", "Sicherheit ausreichend.",
       "Safety ok."},
      // RE35: KB1 67 > 50, the rail distance is too small. Co 14600/3000 = 4,867 -> 4,9;
      // C/P = 20800/3000 = 6,933, 6,933^(10/3) x 3.141592 x 22 = 43925,10 -> 43.925 km.
      {"RE35", "35", "RE35-168", "14.600 N", "20.800 N", "3.000 N", "4,9", "43.925 km", "Schienenabstand zu gering!",
       "Rails too narrow!"}}},
    // Two cassettes one behind the other on one double rail, cassette distance m = 150.
    // Inside the track width between the cassettes: each of the four positions gets
    // 2 x 7000 x 0,5 x 0,5 = 3500 (out4 = 3500); the labels show half of it, 1750.
    {"FrmZKaEDSch", "PicZKaEDS", "150", nullptr, {{"- Z", "7000", "0", "0", "0"}},
     {"1750 N", "1750 N", "1750 N", "1750 N"},
     // KD20: Ls 98 <= 150. Co 4790/3500 = 1,369 -> 1,4 < 1,5;
     // C/P = 7150/3500 = 2,043, 2,043^(10/3) x 3.141592 x 13 = 441,79 -> 442 km.
     {{"KD20", "20", "KD20-098", "4.790 N", "7.150 N", "3.500 N", "1,4", "442 km", "Belastung zu hoch!", "Over load!"},
      // KD35: Ls 168 > 150, the cassette distance is too small. Co 14600/3500 = 4,171 -> 4,2;
      // C/P = 20800/3500 = 5,943, 5,943^(10/3) x 3.141592 x 22 = 26275,85 -> 26.276 km.
      {"KD35", "35", "KD35-168", "14.600 N", "20.800 N", "3.500 N", "4,2", "26.276 km", "Kassettenabstand zu gering!",
       "Cassettes too narrow!"}}},
    // Two cassettes side by side on two double rails, rail distance n = 100. x = 0 lies
    // between the roller groups of every series: each support point gets
    // 6000 x 0,5 x 0,5 = 1500, outk = 2 x 1500 = 3000; the labels show half, 1500.
    {"FrmZKaZDSch", "PicZKaZDS", nullptr, "100", {{"- Z", "6000", "0", "0", "0"}},
     {"1500 N", "1500 N", "1500 N", "1500 N"},
     // KH20: width KBs 77 <= 100. Co 7500/3000 = 2,5; C/P = 10800/3000 = 3,6,
     // 3,6^(10/3) x 3.141592 x 13 = 2920,35 -> 2.920 km; 2,5 >= 1,5.
     {{"KH20", "20", "KH20-116", "7.500 N", "10.800 N", "3.000 N", "2,5", "2.920 km", "Sicherheit ausreichend.",
       "Safety ok."},
      // KH35: KBs 127 > 100. Co 21800/3000 = 7,267 -> 7,3; C/P = 30500/3000 = 10,167,
      // 10,167^(10/3) x 3.141592 x 22 = 157338,28 -> 157.338 km.
      {"KH35", "35", "KH35-192", "21.800 N", "30.500 N", "3.000 N", "7,3", "157.338 km", "Schienenabstand zu gering!",
       "Rails too narrow!"}}},
    // Four cassettes on two double rails, m = 400 and n = 300, two forces. The centre of
    // the rectangle: every cassette takes a quarter of each force, 6000/4 + 4000/4 = 2500,
    // shown undivided.
    {"FrmVKaZDSch", "PicVKaZDS", "400", "300", {{"- Z", "6000", "0", "0", "0"}, {"- Z", "4000", "0", "0", "0"}},
     {"2500 N", "2500 N", "2500 N", "2500 N"},
     // KK45: Ls 205 <= 400, KBs 152 <= 300. Co 11800/2500 = 4,72 -> 4,7;
     // C/P = 19800/2500 = 7,92, 7,92^3 x 3.141592 x 26 = 40578,75 -> 40.579 km; 4,7 >= 1,5.
     {{"KK45", "45", "KK45-205", "11.800 N", "19.800 N", "2.500 N", "4,7", "40.579 km", "Sicherheit ausreichend.",
       "Safety ok."},
      // KX12: Co 950/2500 = 0,38 -> 0,4 < 1,5; C/P = 0,64, 0,64^3 x 3.141592 x 7,5 = 6,18 -> 6 km.
      {"KX12", "12", "KX12-056", "950 N", "1.600 N", "2.500 N", "0,4", "6 km", "Belastung zu hoch!", "Over load!"}}},
    // Two roller-shoe pairs on one single-rail pair, m = 100 and n = 40. Inside the
    // rectangle of the four shoes (W = 40 + 2 b2): each position gets
    // 2 x 2000 x 0,5 x 0,5 = 1000 (out4 = 1000); the labels show half, 500. P = 1000 for
    // every size.
    {"FrmZRoEESch", "PicZRoEES", "100", "40", {{"- Z", "2000", "0", "0", "0"}},
     {"500 N", "500 N", "500 N", "500 N"},
     // RE12: Ls 58 <= 100, KB1 26 <= 40. Co 1480/1000 = 1,48 -> 1,5, which meets 1,5;
     // C/P = 2,35, 2,35^(10/3) x 3.141592 x 8 = 433,64 -> 434 km.
     {{"RE12", "12", "RE12-058", "1.480 N", "2.350 N", "1.000 N", "1,5", "434 km", "Sicherheit ausreichend.",
       "Safety ok."},
      // RE15: Ls 74, KB1 31. 2310/1000 = 2,31 -> 2,3; 3,62^(10/3) x 3.141592 x 10 = 2288,29 -> 2.288 km.
      {"RE15", "15", "RE15-074", "2.310 N", "3.620 N", "1.000 N", "2,3", "2.288 km", "Sicherheit ausreichend.",
       "Safety ok."},
      // RE20: Ls 98 <= 100, KB1 40 = 40 (equal passes). 4790/1000 = 4,79 -> 4,8;
      // 7,15^(10/3) x 3.141592 x 13 = 28759,41 -> 28.759 km.
      {"RE20", "20", "RE20-098", "4.790 N", "7.150 N", "1.000 N", "4,8", "28.759 km", "Sicherheit ausreichend.",
       "Safety ok."},
      // RE25: Ls 124 > 100 and KB1 49 > 40: both distances too small. 7820/1000 = 7,82 -> 7,8;
      // 11,4^(10/3) x 3.141592 x 16 = 167604,60 -> 167.605 km.
      {"RE25", "25", "RE25-124", "7.820 N", "11.400 N", "1.000 N", "7,8", "167.605 km",
       "Kassetten- und Schienenabstand zu gering!", "Cassettes and rails too narrow!"},
      // RE35: Ls 168 > 100 and KB1 67 > 40. 14600/1000 = 14,6;
      // 20,8^(10/3) x 3.141592 x 22 = 1710475,7 -> 1.710.476 km.
      {"RE35", "35", "RE35-168", "14.600 N", "20.800 N", "1.000 N", "14,6", "1.710.476 km",
       "Kassetten- und Schienenabstand zu gering!", "Cassettes and rails too narrow!"}}},
};

// Two cassettes one behind the other, m = 200, a payload of 1000 N in the middle and a side
// force of 300 N 50 mm above it. KD20 (h1 15, B 44, k1 0,0455): the model books the roll
// couple of the side force as uplift and gives at most 243,75 (93,75 on the positions
// away from the force); the rigid-plate check gives 1000/2 + 300/2 + 0,0455 x (65 x 300)/2
// = 1093,625 on both cassettes, half of it (547) per position on the picture, and is rated.
inline const Road kTandemRollCouple = {
    "FrmZKaEDSch", "PicZKaEDS", "200", nullptr, {{"- Z", "1000", "0", "0", "0"}, {"Y +", "300", "0", "0", "50"}},
    {"547 N", "547 N", "547 N", "547 N"}, {}};

}  // namespace testsupport
