#pragma once
// The six load models. One interface: the force rows as typed, the distance fields as
// typed, and a loader for the series rows of every table set; out come the result rows
// the evaluation rates, the loads shown on the picture, the series menu captions, the
// distances in force and whether the calculation was refused. Messages (refusals,
// factor errors, "Berechnungsfehler!") go through the message service in the order the
// user sees them.
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <functional>

#include "core/arrangements/models/Arrangement.h"
#include "core/common/Session.h"

struct CalcInput {
  ArrangementId arrangement = ArrangementId::EKaEDSch;
  TextRows forces;       // data rows of the force table: label, force, x, y, z (texts as typed)
  QString m, n;          // distance fields as typed (ignored where the arrangement has none)
  int tableCount = 0;    // table codes 1..tableCount (catalogue sets, then the special shoe)
  // Loads the series rows (geometry layout, columns 0..12) of one table code; an empty
  // result contributes no rows.
  std::function<TextRows(int code)> loadTable;
  // Where a cell of the geometry layout comes from: the catalogue table and its column
  // for a table code and a layout column. When set, a cell that holds no number is
  // named in the message (table, series, size, column).
  std::function<QPair<QString, QString>(int code, int column)> cellSource;
  // The multi-unit arrangements rate the larger of their model and the rigid-plate check
  // (core/arrangements/models/RigidCheck.h); false rates the model alone, as earlier releases.
  bool rigidCheck = true;
  // Input as the engineer enters it (every calculation he starts: calculateArrangement):
  // values beyond the plausible ranges (core/common/InputLimits.h) are refused by the name of
  // their field, and the coordinate along a force's own axis is taken as 0, since where a
  // force sits on its own line of action changes no load (the zone and quadrant choices
  // of the models would otherwise book one physical force in different places). The
  // models alone run on any numbers, to show their arithmetic.
  bool engineerInput = false;
};

// mText/nText and the two distances are set before the input checks, so they are valid
// after a refusal too (the fields show the rounded values, the distances are in force).
// After a refusal (calcFailed) or an error shown as "Berechnungsfehler!" (completed false,
// calcFailed false) the result lists are empty and the caller keeps its previous results.
struct CalcOutput {
  bool calcFailed = false;   // refused for missing or wrong input (mblnCalcFailed)
  bool completed = false;    // results computed (false after a refusal or an error)
  QString mText, nText;      // what the distance fields show afterwards
  float unitDistance = 0.0f; // gsngUnitDistance
  float railDistance = 0.0f; // gsngRailDistance
  TextRows result;           // gastrResult rows: Serie, Gr, load as text, unit series
  QVector<std::array<float, 5>> loads;  // msngLoad rows (Q1,Q2,Q3,Q4,P or out0..out4)
  // Per row as in `loads`: the model's own values, the rigid-plate check's values (empty
  // for the one-unit arrangements and with the check off) and whether the check governs
  // the row. Where it governs, `loads` and the load of `result` are the check's.
  QVector<std::array<float, 5>> modelLoads;
  QVector<std::array<float, 5>> checkLoads;
  QVector<bool> byCheck;
};

CalcOutput runModel(const CalcInput &in);
// The series menu captions of the result rows: unit series, blank, size ("FD 20 20").
// Made when the menu is filled, not by every calculation.
QStringList seriesCaptions(const CalcOutput &out);
