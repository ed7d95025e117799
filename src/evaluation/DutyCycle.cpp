#include "evaluation/DutyCycle.h"

#include <cmath>

#include "common/Numbers.h"
#include "common/Texts.h"

namespace eval {

double lifeExponent(const QString &TypR) {
  if (TypR == QLatin1String("N")) return 10.0 / 3.0;  // needle (line contact) bearings
  if (TypR == QLatin1String("K")) return 3.0;         // ball (point contact) bearings
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
// A field that must hold a number above 0 (and at most `limit` where limit > 0).
bool positive(const QString &typed, int nameId, double limit, double *out, QString *message) {
  double v = 0.0;
  if (num::toDouble(typed.trimmed(), &v) && std::isfinite(v) && v > 0.0 && (limit <= 0.0 || v <= limit)) {
    *out = v;
    return true;
  }
  if (limit > 0.0)
    *message = builtinText(1316).arg(builtinText(nameId), num::doubleToText(limit));
  else
    *message = builtinText(1315).arg(builtinText(nameId));
  return false;
}
}  // namespace

bool readDutyCycle(const QString &stroke, const QString &frequency, const QString &hoursPerDay,
                   const QString &daysPerYear, DutyCycle *duty, QString *message) {
  DutyCycle d;
  const bool none = stroke.trimmed().isEmpty() && frequency.trimmed().isEmpty() &&
                    hoursPerDay.trimmed().isEmpty() && daysPerYear.trimmed().isEmpty();
  if (!none) {
    if (!positive(stroke, 1311, 0.0, &d.stroke, message)) return false;
    if (!positive(frequency, 1312, 0.0, &d.cyclesPerMinute, message)) return false;
    if (!hoursPerDay.trimmed().isEmpty() && !positive(hoursPerDay, 1313, 24.0, &d.hoursPerDay, message))
      return false;
    if (!daysPerYear.trimmed().isEmpty() && !positive(daysPerYear, 1314, 366.0, &d.daysPerYear, message))
      return false;
  }
  *duty = d;
  return true;
}

}  // namespace eval
