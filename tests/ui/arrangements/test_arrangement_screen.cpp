// The arrangement screen on real widgets: layout per arrangement, forces through the
// dialog, "Berechnen" with the load display, the series menu, the refusals and the ways
// on to the evaluation and back to the start screen.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <memory>

#include "ui/arrangements/FrmArrangement.h"
#include "core/document/CalcDocument.h"
#include "ui/common/DocumentWindows.h"
#include "ui/loads/LoadCaseTabs.h"
#include "ui/arrangements/Shape.h"
#include "core/catalogue/Catalogue.h"
#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "ui/common/NumericInput.h"
#include "core/common/Numbers.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "core/common/UnsavedInput.h"
#include "ui/common/AppServices.h"
#include "ui/evaluation/FrmAuswertung.h"
#include "ui/report/ReportHooks.h"
#include "ui/loads/DialogEingabe.h"
#include "ui/loads/DirectionLabels.h"
#include "ui/loads/ForceGrid.h"
#include "support/ArrangementRoads.h"
#include "support/Children.h"
#include "support/TestCatalogue.h"

namespace {

using testsupport::child;
using testsupport::numbered;

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

// A catalogue with one table set of `sizes` series, sizes 1..sizes, all with the same
// geometry: a1 20, a2 60, 4 bearings, b1 40, b2 10, h1 20, h2 15, B 100, bI 20.
QString uniformCatalogueSql(int sizes) {
  QString sql = QStringLiteral(
      "CREATE TABLE Einstellung (Beschr TEXT, Wert TEXT);"
      "INSERT INTO Einstellung VALUES ('StdSiko', '15');"
      "INSERT INTO Einstellung VALUES ('PrgVers', 'StdVer');"
      "INSERT INTO Einstellung VALUES ('FNTblAnz', '1');"
      "INSERT INTO Einstellung VALUES ('FNTblNam0', 'B/');"
      "INSERT INTO Einstellung VALUES ('FNTblNam1', 'K/');"
      "INSERT INTO Einstellung VALUES ('FNTblNam2', 'R/');"
      "INSERT INTO Einstellung VALUES ('TLTblAnz', '0');"
      "INSERT INTO Einstellung VALUES ('SoTblAnz', '0');"
      "CREATE TABLE B (Serie TEXT, Gr INTEGER, a1 REAL, a2 REAL, AnzR INTEGER, C INTEGER, Co INTEGER, Ls REAL, D REAL, TypR TEXT);"
      "CREATE TABLE K (Serie TEXT, Gr INTEGER, b1 REAL, h1 REAL, B REAL, Best TEXT, KBs REAL, Kh9 REAL, KBF REAL, Kh3 REAL);"
      "CREATE TABLE R (Serie TEXT, Gr INTEGER, b2 REAL, h2 REAL, B REAL, Best TEXT, KB1 REAL, Kh1 REAL, KBE REAL, Kh3 REAL);");
  for (int g = 1; g <= sizes; ++g) {
    sql += QStringLiteral("INSERT INTO B VALUES ('T', %1, 20, 60, 4, 10000, 8000, 50, 8, 'N');").arg(g);
    sql += QStringLiteral("INSERT INTO K VALUES ('KT', %1, 40, 20, 100, 'KT-%1', 50, 30, 40, 10);").arg(g);
    sql += QStringLiteral("INSERT INTO R VALUES ('RT', %1, 10, 15, 20, 'RT-%1', 20, 20, 14, 8);").arg(g);
  }
  return sql;
}

class ArrangementScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    computeSubVersion(session);
    input::markSavePoint();
    // The dialogs and the evaluation screen's outputs as the program has them; the start
    // screen is counted.
    AppServices services;
    services.dialogs = report::standardDialogs();
    services.dialogs.commentDialog = report::commentDialogFor(session);
    services.evaluation = FrmAuswertung::standardServices();
    services.startScreen = [this](Session &) { ++startScreens; };
    app::install(std::move(services));
  }
  void TearDown() override {
    app::install({});
    for (QWidget *w : QApplication::topLevelWidgets())
      if (qobject_cast<FrmAuswertung *>(w)) delete w;
    for (const QPointer<FrmArrangement> &s : screens)
      if (s) delete s.data();
  }

  FrmArrangement *open(ArrangementId id, const QString &catalogue = testsupport::demoCatalogueFile()) {
    // The previous choice goes first, so that the new one is not undone by it.
    file.reset();
    file = std::make_unique<testsupport::ScopedCatalogueFile>(session, catalogue);
    sSetField(session);
    sSetTblAnzBez(session, true, arrangement(id).groupTL, true);
    auto *w = new FrmArrangement(session, id);
    screens.append(w);
    return w;
  }

  static void addForce(FrmArrangement *w, const QStringList &cells) {
    ForceGrid *g = child<ForceGrid>(w, "MSFlexGrid1");
    const int r = g->rowForNewForce();
    for (int c = 0; c < cells.size(); ++c) g->setTextMatrix(r, c, cells.at(c));
  }

  static QStringList labels(FrmArrangement *w) {
    QStringList out;
    for (int k = 0; k < 4; ++k) out << child<QLabel>(w, "LabFo", k)->text();
    return out;
  }

  static QVector<QColor> shapeColours(FrmArrangement *w) {
    QVector<QColor> out;
    for (int k = 0; k < w->shapeCount(); ++k) out << child<Shape>(w, "ShpMaxBel", k)->fillColor();
    return out;
  }

  static QMenu *menuNamed(FrmArrangement *w, const QString &title) {
    for (QAction *a : w->menuBar()->actions())
      if (a->menu() && a->menu()->title() == title) return a->menu();
    return nullptr;
  }

  static FrmAuswertung *evaluationScreen() {
    for (QWidget *w : QApplication::topLevelWidgets())
      if (auto *e = qobject_cast<FrmAuswertung *>(w)) return e;
    return nullptr;
  }

  Session session;
  msg::Recorder rec;
  std::unique_ptr<testsupport::ScopedCatalogueFile> file;
  QVector<QPointer<FrmArrangement>> screens;
  int startScreens = 0;
};

