// Pictures of the report window and of the comment dialog.
#include <QAction>
#include <QApplication>

#include "app/shots/Shots.h"
#include "core/arrangements/Calculate.h"
#include "core/run/CalculationRun.h"
#include "core/document/CalcDocument.h"
#include "ui/common/DocumentWindows.h"
#include "ui/arrangements/FrmArrangement.h"
#include "ui/evaluation/FrmAuswertung.h"
#include "ui/report/FrmAusdruck.h"
#include "ui/report/FrmKommentar.h"

namespace {
// The evaluation of four cassettes with the first three series ticked, as "Druckmanager"
// finds it.
void evaluatedFourCassettes(Session &session) {
  FrmArrangement *w = shots::calculatedScreen(session, ArrangementId::VKaZDSch);
  w->CmdBerechnen_Click();
  run::handOver(session, ArrangementId::VKaZDSch, calcfile::loadCasesOf(docui::of(w)->input()));
  FrmAuswertung::grabScreen(session, w, 3, true);
}
}  // namespace

// Two pages side by side: German, then English after "Sprache".
TARVEL_SHOT("40-FrmAusdruck.png") {
  evaluatedFourCassettes(session);
  openReportWindow(session, nullptr, QStringLiteral("FrmVKaZDSch"));
  FrmAusdruck *w = FrmAusdruck::current();
  w->setAttribute(Qt::WA_DontShowOnScreen, true);
  w->resize(1400, 960);
  w->button(QStringLiteral("Sprache"))->trigger();
  w->button(QStringLiteral("Formular"))->trigger();
  shots::pictureOf(w);
  w->button(QStringLiteral("Nebeneinander"))->trigger();
  return shots::pictureOf(w);
}

TARVEL_SHOT("41-FrmKommentar.png") {
  auto *d = new FrmKommentar(session);
  d->setAttribute(Qt::WA_DeleteOnClose);
  return shots::pictureOf(d);
}
