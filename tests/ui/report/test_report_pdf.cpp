// The report without a printer: "Als PDF speichern…" writes what "Drucken" prints into a
// PDF file (title, creator, date, numbered pages), "Seitenansicht" paints the same pages,
// and "Drucken" with no printer offers the PDF instead of failing. Read back with
// poppler (pdftotext, pdfinfo).
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "ui/report/FrmAusdruck.h"
#include "ui/report/FrmFormular.h"
#include "support/PdfText.h"
#include "output/report/PdfWriter.h"
#include "ui/report/ReportCommands.h"
#include "output/report/ReportFixture.h"
#include "ui/report/ReportHooks.h"
#include "output/report/ReportPrint.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// The pictures a PDF holds (pdfimages -list: two lines of headings, then one per picture).
int picturesIn(const QString &file) {
  QProcess p;
  p.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file});
  p.waitForFinished(60000);
  return static_cast<int>(QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts).size()) - 2;
}

QString pdfInfo(const QString &file) {
  QProcess p;
  p.start(QStringLiteral("pdfinfo"), {file});
  p.waitForFinished(60000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

class ReportPdf : public ::testing::Test {
 protected:
  void SetUp() override {
    fixture::fillLongEvaluation(session, 60);
    app::services().dialogs = report::standardDialogs();
    app::services().dialogs.askSaveFileName = [this](QWidget *, const QStringList &filters, const QString &) {
      askedFilters = filters;
      return answerFile;
    };
    // No printer on this machine: the default printer is none.
    app::services().dialogs.selectPrinter = [](QPrinter &) {};
    openReportWindow(session, nullptr, QStringLiteral("FrmZKaEDSch"));
    w = FrmAusdruck::current();
    ASSERT_TRUE(w);
  }
  void TearDown() override {
    if (w) w->close();
    QCoreApplication::processEvents();
    app::services().dialogs = report::standardDialogs();
  }

  // Every page carries its number in its lowest line, right of the middle.
  static void expectNumberedPages(const QString &file, int atLeast) {
    const QVector<pdf::Word> words = pdf::words(file);
    int pages = 0;
    for (const pdf::Word &w : words) pages = std::max(pages, w.page);
    EXPECT_GE(pages, atLeast);
    for (int page = 1; page <= pages; ++page) {
      bool numbered = false;
      for (const pdf::Word &w : words)
        if (w.page == page && w.text == QString::number(page) && w.box.top() > pdf::mm(260) && w.box.left() > pdf::mm(105))
          numbered = true;
      EXPECT_TRUE(numbered) << "page " << page;
    }
  }

  Session session;
  QTemporaryDir dir;
  FrmAusdruck *w = nullptr;
  msg::Recorder rec;
  std::optional<QString> answerFile;
  QStringList askedFilters;
};

TEST_F(ReportPdf, SavesTheReportAsPdfWithTitleCreatorDateAndPageNumbers) {
  ASSERT_TRUE(w->pdfItem());
  EXPECT_EQ(w->pdfItem()->text(), "Als &PDF speichern…");
  EXPECT_EQ(w->previewItem()->text(), "Seiten&ansicht");
  answerFile = dir.filePath("bericht");  // typed without suffix
  w->pdfItem()->trigger();
  const QString file = dir.filePath("bericht.pdf");
  ASSERT_TRUE(QFile::exists(file));
  EXPECT_TRUE(rec.messages.isEmpty());
  EXPECT_EQ(askedFilters, QStringList({"PDF-Dateien (*.pdf)", "Alle Dateien (*.*)"}));

  const QString text = pdf::pages(file).join("\n");
  for (const QString &line : {QStringLiteral("Berechnungsausdruck"), QStringLiteral("Anordnung:"), builtinText(215),
                              QStringLiteral("Kunde A"), QStringLiteral("Projekt B"), QStringLiteral("S000-25"),
                              QStringLiteral("S059-25")})
    EXPECT_TRUE(text.contains(line)) << line.toStdString();
  expectNumberedPages(file, 2);

  const QString info = pdfInfo(file);
  EXPECT_TRUE(info.contains(QRegularExpression("Title: +Berechnungsausdruck\n"))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Creator: +" + QRegularExpression::escape(windowCaption(session, 100)) + "\n")))
      << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("CreationDate: +\\S"))) << info.toStdString();
  // Nothing besides the file: the temporary file became it.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"bericht.pdf"}));
}

TEST_F(ReportPdf, EnglishPagesGiveAnEnglishPdf) {
  w->button("Sprache")->setChecked(true);
  answerFile = dir.filePath("report.pdf");
  w->pdfItem()->trigger();
  const QString text = pdf::pages(*answerFile).join("\n");
  EXPECT_TRUE(text.contains("Calculation report"));
  EXPECT_TRUE(text.contains("Arrangement:"));
  EXPECT_TRUE(pdfInfo(*answerFile).contains(QRegularExpression("Title: +Calculation report\n")));
}

TEST_F(ReportPdf, CancelledDialogWritesNothingAndAnUnwritableFileIsReported) {
  answerFile = std::nullopt;
  w->pdfItem()->trigger();
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
  EXPECT_TRUE(rec.messages.isEmpty());

  answerFile = dir.filePath("missing-folder/bericht.pdf");
  w->pdfItem()->trigger();
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "Als PDF speichern");
  EXPECT_TRUE(rec.messages[0].text.startsWith("Die PDF-Datei\n" + QDir::toNativeSeparators(*answerFile) +
                                              "\nkann nicht geschrieben werden:\n"));
}

