// Load cases on real widgets: the tab bar above the force grid, the refusals that lose
// nothing, the motion dialog, and the road with two load cases and a duty cycle to the
// evaluation grid. Expected numbers are worked out by hand from the demo catalogue.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <memory>

#include "ui/arrangements/FrmArrangement.h"
#include "core/common/Session.h"
#include "core/catalogue/Catalogue.h"
#include "core/common/Session.h"
#include "core/common/Messages.h"
#include "core/common/Texts.h"
#include "ui/common/AppServices.h"
#include "ui/evaluation/FrmAuswertung.h"
#include "ui/report/ReportHooks.h"
#include "ui/loads/ForceGrid.h"
#include "ui/loads/LoadCaseTabs.h"
#include "ui/loads/MotionDialog.h"
#include "core/common/UnsavedInput.h"
#include "support/Children.h"
#include "support/TestCatalogue.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using testsupport::child;

class LoadCaseScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    QApplication::setQuitOnLastWindowClosed(false);
    computeSubVersion(session);
    // The dialogs and the evaluation screen's outputs as the program has them, no start
    // screen behind the arrangement screen.
    AppServices services;
    services.dialogs = report::standardDialogs();
    services.dialogs.commentDialog = report::commentDialogFor(session);
    services.evaluation = FrmAuswertung::standardServices();
    app::install(std::move(services));
    sSetField(session);
    sSetTblAnzBez(session, true, true, true);
    session.gsngSiko = 1.5f;
    screen = new FrmArrangement(session, ArrangementId::EKaEDSch);
    screen->show();
    tabs = child<LoadCaseTabs>(screen, "LoadCaseTabs");
  }
  void TearDown() override {
    // Deleting one window may take others with it: hold them by guarded pointers.
    QList<QPointer<QWidget>> evaluations;
    for (QWidget *w : QApplication::topLevelWidgets())
      if (qobject_cast<FrmAuswertung *>(w)) evaluations << w;
    for (const QPointer<QWidget> &w : evaluations) delete w.data();
    delete screen.data();
    app::install({});
  }

  void addForce(const QStringList &cells) {
    ForceGrid *g = child<ForceGrid>(screen, "MSFlexGrid1");
    const int r = g->rowForNewForce();
    for (int c = 0; c < cells.size(); ++c) g->setTextMatrix(r, c, cells.at(c));
  }
  void typeShare(const QString &share) {
    tabs->shareField()->selectAll();
    QTest::keyClicks(tabs->shareField(), share);
  }
  void clickTab(int index) {
    QTabBar *bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
  }
  // Two load cases: 25 % under 1000 N, 75 % under 2000 N, both downward at the centre.
  void twoLoadCases() {
    addForce({"- Z", "1000", "0", "0", "0"});
    typeShare("25");
    QTest::mouseClick(tabs->addButton(), Qt::LeftButton);
    addForce({"- Z", "2000", "0", "0", "0"});
    typeShare("75");
  }
  static FrmAuswertung *evaluationScreen() {
    for (QWidget *w : QApplication::topLevelWidgets())
      if (auto *e = qobject_cast<FrmAuswertung *>(w)) return e;
    return nullptr;
  }
  static QStringList row(QTableWidget *g, int r, bool headings = false) {
    QStringList out;
    for (int c = 0; c < g->columnCount(); ++c) {
      const QTableWidgetItem *it = headings ? g->horizontalHeaderItem(c) : g->item(r, c);
      out << (it ? it->text() : QString());
    }
    return out;
  }

  Session session;
  msg::Recorder rec;
  testsupport::ScopedCatalogueFile file{session, testsupport::demoCatalogueFile()};
  QPointer<FrmArrangement> screen;
  LoadCaseTabs *tabs = nullptr;
};

// A new load case is input the discard question must know of.
TEST_F(LoadCaseScreen, AddingALoadCaseIsInputThatCanBeLost) {
  input::markSavePoint();
  ASSERT_FALSE(input::hasUnsavedChanges());
  tabs->addButton()->click();
  EXPECT_TRUE(input::hasUnsavedChanges());
}

// A hundred load cases at most, whether added by "+" or handed over as a whole; the
// refusal names the limit and changes nothing.
TEST_F(LoadCaseScreen, AtMostAHundredLoadCases) {
  for (int i = 1; i < 100; ++i) tabs->addButton()->click();
  ASSERT_EQ(tabs->count(), 100);
  ASSERT_TRUE(rec.messages.isEmpty());
  tabs->addButton()->click();
  EXPECT_EQ(tabs->count(), 100);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].text, "Es sind höchstens 100 Lastfälle möglich.");

  QVector<LoadCase> many(101);
  for (int i = 0; i < many.size(); ++i) many[i].name = QStringLiteral("L%1").arg(i);
  tabs->setLoadCases(many);
  EXPECT_EQ(tabs->count(), 100);
  EXPECT_EQ(tabs->tabBar()->tabText(0), "Lastfall 1");
  EXPECT_EQ(rec.messages.size(), 2);
  many.resize(100);
  tabs->setLoadCases(many);
  EXPECT_EQ(tabs->count(), 100);
  EXPECT_EQ(tabs->tabBar()->tabText(99), "L99");
  EXPECT_EQ(tabs->current(), 0);
  EXPECT_TRUE(tabs->tabBar()->isVisible());
}

