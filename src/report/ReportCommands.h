#pragma once
// The commands that take a report out of the program: the text file (report window and
// evaluation screen alike) and the two print commands of the report window.
#include <QString>
#include <functional>

class QWidget;

namespace report {

// Writes text followed by a line end (CR LF) to the file, atomically: an existing file is
// replaced only once the new one is complete. False with the reason in *error.
bool writeTextFile(const QString &path, const QString &text, QString *error);

enum class SaveOutcome { Written, Cancelled, NothingToWrite, Failed };

// The save command: file-save dialog ("Textdateien (*.txt)", "Alle Dateien (*.*)");
// cancel ends silently; no name gives defaultName in the application directory; an
// empty text is refused with text 302 / title 303; a file that cannot be written is
// reported with the routine's name as title and nothing else changes. afterWrite runs
// once the file is written (busy window, progress display).
SaveOutcome saveTextAs(QWidget *parent, const QString &text, const QString &defaultName,
                       const QString &routine, const std::function<void()> &afterWrite);

// SpeichernUnter of the report window: the report text of language k as "Calc.txt" or
// where the user says, then the busy window.
SaveOutcome SpeichernUnter(QWidget *parent, int k);

// sPrint: the default printer, the paper question (Yes: letterhead margins and paper bin
// 2), then the report of language k. False when nothing was printed.
bool sPrint(QWidget *parent, int k, const QString &masterScreen);
// sSetPrint: the printer setup dialog first (cancel ends silently), the question whether
// to print, then as sPrint.
bool sSetPrint(QWidget *parent, int k, const QString &masterScreen);

}  // namespace report
