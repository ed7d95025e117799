#pragma once
// "Lastfälle aus Bewegung…": the dialog that builds load cases from a moved mass and
// its motion (see core/loads/Motion.h). "Lastfälle übernehmen" checks the fields; a bad one
// is named in a message and the dialog stays open with everything typed.
#include <QDialog>
#include <QVector>

#include "core/common/Session.h"
#include "core/loads/Motion.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class MotionDialog : public QDialog {
  Q_OBJECT
 public:
  // The window icon follows the session's text mode.
  explicit MotionDialog(const Session &session, QWidget *parent = nullptr);

  // Fields by index: 0 mass, 1..3 centre of gravity x, y, z, 4 speed, 5 acceleration,
  // 6 deceleration, 7 stroke, 8 process force, 9..11 its point x, y, z.
  static constexpr int kFields = 12;
  QLineEdit *field(int i) const { return fields_.at(i); }
  QComboBox *mounting() const { return mounting_; }          // the four mountings
  QComboBox *processDirection() const { return direction_; }  // the six direction labels
  QPushButton *cmdOK() const { return ok_; }
  QPushButton *cmdExit() const { return exit_; }

  // The load cases of the last accepted "Lastfälle übernehmen".
  QVector<LoadCase> loadCases() const { return cases_; }
  // The fields as typed, and filled from a motion entered before.
  loads::MotionInput input() const;
  void setInput(const loads::MotionInput &in);

  void cmdOK_Click();

 protected:
  // The texts anew when the interface language changes.
  void changeEvent(QEvent *event) override;

 private:
  void showTexts();
  QVector<QLineEdit *> fields_;
  QComboBox *mounting_ = nullptr;
  QComboBox *direction_ = nullptr;
  QPushButton *ok_ = nullptr;
  QPushButton *exit_ = nullptr;
  QVector<LoadCase> cases_;
};