struct Expected {
  ArrangementId id;
  const char *screen;
  int tooltipM, tooltipN;  // 0: no field
  int shapes;
  QColor neutral;
};

const Expected kScreens[] = {
    {ArrangementId::EKaEDSch, "FrmEKaEDSch", 0, 0, 1, kBlue},
    {ArrangementId::ERoEESch, "FrmERoEESch", 0, 408, 1, QColor()},  // system highlight text
    {ArrangementId::ZKaEDSch, "FrmZKaEDSch", 414, 0, 4, kBlue},
    {ArrangementId::ZKaZDSch, "FrmZKaZDSch", 0, 413, 4, kBlue},
    {ArrangementId::VKaZDSch, "FrmVKaZDSch", 414, 413, 4, kBlue},
    {ArrangementId::ZRoEESch, "FrmZRoEESch", 407, 408, 4, kBlue},
};

}  // namespace

// ---- layout ----------------------------------------------------------------------------------

TEST_F(ArrangementScreen, LayoutOfEveryScreen) {
  for (const Expected &e : kScreens) {
    SCOPED_TRACE(e.screen);
    FrmArrangement *w = open(e.id);
    EXPECT_EQ(w->objectName(), e.screen);
    // The title names the arrangement after the program caption.
    EXPECT_EQ(w->windowTitle(), QStringLiteral("TarvelCALC Rollenführungen  2002 c - ") +
                                    builtinText(arrangement(e.id).germanNameId));
    EXPECT_EQ(child<QLabel>(w, "LabUebSchr")->text(),
              QStringLiteral("Aluminium Rollenführung\n") + builtinText(arrangement(e.id).germanNameId));
    ASSERT_EQ(w->findChild<QLineEdit *>("Tb_m") != nullptr, e.tooltipM != 0);
    ASSERT_EQ(w->findChild<QLineEdit *>("Tb_n") != nullptr, e.tooltipN != 0);
    if (w->findChild<QLineEdit *>("Tb_m")) {
      EXPECT_EQ(child<QLineEdit>(w, "Tb_m")->toolTip(), builtinText(e.tooltipM));
    }
    if (w->findChild<QLineEdit *>("Tb_n")) {
      EXPECT_EQ(child<QLineEdit>(w, "Tb_n")->toolTip(), builtinText(e.tooltipN));
    }
    EXPECT_EQ(child<QPushButton>(w, "CmdBerechnen")->text(), "&Berechnen");

    // Menus: &Datei with &Weiter, &Zurück, a separator and &Beenden; "&Belastungen"
    // hidden until the first calculation; &? with &Inhalt.
    QList<QAction *> bar = w->menuBar()->actions();
    ASSERT_EQ(bar.size(), 4);
    EXPECT_EQ(bar[0]->text(), "&Datei");
    EXPECT_EQ(bar[1]->text(), "Bearb&eiten");  // undo and redo
    bar.removeAt(1);
    // The menu's caption without its mnemonic: Alt+B belongs to "&Berechnen".
    EXPECT_EQ(bar[1]->text(), "Belastungen");
    EXPECT_FALSE(bar[1]->isVisible());
    EXPECT_EQ(bar[2]->text(), "&?");
    const QList<QAction *> datei = child<QMenu>(w, "MenüDatei")->actions();
    ASSERT_EQ(datei.size(), 4);
    EXPECT_EQ(datei[0]->text(), "&Weiter");
    EXPECT_EQ(datei[1]->text(), "&Zurück");
    EXPECT_TRUE(datei[2]->isSeparator());
    EXPECT_EQ(datei[3]->text(), "&Beenden");
    EXPECT_EQ(child<QMenu>(w, "MenüHilfe")->actions().value(0)->text(), "&Inhalt");
    EXPECT_EQ(child<QAction>(w, "Zurück")->toolTip(), "Zurück zur Startseite");
    EXPECT_EQ(child<QAction>(w, "Berechnen")->toolTip(), "Belastungen anzeigen");
    EXPECT_EQ(child<QAction>(w, "Weiter")->toolTip(), "Weiter zur Auswertungsseite");
    EXPECT_EQ(child<QAction>(w, "Inhalt")->toolTip(), "Hilfe anzeigen");

    for (int i = 0; i < 8; ++i) EXPECT_EQ(child<QLabel>(w, "LabKoordinaten", i)->toolTip(), builtinText(409));
    EXPECT_EQ(child<Shape>(w, "Shape1")->fillColor(), kBlue);
    EXPECT_EQ(child<Shape>(w, "Shape2")->fillColor(), QColor(192, 192, 255));
    ASSERT_EQ(w->shapeCount(), e.shapes);
    const QColor neutral = e.neutral.isValid() ? e.neutral : gui::systemColor(14);
    for (const QColor &c : shapeColours(w)) EXPECT_EQ(c, neutral);
    EXPECT_EQ(child<ForceGrid>(w, "MSFlexGrid1")->rows(), 2);
    EXPECT_EQ(labels(w), QStringList(4));
  }
}

