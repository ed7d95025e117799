// Loading the settings, the table lists of the arrangements and the series data.
#include "core/catalogue/CatalogueFixture.h"
#include "core/common/Numbers.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"

namespace {

using testsupport::buildCatalogue;
using testsupport::ScopedCatalogueFile;

class SeriesLoading : public CatalogueTest {
 protected:
  Session inMode(int mode) const { return testsupport::inTextMode(session, mode); }
  void useDemo() {
    demo_ = std::make_unique<ScopedCatalogueFile>(session, testsupport::demoCatalogueFile());
    sSetField(session);
    ASSERT_TRUE(rec.messages.isEmpty());
  }
  QStringList sizes() const {
    QStringList s;
    for (const auto &row : session.gastrSerie) s << row.value(1);
    return s;
  }
  std::unique_ptr<ScopedCatalogueFile> demo_;
};

TEST_F(SeriesLoading, SettingsComeIntoMemory) {
  useDemo();
  const TextRows &s = session.gastrSettings;
  ASSERT_FALSE(s.isEmpty());
  EXPECT_EQ(s, session.grsSettings.rows);
  EXPECT_FALSE(session.grsSettings.open);
  for (const auto &row : s) EXPECT_EQ(row.size(), 2);
  EXPECT_EQ(gfstrSettings(session, "StdSiko", true), "1,5");
  EXPECT_EQ(gfstrSettings(session, "SwSiko", true), "2,5");
  EXPECT_EQ(gfstrSettings(session, "WeSiko", true), "3,5");
  EXPECT_NE(gfstrSettings(session, "PrgVers", false), "CusSpeVer");
}

TEST_F(SeriesLoading, EmptySettingsTableKeepsWhatWasLoaded) {
  ScopedCatalogueFile use(session, buildCatalogue(smallCatalogueSql() + "DELETE FROM Einstellung;"));
  session.gastrSettings = {{"StdSiko", "15"}};
  sSetField(session);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, QStringLiteral("sSetField!"));
  EXPECT_EQ(rec.messages[0].icon, msg::Icon::Critical);
  EXPECT_EQ(session.gastrSettings, TextRows({{"StdSiko", "15"}}));
  EXPECT_EQ(rec.endCalls, 0);
}

