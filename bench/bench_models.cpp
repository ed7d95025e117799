// The six load models over a synthetic catalogue of 100 series (one table set) with
// 1, 10, 1000 and 100000 force rows. The counter ns_per_pair is the CPU time of one whole
// calculation divided by (force rows x series): conversion of the texts, the sums and
// the result lists included. With few force rows the per-series work (reading the
// catalogue numbers, writing the result texts) dominates. The argument `check` runs the
// multi-unit models without (0) or with (1, as the program does) the rigid-plate check.
#include <benchmark/benchmark.h>

#include <QLocale>
#include <algorithm>
#include <ctime>
#include <vector>
#include <QString>
#include <QStringList>

#include "core/arrangements/models/Models.h"
#include "core/arrangements/models/RigidCheck.h"
#include "core/common/Numbers.h"

namespace {

constexpr int kSeries = 100;

QString num2(double v) { return num::locale().toString(v, 'f', 2); }

// Series of plausible sizes: bearing distances, track widths and heights grow with the
// size, every factor has a valid divisor.
TextRows catalogue() {
  TextRows rows;
  for (int i = 0; i < kSeries; ++i) {
    const double size = 10 + i;
    rows.append({QStringLiteral("FN"), QString::number(i + 1), num2(size), num2(size * 2.5),
                 num2(size * 1.6), num2(size * 0.4), num2(size * 0.8), num2(size * 0.6),
                 QString::number(i % 3 == 0 ? 6 : 4), QStringLiteral("FD %1").arg(i + 1),
                 QStringLiteral("FE %1").arg(i + 1), num2(size * 4), num2(size * 0.5)});
  }
  return rows;
}

// Forces of every direction at points that reach every zone and quadrant.
TextRows forces(int count) {
  static const char *labels[] = {"X +", "- X", "Y +", "- Y", "Z +", "- Z"};
  TextRows rows;
  quint32 seed = 12345;
  const auto next = [&seed](int range) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<int>((seed >> 8) % static_cast<quint32>(2 * range + 1)) - range;
  };
  for (int r = 0; r < count; ++r) {
    rows.append({QString::fromLatin1(labels[r % 6]), QString::number(100 + (r * 37) % 4900),
                 QString::number(next(300)), QString::number(next(150)),
                 QString::number(next(60))});
  }
  return rows;
}

double threadCpuNanoseconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

const ArrangementId kModels[] = {ArrangementId::EKaEDSch, ArrangementId::ERoEESch,
                                 ArrangementId::ZKaEDSch, ArrangementId::ZKaZDSch,
                                 ArrangementId::VKaZDSch, ArrangementId::ZRoEESch};

void BM_LoadModel(benchmark::State &state) {
  const ArrangementId id = kModels[state.range(0)];
  const int rowCount = static_cast<int>(state.range(1));
  const bool check = state.range(2) != 0;
  const TextRows table = catalogue();
  CalcInput in;
  in.arrangement = id;
  in.forces = forces(rowCount);
  in.m = QStringLiteral("400");
  in.n = QStringLiteral("250");
  in.tableCount = 1;
  in.loadTable = [&table](int) { return table; };
  in.rigidCheck = check;

  // CPU time of this thread: the machine is shared, wall time would count the others.
  const double start = threadCpuNanoseconds();
  for (auto _ : state) {
    CalcOutput out = runModel(in);
    benchmark::DoNotOptimize(out);
    if (!out.completed) state.SkipWithError("calculation did not complete");
  }
  const double elapsed = threadCpuNanoseconds() - start;
  const double pairs = static_cast<double>(rowCount) * kSeries;
  state.SetLabel(QString::fromLatin1(arrangement(id).screenName).toStdString());
  state.counters["ns_per_pair"] = elapsed / (static_cast<double>(state.iterations()) * pairs);
}

BENCHMARK(BM_LoadModel)
    ->ArgNames({"model", "rows", "check"})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {1, 10, 1000, 100000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

// The rigid-plate check alone, as runModel does it: the force rows summed once, then the
// support values of every series of the synthetic catalogue (four cassettes).
void BM_RigidPlateCheck(benchmark::State &state) {
  const int rowCount = static_cast<int>(state.range(0));
  std::vector<plate::Load> loads;
  for (const QStringList &r : forces(rowCount)) {
    plate::Load l;
    const double F = r[1].toDouble();
    const QString &d = r[0];
    if (d.contains(QLatin1Char('X'))) l.Fx = d.startsWith(QLatin1Char('-')) ? -F : F;
    if (d.contains(QLatin1Char('Y'))) l.Fy = d.startsWith(QLatin1Char('-')) ? -F : F;
    if (d.contains(QLatin1Char('Z'))) l.Fz = d.startsWith(QLatin1Char('-')) ? -F : F;
    l.x = r[2].toDouble();
    l.y = r[3].toDouble();
    l.z = r[4].toDouble();
    loads.push_back(l);
  }
  const double start = threadCpuNanoseconds();
  for (auto _ : state) {
    plate::Sums sums;
    for (const plate::Load &l : loads) sums.add(l);
    float largest = 0.0f;
    for (int s = 0; s < kSeries; ++s) {
      plate::Geometry g;
      g.span = 400;
      g.n = 250;
      g.h = (10 + s) * 0.8;
      largest = std::max(largest, plate::loads(sums, g)[4]);
    }
    benchmark::DoNotOptimize(largest);
  }
  const double elapsed = threadCpuNanoseconds() - start;
  state.counters["ns_per_pair"] =
      elapsed / (static_cast<double>(state.iterations()) * rowCount * kSeries);
}

BENCHMARK(BM_RigidPlateCheck)->ArgName("rows")->Arg(1)->Arg(10)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv) {
  num::setLocale(QLocale(QLocale::German, QLocale::Germany));
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
