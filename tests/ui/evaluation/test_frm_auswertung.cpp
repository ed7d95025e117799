// The evaluation screen with real widgets on the demo catalogue: the size boxes of the
// series, the ticking rules, the load type, the grid and the way back.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>

#include "core/catalogue/Catalogue.h"
#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "ui/common/AppServices.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "core/common/UnsavedInput.h"
#include "ui/evaluation/FrmAuswertung.h"
#include "support/Children.h"

namespace {

const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);

// The demo catalogue of the build tree; the test programs live in its folder "tests".
QString demoCatalogue() {
  QString dir = qEnvironmentVariable("TARVEL_BUILD_DIR");
  if (dir.isEmpty()) dir = QCoreApplication::applicationDirPath() + QStringLiteral("/..");
  return dir + QStringLiteral("/DBFN.db");
}

// The result rows an arrangement screen with cassettes hands over for the demo
// catalogue's group FN: TLS 12..35 (TLS 45 has no roller shoe and so no row in the
// set), TLK 25..45, TLH 15..45, all with the same load.
TextRows cassetteResult(const QString &load) {
  TextRows rows;
  for (int gr : {12, 15, 20, 25, 35}) rows.append({"TLS", QString::number(gr), load, QStringLiteral("KD%1").arg(gr)});
  for (int gr : {25, 35, 45}) rows.append({"TLK", QString::number(gr), load, QStringLiteral("KK%1").arg(gr)});
  for (int gr : {15, 20, 25, 35, 45}) rows.append({"TLH", QString::number(gr), load, QStringLiteral("KH%1").arg(gr)});
  return rows;
}

// n series with one size each, for the frame count.
TextRows manySeries(int n) {
  TextRows rows;
  for (int s = 1; s <= n; ++s) rows.append({QStringLiteral("S%1").arg(s), "20", "100", QStringLiteral("U%1-20").arg(s)});
  return rows;
}

QString cell(QTableWidget *grid, int row, int col) {
  const QTableWidgetItem *it = grid->item(row, col);
  return it ? it->text() : QStringLiteral("<none>");
}

QColor background(QWidget *w) { return w->palette().color(QPalette::Window); }

struct EvaluationScreenTest : ::testing::Test {
  Session session;
  msg::Recorder rec;
  QWidget master;
  QVector<QPointer<FrmAuswertung>> screens;

  void SetUp() override {
    app::install({});
    session.catalogue = std::make_shared<catalogue::Catalogue>(demoCatalogue());
    input::markSavePoint();
    sSetField(session);
    sSetTblAnzBez(session, true, false, false);
    ASSERT_EQ(session.gintTblAnz, 3);
    session.gsngSiko = 1.5f;  // "StdSiko" of the demo catalogue, as the start screen sets it
    session.gastrResult = cassetteResult("500");
    master.setObjectName(QStringLiteral("FrmEKaEDSch"));
    rec.clear();
  }
  void TearDown() override {
    for (const auto &s : screens) delete s.data();
    app::install({});
  }
  // Opens the screen the way "Weiter" does: the arrangement screen hides, this one shows.
  FrmAuswertung *open() {
    master.hide();
    auto *s = new FrmAuswertung(session, &master);
    screens.append(s);
    s->show();
    return s;
  }
  // Clicks on the tick mark of a check box.
  static void click(QCheckBox *box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
  }
  void tickSeries(FrmAuswertung *s, int frame) { click(s->chkKSerie(frame)); }
  void tick(FrmAuswertung *s, int box) { click(s->chkGrSer(box)); }
};

}  // namespace

TEST_F(EvaluationScreenTest, DemoSeriesFillOneFrameEachWithTheirSizes) {
  FrmAuswertung *s = open();
  EXPECT_TRUE(rec.messages.isEmpty());
  EXPECT_EQ(s->windowTitle(), windowCaption(session, 100) + " - Auswertung");
  const QStringList sizes = {"12", "15", "20", "25", "35", "45"};
  for (int i = 0; i < 54; ++i) EXPECT_EQ(s->chkGrSer(i)->text(), sizes[i % 6]) << i;

  // TLS stops at 35, TLK starts at 25, TLH at 15.
  const QVector<bool> expected = {true, true, true, true, true, false,      // TLS
                                  false, false, false, true, true, true,    // TLK
                                  false, true, true, true, true, true};     // TLH
  for (int i = 0; i < 18; ++i) EXPECT_EQ(s->chkGrSer(i)->isEnabled(), expected[i]) << i;
  for (int i = 18; i < 54; ++i) EXPECT_FALSE(s->chkGrSer(i)->isEnabled()) << i;
  EXPECT_EQ(s->chkGrSer(0)->property("Tag").toInt(), 1);
  EXPECT_EQ(s->chkGrSer(9)->property("Tag").toInt(), 6);   // TLK 25 is the sixth row
  EXPECT_EQ(s->chkGrSer(13)->property("Tag").toInt(), 9);  // TLH 15
  EXPECT_EQ(s->chkGrSer(6)->property("Tag").toInt(), -1);

  EXPECT_EQ(s->chkKSerie(0)->text(), "Serie KD");
  EXPECT_EQ(s->chkKSerie(1)->text(), "Serie KK");
  EXPECT_EQ(s->chkKSerie(2)->text(), "Serie KH");
  for (int k = 0; k < 3; ++k) EXPECT_TRUE(s->chkKSerie(k)->isEnabled());
  for (int k = 3; k < 9; ++k) {
    EXPECT_EQ(s->chkKSerie(k)->text(), "Sonder") << k;
    EXPECT_FALSE(s->chkKSerie(k)->isEnabled()) << k;
  }
  EXPECT_FALSE(s->fraSerie(8)->isVisible());
  for (int k = 0; k < 8; ++k) EXPECT_TRUE(s->fraSerie(k)->isVisible());
}

