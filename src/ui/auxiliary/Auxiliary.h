#pragma once
// The small pieces that serve the main screens: links, the help document, the about
// box and the list window of representatives / database information.
#include <QString>
#include <QtGlobal>
#include <functional>

#include "core/common/Session.h"

class QWidget;
class QUrl;

// Hands a "mailto:" or "http://" link to the desktop; returns a result code (0 = failed).
qint32 glngOpenLink(const QString &link);
// Opens the manual of the interface language (Help/AnlFN.pdf, in English
// Help/AnlFN_en.pdf) with the desktop's PDF viewer.
void gsubHelp();
// The about box frmAbout on the session, modal.
void showAbout(Session &session, QWidget *parent);
// The list window FrmVertreter on the session, modal: code 21 representatives, code 22
// database information.
void showVertreterList(Session &session, QWidget *parent, int code);

namespace aux {

// The full path of the help document: the one the installed services name
// (AppServices::Desktop), else Help/AnlFN.pdf beside the program, or in
// ../share/tarvelcalc/ of it when installed (core/common/DataFiles.h). In English the
// English manual AnlFN_en.pdf beside it (the one named with "_en" before ".pdf"), the
// German one when there is no English one.
QString helpDocumentPath();

// The desktop services behind the links, the help and the about box are those of the
// installed services (AppServices::Desktop); where one is missing, these defaults serve.
// The defaults: xdg-mime knows a handler for application/pdf; the first of hardinfo,
// gnome-system-monitor, kinfocenter, ksysguard found in PATH.
bool defaultPdfViewerCheck();
QString defaultSysInfoLookup();

// Used by the about box's "Systeminfo" button.
void startSysInfo();

}  // namespace aux
