#include "loads/ForceGrid.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "common/Gui.h"
#include "common/Messages.h"
#include "common/Texts.h"
#include "loads/ForceText.h"

ForceGrid::ForceGrid(QWidget *parent) : QTableWidget(parent) {
  setObjectName(QStringLiteral("MSFlexGrid1"));
  setColumnCount(kColumns);
  QStringList headers;
  for (int id = 515; id <= 519; ++id) headers << builtinText(id);
  setHorizontalHeaderLabels(headers);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(gui::px(285));
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setStretchLastSection(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setFocusPolicy(Qt::ClickFocus);
  setWordWrap(false);
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  setRowCount(1);
  for (int c = 0; c < kColumns; ++c) cell(1, c);
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
  setCurrentCell(row - 1, 0);
  cell(row, 0)->setIcon(QIcon(gui::resourcePicture(208)));
  const msg::Answer a = msg::show({builtinText(317), builtinText(318), msg::Icon::Question,
                                   msg::Buttons::YesNo, 2});
  if (a == msg::Answer::Yes) {
    removeRow(row - 1);
    tag_.clear();
    emit rowDeleted(row);
  }
  return true;
}

void ForceGrid::mouseMoveEvent(QMouseEvent *e) {
  hoverAt(viewport()->mapTo(this, e->position().toPoint()));
  QTableWidget::mouseMoveEvent(e);
}

void ForceGrid::mousePressEvent(QMouseEvent *e) {
  if (pressAt(viewport()->mapTo(this, e->position().toPoint()), e->button())) return;
  QTableWidget::mousePressEvent(e);
}

bool gsubSetForce(const ForceGrid *grid) {
  return gsubSetForceRows(grid ? grid->dataRows() : TextRows());
}
