// tarvelcalc-batch: one calculation as the user runs it on the screens, without them.
//
//   tarvelcalc-batch CASE.json [--catalogue FILE] [--locale NAME]
//                    [--export] [--report de|en [--pdf FILE]]
//
// The case names the arrangement screen, the distance fields and the force table as
// typed, the load type and the ticked sizes, and optionally a special roller shoe as
// entered in its editor. The run loads the settings, sets the required safety, builds
// the table list of the arrangement, takes the special shoe over, calculates, places
// the results into the size boxes, ticks them and evaluates. Every message box the
// user would have read is reported, in order, with the numbers on stdout as JSON.
//
// Exit status: 0 after a run (also when the calculation was refused), 1 when the
// program would have ended itself (a database error, a catalogue without table sets),
// when the evaluation gave no verdict for want of a required safety, or when the
// results, the PDF or any output could not be written; 2 for a bad command line, a
// missing, oversized or malformed case file, a wrongly typed or out-of-range value, or
// a missing catalogue file.
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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
#include "arrangements/models/Arrangement.h"
#include "catalogue/Catalogue.h"
#include "common/Errors.h"
#include "common/Messages.h"
#include "common/ModFN.h"
#include "common/Numbers.h"
#include "common/Texts.h"
#include "evaluation/Evaluation.h"
#include "report/ReportPrint.h"
#include "report/ReportText.h"
#include "special/SonderCore.h"

