// Import of Access/Jet files, compared value by value with what the mdbtools commands
// export from the same files.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <charconv>
#include <cmath>

#include "catalogue/AccessImport.h"
#include "catalogue/CatalogueExport.h"
#include "support/TestCatalogue.h"
#include "catalogue/ImportOffer.h"
#include "common/Messages.h"

QStringList dumpCatalogue(const QString &path);  // test_catalogue_check.cpp

namespace {

QString jetDir() { return QStringLiteral(TARVEL_JET_TESTDATA); }

#define REQUIRE_SAMPLES()                                                                   \
  do {                                                                                      \
    if (!QFileInfo(jetDir()).isDir())                                                       \
      GTEST_SKIP() << "Access sample files not found in " << qPrintable(jetDir());          \
    if (QStandardPaths::findExecutable(QStringLiteral("mdb-export")).isEmpty())             \
      GTEST_SKIP() << "mdb-export (package mdbtools) not installed";                        \
  } while (0)

QByteArray run(const QString &program, const QStringList &args) {
  QProcess p;
  p.start(program, args);
  EXPECT_TRUE(p.waitForFinished(60000)) << qPrintable(program);
  EXPECT_EQ(p.exitCode(), 0) << qPrintable(program + QLatin1Char(' ') + args.join(QLatin1Char(' ')))
                             << p.readAllStandardError().constData();
  return p.readAllStandardOutput();
}

// A CSV cell of mdb-export: its text and whether it was quoted (an empty unquoted cell
// is NULL).
struct CsvCell {
  QByteArray text;
  bool quoted = false;
};
using CsvRow = QVector<CsvCell>;

QVector<CsvRow> parseCsv(const QByteArray &csv) {
  QVector<CsvRow> rows;
  CsvRow row;
  CsvCell cell;
  bool inQuotes = false;
  for (int i = 0; i < csv.size(); ++i) {
    const char c = csv[i];
    if (inQuotes) {
      if (c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
        cell.text += '"';
        ++i;
      } else if (c == '"') {
        inQuotes = false;
      } else {
        cell.text += c;
      }
    } else if (c == '"') {
      inQuotes = true;
      cell.quoted = true;
    } else if (c == ',') {
      row << cell;
      cell = CsvCell();
    } else if (c == '\n') {
      row << cell;
      rows << row;
      row.clear();
      cell = CsvCell();
    } else {
      cell.text += c;
    }
  }
  return rows;
}

struct Db {
  sqlite3 *db = nullptr;
  explicit Db(const QString &path) {
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  }
  ~Db() { sqlite3_close_v2(db); }
};

double toNumber(const QByteArray &t) {
  double v = NAN;
  std::from_chars(t.constData(), t.constData() + t.size(), v);
  return v;
}

// libmdb writes dates outside 1900..9998 with day 0; the importer reads the stored day
// number itself. Those cells are checked on their own below.
bool oracleDateBroken(const QByteArray &t) { return t.size() >= 10 && t.mid(8, 2) == "00"; }

// Compares every table of `imported` with mdb-export's output for `source`; returns the
// number of cells compared.
int compareWithMdbtools(const QString &source, const QString &imported) {
  const QStringList tables =
      QString::fromUtf8(run(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), source}))
          .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  Db db(imported);
  EXPECT_NE(db.db, nullptr);
  int compared = 0;
  QStringList importedTables;
  {
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db.db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid", -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
      importedTables << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
  }
  EXPECT_EQ(importedTables, tables);
  for (const QString &table : tables) {
    const QVector<CsvRow> expected = parseCsv(run(
        QStringLiteral("mdb-export"),
        {QStringLiteral("-H"), QStringLiteral("-b"), QStringLiteral("hex"), QStringLiteral("-D"),
         QStringLiteral("%Y-%m-%dT%H:%M:%S"), QStringLiteral("-T"), QStringLiteral("%Y-%m-%dT%H:%M:%S"),
         source, table}));
    sqlite3_stmt *st = nullptr;
    const QByteArray sql = "SELECT * FROM \"" + table.toUtf8() + "\"";
    if (sqlite3_prepare_v2(db.db, sql.constData(), -1, &st, nullptr) != SQLITE_OK) {
      ADD_FAILURE() << "imported table missing: " << qPrintable(table);
      continue;
    }
    int r = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
      EXPECT_LT(r, expected.size()) << qPrintable(table);
      if (r >= expected.size()) break;
      const CsvRow &want = expected[r];
      const int n = sqlite3_column_count(st);
      EXPECT_EQ(n, want.size()) << qPrintable(table);
      for (int c = 0; c < n && c < want.size(); ++c) {
        const CsvCell &w = want[c];
        const QString where = QStringLiteral("%1 row %2 column %3").arg(table).arg(r + 1).arg(
            QString::fromUtf8(sqlite3_column_name(st, c)));
        ++compared;
        switch (sqlite3_column_type(st, c)) {
          case SQLITE_NULL:
            EXPECT_TRUE(w.text.isEmpty() && !w.quoted) << qPrintable(where) << " oracle: " << w.text.constData();
            break;
          case SQLITE_INTEGER:
          case SQLITE_FLOAT:
            EXPECT_FALSE(w.quoted) << qPrintable(where);
            EXPECT_EQ(sqlite3_column_double(st, c), toNumber(w.text)) << qPrintable(where);
            break;
          case SQLITE_BLOB: {
            const QByteArray bytes(static_cast<const char *>(sqlite3_column_blob(st, c)), sqlite3_column_bytes(st, c));
            EXPECT_EQ(bytes.toHex().toUpper(), w.text.toUpper()) << qPrintable(where);
            break;
          }
          default: {
            const QByteArray text(reinterpret_cast<const char *>(sqlite3_column_text(st, c)), sqlite3_column_bytes(st, c));
            if (oracleDateBroken(w.text) && text.size() == 19 && text[10] == 'T') {
              --compared;
              break;
            }
            EXPECT_EQ(text, w.text) << qPrintable(where);
          }
        }
      }
      ++r;
    }
    sqlite3_finalize(st);
    EXPECT_EQ(r, expected.size()) << qPrintable(table);
  }
  return compared;
}

