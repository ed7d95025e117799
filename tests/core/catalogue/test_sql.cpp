// The SQL text of every table code, character for character, and the table-name rules.
#include "core/catalogue/CatalogueFixture.h"
#include "core/common/Session.h"

namespace {

class CatalogueSql : public CatalogueTest {
 protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    session.gintTblAnz = 3;
    session.gastrTblNam = {"A1/A2/A3/", "B1/B2/B3/", "C1/C2/C3/"};
  }
};

TEST_F(CatalogueSql, FixedTablesHaveTheirTexts) {
  conStrSQL(session, 0, 0);
  EXPECT_EQ(session.gstrSQL, kSettingsSql);
  conStrSQL(session, 21, 2);
  EXPECT_EQ(session.gstrSQL, kRepresentativesSql);
  conStrSQL(session, 22, 0);
  EXPECT_EQ(session.gstrSQL, kInfoSql);
  conStrSQL(session, 23, 1);
  EXPECT_EQ(session.gstrSQL, kSpecialSql);
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(CatalogueSql, GeometryCodeTakesTheNamesOfItsSet) {
  conStrSQL(session, 1, 0);
  EXPECT_EQ(session.gstrSQL, geometrySql("A1", "B1", "C1"));
  // The table-set number plays no part outside code 20.
  conStrSQL(session, 2, 3);
  EXPECT_EQ(session.gstrSQL, geometrySql("A2", "B2", "C2"));
  conStrSQL(session, 3, 0);
  EXPECT_EQ(session.gstrSQL, geometrySql("A3", "B3", "C3"));
}

TEST_F(CatalogueSql, EvaluationCodeTakesTheNamesOfTheSetNumber) {
  conStrSQL(session, 20, 2);
  EXPECT_EQ(session.gstrSQL, evaluationSql("A2", "B2", "C2"));
  conStrSQL(session, 20, 3);
  EXPECT_EQ(session.gstrSQL, evaluationSql("A3", "B3", "C3"));
}

TEST_F(CatalogueSql, UnknownCodeKeepsThePreviousText) {
  session.gstrSQL = "SELECT 1";
  for (int code : {24, 4, -1, 19}) conStrSQL(session, code, 1);
  EXPECT_EQ(session.gstrSQL, QStringLiteral("SELECT 1"));
  ASSERT_EQ(rec.messages.size(), 4);
  EXPECT_EQ(rec.messages[0].text, QStringLiteral("Error Tabelname 24 ?"));
  EXPECT_EQ(rec.messages[0].icon, msg::Icon::None);
  EXPECT_TRUE(rec.messages[0].title.isEmpty());
  EXPECT_EQ(rec.messages[1].text, QStringLiteral("Error Tabelname 4 ?"));
  EXPECT_EQ(rec.messages[2].text, QStringLiteral("Error Tabelname -1 ?"));
  EXPECT_EQ(rec.messages[3].text, QStringLiteral("Error Tabelname 19 ?"));
}

TEST_F(CatalogueSql, SetBeyondTheListsGetsEmptyNames) {
  session.gintTblAnz = 4;
  conStrSQL(session, 4, 0);
  EXPECT_EQ(session.gstrSQL, geometrySql("", "", ""));
  EXPECT_TRUE(session.gstrSQL.contains("FROM  a,  b,  c Where"));
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(CatalogueSql, FaultyNamesNeverEnterTheText) {
  const QString quote = "A1' OR '1'='1";
  const QString injection = "Einstellung; DROP TABLE Info; --";
  session.gastrTblNam = {quote + "/", "Kassette Neu/", injection + "/"};
  session.gintTblAnz = 1;
  conStrSQL(session, 1, 0);
  EXPECT_EQ(session.gstrSQL, geometrySql("", "", ""));
  conStrSQL(session, 20, 1);
  EXPECT_EQ(session.gstrSQL, evaluationSql("", "", ""));
  EXPECT_FALSE(session.gstrSQL.contains("DROP"));
  EXPECT_TRUE(rec.messages.isEmpty());  // reported when the query runs
}

TEST(TableNames, NthNameIsTheTextBeforeTheNthSlash) {
  EXPECT_EQ(catalogue::nthTableName("A/B/C/", 1), "A");
  EXPECT_EQ(catalogue::nthTableName("A/B/C/", 2), "B");
  EXPECT_EQ(catalogue::nthTableName("A/B/C/", 3), "C");
  EXPECT_EQ(catalogue::nthTableName("A/B/C/", 4), "");
  EXPECT_EQ(catalogue::nthTableName("A/B", 2), "");  // no slash after B: no name
  EXPECT_EQ(catalogue::nthTableName("A//C/", 2), "");
  EXPECT_EQ(catalogue::nthTableName("", 1), "");
  EXPECT_EQ(catalogue::nthTableName("A/", 0), "");
}

TEST(TableNames, OnlyPlainIdentifiers) {
  for (const char *good : {"TLS_Basis", "T1", "_x", "a", "FN_2002"})
    EXPECT_TRUE(catalogue::isPlainIdentifier(good)) << good;
  for (const char *bad : {"", "TLS Basis", "A'B", "A\"B", "A;B", "A-B", "[A]", "1abc", "A.B",
                          "Tabelle\n", " A"})
    EXPECT_FALSE(catalogue::isPlainIdentifier(bad)) << bad;
  EXPECT_FALSE(catalogue::isPlainIdentifier(QStringLiteral("Führung")));
}

}  // namespace
