// Running the queries: result sets, ordering, joins, cstr, and the database errors that
// end the program.
#include <QCoreApplication>
#include <algorithm>
#include <QDir>
#include <QFileInfo>

#include "core/catalogue/CatalogueFixture.h"
#include "core/common/Session.h"
#include "core/common/Numbers.h"

namespace {

using testsupport::buildCatalogue;
using testsupport::ScopedCatalogueFile;

class CatalogueQuery : public CatalogueTest {};

QStringList column(const ResultSet &rs, int j) {
  QStringList c;
  for (const auto &row : rs.rows) c << row.value(j);
  return c;
}

TEST_F(CatalogueQuery, DefaultFileLiesBesideTheProgram) {
  ScopedCatalogueFile use(session, "/somewhere/else.db");
  session.catalogue.reset();
  EXPECT_EQ(catalogue::fileOf(session), QDir(QCoreApplication::applicationDirPath()).filePath("DBFN.db"));
}

TEST_F(CatalogueQuery, SettingsAreOrderedByKeyAsText) {
  ScopedCatalogueFile use(session, buildCatalogue(
      smallCatalogueSql() + "INSERT INTO Einstellung VALUES ('20', 'zwanzig'), ('100', 'hundert');"));
  msubSearchDB(session, 0, false, 0);
  const ResultSet &rs = session.grsSettings;
  EXPECT_EQ(rs.columns, QStringList({"Beschr", "Wert"}));
  EXPECT_TRUE(rs.open);
  const QStringList keys = column(rs, 0);
  ASSERT_GE(keys.size(), 3);
  EXPECT_EQ(keys.mid(0, 2), QStringList({"100", "20"}));
  QStringList sorted = keys;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(keys, sorted);
  EXPECT_TRUE(rec.messages.isEmpty());
  EXPECT_EQ(rec.endCalls, 0);
}

TEST_F(CatalogueQuery, ResultSetsByClass) {
  ScopedCatalogueFile use(session, buildCatalogue(smallCatalogueSql()));
  session.gintTblAnz = 2;
  session.gastrTblNam = {"A1/A2/", "B1/B2/", "C1/C2/"};
  msubSearchDB(session, 21, false, 0);
  EXPECT_EQ(session.grsInfo.columns,
            QStringList({"Name", "Street", "Town", "Telefon", "Telefax", "EMail"}));
  EXPECT_EQ(column(session.grsInfo, 2), QStringList({"Kiel", "Ulm"}));  // by town
  msubSearchDB(session, 22, false, 0);
  EXPECT_EQ(session.grsInfo.columns, QStringList({"Name", "Version", "Author", "Telefon", "EMail"}));
  EXPECT_EQ(session.grsInfo.recordCount(), 1);
  msubSearchDB(session, 2, false, 0);
  EXPECT_EQ(session.grsSerie.columns,
            QStringList({"Serie", "Gr", "a1", "a2", "b1", "b2", "h1", "h2", "AnzR", "FD", "FE", "B", "bI"}));
  msubSearchDB(session, 20, false, 1);
  EXPECT_EQ(session.grsSerie.columns, QStringList({"Serie", "Gr", "C", "Co", "Ls", "D", "TypR", "FD",
                                                    "FDBest", "KBs", "FE", "FEBest", "KB1"}));
  // Settings and info were left alone by the series queries.
  EXPECT_TRUE(session.grsSettings.rows.isEmpty());
  EXPECT_EQ(session.grsInfo.recordCount(), 1);
}

TEST_F(CatalogueQuery, InnerJoinDropsSizesMissingInOneTable) {
  ScopedCatalogueFile use(session, buildCatalogue(smallCatalogueSql()));
  session.gintTblAnz = 2;
  session.gastrTblNam = {"A1/A2/", "B1/B2/", "C1/C2/"};
  msubSearchDB(session, 1, false, 0);
  // Size 20 has no roller shoe in C1; the rows come ordered by size.
  EXPECT_EQ(column(session.grsSerie, 1), QStringList({"12", "25"}));
  msubSearchDB(session, 20, false, 1);
  EXPECT_EQ(column(session.grsSerie, 1), QStringList({"12", "25"}));
  msubSearchDB(session, 2, false, 0);
  EXPECT_EQ(column(session.grsSerie, 1), QStringList({"25", "35"}));
}

TEST_F(CatalogueQuery, SpecialSeriesJoinOnIdAndOrderBySizeThenName) {
  ScopedCatalogueFile use(session, testsupport::demoCatalogueFile());
  msubSearchDB(session, 23, false, 0);
  const ResultSet &rs = session.grsSerie;
  ASSERT_EQ(rs.fieldCount(), 26);
  EXPECT_EQ(rs.columns.mid(0, 4), QStringList({"Serie", "Gr", "FDBest", "FEBest"}));
  EXPECT_EQ(rs.columns.mid(22), QStringList({"KBE", "KhD", "AnzR", "TypR"}));
  ASSERT_GE(rs.recordCount(), 3);
  for (int i = 1; i < rs.recordCount(); ++i) {
    const int g0 = rs.rows[i - 1][1].toInt(), g1 = rs.rows[i][1].toInt();
    EXPECT_TRUE(g0 < g1 || (g0 == g1 && rs.rows[i - 1][0] < rs.rows[i][0])) << i;
  }
}

TEST_F(CatalogueQuery, UnknownCodeShowsBothMessagesAndGoesOn) {
  ScopedCatalogueFile use(session, testsupport::demoCatalogueFile());
  msubSearchDB(session, 0, false, 0);
  const TextRows before = session.grsSettings.rows;
  session.gstrSQL = "previous";
  msubSearchDB(session, 24, false, 0);
  ASSERT_EQ(rec.messages.size(), 2);
  EXPECT_EQ(rec.messages[0].text, QStringLiteral("Error Tabelname 24 ?"));
  EXPECT_EQ(rec.messages[1].text, QStringLiteral("Error Question:24 ?"));
  EXPECT_EQ(rec.messages[1].icon, msg::Icon::None);
  EXPECT_EQ(rec.endCalls, 0);
  EXPECT_EQ(session.gstrSQL, QStringLiteral("previous"));
  EXPECT_EQ(session.grsSettings.rows, before);
  EXPECT_TRUE(session.grsSerie.rows.isEmpty());
  EXPECT_TRUE(session.grsInfo.rows.isEmpty());
}

TEST_F(CatalogueQuery, BusyWindowRunsBeforeTheQueryOnlyWhenAsked) {
  int shown = 0;
  int rowsWhileShown = -1;
  ScopedCatalogueFile use(session, testsupport::demoCatalogueFile(), [&] {
    ++shown;
    rowsWhileShown = session.grsSettings.recordCount();
  });
  msubSearchDB(session, 0, false, 0);
  EXPECT_EQ(shown, 0);
  session.grsSettings = ResultSet();
  msubSearchDB(session, 0, true, 0);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(rowsWhileShown, 0);
  EXPECT_GT(session.grsSettings.recordCount(), 0);
}

// cstr: integers as digits, reals with the locale's decimal separator, texts unchanged,
// NULL as empty text.
class CstrTest : public CatalogueTest {
 protected:
  void TearDown() override {
    num::setLocale(QLocale(QLocale::German, QLocale::Germany));
    CatalogueTest::TearDown();
  }
  QStringList townRow(const QString &town) {
    msubSearchDB(session, 21, false, 0);
    for (const auto &row : session.grsInfo.rows)
      if (row.value(2) == town) return row;
    return {};
  }
};

TEST_F(CstrTest, ConvertsEveryStorageClass) {
  // Columns without a declared type keep each value's own storage class.
  ScopedCatalogueFile use(session, buildCatalogue(R"sql(
    CREATE TABLE Vertreter (Name, Street, Town, Telefon, Telefax, EMail);
    INSERT INTO Vertreter VALUES (42, 2.5, 'A', NULL, -7, 'x@example.com');
    INSERT INTO Vertreter VALUES (25.0, 1234567.25, 'B', 0.0167, 'Text mit Ümlaut', '');
    INSERT INTO Vertreter VALUES (9007199254740993, -0.5, 'C', '007', 1e21, X'4142');
  )sql"));
  EXPECT_EQ(townRow("A"), QStringList({"42", "2,5", "A", "", "-7", "x@example.com"}));
  EXPECT_EQ(townRow("B"), QStringList({"25", "1234567,25", "B", "0,0167", "Text mit Ümlaut", ""}));
  const QStringList c = townRow("C");
  ASSERT_EQ(c.size(), 6);
  EXPECT_EQ(c[0], "9007199254740993");  // integers keep every digit
  EXPECT_EQ(c[1], "-0,5");
  EXPECT_EQ(c[3], "007");  // texts stay as they are
  EXPECT_EQ(c[5], "AB");
  num::setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(townRow("A")[1], "2.5");
  EXPECT_EQ(townRow("B")[1], "1234567.25");
}

// Database errors: one critical box with the database-error title, then the end.
class CatalogueError : public CatalogueTest {};

TEST_F(CatalogueError, MissingFileIsNamedAndNeverCreated) {
  const QString path = testsupport::missingCatalogueFile();
  ScopedCatalogueFile use(session, path);
  EXPECT_THROW(msubSearchDB(session, 0, false, 0), msg::ProgramEnded);
  expectDatabaseError();
  EXPECT_TRUE(rec.messages[0].text.contains(QDir::toNativeSeparators(path)));
  EXPECT_TRUE(rec.messages[0].text.contains("nicht gefunden"));
  EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(CatalogueError, DamagedFile) {
  ScopedCatalogueFile use(session, testsupport::damagedCatalogueFile());
  EXPECT_THROW(msubSearchDB(session, 0, false, 0), msg::ProgramEnded);
  expectDatabaseError();
}

TEST_F(CatalogueError, MissingTable) {
  ScopedCatalogueFile use(session, buildCatalogue(smallCatalogueSql() + "DROP TABLE Info;"));
  EXPECT_THROW(msubSearchDB(session, 22, false, 0), msg::ProgramEnded);
  expectDatabaseError();
  EXPECT_TRUE(rec.messages[0].text.contains("Info"));
}

TEST_F(CatalogueError, MissingColumn) {
  ScopedCatalogueFile use(session, buildCatalogue(smallCatalogueSql() + "ALTER TABLE Vertreter DROP COLUMN Telefax;"));
  EXPECT_THROW(msubSearchDB(session, 21, false, 0), msg::ProgramEnded);
  expectDatabaseError();
  EXPECT_TRUE(rec.messages[0].text.contains("Telefax"));
}

TEST_F(CatalogueError, TableSetBeyondTheNameLists) {
  ScopedCatalogueFile use(session, testsupport::demoCatalogueFile());
  session.gintTblAnz = 4;
  session.gastrTblNam = {"TLS_Basis/TLK_Basis/TLH_Basis/", "TLS_Kassette/TLK_Kassette/TLH_Kassette/",
                          "TLS_Rollenschuh/TLK_Rollenschuh/TLH_Rollenschuh/"};
  msubSearchDB(session, 3, false, 0);
  EXPECT_TRUE(rec.messages.isEmpty());
  EXPECT_THROW(msubSearchDB(session, 4, false, 0), msg::ProgramEnded);
  expectDatabaseError();
}

TEST_F(CatalogueError, EvaluationOfASetWithoutNames) {
  ScopedCatalogueFile use(session, testsupport::demoCatalogueFile());
  session.gintTblAnz = 1;
  session.gastrTblNam = {"TLS_Basis/", "TLS_Kassette/", "TLS_Rollenschuh/"};
  EXPECT_THROW(msubSearchDB(session, 20, false, 2), msg::ProgramEnded);
  expectDatabaseError();
}

TEST_F(CatalogueError, UnknownTableName) {
  ScopedCatalogueFile use(session, testsupport::demoCatalogueFile());
  session.gintTblAnz = 1;
  session.gastrTblNam = {"TLS_Basis/", "Nirgends/", "TLS_Rollenschuh/"};
  EXPECT_THROW(msubSearchDB(session, 1, false, 0), msg::ProgramEnded);
  expectDatabaseError();
  EXPECT_TRUE(rec.messages[0].text.contains("Nirgends"));
}

TEST_F(CatalogueError, TableNamesWithBlankOrQuoteAreTreatedAsMissing) {
  // A database in which these names would even exist as quoted tables: still refused.
  ScopedCatalogueFile use(session, buildCatalogue(smallCatalogueSql() +
                                         R"sql(CREATE TABLE "A 1" AS SELECT * FROM A1;
                                               CREATE TABLE "A'1" AS SELECT * FROM A1;)sql"));
  for (const QString &name : {QString("A 1"), QString("A'1"), QString("A1 a, B1 b, C1 c --")}) {
    SCOPED_TRACE(name.toStdString());
    rec.clear();
    session.gintTblAnz = 1;
    session.gastrTblNam = {name + "/", "B1/", "C1/"};
    EXPECT_THROW(msubSearchDB(session, 1, false, 0), msg::ProgramEnded);
    expectDatabaseError();
    EXPECT_FALSE(session.gstrSQL.contains(name));
  }
}

TEST_F(CatalogueError, NoErrorLeavesTheProgramRunning) {
  ScopedCatalogueFile use(session, testsupport::demoCatalogueFile());
  msubSearchDB(session, 0, false, 0);
  msubSearchDB(session, 21, false, 0);
  msubSearchDB(session, 22, false, 0);
  msubSearchDB(session, 23, false, 0);
  EXPECT_EQ(rec.endCalls, 0);
  EXPECT_TRUE(rec.messages.isEmpty());
}

}  // namespace
