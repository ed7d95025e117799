#include "ui/evaluation/Export.h"

#include <QPageLayout>
#include <QPrinter>

#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "ui/report/ReportHooks.h"
#include "output/report/ReportPrint.h"
#include "output/report/ReportText.h"

report::SaveOutcome MenuSpeichern_Click(const Session &session, QWidget *screen, const std::function<void()> &progressDisplay) {
  const QString text = report::evaluationExportText(session);
  return report::saveTextAs(screen, text, QStringLiteral("Tarvel.txt"), QStringLiteral("MenüSpeichern_Click"),
                            progressDisplay);
}

bool MenuDrucken_Click(const Session &session, QWidget *screen, const QString &masterScreen, const QPixmap &icon) {
  AppServices::Dialogs &h = app::services().dialogs;
  if (!h.commentDialog || !h.commentDialog(screen)) return false;

  QPrinter printer(QPrinter::HighResolution);
  if (h.selectPrinter) h.selectPrinter(printer);
  printer.setPageOrientation(QPageLayout::Portrait);
  if (!h.printerSetup || !h.printerSetup(screen, printer)) return false;
  if (printer.outputFormat() == QPrinter::NativeFormat) report::setChosenPrinterName(printer.printerName());

  // The orientation stays as chosen in the dialog.
  report::preparePrinter(printer, false);
  QString reason;
  if (!report::printEvaluation(session, printer, masterScreen, icon.isNull() ? gui::headingPicture(session) : icon, &reason)) {
    msg::critical(reason, QStringLiteral("MenüDrucken_Click!"));
    return false;
  }
  return true;
}

bool MenuPdf_Click(const Session &session, QWidget *screen, const QString &masterScreen, const QPixmap &icon) {
  AppServices::Dialogs &h = app::services().dialogs;
  if (!h.commentDialog || !h.commentDialog(screen)) return false;
  const QPixmap picture = icon.isNull() ? gui::headingPicture(session) : icon;
  return report::savePdfAs(screen, QStringLiteral("Tarvel.pdf"), [&](const QString &path, QString *reason) {
    return report::printEvaluationToPdf(session, path, masterScreen, picture, reason);
  });
}

void MenuSeitenansicht_Click(const Session &session, QWidget *screen, const QString &masterScreen, const QPixmap &icon) {
  AppServices::Dialogs &h = app::services().dialogs;
  if (!h.commentDialog || !h.commentDialog(screen) || !h.printPreview) return;
  const QPixmap picture = icon.isNull() ? gui::headingPicture(session) : icon;
  h.printPreview(screen, [&](QPrinter &printer) {
    report::preparePrinter(printer);
    QString reason;
    if (!report::printEvaluation(session, printer, masterScreen, picture, &reason))
      msg::critical(reason, QStringLiteral("MenüDrucken_Click!"));
  });
}