TEST_F(ArrangementScreen, AResizedWindowScalesTheDrawing) {
  FrmArrangement *w = open(ArrangementId::VKaZDSch);
  child<QLineEdit>(w, "Tb_m")->setText("200");
  child<QLineEdit>(w, "Tb_n")->setText("100");
  addForce(w, {"- Z", "1000", "0", "0", "0"});
  w->CmdBerechnen_Click();
  // Calculated before the window shows (a file opened): the values sit on the picture.
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  for (QLabel *l : numbered<QLabel>(w, "LabFo")) EXPECT_TRUE(child<QWidget>(w, "Frame1")->rect().contains(l->geometry()));
  const QSize design = w->size();
  const double scale = w->pictureScale();
  const QRect label = child<QLabel>(w, "LabKoordinaten", 0)->geometry();
  const QRect shape = child<Shape>(w, "ShpMaxBel", 0)->geometry();
  const QRect grid = child<ForceGrid>(w, "MSFlexGrid1")->geometry();
  // The window fits a 1366 x 768 screen at its design size.
  EXPECT_LE(design.width(), 1366);
  EXPECT_LE(design.height(), 740);

  w->resize(design + QSize(600, 300));
  QApplication::processEvents();
  EXPECT_EQ(w->size(), design + QSize(600, 300));
  // The drawing grows, keeping its proportions, and everything on it follows.
  EXPECT_GT(w->pictureScale(), scale * 1.3);
  EXPECT_GT(child<Shape>(w, "ShpMaxBel", 0)->width(), shape.width());
  EXPECT_NEAR(child<Shape>(w, "ShpMaxBel", 0)->width() / double(child<Shape>(w, "ShpMaxBel", 0)->height()), shape.width() / double(shape.height()), 0.2);
  EXPECT_NE(child<QLabel>(w, "LabKoordinaten", 0)->geometry(), label);
  EXPECT_GT(child<QLabel>(w, "LabKoordinaten", 0)->width(), label.width());
  EXPECT_TRUE(child<QWidget>(w, "Frame1")->rect().contains(child<QLabel>(w, "LabFo", 0)->geometry()));
  // The force table grows with the window.
  EXPECT_GT(child<ForceGrid>(w, "MSFlexGrid1")->width(), grid.width());
  EXPECT_GT(child<ForceGrid>(w, "MSFlexGrid1")->height(), grid.height());
  // Back at the design size, the design returns.
  w->resize(design);
  QApplication::processEvents();
  EXPECT_DOUBLE_EQ(w->pictureScale(), scale);
  EXPECT_EQ(child<QLabel>(w, "LabKoordinaten", 0)->geometry(), label);
}

// ---- calculation and load display -----------------------------------------------------------

// Downward forces in the centre load every unit or position alike, whatever the series:
// the values shown follow from the arrangement alone (the roads of tests/support).
TEST_F(ArrangementScreen, CentredForceOnEveryArrangement) {
  for (const testsupport::Road &c : testsupport::kRoads) {
    SCOPED_TRACE(c.screen);
    FrmArrangement *w = open(arrangementByScreen(c.screen)->id);
    if (c.m) child<QLineEdit>(w, "Tb_m")->setText(c.m);
    if (c.n) child<QLineEdit>(w, "Tb_n")->setText(c.n);
    for (const QStringList &f : c.forces) addForce(w, f);
    child<QPushButton>(w, "CmdBerechnen")->click();
    EXPECT_TRUE(rec.messages.isEmpty());
    EXPECT_FALSE(w->mblnCalcFailed());
    EXPECT_TRUE(child<QMenu>(w, "MenüOptionen")->menuAction()->isVisible());
    EXPECT_EQ(w->checkedSeries(), 3);
    EXPECT_EQ(labels(w), c.shown);
    for (const QColor &colour : shapeColours(w)) EXPECT_EQ(colour, kRed);
  }
}

TEST_F(ArrangementScreen, OneCassetteWithAMomentAboutX) {
  // B = 100 gives k1 = 0.02: a force of 1000 N at y = 50 adds Q1 = 1000.
  FrmArrangement *w = open(ArrangementId::EKaEDSch, testsupport::buildCatalogue(uniformCatalogueSql(4)));
  addForce(w, {"Z +", "1000", "0", "50", "0"});
  w->CmdBerechnen_Click();
  EXPECT_EQ(labels(w), (QStringList{"2000 N", "1000 N", "0 N", "0 N"}));
  EXPECT_EQ(child<Shape>(w, "ShpMaxBel", 0)->fillColor(), kRed);
  // "Y +" 500 N at z = 0 with h1 = 20: Q1 = -200 is shown as its amount.
  child<ForceGrid>(w, "MSFlexGrid1")->setTextMatrix(1, 0, "Y +");
  child<ForceGrid>(w, "MSFlexGrid1")->setTextMatrix(1, 1, "500");
  child<ForceGrid>(w, "MSFlexGrid1")->setTextMatrix(1, 3, "0");
  w->CmdBerechnen_Click();
  EXPECT_EQ(labels(w), (QStringList{"700 N", "200 N", "0 N", "0 N"}));
}

TEST_F(ArrangementScreen, OnlyTheMostLoadedCassetteIsMarked) {
  FrmArrangement *w = open(ArrangementId::VKaZDSch);
  child<QLineEdit>(w, "Tb_m")->setText("200");
  child<QLineEdit>(w, "Tb_n")->setText("100");
  addForce(w, {"- Z", "800", "-50", "25", "0"});
  w->CmdBerechnen_Click();
  EXPECT_EQ(labels(w), (QStringList{"150 N", "450 N", "50 N", "150 N"}));
  EXPECT_EQ(shapeColours(w), (QVector<QColor>{kBlue, kRed, kBlue, kBlue}));
}

