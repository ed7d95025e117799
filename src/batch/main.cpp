// tarvelcalc-batch: calculations as the user runs them on the screens, without them.
//
//   tarvelcalc-batch CASE.json [--catalogue FILE] [--locale NAME]
//                    [--export] [--report de|en [--pdf FILE]]
//   tarvelcalc-batch --cases FILE|- [--jobs N] [options]
//   tarvelcalc-batch BASE.json --sweep KEY=FROM:TO:STEP [--jobs N] [options]
//   (--csv with any of them: the evaluated sizes as CSV instead of JSON)
//   (--lang de|en with any of them: the language of the usage text and of the tool's own
//   messages on the standard error, English unless given; the JSON, the CSV and the
//   messages of the calculation are data and stay as they are)
//   (the usage text, text 1800 of the table, is also the source of its man page)
//
// The case (a calculation file as the program saves it, read through calcfile::readFile)
// names the arrangement screen, the distance fields and the force table as typed, the
// load type and the ticked sizes, and optionally a special roller shoe as entered in its
// editor and the report's comment lines. The run starts a session as the program does
// (settings, text mode, required safety), sets the required safety of the case's load
// type, builds the table list of the arrangement, takes the special shoe over,
// calculates, places the results into the size boxes, ticks them and evaluates. Every
// message box the user would have read is reported, in order, with the numbers on
// stdout as JSON (batch/BatchRun.h). --cases and --sweep run many cases (batch/Lines.h).
//
// Exit status: 0 after a run (also when the calculation was refused), 1 when the
// program would have ended itself (a database error, a catalogue without settings or
// table sets), when the evaluation gave no verdict for want of a required safety, or
// when the results, the PDF or any output could not be written; 2 for a bad command
// line, a missing, oversized or malformed case file, a wrongly typed or out-of-range
// value, or a missing catalogue file. With --cases or --sweep: 0 when every case ran
// with status 0, 1 when any line was refused or would have given 1 on its own.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "batch/BatchRun.h"
#include "batch/Lines.h"
#include "batch/ReportLayer.h"
#include "core/catalogue/Catalogue.h"
#include "core/common/CommandLine.h"
#include "core/common/DataFiles.h"
#include "core/common/Messages.h"
#include "core/common/Numbers.h"
#include "core/common/Session.h"
#include "core/evaluation/EvaluationCsv.h"
#include "core/run/Sweep.h"

namespace {

using batch::kExitEnded;
using batch::kExitRefused;

struct UsageError {
  QString text;
};

// Results that cannot be written are lost: every write and the flush are checked, and
// the run fails when one of them does.
[[nodiscard]] bool writeOut(const std::string &text) {
  const size_t written = std::fwrite(text.data(), 1, text.size(), stdout);
  return written == text.size() && std::fflush(stdout) == 0 && !std::ferror(stdout);
}

void writeErr(const QString &text) {
  const QByteArray a = (text + QLatin1Char('\n')).toUtf8();
  std::fwrite(a.constData(), 1, static_cast<size_t>(a.size()), stderr);
  std::fflush(stderr);
}

// "tarvelcalc-batch: " and the text of the id in the language of the messages, with
// `detail` in its place.
void tell(int id) { writeErr(QStringLiteral("tarvelcalc-batch: ") + batch::message(id)); }
void tell(int id, const QString &detail) {
  writeErr(QStringLiteral("tarvelcalc-batch: ") + batch::message(id).arg(detail));
}

int outputLost() {
  tell(1826, QString::fromLocal8Bit(std::strerror(errno)));
  return kExitEnded;
}

std::string json(const batch::Report &r, const QVector<msg::Message> &messages) {
  std::string out;
  batch::appendJson(out, r, messages, true);
  return out;
}

using CsvColumns = std::optional<eval::csv::Columns>;  // --csv: the columns of the file

// The results of the single case: its JSON, or with --csv its evaluated sizes under the
// header, the messages on the standard error.
std::string results(const batch::Report &r, const QVector<msg::Message> &messages,
                    const CsvColumns &csvColumns) {
  if (!csvColumns) return json(r, messages);
  for (const msg::Message &m : messages)
    tell(1821, m.title.isEmpty() ? m.text : m.title + QStringLiteral(": ") + m.text);
  std::string out = eval::csv::header(*csvColumns);
  eval::csv::appendRows(out, r.evaluation, *csvColumns);
  return out;
}

// The program ends itself after a database error: what the user read, and status 1.
int ended(const QVector<msg::Message> &messages, const CsvColumns &csvColumns) {
  if (!messages.isEmpty()) {
    const msg::Message &m = messages.last();
    // A box without a title carries the program's name only.
    tell(1819, m.title.isEmpty() ? m.text : m.title + QStringLiteral(": ") + m.text);
  } else {
    tell(1820);
  }
  batch::Report r;
  r.calcFailed = true;
  if (!writeOut(csvColumns ? eval::csv::header(*csvColumns) : json(r, messages))) outputLost();
  return kExitEnded;
}

// One case, printed as the single case's JSON.
int runSingle(const batch::Case &c, const std::shared_ptr<catalogue::Catalogue> &catalogue,
              const batch::Options &options, const QString &pdfPath, const CsvColumns &csvColumns) {
  const batch::Start start = batch::startOn(catalogue);
  msg::Recorder recorder;
  recorder.messages = start.messages;
  if (start.ended) return ended(recorder.messages, csvColumns);
  Session s = start.session;
  const batch::Outcome o = batch::runCase(s, c, options, recorder);
  for (const QString &note : o.notes) tell(1822, note);
  switch (o.status) {
    case batch::Status::Ended: return ended(recorder.messages, csvColumns);
    case batch::Status::Unexpected: tell(1823, o.unexpected); return kExitEnded;
    case batch::Status::NoVerdict:
      return writeOut(results(o.report, recorder.messages, csvColumns)) ? kExitEnded : outputLost();
    case batch::Status::Ran: break;
  }
  if (!pdfPath.isEmpty()) {
    const bool english = options.reportLanguage == QLatin1String("en");
    QString error;
    try {
      if (!batch::reportLayer()->printPdf(s, pdfPath, english, QString::fromLatin1(c.arrangement->screenName),
                                          &error)) {
        writeErr(QStringLiteral("tarvelcalc-batch: ") + error);
        return kExitEnded;
      }
    } catch (const msg::ProgramEnded &) {
      return ended(recorder.messages, csvColumns);
    }
  }
  return writeOut(results(o.report, recorder.messages, csvColumns)) ? 0 : outputLost();
}

// The usage text in the language of the messages (--lang).
QByteArray usage() { return batch::message(1800).toUtf8(); }

// The report layer is loaded before anything runs: a tool installed without its module
// says so once instead of failing in every case.
[[nodiscard]] bool haveReportLayer() {
  QString error;
  if (batch::reportLayer(&error)) return true;
  tell(1824, error);
  return false;
}

// Printing needs fonts and a paint engine: a GUI application from the report layer,
// without a display if there is none (nullptr when the layer cannot be loaded). Every
// other run is a core application.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv) {
  bool pdf = false;
  for (int i = 1; i < argc; ++i) pdf = pdf || QByteArray(argv[i]) == "--pdf";
  if (!pdf) return std::make_unique<QCoreApplication>(argc, argv);
  if (!haveReportLayer()) return nullptr;
  return std::unique_ptr<QCoreApplication>(batch::reportLayer()->makeApplication(argc, argv));
}

