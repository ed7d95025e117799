#pragma once
// The editor of the special roller shoe: the user copies a predefined special series or
// types his own values, may derive the bearing distances a1 and a2 from the distances
// of the bearing rows, may look at the load factors and moment capacities, and on "Ok"
// the entry is taken over for the next calculations.
#include <QDialog>
#include <QString>
#include <functional>

#include "core/common/Session.h"

class QLabel;
class QLineEdit;
class QComboBox;
class QRadioButton;
class QPushButton;
class QStatusBar;
class QTableWidget;

// Shows the special series editor on the session modally. `showBusy` (the start screen's
// busy window) runs first when given.
void openSonderEditor(Session &session, QWidget *parent, const std::function<void()> &showBusy = {});

class FrmSonder : public QDialog {
  Q_OBJECT
 public:
  // Loads the window: texts, the list of predefined special series (table code 23), the
  // entry memory of the last "Ok". Drops any special roller shoe in force.
  explicit FrmSonder(Session &session, QWidget *parent = nullptr);

  static constexpr int kFields = 24;
  static constexpr int kRows = 4;
  static constexpr int kResults = 5;

  QLabel *Image1 = nullptr;
  QLabel *LabUebSchr = nullptr;
  QTableWidget *MSHFlexGrid1 = nullptr;
  QLabel *Lab_Bez[kFields] = {};
  QLineEdit *Tb_Daten[kFields] = {};
  QLabel *LabRollen = nullptr;
  QComboBox *Cob_Rollen = nullptr;
  QLabel *LabLager = nullptr;
  QRadioButton *Opt_Lager[2] = {};
  QLineEdit *Tb_Rollen[kRows] = {};
  QPushButton *cmdA1A2 = nullptr;
  QRadioButton *optKsRs[2] = {};
  QPushButton *cmdResult = nullptr;
  QLabel *labResult[kResults] = {};
  QLineEdit *tbResult[kResults] = {};
  QPushButton *Com_OK = nullptr;
  QPushButton *Com_Exit = nullptr;
  QStatusBar *StatusBar1 = nullptr;

  // The bearing type code, "N" needle or "K" ball bearings (the tag of Opt_Lager(0)).
  QString typeCode() const;
  // The text of the status bar's hint panel.
  QString statusText() const;
  // The grid row marked as picked, 0 when none.
  int selectedRow() const { return mintSelRow_; }

  // The events of the window, also reachable for tests.
  void MSHFlexGrid1_Click(int row);
  void cmdA1A2_Click();
  void cmdResult_Click();
  void Com_OK_Click();

 protected:
  // The texts anew when the interface language changes.
  void changeEvent(QEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *e) override;
  void keyPressEvent(QKeyEvent *e) override;

 private:
  void buildControls();
  void sSetLayout();
  void showTexts();
  void fillList();
  void restoreEntry();
  void Cob_Rollen_Click();
  void setTypeCode(const QString &code);
  // The hint of text `textId` in the status bar (kept, so that it follows the language).
  void showHint(int textId);
  bool filtersKeys(QObject *o) const;
  bool zeroWhenEmpty(QObject *o) const;
  int bearingCount() const;

  Session &session_;
  QLabel *statusPanel_ = nullptr;
  int mintSelRow_ = 0;
  int hintId_ = 0;
};
