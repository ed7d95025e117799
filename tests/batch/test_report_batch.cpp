// The report outputs of the batch tool: --export, --report de|en and --pdf.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "support/PdfText.h"

namespace {

struct BatchRun {
  int exitCode = -1;
  QJsonObject json;
  QString err;
};

// The tool of the build tree, or `tool` (a copy elsewhere).
BatchRun batch(const QStringList &args, QString tool = QString()) {
  const QString build = qEnvironmentVariable("TARVEL_BUILD_DIR");
  const QString source = qEnvironmentVariable("TARVEL_SOURCE_DIR");
  if (tool.isEmpty()) tool = QDir(build).filePath(QStringLiteral("tarvelcalc-batch"));
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  // Without a display the tool must find its way to the offscreen platform itself.
  env.remove(QStringLiteral("QT_QPA_PLATFORM"));
  env.remove(QStringLiteral("DISPLAY"));
  env.remove(QStringLiteral("WAYLAND_DISPLAY"));
  p.setProcessEnvironment(env);
  p.start(tool, QStringList{QDir(source).filePath(QStringLiteral("examples/four-cassettes.json"))} + args);
  BatchRun r;
  if (!p.waitForFinished(120000)) return r;
  r.exitCode = p.exitCode();
  r.json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
  r.err = QString::fromUtf8(p.readAllStandardError());
  return r;
}

}  // namespace

TEST(BatchReport, ExportAndReportTextsInTheOutput) {
  const BatchRun plain = batch({});
  ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
  EXPECT_FALSE(plain.json.contains("export"));
  EXPECT_FALSE(plain.json.contains("report"));

  const BatchRun r = batch({"--export", "--report", "en"});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QString exported = r.json.value("export").toString();
  const QString report = r.json.value("report").toString();
  EXPECT_TRUE(exported.contains("\r\nAnordnung:\tVier Kassetten mit zwei Doppelschienen\r\n"));
  EXPECT_TRUE(exported.contains("\r\nKassettenabstand:\t400 mm\r\nSchienenabstand:\t300 mm\r\n"));
  EXPECT_FALSE(exported.contains("Safety ok."));
  EXPECT_TRUE(report.contains("\r\nArrangement:\tFour cassettes with two double rails\r\n"));
  EXPECT_TRUE(report.contains("\tSicherheit ausreichend.\tSafety ok.\t\r\n"));
  // As many evaluated rows as in the evaluation of the same run.
  const int rows = r.json.value("evaluation").toArray().size();
  EXPECT_GT(rows, 0);
  EXPECT_EQ(report.count("\tSafety ok.\t\r\n") + report.count("\tOver load!\t\r\n"), rows);

  const BatchRun de = batch({"--report", "de"});
  EXPECT_TRUE(de.json.value("report").toString().contains("\r\nAnordnung:\tVier Kassetten mit zwei Doppelschienen\r\n"));
}

TEST(BatchReport, PdfOfTheReportAndItsCommandLineRules) {
  QTemporaryDir dir;
  const QString file = dir.filePath("report.pdf");
  const BatchRun r = batch({"--report", "en", "--pdf", file});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QStringList pages = pdf::pages(file);
  ASSERT_FALSE(pages.isEmpty());
  EXPECT_TRUE(pages.first().contains("Calculation report"));
  EXPECT_TRUE(pages.last().contains("Program version: 2002 c -"));

  EXPECT_EQ(batch({"--pdf", dir.filePath("x.pdf")}).exitCode, 2);  // no --report
  EXPECT_EQ(batch({"--report", "fr"}).exitCode, 2);
  EXPECT_FALSE(QFile::exists(dir.filePath("x.pdf")));
}

// The report layer is a module of its own: a tool without it still calculates, and says
// once why it cannot export, report or print.
TEST(BatchReport, WithoutItsModuleTheToolCalculatesAndNamesTheMissingLayer) {
  QTemporaryDir dir;
  const QString build = qEnvironmentVariable("TARVEL_BUILD_DIR");
  const QString tool = dir.filePath("tarvelcalc-batch");
  ASSERT_TRUE(QFile::copy(QDir(build).filePath("tarvelcalc-batch"), tool));
  const QStringList catalogue{"--catalogue", QDir(build).filePath("DBFN.db")};
  const BatchRun plain = batch(catalogue, tool);
  EXPECT_EQ(plain.exitCode, 0) << plain.err.toStdString();
  EXPECT_FALSE(plain.json.value("evaluation").toArray().isEmpty());
  for (const QStringList &args : {QStringList{"--export"}, QStringList{"--report", "de", "--pdf", dir.filePath("r.pdf")}}) {
    const BatchRun r = batch(catalogue + args, tool);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("the report layer (--export, --report, --pdf) cannot be loaded: tarvelcalc-report.so "
                               "not found"))
        << r.err.toStdString();
    EXPECT_TRUE(r.json.isEmpty());
  }
  EXPECT_FALSE(QFile::exists(dir.filePath("r.pdf")));
}
