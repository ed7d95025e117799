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

// Opens a calculation file: its arrangement screen with everything filled in and
// calculated, and, when sizes are ticked, the evaluation screen with them ticked and
// evaluated, on the session; the screens of the window `from` (start screen, or the
// arrangement screen with its evaluation) give way. A file that cannot be read or holds
// what the screens would refuse is reported naming the file and the problem, and nothing
// on screen or in the session changes. Unsaved input of the screens giving way is not
// replaced without the question "Speichern / Verwerfen / Abbrechen". False when nothing
// was opened.
bool openFile(Session &session, const QString &path, QWidget *from);

// "Öffnen…": the file dialog, then openFile.
bool open(Session &session, QWidget *from);

// "Speichern" (askName false: the file of the calculation, the dialog only when it has
// none) and "Speichern unter…" (askName true). screen is an arrangement screen or its
// evaluation screen. ".tcalc" is added to a name typed without suffix; the file is
// replaced only when complete. False when nothing was written.
bool save(QWidget *screen, bool askName);

// The input of the calculation an arrangement screen shows, as a calculation file holds
// it (the comment lines of the report as the session holds them).
calcfile::Case gather(FrmArrangement *screen);

}  // namespace calcfiles