TEST_F(EvaluationScreenTest, SeriesWithSizes20To35AndTheNextSeriesInItsOwnFrame) {
  session.gastrResult = {{"A", "20", "100", "KA20"}, {"A", "25", "100", "KA25"},
                          {"A", "35", "100", "KA35"}, {"B", "12", "100", "KB12"}};
  FrmAuswertung *s = open();
  const QVector<bool> expected = {false, false, true, true, true, false, true, false, false, false, false, false};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(s->chkGrSer(i)->isEnabled(), expected[i]) << i;
  EXPECT_EQ(s->chkGrSer(2)->property("Tag").toInt(), 1);
  EXPECT_EQ(s->chkGrSer(4)->property("Tag").toInt(), 3);
  EXPECT_EQ(s->chkGrSer(6)->property("Tag").toInt(), 4);
  EXPECT_EQ(s->chkKSerie(0)->text(), "Serie KA");
  EXPECT_EQ(s->chkKSerie(1)->text(), "Serie KB");
}

TEST_F(EvaluationScreenTest, NinthSeriesShowsTheNinthFrameAndGrowsTheWindow) {
  session.gastrResult = manySeries(1);
  FrmAuswertung *one = open();
  const QSize base = one->size();
  one->close();

  session.gastrResult = manySeries(8);
  FrmAuswertung *eight = open();
  EXPECT_EQ(eight->size(), base);
  EXPECT_FALSE(eight->fraSerie(8)->isVisible());
  EXPECT_EQ(eight->chkKSerie(7)->text(), "Serie U");
  eight->close();

  session.gastrResult = manySeries(9);
  FrmAuswertung *nine = open();
  QGroupBox *fra = nine->fraSerie(8);
  ASSERT_TRUE(fra->isVisible());
  EXPECT_TRUE(nine->chkGrSer(50)->isEnabled());
  const int grow = fra->height() + gui::px(120);  // the frame and the gap below the frames
  EXPECT_EQ(nine->size(), QSize(base.width(), base.height() + grow));
  EXPECT_EQ(nine->MSFlexGrid1()->y(), fra->y() + grow);
  EXPECT_EQ(nine->FreBelArt()->y(), nine->MSFlexGrid1()->y());
  // Nothing below the grid leaves the window.
  const QWidget *central = nine->centralWidget();
  for (QWidget *w : {static_cast<QWidget *>(nine->MSFlexGrid1()), static_cast<QWidget *>(nine->FreBelArt()),
                     static_cast<QWidget *>(nine->CmdBerechnen())})
    EXPECT_LE(w->geometry().bottom(), central->height()) << w->objectName().toStdString();
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(EvaluationScreenTest, TenSeriesReportTheLayoutErrorAndKeepNineFrames) {
  session.gastrResult = manySeries(10);
  FrmAuswertung *s = open();
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "sSetLayout!");
  EXPECT_EQ(rec.messages[0].icon, msg::Icon::Critical);
  EXPECT_TRUE(s->fraSerie(8)->isVisible());
  EXPECT_EQ(s->chkKSerie(8)->text(), "Serie U");
  // The rest of the layout still happened.
  EXPECT_EQ(s->MSFlexGrid1()->horizontalHeaderItem(8)->text(), "Kommentar");
}

TEST_F(EvaluationScreenTest, TheGridGrowsWithTheWindow) {
  FrmAuswertung *s = open();
  const QSize design = s->size();
  EXPECT_LE(design.width(), 1366);
  EXPECT_LE(design.height(), 740);
  const QRect grid = s->MSFlexGrid1()->geometry();
  const QRect side = s->FreBelArt()->geometry();
  const QRect frame = s->fraSerie(0)->geometry();
  // Smaller than the design it does not get.
  s->resize(design.width() + 200, design.height() - 100);
  QApplication::processEvents();
  EXPECT_EQ(s->size(), QSize(design.width() + 200, design.height()));
  s->resize(design + QSize(300, 200));
  QApplication::processEvents();
  EXPECT_EQ(s->MSFlexGrid1()->width(), grid.width() + 300);
  EXPECT_EQ(s->MSFlexGrid1()->height(), grid.height() + 200);
  EXPECT_EQ(s->FreBelArt()->x(), side.x() + 300);
  // The series frames keep their places.
  EXPECT_EQ(s->fraSerie(0)->geometry(), frame);
}

