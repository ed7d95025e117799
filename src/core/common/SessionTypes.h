#pragma once
// The small value types a calculation session is made of: text tables, read result sets,
// load cases, the duty cycle and the figures behind an evaluated row.
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <optional>

// Rows of texts; row i of the table is element i. Where the program counts rows from 1
// (series data, evaluation rows), element 0 stands for row 1.
using TextRows = QVector<QStringList>;

// A read result set: the column names of the query and all its rows as texts.
struct ResultSet {
  QStringList columns;
  TextRows rows;
  bool open = false;
  int recordCount() const { return rows.size(); }
  int fieldCount() const { return columns.size(); }
  void close() { open = false; }
};

// One row of gastrResult: what the calculation found for one size of one series. The
// session keeps the four texts in this order (Serie, Gr, load, unit series); a
// calculation run gives the figures behind them as well.
struct ResultRow {
  QString serie;  // catalogue series
  QString size;   // Gr
  QString load;   // the rated load of the most loaded unit, N, as text
  QString unit;   // the unit series the load was calculated for (FD12, FE25 ...)
  // What a run knows beyond the texts: the table set the row came from (1-based, the
  // special roller shoe last; 0 where not known), the five rated values (Q1..Q3 and P of
  // one unit, or the four load positions and the largest), the model's own five and the
  // rigid-plate check's five (none for the one-unit arrangements or with the check off),
  // whether the check governs, and with more than one load case the five rated values of
  // each load case.
  int tableSet = 0;
  std::optional<std::array<float, 5>> loads;
  std::optional<std::array<float, 5>> modelLoads;
  std::optional<std::array<float, 5>> checkLoads;
  bool byCheck = false;
  QVector<std::array<float, 5>> caseLoads;

  static ResultRow of(const QStringList &fields) {
    ResultRow r;
    r.serie = fields.value(0);
    r.size = fields.value(1);
    r.load = fields.value(2);
    r.unit = fields.value(3);
    return r;
  }
  QStringList fields() const { return {serie, size, load, unit}; }
  bool operator==(const ResultRow &o) const = default;
};

// The figures behind the texts of one evaluated row.
struct EvaluationDetail {
  float staticLoad = 0.0f;      // largest rated P over the load cases, N
  float equivalentLoad = 0.0f;  // the load the lifetime uses, N
  float lifeKm = 0.0f;
  std::optional<double> lifeHours, lifeYears;
  // For the report's worked formulas: the exponent, the ratings used and, per load
  // case, the rated value of the load position that gives the equivalent load.
  double exponent = 0.0;
  float C = 0.0f, D = 0.0f;
  QVector<float> caseLoads;

  bool operator==(const EvaluationDetail &o) const = default;
};

// The verdict on one evaluated size: the static safety against the required one, unless
// the unit collides with its neighbour (longer than the distance between the units,
// wider than the distance between the rails, or both). None: a blank row.
enum class Verdict : unsigned char { None, Sufficient, TooLow, UnitsTooClose, RailsTooClose, BothTooClose };

// One evaluated size, as figures: the catalogue texts of the rated unit, its static
// rating, the figures behind the load, safety and lifetime, the verdict, and whether the
// load rated is the rigid-plate check's. Its texts (the ten fields the grid shows and the
// report prints, and the extra columns) are made by the evaluation's one formatter
// (core/evaluation/EvaluationTexts.h) where they are shown. A default row is blank: it
// stands for an evaluation with nothing ticked and shows ten empty fields.
struct EvaluationRow {
  QString unit;     // unit series (FD12 ...)
  QString size;     // Gr
  QString orderNo;  // order number of the unit
  float staticRating = 0.0f;  // Co, N (the dynamic rating C is detail.C)
  Verdict verdict = Verdict::None;
  EvaluationDetail detail;
  bool byCheck = false;
  // Against a required life: whether the lifetime (km, or hours with a duty cycle) as
  // shown, in whole units, reaches it; empty when no life is required.
  std::optional<bool> lifeOk;
  // The result row (index into the session's resultRows) the size was rated from: its
  // loads per unit; -1 where unknown.
  int resultRow = -1;

  static constexpr int kFields = 10;
  bool blank() const { return verdict == Verdict::None; }
  bool operator==(const EvaluationRow &o) const = default;
};

// One load case of an arrangement: its name, its share of the travel in percent and its
// force table as typed (direction, force, x, y, z).
struct LoadCase {
  QString name;
  double share = 100.0;
  TextRows forces;

  bool operator==(const LoadCase &o) const = default;
};

// The life a guide must reach, in km of travel or in hours of operation (hours need the
// duty cycle's stroke and frequency). A value of 0: no life is required.
struct RequiredLife {
  double value = 0.0;
  bool hours = false;
  bool given() const { return value > 0.0; }
  bool operator==(const RequiredLife &o) const = default;
};

// The operating figures of the evaluation screen's group "Betrieb"; 0 where not given.
// Hours need stroke and frequency, years in addition hours per day and days per year.
struct DutyCycle {
  double stroke = 0.0;           // mm
  double cyclesPerMinute = 0.0;  // double strokes per minute
  double hoursPerDay = 0.0;
  double daysPerYear = 0.0;
  bool hasHours() const { return stroke > 0.0 && cyclesPerMinute > 0.0; }
  bool hasYears() const { return hasHours() && hoursPerDay > 0.0 && daysPerYear > 0.0; }
};
