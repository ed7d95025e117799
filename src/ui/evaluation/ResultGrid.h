#pragma once
// Helpers of the evaluation screen's result grid.
#include <QString>
#include <QStringList>

class QTableWidget;

namespace eval {

// An evaluated row (fields of gastrEvaluation) whose size fails: its verdict is not
// "Sicherheit ausreichend." (load too high, or units or rails too close).
bool verdictFails(const QStringList &row);

// The selected part of the grid as text for a spreadsheet: one line of headings, then
// one line per selected row, cells separated by tabs. The columns are those that hold a
// selected cell and are not hidden; a row counts when any of its cells is selected.
QString selectionAsText(const QTableWidget *grid);

}  // namespace eval
