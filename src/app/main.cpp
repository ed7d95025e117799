// TarvelCALC Rollenführungen: the desktop program. It shows the logo, loads the start
// screen and waits for the user; it ends when its last window closes or when a screen
// ends it at once (msg::endProgram).
#include <QApplication>
#include <QFont>
#include <cstdio>
#include <cstdlib>

#include "app/FrmBusy.h"
#include "app/FrmLogo.h"
#include "app/FrmStart.h"
#include "arrangements/FrmArrangement.h"
#include "auxiliary/Auxiliary.h"
#include "catalogue/Catalogue.h"
#include "common/Gui.h"
#include "common/Messages.h"
#include "common/Texts.h"
#include "report/ReportHooks.h"

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TarvelCALC"));
  // The screens were laid out for Arial; Liberation Sans has the same metrics.
  QFont font(QStringLiteral("Arial"), 9);
  font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
  QApplication::setFont(font);

  // Qt's own buttons and dialogs speak German like the rest of the program.
  gui::loadQtTranslations();
  gui::installMessageBoxPresenter();
  // Ending the program ends it at once: nothing is pending, the catalogue is only read.
  msg::setEndHook([](int code) {
    std::fflush(nullptr);
    std::_Exit(code);
  });
  catalogue::setBusyHook([] { FrmBusy::run(QApplication::activeWindow()); });
  // The report window shows the busy window after saving its text file.
  report::hooks().busyWindow = [](QWidget *parent) { FrmBusy::run(parent); };
  // F1 in the report window opens the manual, as on every other screen.
  report::hooks().manual = [] { gsubHelp(); };
  FrmArrangement::setStartScreenOpener([] { FrmStart::open(); });

  FrmLogo::showLogo();
  computeSubVersion();
  if (!FrmStart::open()) return 1;
  return app.exec();
}