struct Sample {
  const char *file;
  const char *format;
  int tables;
};

class AccessImportSample : public ::testing::TestWithParam<Sample> {};

TEST_P(AccessImportSample, HoldsWhatMdbtoolsExports) {
  REQUIRE_SAMPLES();
  const Sample s = GetParam();
  QTemporaryDir dir;
  const QString source = QDir(jetDir()).filePath(QString::fromLatin1(s.file));
  const QString target = dir.filePath(QStringLiteral("imported.db"));
  catalogue::ImportSummary summary;
  QString error;
  ASSERT_TRUE(catalogue::importAccess(source, target, &summary, &error)) << qPrintable(error);
  EXPECT_EQ(summary.format, QString::fromLatin1(s.format));
  EXPECT_EQ(summary.tables.size(), s.tables);
  EXPECT_GT(compareWithMdbtools(source, target), 0);

  // Import, export, build: the same tables with the same values.
  QString sql;
  ASSERT_TRUE(catalogue::exportSql(target, &sql, &error)) << qPrintable(error);
  const QString rebuilt = testsupport::buildCatalogue(sql, QStringLiteral("rebuilt.db"));
  ASSERT_FALSE(rebuilt.isEmpty());
  EXPECT_EQ(dumpCatalogue(rebuilt), dumpCatalogue(target));
}

INSTANTIATE_TEST_SUITE_P(Samples, AccessImportSample,
                         ::testing::Values(Sample{"nwind.mdb", "Jet 3", 9},
                                           Sample{"DateTestDatabase.mdb", "Jet 4", 1},
                                           Sample{"ASampleDatabase.accdb", "ACE", 1}),
                         [](const auto &info) {
                           return std::string(info.param.format == std::string("Jet 3") ? "Jet3"
                                              : info.param.format == std::string("Jet 4") ? "Jet4"
                                                                                          : "ACE");
                         });

