// The headless calculation end to end: the real tarvelcalc-batch program run on the
// demo catalogue and on catalogues built for the case. Expected numbers follow from the
// load models and the rating formulas by hand (see the comment of each case).
#include <gtest/gtest.h>
#include <cmath>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "support/ArrangementRoads.h"
#include "support/JsonList.h"
#include "support/TestCatalogue.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using testsupport::listOf;


struct BatchRun {
  int exitCode = -1;
  QByteArray out;
  QString err;
  QJsonObject json;

  QJsonArray results() const { return json.value("results").toArray(); }
  QJsonArray evaluation() const { return json.value("evaluation").toArray(); }
  QJsonArray messages() const { return json.value("messages").toArray(); }
  QJsonObject result(const QString &serie, const QString &gr) const {
    for (const QJsonValue &v : results()) {
      const QJsonObject o = v.toObject();
      if (o.value("serie").toString() == serie && o.value("gr").toString() == gr) return o;
    }
    return {};
  }
  QStringList evaluationRow(const QString &unit) const {
    for (const QJsonValue &v : evaluation()) {
      QStringList row;
      for (const QJsonValue &f : v.toArray()) row << f.toString();
      if (row.value(0) == unit) return row;
    }
    return {};
  }
  QStringList loadsOf(const QString &serie, const QString &gr) const {
    QStringList l;
    for (const QJsonValue &v : result(serie, gr).value("loads").toArray())
      l << QString::number(v.toDouble(), 'g', 7);
    return l;
  }
};

// The test runs from build/tests; the programs and the demo catalogue live in build/.
// The locations are also handed to the catalogue helpers, should the runner not have
// set them.
QString buildDir() {
  if (qEnvironmentVariableIsEmpty("TARVEL_BUILD_DIR"))
    qputenv("TARVEL_BUILD_DIR", QDir(QCoreApplication::applicationDirPath() + "/..")
                                    .canonicalPath()
                                    .toLocal8Bit());
  if (qEnvironmentVariableIsEmpty("TARVEL_SOURCE_DIR"))
    qputenv("TARVEL_SOURCE_DIR", TARVEL_TEST_SOURCE_DIR);
  return qEnvironmentVariable("TARVEL_BUILD_DIR");
}

QString program() { return buildDir() + QStringLiteral("/tarvelcalc-batch"); }

class Batch : public ::testing::Test {
 protected:
  void SetUp() override { buildDir(); }
  QTemporaryDir dir;

  QString writeCase(const QByteArray &text) {
    const QString path = dir.filePath(QStringLiteral("case%1.json").arg(++cases_));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    return path;
  }

  BatchRun runArgs(const QStringList &args) {
    QProcess p;
    p.start(program(), args);
    EXPECT_TRUE(p.waitForFinished(60000)) << "batch tool did not finish";
    BatchRun r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = QString::fromUtf8(p.readAllStandardError());
    QJsonParseError e;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out, &e);
    if (e.error == QJsonParseError::NoError) r.json = doc.object();
    return r;
  }

  BatchRun run(const QJsonObject &c, const QString &catalogue = testsupport::demoCatalogueFile(),
               const QStringList &extra = {}) {
    const QString path = writeCase(QJsonDocument(c).toJson());
    BatchRun r = runArgs(QStringList{path, "--catalogue", catalogue} + extra);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_FALSE(r.json.isEmpty()) << r.out.toStdString();
    return r;
  }

  static QJsonObject caseOf(const QString &screen, const QJsonArray &forces, const QString &m = {},
                            const QString &n = {}) {
    QJsonObject c{{"arrangement", screen}, {"forces", forces}};
    if (!m.isNull()) c.insert("m", m);
    if (!n.isNull()) c.insert("n", n);
    return c;
  }

 private:
  int cases_ = 0;
};

// A force table of one row. (A braced QJsonArray holding one QJsonArray would be a
// copy of that row, not a table.)
QJsonArray oneRow(const QStringList &row) {
  QJsonArray table;
  table.append(QJsonArray::fromStringList(row));
  return table;
}

const QString kTitleRefused = QStringLiteral("Abbruch der Berechnung");

// --------------------------------------------------------------- the six arrangements
TEST_F(Batch, OneCassetteCentredForceLoadsEverySeriesWithTheForce) {
  // "- Z" 1000 N at the centre: Q1..Q3 = 0, Q4 = P = 1000 for every series, the linear
  // module TLM included (its table sets count for this arrangement only).
  const BatchRun r = run(caseOf("FrmEKaEDSch", oneRow({"- Z", "1000", "0", "0", "0"})));
  EXPECT_FALSE(r.json.value("calcFailed").toBool());
  EXPECT_TRUE(r.messages().isEmpty());
  EXPECT_EQ(r.json.value("unitDistance").toDouble(), 0.0);
  EXPECT_EQ(r.json.value("railDistance").toDouble(), 0.0);
  ASSERT_EQ(r.results().size(), 20);  // TLS 5, TLK 3, TLH 5, TLM 3, TLX 4
  EXPECT_EQ(r.results()[13].toObject().value("serie").toString(), "TLM");
  for (const QJsonValue &v : r.results()) {
    EXPECT_EQ(v.toObject().value("load").toString(), "1000");
    EXPECT_EQ(r.loadsOf(v.toObject().value("serie").toString(), v.toObject().value("gr").toString()),
              QStringList({"0", "0", "0", "1000", "1000"}));
  }
  ASSERT_EQ(r.evaluation().size(), 20);
  // KD12: Co 1480 / 1000 = 1.48 shows 1,5, which meets 1.5; (2350/1000)^(10/3) * 3.141592
  // * 8 = 433.6 km.
  EXPECT_EQ(r.evaluationRow("KD12"),
            QStringList({"KD12", "12", "KD12-058", "1.480 N", "2.350 N", "1.000 N", "1,5",
                         "434 km", "Sicherheit ausreichend.", "Safety ok."}));
  EXPECT_EQ(r.evaluationRow("LM20").value(2), "LM20-140");
}

// The roads of the six arrangements through the screens give the same rows here.
TEST_F(Batch, TheRoadsOfTheScreensGiveTheirRows) {
  for (const testsupport::Road &road : testsupport::kRoads) {
    SCOPED_TRACE(road.screen);
    QJsonArray forces;
    for (const QStringList &f : road.forces) forces.append(QJsonArray::fromStringList(f));
    QJsonObject c = caseOf(road.screen, forces, QString::fromLatin1(road.m), QString::fromLatin1(road.n));
    c.insert("loadType", 0);  // "ruhend"
    const BatchRun r = run(c);
    for (const QStringList &row : road.rows) EXPECT_EQ(r.evaluationRow(row[0]), row);
  }
}

TEST_F(Batch, RollerShoePairFactorFromRailDistance) {
  // n = 100, TLS 12 (RE12, b' = 18): k1 = 1/(50 + 18) = 0.0147; "Z +" 600 N at y = 30:
  // Q1 = 0.0147 * 30 * 600 = 264.6, Q4 = 600, P = 864.6.
  const BatchRun r =
      run(caseOf("FrmERoEESch", oneRow({"Z +", "600", "0", "30", "0"}), {}, "100"));
  EXPECT_EQ(r.json.value("railDistance").toDouble(), 100.0);
  const QJsonObject tls12 = r.result("TLS", "12");
  EXPECT_EQ(tls12.value("unit").toString(), "RE12");
  EXPECT_EQ(tls12.value("load").toString(), "864,6");
  EXPECT_EQ(r.loadsOf("TLS", "12"), QStringList({"264.6", "0", "0", "600", "864.6"}));
  // 1480 / 864.6 = 1.71; (2350/864.6)^(10/3) * 3.141592 * 8 = 704.3 km; RE12 is 26 mm wide.
  EXPECT_EQ(r.evaluationRow("RE12"),
            QStringList({"RE12", "12", "RE12-058", "1.480 N", "2.350 N", "865 N", "1,7", "704 km",
                         "Sicherheit ausreichend.", "Safety ok."}));
}

