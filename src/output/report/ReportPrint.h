#pragma once
// Printing of the calculation report and of the evaluation printout on a QPrinter (a
// real printer or a PDF file): page metrics, margins, page numbers, page breaks and the
// foot with the program version. Both printouts run the same line painting as the page
// on screen (ReportCanvas) and the same report body (reportBody).
#include <QPixmap>
#include <QString>

#include "output/report/PrintMetrics.h"
#include "output/report/ReportCanvas.h"

class QPrinter;

// The page metrics of the printer in whole millimetres (paper, printable area, right and
// bottom values).
PageMetrics gsubPageMetrics(const QPrinter &printer);

// Prints the current page number 20 mm from the right paper edge at the foot of the page
// in 7 pt, then restores the font size and x.
void gsubPrintPageNo(report::ReportCanvas &c, const PageMetrics &m, double restoreSize,
                     double restoreX, qint32 bottomMargin);

namespace report {

// The printer settings of the report: print quality 300, "Arial" 10 pt, portrait.
// Settings the printer refuses are skipped.
void preparePrinter(QPrinter &printer, bool portrait = true);

// Paper bin 2 (the lower tray, where the letterhead paper lies) where the printer has it.
void chooseLetterheadBin(QPrinter &printer);

// sFrmPrint: the report of language k (the page's Tag) on the printer, with the given
// margins (plain or letterhead) and the drawing of the arrangement screen named.
// Returns false, with the reason in *error, when the printer cannot be started.
bool sFrmPrint(const Session &session, QPrinter &printer, const Margins &margins, int k, const QString &masterScreen,
               QString *error = nullptr);

// The direct printout of the evaluation screen: German, plain paper, the contact block,
// the comment lines, the screen's icon picture and the arrangement drawing.
bool printEvaluation(const Session &session, QPrinter &printer, const QString &masterScreen, const QPixmap &icon,
                     QString *error = nullptr);

// The report of language k as a PDF file on plain A4 paper, through sFrmPrint; the file
// carries the report's title and the program as its creator, and replaces an existing
// one only when complete; on failure *error names the file and the reason.
bool printReportToPdf(const Session &session, const QString &fileName, int k, const QString &masterScreen,
                      QString *error = nullptr);
// The evaluation printout as a PDF file on plain A4 paper, through printEvaluation.
bool printEvaluationToPdf(const Session &session, const QString &fileName, const QString &masterScreen, const QPixmap &icon,
                          QString *error = nullptr);

}  // namespace report