TEST_F(EvaluationScreenTest, FailingRowsInTheWarningColourAndCopyForASpreadsheet) {
  session.gastrResult = cassetteResult("500");
  session.gastrResult[5][2] = "3400";  // TLK 25: too much load
  FrmAuswertung *s = open();
  tick(s, 0);
  tick(s, 9);
  s->CmdBerechnen()->click();
  QTableWidget *grid = s->MSFlexGrid1();
  ASSERT_EQ(grid->rowCount(), 2);
  EXPECT_NE(grid->item(0, 8)->foreground().color(), kRed);
  for (int c = 0; c < 9; ++c) EXPECT_EQ(grid->item(1, c)->foreground().color(), kRed) << c;

  // Cells of both rows chosen; the hidden column stays out.
  s->menuItem(QStringLiteral("MenüAnsichtTabelle4"))->trigger();
  grid->setCurrentCell(0, 0);
  grid->setRangeSelected(QTableWidgetSelectionRange(0, 0, 1, 5), true);
  s->activateWindow();
  grid->setFocus();
  QApplication::clipboard()->clear();
  QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(),
            "Serie\tGröße\tBest-Nr.\tStatisch\tBelastung\n"
            "KD12\t12\tKD12-058\t1.480 N\t500 N\n"
            "KK25\t25\tKK25-118\t3.900 N\t3.400 N\n");
  // One row chosen alone.
  grid->clearSelection();
  grid->selectRow(1);
  s->copySelection();
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith("Serie\tGröße\tBest-Nr.\tStatisch\tBelastung\tSicherheit"));
  EXPECT_TRUE(QApplication::clipboard()->text().endsWith("\tBelastung zu hoch!\n"));
}

TEST_F(EvaluationScreenTest, TickingRulesAndColours) {
  session.gastrResult = {{"A", "20", "100", "KA20"}, {"A", "25", "100", "KA25"}, {"A", "35", "100", "KA35"}};
  FrmAuswertung *s = open();
  const QColor window = gui::systemColor(5);

  tick(s, 3);
  EXPECT_TRUE(s->chkGrSer(3)->isChecked());
  EXPECT_EQ(background(s->chkGrSer(3)), kYellow);
  tick(s, 3);
  EXPECT_FALSE(s->chkGrSer(3)->isChecked());
  EXPECT_EQ(background(s->chkGrSer(3)), window);

  // The series box ticks the enabled sizes only.
  tickSeries(s, 0);
  EXPECT_EQ(background(s->chkKSerie(0)), kYellow);
  for (int i = 0; i < 6; ++i) {
    const bool enabled = i >= 2 && i <= 4;
    EXPECT_EQ(s->chkGrSer(i)->isChecked(), enabled) << i;
    EXPECT_EQ(background(s->chkGrSer(i)), enabled ? kYellow : window) << i;
  }
  // Unticking it clears all six.
  tick(s, 3);
  tickSeries(s, 0);
  EXPECT_EQ(background(s->chkKSerie(0)), window);
  for (int i = 0; i < 6; ++i) {
    EXPECT_FALSE(s->chkGrSer(i)->isChecked()) << i;
    EXPECT_EQ(background(s->chkGrSer(i)), window) << i;
  }
  // A disabled size cannot be ticked by a click.
  tick(s, 0);
  EXPECT_FALSE(s->chkGrSer(0)->isChecked());
}

TEST_F(EvaluationScreenTest, LoadTypeSetsTheRequiredSafetyAndIsShownAgainOnReopening) {
  FrmAuswertung *s = open();
  EXPECT_EQ(s->LabBelArt(0)->text(), "ruhend");
  EXPECT_EQ(s->LabBelArt(1)->text(), "schwellend");
  EXPECT_EQ(s->LabBelArt(2)->text(), "wechselnd");
  EXPECT_EQ(s->OptBelArt(1)->toolTip(), builtinText(401));
  EXPECT_TRUE(s->OptBelArt(0)->isChecked());

  QTest::mouseClick(s->OptBelArt(2), Qt::LeftButton);
  EXPECT_FLOAT_EQ(session.gsngSiko, 3.5f);
  QTest::mouseClick(s->OptBelArt(1), Qt::LeftButton);
  EXPECT_FLOAT_EQ(session.gsngSiko, 2.5f);
  EXPECT_EQ(s->MSFlexGrid1()->rowCount(), 0);  // choosing does not calculate

  s->menuItem(QStringLiteral("MenüZurück"))->trigger();
  FrmAuswertung *again = open();
  EXPECT_TRUE(again->OptBelArt(1)->isChecked());
  EXPECT_FALSE(again->OptBelArt(0)->isChecked());
  EXPECT_FLOAT_EQ(session.gsngSiko, 2.5f);

  // The run uses the safety in force: TLS 12 at 500 N has safety 3, below 3.5.
  QTest::mouseClick(again->OptBelArt(2), Qt::LeftButton);
  tick(again, 0);
  again->CmdBerechnen()->click();
  EXPECT_EQ(cell(again->MSFlexGrid1(), 0, 8), "Belastung zu hoch!");
}

