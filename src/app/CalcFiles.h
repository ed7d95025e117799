#pragma once
// Calculation files on the screens: saving what the arrangement and evaluation screens
// hold into a ".tcalc" file, and opening one again onto the screens, calculated, with
// the sizes ticked and evaluated where the file ticks any.
#include <QString>

#include "ui/common/AppServices.h"
#include "core/document/CaseFile.h"
#include "core/common/Session.h"

class QWidget;
class FrmArrangement;
class CalcDocument;

namespace calcfiles {

// The file items of the menus "Datei" (the fileMenu part of the program's services).
AppServices::FileMenu fileMenuServices();

// Keeps the calculations' save points and window titles. The program calls it once at
// start, before any screen is made.
void watchDocuments();

// Opens a calculation file: its arrangement screen with everything filled in and
// calculated, and, when sizes are ticked, the evaluation screen with them ticked and
// evaluated, on the session; the screens of the window `from` (start screen, or the
// arrangement screen with its evaluation) give way. A file that cannot be read or holds
// what the screens would refuse is reported naming the file and the problem, and nothing
// on screen or in the session changes. False then.
bool openFile(Session &session, const QString &path, QWidget *from);

// "Öffnen…": the file dialog, then openFile.
bool open(Session &session, QWidget *from);

// "Speichern" (askName false: the file of the calculation, the dialog only when it has
// none) and "Speichern unter…" (askName true). screen is an arrangement screen or its
// evaluation screen. ".tcalc" is added to a name typed without suffix; the file is
// replaced only when complete. False when nothing was written.
bool save(QWidget *screen, bool askName);

// The input the screens hold now, as a calculation file holds it.
calcfile::Case gather(FrmArrangement *screen);

// The calculation's save point of an arrangement screen (made on first use).
CalcDocument *documentOf(FrmArrangement *screen);

}  // namespace calcfiles
