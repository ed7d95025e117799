#pragma once
// The report and PDF layer (output/) as the batch tool uses it: the evaluation's text
// export, the report text file, the report as a PDF and the GUI application printing
// needs. A plain run uses none of it, and the layer brings QtGui, PrintSupport and the
// font and window-system libraries with it (some fifty shared objects, all bound when
// the process starts). So the tool does not link it: the layer is a module of its own
// (tarvelcalc-report.so), loaded when --export, --report or --pdf asks for it. Its
// calls into the core bind to the tool's own core, so that both share one state
// (locale, texts, messages).
#include <QString>

class QCoreApplication;
struct Session;

namespace batch {

struct ReportLayer {
  // The evaluation screen's text export (German).
  QString (*exportText)(const Session &session);
  // The report window's text file in English or German.
  QString (*reportText)(const Session &session, bool english);
  // The report printed to a PDF file; false with the reason in *error.
  bool (*printPdf)(const Session &session, const QString &path, bool english, const QString &masterScreen,
                   QString *error);
  // The application printing needs (fonts, a paint engine): a GUI application, on the
  // offscreen platform when there is no display.
  QCoreApplication *(*makeApplication)(int &argc, char **argv);
};

// The layer: linked into the program, or else loaded once from the module beside the
// executable (the build tree) or in ../lib/tarvelcalc/ of it (as installed). nullptr
// when the module cannot be found or loaded, with the reason in *error. Safe to call
// from any thread.
const ReportLayer *reportLayer(QString *error = nullptr);

}  // namespace batch

// The module's one entry point.
extern "C" const batch::ReportLayer *tarvelcalcReportLayer();
