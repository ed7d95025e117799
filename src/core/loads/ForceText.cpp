#include "core/loads/ForceText.h"

#include "core/common/Errors.h"
#include "core/common/Messages.h"
#include "core/common/Numbers.h"

namespace {
constexpr int kColumns = 5;  // direction, force, x, y, z

QString formatCell(int column, const QString &typed) {
  if (column == 0) return typed;
  double value = 0;
  if (!num::toDouble(typed, &value)) throw AppError(err::typeMismatch());
  return num::formatGrouped(value) +
         (column == 1 ? QStringLiteral(" N") : QStringLiteral(" mm"));
}
}  // namespace

namespace loads {

QStringList formatForceRow(const QStringList &typed) {
  QStringList row;
  row.reserve(kColumns);
  for (int c = 0; c < kColumns; ++c) row.append(formatCell(c, typed.value(c)));
  return row;
}

TextRows formatForceTable(const TextRows &typed) {
  TextRows out;
  out.reserve(typed.size());
  for (const QStringList &row : typed) out.append(formatForceRow(row));
  return out;
}

}  // namespace loads

bool gsubSetForceRows(Session &s, const TextRows &typed) {
  TextRows &table = s.gastrForce;
  table = TextRows(typed.size(), QStringList(kColumns));
  try {
    for (int r = 0; r < typed.size(); ++r)
      for (int c = 0; c < kColumns; ++c) table[r][c] = formatCell(c, typed[r].value(c));
  } catch (const AppError &e) {
    msg::critical(e.description(), QStringLiteral("gsubSetForce!"));
    return false;
  }
  return true;
}
