#include "ui/report/FrmFormular.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "core/arrangements/models/Arrangement.h"
#include "core/common/Errors.h"
#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "core/common/UnsavedInput.h"
#include "core/document/CalcDocument.h"
#include "ui/common/DocumentWindows.h"
#include "ui/report/CommentFields.h"
#include "output/report/ReportCanvas.h"
#include "output/report/ReportText.h"

using report::ReportCanvas;

namespace {

constexpr double kMargin = 1134.0;          // 20 mm
constexpr double kFrameLeft = 800.0;
constexpr double kFrameBorder = 45.0;
constexpr double kFootFromBottom = 850.5;
constexpr double kKundeWidth = 2900.0;
constexpr double kKundeMinLeft = 5400.0;
constexpr double kBaseSize = 9.0;

QSizeF frame1Size() {
  const QSizeF picture = report::arrangementPictureTwips();
  return {picture.width() + 2 * kFrameBorder, picture.height() + 2 * kFrameBorder};
}

// The drawing of one arrangement; Tag names its arrangement screen.
class ArrangementPicture : public QWidget {
 public:
  ArrangementPicture(const Session &session, const QString &tag, QWidget *parent) : QWidget(parent), session_(session) {
    setProperty("Tag", tag);
    setObjectName(QStringLiteral("ImgAnordnung"));
  }

 protected:
  void paintEvent(QPaintEvent *) override {
    QPainter p(this);
    report::paintArrangement(session_, p, QRectF(rect()), property("Tag").toString());
  }

 private:
  const Session &session_;
};

// The sheet of paper the page is printed on.
class Sheet : public QWidget {
 public:
  explicit Sheet(FrmFormular *page) : page_(page) {
    // White paper, whatever the scroll area around it shows.
    setBackgroundRole(QPalette::Base);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
  }

 protected:
  void paintEvent(QPaintEvent *) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::black);
    // The page is laid out at 100 %; the zoom scales the whole drawing.
    p.scale(page_->zoom(), page_->zoom());
    ReportCanvas c(&p, this, kBaseSize);
    page_->paintLines(c);
  }

 private:
  FrmFormular *page_;
};

}  // namespace

FrmFormular::FrmFormular(Session &session, int tag, const QString &masterScreen, QWidget *parent)
    : QScrollArea(parent), session_(session), tag_(tag), master_(masterScreen), day_(QDate::currentDate()) {
  setObjectName(QStringLiteral("FrmFormular"));
  setBackgroundRole(QPalette::Dark);
  setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  try {
    const report::ReportTables t = report::buildReportTables(session_);
    setWindowTitle(t.title(0, tag_));
    buildControls();
    layoutPage();
    loadComments();
  } catch (const AppError &e) {
    msg::critical(e.description(), builtinText(323));
  }
}

void FrmFormular::buildControls() {
  sheet_ = new Sheet(this);
  setWidget(sheet_);

  Frame1 = new QFrame(sheet_);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  Frame1->setFrameShape(QFrame::NoFrame);
  for (const ArrangementInfo &a : arrangements()) {
    auto *picture = new ArrangementPicture(session_, QString::fromLatin1(a.screenName), Frame1);
    picture->setVisible(false);
    ImgAnordnung << picture;
  }

  FraKunde = new QFrame(sheet_);
  FraKunde->setObjectName(QStringLiteral("FraKunde"));
  auto *fields = new QVBoxLayout(FraKunde);
  fields->setContentsMargins(0, 0, 0, 0);
  fields->setSpacing(1);
  for (int i = 0; i < 6; ++i) {
    auto *field = new QLineEdit(FraKunde);
    field->setObjectName(QStringLiteral("tbKunde%1").arg(i));
    fields->addWidget(field);
    tbKunde << field;
  }
  new report::EnterCycle(tbKunde, this);

  Picture1 = new QLabel(sheet_);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Picture1->setPixmap(gui::resourcePicture(150));
}

FrmFormular::Plan FrmFormular::paintLines(ReportCanvas &c) const {
  const report::ReportTables t = report::buildReportTables(session_);
  Plan plan;
  c.x = kMargin;
  c.y = kMargin;
  c.printAt(25, t.title(0, tag_), 14);
  c.setBaseSize(kBaseSize);
  c.x = kMargin;
  c.printAt(100, report::reportDate(day_, tag_));
  plan.frameTop = c.y;
  c.y += frame1Size().height();
  c.x = kMargin;
  c.printEmpty();
  for (const report::ReportLine &line : report::reportBody(session_, t, tag_)) {
    if (line.role == report::ReportLine::Role::ArrangementLine) plan.arrangementY = c.y;
    c.print(line);
  }
  // The charts below the results, as wide as the text, half as high as the page's text
  // area (all of it for many sizes).
  const double chartsHeight = charts_ ? report::chartsHeight(session_, kPageHeight - 2 * kMargin) : 0.0;
  if (chartsHeight > 0) {
    c.printEmpty();
    c.drawWith(QRectF(kMargin, c.y, kPageWidth - 2 * kMargin, chartsHeight),
               [this](QPainter &p, const QRectF &r) { charts_(p, r, tag_); });
    c.y += chartsHeight;
  }
  // The page is 13000 twips high; a long evaluation makes it longer, so that no row runs
  // under the foot.
  plan.pageHeight = std::max(kPageHeight, c.y + kFootFromBottom + 2 * c.lineHeight(7) + 300);
  c.y = plan.pageHeight - kFootFromBottom;
  c.printAt(15, report::versionLine(session_, t.title(1, tag_), t.title(2, tag_)), 7);
  c.printAt(15, t.title(3, tag_), 7);
  return plan;
}

