// A whole "Berechnen" of an arrangement screen and a whole evaluation run, on the demo
// catalogue, each in a session of its own. As in the program, the catalogue reads each
// query from the SQLite file once and answers it from memory on every later press.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "core/arrangements/Calculate.h"
#include "core/catalogue/Catalogue.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "TenForces.h"
#include "core/common/Numbers.h"
#include "core/evaluation/Evaluation.h"

namespace {


void loadDemoCatalogue(Session &s, ArrangementId id) {
  s.catalogue = std::make_shared<catalogue::Catalogue>(QStringLiteral(TARVEL_DEMO_CATALOGUE));
  sSetField(s);
  setRequiredSafety(s, 0);
  sSetTblAnzBez(s, true, arrangement(id).groupTL, true);
}

void BM_WholeCalculation(benchmark::State &state) {
  msg::Recorder rec;
  const auto id = static_cast<ArrangementId>(state.range(0));
  Session session;
  loadDemoCatalogue(session, id);
  const TextRows forces = tenForces();
  for (auto _ : state) {
    CalcOutput out = calculateArrangement(session, id, forces, QStringLiteral("400"), QStringLiteral("300"));
    benchmark::DoNotOptimize(out);
  }
  if (!rec.messages.isEmpty()) state.SkipWithError("the calculation showed a message");
  state.SetLabel(arrangement(id).screenName);
}
BENCHMARK(BM_WholeCalculation)
    ->Arg(static_cast<int>(ArrangementId::VKaZDSch))
    ->Arg(static_cast<int>(ArrangementId::EKaEDSch))
    ->Arg(static_cast<int>(ArrangementId::ZRoEESch))
    ->Unit(benchmark::kMicrosecond);

void BM_EvaluationAllSizes(benchmark::State &state) {
  msg::Recorder rec;
  const auto id = static_cast<ArrangementId>(state.range(0));
  Session session;
  loadDemoCatalogue(session, id);
  calculateArrangement(session, id, tenForces(), QStringLiteral("400"), QStringLiteral("300"));
  const eval::SizeBoxes boxes = eval::assignSizeBoxes(session.gastrResult);
  std::array<bool, eval::kBoxes> ticked = boxes.enabled;
  for (auto _ : state) {
    eval::EvaluationRun run = eval::runEvaluation(session, boxes.tag, ticked);
    benchmark::DoNotOptimize(run);
  }
  if (!rec.messages.isEmpty()) state.SkipWithError("the evaluation showed a message");
  state.SetLabel(QStringLiteral("%1, %2 sizes")
                     .arg(QLatin1String(arrangement(id).screenName))
                     .arg(session.gastrEvaluation.size())
                     .toStdString());
}
BENCHMARK(BM_EvaluationAllSizes)
    ->Arg(static_cast<int>(ArrangementId::VKaZDSch))
    ->Arg(static_cast<int>(ArrangementId::EKaEDSch))
    ->Unit(benchmark::kMicrosecond);

// The catalogue reading alone, for comparison: every table set of one calculation in
// the geometry layout and of one evaluation in the rating layout (after the first
// round, from the catalogue's memory).
void BM_ReadTableSets(benchmark::State &state) {
  msg::Recorder rec;
  Session session;
  loadDemoCatalogue(session, ArrangementId::VKaZDSch);
  const int total = session.gintTblAnz;
  for (auto _ : state) {
    for (int code = 1; code <= total; ++code) benchmark::DoNotOptimize(sBerDat(session, code, 0, total));
    for (int k = 1; k <= total; ++k) benchmark::DoNotOptimize(sBerDat(session, 20, k, total));
  }
  state.SetLabel(std::to_string(2 * total) + " queries");
}
BENCHMARK(BM_ReadTableSets)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  num::setLocale(QLocale(QLocale::German, QLocale::Germany));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
