#pragma once
// "Lasten je Einheit" of the evaluation screen: for the row the user picks in the result
// grid, the loads of every unit of the arrangement (core/evaluation/UnitLoads.h), on a
// miniature of the arrangement's drawing with the rated values at the units and the most
// loaded position filled in the warning colour, and as a table of the load model's and
// the rigid-plate check's values with the governing one in bold and the warning colour;
// a line below names the source and the position that govern. A small tool window that
// stays above its screen; closing it only hides it.
#include <QVector>
#include <QWidget>
#include <optional>

#include "core/arrangements/models/Arrangement.h"
#include "core/common/Session.h"
#include "core/evaluation/UnitLoads.h"

class QLabel;
class QTableWidget;

class UnitLoadsPanel : public QWidget {
  Q_OBJECT
 public:
  // The panel of one arrangement's rows; `screen` is the evaluation screen it belongs to.
  UnitLoadsPanel(Session &session, ArrangementId id, QWidget *screen);
  ~UnitLoadsPanel() override;

  // The loads of an evaluated row; nullptr (no row picked) or a row without values shows
  // a note instead.
  void showRow(const EvaluationRow *row);
  // On its first showing the panel stands to the right of `anchor` (the grid), within the
  // screen's free area, overlapping the window where there is no room beside it.
  void placeBeside(const QWidget *anchor);

  // What it shows, for tests and screenshots.
  QLabel *heading() const { return heading_; }
  QTableWidget *table() const { return table_; }
  QLabel *governing() const { return governing_; }
  QLabel *loadCase() const { return loadCase_; }
  QLabel *note() const { return note_; }
  // The value written on the miniature at position k (one unit: 0 P, 1..3 Q1..Q3).
  QLabel *drawingLabel(int k) const;
  // The fills of the miniature's load shapes, in position order.
  QVector<QColor> shapeFills() const;

 signals:
  // The user closed the window.
  void closed();

 protected:
  void changeEvent(QEvent *event) override;
  void closeEvent(QCloseEvent *event) override;

 private:
  class Miniature;
  void clear(const QString &note);
  QColor colourOf(int code) const;

  Session &session_;
  ArrangementId id_;
  bool placed_ = false;
  std::optional<EvaluationRow> row_;  // the row shown
  QLabel *heading_ = nullptr;
  Miniature *miniature_ = nullptr;
  QTableWidget *table_ = nullptr;
  QLabel *governing_ = nullptr;
  QLabel *loadCase_ = nullptr;
  QLabel *note_ = nullptr;
};
