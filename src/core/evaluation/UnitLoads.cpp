#include "core/evaluation/UnitLoads.h"

#include "core/common/Numbers.h"
#include "core/common/Texts.h"

namespace units {

namespace {
// The German table holds each text in German and, under the next id, in English.
QString text(int germanId, bool english) { return tableText(english ? germanId + 1 : germanId); }
bool singleUnit(ArrangementId id) { return arrangement(id).shapeCount == 1; }
}  // namespace

std::optional<ArrangementId> handedOverArrangement(const Session &s) {
  const QString name = s.gastrArrangement.value(0);
  if (name.isEmpty()) return std::nullopt;
  for (const ArrangementInfo &a : arrangements())
    if (name == tableText(a.germanNameId)) return a.id;
  return std::nullopt;
}

std::optional<UnitLoads> unitLoadsOf(const Session &s, const EvaluationRow &row, ArrangementId id) {
  if (row.blank() || row.resultRow < 0 || row.resultRow >= s.resultRows.size()) return std::nullopt;
  const ResultRow &r = s.resultRows.at(row.resultRow);
  if (!r.modelLoads) return std::nullopt;
  UnitLoads u;
  u.arrangement = id;
  u.single = singleUnit(id);
  u.model = *r.modelLoads;
  u.check = r.checkLoads;
  u.byCheck = r.byCheck && r.checkLoads.has_value();
  const std::array<float, 5> &rated = u.rated();
  if (u.single) {
    u.mostLoaded = {4};
  } else {
    for (int k = 0; k < 4; ++k)
      if (rated[static_cast<size_t>(k)] == rated[4]) u.mostLoaded << k;
  }
  // The model's and the check's values are those of the load case with the largest
  // rated load, the first of equal ones (as the calculation keeps them).
  if (r.caseLoads.size() > 1 && r.loads)
    for (int c = 0; c < r.caseLoads.size(); ++c)
      if (r.caseLoads.at(c)[4] == (*r.loads)[4]) {
        u.loadCase = c;
        break;
      }
  return u;
}

QString positionName(ArrangementId id, int k, bool english) {
  // One unit: the symbols of its values, the same in both languages.
  if (singleUnit(id)) return tableText(1724).split(QLatin1Char('|')).value(k);
  return k >= 0 && k < 4 ? text(1708 + 2 * k, english) : QString();
}

QString kindName(ArrangementId id, bool english) {
  switch (id) {
    case ArrangementId::VKaZDSch: return text(1716, english);
    case ArrangementId::ZKaEDSch: return text(1718, english);
    case ArrangementId::ZKaZDSch: return text(1720, english);
    case ArrangementId::ZRoEESch: return text(1722, english);
    case ArrangementId::EKaEDSch:
    case ArrangementId::ERoEESch: break;
  }
  return QString();
}

QString unitName(ArrangementId id, int k, bool english) {
  const QString kind = kindName(id, english);
  return kind.isEmpty() ? positionName(id, k, english) : kind + QLatin1Char(' ') + positionName(id, k, english);
}

QString sourceName(bool check, bool english) { return text(check ? 1704 : 1702, english); }

QString valueText(float value) { return num::formatGrouped(num::roundHalfEven(value, 0)) + QStringLiteral(" N"); }

QString governingText(const UnitLoads &u, bool english) {
  QStringList names;
  for (int k : u.mostLoaded) names << unitName(u.arrangement, k, english);
  return text(1706, english).arg(sourceName(u.byCheck, english), names.join(QStringLiteral(", ")),
                                 valueText(u.rated()[4]));
}

}  // namespace units
