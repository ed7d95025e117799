#pragma once
// The eight direction labels drawn around every arrangement picture. The Y directions
// appear on both sides of the picture, so "Y +" and "- Y" occur twice. The caption of a
// label is also the text written into the direction column of the force table.
#include <QString>

namespace loads {

inline constexpr int kDirectionLabelCount = 8;

inline QString directionCaption(int index) {
  static const char *const captions[kDirectionLabelCount] = {"X +", "Y +", "- X", "- Y",
                                                             "- Z", "Z +", "- Y", "Y +"};
  return (index >= 0 && index < kDirectionLabelCount) ? QString::fromLatin1(captions[index])
                                                      : QString();
}

// The axis a direction label acts along: 0 = X, 1 = Y, 2 = Z, -1 = no direction label.
inline int directionAxis(const QString &label) {
  if (label == QLatin1String("X +") || label == QLatin1String("- X")) return 0;
  if (label == QLatin1String("Y +") || label == QLatin1String("- Y")) return 1;
  if (label == QLatin1String("Z +") || label == QLatin1String("- Z")) return 2;
  return -1;
}

}  // namespace loads
