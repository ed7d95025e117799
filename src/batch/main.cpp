// tarvelcalc-batch: one calculation as the user runs it on the screens, without them.
//
//   tarvelcalc-batch CASE.json [--catalogue FILE] [--locale NAME]
//                    [--export] [--report de|en [--pdf FILE]]
//   (the usage text kUsage below is also the source of its man page)
//
// The case (a calculation file as the program saves it, read through calcfile::readFile)
// names the arrangement screen, the distance fields and the force table as typed, the
// load type and the ticked sizes, and optionally a special roller shoe as entered in its
// editor and the report's comment lines. The run loads the settings, sets the required
// safety, builds the table list of the arrangement, takes the special shoe over,
// calculates, places the results into the size boxes, ticks them and evaluates. Every message box the
// user would have read is reported, in order, with the numbers on stdout as JSON.
//
// Exit status: 0 after a run (also when the calculation was refused), 1 when the
// program would have ended itself (a database error, a catalogue without table sets),
// when the evaluation gave no verdict for want of a required safety, or when the
// results, the PDF or any output could not be written; 2 for a bad command line, a
// missing, oversized or malformed case file, a wrongly typed or out-of-range value, or
// a missing catalogue file.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QTextStream>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include "arrangements/Calculate.h"
#include "common/ModFN.h"
#include "arrangements/LoadCases.h"
#include "arrangements/models/Arrangement.h"
#include "catalogue/Catalogue.h"
#include "common/CommandLine.h"
#include "common/DataFiles.h"
#include "common/CaseFile.h"
#include "common/Errors.h"
#include "common/Messages.h"
#include "common/Session.h"
#include "common/Numbers.h"
#include "common/Texts.h"
#include "evaluation/Evaluation.h"
#include "loads/LoadCaseJson.h"
#include "report/ReportPrint.h"
#include "report/ReportText.h"
#include "special/SonderCore.h"

namespace {

constexpr int kExitRefused = 2;
constexpr int kExitEnded = 1;

struct UsageError {
  QString text;
};

struct Case {
  const ArrangementInfo *arrangement = nullptr;
  calcfile::Case file;  // as read; forces hold one empty row when the case gives none
  bool rigidCheck = true;  // false: the multi-unit models alone, as earlier releases
};

// ---------------------------------------------------------------- JSON writing
// A small writer that keeps the keys in the documented order.
QString quoted(const QString &s) {
  const QByteArray a = QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact);
  return QString::fromUtf8(a.mid(1, a.size() - 2));
}

// A single-precision value in its shortest exact decimal form (900.6, not 900.59997...).
QString jsonNumber(float v) {
  if (!std::isfinite(v)) return QStringLiteral("null");
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  return QString::fromLatin1(buf, static_cast<int>(res.ptr - buf));
}

QString stringArray(const QStringList &items) {
  QStringList q;
  for (const QString &s : items) q << quoted(s);
  return QLatin1Char('[') + q.join(QStringLiteral(", ")) + QLatin1Char(']');
}

QString loadArray(const QVector<std::array<float, 5>> &rows, int i) {
  if (i >= rows.size()) return QStringLiteral("null");
  QStringList values;
  for (float v : rows[i]) values << jsonNumber(v);
  return QLatin1Char('[') + values.join(QStringLiteral(", ")) + QLatin1Char(']');
}

// The keys of the rigid-plate check of result row i: the model's five values, the
// check's (null where there is none) and which of the two is rated.
QString checkKeys(const CalcOutput &c, int i) {
  return QStringLiteral(", \"modelLoads\": ") + loadArray(c.modelLoads, i) +
         QStringLiteral(", \"checkLoads\": ") + loadArray(c.checkLoads, i) +
         QStringLiteral(", \"governs\": ") +
         quoted(c.byCheck.value(i, false) ? QStringLiteral("check") : QStringLiteral("model"));
}

struct Report {
  bool calcFailed = false;
  float unitDistance = 0.0f, railDistance = 0.0f;
  TextRows results;
  QVector<std::array<float, 5>> loads;
  CalcOutput calc;  // the model's and the rigid-plate check's values of every row
  TextRows evaluation;
  // With more than one load case: per load case, per result row, the five rated values.
  QVector<QVector<std::array<float, 5>>> caseLoads;
  // The figures behind each evaluation row, written when the evaluation shows extra
  // columns (more than one load case, or a duty cycle).
  QVector<EvaluationDetail> details;
  bool evaluationRefused = false;  // no required safety greater than 0: no verdicts
  std::optional<QString> exportText;  // --export: the evaluation screen's text export
  std::optional<QString> reportText;  // --report: the report window's text file
};

