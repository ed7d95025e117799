#include "ui/evaluation/ResultGrid.h"

#include <QHeaderView>
#include <QSet>
#include <QStringList>
#include <QTableWidget>
#include <algorithm>


namespace eval {

QString selectionAsText(const QTableWidget *grid) {
  QSet<int> rowSet, columnSet;
  for (const QModelIndex &i : grid->selectionModel()->selectedIndexes()) {
    if (grid->isColumnHidden(i.column())) continue;
    rowSet.insert(i.row());
    columnSet.insert(i.column());
  }
  if (rowSet.isEmpty()) return QString();
  QList<int> rows(rowSet.begin(), rowSet.end()), columns(columnSet.begin(), columnSet.end());
  std::sort(rows.begin(), rows.end());
  std::sort(columns.begin(), columns.end());

  QStringList lines;
  QStringList cells;
  for (int c : columns) {
    const QTableWidgetItem *h = grid->horizontalHeaderItem(c);
    cells << (h ? h->text() : QString());
  }
  lines << cells.join(QLatin1Char('\t'));
  for (int r : rows) {
    cells.clear();
    for (int c : columns) {
      const QTableWidgetItem *it = grid->item(r, c);
      cells << (it ? it->text() : QString());
    }
    lines << cells.join(QLatin1Char('\t'));
  }
  return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace eval