TEST_F(ArrangementScreen, TwoCassettesOnOneRailShowHalfThePositionLoads) {
  FrmArrangement *w = open(ArrangementId::ZKaEDSch);
  child<QLineEdit>(w, "Tb_m")->setText("199,5");
  addForce(w, {"- Z", "1000", "-50", "0", "0"});
  w->CmdBerechnen_Click();
  // 199,5 is taken as 200; the positions of the first cassette carry 750 each.
  EXPECT_EQ(child<QLineEdit>(w, "Tb_m")->text(), "200");
  EXPECT_EQ(labels(w), (QStringList{"375 N", "375 N", "125 N", "125 N"}));
  EXPECT_EQ(shapeColours(w), (QVector<QColor>{kRed, kRed, kBlue, kBlue}));
  ASSERT_FALSE(w->msngLoad().isEmpty());
  EXPECT_FLOAT_EQ(w->msngLoad().first()[4], 750.0f);
}

TEST_F(ArrangementScreen, RollerShoePairsUseTheLateralOffset) {
  // m 200, n 80, b2 10: W = 100; at y = -25 the shoes at -y carry 750, those at +y 250.
  FrmArrangement *w = open(ArrangementId::ZRoEESch, testsupport::buildCatalogue(uniformCatalogueSql(4)));
  child<QLineEdit>(w, "Tb_m")->setText("200");
  child<QLineEdit>(w, "Tb_n")->setText("80");
  addForce(w, {"- Z", "1000", "0", "-25", "0"});
  w->CmdBerechnen_Click();
  EXPECT_EQ(labels(w), (QStringList{"375 N", "125 N", "375 N", "125 N"}));
  EXPECT_EQ(shapeColours(w), (QVector<QColor>{kRed, kBlue, kRed, kBlue}));
}

TEST_F(ArrangementScreen, ChoosingASeriesShowsItsRow) {
  FrmArrangement *w = open(ArrangementId::EKaEDSch);
  addForce(w, {"Y +", "500", "0", "0", "0"});
  w->CmdBerechnen_Click();
  ASSERT_GE(numbered<QAction>(w, "mnuSerie").size(), 6);
  ASSERT_EQ(w->msngLoad().size(), numbered<QAction>(w, "mnuSerie").size());
  // The load depends on the guide height and the moment distance of each series.
  EXPECT_NE(w->msngLoad()[0][4], w->msngLoad()[5][4]);
  for (int i : {0, 5}) {
    numbered<QAction>(w, "mnuSerie")[i]->trigger();
    EXPECT_EQ(w->checkedSeries(), i);
    const auto &row = w->msngLoad()[i];
    EXPECT_EQ(child<QLabel>(w, "LabFo", 0)->text(), num::formatWhole(std::fabs(row[4])) + " N");
    EXPECT_EQ(child<QLabel>(w, "LabFo", 1)->text(), num::formatWhole(std::fabs(row[0])) + " N");
  }
  // The captions name the cassette series and the size.
  EXPECT_EQ(numbered<QAction>(w, "mnuSerie")[0]->text(), session.gastrResult[0][3] + " " + session.gastrResult[0][1]);
}

// ---- series menu ------------------------------------------------------------------------------

TEST_F(ArrangementScreen, SeriesMenuOfFortyFiveSeriesHasFiveColumns) {
  FrmArrangement *w = open(ArrangementId::VKaZDSch, testsupport::buildCatalogue(uniformCatalogueSql(45)));
  EXPECT_EQ(numbered<QAction>(w, "mnuSerie").size(), 1);
  EXPECT_EQ(numbered<QAction>(w, "mnuSerie")[0]->text(), "#");
  child<QLineEdit>(w, "Tb_m")->setText("200");
  child<QLineEdit>(w, "Tb_n")->setText("100");
  addForce(w, {"- Z", "1000", "0", "0", "0"});
  w->CmdBerechnen_Click();
  ASSERT_EQ(numbered<QAction>(w, "mnuSerie").size(), 45);
  EXPECT_EQ(numbered<QAction>(w, "mnuSerie")[0]->text(), "KT 1");
  EXPECT_EQ(numbered<QAction>(w, "mnuSerie")[44]->text(), "KT 45");
  EXPECT_EQ(w->seriesMenuColumns(), (QVector<int>{10, 10, 10, 10, 5}));
  EXPECT_EQ(w->checkedSeries(), 3);
  int checked = 0;
  for (QAction *a : numbered<QAction>(w, "mnuSerie")) checked += a->isChecked();
  EXPECT_EQ(checked, 1);
}

TEST_F(ArrangementScreen, OnlyFourColumnBreaks) {
  FrmArrangement *w = open(ArrangementId::EKaEDSch, testsupport::buildCatalogue(uniformCatalogueSql(57)));
  addForce(w, {"- Z", "1000", "0", "0", "0"});
  w->CmdBerechnen_Click();
  EXPECT_EQ(w->seriesMenuColumns(), (QVector<int>{10, 10, 10, 10, 17}));
}

TEST_F(ArrangementScreen, FewerThanFourSeriesShowTheLast) {
  FrmArrangement *w = open(ArrangementId::EKaEDSch, testsupport::buildCatalogue(uniformCatalogueSql(2)));
  addForce(w, {"- Z", "1000", "0", "0", "0"});
  w->CmdBerechnen_Click();
  ASSERT_EQ(numbered<QAction>(w, "mnuSerie").size(), 2);
  EXPECT_EQ(w->checkedSeries(), 1);
  EXPECT_EQ(child<QLabel>(w, "LabFo", 0)->text(), "1000 N");
}