TEST_F(SeriesLoading, CustomerTextSet) {
  ScopedCatalogueFile use(session, buildCatalogue(smallCatalogueSql() + R"sql(
    UPDATE Einstellung SET Wert = 'CusSpeVer' WHERE Beschr = 'PrgVers';
    INSERT INTO Einstellung VALUES ('241', '_'), ('100', 'Kundenrechner '), ('700', '255');
  )sql"));
  sSetField(session);
  ASSERT_TRUE(rec.messages.isEmpty());
  EXPECT_EQ(gfstrSettings(session, "PrgVers", false), "CusSpeVer");
  EXPECT_EQ(gfstrSetText(inMode(3), 241), "");
  EXPECT_EQ(gfstrSetText(inMode(3), 100), "Kundenrechner ");
  EXPECT_EQ(gflngSetColor(inMode(3), 700), 255);
  // Numeric keys sort as text, before the letters.
  EXPECT_EQ(session.gastrSettings.first().first(), "100");
}

// The six arrangements: only one cassette on one double rail switches the TL group on.
struct Arrangement {
  const char *tag;
  bool fn, tl, so;
  QStringList series;  // the base series of codes 1..gintTblAnz
};

TEST_F(SeriesLoading, TableListsOfTheSixArrangements) {
  useDemo();
  const QStringList withTL = {"TLS", "TLK", "TLH", "TLM", "TLX"};
  const QStringList withoutTL = {"TLS", "TLK", "TLH", "TLX"};
  const Arrangement arrangements[] = {
      {"PicEKaEDS", true, true, true, withTL},     {"PicERoEES", true, false, true, withoutTL},
      {"PicZKaZDS", true, false, true, withoutTL}, {"PicZRoEES", true, false, true, withoutTL},
      {"PicZKaEDS", true, false, true, withoutTL}, {"PicVKaZDS", true, false, true, withoutTL}};
  for (const auto &a : arrangements) {
    SCOPED_TRACE(a.tag);
    sSetTblAnzBez(session, a.fn, a.tl, a.so);
    const int n = session.gintTblAnz;
    ASSERT_EQ(n, a.series.size());
    QStringList bases;
    for (const QString &s : a.series) bases << s + "_Basis";
    EXPECT_EQ(session.gastrTblNam[0], bases.join("/") + "/");
    for (int code = 1; code <= n; ++code) {
      ASSERT_TRUE(sBerDat(session, code, 0, n)) << code;
      EXPECT_EQ(session.gastrSerie.first().value(0), a.series[code - 1]);
      EXPECT_EQ(session.gastrSerie.first().size(), 13);
      ASSERT_TRUE(sBerDat(session, 20, code, n)) << code;
      EXPECT_EQ(session.gastrSerie.first().value(0), a.series[code - 1]);
    }
  }
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(SeriesLoading, GroupWithCountZeroAddsNothing) {
  ScopedCatalogueFile use(session, buildCatalogue(smallCatalogueSql()));
  sSetField(session);
  sSetTblAnzBez(session, true, true, true);
  EXPECT_EQ(session.gintTblAnz, 3);
  EXPECT_EQ(session.gastrTblNam, QStringList({"A1/A2/AX/", "B1/B2/BX/", "C1/C2/CX/"}));
  sSetTblAnzBez(session, false, true, false);
  EXPECT_EQ(session.gintTblAnz, 0);
  EXPECT_EQ(session.gastrTblNam, QStringList({"", "", ""}));
  sSetTblAnzBez(session, false, false, true);
  EXPECT_EQ(session.gintTblAnz, 1);
  EXPECT_EQ(session.gastrTblNam, QStringList({"AX/", "BX/", "CX/"}));
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(SeriesLoading, MissingCountKeyLeavesTheListsAlone) {
  ScopedCatalogueFile use(session, buildCatalogue(smallCatalogueSql() +
                                         "DELETE FROM Einstellung WHERE Beschr = 'SoTblAnz';"));
  sSetField(session);
  session.gintTblAnz = 7;
  session.gastrTblNam = {"x/", "y/", "z/"};
  sSetTblAnzBez(session, true, false, true);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, QStringLiteral("sSetTblAnzBez!"));
  EXPECT_EQ(rec.messages[0].text, QStringLiteral("Typen unverträglich"));
  EXPECT_EQ(session.gintTblAnz, 7);
  EXPECT_EQ(session.gastrTblNam, QStringList({"x/", "y/", "z/"}));
  // Without the So group the count is not needed.
  rec.clear();
  sSetTblAnzBez(session, true, false, false);
  EXPECT_TRUE(rec.messages.isEmpty());
  EXPECT_EQ(session.gintTblAnz, 2);
}

TEST_F(SeriesLoading, GeometryAndEvaluationLayouts) {
  useDemo();
  sSetTblAnzBez(session, true, false, true);
  const int n = session.gintTblAnz;
  ASSERT_TRUE(sBerDat(session, 1, 0, n));
  // TLS 45 has no roller shoe: it drops out of the set.
  EXPECT_EQ(sizes(), QStringList({"12", "15", "20", "25", "35"}));
  EXPECT_EQ(session.gastrSerie.first(),
            QStringList({"TLS", "12", "17,5", "41", "14,5", "6,5", "9", "10", "4", "KD12", "RE12",
                         "26,5", "18"}));
  ASSERT_TRUE(sBerDat(session, 20, 1, n));
  EXPECT_EQ(session.gastrSerie.first(),
            QStringList({"TLS", "12", "2350", "1480", "58", "8", "N", "KD12", "KD12-058", "46",
                         "RE12", "RE12-058", "26"}));
  // TLK has no small sizes.
  ASSERT_TRUE(sBerDat(session, 2, 0, n));
  EXPECT_EQ(sizes(), QStringList({"25", "35", "45"}));
}

TEST_F(SeriesLoading, EmptyTableSetLeavesNoRowsBehind) {
  ScopedCatalogueFile use(session, buildCatalogue(smallCatalogueSql()));
  sSetField(session);
  sSetTblAnzBez(session, true, false, true);
  const int n = session.gintTblAnz;
  ASSERT_EQ(n, 3);
  ASSERT_TRUE(sBerDat(session, 2, 0, n));
  ASSERT_FALSE(session.gastrSerie.isEmpty());
  EXPECT_FALSE(sBerDat(session, 3, 0, n));
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, QStringLiteral("sBerDat!"));
  EXPECT_EQ(rec.messages[0].icon, msg::Icon::Critical);
  EXPECT_TRUE(session.gastrSerie.isEmpty());
  ASSERT_TRUE(sBerDat(session, 20, 1, n));
  EXPECT_FALSE(sBerDat(session, 20, 3, n));
  EXPECT_TRUE(session.gastrSerie.isEmpty());
  EXPECT_EQ(titles(), QStringList({"sBerDat!", "sBerDat!"}));
  EXPECT_EQ(rec.endCalls, 0);
}

TEST_F(SeriesLoading, SpecialRollerShoeIsTheLastCode) {
  useDemo();
  sSetTblAnzBez(session, true, true, true);
  Session &s = session;
  s.gintAnzSonder = 1;
  s.gastrSonderGeo = {"SON", "25", "30", "80", "30", "14", "19", "21", "6", "SON", "SON", "55", "37,5"};
  s.gastrSonderAusw = {"SON", "25", "12000", "8000", "130", "16", "N", "SON", "S-K25", "85",
                       "X", "S-R25", "49"};
  const int n = s.gintTblAnz;
  int rows = 0;
  for (int code = 1; code <= n + s.gintAnzSonder; ++code) {
    ASSERT_TRUE(sBerDat(session, code, 0, n));
    rows = s.gastrSerie.size();
  }
  EXPECT_EQ(rows, 1);
  EXPECT_EQ(s.gastrSerie, TextRows({s.gastrSonderGeo}));
  ASSERT_TRUE(sBerDat(session, 20, n + 1, n));
  ASSERT_EQ(s.gastrSerie.size(), 1);
  EXPECT_EQ(s.gastrSerie.first(), s.gastrSonderAusw);
  EXPECT_EQ(s.gastrSerie.first().value(10), "X");
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(SeriesLoading, SpecialRollerShoeWithoutValues) {
  session.gastrSerie = {{"alt"}};
  EXPECT_FALSE(sBerDat(session, 1, 0, 0));
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, QStringLiteral("sBerDat!"));
  EXPECT_EQ(rec.messages[0].text, QStringLiteral("Index außerhalb des gültigen Bereichs"));
  EXPECT_TRUE(session.gastrSerie.isEmpty());
}

TEST_F(SeriesLoading, DatabaseErrorEndsTheProgramInsteadOfAMessage) {
  ScopedCatalogueFile use(session, buildCatalogue(smallCatalogueSql()));
  session.gintTblAnz = 1;
  session.gastrTblNam = {"A1' --/", "B1/", "C1/"};
  EXPECT_THROW(sBerDat(session, 1, 0, 1), msg::ProgramEnded);
  expectDatabaseError();
  ScopedCatalogueFile missing(session, testsupport::missingCatalogueFile());
  rec.clear();
  EXPECT_THROW(sSetField(session), msg::ProgramEnded);
  expectDatabaseError();
}

// A set is loaded from the file once and then from memory: what it loads follows the
// table list of the session and the locale's notation all the same.
TEST_F(SeriesLoading, ASetLoadedAgainFollowsTheTableListAndTheNotation) {
  ScopedCatalogueFile use(session, buildCatalogue(smallCatalogueSql()));
  sSetField(session);
  sSetTblAnzBez(session, true, false, true);
  const int n = session.gintTblAnz;
  for (int pass = 0; pass < 2; ++pass) {
    ASSERT_TRUE(sBerDat(session, 1, 0, n));
    EXPECT_EQ(sizes(), QStringList({"12", "25"}));
    EXPECT_EQ(session.gastrSerie.first().value(2), "17,5");
    EXPECT_EQ(session.gstrSQL, geometrySql("A1", "B1", "C1"));
  }
  session.gastrTblNam = {"A2/A1/", "B2/B1/", "C2/C1/"};
  ASSERT_TRUE(sBerDat(session, 1, 0, n));
  EXPECT_EQ(sizes(), QStringList({"25", "35"}));
  EXPECT_EQ(session.gstrSQL, geometrySql("A2", "B2", "C2"));
  {
    const num::NotationScope english(QLocale(QLocale::English, QLocale::UnitedStates));
    ASSERT_TRUE(sBerDat(session, 2, 0, n));
    EXPECT_EQ(session.gastrSerie.first().value(2), "17.5");
  }
  ASSERT_TRUE(sBerDat(session, 2, 0, n));
  EXPECT_EQ(session.gastrSerie.first().value(2), "17,5");
  EXPECT_TRUE(rec.messages.isEmpty());
}

// The numbers of a table's cells, read once per table, are those cellToFloat reads cell
// by cell: names, empty cells and values beyond a float are no numbers.
TEST(CellNumbers, AreWhatCellToFloatReads) {
  const TextRows rows = {{"TLS", "12", "17,5", "-0,25", "1.500", "", "KD12-058", "1e3", "5e38", " 7 "},
                         {"e", "E5", "+4", "x1", "2,5e-3"}};
  for (const QLocale &loc : {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::English, QLocale::UnitedStates)}) {
    const num::NotationScope scope(loc);
    const auto numbers = catalogue::cellNumbers(rows);
    ASSERT_EQ(numbers->rows.size(), 2u);
    for (int r = 0; r < rows.size(); ++r) {
      const catalogue::CellNumbers::Row &row = numbers->rows[static_cast<size_t>(r)];
      for (int c = 0; c < rows[r].size(); ++c) {
        SCOPED_TRACE(rows[r][c].toStdString() + " in " + loc.name().toStdString());
        float expected = 0.0f;
        const bool single = catalogue::cellToFloat(rows[r][c], &expected);
        double d = 0.0;
        EXPECT_EQ((row.number >> c & 1u) != 0, num::toDouble(rows[r][c], &d));
        ASSERT_EQ((row.single >> c & 1u) != 0, single);
        if (single) {
          EXPECT_EQ(static_cast<float>(row.value[static_cast<size_t>(c)]), expected);
        }
      }
    }
  }
}

}  // namespace
