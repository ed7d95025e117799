#include "output/report/ReportPrint.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <functional>

#include "core/common/Errors.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "output/report/PdfWriter.h"

namespace {

// The foot lines must stay inside the printable area even on printers whose lower
// unprintable strip is wider than the bottom margin allows for.
double footTop(const report::ReportCanvas &c, const PageMetrics &m, qint32 bottomMargin, int lines) {
  const double foot = gflngMmToTwips(m.paperHeight) - bottomMargin;
  const double printable = gflngMmToTwips(m.printableHeight);
  const double last = printable - lines * c.lineHeight(7);
  return printable > 0 ? std::min(foot, last) : foot;
}

}  // namespace

PageMetrics gsubPageMetrics(const QPrinter &printer) {
  const QPageLayout layout = printer.pageLayout();
  const QRectF paper = layout.fullRect(QPageLayout::Millimeter);
  const QRectF printable = printer.fullPage() ? paper : layout.paintRect(QPageLayout::Millimeter);
  return pageMetricsFromMm(paper.width(), paper.height(), printable.left(), printable.top(),
                           printable.width(), printable.height());
}

void gsubPrintPageNo(report::ReportCanvas &c, const PageMetrics &m, double restoreSize,
                     double restoreX, qint32 bottomMargin) {
  // A negative right value converts to 0: the number stands 20 mm from the paper edge.
  c.x = gflngMmToTwips(m.paperWidth) - gflngMmToTwips(m.rightValue) - gflngMmToTwips(20);
  c.y = footTop(c, m, bottomMargin, 1);
  c.printAt(0, QString::number(c.page), 7);
  c.setBaseSize(restoreSize);
  c.x = restoreX;
}

namespace report {

namespace {

// Pictures are placed after a layout pass over the whole printout, so that they can
// stand clear of the text printed beside them.
class Pictures {
 public:
  explicit Pictures(double rightLimit) : rightLimit_(rightLimit) {}
  QRectF place(const ReportCanvas &c, const QRectF &wanted) {
    if (!c.painting()) {
      wanted_.append({c.page, wanted});
      return wanted;
    }
    return next_ < placed_.size() ? placed_.at(next_++) : wanted;
  }
  void settle(const ReportCanvas &layoutPass) {
    placed_.clear();
    for (const auto &w : wanted_)
      placed_.append(clearOfText(w.rect, w.page, layoutPass.extents(), rightLimit_));
    next_ = 0;
  }