TEST_F(Batch, TwoCassettesOnOneRailAndTheCassetteDistanceVerdict) {
  // m = 200, "- Z" 1000 N at x = -50: 750 on both positions of the near cassette, 250 on
  // the far one, for every series. TLH 45 is 246 mm long: longer than 200.
  const BatchRun r =
      run(caseOf("FrmZKaEDSch", oneRow({"- Z", "1000", "-50", "0", "0"}), "200"));
  EXPECT_EQ(r.json.value("unitDistance").toDouble(), 200.0);
  EXPECT_EQ(r.json.value("railDistance").toDouble(), 0.0);
  EXPECT_EQ(r.loadsOf("TLS", "20"), QStringList({"750", "750", "250", "250", "750"}));
  EXPECT_EQ(r.result("TLH", "45").value("load").toString(), "750");
  const QStringList kh45 = r.evaluationRow("KH45");
  EXPECT_EQ(kh45.value(8), "Kassettenabstand zu gering!");
  EXPECT_EQ(kh45.value(9), "Cassettes too narrow!");
  // TLH 35 is 192 mm long and passes: 21800/750 = 29.1.
  EXPECT_EQ(r.evaluationRow("KH35").value(6), "29,1");
  EXPECT_EQ(r.evaluationRow("KH35").value(8), "Sicherheit ausreichend.");
  // KD12: 1480/750 = 1.97 -> 2; 1131 km.
  EXPECT_EQ(r.evaluationRow("KD12").mid(5, 3), QStringList({"750 N", "2", "1.131 km"}));
}

// The rigid-plate check beside the multi-unit models: the tandem whose side force rolls
// it (tests/support/ArrangementRoads.h), where the check governs on KD20.
TEST_F(Batch, RigidPlateCheckKeysAndTheModelAlone) {
  const testsupport::Road &tandem = testsupport::kTandemRollCouple;
  QJsonArray forces;
  for (const QStringList &f : tandem.forces) forces.append(QJsonArray::fromStringList(f));
  QJsonObject c = caseOf(tandem.screen, forces, tandem.m);
  const BatchRun r = run(c, testsupport::demoCatalogueFile(), {"--report", "de"});
  const QJsonObject kd20 = r.result("TLS", "20");
  EXPECT_EQ(kd20.value("governs").toString(), "check");
  EXPECT_EQ(kd20.value("load").toString(), "1093,625");
  EXPECT_EQ(r.loadsOf("TLS", "20"), QStringList({"1093.625", "1093.625", "1093.625", "1093.625", "1093.625"}));
  EXPECT_EQ(kd20.value("modelLoads").toArray(), (QJsonArray{93.75, 243.75, 93.75, 243.75, 243.75}));
  EXPECT_EQ(kd20.value("checkLoads").toArray(), (QJsonArray{1093.625, 1093.625, 1093.625, 1093.625, 1093.625}));
  EXPECT_EQ(r.evaluationRow("KD20").value(5), "1.094 N");
  // The report marks the load and explains the marker.
  const QString report = r.json.value("report").toString();
  EXPECT_TRUE(report.contains("\t1.094 N *\t")) << report.toStdString();
  EXPECT_TRUE(report.contains("* Belastung aus der Nachrechnung als starre Platte, höher als nach dem Lastmodell."));

  c.insert("rigidCheck", false);
  const BatchRun model = run(c);
  const QJsonObject kd20Model = model.result("TLS", "20");
  EXPECT_EQ(kd20Model.value("governs").toString(), "model");
  EXPECT_EQ(kd20Model.value("load").toString(), "243,75");
  EXPECT_TRUE(kd20Model.value("checkLoads").isNull());
  EXPECT_EQ(kd20Model.value("modelLoads").toArray(), kd20Model.value("loads").toArray());
  EXPECT_EQ(model.evaluationRow("KD20").value(5), "244 N");

  // One unit: no check.
  const BatchRun one = run(caseOf("FrmEKaEDSch", forces));
  EXPECT_TRUE(one.result("TLS", "20").value("checkLoads").isNull());
  EXPECT_EQ(one.result("TLS", "20").value("governs").toString(), "model");

  c.insert("rigidCheck", "nein");
  const BatchRun bad = runArgs({writeCase(QJsonDocument(c).toJson()), "--catalogue",
                                testsupport::demoCatalogueFile()});
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_TRUE(bad.err.contains("\"rigidCheck\" must be true or false")) << bad.err.toStdString();
}

// The coordinate along a force's own axis is taken as 0, with one note, and the loads
// are those of the force on its line through 0: for the six arrangements.
TEST_F(Batch, TheCoordinateAlongAForcesOwnAxisIsTakenAsZeroWithANote) {
  for (const testsupport::Road &sc : testsupport::kRoads) {
    const QString m = QString::fromLatin1(sc.m), n = QString::fromLatin1(sc.n);
    QJsonArray at0, moved;
    at0.append(QJsonArray{"- Z", "245", "50", "80", "0"});
    at0.append(QJsonArray{"X +", "125", "0", "50", "120"});
    moved.append(QJsonArray{"- Z", "245", "50", "80", "0"});
    moved.append(QJsonArray{"X +", "125", "50", "50", "120"});
    const BatchRun a = run(caseOf(sc.screen, at0, m, n));
    const BatchRun b = run(caseOf(sc.screen, moved, m, n));
    EXPECT_TRUE(a.messages().isEmpty()) << sc.screen;
    ASSERT_EQ(b.messages().size(), 1) << sc.screen;
    EXPECT_TRUE(b.messages()[0].toObject().value("text").toString().startsWith(
        "Koordinate in Kraftrichtung wird nicht berücksichtigt (Kraftzeile 2)"))
        << b.messages()[0].toObject().value("text").toString().toStdString();
    EXPECT_EQ(b.results(), a.results()) << sc.screen;
    EXPECT_EQ(b.evaluation(), a.evaluation()) << sc.screen;
  }
}

// Values no guide has are refused with exit code 2, naming the key.
TEST_F(Batch, ImplausibleValuesAreRefusedNamingTheKey) {
  const struct {
    QJsonObject c;
    const char *err;
  } cases[] = {
      {caseOf("FrmEKaEDSch", oneRow({"- Z", "1e20", "0", "0", "0"})), "\"forces[0][1]\" must be a number from 0 to 10,000,000"},
      {caseOf("FrmVKaZDSch", oneRow({"- Z", "1000", "0", "0", "0"}), "1e38", "1e38"), "\"m\" must be a number from 0 to 10,000"},
      {caseOf("FrmEKaEDSch", oneRow({"- Z", "1000", "0", "20000", "0"})), "\"forces[0][3]\" must be a number from -10,000 to 10,000"},
  };
  for (const auto &t : cases) {
    const BatchRun r = runArgs({writeCase(QJsonDocument(t.c).toJson()), "--catalogue", testsupport::demoCatalogueFile()});
    EXPECT_EQ(r.exitCode, 2) << t.err;
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(t.err))) << r.err.toStdString();
  }
  QJsonObject duty = caseOf("FrmEKaEDSch", oneRow({"- Z", "1000", "0", "0", "0"}));
  duty.insert("duty", QJsonObject{{"stroke", "99999999999999999999999"}, {"cyclesPerMinute", "10"}});
  const BatchRun r = runArgs({writeCase(QJsonDocument(duty).toJson()), "--catalogue", testsupport::demoCatalogueFile()});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.err.contains("\"duty.stroke\" must be a number from 1 to 100,000")) << r.err.toStdString();
}

TEST_F(Batch, TwoCassettesSideBySideAndTheRailDistanceVerdict) {
  // n = 100, "- Z" 1000 N at the centre: 250 on each roller group, out = 2 * 250 = 500.
  // KD35 (115 mm) and the wider cassettes do not fit between rails 100 mm apart.
  const BatchRun r =
      run(caseOf("FrmZKaZDSch", oneRow({"- Z", "1000", "0", "0", "0"}), {}, "100"));
  EXPECT_EQ(r.json.value("unitDistance").toDouble(), 0.0);
  EXPECT_EQ(r.json.value("railDistance").toDouble(), 100.0);
  EXPECT_EQ(r.loadsOf("TLS", "12"), QStringList({"500", "500", "500", "500", "500"}));
  EXPECT_EQ(r.evaluationRow("KD35").value(8), "Schienenabstand zu gering!");
  EXPECT_EQ(r.evaluationRow("KD35").value(9), "Rails too narrow!");
  EXPECT_EQ(r.evaluationRow("KD25").value(8), "Sicherheit ausreichend.");
  // KD12 at 500 N: 1480/500 = 2.96 -> 3; (2350/500)^(10/3) * 25.13 = 4371 km.
  EXPECT_EQ(r.evaluationRow("KD12").mid(5, 3), QStringList({"500 N", "3", "4.371 km"}));
}

