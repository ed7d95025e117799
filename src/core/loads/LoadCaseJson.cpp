#include "core/loads/LoadCaseJson.h"
#include "core/loads/Directions.h"

#include <QJsonArray>

#include "core/common/Numbers.h"
#include "core/common/Texts.h"

namespace loads {

namespace {

struct FormError {
  QString text;
};

// A cell as typed: text, or a JSON number written as the locale shows it.
QString typed(const QJsonValue &v, const QString &what) {
  if (v.isString()) return v.toString();
  if (v.isDouble()) return num::doubleToText(v.toDouble());
  if (v.isUndefined() || v.isNull()) return QString();
  throw FormError{what + QStringLiteral(" must be a text such as \"200\" or a number")};
}

TextRows forceTable(const QJsonValue &forces, const QString &where) {
  const QStringList &labels = loads::directionLabels();
  if (!forces.isUndefined() && !forces.isArray())
    throw FormError{where + QStringLiteral(" must be a list of rows")};
  TextRows table;
  for (const QJsonValue &rv : forces.toArray()) {
    const QJsonArray ra = rv.toArray();
    if (!rv.isArray() || ra.size() != 5)
      throw FormError{QStringLiteral(
          "each force row must be [direction, force, x, y, z], e.g. [\"- Z\", \"1000\", \"0\", \"0\", \"0\"]")};
    QStringList row;
    for (int i = 0; i < 5; ++i) row << typed(ra.at(i), QStringLiteral("a force table cell"));
    if (!labels.contains(row[0]))
      throw FormError{QStringLiteral("unknown force direction \"%1\"; one of: %2")
                          .arg(row[0], labels.join(QStringLiteral(", ")))};
    table.append(row);
  }
  // A new screen's table holds one empty row.
  if (table.isEmpty()) table.append(QStringList(5));
  return table;
}

QString defaultName(int i) { return builtinText(1306) + QLatin1Char(' ') + QString::number(i + 1); }

}  // namespace

bool readCaseLoads(const QJsonObject &o, CaseLoads *out, QString *error) {
  try {
    CaseLoads r;
    const QJsonValue lcv = o.value(QStringLiteral("loadCases"));
    if (lcv.isUndefined()) {
      LoadCase lc;
      lc.name = defaultName(0);
      lc.forces = forceTable(o.value(QStringLiteral("forces")), QStringLiteral("\"forces\""));
      r.loadCases.append(lc);
    } else {
      if (o.contains(QStringLiteral("forces")))
        throw FormError{QStringLiteral("give either \"forces\" or \"loadCases\", not both")};
      const QJsonArray list = lcv.toArray();
      if (!lcv.isArray() || list.isEmpty())
        throw FormError{QStringLiteral(
            "\"loadCases\" must be a list of {\"name\": ..., \"share\": ..., \"forces\": [[...]]}")};
      if (list.size() > kMaxLoadCases)
        throw FormError{QStringLiteral("\"loadCases\" holds %1 load cases; at most %2 are possible")
                            .arg(list.size())
                            .arg(kMaxLoadCases)};
      for (int i = 0; i < list.size(); ++i) {
        if (!list[i].isObject())
          throw FormError{QStringLiteral("each load case must be an object {\"name\", \"share\", \"forces\"}")};
        const QJsonObject c = list[i].toObject();
        LoadCase lc;
        const QJsonValue name = c.value(QStringLiteral("name"));
        if (!name.isUndefined() && !name.isString())
          throw FormError{QStringLiteral("the \"name\" of a load case must be a text")};
        lc.name = name.toString(defaultName(i));
        const QJsonValue share = c.value(QStringLiteral("share"));
        if (share.isUndefined() && list.size() > 1)
          throw FormError{QStringLiteral("load case \"%1\" needs a \"share\" in %").arg(lc.name)};
        if (!share.isUndefined()) {
          double v = 0.0;
          if (!(share.isDouble() ? (v = share.toDouble(), true) : num::toDouble(share.toString(), &v)))
            throw FormError{QStringLiteral("the \"share\" of load case \"%1\" must be a number").arg(lc.name)};
          lc.share = v;
        }
        lc.forces = forceTable(c.value(QStringLiteral("forces")),
                               QStringLiteral("\"forces\" of load case \"%1\"").arg(lc.name));
        r.loadCases.append(lc);
      }
    }
    const QJsonValue dv = o.value(QStringLiteral("duty"));
    if (!dv.isUndefined() && !dv.isNull()) {
      if (!dv.isObject())
        throw FormError{QStringLiteral(
            "\"duty\" must be {\"stroke\", \"cyclesPerMinute\", \"hoursPerDay\", \"daysPerYear\"}")};
      const QJsonObject d = dv.toObject();
      r.duty.stroke = typed(d.value(QStringLiteral("stroke")), QStringLiteral("\"stroke\""));
      r.duty.cyclesPerMinute =
          typed(d.value(QStringLiteral("cyclesPerMinute")), QStringLiteral("\"cyclesPerMinute\""));
      r.duty.hoursPerDay = typed(d.value(QStringLiteral("hoursPerDay")), QStringLiteral("\"hoursPerDay\""));
      r.duty.daysPerYear = typed(d.value(QStringLiteral("daysPerYear")), QStringLiteral("\"daysPerYear\""));
    }
    *out = r;
    return true;
  } catch (const FormError &e) {
    if (error) *error = e.text;
    return false;
  }
}

}  // namespace loads
