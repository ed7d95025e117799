#include "output/report/ReportLoadCases.h"

#include <QRegularExpression>
#include <algorithm>

#include "core/common/Session.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"
#include "core/evaluation/EvaluationTexts.h"
#include "core/evaluation/Evaluation.h"
#include "core/evaluation/Sizing.h"
#include "core/evaluation/UnitLoads.h"

namespace report {

namespace {
QString text(int germanId, int k) { return tableText(k == English ? germanId + 1 : germanId); }

// Every number of a worked formula in the language's notation.
QString numbersInLanguage(const QString &text, int k) {
  if (k != English && interfaceLanguage() != Language::English) return text;
  static const QRegularExpression number(QStringLiteral("\\d[\\d.,]*\\d|\\d"));
  QString out;
  qsizetype at = 0;
  for (auto it = number.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    out += text.mid(at, m.capturedStart() - at) + inLanguage(m.captured(), k);
    at = m.capturedEnd();
  }
  return out + text.mid(at);
}

QString percent(double share) { return num::doubleToText(share) + QStringLiteral(" %"); }

// "10/3" or "3": the exponent as the formula names it.
QString exponentText(double p) { return p > 3.0 ? QStringLiteral("10/3") : num::doubleToText(p); }
QString inverseText(double p) { return p > 3.0 ? QStringLiteral("3/10") : QStringLiteral("1/") + num::doubleToText(p); }
}  // namespace

bool severalLoadCases(const Session &session) { return session.gaLoadCases.size() > 1; }

ReportLines forceTableLines(const Session &session, const ReportTables &t, int k) {
  ReportLines out;
  ReportLine head;
  for (int c = 0; c < 5; ++c) head.items << TabItem{kForceHeadTabs[c], t.forceHead(c, k)};
  out << head;
  const auto rows = [&out, k](const TextRows &table) {
    for (const QStringList &row : table) {
      ReportLine r;
      r.role = ReportLine::Role::ForceRow;
      for (int c = 0; c < 5; ++c) r.items << TabItem{kForceRowTabs[c], forceField(row, c, k)};
      out << r;
    }
  };
  if (!severalLoadCases(session)) {
    rows(session.gastrForce);
    return out;
  }
  for (int i = 0; i < session.gaLoadCases.size(); ++i) {
    const LoadCase &lc = session.gaLoadCases[i];
    out << line({{kLabelTab, lc.name}, {kValueTab, text(1326, k) + QLatin1Char(' ') + inLanguage(percent(lc.share), k)}},
                     ReportLine::Role::ForceRow);
    rows(session.gaLoadCaseForce.value(i));
  }
  return out;
}

ReportLines dutyLines(const Session &session, int k) {
  const DutyCycle &d = session.gDutyCycle;
  ReportLines out;
  if (!d.hasHours()) return out;
  const auto add = [&](int id, double value, const QString &unit) {
    out << line({{kLabelTab, text(id, k) + QLatin1Char(':')}, {kValueTab, inLanguage(num::doubleToText(value), k) + unit}});
  };
  add(1330, d.stroke, QStringLiteral(" mm"));
  add(1332, d.cyclesPerMinute, QString());
  if (d.hasYears()) {
    add(1334, d.hoursPerDay, QString());
    add(1336, d.daysPerYear, QString());
  }
  return out;
}

QString extraHeading(int germanId, int k) {
  return tableText(k == English ? eval::englishExtraHead(germanId) : germanId);
}

namespace {
bool anyRated(const Session &session) {
  const QVector<EvaluationRow> &rows = session.gastrEvaluation;
  return !rows.isEmpty() && !rows.constFirst().blank();
}
}  // namespace

ReportLines suggestionLines(const Session &session, int k) {
  ReportLines out;
  if (!session.showsSizing() || !anyRated(session)) return out;
  const eval::Sizing sizing = eval::chooseSizes(session.gastrEvaluation);
  const EvaluationRow *best = sizing.suggestion >= 0 ? &session.gastrEvaluation.at(sizing.suggestion) : nullptr;
  out << ReportLine();
  out << line({{kLabelTab, numbersInLanguage(eval::suggestionText(best, k == English), k)}});
  return out;
}

ReportLines sizingBlock(const Session &session, const ReportTables &t, int k) {
  ReportLines out;
  if (!anyRated(session)) return out;
  const QVector<EvaluationRow> &rows = session.gastrEvaluation;
  const RequiredLife &life = session.gRequiredLife;
  if (life.given()) {
    const QString required = num::formatGrouped(life.value) + (life.hours ? QStringLiteral(" h") : QStringLiteral(" km"));
    out << ReportLine();
    out << underlined(text(1561, k).arg(inLanguage(required, k)));
    ReportLine head;
    for (int c = 0; c < 3; ++c) head.items << TabItem{kResultTabs[c], t.resultHead(c, k)};
    head.items << TabItem{kResultTabs[3], life.hours ? extraHeading(1301, k) : t.resultHead(7, k)};
    head.items << TabItem{kResultTabs[4], t.resultHead(8, k)};
    out << head;
    for (const EvaluationRow &row : rows) {
      ReportLine r;
      r.role = ReportLine::Role::ResultRow;
      const QString lifeShown = life.hours ? eval::sizingLifeText(row) : eval::lifeText(row);
      const QString shown[5] = {row.unit, row.size, row.orderNo, inLanguage(lifeShown, k),
                                eval::lifeVerdictText(row, k == English)};
      for (int c = 0; c < 5; ++c) r.items << TabItem{kResultTabs[c], shown[c]};
      out << r;
    }
  }
  if (session.showsSizing()) {
    out << ReportLine();
    const eval::Sizing sizing = eval::chooseSizes(rows);
    for (const QString &s : eval::recommendationLines(rows, sizing, k == English))
      out << line({{kLabelTab, numbersInLanguage(s, k)}}, ReportLine::Role::ResultRow);
    out << unitLoadLines(session, t, sizing, k);
  }
  return out;
}

ReportLines unitLoadLines(const Session &session, const ReportTables &t, const eval::Sizing &sizing, int k) {
  ReportLines out;
  const std::optional<ArrangementId> id = units::handedOverArrangement(session);
  if (!id) return out;
  const bool english = k == English;
  QVector<QPair<const EvaluationRow *, units::UnitLoads>> sized;
  for (const eval::Sizing::Choice &c : sizing.series) {
    if (c.row < 0) continue;
    const EvaluationRow &row = session.gastrEvaluation.at(c.row);
    if (const std::optional<units::UnitLoads> u = units::unitLoadsOf(session, row, *id)) sized.append({&row, *u});
  }
  if (sized.isEmpty()) return out;

  const int count = sized.first().second.valueCount();
  const auto values = [&](const QString &first, bool check, const std::array<float, 5> &v) {
    ReportLine r = line({{kUnitTabs[0], first}, {kUnitTabs[1], units::sourceName(check, english)}},
                        ReportLine::Role::ResultRow);
    for (int i = 0; i < count; ++i)
      r.items << TabItem{kUnitValueTabs[i], inLanguage(units::valueText(v[static_cast<size_t>(i)]), k)};
    return r;
  };
  out << ReportLine();
  out << underlined(text(1700, k));
  ReportLine head = line({{kUnitTabs[0], t.resultHead(0, k)}, {kUnitTabs[1], units::kindName(*id, english)}});
  for (int i = 0; i < count; ++i) head.items << TabItem{kUnitValueTabs[i], units::positionName(*id, i, english)};
  out << head;
  for (const auto &[row, u] : sized) {
    out << values(row->unit, false, u.model);
    if (u.check) out << values(QString(), true, *u.check);
    if (u.loadCase >= 0)
      out << line({{kUnitTabs[0], QString()},
                   {kUnitTabs[1], text(1728, k).arg(session.gaLoadCases.value(u.loadCase).name)}},
                  ReportLine::Role::ResultRow);
    out << line({{kUnitTabs[0], QString()}, {kUnitTabs[1], numbersInLanguage(units::governingText(u, english), k)}},
                ReportLine::Role::ResultRow);
  }
  return out;
}

ReportLines serviceLifeBlock(const Session &session, const ReportTables &t, int k) {
  ReportLines out;
  if (session.gaintExtraHead.isEmpty()) return out;
  out << ReportLine();
  out << underlined(text(1340, k));
  ReportLine head;
  for (int c = 0; c < 3; ++c) head.items << TabItem{kResultTabs[c], t.resultHead(c, k)};
  for (int e = 0; e < session.gaintExtraHead.size(); ++e)
    head.items << TabItem{kResultTabs[3 + e], extraHeading(session.gaintExtraHead[e], k)};
  out << head;
  for (const EvaluationRow &row : session.gastrEvaluation) {
    ReportLine line;
    line.role = ReportLine::Role::ResultRow;
    const QString shown[3] = {row.unit, row.size, row.orderNo};
    for (int c = 0; c < 3; ++c) line.items << TabItem{kResultTabs[c], shown[c]};
    const QStringList extra = eval::extraTexts(row, session.gaintExtraHead);
    for (int e = 0; e < session.gaintExtraHead.size(); ++e)
      line.items << TabItem{kResultTabs[3 + e], inLanguage(field(extra, e), k)};
    out << line;
  }
  return out;
}

ReportLines formulaLines(const Session &session, int k) {
  ReportLines out;
  const QVector<EvaluationRow> &rows = session.gastrEvaluation;
  if (session.gaintExtraHead.isEmpty() || rows.isEmpty() || rows.constFirst().blank()) return out;
  // The most loaded size: the largest equivalent load (the first of equal ones).
  const EvaluationRow &row = *std::max_element(rows.begin(), rows.end(), [](const EvaluationRow &a, const EvaluationRow &b) {
    return a.detail.equivalentLoad < b.detail.equivalentLoad;
  });
  const EvaluationDetail &d = row.detail;
  const auto formula = [&out](const QString &s) {
    out << line({{kLabelTab, s}}, ReportLine::Role::ResultRow);
  };
  const auto figures = [&out, k](const QString &s) {
    out << line({{kLabelTab + 2, numbersInLanguage(s, k)}}, ReportLine::Role::ResultRow);
  };
  const QString p = exponentText(d.exponent);

  out << ReportLine();
  out << underlined(text(1338, k));
  formula(text(1374, k) + QStringLiteral(": ") + row.unit + QLatin1Char(' ') + row.size);
  if (severalLoadCases(session) && d.exponent > 0.0) {
    formula(text(1366, k));
    QStringList terms;
    for (int i = 0; i < session.gaLoadCases.size() && i < d.caseLoads.size(); ++i)
      terms << num::doubleToText(session.gaLoadCases[i].share / 100.0) + QStringLiteral(" · ") +
                   num::singleToText(d.caseLoads[i]) + QLatin1Char('^') + p;
    figures(QStringLiteral("Pm = (") + terms.join(QStringLiteral(" + ")) + QStringLiteral(")^(") +
            inverseText(d.exponent) + QStringLiteral(") = ") + num::singleToText(d.equivalentLoad) +
            QStringLiteral(" N"));
  }
  formula(text(1368, k));
  figures(QStringLiteral("L = (") + num::singleToText(d.C) + QStringLiteral(" / ") +
          num::singleToText(d.equivalentLoad) + QStringLiteral(")^") + p + QStringLiteral(" · ") + num::doubleToText(3.141592) + QStringLiteral(" · ") +
          num::singleToText(d.D) + QStringLiteral(" = ") + num::singleToText(d.lifeKm) + QStringLiteral(" km"));
  const DutyCycle &duty = session.gDutyCycle;
  if (d.lifeHours) {
    formula(text(1370, k));
    figures(QStringLiteral("Lh = ") + num::singleToText(d.lifeKm) + QStringLiteral(" · 10^6 / (2 · ") +
            num::doubleToText(duty.stroke) + QStringLiteral(" · ") + num::doubleToText(duty.cyclesPerMinute) +
            QStringLiteral(" · 60) = ") + num::doubleToText(num::roundHalfEven(*d.lifeHours, 1)) +
            QStringLiteral(" h"));
  }
  if (d.lifeYears) {
    formula(text(1372, k));
    figures(num::doubleToText(num::roundHalfEven(*d.lifeHours, 1)) + QStringLiteral(" / (") +
            num::doubleToText(duty.hoursPerDay) + QStringLiteral(" · ") + num::doubleToText(duty.daysPerYear) +
            QStringLiteral(") = ") + num::doubleToText(num::roundHalfEven(*d.lifeYears, 2)));
  }
  return out;
}

QString asText(const ReportLines &lines) {
  QString s;
  for (const ReportLine &l : lines) {
    QStringList items;
    for (const TabItem &i : l.items) items << i.text;
    s += items.join(QLatin1Char('\t')) + QStringLiteral("\r\n");
  }
  return s;
}

}  // namespace report
