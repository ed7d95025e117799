#pragma once
// The evaluation screen: size check boxes per series, the load type, the result grid.
#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QVector>
#include <array>
#include <functional>

#include "ui/common/AppServices.h"
#include "core/common/Session.h"
#include "core/loads/LoadCaseJson.h"
#include "core/evaluation/Evaluation.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QToolBar;

class CalcDocument;
class UnitLoadsPanel;

class FrmAuswertung : public QMainWindow {
  Q_OBJECT
 public:
  // masterForm is the arrangement screen that opened this screen (hidden meanwhile);
  // "Zurück" and closing show it again and delete this screen. The screen evaluates the
  // results of the session.
  FrmAuswertung(Session &session, QWidget *masterForm, QWidget *parent = nullptr);
  ~FrmAuswertung() override;
  QWidget *mfrmMasterForm() const;
  // The screen name ("FrmVKaZDSch") of the arrangement screen in use: the master's
  // property "screenName" when it has one, otherwise its object name.
  QString masterScreenName() const;

  Session &session() const { return session_; }

  // The screen reads its windows and outputs from the installed AppServices::evaluation.
  // These are the program's: the report window, the printout, the text export, the
  // manual, the about box, the list windows and the links, as far as their libraries are
  // part of the program.
  static AppServices::Evaluation standardServices();

  // Renders a screen for the session's state (gastrResult and the hand-over values) as
  // a picture: the first `tickFrames` series get all their sizes ticked and,
  // with `calculate`, "Berechnen" runs. The screen is deleted again; the master stays
  // as it is. For screenshots and manual checks.
  static QImage grabScreen(Session &session, QWidget *masterForm, int tickFrames = 2, bool calculate = true);

  // Controls, by their index as on the screen.
  QGroupBox *fraSerie(int k) const { return fraSerie_.at(k); }
  QCheckBox *chkKSerie(int k) const { return chkKSerie_.at(k); }
  QCheckBox *chkGrSer(int i) const { return chkGrSer_.at(i); }
  // The result row (gastrResult, from 1) a size box stands for, -1 for none.
  // The result row a size box stands for (its property "Tag", the one place it is kept);
  // -1 for none.
  int boxTag(int i) const;
  QRadioButton *OptBelArt(int i) const { return optBelArt_.at(i); }
  QLabel *LabBelArt(int i) const { return labBelArt_.at(i); }
  QLabel *ImgAnordnung(int i) const { return imgAnordnung_.at(i); }
  QGroupBox *FreBelArt() const { return freBelArt_; }
  // The group "Betrieb": stroke, double strokes per minute, hours per day, days per year.
  QGroupBox *FraBetrieb() const { return fraBetrieb_; }
  QLineEdit *Tb_Betrieb(int i) const { return tbBetrieb_.at(i); }
  QTableWidget *MSFlexGrid1() const { return grid_; }
  // The legend below the grid, shown while a row's load is the rigid-plate check's.
  QLabel *LabPlatte() const { return labPlatte_; }
  QPushButton *CmdBerechnen() const { return cmdBerechnen_; }
  QProgressBar *ProgressBar1() const { return progressBar_; }
  QToolBar *Toolbar1() const { return toolbar_; }
  QAction *toolbarButton(const QString &key) const;
  // Menu items by control name: "MenüZurück", "MenüDrucken", "MenüAnsichtTabelle3" ...
  QAction *menuItem(const QString &name) const;
  // The drawing of the arrangement in use (the ImgAnordnung whose tag is the master's
  // screen name), for the printout.
  QPixmap arrangementPicture() const;
  // The size the window keeps.
  QSize designSize() const { return designSize_; }
  // Whether an evaluation ran on this screen: the grid shows its rows.
  bool hasEvaluated() const { return evaluated_; }
  // "Lasten je Einheit", once the user asked for it (nullptr before).
  UnitLoadsPanel *unitLoadsPanel() const;

 signals:
  // After each evaluation run, once the grid shows its rows (gastrEvaluation).
  void evaluationShown();
  // The ticks or the load type changed: the rows shown no longer answer the input.
  void evaluationInputChanged();

