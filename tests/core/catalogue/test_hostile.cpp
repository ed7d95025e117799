// Catalogues made to hurt: views and virtual tables in place of catalogue tables,
// queries without end, sorts that would fill the disk, and a catalogue in WAL mode. Each
// ends as a database error that names the cause, quickly, and leaves nothing behind.
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/catalogue/CatalogueFixture.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"

using testsupport::buildCatalogue;
using testsupport::ScopedCatalogueFile;

namespace {

class HostileCatalogue : public CatalogueTest {
 protected:
  // Runs the geometry query of table set 1 on the catalogue and expects the database
  // error whose text is `text`.
  void expectRefusal(const QString &extraSql, const QString &text) {
    ScopedCatalogueFile use(session, buildCatalogue(smallCatalogueSql() + extraSql));
    sSetField(session);
    sSetTblAnzBez(session, true, false, true);
    EXPECT_THROW(msubSearchDB(session, 1, false, 0), msg::ProgramEnded);
    expectDatabaseError();
    if (!rec.messages.isEmpty()) {
      EXPECT_EQ(rec.messages[0].text, text);
    }
  }
};

TEST_F(HostileCatalogue, EndlessRecursiveViewIsRefusedByName) {
  expectRefusal("DROP TABLE A1; CREATE VIEW A1 AS WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL "
                "SELECT n + 1 FROM r) SELECT 'SA' AS Serie, 12 AS Gr, 1 AS a1, 2 AS a2, 4 AS AnzR FROM r;",
                builtinText(1060).arg("A1"));
}

TEST_F(HostileCatalogue, PlainViewAndVirtualTableAreRefusedByName) {
  expectRefusal("DROP TABLE B1; CREATE VIEW B1 AS SELECT * FROM B2;", builtinText(1060).arg("B1"));
  rec.clear();
  expectRefusal("DROP TABLE C1; CREATE VIRTUAL TABLE C1 USING fts4(Serie, Gr, b2, h2, B, Best, KB1);",
                builtinText(1060).arg("C1"));
}

TEST_F(HostileCatalogue, EnormousJoinRunsOutOfItsWorkBudget) {
  // 600^3 rows of one size: far beyond the budget, stopped within it.
  const QString rows = "WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r WHERE n < 600) ";
  expectRefusal(rows + "INSERT INTO A1 SELECT 'SA', 12, 1, 2, 4, 1, 1, 1, 1, 'N' FROM r; " + rows +
                    "INSERT INTO B1 SELECT 'KA', 12, 1, 1, 1, 'X', 1 FROM r; " + rows +
                    "INSERT INTO C1 SELECT 'RA', 12, 1, 1, 1, 'X', 1 FROM r;",
                builtinText(1061));
}

TEST_F(HostileCatalogue, FatSortStaysInLimitedMemory) {
  // 40^3 rows of 600 kB each would need 38 GB of sort space.
  const QString rows = "WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r WHERE n < 40) ";
  const QString fat = "printf('%.*c', 200000, 'x')";
  ScopedCatalogueFile use(session, buildCatalogue(
      smallCatalogueSql() + rows + "INSERT INTO A1 SELECT " + fat + ", 12, 1, 2, 4, 1, 1, 1, 1, 'N' FROM r; " +
      rows + "INSERT INTO B1 SELECT " + fat + ", 12, 1, 1, 1, 'X', 1 FROM r; " + rows +
      "INSERT INTO C1 SELECT " + fat + ", 12, 1, 1, 1, 'X', 1 FROM r;"));
  sSetField(session);
  sSetTblAnzBez(session, true, false, true);
  EXPECT_THROW(msubSearchDB(session, 1, false, 0), msg::ProgramEnded);
  expectDatabaseError();
  ASSERT_FALSE(rec.messages.isEmpty());
  EXPECT_TRUE(rec.messages[0].text.startsWith(builtinText(1062).section(QLatin1Char('('), 0, 0)))
      << rec.messages[0].text.toStdString();
}

TEST_F(HostileCatalogue, WalCatalogueIsReadAsItLiesAndNothingIsMadeBesideIt) {
  const QString path = buildCatalogue(smallCatalogueSql());
  sqlite3 *db = nullptr;
  ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "PRAGMA journal_mode = WAL; CREATE TABLE Extra (x);", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
  const QDir folder = QFileInfo(path).dir();
  ASSERT_EQ(folder.entryList(QDir::Files), QStringList{"DBFN.db"});
  ScopedCatalogueFile use(session, path);
  sSetField(session);
  sSetTblAnzBez(session, true, false, true);
  EXPECT_TRUE(sBerDat(session, 1, 0, session.gintTblAnz));
  EXPECT_EQ(session.gastrSerie.size(), 2);
  EXPECT_TRUE(rec.messages.isEmpty());
  EXPECT_EQ(folder.entryList(QDir::Files), QStringList{"DBFN.db"});
}

}  // namespace
