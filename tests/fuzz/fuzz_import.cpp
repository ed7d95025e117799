// libFuzzer target: bytes as an Access/Jet file, imported as the catalogue tool imports
// it - libmdb reads the file, every table is copied into a new catalogue file and
// checked against the counts the file declares. A refusal is the expected answer to a
// damaged file; a crash, a sanitizer report or a read that does not end within the time
// limit of each input (libFuzzer's -timeout, set by scripts/fuzz.sh) is a finding.
#include <cstdint>

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include "core/catalogue/AccessImport.h"

namespace {
struct Files {
  QTemporaryDir dir;
  QString source = dir.filePath(QStringLiteral("DBFN.mdb"));
  QString target = dir.filePath(QStringLiteral("DBFN.db"));
};
const Files &files() {
  static const Files f;
  return f;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  const Files &f = files();
  {
    QFile source(f.source);
    if (!source.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    source.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
  }
  QFile::remove(f.target);
  catalogue::ImportSummary summary;
  QString error;
  catalogue::importAccess(f.source, f.target, &summary, &error);
  // What could be read, once more as a partial import (its own road through the tables).
  QFile::remove(f.target);
  catalogue::ImportOptions partial;
  partial.partial = true;
  catalogue::importAccess(f.source, f.target, &summary, &error, partial);
  return 0;
}
