#pragma once
// One input of a calculation stepped over a range: the batch tool's --sweep and the
// evaluation screen's parameter study. Both make a Sweep over a base case here and run
// each of its values as the base case with that value typed into the field
// (sweptCase), through the whole run of a case (run::calculateCase), so that a value of
// the study gives exactly the numbers the same value of --sweep gives.
//
// A key names the field as the batch tool's command line does:
//   m, n                          the distances
//   forces.ROW.COL                a cell of the force table of a case without load cases
//   loadCases.N.forces.ROW.COL    a cell of the force table of load case N
// N and ROW count from 0; COL is 1 force, 2 x, 3 y, 4 z.
#include <QString>
#include <QVector>

#include "core/common/InputLimits.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/document/CaseFile.h"
#include "core/evaluation/EvaluationCsv.h"
#include "core/run/CalculationRun.h"

namespace run {

// One value of a sweep: the text typed into the field (the locale's notation, no
// grouping, no trailing zeros) and its number.
struct SweepValue {
  QString text;
  double value = 0.0;
};

struct Sweep {
  QString key;
  enum class Field { M, N, Force } field = Field::M;
  int loadCase = -1;  // Force: the load case, -1 for the case's "forces"
  int row = 0, column = 0;
  QVector<SweepValue> values;
};

// The largest number of values a sweep may have.
constexpr int kMaxSweepValues = 100000;
// The most decimals a value of a sweep is typed with.
constexpr int kMaxSweepDecimals = 6;

// Reads a key against the base case (which field, whether the case has it). False with
// the refusal in English and German.
bool parseSweepKey(const QString &key, const calcfile::Case &base, Sweep *out, calcfile::Error *error);

// The batch tool's --sweep KEY=FROM:TO:STEP: FROM, FROM+STEP, ... up to TO, counted
// exactly in the numbers' decimals (the locale's notation; num::setLocale must have
// been called). Every value must lie in the field's plausible range. False with the
// refusal in English.
bool parseSweep(const QString &argument, const calcfile::Case &base, Sweep *out, QString *error);

// The parameter study's range: `steps` values (2 or more) from FROM to TO, evenly
// spaced, each typed with at most kMaxSweepDecimals decimals (three more than FROM and
// TO have) and rounded to them half to even. False with the refusal in English and
// German (a text that is no number, too many digits, a value outside the range).
bool makeSweep(const QString &key, const calcfile::Case &base, const QString &from, const QString &to,
               int steps, Sweep *out, calcfile::Error *error);

// The base case with value `index` of the sweep typed into its field; the notes the
// value gives (a coordinate along its force's own axis) made anew.
calcfile::Case sweptCase(const calcfile::Case &base, const Sweep &sweep, int index);

// The text the field holds in a case ("" where the case has no such field).
QString sweptText(const calcfile::Case &c, const Sweep &sweep);

// The quantity of the field (distance, force, coordinate) and its unit ("mm", "N").
limits::Quantity quantityOf(const Sweep &sweep);
QString unitOf(const Sweep &sweep);

// ---------------------------------------------------------------- running it
// One value of a sweep calculated: the whole run's rows and what the user would have
// read on the way.
struct SweepStep {
  Result result;
  QVector<msg::Message> messages;
  bool ended = false;  // the program would have ended (a database error): no more steps
};

// Every value of the sweep, one after the other on this thread, each as the batch tool
// runs one line of --sweep: the base case with the value typed in, through
// calculateCase on a fresh copy of `started` (a session as startSession leaves it), its
// messages recorded instead of shown. Stops after a step that ends the program.
QVector<SweepStep> runSweep(const Session &started, const calcfile::Case &base, const Sweep &sweep,
                            const Options &options = {});

// ---------------------------------------------------------------- as CSV
// The columns of a sweep's CSV (--sweep --csv and the parameter study's export): those
// the base case's evaluation shows, led by `step` (from 1) and the swept field with its
// unit ("m_mm").
eval::csv::Columns csvColumns(const calcfile::Case &base, const Sweep &sweep);
// The leading cells of value `index`: its step and its value as a plain number.
QStringList csvLeading(const Sweep &sweep, int index);

}  // namespace run
