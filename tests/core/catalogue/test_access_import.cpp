// Import of Access/Jet files, compared value by value with what the mdbtools commands
// export from the same files.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <random>

#include "core/catalogue/AccessImport.h"
#include "core/catalogue/CatalogueExport.h"
#include "support/TestCatalogue.h"
#include "core/catalogue/ImportOffer.h"
#include "core/common/Messages.h"

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

// The sample is no guide catalogue; the copy counts as usable when it holds the
// sample's table.
QString holdsDateTest(const QString &path) {
  return cell(path, QStringLiteral("SELECT count(*) FROM DateTest")) == QLatin1String("6") ? QString()
                                                                                            : QStringLiteral("no table DateTest");
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
  EXPECT_EQ(catalogue::offerAccessImport({program, share}, data, {}, holdsDateTest), QString());
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, QStringLiteral("Katalog übernehmen"));
  EXPECT_EQ(rec.messages[0].icon, msg::Icon::Question);
  EXPECT_EQ(rec.messages[0].buttons, msg::Buttons::YesNo);
  EXPECT_TRUE(rec.messages[0].text.contains(QDir(share).filePath(QStringLiteral("DBFN.mde"))));
  EXPECT_FALSE(QFileInfo::exists(QDir(data).filePath(QStringLiteral("DBFN.db"))));

  rec.clear();
  rec.answers = {msg::Answer::Yes};
  const QString used = catalogue::offerAccessImport({program, share}, data, {}, holdsDateTest);
  EXPECT_EQ(used, QDir(data).filePath(QStringLiteral("DBFN.db")));
  EXPECT_EQ(rec.messages.size(), 1);
  EXPECT_TRUE(QFileInfo(used).size() > 0);

  // The next start takes the copy without asking again.
  rec.clear();
  EXPECT_EQ(catalogue::offerAccessImport({program, share}, data, {}, holdsDateTest), used);
  EXPECT_TRUE(rec.messages.isEmpty());

  // A DBFN.db where the program looks is used as it is.
  QFile db(QDir(program).filePath(QStringLiteral("DBFN.db")));
  ASSERT_TRUE(db.open(QIODevice::WriteOnly));
  db.close();
  EXPECT_EQ(catalogue::offerAccessImport({program, share}, data, {}, holdsDateTest), QString());
  EXPECT_TRUE(rec.messages.isEmpty());
}

