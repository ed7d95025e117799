// The programs' command lines: --help, --version, unknown options, and the commands of
// tarvelcalc-catalogue, run as the user runs them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "support/TestCatalogue.h"

namespace {

struct Outcome {
  int code = -1;
  QString out, err;
};

Outcome run(const QString &program, const QStringList &args) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  p.setProcessEnvironment(env);
  p.start(QDir(qEnvironmentVariable("TARVEL_BUILD_DIR")).filePath(program), args);
  EXPECT_TRUE(p.waitForFinished(60000)) << qPrintable(program);
  Outcome r;
  r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = QString::fromUtf8(p.readAllStandardOutput());
  r.err = QString::fromUtf8(p.readAllStandardError());
  return r;
}

class Program : public ::testing::TestWithParam<const char *> {};

TEST_P(Program, AnswersHelpVersionAndUnknownOptions) {
  const QString name = QString::fromLatin1(GetParam());
  const Outcome help = run(name, {QStringLiteral("--help")});
  EXPECT_EQ(help.code, 0);
  EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: ") + name)) << qPrintable(help.out);
  EXPECT_TRUE(help.out.contains(QLatin1String("\nOptions:\n"))) << qPrintable(help.out);
  EXPECT_TRUE(help.out.contains(QLatin1String("\nExit status:\n"))) << qPrintable(help.out);

  const Outcome version = run(name, {QStringLiteral("--version")});
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out, name + QStringLiteral(" (TarvelCALC) 2002.2.0.8\n"));

  const Outcome unknown = run(name, {QStringLiteral("--no-such-option")});
  EXPECT_EQ(unknown.code, 2);
  EXPECT_TRUE(unknown.err.contains(QLatin1String("--no-such-option"))) << qPrintable(unknown.err);
  EXPECT_TRUE(unknown.err.contains(QStringLiteral("Usage: ") + name)) << qPrintable(unknown.err);
}

INSTANTIATE_TEST_SUITE_P(All, Program,
                         ::testing::Values("tarvelcalc", "tarvelcalc-batch", "tarvelcalc-catalogue",
                                           "tarvelcalc-shots"),
                         [](const auto &info) {
                           QString n = QString::fromLatin1(info.param);
                           return n.replace(QLatin1Char('-'), QLatin1Char('_')).toStdString();
                         });

// --lang: the tools' own messages and usage in German or English, English unless given.
TEST(ToolLanguage, MessagesAndUsageFollowLang) {
  const QString batch = QStringLiteral("tarvelcalc-batch"),
                catalogue = QStringLiteral("tarvelcalc-catalogue");
  const QString missing = QStringLiteral("/no/such/DBFN.db");
  const struct {
    QString program;
    QStringList args;
    int code;
    QString said;  // the start of the standard error (of the output for --help)
  } cases[] = {
      {batch, {}, 2, QStringLiteral("tarvelcalc-batch: no case file given\nUsage: tarvelcalc-batch ")},
      {batch,
       {QStringLiteral("--lang"), QStringLiteral("en")},
       2,
       QStringLiteral("tarvelcalc-batch: no case file given\nUsage: tarvelcalc-batch ")},
      {batch,
       {QStringLiteral("--lang"), QStringLiteral("de")},
       2,
       QStringLiteral("tarvelcalc-batch: keine Falldatei angegeben\nAufruf: tarvelcalc-batch ")},
      {batch,
       {QStringLiteral("--lang=de"), QStringLiteral("--jobs"), QStringLiteral("0")},
       2,
       QStringLiteral("tarvelcalc-batch: keine Falldatei angegeben")},
      {batch,
       {QStringLiteral("--lang"), QStringLiteral("fr")},
       2,
       QStringLiteral("tarvelcalc-batch: --lang takes de or en")},
      {batch,
       {QStringLiteral("--help"), QStringLiteral("--lang"), QStringLiteral("de")},
       0,
       QStringLiteral("Aufruf: tarvelcalc-batch ")},
      {catalogue,
       {QStringLiteral("check"), missing},
       1,
       QStringLiteral("tarvelcalc-catalogue: /no/such/DBFN.db: no such file\n")},
      {catalogue,
       {QStringLiteral("--lang"), QStringLiteral("de"), QStringLiteral("check"), missing},
       1,
       QStringLiteral("tarvelcalc-catalogue: /no/such/DBFN.db: keine solche Datei\n")},
      {catalogue,
       {QStringLiteral("frobnicate"), QStringLiteral("--lang=de")},
       2,
       QStringLiteral("tarvelcalc-catalogue: unbekannter Befehl frobnicate\nAufruf: tarvelcalc-catalogue ")},
      {catalogue,
       {QStringLiteral("--lang"), QStringLiteral("de"), QStringLiteral("--help")},
       0,
       QStringLiteral("Aufruf: tarvelcalc-catalogue ")},
  };
  for (const auto &c : cases) {
    const Outcome r = run(c.program, c.args);
    const QString shown = c.code == 0 ? r.out : r.err;
    EXPECT_EQ(r.code, c.code) << qPrintable(c.program + QLatin1Char(' ') + c.args.join(QLatin1Char(' ')));
    EXPECT_TRUE(shown.startsWith(c.said))
        << qPrintable(c.args.join(QLatin1Char(' ')) + QStringLiteral(":\n") + shown);
  }
}

