#pragma once
// The printed form of the force table: what the evaluation's report and text export
// show of the forces entered on an arrangement screen.
#include "core/common/Session.h"

namespace loads {

// One data row of the force grid (direction, force, x, y, z as typed) in its printed
// form: the direction unchanged, the force as "1.500 N", the coordinates as "-20 mm"
// (pattern "##,##0" in the program's locale). Text that is no number throws
// AppError(err::typeMismatch()).
QStringList formatForceRow(const QStringList &typed);

// All data rows at once; throws at the first unreadable cell.
TextRows formatForceTable(const TextRows &typed);

}  // namespace loads

// Rebuilds gastrForce from the data rows of a force grid. The table is sized to the
// grid first; an unreadable cell shows its description titled "gsubSetForce!" and
// leaves the table filled as far as it got. Returns false after such a message.
bool gsubSetForceRows(Session &s, const TextRows &typed);