TEST_F(EvaluationScreenTest, UnreadableSafetySettingKeepsOptionAndSafetyTogether) {
  for (QStringList &row : session.gastrSettings)
    if (row.value(0) == "SwSiko") row[1] = "viel";
  FrmAuswertung *s = open();
  QTest::mouseClick(s->OptBelArt(1), Qt::LeftButton);
  ASSERT_FALSE(rec.messages.isEmpty());
  EXPECT_EQ(rec.messages.last().icon, msg::Icon::Critical);
  EXPECT_FLOAT_EQ(session.gsngSiko, 1.5f);
  EXPECT_TRUE(s->OptBelArt(0)->isChecked());
  EXPECT_FALSE(s->OptBelArt(1)->isChecked());
  EXPECT_EQ(session.gintLoadType, 0);
}

TEST_F(EvaluationScreenTest, BerechnenFillsGridAndEvaluationTable) {
  session.gastrResult = cassetteResult("500");
  session.gastrResult[5][2] = "3400";  // TLK 25
  FrmAuswertung *s = open();
  QTableWidget *grid = s->MSFlexGrid1();
  const QStringList headings = {"Serie", "Größe", "Best-Nr.", "Statisch", "Dynamisch",
                                "Belastung", "Sicherheit", "Lebensdauer", "Kommentar"};
  ASSERT_EQ(grid->columnCount(), 9);
  for (int c = 0; c < 9; ++c) EXPECT_EQ(grid->horizontalHeaderItem(c)->text(), headings[c]);

  tick(s, 0);  // TLS 12
  tick(s, 9);  // TLK 25
  s->CmdBerechnen()->click();
  EXPECT_TRUE(rec.messages.isEmpty());
  ASSERT_EQ(grid->rowCount(), 2);
  const QStringList tls12 = {"KD12", "12", "KD12-058", "1.480 N", "2.350 N", "500 N", "3", "4.371 km",
                             "Sicherheit ausreichend."};
  const QStringList tlk25 = {"KK25", "25", "KK25-118", "3.900 N", "6.800 N", "3.400 N", "1,1", "377 km",
                             "Belastung zu hoch!"};
  for (int c = 0; c < 9; ++c) {
    EXPECT_EQ(cell(grid, 0, c), tls12[c]) << c;
    EXPECT_EQ(cell(grid, 1, c), tlk25[c]) << c;
  }
  ASSERT_EQ(session.gastrEvaluation.size(), 2);
  EXPECT_EQ(session.gastrEvaluation[1].verdict, Verdict::TooLow);
  // Columns 2..7 centred, size numbers to the right, texts to the left.
  EXPECT_EQ(grid->item(0, 3)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(grid->item(0, 1)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  EXPECT_EQ(grid->item(0, 0)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
  // The columns are fitted to their texts, which show whole (one pixel of margin each side).
  const QFontMetrics fm(grid->font());
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 2; ++r)
      EXPECT_GE(grid->columnWidth(c), fm.horizontalAdvance(cell(grid, r, c)) + 2) << r << "," << c;
  EXPECT_FALSE(s->ProgressBar1()->isVisible());

  // A second run starts from an empty grid.
  tick(s, 9);
  s->CmdBerechnen()->click();
  ASSERT_EQ(grid->rowCount(), 1);
  EXPECT_EQ(cell(grid, 0, 0), "KD12");
}

TEST_F(EvaluationScreenTest, DistanceVerdictInTheGrid) {
  session.gsngUnitDistance = 100.0f;  // TLS 20 is 98 mm long, TLS 25 124 mm
  FrmAuswertung *s = open();
  tick(s, 2);
  tick(s, 3);
  s->CmdBerechnen()->click();
  EXPECT_EQ(cell(s->MSFlexGrid1(), 0, 8), "Sicherheit ausreichend.");
  EXPECT_EQ(cell(s->MSFlexGrid1(), 1, 8), "Kassettenabstand zu gering!");
}

TEST_F(EvaluationScreenTest, NothingTickedGivesHeaderOnlyAndOneEmptyRow) {
  FrmAuswertung *s = open();
  s->CmdBerechnen()->click();
  EXPECT_EQ(s->MSFlexGrid1()->rowCount(), 0);
  ASSERT_EQ(session.gastrEvaluation.size(), 1);
  EXPECT_TRUE(session.gastrEvaluation[0].blank());
}

TEST_F(EvaluationScreenTest, FailedRunKeepsRowsSoFarAndThePreviousTable) {
  session.gastrResult = cassetteResult("500");
  session.gastrResult[1][2] = "";  // TLS 15 without a load
  session.gastrEvaluation = {EvaluationRow()};
  session.gastrEvaluation[0].unit = "vorher";
  FrmAuswertung *s = open();
  tick(s, 0);
  tick(s, 1);
  tick(s, 2);
  s->CmdBerechnen()->click();
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "CmdBerechnen_Click!");
  EXPECT_EQ(s->MSFlexGrid1()->rowCount(), 1);
  EXPECT_EQ(cell(s->MSFlexGrid1(), 0, 0), "KD12");
  ASSERT_EQ(session.gastrEvaluation.size(), 1);
  EXPECT_EQ(session.gastrEvaluation[0].unit, "vorher");
}

TEST_F(EvaluationScreenTest, ViewMenuHidesColumnsAtOnceAndAfterLaterRuns) {
  FrmAuswertung *s = open();
  QTableWidget *grid = s->MSFlexGrid1();
  QAction *last = s->menuItem(QStringLiteral("MenüAnsichtTabelle5"));
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->text(), "&Belastung");
  EXPECT_EQ(s->menuItem(QStringLiteral("MenüAnsichtTabelle3"))->text(), "&Statische Tragzahl");
  EXPECT_EQ(s->menuItem(QStringLiteral("MenüAnsichtTabelle4"))->text(), "&Dynamische Tragzahl");
  EXPECT_TRUE(last->isChecked());

  last->trigger();
  EXPECT_FALSE(last->isChecked());
  EXPECT_EQ(grid->columnWidth(5), 0);
  tick(s, 0);
  s->CmdBerechnen()->click();
  EXPECT_EQ(grid->columnWidth(5), 0);
  EXPECT_GT(grid->columnWidth(3), 0);
  EXPECT_GT(grid->columnWidth(4), 0);

  s->menuItem(QStringLiteral("MenüAnsichtTabelle3"))->trigger();
  EXPECT_EQ(grid->columnWidth(3), 0);
  last->trigger();
  EXPECT_TRUE(last->isChecked());
  EXPECT_GE(grid->columnWidth(5), QFontMetrics(s->font()).horizontalAdvance("Belastung"));
  EXPECT_EQ(grid->columnWidth(3), 0);

  QAction *sonder = s->menuItem(QStringLiteral("MenüSonder"));
  ASSERT_NE(sonder, nullptr);
  const bool before = sonder->isChecked();
  sonder->trigger();
  EXPECT_NE(sonder->isChecked(), before);
  EXPECT_EQ(grid->columnWidth(3), 0);
}