// An imported copy that cannot be used (an empty file left by a failed import, or a
// catalogue the program cannot read) is set aside with a message, not used, and the
// import is offered again.
TEST(ImportOffer, AnUnusableCopyIsSetAsideAndTheImportOfferedAgain) {
  REQUIRE_SAMPLES();
  QTemporaryDir dir;
  const QString share = dir.filePath(QStringLiteral("share")), data = dir.filePath(QStringLiteral("data"));
  QDir().mkpath(share);
  QDir().mkpath(data);
  const QString access = QDir(share).filePath(QStringLiteral("DBFN.mde"));
  ASSERT_TRUE(QFile::copy(QDir(jetDir()).filePath(QStringLiteral("DateTestDatabase.mdb")), access));
  const QString copy = QDir(data).filePath(QStringLiteral("DBFN.db"));
  const struct {
    QByteArray bytes;  // of the copy, newer than the Access file
    QString why;       // the reason named
  } bad[] = {{QByteArray(), QStringLiteral("error: ")}, {QByteArray("not a database"), QStringLiteral("error: ")}};
  for (const auto &b : bad) {
    for (const QString &f : QDir(data).entryList(QDir::Files)) QFile::remove(QDir(data).filePath(f));
    {
      QFile f(copy);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(b.bytes);
      ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(3600), QFileDevice::FileModificationTime));
    }
    msg::Recorder rec;
    rec.answers = {msg::Answer::Ok, msg::Answer::No};
    EXPECT_EQ(catalogue::offerAccessImport({share}, data), QString());
    ASSERT_EQ(rec.messages.size(), 2);
    EXPECT_EQ(rec.messages[0].icon, msg::Icon::Critical);
    EXPECT_EQ(rec.messages[0].title, QStringLiteral("Katalog übernehmen"));
    EXPECT_TRUE(rec.messages[0].text.startsWith(QStringLiteral("Die übernommene Katalogdatenbank \"%1\" kann nicht verwendet werden:\n%2")
                                                   .arg(copy, b.why)))
        << qPrintable(rec.messages[0].text);
    EXPECT_EQ(rec.messages[1].icon, msg::Icon::Question);  // offered again
    const QStringList aside = QDir(data).entryList({"DBFN.db.unbrauchbar-*"}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(rec.messages[0].text.contains(QDir(data).filePath(aside[0])));
    QFile kept(QDir(data).filePath(aside[0]));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), b.bytes);
    EXPECT_FALSE(QFileInfo::exists(copy));
  }

  // A fresh import whose result fails the check is not used either.
  for (const QString &f : QDir(data).entryList(QDir::Files)) QFile::remove(QDir(data).filePath(f));
  msg::Recorder rec;
  rec.answers = {msg::Answer::Yes, msg::Answer::Ok};
  EXPECT_EQ(catalogue::offerAccessImport({share}, data), QString());  // the sample has no settings
  ASSERT_EQ(rec.messages.size(), 2);
  EXPECT_TRUE(rec.messages[1].text.contains("Einstellung")) << qPrintable(rec.messages[1].text);
  EXPECT_FALSE(QFileInfo::exists(copy));
  EXPECT_EQ(QDir(data).entryList({"DBFN.db.unbrauchbar-*"}, QDir::Files).size(), 1);
}

