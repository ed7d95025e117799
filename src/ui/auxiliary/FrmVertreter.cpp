#include "ui/auxiliary/FrmVertreter.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTableWidget>

#include "ui/auxiliary/Auxiliary.h"
#include "ui/auxiliary/LabelText.h"
#include "core/catalogue/Catalogue.h"
#include "core/common/Errors.h"
#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"

namespace {
// Design size of the window and its margins, in twips.
constexpr int kDesignWidth = 10800;
constexpr int kDesignHeight = 4500;
constexpr int kMargin = 60;
constexpr int kGapBelowHeading = 120;
constexpr qint32 kLinkBlue = 16711680;
constexpr int kButtonTextColour = 18;
}  // namespace

FrmVertreter::FrmVertreter(Session &session, int code, QWidget *parent)
    : QDialog(parent), session_(session), mintCode_(code) {
  setObjectName(QStringLiteral("FrmVertreter"));
  setModal(true);
  setSizeGripEnabled(true);

  LabUebSchr = gui::headingLabel(this, 1.4);
  LabUebSchr->setTextFormat(Qt::PlainText);
  LabUebSchr->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));

  MSHFlexGrid1 = new QTableWidget(this);
  MSHFlexGrid1->setObjectName(QStringLiteral("MSHFlexGrid1"));
  MSHFlexGrid1->horizontalHeader()->hide();
  MSHFlexGrid1->verticalHeader()->hide();
  MSHFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  MSHFlexGrid1->setSelectionMode(QAbstractItemView::NoSelection);
  MSHFlexGrid1->setFocusPolicy(Qt::NoFocus);
  MSHFlexGrid1->setMouseTracking(true);
  MSHFlexGrid1->viewport()->setMouseTracking(true);
  MSHFlexGrid1->viewport()->installEventFilter(this);
  connect(MSHFlexGrid1, &QTableWidget::cellClicked, this, &FrmVertreter::cellClicked);

  sSetLayout();
  fillGrid();
  // The design size, widened where the fitted columns need more room (within the screen).
  int w = gui::px(kDesignWidth);
  int h = gui::px(kDesignHeight);
  if (MSHFlexGrid1->columnCount() > 0) {
    int needed = 2 * gui::px(kMargin) + 2 * MSHFlexGrid1->frameWidth() + 2;
    for (int c = 0; c < MSHFlexGrid1->columnCount(); ++c) needed += MSHFlexGrid1->columnWidth(c);
    int limit = needed;
    if (const QScreen *scr = screen()) limit = scr->availableGeometry().width() * 9 / 10;
    w = std::max(w, std::min(needed, limit));
  }
  resize(w, h);
  // The window may grow but never shrink below the size it was loaded with.
  loadedSize_ = size();
  setMinimumSize(loadedSize_);
  placeControls();
}

void FrmVertreter::sSetLayout() {
  try {
    setWindowTitle(windowCaption(session_, 100));
    setWindowIcon(gui::windowIcon(session_));
    Image1->setPixmap(gui::headingPicture(session_));
    Image1->adjustSize();
    const QString heading =
        mintCode_ == catalogue::code::Representatives ? gfstrPutReturn(gfstrSetText(session_, 250))
                       : builtinText(101) + QChar(13) + builtinText(249);
    LabUebSchr->setText(aux::shownText(heading));
  } catch (const AppError &e) {
    msg::critical(e.description(), QStringLiteral("sSetLayout!"));
  }
}

void FrmVertreter::changeEvent(QEvent *event) {
  // The title and heading; the list is the catalogue's.
  if (event->type() == QEvent::LanguageChange) {
    sSetLayout();
    placeControls();
  }
  QDialog::changeEvent(event);
}

