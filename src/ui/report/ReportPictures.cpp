#include "ui/report/ReportPictures.h"

#include <QPainter>
#include <QPainterPath>

#include "ui/common/Gui.h"

namespace report {

namespace {
const QColor kBlue(0, 0, 160);
const QColor kPaper(250, 250, 250);

QPixmap canvas() {
  QPixmap pm(24, 24);
  pm.fill(Qt::transparent);
  return pm;
}

void sheet(QPainter &p, const QRectF &r) {
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(kPaper);
  p.drawRect(r);
  p.setPen(QPen(QColor(120, 120, 160), 1));
  for (double y = r.top() + 3; y < r.bottom() - 1; y += 3) p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}
}  // namespace

QPixmap toolbarPicture(const QString &key) {
  if (key == QStringLiteral("Zurück")) return gui::resourcePicture(204);
  if (key == QLatin1String("Hilfe")) return gui::resourcePicture(201);
  QPixmap pm = canvas();
  QPainter p(&pm);
  if (key == QLatin1String("Nebeneinander")) {
    sheet(p, QRectF(2.5, 3.5, 9, 17));
    sheet(p, QRectF(12.5, 3.5, 9, 17));
  } else if (key == QStringLiteral("Überlappend")) {
    sheet(p, QRectF(2.5, 2.5, 12, 14));
    sheet(p, QRectF(6.5, 5.5, 12, 14));
    sheet(p, QRectF(10.5, 8.5, 12, 14));
  } else if (key == QStringLiteral("Schließen")) {
    sheet(p, QRectF(3.5, 2.5, 14, 18));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(190, 0, 0), 2.5));
    p.drawLine(QPointF(12, 12), QPointF(21, 21));
    p.drawLine(QPointF(21, 12), QPointF(12, 21));
  } else if (key == QLatin1String("Formular")) {
    sheet(p, QRectF(4.5, 2.5, 14, 19));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 140, 0));
    p.drawEllipse(QRectF(13, 13, 10, 10));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(18, 15), QPointF(18, 21));
    p.drawLine(QPointF(15, 18), QPointF(21, 18));
  } else if (key == QLatin1String("Drucken")) {
    p.setRenderHint(QPainter::Antialiasing);
    sheet(p, QRectF(6.5, 1.5, 11, 9));
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(170, 170, 180));
    p.drawRoundedRect(QRectF(2.5, 9.5, 19, 9), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 15.5, 11, 7));
  } else if (key == QLatin1String("Speichern")) {
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(kBlue);
    p.drawRect(QRectF(3.5, 3.5, 17, 17));
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 3.5, 11, 7));
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(7.5, 14.5, 9, 6));
  } else {  // "Einstellungen"
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(80, 80, 80), 3));
    p.setBrush(QColor(200, 200, 200));
    p.drawEllipse(QRectF(6, 6, 12, 12));
  }
  return pm;
}

QPixmap languagePicture(int number) {
  QPixmap pm(24, 24);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  const QRectF flag(1.5, 4.5, 21, 14);
  if (number == 1) {  // German: black, red, gold
    const QColor bands[3] = {Qt::black, QColor(221, 0, 0), QColor(255, 206, 0)};
    for (int i = 0; i < 3; ++i) p.fillRect(QRectF(flag.left(), flag.top() + i * flag.height() / 3, flag.width(), flag.height() / 3 + 0.5), bands[i]);
  } else {  // English: blue field, white and red cross
    p.fillRect(flag, QColor(1, 33, 105));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(flag.topLeft(), flag.bottomRight());
    p.drawLine(flag.bottomLeft(), flag.topRight());
    p.setPen(QPen(QColor(200, 16, 46), 1));
    p.drawLine(flag.topLeft(), flag.bottomRight());
    p.drawLine(flag.bottomLeft(), flag.topRight());
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRectF(flag.center().x() - 2.5, flag.top(), 5, flag.height()), Qt::white);
    p.fillRect(QRectF(flag.left(), flag.center().y() - 2.5, flag.width(), 5), Qt::white);
    p.fillRect(QRectF(flag.center().x() - 1.5, flag.top(), 3, flag.height()), QColor(200, 16, 46));
    p.fillRect(QRectF(flag.left(), flag.center().y() - 1.5, flag.width(), 3), QColor(200, 16, 46));
  }
  p.setPen(QPen(QColor(80, 80, 80), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(flag);
  return pm;
}

}  // namespace report
