#pragma once
// The commands that take a report out of the program: the text file (report window and
// evaluation screen alike) and the two print commands of the report window.
#include <QString>
#include <functional>

#include "core/common/Session.h"
#include "output/report/ReportPrint.h"

class QWidget;

namespace report {

// Writes text followed by a line end (CR LF) to the file, atomically: an existing file is
// replaced only once the new one is complete. False with the reason in *error.
bool writeTextFile(const QString &path, const QString &text, QString *error);

enum class SaveOutcome { Written, Cancelled, NothingToWrite, Failed };

// The save command: file-save dialog ("Textdateien (*.txt)", "Alle Dateien (*.*)");
// cancel ends silently; ".txt" is added to a name typed without suffix; no name gives defaultName in the application directory; an
// empty text is refused with text 302 / title 303; a file that cannot be written is
// reported with the routine's name as title and nothing else changes. afterWrite runs
// once the file is written (busy window, progress display).
SaveOutcome saveTextAs(QWidget *parent, const QString &text, const QString &defaultName,
                       const QString &routine, const std::function<void()> &afterWrite);

// The PDF command: file-save dialog ("PDF-Dateien (*.pdf)", "Alle Dateien (*.*)");
// cancel ends silently; ".pdf" is added to a name typed without suffix; no name gives
// defaultName in the application directory. write(path, &reason) makes the file; a
// failure is reported with the file name and the reason. False when nothing was written.
bool savePdfAs(QWidget *parent, const QString &defaultName,
               const std::function<bool(const QString &path, QString *reason)> &write);

// "Als PDF speichern…" of the report window: the report of language k as "Drucken" prints
// it, on plain paper, into a PDF file. The print commands print the evaluation's charts
// after the results where `charts` paints them (the report window's choice).
bool reportPdf(const Session &session, QWidget *parent, int k, const QString &masterScreen,
               const ChartPainter &charts = {});
// "Seitenansicht": the same printout in the print preview.
void reportPreview(const Session &session, QWidget *parent, int k, const QString &masterScreen,
                   const ChartPainter &charts = {});

// Where "Drucken" finds no printer: the user is told so and may save the printout as a
// PDF file instead (savePdf). False when nothing was printed or saved.
bool offerPdfInstead(const std::function<bool()> &savePdf);

// SpeichernUnter of the report window: the report text of language k as "Calc.txt" or
// where the user says, then the busy window.
SaveOutcome SpeichernUnter(const Session &session, QWidget *parent, int k);

// sPrint: the default printer (none: the offer to save a PDF instead), the paper question (Yes: letterhead margins and paper bin
// 2), then the report of language k. False when nothing was printed.
bool sPrint(const Session &session, QWidget *parent, int k, const QString &masterScreen,
            const ChartPainter &charts = {});
// sSetPrint: the printer setup dialog first (cancel ends silently), the question whether
// to print, then as sPrint.
bool sSetPrint(const Session &session, QWidget *parent, int k, const QString &masterScreen,
               const ChartPainter &charts = {});

}  // namespace report