TEST_F(EvaluationScreenTest, OutputItemsWaitForTheFirstRunAndTheirServices) {
  int printed = 0, saved = 0;
  app::services().evaluation.print = [&](FrmAuswertung *) { ++printed; };
  app::services().evaluation.save = [&](FrmAuswertung *) { ++saved; };
  FrmAuswertung *s = open();
  QAction *drucken = s->menuItem(QStringLiteral("MenüDrucken"));
  QAction *speichern = s->menuItem(QStringLiteral("MenüSpeichern"));
  EXPECT_EQ(drucken->text(), "&Drucken...");
  EXPECT_EQ(speichern->text(), "Speichern &unter...");
  EXPECT_FALSE(drucken->isEnabled());
  EXPECT_FALSE(speichern->isEnabled());
  s->CmdBerechnen()->click();
  EXPECT_TRUE(drucken->isEnabled());
  EXPECT_TRUE(speichern->isEnabled());
  drucken->trigger();
  speichern->trigger();
  EXPECT_EQ(printed, 1);
  EXPECT_EQ(saved, 1);

  // Without the services the items stay disabled even after a run.
  app::services().evaluation = AppServices::Evaluation();
  FrmAuswertung *bare = open();
  bare->CmdBerechnen()->click();
  EXPECT_FALSE(bare->menuItem(QStringLiteral("MenüDrucken"))->isEnabled());
  EXPECT_FALSE(bare->menuItem(QStringLiteral("MenüSpeichern"))->isEnabled());
  EXPECT_FALSE(bare->toolbarButton(QStringLiteral("Druckmanager"))->isEnabled());
  EXPECT_FALSE(bare->menuItem(QStringLiteral("MenüInhalt"))->isEnabled());
  EXPECT_FALSE(bare->menuItem(QStringLiteral("MenüInfo"))->isEnabled());
}

