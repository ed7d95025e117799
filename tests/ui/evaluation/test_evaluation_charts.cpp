// The charts of the evaluation: the window "Diagramm" draws the grid's own figures (read
// from the chart objects) in the verdict colours, follows ticks and load type at once, and
// saves its picture; the lifetime chart in hours with a required life, in both languages.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <memory>

#include "core/catalogue/Catalogue.h"
#include "core/common/Messages.h"
#include "core/common/Numbers.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "core/common/UnsavedInput.h"
#include "output/report/ReportFixture.h"
#include "ui/common/AppServices.h"
#include "ui/common/InterfaceLanguage.h"
#include "ui/evaluation/EvaluationCharts.h"
#include "ui/evaluation/FrmAuswertung.h"
#include "ui/evaluation/FrmDiagramm.h"

namespace {

QBarSet *barsOf(QChart *chart) {
  for (QAbstractSeries *s : chart->series())
    if (auto *bars = qobject_cast<QBarSeries *>(s)) return bars->barSets().value(0);
  return nullptr;
}
QLineSeries *lineOf(QChart *chart) {
  for (QAbstractSeries *s : chart->series())
    if (auto *line = qobject_cast<QLineSeries *>(s)) return line;
  return nullptr;
}
// The names under the bars: the horizontal axis the bars are drawn on.
QStringList categoriesOf(QChart *chart) {
  for (QAbstractSeries *s : chart->series())
    if (qobject_cast<QBarSeries *>(s))
      if (auto *axis = qobject_cast<QCategoryAxis *>(s->attachedAxes().value(0))) return axis->categoriesLabels();
  return {};
}
QStringList legendOf(QChart *chart) {
  QStringList out;
  for (QLegendMarker *m : chart->legend()->markers()) out << m->label();
  return out;
}
double number(const QString &text) {
  double v = 0;
  return num::toDouble(text.section(QLatin1Char(' '), 0, 0), &v) ? v : -1.0;
}

struct EvaluationChartsTest : ::testing::Test {
  Session session;
  msg::Recorder rec;
  QWidget master;
  std::unique_ptr<FrmAuswertung> screen;
  QTemporaryDir dir;
  std::optional<QString> answer;

  void SetUp() override {
    app::install({});
    app::services().dialogs.askSaveFileName = [this](QWidget *, const QStringList &, const QString &) { return answer; };
    session.catalogue = std::make_shared<catalogue::Catalogue>(qEnvironmentVariable("TARVEL_BUILD_DIR") + "/DBFN.db");
    input::markSavePoint();
    sSetField(session);
    sSetTblAnzBez(session, true, false, false);
    session.gsngSiko = 1.5f;
    // TLS 12 .. 35 (boxes 0..4) and TLK 25 (box 9), which carries too much load.
    for (int gr : {12, 15, 20, 25, 35}) session.gastrResult.append({"TLS", QString::number(gr), "500", QStringLiteral("KD%1").arg(gr)});
    session.gastrResult.append({"TLK", "25", "3400", "KK25"});
    master.setObjectName(QStringLiteral("FrmEKaEDSch"));
    screen = std::make_unique<FrmAuswertung>(session, &master);
    screen->setAttribute(Qt::WA_DeleteOnClose, false);
    screen->show();
    rec.clear();
  }
  void TearDown() override {
    screen.reset();
    app::install({});
  }
  void tick(int box) {
    QTest::mouseClick(screen->chkGrSer(box), Qt::LeftButton, {}, QPoint(6, screen->chkGrSer(box)->height() / 2));
  }

  // Every bar is the grid's row: its size, the safety and lifetime as the grid shows them,
  // the warning colour where the grid has it; the line is the required safety.
  void expectChartsShowTheGrid(FrmDiagramm *d) {
    QTableWidget *grid = screen->MSFlexGrid1();
    QChart *safety = d->safetyView()->chart();
    QChart *life = d->lifeView()->chart();
    QBarSet *safetyBars = barsOf(safety);
    QBarSet *lifeBars = barsOf(life);
    ASSERT_TRUE(safetyBars && lifeBars);
    ASSERT_EQ(safetyBars->count(), grid->rowCount());
    ASSERT_EQ(lifeBars->count(), grid->rowCount());
    const QColor warning(255, 0, 0);  // the grid's colour of a size that fails
    for (int r = 0; r < grid->rowCount(); ++r) {
      EXPECT_EQ(categoriesOf(safety).value(r), grid->item(r, 0)->text()) << r;
      EXPECT_EQ(safetyBars->at(r), number(grid->item(r, 6)->text())) << r;
      EXPECT_EQ(lifeBars->at(r), number(grid->item(r, 7)->text())) << r;
      EXPECT_EQ(safetyBars->isBarSelected(r), grid->item(r, 0)->foreground().color() == warning) << r;
    }
    EXPECT_EQ(safetyBars->selectedColor(), warning);
    QLineSeries *line = lineOf(safety);
    ASSERT_TRUE(line);
    for (const QPointF &p : line->points()) EXPECT_FLOAT_EQ(static_cast<float>(p.y()), session.gsngSiko);
  }
};

}  // namespace

