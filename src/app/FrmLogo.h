#pragma once
// The logo window shown while the program starts; the start screen closes it at the
// end of its loading.
#include <QWidget>

class QLabel;

class FrmLogo : public QWidget {
  Q_OBJECT
 public:
  FrmLogo();
  QLabel *Image1() const { return image_; }
  // The one logo window of the program start.
  static void showLogo();
  static void closeLogo();
  static FrmLogo *current();

 protected:
  void resizeEvent(QResizeEvent *e) override;

 private:
  QLabel *image_;
};
