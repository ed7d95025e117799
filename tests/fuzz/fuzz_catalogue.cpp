// libFuzzer target: bytes as the catalogue file, read the way the program reads it -
// the settings, the table lists of every group, every table set in the geometry and the
// evaluation layout, the two lists and the special series. Database errors end the
// "program" (the recorder's end hook), which is the expected answer to a bad file.
#include <cstdint>
#include <cstdio>

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "core/catalogue/Catalogue.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"

namespace {
const QString &cataloguePath() {
  static QTemporaryDir dir;
  static const QString path = dir.filePath(QStringLiteral("DBFN.db"));
  return path;
}

void readAsTheProgramDoes(Session &session) {
  sSetField(session);
  for (const bool tl : {false, true}) {
    sSetTblAnzBez(session, true, tl, true);
    // Table codes stop below 20, where the evaluation query's code lies.
    const int sets = qBound(0, session.gintTblAnz, 19);
    for (int code = 1; code <= sets; ++code) {
      sBerDat(session, code, 0, sets);
      sBerDat(session, 20, code, sets);
    }
  }
  msubSearchDB(session, 21, false, 0);
  msubSearchDB(session, 22, false, 0);
  msubSearchDB(session, 23, false, 0);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  {
    std::FILE *f = std::fopen(QFile::encodeName(cataloguePath()).constData(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  // Each input is a fresh program start on a catalogue opened anew.
  Session session;
  session.catalogue = std::make_shared<catalogue::Catalogue>(cataloguePath());
  msg::Recorder recorder;
  try {
    readAsTheProgramDoes(session);
  } catch (const msg::ProgramEnded &) {
  }
  return 0;
}
