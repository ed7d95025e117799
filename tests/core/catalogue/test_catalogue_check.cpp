// The catalogue check on catalogues with one fault each, the SQL export, and numbers
// kept as text in either notation.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/catalogue/BuildCatalogue.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/CatalogueCheck.h"
#include "core/catalogue/CatalogueExport.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "support/TestCatalogue.h"

namespace {

using catalogue::Problem;

QString lines(const catalogue::CheckReport &r) {
  QStringList l;
  for (const Problem &p : r.problems) l << catalogue::problemLine(p);
  return l.join(QLatin1Char('\n'));
}

TEST(CatalogueCheck, DemoCatalogueIsUsable) {
  const catalogue::CheckReport r = catalogue::checkCatalogue(testsupport::demoCatalogueFile());
  EXPECT_TRUE(r.usable()) << qPrintable(lines(r));
  // TLS 45 has no roller shoe: a note names it where it drops out.
  EXPECT_TRUE(lines(r).contains(QLatin1String(
      "note: TLS_Basis: Serie TLS, Gr 45: column Gr: size missing in TLS_Rollenschuh")))
      << qPrintable(lines(r));
}

struct Fault {
  const char *name;
  const char *sql;     // appended to the demo catalogue
  bool usable;         // what the check says of the whole catalogue
  const char *line;    // a line the check prints (start of it)
};

class CatalogueFault : public ::testing::TestWithParam<Fault> {};

TEST_P(CatalogueFault, IsNamedByTableRowAndColumn) {
  const Fault f = GetParam();
  const QString path = testsupport::buildCatalogue(testsupport::demoCatalogueSql() + QString::fromUtf8(f.sql));
  ASSERT_FALSE(path.isEmpty());
  const catalogue::CheckReport r = catalogue::checkCatalogue(path);
  EXPECT_EQ(r.usable(), f.usable) << qPrintable(lines(r));
  bool found = false;
  for (const Problem &p : r.problems) found = found || catalogue::problemLine(p).startsWith(QString::fromUtf8(f.line));
  EXPECT_TRUE(found) << "expected: " << f.line << "\ngot:\n" << qPrintable(lines(r));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CatalogueFault,
    ::testing::Values(
        Fault{"TextInNumberCell", "UPDATE TLS_Basis SET a1 = '17,5 mm' WHERE Gr = 12;", false,
              "error: TLS_Basis: Serie TLS, Gr 12: column a1: \"17,5 mm\" is no number"},
        Fault{"NumberBeyondSinglePrecision", "UPDATE TLS_Basis SET Ls = 1e300 WHERE Gr = 15;", false,
              "error: TLS_Basis: Serie TLS, Gr 15: column Ls: \"1,00000000000000E+300\" is too large"},
        Fault{"EmptyNumberCell", "UPDATE TLK_Kassette SET KBs = NULL WHERE Gr = 35;", false,
              "error: TLK_Kassette: Serie KK35, Gr 35: column KBs: empty"},
        Fault{"BearingCountTooLarge", "UPDATE TLH_Basis SET AnzR = 40000 WHERE Gr = 20;", false,
              "error: TLH_Basis: Serie TLH, Gr 20: column AnzR"},
        Fault{"UnknownBearingType", "UPDATE TLX_Basis SET TypR = 'R' WHERE Gr = 25;", false,
              "error: TLX_Basis: Serie TLX, Gr 25: column TypR"},
        Fault{"SafetyMissing", "DELETE FROM Einstellung WHERE Beschr = 'SwSiko';", false,
              "error: Einstellung: Beschr SwSiko: column Wert: row missing"},
        Fault{"SafetyZero", "UPDATE Einstellung SET Wert = '0' WHERE Beschr = 'WeSiko';", false,
              "error: Einstellung: Beschr WeSiko: column Wert: \"0\" is no required safety"},
        Fault{"CountNoNumber", "UPDATE Einstellung SET Wert = 'drei' WHERE Beschr = 'FNTblAnz';", false,
              "error: Einstellung: Beschr FNTblAnz: column Wert: \"drei\" is no number of table sets"},
        Fault{"ListTooShort", "UPDATE Einstellung SET Wert = '4' WHERE Beschr = 'FNTblAnz';", false,
              "error: Einstellung: Beschr FNTblNam0: column Wert: no base table of set 4 of group FN"},
        Fault{"NameNoIdentifier",
              "UPDATE Einstellung SET Wert = 'TLS_Basis/TLK Basis/TLH_Basis/' WHERE Beschr = 'FNTblNam0';", false,
              "error: Einstellung: Beschr FNTblNam0: column Wert: \"TLK Basis\""},
        Fault{"TableMissing", "DROP TABLE TLK_Kassette;", false,
              "error: TLK_Kassette: table missing (double-rail table of set 2 of group FN)"},
        Fault{"ColumnMissing", "ALTER TABLE TLH_Rollenschuh DROP COLUMN KB1;", false,
              "error: TLH_Rollenschuh: column KB1: column missing"},
        Fault{"EmptySet", "DELETE FROM TLX_Rollenschuh;", false,
              "error: TLX_Basis: set 1 of group So (TLX_Basis/TLX_Kassette/TLX_Rollenschuh) has no size"},
        Fault{"SizeDropsOut", "DELETE FROM TLH_Kassette WHERE Gr = 15;", true,
              "note: TLH_Basis: Serie TLH, Gr 15: column Gr: size missing in TLH_Kassette"},
        Fault{"RepresentativesMissing", "DROP TABLE Vertreter;", false, "error: Vertreter: table missing"},
        Fault{"SpecialSeriesNumber", "UPDATE FDSonder SET KBF = 'breit' WHERE IDNr = 1;", false,
              "error: FDSonder: IDNr 1: column KBF: \"breit\" is no number"},
        Fault{"SpecialSeriesUnmatched", "DELETE FROM FESonder WHERE IDNr = 1;", true,
              "note: FNSonder: Serie"},
        // A number kept as text in the point notation is read as the program reads it.
        Fault{"PointNotationIsANumber", "UPDATE TLS_Basis SET a1 = '17.5' WHERE Gr = 12; DELETE FROM TLH_Kassette WHERE Gr = 15;",
              true, "note: TLH_Basis"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CatalogueCheck, NamesAFileThatIsNoCatalogue) {
  const catalogue::CheckReport r = catalogue::checkCatalogue(testsupport::damagedCatalogueFile());
  EXPECT_FALSE(r.usable());
  EXPECT_EQ(r.problems.size(), 1);
}

}  // namespace

// Every table with its rows, each value with its SQLite type (also used by the import
// tests).
QStringList dumpCatalogue(const QString &path) {
  sqlite3 *db = nullptr;
  sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  QStringList out;
  sqlite3_stmt *tables = nullptr;
  sqlite3_prepare_v2(db, "SELECT name, sql FROM sqlite_master WHERE type = 'table' ORDER BY rowid", -1, &tables, nullptr);
  while (sqlite3_step(tables) == SQLITE_ROW) {
    const QString name = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(tables, 0)));
    out << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(tables, 1)));
    sqlite3_stmt *rows = nullptr;
    sqlite3_prepare_v2(db, ("SELECT * FROM \"" + name + "\"").toUtf8().constData(), -1, &rows, nullptr);
    while (sqlite3_step(rows) == SQLITE_ROW) {
      QStringList row;
      for (int i = 0; i < sqlite3_column_count(rows); ++i) {
        const int type = sqlite3_column_type(rows, i);
        const QByteArray bytes(static_cast<const char *>(sqlite3_column_blob(rows, i)), sqlite3_column_bytes(rows, i));
        row << QString::number(type) + QLatin1Char(':') +
                   (type == SQLITE_FLOAT ? QString::number(sqlite3_column_double(rows, i), 'g', 17)
                                         : QString::fromLatin1(bytes.toHex()));
      }
      out << row.join(QLatin1Char('|'));
    }
    sqlite3_finalize(rows);
  }
  sqlite3_finalize(tables);
  sqlite3_close_v2(db);
  return out;
}