TEST_F(ArrangementScreen, SecondCalculationKeepsTheMenuAndShowsTheFourthAgain) {
  FrmArrangement *w = open(ArrangementId::VKaZDSch);
  child<QLineEdit>(w, "Tb_m")->setText("200");
  child<QLineEdit>(w, "Tb_n")->setText("100");
  addForce(w, {"- Z", "1000", "0", "0", "0"});
  w->CmdBerechnen_Click();
  const int entries = numbered<QAction>(w, "mnuSerie").size();
  const QString caption = numbered<QAction>(w, "mnuSerie")[7]->text();
  numbered<QAction>(w, "mnuSerie")[7]->trigger();
  EXPECT_EQ(w->checkedSeries(), 7);
  addForce(w, {"- Z", "1000", "0", "0", "0"});
  w->CmdBerechnen_Click();
  EXPECT_EQ(numbered<QAction>(w, "mnuSerie").size(), entries);
  EXPECT_EQ(numbered<QAction>(w, "mnuSerie")[7]->text(), caption);
  EXPECT_EQ(w->checkedSeries(), 3);
  EXPECT_FALSE(numbered<QAction>(w, "mnuSerie")[7]->isChecked());
  EXPECT_EQ(labels(w), (QStringList{"500 N", "500 N", "500 N", "500 N"}));
}

// ---- refusals -------------------------------------------------------------------------------

TEST_F(ArrangementScreen, RefusalsOfEveryArrangement) {
  struct Case {
    ArrangementId id;
    const char *m, *n;
    bool force;
    int text;
    const char *mAfter, *nAfter;
  } cases[] = {
      {ArrangementId::EKaEDSch, "", "", false, 315, "", ""},
      {ArrangementId::ERoEESch, "", "", true, 319, "", "0"},
      {ArrangementId::ERoEESch, "", "0,4", true, 319, "", "0,4"},
      {ArrangementId::ZKaEDSch, "", "", true, 320, "0", ""},
      {ArrangementId::ZKaZDSch, "", "", true, 319, "", "0"},
      {ArrangementId::VKaZDSch, "0", "100", true, 321, "0", "100"},
      {ArrangementId::ZRoEESch, "200", "", true, 313, "200", "0"},
      {ArrangementId::ZRoEESch, "200", "80", false, 315, "200", "80"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(arrangement(c.id).screenName) + " text " + std::to_string(c.text));
    rec.clear();
    FrmArrangement *w = open(c.id);
    if (w->findChild<QLineEdit *>("Tb_m")) child<QLineEdit>(w, "Tb_m")->setText(c.m);
    if (w->findChild<QLineEdit *>("Tb_n")) child<QLineEdit>(w, "Tb_n")->setText(c.n);
    if (c.force) addForce(w, {"- Z", "1000", "0", "0", "0"});
    w->CmdBerechnen_Click();
    ASSERT_EQ(rec.messages.size(), 1);
    EXPECT_EQ(rec.messages[0].text, builtinText(c.text));
    EXPECT_EQ(rec.messages[0].title, "Abbruch der Berechnung");
    EXPECT_EQ(rec.messages[0].icon, msg::Icon::Critical);
    EXPECT_EQ(rec.messages[0].defaultButton, 2);
    EXPECT_TRUE(w->mblnCalcFailed());
    EXPECT_FALSE(child<QMenu>(w, "MenüOptionen")->menuAction()->isVisible());
    if (w->findChild<QLineEdit *>("Tb_m")) {
      EXPECT_EQ(child<QLineEdit>(w, "Tb_m")->text(), c.mAfter);
    }
    if (w->findChild<QLineEdit *>("Tb_n")) {
      EXPECT_EQ(child<QLineEdit>(w, "Tb_n")->text(), c.nAfter);
    }
  }
}

TEST_F(ArrangementScreen, RefusalKeepsThePreviousResults) {
  FrmArrangement *w = open(ArrangementId::ZKaZDSch);
  child<QLineEdit>(w, "Tb_n")->setText("100");
  addForce(w, {"- Z", "1000", "0", "0", "0"});
  w->CmdBerechnen_Click();
  const auto loads = w->msngLoad();
  const TextRows result = session.gastrResult;
  const int entries = numbered<QAction>(w, "mnuSerie").size();
  child<QLineEdit>(w, "Tb_n")->clear();
  w->CmdBerechnen_Click();
  EXPECT_TRUE(w->mblnCalcFailed());
  EXPECT_EQ(w->msngLoad(), loads);
  EXPECT_EQ(session.gastrResult, result);
  EXPECT_EQ(numbered<QAction>(w, "mnuSerie").size(), entries);
  // The display is emptied at the start of every calculation.
  EXPECT_EQ(labels(w), QStringList(4));
}

// ---- next and back -----------------------------------------------------------------------------

TEST_F(ArrangementScreen, WeiterStopsAfterARefusal) {
  FrmArrangement *w = open(ArrangementId::EKaEDSch);
  w->show();
  child<QAction>(w, "Weiter")->trigger();
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].text, builtinText(315));
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(evaluationScreen(), nullptr);
  EXPECT_TRUE(session.gastrArrangement.value(0).isEmpty());
}