QString toJson(const Report &r, const QVector<msg::Message> &messages) {
  QString o;
  QTextStream out(&o);
  out << "{\n  \"calcFailed\": " << (r.calcFailed ? "true" : "false") << ",\n";
  out << "  \"messages\": [";
  for (int i = 0; i < messages.size(); ++i)
    out << (i ? ",\n" : "\n") << "    {\"title\": " << quoted(messages[i].title)
        << ", \"text\": " << quoted(messages[i].text) << "}";
  out << (messages.isEmpty() ? "],\n" : "\n  ],\n");
  out << "  \"unitDistance\": " << jsonNumber(r.unitDistance) << ",\n";
  out << "  \"railDistance\": " << jsonNumber(r.railDistance) << ",\n";
  out << "  \"results\": [";
  for (int i = 0; i < r.results.size(); ++i) {
    const QStringList &row = r.results[i];
    QStringList loads;
    if (i < r.loads.size())
      for (float v : r.loads[i]) loads << jsonNumber(v);
    out << (i ? ",\n" : "\n") << "    {\"serie\": " << quoted(row.value(0))
        << ", \"gr\": " << quoted(row.value(1)) << ", \"load\": " << quoted(row.value(2))
        << ", \"unit\": " << quoted(row.value(3)) << ", \"loads\": ["
        << loads.join(QStringLiteral(", ")) << "]";
    if (r.caseLoads.size() > 1) {
      QStringList perCase;
      for (const auto &caseRows : r.caseLoads) {
        QStringList values;
        for (float v : caseRows.value(i)) values << jsonNumber(v);
        perCase << QLatin1Char('[') + values.join(QStringLiteral(", ")) + QLatin1Char(']');
      }
      out << ", \"caseLoads\": [" << perCase.join(QStringLiteral(", ")) << "]";
    }
    out << checkKeys(r.calc, i) << "}";
  }
  out << (r.results.isEmpty() ? "],\n" : "\n  ],\n");
  out << "  \"evaluation\": [";
  for (int i = 0; i < r.evaluation.size(); ++i)
    out << (i ? ",\n" : "\n") << "    " << stringArray(r.evaluation[i]);
  out << (r.evaluation.isEmpty() ? "]" : "\n  ]");
  if (!r.details.isEmpty()) {
    const auto optional = [](const std::optional<double> &v) {
      return v ? jsonNumber(static_cast<float>(*v)) : QStringLiteral("null");
    };
    out << ",\n  \"details\": [";
    for (int i = 0; i < r.details.size(); ++i) {
      const EvaluationDetail &d = r.details[i];
      out << (i ? ",\n" : "\n") << "    {\"staticLoad\": " << jsonNumber(d.staticLoad)
          << ", \"equivalentLoad\": " << jsonNumber(d.equivalentLoad)
          << ", \"lifeKm\": " << jsonNumber(d.lifeKm) << ", \"lifeHours\": " << optional(d.lifeHours)
          << ", \"lifeYears\": " << optional(d.lifeYears) << "}";
    }
    out << "\n  ]";
  }
  if (r.exportText) out << ",\n  \"export\": " << quoted(*r.exportText);
  if (r.reportText) out << ",\n  \"report\": " << quoted(*r.reportText);
  out << "\n}\n";
  out.flush();
  return o;
}

// Results that cannot be written are lost: every write and the flush are checked, and
// the run fails when one of them does.
[[nodiscard]] bool writeOut(const QString &text) {
  const QByteArray a = text.toUtf8();
  const size_t written = std::fwrite(a.constData(), 1, static_cast<size_t>(a.size()), stdout);
  return written == static_cast<size_t>(a.size()) && std::fflush(stdout) == 0 && !std::ferror(stdout);
}

void writeErr(const QString &text) {
  const QByteArray a = (text + QLatin1Char('\n')).toUtf8();
  std::fwrite(a.constData(), 1, static_cast<size_t>(a.size()), stderr);
  std::fflush(stderr);
}

int outputLost() {
  writeErr(QStringLiteral("tarvelcalc-batch: cannot write the results to standard output: ") +
           QString::fromLocal8Bit(std::strerror(errno)));
  return kExitEnded;
}

