#include "core/run/CalculationRun.h"

#include <array>

#include "core/arrangements/Calculate.h"
#include "core/catalogue/Catalogue.h"
#include "core/common/Messages.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"
#include "core/evaluation/DutyCycle.h"
#include "core/evaluation/Evaluation.h"
#include "core/special/SonderCore.h"

namespace run {

namespace {

// A catalogue without table sets for the arrangement (counts of 0 or below) has nothing
// to calculate: that is the catalogue's fault and ends the run as a database error would.
void refuseEmptyTableList(Session &s, bool withTL, int exitCode) {
  if (s.gintTblAnz > 0) return;
  const QString keys =
      withTL ? QStringLiteral("FNTblAnz, TLTblAnz, SoTblAnz") : QStringLiteral("FNTblAnz, SoTblAnz");
  msg::critical(builtinText(1059).arg(keys).arg(s.gintTblAnz), catalogue::databaseErrorTitle());
  msg::endProgram(exitCode);
}

// takeOver, with the refusal of an empty table list (exitCode >= 0) before the special
// roller shoe is taken over.
void takeOverInput(Session &s, const calcfile::Case &c, const ArrangementInfo &arrangement, int exitCode) {
  static const QStringList noComments(6);
  s.gastrComment = c.comments ? *c.comments : noComments;
  chooseLoadType(s, c.loadType);
  sSetTblAnzBez(s, true, arrangement.groupTL, true);
  if (exitCode >= 0) refuseEmptyTableList(s, arrangement.groupTL, exitCode);
  // The special roller shoe as its editor's "Ok" takes it over (a refused entry leaves
  // none in force).
  if (c.special)
    takeOverSonder(s, c.special->fields, c.special->bearingsIndex, c.special->type);
  else
    s.gintAnzSonder = 0;
}

}  // namespace

namespace {
// The required safeties this thread read last: the same settings give the same safety
// for a load type. The settings are known by the identity of their rows, which the entry
// holds (as in sSetTblAnzBez), and the locale by that of its name. Only a reading that
// cannot have shown a message is kept: one settings row for the key, a whole number.
struct KeptSafety {
  TextRows settings;
  QString locale;
  int loadType = -1;
  float safety = 0.0f;
};
thread_local std::array<KeptSafety, 4> keptSafeties;
thread_local size_t nextKeptSafety = 0;

bool readsQuietly(const Session &s, int loadType) {
  const QString key = eval::safetySettingKey(loadType);
  int rows = 0, tenths = 0;
  for (const QStringList &row : s.gastrSettings)
    if (row.size() >= 2 && row.at(0) == key && (++rows > 1 || !num::toInt16(row.at(1), &tenths))) return false;
  return rows == 1;
}
}  // namespace

bool chooseLoadType(Session &s, int loadType) {
  const QString &locale = num::localeName();
  for (const KeptSafety &k : keptSafeties) {
    if (k.loadType == loadType && !k.settings.isEmpty() && k.settings.constData() == s.gastrSettings.constData() &&
        k.settings.size() == s.gastrSettings.size() && k.locale.constData() == locale.constData()) {
      s.gsngSiko = k.safety;
      s.gintLoadType = loadType;
      return true;
    }
  }
  if (setRequiredSafety(s, loadType)) {
    if (s.gastrSettings.capacity() > 0 && readsQuietly(s, loadType)) {
      keptSafeties[nextKeptSafety] = {s.gastrSettings, locale, loadType, s.gsngSiko};
      nextKeptSafety = (nextKeptSafety + 1) % keptSafeties.size();
    }
    return true;
  }
  s.gsngSiko = 0.0f;
  s.gintLoadType = loadType;
  return false;
}

void takeOver(Session &s, const calcfile::Case &c, const ArrangementInfo &arrangement) {
  takeOverInput(s, c, arrangement, -1);
}

Calculation calculate(Session &s, ArrangementId id, const QVector<LoadCase> &cases, const QString &m,
                      const QString &n, bool rigidCheck) {
  Calculation calc;
  calc.output = calculateLoadCases(s, id, cases, m, n, rigidCheck);
  if (calc.completed()) calc.rows = s.resultRows;
  return calc;
}

bool handOver(Session &s, ArrangementId id, const QVector<LoadCase> &cases, bool printForces) {
  return handOverLoadCases(s, id, cases, printForces);
}

Ticks ticksOf(const calcfile::Case &c, const TextRows &result, const eval::SizeBoxes &boxes) {
  Ticks t;
  QVector<bool> used(c.ticked.size(), false);
  for (int i = 0; i < eval::kBoxes; ++i) {
    const int tag = boxes.tag[i];
    if (!boxes.enabled[i] || tag < 1 || tag > result.size()) continue;
    if (c.tickAll) {
      t.ticked[i] = true;
      continue;
    }
    const QStringList &row = result[tag - 1];
    for (int k = 0; k < c.ticked.size(); ++k) {
      if (calcfile::tickMatches(c.ticked[k], row)) {
        t.ticked[i] = true;
        used[k] = true;
      }
    }
  }
  for (int k = 0; k < c.ticked.size(); ++k)
    if (!used[k]) t.unmatched.append(c.ticked[k]);
  return t;
}

Evaluation evaluate(Session &s, const std::array<int, eval::kBoxes> &tags,
                    const std::array<bool, eval::kBoxes> &ticked, const loads::DutyTexts &duty,
                    const loads::RequiredLifeTexts &requiredLife) {
  Evaluation e;
  // The group "Betrieb" first, the required life after it (hours need the duty cycle):
  // a figure that is no number or not above 0 stops the run before anything changes.
  QString refusal;
  DutyCycle dutyCycle = s.gDutyCycle;
  RequiredLife life = s.gRequiredLife;
  if (!eval::readDutyCycle(duty.stroke, duty.cyclesPerMinute, duty.hoursPerDay, duty.daysPerYear, &dutyCycle,
                           &refusal) ||
      !eval::readRequiredLife(requiredLife.value, requiredLife.hours, dutyCycle, &life, &refusal)) {
    msg::critical2(refusal, builtinText(314));
    e.dutyRefused = true;
    return e;
  }
  s.gDutyCycle = dutyCycle;
  s.gRequiredLife = life;
  e.run = eval::runEvaluation(s, tags, ticked);
  return e;
}

Result calculateCase(Session &s, const calcfile::Case &c, const ArrangementInfo &arrangement,
                     const Options &options, int endedExitCode) {
  Result r;
  // What reading the case changed (a coordinate along a force's own axis taken as 0),
  // once, as the desktop program says it on opening the file.
  for (const QString &note : c.notes)
    msg::show({note, builtinText(1520), msg::Icon::Information, msg::Buttons::Ok, 1});
  takeOverInput(s, c, arrangement, endedExitCode);

  // "Berechnen" and "Weiter" of the arrangement screen.
  const QVector<LoadCase> loadCases = calcfile::loadCasesOf(c);
  Calculation calc = calculate(s, arrangement.id, loadCases, c.m, c.n, options.rigidCheck);
  const CalcOutput &out = calc.output.combined;
  r.calcFailed = out.calcFailed;
  r.unitDistance = s.gsngUnitDistance;
  r.railDistance = s.gsngRailDistance;
  if (!calc.completed()) return r;
  r.results = std::move(calc.rows);
  handOver(s, arrangement.id, loadCases, options.printForces);

  // The evaluation screen: its size boxes, the ticks, the group "Betrieb", "Berechnen".
  const eval::SizeBoxes boxes = eval::assignSizeBoxes(s.gastrResult);
  if (!boxes.error.isEmpty()) msg::critical(boxes.error, QStringLiteral("sSetLayout!"));
  const Ticks ticks = ticksOf(c, s.gastrResult, boxes);
  r.unmatchedTicks = ticks.unmatched;
  const Evaluation ev = evaluate(s, boxes.tag, ticks.ticked, c.duty.value_or(loads::DutyTexts{}),
                                 c.requiredLife.value_or(loads::RequiredLifeTexts{}));
  if (ev.dutyRefused) return r;
  r.evaluation = ev.run.rows;
  r.withDetails = !ev.run.extraHead.isEmpty();
  r.evaluationRefused = ev.run.refused;
  return r;
}

void renotate(Session &s, const QLocale &from, const QLocale &to) {
  if (num::sameNotation(from, to)) return;
  auto texts = [&](QStringList &list) {
    for (QString &t : list) t = num::convertNumber(t, from, to);
  };
  auto rows = [&](TextRows &table) {
    for (QStringList &row : table) texts(row);
  };
  // A settings row whose key is a text id holds a text of the customer text set, which
  // stays as it is written; the others hold numbers.
  auto settings = [&](TextRows &table) {
    for (QStringList &row : table) {
      bool textId = false;
      row.value(0).toInt(&textId);
      if (!textId && row.size() > 1) row[1] = num::convertNumber(row[1], from, to);
    }
  };
  settings(s.gastrSettings);
  settings(s.grsSettings.rows);
  rows(s.gastrSerie);
  rows(s.grsSerie.rows);
  rows(s.grsInfo.rows);
  texts(s.gastrSonderGeo);
  texts(s.gastrSonderAusw);
  texts(s.gastrSonderEingabe);
  // The printed force tables hold numbers with their units ("2.500 N").
  auto printed = [&](TextRows &table) {
    for (QStringList &row : table)
      for (QString &t : row) t = num::convertNotation(t, from, to);
  };
  printed(s.gastrForce);
  for (TextRows &table : s.gaLoadCaseForce) printed(table);
  rows(s.gastrResult);
}

}  // namespace run
