// The outputs of the evaluation screen: the text export and the direct printout, with the
// dialogs answered by the test.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>

#include "support/PdfText.h"
#include "output/report/ReportFixture.h"
#include "core/common/Messages.h"
#include "ui/evaluation/Export.h"
#include "ui/report/ReportHooks.h"
#include "output/report/ReportText.h"

namespace {

QString readAll(const QString &path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("<missing>");
  return QString::fromUtf8(f.readAll());
}

class EvaluationOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    fixture::fillEvaluation(session);
    app::services().dialogs = report::standardDialogs();
    app::services().dialogs.askSaveFileName = [this](QWidget *, const QStringList &filters, const QString &) {
      askedFilters = filters;
      return answerFile;
    };
    app::services().dialogs.commentDialog = [this](QWidget *) {
      ++commentDialogs;
      if (commentOk) session.gastrComment = {"Firma Muster", "Werk 3", "", "", "", ""};
      return commentOk;
    };
    app::services().dialogs.printerSetup = [this](QWidget *, QPrinter &p) {
      ++setups;
      portraitOffered = p.pageLayout().orientation() == QPageLayout::Portrait;
      p.setOutputFormat(QPrinter::PdfFormat);
      p.setOutputFileName(pdfFile);
      p.setPageSize(QPageSize(QPageSize::A4));
      p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
      return setupOk;
    };
    pdfFile = dir.filePath("evaluation.pdf");
  }
  void TearDown() override {
    app::services().dialogs = report::standardDialogs();
    // TARVEL_KEEP_PDF=<folder> keeps the printout to look at.
    const QString keep = qEnvironmentVariable("TARVEL_KEEP_PDF");
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (!keep.isEmpty() && QFile::exists(pdfFile))
      QFile::copy(pdfFile, QDir(keep).filePath(QString::fromUtf8(info->name()) + ".pdf"));
  }

  Session session;
  QTemporaryDir dir;
  QString pdfFile;
  msg::Recorder rec;
  std::optional<QString> answerFile;
  QStringList askedFilters;
  int progress = 0, commentDialogs = 0, setups = 0;
  bool commentOk = true, setupOk = true, portraitOffered = false;
  std::function<void()> progressDisplay = [this] { ++progress; };
};

}  // namespace

TEST_F(EvaluationOutput, ExportIsWrittenWithALineEndAndThenTheProgressRuns) {
  answerFile = dir.filePath("tarvel.txt");
  EXPECT_EQ(MenuSpeichern_Click(session, nullptr, progressDisplay), report::SaveOutcome::Written);
  EXPECT_EQ(askedFilters, QStringList({"Textdateien (*.txt)", "Alle Dateien (*.*)"}));
  EXPECT_EQ(readAll(*answerFile), report::evaluationExportText(session) + "\r\n");
  EXPECT_EQ(progress, 1);
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(EvaluationOutput, SavingTwiceToTheSameNameReplacesTheFile) {
  answerFile = dir.filePath("tarvel.txt");
  fixture::fillLongEvaluation(session, 30);
  MenuSpeichern_Click(session, nullptr, progressDisplay);
  const qint64 longSize = QFileInfo(*answerFile).size();
  fixture::fillEvaluation(session);
  MenuSpeichern_Click(session, nullptr, progressDisplay);
  EXPECT_LT(QFileInfo(*answerFile).size(), longSize);
  EXPECT_EQ(readAll(*answerFile), report::evaluationExportText(session) + "\r\n");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"tarvel.txt"}));
}

TEST_F(EvaluationOutput, CancelOrNoNameWritesNothingAnywhere) {
  // Neither the folder of the test nor the program's own folder (for the installed
  // program a system folder) gets a file when the user gave no name.
  const QString tarvel = QDir(QCoreApplication::applicationDirPath()).filePath("Tarvel.txt");
  QFile::remove(tarvel);
  for (const std::optional<QString> &answer : {std::optional<QString>(), std::optional<QString>(QString())}) {
    answerFile = answer;
    EXPECT_EQ(MenuSpeichern_Click(session, nullptr, progressDisplay), report::SaveOutcome::Cancelled);
    EXPECT_EQ(progress, 0);
    EXPECT_TRUE(rec.messages.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(tarvel));
  }
}

TEST_F(EvaluationOutput, AFileThatCannotBeWrittenIsReported) {
  answerFile = dir.filePath("no/such/folder/tarvel.txt");
  EXPECT_EQ(MenuSpeichern_Click(session, nullptr, progressDisplay), report::SaveOutcome::Failed);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "MenüSpeichern_Click!");
  EXPECT_EQ(rec.messages[0].icon, msg::Icon::Critical);
  EXPECT_EQ(progress, 0);
}