TEST_F(Batch, FourCassettesBilinearShareAndBothDistanceVerdicts) {
  // m = 200, n = 100, "- Z" 800 N at (-50, 25): P1 = 800 * 0.75 * 0.75 = 450,
  // P0 = P3 = 150, P2 = 50. KH45 is 246 mm long and 160 mm wide: both too large.
  const BatchRun r =
      run(caseOf("FrmVKaZDSch", oneRow({"- Z", "800", "-50", "25", "0"}), "200", "100"));
  EXPECT_EQ(r.loadsOf("TLK", "25"), QStringList({"150", "450", "50", "150", "450"}));
  EXPECT_EQ(r.evaluationRow("KH45").value(8), "Kassetten- und Schienenabstand zu gering!");
  EXPECT_EQ(r.evaluationRow("KH45").value(9), "Cassettes and rails too narrow!");
  // KD12 at 450 N: 1480/450 = 3.29 -> 3,3; 6210 km.
  EXPECT_EQ(r.evaluationRow("KD12").mid(5, 3), QStringList({"450 N", "3,3", "6.210 km"}));
}

TEST_F(Batch, TwoRollerShoePairsUseTheLateralOffset) {
  // m = 200, n = 70; TLH 25 (RH25, b2 = 15): W = 70 + 30 = 100. "- Z" 1000 N at
  // y = -25: P0 = P2 = 750, P1 = P3 = 250.
  const BatchRun r =
      run(caseOf("FrmZRoEESch", oneRow({"- Z", "1000", "0", "-25", "0"}), "200", "70"));
  EXPECT_EQ(r.json.value("unitDistance").toDouble(), 200.0);
  EXPECT_EQ(r.json.value("railDistance").toDouble(), 70.0);
  EXPECT_EQ(r.result("TLH", "25").value("unit").toString(), "RH25");
  EXPECT_EQ(r.loadsOf("TLH", "25"), QStringList({"750", "250", "750", "250", "750"}));
  // RH25: 11900/750 = 15.9; RH45 (246 mm long, 94 mm wide) fits neither distance.
  EXPECT_EQ(r.evaluationRow("RH25").value(6), "15,9");
  EXPECT_EQ(r.evaluationRow("RH45").value(8), "Kassetten- und Schienenabstand zu gering!");
}

TEST_F(Batch, TickedListAndLoadTypeAndEnglishNumbers) {
  QJsonObject c = caseOf("FrmVKaZDSch", oneRow({"- Z", "800", "-50", "25", "0"}), "200", "100");
  QJsonArray ticked;
  ticked.append(QJsonArray{"TLS", "12"});
  ticked.append(QJsonArray{"KX20", "20"});
  c.insert("ticked", ticked);
  c.insert("loadType", 2);  // WeSiko 35: 3.5 required
  const BatchRun r = run(c, testsupport::demoCatalogueFile(), {"--locale", "en_US"});
  ASSERT_EQ(r.evaluation().size(), 2);
  // KD12: 1480/450 = 3.3 < 3.5; KX20: 2900/450 = 6.4.
  EXPECT_EQ(r.evaluationRow("KD12"),
            QStringList({"KD12", "12", "KD12-058", "1,480 N", "2,350 N", "450 N", "3.3",
                         "6,210 km", "Belastung zu hoch!", "Over load!"}));
  EXPECT_EQ(r.evaluationRow("KX20").value(8), "Sicherheit ausreichend.");
}

// --------------------------------------------------------------- refusals
TEST_F(Batch, RefusalsShowTheirTextAndNoEvaluation) {
  struct Refusal {
    QJsonObject c;
    QString text;
  };
  const QString noForces = QStringLiteral(
      "Es wurden keine Werte für\neine Berechnung eingegeben!\nBitte ändern Sie Ihre Eingabe.");
  const QJsonArray force = oneRow({"- Z", "1000", "0", "0", "0"});
  const QVector<Refusal> refusals = {
      {caseOf("FrmEKaEDSch", {}), noForces},
      {caseOf("FrmVKaZDSch", force, {}, "100"),
       "Der Schienen- oder der Kassettenabstand\nwurden nicht korrekt eingegeben!\nBitte ändern Sie Ihre Eingabe."},
      {caseOf("FrmZKaEDSch", force, "0,4"),
       "Der Kassettenabstand wurden\nnicht korrekt eingegeben!\nBitte ändern Sie Ihre Eingabe."},
      {caseOf("FrmERoEESch", force),
       "Der Schienenabstand wurden\nnicht korrekt eingegeben!\nBitte ändern Sie Ihre Eingabe."},
      {caseOf("FrmZKaZDSch", force, {}, ""),
       "Der Schienenabstand wurden\nnicht korrekt eingegeben!\nBitte ändern Sie Ihre Eingabe."},
      {caseOf("FrmZRoEESch", force, "200"),
       "Der Schienen- oder der Rollenschuhabstand\nwurden nicht korrekt eingegeben!\nBitte ändern Sie Ihre Eingabe."},
      {caseOf("FrmZRoEESch", oneRow({"- Z", "1000", "", "0", "0"}), "200", "80"), noForces},
  };
  for (const Refusal &f : refusals) {
    const BatchRun r = run(f.c);
    SCOPED_TRACE(f.c.value("arrangement").toString().toStdString());
    EXPECT_TRUE(r.json.value("calcFailed").toBool());
    ASSERT_EQ(r.messages().size(), 1);
    EXPECT_EQ(r.messages()[0].toObject().value("title").toString(), kTitleRefused);
    EXPECT_EQ(r.messages()[0].toObject().value("text").toString(), f.text);
    EXPECT_TRUE(r.evaluation().isEmpty());
    EXPECT_TRUE(r.results().isEmpty());
  }
}

// --------------------------------------------------------------- catalogue variants
TEST_F(Batch, ZeroMomentDistanceShowsTheFactorErrorAndGoesOn) {
  const QString path = testsupport::buildCatalogue(
      testsupport::demoCatalogueSql() + "UPDATE TLS_Kassette SET B = 0 WHERE Gr = 12;");
  ASSERT_FALSE(path.isEmpty());
  // "Z +" 1000 N at y = 50: with k1 = 0 TLS 12 carries only the force; KD15 (B = 33,
  // k1 = 2/33 = 0.0606) adds 0.0606 * 50 * 1000 = 3030.
  const BatchRun r = run(caseOf("FrmEKaEDSch", oneRow({"Z +", "1000", "0", "50", "0"})), path);
  ASSERT_EQ(r.messages().size(), 1);
  EXPECT_EQ(r.messages()[0].toObject().value("text").toString(), "Error gfsngK1!");
  EXPECT_EQ(r.messages()[0].toObject().value("title").toString(), "");
  EXPECT_FALSE(r.json.value("calcFailed").toBool());
  EXPECT_EQ(r.result("TLS", "12").value("load").toString(), "1000");
  EXPECT_EQ(r.result("TLS", "15").value("load").toString(), "4030");
  EXPECT_EQ(r.evaluation().size(), 20);
}

TEST_F(Batch, SizeWithoutBoxStopsTheLayoutButNotTheEvaluation) {
  // A TLX size 30 has no box column: the evaluation screen reports "sSetLayout!" and the
  // sizes placed before it are still rated.
  const QString path = testsupport::buildCatalogue(
      testsupport::demoCatalogueSql() +
      "INSERT INTO TLX_Basis VALUES ('TLX', 30, 36.0, 88.0, 6, 9000, 5600, 130.0, 16.0, 'K');"
      "INSERT INTO TLX_Kassette VALUES ('KX30', 30, 33.0, 21.0, 61.0, 'KX30-130', 92, 44, 66, 16.0);"
      "INSERT INTO TLX_Rollenschuh VALUES ('RX30', 30, 15.0, 23.0, 41.0, 'RX30-130', 53, 38, 30, 16.0);");
  ASSERT_FALSE(path.isEmpty());
  const BatchRun r =
      run(caseOf("FrmVKaZDSch", oneRow({"- Z", "1000", "0", "0", "0"}), "400", "300"), path);
  EXPECT_EQ(r.results().size(), 18);
  ASSERT_EQ(r.messages().size(), 1);
  EXPECT_EQ(r.messages()[0].toObject().value("title").toString(), "sSetLayout!");
  EXPECT_EQ(r.messages()[0].toObject().value("text").toString(),
            "Index außerhalb des gültigen Bereichs");
  EXPECT_EQ(r.evaluation().size(), 17);
  EXPECT_TRUE(r.evaluationRow("KX30").isEmpty());
  EXPECT_EQ(r.evaluationRow("KX25").value(5), "250 N");
}

