#pragma once
// The load cases and the duty cycle of a case file (JSON): either one force table
// "forces" or a list "loadCases" of {"name", "share", "forces"}, and optionally "duty"
// {"stroke", "cyclesPerMinute", "hoursPerDay", "daysPerYear"}. Only the form is checked
// here; the values are checked where the screens check them (the shares by
// "Berechnen", the duty cycle by the evaluation), with the same messages.
#include <QJsonObject>
#include <QString>
#include <QVector>

#include "core/common/Session.h"

namespace loads {

// The fields of the group "Betrieb" as the user would have typed them (empty where not
// given): numbers are written in the program's locale.
struct DutyTexts {
  QString stroke, cyclesPerMinute, hoursPerDay, daysPerYear;

  bool operator==(const DutyTexts &o) const = default;
};

// The required life as typed, with its unit (hours or km).
struct RequiredLifeTexts {
  QString value;
  bool hours = false;

  bool operator==(const RequiredLifeTexts &o) const = default;
};

// The most load cases one calculation holds: a duty cycle is a handful of them; the
// screens show one tab each.
constexpr int kMaxLoadCases = 100;

struct CaseLoads {
  QVector<LoadCase> loadCases;  // at least one; "forces" gives one of 100 % named "Lastfall 1"
  DutyTexts duty;
};

// Reads "forces" or "loadCases" and "duty" of a case. Returns false with an English
// description of what is wrong in `error` (for the command line).
bool readCaseLoads(const QJsonObject &caseObject, CaseLoads *out, QString *error);

}  // namespace loads
