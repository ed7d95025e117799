// The one PDF writer: a new file replaces the old one only when it is complete; a full
// disk, a missing folder or a device in place of a file leave the old file as it was and
// say why. Also the printer roads that print into a file.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>

#include "support/PdfText.h"
#include "output/report/ReportFixture.h"
#include "core/common/Messages.h"
#include "core/common/Texts.h"
#include "output/report/PdfWriter.h"
#include "output/report/ReportPrint.h"

namespace {

// Pages of text, enough to make a file of some size.
bool paintPages(QPrinter &printer, int pages = 1) {
  QPainter p;
  if (!p.begin(&printer)) return false;
  for (int i = 0; i < pages; ++i) {
    if (i) printer.newPage();
    for (int line = 0; line < 60; ++line)
      p.drawText(100, 100 + line * 60, QStringLiteral("Seite %1, Zeile %2: Rollenführung").arg(i + 1).arg(line));
  }
  return p.end();
}

QByteArray contentOf(const QString &file) {
  QFile f(file);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &file, const QByteArray &bytes) {
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

class PdfWriter : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString error;
  QString path(const QString &name = QStringLiteral("report.pdf")) const { return dir.filePath(name); }
  QStringList entries() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); }
};

// A file-size limit makes every write beyond it fail as on a full disk (the signal that
// would end the process is ignored, as a shell's "ulimit -f" with "trap '' XFSZ").
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit r = old_;
    r.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &r);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, previous_);
  }

 private:
  rlimit old_{};
  void (*previous_)(int) = nullptr;
};

}  // namespace

TEST_F(PdfWriter, NewFileReplacesTheOldOneAndCarriesTitleAndCreator) {
  writeFile(path(), "the old report");
  ASSERT_TRUE(pdf::writeAtomically(path(), {QStringLiteral("Berechnungsausdruck"), QStringLiteral("TarvelCALC 2002 c")},
                                    [](QPrinter &p) { return paintPages(p); }, &error))
      << error.toStdString();
  EXPECT_TRUE(contentOf(path()).startsWith("%PDF-"));
  EXPECT_EQ(entries(), QStringList{"report.pdf"});
  EXPECT_TRUE(pdf::pages(path()).value(0).contains("Rollenführung"));
  QProcess info;
  info.start(QStringLiteral("pdfinfo"), {path()});
  ASSERT_TRUE(info.waitForFinished(60000));
  const QString meta = QString::fromUtf8(info.readAllStandardOutput());
  EXPECT_TRUE(meta.contains(QRegularExpression("Title: +Berechnungsausdruck"))) << meta.toStdString();
  EXPECT_TRUE(meta.contains(QRegularExpression("Creator: +TarvelCALC 2002 c"))) << meta.toStdString();
}

TEST_F(PdfWriter, FullDiskKeepsTheOldFileAndSaysSo) {
  writeFile(path(), "the old report");
  bool written = true;
  {
    FileSizeLimit limit(8 * 1024);
    written = pdf::writeAtomically(path(), {}, [](QPrinter &p) { return paintPages(p, 30); }, &error);
  }
  EXPECT_FALSE(written);
  EXPECT_EQ(error, builtinText(1054));
  EXPECT_EQ(contentOf(path()), "the old report");
  EXPECT_EQ(entries(), QStringList{"report.pdf"});  // no temporary file left
}

TEST_F(PdfWriter, RefusalsNameTheReasonAndTouchNothing) {
  // A missing folder, a folder in place of the file, a device.
  EXPECT_FALSE(pdf::writeAtomically(dir.filePath("no/such/r.pdf"), {}, [](QPrinter &p) { return paintPages(p); }, &error));
  EXPECT_EQ(error, builtinText(1051).arg(QDir::toNativeSeparators(dir.filePath("no/such"))));
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.pdf"));
  EXPECT_FALSE(pdf::writeAtomically(path("folder.pdf"), {}, [](QPrinter &p) { return paintPages(p); }, &error));
  EXPECT_EQ(error, builtinText(1055).arg(QDir::toNativeSeparators(path("folder.pdf"))));
  EXPECT_FALSE(pdf::writeAtomically(QStringLiteral("/dev/full"), {}, [](QPrinter &p) { return paintPages(p); }, &error));
  EXPECT_TRUE(error.contains("/dev/full"));
  EXPECT_EQ(entries(), QStringList{"folder.pdf"});
}

TEST_F(PdfWriter, ReadOnlyFolderIsAPermissionProblem) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write into any folder";
  ASSERT_TRUE(QDir(dir.path()).mkdir("ro"));
  QFile::setPermissions(dir.filePath("ro"), QFile::ReadOwner | QFile::ExeOwner);
  EXPECT_FALSE(pdf::writeAtomically(dir.filePath("ro/r.pdf"), {}, [](QPrinter &p) { return paintPages(p); }, &error));
  EXPECT_EQ(error, builtinText(1052).arg(QDir::toNativeSeparators(dir.filePath("ro"))));
  QFile::setPermissions(dir.filePath("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(PdfWriter, FailedPaintingKeepsTheOldFile) {
  writeFile(path(), "the old report");
  EXPECT_FALSE(pdf::writeAtomically(path(), {}, [](QPrinter &) { return false; }, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(contentOf(path()), "the old report");
  EXPECT_EQ(entries(), QStringList{"report.pdf"});
}

// The printer dialog's "print to file" and the batch tool's --pdf both go through the
// writer; the screen's message names the file and the reason, not only "Druckerfehler".
TEST_F(PdfWriter, PrintToFileNamesTheFileAndTheReason) {
  msg::Recorder rec;
  Session session;
  fixture::fillLongEvaluation(session, 3);
  const QString file = dir.filePath("missing/report.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(file);
  report::preparePrinter(printer);
  QString reason;
  EXPECT_FALSE(report::sFrmPrint(session, printer, sSetMargins(gsubPageMetrics(printer), false), report::German,
                                 QStringLiteral("FrmZKaEDSch"), &reason));
  EXPECT_EQ(reason, builtinText(1050).arg(QDir::toNativeSeparators(file),
                                          builtinText(1051).arg(QDir::toNativeSeparators(dir.filePath("missing")))));

  writeFile(path(), "the old report");
  {
    FileSizeLimit limit(8 * 1024);
    EXPECT_FALSE(report::printReportToPdf(session, path(), report::German, QStringLiteral("FrmZKaEDSch"), &reason));
  }
  EXPECT_TRUE(reason.contains(QDir::toNativeSeparators(path())));
  EXPECT_TRUE(reason.endsWith(builtinText(1054)));
  EXPECT_EQ(contentOf(path()), "the old report");
  EXPECT_TRUE(report::printReportToPdf(session, path(), report::German, QStringLiteral("FrmZKaEDSch"), &reason));
  EXPECT_TRUE(pdf::pages(path()).value(0).contains("Berechnungsausdruck"));
}