// ---------------------------------------------------------------- case reading
Case readCase(const QString &path) {
  Case c;
  calcfile::Error error;
  if (!calcfile::readFile(path, &c.file, &error)) throw UsageError{error.english};
  c.arrangement = arrangementByScreen(c.file.arrangement);
  // A new screen's table holds one empty row.
  if (c.file.forces.isEmpty()) c.file.forces.append(QStringList(5));
  // "rigidCheck" is the batch tool's own key; the screens keep it as they keep any key
  // they do not use.
  const QJsonValue rc = c.file.unknown.value(QStringLiteral("rigidCheck"));
  if (!rc.isUndefined() && !rc.isBool()) throw UsageError{QStringLiteral("\"rigidCheck\" must be true or false")};
  c.rigidCheck = rc.toBool(true);
  return c;
}

// ---------------------------------------------------------------- the run
void decideTextMode() {
  // The start screen: the last "PrgVers" row decides between the customer text set
  // and the built-in texts.
  QString version;
  for (const QStringList &row : Mod_FN().gastrSettings)
    if (row.value(0) == QLatin1String("PrgVers")) version = row.value(1);
  Mod_FN().gintTextMode = version == QLatin1String("CusSpeVer") ? 3 : 1;
}

// A catalogue without table sets for the arrangement (counts of 0 or below) has nothing
// to calculate: that is the catalogue's fault and ends the run as a database error would.
void refuseEmptyTableList(bool withTL) {
  if (Mod_FN().gintTblAnz > 0) return;
  const QString keys = withTL ? QStringLiteral("FNTblAnz, TLTblAnz, SoTblAnz")
                              : QStringLiteral("FNTblAnz, SoTblAnz");
  msg::critical(builtinText(1059).arg(keys).arg(Mod_FN().gintTblAnz), catalogue::databaseErrorTitle());
  msg::endProgram(kExitEnded);
}

Report run(const Case &c) {
  Report r;
  ModFNState &s = Mod_FN();
  const calcfile::Case &f = c.file;
  // The report's comment lines, as a calculation file saved from the screens holds them.
  if (f.comments) s.gastrComment = *f.comments;

  // Start screen.
  sSetField(Mod_FN());
  decideTextMode();
  float siko = 0.0f;
  if (num::toFloat(gfstrSettings(Mod_FN(), QStringLiteral("StdSiko"), true), &siko)) s.gsngSiko = siko;
  else msg::critical(err::typeMismatch(), QStringLiteral("sSetLayout!"));

  // The load type (chosen on the evaluation screen; it only matters there). The case
  // chose it: when its setting cannot be read, no required safety is in force, and not
  // the one of another load type.
  if (!setRequiredSafety(Mod_FN(), f.loadType)) {
    s.gsngSiko = 0.0f;
    s.gintLoadType = f.loadType;
  }

  // The arrangement picture: the table list of its groups; then the special roller
  // shoe as its editor's "Ok" takes it over (a refused entry leaves none in force).
  sSetTblAnzBez(Mod_FN(), true, c.arrangement->groupTL, true);
  refuseEmptyTableList(c.arrangement->groupTL);
  if (f.special) takeOverSonder(Mod_FN(), f.special->fields, f.special->bearingsIndex, f.special->type);

  // "Weiter": the calculation, then the hand-over to the evaluation.
  const QVector<LoadCase> loadCases = calcfile::loadCasesOf(f);
  const LoadCaseOutput calc = calculateLoadCases(Mod_FN(), c.arrangement->id, loadCases, f.m, f.n, c.rigidCheck);
  const CalcOutput &out = calc.combined;
  r.calcFailed = out.calcFailed;
  r.unitDistance = s.gsngUnitDistance;
  r.railDistance = s.gsngRailDistance;
  if (!out.completed || out.calcFailed) return r;
  r.results = s.gastrResult;
  r.loads = out.loads;
  if (calc.perCase.size() > 1) r.caseLoads = Mod_FN().gaLoadCaseLoads;
  r.calc = out;
  handOverLoadCases(Mod_FN(), c.arrangement->id, loadCases);

  // The evaluation screen: size boxes, ticks, "Berechnen".
  const eval::SizeBoxes boxes = eval::assignSizeBoxes(s.gastrResult);
  if (!boxes.error.isEmpty()) msg::critical(boxes.error, QStringLiteral("sSetLayout!"));
  std::array<bool, eval::kBoxes> ticked;
  ticked.fill(false);
  QVector<bool> used(f.ticked.size(), false);
  for (int i = 0; i < eval::kBoxes; ++i) {
    if (!boxes.enabled[i]) continue;
    if (f.tickAll) {
      ticked[i] = true;
      continue;
    }
    const QStringList &row = s.gastrResult[boxes.tag[i] - 1];
    for (int t = 0; t < f.ticked.size(); ++t) {
      if (calcfile::tickMatches(f.ticked[t], row)) {
        ticked[i] = true;
        used[t] = true;
      }
    }
  }
  for (int t = 0; t < f.ticked.size(); ++t)
    if (!used[t])
      writeErr(QStringLiteral("tarvelcalc-batch: note: no size box for %1 %2; not ticked")
                   .arg(f.ticked[t].first, f.ticked[t].second));
  // The group "Betrieb", checked by "Berechnen" before it rates.
  const loads::DutyTexts duty = f.duty.value_or(loads::DutyTexts{});
  QString dutyRefusal;
  if (!eval::readDutyCycle(duty.stroke, duty.cyclesPerMinute, duty.hoursPerDay, duty.daysPerYear,
                           &Mod_FN().gDutyCycle, &dutyRefusal)) {
    msg::critical2(dutyRefusal, builtinText(314));
    return r;
  }
  const eval::EvaluationRun ev = eval::runEvaluation(Mod_FN(), boxes.tag, ticked);
  r.evaluation = ev.rows;
  if (!ev.extraHead.isEmpty()) r.details = ev.details;
  r.evaluationRefused = ev.refused;
  return r;
}

