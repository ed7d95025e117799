// The shot of "Lasten je Einheit": the worked example of the manual.
#include <QAction>
#include <QCheckBox>
#include <QTableWidget>

#include "app/shots/Shots.h"
#include "core/document/CalcDocument.h"
#include "core/evaluation/Evaluation.h"
#include "core/run/CalculationRun.h"
#include "ui/arrangements/FrmArrangement.h"
#include "ui/common/DocumentWindows.h"
#include "ui/evaluation/FrmAuswertung.h"
#include "ui/evaluation/UnitLoadsPanel.h"

// examples/four-cassettes.json as the user opens it: calculated, every size ticked and
// evaluated, "Ansicht › Lasten je Einheit" ticked and the row of KD12 picked.
TARVEL_SHOT("34-FrmLastenJeEinheit.png") {
  calcfile::Case c;
  c.arrangement = QStringLiteral("FrmVKaZDSch");
  c.m = QStringLiteral("400");
  c.n = QStringLiteral("300");
  c.forces = {{"- Z", "2500", "50", "-30", "0"}, {"X +", "600", "0", "0", "150"}, {"Y +", "400", "120", "0", "100"}};
  const ArrangementInfo &info = arrangement(ArrangementId::VKaZDSch);
  run::takeOver(session, c, info);
  auto *w = new FrmArrangement(session, info.id);
  docui::of(w)->reset(c);
  w->CmdBerechnen_Click();
  run::handOver(session, info.id, calcfile::loadCasesOf(c));

  auto *screen = new FrmAuswertung(session, w);
  screen->setAttribute(Qt::WA_DontShowOnScreen, true);
  screen->show();
  for (int k = 0; k < eval::kFrames; ++k) {
    if (!screen->chkKSerie(k)->isEnabled()) continue;
    screen->chkKSerie(k)->setChecked(true);
    screen->chkKSerie_Click(k);
  }
  screen->CmdBerechnen_Click();
  screen->menuItem(QStringLiteral("MenüLastenJeEinheit"))->trigger();
  QTableWidget *grid = screen->MSFlexGrid1();
  for (int r = 0; r < grid->rowCount(); ++r)
    if (grid->item(r, 0) && grid->item(r, 0)->text() == QStringLiteral("KD12")) grid->setCurrentCell(r, 0);
  return shots::pictureOf(screen->unitLoadsPanel());
}
