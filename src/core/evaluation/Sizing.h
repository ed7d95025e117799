#pragma once
// Choosing a size from the evaluated rows: which sizes pass every check, the smallest
// passing size of each series (the recommendation) and, among those, the overall
// suggestion.
#include <QString>
#include <QVector>
#include <optional>

#include "core/common/SessionTypes.h"

namespace eval {

struct SizingRow {
  bool safetyOk = false;        // the verdict is "Sicherheit ausreichend."
  std::optional<bool> lifeOk;   // against the required life; empty when none is required
  bool passes = false;          // safetyOk, and lifeOk not false
  bool recommended = false;     // the smallest passing size of its series
};

struct Sizing {
  QVector<SizingRow> rows;      // one per evaluated row, in the same order
  int suggestion = -1;          // index of the overall suggestion; -1: nothing passes
  // The series (in the order they first appear) of which no size passes.
  QStringList seriesWithoutPass;
  // Every series in the order it first appears, with its recommended row (-1: none).
  struct Choice {
    QString series;
    int row = -1;
  };
  QVector<Choice> series;
};

// The series of a unit: its letters before the first digit ("KD" of "KD12").
QString seriesOf(const QString &unit);

// Per series the smallest passing size (by the number of Gr; at equal sizes the first
// row) is recommended. The suggestion is the recommended row with the smallest size and,
// at equal size, the highest static safety (the first of equal ones). Blank rows count
// for nothing.
Sizing chooseSizes(const QVector<EvaluationRow> &rows);

// One line per series: its recommendation ("Empfehlung: KD20 — …") or that none of its
// sizes passes; numbers in German notation.
QStringList recommendationLines(const QVector<EvaluationRow> &rows, const Sizing &sizing, bool english);

}  // namespace eval
