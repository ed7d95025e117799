#pragma once
// A shape of the screen designs: a filled rectangle, rounded rectangle or ellipse with
// a fill colour, such as the coloured bars of the heading band and the load marks on
// the arrangement pictures.
#include <QColor>
#include <QWidget>

class Shape : public QWidget {
  Q_OBJECT
 public:
  enum class Kind { Rectangle, Ellipse };
  explicit Shape(Kind kind, QWidget *parent = nullptr);
  void setFillColor(const QColor &c);
  QColor fillColor() const { return fill_; }
  void setBorder(bool on);

 protected:
  void paintEvent(QPaintEvent *) override;

 private:
  Kind kind_;
  QColor fill_ = Qt::white;
  bool border_ = false;
};