TEST_F(EvaluationScreenTest, ToolbarAndHelpMenuReachTheirServices) {
  QStringList calls;
  AppServices::Evaluation &sv = app::services().evaluation;
  sv.help = [&] { calls << "help"; };
  sv.about = [&](Session &, QWidget *) { calls << "about"; };
  sv.showList = [&](Session &, QWidget *, int code) { calls << QStringLiteral("list %1").arg(code); };
  sv.openLink = [&](const QString &link) { calls << link; return qint32(42); };
  int gridRowsAtReport = -1;
  sv.openReport = [&](FrmAuswertung *w) { gridRowsAtReport = w->MSFlexGrid1()->rowCount(); };
  FrmAuswertung *s = open();

  QToolBar *bar = s->Toolbar1();
  EXPECT_EQ(bar->actions().size(), 9);
  const QList<QPair<QString, int>> tips = {{"Inhalt", 403}, {"Zurück", 410}, {"Berechnen", 411},
                                           {"Druckmanager", 416}, {"Exit", 406}};
  for (const auto &t : tips) {
    QAction *a = s->toolbarButton(t.first);
    ASSERT_NE(a, nullptr) << t.first.toStdString();
    EXPECT_EQ(a->toolTip(), builtinText(t.second));
    EXPECT_TRUE(a->isEnabled());
  }

  tick(s, 0);
  s->toolbarButton("Druckmanager")->trigger();
  EXPECT_EQ(gridRowsAtReport, 1);  // the evaluation ran before the report opened
  s->toolbarButton("Berechnen")->trigger();
  EXPECT_EQ(s->MSFlexGrid1()->rowCount(), 1);

  s->toolbarButton("Inhalt")->trigger();
  for (const char *name : {"MenüInhalt", "MenüInfoDB", "MenüVertreter", "MenüEMail", "MenüWeb", "MenüInfo"})
    s->menuItem(QString::fromUtf8(name))->trigger();
  EXPECT_EQ(calls, QStringList({"help", "help", "list 22", "list 21", "mailto:" + builtinText(598),
                                "http://" + builtinText(599), "about"}));
  EXPECT_EQ(s->menuItem("MenüInfoDB")->text(), "Inf&o zu DB TarvelCALC");
  EXPECT_EQ(s->menuItem("MenüInfo")->text(), "Inf&o zu TarvelCalc ...");
}

// Without a required safety above 0 (here the start screen could not read "StdSiko")
// the run gives no verdict, and no report over a safety of 0 opens.
TEST_F(EvaluationScreenTest, NoRequiredSafetyGivesNoVerdictAndNoReport) {
  bool reportOpened = false;
  app::services().evaluation.openReport = [&](FrmAuswertung *) { reportOpened = true; };
  session.gsngSiko = 0.0f;
  FrmAuswertung *s = open();
  tick(s, 0);
  s->toolbarButton("Druckmanager")->trigger();
  EXPECT_FALSE(reportOpened);
  EXPECT_EQ(s->MSFlexGrid1()->rowCount(), 0);
  ASSERT_FALSE(rec.messages.isEmpty());
  EXPECT_EQ(rec.messages.last().title, "CmdBerechnen_Click!");
  EXPECT_TRUE(rec.messages.last().text.contains("StdSiko"));
}

TEST_F(EvaluationScreenTest, ProgramInstallsHelpReportAndOutputs) {
  app::services().evaluation = FrmAuswertung::standardServices();  // what the program installs
  FrmAuswertung *s = open();
  for (const char *name : {"MenüInhalt", "MenüInfoDB", "MenüVertreter", "MenüEMail", "MenüWeb", "MenüInfo"})
    EXPECT_TRUE(s->menuItem(QString::fromUtf8(name))->isEnabled()) << name;
  EXPECT_TRUE(s->toolbarButton(QStringLiteral("Inhalt"))->isEnabled());
  EXPECT_TRUE(s->toolbarButton(QStringLiteral("Druckmanager"))->isEnabled());
  EXPECT_FALSE(s->menuItem(QStringLiteral("MenüDrucken"))->isEnabled());
  EXPECT_FALSE(s->menuItem(QStringLiteral("MenüSpeichern"))->isEnabled());
  s->CmdBerechnen()->click();
  EXPECT_TRUE(s->menuItem(QStringLiteral("MenüDrucken"))->isEnabled());
  EXPECT_TRUE(s->menuItem(QStringLiteral("MenüSpeichern"))->isEnabled());
}

TEST_F(EvaluationScreenTest, HelpTextsComeFromTheCustomerTextSet) {
  session.gintTextMode = 3;
  session.gastrSettings.append(QStringList{"511", "Unsere Partner"});
  FrmAuswertung *s = open();
  EXPECT_EQ(s->menuItem("MenüVertreter")->text(), "Unsere Partner");
  EXPECT_EQ(s->menuItem("MenüInhalt")->text(), "&Inhalt");  // fixed text
}

