#include "core/evaluation/EvaluationCsv.h"

#include <charconv>
#include <cmath>

#include "core/evaluation/DutyCycle.h"
#include "core/evaluation/Evaluation.h"
#include "core/evaluation/EvaluationTexts.h"
#include "core/evaluation/Sizing.h"

namespace eval::csv {

namespace {

void appendLine(std::string &out) { out.append("\r\n"); }

void appendFlag(std::string &out, bool v) { out.push_back(v ? '1' : '0'); }

void appendOptional(std::string &out, const std::optional<double> &v) {
  if (v) appendNumber(out, static_cast<float>(*v));
}

}  // namespace

Columns columnsOf(const QVector<int> &extraHead, const RequiredLife &required) {
  Columns c;
  c.extraHead = extraHead;
  c.lifeVerdict = required.given();
  c.recommendation = required.given();
  return c;
}

Columns columnsOf(const calcfile::Case &c) {
  // The extra columns as the evaluation decides them (extraColumns): several load cases,
  // a duty cycle with hours, with years.
  QVector<int> extraHead;
  if (calcfile::loadCasesOf(c).size() > 1) extraHead << 1300;
  DutyCycle duty;
  QString refusal;
  if (c.duty)
    eval::readDutyCycle(c.duty->stroke, c.duty->cyclesPerMinute, c.duty->hoursPerDay, c.duty->daysPerYear,
                        &duty, &refusal);
  if (duty.hasHours()) extraHead << 1301;
  if (duty.hasYears()) extraHead << 1302;
  RequiredLife life;
  if (c.requiredLife)
    eval::readRequiredLife(c.requiredLife->value, c.requiredLife->hours, duty, &life, &refusal);
  return columnsOf(extraHead, life);
}

Columns allColumns() {
  Columns c;
  c.extraHead = {1300, 1301, 1302};
  c.lifeVerdict = true;
  c.recommendation = true;
  return c;
}

std::string header(const Columns &columns) {
  std::string out;
  bool first = true;
  const auto name = [&](const QString &n) {
    if (!first) out.push_back(',');
    first = false;
    appendField(out, n);
  };
  for (const QString &n : columns.leading) name(n);
  for (const char *n : {"unit", "size", "order_no", "static_rating_N", "dynamic_rating_N", "load_N"})
    name(QLatin1String(n));
  if (columns.extraHead.contains(1300)) name(QStringLiteral("equivalent_load_N"));
  name(QStringLiteral("safety"));
  name(QStringLiteral("life_km"));
  if (columns.extraHead.contains(1301)) name(QStringLiteral("life_h"));
  if (columns.extraHead.contains(1302)) name(QStringLiteral("life_years"));
  name(QStringLiteral("verdict_de"));
  name(QStringLiteral("verdict_en"));
  if (columns.lifeVerdict) name(QStringLiteral("life_ok"));
  if (columns.recommendation)
    for (const char *n : {"safety_ok", "passes", "recommended", "suggested"}) name(QLatin1String(n));
  appendLine(out);
  return out;
}

void appendRows(std::string &out, const QVector<EvaluationRow> &rows, const Columns &columns,
                const QStringList &leading) {
  const Sizing sizing = columns.recommendation ? chooseSizes(rows) : Sizing();
  for (int i = 0; i < rows.size(); ++i) {
    const EvaluationRow &row = rows[i];
    if (row.blank()) continue;
    const EvaluationDetail &d = row.detail;
    for (const QString &cell : leading) {
      appendField(out, cell);
      out.push_back(',');
    }
    appendField(out, row.unit);
    out.push_back(',');
    appendField(out, row.size);
    out.push_back(',');
    appendField(out, row.orderNo);
    out.push_back(',');
    appendNumber(out, row.staticRating);
    out.push_back(',');
    appendNumber(out, d.C);
    out.push_back(',');
    appendNumber(out, d.staticLoad);
    if (columns.extraHead.contains(1300)) {
      out.push_back(',');
      appendNumber(out, d.equivalentLoad);
    }
    out.push_back(',');
    appendNumber(out, fsngSafety(row.staticRating, d.staticLoad));
    out.push_back(',');
    appendNumber(out, d.lifeKm);
    if (columns.extraHead.contains(1301)) {
      out.push_back(',');
      appendOptional(out, d.lifeHours);
    }
    if (columns.extraHead.contains(1302)) {
      out.push_back(',');
      appendOptional(out, d.lifeYears);
    }
    out.push_back(',');
    appendField(out, verdictText(row.verdict, false));
    out.push_back(',');
    appendField(out, verdictText(row.verdict, true));
    if (columns.lifeVerdict) {
      out.push_back(',');
      if (row.lifeOk) appendFlag(out, *row.lifeOk);
    }
    if (columns.recommendation) {
      const SizingRow &s = sizing.rows[i];
      for (const bool v : {s.safetyOk, s.passes, s.recommended, sizing.suggestion == i}) {
        out.push_back(',');
        appendFlag(out, v);
      }
    }
    appendLine(out);
  }
}

QByteArray fileText(const QVector<EvaluationRow> &rows, const Columns &columns) {
  std::string out = header(columns);
  appendRows(out, rows, columns);
  return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

void appendField(std::string &out, const QString &text) {
  const QByteArray utf8 = text.toUtf8();
  const bool quoted = utf8.contains(',') || utf8.contains('"') || utf8.contains('\n') || utf8.contains('\r');
  if (!quoted) {
    out.append(utf8.constData(), static_cast<size_t>(utf8.size()));
    return;
  }
  out.push_back('"');
  for (const char ch : utf8) {
    if (ch == '"') out.push_back('"');
    out.push_back(ch);
  }
  out.push_back('"');
}

void appendNumber(std::string &out, float value) {
  if (!std::isfinite(value)) return;
  // The shortest digits that read back as the value, never in exponent form: a
  // spreadsheet reads every cell as the number it shows.
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
  out.append(buf, static_cast<size_t>(res.ptr - buf));
}

QString plainNumber(double value) {
  if (!std::isfinite(value)) return QString();
  char buf[400];  // the longest fixed form of a double is 309 digits before the point
  const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
  return QString::fromLatin1(buf, static_cast<qsizetype>(res.ptr - buf));
}

QString sweptColumn(const QString &key, const QString &unit) { return key + QLatin1Char('_') + unit; }

}  // namespace eval::csv