 public slots:
  void CmdBerechnen_Click();
  void OptBelArt_Click(int index);
  void chkGrSer_Click(int index);
  void chkKSerie_Click(int frame);
  void MenuAnsichtTabelle_Click(int column);
  void MenuZurueck_Click();
  // "Ansicht › Lasten je Einheit" ticked or not: the panel of the row picked in the grid.
  void showUnitLoads(bool shown);
  // "Als CSV exportieren…": the rows of the last evaluation as a CSV file.
  void MenuCsv_Click();
  // "Parameterstudie…": the study window of this calculation (one per screen).
  void MenuParameterstudie_Click();
  // "Exit" and "&Beenden": end the program, after the question when input is unsaved.
  void endProgram();
  // Ctrl+C on the grid: the selected cells as tab-separated text with headings.
  void copySelection();
  void Toolbar1_ButtonClick(const QString &key);
  // The decorative progress display, run before every evaluation and after a text
  // export.
  void runProgressDisplay();

 protected:
  // The texts anew when the interface language changes.
  void changeEvent(QEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void buildControls();
  void buildMenus();
  void buildToolbar();
  void sSetLayout();
  // Title, menus, labels and tooltips in the interface language.
  void showTexts();
  void assignBoxes();
  // The series boxes' captions ("Serie KD", "Sonder") for the boxes as assigned, each box
  // as wide as its caption; the ninth frame shown when it holds a series.
  void captionFrames(const eval::SizeBoxes &boxes);
  // The boxes as the screen holds them: each size box's row and whether it is enabled.
  eval::SizeBoxes boxesShown() const;
  // The grid's nine headings, before any evaluation.
  void showGridHeadings();
  void showNinthFrame();
  // The ticks and the group "Betrieb" as the document holds them.
  void showDocumentInput();
  // The group "Betrieb" and the required life as the document holds them.
  void showDutyTexts();
  // The ticks, the group "Betrieb" or the load type the user changed, as one edit.
  void commitTicks();
  void commitDuty();
  void commitRequiredLife();
  // The required life as typed, with its unit.
  loads::RequiredLifeTexts requiredLifeTexts() const;
  // The grid (and the suggestion and legends) from the session's evaluated rows.
  void showEvaluation();
  void fitDesignSize();
  void layOut();
  void colourBox(QCheckBox *box);
  void setBoxValue(QCheckBox *box, bool ticked);
  void fitAndHideColumns();
  void placeLegend(bool shown);
  void updateServiceItems();
  void openList(int code);
  // The panel follows the grid's current row.
  void updateUnitLoads();

  Session &session_;
  QPointer<QWidget> master_;
  // The calculation shown: the master's document (none for a master without one).
  CalcDocument *document_ = nullptr;
  QSize designSize_;
  bool ninthShown_ = false;
  bool evaluated_ = false;  // an evaluation ran on this screen
  bool refused_ = false;    // the last run gave no verdict: no required safety in force
  bool leaving_ = false;

  QWidget *central_ = nullptr;
  QLabel *label2_ = nullptr;
  QLabel *picIcon_ = nullptr;
  QLabel *image1_ = nullptr;
  QLabel *labUebSchr_ = nullptr;
  QVector<QGroupBox *> fraSerie_;
  QVector<QCheckBox *> chkKSerie_;
  QVector<QCheckBox *> chkGrSer_;
  QGroupBox *freBelArt_ = nullptr;
  QLabel *labUebBel_ = nullptr;
  QVector<QRadioButton *> optBelArt_;
  QVector<QLabel *> labBelArt_;
  QButtonGroup *optGroup_ = nullptr;
  QTableWidget *grid_ = nullptr;
  QLabel *labPlatte_ = nullptr;
  QPushButton *cmdBerechnen_ = nullptr;
  QProgressBar *progressBar_ = nullptr;
  QToolBar *toolbar_ = nullptr;
  QGroupBox *fraAnordnung_ = nullptr;
  QVector<QLabel *> imgAnordnung_;
  QGroupBox *fraBetrieb_ = nullptr;
  QVector<QLineEdit *> tbBetrieb_;
  QVector<QLabel *> labBetrieb_;
  QLabel *labLebensdauer_ = nullptr;
  QLineEdit *tbLebensdauer_ = nullptr;
  QComboBox *cboLebensdauer_ = nullptr;
  QLabel *labVorschlag_ = nullptr;
  QLabel *labEmpfehlung_ = nullptr;
  // The rows of the last run as the grid shows them.
  QVector<EvaluationRow> shownRows_;
  QVector<int> shownExtraHead_;
  QPointer<UnitLoadsPanel> unitLoads_;

  QMenu *menuDatei_ = nullptr;
  QMenu *menuAnsicht_ = nullptr;
  QMenu *menuHilfe_ = nullptr;
};