void FrmFormular::layoutPage() {
  ReportCanvas c(nullptr, sheet_, kBaseSize);
  const Plan plan = paintLines(c);
  const double dpi = c.dpi();
  const double zoom = zoom_;
  auto d = [dpi, zoom](double twips) {
    return static_cast<int>(std::lround(report::twipsToDevice(twips, dpi) * zoom));
  };
  // The comment fields follow the zoom with their font and height.
  QFont small = font();
  small.setPointSizeF(8 * zoom_);
  for (QLineEdit *field : tbKunde) {
    field->setFont(small);
    field->setFixedHeight(std::max(8, static_cast<int>(std::lround(gui::px(255) * zoom_))));
  }

  const QSizeF frame = frame1Size();
  Frame1->setGeometry(d(kFrameLeft), d(plan.frameTop), d(frame.width()), d(frame.height()));
  for (QWidget *picture : ImgAnordnung) {
    picture->setGeometry(d(kFrameBorder), d(kFrameBorder), d(frame.width() - 2 * kFrameBorder),
                         d(frame.height() - 2 * kFrameBorder));
    picture->setVisible(picture->property("Tag").toString() == master_);
  }
  Frame1->setVisible(true);

  // The comment fields stand beside the four label lines, right of their longest value.
  const double labelBand = 4 * c.lineHeight();
  double labelsRight = 0;
  for (const ReportCanvas::Extent &e : c.extents()) {
    if (e.rect.top() >= plan.arrangementY - 1 && e.rect.top() < plan.arrangementY + labelBand - 1)
      labelsRight = std::max(labelsRight, e.rect.right());
  }
  const double kundeLeft = std::max(kKundeMinLeft, labelsRight + 240);
  FraKunde->move(d(kundeLeft), d(plan.arrangementY));
  FraKunde->setFixedWidth(d(kKundeWidth));
  FraKunde->adjustSize();

  // The page is 8700 twips wide; it grows only where a long line would be cut.
  const double width = std::max({kPageWidth, kundeLeft + kKundeWidth + 200, c.rightmost() + 300});
  const QSize logo = gui::resourcePicture(150).size() * zoom_;
  Picture1->setScaledContents(true);
  Picture1->setGeometry(d(width) - logo.width() - d(300), d(300), logo.width(), logo.height());
  sheet_->setFixedSize(d(width), d(plan.pageHeight));
  // The page's own size at 100 %, from the twips (not back from a zoomed, rounded sheet,
  // which would drift by a pixel after each fit).
  baseSize_ = QSize(static_cast<int>(std::lround(report::twipsToDevice(width, dpi))),
                    static_cast<int>(std::lround(report::twipsToDevice(plan.pageHeight, dpi))));
}

void FrmFormular::setCharts(const report::ChartPainter &charts) {
  charts_ = charts;
  layoutPage();
  sheet_->update();
}

void FrmFormular::setZoom(double factor) {
  fit_ = Fit::None;
  zoom_ = std::clamp(factor, 0.25, 4.0);
  layoutPage();
  sheet_->update();
}

void FrmFormular::setFit(Fit fit) {
  fit_ = fit;
  applyFit();
}

void FrmFormular::applyFit() {
  if (fit_ == Fit::None || baseSize_.isEmpty()) return;
  // The room inside the page window, less a scroll bar where the page may still need one.
  const QSize room = maximumViewportSize() - QSize(verticalScrollBar()->sizeHint().width(), 0);
  double z = static_cast<double>(room.width()) / baseSize_.width();
  if (fit_ == Fit::Page) z = std::min(z, static_cast<double>(maximumViewportSize().height()) / baseSize_.height());
  z = std::clamp(z, 0.25, 4.0);
  if (std::abs(z - zoom_) < 0.005) return;
  zoom_ = z;
  layoutPage();
  sheet_->update();
}

void FrmFormular::resizeEvent(QResizeEvent *e) {
  QScrollArea::resizeEvent(e);
  applyFit();
}

void FrmFormular::loadComments() {
  const QStringList &store = session_.gastrComment;
  if (!report::field(store, 0).isEmpty()) {
    for (int i = 0; i < 6; ++i) tbKunde[i]->setText(report::field(store, i));
  } else {
    tbKunde[0]->setText(builtinText(255));
  }
  // The store follows every edit as soon as the text has changed, so it never lags one
  // keystroke behind what the fields show.
  for (QLineEdit *field : tbKunde)
    connect(field, &QLineEdit::textEdited, this, [this] {
      report::storeComments(session_, tbKunde);
      input::noteChange();
      // The comment lines are part of the calculation shown (its document, where the
      // report was opened from an evaluation screen).
      if (CalcDocument *doc = docui::of(this)) {
        calcfile::Case c = doc->input();
        c.comments = session_.gastrComment;
        doc->edit(builtinText(1539), c, QStringLiteral("comments"));
      }
    });
}
