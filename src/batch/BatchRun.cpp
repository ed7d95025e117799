#include "batch/BatchRun.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <charconv>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "core/catalogue/StartSession.h"
#include "core/common/Messages.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"
#include "batch/ReportLayer.h"

namespace batch {

// ---------------------------------------------------------------- case reading
namespace {
bool completeCase(Case *c, QString *error) {
  c->arrangement = arrangementByScreen(c->file.arrangement);
  // A new screen's table holds one empty row.
  if (c->file.forces.isEmpty()) c->file.forces.append(QStringList(5));
  // "rigidCheck" is the batch tool's own key; the screens keep it as they keep any key
  // they do not use.
  const QJsonValue rc = c->file.unknown.value(QStringLiteral("rigidCheck"));
  if (!rc.isUndefined() && !rc.isBool()) {
    *error = QStringLiteral("\"rigidCheck\" must be true or false");
    return false;
  }
  c->rigidCheck = rc.toBool(true);
  return true;
}
}  // namespace

bool caseFromJson(const QByteArray &json, Case *out, QString *error) {
  calcfile::Error e;
  if (!calcfile::parse(json, &out->file, &e)) {
    *error = e.english;
    return false;
  }
  return completeCase(out, error);
}

bool caseFromFile(const QString &path, Case *out, QString *error) {
  calcfile::Error e;
  if (!calcfile::readFile(path, &out->file, &e)) {
    *error = e.english;
    return false;
  }
  return completeCase(out, error);
}

// ---------------------------------------------------------------- the run
Start startOn(const std::shared_ptr<catalogue::Catalogue> &catalogue) {
  Start start;
  msg::Recorder recorder;
  try {
    startSession(start.session, {catalogue});
  } catch (const msg::ProgramEnded &) {
    start.ended = true;
  }
  start.messages = recorder.messages;
  return start;
}

namespace {

Report calculateAndEvaluate(Session &s, const Case &c, bool printForces, QStringList &notes) {
  Report r;
  static_cast<run::Result &>(r) =
      run::calculateCase(s, c.file, *c.arrangement, {c.rigidCheck, printForces}, kExitEnded);
  for (const QPair<QString, QString> &t : r.unmatchedTicks)
    notes << QStringLiteral("no size box for %1 %2; not ticked").arg(t.first, t.second);
  return r;
}

}  // namespace

Outcome runCase(Session &s, const Case &c, const Options &options, msg::Recorder &recorder) {
  Outcome o;
  try {
    o.report = calculateAndEvaluate(s, c, options.wantExport || !options.reportLanguage.isEmpty(), o.notes);
    if (o.report.evaluationRefused) {
      // No verdict without a required safety: the messages tell why, and nothing is
      // exported, reported or printed over a safety of 0.
      o.status = Status::NoVerdict;
    } else {
      if (options.wantExport || !options.reportLanguage.isEmpty()) {
        // The tool loads the layer before the first case and refuses to run without it.
        QString error;
        const ReportLayer *layer = reportLayer(&error);
        if (!layer) throw std::runtime_error("the report layer cannot be loaded: " + error.toStdString());
        if (options.wantExport) o.report.exportText = layer->exportText(s);
        if (!options.reportLanguage.isEmpty())
          o.report.reportText = layer->reportText(s, options.reportLanguage == QLatin1String("en"));
      }
    }
  } catch (const msg::ProgramEnded &) {
    // The program ends itself after a database error: what the user read, and no more.
    o.status = Status::Ended;
    o.report = Report();
    o.report.calcFailed = true;
  } catch (const std::exception &e) {
    o.status = Status::Unexpected;
    o.unexpected = QString::fromUtf8(e.what());
  }
  o.messages = recorder.messages;
  return o;
}

Outcome runCase(const Start &start, const Case &c, const Options &options) {
  msg::Recorder recorder;
  recorder.messages = start.messages;
  if (start.ended) {
    Outcome o;
    o.status = Status::Ended;
    o.report.calcFailed = true;
    o.messages = recorder.messages;
    return o;
  }
  Session s = start.session;
  return runCase(s, c, options, recorder);
}

// ---------------------------------------------------------------- JSON writing
void appendQuoted(std::string &out, const QString &s) {
  // Printable ASCII, control characters and whole UTF-16 characters are written here as
  // QJsonDocument writes them; a lone surrogate goes the library's way.
  static const char hex[] = "0123456789abcdef";
  const char16_t *p = reinterpret_cast<const char16_t *>(s.utf16());
  const char16_t *const end = p + s.size();
  const size_t start = out.size();
  out.reserve(out.size() + static_cast<size_t>(s.size()) + 2);
  out.push_back('"');
  while (p != end) {
    // A run of plain characters is copied at once.
    const char16_t *plain = p;
    while (plain != end && *plain >= 0x20 && *plain < 0x80 && *plain != '"' && *plain != '\\') ++plain;
    if (plain != p) {
      const size_t at = out.size();
      out.resize(at + static_cast<size_t>(plain - p));
      char *d = out.data() + at;
      while (p != plain) *d++ = static_cast<char>(*p++);
      continue;
    }
    const char16_t u = *p++;
    if (u < 0x80) {
      out.push_back('\\');
      switch (u) {
        case '"': out.push_back('"'); break;
        case '\\': out.push_back('\\'); break;
        case 0x8: out.push_back('b'); break;
        case 0xc: out.push_back('f'); break;
        case 0xa: out.push_back('n'); break;
        case 0xd: out.push_back('r'); break;
        case 0x9: out.push_back('t'); break;
        default:
          out.append("u00");
          out.push_back(hex[u >> 4]);
          out.push_back(hex[u & 0xf]);
      }
    } else if (u < 0x800) {
      out.push_back(static_cast<char>(0xc0 | (u >> 6)));
      out.push_back(static_cast<char>(0x80 | (u & 0x3f)));
    } else if (u < 0xd800 || u > 0xdfff) {
      out.push_back(static_cast<char>(0xe0 | (u >> 12)));
      out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3f)));
      out.push_back(static_cast<char>(0x80 | (u & 0x3f)));
    } else if (u < 0xdc00 && p != end && *p >= 0xdc00 && *p <= 0xdfff) {
      const char32_t c = 0x10000 + ((static_cast<char32_t>(u) - 0xd800) << 10) + (*p++ - 0xdc00);
      out.push_back(static_cast<char>(0xf0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3f)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3f)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3f)));
    } else {
      out.resize(start);
      const QByteArray a = QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact);
      out.append(a.constData() + 1, static_cast<size_t>(a.size() - 2));
      return;
    }
  }
  out.push_back('"');
}