// Closes the cases file when the run is over.
struct FileCloser {
  void operator()(std::FILE *f) const {
    if (f && f != stdin) std::fclose(f);
  }
};

}  // namespace

int main(int argc, char **argv) {
  // --lang first: the usage and every refusal speak its language.
  Language language = Language::English;
  if (!cli::languageOption(argc, argv, &language))
    return cli::usageError("tarvelcalc-batch", usage().constData(), batch::message(1827));
  batch::setMessageLanguage(language);
  // Without a standard output the results would be lost, and the first file opened
  // would take its place and receive them.
  if (::fcntl(STDOUT_FILENO, F_GETFD) == -1) {
    tell(1825);
    return kExitEnded;
  }
  const int answered = cli::answerStandardOptions(argc, argv, "tarvelcalc-batch", usage);
  if (answered >= 0) return answered;
  const std::unique_ptr<QCoreApplication> application = makeApplication(argc, argv);
  if (!application) return kExitEnded;
  QCoreApplication &app = *application;
  QString casePath, casesPath, sweepArgument, jobsText;
  batch::Options options;
  QString pdfPath;
  QString cataloguePath;
  QString localeName = QStringLiteral("de_DE");
  batch::Case c;
  batch::Sweep sweep;
  bool csv = false;
  CsvColumns csvColumns;
  int jobs = 1;
  std::unique_ptr<std::FILE, FileCloser> cases;
  try {
    const QStringList args = cli::withoutLanguageOption(app.arguments().mid(1));
    for (int i = 0; i < args.size(); ++i) {
      const QString &a = args[i];
      QString *value = nullptr;
      if (a == QLatin1String("--catalogue")) value = &cataloguePath;
      else if (a == QLatin1String("--locale")) value = &localeName;
      else if (a == QLatin1String("--report")) value = &options.reportLanguage;
      else if (a == QLatin1String("--pdf")) value = &pdfPath;
      else if (a == QLatin1String("--cases")) value = &casesPath;
      else if (a == QLatin1String("--sweep")) value = &sweepArgument;
      else if (a == QLatin1String("--jobs")) value = &jobsText;
      if (value) {
        if (i + 1 >= args.size()) throw UsageError{batch::message(1803).arg(a)};
        // One run steps one field; a second range would silently replace the first.
        if (value == &sweepArgument && !sweepArgument.isEmpty()) throw UsageError{batch::message(1804)};
        *value = args[++i];
      } else if (a == QLatin1String("--export")) {
        options.wantExport = true;
      } else if (a == QLatin1String("--csv")) {
        csv = true;
      } else if (a.startsWith(QLatin1String("--")) || !casePath.isEmpty()) {
        throw UsageError{batch::message(1802).arg(a)};
      } else {
        casePath = a;
      }
    }
    const bool many = !casesPath.isEmpty() || !sweepArgument.isEmpty();
    if (!casesPath.isEmpty() && !sweepArgument.isEmpty()) throw UsageError{batch::message(1805)};
    if (!casesPath.isEmpty() && !casePath.isEmpty()) throw UsageError{batch::message(1806)};
    if (casesPath.isEmpty() && casePath.isEmpty()) throw UsageError{batch::message(1807)};
    if (!options.reportLanguage.isEmpty() && options.reportLanguage != QLatin1String("de") &&
        options.reportLanguage != QLatin1String("en"))
      throw UsageError{batch::message(1808)};
    if (!pdfPath.isEmpty() && many) throw UsageError{batch::message(1809)};
    if (!pdfPath.isEmpty() && options.reportLanguage.isEmpty()) throw UsageError{batch::message(1810)};
    if (csv && (options.wantExport || !options.reportLanguage.isEmpty()))
      throw UsageError{batch::message(1811)};
    if (!jobsText.isEmpty()) {
      bool ok = false;
      jobs = jobsText.toInt(&ok);
      if (!ok || jobs < 1 || jobs > 256) throw UsageError{batch::message(1812)};
      if (!many) throw UsageError{batch::message(1813)};
    }
    const QLocale loc(localeName);
    if (loc.language() == QLocale::C && localeName != QLatin1String("C"))
      throw UsageError{batch::message(1814).arg(localeName)};
    // Set once, before any worker starts: every thread reads the numbers in it.
    num::setLocale(loc);
    // A case of many thousand force rows reads each cell into a text of its own: the
    // heap grows in large steps instead of one system call per 128 KiB.
    batch::keepHeapBetweenCases();
    if (!casePath.isEmpty()) {
      QString error;
      if (!batch::caseFromFile(casePath, &c, &error)) throw UsageError{error};
    }
    if (!sweepArgument.isEmpty()) {
      QString error;
      if (!run::parseSweep(sweepArgument, c.file, &sweep, &error)) throw UsageError{error};
    }
    if (csv) {
      // A sweep keeps the base case's load cases, duty cycle and required life; --cases
      // may mix every kind, so its file has every column.
      if (!casesPath.isEmpty()) {
        csvColumns = eval::csv::allColumns();
        csvColumns->leading = QStringList{QStringLiteral("line")};
      } else {
        csvColumns = sweepArgument.isEmpty() ? eval::csv::columnsOf(c.file) : run::csvColumns(c.file, sweep);
      }
    }
    if (!casesPath.isEmpty()) {
      if (casesPath == QLatin1String("-")) {
        cases.reset(stdin);
      } else {
        if (!QFileInfo(casesPath).isFile()) throw UsageError{batch::message(1815).arg(casesPath)};
        cases.reset(std::fopen(QFile::encodeName(casesPath).constData(), "rb"));
        if (!cases)
          throw UsageError{batch::message(1816).arg(casesPath, QString::fromLocal8Bit(std::strerror(errno)))};
      }
    }
    if (cataloguePath.isEmpty()) {
      cataloguePath = datafiles::locate(QStringLiteral("DBFN.db"));
      if (!QFileInfo(cataloguePath).isFile()) {
        // Where the program looks: beside it, then in ../share/tarvelcalc/.
        const QStringList looked = datafiles::candidates(QStringLiteral("DBFN.db"));
        throw UsageError{batch::message(1818).arg(looked.mid(0, looked.size() - 1).join(QStringLiteral(", ")),
                                                  looked.last())};
      }
    }
    if (!QFileInfo(cataloguePath).isFile()) throw UsageError{batch::message(1817).arg(cataloguePath)};
  } catch (const UsageError &e) {
    writeErr(QStringLiteral("tarvelcalc-batch: ") + e.text);
    writeErr(QString::fromUtf8(usage()).trimmed());
    return kExitRefused;
  }

  if ((options.wantExport || !options.reportLanguage.isEmpty()) && !haveReportLayer()) return kExitEnded;
  const auto catalogue = std::make_shared<catalogue::Catalogue>(cataloguePath);
  if (!casesPath.isEmpty()) {
    batch::LineInput input;
    input.file = cases.get();
    input.csv = csvColumns;
    return batch::runMany(input, catalogue, options, jobs);
  }
  if (!sweepArgument.isEmpty()) {
    batch::LineInput input;
    input.base = &c;
    input.sweep = &sweep;
    input.csv = csvColumns;
    return batch::runMany(input, catalogue, options, jobs);
  }
  return runSingle(c, catalogue, options, pdfPath, csvColumns);
}
