#include "ui/loads/ForceGrid.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "core/common/Texts.h"
#include "core/common/UnsavedInput.h"
#include "core/loads/ForceText.h"

ForceGrid::ForceGrid(QWidget *parent) : QTableWidget(parent) {
  setObjectName(QStringLiteral("MSFlexGrid1"));
  setColumnCount(kColumns);
  showHeadings();
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(gui::px(285));
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setStretchLastSection(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Reachable with Tab: the arrow keys choose a row, Delete deletes it, Enter edits it.
  setFocusPolicy(Qt::StrongFocus);
  // Tab and Shift+Tab leave the table for the next control, as in every other field:
  // its cells are edited through the force dialog, not walked with Tab.
  setTabKeyNavigation(false);
  setWordWrap(false);
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  setRowCount(1);
  for (int c = 0; c < kColumns; ++c) cell(1, c);
}

void ForceGrid::showHeadings() {
  QStringList headers;
  for (int id = 515; id <= 519; ++id) headers << builtinText(id);
  setHorizontalHeaderLabels(headers);
}

void ForceGrid::changeEvent(QEvent *e) {
  if (e->type() == QEvent::LanguageChange) {
    showHeadings();
    gui::gsubSetColWidth(window(), this, false);
  }
  QTableWidget::changeEvent(e);
}

QTableWidgetItem *ForceGrid::cell(int row, int column) {
  QTableWidgetItem *it = item(row - 1, column);
  if (!it) {
    it = new QTableWidgetItem;
    it->setTextAlignment(column == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
    if (column == 0) styleDirectionCell(it);
    setItem(row - 1, column, it);
  }
  return it;
}

// The direction column is a fixed column: it looks like the header and carries the
// row markers.
void ForceGrid::styleDirectionCell(QTableWidgetItem *item) const {
  item->setBackground(palette().color(QPalette::Button));
  item->setForeground(palette().color(QPalette::ButtonText));
  item->setFlags(Qt::ItemIsEnabled);
}

QString ForceGrid::textMatrix(int row, int column) const {
  const QTableWidgetItem *it = item(row - 1, column);
  return it ? it->text() : QString();
}

void ForceGrid::setTextMatrix(int row, int column, const QString &text) {
  cell(row, column)->setText(text);
}

TextRows ForceGrid::dataRows() const {
  TextRows out;
  for (int r = 1; r < rows(); ++r) {
    QStringList row;
    for (int c = 0; c < kColumns; ++c) row << textMatrix(r, c);
    out.append(row);
  }
  return out;
}

int ForceGrid::rowForNewForce() {
  const int last = rows() - 1;
  if (last >= 1 && textMatrix(last, 1).isEmpty() && textMatrix(last, 2).isEmpty() &&
      textMatrix(last, 3).isEmpty())
    return last;
  setRowCount(rowCount() + 1);
  for (int c = 0; c < kColumns; ++c) cell(rows() - 1, c);
  return rows() - 1;
}

void ForceGrid::clearMarker() {
  if (!tag_.isEmpty()) {
    setUpdatesEnabled(false);
    if (QTableWidgetItem *it = item(tag_.toInt() - 1, 0)) it->setIcon(QIcon());
    setUpdatesEnabled(true);
  }
  tag_.clear();
}

int ForceGrid::rowAtGrid(const QPoint &gridPos) const {
  const QPoint v = viewport()->mapFrom(this, gridPos);
  if (v.y() < 0) return 0;  // over the header row
  const int r = rowAt(v.y());
  return r < 0 ? -1 : r + 1;
}

int ForceGrid::columnAtGrid(const QPoint &gridPos) const {
  const QPoint v = viewport()->mapFrom(this, gridPos);
  return columnAt(v.x());
}

void ForceGrid::hoverAt(const QPoint &gridPos) {
  const int row = rowAtGrid(gridPos);
  if (row <= 0 || rows() <= 2) return;
  setUpdatesEnabled(false);
  clearMarker();
  setCurrentCell(row - 1, 0);
  tag_ = QString::number(row);
  cell(row, 0)->setIcon(QIcon(gui::resourcePicture(207)));
  setUpdatesEnabled(true);
}

bool ForceGrid::pressAt(const QPoint &gridPos, Qt::MouseButton button) {
  const int row = rowAtGrid(gridPos);
  // Only a left click close to the left edge of the direction column deletes, and the
  // last data row always stays.
  if (button != Qt::LeftButton || columnAtGrid(gridPos) != 0 || row <= 0 || gridPos.x() < 0 ||
      gridPos.x() >= gui::px(kDeleteZoneTwips) || rows() <= 2)
    return false;
  askDeleteRow(row);
  return true;
}

bool ForceGrid::canDelete(int row) const { return row >= 1 && row < rows() && rows() > 2; }

bool ForceGrid::askDeleteRow(int row) {
  if (!canDelete(row)) return false;
  setCurrentCell(row - 1, 0);
  cell(row, 0)->setIcon(QIcon(gui::resourcePicture(208)));
  const msg::Answer a = msg::show({builtinText(317), builtinText(318), msg::Icon::Question,
                                   msg::Buttons::YesNo, 2});
  if (a != msg::Answer::Yes) return false;
  removeRow(row - 1);
  tag_.clear();
  input::noteChange();
  emit rowDeleted(row);
  return true;
}

int ForceGrid::currentDataRow() const { return currentRow() < 0 ? 0 : currentRow() + 1; }

bool ForceGrid::holdsForce(int row) const {
  return row >= 1 && row < rows() && !textMatrix(row, 0).isEmpty();
}

void ForceGrid::keyPressEvent(QKeyEvent *e) {
  const int row = currentDataRow();
  if (e->key() == Qt::Key_Delete && e->modifiers() == Qt::NoModifier) {
    askDeleteRow(row);
    return;
  }
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_F2) && holdsForce(row)) {
    emit editRequested(row);
    return;
  }
  QTableWidget::keyPressEvent(e);
}