void appendNumber(std::string &out, float v) {
  if (!std::isfinite(v)) {
    out.append("null");
    return;
  }
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, static_cast<size_t>(res.ptr - buf));
}

namespace {

// The layout of the two forms: the single case's, with line breaks, blanks after
// separators and one row per line, and the compact one.
struct Writer {
  std::string &out;
  bool pretty;

  void key(const char *name) {
    out.push_back('"');
    out.append(name);
    out.append(pretty ? "\": " : "\":");
  }
  void sep() { out.append(pretty ? ", " : ","); }
  // Before the i-th row of a list (indented by four) and after its last one.
  void rowStart(int i) {
    if (!pretty) {
      if (i) out.push_back(',');
      return;
    }
    out.append(i ? ",\n    " : "\n    ");
  }
  void listEnd(bool empty) { out.append(!pretty || empty ? "]" : "\n  ]"); }
  // Before the next top-level key.
  void next() { out.append(pretty ? ",\n  " : ","); }
  void numbers(const float *v, int n) {
    out.push_back('[');
    for (int k = 0; k < n; ++k) {
      if (k) sep();
      appendNumber(out, v[k]);
    }
    out.push_back(']');
  }
  // Five values whose text was written just before (`text`, of `before`) are written
  // again from it when they are the same: the rated loads are the model's on most rows.
  void sameOrNumbers(const std::array<float, 5> &values, const std::array<float, 5> *before,
                     const std::string &text) {
    if (before && std::memcmp(values.data(), before->data(), sizeof values) == 0) out.append(text);
    else numbers(values.data(), 5);
  }
};

}  // namespace