TEST_F(ReportPdf, AnExistingFileIsReplacedOnlyByACompletePrintout) {
  const QString file = dir.filePath("alt.pdf");
  {
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
  }
  QString error;
  // A printout that fails half-way leaves the old file as it was.
  EXPECT_FALSE(pdf::writeAtomically(file, {"t", "c"}, [&](QPrinter &) {
    error = "refused";
    return false;
  }, &error));
  QFile kept(file);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "old");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"alt.pdf"}));
  EXPECT_TRUE(report::printReportToPdf(session, file, report::German, QStringLiteral("FrmZKaEDSch"), &error));
  EXPECT_TRUE(pdf::pages(file).join("\n").contains("Berechnungsausdruck"));
}

TEST_F(ReportPdf, DruckenWithoutAPrinterOffersThePdf) {
  // No: nothing happens, and no printer error.
  rec.answers = {msg::Answer::No};
  w->printItem()->trigger();
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "Kein Drucker");
  EXPECT_EQ(rec.messages[0].text,
            "Es ist kein Drucker verfügbar.\nMöchten Sie den Ausdruck stattdessen als PDF-Datei speichern?");
  EXPECT_EQ(rec.messages[0].buttons, msg::Buttons::YesNo);
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());

  // Yes: the PDF, as "Als PDF speichern…".
  rec.clear();
  rec.answers = {msg::Answer::Yes};
  answerFile = dir.filePath("ohne-drucker.pdf");
  w->button("Drucken")->trigger();
  ASSERT_EQ(rec.messages.size(), 1) << rec.messages.last().text.toStdString();
  ASSERT_TRUE(QFile::exists(*answerFile));
  EXPECT_TRUE(pdf::pages(*answerFile).join("\n").contains("Berechnungsausdruck"));
}

TEST_F(ReportPdf, PreviewPaintsThePagesDruckenPrints) {
  int painted = 0;
  const QString file = dir.filePath("preview.pdf");
  app::services().dialogs.printPreview = [&](QWidget *, const std::function<void(QPrinter &)> &paint) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    paint(printer);
    ++painted;
  };
  w->previewItem()->trigger();
  EXPECT_EQ(painted, 1);
  const QString text = pdf::pages(file).join("\n");
  EXPECT_TRUE(text.contains("Berechnungsausdruck"));
  EXPECT_TRUE(text.contains("S059-25"));
  expectNumberedPages(file, 2);
}

}  // namespace

namespace {

TEST_F(ReportPdf, ATextFileTypedWithoutSuffixGetsTxt) {
  answerFile = dir.filePath("bericht");
  w->button("Speichern")->trigger();
  EXPECT_TRUE(rec.messages.isEmpty());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"bericht.txt"}));
  answerFile = dir.filePath("bericht.text");  // a suffix of the user's own stays
  w->button("Speichern")->trigger();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"bericht.text", "bericht.txt"}));
}