void ForceGrid::mouseDoubleClickEvent(QMouseEvent *e) {
  const int row = rowAtGrid(viewport()->mapTo(this, e->position().toPoint()));
  if (e->button() == Qt::LeftButton && holdsForce(row)) {
    emit editRequested(row);
    return;
  }
  QTableWidget::mouseDoubleClickEvent(e);
}

void ForceGrid::contextMenuEvent(QContextMenuEvent *e) {
  const int row = e->reason() == QContextMenuEvent::Mouse ? rowAtGrid(e->pos()) : currentDataRow();
  if (!holdsForce(row)) return;
  setCurrentCell(row - 1, 0);
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("ForceGridMenu"));
  QAction *edit = menu.addAction(builtinText(1105));
  QAction *remove = menu.addAction(builtinText(1106));
  remove->setShortcut(QKeySequence::Delete);
  remove->setEnabled(canDelete(row));
  const QPoint at = e->reason() == QContextMenuEvent::Mouse ? e->globalPos()
                                                            : viewport()->mapToGlobal(visualItemRect(item(row - 1, 0)).center());
  QAction *chosen = contextMenuRunner_ ? contextMenuRunner_(&menu, at) : menu.exec(at);
  if (chosen == edit) emit editRequested(row);
  else if (chosen == remove) askDeleteRow(row);
}

void ForceGrid::setContextMenuRunner(std::function<QAction *(QMenu *, const QPoint &)> runner) {
  contextMenuRunner_ = std::move(runner);
}

void ForceGrid::mouseMoveEvent(QMouseEvent *e) {
  hoverAt(viewport()->mapTo(this, e->position().toPoint()));
  QTableWidget::mouseMoveEvent(e);
}

void ForceGrid::mousePressEvent(QMouseEvent *e) {
  if (pressAt(viewport()->mapTo(this, e->position().toPoint()), e->button())) return;
  QTableWidget::mousePressEvent(e);
}

bool gsubSetForce(Session &session, const ForceGrid *grid) {
  return gsubSetForceRows(session, grid ? grid->dataRows() : TextRows());
}
