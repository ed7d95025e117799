#pragma once
// The session of a finished evaluation, as the arrangement and evaluation screens leave
// it for the report.
#include <QStringList>

#include "core/common/Session.h"
#include "core/common/Texts.h"

namespace fixture {

inline QStringList row(const QString &series, const QString &size, const QString &safety,
                       const QString &de, const QString &en) {
  return {series, size, series + QStringLiteral("-") + size, QStringLiteral("11.200 N"),
          QStringLiteral("7.400 N"), QStringLiteral("520 N"), safety, QStringLiteral("1.234 km"), de, en};
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
  m.gastrEvaluation = {row("FDK20", "20", "21,5", builtinText(230), builtinText(116)),
                       row("FDK12", "12", "0,9", builtinText(229), builtinText(115))};
  m.gastrComment = {"Kunde A", "Projekt B", "", "", "", ""};
}

// An evaluation long enough for several printed pages: n rows.
inline void fillLongEvaluation(Session &m, int n) {
  fillEvaluation(m);
  TextRows rows;
  for (int i = 0; i < n; ++i)
    rows << row(QStringLiteral("S%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("25"), "2,0",
                builtinText(230), builtinText(116));
  m.gastrEvaluation = rows;
}

}  // namespace fixture