QString cell(const QString &db, const QString &sql) {
  Db d(db);
  sqlite3_stmt *st = nullptr;
  if (sqlite3_prepare_v2(d.db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) return QStringLiteral("<error>");
  QString v = QStringLiteral("<no row>");
  if (sqlite3_step(st) == SQLITE_ROW)
    v = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
  sqlite3_finalize(st);
  return v;
}

TEST(AccessImport, KeepsKindsOfValues) {
  REQUIRE_SAMPLES();
  QTemporaryDir dir;
  const QString target = dir.filePath(QStringLiteral("nwind.db"));
  QString error;
  ASSERT_TRUE(catalogue::importAccess(QDir(jetDir()).filePath(QStringLiteral("nwind.mdb")), target, nullptr, &error))
      << qPrintable(error);
  // A table name with an umlaut, kept as it is.
  EXPECT_EQ(cell(target, QStringLiteral("SELECT count(*) FROM \"Umsätze\"")).toInt() > 0, true);
  // Currency 14.0000 is the integer 14, 9.8000 the real 9.8; yes/no is 0/1; OLE a blob.
  EXPECT_EQ(cell(target, QStringLiteral("SELECT typeof(UnitPrice) || ' ' || UnitPrice FROM \"Order Details\" LIMIT 1")),
            QStringLiteral("integer 14"));
  EXPECT_EQ(cell(target, QStringLiteral("SELECT typeof(UnitPrice) || ' ' || UnitPrice FROM \"Order Details\" WHERE ProductID = 42 LIMIT 1")),
            QStringLiteral("real 9.8"));
  EXPECT_EQ(cell(target, QStringLiteral("SELECT group_concat(DISTINCT typeof(Discontinued) || Discontinued) FROM Products")),
            QStringLiteral("integer0,integer1"));
  EXPECT_EQ(cell(target, QStringLiteral("SELECT typeof(Picture) FROM Categories LIMIT 1")), QStringLiteral("blob"));
  EXPECT_EQ(cell(target, QStringLiteral("SELECT typeof(OrderDate) || ' ' || OrderDate FROM Orders WHERE OrderID = 10330")),
            QStringLiteral("text 1994-11-16T00:00:00"));
}

TEST(AccessImport, ReadsDatesOutsideTheTwentiethCentury) {
  REQUIRE_SAMPLES();
  QTemporaryDir dir;
  const QString target = dir.filePath(QStringLiteral("dates.db"));
  QString error;
  ASSERT_TRUE(catalogue::importAccess(QDir(jetDir()).filePath(QStringLiteral("DateTestDatabase.mdb")), target,
                                      nullptr, &error))
      << qPrintable(error);
  // The rows name what their dates hold.
  EXPECT_TRUE(cell(target, QStringLiteral("SELECT DateTimeCol FROM DateTest WHERE LongTextCol = 'Year 9999'"))
                  .startsWith(QLatin1String("9999-")));
  EXPECT_LT(cell(target, QStringLiteral("SELECT DateTimeCol FROM DateTest WHERE LongTextCol = 'Pre-1900 years'")),
            QStringLiteral("1900-01-01"));
  EXPECT_LT(cell(target, QStringLiteral("SELECT DateTimeCol FROM DateTest WHERE LongTextCol = 'Pre-1000 years'")),
            QStringLiteral("1000-01-01"));
}

TEST(AccessImport, RefusesAFileThatIsNoJetDatabaseAndLeavesTheTargetAlone) {
  QTemporaryDir dir;
  const QString source = dir.filePath(QStringLiteral("DBFN.mde"));
  {
    QFile f(source);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(8192, 'x'));
  }
  const QString target = dir.filePath(QStringLiteral("DBFN.db"));
  {
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("keep");
  }
  QString error;
  EXPECT_FALSE(catalogue::importAccess(source, target, nullptr, &error));
  EXPECT_TRUE(error.contains(QLatin1String("no Access/Jet database"))) << qPrintable(error);
  QFile f(target);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("keep"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);  // no temporary file left

  EXPECT_FALSE(catalogue::importAccess(dir.filePath(QStringLiteral("missing.mdb")), target, nullptr, &error));
  EXPECT_TRUE(error.contains(QLatin1String("no such file")));
}

