#pragma once
// Module-wide state of the load cases and the duty cycle, beside Mod_FN(): what
// "Berechnen" of an arrangement screen keeps of every load case, the operating figures
// of the evaluation screen and what the evaluation derives from them. One load case of
// 100 % and no duty cycle leave every output as it is without them. resetModFN() resets
// this state too.
#include <array>
#include <optional>

#include "common/ModFN.h"

// One load case of an arrangement: its name, its share of the travel in percent and its
// force table as typed (direction, force, x, y, z).
struct LoadCase {
  QString name;
  double share = 100.0;
  TextRows forces;

  bool operator==(const LoadCase &o) const = default;
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
};

struct LoadCaseState {
  QVector<LoadCase> gaLoadCases;  // the load cases of the last calculation
  QVector<TextRows> gaLoadCaseForce;  // their printed force tables (as gastrForce)
  // Per load case, per row of gastrResult: the five rated values of the model.
  QVector<QVector<std::array<float, 5>>> gaLoadCaseLoads;
  bool gblnLoadPositions = false; // values 0..3 are load positions (else only value 4)
  DutyCycle gDutyCycle;           // of the evaluation screen
  // Per row of gastrEvaluation: the texts of the extra columns in force (headings
  // gaintExtraHead, German text ids) and the figures behind the row.
  QVector<int> gaintExtraHead;
  TextRows gastrEvaluationExtra;
  QVector<EvaluationDetail> gaEvaluationDetail;
};

LoadCaseState &Mod_FN_LoadCases();
