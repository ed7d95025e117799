#pragma once
// The loads of every unit of the arrangement for one rated size: the load model's values
// of the four load positions (for one unit: Q1, Q2, Q3, Q4 and P), the rigid-plate
// check's, which of the two is rated and which position carries the rated load. The
// evaluation screen's panel "Lasten je Einheit" shows them for the row the user picks,
// the report for the recommended sizes.
//
// The positions of the four-position arrangements, in the order of the values: 0 at -x/-y
// (front left as drawn: X to the right, Y away from the viewer), 1 at -x/+y (rear left),
// 2 at +x/-y (front right), 3 at +x/+y (rear right). What sits there depends on the
// arrangement: the four cassettes, the four roller shoes of two pairs, the two tracks of
// each of two cassettes on one double rail, or the two roller groups of each of two
// cassettes side by side.
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <optional>

#include "core/arrangements/models/Arrangement.h"
#include "core/common/Session.h"

namespace units {

struct UnitLoads {
  ArrangementId arrangement = ArrangementId::VKaZDSch;
  bool single = false;  // one unit: the values are Q1, Q2, Q3, Q4 and P
  std::array<float, 5> model{};
  std::optional<std::array<float, 5>> check;  // none for one unit or with the check off
  bool byCheck = false;                       // the check's values are rated
  // The positions that carry the rated load (several where equal); one unit: {4}, its P.
  QVector<int> mostLoaded;
  // With several load cases: the one whose values these are (the one with the largest
  // rated load), an index into the session's load cases; -1 with one load case.
  int loadCase = -1;

  const std::array<float, 5> &rated() const { return byCheck && check ? *check : model; }
  // The values a row shows: four positions, or for one unit all five.
  int valueCount() const { return single ? 5 : 4; }
};

// The arrangement the session's results were handed over for (by the names "Weiter"
// hands over); none before a hand-over.
std::optional<ArrangementId> handedOverArrangement(const Session &s);

// The loads per unit of an evaluated row, from the result row it was rated from; none
// when the row is blank or its result row carries no values.
std::optional<UnitLoads> unitLoadsOf(const Session &s, const EvaluationRow &row, ArrangementId id);

// The names below are German, or English with `english`, whatever the screens speak (the
// report chooses its language; a screen passes the interface language).
// What sits at a position: "vorn links" (four positions; English "front left"), or for
// one unit the value's symbol ("Q1 (Mx)" .. "P").
QString positionName(ArrangementId id, int k, bool english);
// The kind of unit at the positions: "Kassette", "Laufbahn", "Rollengruppe",
// "Rollenschuh"; empty for one unit.
QString kindName(ArrangementId id, bool english);
// The kind and the position: "Kassette vorn rechts"; for one unit the symbol alone.
QString unitName(ArrangementId id, int k, bool english);
// "Lastmodell" or "Starre Platte".
QString sourceName(bool check, bool english);
// A value as the program shows loads: whole newtons, grouped ("1.144 N"), German notation.
QString valueText(float value);
// "Maßgebend: Lastmodell – Kassette vorn rechts: 1.144 N" (German notation of numbers).
QString governingText(const UnitLoads &u, bool english);

}  // namespace units
