#pragma once
// Table and column names in SQL text.
#include <QString>

namespace catalogue {

// Any name in double quotes, inner quotes doubled: "Order Details", "Umsätze".
inline QString quotedIdentifier(const QString &name) {
  QString q = name;
  q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + q + QLatin1Char('"');
}

}  // namespace catalogue
