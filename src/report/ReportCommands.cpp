#include "report/ReportCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QPrinter>
#include <QSaveFile>

#include "common/Errors.h"
#include "common/Messages.h"
#include "common/Texts.h"
#include "report/ReportHooks.h"
#include "report/ReportPrint.h"
#include "report/ReportText.h"

namespace report {

bool writeTextFile(const QString &path, const QString &text, QString *error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error) *error = file.errorString();
    return false;
  }
  const QByteArray bytes = (text + QStringLiteral("\r\n")).toUtf8();
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    if (error) *error = file.errorString();
    file.cancelWriting();
    return false;
  }
  return true;
}

SaveOutcome saveTextAs(QWidget *parent, const QString &text, const QString &defaultName,
                       const QString &routine, const std::function<void()> &afterWrite) {
  const QStringList filters = {QStringLiteral("Textdateien (*.txt)"), QStringLiteral("Alle Dateien (*.*)")};
  const std::optional<QString> chosen = hooks().askSaveFileName ? hooks().askSaveFileName(parent, filters)
                                                                : std::nullopt;
  if (!chosen) return SaveOutcome::Cancelled;
  const QString path = chosen->isEmpty()
                           ? QDir(QCoreApplication::applicationDirPath()).filePath(defaultName)
                           : *chosen;
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

SaveOutcome SpeichernUnter(QWidget *parent, int k) {
  const QString text = reportText(k);
  return saveTextAs(parent, text, QStringLiteral("Calc.txt"), QStringLiteral("SpeichernUnter"), [parent] {
    if (hooks().busyWindow) hooks().busyWindow(parent);
  });
}

namespace {
// The paper question: Yes for the maker's letterhead paper.
bool askLetterhead() {
  const msg::Message m{builtinText(251), builtinText(252), msg::Icon::Question, msg::Buttons::YesNo, 2};
  return msg::show(m) == msg::Answer::Yes;
}

bool printWithPaperQuestion(QPrinter &printer, int k, const QString &masterScreen, const QString &routine) {
  preparePrinter(printer);
  const PageMetrics metrics = gsubPageMetrics(printer);
  const bool letterhead = askLetterhead();
  if (letterhead) chooseLetterheadBin(printer);
  QString reason;
  if (!sFrmPrint(printer, sSetMargins(metrics, letterhead), k, masterScreen, &reason)) {
    msg::critical(reason, routine + QLatin1Char('!'));
    return false;
  }
  return true;
}

void pointAtDevice(QPrinter &printer) {
  if (hooks().selectPrinter) hooks().selectPrinter(printer);
}
}  // namespace

bool sPrint(QWidget *parent, int k, const QString &masterScreen) {
  Q_UNUSED(parent);
  QPrinter printer(QPrinter::HighResolution);
  pointAtDevice(printer);
  return printWithPaperQuestion(printer, k, masterScreen, QStringLiteral("sPrint"));
}

bool sSetPrint(QWidget *parent, int k, const QString &masterScreen) {
  QPrinter printer(QPrinter::HighResolution);
  pointAtDevice(printer);
  if (!hooks().printerSetup || !hooks().printerSetup(parent, printer)) return false;
  // The printer chosen here serves the following printouts as well.
  if (printer.outputFormat() == QPrinter::NativeFormat) setChosenPrinterName(printer.printerName());
  const msg::Message ask{builtinText(253), builtinText(254), msg::Icon::Question, msg::Buttons::YesNo, 2};
  if (msg::show(ask) != msg::Answer::Yes) return false;
  return printWithPaperQuestion(printer, k, masterScreen, QStringLiteral("sSetPrint"));
}

}  // namespace report
