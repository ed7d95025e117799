// The batch tool's whole road per case, as one line of --cases runs it: the JSON line
// read into a case, a copy of the started session, the calculation over every table set
// of the arrangement, the hand-over, the size boxes, the evaluation of every size and
// the result written as one line of JSON. The demo catalogue is read once (the catalogue
// keeps every answer); standard output is left out.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>

#include "batch/BatchRun.h"
#include "batch/Lines.h"
#include "core/catalogue/Catalogue.h"
#include "core/common/Numbers.h"

namespace {

const char *const kScreens[] = {"FrmEKaEDSch", "FrmERoEESch", "FrmZKaEDSch",
                                "FrmZKaZDSch", "FrmVKaZDSch", "FrmZRoEESch"};

// Ten force rows of a typical handling axis (payload, tool, acceleration and side
// loads), repeated with shifted points of application for longer tables.
QByteArray caseLine(int arrangement, int rows) {
  static const char *const base[10][5] = {
      {"- Z", "2500", "50", "-30", "80"}, {"- Z", "400", "-120", "60", "20"}, {"Z +", "150", "180", "-90", "0"},
      {"X +", "600", "0", "0", "150"},    {"- X", "250", "0", "40", "90"},    {"Y +", "400", "120", "0", "100"},
      {"- Y", "180", "-60", "0", "40"},   {"- Z", "900", "210", "160", "10"}, {"X +", "320", "0", "-170", "60"},
      {"Y +", "90", "-220", "0", "250"}};
  QJsonArray forces;
  for (int r = 0; r < rows; ++r) {
    const auto &b = base[r % 10];
    const int shift = r / 10;
    forces.append(QJsonArray{b[0], b[1], QString::number(QByteArray(b[2]).toInt() + shift % 7),
                             QString::number(QByteArray(b[3]).toInt() - shift % 5), b[4]});
  }
  const QJsonObject c{{"arrangement", kScreens[arrangement]}, {"m", "400"}, {"n", "300"}, {"forces", forces}};
  return QJsonDocument(c).toJson(QJsonDocument::Compact);
}

std::shared_ptr<catalogue::Catalogue> demo() {
  static const auto c = std::make_shared<catalogue::Catalogue>(QStringLiteral(TARVEL_DEMO_CATALOGUE));
  return c;
}

// The series a case of the arrangement calculates (result rows).
int seriesOf(const batch::Start &start, const QByteArray &line) {
  batch::Case c;
  QString error;
  if (!batch::caseFromJson(line, &c, &error)) return 0;
  return batch::runCase(start, c, {}).report.results.size();
}

// Cases per second of a 10-row case, per arrangement; with ->Threads(2) each thread
// runs its own session over the one catalogue.
void BM_BatchCase(benchmark::State &state) {
  const int arrangement = static_cast<int>(state.range(0));
  const QByteArray line = caseLine(arrangement, 10);
  const batch::Start start = batch::startOn(demo());
  const batch::LineResult check = batch::runLine(start, 1, line, {});
  if (check.failed || check.out.find("\"messages\":[]") == std::string::npos) {
    state.SkipWithError("the case did not run cleanly");
    return;
  }
  for (auto _ : state) {
    batch::LineResult r = batch::runLine(start, 1, line, {});
    benchmark::DoNotOptimize(r);
  }
  state.SetItemsProcessed(state.iterations());
  state.SetLabel(kScreens[arrangement]);
}
BENCHMARK(BM_BatchCase)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond)->UseRealTime()->Threads(1)->Threads(2);

// The cost of one more force row: the same case with 10 to 10000 rows. `ns_per_pair`
// is the time per case over (force rows x series); the marginal cost is the slope
// between two row counts (bench/README.md).
void BM_BatchRows(benchmark::State &state) {
  const int arrangement = static_cast<int>(state.range(0));
  const int rows = static_cast<int>(state.range(1));
  const QByteArray line = caseLine(arrangement, rows);
  const batch::Start start = batch::startOn(demo());
  const int series = seriesOf(start, line);
  for (auto _ : state) {
    batch::LineResult r = batch::runLine(start, 1, line, {});
    benchmark::DoNotOptimize(r);
  }
  state.counters["series"] = series;
  state.counters["ns_per_pair"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * rows * series,
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.SetLabel(kScreens[arrangement]);
}
BENCHMARK(BM_BatchRows)
    ->ArgsProduct({{0, 4}, {10, 100, 1000, 4000, 10000, 40000}})
    ->Unit(benchmark::kMicrosecond);

// The tool itself, end to end through a pipe: `tarvelcalc-batch --cases FILE --jobs 1`
// over 3000 cases of 10 force rows (the six arrangements in turn) with every size
// ticked, its standard output read to the end. `items_per_second` is cases per second
// (wall-clock time of the whole process: start, catalogue, cases, output).
void BM_CasesThroughPipe(benchmark::State &state) {
  constexpr int kCases = 3000;
  QTemporaryDir dir;
  QFile file(dir.filePath(QStringLiteral("cases.jsonl")));
  if (!file.open(QIODevice::WriteOnly)) {
    state.SkipWithError("no case file");
    return;
  }
  for (int i = 0; i < kCases; ++i) {
    QJsonObject c = QJsonDocument::fromJson(caseLine(i % 6, 10)).object();
    c.insert(QStringLiteral("ticked"), QStringLiteral("all"));
    file.write(QJsonDocument(c).toJson(QJsonDocument::Compact) + '\n');
  }
  file.close();
  const QStringList args{QStringLiteral("--cases"),     file.fileName(),
                         QStringLiteral("--jobs"),      QStringLiteral("1"),
                         QStringLiteral("--catalogue"), QStringLiteral(TARVEL_DEMO_CATALOGUE)};
  qint64 bytes = 0;
  for (auto _ : state) {
    QProcess p;
    p.start(QStringLiteral(TARVEL_BATCH_TOOL), args);
    p.waitForFinished(600000);
    const QByteArray out = p.readAllStandardOutput();
    if (p.exitCode() != 0 || out.count('\n') != kCases) {
      state.SkipWithError("the tool did not run every case");
      return;
    }
    bytes = out.size();
  }
  state.SetItemsProcessed(state.iterations() * kCases);
  state.counters["output_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_CasesThroughPipe)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  num::setLocale(QLocale(QLocale::German, QLocale::Germany));
  batch::keepHeapBetweenCases();  // as the tool runs many cases
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
