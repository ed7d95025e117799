#pragma once
// The six directions a force can act in, once for the whole program: the text written into
// the direction column of the force table, the files and the batch tool ("X +", "- Z" …),
// the axis and the sign. The eight direction labels drawn around every arrangement picture
// carry these texts; the Y directions appear on both sides of the picture, so "Y +" and
// "- Y" occur twice there.
#include <QString>
#include <QStringList>
#include <array>

namespace loads {

enum class Direction { XPlus, XMinus, YPlus, YMinus, ZPlus, ZMinus };

struct DirectionInfo {
  Direction direction;
  const char *label;  // as written in the force table
  int axis;           // 0 X, 1 Y, 2 Z
  int sign;           // +1 along the axis, -1 against it
};

// In the order every list of directions shows them.
inline constexpr std::array<DirectionInfo, 6> kDirections = {{{Direction::XPlus, "X +", 0, 1},
                                                               {Direction::XMinus, "- X", 0, -1},
                                                               {Direction::YPlus, "Y +", 1, 1},
                                                               {Direction::YMinus, "- Y", 1, -1},
                                                               {Direction::ZPlus, "Z +", 2, 1},
                                                               {Direction::ZMinus, "- Z", 2, -1}}};

// The six texts, in that order.
inline const QStringList &directionLabels() {
  static const QStringList labels = [] {
    QStringList out;
    for (const DirectionInfo &d : kDirections) out << QString::fromLatin1(d.label);
    return out;
  }();
  return labels;
}

// The direction a text of the direction column names; nullptr for any other text.
// Every label is three characters long: compared character by character here, as a
// force table of thousands of rows asks this several times per row.
inline const DirectionInfo *directionOf(const QString &label) {
  if (label.size() != 3) return nullptr;
  const char16_t *t = reinterpret_cast<const char16_t *>(label.constData());
  for (const DirectionInfo &d : kDirections)
    if (t[0] == static_cast<unsigned char>(d.label[0]) && t[1] == static_cast<unsigned char>(d.label[1]) &&
        t[2] == static_cast<unsigned char>(d.label[2]))
      return &d;
  return nullptr;
}

// The axis a direction acts along: 0 = X, 1 = Y, 2 = Z, -1 = no direction.
inline int directionAxis(const QString &label) {
  const DirectionInfo *d = directionOf(label);
  return d ? d->axis : -1;
}

// The column of a force row (direction, force, x, y, z) that holds the coordinate along
// the force's own axis: 2, 3 or 4; -1 without a direction.
inline int ownCoordinateColumn(const QString &label) {
  const int axis = directionAxis(label);
  return axis < 0 ? -1 : 2 + axis;
}

// The eight direction labels around the arrangement pictures, in the order of their
// controls.
inline constexpr int kDirectionLabelCount = 8;
inline QString directionCaption(int index) {
  static constexpr Direction captions[kDirectionLabelCount] = {
      Direction::XPlus, Direction::YPlus, Direction::XMinus, Direction::YMinus,
      Direction::ZMinus, Direction::ZPlus, Direction::YMinus, Direction::YPlus};
  return (index >= 0 && index < kDirectionLabelCount)
             ? QString::fromLatin1(kDirections[static_cast<size_t>(captions[index])].label)
             : QString();
}

}  // namespace loads
