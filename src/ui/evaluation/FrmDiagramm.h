#pragma once
// The window "Diagramm" of the evaluation screen: the static safety and the lifetime of
// every rated size as charts (ui/evaluation/EvaluationCharts.h), with the grid's figures as
// tool tips, and "Diagramm speichern…" as PNG or SVG. It follows its screen: every
// evaluation run draws it anew, and while it is open a change of the ticks or the load
// type evaluates again at once (once the screen has evaluated).
#include <QMainWindow>
#include <QPointer>
#include <QString>

class QAction;
class QChartView;
class QLabel;
class FrmAuswertung;

class FrmDiagramm : public QMainWindow {
  Q_OBJECT
 public:
  // The screen's window, made on first use, shown and brought to the front.
  static FrmDiagramm *open(FrmAuswertung *screen);
  explicit FrmDiagramm(FrmAuswertung *screen);

  QChartView *safetyView() const { return safetyView_; }
  QChartView *lifeView() const { return lifeView_; }
  // The note shown instead of the charts before the screen's first evaluation.
  QLabel *hint() const { return hint_; }
  QAction *saveItem() const { return saveItem_; }

  // The charts of the screen's last evaluation, drawn anew.
  void refresh();
  // "Diagramm speichern…": the file name from the save dialog; a name ending in ".svg"
  // gives an SVG drawing, any other a PNG picture (".png" added to a name without suffix).
  // Written whole or not at all; a failure is reported. False when nothing was written.
  bool saveChart();

 protected:
  // Texts and charts anew when the interface language changes.
  void changeEvent(QEvent *event) override;
  // The views' own tool tip event would hide the tip of the bar under the mouse.
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void followInput();
  QString tip_;  // the tip of the bar under the mouse
  QPointer<FrmAuswertung> screen_;
  QChartView *safetyView_ = nullptr;
  QChartView *lifeView_ = nullptr;
  QLabel *hint_ = nullptr;
  QAction *saveItem_ = nullptr;
};
