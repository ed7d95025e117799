// Pictures of the special roller shoe's editor and of the auxiliary windows.
#include <QTableWidget>

#include "app/shots/Shots.h"
#include "ui/auxiliary/FrmAbout.h"
#include "ui/auxiliary/FrmVertreter.h"
#include "core/catalogue/Catalogue.h"
#include "ui/special/FrmSonder.h"

// The editor as the user sees it after picking a predefined series and pressing the
// results button (cassette view).
TARVEL_SHOT("60-FrmSonder.png") {
  auto *w = new FrmSonder(session);
  w->setAttribute(Qt::WA_DontShowOnScreen, true);
  w->show();
  shots::settle();
  w->MSHFlexGrid1_Click(3);
  w->cmdResult_Click();
  return shots::pictureOf(w);
}

TARVEL_SHOT("61-FrmVertreter-representatives.png") {
  msubSearchDB(session, catalogue::code::Representatives, false, 0);
  return shots::pictureOf(new FrmVertreter(session, catalogue::code::Representatives));
}

TARVEL_SHOT("62-FrmVertreter-database.png") {
  msubSearchDB(session, catalogue::code::Info, false, 0);
  return shots::pictureOf(new FrmVertreter(session, catalogue::code::Info));
}

TARVEL_SHOT("63-frmAbout.png") { return shots::pictureOf(new FrmAbout(session)); }
