#pragma once
// The small pieces that serve the main screens: links, the help document, the about
// box and the list window of representatives / database information.
#include <QString>
#include <QtGlobal>

class QWidget;

// Hands a "mailto:" or "http://" link to the desktop; returns a result code (0 = failed).
qint32 glngOpenLink(const QString &link);
// Opens Help/AnlFN.pdf of the program directory with the desktop's PDF viewer.
void gsubHelp();
// The about box frmAbout, modal.
void showAbout(QWidget *parent);
// The list window FrmVertreter, modal: code 21 representatives, code 22 database information.
void showVertreterList(QWidget *parent, int code);
