// The calculation file: reading, writing back (unknown keys included), every refusal
// with its English (batch tool) and German (screens) text, and what the screens would
// refuse.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "core/document/CaseFile.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"
#include "support/JsonList.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

calcfile::Case parsed(const QByteArray &json) {
  calcfile::Case c;
  calcfile::Error e;
  EXPECT_TRUE(calcfile::parse(json, &c, &e)) << e.english.toStdString();
  return c;
}

QString refusal(const QByteArray &json, QString *english = nullptr) {
  calcfile::Error e;
  EXPECT_FALSE(calcfile::parse(json, nullptr, &e)) << json.toStdString();
  if (english) *english = e.english;
  return e.german;
}

const QByteArray kFull = R"({
  "format": "tarvelcalc-case", "version": 1,
  "arrangement": "FrmZRoEESch", "m": "400", "n": "250,5",
  "forces": [["- Z", "1000", "0", "0", "0"], ["X +", 200, "10", "-5", "30"]],
  "loadType": 2,
  "ticked": [["FRS", "20"], ["FE25", 25]],
  "special": {"fields": ["SRS", "20", "SRS-1", "SR-1", "1", "2", "3", "4", "5", "6", "7", "8",
                         "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20"],
              "bearings": "6", "type": "K"},
  "comments": ["Kunde", "Halle 3"],
  "requiredLife": {"value": 20000, "unit": "h"},
  "mounting": [{"share": 50}],
  "drawnBy": "M. Muster"
})";

TEST(CaseFile, ReadsEveryKeyAsTyped) {
  const calcfile::Case c = parsed(kFull);
  EXPECT_EQ(c.arrangement, "FrmZRoEESch");
  EXPECT_EQ(c.m, "400");
  EXPECT_EQ(c.n, "250,5");
  ASSERT_EQ(c.forces.size(), 2);
  // A number as the locale shows it; the x of an X force (its place along its own line
  // of action, which changes no load) stays as typed, and reading says once that the
  // calculation takes it as 0.
  EXPECT_EQ(c.forces[1], QStringList({"X +", "200", "10", "-5", "30"}));
  ASSERT_EQ(c.notes.size(), 1);
  EXPECT_TRUE(c.notes[0].startsWith("Koordinate in Kraftrichtung wird nicht berücksichtigt (Kraftzeile 2)")) << c.notes[0].toStdString();
  EXPECT_EQ(c.loadType, 2);
  EXPECT_FALSE(c.tickAll);
  ASSERT_EQ(c.ticked.size(), 2);
  EXPECT_EQ(c.ticked[1], qMakePair(QStringLiteral("FE25"), QStringLiteral("25")));
  ASSERT_TRUE(c.special);
  EXPECT_EQ(c.special->bearingsIndex, 1);
  EXPECT_EQ(c.special->type, "K");
  ASSERT_TRUE(c.comments);
  EXPECT_EQ(*c.comments, QStringList({"Kunde", "Halle 3", "", "", "", ""}));
  EXPECT_EQ(c.requiredLife, (loads::RequiredLifeTexts{"20000", true}));
  EXPECT_EQ(c.unknown.keys(), QStringList({"drawnBy", "mounting"}));
}

TEST(CaseFile, WritesBackWhatItReadAndKeepsUnknownKeys) {
  const calcfile::Case c = parsed(kFull);
  const QByteArray written = calcfile::toJson(c);
  const QJsonObject o = QJsonDocument::fromJson(written).object();
  EXPECT_EQ(o.value("format").toString(), "tarvelcalc-case");
  EXPECT_EQ(o.value("version").toInt(), 1);
  EXPECT_EQ(o.value("drawnBy").toString(), "M. Muster");
  EXPECT_EQ(o.value("mounting"), QJsonDocument::fromJson(kFull).object().value("mounting"));
  EXPECT_EQ(parsed(written), c);
  // Written twice, the same bytes.
  EXPECT_EQ(calcfile::toJson(parsed(written)), written);
}

TEST(CaseFile, ABatchCaseWithoutFormatTicksAllAndLeavesOutWhatIsEmpty) {
  const calcfile::Case c = parsed(R"({"arrangement": "FrmEKaEDSch"})");
  EXPECT_TRUE(c.tickAll);
  EXPECT_TRUE(c.forces.isEmpty());
  EXPECT_FALSE(c.special);
  EXPECT_FALSE(c.comments);
  const QJsonObject o = QJsonDocument::fromJson(calcfile::toJson(c)).object();
  EXPECT_FALSE(o.contains("m"));
  EXPECT_FALSE(o.contains("special"));
  EXPECT_EQ(o.value("ticked").toString(), "all");
  // The empty row of a new force table is no force.
  calcfile::Case withEmptyRow = c;
  withEmptyRow.forces = {QStringList(5)};
  EXPECT_TRUE(QJsonDocument::fromJson(calcfile::toJson(withEmptyRow)).object().value("forces").toArray().isEmpty());
}