namespace {

constexpr int kExitRefused = 2;
constexpr int kExitEnded = 1;

struct UsageError {
  QString text;
};

struct SpecialShoe {
  QStringList fields;
  int bearingsIndex = 0;
  QString type;
};

struct Case {
  const ArrangementInfo *arrangement = nullptr;
  QString m, n;
  TextRows forces;
  int loadType = 0;
  bool tickAll = true;
  QVector<QPair<QString, QString>> ticked;  // Serie, Gr
  std::optional<SpecialShoe> special;
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

struct Report {
  bool calcFailed = false;
  float unitDistance = 0.0f, railDistance = 0.0f;
  TextRows results;
  QVector<std::array<float, 5>> loads;
  TextRows evaluation;
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
        << loads.join(QStringLiteral(", ")) << "]}";
  }
  out << (r.results.isEmpty() ? "],\n" : "\n  ],\n");
  out << "  \"evaluation\": [";
  for (int i = 0; i < r.evaluation.size(); ++i)
    out << (i ? ",\n" : "\n") << "    " << stringArray(r.evaluation[i]);
  out << (r.evaluation.isEmpty() ? "]" : "\n  ]");
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
// The largest case file read: a case is a few kilobytes; a device or a runaway file
// must not exhaust the memory before the JSON parser sees it.
constexpr qint64 kMaxCaseBytes = 16 * 1024 * 1024;

// A field as typed: text, or a JSON number written as the locale would show it.
QString typedText(const QJsonValue &v, const QString &what) {
  if (v.isString()) return v.toString();
  if (v.isDouble()) return num::doubleToText(v.toDouble());
  if (v.isUndefined() || v.isNull()) return QString();
  throw UsageError{what + QStringLiteral(" must be a text such as \"200\"")};
}

Case readCase(const QString &path) {
  QFile file(path);
  if (!QFileInfo::exists(path)) throw UsageError{QStringLiteral("case file not found: ") + path};
  if (!file.open(QIODevice::ReadOnly))
    throw UsageError{QStringLiteral("cannot read the case file ") + path + QStringLiteral(": ") +
                     file.errorString()};
  // Read one byte beyond the limit: a pipe or a device tells its size only that way.
  const QByteArray bytes = file.read(kMaxCaseBytes + 1);
  if (bytes.size() > kMaxCaseBytes)
    throw UsageError{QStringLiteral("the case file %1 is larger than %2 MiB; a case file is a small JSON object")
                         .arg(path)
                         .arg(kMaxCaseBytes / (1024 * 1024))};
  QJsonParseError perr;
  const QJsonDocument doc = QJsonDocument::fromJson(bytes, &perr);
  if (perr.error != QJsonParseError::NoError)
    throw UsageError{QStringLiteral("malformed JSON in %1 at offset %2: %3")
                         .arg(path)
                         .arg(perr.offset)
                         .arg(perr.errorString())};
  if (!doc.isObject()) throw UsageError{QStringLiteral("the case must be a JSON object")};
  const QJsonObject o = doc.object();

  Case c;
  const QString screen = o.value(QStringLiteral("arrangement")).toString();
  c.arrangement = arrangementByScreen(screen);
  if (!c.arrangement) {
    QStringList names;
    for (const ArrangementInfo &a : arrangements()) names << QString::fromLatin1(a.screenName);
    throw UsageError{QStringLiteral("unknown arrangement \"%1\" (key \"arrangement\"); one of: %2")
                         .arg(screen, names.join(QStringLiteral(", ")))};
  }
  c.m = typedText(o.value(QStringLiteral("m")), QStringLiteral("\"m\""));
  c.n = typedText(o.value(QStringLiteral("n")), QStringLiteral("\"n\""));

  static const QStringList labels = {QStringLiteral("X +"), QStringLiteral("- X"),
                                     QStringLiteral("Y +"), QStringLiteral("- Y"),
                                     QStringLiteral("Z +"), QStringLiteral("- Z")};
  const QJsonValue forces = o.value(QStringLiteral("forces"));
  if (!forces.isUndefined() && !forces.isArray())
    throw UsageError{QStringLiteral("\"forces\" must be a list of rows")};
  for (const QJsonValue &rv : forces.toArray()) {
    const QJsonArray ra = rv.toArray();
    if (!rv.isArray() || ra.size() != 5)
      throw UsageError{QStringLiteral(
          "each force row must be [direction, force, x, y, z], e.g. [\"- Z\", \"1000\", \"0\", \"0\", \"0\"]")};
    QStringList row;
    for (int i = 0; i < 5; ++i)
      row << typedText(ra.at(i), QStringLiteral("a cell of \"forces\""));
    if (!labels.contains(row[0]))
      throw UsageError{QStringLiteral("unknown force direction \"%1\"; one of: %2")
                           .arg(row[0], labels.join(QStringLiteral(", ")))};
    c.forces.append(row);
  }
  // A new screen's table holds one empty row.
  if (c.forces.isEmpty()) c.forces.append(QStringList(5));

  const QJsonValue lt = o.value(QStringLiteral("loadType"));
  if (!lt.isUndefined()) {
    // Judged on the number itself: toInt() maps 4294967297 and 1e10 to 0.
    const double d = lt.toDouble();
    if (!lt.isDouble() || !(d == 0.0 || d == 1.0 || d == 2.0))
      throw UsageError{QStringLiteral("\"loadType\" must be 0, 1 or 2")};
    c.loadType = static_cast<int>(d);
  }

  const QJsonValue tv = o.value(QStringLiteral("ticked"));
  if (tv.isString() && tv.toString() == QLatin1String("all")) {
    c.tickAll = true;
  } else if (tv.isArray()) {
    c.tickAll = false;
    for (const QJsonValue &pv : tv.toArray()) {
      const QJsonArray pa = pv.toArray();
      if (!pv.isArray() || pa.size() != 2)
        throw UsageError{QStringLiteral("\"ticked\" must be \"all\" or a list of [Serie, Gr]")};
      c.ticked.append({typedText(pa.at(0), QStringLiteral("a series of \"ticked\"")),
                       typedText(pa.at(1), QStringLiteral("a size of \"ticked\""))});
    }
  } else if (!tv.isUndefined()) {
    throw UsageError{QStringLiteral("\"ticked\" must be \"all\" or a list of [Serie, Gr]")};
  }

  const QJsonValue sv = o.value(QStringLiteral("special"));
  if (!sv.isUndefined() && !sv.isNull()) {
    const QJsonObject so = sv.toObject();
    const QJsonArray fa = so.value(QStringLiteral("fields")).toArray();
    if (!sv.isObject() || fa.size() != sonder::kFieldCount)
      throw UsageError{QStringLiteral("\"special\" needs \"fields\": the 24 data fields of the editor")};
    SpecialShoe s;
    for (const QJsonValue &f : fa) s.fields << typedText(f, QStringLiteral("a field of \"special\""));
    s.bearingsIndex = sonder::bearingsIndex(
        typedText(so.value(QStringLiteral("bearings")), QStringLiteral("\"special\".\"bearings\"")));
    if (so.value(QStringLiteral("bearings")).isUndefined()) s.bearingsIndex = 0;
    if (s.bearingsIndex < 0)
      throw UsageError{QStringLiteral("\"bearings\" must be \"4\", \"6\" or \"8\"")};
    const QJsonValue type = so.value(QStringLiteral("type"));
    s.type = type.isUndefined() ? QStringLiteral("N") : type.toString();
    if (!type.isUndefined() && !type.isString())
      throw UsageError{QStringLiteral("\"special\".\"type\" must be the text \"N\" or \"K\"")};
    if (s.type != QLatin1String("N") && s.type != QLatin1String("K"))
      throw UsageError{QStringLiteral("\"type\" must be \"N\" (needle) or \"K\" (ball bearings)")};
    c.special = s;
  }
  return c;
}

// ---------------------------------------------------------------- the run
bool sizeMatches(const QString &wanted, const QString &size) {
  if (wanted == size) return true;
  double a = 0, b = 0;
  return num::toDouble(wanted, &a) && num::toDouble(size, &b) && a == b;
}

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

  // Start screen.
  sSetField();
  decideTextMode();
  float siko = 0.0f;
  if (num::toFloat(gfstrSettings(QStringLiteral("StdSiko"), true), &siko)) s.gsngSiko = siko;
  else msg::critical(err::typeMismatch(), QStringLiteral("sSetLayout!"));

  // The load type (chosen on the evaluation screen; it only matters there). The case
  // chose it: when its setting cannot be read, no required safety is in force, and not
  // the one of another load type.
  if (!setRequiredSafety(c.loadType)) {
    s.gsngSiko = 0.0f;
    s.gintLoadType = c.loadType;
  }

