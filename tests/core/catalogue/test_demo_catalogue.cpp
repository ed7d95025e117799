// The demo catalogue that ships beside the program: complete, consistent and plausible
// for aluminium roller guides.
#include <QRegularExpression>
#include <QSet>

#include <QDir>
#include <QFileInfo>

#include "core/catalogue/CatalogueFixture.h"
#include "core/common/Session.h"
#include "core/catalogue/BuildCatalogue.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"

namespace {

class DemoCatalogue : public CatalogueTest {
 protected:
  void SetUp() override {
    CatalogueTest::SetUp();
    sSetField(session);
    sSetTblAnzBez(session, true, true, true);
    ASSERT_TRUE(rec.messages.isEmpty());
  }
  static double number(const QString &text) {
    double d = 0;
    EXPECT_TRUE(num::toDouble(text, &d)) << text.toStdString();
    return d;
  }
  testsupport::ScopedCatalogueFile use_{session, testsupport::demoCatalogueFile()};
};

TEST_F(DemoCatalogue, SqlTextBuildsTheSameCatalogue) {
  const QString rebuilt = testsupport::buildCatalogue(testsupport::demoCatalogueSql());
  ASSERT_FALSE(rebuilt.isEmpty());
  const TextRows shipped = session.gastrSettings;
  testsupport::ScopedCatalogueFile use(session, rebuilt);
  sSetField(session);
  EXPECT_EQ(session.gastrSettings, shipped);
}

TEST_F(DemoCatalogue, Settings) {
  EXPECT_EQ(gfstrSettings(session, "StdSiko", false), "15");
  EXPECT_EQ(gfstrSettings(session, "SwSiko", false), "25");
  EXPECT_EQ(gfstrSettings(session, "WeSiko", false), "35");
  EXPECT_FALSE(gfstrSettings(session, "PrgVers", false).isEmpty());
  EXPECT_EQ(gfstrSettings(session, "FNTblAnz", false), "3");
  for (const char *key : {"FNTblNam0", "FNTblNam1", "FNTblNam2"}) {
    const QString list = gfstrSettings(session, key, false);
    EXPECT_EQ(list.count('/'), 3) << key;
    EXPECT_TRUE(list.endsWith('/')) << key;
  }
  EXPECT_EQ(session.gintTblAnz, 5);
  for (int n = 1; n <= 5; ++n)
    for (const QString &list : session.gastrTblNam)
      EXPECT_TRUE(catalogue::isPlainIdentifier(catalogue::nthTableName(list, n)));
}

TEST_F(DemoCatalogue, SeriesArePlausible) {
  const QSet<QString> sizes = {"12", "15", "20", "25", "35", "45"};
  const int n = session.gintTblAnz;
  QSet<QString> types, unitNames;
  bool decimalComma = false;
  for (int code = 1; code <= n; ++code) {
    SCOPED_TRACE(code);
    ASSERT_TRUE(sBerDat(session, code, 0, n));
    const TextRows geo = session.gastrSerie;
    ASSERT_TRUE(sBerDat(session, 20, code, n));
    const TextRows eva = session.gastrSerie;
    ASSERT_EQ(geo.size(), eva.size());
    for (int r = 0; r < geo.size(); ++r) {
      const QStringList &g = geo[r], &e = eva[r];
      SCOPED_TRACE(g.join(' ').toStdString());
      EXPECT_TRUE(sizes.contains(g[1]));
      EXPECT_EQ(g[1], e[1]);
      if (r > 0) {
        EXPECT_LT(number(geo[r - 1][1]), number(g[1]));
      }
      const double a1 = number(g[2]), a2 = number(g[3]);
      EXPECT_GT(a1, 0);
      EXPECT_LT(a1, a2);
      for (int j : {4, 5, 6, 7, 11, 12}) EXPECT_GT(number(g[j]), 0) << j;
      EXPECT_TRUE(QSet<QString>({"4", "6", "8"}).contains(g[8]));
      // Unit series: letters, then the size; distinct from each other and the base series.
      const QRegularExpression unit("^[A-Z]+" + g[1] + "$");
      EXPECT_TRUE(unit.match(g[9]).hasMatch());
      EXPECT_TRUE(unit.match(g[10]).hasMatch());
      EXPECT_NE(g[9], g[10]);
      EXPECT_NE(g[9], g[0]);
      EXPECT_NE(g[10], g[0]);
      unitNames << g[9] << g[10];
      EXPECT_EQ(e[7], g[9]);
      EXPECT_EQ(e[10], g[10]);
      // Load ratings of a few thousand to tens of thousands of N.
      const double c = number(e[2]), co = number(e[3]);
      EXPECT_GE(co, 500);
      EXPECT_LE(c, 100000);
      EXPECT_GT(c, co);
      const double d = number(e[5]);
      EXPECT_GE(d, 5);
      EXPECT_LE(d, 40);
      EXPECT_GT(number(e[4]), a2);  // the unit is longer than its bearing rows
      types << e[6];
      EXPECT_FALSE(e[8].isEmpty());
      EXPECT_FALSE(e[11].isEmpty());
      EXPECT_GT(number(e[9]), 0);
      EXPECT_GT(number(e[12]), 0);
      for (const QString &v : g) decimalComma = decimalComma || v.contains(',');
    }
  }
  EXPECT_EQ(types, QSet<QString>({"N", "K"}));
  EXPECT_TRUE(decimalComma);
  // The evaluation finds a unit by its series name alone, so no name may repeat.
  int units = 0;
  for (int code = 1; code <= n; ++code) {
    sBerDat(session, code, 0, n);
    units += 2 * session.gastrSerie.size();
  }
  EXPECT_EQ(unitNames.size(), units);
}

TEST_F(DemoCatalogue, RepresentativesInformationAndSpecialSeries) {
  msubSearchDB(session, 21, false, 0);
  const ResultSet &reps = session.grsInfo;
  ASSERT_GE(reps.recordCount(), 3);
  for (const auto &row : reps.rows) {
    EXPECT_TRUE(row[5].endsWith("@example.com")) << row[5].toStdString();
    for (int j = 0; j < 5; ++j) EXPECT_FALSE(row[j].isEmpty());
  }
  msubSearchDB(session, 22, false, 0);
  EXPECT_EQ(session.grsInfo.recordCount(), 1);
  msubSearchDB(session, 23, false, 0);
  const ResultSet &special = session.grsSerie;
  ASSERT_GE(special.recordCount(), 3);
  for (const auto &row : special.rows) {
    SCOPED_TRACE(row.join(' ').toStdString());
    ASSERT_EQ(row.size(), 26);
    // Every field is taken over by the special editor, which refuses short texts and zeros.
    for (int j = 0; j < 4; ++j) EXPECT_GE(row[j].size(), 2);
    for (int j = 4; j < 24; ++j) EXPECT_GT(number(row[j]), 0) << j;
    EXPECT_LE(row[0].size(), 5);
    EXPECT_LT(number(row[7]), number(row[8]));
    EXPECT_TRUE(row[25] == "N" || row[25] == "K");
  }
}

// The build step never leaves half a catalogue: a failing script keeps the old file.
TEST(CatalogueBuilder, FailureKeepsThePreviousFile) {
  const QString path = testsupport::buildCatalogue("CREATE TABLE Info (Name TEXT);");
  ASSERT_FALSE(path.isEmpty());
  const qint64 size = QFileInfo(path).size();
  std::string error;
  EXPECT_FALSE(catalogue::buildCatalogueFile("CREATE TABLE x (a); INSERT INTO y VALUES (1);",
                                             path.toStdString(), &error));
  EXPECT_NE(error.find("no such table: y"), std::string::npos) << error;
  EXPECT_EQ(QFileInfo(path).size(), size);
  EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files), QStringList({"DBFN.db"}));
  EXPECT_TRUE(catalogue::buildCatalogueFile("CREATE TABLE Info (Name TEXT, Version TEXT);",
                                            path.toStdString(), &error));
}

}  // namespace