// A case of `n` load cases of equal share, each with one force.
QByteArray manyLoadCases(int n) {
  QJsonArray list;
  const QJsonArray forces = testsupport::listOf(QJsonArray{"- Z", "100", "0", "0", "0"});
  for (int i = 0; i < n; ++i)
    list.append(QJsonObject{{"name", QStringLiteral("L%1").arg(i)}, {"share", 100.0 / n}, {"forces", forces}});
  return QJsonDocument(QJsonObject{{"arrangement", "FrmEKaEDSch"}, {"loadCases", list}}).toJson();
}

TEST(CaseFile, AHundredLoadCasesAreRead) { EXPECT_EQ(parsed(manyLoadCases(100)).loadCases.size(), 100); }

TEST(CaseFile, EachRefusalSaysWhatIsWrongInBothLanguages) {
  const struct {
    QByteArray json;
    QString english, german;
  } bad[] = {
      {"[1, 2]", "the case must be a JSON object", builtinText(1214)},
      {"{\"arrangement\": ", "malformed JSON at offset", "Die Datei enthält kein gültiges JSON (Zeichen "},
      {R"({"format": "other-program", "arrangement": "FrmEKaEDSch"})", "the file has the format \"other-program\"",
       "Die Datei hat das Format „other-program“; eine Berechnungsdatei hat das Format „tarvelcalc-case“."},
      {R"({"format": "tarvelcalc-case", "version": 2, "arrangement": "FrmEKaEDSch"})",
       "the file has version 2; this program reads versions up to 1",
       "Die Datei hat die Version 2; dieses Programm liest Berechnungsdateien bis Version 1."},
      {R"({"version": "eins", "arrangement": "FrmEKaEDSch"})", "\"version\" must be a whole number",
       "Der Eintrag „version“ hat nicht die erwartete Form."},
      {R"({"arrangement": "FrmXYZ"})", "unknown arrangement \"FrmXYZ\"", "Die Anordnung „FrmXYZ“ ist unbekannt."},
      {R"({"arrangement": "FrmEKaEDSch", "m": [1]})", "\"m\" must be a text", "Der Eintrag „m“ muss ein Text wie „200“ sein."},
      {R"({"arrangement": "FrmEKaEDSch", "forces": 5})", "\"forces\" must be a list of rows", builtinText(1219)},
      {R"({"arrangement": "FrmEKaEDSch", "forces": [["- Z", "1"]]})", "each force row must be", builtinText(1220)},
      {R"({"arrangement": "FrmEKaEDSch", "forces": [["Q", "1", "0", "0", "0"]]})", "unknown force direction \"Q\"",
       "Die Kraftrichtung „Q“ ist unbekannt."},
      {R"({"arrangement": "FrmEKaEDSch", "loadType": 3})", "\"loadType\" must be 0, 1 or 2", builtinText(1222)},
      {R"({"arrangement": "FrmEKaEDSch", "ticked": "some"})", "\"ticked\" must be", builtinText(1223)},
      {R"({"arrangement": "FrmEKaEDSch", "special": {"fields": []}})", "\"special\" needs \"fields\"", builtinText(1224)},
      {R"({"arrangement": "FrmEKaEDSch", "comments": ["a", 2]})", "\"comments\" must be", builtinText(1227)},
      {R"({"arrangement": "FrmEKaEDSch", "comments": ["1","2","3","4","5","6","7"]})", "\"comments\" must be", builtinText(1227)},
      {R"({"arrangement": "FrmEKaEDSch", "requiredLife": {"value": 5, "unit": "years"}})",
       "\"requiredLife.unit\" must be \"h\" or \"km\"", builtinText(1228).arg("requiredLife")},
      {R"({"arrangement": "FrmEKaEDSch", "requiredLife": {"value": "0,5", "unit": "km"}})",
       "\"requiredLife.value\" must be a number from 1 to", "Der Wert von „Geforderte Lebensdauer“ liegt außerhalb"},
      {manyLoadCases(101), "\"loadCases\" holds 101 load cases; at most 100 are possible",
       "Die Datei enthält 101 Lastfälle; möglich sind höchstens 100."},
  };
  for (const auto &b : bad) {
    QString english;
    const QString german = refusal(b.json, &english);
    EXPECT_TRUE(english.startsWith(b.english)) << english.toStdString();
    EXPECT_TRUE(german.startsWith(b.german)) << german.toStdString();
  }
}