  // The arrangement picture: the table list of its groups; then the special roller
  // shoe as its editor's "Ok" takes it over (a refused entry leaves none in force).
  sSetTblAnzBez(true, c.arrangement->groupTL, true);
  refuseEmptyTableList(c.arrangement->groupTL);
  if (c.special) takeOverSonder(c.special->fields, c.special->bearingsIndex, c.special->type);

  // "Weiter": the calculation, then the hand-over to the evaluation.
  const CalcOutput out = calculateArrangement(c.arrangement->id, c.forces, c.m, c.n);
  r.calcFailed = out.calcFailed;
  r.unitDistance = s.gsngUnitDistance;
  r.railDistance = s.gsngRailDistance;
  if (!out.completed || out.calcFailed) return r;
  r.results = s.gastrResult;
  r.loads = out.loads;
  handOver(c.arrangement->id, c.forces);

  // The evaluation screen: size boxes, ticks, "Berechnen".
  const eval::SizeBoxes boxes = eval::assignSizeBoxes(s.gastrResult);
  if (!boxes.error.isEmpty()) msg::critical(boxes.error, QStringLiteral("sSetLayout!"));
  std::array<bool, eval::kBoxes> ticked;
  ticked.fill(false);
  QVector<bool> used(c.ticked.size(), false);
  for (int i = 0; i < eval::kBoxes; ++i) {
    if (!boxes.enabled[i]) continue;
    if (c.tickAll) {
      ticked[i] = true;
      continue;
    }
    const QStringList &row = s.gastrResult[boxes.tag[i] - 1];
    for (int t = 0; t < c.ticked.size(); ++t) {
      const auto &[serie, gr] = c.ticked[t];
      if ((serie == row.value(0) || serie == row.value(3)) && sizeMatches(gr, row.value(1))) {
        ticked[i] = true;
        used[t] = true;
      }
    }
  }
  for (int t = 0; t < c.ticked.size(); ++t)
    if (!used[t])
      writeErr(QStringLiteral("tarvelcalc-batch: note: no size box for %1 %2; not ticked")
                   .arg(c.ticked[t].first, c.ticked[t].second));
  const eval::EvaluationRun ev = eval::runEvaluation(boxes.tag, ticked);
  r.evaluation = ev.rows;
  r.evaluationRefused = ev.refused;
  return r;
}

const char *const kUsage =
    "usage: tarvelcalc-batch CASE.json [--catalogue FILE] [--locale NAME]\n"
    "                        [--export] [--report de|en [--pdf FILE]]\n"
    "  CASE.json  {\"arrangement\": \"FrmVKaZDSch\", \"m\": \"200\", \"n\": \"100\",\n"
    "              \"forces\": [[\"- Z\", \"1000\", \"0\", \"0\", \"0\"]], \"loadType\": 0,\n"
    "              \"ticked\": \"all\", \"special\": {...}}\n"
    "  --catalogue the catalogue file (default: DBFN.db beside this program)\n"
    "  --locale    number format of the typed values and the output, e.g. en_US\n"
    "              (default: de_DE)\n"
    "  --export    adds \"export\": the evaluation text export (German)\n"
    "  --report    adds \"report\": the report text file in German (de) or English (en)\n"
    "  --pdf       prints that report to a PDF file (plain A4 paper)";

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
  const std::unique_ptr<QCoreApplication> application = makeApplication(argc, argv);
  QCoreApplication &app = *application;
  QString casePath;
  bool wantExport = false;
  QString reportLanguage, pdfPath;
  QString cataloguePath = QCoreApplication::applicationDirPath() + QStringLiteral("/DBFN.db");
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
      } else if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
        return writeOut(QString::fromLatin1(kUsage) + QLatin1Char('\n')) ? 0 : outputLost();
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
    if (!QFileInfo(cataloguePath).isFile())
      throw UsageError{QStringLiteral("catalogue file not found: ") + cataloguePath};
  } catch (const UsageError &e) {
    writeErr(QStringLiteral("tarvelcalc-batch: ") + e.text);
    writeErr(QString::fromLatin1(kUsage));
    return kExitRefused;
  }

  catalogue::setFile(cataloguePath);
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
  computeSubVersion();
  // No verdict without a required safety: the messages tell why, and nothing is
  // exported, reported or printed over a safety of 0.
  if (report.evaluationRefused) return writeOut(toJson(report, recorder.messages)) ? kExitEnded : outputLost();
  const int language = reportLanguage == QLatin1String("en") ? report::English : report::German;
  if (wantExport) report.exportText = report::evaluationExportText();
  if (!reportLanguage.isEmpty()) report.reportText = report::reportText(language);
  if (!pdfPath.isEmpty()) {
    QString error;
    if (!report::printReportToPdf(pdfPath, language, QString::fromLatin1(c.arrangement->screenName), &error)) {
      writeErr(QStringLiteral("tarvelcalc-batch: ") + error);
      return kExitEnded;
    }
  }
  return writeOut(toJson(report, recorder.messages)) ? 0 : outputLost();
}
