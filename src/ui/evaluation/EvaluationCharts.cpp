#include "ui/evaluation/EvaluationCharts.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "core/common/Numbers.h"
#include "core/common/Texts.h"
#include "core/evaluation/EvaluationTexts.h"
#include "core/evaluation/Sizing.h"
#include "output/report/ReportCanvas.h"
#include "output/report/ReportText.h"
#include "ui/common/Gui.h"

namespace charts {

namespace {

constexpr int kEnglish = 1;  // the English report
constexpr int kWarningColour = 702;  // the colour code of the load display's warning
// From this many sizes on the labels under the bars stand upright.
constexpr int kUprightLabels = 14;
// The bars' positions are 0, 1, ...; each owns the slot of width 1 around it. A quarter of
// a slot more at either end leaves room for a figure wider than its bar.
constexpr double kLeftEdge = -0.75;
double rightEdge(int count) { return count - 0.25; }

// The screens speak the interface language; the report reads the German table, with the
// English texts under their own ids.
QString text(int k, int german, int english) {
  return k == kScreen ? builtinText(german) : tableText(k == kEnglish ? english : german);
}
Language languageOf(int k) { return k == kEnglish ? Language::English : Language::German; }
QString inLanguage(const QString &number, int k) {
  return k == kScreen ? number : num::inLanguageNotation(number, languageOf(k));
}

QString lifeShownText(double value, bool hours) {
  return num::formatGrouped(value) + (hours ? QStringLiteral(" h") : QStringLiteral(" km"));
}

// The tool tips say what the grid says of the size, in the screens' language.
QString safetyTip(const Session &session, const EvaluationRow &row) {
  return QStringList{builtinText(1616).arg(row.unit, row.size), builtinText(1620).arg(eval::staticRatingText(row)),
                     builtinText(1622).arg(eval::loadText(row)),
                     builtinText(1617).arg(eval::safetyText(row), report::safetyText(session)),
                     eval::verdictText(row.verdict, interfaceLanguage() == Language::English)}
      .join(QLatin1Char('\n'));
}

QString lifeTip(const Session &session, const EvaluationRow &row, const Data &data, double life) {
  QStringList lines{builtinText(1616).arg(row.unit, row.size), builtinText(1621).arg(eval::dynamicRatingText(row))};
  // With several load cases the lifetime is that of the equivalent load.
  if (session.gaintExtraHead.contains(1300))
    lines << builtinText(1623).arg(eval::extraTexts(row, {1300}).value(0));
  else
    lines << builtinText(1622).arg(eval::loadText(row));
  const QString shown = lifeShownText(life, data.lifeInHours);
  lines << (data.requiredLife ? builtinText(1619).arg(shown, lifeShownText(*data.requiredLife, data.lifeInHours))
                              : builtinText(1618).arg(shown));
  if (row.lifeOk == false) lines << eval::lifeVerdictText(row, interfaceLanguage() == Language::English);
  return lines.join(QLatin1Char('\n'));
}

QChart *newChart(const QString &title, const QFont &font, int k) {
  auto *chart = new QChart;
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->setDropShadowEnabled(false);
  chart->setBackgroundRoundness(0);
  chart->setBackgroundBrush(Qt::white);
  chart->setMargins(QMargins(4, 4, 8, 4));
  chart->layout()->setContentsMargins(0, 0, 0, 0);
  // Numbers in the notation of the grid, or the English one of the English report.
  chart->setLocalizeNumbers(true);
  chart->setLocale(k == kScreen ? num::locale() : num::notationOf(languageOf(k)));
  QFont titleFont = font;
  titleFont.setBold(true);
  if (font.pixelSize() > 0) titleFont.setPixelSize(font.pixelSize() * 6 / 5);
  else titleFont.setPointSizeF(font.pointSizeF() * 1.2);
  chart->setTitleFont(titleFont);
  chart->setTitle(title);
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->legend()->setFont(font);
  return chart;
}

// The bars of one chart: one set in the colour of its verdict, the bars that fail in the
// warning colour, their figures written above them (upright from their foot where `atFoot`).
QBarSeries *barSeries(const QString &name, const QVector<double> &values, const QVector<bool> &failing,
                      const QColor &colour, const QColor &fail, const QFont &font, bool atFoot = false) {
  auto *set = new QBarSet(name);
  for (const double v : values) set->append(v);
  set->setColor(colour);
  set->setBorderColor(colour.darker(130));
  set->setSelectedColor(fail);
  for (int i = 0; i < failing.size(); ++i)
    if (failing[i]) set->selectBar(i);
  set->setLabelFont(font);
  set->setLabelColor(Qt::black);
  auto *series = new QBarSeries;
  series->append(set);
  series->setBarWidth(0.6);
  series->setLabelsVisible(true);
  series->setLabelsPosition(atFoot ? QAbstractBarSeries::LabelsInsideBase : QAbstractBarSeries::LabelsOutsideEnd);
  series->setLabelsPrecision(12);
  if (values.size() >= kUprightLabels) series->setLabelsAngle(-90);
  return series;
}

// A legend entry of the warning colour: bars cannot name their second colour themselves.
void addFailKey(QChart *chart, const QString &name, const QColor &fail) {
  auto *key = new QScatterSeries;
  key->setName(name);
  key->setColor(fail);
  key->setBorderColor(fail.darker(130));
  chart->addSeries(key);
  for (QLegendMarker *m : chart->legend()->markers(key)) m->setShape(QLegend::MarkerShapeRectangle);
}

// The line of a required value, across the whole width. Its legend entry is a piece of the
// line.
QLineSeries *addRequiredLine(QChart *chart, const QString &name, double value, int count) {
  auto *line = new QLineSeries;
  line->setName(name);
  QPen pen(QColor(0, 0, 0));
  pen.setWidthF(2.0);
  pen.setStyle(Qt::DashLine);
  line->setPen(pen);
  line->append(kLeftEdge, value);
  line->append(rightEdge(count), value);
  chart->addSeries(line);
  for (QLegendMarker *m : chart->legend()->markers(line)) m->setShape(QLegend::MarkerShapeFromSeries);
  return line;
}

// The axis under the bars names each size; below it the series group their sizes. Both
// are category axes over the bars' positions 0, 1, ...: a size's name stands on its bar
// and is never left out for want of room, also when the names stand upright.
QCategoryAxis *categoryAxis(int count, const QFont &font) {
  auto *axis = new QCategoryAxis;
  axis->setRange(kLeftEdge, rightEdge(count));
  axis->setStartValue(kLeftEdge);
  axis->setLabelsFont(font);
  axis->setTruncateLabels(false);
  return axis;
}

// A category is known by its text: a text shown twice gets an invisible mark.
QString uniqueIn(const QStringList &taken, QString label) {
  while (taken.contains(label)) label += QChar(0x200B);
  return label;
}

void addSizeAxes(QChart *chart, const Data &data, const QFont &font, const QList<QAbstractSeries *> &series) {
  const int count = static_cast<int>(data.bars.size());
  QCategoryAxis *sizes = categoryAxis(count, font);
  sizes->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  sizes->setGridLineVisible(false);
  for (int i = 0; i < count; ++i) sizes->append(uniqueIn(sizes->categoriesLabels(), data.bars[i].unit), i);
  if (count >= kUprightLabels) sizes->setLabelsAngle(-90);
  chart->addAxis(sizes, Qt::AlignBottom);
  for (QAbstractSeries *s : series) s->attachAxis(sizes);

  // The series' names speak for themselves: no title under them, which leaves the bars
  // their height on half a page.
  QCategoryAxis *groups = categoryAxis(count, font);
  groups->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
  for (int i = 0; i < count; ++i)
    if (i + 1 == count || data.bars[i + 1].series != data.bars[i].series)
      groups->append(uniqueIn(groups->categoriesLabels(), data.bars[i].series),
                     i + 1 == count ? rightEdge(count) : i + 0.5);
  chart->addAxis(groups, Qt::AlignBottom);
}

QFont boldTitle(const QFont &font) {
  QFont f = font;
  f.setBold(true);
  return f;
}

}  // namespace

Data dataOf(const Session &session) {
  Data d;
  d.requiredSafety = session.gsngSiko;
  d.fail = gui::vbColor(gflngSetColor(session, kWarningColour));
  d.pass = QColor(46, 139, 87);
  d.neutral = QColor(70, 130, 180);
  bool any = false, allHours = true;
  for (const EvaluationRow &row : session.gastrEvaluation) {
    if (row.blank()) continue;
    any = true;
    allHours = allHours && eval::lifeHoursShown(row).has_value();
  }
  // A life required in km is judged in km, and the chart shows it in km.
  const RequiredLife &required = session.gRequiredLife;
  d.lifeInHours = any && allHours && !(required.given() && !required.hours);
  if (required.given() && required.hours == d.lifeInHours) d.requiredLife = required.value;
  for (const EvaluationRow &row : session.gastrEvaluation) {
    if (row.blank()) continue;
    Bar b;
    b.unit = row.unit;
    b.series = eval::seriesOf(row.unit);
    b.safety = eval::safetyShown(row);
    b.fails = eval::fails(row);
    b.life = d.lifeInHours ? *eval::lifeHoursShown(row) : eval::lifeKmShown(row);
    b.lifeOk = d.requiredLife ? row.lifeOk : std::nullopt;
    b.safetyTip = safetyTip(session, row);
    b.lifeTip = lifeTip(session, row, d, b.life);
    d.bars << b;
  }
  return d;
}

QChart *safetyChart(const Data &data, int k, const QFont &font) {
  QChart *chart = newChart(text(k, 1602, 1603), font, k);
  QVector<double> values;
  QVector<bool> failing;
  const bool upright = data.bars.size() >= kUprightLabels;
  double top = data.requiredSafety;
  for (const Bar &b : data.bars) {
    values << b.safety;
    failing << b.fails;
    top = std::max(top, b.safety);
  }
  QBarSeries *bars = barSeries(text(k, 1610, 1611), values, failing, data.pass, data.fail, font);
  chart->addSeries(bars);
  addFailKey(chart, text(k, 1612, 1613), data.fail);
  QLineSeries *line = addRequiredLine(
      chart, text(k, 1606, 1607).arg(inLanguage(num::singleToText(static_cast<float>(data.requiredSafety)), k)),
      data.requiredSafety, static_cast<int>(data.bars.size()));
  addSizeAxes(chart, data, font, {bars, line});

  auto *y = new QValueAxis;
  // Room above the highest bar for its figure.
  y->setRange(0.0, top > 0.0 ? top * (upright ? 1.25 : 1.15) : 1.0);
  y->applyNiceNumbers();
  y->setLabelFormat(y->max() < 10.0 ? QStringLiteral("%.1f") : QStringLiteral("%.0f"));
  y->setLabelsFont(font);
  y->setTitleFont(boldTitle(font));
  y->setTitleText(text(k, 142, 165));
  chart->addAxis(y, Qt::AlignLeft);
  bars->attachAxis(y);
  line->attachAxis(y);
  return chart;
}

QChart *lifeChart(const Data &data, int k, const QFont &font) {
  QChart *chart = newChart(text(k, 143, 166), font, k);
  double low = 0.0, high = 0.0;
  for (const Bar &b : data.bars) {
    if (b.life <= 0.0) continue;
    low = low > 0.0 ? std::min(low, b.life) : b.life;
    high = std::max(high, b.life);
  }
  if (data.requiredLife) {
    low = low > 0.0 ? std::min(low, *data.requiredLife) : *data.requiredLife;
    high = std::max(high, *data.requiredLife);
  }
  if (low <= 0.0) low = high = 1.0;
  // Whole decades; the lowest bar keeps a visible height, the highest room for its figure.
  double from = std::pow(10.0, std::floor(std::log10(low)));
  if (low / from < 1.5) from /= 10.0;
  // Figures above the bars need a little room over the highest; upright ones stand inside.
  const bool upright = data.bars.size() >= kUprightLabels;
  const double to = std::pow(10.0, std::ceil(std::log10(high * (upright ? 1.2 : 3.0))));

  QVector<double> values;
  QVector<bool> failing;
  // A lifetime of 0 (shown as "0 km") has no place on a logarithmic axis: its bar stays
  // at the foot of the axis.
  for (const Bar &b : data.bars) {
    values << std::max(b.life, from);
    failing << (b.lifeOk == false);
  }
  const bool judged = data.requiredLife.has_value();
  // An upright figure of many digits needs more than the room above its bar; on the
  // logarithmic axis a bar is the taller the more digits its figure has, so the figures
  // stand inside the bars from their foot.
  QBarSeries *bars = barSeries(judged ? text(k, 1610, 1611) : text(k, 1614, 1615), values, failing,
                               judged ? data.pass : data.neutral, data.fail, font, upright);
  chart->addSeries(bars);
  QList<QAbstractSeries *> series{bars};
  QLineSeries *line = nullptr;
  if (judged) {
    addFailKey(chart, text(k, 1612, 1613), data.fail);
    line = addRequiredLine(chart,
                           text(k, 1561, 1562).arg(inLanguage(lifeShownText(*data.requiredLife, data.lifeInHours), k)),
                           *data.requiredLife, static_cast<int>(data.bars.size()));
    series << line;
  }
  addSizeAxes(chart, data, font, series);

  auto *y = new QLogValueAxis;
  y->setBase(10.0);
  y->setRange(from, to);
  y->setLabelFormat(QStringLiteral("%.0f"));
  y->setLabelsFont(font);
  y->setTitleFont(boldTitle(font));
  y->setTitleText(data.lifeInHours ? text(k, 1301, 1304) : text(k, 1604, 1605));
  chart->addAxis(y, Qt::AlignLeft);
  for (QAbstractSeries *s : series) s->attachAxis(y);
  return chart;
}

void paint(const Session &session, QPainter &painter, const QRectF &target, int k) {
  const Data data = dataOf(session);
  if (data.bars.isEmpty() || target.isEmpty()) return;
  // The charts are laid out in units of 1/96 inch at the size they take on paper, so that
  // their texts have the same size on any printer, in any file and on the page on screen.
  const double dpi = painter.device() && painter.device()->logicalDpiX() > 0 ? painter.device()->logicalDpiX() : 96.0;
  const QSizeF size = target.size() * (96.0 / dpi);
  QFont font = report::reportFont(8);
  font.setPixelSize(11);
  QGraphicsScene scene;
  scene.setSceneRect(QRectF(QPointF(0, 0), size));
  QChart *safety = safetyChart(data, k, font);
  QChart *life = lifeChart(data, k, font);
  scene.addItem(safety);
  scene.addItem(life);
  safety->setGeometry(QRectF(0, 0, size.width(), size.height() / 2));
  life->setGeometry(QRectF(0, size.height() / 2, size.width(), size.height() / 2));
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  scene.render(&painter, target, scene.sceneRect(), Qt::IgnoreAspectRatio);
  painter.restore();
}

}  // namespace charts
