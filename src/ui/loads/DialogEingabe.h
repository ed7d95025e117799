#pragma once
// The force input dialog: the magnitude and the point of application of one force in
// the direction the user clicked on the arrangement picture. OK writes one row into the
// force table of the screen that opened the dialog.
#include <QDialog>
#include <array>

#include "core/common/Session.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class ForceGrid;

class DialogEingabe : public QDialog {
  Q_OBJECT
 public:
  // owner: the arrangement screen, whose font measures the grid columns; grid: its force
  // table; directionHolder: the label whose "Tag" property holds the pending direction
  // ("X +" ... "- Z"). The Tag is emptied whenever the dialog closes. editRow: a data
  // row (from 1) whose force is edited: the fields start with its texts and OK writes
  // them back into it; 0 adds a new force. The texts come from the session.
  DialogEingabe(Session &session, QWidget *owner, ForceGrid *grid, QObject *directionHolder, int editRow = 0);
  ~DialogEingabe() override;

  QLineEdit *tbKrfXYZ(int index) const { return fields_.at(static_cast<size_t>(index)); }
  QLabel *Label1(int index) const { return labels_.at(static_cast<size_t>(index)); }
  QPushButton *cmdOK() const { return ok_; }
  QPushButton *cmdExit() const { return exit_; }
  QLabel *LabLaufschrift() const { return hint_; }
  QFrame *FraLaufschrift() const { return hintFrame_; }
  // The field whose axis is the force's own (disabled): 1 x, 2 y, 3 z, 0 otherwise.
  int disabledField() const { return disabledField_; }
  // Left edge of the scrolling hint in twips, relative to its frame.
  double hintLeftTwips() const { return hintLeft_; }

  // One step of the scrolling hint (the timer calls it every 30 ms).
  void tmrSchrift_Timer();
  void cmdOK_Click();
  void cmdExit_Click();

  // The pending direction of the owner's picture.
  static QString pendingDirection(const QObject *directionHolder);
  static void setPendingDirection(QObject *directionHolder, const QString &direction);

 protected:
  void done(int r) override;
  // The texts anew when the interface language changes.
  void changeEvent(QEvent *event) override;

 private:
  void sSetLayout();
  void showTexts();

  Session &session_;
  QWidget *owner_;
  ForceGrid *grid_;
  QObject *directionHolder_;
  int editRow_ = 0;
  QString direction_;
  std::array<QLineEdit *, 4> fields_{};
  std::array<QLabel *, 4> labels_{};
  QPushButton *ok_ = nullptr;
  QPushButton *exit_ = nullptr;
  QFrame *hintFrame_ = nullptr;
  QLabel *hint_ = nullptr;
  QTimer *tmrSchrift_ = nullptr;
  double hintLeft_ = 0;
  int disabledField_ = 0;
};
