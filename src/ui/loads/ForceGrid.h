#pragma once
// The force table of an arrangement screen, MSFlexGrid1: one row per force with its
// direction, magnitude and point of application, as the user typed them. Rows are added
// by the input dialog and deleted here: the hover marker in the direction column shows
// which row a click would delete.
//
// The grid's rows are counted as the user sees them on the screen: the header row is
// row 0 and the data rows are 1 .. rows() - 1. A new table holds the header row and one
// empty data row.
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <functional>

#include "core/common/Session.h"

class QMenu;

class ForceGrid : public QTableWidget {
  Q_OBJECT
 public:
  static constexpr int kColumns = 5;  // direction, force, x, y, z
  // Clicks to delete a row must land this close to the grid's left edge (twips).
  static constexpr double kDeleteZoneTwips = 250.0;

  explicit ForceGrid(QWidget *parent = nullptr);

  // Rows including the header row (2 for a new table).
  int rows() const { return rowCount() + 1; }
  // Text of a cell by grid row (data rows from 1) and column.
  QString textMatrix(int row, int column) const;
  void setTextMatrix(int row, int column, const QString &text);
  // The data rows as typed: direction, force, x, y, z.
  TextRows dataRows() const;

  // The row a new force goes into: the last row when its force and x and y cells are
  // empty, otherwise a new row appended at the end.
  int rowForNewForce();

  // Row number of the hover marker as text, empty when no row is marked (the grid's Tag).
  QString tag() const { return tag_; }
  // Removes the hover marker.
  void clearMarker();

  // What the mouse does on the grid; positions in the grid's own coordinates.
  void hoverAt(const QPoint &gridPos);
  // Returns true when the click asked about deleting a row (whatever the answer).
  bool pressAt(const QPoint &gridPos, Qt::MouseButton button);

  // Deleting data row `row` (from 1) after the question "Möchten Sie diesen Datensatz
  // löschen?", as a click in the delete zone, the Delete key and the context menu do.
  // The last data row always stays. Returns true when the row went.
  bool askDeleteRow(int row);
  bool canDelete(int row) const;
  // The data row of the current cell (from 1), 0 when there is none.
  int currentDataRow() const;
  // Row `row` holds a force (its direction is set).
  bool holdsForce(int row) const;

  // Runs the row's context menu ("Kraft ändern ...", "Kraft löschen") and returns the
  // chosen action; by default QMenu::exec. Tests install their own choice.
  void setContextMenuRunner(std::function<QAction *(QMenu *, const QPoint &)> runner);

 signals:
  void rowDeleted(int row);
  // Double-click, Enter or F2 on a force row, or "Kraft ändern ..." of its context menu.
  void editRequested(int row);

 protected:
  // The headings anew (and the columns fitted to them) when the interface language changes.
  void changeEvent(QEvent *e) override;
  void mouseMoveEvent(QMouseEvent *e) override;
  void mousePressEvent(QMouseEvent *e) override;
  void mouseDoubleClickEvent(QMouseEvent *e) override;
  void keyPressEvent(QKeyEvent *e) override;
  void contextMenuEvent(QContextMenuEvent *e) override;

 private:
  void showHeadings();
  // Data row under a point of the grid (from 1), 0 over the header, -1 elsewhere.
  int rowAtGrid(const QPoint &gridPos) const;
  int columnAtGrid(const QPoint &gridPos) const;
  QTableWidgetItem *cell(int row, int column);
  void styleDirectionCell(QTableWidgetItem *item) const;

  QString tag_;
  std::function<QAction *(QMenu *, const QPoint &)> contextMenuRunner_;
};

// Rebuilds gastrForce, the printed force table, from the grid's data rows. An unreadable
// cell is reported titled "gsubSetForce!"; returns false then.
bool gsubSetForce(Session &session, const ForceGrid *grid);
