#pragma once
// Helpers of the evaluation screen's result grid.
#include <QString>
#include <QStringList>

class QTableWidget;

namespace eval {

// The selected part of the grid as text for a spreadsheet: one line of headings, then
// one line per selected row, cells separated by tabs. The columns are those that hold a
// selected cell and are not hidden; a row counts when any of its cells is selected.
QString selectionAsText(const QTableWidget *grid);

}  // namespace eval
