#pragma once
// One calculation run: from the input of a calculation (a calculation file or batch case
// and its arrangement) to typed rows, in the one order every road takes. The desktop
// program's screens call its two stages as their buttons do: `calculate` ("Berechnen"
// of the arrangement screen, `handOver` for "Weiter") and `evaluate` ("Berechnen" of the
// evaluation screen with its ticks and its group "Betrieb"); the calculation-file
// opening, the batch tool and the screenshot tool reach the run through them or through
// `calculateCase`, which runs the whole order on one session.
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

#include "core/arrangements/LoadCases.h"
#include "core/arrangements/models/Arrangement.h"
#include "core/common/Session.h"
#include "core/document/CaseFile.h"
#include "core/evaluation/Evaluation.h"
#include "core/loads/LoadCaseJson.h"

namespace run {

// ---------------------------------------------------------------- taking the input over
// The session state a calculation file or case describes, before anything is calculated:
// its comment lines (six empty ones when it has none), its load type with the required
// safety of that type, the table list of its arrangement (as the arrangement's picture on
// the start screen builds it) and its special roller shoe (or none).
// A required safety that cannot be read leaves none in force (gsngSiko 0, the load type
// the case chose): the evaluation then gives no verdict rather than one against the
// safety of another load type.
void takeOver(Session &s, const calcfile::Case &c, const ArrangementInfo &arrangement);

// The load type of a calculation: its required safety into gsngSiko. A setting that
// cannot be read (its message shown) leaves gsngSiko 0 and the load type chosen.
// Returns whether a required safety could be read.
bool chooseLoadType(Session &s, int loadType);

// The session's number texts (the printed force tables, the loads of the result rows, the
// catalogue rows and settings, the special roller shoe) rewritten from one notation into
// another, value for value: the program's language changed, and what was calculated
// stays valid, to be shown, printed and rated again in the new notation.
void renotate(Session &s, const QLocale &from, const QLocale &to);

// ---------------------------------------------------------------- first stage
struct Calculation {
  LoadCaseOutput output;    // as calculateLoadCases gives it (per load case as well)
  QVector<ResultRow> rows;  // typed rows of gastrResult; empty unless completed
  bool completed() const { return output.combined.completed && !output.combined.calcFailed; }
};

// "Berechnen" of an arrangement screen: the load cases checked and calculated over every
// table set of the arrangement, each through its load model and, for the multi-unit
// arrangements, the rigid-plate check (rigidCheck false: the models alone). On
// completion gastrResult, its table sets, check flags, the load cases' values and the
// session's typed rows hold the result.
Calculation calculate(Session &s, ArrangementId id, const QVector<LoadCase> &cases, const QString &m,
                      const QString &n, bool rigidCheck = true);

// "Weiter" after a completed calculation: the arrangement names and the printed force
// tables handed to the evaluation and the report (printForces false: the names only).
bool handOver(Session &s, ArrangementId id, const QVector<LoadCase> &cases, bool printForces = true);

// ---------------------------------------------------------------- second stage
// The size boxes ticked for a case: each enabled box whose result row the case ticks (or
// every enabled box for "all"). `unmatched` lists the ticked entries without a box.
struct Ticks {
  std::array<bool, eval::kBoxes> ticked{};
  QVector<QPair<QString, QString>> unmatched;
};
Ticks ticksOf(const calcfile::Case &c, const TextRows &result, const eval::SizeBoxes &boxes);

struct Evaluation {
  bool dutyRefused = false;     // the group "Betrieb" held a figure it does not take: nothing rated
  eval::EvaluationRun run;      // as eval::runEvaluation gives it (rows, extra columns)
};

// "Berechnen" of the evaluation screen: the group "Betrieb" read (a refusal shown titled
// with text 314, nothing rated), then every ticked size rated against the required
// safety in force (the load type chosen before), with the static load, the equivalent
// load of the load cases and the duty cycle. The session's gastrEvaluation holds the
// result as eval::runEvaluation leaves it.
Evaluation evaluate(Session &s, const std::array<int, eval::kBoxes> &tags,
                    const std::array<bool, eval::kBoxes> &ticked, const loads::DutyTexts &duty,
                    const loads::RequiredLifeTexts &requiredLife = {});

// ---------------------------------------------------------------- the whole run
struct Options {
  bool rigidCheck = true;   // false: the multi-unit models alone
  bool printForces = true;  // the printed force tables of the report and the text export
};

struct Result {
  bool calcFailed = false;  // the calculation was refused or broke off
  float unitDistance = 0.0f, railDistance = 0.0f;
  QVector<ResultRow> results;  // empty unless the calculation completed
  QVector<EvaluationRow> evaluation;
  // The evaluation shows extra columns (more than one load case, or a duty cycle): the
  // figures behind its rows belong to what it shows.
  bool withDetails = false;
  bool evaluationRefused = false;  // no required safety greater than 0: no verdicts
  QVector<QPair<QString, QString>> unmatchedTicks;
};

// The whole run of a case on `s` (a started session): the notes of reading it shown,
// the input taken over, the calculation, the hand-over, the size boxes, the ticks, the
// group "Betrieb" and the evaluation. Messages go through the message service; a
// catalogue without table sets for the arrangement ends the program (msg::endProgram
// with `endedExitCode`), as a database error does.
Result calculateCase(Session &s, const calcfile::Case &c, const ArrangementInfo &arrangement,
                     const Options &options, int endedExitCode = 1);

}  // namespace run