TEST_F(ArrangementScreen, WeiterHandsOverAndTheWayBackKeepsTheInput) {
  FrmArrangement *w = open(ArrangementId::VKaZDSch);
  w->show();
  child<QLineEdit>(w, "Tb_m")->setText("200,5");
  child<QLineEdit>(w, "Tb_n")->setText("100");
  addForce(w, {"- Z", "1500", "10", "-20", "0"});
  addForce(w, {"Y +", "250", "0", "0", "40"});
  child<QAction>(w, "MenüWeiter")->trigger();
  EXPECT_TRUE(rec.messages.isEmpty());
  EXPECT_FALSE(w->isVisible());
  FrmAuswertung *e = evaluationScreen();
  ASSERT_NE(e, nullptr);
  EXPECT_TRUE(e->isVisible());
  EXPECT_EQ(e->mfrmMasterForm(), w);
  EXPECT_EQ(e->masterScreenName(), "FrmVKaZDSch");
  EXPECT_EQ(session.gastrArrangement,
            (QStringList{"Vier Kassetten mit zwei Doppelschienen", "Four cassettes with two double rails"}));
  EXPECT_EQ(session.gastrForce, (TextRows{{"- Z", "1.500 N", "10 mm", "-20 mm", "0 mm"},
                                           {"Y +", "250 N", "0 mm", "0 mm", "40 mm"}}));
  EXPECT_FLOAT_EQ(session.gsngUnitDistance, 200.0f);
  EXPECT_FLOAT_EQ(session.gsngRailDistance, 100.0f);
  EXPECT_EQ(session.gastrResult.size(), w->msngLoad().size());

  // Back from the evaluation: the screen with everything as it was.
  e->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(child<QLineEdit>(w, "Tb_m")->text(), "200");
  EXPECT_EQ(child<ForceGrid>(w, "MSFlexGrid1")->rows(), 3);
  EXPECT_EQ(child<ForceGrid>(w, "MSFlexGrid1")->textMatrix(2, 4), "40");
  EXPECT_EQ(w->checkedSeries(), 3);
  EXPECT_EQ(startScreens, 0);
}

TEST_F(ArrangementScreen, BackLeadsToANewStartScreen) {
  FrmArrangement *w = open(ArrangementId::ZKaEDSch);
  w->show();
  child<QLineEdit>(w, "Tb_m")->setText("300");
  addForce(w, {"- Z", "1000", "0", "0", "0"});
  w->CmdBerechnen_Click();
  EXPECT_FLOAT_EQ(session.gsngUnitDistance, 300.0f);
  QPointer<FrmArrangement> alive(w);
  child<QAction>(w, "Zurück")->trigger();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(startScreens, 1);
  EXPECT_TRUE(alive.isNull());
  EXPECT_FLOAT_EQ(session.gsngUnitDistance, 0.0f);
  EXPECT_FLOAT_EQ(session.gsngRailDistance, 0.0f);
}

TEST_F(ArrangementScreen, ClosingTheWindowIsLikeBack) {
  FrmArrangement *w = open(ArrangementId::ZRoEESch);
  w->show();
  QPointer<FrmArrangement> alive(w);
  session.gsngRailDistance = 80.0f;
  EXPECT_TRUE(w->close());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(startScreens, 1);
  EXPECT_TRUE(alive.isNull());
  EXPECT_FLOAT_EQ(session.gsngRailDistance, 0.0f);
}

TEST_F(ArrangementScreen, BeendenEndsTheProgramAtOnce) {
  FrmArrangement *w = open(ArrangementId::EKaEDSch);
  w->show();
  child<QAction>(w, "MenüBeenden")->trigger();
  EXPECT_EQ(rec.endCalls, 1);
  EXPECT_EQ(startScreens, 0);
}

// ---- input ----------------------------------------------------------------------------------

TEST_F(ArrangementScreen, DistanceFieldsCalculateOnlyWhatTheyShow) {
  FrmArrangement *w = open(ArrangementId::ZRoEESch);
  // Every key stays as typed: "3a-0" is neither 30 nor 3000, "1.5" neither 15 nor 1,5. The
  // field is marked and "Berechnen" names it; nothing is calculated.
  const struct {
    const char *typed;
    const char *reason;
  } cases[] = {{"-12a,5", "Hier ist kein Vorzeichen möglich; erlaubt sind Ziffern und das Komma."},
               {"1.5", "Dezimaltrennzeichen ist das Komma (zum Beispiel 12,5)."},
               {"3a-0", "Erlaubt sind Ziffern und das Komma."}};
  for (const auto &c : cases) {
    child<QLineEdit>(w, "Tb_m")->setText("400");
    child<QLineEdit>(w, "Tb_n")->clear();
    QTest::keyClicks(child<QLineEdit>(w, "Tb_n"), c.typed);
    EXPECT_EQ(child<QLineEdit>(w, "Tb_n")->text(), c.typed);
    rec.clear();
    QTest::mouseClick(child<QPushButton>(w, "CmdBerechnen"), Qt::LeftButton);
    EXPECT_TRUE(w->mblnCalcFailed()) << c.typed;
    ASSERT_EQ(rec.messages.size(), 1) << c.typed;
    EXPECT_EQ(rec.messages[0].title, "Abbruch der Berechnung");
    EXPECT_EQ(rec.messages[0].text, QString::fromUtf8("Im Feld „Abstand n (mm)“ steht „%1“.\n%2\nBerechnet wird erst mit "
                                                      "einer gültigen Zahl.")
                                        .arg(QString::fromUtf8(c.typed), QString::fromUtf8(c.reason)));
    EXPECT_EQ(child<QLineEdit>(w, "Tb_n")->text(), c.typed) << "the field keeps what was typed";
  }
  // Pasted text as well.
  child<QLineEdit>(w, "Tb_m")->setText("30");
  QApplication::clipboard()->setText("2.500");
  child<QLineEdit>(w, "Tb_m")->paste();
  EXPECT_EQ(child<QLineEdit>(w, "Tb_m")->text(), "302.500");
  EXPECT_FALSE(gui::holdsNumber(child<QLineEdit>(w, "Tb_m")));
  // A distance beyond 10 m is a slip: refused with the range.
  child<QLineEdit>(w, "Tb_m")->setText("12345678901");
  child<QLineEdit>(w, "Tb_n")->setText("300");
  rec.clear();
  QTest::mouseClick(child<QPushButton>(w, "CmdBerechnen"), Qt::LeftButton);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].text, QString::fromUtf8("Der Wert von „Abstand m (mm)“ liegt außerhalb des zulässigen "
                                                    "Bereichs.\nErlaubt sind Werte von 0 bis 10.000."));
  EXPECT_EQ(child<QLineEdit>(w, "Tb_m")->text(), "12345678901");
}

