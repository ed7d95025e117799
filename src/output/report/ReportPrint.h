#pragma once
// Printing of the calculation report and of the evaluation printout on a QPrinter (a
// real printer or a PDF file): page metrics, margins, page numbers, page breaks and the
// foot with the program version. Both printouts run the same line painting as the page
// on screen (ReportCanvas) and the same report body (reportBody).
#include <QPixmap>
#include <QRectF>
#include <QString>
#include <functional>

#include "output/report/PrintMetrics.h"
#include "output/report/ReportCanvas.h"

class QPainter;
class QPrinter;

// The page metrics of the printer in whole millimetres (paper, printable area, right and
// bottom values).
PageMetrics gsubPageMetrics(const QPrinter &printer);

// Prints the current page number 20 mm from the right paper edge at the foot of the page
// in 7 pt, then restores the font size and x.
void gsubPrintPageNo(report::ReportCanvas &c, const PageMetrics &m, double restoreSize,
                     double restoreX, qint32 bottomMargin);

namespace report {

// The charts of the evaluation, which the report prints after its results when the user
// asks for them: painted in language k into a rectangle (device units) of the painter the
// report prints with, so that a PDF holds them as vector drawing. The screens' layer draws
// them; an empty painter leaves the report as it is without charts.
using ChartPainter = std::function<void(QPainter &painter, const QRectF &deviceRect, int k)>;
// The height the charts ask for in twips: half the usable height of a page for a few sizes,
// the whole of it for many (more than kChartsOnHalfPage); 0 when no size was rated.
constexpr int kChartsOnHalfPage = 12;
double chartsHeight(const Session &session, double usableHeight);

// The printer settings of the report: print quality 300, "Arial" 10 pt, portrait.
// Settings the printer refuses are skipped.
void preparePrinter(QPrinter &printer, bool portrait = true);

// Paper bin 2 (the lower tray, where the letterhead paper lies) where the printer has it.
void chooseLetterheadBin(QPrinter &printer);

// sFrmPrint: the report of language k (the page's Tag) on the printer, with the given
// margins (plain or letterhead) and the drawing of the arrangement screen named.
// Returns false, with the reason in *error, when the printer cannot be started.
// With charts, they follow the results: on half a page below them where that much is left
// (and no more than kChartsOnHalfPage sizes were rated), otherwise on a page of their own.
bool sFrmPrint(const Session &session, QPrinter &printer, const Margins &margins, int k, const QString &masterScreen,
               QString *error = nullptr, const ChartPainter &charts = {});

// The direct printout of the evaluation screen: German, plain paper, the contact block,
// the comment lines, the screen's icon picture and the arrangement drawing.
bool printEvaluation(const Session &session, QPrinter &printer, const QString &masterScreen, const QPixmap &icon,
                     QString *error = nullptr);

// The report of language k as a PDF file on plain A4 paper, through sFrmPrint; the file
// carries the report's title and the program as its creator, and replaces an existing
// one only when complete; on failure *error names the file and the reason.
bool printReportToPdf(const Session &session, const QString &fileName, int k, const QString &masterScreen,
                      QString *error = nullptr, const ChartPainter &charts = {});
// The evaluation printout as a PDF file on plain A4 paper, through printEvaluation.
bool printEvaluationToPdf(const Session &session, const QString &fileName, const QString &masterScreen, const QPixmap &icon,
                          QString *error = nullptr);

}  // namespace report