void appendJson(std::string &out, const Report &r, const QVector<msg::Message> &messages, bool pretty,
                std::string_view leadingKeys) {
  Writer w{out, pretty};
  out.reserve(out.size() + 1024 + static_cast<size_t>(r.results.size()) * 400 +
              static_cast<size_t>(r.evaluation.size()) * 200);
  out.append(pretty ? "{\n  " : "{");
  out.append(leadingKeys);
  w.key("calcFailed");
  out.append(r.calcFailed ? "true" : "false");
  w.next();
  w.key("messages");
  out.push_back('[');
  for (int i = 0; i < messages.size(); ++i) {
    w.rowStart(i);
    out.push_back('{');
    w.key("title");
    appendQuoted(out, messages[i].title);
    w.sep();
    w.key("text");
    appendQuoted(out, messages[i].text);
    out.push_back('}');
  }
  w.listEnd(messages.isEmpty());
  w.next();
  w.key("unitDistance");
  appendNumber(out, r.unitDistance);
  w.next();
  w.key("railDistance");
  appendNumber(out, r.railDistance);
  w.next();
  w.key("results");
  out.push_back('[');
  std::string loadsText;
  for (int i = 0; i < r.results.size(); ++i) {
    const ResultRow &row = r.results[i];
    w.rowStart(i);
    out.push_back('{');
    w.key("serie");
    appendQuoted(out, row.serie);
    w.sep();
    w.key("gr");
    appendQuoted(out, row.size);
    w.sep();
    w.key("load");
    appendQuoted(out, row.load);
    w.sep();
    w.key("unit");
    appendQuoted(out, row.unit);
    w.sep();
    w.key("loads");
    const size_t loadsAt = out.size();
    if (row.loads) w.numbers(row.loads->data(), 5);
    else out.append("[]");
    loadsText.assign(out, loadsAt, std::string::npos);
    if (row.caseLoads.size() > 1) {
      w.sep();
      w.key("caseLoads");
      out.push_back('[');
      for (int k = 0; k < row.caseLoads.size(); ++k) {
        if (k) w.sep();
        w.numbers(row.caseLoads[k].data(), 5);
      }
      out.push_back(']');
    }
    // The rigid-plate check of the row: the model's five values, the check's (null
    // where there is none) and which of the two is rated.
    w.sep();
    w.key("modelLoads");
    if (row.modelLoads) w.sameOrNumbers(*row.modelLoads, row.loads ? &*row.loads : nullptr, loadsText);
    else out.append("null");
    w.sep();
    w.key("checkLoads");
    if (row.checkLoads) w.numbers(row.checkLoads->data(), 5);
    else out.append("null");
    w.sep();
    w.key("governs");
    out.append(row.byCheck ? "\"check\"" : "\"model\"");
    out.push_back('}');
  }
  w.listEnd(r.results.isEmpty());
  w.next();
  w.key("evaluation");
  out.push_back('[');
  for (int i = 0; i < r.evaluation.size(); ++i) {
    const EvaluationRow &e = r.evaluation[i];
    w.rowStart(i);
    out.push_back('[');
    const QString *const texts[EvaluationRow::kFields] = {
        &e.unit, &e.size, &e.orderNo, &e.staticRating, &e.dynamicRating,
        &e.load, &e.safety, &e.life, &e.verdictGerman, &e.verdictEnglish};
    for (int k = 0; k < EvaluationRow::kFields; ++k) {
      if (k) w.sep();
      appendQuoted(out, *texts[k]);
    }
    out.push_back(']');
  }
  w.listEnd(r.evaluation.isEmpty());
  if (r.withDetails && !r.evaluation.isEmpty()) {
    const auto optional = [&out](const std::optional<double> &v) {
      if (v) appendNumber(out, static_cast<float>(*v));
      else out.append("null");
    };
    w.next();
    w.key("details");
    out.push_back('[');
    for (int i = 0; i < r.evaluation.size(); ++i) {
      const EvaluationDetail &d = r.evaluation[i].detail;
      w.rowStart(i);
      out.push_back('{');
      w.key("staticLoad");
      appendNumber(out, d.staticLoad);
      w.sep();
      w.key("equivalentLoad");
      appendNumber(out, d.equivalentLoad);
      w.sep();
      w.key("lifeKm");
      appendNumber(out, d.lifeKm);
      w.sep();
      w.key("lifeHours");
      optional(d.lifeHours);
      w.sep();
      w.key("lifeYears");
      optional(d.lifeYears);
      out.push_back('}');
    }
    w.listEnd(false);
  }
  if (r.exportText) {
    w.next();
    w.key("export");
    appendQuoted(out, *r.exportText);
  }
  if (r.reportText) {
    w.next();
    w.key("report");
    appendQuoted(out, *r.reportText);
  }
  out.append(pretty ? "\n}\n" : "}");
}

}  // namespace batch