// The results are data: --lang de leaves the JSON as it is.
TEST(ToolLanguage, TheJsonStaysAsItIs) {
  const QString example = QDir(qEnvironmentVariable("TARVEL_SOURCE_DIR"))
                              .filePath(QStringLiteral("examples/four-cassettes.json"));
  const Outcome english = run(QStringLiteral("tarvelcalc-batch"), {example});
  const Outcome german =
      run(QStringLiteral("tarvelcalc-batch"), {QStringLiteral("--lang"), QStringLiteral("de"), example});
  ASSERT_EQ(english.code, 0) << qPrintable(english.err);
  EXPECT_EQ(german.code, 0);
  EXPECT_TRUE(english.out.contains(QLatin1String("Sicherheit ausreichend.")));
  EXPECT_EQ(german.out, english.out);
}

TEST(CatalogueTool, ChecksTheDemoCatalogue) {
  const Outcome r = run(QStringLiteral("tarvelcalc-catalogue"), {QStringLiteral("check"), testsupport::demoCatalogueFile()});
  EXPECT_EQ(r.code, 0) << qPrintable(r.out + r.err);
  EXPECT_TRUE(r.out.contains(QLatin1String(": 0 errors, "))) << qPrintable(r.out);
}

TEST(CatalogueTool, CheckFailsOnAFaultyCatalogue) {
  const QString path = testsupport::buildCatalogue(testsupport::demoCatalogueSql() +
                                                   "UPDATE TLK_Basis SET Co = 'x' WHERE Gr = 35;");
  const Outcome r = run(QStringLiteral("tarvelcalc-catalogue"), {QStringLiteral("check"), path});
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(r.out.contains(QLatin1String("error: TLK_Basis: Serie TLK, Gr 35: column Co: \"x\" is no number")))
      << qPrintable(r.out);
  EXPECT_TRUE(r.out.contains(QLatin1String(": 1 errors, "))) << qPrintable(r.out);
}

TEST(CatalogueTool, ExportThenBuildChecksClean) {
  const Outcome r = run(QStringLiteral("tarvelcalc-catalogue"), {QStringLiteral("export"), testsupport::demoCatalogueFile()});
  ASSERT_EQ(r.code, 0) << qPrintable(r.err);
  const QString rebuilt = testsupport::buildCatalogue(r.out, QStringLiteral("rebuilt.db"));
  const Outcome check = run(QStringLiteral("tarvelcalc-catalogue"), {QStringLiteral("check"), rebuilt});
  EXPECT_EQ(check.code, 0) << qPrintable(check.out);
}

TEST(CatalogueTool, ImportWritesTheTargetOrNothing) {
  QTemporaryDir dir;
  const QString bad = dir.filePath(QStringLiteral("bad.mdb"));
  QFile f(bad);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("no database");
  f.close();
  const Outcome r = run(QStringLiteral("tarvelcalc-catalogue"), {QStringLiteral("import"), bad});
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(r.err.contains(QLatin1String("no Access/Jet database"))) << qPrintable(r.err);
  EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("bad.db"))));

  const QString sample = QStringLiteral(TARVEL_JET_TESTDATA "/DateTestDatabase.mdb");
  if (!QFileInfo::exists(sample)) GTEST_SKIP() << "Access sample files not found in " TARVEL_JET_TESTDATA;
  const QString target = dir.filePath(QStringLiteral("dates.db"));
  const Outcome ok = run(QStringLiteral("tarvelcalc-catalogue"),
                     {QStringLiteral("import"), sample, QStringLiteral("-o"), target});
  EXPECT_EQ(ok.code, 0) << qPrintable(ok.err);
  EXPECT_TRUE(ok.out.contains(QLatin1String("(Jet 4): 1 tables"))) << qPrintable(ok.out);
  EXPECT_TRUE(QFileInfo(target).size() > 0);
}

TEST(CatalogueTool, BadCommandLinesGiveTheUsage) {
  for (const QStringList &args : {QStringList{}, QStringList{QStringLiteral("frobnicate")},
                                  QStringList{QStringLiteral("check")},
                                  QStringList{QStringLiteral("import"), QStringLiteral("-o")}}) {
    const Outcome r = run(QStringLiteral("tarvelcalc-catalogue"), args);
    EXPECT_EQ(r.code, 2) << qPrintable(args.join(QLatin1Char(' ')));
    EXPECT_TRUE(r.err.contains(QLatin1String("Usage: tarvelcalc-catalogue"))) << qPrintable(r.err);
  }
}

}  // namespace
