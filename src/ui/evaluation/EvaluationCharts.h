#pragma once
// The charts of an evaluation: for every rated size the static safety as a bar beside the
// required safety as a line, and the lifetime on a logarithmic axis beside the required
// life. The bars are grouped by series and drawn in the verdict colours. The figures are
// the grid's own, rounded as the evaluation's formatter shows them; the same charts serve
// the window "Diagramm", its picture files and the report.
#include <QColor>
#include <QFont>
#include <QString>
#include <QVector>
#include <optional>

#include "core/common/Session.h"

class QChart;
class QPainter;
class QRectF;

namespace charts {

// One rated size as the charts draw it.
struct Bar {
  QString unit;    // unit series and size as the grid's first column ("KD12")
  QString series;  // the series it is grouped under ("KD")
  double safety = 0.0;  // as the grid shows it, to one decimal
  bool fails = false;   // the verdict is not "Sicherheit ausreichend." (safety or distances)
  double life = 0.0;    // in whole km, or whole hours where the chart shows hours
  std::optional<bool> lifeOk;  // against the required life; empty when none is judged
  QString safetyTip, lifeTip;  // the tool tips: the grid's texts of the size
};

struct Data {
  QVector<Bar> bars;            // the evaluated sizes in the grid's order; no blank row
  double requiredSafety = 0.0;  // gsngSiko
  bool lifeInHours = false;     // the lifetime in hours (a duty cycle gives them)
  // The required life in the unit of the lifetime axis; empty when none is asked for or it
  // is asked for in another unit than the axis can show.
  std::optional<double> requiredLife;
  QColor pass, fail, neutral;   // the verdict colours
};

// The language of the charts' titles, legends and numbers: that of the report (0 German,
// 1 English, with the English notation of numbers), or kScreen: the screens' interface
// language with the user's notation, as the grid shows the numbers.
constexpr int kScreen = -1;

// The session's last evaluation (gastrEvaluation, the required safety and life); the tool
// tips in the screens' language. The life axis shows hours where every size has them and
// no life is required in km; otherwise km.
Data dataOf(const Session &session);

// The two charts in language k, each a new object for the caller to own (a QChartView or a
// scene); the font is that of axis labels and legend, titles a little larger.
QChart *safetyChart(const Data &data, int k, const QFont &font);
QChart *lifeChart(const Data &data, int k, const QFont &font);

// Both charts, the safety above the lifetime, painted as vector drawing into `target`
// (device units of the painter): on a printer or PDF, an SVG generator or an image. The
// charts are laid out at the physical size of the target, with a text size fit for
// print; nothing is painted when no size was rated.
void paint(const Session &session, QPainter &painter, const QRectF &target, int k);

}  // namespace charts
