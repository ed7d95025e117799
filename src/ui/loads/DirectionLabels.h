#pragma once
// The eight direction labels LabKoordinaten around an arrangement picture, each with its
// red arrow Pfeil that shows the force direction while the mouse is over the label. A
// click on a label asks for a force in that direction.
#include <QObject>
#include <QPointF>
#include <array>

#include "core/loads/Directions.h"

class QKeyEvent;
class QLabel;
class QWidget;

class DirectionLabels : public QObject {
  Q_OBJECT
 public:
  explicit DirectionLabels(QWidget *picture);

  QLabel *LabKoordinaten(int i) const { return labels_.at(static_cast<size_t>(i)); }
  QLabel *Pfeil(int i) const { return arrows_.at(static_cast<size_t>(i)); }

  // Places label i centred on `anchor`; its arrow points along `direction` (a unit
  // vector, y down) and sits on the picture's side of the label.
  void place(int i, const QPointF &anchor, const QPointF &direction, double scale = 1.0);

  // Mouse over label i: yellow background, arrow shown.
  void highlight(int i);
  // Mouse over the picture around the labels: all labels back to normal, arrows hidden.
  void resetHighlight();
  bool isHighlighted(int i) const;
  // Label i has the focus, reached by the keyboard, and shows its focus frame.
  bool hasFocusFrame(int i) const;

 signals:
  // The user pressed label i; its caption is the direction of the force.
  void pressed(int index);

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  void restyle(int i);
  bool keyPress(int i, const QKeyEvent *k);

  std::array<QLabel *, loads::kDirectionLabelCount> labels_{};
  std::array<QLabel *, loads::kDirectionLabelCount> arrows_{};
  std::array<bool, loads::kDirectionLabelCount> lit_{};
  std::array<bool, loads::kDirectionLabelCount> keyFocus_{};
};