namespace {

TEST(CatalogueExport, BuildingTheExportGivesTheSameData) {
  const QString extra = QStringLiteral(
      "CREATE TABLE \"Umsätze 2\" (\"Betrag €\" NUMERIC, Bild BLOB, Notiz TEXT, Wert REAL);"
      "INSERT INTO \"Umsätze 2\" VALUES (1995.5, X'00FF10', 'it''s \"quoted\"\n2 lines', 3.0),"
      " (NULL, NULL, '', -0.1), (12345678901234567, X'', 'ä', 1e300);");
  const QString source = testsupport::buildCatalogue(testsupport::demoCatalogueSql() + extra);
  ASSERT_FALSE(source.isEmpty());
  QString sql, error;
  ASSERT_TRUE(catalogue::exportSql(source, &sql, &error)) << qPrintable(error);
  EXPECT_TRUE(sql.contains(QLatin1String("INSERT INTO TLS_Basis VALUES ('TLS', 12, 17.5, 41.0, 4, 2350, 1480, 58.0, 8.0, 'N');")))
      << qPrintable(sql.left(2000));
  const QString rebuilt = testsupport::buildCatalogue(sql, QStringLiteral("rebuilt.db"));
  ASSERT_FALSE(rebuilt.isEmpty());
  EXPECT_EQ(dumpCatalogue(rebuilt), dumpCatalogue(source));
}

// Texts that are no valid UTF-8 or hold a NUL, blobs in a text column, generated
// columns: building the export gives the same values byte for byte.
TEST(CatalogueExport, HostileValuesComeBackByteForByte) {
  const QString extras[] = {
      "UPDATE Einstellung SET Wert = CAST(x'00ff' AS TEXT) WHERE Beschr = 'StdSiko';",
      "UPDATE Einstellung SET Wert = x'00ff' WHERE Beschr = 'SwSiko';",
      "CREATE TABLE T (v TEXT); INSERT INTO T VALUES (CAST(X'C328FF' AS TEXT)), (CAST(X'610062' AS TEXT)),"
      " (CAST(X'00' AS TEXT)), (CAST(X'EDA080' AS TEXT)), (CAST(X'C0AF' AS TEXT)), (CAST(X'F4908080' AS TEXT)),"
      " ('it''s fine: ä €'), (CAST(X'E282' AS TEXT));",
      "CREATE TABLE G (a INTEGER, b INTEGER GENERATED ALWAYS AS (a * 2), c TEXT GENERATED ALWAYS AS (a || 'x') STORED,"
      " d REAL); INSERT INTO G (a, d) VALUES (1, 0.5), (NULL, NULL);",
  };
  for (const QString &extra : extras) {
    const QString source = testsupport::buildCatalogue(testsupport::demoCatalogueSql() + extra);
    ASSERT_FALSE(source.isEmpty()) << qPrintable(extra);
    QString sql, error;
    ASSERT_TRUE(catalogue::exportSql(source, &sql, &error)) << qPrintable(error);
    const QString rebuilt = testsupport::buildCatalogue(sql, QStringLiteral("rebuilt.db"));
    ASSERT_FALSE(rebuilt.isEmpty()) << qPrintable(extra);
    EXPECT_EQ(dumpCatalogue(rebuilt), dumpCatalogue(source)) << qPrintable(extra);
  }
}

// The export reads the file as the program reads a catalogue: what the program refuses
// is refused with the program's words, and nothing appears beside the file.
TEST(CatalogueExport, RefusesWhatTheProgramRefuses) {
  const struct {
    QString extra;
    QString says;
  } bad[] = {
      {"CREATE VIRTUAL TABLE V USING fts4(a, b);", builtinText(1060).arg("V")},
      {"CREATE TABLE Z (a INTEGER, b BLOB GENERATED ALWAYS AS (zeroblob(400000000))); INSERT INTO Z (a) VALUES (1);",
       builtinText(1062).arg(QString()).left(40)},
  };
  for (const auto &b : bad) {
    const QString source = testsupport::buildCatalogue(testsupport::demoCatalogueSql() + b.extra);
    ASSERT_FALSE(source.isEmpty());
    QString sql, error;
    EXPECT_FALSE(catalogue::exportSql(source, &sql, &error)) << qPrintable(b.extra);
    EXPECT_TRUE(error.startsWith(source + ": " + b.says)) << qPrintable(error);
  }
  // A catalogue in WAL mode is exported without a -wal or -shm file beside it.
  const QString wal = testsupport::buildCatalogue(testsupport::demoCatalogueSql() + "PRAGMA journal_mode = WAL;");
  ASSERT_FALSE(wal.isEmpty());
  const QStringList before = QFileInfo(wal).dir().entryList(QDir::Files);
  QString sql, error;
  EXPECT_TRUE(catalogue::exportSql(wal, &sql, &error)) << qPrintable(error);
  EXPECT_EQ(QFileInfo(wal).dir().entryList(QDir::Files), before);
}

// A failed write of the SQL text is an error: a full disk, a closed standard output, a
// pipe whose reader has gone.
TEST(CatalogueExport, TheToolChecksEveryWrite) {
  // More than a pipe holds.
  const QString source = testsupport::buildCatalogue(testsupport::demoCatalogueSql() +
                                                     "CREATE TABLE Big (t TEXT); INSERT INTO Big VALUES (printf('%.*c', 300000, 'x'));");
  ASSERT_FALSE(source.isEmpty());
  const QByteArray tool = QFile::encodeName(qEnvironmentVariable("TARVEL_BUILD_DIR") + "/tarvelcalc-catalogue");
  const QByteArray file = QFile::encodeName(source);
  enum Output { Full, Closed, BrokenPipe };
  for (const Output o : {Full, Closed, BrokenPipe}) {
    int errPipe[2], outPipe[2];
    ASSERT_EQ(::pipe2(errPipe, O_CLOEXEC), 0);
    ASSERT_EQ(::pipe2(outPipe, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (o == Full) posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/full", O_WRONLY, 0);
    if (o == Closed) posix_spawn_file_actions_addclose(&actions, STDOUT_FILENO);
    if (o == BrokenPipe) posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    const char *argv[] = {tool.constData(), "export", file.constData(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, const_cast<char **>(argv), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(errPipe[1]);
    ::close(outPipe[1]);
    ::close(outPipe[0]);  // the reader has gone before the first byte
    QByteArray err;
    char buf[4096];
    for (ssize_t n; (n = ::read(errPipe[0], buf, sizeof buf)) > 0;) err.append(buf, n);
    ::close(errPipe[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "output " << o << ": ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 1) << "output " << o;
    EXPECT_TRUE(err.startsWith("tarvelcalc-catalogue: cannot write the SQL text to standard output: "))
        << "output " << o << ": " << err.constData();
  }
}

TEST(CatalogueExport, RefusesAMissingFile) {
  QString sql, error;
  EXPECT_FALSE(catalogue::exportSql(testsupport::missingCatalogueFile(), &sql, &error));
  EXPECT_TRUE(error.contains(QLatin1String("no such file")));
}

// The program reads catalogue numbers kept as text in either notation.
class NumbersAsText : public ::testing::Test {
 protected:
  Session session;
  msg::Recorder rec;
};

TEST_F(NumbersAsText, SeriesCellsInPointOrCommaNotation) {
  const QString path = testsupport::buildCatalogue(
      testsupport::demoCatalogueSql() +
      "UPDATE TLS_Basis SET a1 = '42.25', a2 = '41,5', C = '2350' WHERE Gr = 12;"
      "UPDATE TLS_Kassette SET Best = 'KD12.058' WHERE Gr = 12;"
      "UPDATE Einstellung SET Wert = '15.0' WHERE Beschr = 'StdSiko';");
  testsupport::ScopedCatalogueFile use(session, path);
  sSetField(session);
  sSetTblAnzBez(session, true, false, true);
  ASSERT_TRUE(sBerDat(session, 1, 0, session.gintTblAnz));
  const QStringList row = session.gastrSerie.first();
  EXPECT_EQ(row.value(2), QStringLiteral("42,25"));
  EXPECT_EQ(row.value(3), QStringLiteral("41,5"));
  ASSERT_TRUE(sBerDat(session, 20, 1, session.gintTblAnz));
  EXPECT_EQ(session.gastrSerie.first().value(8), QStringLiteral("KD12.058"));  // an order number stays
  EXPECT_EQ(gfstrSettings(session, QStringLiteral("StdSiko"), true), QStringLiteral("1,5"));
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(NumbersAsText, MissingCatalogueNamesBothPlaces) {
  session.catalogue.reset();
  EXPECT_THROW(msubSearchDB(session, 0, false, 0), msg::ProgramEnded);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, catalogue::databaseErrorTitle());
  EXPECT_TRUE(rec.messages[0].text.contains(QLatin1String("/DBFN.db\" noch in \"")))
      << qPrintable(rec.messages[0].text);
  EXPECT_TRUE(rec.messages[0].text.contains(QLatin1String("/share/tarvelcalc/DBFN.db")));
}

}  // namespace
