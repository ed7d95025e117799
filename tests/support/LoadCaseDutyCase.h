#pragma once
// One calculation file for every arrangement, as the runs of the screens and the batch
// tool are compared on it: two load cases (the second with a side force and a moment), a
// full duty cycle, every size ticked, distances where the arrangement has them.
#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "support/JsonList.h"

namespace testsupport {

inline constexpr const char *kArrangementScreens[] = {"FrmEKaEDSch", "FrmERoEESch", "FrmZKaEDSch",
                                                      "FrmZKaZDSch", "FrmVKaZDSch", "FrmZRoEESch"};

inline QByteArray loadCaseDutyCase(const char *screen, int loadType = 1) {
  const QJsonObject o{
      {"format", "tarvelcalc-case"},
      {"version", 1},
      {"arrangement", screen},
      {"m", "400"},
      {"n", "300"},
      {"loadCases",
       QJsonArray{QJsonObject{{"name", "Eilgang"},
                              {"share", 30},
                              {"forces", listOf(QJsonArray{"- Z", "1200", "40", "-20", "0"})}},
                  QJsonObject{{"name", "Bearbeitung"},
                              {"share", 70},
                              {"forces", QJsonArray{QJsonArray{"- Z", "2500", "50", "-30", "0"},
                                                    QJsonArray{"X +", "600", "0", "0", "150"}}}}}},
      {"duty",
       QJsonObject{{"stroke", "500"}, {"cyclesPerMinute", "10"}, {"hoursPerDay", "8"}, {"daysPerYear", "250"}}},
      {"loadType", loadType},
      {"ticked", "all"}};
  return QJsonDocument(o).toJson();
}

}  // namespace testsupport
