#pragma once
// The dialogs and windows the report commands open: the file dialogs, the print preview,
// the printer setup dialog, the comment dialog, the busy window and the about box. They
// are the dialogs part of the program's services (ui/common/AppServices.h): the program
// shows the real dialogs, the tests and the batch tool answer for the user.
#include <QString>
#include <functional>

#include "ui/common/AppServices.h"

namespace report {

// The real dialogs: file dialogs, print preview, printer setup, printer choice and the
// about box. The comment dialog works on a session (commentDialogFor); the busy window
// and the manual belong to the program.
AppServices::Dialogs standardDialogs();
// The comment dialog FrmKommentar on the session.
std::function<bool(QWidget *parent)> commentDialogFor(Session &session);

// The printer chosen in the last printer setup dialog (empty: the system default).
QString chosenPrinterName();
void setChosenPrinterName(const QString &name);

}  // namespace report