// Chosen in the report window, the evaluation's charts follow the results, on a page of
// their own where the results leave less than they need; drawn, not pasted as a
// picture, in the language of the report. Not chosen, the report is as it was.
TEST_F(ReportPdf, ChosenChartsFollowTheResultsAsDrawingInTheReportsLanguage) {
  answerFile = dir.filePath("ohne.pdf");
  w->pdfItem()->trigger();
  const QStringList without = pdf::pages(*answerFile);
  EXPECT_FALSE(without.join("\n").contains("Statische Sicherheit"));
  const int pictures = picturesIn(*answerFile);

  EXPECT_FALSE(w->chartsBox()->isChecked());
  w->findChild<QAction *>(QStringLiteral("MenüDiagramme"))->trigger();
  EXPECT_TRUE(w->chartsBox()->isChecked());
  EXPECT_TRUE(w->activePage()->showsCharts());
  answerFile = dir.filePath("mit.pdf");
  w->pdfItem()->trigger();
  const QStringList with = pdf::pages(*answerFile);
  ASSERT_EQ(with.size(), without.size() + 1);  // 60 sizes: a page of their own
  for (int i = 0; i + 1 < without.size(); ++i) EXPECT_EQ(with[i], without[i]) << i;
  for (const char *text : {"Statische Sicherheit", "Sicherheit", "Lebensdauer [km]", "Erforderliche Sicherheit: 1,5",
                           "S000", "S059", "1.234"})
    EXPECT_TRUE(with.last().contains(QString::fromUtf8(text))) << text;
  expectNumberedPages(*answerFile, static_cast<int>(with.size()));
  EXPECT_EQ(picturesIn(*answerFile), pictures);

  w->button("Sprache")->setChecked(true);
  answerFile = dir.filePath("english.pdf");
  w->pdfItem()->trigger();
  const QString english = pdf::pages(*answerFile).last();
  for (const char *text : {"Static safety", "Lifetime [km]", "Required safety: 1.5", "1,234"})
    EXPECT_TRUE(english.contains(QString::fromUtf8(text))) << text;

  // Two sizes would take half a page; the results leave less than that on theirs, so the
  // charts have a page of their own.
  fixture::fillEvaluation(session);
  w->button("Sprache")->setChecked(false);
  answerFile = dir.filePath("zwei.pdf");
  w->pdfItem()->trigger();
  const QStringList two = pdf::pages(*answerFile);
  ASSERT_EQ(two.size(), 2);
  EXPECT_TRUE(two[0].contains("FDK12"));
  EXPECT_TRUE(two[1].contains("FDK12"));
  double lowest = 0;
  for (const pdf::Word &word : pdf::words(*answerFile))
    if (word.page == 2 && word.text.startsWith("FDK")) lowest = std::max(lowest, word.box.bottom());
  EXPECT_GT(lowest, pdf::mm(200));

  // After a long force table the results end high on their page: the charts take the half
  // page below them.
  for (int i = 0; i < 40; ++i) session.gastrForce.append({"Z +", "10 N", "0 mm", "0 mm", "0 mm"});
  answerFile = dir.filePath("unten.pdf");
  w->pdfItem()->trigger();
  const QVector<pdf::Word> words = pdf::words(*answerFile);
  pdf::Word result, title;
  for (const pdf::Word &word : words) {
    if (word.text == "FDK12-12") result = word;
    if (word.text == "Statische" && title.text.isEmpty()) title = word;
  }
  lowest = 0;
  for (const pdf::Word &word : words)
    if (word.page == title.page && word.text.startsWith("FDK")) lowest = std::max(lowest, word.box.bottom());
  EXPECT_EQ(title.page, result.page);
  EXPECT_GT(title.box.top(), result.box.bottom());
  EXPECT_LT(lowest - title.box.top(), pdf::mm(125));
  EXPECT_TRUE(rec.messages.isEmpty());
}

}  // namespace