 private:
  double rightLimit_;
  QVector<ReportCanvas::Extent> wanted_;
  QVector<QRectF> placed_;
  int next_ = 0;
};

using Body = std::function<void(ReportCanvas &, Pictures &)>;

// Runs the printout twice: once to measure (no painter), once on the printer.
// Pictures end 10 mm inside the paper's right edge.
double rightLimit(const PageMetrics &m) { return gflngMmToTwips(m.paperWidth - m.leftOffset - 10); }

bool paintTwice(QPrinter &printer, const PageMetrics &m, const Body &body, QString *error) {
  const double rightLimit = report::rightLimit(m);
  Pictures pictures(rightLimit);
  {
    ReportCanvas layoutPass(nullptr, &printer, 10);
    body(layoutPass, pictures);
    pictures.settle(layoutPass);
  }
  QPainter painter;
  if (!painter.begin(&printer)) {
    if (error) *error = err::printerError();
    return false;
  }
  ReportCanvas c(&painter, &printer, 10);
  c.onNewPage = [&printer] { printer.newPage(); };
  body(c, pictures);
  if (!painter.end()) {
    if (error) *error = err::printerError();
    return false;
  }
  return true;
}

// A printer that prints into a PDF file (the printer dialog's "print to file", the
// batch tool's --pdf) hands its settings to the one PDF writer, which replaces the file
// only when the new one is complete.
bool printsToFile(const QPrinter &printer) {
  return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

void adoptSettings(const QPrinter &from, QPrinter &to) {
  to.setResolution(from.resolution());
  to.setFullPage(from.fullPage());
  to.setPageLayout(from.pageLayout());
  to.setColorMode(from.colorMode());
}

bool run(const Session &session, QPrinter &printer, const PageMetrics &m, const Body &body, const QString &title, QString *error) {
  if (!printsToFile(printer)) return paintTwice(printer, m, body, error);
  const QString file = printer.outputFileName();
  QString reason;
  const bool written = pdf::writeAtomically(
      file, {title, windowCaption(session).trimmed()},
      [&](QPrinter &pdfPrinter) {
        adoptSettings(printer, pdfPrinter);
        return paintTwice(pdfPrinter, m, body, nullptr);
      },
      &reason);
  if (!written && error) *error = builtinText(1050).arg(QDir::toNativeSeparators(file), reason);
  return written;
}

// After a row of the force table or of a results block: a full page is numbered and the
// printout goes on at the top margin of the next one.
void breakIfFull(ReportCanvas &c, const PageMetrics &m, const Margins &g) {
  if (!pageFull(c.y, m, g)) return;
  gsubPrintPageNo(c, m, c.baseSize(), c.x, g.bottom);
  c.newPage();
  c.y = g.top;
}

void printBody(const Session &session, ReportCanvas &c, const ReportTables &t, int k, const PageMetrics &m, const Margins &g) {
  for (const ReportLine &line : reportBody(session, t, k)) {
    c.print(line);
    if (line.role == ReportLine::Role::ResultRow || line.role == ReportLine::Role::ForceRow)
      breakIfFull(c, m, g);
  }
}

// The charts after the results, the width of the text between the left margin and the
// pictures' right limit: half a page where that much is left below the results, otherwise
// a page of their own (the page before is numbered first).
void printCharts(const Session &session, ReportCanvas &c, const PageMetrics &m, const Margins &g, int k,
                 const ChartPainter &charts) {
  const double bottom = 0.9 * footY(m, g);  // where pageFull() ends a page
  const double whole = bottom - g.top;
  double height = chartsHeight(session, whole);
  if (height <= 0) return;
  c.printEmpty();
  if (c.y + height > bottom) {
    gsubPrintPageNo(c, m, c.baseSize(), c.x, g.bottom);
    c.newPage();
    c.y = g.top;
    height = whole;
  }
  const QRectF area(g.left, c.y, rightLimit(m) - g.left, height);
  c.drawWith(area, [&](QPainter &p, const QRectF &device) { charts(p, device, k); });
  c.y += height;
}

QSizeF printedPictureSize() { return arrangementPictureTwips() * 1.2; }

// The arrangement drawing of a printout, as large as it must be to read its labels: at
// `wanted`, moved left where it would pass the right limit. In the report it is too wide
// to stand beside the lines that follow, so the printout goes on below it.
QRectF arrangementAt(const PageMetrics &m, const QPointF &wanted) {
  const QSizeF size = printedPictureSize();
  return QRectF(QPointF(std::min(wanted.x(), rightLimit(m) - size.width()), wanted.y()), size);
}

void printArrangement(const Session &session, ReportCanvas &c, Pictures &pictures, const PageMetrics &m, const QPointF &wanted,
                      const QString &masterScreen) {
  const QRectF drawn = pictures.place(c, arrangementAt(m, wanted));
  c.drawArrangement(session, drawn, masterScreen);
  c.y = std::max(c.y, drawn.bottom());
}

}  // namespace

double chartsHeight(const Session &session, double usableHeight) {
  int sizes = 0;
  for (const EvaluationRow &row : session.gastrEvaluation)
    if (!row.blank()) ++sizes;
  if (sizes == 0) return 0.0;
  return sizes > kChartsOnHalfPage ? usableHeight : usableHeight / 2;
}

void preparePrinter(QPrinter &printer, bool portrait) {
  // Settings the printer cannot take are simply left as they are.
  printer.setResolution(300);
  if (portrait) printer.setPageOrientation(QPageLayout::Portrait);
}

void chooseLetterheadBin(QPrinter &printer) {
  // A printer without a lower tray (or a PDF file) ignores the request.
  if (printer.outputFormat() == QPrinter::NativeFormat) printer.setPaperSource(QPrinter::Lower);
}

bool sFrmPrint(const Session &session, QPrinter &printer, const Margins &margins, int k, const QString &masterScreen,
               QString *error, const ChartPainter &charts) {
  const PageMetrics m = gsubPageMetrics(printer);
  const ReportTables t = buildReportTables(session);
  const QDate today = QDate::currentDate();
  const Body body = [&](ReportCanvas &c, Pictures &pictures) {
    const double base = c.baseSize();
    c.y = margins.top;
    c.x = margins.left + 3000;
    c.printAt(33, t.title(0, k), 14);
    c.printEmpty();
    c.printEmpty();
    c.x = margins.left;
    c.printAt(100, reportDate(today, k));
    for (int i = 0; i < 6; ++i) c.printAt(12, field(session.gastrComment, i));
    c.printEmpty();
    printArrangement(session, c, pictures, m, QPointF(7938, c.y), masterScreen);
    c.x = margins.left;
    c.printEmpty();
    printBody(session, c, t, k, m, margins);
    if (charts) printCharts(session, c, m, margins, k, charts);

    c.setBaseSize(base);
    c.y = footTop(c, m, margins.bottom, 2);
    c.printAt(17, versionLine(session, t.title(1, k), t.title(2, k)), 7);
    c.printAt(15, t.title(3, k), 7);
    gsubPrintPageNo(c, m, base, c.x, margins.bottom);
  };
  return run(session, printer, m, body, t.title(0, k), error);
}

bool printEvaluation(const Session &session, QPrinter &printer, const QString &masterScreen, const QPixmap &icon, QString *error) {
  const PageMetrics m = gsubPageMetrics(printer);
  // Plain paper only: no question about the paper.
  const Margins margins = sSetMargins(m, false);
  const ReportTables t = buildReportTables(session);
  const QDate today = QDate::currentDate();
  const Body body = [&](ReportCanvas &c, Pictures &pictures) {
    const double base = c.baseSize();
    c.y = margins.top;
    c.x = margins.left;
    c.printAt(100, reportDate(today));
    // The screen's icon picture, 1.2 times its size on screen (15 twips per pixel).
    const QSizeF iconSize(icon.width() * 15.0 * 1.2, icon.height() * 15.0 * 1.2);
    c.drawPixmap(QRectF(QPointF(gflngMmToTwips(17), gflngMmToTwips(10)), iconSize), icon);
    c.x = margins.left + 1600;
    c.printEmpty(14);
    c.printAt(33, gfstrSetText(session, 117, Language::German), 14);
    c.printEmpty();
    c.printAt(12, tableText(123), 0, true);
    c.printEmpty();
    for (int i = 0; i < 6; ++i) c.printAt(12, field(session.gastrComment, i));
    c.printEmpty();
    // Beside the comment lines, above the body: the body keeps its place.
    c.drawArrangement(session, pictures.place(c, arrangementAt(m, QPointF(gflngMmToTwips(140), margins.top + gflngMmToTwips(40)))),
                      masterScreen);
    // From here exactly as the report printout: x at the left margin, an empty line, the body.
    c.x = margins.left;
    c.printEmpty();
    printBody(session, c, t, German, m, margins);
    c.printAt(17, gfstrSetText(session, 177, Language::German));
    c.printAt(17, gfstrSetText(session, 178, Language::German));

    c.setBaseSize(base);
    c.y = footTop(c, m, margins.bottom, 2);
    c.printAt(17, versionLine(session, tableText(169), gfstrSetText(session, 170, Language::German)), 7);
    c.printAt(17, gfstrSetText(session, 174, Language::German), 7);
    gsubPrintPageNo(c, m, base, c.x, margins.bottom);
  };
  try {
    return run(session, printer, m, body, gfstrSetText(session, 117, Language::German), error);
  } catch (const AppError &e) {
    if (error) *error = e.description();
    return false;
  }
}

namespace {
// Plain A4 paper with the whole sheet addressable: the margins of the printout place
// every line, as they do on a printer's page.
void preparePdfPage(QPrinter &printer) {
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  preparePrinter(printer);
}
}  // namespace

bool printReportToPdf(const Session &session, const QString &fileName, int k, const QString &masterScreen, QString *error,
                      const ChartPainter &charts) {
  // A printer that prints to a file goes through the atomic PDF writer (see run()).
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(fileName);
  preparePdfPage(printer);
  return sFrmPrint(session, printer, sSetMargins(gsubPageMetrics(printer), false), k, masterScreen, error, charts);
}

bool printEvaluationToPdf(const Session &session, const QString &fileName, const QString &masterScreen, const QPixmap &icon,
                          QString *error) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(fileName);
  preparePdfPage(printer);
  return printEvaluation(session, printer, masterScreen, icon, error);
}

}  // namespace report
