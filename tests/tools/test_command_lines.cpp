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