TEST_F(LoadCaseScreen, OneLoadCaseByDefault) {
  EXPECT_EQ(tabs->count(), 1);
  EXPECT_EQ(tabs->tabBar()->tabText(0), "Lastfall 1");
  EXPECT_EQ(tabs->shareField()->text(), "100");
  EXPECT_FALSE(tabs->removeButton()->isEnabled());
}

TEST_F(LoadCaseScreen, EveryTabKeepsItsOwnForceTable) {
  twoLoadCases();
  EXPECT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabBar()->tabText(1), "Lastfall 2");
  clickTab(0);
  EXPECT_EQ(child<ForceGrid>(screen, "MSFlexGrid1")->dataRows(), TextRows({{"- Z", "1000", "0", "0", "0"}}));
  EXPECT_EQ(tabs->shareField()->text(), "25");
  clickTab(1);
  EXPECT_EQ(child<ForceGrid>(screen, "MSFlexGrid1")->dataRows(), TextRows({{"- Z", "2000", "0", "0", "0"}}));
  EXPECT_EQ(tabs->shareField()->text(), "75");
  const QVector<LoadCase> cases = tabs->loadCases();
  ASSERT_EQ(cases.size(), 2);
  EXPECT_EQ(cases[0].share, 25.0);
  EXPECT_EQ(cases[1].forces, TextRows({{"- Z", "2000", "0", "0", "0"}}));

  // Renaming through the dialog of a double click.
  QTimer answer;
  answer.setSingleShot(true);
  QObject::connect(&answer, &QTimer::timeout, [] {
    auto *d = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
    ASSERT_NE(d, nullptr);
    d->setTextValue(QStringLiteral("Bearbeitung"));
    d->accept();
  });
  answer.start(0);
  QTest::mouseDClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
  EXPECT_EQ(tabs->tabBar()->tabText(1), "Bearbeitung");
}

TEST_F(LoadCaseScreen, RemovingAsksAndNoKeepsTheLoadCase) {
  twoLoadCases();
  rec.answers = {msg::Answer::No};
  QTest::mouseClick(tabs->removeButton(), Qt::LeftButton);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].text, "Möchten Sie den Lastfall „Lastfall 2“ mit seinen Kräften entfernen?");
  EXPECT_EQ(rec.messages[0].defaultButton, 2);
  EXPECT_EQ(tabs->count(), 2);
  rec.answers = {msg::Answer::Yes};
  QTest::mouseClick(tabs->removeButton(), Qt::LeftButton);
  EXPECT_EQ(tabs->count(), 1);
  EXPECT_EQ(child<ForceGrid>(screen, "MSFlexGrid1")->dataRows(), TextRows({{"- Z", "1000", "0", "0", "0"}}));
}

TEST_F(LoadCaseScreen, SharesNotMakingHundredAreRefusedAndNothingIsLost) {
  twoLoadCases();
  typeShare("70");
  QTest::mouseClick(child<QPushButton>(screen, "CmdBerechnen"), Qt::LeftButton);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "Abbruch der Berechnung");
  EXPECT_EQ(rec.messages[0].text,
            "Die Anteile der Lastfälle ergeben zusammen 95 % statt 100 %.\nBitte korrigieren Sie die Anteile der "
            "Lastfälle „Lastfall 1“ (25 %), „Lastfall 2“ (70 %).");
  EXPECT_TRUE(screen->mblnCalcFailed());
  EXPECT_EQ(tabs->shareField()->text(), "70");
  EXPECT_EQ(child<ForceGrid>(screen, "MSFlexGrid1")->dataRows(), TextRows({{"- Z", "2000", "0", "0", "0"}}));
  clickTab(0);
  EXPECT_EQ(child<ForceGrid>(screen, "MSFlexGrid1")->dataRows(), TextRows({{"- Z", "1000", "0", "0", "0"}}));
  // "Weiter" stays on the screen.
  screen->weiter();
  EXPECT_EQ(evaluationScreen(), nullptr);
}

