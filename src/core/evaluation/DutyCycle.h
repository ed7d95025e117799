#pragma once
// Rating over several load cases and over a duty cycle: the equivalent dynamic load of
// a load position, and the lifetime in operating hours and years. Plain functions.
#include <QString>
#include <QVector>
#include <array>
#include <optional>

#include "core/common/Session.h"

namespace eval {

// The exponent of the life formula: 10/3 for needle bearings ("N"), 3 for ball bearings
// ("K"), 0 for any other type (exact, case-sensitive comparison).
double lifeExponent(const QString &TypR);

// The equivalent dynamic load over the load cases: for every load position k
// Pm_k = (sum of q_i * P_ik^p)^(1/p), with q_i the share of load case i as a fraction
// and P_ik the rated value of position k in load case i; the result is the largest
// Pm_k. The positions are values 0..3 of the five rated values where `positions`, else
// value 4 alone (the one unit's P). `position` receives the index of the value that
// gave the result. Computed in double precision, returned as single.
float equivalentLoad(const QVector<double> &fractions,
                     const QVector<std::array<float, 5>> &caseLoads, bool positions, double p,
                     int *position = nullptr);

// Lifetime in hours from the lifetime in km: one double stroke travels 2 * stroke mm,
// so Lh = L_km * 10^6 / (2 * stroke * n * 60). Empty when stroke or frequency is missing.
std::optional<double> lifeHours(double lifeKm, const DutyCycle &duty);
// Years from hours: Lh / (hours per day * days per year); empty without both.
std::optional<double> lifeYears(std::optional<double> hours, const DutyCycle &duty);

// The fields of the group "Betrieb" as typed: stroke (mm), double strokes per minute,
// hours per day, days per year. All four empty: no duty cycle. Otherwise stroke and
// frequency must be numbers of the numeric fields' rules within their plausible range
// (InputLimits.h); hours per day and days per year may stay empty and must be within
// theirs when given. Returns false with the German
// message naming the field in `message`; `duty` is then left as it was.
bool readDutyCycle(const QString &stroke, const QString &frequency, const QString &hoursPerDay,
                   const QString &daysPerYear, DutyCycle *duty, QString *message);

// The required life as typed, in hours or km. Empty: none required. Otherwise a number
// of the numeric fields' rules within its plausible range; hours need a duty cycle that
// gives hours (stroke and frequency). Returns false with the German message in
// `message`; `life` is then left as it was.
bool readRequiredLife(const QString &typed, bool hours, const DutyCycle &duty, RequiredLife *life,
                      QString *message);

// Whether a lifetime reaches the required life, judged as it is shown: in whole km, or
// in whole hours (none without hours). Empty when no life is required or there are no
// hours to judge.
std::optional<bool> lifeReaches(const RequiredLife &required, float lifeKm, std::optional<double> lifeHours);

}  // namespace eval