TEST_F(Batch, SpecialRollerShoeIsEvaluatedAfterTheCatalogue) {
  // Fields: Serie, Gr, order numbers, C, Co, D, a1, a2, b1, b2, B, b', h1, h2, Ls, Bs,
  // h9, BF, h3, B1, h1, BE, h3.
  const QJsonArray fields{"SRS", "25", "KS25-180", "RS25-180", "12000", "9000", "16", "34",
                          "120", "30", "14", "55", "37,5", "19", "21", "180", "85", "40",
                          "60", "15", "49", "35", "28", "15"};
  QJsonObject c = caseOf("FrmERoEESch", oneRow({"- Z", "1000", "0", "0", "0"}), {}, "100");
  c.insert("special", QJsonObject{{"fields", fields}, {"bearings", "6"}, {"type", "K"}});
  const BatchRun r = run(c);
  EXPECT_TRUE(r.messages().isEmpty());
  const QJsonObject last = r.results().last().toObject();
  EXPECT_EQ(last.value("serie").toString(), "SRS");
  EXPECT_EQ(last.value("unit").toString(), "SRS");
  EXPECT_EQ(last.value("load").toString(), "1000");
  // Its rating row carries "X" as roller-shoe series, so the shoe is matched through its
  // series name in the cassette column: order number and width of fields 2 and 16.
  // Co 9000/1000 = 9; (12000/1000)^3 * 3.141592 * 16 = 86 859 km.
  EXPECT_EQ(r.evaluation().last().toArray().toVariantList().value(0).toString(), "SRS");
  EXPECT_EQ(r.evaluationRow("SRS"),
            QStringList({"SRS", "25", "KS25-180", "9.000 N", "12.000 N", "1.000 N", "9",
                         "86.859 km", "Sicherheit ausreichend.", "Safety ok."}));
}

TEST_F(Batch, RefusedSpecialShoeLeavesOnlyTheCatalogue) {
  QJsonArray fields;
  fields.append("SRS");
  fields.append("8");  // one character
  for (int i = 2; i < 24; ++i) fields.append("10");
  QJsonObject c = caseOf("FrmERoEESch", oneRow({"- Z", "1000", "0", "0", "0"}), {}, "100");
  c.insert("special", QJsonObject{{"fields", fields}, {"bearings", "4"}, {"type", "N"}});
  const BatchRun r = run(c);
  ASSERT_GE(r.messages().size(), 1);
  EXPECT_EQ(r.messages()[0].toObject().value("title").toString(), "Datenübernahme abgebrochen");
  EXPECT_EQ(r.messages()[0].toObject().value("text").toString(),
            "In dem Eingabefeld: \"Größe\" wurden keine Daten eingegeben.\n"
            "Bitte überprüfen Sie Ihre Eingabe!");
  EXPECT_NE(r.results().last().toObject().value("serie").toString(), "SRS");
}

// --------------------------------------------------------------- exit status
TEST_F(Batch, BadInvocationsExitWithTwo) {
  const QString good = writeCase(R"({"arrangement": "FrmEKaEDSch", "forces": []})");
  const QString demo = testsupport::demoCatalogueFile();
  const struct {
    QStringList args;
    QString says;
  } bad[] = {
      {{dir.filePath("nothing.json"), "--catalogue", demo}, "case file not found"},
      {{writeCase("{\"arrangement\": "), "--catalogue", demo}, "malformed JSON"},
      {{writeCase(R"({"arrangement": "FrmXYZ"})"), "--catalogue", demo}, "unknown arrangement"},
      {{good, "--catalogue", testsupport::missingCatalogueFile()}, "catalogue file not found"},
      {{good, "--catalogue"}, "needs a value"},
      {{}, "no case file"},
  };
  for (const auto &b : bad) {
    const BatchRun r = runArgs(b.args);
    EXPECT_EQ(r.exitCode, 2) << b.says.toStdString();
    EXPECT_TRUE(r.err.contains(b.says)) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
  }
}

