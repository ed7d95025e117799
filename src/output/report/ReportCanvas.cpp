#include "output/report/ReportCanvas.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

#include "output/arrangements/Drawings.h"
#include "core/arrangements/models/Arrangement.h"
#include "core/common/Session.h"
#include "core/common/Numbers.h"

namespace report {

double twipsToDevice(double twips, double dpi) { return twips * dpi / 1440.0; }

QFont reportFont(double pointSize, bool underline) {
  // Once per program: the report asks for Arial everywhere; the substitution makes the
  // metric-compatible face stand in where Arial is not installed.
  static const bool substituted = [] {
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    return true;
  }();
  Q_UNUSED(substituted);
  QFont f(QStringLiteral("Arial"));
  f.setPointSizeF(pointSize);
  f.setUnderline(underline);
  f.setStyleHint(QFont::SansSerif);
  return f;
}

double columnWidthTwips(const QFont &font, QPaintDevice *device) {
  // Frequencies per thousand of the lower-case letters a..z and the blank.
  static const int weights[27] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3,  6,  35, 20, 56,
                                  56, 17, 4,  49, 56,  71, 31, 10, 18, 3, 18, 2,  166};
  const QFontMetricsF fm(font, device);
  double sum = 0.0;
  for (int i = 0; i < 26; ++i) sum += fm.horizontalAdvance(QChar(QLatin1Char('a' + i))) * weights[i];
  sum += fm.horizontalAdvance(QLatin1Char(' ')) * weights[26];
  const double deviceWidth = sum / 1000.0;
  const double dpi = device ? device->logicalDpiX() : 96.0;
  return deviceWidth * 1440.0 / dpi;
}

QSizeF arrangementPictureTwips() {
  // The drawing keeps the 2:1 shape it is designed in. Printed 1.2 times as large it is
  // 80 mm wide, enough to read the captions and distances written on it.
  return {3800.0, 3800.0 * drawing::kDesignHeight / drawing::kDesignWidth};
}

void paintArrangement(const Session &session, QPainter &p, const QRectF &deviceRect, const QString &screenName) {
  const ArrangementInfo *info = arrangementByScreen(screenName);
  if (!info) return;
  drawing::Options o;
  o.directionTexts = true;
  if (info->hasM) o.mText = num::singleToText(session.gsngUnitDistance);
  if (info->hasN) o.nText = num::singleToText(session.gsngRailDistance);
  drawing::paint(p, deviceRect, info->id, o);
}

ReportCanvas::ReportCanvas(QPainter *painter, QPaintDevice *device, double baseSize)
    : painter_(painter), device_(device), base_(baseSize),
      dpi_(device ? device->logicalDpiY() : 96.0) {}

QFont ReportCanvas::font(double size, bool underline) const {
  return reportFont(size > 0 ? size : base_, underline);
}

double ReportCanvas::lineHeight(double size) const {
  const QFontMetricsF fm(font(size, false), device_);
  return fm.lineSpacing() * 1440.0 / dpi_;
}

double ReportCanvas::tabX(int n, double size) const {
  if (n <= 0) return x;
  return (n - 1) * columnWidthTwips(font(size, false), device_);
}

void ReportCanvas::print(const ReportLine &line) {
  const double size = line.fontSize > 0 ? line.fontSize : base_;
  const QFont f = font(size, line.underline);
  const QFontMetricsF fm(f, device_);
  const double toTwips = 1440.0 / dpi_;
  const double column = columnWidthTwips(f, device_);
  const double blank = fm.horizontalAdvance(QLatin1Char(' ')) * toTwips;
  const double height = fm.lineSpacing() * toTwips;
  if (painter_) painter_->setFont(f);
  double end = -1.0;
  for (const TabItem &item : line.items) {
    double left = item.tab > 0 ? (item.tab - 1) * column : x;
    if (end >= 0.0 && left < end + blank) left = end + blank;
    const double width = fm.horizontalAdvance(item.text) * toTwips;
    if (painter_ && !item.text.isEmpty()) {
      painter_->drawText(QPointF(twipsToDevice(left, dpi_), twipsToDevice(y, dpi_) + fm.ascent()),
                         item.text);
    }
    if (!item.text.isEmpty()) extents_.append({page, QRectF(left, y, width, height)});
    end = left + width;
  }
  y += height;
}

void ReportCanvas::printEmpty(double size) { y += lineHeight(size); }

void ReportCanvas::printAt(int tab, const QString &text, double size, bool underline) {
  ReportLine l;
  l.items << TabItem{tab, text};
  l.fontSize = static_cast<int>(size);
  l.underline = underline;
  print(l);
}

void ReportCanvas::drawPixmap(const QRectF &twips, const QPixmap &pixmap) {
  if (!painter_ || pixmap.isNull()) return;
  const QRectF r(twipsToDevice(twips.left(), dpi_), twipsToDevice(twips.top(), dpi_),
                 twipsToDevice(twips.width(), dpi_), twipsToDevice(twips.height(), dpi_));
  painter_->drawPixmap(r, pixmap, QRectF(pixmap.rect()));
}

void ReportCanvas::drawArrangement(const Session &session, const QRectF &twips, const QString &screenName) {
  if (!painter_) return;
  const QRectF r(twipsToDevice(twips.left(), dpi_), twipsToDevice(twips.top(), dpi_),
                 twipsToDevice(twips.width(), dpi_), twipsToDevice(twips.height(), dpi_));
  painter_->save();
  paintArrangement(session, *painter_, r, screenName);
  painter_->restore();
}

void ReportCanvas::drawWith(const QRectF &twips, const std::function<void(QPainter &, const QRectF &)> &paint) {
  if (!painter_ || !paint) return;
  const QRectF r(twipsToDevice(twips.left(), dpi_), twipsToDevice(twips.top(), dpi_),
                 twipsToDevice(twips.width(), dpi_), twipsToDevice(twips.height(), dpi_));
  painter_->save();
  paint(*painter_, r);
  painter_->restore();
}

void ReportCanvas::newPage() {
  if (painter_ && onNewPage) onNewPage();
  ++page;
}

double ReportCanvas::rightmost() const {
  double r = 0.0;
  for (const Extent &e : extents_) r = std::max(r, e.rect.right());
  return r;
}

QRectF clearOfText(const QRectF &picture, int page, const QVector<ReportCanvas::Extent> &text,
                   double rightLimit) {
  constexpr double kGap = 200.0;  // twips between text and picture
  // Moving the picture right widens the band of text it may meet, hence the repeat.
  double left = picture.left();
  for (int round = 0; round < 4; ++round) {
    const double right = left + picture.width();
    double moved = left;
    for (const ReportCanvas::Extent &e : text) {
      if (e.page != page) continue;
      const bool besideVertically = e.rect.bottom() > picture.top() && e.rect.top() < picture.bottom();
      if (besideVertically && e.rect.left() < right && e.rect.right() + kGap > moved)
        moved = e.rect.right() + kGap;
    }
    if (moved == left) break;
    left = moved;
  }
  QRectF r = picture;
  r.moveLeft(left);
  if (r.right() > rightLimit && rightLimit > left) {
    // Too little room left: keep the shape, shrink to the width that remains.
    const double scale = (rightLimit - left) / picture.width();
    r.setSize(picture.size() * scale);
  }
  return r;
}

}  // namespace report
