// "Berechnen" as the user presses it, with real widgets offscreen, on the demo catalogue:
// the arrangement screen's button with ten forces (calculation and load display), and the
// whole road to the filled evaluation grid: "Berechnen", "Weiter" to a new evaluation
// screen with every size ticked, its "Berechnen" (the progress display included) and the
// way back; the evaluation screen's parameter study of 200 steps; and a switch of the
// interface language with the evaluation's windows open.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include "ui/evaluation/FrmParameterstudie.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/StartSession.h"
#include "core/common/Messages.h"
#include "core/common/Numbers.h"
#include "core/common/Session.h"
#include "TenForces.h"
#include "core/document/CalcDocument.h"
#include "ui/arrangements/FrmArrangement.h"
#include "output/report/ReportPrint.h"
#include "ui/evaluation/EvaluationCharts.h"
#include "ui/evaluation/FrmAuswertung.h"
#include "ui/common/InterfaceLanguage.h"
#include "ui/report/FrmAusdruck.h"

namespace {


// The evaluation screen "Weiter" opened.
FrmAuswertung *shownEvaluation() {
  for (QWidget *top : QApplication::topLevelWidgets())
    if (auto *e = qobject_cast<FrmAuswertung *>(top); e && e->isVisible()) return e;
  return nullptr;
}

// An arrangement screen of four cassettes with the ten forces, every size to be ticked.
FrmArrangement *screenWithForces(Session &session) {
  session.catalogue = std::make_shared<catalogue::Catalogue>(QStringLiteral(TARVEL_DEMO_CATALOGUE));
  startSession(session);
  sSetTblAnzBez(session, true, arrangement(ArrangementId::VKaZDSch).groupTL, true);
  auto *w = new FrmArrangement(session, ArrangementId::VKaZDSch);
  w->setAttribute(Qt::WA_DontShowOnScreen);
  calcfile::Case c = w->document()->input();
  c.m = QStringLiteral("400");
  c.n = QStringLiteral("300");
  c.forces = tenForces();
  c.tickAll = true;
  w->document()->reset(c);
  w->show();
  return w;
}

// "Weiter" from the arrangement screen: its evaluation screen, or none with the
// benchmark marked as failed.
FrmAuswertung *goOn(FrmArrangement *w, benchmark::State &state) {
  w->weiter();
  FrmAuswertung *ev = shownEvaluation();
  if (!ev) state.SkipWithError("no evaluation screen");
  return ev;
}

// Arg 1: with the event loop's painting after each press.
void BM_ArrangementBerechnen(benchmark::State &state) {
  msg::Recorder rec;
  Session session;
  QPointer<FrmArrangement> w = screenWithForces(session);
  const bool painted = state.range(0) != 0;
  for (auto _ : state) {
    w->CmdBerechnen_Click();
    if (painted) QCoreApplication::processEvents();
  }
  state.SetLabel(painted ? "painted" : "loads shown, not painted");
  if (w->msngLoad().isEmpty() || !rec.messages.isEmpty()) state.SkipWithError("no loads, or a message");
  delete w.data();
}
BENCHMARK(BM_ArrangementBerechnen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_BerechnenToTheEvaluationGrid(benchmark::State &state) {
  msg::Recorder rec;
  Session session;
  QPointer<FrmArrangement> w = screenWithForces(session);
  int rows = 0;
  for (auto _ : state) {
    w->weiter();  // "Berechnen", then the evaluation screen
    QPointer<FrmAuswertung> ev = shownEvaluation();
    if (!ev) {
      state.SkipWithError("no evaluation screen");
      break;
    }
    ev->CmdBerechnen_Click();
    rows = ev->MSFlexGrid1()->rowCount();
    ev->MenuZurueck_Click();
    // What the program's event loop does between two presses.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  state.SetLabel(std::to_string(rows) + " rows rated");
  if (rows == 0 || !rec.messages.isEmpty()) state.SkipWithError("nothing rated, or a message");
  delete w.data();
}
BENCHMARK(BM_BerechnenToTheEvaluationGrid)->Unit(benchmark::kMillisecond);

// The evaluation screen's "Berechnen" alone, on a screen that stays open. Arg 1: with the
// event loop's painting after each press (the progress display repaints its bar about a
// hundred times while it runs, as the program shows it).
void BM_EvaluationBerechnen(benchmark::State &state) {
  msg::Recorder rec;
  Session session;
  QPointer<FrmArrangement> w = screenWithForces(session);
  QPointer<FrmAuswertung> ev = goOn(w, state);
  if (!ev) return;
  const bool painted = state.range(0) != 0;
  for (auto _ : state) {
    ev->CmdBerechnen_Click();
    if (painted) QCoreApplication::processEvents();
  }
  state.SetLabel(painted ? "painted" : "grid filled, not painted");
  ev->MenuZurueck_Click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  delete w.data();
}
BENCHMARK(BM_EvaluationBerechnen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// "Ansicht › Lasten je Einheit" open beside the evaluated grid: the current row moves on
// by one (round the grid) and the panel shows that row's loads per unit. Arg 1: with the
// event loop's painting after each move (the miniature and the table drawn anew).
void BM_UnitLoadsNextRow(benchmark::State &state) {
  msg::Recorder rec;
  Session session;
  QPointer<FrmArrangement> w = screenWithForces(session);
  QPointer<FrmAuswertung> ev = goOn(w, state);
  if (!ev) return;
  ev->CmdBerechnen_Click();
  ev->menuItem(QStringLiteral("MenüLastenJeEinheit"))->trigger();
  QTableWidget *grid = ev->MSFlexGrid1();
  const bool painted = state.range(0) != 0;
  int row = 0;
  for (auto _ : state) {
    row = (row + 1) % grid->rowCount();
    grid->setCurrentCell(row, 0);
    if (painted) QCoreApplication::processEvents();
  }
  state.SetLabel(painted ? "painted" : "panel filled, not painted");
  if (!ev->unitLoadsPanel() || !rec.messages.isEmpty()) state.SkipWithError("no panel, or a message");
  ev->MenuZurueck_Click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  delete w.data();
}
BENCHMARK(BM_UnitLoadsNextRow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// "Parameterstudie…" of the evaluation screen: the distance m from 200 to 600 mm in 200
// steps, every size ticked, each step through the whole run of the batch tool's --sweep,
// then the table and the three charts built. Arg 1: the window drawn as well (grabbed
// into a picture: every chart, the legend and the visible table painted).
void BM_ParameterStudy(benchmark::State &state) {
  msg::Recorder rec;
  Session session;
  QPointer<FrmArrangement> w = screenWithForces(session);
  QPointer<FrmAuswertung> ev = goOn(w, state);
  if (!ev) return;
  ev->menuItem(QStringLiteral("MenüParameterstudie"))->trigger();
  FrmParameterstudie *study = ev->findChild<FrmParameterstudie *>();
  study->CboEingabe()->setCurrentIndex(study->inputKeys().indexOf(QStringLiteral("m")));
  study->Tb_Von()->setText(QStringLiteral("200"));
  study->Tb_Bis()->setText(QStringLiteral("600"));
  study->Tb_Schritte()->setText(QStringLiteral("200"));
  study->CmdBerechnen_Click();  // the sessions started once, as on the first press
  const bool drawn = state.range(0) != 0;
  for (auto _ : state) {
    study->CmdBerechnen_Click();
    if (drawn) benchmark::DoNotOptimize(study->grab());
  }
  qsizetype rows = 0;
  for (const run::SweepStep &step : study->steps()) rows += step.result.evaluation.size();
  state.SetLabel(std::to_string(study->steps().size()) + " steps, " + std::to_string(rows) + " rows" +
                 (drawn ? ", drawn" : ", not drawn"));
  if (study->steps().size() != 200 || rows != 200 * 17 || !rec.messages.isEmpty())
    state.SkipWithError("not every step rated, or a message");
  ev->MenuZurueck_Click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  delete w.data();
}
BENCHMARK(BM_ParameterStudy)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The evaluation's charts of every size rated above. Arg 0: both charts drawn as the report
// window's page draws them at 100 % (113 x 189 mm at 96 dpi), which each repaint of the
// page's lower part costs; 1: the report as PDF without them; 2: with them.
void BM_EvaluationCharts(benchmark::State &state) {
  msg::Recorder rec;
  Session session;
  QPointer<FrmArrangement> w = screenWithForces(session);
  QPointer<FrmAuswertung> ev = goOn(w, state);
  if (!ev) return;
  ev->CmdBerechnen_Click();
  const report::ChartPainter charts = [&session](QPainter &p, const QRectF &r, int k) { charts::paint(session, p, r, k); };
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("bericht.pdf"));
  QImage page(427, 714, QImage::Format_RGB32);
  bool ok = true;
  for (auto _ : state) {
    if (state.range(0) == 0) {
      page.fill(Qt::white);
      QPainter painter(&page);
      charts::paint(session, painter, QRectF(page.rect()), 0);
    } else {
      ok = report::printReportToPdf(session, file, report::German, QStringLiteral("FrmVKaZDSch"), nullptr,
                                    state.range(0) == 2 ? charts : report::ChartPainter()) && ok;
    }
  }
  state.SetLabel(std::to_string(session.gastrEvaluation.size()) + " sizes");
  if (!ok || !rec.messages.isEmpty()) state.SkipWithError("no PDF, or a message");
  ev->MenuZurueck_Click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  delete w.data();
}
BENCHMARK(BM_EvaluationCharts)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// "Sprache / Language" on the evaluation screen of every size rated: one switch to
// English and one back, each showing every open window's texts anew (the grid evaluated
// again in the language, its design size fitted). Arg 0: the evaluation screen and its
// hidden arrangement screen; 1: with the windows it opens besides (the loads per unit of
// the first row, the charts, a parameter study of 21 steps, the report window).
void BM_LanguageSwitch(benchmark::State &state) {
  msg::Recorder rec;
  Session session;
  QPointer<FrmArrangement> w = screenWithForces(session);
  QPointer<FrmAuswertung> ev = goOn(w, state);
  if (!ev) return;
  ev->CmdBerechnen_Click();
  if (state.range(0) == 1) {
    ev->MSFlexGrid1()->setCurrentCell(0, 0);
    ev->menuItem(QStringLiteral("MenüLastenJeEinheit"))->setChecked(true);
    ev->menuItem(QStringLiteral("MenüDiagramm"))->trigger();
    ev->menuItem(QStringLiteral("MenüParameterstudie"))->trigger();
    ev->findChild<FrmParameterstudie *>()->CmdBerechnen_Click();
    openReportWindow(session, ev, QStringLiteral("FrmVKaZDSch"));
  }
  QCoreApplication::processEvents();
  int windows = 0;
  for (QWidget *top : QApplication::topLevelWidgets()) windows += top->isVisible() ? 1 : 0;
  for (auto _ : state) {
    uilang::apply(Language::English, &session);
    QCoreApplication::processEvents();
    uilang::apply(Language::German, &session);
    QCoreApplication::processEvents();
  }
  state.SetLabel(std::to_string(windows) + " windows shown, two switches");
  if (ev->CmdBerechnen()->text() != QStringLiteral("Berechnen") || !rec.messages.isEmpty())
    state.SkipWithError("not German again, or a message");
  if (FrmAusdruck *report = FrmAusdruck::current()) report->close();
  ev->MenuZurueck_Click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  delete w.data();
}
BENCHMARK(BM_LanguageSwitch)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  num::setLocale(QLocale(QLocale::German, QLocale::Germany));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