TEST_F(Batch, DatabaseErrorEndsWithOne) {
  const QString c = writeCase(R"({"arrangement": "FrmEKaEDSch", "forces": [["- Z","1","0","0","0"]]})");
  const BatchRun r = runArgs({c, "--catalogue", testsupport::damagedCatalogueFile()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.contains("msubSearchDB! Database error")) << r.err.toStdString();
  ASSERT_FALSE(r.json.isEmpty());
  const QJsonArray m = r.messages();
  ASSERT_FALSE(m.isEmpty());
  EXPECT_EQ(m.last().toObject().value("title").toString(), "msubSearchDB! Database error");
}

// --------------------------------------------------------------- load cases and duty
QJsonObject loadCaseOf(const QString &name, double share, const QStringList &row) {
  return QJsonObject{{"name", name}, {"share", share}, {"forces", oneRow(row)}};
}

TEST_F(Batch, OneLoadCaseGivesWhatTheForceTableGives) {
  const QStringList row = {"- Z", "2500", "50", "-30", "0"};
  QJsonObject plain = caseOf("FrmVKaZDSch", oneRow(row), "400", "300");
  QJsonObject cases{{"arrangement", "FrmVKaZDSch"}, {"m", "400"}, {"n", "300"},
                    {"loadCases", QJsonArray{QJsonObject{{"forces", oneRow(row)}}}}};
  const BatchRun a = run(plain, testsupport::demoCatalogueFile(), {"--export", "--report", "de"});
  const BatchRun b = run(cases, testsupport::demoCatalogueFile(), {"--export", "--report", "de"});
  EXPECT_EQ(a.out, b.out);
  EXPECT_FALSE(a.json.contains("details"));
}

// The hand-computed example of the evaluation's load cases: one cassette, 25 % of the
// travel under 1000 N and 75 % under 2000 N; 500 mm stroke, 10 double strokes a minute,
// 8 hours a day on 250 days. KK25 (ball bearings, C 6800, D 15): Pm = 6,25e9^(1/3) =
// 1842,0 N, L = (6800/1842,0)^3 * 3,141592 * 15 = 2370,8 km = 3951,3 h = 1,98 years.
TEST_F(Batch, LoadCasesAndDutyGiveEquivalentLoadHoursAndYears) {
  QJsonObject c{{"arrangement", "FrmEKaEDSch"},
                {"loadCases", QJsonArray{loadCaseOf("Eilgang", 25, {"- Z", "1000", "0", "0", "0"}),
                                         loadCaseOf("Bearbeitung", 75, {"- Z", "2000", "0", "0", "0"})}},
                {"duty", QJsonObject{{"stroke", 500}, {"cyclesPerMinute", 10}, {"hoursPerDay", 8},
                                     {"daysPerYear", 250}}},
                {"ticked", listOf(QJsonArray{"TLK", "25"})}};
  const BatchRun r = run(c, testsupport::demoCatalogueFile(), {"--export"});
  EXPECT_TRUE(r.messages().isEmpty());
  EXPECT_EQ(r.result("TLK", "25").value("load").toString(), "2000");
  EXPECT_EQ(r.result("TLK", "25").value("caseLoads").toArray().size(), 2);
  EXPECT_EQ(r.evaluationRow("KK25"), QStringList({"KK25", "25", "KK25-118", "3.900 N", "6.800 N", "2.000 N",
                                                  "2", "2.371 km", "Sicherheit ausreichend.", "Safety ok."}));
  const QJsonArray details = r.json.value("details").toArray();
  ASSERT_EQ(details.size(), 1);
  const QJsonObject d = details[0].toObject();
  EXPECT_EQ(d.value("staticLoad").toDouble(), 2000.0);
  EXPECT_NEAR(d.value("equivalentLoad").toDouble(), 1842.0157, 1e-3);
  EXPECT_NEAR(d.value("lifeKm").toDouble(), 2370.761, 1e-2);
  EXPECT_NEAR(d.value("lifeHours").toDouble(), 3951.268, 1e-2);
  EXPECT_NEAR(d.value("lifeYears").toDouble(), 1.97563, 1e-4);
  // The export appends the extra columns to every row.
  const QString exported = r.json.value("export").toString();
  EXPECT_TRUE(exported.contains("Kommentar\tÄquiv. Belastung\tLebensdauer [h]\t[Jahre]\r\n"))
      << exported.toStdString();
  EXPECT_TRUE(exported.contains("Sicherheit ausreichend.\t1.842 N\t3.951\t2,0\t\r\n"));  // years below 10 with tenths
  EXPECT_TRUE(exported.contains("Eilgang\tAnteil 25 %\r\n- Z\t1.000 N\t"));
}

// A required life in hours judges the life as shown in whole hours (3 951 h here):
// reaching it exactly passes, an hour more fails, and what fails is neither recommended
// nor suggested; the export appends the life verdict.
TEST_F(Batch, RequiredLifeJudgesTheShownHoursAndDecidesTheSuggestion) {
  QJsonObject c{{"arrangement", "FrmEKaEDSch"},
                {"loadCases", QJsonArray{loadCaseOf("Eilgang", 25, {"- Z", "1000", "0", "0", "0"}),
                                         loadCaseOf("Bearbeitung", 75, {"- Z", "2000", "0", "0", "0"})}},
                {"duty", QJsonObject{{"stroke", 500}, {"cyclesPerMinute", 10}}},
                {"ticked", listOf(QJsonArray{"TLK", "25"})}};
  struct Row {
    double hours;
    bool lifeOk;
  };
  for (const Row &row : {Row{3951, true}, Row{3952, false}}) {
    c.insert("requiredLife", QJsonObject{{"value", row.hours}, {"unit", "h"}});
    const BatchRun r = run(c, testsupport::demoCatalogueFile(), {"--export"});
    const QJsonArray sizing = r.json.value("sizing").toArray();
    ASSERT_EQ(sizing.size(), 1) << r.out.toStdString();
    const QJsonObject z = sizing[0].toObject();
    EXPECT_EQ(z.value("unit").toString(), "KK25");
    EXPECT_TRUE(z.value("safetyOk").toBool());
    EXPECT_EQ(z.value("lifeOk").toBool(), row.lifeOk) << row.hours;
    EXPECT_EQ(z.value("passes").toBool(), row.lifeOk);
    EXPECT_EQ(z.value("recommended").toBool(), row.lifeOk);
    EXPECT_EQ(r.json.value("suggestion").isNull(), !row.lifeOk);
    const QString exported = r.json.value("export").toString();
    EXPECT_TRUE(exported.contains(row.lifeOk ? "\t3.951\tLebensdauer ausreichend.\t★\t\r\n"
                                             : "\t3.951\tLebensdauer zu gering!\t\t\r\n"))
        << exported.toStdString();
  }
}

TEST_F(Batch, DutyWithoutYearsLeavesThemNull) {
  QJsonObject c = caseOf("FrmEKaEDSch", oneRow({"- Z", "1000", "0", "0", "0"}));
  c.insert("duty", QJsonObject{{"stroke", "250"}, {"cyclesPerMinute", "20"}});
  c.insert("ticked", listOf(QJsonArray{"TLK", "25"}));
  const BatchRun r = run(c);
  const QJsonObject d = r.json.value("details").toArray().at(0).toObject();
  EXPECT_EQ(d.value("equivalentLoad").toDouble(), 1000.0);
  EXPECT_TRUE(d.value("lifeYears").isNull());
  // (6800/1000)^3 * 3,141592 * 15 = 14817,26 km over 2 * 250 * 20 * 60 mm an hour.
  EXPECT_NEAR(d.value("lifeKm").toDouble(), 14817.26, 0.01);
  EXPECT_NEAR(d.value("lifeHours").toDouble(), 24695.43, 0.01);
}

TEST_F(Batch, BadDutyOrSharesAreRefusedByName) {
  QJsonObject c = caseOf("FrmEKaEDSch", oneRow({"- Z", "1000", "0", "0", "0"}));
  c.insert("duty", QJsonObject{{"stroke", 0}, {"cyclesPerMinute", 10}});
  BatchRun r = run(c);
  ASSERT_EQ(r.messages().size(), 1);
  EXPECT_EQ(r.messages()[0].toObject().value("text").toString(),
            "Bitte geben Sie für „Hub (mm)“ eine Zahl größer als 0 ein.");
  EXPECT_TRUE(r.evaluation().isEmpty());

  QJsonObject shares{{"arrangement", "FrmEKaEDSch"},
                     {"loadCases", QJsonArray{loadCaseOf("A", 40, {"- Z", "1000", "0", "0", "0"}),
                                              loadCaseOf("B", 40, {"- Z", "10", "0", "0", "0"})}}};
  r = run(shares);
  EXPECT_TRUE(r.json.value("calcFailed").toBool());
  ASSERT_EQ(r.messages().size(), 1);
  EXPECT_EQ(r.messages()[0].toObject().value("title").toString(), kTitleRefused);
  EXPECT_TRUE(r.messages()[0].toObject().value("text").toString().contains("„B“"));
}

TEST_F(Batch, LoadCasesOfTheWrongFormAreUsageErrors) {
  const QStringList bad = {
      R"({"arrangement": "FrmEKaEDSch", "forces": [], "loadCases": []})",
      R"({"arrangement": "FrmEKaEDSch", "loadCases": [{"share": 50, "forces": []}, {"forces": []}]})",
      R"({"arrangement": "FrmEKaEDSch", "loadCases": [{"share": "viel"}]})",
      R"({"arrangement": "FrmEKaEDSch", "duty": [500, 10]})"};
  for (const QString &text : bad) {
    const BatchRun r = runArgs({writeCase(text.toUtf8()), "--catalogue", testsupport::demoCatalogueFile()});
    EXPECT_EQ(r.exitCode, 2) << text.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
  }
}

// At most 100 load cases, as a case file and as a line of --cases; the refusal names
// the limit.
TEST_F(Batch, AtMostAHundredLoadCases) {
  const auto withLoadCases = [](int n) {
    QJsonArray list;
    for (int i = 0; i < n; ++i)
      list.append(QJsonObject{{"name", QStringLiteral("L%1").arg(i)}, {"share", 100.0 / n},
                              {"forces", oneRow({"- Z", "100", "0", "0", "0"})}});
    return QJsonDocument(QJsonObject{{"arrangement", "FrmEKaEDSch"}, {"loadCases", list}}).toJson(QJsonDocument::Compact);
  };
  const QString demo = testsupport::demoCatalogueFile();
  EXPECT_EQ(runArgs({writeCase(withLoadCases(100)), "--catalogue", demo}).exitCode, 0);
  const BatchRun refused = runArgs({writeCase(withLoadCases(101)), "--catalogue", demo});
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_TRUE(refused.err.contains("\"loadCases\" holds 101 load cases; at most 100 are possible")) << refused.err.toStdString();
  const BatchRun lines = runArgs({"--cases", writeCase(withLoadCases(101) + "\n"), "--catalogue", demo});
  EXPECT_EQ(lines.exitCode, 1);
  EXPECT_TRUE(lines.out.contains("at most 100 are possible")) << lines.out.toStdString();
}

}  // namespace

// The README shows the worked example with its output; it must stay what the tool prints.
TEST_F(Batch, ReadmeWorkedExampleIsWhatTheToolPrints) {
  const QString source = qEnvironmentVariable("TARVEL_SOURCE_DIR");
  QFile readme(source + QStringLiteral("/README.md"));
  ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(readme.readAll());
  const QString prompt = QStringLiteral("$ build/tarvelcalc-batch examples/four-cassettes.json\n");
  const int start = text.indexOf(prompt);
  ASSERT_GE(start, 0);
  const int end = text.indexOf(QStringLiteral("\n```"), start);
  ASSERT_GT(end, start);
  const QString shown = text.mid(start + prompt.size(), end - start - prompt.size());

  const BatchRun r = runArgs({source + QStringLiteral("/examples/four-cassettes.json"), "--catalogue",
                              testsupport::demoCatalogueFile()});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(QString::fromUtf8(r.out).trimmed(), shown.trimmed());
}

// A calculation file saved by the program is a case: its comment lines reach the report,
// keys the tool does not use are ignored, and a file of another format or of a newer
// version is refused.
TEST_F(Batch, CalculationFilesRunWithTheirCommentsAndOthersAreRefused) {
  QJsonObject c = caseOf("FrmEKaEDSch", oneRow({"- Z", "1000", "0", "0", "0"}));
  const BatchRun plain = run(c, testsupport::demoCatalogueFile(), {"--report", "de"});
  c.insert("format", "tarvelcalc-case");
  c.insert("version", 1);
  c.insert("comments", QJsonArray{"Kunde Muster", "Anlage 7"});
  c.insert("drawnBy", "M. Muster");
  const BatchRun file = run(c, testsupport::demoCatalogueFile(), {"--report", "de"});
  EXPECT_EQ(file.json.value("evaluation"), plain.json.value("evaluation"));
  EXPECT_TRUE(file.json.value("report").toString().contains("\r\nKunde Muster\r\nAnlage 7\r\n\r\n"));
  EXPECT_FALSE(plain.json.value("report").toString().contains("Kunde Muster"));

  const QString demo = testsupport::demoCatalogueFile();
  QJsonObject newer = c;
  newer.insert("version", 2);
  QJsonObject other = c;
  other.insert("format", "other");
  for (const auto &[bad, says] : {std::pair{newer, QStringLiteral("the file has version 2")},
                                  std::pair{other, QStringLiteral("the file has the format \"other\"")}}) {
    const BatchRun r = runArgs({writeCase(QJsonDocument(bad).toJson()), "--catalogue", demo});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(says)) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
  }
}

