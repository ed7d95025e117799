// The printed report, read back from PDF files: page breaks, page numbers, the foot, the
// language, and that no text runs into other text or into the drawing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>

#include "support/PdfText.h"
#include "output/report/ReportFixture.h"
#include "core/common/Messages.h"
#include "output/report/ReportPrint.h"

namespace {

QString printed(Session &session, const QTemporaryDir &dir, int k,
                const QString &name = QStringLiteral("report.pdf")) {
  const QString file = dir.filePath(name);
  QString error;
  EXPECT_TRUE(report::printReportToPdf(session, file, k, QStringLiteral("FrmZKaEDSch"), &error)) << error.toStdString();
  // TARVEL_KEEP_PDF=<folder> keeps a copy to look at.
  const QString keep = qEnvironmentVariable("TARVEL_KEEP_PDF");
  if (!keep.isEmpty()) QFile::copy(file, QDir(keep).filePath(name));
  return file;
}

// Words whose boxes overlap by more than a hair.
QStringList overlaps(const QVector<pdf::Word> &words) {
  QStringList out;
  for (int i = 0; i < words.size(); ++i)
    for (int j = i + 1; j < words.size(); ++j) {
      if (words[i].page != words[j].page) continue;
      const QRectF a = words[i].box.adjusted(0.3, 0.3, -0.3, -0.3);
      if (a.intersects(words[j].box.adjusted(0.3, 0.3, -0.3, -0.3)))
        out << QStringLiteral("p%1 '%2' / '%3'").arg(words[i].page).arg(words[i].text, words[j].text);
    }
  return out;
}

}  // namespace

TEST(ReportPrint, LongEvaluationBreaksPagesAndNumbersEveryPage) {
  Session session;
  msg::Recorder rec;
  fixture::fillLongEvaluation(session, 70);
  QTemporaryDir dir;
  const QString file = printed(session, dir, report::German);
  const QStringList pages = pdf::pages(file);
  ASSERT_GE(pages.size(), 3);
  // The foot with the version closes the last page only.
  EXPECT_TRUE(pages.last().contains("Programmversion: 2002 c -"));
  for (int p = 0; p + 1 < pages.size(); ++p) EXPECT_FALSE(pages[p].contains("Programmversion")) << p;

  const QVector<pdf::Word> words = pdf::words(file);
  // Every evaluated row is printed twice (catalogue block and rating block), none lost.
  for (int i = 0; i < 70; ++i) {
    const QString series = QStringLiteral("S%1").arg(i, 3, 10, QLatin1Char('0'));
    EXPECT_EQ(std::count_if(words.begin(), words.end(), [&](const pdf::Word &w) { return w.text == series; }), 2) << i;
  }
  const double paperWidth = pdf::mm(210), usable = pdf::mm(297 - 10);
  for (int p = 1; p <= pages.size(); ++p) {
    // The page number stands 20 mm from the right paper edge, at the foot.
    bool numbered = false;
    double lowestBody = 0, highestBody = 1e9;
    for (const pdf::Word &w : words) {
      if (w.page != p) continue;
      if (w.text == QString::number(p) && std::abs(w.box.left() - (paperWidth - pdf::mm(20))) < 0.5) {
        numbered = true;
        EXPECT_NEAR(w.box.top(), usable, 1.0);
      } else if (w.box.top() < usable - 1) {
        lowestBody = std::max(lowestBody, w.box.bottom());
        highestBody = std::min(highestBody, w.box.top());
      }
    }
    EXPECT_TRUE(numbered) << "page " << p;
    // A page ends after the first row that passes 90 % of the usable height.
    EXPECT_LT(lowestBody, 0.9 * usable + 16) << "page " << p;
    if (p < pages.size()) {
      EXPECT_GT(lowestBody, 0.9 * usable - 16) << "page " << p;
    }
    // The following pages go on at the top margin (20 mm).
    if (p > 1) {
      EXPECT_NEAR(highestBody, pdf::mm(20), 1.5) << "page " << p;
    }
  }
  EXPECT_EQ(overlaps(words), QStringList());
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST(ReportPrint, EnglishReportReadsEnglishThroughout) {
  Session session;
  msg::Recorder rec;
  fixture::fillEvaluation(session);
  QTemporaryDir dir;
  const QStringList pages = pdf::pages(printed(session, dir, report::English));
  ASSERT_EQ(pages.size(), 1);
  const QString &p = pages[0];
  for (const char *text : {"Calculation report", "Arrangement:", "Two cassettes with one double rail",
                           "Required safety:", "Distance of cassettes:", "Distance of rails:", "Load input:",
                           "Description:", "Results:", "Safety ok.", "Over load!", "Program version: 2002 c"})
    EXPECT_TRUE(p.contains(QString::fromUtf8(text))) << text;
  for (const char *text : {"Anordnung:", "Sicherheit ausreichend.", "Belastung zu hoch!", "Zwei Kassetten"})
    EXPECT_FALSE(p.contains(QString::fromUtf8(text))) << text;
  // The comment lines of the store head the printout.
  EXPECT_TRUE(p.contains("Kunde A"));
  EXPECT_TRUE(p.contains("Projekt B"));
}

TEST(ReportPrint, LongArrangementNamesStayClearOfTheDrawing) {
  Session session;
  msg::Recorder rec;
  fixture::fillEvaluation(session);
  // The longest names of all, beside which the drawing stands.
  session.gastrArrangement = {builtinText(218), builtinText(110)};
  session.gastrEvaluation[0].verdict = Verdict::BothTooClose;
  QTemporaryDir dir;
  for (int k : {report::German, report::English}) {
    const QString file = printed(session, dir, k, QStringLiteral("long%1.pdf").arg(k));
    const QVector<pdf::Word> words = pdf::words(file);
    EXPECT_EQ(overlaps(words), QStringList()) << k;
    // Nothing runs off the paper.
    for (const pdf::Word &w : words) EXPECT_LT(w.box.right(), pdf::mm(210)) << w.text.toStdString();
  }
}
