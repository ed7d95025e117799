#pragma once
// "Berechnen" over several load cases: every load case runs the one calculation of the
// arrangement screens (calculateArrangement) with its own force table; the result rows
// carry, per series, the largest rated load over the load cases (the static load), and
// the five rated values of every load case are kept for the equivalent dynamic load of
// the evaluation. One load case of 100 % is exactly the calculation without load cases.
#include "core/arrangements/Calculate.h"
#include "core/common/Session.h"

// Checks the load cases before anything is calculated. Each share must lie in 0..100,
// together they must make 100 %, and where there is more than one load case every load
// case needs a force (one load case without one gets the model's own refusal). Returns
// the German message naming the load case, or an empty text.
QString checkLoadCases(const QVector<LoadCase> &cases);

struct LoadCaseOutput {
  // As one calculation: calcFailed, completed, distances; result rows with the static
  // load; loads the largest value of each of the five over the load cases.
  CalcOutput combined;
  QVector<CalcOutput> perCase;  // each load case's own output (its loads for the display)
};

// Checks (refusal titled "Abbruch der Berechnung", the calculation then counts as
// refused) and calculates every load case. On completion gastrResult and resultRows hold
// the combined rows (with more than one load case each typed row holds the rated values
// of every load case), gaLoadCases the load cases and gblnLoadPositions whether values
// 0..3 are load positions.
// rigidCheck as for calculateArrangement; a series row's governing flag is that of the
// load case that gives its static load.
LoadCaseOutput calculateLoadCases(Session &s, ArrangementId id, const QVector<LoadCase> &cases,
                                  const QString &m, const QString &n, bool rigidCheck = true);

// The hand-over of "Weiter" with load cases: that of handOver for the first load case
// (gastrForce), and the printed force table of every load case into gaLoadCaseForce.
// printForces false hands over the arrangement names only and leaves both printed
// tables empty: for a caller that shows neither the report nor the text export (the
// batch tool, whose cases may have thousands of force rows). After a calculation that
// completed, every force cell is a number, so printing would have shown no message.
bool handOverLoadCases(Session &s, ArrangementId id, const QVector<LoadCase> &cases, bool printForces = true);
