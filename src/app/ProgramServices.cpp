#include "app/ProgramServices.h"

#include <QApplication>

#include "app/CalcFiles.h"
#include "app/FrmBusy.h"
#include "app/FrmStart.h"
#include "ui/auxiliary/Auxiliary.h"
#include "ui/evaluation/FrmAuswertung.h"
#include "ui/report/ReportHooks.h"

AppServices programServices(Session &session) {
  AppServices services;
  services.dialogs = report::standardDialogs();
  services.dialogs.commentDialog = report::commentDialogFor(session);
  // The report window shows the busy window after saving its text file.
  services.dialogs.busyWindow = [&session](QWidget *parent) { FrmBusy::run(session, parent); };
  // F1 in the report window opens the manual, as on every other screen.
  services.dialogs.manual = [] { gsubHelp(); };
  services.startScreen = [](Session &s) { FrmStart::open(s); };
  services.fileMenu = calcfiles::fileMenuServices();
  services.evaluation = FrmAuswertung::standardServices();
  return services;
}
