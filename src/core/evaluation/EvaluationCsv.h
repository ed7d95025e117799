#pragma once
// The evaluated sizes as CSV, for a spreadsheet or a script: one writer for the
// evaluation screen's "Als CSV exportieren…", the parameter study and the batch tool's
// --csv (single case, --cases, --sweep).
//
// The file is UTF-8 with one header line, fields separated by commas and quoted as RFC
// 4180 says (a field holding a comma, a quote or a line break in double quotes, its
// quotes doubled), lines ended by CR LF. Numbers are plain: a decimal point, no grouping,
// no unit in the cell; the unit is in the column's name (`load_N`, `life_km`, `life_h`).
// A number is the figure the program calculated, in single precision, written with the
// fewest digits that read back as the same value - the value the batch tool's JSON
// writes for it (its "details"); the evaluation's texts are these figures rounded as the
// screen shows them. A figure that is not given (no duty cycle) is an empty cell.
//
// Columns, in this order (the optional ones where the evaluation uses them):
//   [leading columns: `line` of --cases; `step` and the swept field of a study]
//   unit, size, order_no, static_rating_N, dynamic_rating_N, load_N,
//   [equivalent_load_N: more than one load case], safety, life_km,
//   [life_h, life_years: a duty cycle], verdict_de, verdict_en,
//   [life_ok: a required life], [safety_ok, passes, recommended, suggested: the choice
//   of sizes, with a required life (the evaluation screen's export also where the screen
//   shows it without one)]
// Yes/no columns hold 1 or 0.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <string>

#include "core/common/SessionTypes.h"
#include "core/document/CaseFile.h"

namespace eval::csv {

struct Columns {
  QVector<int> extraHead;       // as the evaluation's extra columns: 1300, 1301, 1302
  bool lifeVerdict = false;     // life_ok
  bool recommendation = false;  // safety_ok, passes, recommended, suggested
  QStringList leading;          // the names of the leading columns
};

// The columns of an evaluation that shows `extraHead` and judges against `required`.
Columns columnsOf(const QVector<int> &extraHead, const RequiredLife &required);
// The columns the evaluation of a case shows, from its input: its load cases, its duty
// cycle and its required life.
Columns columnsOf(const calcfile::Case &c);
// Every column: cases of every kind in one file.
Columns allColumns();

// The header line, with its line end.
std::string header(const Columns &columns);
// One line per evaluated size of `rows` (blank rows give none), each beginning with the
// `leading` cells (one per leading column).
void appendRows(std::string &out, const QVector<EvaluationRow> &rows, const Columns &columns,
                const QStringList &leading = {});
// A whole file: the header and the rows.
QByteArray fileText(const QVector<EvaluationRow> &rows, const Columns &columns);

// One field, quoted where RFC 4180 needs it; a figure in its plain form (empty when not
// finite).
void appendField(std::string &out, const QString &text);
void appendNumber(std::string &out, float value);
// A value of double precision (a swept value) in the same plain form: the fewest digits
// that read back as it ("250.5", not 250.49999999999997).
QString plainNumber(double value);

// The name of the column of a swept field: the key and its unit ("m_mm",
// "loadCases.1.forces.0.1_N").
QString sweptColumn(const QString &key, const QString &unit);

}  // namespace eval::csv
