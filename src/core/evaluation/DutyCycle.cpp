#include "core/evaluation/DutyCycle.h"

#include <cmath>

#include "core/common/InputLimits.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"

namespace eval {

double lifeExponent(const QString &TypR) {
  // One character, compared as such: this runs for every rated size.
  if (TypR.size() != 1) return 0.0;
  if (TypR.front() == u'N') return 10.0 / 3.0;  // needle (line contact) bearings
  if (TypR.front() == u'K') return 3.0;         // ball (point contact) bearings
  return 0.0;
}

float equivalentLoad(const QVector<double> &fractions,
                     const QVector<std::array<float, 5>> &caseLoads, bool positions, double p,
                     int *position) {
  const int first = positions ? 0 : 4;
  const int last = positions ? 3 : 4;
  double best = 0.0;
  int bestK = first;
  for (int k = first; k <= last; ++k) {
    double sum = 0.0;
    for (int i = 0; i < caseLoads.size() && i < fractions.size(); ++i)
      sum += fractions[i] * std::pow(std::fabs(static_cast<double>(caseLoads[i][k])), p);
    const double pm = std::pow(sum, 1.0 / p);
    if (pm > best) {
      best = pm;
      bestK = k;
    }
  }
  if (position) *position = bestK;
  return static_cast<float>(best);
}

std::optional<double> lifeHours(double lifeKm, const DutyCycle &duty) {
  if (!duty.hasHours()) return std::nullopt;
  return lifeKm * 1.0e6 / (2.0 * duty.stroke * duty.cyclesPerMinute * 60.0);
}

std::optional<double> lifeYears(std::optional<double> hours, const DutyCycle &duty) {
  if (!hours || !duty.hasYears()) return std::nullopt;
  return *hours / (duty.hoursPerDay * duty.daysPerYear);
}

namespace {
// A field of the group "Betrieb": a number as the numeric fields take it ("2.500" is no
// stroke of 2500 mm), inside the plausible range of its quantity.
bool field(const QString &typed, int nameId, limits::Quantity q, double *out, QString *message) {
  const QString text = typed.trimmed();
  double v = 0.0;
  const bool number = num::toDouble(text, &v);
  if (text.isEmpty() || (number && !(v > 0.0))) {
    *message = builtinText(1315).arg(builtinText(nameId));
    return false;
  }
  const QString problem = limits::inputProblem(text, false);
  if (!problem.isEmpty()) {
    *message = limits::fieldRefusal(builtinText(nameId), typed, problem);
    return false;
  }
  if (!limits::within(q, v)) {
    *message = limits::refusal(q, builtinText(nameId));
    return false;
  }
  *out = v;
  return true;
}
}  // namespace

bool readDutyCycle(const QString &stroke, const QString &frequency, const QString &hoursPerDay,
                   const QString &daysPerYear, DutyCycle *duty, QString *message) {
  DutyCycle d;
  const bool none = stroke.trimmed().isEmpty() && frequency.trimmed().isEmpty() &&
                    hoursPerDay.trimmed().isEmpty() && daysPerYear.trimmed().isEmpty();
  if (!none) {
    using limits::Quantity;
    if (!field(stroke, 1311, Quantity::Stroke, &d.stroke, message)) return false;
    if (!field(frequency, 1312, Quantity::CyclesPerMinute, &d.cyclesPerMinute, message)) return false;
    if (!hoursPerDay.trimmed().isEmpty() &&
        !field(hoursPerDay, 1313, Quantity::HoursPerDay, &d.hoursPerDay, message))
      return false;
    if (!daysPerYear.trimmed().isEmpty() &&
        !field(daysPerYear, 1314, Quantity::DaysPerYear, &d.daysPerYear, message))
      return false;
  }
  *duty = d;
  return true;
}

bool readRequiredLife(const QString &typed, bool hours, const DutyCycle &duty, RequiredLife *life,
                      QString *message) {
  RequiredLife r;
  r.hours = hours;
  if (!typed.trimmed().isEmpty()) {
    if (!field(typed, 1540, limits::Quantity::RequiredLife, &r.value, message)) return false;
    if (hours && !duty.hasHours()) {
      *message = builtinText(1542);
      return false;
    }
  }
  *life = r;
  return true;
}

std::optional<bool> lifeReaches(const RequiredLife &required, float lifeKm, std::optional<double> lifeHours) {
  if (!required.given()) return std::nullopt;
  if (required.hours) {
    if (!lifeHours) return std::nullopt;
    return num::roundHalfEven(*lifeHours, 0) >= required.value;
  }
  return num::roundHalfEven(lifeKm, 0) >= required.value;
}

}  // namespace eval