// --------------------------------------------------------------- many cases per run
namespace {

// Runs the tool with `input` on its standard input.
BatchRun runWithInput(const QStringList &args, const QByteArray &input) {
  QProcess p;
  p.start(program(), args);
  p.write(input);
  p.closeWriteChannel();
  EXPECT_TRUE(p.waitForFinished(120000)) << "batch tool did not finish";
  BatchRun r;
  r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = p.readAllStandardOutput();
  r.err = QString::fromUtf8(p.readAllStandardError());
  return r;
}

QVector<QJsonObject> outLines(const QByteArray &out) {
  QVector<QJsonObject> lines;
  for (const QByteArray &line : out.split('\n')) {
    if (line.isEmpty()) continue;
    QJsonParseError e;
    const QJsonDocument doc = QJsonDocument::fromJson(line, &e);
    EXPECT_EQ(e.error, QJsonParseError::NoError) << line.toStdString();
    lines.append(doc.object());
  }
  return lines;
}

QByteArray compact(const QJsonObject &o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); }

}  // namespace

// Every line gives one line, in input order: a case gives what the same case as a file
// gives (here compared as JSON values), a line that is no case names its line number.
TEST_F(Batch, CasesKeepTheirOrderAndBadLinesNameTheirNumber) {
  const QJsonObject one = caseOf("FrmEKaEDSch", oneRow({"- Z", "1000", "0", "0", "0"}));
  const QJsonObject four = caseOf("FrmVKaZDSch", oneRow({"- Z", "800", "-50", "25", "0"}), "200", "100");
  const QJsonObject refused = caseOf("FrmZKaEDSch", oneRow({"- Z", "1000", "0", "0", "0"}), "0,4");
  const QByteArray input = compact(one) + "\n" + "{\"arrangement\": \n" + compact(four) + "\r\n" +
                           R"({"arrangement": "FrmXYZ"})" + "\n\n" + compact(refused) + "\n" +
                           R"({"arrangement": "FrmEKaEDSch", "rigidCheck": 1})";
  EXPECT_EQ(runArgs({writeCase(input), "--cases"}).exitCode, 2);  // --cases needs a value
  const QString file = writeCase(input);
  const BatchRun many = runArgs({"--cases", file, "--catalogue", testsupport::demoCatalogueFile()});
  EXPECT_EQ(many.exitCode, 1) << many.err.toStdString();
  EXPECT_TRUE(many.out.endsWith('\n'));
  const QVector<QJsonObject> lines = outLines(many.out);
  ASSERT_EQ(lines.size(), 7);
  EXPECT_EQ(lines[0], run(one).json);
  EXPECT_EQ(lines[2], run(four).json);
  EXPECT_EQ(lines[5], run(refused).json);
  EXPECT_TRUE(lines[5].value("calcFailed").toBool());
  EXPECT_FALSE(lines[5].contains("status"));  // a refused calculation is a run
  const struct {
    int index;
    QString says;
  } bad[] = {{1, "malformed JSON at offset"}, {3, "unknown arrangement \"FrmXYZ\""}, {4, "empty line"},
             {6, "\"rigidCheck\" must be true or false"}};
  for (const auto &b : bad) {
    SCOPED_TRACE(b.index);
    const QJsonObject &o = lines[b.index];
    EXPECT_EQ(o.value("line").toInt(), b.index + 1);
    EXPECT_EQ(o.value("status").toInt(), 2);
    EXPECT_TRUE(o.value("error").toString().contains(b.says)) << o.value("error").toString().toStdString();
    EXPECT_EQ(o.size(), 3);
  }
  // Each result is one line of compact JSON.
  EXPECT_FALSE(many.out.split('\n')[0].contains(": "));
}

TEST_F(Batch, CasesFromTheStandardInputWithExportAndReport) {
  const QJsonObject one = caseOf("FrmEKaEDSch", oneRow({"- Z", "1000", "0", "0", "0"}));
  const QByteArray input = compact(one) + "\n" + compact(one) + "\n";
  const QString demo = testsupport::demoCatalogueFile();
  const BatchRun r = runWithInput({"--cases", "-", "--catalogue", demo, "--export", "--report", "en"}, input);
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QVector<QJsonObject> lines = outLines(r.out);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_EQ(lines[0], lines[1]);
  EXPECT_EQ(lines[0], run(one, demo, {"--export", "--report", "en"}).json);
  EXPECT_TRUE(lines[0].value("report").toString().contains("Safety ok."));
  // A note of the single case goes to the standard error with its line.
  QJsonObject unknownSize = one;
  unknownSize.insert("ticked", listOf(QJsonArray{"TLS", "99"}));
  const BatchRun noted = runWithInput({"--cases", "-", "--catalogue", demo}, compact(one) + "\n" + compact(unknownSize));
  EXPECT_EQ(noted.exitCode, 0);
  EXPECT_EQ(noted.err, "tarvelcalc-batch: line 2: note: no size box for TLS 99; not ticked\n");
  // No input, no output, nothing failed.
  const BatchRun empty = runWithInput({"--cases", "-", "--catalogue", demo}, QByteArray());
  EXPECT_EQ(empty.exitCode, 0);
  EXPECT_TRUE(empty.out.isEmpty());
}

TEST_F(Batch, CasesAndSweepRefuseWhatTheyCannotDo) {
  const QString demo = testsupport::demoCatalogueFile();
  const QString good = writeCase(compact(caseOf("FrmVKaZDSch", oneRow({"- Z", "800", "0", "0", "0"}), "200", "100")));
  const QString one = writeCase(compact(caseOf("FrmEKaEDSch", oneRow({"- Z", "800", "0", "0", "0"}))));
  const struct {
    QStringList args;
    QString says;
  } bad[] = {
      {{"--cases", good, "--report", "de", "--pdf", dir.filePath("x.pdf")}, "--pdf prints one report"},
      {{good, "--sweep", "m=200:400:50", "--report", "de", "--pdf", dir.filePath("x.pdf")}, "--pdf prints one report"},
      {{"--cases", dir.filePath("none.jsonl")}, "cases file not found"},
      {{"--cases", good, good}, "no case file is given beside it"},
      {{"--cases", good, "--jobs", "0"}, "--jobs takes a number from 1 to 256"},
      {{"--cases", good, "--jobs", "zwei"}, "--jobs takes a number from 1 to 256"},
      {{good, "--jobs", "2"}, "--jobs needs --cases or --sweep"},
      {{"--cases", good, "--sweep", "m=1:2:1"}, "cannot be combined"},
      {{good, "--sweep", "m=200:400:0"}, "must not be 0"},
      {{good, "--sweep", "m=400:200:50"}, "leads away from TO"},
      {{good, "--sweep", "n=100:50:10"}, "leads away from TO"},
      {{good, "--sweep", "m=0:1000000000:1"}, "at most 100000"},
      {{good, "--sweep", "m=200:400"}, "KEY=FROM:TO:STEP"},
      {{good, "--sweep", "m=200:4x0:50"}, "TO of --sweep must be a number"},
      {{good, "--sweep", "m=200,5:400:50"}, "FROM of --sweep must be a number"},  // en_US below
      {{good, "--sweep", "q=1:2:1"}, "unknown sweep key \"q\""},
      {{good, "--sweep", "forces.0.0=1:2:1"}, "unknown sweep key"},
      {{good, "--sweep", "forces.1.1=1:2:1"}, "has no force row 1"},
      {{one, "--sweep", "m=1:2:1"}, "has no distance m"},
      // Values whose count of millionths leaves 64 bits, and a range wider than 64 bits.
      {{good, "--sweep", "m=999999999999999:999999999999999:0,000001"}, "the FROM 999999999999999 of --sweep cannot be stepped"},
      {{good, "--sweep", "m=1:100000000000000:0,000001"}, "the TO 100000000000000 of --sweep cannot be stepped"},
      {{good, "--sweep", "m=500000000000000:-500000000000000:-0,0001"}, "at most 100000"},
      {{good, "--sweep", "m=-500000000000000:500000000000000:1"}, "at most 100000"},
      {{good, "--sweep", "m=200:400:50", "--sweep", "n=100:200:50"}, "--sweep is given twice"},
      // Values outside the plausible range, as a case file refuses them.
      {{good, "--sweep", "m=200:20000:9900"}, "the value 20000: \"m\" must be a number from"},
      {{good, "--sweep", "forces.0.1=20000000:1000:-19999000"}, "the value 20000000: \"forces[0][1]\""},
  };
  for (const auto &b : bad) {
    QStringList args = b.args + QStringList{"--catalogue", demo};
    if (b.says.startsWith("FROM")) args << "--locale" << "en_US";
    const BatchRun r = runArgs(args);
    EXPECT_EQ(r.exitCode, 2) << b.args.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains(b.says)) << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());
  }
}