const char *const kUsage =
    "Usage: tarvelcalc-batch CASE.json [--catalogue FILE] [--locale NAME]\n"
    "                        [--export] [--report de|en [--pdf FILE]]\n"
    "\n"
    "Runs one TarvelCALC calculation as a user would on the screens and prints it as JSON.\n"
    "\n"
    "Case file:\n"
    "  {\"arrangement\": \"FrmVKaZDSch\", \"m\": \"200\", \"n\": \"100\",\n"
    "   \"forces\": [[\"- Z\", \"1000\", \"0\", \"0\", \"0\"]], \"loadType\": 0,\n"
    "   (or \"loadCases\": [{\"name\": ..., \"share\": 25, \"forces\": [[...]]}, ...]),\n"
    "   \"duty\": {\"stroke\": 500, \"cyclesPerMinute\": 10, \"hoursPerDay\": 8,\n"
    "            \"daysPerYear\": 250},\n"
    "   \"ticked\": \"all\", \"special\": {...}, \"rigidCheck\": true}\n"
    "\n"
    "Options:\n"
    "  --catalogue FILE  the catalogue file (default: DBFN.db beside this program,\n"
    "                    else in ../share/tarvelcalc/)\n"
    "  --locale NAME     number format of the typed values and the output, e.g. en_US\n"
    "                    (default: de_DE)\n"
    "  --export          adds \"export\": the evaluation text export (German)\n"
    "  --report de|en    adds \"report\": the report text file in German or English\n"
    "  --pdf FILE        prints that report to a PDF file (plain A4 paper)\n"
    "  -h, --help        show this help and exit\n"
    "      --version     show the version and exit\n"
    "\n"
    "Exit status:\n"
    "  0  after a run, also when the calculation was refused\n"
    "  1  the program would have ended itself (a database error)\n"
    "  2  bad command line, missing or malformed case file, missing catalogue file\n";

