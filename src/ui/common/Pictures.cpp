// The program's pictures, drawn with QPainter: no bitmap files are shipped.
#include <QPainter>
#include <QPainterPath>

#include "ui/common/Gui.h"

namespace gui {

namespace {
const QColor kBlue(0, 0, 255);
const QColor kLightBlue(192, 192, 255);
const QColor kDark(30, 40, 90);

// The program's mark: a rail profile with a roller on it, in a blue rounded square.
// One geometry serves the painted pictures and the SVG of the desktop icon.
struct Mark {
  QRectF frame;
  qreal corner;
  QRectF rail;
  QPointF centre;
  qreal roller, hub;  // radii
};

Mark markIn(const QRectF &r) {
  Mark m;
  m.frame = r;
  m.corner = r.width() * 0.12;
  m.rail = QRectF(r.left() + r.width() * 0.12, r.top() + r.height() * 0.62, r.width() * 0.76, r.height() * 0.16);
  m.roller = r.width() * 0.17;
  m.hub = r.width() * 0.34 / 6;
  m.centre = QPointF(r.center().x(), m.rail.top() - m.roller);
  return m;
}

const QColor kRail(220, 225, 235);

void drawMark(QPainter &p, const QRectF &r) {
  const Mark m = markIn(r);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawRoundedRect(m.frame, m.corner, m.corner);
  p.setBrush(kRail);
  p.drawRect(m.rail);
  p.setBrush(kLightBlue);
  p.drawEllipse(m.centre, m.roller, m.roller);
  p.setBrush(kBlue);
  p.drawEllipse(m.centre, m.hub, m.hub);
}

QPixmap canvas(int w, int h) {
  QPixmap pm(w, h);
  pm.fill(Qt::transparent);
  return pm;
}

QPixmap arrowButton(bool left, QColor c) {
  QPixmap pm = canvas(24, 24);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  QPolygonF poly;
  if (left) poly << QPointF(3, 12) << QPointF(12, 4) << QPointF(12, 9) << QPointF(21, 9) << QPointF(21, 15) << QPointF(12, 15) << QPointF(12, 20);
  else poly << QPointF(21, 12) << QPointF(12, 4) << QPointF(12, 9) << QPointF(3, 9) << QPointF(3, 15) << QPointF(12, 15) << QPointF(12, 20);
  p.drawPolygon(poly);
  return pm;
}

QPixmap letterButton(const QString &letter, QColor back) {
  QPixmap pm = canvas(24, 24);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(back);
  p.drawEllipse(QRectF(2, 2, 20, 20));
  p.setPen(Qt::white);
  QFont f = p.font();
  f.setBold(true);
  f.setPixelSize(14);
  p.setFont(f);
  p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, letter);
  return pm;
}
}  // namespace

QPixmap resourcePicture(int id) {
  switch (id) {
    case 100: case 101: {  // icon / marker arrow in lists
      QPixmap pm = canvas(32, 32);
      QPainter p(&pm);
      drawMark(p, QRectF(1, 1, 30, 30));
      return pm;
    }
    case 150: {  // logo band
      QPixmap pm = canvas(180, 48);
      QPainter p(&pm);
      p.setRenderHint(QPainter::Antialiasing);
      QFont f = p.font();
      f.setBold(true);
      f.setPixelSize(30);
      f.setItalic(true);
      p.setFont(f);
      p.setPen(kBlue);
      p.drawText(QRectF(0, 0, 180, 48), Qt::AlignCenter, QStringLiteral("TARVEL"));
      return pm;
    }
    case 151: {  // heading picture
      QPixmap pm = canvas(48, 48);
      QPainter p(&pm);
      drawMark(p, QRectF(2, 2, 44, 44));
      return pm;
    }
    case 152: {  // info picture: a linear module
      QPixmap pm = canvas(200, 90);
      QPainter p(&pm);
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(QPen(kDark, 1.5));
      p.setBrush(QColor(210, 214, 222));
      p.drawRect(QRectF(8, 52, 184, 18));
      p.setBrush(kLightBlue);
      p.drawRoundedRect(QRectF(70, 30, 60, 24), 3, 3);
      p.setBrush(kBlue);
      p.drawRect(QRectF(4, 48, 8, 26));
      p.drawRect(QRectF(188, 48, 8, 26));
      return pm;
    }
    case 200: return letterButton(QStringLiteral("?"), kBlue);              // help
    case 201: return letterButton(QStringLiteral("i"), QColor(0, 128, 0));  // info
    case 202: return letterButton(QStringLiteral("S"), QColor(160, 90, 0)); // special
    case 203: return letterButton(QStringLiteral("X"), QColor(190, 0, 0));  // exit
    case 204: return arrowButton(true, kBlue);                              // back
    case 205: return arrowButton(false, kBlue);                             // next
    case 206: return letterButton(QStringLiteral("="), QColor(0, 110, 160));// calculate
    case 207: {  // grid marker
      QPixmap pm = canvas(12, 12);
      QPainter p(&pm);
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(Qt::NoPen);
      p.setBrush(kBlue);
      p.drawPolygon(QPolygonF() << QPointF(2, 1) << QPointF(11, 6) << QPointF(2, 11));
      return pm;
    }
    case 208: {  // delete marker
      QPixmap pm = canvas(12, 12);
      QPainter p(&pm);
      p.setRenderHint(QPainter::Antialiasing);
      p.setPen(QPen(QColor(200, 0, 0), 2.2));
      p.drawLine(QPointF(2, 2), QPointF(10, 10));
      p.drawLine(QPointF(10, 2), QPointF(2, 10));
      return pm;
    }
    default: {
      QPixmap pm = canvas(24, 24);
      QPainter p(&pm);
      drawMark(p, QRectF(1, 1, 22, 22));
      return pm;
    }
  }
}

QImage programMark(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  const qreal margin = size / 32.0;
  drawMark(p, QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
  return image;
}

QString programMarkSvg(int size) {
  const qreal margin = size / 32.0;
  const Mark m = markIn(QRectF(margin, margin, size - 2 * margin, size - 2 * margin));
  const auto n = [](qreal v) { return QString::number(v, 'g', 6); };
  return QStringLiteral(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n"
             "  <rect x=\"%2\" y=\"%3\" width=\"%4\" height=\"%5\" rx=\"%6\" fill=\"%7\"/>\n"
             "  <rect x=\"%8\" y=\"%9\" width=\"%10\" height=\"%11\" fill=\"%12\"/>\n"
             "  <circle cx=\"%13\" cy=\"%14\" r=\"%15\" fill=\"%16\"/>\n"
             "  <circle cx=\"%13\" cy=\"%14\" r=\"%17\" fill=\"%7\"/>\n"
             "</svg>\n")
      .arg(size)
      .arg(n(m.frame.x()), n(m.frame.y()), n(m.frame.width()), n(m.frame.height()), n(m.corner),
           kBlue.name(), n(m.rail.x()), n(m.rail.y()), n(m.rail.width()))
      .arg(n(m.rail.height()), kRail.name(), n(m.centre.x()), n(m.centre.y()), n(m.roller),
           kLightBlue.name(), n(m.hub));
}

QIcon resourceIcon(int id) {
  QIcon icon;
  icon.addPixmap(resourcePicture(id == 100 ? 100 : id));
  return icon;
}

}  // namespace gui