TEST_F(ArrangementScreen, UndoKeysInAFieldUndoTheDocumentsSteps) {
  // A distance typed in m, the cursor moved on to n: Ctrl+Z there undoes the distance,
  // Ctrl+Y brings it back, as the menu "Bearbeiten" does.
  FrmArrangement *w = open(ArrangementId::VKaZDSch);
  w->show();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w));
  QLineEdit *m = child<QLineEdit>(w, "Tb_m");
  QLineEdit *n = child<QLineEdit>(w, "Tb_n");
  const QString before = m->text();
  m->setFocus();
  QTest::keyClicks(m, "45");
  n->setFocus();
  QTest::keyClick(n, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(m->text(), before);
  QTest::keyClick(n, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(m->text(), before + "45");
  m->setFocus();
  QTest::keyClick(m, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(m->text(), before) << "the typing is one step of the document";
  // A share typed into a new load case is a step of its own: undone first, then the case.
  QTest::mouseClick(child<QToolButton>(w, "CmdLastfallNeu"), Qt::LeftButton);
  QLineEdit *share = child<QLineEdit>(w, "Tb_Anteil");
  share->setFocus();
  share->selectAll();
  QTest::keyClicks(share, "30");
  QTabBar *tabs = child<QTabBar>(w, "TabLastfall");
  QTest::keyClick(share, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(tabs->count(), 2);
  EXPECT_EQ(share->text(), "0");
  QTest::keyClick(share, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(tabs->count(), 1);
  // The one load case renamed keeps its name in the document (and so in the file).
  child<LoadCaseTabs>(w, "LoadCaseTabs")->renameCase(0, "Heben");
  EXPECT_TRUE(docui::of(w)->isModified());
  EXPECT_EQ(docui::of(w)->input().loadCases.value(0).name, "Heben");
  QTest::keyClick(w, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(tabs->tabText(0), LoadCaseTabs::caseName(1));
}

TEST_F(ArrangementScreen, LoadLabelsSayWhatTheyShow) {
  FrmArrangement *one = open(ArrangementId::EKaEDSch);
  // The equivalent loads of the moments are forces, in N, and say which moment they
  // come from.
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(child<QLabel>(one, "LabFo", k)->toolTip(), builtinText(1106 + k));
  EXPECT_EQ(child<QLabel>(one, "LabFo", 0)->toolTip(), builtinText(1110));
  // Half position loads: per track on the tandem cassettes, per roller shoe on the pairs.
  FrmArrangement *tandem = open(ArrangementId::ZKaEDSch);
  EXPECT_TRUE(child<QLabel>(tandem, "LabFo", 0)->toolTip().contains("je Laufbahn"));
  FrmArrangement *shoes = open(ArrangementId::ZRoEESch);
  for (int k = 0; k < 4; ++k) EXPECT_TRUE(child<QLabel>(shoes, "LabFo", k)->toolTip().contains("je Rollenschuh"));
  FrmArrangement *four = open(ArrangementId::VKaZDSch);
  EXPECT_TRUE(child<QLabel>(four, "LabFo", 0)->toolTip().isEmpty());
}

TEST_F(ArrangementScreen, AltBCalculatesAlsoWhenTheLoadMenuIsShown) {
  FrmArrangement *w = open(ArrangementId::EKaEDSch);
  w->show();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w));
  addForce(w, {"- Z", "1000", "0", "0", "0"});
  // A mnemonic presses its button as a click does: shown pressed for a moment first.
  QTest::keyClick(w, Qt::Key_B, Qt::AltModifier);
  for (int i = 0; i < 100 && !child<QMenu>(w, "MenüOptionen")->menuAction()->isVisible(); ++i) QTest::qWait(10);
  ASSERT_TRUE(child<QMenu>(w, "MenüOptionen")->menuAction()->isVisible());
  EXPECT_EQ(child<QLabel>(w, "LabFo", 0)->text(), "1000 N");
  addForce(w, {"- Z", "500", "0", "0", "0"});
  QTest::keyClick(w, Qt::Key_B, Qt::AltModifier);
  for (int i = 0; i < 100 && child<QLabel>(w, "LabFo", 0)->text() != "1500 N"; ++i) QTest::qWait(10);
  EXPECT_EQ(child<QLabel>(w, "LabFo", 0)->text(), "1500 N");
}

TEST_F(ArrangementScreen, WorkIsNotThrownAwayWithoutAQuestion) {
  input::markSavePoint();
  // Every way that discards the input asks first; the default answer keeps it.
  for (const char *way : {"close", "Zurück", "Beenden"}) {
    SCOPED_TRACE(way);
    rec.clear();
    FrmArrangement *w = open(ArrangementId::ZKaEDSch);
    w->show();
    QTest::keyClicks(child<QLineEdit>(w, "Tb_m"), "300");
    QPointer<FrmArrangement> alive(w);
    auto leave = [&] {
      if (QString(way) == "close") w->close();
      else if (QString(way) == "Zurück") child<QAction>(w, "Zurück")->trigger();
      else child<QAction>(w, "MenüBeenden")->trigger();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    leave();
    ASSERT_EQ(rec.messages.size(), 1);
    EXPECT_EQ(rec.messages.first().title, builtinText(1538));
    EXPECT_EQ(msg::defaultAnswer(rec.messages.first()), msg::Answer::Cancel);
    EXPECT_FALSE(alive.isNull());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(startScreens, 0);
    EXPECT_EQ(rec.endCalls, 0);
    // "Verwerfen" discards.
    rec.answers = {msg::Answer::Discard};
    leave();
    EXPECT_EQ(rec.messages.size(), 2);
    EXPECT_EQ(startScreens + rec.endCalls, 1);
    EXPECT_FALSE(input::hasUnsavedChanges());
    startScreens = 0;
    if (alive) delete alive.data();
  }
  // Nothing typed: nothing to ask.
  rec.clear();
  FrmArrangement *w = open(ArrangementId::EKaEDSch);
  w->show();
  w->close();
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(ArrangementScreen, ForceThroughTheDirectionLabel) {
  FrmArrangement *w = open(ArrangementId::ZKaZDSch);
  w->show();
  QString pending;
  QTimer::singleShot(0, [&] {
    auto *d = qobject_cast<DialogEingabe *>(QApplication::activeModalWidget());
    if (!d) {
      ADD_FAILURE() << "no force dialog";
      return;
    }
    pending = DialogEingabe::pendingDirection(child<QLabel>(w, "LabKoordinaten", 0));
    EXPECT_EQ(d->disabledField(), 3);
    d->tbKrfXYZ(0)->setText("1500");
    d->tbKrfXYZ(1)->setText("-40");
    d->cmdOK()->click();
  });
  QTest::mouseClick(child<QLabel>(w, "LabKoordinaten", 4), Qt::LeftButton);
  EXPECT_EQ(pending, "- Z");
  EXPECT_TRUE(DialogEingabe::pendingDirection(child<QLabel>(w, "LabKoordinaten", 0)).isEmpty());
  EXPECT_EQ(child<ForceGrid>(w, "MSFlexGrid1")->dataRows(), (TextRows{{"- Z", "1500", "-40", "0", "0"}}));

  // Exit adds nothing.
  QTimer::singleShot(0, [] {
    if (auto *d = qobject_cast<DialogEingabe *>(QApplication::activeModalWidget())) d->cmdExit()->click();
  });
  w->LabKoordinaten_MouseDown(0);
  EXPECT_EQ(child<ForceGrid>(w, "MSFlexGrid1")->rows(), 2);
}

TEST_F(ArrangementScreen, HoverOverLabelsAndThePicture) {
  FrmArrangement *w = open(ArrangementId::VKaZDSch);
  w->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  QTest::mouseMove(child<QLabel>(w, "LabKoordinaten", 5));
  EXPECT_TRUE(child<DirectionLabels>(w, "DirectionLabels")->isHighlighted(5));
  EXPECT_TRUE(child<DirectionLabels>(w, "DirectionLabels")->Pfeil(5)->isVisible());
  addForce(w, {"- Z", "1000", "0", "0", "0"});
  addForce(w, {"- Z", "2000", "0", "0", "0"});
  child<ForceGrid>(w, "MSFlexGrid1")->hoverAt(QPoint(5, child<ForceGrid>(w, "MSFlexGrid1")->rowViewportPosition(1) +
                                          child<ForceGrid>(w, "MSFlexGrid1")->viewport()->y() + 5));
  EXPECT_EQ(child<ForceGrid>(w, "MSFlexGrid1")->tag(), "2");
  // Moving over the picture itself resets the labels and the grid's marker.
  QTest::mouseMove(child<QWidget>(w, "Frame1"), QPoint(4, 4));
  EXPECT_FALSE(child<DirectionLabels>(w, "DirectionLabels")->isHighlighted(5));
  EXPECT_FALSE(child<DirectionLabels>(w, "DirectionLabels")->Pfeil(5)->isVisible());
  EXPECT_TRUE(child<ForceGrid>(w, "MSFlexGrid1")->tag().isEmpty());
}

// A calculation that breaks off with an error has no results for the input on the
// screen, so "Weiter" does not show the evaluation either.
TEST_F(ArrangementScreen, WeiterStopsAfterACalculationError) {
  FrmArrangement *w = open(ArrangementId::VKaZDSch);
  w->show();
  child<QLineEdit>(w, "Tb_m")->setText("200");
  child<QLineEdit>(w, "Tb_n")->setText("100");
  addForce(w, {"- Z", "1000", "0", "0", "0"});
  addForce(w, {"- Z", "1000", "-", "0", "0"});
  child<QAction>(w, "Weiter")->trigger();
  ASSERT_FALSE(rec.messages.isEmpty());
  EXPECT_EQ(rec.messages.last().title, "Berechnungsfehler!");
  EXPECT_FALSE(w->mblnCalcFailed());
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(evaluationScreen(), nullptr);
}