// A database error ends the program on the screens; in --cases it ends that line only.
TEST_F(Batch, CasesReportTheEndOfTheProgramPerLine) {
  const QByteArray line = compact(caseOf("FrmEKaEDSch", oneRow({"- Z", "1", "0", "0", "0"})));
  const BatchRun r = runArgs({"--cases", writeCase(line + "\n" + line + "\n"), "--catalogue",
                              testsupport::damagedCatalogueFile()});
  EXPECT_EQ(r.exitCode, 1);
  const QVector<QJsonObject> lines = outLines(r.out);
  ASSERT_EQ(lines.size(), 2);
  for (const QJsonObject &o : lines) {
    EXPECT_EQ(o.value("status").toInt(), 1);
    EXPECT_TRUE(o.value("calcFailed").toBool());
    EXPECT_TRUE(o.value("ended").toString().startsWith("msubSearchDB! Database error: "));
    EXPECT_EQ(o.value("messages").toArray().last().toObject().value("title").toString(),
              "msubSearchDB! Database error");
  }
}

// A catalogue without settings: the start of the program says so and ends it.
TEST_F(Batch, CatalogueWithoutSettingsEndsTheProgram) {
  const QString path = testsupport::buildCatalogue(testsupport::demoCatalogueSql() + "DELETE FROM Einstellung;");
  ASSERT_FALSE(path.isEmpty());
  const BatchRun r = runArgs({writeCase(compact(caseOf("FrmEKaEDSch", oneRow({"- Z", "1", "0", "0", "0"})))),
                              "--catalogue", path});
  EXPECT_EQ(r.exitCode, 1);
  ASSERT_EQ(r.messages().size(), 1);
  EXPECT_EQ(r.messages()[0].toObject().value("text").toString(), "Es wurden keine Daten gefunden!");
  EXPECT_TRUE(r.json.value("calcFailed").toBool());
  EXPECT_TRUE(r.err.contains("the program ended: Es wurden keine Daten gefunden!")) << r.err.toStdString();
}

// A few hundred mixed cases: every arrangement, one to four force rows, load cases,
// refusals and lines that are no case. Two and three workers write the same bytes as
// one.
TEST_F(Batch, JobsWriteWhatOneWorkerWrites) {
  const char *screens[] = {"FrmEKaEDSch", "FrmERoEESch", "FrmZKaEDSch", "FrmZKaZDSch", "FrmVKaZDSch", "FrmZRoEESch"};
  const char *directions[] = {"- Z", "Z +", "X +", "- X", "Y +", "- Y"};
  QByteArray input;
  for (int i = 0; i < 300; ++i) {
    if (i % 37 == 5) {
      input += "{\"arrangement\": \"FrmEKaEDSch\", \"forces\": [[\"- Z\"]]}\n";
      continue;
    }
    QJsonArray forces;
    for (int k = 0; k <= i % 4; ++k)
      forces.append(QJsonArray{directions[(i + k) % 6], QString::number(100 + 37 * ((i * 7 + k) % 90)),
                               QString::number((i * 13 + k * 5) % 120 - 60), QString::number((i * 11 + k) % 80 - 40),
                               QString::number((i * 3 + k) % 100)});
    QJsonObject c{{"arrangement", screens[i % 6]},
                  {"m", i % 41 == 3 ? QString("0") : QString::number(150 + (i % 9) * 25)},
                  {"n", QString::number(80 + (i % 7) * 30) + (i % 2 ? ",5" : "")}};
    if (i % 19 == 4)
      c.insert("loadCases", QJsonArray{QJsonObject{{"name", "A"}, {"share", 40}, {"forces", forces}},
                                       QJsonObject{{"name", "B"}, {"share", 60}, {"forces", oneRow({"- Z", "500", "0", "0", "0"})}}});
    else
      c.insert("forces", forces);
    if (i % 5 == 1) c.insert("ticked", listOf(QJsonArray{"TLS", "20"}));
    if (i % 11 == 2) c.insert("loadType", 1);
    input += compact(c) + "\n";
  }
  const QString file = writeCase(input);
  const QString demo = testsupport::demoCatalogueFile();
  const BatchRun one = runArgs({"--cases", file, "--catalogue", demo, "--export", "--jobs", "1"});
  EXPECT_EQ(one.exitCode, 1);  // the lines that are no case
  EXPECT_EQ(outLines(one.out).size(), 300);
  for (const char *jobs : {"2", "3"}) {
    const BatchRun r = runArgs({"--cases", file, "--catalogue", demo, "--export", "--jobs", jobs});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out == one.out) << "--jobs " << jobs << " wrote other bytes";
    EXPECT_EQ(r.err, one.err);
  }
}

// The lines leave the tool whole, many in one write: a consumer never sees the start of
// a line whose end may never come (a killed run). A datagram socket keeps the writes
// apart. A file read in one go is answered in one write.
TEST_F(Batch, TheLinesLeaveWholeInBlocks) {
  QFile example(QStringLiteral(TARVEL_TEST_SOURCE_DIR "/examples/four-cassettes.json"));
  ASSERT_TRUE(example.open(QIODevice::ReadOnly));
  const QByteArray line = compact(QJsonDocument::fromJson(example.readAll()).object());
  const QString file = writeCase(line + "\n" + line + "\n{\"arrangement\": 1}\n" + line + "\n");
  for (const char *jobs : {"1", "2"}) {
    int sv[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, sv), 0);
    const int big = 4 << 20;
    ::setsockopt(sv[0], SOL_SOCKET, SO_SNDBUF, &big, sizeof big);
    ::setsockopt(sv[1], SOL_SOCKET, SO_RCVBUF, &big, sizeof big);
    const QByteArray tool = QFile::encodeName(program()), catalogue = QFile::encodeName(testsupport::demoCatalogueFile());
    const QByteArray cases = QFile::encodeName(file);
    const char *argv[] = {tool.constData(), "--cases", cases.constData(), "--catalogue", catalogue.constData(),
                          "--export", "--report", "de", "--jobs", jobs, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, sv[0], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, sv[1]);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, const_cast<char **>(argv), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(sv[0]);
    QList<QByteArray> writes;
    std::vector<char> buf(8 << 20);
    for (ssize_t n; (n = ::recv(sv[1], buf.data(), buf.size(), 0)) > 0;) writes << QByteArray(buf.data(), n);
    ::close(sv[1]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 1);  // the line that is no case
    ASSERT_FALSE(writes.isEmpty()) << "--jobs " << jobs;
    for (const QByteArray &w : writes) EXPECT_TRUE(w.endsWith('\n'));
    EXPECT_EQ(writes.join().count('\n'), 4);
    if (QByteArray(jobs) == "1") EXPECT_EQ(writes.size(), 1);
  }
}

// A program that feeds the cases one by one through a pipe reads each answer before it
// sends the next: what is done goes out when the tool would wait for input.
TEST_F(Batch, EachAnswerComesBeforeTheNextCase) {
  const QByteArray line = compact(caseOf("FrmEKaEDSch", oneRow({"- Z", "1000", "0", "0", "0"})));
  for (const char *jobs : {"1", "2"}) {
    QProcess p;
    p.start(program(), {"--cases", "-", "--catalogue", testsupport::demoCatalogueFile(), "--jobs", jobs});
    ASSERT_TRUE(p.waitForStarted());
    QByteArray out;
    for (int i = 1; i <= 2; ++i) {
      p.write(line + "\n");
      while (out.count('\n') < i && p.waitForReadyRead(120000)) out += p.readAllStandardOutput();
      EXPECT_EQ(out.count('\n'), i) << "--jobs " << jobs << ": no answer to case " << i;
    }
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(120000));
    out += p.readAllStandardOutput();
    EXPECT_EQ(p.exitCode(), 0);
    const QList<QByteArray> lines = out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], lines[1]);
  }
}

