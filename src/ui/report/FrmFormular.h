#pragma once
// One page of the report window: the complete report in German or English, drawn as
// lines at print columns on a sheet 13000 twips high, with the drawing of the arrangement
// (Frame1), the six comment fields (FraKunde) beside the arrangement line and the
// maker's logo (Picture1).
#include <QDate>
#include <QScrollArea>
#include <QVector>

#include "core/common/Session.h"
#include "output/report/ReportPrint.h"

class QFrame;
class QLabel;
class QLineEdit;

namespace report {
class ReportCanvas;
}

class FrmFormular : public QScrollArea {
  Q_OBJECT
 public:
  // tag: the state of "Sprache" when the page is made (0 German, 1 English);
  // masterScreen: the arrangement screen whose drawing the page shows; the page shows
  // the report of the session and keeps its comment fields in it.
  FrmFormular(Session &session, int tag, const QString &masterScreen, QWidget *parent = nullptr);

  int Tag() const { return tag_; }
  QString masterScreen() const { return master_; }
  QWidget *sheet() const { return sheet_; }

  QFrame *Frame1 = nullptr;
  QVector<QWidget *> ImgAnordnung;  // one drawing per arrangement; Tag = its screen name
  QFrame *FraKunde = nullptr;
  QVector<QLineEdit *> tbKunde;
  QLabel *Picture1 = nullptr;

  static constexpr double kPageHeight = 13000.0;  // twips
  static constexpr double kPageWidth = 8700.0;    // twips: the drawing width of the page

  // Where the page content puts its controls, twips.
  struct Plan {
    double frameTop = 0;       // Frame1
    double arrangementY = 0;   // the arrangement line: top of FraKunde
    double pageHeight = 0;     // 13000, or more where the results need it
  };
  // Prints the page content (without the child controls) on the canvas: the sheet paints
  // with it, the layout measures with it.
  Plan paintLines(report::ReportCanvas &c) const;

  // The evaluation's charts after the results, as the printout has them (the report
  // window's choice); an empty painter: the page without them.
  void setCharts(const report::ChartPainter &charts);
  bool showsCharts() const { return static_cast<bool>(charts_); }

  // The zoom of the page on screen: a factor (0.5 .. 2 for 50 .. 200 %), or fitted to the
  // width or the whole page within the visible area (kept fitted as the page window
  // changes size).
  enum class Fit { None, Width, Page };
  void setZoom(double factor);
  void setFit(Fit fit);
  double zoom() const { return zoom_; }
  Fit fit() const { return fit_; }
  // The sheet's size at 100 %.
  QSize sheetBaseSize() const { return baseSize_; }

 protected:
  void resizeEvent(QResizeEvent *e) override;

 private:
  void buildControls();
  void layoutPage();
  void loadComments();
  void applyFit();
  Session &session_;
  int tag_;
  double zoom_ = 1.0;
  Fit fit_ = Fit::None;
  QSize baseSize_;
  QString master_;
  QDate day_;
  report::ChartPainter charts_;
  QWidget *sheet_ = nullptr;
};
