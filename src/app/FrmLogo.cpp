#include "app/FrmLogo.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QScreen>

#include "ui/common/Gui.h"

namespace {
QPointer<FrmLogo> &logo() {
  static QPointer<FrmLogo> w;
  return w;
}

// The logo: the program's mark and the maker's name on a white card with a blue band.
QPixmap logoPicture() {
  QPixmap pm(420, 200);
  pm.fill(Qt::white);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(QRect(0, 168, 420, 20), QColor(0, 0, 255));
  p.fillRect(QRect(0, 188, 420, 12), QColor(192, 192, 255));
  p.drawPixmap(QRect(36, 44, 96, 96), gui::resourcePicture(151));
  p.drawPixmap(QRect(150, 56, 240, 64), gui::resourcePicture(150));
  p.setPen(QColor(30, 40, 90));
  p.drawRect(QRectF(0.5, 0.5, 419, 199));
  return pm;
}
}  // namespace

FrmLogo::FrmLogo() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("FrmLogo"));
  setAttribute(Qt::WA_DeleteOnClose);
  // The logo window alone never keeps the program alive.
  setAttribute(Qt::WA_QuitOnClose, false);
  image_ = new QLabel(this);
  image_->setObjectName(QStringLiteral("Image1"));
  image_->setPixmap(logoPicture());
  image_->adjustSize();
  resize(image_->size());
}

void FrmLogo::resizeEvent(QResizeEvent *e) {
  QWidget::resizeEvent(e);
  // The window takes the size of its picture.
  if (size() != image_->size()) resize(image_->size());
}

void FrmLogo::showLogo() {
  if (logo()) return;
  logo() = new FrmLogo;
  if (const QScreen *s = QGuiApplication::primaryScreen())
    logo()->move(s->availableGeometry().center() - logo()->rect().center());
  logo()->show();
}

void FrmLogo::closeLogo() {
  if (logo()) logo()->close();
  logo() = nullptr;
}

FrmLogo *FrmLogo::current() { return logo(); }