// KK25 (ball bearings, C 6800, Co 3900, D 15): static load 2000 N, safety 1,95 -> 2;
// Pm = (0,25 * 1000^3 + 0,75 * 2000^3)^(1/3) = 1842,0 N; L = (6800/1842,0)^3 * 3,141592
// * 15 = 2370,8 km; 500 mm stroke at 10 double strokes a minute travel 600 000 mm an
// hour: 3951,3 h; at 8 h on 250 days a year 1,98 years.
TEST_F(LoadCaseScreen, TheRoadWithTwoLoadCasesAndADutyCycle) {
  twoLoadCases();
  QTest::mouseClick(child<QPushButton>(screen, "CmdBerechnen"), Qt::LeftButton);
  EXPECT_TRUE(rec.messages.isEmpty());
  // The load display shows the load case in front, and follows the tabs.
  EXPECT_EQ(child<QLabel>(screen, "LabFo", 0)->text(), "2000 N");
  clickTab(0);
  EXPECT_EQ(child<QLabel>(screen, "LabFo", 0)->text(), "1000 N");

  screen->weiter();
  FrmAuswertung *e = evaluationScreen();
  ASSERT_NE(e, nullptr);
  const char *duty[4] = {"500", "10", "8", "250"};
  for (int i = 0; i < 4; ++i) QTest::keyClicks(e->Tb_Betrieb(i), duty[i]);
  // TLK is the second frame; its 25 is the fourth box.
  QCheckBox *kk25 = e->chkGrSer(6 + 3);
  ASSERT_TRUE(kk25->isEnabled());
  kk25->setChecked(true);
  QTest::mouseClick(e->CmdBerechnen(), Qt::LeftButton);
  EXPECT_TRUE(rec.messages.isEmpty());
  QTableWidget *g = e->MSFlexGrid1();
  EXPECT_EQ(row(g, 0, true), QStringList({"Serie", "Größe", "Best-Nr.", "Statisch", "Dynamisch", "Belastung",
                                          "Äquiv. Belastung", "Sicherheit", "Lebensdauer", "Lebensdauer [h]",
                                          "[Jahre]", "Kommentar"}));
  ASSERT_EQ(g->rowCount(), 1);
  EXPECT_EQ(row(g, 0), QStringList({"KK25", "25", "KK25-118", "3.900 N", "6.800 N", "2.000 N", "1.842 N", "2",
                                    "2.371 km", "3.951", "2,0", "Sicherheit ausreichend."}));

  // A bad figure in "Betrieb" stops the run by name and leaves the grid.
  e->Tb_Betrieb(1)->setText("0");
  QTest::mouseClick(e->CmdBerechnen(), Qt::LeftButton);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].text, "Bitte geben Sie für „Doppelhübe pro Minute“ eine Zahl größer als 0 ein.");
  EXPECT_EQ(g->rowCount(), 1);
}

TEST_F(LoadCaseScreen, MotionDialogReplacesTheLoadCases) {
  QTimer answer;
  answer.setSingleShot(true);
  bool refused = false;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto *d = qobject_cast<MotionDialog *>(QApplication::activeModalWidget());
    ASSERT_NE(d, nullptr);
    // A stroke left empty is named; the dialog stays with what was typed.
    const char *typed[8] = {"50", "100", "0", "80", "1", "2", "4", ""};
    for (int i = 0; i < 8; ++i) QTest::keyClicks(d->field(i), typed[i]);
    QTest::mouseClick(d->cmdOK(), Qt::LeftButton);
    refused = d->isVisible() && d->field(0)->text() == "50";
    QTest::keyClicks(d->field(7), "1000");
    d->mounting()->setCurrentIndex(2);  // wall, Y upward
    QTest::mouseClick(d->cmdOK(), Qt::LeftButton);
  });
  answer.start(0);
  QTest::mouseClick(child<QPushButton>(screen, "CmdBewegung"), Qt::LeftButton);
  EXPECT_TRUE(refused);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].text, "Bitte geben Sie für „Hub (mm)“ eine Zahl größer als 0 ein.");
  ASSERT_EQ(tabs->count(), 3);
  EXPECT_EQ(tabs->tabBar()->tabText(0), "Beschleunigen");
  EXPECT_EQ(tabs->tabBar()->tabText(1), "Konstantfahrt");
  EXPECT_EQ(tabs->tabBar()->tabText(2), "Bremsen");
  EXPECT_EQ(tabs->shareField()->text(), "25");
  EXPECT_EQ(child<ForceGrid>(screen, "MSFlexGrid1")->dataRows(),
            TextRows({{"- Y", "490,5", "100", "0", "80"}, {"- X", "100", "0", "0", "80"}}));
  // They calculate as any load cases.
  QTest::mouseClick(child<QPushButton>(screen, "CmdBerechnen"), Qt::LeftButton);
  EXPECT_EQ(rec.messages.size(), 1);
  EXPECT_FALSE(screen->mblnCalcFailed());
}

}  // namespace
