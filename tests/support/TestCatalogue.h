#pragma once
// Catalogues for tests. A test either uses the demo catalogue the build made
// (build/DBFN.db), or builds a small catalogue of its own from SQL text, often the demo
// catalogue's SQL with a few statements appended:
//
//   const QString path = testsupport::buildCatalogue(
//       testsupport::demoCatalogueSql() +
//       "UPDATE Einstellung SET Wert = 'CusSpeVer' WHERE Beschr = 'PrgVers';");
//   testsupport::ScopedCatalogueFile use(session, path);
//   sSetField(session);
#include <QString>
#include <functional>
#include <memory>

#include "core/common/Session.h"

namespace testsupport {

// A copy of the session whose texts are read in the given text mode.
inline Session inTextMode(const Session &session, int mode) {
  Session s = session;
  s.gintTextMode = mode;
  return s;
}

// Builds a catalogue file from SQL text (CREATE TABLE, INSERT, UPDATE ...) in a
// temporary directory of its own, which lives until the test program ends, and returns
// the file's path. When the SQL fails the current test fails with SQLite's reason and
// the result is empty.
QString buildCatalogue(const QString &sql, const QString &fileName = QStringLiteral("DBFN.db"));

// The SQL text of the demo catalogue, src/resources/catalogue.sql (found through the
// environment variable TARVEL_SOURCE_DIR, which the test runner sets). Empty, with a
// failed test, when it cannot be read.
QString demoCatalogueSql();

// The demo catalogue file that the build made: TARVEL_BUILD_DIR/DBFN.db.
QString demoCatalogueFile();

// A path in a fresh temporary directory where no file exists.
QString missingCatalogueFile();

// A file named like a catalogue whose content is no database at all.
QString damagedCatalogueFile();

// Points the session's catalogue at `path` for as long as it lives; restores the
// previous one (another file, or none: the default beside the executable) when it goes.
class ScopedCatalogueFile {
 public:
  ScopedCatalogueFile(Session &session, const QString &path, std::function<void()> busy = {});
  ~ScopedCatalogueFile();
  ScopedCatalogueFile(const ScopedCatalogueFile &) = delete;
  ScopedCatalogueFile &operator=(const ScopedCatalogueFile &) = delete;

 private:
  Session &session_;
  std::shared_ptr<catalogue::Catalogue> previous_;
};

}  // namespace testsupport