// The customer text set replaces the word "Serie" of the frame captions; the caption of
// an unused frame, "Sonder", is never the customer's.
TEST_F(EvaluationScreenTest, FrameCaptionsInTheCustomerTextSet) {
  session.gintTextMode = 3;
  session.gastrSettings.append(QStringList{"204", "Reihe"});
  FrmAuswertung *s = open();
  EXPECT_EQ(s->chkKSerie(0)->text(), "Reihe KD");
  for (int k = 3; k < 8; ++k) EXPECT_EQ(s->chkKSerie(k)->text(), "Sonder") << k;
}

TEST_F(EvaluationScreenTest, ProgressDisplayCountsToTheEndAndHides) {
  FrmAuswertung *s = open();
  QVector<int> values;
  bool visibleThroughout = true;
  QObject::connect(s->ProgressBar1(), &QProgressBar::valueChanged, s, [&](int v) {
    values << v;
    visibleThroughout = visibleThroughout && s->ProgressBar1()->isVisible();
  });
  EXPECT_FALSE(s->ProgressBar1()->isVisible());
  s->CmdBerechnen()->click();
  ASSERT_FALSE(values.isEmpty());
  EXPECT_EQ(values.last(), 100);
  EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
  EXPECT_TRUE(visibleThroughout);
  EXPECT_FALSE(s->ProgressBar1()->isVisible());
}

TEST_F(EvaluationScreenTest, ZurueckShowsTheMasterAndClearsTheDistances) {
  for (int way = 0; way < 3; ++way) {
    session.gsngUnitDistance = 300.0f;
    session.gsngRailDistance = 200.0f;
    FrmAuswertung *s = open();
    EXPECT_FALSE(master.isVisible());
    EXPECT_EQ(s->mfrmMasterForm(), &master);
    EXPECT_EQ(s->masterScreenName(), "FrmEKaEDSch");
    QPointer<FrmAuswertung> watch(s);
    if (way == 0) s->menuItem(QStringLiteral("MenüZurück"))->trigger();
    if (way == 1) s->toolbarButton(QStringLiteral("Zurück"))->trigger();
    if (way == 2) s->close();  // the window's close button
    EXPECT_TRUE(master.isVisible()) << way;
    EXPECT_EQ(session.gsngUnitDistance, 0.0f) << way;
    EXPECT_EQ(session.gsngRailDistance, 0.0f) << way;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull()) << way;
  }
}

TEST_F(EvaluationScreenTest, ExitAsksFirstWhenTicksAreUnsaved) {
  FrmAuswertung *s = open();
  tick(s, 0);
  s->Toolbar1_ButtonClick(QStringLiteral("Exit"));
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages.first().title, builtinText(1538));
  EXPECT_EQ(msg::defaultAnswer(rec.messages.first()), msg::Answer::Cancel);
  EXPECT_EQ(rec.endCalls, 0);
  s->menuItem(QStringLiteral("MenüBeenden"))->trigger();
  EXPECT_EQ(rec.endCalls, 0);
  rec.answers = {msg::Answer::Discard};
  EXPECT_THROW(s->Toolbar1_ButtonClick(QStringLiteral("Exit")), msg::ProgramEnded);
  EXPECT_EQ(rec.endCalls, 1);
}

TEST_F(EvaluationScreenTest, ExitEndsTheProgram) {
  FrmAuswertung *s = open();
  EXPECT_THROW(s->Toolbar1_ButtonClick(QStringLiteral("Exit")), msg::ProgramEnded);
  EXPECT_EQ(rec.endCalls, 1);
  QAction *beenden = s->menuItem(QStringLiteral("MenüBeenden"));
  EXPECT_EQ(beenden->text(), "&Beenden");
  EXPECT_THROW(beenden->trigger(), msg::ProgramEnded);
  EXPECT_EQ(rec.endCalls, 2);
}

