#include "ui/report/ReportCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QPrinter>

#include "core/document/CaseFile.h"
#include "core/common/Errors.h"
#include "core/common/Messages.h"
#include "core/common/SaveFile.h"
#include "core/common/Texts.h"
#include "ui/report/ReportHooks.h"
#include "output/report/ReportPrint.h"
#include "output/report/ReportText.h"

namespace report {

bool writeTextFile(const QString &path, const QString &text, QString *error) {
  return files::writeWhole(path, (text + QStringLiteral("\r\n")).toUtf8(), error);
}

namespace {
// The file the user chose, with the suffix added when he typed none.
QString chosenPath(const QString &chosen, const QString &suffix) { return calcfile::withSuffix(chosen, suffix); }
}  // namespace

SaveOutcome saveTextAs(QWidget *parent, const QString &text, const QString &defaultName,
                       const QString &routine, const std::function<void()> &afterWrite) {
  const QStringList filters = {builtinText(1854), builtinText(1207)};
  // Cancel (or a dialog that gave no name) writes nothing: no file is made up in the
  // program's folder, which an installed program may not even write to.
  const std::optional<QString> chosen = app::services().dialogs.askSaveFileName
                                            ? app::services().dialogs.askSaveFileName(parent, filters, QString())
                                            : std::nullopt;
  if (!chosen || chosen->isEmpty()) return SaveOutcome::Cancelled;
  Q_UNUSED(defaultName);
  const QString path = chosenPath(*chosen, QStringLiteral("txt"));
  if (text.isEmpty()) {
    msg::critical2(builtinText(302), builtinText(303));
    return SaveOutcome::NothingToWrite;
  }
  QString reason;
  if (!writeTextFile(path, text, &reason)) {
    msg::critical(err::pathFileAccess() + QStringLiteral(":\n") + QDir::toNativeSeparators(path) +
                      QStringLiteral("\n\n") + reason,
                  routine + QLatin1Char('!'));
    return SaveOutcome::Failed;
  }
  if (afterWrite) afterWrite();
  return SaveOutcome::Written;
}

SaveOutcome SpeichernUnter(const Session &session, QWidget *parent, int k) {
  const QString text = reportText(session, k);
  return saveTextAs(parent, text, QStringLiteral("Calc.txt"), QStringLiteral("SpeichernUnter"), [parent] {
    if (app::services().dialogs.busyWindow) app::services().dialogs.busyWindow(parent);
  });
}

namespace {
// The paper question: Yes for the maker's letterhead paper.
bool askLetterhead() {
  const msg::Message m{builtinText(251), builtinText(252), msg::Icon::Question, msg::Buttons::YesNo, 2};
  return msg::show(m) == msg::Answer::Yes;
}

bool printWithPaperQuestion(const Session &session, QPrinter &printer, int k, const QString &masterScreen, const QString &routine,
                            const ChartPainter &charts) {
  preparePrinter(printer);
  const PageMetrics metrics = gsubPageMetrics(printer);
  const bool letterhead = askLetterhead();
  if (letterhead) chooseLetterheadBin(printer);
  QString reason;
  if (!sFrmPrint(session, printer, sSetMargins(metrics, letterhead), k, masterScreen, &reason, charts)) {
    msg::critical(reason, routine + QLatin1Char('!'));
    return false;
  }
  return true;
}

void pointAtDevice(QPrinter &printer) {
  if (app::services().dialogs.selectPrinter) app::services().dialogs.selectPrinter(printer);
}
}  // namespace

bool sPrint(const Session &session, QWidget *parent, int k, const QString &masterScreen, const ChartPainter &charts) {
  QPrinter printer(QPrinter::HighResolution);
  pointAtDevice(printer);
  // Without any printer the print job could only fail: offer the PDF instead. (Where the
  // system has no printer at all, a new QPrinter is a PDF printer without a file.)
  const bool noDevice = printer.outputFileName().isEmpty() &&
                        (printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty());
  if (noDevice)
    return offerPdfInstead([&] { return reportPdf(session, parent, k, masterScreen, charts); });
  return printWithPaperQuestion(session, printer, k, masterScreen, QStringLiteral("sPrint"), charts);
}

bool sSetPrint(const Session &session, QWidget *parent, int k, const QString &masterScreen, const ChartPainter &charts) {
  QPrinter printer(QPrinter::HighResolution);
  pointAtDevice(printer);
  if (!app::services().dialogs.printerSetup || !app::services().dialogs.printerSetup(parent, printer)) return false;
  // The printer chosen here serves the following printouts as well.
  if (printer.outputFormat() == QPrinter::NativeFormat) setChosenPrinterName(printer.printerName());
  const msg::Message ask{builtinText(253), builtinText(254), msg::Icon::Question, msg::Buttons::YesNo, 2};
  if (msg::show(ask) != msg::Answer::Yes) return false;
  return printWithPaperQuestion(session, printer, k, masterScreen, QStringLiteral("sSetPrint"), charts);
}

bool savePdfAs(QWidget *parent, const QString &defaultName,
               const std::function<bool(const QString &, QString *)> &write) {
  const QStringList filters = {builtinText(1208), builtinText(1207)};
  const std::optional<QString> chosen = app::services().dialogs.askSaveFileName
                                            ? app::services().dialogs.askSaveFileName(parent, filters, builtinText(1234))
                                            : std::nullopt;
  if (!chosen || chosen->isEmpty()) return false;
  Q_UNUSED(defaultName);
  const QString path = chosenPath(*chosen, QStringLiteral("pdf"));
  QString reason;
  if (!write(path, &reason)) {
    msg::critical(builtinText(1235).arg(QDir::toNativeSeparators(path), reason), builtinText(1234));
    return false;
  }
  return true;
}

bool reportPdf(const Session &session, QWidget *parent, int k, const QString &masterScreen, const ChartPainter &charts) {
  return savePdfAs(parent, QStringLiteral("Calc.pdf"), [&](const QString &path, QString *reason) {
    return printReportToPdf(session, path, k, masterScreen, reason, charts);
  });
}

void reportPreview(const Session &session, QWidget *parent, int k, const QString &masterScreen, const ChartPainter &charts) {
  if (!app::services().dialogs.printPreview) return;
  app::services().dialogs.printPreview(parent, [&](QPrinter &printer) {
    preparePrinter(printer);
    QString reason;
    if (!sFrmPrint(session, printer, sSetMargins(gsubPageMetrics(printer), false), k, masterScreen, &reason, charts))
      msg::critical(reason, QStringLiteral("sFrmPrint!"));
  });
}

bool offerPdfInstead(const std::function<bool()> &savePdf) {
  const msg::Message ask{builtinText(1236), builtinText(1237), msg::Icon::Question, msg::Buttons::YesNo, 1};
  if (msg::show(ask) != msg::Answer::Yes) return false;
  return savePdf();
}

}  // namespace report
