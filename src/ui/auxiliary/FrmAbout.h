#pragma once
// The about box: program title, version line, description, disclaimer, and a button
// that starts the desktop's system-information tool.
#include <QDialog>

#include "core/common/Session.h"

class QLabel;
class QPushButton;
class QFrame;

class FrmAbout : public QDialog {
  Q_OBJECT
 public:
  // The texts and pictures follow the session's text mode.
  explicit FrmAbout(Session &session, QWidget *parent = nullptr);

  // "Version 2002 c/8 für ...": text 235, the major version with its suffix, "/", the
  // revision, text 236.
  static QString versionLine(const Session &session);

  QLabel *picIcon = nullptr;
  QLabel *lblTitle = nullptr;
  QLabel *lblVersion = nullptr;
  QLabel *lblDescription = nullptr;
  QLabel *lblDisclaimer = nullptr;
  QFrame *Line1[2] = {nullptr, nullptr};
  QPushButton *cmdOK = nullptr;
  QPushButton *cmdSysInfo = nullptr;

 protected:
  // The texts anew when the interface language changes.
  void changeEvent(QEvent *event) override;

 private:
  void sSetLayout();

  Session &session_;
};
