// libFuzzer target: one case file through the batch tool's whole road - reading the
// JSON, the calculation, the evaluation, the text export and the report text - on the
// demo catalogue. The batch tool's main is compiled in under another name.
#include <cstdint>
#include <cstdio>
#include <string>

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

int tarvelBatchMain(int argc, char **argv);

namespace {
const std::string &casePath() {
  static const std::string path = QDir::tempPath().toStdString() + "/tarvel-fuzz-case-" +
                                  std::to_string(QCoreApplication::applicationPid()) + ".json";
  return path;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  {
    std::FILE *f = std::fopen(casePath().c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  std::string program = "tarvelcalc-batch", catalogueFlag = "--catalogue", catalogue = TARVEL_FUZZ_CATALOGUE,
              exportFlag = "--export", reportFlag = "--report", language = size % 2 ? "en" : "de";
  std::string path = casePath();
  char *argv[] = {program.data(), path.data(), catalogueFlag.data(), catalogue.data(),
                  exportFlag.data(), reportFlag.data(), language.data(), nullptr};
  int argc = 7;
  tarvelBatchMain(argc, argv);
  return 0;
}