TEST_F(EvaluationChartsTest, TheChartsAreTheGridsFiguresAndFollowTicksAndLoadType) {
  screen->menuItem(QStringLiteral("MenüDiagramm"))->trigger();
  auto *d = screen->findChild<FrmDiagramm *>();
  ASSERT_TRUE(d);
  EXPECT_EQ(screen->menuItem(QStringLiteral("MenüDiagramm"))->text(), "Dia&gramm");
  // Before the first run: the note, nothing to save.
  EXPECT_FALSE(d->hint()->isHidden());
  EXPECT_FALSE(d->saveItem()->isEnabled());

  tick(0);
  tick(9);
  screen->CmdBerechnen()->click();
  EXPECT_TRUE(d->hint()->isHidden());
  ASSERT_EQ(screen->MSFlexGrid1()->rowCount(), 2);
  expectChartsShowTheGrid(d);
  EXPECT_TRUE(barsOf(d->safetyView()->chart())->isBarSelected(1));  // KK25: "Belastung zu hoch!"
  EXPECT_EQ(legendOf(d->safetyView()->chart()),
            QStringList({"erfüllt", "nicht erfüllt", "Erforderliche Sicherheit: 1,5"}));

  // A tick evaluates again at once: grid and charts gain the size.
  tick(1);
  ASSERT_EQ(screen->MSFlexGrid1()->rowCount(), 3);
  expectChartsShowTheGrid(d);
  // So does the load type: "wechselnd" asks 3,5, which TLS 12 at safety 3 misses.
  QTest::mouseClick(screen->OptBelArt(2), Qt::LeftButton);
  EXPECT_FLOAT_EQ(session.gsngSiko, 3.5f);
  expectChartsShowTheGrid(d);
  EXPECT_TRUE(barsOf(d->safetyView()->chart())->isBarSelected(0));
  EXPECT_TRUE(rec.messages.isEmpty());

  // The tool tip of a bar gives the grid's figures of its size.
  QBarSet *bars = barsOf(d->safetyView()->chart());
  emit qobject_cast<QBarSeries *>(d->safetyView()->chart()->series().first())->hovered(true, 2, bars);
  const QString tip = "KK25, Größe 25\nStatische Tragzahl: 3.900 N\nBelastung: 3.400 N\n"
                    "Sicherheit: 1,1 (erforderlich: 3,5)\nBelastung zu hoch!";
  EXPECT_EQ(QToolTip::text(), tip);
  // The view's own tool tip event, which comes when the mouse rests, keeps it.
  QHelpEvent rest(QEvent::ToolTip, QPoint(5, 5), d->safetyView()->viewport()->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(d->safetyView()->viewport(), &rest);
  EXPECT_EQ(QToolTip::text(), tip);
}

TEST_F(EvaluationChartsTest, SavesThePictureAsPngOrSvgWholeOrNotAtAll) {
  FrmDiagramm *d = FrmDiagramm::open(screen.get());
  tick(0);
  screen->CmdBerechnen()->click();

  answer = dir.filePath("diagramm");  // no suffix: a PNG
  EXPECT_TRUE(d->saveChart());
  const QImage png(dir.filePath("diagramm.png"));
  EXPECT_EQ(png.size(), QSize(1600, 1800));
  EXPECT_EQ(png.pixelColor(5, 5), QColor(Qt::white));

  answer = dir.filePath("diagramm.svg");
  EXPECT_TRUE(d->saveChart());
  QFile svg(*answer);
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  const QString drawing = QString::fromUtf8(svg.readAll());
  EXPECT_TRUE(drawing.contains("<svg"));
  for (const char *text : {"Statische Sicherheit", "Lebensdauer [km]", "Erforderliche Sicherheit: 1,5", "KD12"})
    EXPECT_TRUE(drawing.contains(QString::fromUtf8(text))) << text;
  EXPECT_TRUE(rec.messages.isEmpty());

  answer = dir.filePath("fehlt/diagramm.png");
  EXPECT_FALSE(d->saveChart());
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "Diagramm speichern");
  EXPECT_TRUE(rec.messages[0].text.startsWith("Das Diagramm\n" + QDir::toNativeSeparators(*answer) + "\n"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"diagramm.png", "diagramm.svg"}));
}