// The smallest size that passes over a range of distances: every value of the sweep is
// the base case with that value typed into the field.
TEST_F(Batch, SweepRunsTheBaseCaseForEveryValue) {
  const QString demo = testsupport::demoCatalogueFile();
  const QJsonObject base = caseOf("FrmVKaZDSch", oneRow({"- Z", "800", "-50", "25", "0"}), "200", "100");
  const BatchRun r = runArgs({writeCase(compact(base)), "--sweep", "n=100:101:0,5", "--catalogue", demo});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QVector<QJsonObject> lines = outLines(r.out);
  ASSERT_EQ(lines.size(), 3);
  const QStringList texts = {"100", "100,5", "101"};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const QJsonObject sweep = lines[i].value("sweep").toObject();
    EXPECT_EQ(sweep.value("key").toString(), "n");
    EXPECT_EQ(sweep.value("text").toString(), texts[i]);
    EXPECT_EQ(sweep.value("value").toDouble(), 100.0 + 0.5 * i);
    QJsonObject single = base;
    single.insert("n", texts[i]);
    QJsonObject line = lines[i];
    line.remove("sweep");
    EXPECT_EQ(line, run(single).json);
  }
  // A force cell, downwards, in English notation.
  const BatchRun f = runArgs({writeCase(compact(base)), "--sweep", "forces.0.1=1000.5:900:-50.25", "--catalogue",
                              demo, "--locale", "en_US", "--jobs", "2"});
  EXPECT_EQ(f.exitCode, 0) << f.err.toStdString();
  const QVector<QJsonObject> forces = outLines(f.out);
  ASSERT_EQ(forces.size(), 3);  // 1000.5, 950.25 and 900: TO itself is a value
  EXPECT_EQ(forces[1].value("sweep").toObject().value("text").toString(), "950.25");
  EXPECT_EQ(forces[2].value("sweep").toObject().value("text").toString(), "900");
  // TLK 25 carries 0.75 x 0.75 of the force on its nearest cassette: 534.515625 N.
  int rated = 0;
  for (const QJsonValue &v : forces[1].value("results").toArray()) {
    if (v.toObject().value("unit").toString() != "KK25") continue;
    EXPECT_NEAR(v.toObject().value("loads").toArray()[4].toDouble(), 534.515625, 1e-3);
    ++rated;
  }
  EXPECT_EQ(rated, 1);
  // Sweeping a force along its own line changes no load; the moved values say so.
  const BatchRun own = runArgs({writeCase(compact(base)), "--sweep", "forces.0.4=0:50:50", "--catalogue", demo});
  EXPECT_EQ(own.exitCode, 0) << own.err.toStdString();
  const QVector<QJsonObject> moved = outLines(own.out);
  ASSERT_EQ(moved.size(), 2);
  EXPECT_TRUE(moved[0].value("messages").toArray().isEmpty());
  ASSERT_EQ(moved[1].value("messages").toArray().size(), 1);
  EXPECT_TRUE(moved[1].value("messages")[0].toObject().value("text").toString().startsWith(
      "Koordinate in Kraftrichtung wird nicht berücksichtigt (Kraftzeile 1)"));
  EXPECT_EQ(moved[1].value("results"), moved[0].value("results"));
}

// The sizing of every output is the choice made by hand from its own evaluation rows:
// the six arrangements under three loads, with one or two load cases, without a required
// life, against one in km and against one in hours (with a duty cycle).
TEST_F(Batch, SizingIsTheChoiceMadeByHandFromTheRows) {
  struct Life {
    double value;
    const char *unit;
  };
  const Life lives[] = {{0, nullptr}, {2000, "km"}, {3000, "h"}};
  QByteArray input;
  QVector<Life> asked;
  for (const testsupport::Road &road : testsupport::kRoads)
    for (double scale : {0.3, 1.0, 2.5})
      for (bool twoCases : {false, true})
        for (const Life &life : lives) {
          QJsonArray forces;
          for (const QStringList &f : road.forces) {
            QStringList row = f;
            row[1] = QString::number(f[1].toDouble() * scale);
            forces.append(QJsonArray::fromStringList(row));
          }
          QJsonObject c = caseOf(road.screen, forces, road.m, road.n);
          c.insert("ticked", "all");
          if (twoCases) {
            QJsonArray light;
            for (const QJsonValue &f : forces) {
              QJsonArray row = f.toArray();
              row[1] = QString::number(row[1].toString().toDouble() / 2);
              light.append(row);
            }
            c.remove("forces");
            c.insert("loadCases", QJsonArray{QJsonObject{{"name", "A"}, {"share", 40}, {"forces", forces}},
                                             QJsonObject{{"name", "B"}, {"share", 60}, {"forces", light}}});
          }
          if (life.unit) c.insert("requiredLife", QJsonObject{{"value", life.value}, {"unit", life.unit}});
          if (life.unit && QByteArray(life.unit) == "h")
            c.insert("duty", QJsonObject{{"stroke", 400}, {"cyclesPerMinute", 12}});
          input += compact(c) + "\n";
          asked << life;
        }
  const BatchRun r = runWithInput({"--cases", "-", "--catalogue", testsupport::demoCatalogueFile()}, input);
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QVector<QJsonObject> lines = outLines(r.out);
  ASSERT_EQ(lines.size(), asked.size());
  int recommended = 0, failedLife = 0;
  for (int i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(i);
    const QJsonArray rows = lines[i].value("evaluation").toArray();
    const QJsonArray details = lines[i].value("details").toArray();
    const QJsonArray sizing = lines[i].value("sizing").toArray();
    ASSERT_EQ(sizing.size(), rows.size());
    const auto number = [](QString s) { return s.remove('.').replace(',', '.').section(' ', 0, 0).toDouble(); };
    QVector<bool> passes(rows.size());
    QMap<QString, int> best;  // series -> smallest passing row
    for (int k = 0; k < rows.size(); ++k) {
      const QJsonArray row = rows[k].toArray();
      std::optional<bool> lifeOk;
      if (asked[i].unit && QByteArray(asked[i].unit) == "km")
        lifeOk = number(row[7].toString()) >= asked[i].value;
      else if (asked[i].unit)
        lifeOk = std::nearbyint(details[k].toObject().value("lifeHours").toDouble()) >= asked[i].value;
      passes[k] = row[8].toString() == "Sicherheit ausreichend." && lifeOk.value_or(true);
      failedLife += lifeOk == false;
      const QJsonObject z = sizing[k].toObject();
      EXPECT_EQ(z.value("lifeOk").isNull(), !lifeOk.has_value());
      if (lifeOk) EXPECT_EQ(z.value("lifeOk").toBool(), *lifeOk);
      EXPECT_EQ(z.value("passes").toBool(), passes[k]);
      const QString series = row[0].toString().section(QRegularExpression("\\d"), 0, 0);
      if (passes[k] && (!best.contains(series) || row[1].toString().toInt() < rows[best[series]].toArray()[1].toString().toInt()))
        best[series] = k;
    }
    for (int k = 0; k < rows.size(); ++k)
      EXPECT_EQ(sizing[k].toObject().value("recommended").toBool(), best.values().contains(k)) << k;
    recommended += best.size();
    // The suggestion: a recommended size, none smaller, none of its size safer.
    const QJsonValue s = lines[i].value("suggestion");
    ASSERT_EQ(s.isNull(), best.isEmpty());
    if (best.isEmpty()) continue;
    const int size = s.toObject().value("gr").toString().toInt();
    int at = -1;
    for (int k : best) {
      const QJsonArray row = rows[k].toArray();
      EXPECT_GE(row[1].toString().toInt(), size);
      if (row[0].toString() == s.toObject().value("unit").toString()) at = k;
    }
    ASSERT_GE(at, 0) << "the suggestion is a recommended size";
    for (int k : best)
      if (rows[k].toArray()[1].toString().toInt() == size)
        EXPECT_GE(number(rows[at].toArray()[6].toString()), number(rows[k].toArray()[6].toString()));
  }
  // The cases reach both answers.
  EXPECT_GT(recommended, 0);
  EXPECT_GT(failedLife, 0);
}
