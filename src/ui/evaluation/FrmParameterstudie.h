#pragma once
// "Parameterstudie…" of the evaluation screen: one input of the calculation (a distance,
// or a force's value or coordinate in any load case) stepped over a range, every step
// calculated through the same run as the batch tool's --sweep (run::runSweep), shown as
// line charts of the load of the most loaded unit, the static safety and the lifetime
// of every ticked size against the input, with the required safety and life, and as a
// table beside them. The study exports its rows as CSV (as --sweep --csv writes them),
// its charts as PNG or SVG, and "Wert übernehmen" types the chosen step's value into the
// calculation (one undoable edit of its document).
#include <QByteArray>
#include <QPointer>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include "core/common/Session.h"
#include "core/run/Sweep.h"

class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class CalcDocument;

class FrmParameterstudie : public QWidget {
  Q_OBJECT
 public:
  // A study of the calculation `document` holds, on sessions started afresh over the
  // catalogue of `session` (as the batch tool starts one); a window of its own, deleted
  // with `parent` (the evaluation screen).
  FrmParameterstudie(Session &session, CalcDocument *document, QWidget *parent);
  ~FrmParameterstudie() override;

  // The inputs the study offers, in the order of CboEingabe: their sweep keys.
  QStringList inputKeys() const;

  QComboBox *CboEingabe() const { return cboEingabe_; }
  QLineEdit *Tb_Von() const { return tbVon_; }
  QLineEdit *Tb_Bis() const { return tbBis_; }
  QLineEdit *Tb_Schritte() const { return tbSchritte_; }
  QPushButton *CmdBerechnen() const { return cmdBerechnen_; }
  QPushButton *CmdCsv() const { return cmdCsv_; }
  QPushButton *CmdDiagramme() const { return cmdDiagramme_; }
  QPushButton *CmdUebernehmen() const { return cmdUebernehmen_; }
  QTableView *Tabelle() const { return table_; }
  // 0 the load, 1 the static safety, 2 the lifetime.
  QChartView *Diagramm(int i) const { return charts_.at(i); }
  QWidget *chartsPane() const { return chartsPane_; }
  QLabel *LabHinweis() const { return labHinweis_; }

  // The study last calculated: its sweep and the run of every value.
  const run::Sweep &sweep() const { return sweep_; }
  const QVector<run::SweepStep> &steps() const { return steps_; }
  // Its rows as CSV, exactly as tarvelcalc-batch --sweep --csv writes them.
  QByteArray csvText() const;
  // Selects a step (its table row and the marker in the charts); -1 for none.
  void selectStep(int index);
  int selectedStep() const { return selected_; }

 public slots:
  void CmdBerechnen_Click();
  void CmdCsv_Click();
  void CmdDiagramme_Click();
  void CmdUebernehmen_Click();

 protected:
  // The texts, the inputs' names and the study's charts anew when the interface
  // language changes.
  void changeEvent(QEvent *event) override;

 private:
  struct Input {
    QString key;
    QString name;  // as the calculation names the field ("Abstand m (mm)")
    bool minus = false;
  };
  void buildControls();
  static QVector<Input> inputsOf(const calcfile::Case &c);
  void fillInputs();
  void chooseInput(int index);
  int checkSteps();
  void showStudy();
  void buildCharts();
  void markSelection();
  void updateButtons();
  void noteInputChanged();

  Session &session_;
  QPointer<CalcDocument> document_;
  Session started_;  // started once, copied for every step
  bool startedOk_ = false;
  QVector<Input> inputs_;
  run::Sweep sweep_;
  QString sweepName_;
  calcfile::Case studied_;  // the input the study was calculated from
  QVector<run::SweepStep> steps_;
  int selected_ = -1;

  QComboBox *cboEingabe_ = nullptr;
  QLineEdit *tbVon_ = nullptr;
  QLineEdit *tbBis_ = nullptr;
  QLineEdit *tbSchritte_ = nullptr;
  QPushButton *cmdBerechnen_ = nullptr;
  QPushButton *cmdCsv_ = nullptr;
  QPushButton *cmdDiagramme_ = nullptr;
  QPushButton *cmdUebernehmen_ = nullptr;
  QTableView *table_ = nullptr;
  QWidget *chartsPane_ = nullptr;
  QLabel *legend_ = nullptr;
  QVector<QChartView *> charts_;
  QLabel *labHinweis_ = nullptr;
  class StudyModel *model_ = nullptr;
};