TEST_F(EvaluationScreenTest, HeaderArrangementDrawingsAndPicture) {
  FrmAuswertung *s = open();
  auto *title = s->findChild<QLabel *>(QStringLiteral("LabUebSchr"));
  auto *icon = s->findChild<QLabel *>(QStringLiteral("picIcon"));
  ASSERT_TRUE(title && icon);
  EXPECT_EQ(title->text(), builtinText(200));
  EXPECT_EQ(title->x(), icon->width() + gui::px(283.5));
  EXPECT_EQ(s->findChild<QLabel *>(QStringLiteral("LabUebBel"))->text(), "   Belastungsart:");
  EXPECT_EQ(s->CmdBerechnen()->text(), "Berechnen");

  const QStringList names = {"FrmEKaEDSch", "FrmERoEESch", "FrmZKaEDSch", "FrmZKaZDSch", "FrmVKaZDSch", "FrmZRoEESch"};
  QStringList tags;
  for (int i = 0; i < 6; ++i) {
    tags << s->ImgAnordnung(i)->property("Tag").toString();
    EXPECT_FALSE(s->ImgAnordnung(i)->isVisible());
  }
  std::sort(tags.begin(), tags.end());
  QStringList sorted = names;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(tags, sorted);

  session.gastrResult[6][2] = "9000";  // one size overloaded
  const QImage shot = FrmAuswertung::grabScreen(session, &master, 2, true);
  EXPECT_EQ(shot.size(), s->size() * s->devicePixelRatio());
  EXPECT_FALSE(master.isVisible());  // the picture leaves the navigation alone
  // TARVEL_SCREENSHOT_DIR=dir keeps the pictures for a look.
  const QString dir = qEnvironmentVariable("TARVEL_SCREENSHOT_DIR");
  if (!dir.isEmpty()) {
    shot.save(dir + QStringLiteral("/FrmAuswertung.png"));
    session.gastrResult += manySeries(6);
    FrmAuswertung::grabScreen(session, &master, 9, true).save(dir + QStringLiteral("/FrmAuswertung_9.png"));
    s->ImgAnordnung(0)->pixmap().save(dir + QStringLiteral("/ImgAnordnung0.png"));
  }
}

TEST_F(EvaluationScreenTest, ScreenWithoutArrangementEndsTheProgram) {
  EXPECT_THROW({ FrmAuswertung s(session, nullptr); }, msg::ProgramEnded);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, builtinText(301));
  EXPECT_EQ(rec.messages[0].text, builtinText(300));
  EXPECT_EQ(rec.messages[0].defaultButton, 2);
}

// A required life judges every rated size beside its verdict; the smallest passing size
// of each series is marked, and the overall suggestion named above the grid. Without a
// required life and without the view item nothing of it shows.
TEST_F(EvaluationScreenTest, RequiredLifeJudgesEverySizeAndMarksTheSmallestPassingOne) {
  using testsupport::child;
  FrmAuswertung *s = open();
  tickSeries(s, 0);  // TLS: KD12 ... KD35, 500 N each
  s->CmdBerechnen()->click();
  QTableWidget *grid = s->MSFlexGrid1();
  auto *suggestion = child<QLabel>(s, "LabVorschlag");
  ASSERT_EQ(grid->rowCount(), 5);
  EXPECT_EQ(grid->columnCount(), 9);
  EXPECT_FALSE(suggestion->isVisible());
  EXPECT_EQ(cell(grid, 1, 1), "15");

  // Exactly the life of KD15: KD12 falls short, KD15 reaches it.
  const QString life15 = cell(grid, 1, 7).section(QLatin1Char(' '), 0, 0).remove(QLatin1Char('.'));
  auto *field = child<QLineEdit>(s, "TbLebensdauer");
  QTest::keyClicks(field, life15);
  s->CmdBerechnen()->click();
  ASSERT_EQ(grid->columnCount(), 10);
  EXPECT_EQ(grid->horizontalHeaderItem(9)->text(), "Geforderte Lebensdauer");
  EXPECT_EQ(cell(grid, 0, 9), "Lebensdauer zu gering!");
  EXPECT_EQ(grid->item(0, 9)->foreground().color(), kRed);
  EXPECT_NE(grid->item(0, 8)->foreground().color(), kRed);  // its static verdict still passes
  EXPECT_EQ(cell(grid, 1, 9), "Lebensdauer ausreichend.");
  EXPECT_EQ(cell(grid, 1, 1), "15 ★");
  EXPECT_TRUE(grid->item(1, 0)->font().bold());
  EXPECT_FALSE(grid->item(2, 0)->font().bold());
  EXPECT_TRUE(suggestion->isVisible());
  EXPECT_TRUE(suggestion->text().startsWith("Vorschlag: KD15 — Sicherheit ")) << suggestion->text().toStdString();
  EXPECT_TRUE(child<QLabel>(s, "LabEmpfehlung")->isVisible());

  // Hours need stroke and frequency: refused with the reason, the grid stays.
  auto *unit = child<QComboBox>(s, "CboLebensdauer");
  unit->setCurrentIndex(0);
  rec.clear();
  s->CmdBerechnen()->click();
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages.last().text, builtinText(1542));
  EXPECT_EQ(cell(grid, 0, 9), "Lebensdauer zu gering!");

  // No life required: the view item alone shows the recommendation, without the column.
  unit->setCurrentIndex(1);
  field->clear();
  s->menuItem(QStringLiteral("MenüEmpfehlung"))->trigger();
  s->CmdBerechnen()->click();
  EXPECT_EQ(grid->columnCount(), 9);
  EXPECT_EQ(cell(grid, 0, 1), "12 ★");
  s->menuItem(QStringLiteral("MenüEmpfehlung"))->trigger();
  EXPECT_EQ(cell(grid, 0, 1), "12");
  EXPECT_FALSE(suggestion->isVisible());
}
