#pragma once
// The pictures of the six arrangements, drawn by the program: rails, cassettes or roller
// shoes, the load carrier, the axes X (along the rails), Y (across) and Z (up) and the
// distances m and n. One drawing serves the start screen (small), the arrangement screens
// (with direction labels, load marks and distance fields placed on it) and the printed
// report, so the same picture is painted into a rect of any QPainter.
#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <QVector>
#include <array>

#include "core/arrangements/models/Arrangement.h"

class QPainter;

namespace drawing {

// Where the screen places its controls on a drawing painted into the same rect.
struct Layout {
  // ShpMaxBel(k): the unit (single-unit arrangements) or the load position k: 0 at -x/-y,
  // 1 at -x/+y, 2 at +x/-y, 3 at +x/+y.
  QVector<QRectF> loadShapes;
  // LabFo(k): the point the label is centred on. Single units: 0 beside the unit, 1..3 at
  // the moment arrows about X, Y and Z. Four positions: beside shape k.
  QVector<QPointF> loadLabels;
  // LabKoordinaten(i): centre of the label at the end of its axis, and the unit vector of
  // the force direction it stands for (rect coordinates, y pointing down).
  std::array<QPointF, 8> directionAnchors{};
  std::array<QPointF, 8> directionVectors{};
  // Tb_m and Tb_n sit on the dimension lines; null rects where the arrangement has none.
  QRectF mField;
  QRectF nField;
};

struct Options {
  // Small picture (start screen): rails, units and the load carrier only.
  bool compact = false;
  // For paper: the direction captions, the distance values and the load texts are drawn
  // into the picture, since there are no controls on top of it.
  bool directionTexts = false;
  QString mText, nText;          // shown on the dimension lines (directionTexts)
  QVector<QColor> shapeFills;    // fills of the load shapes; empty: not drawn
  QStringList loadTexts;         // drawn at the loadLabels points
};

Layout layout(ArrangementId id, const QRectF &rect, bool compact = false);
void paint(QPainter &p, const QRectF &rect, ArrangementId id, const Options &options = {});

// The size at which the arrangement screens show the drawing; labels and fields are
// sized for it. Other sizes scale everything, offsets included.
inline constexpr double kDesignWidth = 600.0;
inline constexpr double kDesignHeight = 300.0;

}  // namespace drawing
