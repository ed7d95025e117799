#pragma once
// Print-style output on any QPainter: a current position in twips, lines of items at
// print columns, pictures at twips rectangles. The page on screen, the printer and the
// PDF file all draw through it, so a report looks the same wherever it goes.
#include <QFont>
#include <QPixmap>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVector>
#include <functional>

#include "output/report/ReportText.h"

class QPainter;
class QPaintDevice;

namespace report {

// 1440 twips per inch at the device's resolution in dots per inch.
double twipsToDevice(double twips, double dpi);

// The report font "Arial" at a point size. Where Arial itself is not installed, the font
// substitution resolves it to its metric twin (Liberation Sans), so line breaks and
// column positions are those the report was designed with.
QFont reportFont(double pointSize, bool underline = false);

// The width of one print column in twips: the average character width of the font, taken
// as the classic weighted mean over the lower-case letters and the blank (for Arial 10 pt
// this is 0.44 em, about 88 twips). Qt's own averageCharWidth() reads a later font table
// field that counts every glyph and comes out a third wider, which would push Tab(100)
// off an A4 page.
double columnWidthTwips(const QFont &font, QPaintDevice *device);

// The design size of the arrangement drawing on a page (Frame1), in twips; printouts
// show it 1.2 times as large.
QSizeF arrangementPictureTwips();
// Paints the drawing of the arrangement whose screen is named (e.g. "FrmVKaZDSch"),
// with the distances written on it; nothing for an unknown name.
void paintArrangement(const Session &session, QPainter &p, const QRectF &deviceRect, const QString &screenName);

class ReportCanvas {
 public:
  // painter may be null: the canvas then only measures (layout pass). device gives the
  // resolution and the font metrics.
  ReportCanvas(QPainter *painter, QPaintDevice *device, double baseSize);

  double x = 0;      // twips from the left edge of the printing surface
  double y = 0;      // twips from its top: the top of the next line
  int page = 1;

  double baseSize() const { return base_; }
  void setBaseSize(double pt) { base_ = pt; }
  double dpi() const { return dpi_; }
  bool painting() const { return painter_ != nullptr; }
  QPainter *painter() const { return painter_; }

  // Height of a line of the given size (0: base size), twips.
  double lineHeight(double size = 0) const;
  // x of print column n: (n - 1) column widths from the left edge; column 0 means the
  // current x.
  double tabX(int n, double size = 0) const;

  // Prints the line at y and moves y to the next line. An item whose column lies under
  // the end of the item before it moves right by one blank, so texts never run into one
  // another.
  void print(const ReportLine &line);
  void printEmpty(double size = 0);
  void printAt(int tab, const QString &text, double size = 0, bool underline = false);

  // Pictures, at rectangles in twips.
  void drawPixmap(const QRectF &twips, const QPixmap &pixmap);
  void drawArrangement(const Session &session, const QRectF &twips, const QString &screenName);
  // Any drawing, painted by `paint` into the rectangle (device units) of twips; nothing
  // while only measuring.
  void drawWith(const QRectF &twips, const std::function<void(QPainter &, const QRectF &)> &paint);

  // Called by newPage(): the printer starts a new sheet (painting pass only).
  std::function<void()> onNewPage;
  void newPage();

  // Where text went: one rectangle (twips) per printed item, with its page.
  struct Extent {
    int page;
    QRectF rect;
  };
  const QVector<Extent> &extents() const { return extents_; }
  // The widest right edge of the text printed so far, twips.
  double rightmost() const;

 private:
  QFont font(double size, bool underline) const;
  QPainter *painter_;
  QPaintDevice *device_;
  double base_;
  double dpi_;
  QVector<Extent> extents_;
};

// Moves a picture to the right of any text it would cover on its page (leaving a gap),
// scaled down where it would then pass rightLimit; returns the rectangle to paint.
QRectF clearOfText(const QRectF &picture, int page, const QVector<ReportCanvas::Extent> &text,
                   double rightLimit);

}  // namespace report