TEST(AccessImport, RefusesATruncatedDatabase) {
  REQUIRE_SAMPLES();
  QTemporaryDir dir;
  QFile whole(QDir(jetDir()).filePath(QStringLiteral("DateTestDatabase.mdb")));
  ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
  const QString source = dir.filePath(QStringLiteral("cut.mdb"));
  QFile cut(source);
  ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
  cut.write(whole.read(4096 * 3));  // the header and a few pages, no catalogue
  cut.close();
  const QString target = dir.filePath(QStringLiteral("cut.db"));
  QString error;
  EXPECT_FALSE(catalogue::importAccess(source, target, nullptr, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(QFileInfo::exists(target));
}

TEST(ImportOffer, AsksOnceImportsAndThenUsesTheCopy) {
  REQUIRE_SAMPLES();
  QTemporaryDir dir;
  const QString program = dir.filePath(QStringLiteral("bin")), share = dir.filePath(QStringLiteral("share"));
  const QString data = dir.filePath(QStringLiteral("data"));
  QDir().mkpath(program);
  QDir().mkpath(share);
  ASSERT_TRUE(QFile::copy(QDir(jetDir()).filePath(QStringLiteral("DateTestDatabase.mdb")),
                          QDir(share).filePath(QStringLiteral("DBFN.mde"))));
  msg::Recorder rec;

  rec.answers = {msg::Answer::No};
  EXPECT_EQ(catalogue::offerAccessImport({program, share}, data), QString());
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, QStringLiteral("Katalog übernehmen"));
  EXPECT_EQ(rec.messages[0].icon, msg::Icon::Question);
  EXPECT_EQ(rec.messages[0].buttons, msg::Buttons::YesNo);
  EXPECT_TRUE(rec.messages[0].text.contains(QDir(share).filePath(QStringLiteral("DBFN.mde"))));
  EXPECT_FALSE(QFileInfo::exists(QDir(data).filePath(QStringLiteral("DBFN.db"))));

  rec.clear();
  rec.answers = {msg::Answer::Yes};
  const QString used = catalogue::offerAccessImport({program, share}, data);
  EXPECT_EQ(used, QDir(data).filePath(QStringLiteral("DBFN.db")));
  EXPECT_EQ(rec.messages.size(), 1);
  EXPECT_TRUE(QFileInfo(used).size() > 0);

  // The next start takes the copy without asking again.
  rec.clear();
  EXPECT_EQ(catalogue::offerAccessImport({program, share}, data), used);
  EXPECT_TRUE(rec.messages.isEmpty());

  // A DBFN.db where the program looks is used as it is.
  QFile db(QDir(program).filePath(QStringLiteral("DBFN.db")));
  ASSERT_TRUE(db.open(QIODevice::WriteOnly));
  db.close();
  EXPECT_EQ(catalogue::offerAccessImport({program, share}, data), QString());
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST(ImportOffer, NamesAFailedImport) {
  QTemporaryDir dir;
  QFile bad(dir.filePath(QStringLiteral("DBFN.mdb")));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("not a database");
  bad.close();
  msg::Recorder rec;
  rec.answers = {msg::Answer::Yes};
  EXPECT_EQ(catalogue::offerAccessImport({dir.path()}, dir.filePath(QStringLiteral("data"))), QString());
  ASSERT_EQ(rec.messages.size(), 2);
  EXPECT_EQ(rec.messages[1].icon, msg::Icon::Critical);
  EXPECT_TRUE(rec.messages[1].text.startsWith(QLatin1String("Die Access-Datenbank"))) << qPrintable(rec.messages[1].text);
  EXPECT_TRUE(rec.messages[1].text.contains(QLatin1String("no Access/Jet database")));
}

TEST(ImportOffer, ChildProcessImporterReportsTheToolsReason) {
  QTemporaryDir dir;
  const QString tool = QDir(qEnvironmentVariable("TARVEL_BUILD_DIR")).filePath(QStringLiteral("tarvelcalc-catalogue"));
  const QString bad = dir.filePath(QStringLiteral("DBFN.mde"));
  QFile f(bad);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(QByteArray(5000, 'y'));
  f.close();
  QString error;
  EXPECT_FALSE(catalogue::childProcessImporter(tool, 60000)(bad, dir.filePath(QStringLiteral("a.db")), &error));
  EXPECT_TRUE(error.contains(QLatin1String("no Access/Jet database"))) << qPrintable(error);
  EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("a.db"))));

  // A tool that does not finish in time is stopped.
  const QString slow = dir.filePath(QStringLiteral("slow.sh"));
  QFile script(slow);
  ASSERT_TRUE(script.open(QIODevice::WriteOnly));
  script.write("#!/bin/sh\nexec sleep 30\n");
  script.close();
  script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_FALSE(catalogue::childProcessImporter(slow, 300)(bad, dir.filePath(QStringLiteral("b.db")), &error));
  EXPECT_TRUE(error.contains(QLatin1String("was stopped"))) << qPrintable(error);

  if (!QFileInfo(jetDir()).isDir()) GTEST_SKIP() << "Access sample files not found in " << qPrintable(jetDir());
  // The sanitizer build imports the largest sample in about 40 s on an idle machine: the
  // limit leaves room for a loaded one.
  EXPECT_TRUE(catalogue::childProcessImporter(tool, 300000)(QDir(jetDir()).filePath(QStringLiteral("nwind.mdb")),
                                                          dir.filePath(QStringLiteral("c.db")), &error))
      << qPrintable(error);
  EXPECT_GT(QFileInfo(dir.filePath(QStringLiteral("c.db"))).size(), 0);
}

}  // namespace