TEST_F(EvaluationChartsTest, TheWindowSpeaksANewInterfaceLanguageAtOnce) {
  FrmDiagramm *d = FrmDiagramm::open(screen.get());
  tick(0);
  screen->CmdBerechnen()->click();
  uilang::apply(Language::English);
  EXPECT_EQ(d->safetyView()->chart()->title(), "Static safety");
  EXPECT_EQ(d->saveItem()->text(), "&Save chart…");
  EXPECT_TRUE(d->windowTitle().endsWith(" - Chart")) << d->windowTitle().toStdString();
  uilang::apply(Language::German);
  EXPECT_EQ(d->safetyView()->chart()->title(), "Statische Sicherheit");
  EXPECT_EQ(d->saveItem()->text(), "Diagramm &speichern…");
}

// Hours where the duty cycle gives them, the required life as a line, the sizes that miss
// it in the warning colour; the English chart speaks English and writes English numbers.
TEST(EvaluationChartData, LifetimeInHoursAgainstTheRequiredLifeInBothLanguages) {
  Session s;
  fixture::fillEvaluation(s);
  s.gastrEvaluation[0].detail.lifeHours = 1234.5;
  s.gastrEvaluation[1].detail.lifeHours = 801.4;
  s.gastrEvaluation[0].lifeOk = true;
  s.gastrEvaluation[1].lifeOk = false;
  s.gRequiredLife = {1000.0, true};
  const struct {
    int k;
    QString axis, required;
  } cases[] = {{0, "Lebensdauer [h]", "Geforderte Lebensdauer: 1.000 h"}, {1, "Lifetime [h]", "Required life: 1,000 h"}};
  for (const auto &c : cases) {
    const charts::Data data = charts::dataOf(s);
    std::unique_ptr<QChart> chart(charts::lifeChart(data, c.k, QFont()));
    QBarSet *bars = barsOf(chart.get());
    ASSERT_TRUE(bars);
    EXPECT_EQ(bars->at(0), 1234.0);  // as the grid's hours column: whole hours, ties to even
    EXPECT_EQ(bars->at(1), 801.0);
    EXPECT_FALSE(bars->isBarSelected(0));
    EXPECT_TRUE(bars->isBarSelected(1));
    auto *axis = qobject_cast<QLogValueAxis *>(chart->axes(Qt::Vertical).value(0));
    ASSERT_TRUE(axis);
    EXPECT_EQ(axis->titleText(), c.axis);
    EXPECT_LE(axis->min(), 801.0);
    ASSERT_TRUE(lineOf(chart.get()));
    EXPECT_EQ(lineOf(chart.get())->points().first().y(), 1000.0);
    EXPECT_TRUE(legendOf(chart.get()).contains(c.required)) << legendOf(chart.get()).join("|").toStdString();
  }
  // The window speaks the screens' language.
  setInterfaceLanguage(Language::English);
  std::unique_ptr<QChart> screen(charts::lifeChart(charts::dataOf(s), charts::kScreen, QFont()));
  setInterfaceLanguage(Language::German);
  EXPECT_EQ(screen->axes(Qt::Vertical).value(0)->titleText(), "Lifetime [h]");

  // Without a required life: no line, the bars in the neutral colour, judged by nobody.
  s.gRequiredLife = {};
  const charts::Data data = charts::dataOf(s);
  std::unique_ptr<QChart> chart(charts::lifeChart(data, 0, QFont()));
  EXPECT_FALSE(lineOf(chart.get()));
  EXPECT_EQ(barsOf(chart.get())->color(), data.neutral);
  EXPECT_FALSE(barsOf(chart.get())->isBarSelected(1));
}
