#pragma once
// The small pieces that serve the main screens: links, the help document, the about
// box and the list window of representatives / database information.
#include <QString>
#include <QtGlobal>
#include <functional>

#include "common/Session.h"

class QWidget;
class QUrl;

// Hands a "mailto:" or "http://" link to the desktop; returns a result code (0 = failed).
qint32 glngOpenLink(const QString &link);
// Opens Help/AnlFN.pdf of the program directory with the desktop's PDF viewer.
void gsubHelp();
// The about box frmAbout on the session, modal.
void showAbout(Session &session, QWidget *parent);
// The list window FrmVertreter on the session, modal: code 21 representatives, code 22
// database information.
void showVertreterList(Session &session, QWidget *parent, int code);

namespace aux {

// The full path of the help document: Help/AnlFN.pdf beside the program, or in
// ../share/tarvelcalc/ of it when installed (common/DataFiles.h), or the path set with
// setHelpDocumentPath.
QString helpDocumentPath();
// Another place for the help document (tests, each with a folder of its own); an empty
// path restores the one beside the program.
void setHelpDocumentPath(const QString &path);

// The desktop services behind the links, the help and the about box. Each can be
// replaced (tests, or a platform without a desktop); an empty function restores the
// default.
//
// Hands a URL to the desktop; true when the desktop accepted it.
using UrlOpener = std::function<bool(const QUrl &)>;
void setUrlOpener(UrlOpener opener);
// Tells whether the desktop has a program that shows PDF documents.
using ViewerCheck = std::function<bool()>;
void setPdfViewerCheck(ViewerCheck check);
// The path of a system-information tool, empty when none is installed.
using ToolLookup = std::function<QString()>;
void setSysInfoLookup(ToolLookup lookup);
// Starts a program without waiting for it; true when it started.
using ProgramStarter = std::function<bool(const QString &program)>;
void setProgramStarter(ProgramStarter starter);

// The defaults: xdg-mime knows a handler for application/pdf; the first of hardinfo,
// gnome-system-monitor, kinfocenter, ksysguard found in PATH.
bool defaultPdfViewerCheck();
QString defaultSysInfoLookup();

// Used by the about box's "Systeminfo" button.
void startSysInfo();

}  // namespace aux
