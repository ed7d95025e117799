#pragma once
// The comment dialog shown before the evaluation printout: six lines, prefilled with the
// maker's contact block, that go into the comment store on "&Ok".
#include <QDialog>
#include <QVector>

#include "core/common/Session.h"

class QLineEdit;
class QPushButton;

class FrmKommentar : public QDialog {
  Q_OBJECT
 public:
  explicit FrmKommentar(Session &session, QWidget *parent = nullptr);
  QVector<QLineEdit *> tbKunde;
  QPushButton *cmdOK = nullptr;
  QPushButton *cmdExit = nullptr;
  // True when the dialog was left with "&Exit" (or closed): the printout does not start.
  bool cancelled() const { return cancelled_; }

 protected:
  // The texts anew when the interface language changes.
  void changeEvent(QEvent *event) override;

 private:
  void sSetLayout();
  void cmdOK_Click();
  void cmdExit_Click();
  Session &session_;
  bool cancelled_ = true;
};

// Shows FrmKommentar modally; true when left with "&Ok".
bool showKommentar(Session &session, QWidget *parent);