void FrmVertreter::fillGrid() {
  const ResultSet &rs = session_.grsInfo;
  if (rs.recordCount() == 0 || rs.fieldCount() == 0) {
    // Nothing to list; the window opens all the same with an empty grid.
    msg::critical(builtinText(309), builtinText(310));
    return;
  }
  QTableWidget *g = MSHFlexGrid1;
  g->setUpdatesEnabled(false);
  g->setColumnCount(rs.fieldCount());
  g->setRowCount(rs.recordCount() + 1);
  const QColor fixedBack = gui::systemColor(15);
  QFont fixedFont = g->font();
  fixedFont.setBold(true);
  for (int j = 0; j < rs.fieldCount(); ++j) {
    auto *head = new QTableWidgetItem(rs.columns.at(j));
    head->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    head->setBackground(fixedBack);
    head->setFont(fixedFont);
    g->setItem(0, j, head);
  }
  for (int p = 1; p <= rs.recordCount(); ++p) {
    const QStringList &record = rs.rows.at(p - 1);
    for (int j = 0; j < rs.fieldCount(); ++j) {
      auto *it = new QTableWidgetItem(j < record.size() ? record.at(j) : QString());
      it->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      g->setItem(p, j, it);
    }
  }
  g->setUpdatesEnabled(true);
  gui::gsubSetColWidth(this, g, false);
  // The fitted width leaves no room for the cell's own margins; never cut a text.
  for (int c = 0; c < g->columnCount(); ++c) g->setColumnWidth(c, std::max(g->columnWidth(c), static_cast<QAbstractItemView *>(g)->sizeHintForColumn(c)));
  g->resizeRowsToContents();
}

void FrmVertreter::placeControls() {
  const int margin = gui::px(kMargin);
  const int w = width();
  const QSize img = Image1->pixmap().isNull() ? QSize(0, 0) : Image1->pixmap().size();
  Image1->setGeometry(w - margin - img.width(), margin, img.width(), img.height());
  const int headingWidth = std::max(0, w - 3 * margin - img.width());
  const int headingHeight = std::max(img.height(), LabUebSchr->heightForWidth(headingWidth));
  LabUebSchr->setGeometry(margin, margin, headingWidth, headingHeight);
  const int gridTop = margin + headingHeight + gui::px(kGapBelowHeading);
  MSHFlexGrid1->setGeometry(margin, gridTop, std::max(0, w - 2 * margin),
                            std::max(0, height() - gridTop - margin));
}

void FrmVertreter::resizeEvent(QResizeEvent *e) {
  QDialog::resizeEvent(e);
  placeControls();
}

bool FrmVertreter::linksActive() const {
  return mintCode_ == catalogue::code::Representatives && MSHFlexGrid1->columnCount() > kMailColumn;
}

bool FrmVertreter::eventFilter(QObject *watched, QEvent *e) {
  if (watched == MSHFlexGrid1->viewport()) {
    if (e->type() == QEvent::MouseMove) {
      const auto *me = static_cast<QMouseEvent *>(e);
      const QModelIndex idx = MSHFlexGrid1->indexAt(me->position().toPoint());
      hoverCell(idx.isValid() ? idx.row() : -1, idx.isValid() ? idx.column() : -1);
    } else if (e->type() == QEvent::Leave) {
      hoverCell(-1, -1);
    }
  }
  return QDialog::eventFilter(watched, e);
}

void FrmVertreter::unmarkLink() {
  if (mintLinkRow_ <= 0) return;
  if (QTableWidgetItem *it = MSHFlexGrid1->item(mintLinkRow_, kMailColumn)) {
    QFont f = it->font();
    f.setUnderline(false);
    it->setFont(f);
    it->setForeground(gui::systemColor(kButtonTextColour));
  }
  mintLinkRow_ = 0;
}

void FrmVertreter::hoverCell(int row, int column) {
  if (linksActive() && row >= 1 && column == kMailColumn) {
    MSHFlexGrid1->viewport()->setCursor(Qt::PointingHandCursor);
    if (row == mintLinkRow_) return;
    unmarkLink();
    if (QTableWidgetItem *it = MSHFlexGrid1->item(row, column)) {
      QFont f = it->font();
      f.setUnderline(true);
      it->setFont(f);
      it->setForeground(gui::vbColor(kLinkBlue));
    }
    mintLinkRow_ = row;
  } else {
    MSHFlexGrid1->viewport()->unsetCursor();
    unmarkLink();
  }
}

void FrmVertreter::cellClicked(int row, int column) {
  if (!linksActive() || row < 1 || column != kMailColumn) return;
  const QTableWidgetItem *it = MSHFlexGrid1->item(row, column);
  if (!it || it->text().trimmed().isEmpty()) return;
  glngOpenLink(QStringLiteral("mailto:") + it->text().trimmed());
}

void showVertreterList(Session &session, QWidget *parent, int code) {
  msubSearchDB(session, code, false, 0);
  FrmVertreter w(session, code, parent);
  w.exec();
}