// The child's standard error costs at most the tail kept of it.
TEST(ImportOffer, OnlyTheEndOfTheChildsOutputIsKept) {
  const struct {
    QList<QByteArray> parts;
    qsizetype limit;
    QByteArray text;
    qint64 dropped;
  } tails[] = {
      {{"abc", "def"}, 10, "abcdef", 0},
      {{"abcdef", "ghij", "kl"}, 5, "hijkl", 7},
      {{QByteArray(100000, 'x'), "end"}, 4, "xend", 99999},
      {{}, 3, "", 0},
  };
  for (const auto &t : tails) {
    catalogue::OutputTail tail(t.limit);
    for (const QByteArray &p : t.parts) tail.append(p);
    EXPECT_EQ(tail.text(), t.text);
    EXPECT_EQ(tail.dropped(), t.dropped);
  }
  // A child that writes 50 MB of warnings (1.2 million lines) before its reason: the reason is still its
  // last line.
  QTemporaryDir dir;
  const QString noisy = dir.filePath(QStringLiteral("noisy.sh"));
  QFile script(noisy);
  ASSERT_TRUE(script.open(QIODevice::WriteOnly));
  script.write("#!/bin/sh\nyes 'warning: page 17 from map does not match' | head -n 1200000 >&2\n"
               "echo 'tarvelcalc-catalogue: the reason' >&2\nexit 1\n");
  script.close();
  script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  QString error;
  EXPECT_FALSE(catalogue::childProcessImporter(noisy, 120000)("x.mdb", dir.filePath("x.db"), &error));
  EXPECT_EQ(error, "tarvelcalc-catalogue: the reason");
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

// ------------------------------------------------------------ damaged Access files
namespace {

QByteArray fileBytes(const QString &path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Every table of a catalogue file with its number of rows.
QMap<QString, int> rowCounts(const QString &path) {
  QMap<QString, int> counts;
  Db db(path);
  sqlite3_stmt *st = nullptr;
  sqlite3_prepare_v2(db.db, "SELECT name FROM sqlite_master WHERE type = 'table'", -1, &st, nullptr);
  QStringList names;
  while (st && sqlite3_step(st) == SQLITE_ROW)
    names << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
  sqlite3_finalize(st);
  for (const QString &name : names) counts[name] = cell(path, "SELECT count(*) FROM \"" + name + "\"").toInt();
  return counts;
}

// A sample with one kind of damage: cut after `pages` pages, page `page` zeroed, or
// `flips` bytes overwritten at places drawn from `seed`.
struct Damage {
  const char *sample;
  int pageSize;
  enum Kind { Cut, Zero, Flip } kind;
  int n;  // pages kept, the page zeroed, or the seed of the flips
};

QByteArray damaged(const Damage &d) {
  QByteArray b = fileBytes(QDir(jetDir()).filePath(QString::fromLatin1(d.sample)));
  switch (d.kind) {
    case Damage::Cut: b.truncate(qsizetype(d.n) * d.pageSize); break;
    case Damage::Zero: b.replace(qsizetype(d.n) * d.pageSize, d.pageSize, QByteArray(d.pageSize, '\0')); break;
    case Damage::Flip: {
      std::mt19937 random(static_cast<unsigned>(d.n));
      for (int i = 0; i < 4; ++i) {
        const qsizetype at = d.pageSize + qsizetype(random() % unsigned(b.size() - d.pageSize));
        b[at] = static_cast<char>(random() % 256);
      }
      break;
    }
  }
  return b;
}

QString describe(const Damage &d) {
  const char *kinds[] = {"cut after page", "zeroed page", "bytes overwritten, seed"};
  return QStringLiteral("%1 %2 %3").arg(QLatin1String(d.sample), QLatin1String(kinds[d.kind])).arg(d.n);
}

}  // namespace

// What is known to be damaged is refused by name and the old catalogue stays: no table
// at all, a table whose rows end early, a table whose definition cannot be read.
TEST(AccessImport, ADamagedFileNeverReplacesTheTarget) {
  REQUIRE_SAMPLES();
  const struct {
    Damage damage;
    const char *says;
  } known[] = {
      {{"DateTestDatabase.mdb", 4096, Damage::Cut, 2}, "the table catalogue cannot be read"},
      {{"DateTestDatabase.mdb", 4096, Damage::Cut, 10}, "no table can be read"},
      {{"DateTestDatabase.mdb", 4096, Damage::Zero, 6}, "no table can be read"},
      {{"DateTestDatabase.mdb", 4096, Damage::Zero, 19}, "the table \"DateTest\": 0 of the 6 rows its definition declares"},
      {{"ASampleDatabase.accdb", 4096, Damage::Cut, 8}, "no table can be read"},
      {{"nwind.mdb", 2048, Damage::Zero, 24}, "the table \"Categories\": 0 of the 8 rows its definition declares"},
      {{"nwind.mdb", 2048, Damage::Zero, 23}, "the table \"Categories\" cannot be read"},
  };
  QTemporaryDir dir;
  const QString source = dir.filePath(QStringLiteral("damaged.mdb")), target = dir.filePath(QStringLiteral("DBFN.db"));
  for (const auto &k : known) {
    ASSERT_TRUE(writeBytes(source, damaged(k.damage)));
    ASSERT_TRUE(writeBytes(target, "keep"));
    QString error;
    EXPECT_FALSE(catalogue::importAccess(source, target, nullptr, &error)) << qPrintable(describe(k.damage));
    EXPECT_TRUE(error.contains(QLatin1String(k.says))) << qPrintable(describe(k.damage) + ": " + error);
    EXPECT_TRUE(error.endsWith(QStringLiteral("%1 is left as it was").arg(target))) << qPrintable(error);
    EXPECT_EQ(fileBytes(target), QByteArray("keep")) << qPrintable(describe(k.damage));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << qPrintable(describe(k.damage));
  }
}

QString catalogueTool() {
  return QDir(qEnvironmentVariable("TARVEL_BUILD_DIR")).filePath(QStringLiteral("tarvelcalc-catalogue"));
}

struct ToolRun {
  int exitCode = -1;
  QByteArray out, err;
};

ToolRun runTool(const QStringList &args) {
  QProcess p;
  p.start(catalogueTool(), args);
  EXPECT_TRUE(p.waitForFinished(300000)) << qPrintable(args.join(' '));
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
          p.readAllStandardError()};
}

// Many damages of the two small samples, through the catalogue tool (some make libmdb
// loop: the tool's time limit ends them): an import either is refused and leaves the
// target as it was, or gives every table with every row the intact file gives.
TEST(AccessImport, AnImportOfADamagedFileIsWholeOrNothing) {
  REQUIRE_SAMPLES();
  QTemporaryDir dir;
  const QString source = dir.filePath(QStringLiteral("damaged.mdb")), target = dir.filePath(QStringLiteral("DBFN.db"));
  for (const char *sample : {"DateTestDatabase.mdb", "ASampleDatabase.accdb"}) {
    const QString intactDb = dir.filePath(QStringLiteral("intact.db"));
    QString error;
    ASSERT_TRUE(catalogue::importAccess(QDir(jetDir()).filePath(QLatin1String(sample)), intactDb, nullptr, &error));
    const QMap<QString, int> intact = rowCounts(intactDb);
    QFile::remove(intactDb);
    const int pages = int(QFileInfo(QDir(jetDir()).filePath(QLatin1String(sample))).size() / 4096);
    QVector<Damage> damages;
    for (int p = 1; p < pages; p += 1 + pages / 24)
      damages << Damage{sample, 4096, Damage::Cut, p} << Damage{sample, 4096, Damage::Zero, p};
    for (int seed = 1; seed <= 16; ++seed) damages << Damage{sample, 4096, Damage::Flip, seed};
    int refused = 0;
    for (const Damage &d : damages) {
      ASSERT_TRUE(writeBytes(source, damaged(d)));
      ASSERT_TRUE(writeBytes(target, "keep"));
      const ToolRun r = runTool({"import", source, "-o", target, "--timeout", "20"});
      if (r.exitCode == 0) {
        EXPECT_EQ(rowCounts(target), intact) << qPrintable(describe(d) + ": " + r.out);
      } else {
        ++refused;
        EXPECT_EQ(r.exitCode, 1) << qPrintable(describe(d) + ": " + r.err);
        EXPECT_EQ(fileBytes(target), QByteArray("keep")) << qPrintable(describe(d) + ": " + r.err);
      }
      EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << qPrintable(describe(d));
    }
    EXPECT_GT(refused, 0) << sample;
  }
}

// The libmdb loop: a cut of the ACE sample makes libmdb read on without end, warning
// all the while. The time limit ends it with a message; the warnings are counted, not
// repeated; the target stays as it was and no temporary file is left.
TEST(AccessImport, TheToolStopsALoopingReadAtItsTimeLimit) {
  REQUIRE_SAMPLES();
  QTemporaryDir dir;
  const QString source = dir.filePath(QStringLiteral("cut.accdb")), target = dir.filePath(QStringLiteral("DBFN.db"));
  ASSERT_TRUE(writeBytes(source, damaged({"ASampleDatabase.accdb", 4096, Damage::Cut, 107})));
  ASSERT_TRUE(writeBytes(target, "keep"));
  const ToolRun r = runTool({"import", source, "-o", target, "--timeout", "3"});
  EXPECT_EQ(r.exitCode, 1);
  const QList<QByteArray> lines = r.err.trimmed().split('\n');
  EXPECT_EQ(lines.last(), "tarvelcalc-catalogue: " + QFile::encodeName(source) +
                              ": the reading was stopped after 3 s (--timeout); the file seems damaged; " +
                              QFile::encodeName(target) + " is left as it was");
  ASSERT_GE(lines.size(), 2);
  EXPECT_TRUE(lines[lines.size() - 2].startsWith("tarvelcalc-catalogue: \xE2\x80\xA6 ")) << lines[lines.size() - 2].constData();
  EXPECT_TRUE(lines[lines.size() - 2].endsWith(" more warnings of libmdb not shown"));
  EXPECT_LE(lines.size(), 2 + 20);
  EXPECT_EQ(fileBytes(target), QByteArray("keep"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

  const struct {
    QStringList args;
    const char *says;
  } bad[] = {{{"--timeout", "0"}, "--timeout takes a number of seconds from 1 to 86400"},
             {{"--timeout", "zwei"}, "--timeout takes a number of seconds from 1 to 86400"},
             {{"--timeout"}, "--timeout takes a number of seconds from 1 to 86400"}};
  for (const auto &b : bad) {
    const ToolRun u = runTool(QStringList{"import", source, "-o", target} + b.args);
    EXPECT_EQ(u.exitCode, 2);
    EXPECT_TRUE(u.err.contains(b.says)) << u.err.constData();
  }
}

// --partial writes what can be read, names what is missing, and only into a new file.
TEST(AccessImport, APartialImportNamesWhatIsMissingAndWritesOnlyANewFile) {
  REQUIRE_SAMPLES();
  QTemporaryDir dir;
  const QString source = dir.filePath(QStringLiteral("damaged.mdb")), target = dir.filePath(QStringLiteral("part.db"));
  ASSERT_TRUE(writeBytes(source, damaged({"DateTestDatabase.mdb", 4096, Damage::Zero, 19})));
  catalogue::ImportOptions partial;
  partial.partial = true;
  catalogue::ImportSummary summary;
  QString error;
  ASSERT_TRUE(catalogue::importAccess(source, target, &summary, &error, partial)) << qPrintable(error);
  EXPECT_TRUE(summary.partial);
  ASSERT_EQ(summary.notes.size(), 1);
  EXPECT_EQ(summary.notes[0], "the table \"DateTest\": 0 of the 6 rows its definition declares were read");
  EXPECT_EQ(rowCounts(target), (QMap<QString, int>{{"DateTest", 0}}));
  // Not over an existing file, not even over the partial one.
  EXPECT_FALSE(catalogue::importAccess(source, target, &summary, &error, partial));
  EXPECT_TRUE(error.contains("exists; a partial import writes only a new file")) << qPrintable(error);
  // An intact file gives no note and is no partial import.
  ASSERT_TRUE(catalogue::importAccess(QDir(jetDir()).filePath("DateTestDatabase.mdb"), dir.filePath("whole.db"),
                                      &summary, &error, partial));
  EXPECT_FALSE(summary.partial);
  EXPECT_TRUE(summary.notes.isEmpty());
}

// A device, a pipe, a link or a folder in the target's place stays as it is.
TEST(AccessImport, ATargetThatIsNoRegularFileIsRefused) {
  REQUIRE_SAMPLES();
  QTemporaryDir dir;
  const QString source = QDir(jetDir()).filePath(QStringLiteral("DateTestDatabase.mdb"));
  const QString regular = dir.filePath(QStringLiteral("regular.db"));
  ASSERT_TRUE(writeBytes(regular, "keep"));
  const QString fifo = dir.filePath(QStringLiteral("fifo.db")), link = dir.filePath(QStringLiteral("link.db"));
  const QString dangling = dir.filePath(QStringLiteral("dangling.db")), folder = dir.filePath(QStringLiteral("folder.db"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link(regular, link));
  ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere.db")), dangling));
  ASSERT_TRUE(QDir().mkpath(folder));
  for (const QString &target : {fifo, link, dangling, folder}) {
    QString error;
    EXPECT_FALSE(catalogue::importAccess(source, target, nullptr, &error)) << qPrintable(target);
    EXPECT_EQ(error, target + " is no regular file; the import writes only a new or a regular file");
  }
  struct stat st;
  ASSERT_EQ(::lstat(QFile::encodeName(fifo).constData(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_TRUE(QFileInfo(dangling).isSymLink());
  EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("nowhere.db"))));
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_EQ(fileBytes(regular), QByteArray("keep"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 4);  // no temporary left
}

// Temporary files of an import whose process is gone are removed by the next import
// into the folder; those of a running import and other files stay.
TEST(AccessImport, TheNextImportRemovesTheTemporariesOfAKilledOne) {
  REQUIRE_SAMPLES();
  QTemporaryDir dir;
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ASSERT_GT(gone, 0);
  ::waitpid(gone, nullptr, 0);
  const QString dead = QStringLiteral("other.db.import-%1.").arg(gone);
  const QString alive = QStringLiteral("other.db.import-%1.").arg(::getpid());
  const QStringList stale{dead + "Ab12Cd", dead + "Ab12Cd-journal", "DBFN.db.import-" + QString::number(gone) + ".zzzzzz"};
  const QStringList kept{alive + "Ab12Cd", "other.db.import-x.Ab12Cd", dead + "toolong", "notes.txt"};
  for (const QString &name : stale + kept) ASSERT_TRUE(writeBytes(dir.filePath(name), "x"));
  QString error;
  ASSERT_TRUE(catalogue::importAccess(QDir(jetDir()).filePath(QStringLiteral("DateTestDatabase.mdb")),
                                      dir.filePath(QStringLiteral("DBFN.db")), nullptr, &error))
      << qPrintable(error);
  QStringList want = kept + QStringList{"DBFN.db"};
  want.sort();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name), want);
}

// Dates: Access's years 100 to 9999; anything else is no date.
TEST(AccessImport, DatesOutsideAccesssYearsAreNoDates) {
  const struct {
    double days;
    const char *iso;  // nullptr: no date
  } dates[] = {
      {0.0, "1899-12-30T00:00:00"},
      {-1.5, "1899-12-29T12:00:00"},
      {44532.0, "2021-12-02T00:00:00"},
      {-657434.0, "0100-01-01T00:00:00"},
      {2958465.999988426, "9999-12-31T23:59:59"},
      {-657435.0, nullptr},
      {2958466.0, nullptr},
      {1.76e159, nullptr},
      {-1.76e159, nullptr},
      {std::numeric_limits<double>::infinity(), nullptr},
      {std::numeric_limits<double>::quiet_NaN(), nullptr},
  };
  for (const auto &d : dates) {
    const std::optional<QString> iso = catalogue::accessDate(d.days);
    if (d.iso) {
      EXPECT_EQ(iso.value_or("<none>"), QString::fromLatin1(d.iso)) << d.days;
    } else {
      EXPECT_FALSE(iso.has_value()) << d.days << " gave " << qPrintable(iso.value_or(QString()));
    }
  }
}

// A date far outside any calendar in a real file: NULL, and a note names where.
TEST(AccessImport, ADateOutOfRangeBecomesNullWithANote) {
  REQUIRE_SAMPLES();
  QByteArray bytes = fileBytes(QDir(jetDir()).filePath(QStringLiteral("DateTestDatabase.mdb")));
  // Row 2 holds 9999-01-01 in its three date columns; the first one gets 1.76e159 days.
  const double day = double(QDate(1899, 12, 30).daysTo(QDate(9999, 1, 1)));
  const double huge = 1.76e159;
  const QByteArray was(reinterpret_cast<const char *>(&day), 8), now(reinterpret_cast<const char *>(&huge), 8);
  const qsizetype at = bytes.indexOf(was);
  ASSERT_GE(at, 0);
  bytes.replace(at, 8, now);
  QTemporaryDir dir;
  const QString source = dir.filePath(QStringLiteral("dates.mdb")), target = dir.filePath(QStringLiteral("dates.db"));
  ASSERT_TRUE(writeBytes(source, bytes));
  catalogue::ImportSummary summary;
  QString error;
  ASSERT_TRUE(catalogue::importAccess(source, target, &summary, &error)) << qPrintable(error);
  ASSERT_EQ(summary.notes.size(), 1);
  EXPECT_TRUE(summary.notes[0].startsWith("table \"DateTest\", row 2, column \"")) << qPrintable(summary.notes[0]);
  EXPECT_TRUE(summary.notes[0].endsWith(": 1.76e+159 is no date of the years 100 to 9999; imported as NULL"))
      << qPrintable(summary.notes[0]);
  EXPECT_EQ(cell(target, "SELECT count(*) FROM DateTest WHERE LongTextCol = 'Year 9999' AND "
                         "(DateTimeCol IS NULL) + (DateCol IS NULL) + (TimeCol IS NULL) = 1"),
            "1");
  EXPECT_FALSE(summary.partial);
}

// The import builds its catalogue without a journal: a killed import leaves one
// temporary file, which the next import into the folder removes.
TEST(AccessImport, AKilledImportLeavesNoJournalAndTheNextCleansUp) {
  REQUIRE_SAMPLES();
  QTemporaryDir dir;
  const QString target = dir.filePath(QStringLiteral("DBFN.db"));
  const QString source = QDir(jetDir()).filePath(QStringLiteral("nwind.mdb"));
  // Watched to its end: no journal file ever appears beside the temporary one.
  QProcess p;
  p.start(catalogueTool(), {"import", source, "-o", target});
  ASSERT_TRUE(p.waitForStarted());
  bool journal = false, temporary = false;
  while (p.state() != QProcess::NotRunning) {
    for (const QString &f : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden)) {
      journal = journal || f.endsWith("-journal");
      temporary = temporary || f.startsWith("DBFN.db.import-");
    }
    p.waitForFinished(1);
  }
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
  EXPECT_TRUE(temporary);
  EXPECT_FALSE(journal);

  // Killed while it reads: the temporary file stays, alone, until the next import.
  QFile::remove(target);
  p.start(catalogueTool(), {"import", source, "-o", target});
  ASSERT_TRUE(p.waitForStarted());
  while (p.state() != QProcess::NotRunning && QDir(dir.path()).entryList({"DBFN.db.import-*"}, QDir::Files).isEmpty())
    p.waitForFinished(1);
  if (p.state() != QProcess::NotRunning) p.kill();  // SIGKILL
  p.waitForFinished();
  const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
  for (const QString &f : left) EXPECT_FALSE(f.endsWith("-journal")) << qPrintable(f);
  if (p.exitStatus() == QProcess::CrashExit) {
    EXPECT_EQ(left.size(), 1) << qPrintable(left.join(' '));
  }
  const ToolRun again = runTool({"import", QDir(jetDir()).filePath(QStringLiteral("DateTestDatabase.mdb")), "-o", target});
  EXPECT_EQ(again.exitCode, 0) << again.err.constData();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"DBFN.db"});
}

// The tool names what a partial import misses; the summary says PARTIAL.
TEST(AccessImport, TheToolsPartialImport) {
  REQUIRE_SAMPLES();
  QTemporaryDir dir;
  const QString source = dir.filePath(QStringLiteral("damaged.mdb")), target = dir.filePath(QStringLiteral("part.db"));
  ASSERT_TRUE(writeBytes(source, damaged({"nwind.mdb", 2048, Damage::Zero, 24})));
  const ToolRun refused = runTool({"import", source, "-o", target});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_FALSE(QFileInfo::exists(target));
  const ToolRun r = runTool({"import", source, "-o", target, "--partial"});
  EXPECT_EQ(r.exitCode, 0) << r.err.constData();
  EXPECT_TRUE(r.out.endsWith(" -> " + QFile::encodeName(target) + " (PARTIAL: the file is damaged; see the notes)\n"))
      << r.out.constData();
  EXPECT_TRUE(r.err.contains("tarvelcalc-catalogue: note: the table \"Categories\": 0 of the 8 rows its definition "
                             "declares were read\n"))
      << r.err.constData();
  EXPECT_EQ(rowCounts(target).value("Categories", -1), 0);
  EXPECT_GT(rowCounts(target).value("Customers"), 0);
}
