// The report layer of the batch tool as a module (batch/ReportLayer.h): the output
// layer's functions behind the table the tool looks up by name.
#include <QGuiApplication>

#include "batch/ReportLayer.h"
#include "output/report/ReportPrint.h"
#include "output/report/ReportText.h"

namespace {

QString exportText(const Session &session) { return report::evaluationExportText(session); }

QString reportText(const Session &session, bool english) {
  return report::reportText(session, english ? report::English : report::German);
}

bool printPdf(const Session &session, const QString &path, bool english, const QString &masterScreen,
              QString *error) {
  return report::printReportToPdf(session, path, english ? report::English : report::German, masterScreen, error);
}

QCoreApplication *makeApplication(int &argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  return new QGuiApplication(argc, argv);
}

const batch::ReportLayer kLayer{exportText, reportText, printPdf, makeApplication};

}  // namespace

extern "C" const batch::ReportLayer *tarvelcalcReportLayer() { return &kLayer; }
