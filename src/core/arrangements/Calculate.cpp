#include "core/arrangements/Calculate.h"

#include "core/catalogue/Catalogue.h"
#include "core/common/Texts.h"
#include "core/loads/ForceText.h"

CalcOutput calculateArrangement(Session &s, ArrangementId id, const TextRows &forces,
                                const QString &m, const QString &n, bool rigidCheck) {
  CalcInput in;
  in.arrangement = id;
  in.forces = forces;
  in.m = m;
  in.n = n;
  in.rigidCheck = rigidCheck;
  in.engineerInput = true;
  in.tableCount = s.gintTblAnz + s.gintAnzSonder;
  // Geometry layout of one table code; code gintTblAnz + 1 is the special roller shoe.
  // A set that yields no rows contributes none, so the table set of every result row is
  // noted: the evaluation rates each row against the ratings of its own set.
  QVector<int> setOfRow;
  in.loadTable = [&s, &setOfRow](int code) {
    if (!sBerDat(s, code, 0, s.gintTblAnz)) return TextRows();
    setOfRow.insert(setOfRow.size(), s.gastrSerie.size(), code);
    return s.gastrSerie;
  };

  in.cellSource = [&s](int code, int column) { return catalogue::geometryCellSource(s, code, column); };

  CalcOutput out = runModel(in);
  s.gsngUnitDistance = out.unitDistance;
  s.gsngRailDistance = out.railDistance;
  if (out.completed) {
    s.gastrResult = out.result;
    s.resultRows = resultRowsOf(out, setOfRow);
  }
  return out;
}

QVector<ResultRow> resultRowsOf(const CalcOutput &out, const QVector<int> &tableSets) {
  QVector<ResultRow> rows;
  rows.reserve(out.result.size());
  for (int i = 0; i < out.result.size(); ++i) {
    ResultRow &row = rows.emplace_back();
    const QStringList &fields = out.result[i];
    // As ResultRow::of reads the texts, without a row in between.
    row.serie = fields.value(0);
    row.size = fields.value(1);
    row.load = fields.value(2);
    row.unit = fields.value(3);
    row.tableSet = tableSets.value(i, 0);
    if (i < out.loads.size()) row.loads = out.loads[i];
    if (i < out.modelLoads.size()) row.modelLoads = out.modelLoads[i];
    if (i < out.checkLoads.size()) row.checkLoads = out.checkLoads[i];
    row.byCheck = out.byCheck.value(i, false);
  }
  return rows;
}

void handOverNames(Session &s, ArrangementId id) {
  const ArrangementInfo &info = arrangement(id);
  // Read from the built-in texts: a customer text set never renames the arrangement.
  s.gastrArrangement = {tableText(info.germanNameId), tableText(info.englishNameId)};
}

bool handOver(Session &s, ArrangementId id, const TextRows &forces) {
  handOverNames(s, id);
  return gsubSetForceRows(s, forces);
}