TEST_F(EvaluationOutput, ExitInTheCommentDialogOrCancelInThePrinterSetupPrintsNothing) {
  commentOk = false;
  EXPECT_FALSE(MenuDrucken_Click(session, nullptr, "FrmZKaEDSch"));
  EXPECT_EQ(commentDialogs, 1);
  EXPECT_EQ(setups, 0);
  commentOk = true;
  setupOk = false;
  EXPECT_FALSE(MenuDrucken_Click(session, nullptr, "FrmZKaEDSch"));
  EXPECT_EQ(setups, 1);
  EXPECT_TRUE(portraitOffered);
  EXPECT_FALSE(QFile::exists(pdfFile));
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(EvaluationOutput, DirectPrintoutIsGermanWithContactBlockAndComments) {
  session.gastrComment = QStringList(6);
  ASSERT_TRUE(MenuDrucken_Click(session, nullptr, "FrmZKaEDSch"));
  const QStringList pages = pdf::pages(pdfFile);
  ASSERT_EQ(pages.size(), 1);
  const QString &p = pages[0];
  for (const char *text : {"Berechnungsausdruck TARVEL-Rollenführungen", "Kontakt:", "Firma Muster", "Werk 3",
                           "Anordnung:", "Zwei Kassetten mit einer Doppelschiene", "Krafteingaben:",
                           "Kassettendaten:", "Ergebnisse:", "Statisch", "Dynamisch", "Sicherheit ausreichend.",
                           "Belastung zu hoch!", "Programmversion: 2002 c -"})
    EXPECT_TRUE(p.contains(QString::fromUtf8(text))) << text;
  // The evaluation printout is German whatever the report window's language.
  for (const char *text : {"Safety ok.", "Over load!", "Arrangement:", "Two cassettes"})
    EXPECT_FALSE(p.contains(QString::fromUtf8(text))) << text;
  const QVector<pdf::Word> words = pdf::words(pdfFile);
  // The comment lines come from the dialog: "Firma Muster" is printed once.
  EXPECT_EQ(std::count_if(words.begin(), words.end(), [](const pdf::Word &w) { return w.text == "Muster"; }), 1);
  EXPECT_TRUE(std::any_of(words.begin(), words.end(), [](const pdf::Word &w) {
    return w.text == "1" && std::abs(w.box.left() - pdf::mm(190)) < 0.5;
  }));
}

TEST_F(EvaluationOutput, DirectPrintoutLeavesTheReportsEmptyLineBeforeTheLabelLines) {
  ASSERT_TRUE(MenuDrucken_Click(session, nullptr, "FrmZKaEDSch"));
  const QVector<pdf::Word> words = pdf::words(pdfFile);
  auto top = [&](const QString &text) {
    for (const pdf::Word &w : words)
      if (w.text == text) return w.box.top();
    return -1000.0;
  };
  // One line: the underlined "Krafteingaben:" and the force headings below it.
  const double line = top("Richtung") - top("Krafteingaben:");
  ASSERT_GT(line, 5.0);
  // Comment line 1 ("Werk 3"), comment lines 2 to 5, the empty line after the comments,
  // the empty line before the label lines, then "Anordnung:".
  EXPECT_NEAR(top("Anordnung:") - top("Werk"), 7 * line, 0.5);
}

TEST_F(EvaluationOutput, LongDirectPrintoutBreaksPagesLikeTheReport) {
  fixture::fillLongEvaluation(session, 60);
  ASSERT_TRUE(MenuDrucken_Click(session, nullptr, "FrmVKaZDSch"));
  const QStringList pages = pdf::pages(pdfFile);
  ASSERT_GE(pages.size(), 3);
  const QVector<pdf::Word> words = pdf::words(pdfFile);
  for (int p = 1; p <= pages.size(); ++p) {
    EXPECT_TRUE(std::any_of(words.begin(), words.end(), [&](const pdf::Word &w) {
      return w.page == p && w.text == QString::number(p) && std::abs(w.box.left() - pdf::mm(190)) < 0.5;
    })) << p;
  }
  EXPECT_TRUE(pages.last().contains("Programmversion"));
  EXPECT_EQ(std::count_if(words.begin(), words.end(), [](const pdf::Word &w) { return w.text == "S059"; }), 2);
}
