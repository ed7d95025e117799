// The parameter study of the evaluation screen: four cassettes, the distance m stepped.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>

#include "app/shots/Shots.h"
#include "core/document/CalcDocument.h"
#include "core/run/CalculationRun.h"
#include "ui/arrangements/FrmArrangement.h"
#include "ui/common/DocumentWindows.h"
#include "ui/evaluation/FrmAuswertung.h"
#include "ui/evaluation/FrmParameterstudie.h"

TARVEL_SHOT("32-parameter-study.png") {
  FrmArrangement *w = shots::calculatedScreen(session, ArrangementId::VKaZDSch);
  // Every size ticked, and a required life of 3 000 km, so that the life chart shows its
  // line too.
  CalcDocument *doc = docui::of(w);
  calcfile::Case c = doc->input();
  c.tickAll = true;
  c.requiredLife = loads::RequiredLifeTexts{QStringLiteral("3000"), false};
  doc->reset(c);
  run::handOver(session, ArrangementId::VKaZDSch, calcfile::loadCasesOf(c));
  auto *ev = new FrmAuswertung(session, w);
  shots::pictureOf(ev);
  ev->menuItem(QStringLiteral("MenüParameterstudie"))->trigger();
  FrmParameterstudie *study = ev->findChild<FrmParameterstudie *>();
  study->CboEingabe()->setCurrentIndex(study->inputKeys().indexOf(QStringLiteral("m")));
  study->Tb_Von()->setText(QStringLiteral("200"));
  study->Tb_Bis()->setText(QStringLiteral("800"));
  study->Tb_Schritte()->setText(QStringLiteral("61"));
  study->CmdBerechnen_Click();
  study->Tabelle()->selectRow(20);
  study->resize(1240, 720);  // as it opens on a desktop of 1366 x 768
  return shots::pictureOf(study);
}
