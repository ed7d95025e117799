#include "core/arrangements/LoadCases.h"

#include <cmath>

#include "core/common/Errors.h"
#include "core/common/Messages.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"
#include "core/loads/ForceText.h"

namespace {
bool hasForce(const LoadCase &lc) {
  for (const QStringList &row : lc.forces)
    if (!row.value(1).trimmed().isEmpty()) return true;
  return false;
}
}  // namespace

QString checkLoadCases(const QVector<LoadCase> &cases) {
  if (cases.isEmpty()) return builtinText(1308).arg(builtinText(1306) + QStringLiteral(" 1"));
  double sum = 0.0;
  for (const LoadCase &lc : cases) {
    if (!(lc.share >= 0.0 && lc.share <= 100.0)) return builtinText(1309).arg(lc.name);
    sum += lc.share;
  }
  if (cases.size() > 1)
    for (const LoadCase &lc : cases)
      if (!hasForce(lc)) return builtinText(1308).arg(lc.name);
  // Shares typed to two decimals (33,33 + 33,33 + 33,34) add up exactly enough.
  // Which share is wrong the total cannot tell: every load case is named with its share.
  if (std::fabs(sum - 100.0) > 1e-6) {
    QStringList named;
    for (const LoadCase &lc : cases)
      named << QStringLiteral("„%1“ (%2 %)").arg(lc.name, num::doubleToText(lc.share));
    return builtinText(1510).arg(num::doubleToText(num::roundHalfEven(sum, 2)), named.join(QStringLiteral(", ")));
  }
  return QString();
}

LoadCaseOutput calculateLoadCases(Session &s, ArrangementId id, const QVector<LoadCase> &cases,
                                  const QString &m, const QString &n, bool rigidCheck) {
  LoadCaseOutput out;
  const QString refusal = checkLoadCases(cases);
  if (!refusal.isEmpty()) {
    msg::critical2(refusal, builtinText(314));
    out.combined.calcFailed = true;
    out.combined.mText = m;
    out.combined.nText = n;
    return out;
  }
  // A load case that is refused or fails leaves the results of the last calculation.
  const TextRows previousResult = s.gastrResult;
  const QVector<ResultRow> previousRows = s.resultRows;
  for (const LoadCase &lc : cases) {
    out.perCase.append(calculateArrangement(s, id, lc.forces, m, n, rigidCheck));
    const CalcOutput &last = out.perCase.last();
    if (last.calcFailed || !last.completed) {
      s.gastrResult = previousResult;
      s.resultRows = previousRows;
      out.combined = last;
      return out;
    }
  }

  out.combined = out.perCase.first();
  // The static load of a series is the largest rated load of any load case; its text is
  // taken over unchanged from that load case.
  for (int c = 1; c < out.perCase.size(); ++c) {
    const CalcOutput &o = out.perCase[c];
    for (int r = 0; r < out.combined.result.size() && r < o.result.size(); ++r) {
      std::array<float, 5> &max = out.combined.loads[r];
      if (o.loads[r][4] > max[4]) {
        out.combined.result[r][2] = o.result[r].value(2);
        // The governing flag and the values of the model and the check come from the
        // same load case.
        if (r < o.byCheck.size() && r < out.combined.byCheck.size()) out.combined.byCheck[r] = o.byCheck[r];
        if (r < o.modelLoads.size() && r < out.combined.modelLoads.size())
          out.combined.modelLoads[r] = o.modelLoads[r];
        if (r < o.checkLoads.size() && r < out.combined.checkLoads.size())
          out.combined.checkLoads[r] = o.checkLoads[r];
      }
      for (int k = 0; k < 5; ++k) max[k] = std::max(max[k], o.loads[r][k]);
    }
  }
  // Every load case ran over the same table sets: the rows keep those of the last one.
  // The rows of a single load case are its own, as its calculation left them.
  if (out.perCase.size() > 1) {
    QVector<int> tableSets;
    for (const ResultRow &row : s.resultRows) tableSets << row.tableSet;
    s.gastrResult = out.combined.result;
    s.resultRows = resultRowsOf(out.combined, {tableSets.constData(), static_cast<size_t>(tableSets.size())});
    for (int r = 0; r < s.resultRows.size(); ++r)
      for (const CalcOutput &o : out.perCase) s.resultRows[r].caseLoads.append(o.loads.value(r));
  }
  s.gaLoadCases = cases;
  s.gblnLoadPositions = arrangement(id).shapeCount > 1;
  return out;
}

bool handOverLoadCases(Session &s, ArrangementId id, const QVector<LoadCase> &cases, bool printForces) {
  QVector<TextRows> &printed = s.gaLoadCaseForce;
  printed.clear();
  if (!printForces) {
    handOverNames(s, id);
    s.gastrForce.clear();
    return true;
  }
  if (cases.isEmpty()) return handOver(s, id, TextRows{QStringList(5)});
  bool ok = handOver(s, id, cases.first().forces);
  printed.append(s.gastrForce);
  for (int i = 1; i < cases.size(); ++i) {
    try {
      printed.append(loads::formatForceTable(cases[i].forces));
    } catch (const AppError &e) {
      msg::critical(e.description(), QStringLiteral("gsubSetForce!"));
      printed.append(TextRows());
      ok = false;
    }
  }
  return ok;
}