TEST(CaseFile, FilesThatCannotBeReadSaySo) {
  QTemporaryDir dir;
  calcfile::Error e;
  EXPECT_FALSE(calcfile::readFile(dir.filePath("none.tcalc"), nullptr, &e));
  EXPECT_EQ(e.german, "Die Datei ist nicht vorhanden.");
  EXPECT_EQ(e.english, "case file not found: " + dir.filePath("none.tcalc"));
  EXPECT_FALSE(calcfile::readFile(dir.path(), nullptr, &e));
  EXPECT_TRUE(e.german.startsWith("Die Datei kann nicht gelesen werden")) << e.german.toStdString();
  QFile broken(dir.filePath("broken.tcalc"));
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("{\"arrangement\": ");
  broken.close();
  EXPECT_FALSE(calcfile::readFile(broken.fileName(), nullptr, &e));
  EXPECT_TRUE(e.english.startsWith("malformed JSON in " + broken.fileName() + " at offset ")) << e.english.toStdString();
}

TEST(CaseFile, WriteFileReplacesOnlyWhenComplete) {
  QTemporaryDir dir;
  const calcfile::Case c = parsed(kFull);
  const QString path = dir.filePath("a.tcalc");
  QString reason;
  ASSERT_TRUE(calcfile::writeFile(path, c, &reason));
  calcfile::Case back;
  ASSERT_TRUE(calcfile::readFile(path, &back, nullptr));
  EXPECT_EQ(back, c);
  EXPECT_FALSE(calcfile::writeFile(dir.filePath("no/such/folder/a.tcalc"), c, &reason));
  EXPECT_FALSE(reason.isEmpty());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"a.tcalc"}));
}

TEST(CaseFile, ScreensRefuseWhatTheirFieldsWouldNotTake) {
  num::setLocale(QLocale(QLocale::German, QLocale::Germany));
  calcfile::Case c = parsed(kFull);
  EXPECT_FALSE(calcfile::screenRefusal(c));
  c.m = "-400";
  EXPECT_EQ(calcfile::screenRefusal(c).value_or(""),
            "Der Abstand „m“ enthält „-400“; dort sind nur Ziffern und das Komma möglich.");
  c.m = "400";
  c.forces[1][3] = "fünf";
  EXPECT_EQ(calcfile::screenRefusal(c).value_or(""),
            "Die Kraftzeile 2 enthält unter „Y-Richtung“ den Wert „fünf“, der keine Zahl ist.");
  c.forces[1][3] = "-5";
  c.special->fields[1] = "2";  // a size needs two characters
  EXPECT_EQ(calcfile::screenRefusal(c).value_or(""),
            "Der Sonder-Rollenschuh würde nicht übernommen: In dem Eingabefeld: \"Größe\" wurden keine Daten "
            "eingegeben.\nBitte überprüfen Sie Ihre Eingabe!");
  num::resetLocale();
}

TEST(CaseFile, TicksMatchSeriesOrUnitSeriesAndTheSizeAsNumber) {
  const QStringList row = {"TLS", "20", "1144,5", "KD20"};
  EXPECT_TRUE(calcfile::tickMatches({"TLS", "20"}, row));
  EXPECT_TRUE(calcfile::tickMatches({"KD20", "20,0"}, row));
  EXPECT_FALSE(calcfile::tickMatches({"TLS", "25"}, row));
  EXPECT_FALSE(calcfile::tickMatches({"TLK", "20"}, row));
}

TEST(CaseFile, SuffixIsAddedOnlyWhereNoneWasTyped) {
  EXPECT_EQ(calcfile::withSuffix("/tmp/anlage", "tcalc"), "/tmp/anlage.tcalc");
  EXPECT_EQ(calcfile::withSuffix("/tmp/anlage.tcalc", "tcalc"), "/tmp/anlage.tcalc");
  EXPECT_EQ(calcfile::withSuffix("/tmp/anlage.json", "tcalc"), "/tmp/anlage.json");
  EXPECT_EQ(calcfile::withSuffix("/tmp/v1.2/anlage", "txt"), "/tmp/v1.2/anlage.txt");
  EXPECT_EQ(calcfile::withSuffix("", "txt"), "");
}

}  // namespace
