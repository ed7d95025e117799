#include "ui/arrangements/Shape.h"

#include <QPainter>

Shape::Shape(Kind kind, QWidget *parent) : QWidget(parent), kind_(kind) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  border_ = kind == Kind::Ellipse;
}

void Shape::setFillColor(const QColor &c) {
  fill_ = c;
  update();
}

void Shape::setBorder(bool on) {
  border_ = on;
  update();
}

void Shape::paintEvent(QPaintEvent *) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(border_ ? QPen(QColor(30, 40, 90), 1) : Qt::NoPen);
  p.setBrush(fill_);
  const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  if (kind_ == Kind::Ellipse) p.drawEllipse(r);
  else p.drawRect(r);
}
