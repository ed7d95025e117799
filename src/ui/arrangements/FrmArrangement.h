#pragma once
// The arrangement screen: one class serves all six arrangements (FrmEKaEDSch,
// FrmERoEESch, FrmZKaEDSch, FrmZKaZDSch, FrmVKaZDSch, FrmZRoEESch); what differs between
// them comes from the arrangement table. The screen collects the distances and the
// forces, runs the calculation on "Berechnen", shows the loads of one series on the
// picture and hands the results on to the evaluation with "Weiter".
#include <QMainWindow>
#include <QVector>
#include <array>
#include <functional>

#include "core/arrangements/models/Arrangement.h"
#include "core/common/Session.h"

class QAction;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolBar;
class QWidgetAction;
class DirectionLabels;
class ForceGrid;
class LoadCaseTabs;
class Shape;
class CalcDocument;
namespace calcfile {
struct Case;
}

class FrmArrangement : public QMainWindow {
  Q_OBJECT
 public:
  // The screen calculates on the session and hands its results on in it.
  FrmArrangement(Session &session, ArrangementId id, QWidget *parent = nullptr);
  ~FrmArrangement() override;

  const ArrangementInfo &info() const { return *info_; }
  Session &session() const { return session_; }
  // The calculation this screen shows and edits; its evaluation screen shows the same.
  CalcDocument *document() const { return document_; }
  // Shows the input of a calculation (a file opened, an undo): distances, load cases and
  // forces; the loads on the picture belong to no input then.
  void showInput(const calcfile::Case &input);
  // The input's texts in the fields, the force grid and the tabs, the loads shown kept.
  void showTexts(const calcfile::Case &input);

  // "Zurück" and closing the window lead to the start screen on the session, loaded
  // afresh (AppServices::startScreen); without it the screen just closes.

  // The screen hands out no widgets: the input is read and edited through the document,
  // the results through the session. Its controls carry the names of the program's
  // controls, by which tests and the screenshot tool find them: "Tb_m" and "Tb_n" (only
  // where the arrangement has that distance), "MSFlexGrid1", the load cases
  // "LoadCaseTabs" with "CmdBewegung" beside them, "CmdBerechnen", the picture "Frame1"
  // with "DirectionLabels" (its labels "LabKoordinaten_i"), the load marks "ShpMaxBel_k"
  // and values "LabFo_k" and "LabPlatte" (the note shown while the series on the picture
  // is rated with the rigid-plate check); "LabUebSchr", "picIcon", "Shape1", "Shape2";
  // "Toolbar1" with the buttons "Zurück", "Berechnen", "Weiter", "Inhalt"; the menus
  // "MenüDatei", "MenüOptionen" ("Belastungen", the series entries "mnuSerie_i") and
  // "MenüHilfe" with their entries "MenüWeiter", "MenüZurück", "MenüBeenden", "MenüInhalt".

  // The number of load marks on the picture: one per unit or load position.
  int shapeCount() const { return static_cast<int>(shapes_.size()); }

  // The series menu: the number of entries in each of its columns, and the entry checked
  // (-1 when none is).
  QVector<int> seriesMenuColumns() const;
  int checkedSeries() const;

  // Screen state of the last calculation.
  const QVector<std::array<float, 5>> &msngLoad() const { return msngLoad_; }
  const QVector<bool> &byCheck() const { return byCheck_; }
  bool mblnCalcFailed() const { return mblnCalcFailed_; }

