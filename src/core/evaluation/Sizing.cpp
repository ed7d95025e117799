#include "core/evaluation/Sizing.h"

#include <QHash>

#include "core/common/Numbers.h"
#include "core/evaluation/Evaluation.h"

namespace eval {

QString seriesOf(const QString &unit) {
  int end = 0;
  while (end < unit.size() && !unit[end].isDigit()) ++end;
  return unit.left(end);
}

namespace {
double sizeOf(const EvaluationRow &row) {
  double v = 0.0;
  return num::toDouble(row.size, &v) ? v : 0.0;
}
double safetyOf(const EvaluationRow &row) { return fsngSafety(row.staticRating, row.detail.staticLoad); }
}  // namespace

Sizing chooseSizes(const QVector<EvaluationRow> &rows) {
  Sizing out;
  out.rows.resize(rows.size());
  QStringList order;            // series in the order they appear
  QHash<QString, int> smallest;  // series -> its recommended row
  for (int i = 0; i < rows.size(); ++i) {
    const EvaluationRow &row = rows[i];
    if (row.blank()) continue;
    SizingRow &r = out.rows[i];
    r.safetyOk = row.verdict == Verdict::Sufficient;
    r.lifeOk = row.lifeOk;
    r.passes = r.safetyOk && row.lifeOk.value_or(true);
    const QString series = seriesOf(row.unit);
    if (!order.contains(series)) order << series;
    if (!r.passes) continue;
    const auto at = smallest.constFind(series);
    if (at == smallest.cend() || sizeOf(row) < sizeOf(rows[*at])) smallest.insert(series, i);
  }
  for (const QString &series : order) {
    const auto at = smallest.constFind(series);
    if (at == smallest.cend()) {
      out.seriesWithoutPass << series;
      continue;
    }
    const int i = *at;
    out.rows[i].recommended = true;
    if (out.suggestion < 0) {
      out.suggestion = i;
      continue;
    }
    const EvaluationRow &best = rows[out.suggestion];
    const double size = sizeOf(rows[i]), bestSize = sizeOf(best);
    if (size < bestSize || (size == bestSize && safetyOf(rows[i]) > safetyOf(best))) out.suggestion = i;
  }
  return out;
}

}  // namespace eval
