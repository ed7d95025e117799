#include "core/arrangements/Calculate.h"

#include <array>
#include <optional>

#include <QVarLengthArray>

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
  // The notes live on the stack unless the sets hold unusually many rows.
  QVarLengthArray<int, 256> setOfRow;
  in.loadTable = [&s, &setOfRow](int code) {
    if (!sBerDat(s, code, 0, s.gintTblAnz)) return TextRows();
    setOfRow.insert(setOfRow.end(), s.gastrSerie.size(), code);
    return s.gastrSerie;
  };

  in.cellSource = [&s](int code, int column) { return catalogue::geometryCellSource(s, code, column); };

  CalcOutput out = runModel(in);
  s.gsngUnitDistance = out.unitDistance;
  s.gsngRailDistance = out.railDistance;
  if (out.completed) {
    s.gastrResult = out.result;
    s.resultRows = resultRowsOf(out, {setOfRow.constData(), static_cast<size_t>(setOfRow.size())});
  }
  return out;
}

namespace {
const QString kNoText;
inline const QString &textAt(const QStringList &fields, int i) { return i < fields.size() ? fields.at(i) : kNoText; }
// A shared text taken over into a default (null) text: a copy and a swap, both inline.
inline void take(QString &to, const QString &from) {
  QString copy(from);
  to.swap(copy);
}
}  // namespace

QVector<ResultRow> resultRowsOf(const CalcOutput &out, std::span<const int> tableSets) {
  const qsizetype n = out.result.size();
  // As ResultRow::of reads the texts, without a row in between: the rows are made in the
  // list at once and filled in place.
  QVector<ResultRow> rows(n);
  ResultRow *row = rows.data();
  const QStringList *fields = out.result.constData();
  for (qsizetype i = 0; i < n; ++i, ++row) {
    const QStringList &f = fields[i];
    take(row->serie, textAt(f, 0));
    take(row->size, textAt(f, 1));
    take(row->load, textAt(f, 2));
    take(row->unit, textAt(f, 3));
    row->tableSet = static_cast<size_t>(i) < tableSets.size() ? tableSets[static_cast<size_t>(i)] : 0;
    if (i < out.loads.size()) row->loads = out.loads.at(i);
    if (i < out.modelLoads.size()) row->modelLoads = out.modelLoads.at(i);
    if (i < out.checkLoads.size()) row->checkLoads = out.checkLoads.at(i);
    row->byCheck = i < out.byCheck.size() && out.byCheck.at(i);
  }
  return rows;
}

void handOverNames(Session &s, ArrangementId id) {
  // Read from the built-in texts: a customer text set never renames the arrangement. The
  // built-in table is the program's own and never changes, so each pair of names is made
  // once and shared by every session.
  static const std::array<QStringList, 6> names = [] {
    std::array<QStringList, 6> all;
    for (const ArrangementInfo &info : arrangements())
      all.at(static_cast<size_t>(info.id)) = {tableText(info.germanNameId), tableText(info.englishNameId)};
    return all;
  }();
  s.gastrArrangement = names.at(static_cast<size_t>(id));
}

bool handOver(Session &s, ArrangementId id, const TextRows &forces) {
  handOverNames(s, id);
  return gsubSetForceRows(s, forces);
}