  // The commands of the screen.
  void CmdBerechnen_Click();
  void weiter();    // "Weiter": calculate again, hand over, show the evaluation
  void zurueck();   // "Zurück": back to the start screen
  void beenden();   // "&Beenden": end the program at once
  // Closes the screen without the way back to the start screen: another calculation
  // (an opened file) takes its place.
  void closeForReplacement();
  void inhalt();    // "Inhalt": the help document
  // A press on a direction label: the force dialog for that direction (modal).
  void LabKoordinaten_MouseDown(int index);
  // Choosing entry `index` of the series menu.
  void mnuSerie_Click(int index);
  // The mouse over the picture around the labels.
  void Frame1_MouseMove();
  // "Lastfälle aus Bewegung…": the motion dialog; its load cases replace the screen's.
  void CmdBewegung_Click();
  // Double-click, Enter or the context menu on force row `row`: the force dialog with
  // the row's direction and texts; OK writes them back into the row.
  void editForce(int row);
  // The scale of the drawing against its design size (1 at the design size).
  double pictureScale() const { return pictureScale_; }

 protected:
  // The texts anew when the interface language changes.
  void changeEvent(QEvent *event) override;
  void closeEvent(QCloseEvent *e) override;

 private:
  // What the user did to the input becomes one edit of the document: the distances and
  // load cases as the screen holds them, the rest as the document has it; `change`
  // adds what else the edit changes.
  void commitInput(int what, const QString &mergeKey = QString(),
                   const std::function<void(calcfile::Case &)> &change = {});
  // The loads on the picture and the verdict note belong to the last calculation: any
  // change of the input takes them away until "Berechnen" runs again.
  void dropLoads();
  void buildControls();
  void layOut(QWidget *central);
  // Everything on the picture follows the drawing, which keeps its proportions.
  void placeOnPicture();
  static void fitLoadLabel(QLabel *label);
  QLabel *LabKoordinaten(int i) const;
  // Toolbar button by key: "Zurück", "Berechnen", "Weiter", "Inhalt".
  QAction *toolbarButton(const QString &key) const;
  void buildMenus();
  void sSetLayout();
  void resetLoadDisplay();
  void fillSeriesMenu(const QStringList &captions);
  void layoutSeriesMenu();
  void showLoads(int index);
  void showLoadCase(int index);
  QColor colourOf(int code) const;

  Session &session_;
  const ArrangementInfo *info_;
  ForceGrid *grid_ = nullptr;
  LoadCaseTabs *tabs_ = nullptr;
  QPushButton *cmdBewegung_ = nullptr;
  QLineEdit *tbM_ = nullptr;
  QLineEdit *tbN_ = nullptr;
  QPushButton *cmdBerechnen_ = nullptr;
  std::array<QLabel *, 4> labFo_{};
  QLabel *labPlatte_ = nullptr;
  QVector<Shape *> shapes_;
  Shape *shape1_ = nullptr;
  Shape *shape2_ = nullptr;
  QFrame *frame1_ = nullptr;
  DirectionLabels *directions_ = nullptr;
  QLabel *labUebSchr_ = nullptr;
  QLabel *picIcon_ = nullptr;
  QToolBar *toolbar_ = nullptr;
  QMenu *menuDatei_ = nullptr;
  QMenu *menuOptionen_ = nullptr;
  QMenu *menuHilfe_ = nullptr;
  QAction *menuWeiter_ = nullptr;
  QAction *menuZurueck_ = nullptr;
  QAction *menuBeenden_ = nullptr;
  QAction *menuInhalt_ = nullptr;
  QWidgetAction *seriesAction_ = nullptr;
  QWidget *seriesPanel_ = nullptr;
  QGridLayout *seriesGrid_ = nullptr;
  QVector<QAction *> mnuSerie_;

  QVector<std::array<float, 5>> msngLoad_;
  QVector<QVector<std::array<float, 5>>> caseLoads_;  // msngLoad of every load case
  QVector<bool> byCheck_;                // per series: the check governs its loads
  QVector<QVector<bool>> caseByCheck_;   // byCheck_ of every load case
  bool mblnCalcFailed_ = false;
  bool lastCompleted_ = false;
  bool ending_ = false;
  CalcDocument *document_ = nullptr;
  bool showing_ = false;  // filling the controls from the document
  double pictureScale_ = 1.0;
};
