#pragma once
// The session of a finished evaluation, as the arrangement and evaluation screens leave
// it for the report.
#include <QStringList>

#include "core/common/Session.h"
#include "core/common/Texts.h"

namespace fixture {

// A rated size: Co as given, C 7 400 N, load 520 N, 1 234 km.
inline EvaluationRow row(const QString &series, const QString &size, float co, Verdict verdict) {
  EvaluationRow r;
  r.unit = series;
  r.size = size;
  r.orderNo = series + QStringLiteral("-") + size;
  r.staticRating = co;
  r.detail.C = 7400.0f;
  r.detail.staticLoad = r.detail.equivalentLoad = 520.0f;
  r.detail.lifeKm = 1234.0f;
  r.verdict = verdict;
  return r;
}

// Two cassettes on one double rail, two forces, two evaluated sizes: a fresh start of the
// session over the catalogue it uses, then what the screens leave in it.
inline void fillEvaluation(Session &m) {
  m = m.afresh();
  computeSubVersion(m);
  m.gastrArrangement = {builtinText(215), builtinText(107)};
  m.gsngSiko = 1.5f;
  m.gsngUnitDistance = 300.0f;
  m.gsngRailDistance = 0.0f;
  m.gastrForce = {{"Z +", "1.000 N", "0 mm", "0 mm", "0 mm"},
                  {"- Y", "250 N", "10 mm", "-5 mm", "20 mm"}};
  m.gastrEvaluation = {row("FDK20", "20", 11200.0f, Verdict::Sufficient),   // safety 21,5
                       row("FDK12", "12", 468.0f, Verdict::TooLow)};         // safety 0,9
  m.gastrComment = {"Kunde A", "Projekt B", "", "", "", ""};
}

// An evaluation long enough for several printed pages: n rows.
inline void fillLongEvaluation(Session &m, int n) {
  fillEvaluation(m);
  QVector<EvaluationRow> rows;
  for (int i = 0; i < n; ++i)
    rows << row(QStringLiteral("S%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("25"), 1040.0f,
                Verdict::Sufficient);  // safety 2,0
  m.gastrEvaluation = rows;
}

}  // namespace fixture