// Printing needs fonts and a paint engine: a GUI application, without a display if
// there is none.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv) {
  bool pdf = false;
  for (int i = 1; i < argc; ++i) pdf = pdf || QByteArray(argv[i]) == "--pdf";
  if (!pdf) return std::make_unique<QCoreApplication>(argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

int main(int argc, char **argv) {
  // Without a standard output the results would be lost, and the first file opened
  // would take its place and receive them.
  if (::fcntl(STDOUT_FILENO, F_GETFD) == -1) {
    writeErr(QStringLiteral("tarvelcalc-batch: standard output is closed; the results would be lost"));
    return kExitEnded;
  }
  const int answered = cli::answerStandardOptions(argc, argv, "tarvelcalc-batch", kUsage);
  if (answered >= 0) return answered;
  const std::unique_ptr<QCoreApplication> application = makeApplication(argc, argv);
  QCoreApplication &app = *application;
  QString casePath;
  bool wantExport = false;
  QString reportLanguage, pdfPath;
  QString cataloguePath;
  QString localeName = QStringLiteral("de_DE");
  Case c;
  try {
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
      const QString &a = args[i];
      if (a == QLatin1String("--catalogue") || a == QLatin1String("--locale")) {
        if (i + 1 >= args.size()) throw UsageError{a + QStringLiteral(" needs a value")};
        (a == QLatin1String("--catalogue") ? cataloguePath : localeName) = args[++i];
      } else if (a == QLatin1String("--export")) {
        wantExport = true;
      } else if (a == QLatin1String("--report") || a == QLatin1String("--pdf")) {
        if (i + 1 >= args.size()) throw UsageError{a + QStringLiteral(" needs a value")};
        (a == QLatin1String("--report") ? reportLanguage : pdfPath) = args[++i];
      } else if (a.startsWith(QLatin1String("--")) || !casePath.isEmpty()) {
        throw UsageError{QStringLiteral("unexpected argument ") + a};
      } else {
        casePath = a;
      }
    }
    if (casePath.isEmpty()) throw UsageError{QStringLiteral("no case file given")};
    if (!reportLanguage.isEmpty() && reportLanguage != QLatin1String("de") && reportLanguage != QLatin1String("en"))
      throw UsageError{QStringLiteral("--report takes de or en")};
    if (!pdfPath.isEmpty() && reportLanguage.isEmpty())
      throw UsageError{QStringLiteral("--pdf needs --report de|en")};
    const QLocale loc(localeName);
    if (loc.language() == QLocale::C && localeName != QLatin1String("C"))
      throw UsageError{QStringLiteral("unknown locale ") + localeName};
    num::setLocale(loc);
    c = readCase(casePath);
    if (cataloguePath.isEmpty()) {
      cataloguePath = datafiles::locate(QStringLiteral("DBFN.db"));
      if (!QFileInfo(cataloguePath).isFile())
        throw UsageError{QStringLiteral("catalogue file not found: ") +
                         datafiles::candidates(QStringLiteral("DBFN.db")).join(QStringLiteral(" nor "))};
    }
    if (!QFileInfo(cataloguePath).isFile())
      throw UsageError{QStringLiteral("catalogue file not found: ") + cataloguePath};
  } catch (const UsageError &e) {
    writeErr(QStringLiteral("tarvelcalc-batch: ") + e.text);
    writeErr(QString::fromUtf8(kUsage).trimmed());
    return kExitRefused;
  }

  Mod_FN().catalogue = std::make_shared<catalogue::Catalogue>(cataloguePath);
  msg::Recorder recorder;
  Report report;
  // The program ends itself after a database error: report what the user read and
  // leave with status 1, whatever was running at that moment.
  msg::setEndHook([&](int) {
    if (!recorder.messages.isEmpty()) {
      const msg::Message &m = recorder.messages.last();
      writeErr(QStringLiteral("tarvelcalc-batch: the program ended: ") + m.title +
               QStringLiteral(": ") + m.text);
    } else {
      writeErr(QStringLiteral("tarvelcalc-batch: the program ended"));
    }
    Report ended;
    ended.calcFailed = true;
    if (!writeOut(toJson(ended, recorder.messages))) outputLost();
    std::exit(kExitEnded);
  });
  try {
    report = run(c);
  } catch (const msg::ProgramEnded &) {
    return kExitEnded;  // not reached: the hook leaves
  } catch (const std::exception &e) {
    writeErr(QStringLiteral("tarvelcalc-batch: unexpected error: ") + QString::fromUtf8(e.what()));
    return kExitEnded;
  }
  // The report's foot carries the version with its suffix, as the program computes it
  // at start.
  computeSubVersion(Mod_FN());
  // No verdict without a required safety: the messages tell why, and nothing is
  // exported, reported or printed over a safety of 0.
  if (report.evaluationRefused) return writeOut(toJson(report, recorder.messages)) ? kExitEnded : outputLost();
  const int language = reportLanguage == QLatin1String("en") ? report::English : report::German;
  if (wantExport) report.exportText = report::evaluationExportText(Mod_FN());
  if (!reportLanguage.isEmpty()) report.reportText = report::reportText(Mod_FN(), language);
  if (!pdfPath.isEmpty()) {
    QString error;
    if (!report::printReportToPdf(Mod_FN(), pdfPath, language, QString::fromLatin1(c.arrangement->screenName), &error)) {
      writeErr(QStringLiteral("tarvelcalc-batch: ") + error);
      return kExitEnded;
    }
  }
  return writeOut(toJson(report, recorder.messages)) ? 0 : outputLost();
}
