#include "app/FrmStart.h"

#include "ui/common/InterfaceLanguage.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QToolBar>

#include "app/FrmBusy.h"
#include "app/FrmLogo.h"
#include "output/arrangements/Drawings.h"
#include "ui/arrangements/FrmArrangement.h"
#include "ui/arrangements/Shape.h"
#include "ui/auxiliary/Auxiliary.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/StartSession.h"
#include "core/common/Errors.h"
#include "ui/common/FileMenu.h"
#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"
#include "ui/special/FrmSonder.h"

namespace {

constexpr qint32 kWhite = 16777215;
constexpr qint32 kYellow = 65535;

// The picture tags in the order of the control array PicButton.
const char *const kTags[FrmStart::kPictures] = {"PicEKaEDS", "PicERoEES", "PicZKaZDS",
                                                "PicZRoEES", "PicZKaEDS", "PicVKaZDS"};
// Where each picture sits in the 3 x 2 selection: cassettes on one rail first, roller
// shoes last.
const QPoint kCell[FrmStart::kPictures] = {{0, 0}, {1, 1}, {2, 0}, {2, 1}, {1, 0}, {0, 1}};

// Design of the screen in pixels.
constexpr int kWidth = 900;
constexpr int kBandHeight = 64;
constexpr int kPicW = 194, kPicH = 150, kPicGap = 10;

// One arrangement picture: the drawing on a white (or, under the mouse, yellow) ground.
class PictureButton : public QFrame {
 public:
  PictureButton(ArrangementId id, QWidget *parent) : QFrame(parent), id_(id) {
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    // Reachable with Tab and the arrow keys; Enter or Space chooses the arrangement.
    setFocusPolicy(Qt::StrongFocus);
    setBackground(gui::vbColor(kWhite));
    setBorder(false);
  }
  void setBackground(const QColor &c) {
    back_ = c;
    update();
  }
  QColor background() const { return back_; }
  void setBorder(bool single) {
    border_ = single;
    setFrameShape(single ? QFrame::Box : QFrame::NoFrame);
    setLineWidth(1);
  }
  bool border() const { return border_; }
  bool keyFocus() const { return keyFocus_; }

 protected:
  void paintEvent(QPaintEvent *e) override {
    {
      QPainter p(this);
      p.fillRect(rect(), back_);
      drawing::Options o;
      o.compact = true;
      drawing::paint(p, QRectF(rect()).adjusted(4, 4, -4, -4), id_, o);
      if (keyFocus_) {
        // The keyboard focus: a dark frame inside the picture's edge.
        p.setPen(QPen(QColor(0, 0, 128), 2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(3, 3, -3, -3));
      }
    }
    QFrame::paintEvent(e);
  }
  // The frame shows where the keyboard is; the focus the window hands its first
  // picture on opening, or a mouse click, draws none.
  void focusInEvent(QFocusEvent *e) override {
    keyFocus_ = gui::isKeyboardFocus(e->reason());
    QFrame::focusInEvent(e);
    update();
  }
  void focusOutEvent(QFocusEvent *e) override {
    keyFocus_ = false;
    QFrame::focusOutEvent(e);
    update();
  }

 private:
  ArrangementId id_;
  QColor back_;
  bool border_ = false;
  bool keyFocus_ = false;
};

PictureButton *asPicture(QWidget *w) { return static_cast<PictureButton *>(w); }

// Labels may carry carriage returns (the customer text set's line breaks).
QString shown(const QString &text) {
  QString t = text;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QChar(13), QChar(10));
  return t;
}

}  // namespace

FrmStart::FrmStart(Session &session) : session_(session) {
  setObjectName(QStringLiteral("FrmStart"));
  setAttribute(Qt::WA_DeleteOnClose);
  buildControls();
}

FrmStart::~FrmStart() = default;

FrmStart *FrmStart::open(Session &session) {
  auto *w = new FrmStart(session);
  if (!w->load()) {
    delete w;
    return nullptr;
  }
  w->show();
  return w;
}

bool FrmStart::pictureFocusFrame(int i) const { return asPicture(PicButton(i))->keyFocus(); }

QString FrmStart::pictureTag(int i) const { return PicButton(i)->property("Tag").toString(); }
QColor FrmStart::pictureBackground(int i) const { return asPicture(PicButton(i))->background(); }
bool FrmStart::pictureBorder(int i) const { return asPicture(PicButton(i))->border(); }

void FrmStart::buildControls() {
  toolbar_ = addToolBar(QStringLiteral("Toolbar1"));
  toolbar_->setObjectName(QStringLiteral("Toolbar1"));
  toolbar_->setMovable(false);
  toolbar_->setFloatable(false);
  toolbar_->setIconSize(QSize(24, 24));
  toolbar_->toggleViewAction()->setEnabled(false);
  for (const char *key : {"Inhalt", "Info", "Sonder", "Exit"}) {
    const QString k = QString::fromLatin1(key);
    QAction *a = toolbar_->addAction(QString());
    a->setObjectName(k);
    a->setData(k);
    connect(a, &QAction::triggered, this, [this, k] { Toolbar1_ButtonClick(k); });
  }

  // The calculation files: a menu of its own on this screen, where the program has them.
  if (filemenu::available()) {
    QMenu *datei = menuBar()->addMenu(QString());
    gui::showText(datei, 500);
    datei->setObjectName(QStringLiteral("MenüDatei"));
    filemenu::addItems(datei, this, session_, false);
  }
  // The language of the screens.
  QMenu *hilfe = menuBar()->addMenu(QStringLiteral("&?"));
  hilfe->setObjectName(QStringLiteral("MenüHilfe"));
  uilang::addMenu(hilfe, &session_);

  auto *central = new QWidget(this);
  setCentralWidget(central);

  // Heading band: picture, heading, the maker's logo; colour bars below.
  picIcon_ = new QLabel(central);
  picIcon_->setObjectName(QStringLiteral("picIcon"));
  labUebSchr_ = gui::headingLabel(central, 1.45);
  image1_ = new QLabel(central);
  image1_->setObjectName(QStringLiteral("Image1"));
  auto bar = [&](QVector<Shape *> &list, const QString &name, int y, int h) {
    auto *s = new Shape(Shape::Kind::Rectangle, central);
    s->setObjectName(QStringLiteral("%1_%2").arg(name).arg(list.size()));
    s->setGeometry(0, y, kWidth, h);
    list.append(s);
  };

  const int frame2Top = kBandHeight + 10;
  frame2_ = new QFrame(central);
  frame2_->setObjectName(QStringLiteral("Frame2"));
  frame2_->setFrameShape(QFrame::NoFrame);
  frame2_->setMouseTracking(true);
  frame2_->installEventFilter(this);

  // Frame1: the six pictures.
  frame1_ = new QGroupBox(frame2_);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  frame1_->setMouseTracking(true);
  frame1_->installEventFilter(this);
  QFont ff = frame1_->font();
  ff.setBold(true);
  frame1_->setFont(ff);
  const int titleH = 22;
  const int f1w = 3 * kPicW + 4 * kPicGap, f1h = titleH + 2 * kPicH + 2 * kPicGap + 4;
  frame1_->setGeometry(10, 4, f1w, f1h);
  for (int i = 0; i < kPictures; ++i) {
    const ArrangementInfo *info = arrangementByPictureTag(QString::fromLatin1(kTags[i]));
    auto *pic = new PictureButton(info ? info->id : ArrangementId::EKaEDSch, frame1_);
    pic->setObjectName(QStringLiteral("PicButton_%1").arg(i));
    pic->setProperty("Tag", QString::fromLatin1(kTags[i]));
    pic->setFont(font());
    pic->setGeometry(kPicGap + kCell[i].x() * (kPicW + kPicGap), titleH + kCell[i].y() * (kPicH + kPicGap),
                     kPicW, kPicH);
    pic->installEventFilter(this);
    pictures_[static_cast<size_t>(i)] = pic;
  }

  // Tab walks the pictures as they stand, row by row.
  QWidget *previous = nullptr;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      for (int i = 0; i < kPictures; ++i)
        if (kCell[i] == QPoint(x, y)) {
          if (previous) setTabOrder(previous, pictures_[static_cast<size_t>(i)]);
          previous = pictures_[static_cast<size_t>(i)];
        }

  // Information area beside the pictures: the text above, the picture below.
  const int infoLeft = 10 + f1w + 16, infoW = kWidth - infoLeft - 14;
  labInfo_ = new QLabel(frame2_);
  labInfo_->setObjectName(QStringLiteral("LabInfo"));
  labInfo_->setWordWrap(true);
  labInfo_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  labInfo_->setMouseTracking(true);
  imgInfoBild_ = new QLabel(frame2_);
  imgInfoBild_->setObjectName(QStringLiteral("imgInfoBild"));
  imgInfoBild_->setAlignment(Qt::AlignCenter);
  imgInfoBild_->setGeometry(infoLeft, 4 + f1h - 100, infoW, 100);
  labInfo_->setGeometry(infoLeft, 14, infoW, imgInfoBild_->y() - 14);

  // The links on a band below.
  const int linkTop = 4 + f1h + 12;
  label1_ = new QLabel(frame2_);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setGeometry(10, linkTop, kWidth - 24, 26);
  label1_->setMouseTracking(true);
  label1_->installEventFilter(this);
  auto link = [&](const char *name) {
    auto *l = new QLabel(frame2_);
    l->setObjectName(QString::fromLatin1(name));
    l->setCursor(Qt::PointingHandCursor);
    l->setMouseTracking(true);
    l->installEventFilter(this);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
    l->setPalette(pal);
    return l;
  };
  labMail_ = link("LabMail");
  labWeb_ = link("LabWeb");
  labMail_->setGeometry(24, linkTop + 4, 300, 18);
  labWeb_->setGeometry(kWidth - 24 - 300, linkTop + 4, 300, 18);
  labWeb_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  frame2_->setGeometry(0, frame2Top, kWidth, linkTop + 26 + 6);
  const int bottom = frame2Top + frame2_->height();
  bar(shape1_, QStringLiteral("Shape1"), kBandHeight, 5);
  bar(shape2_, QStringLiteral("Shape2"), kBandHeight + 5, 3);
  bar(shape2_, QStringLiteral("Shape2"), bottom, 3);
  bar(shape1_, QStringLiteral("Shape1"), bottom + 3, 8);
  central->setFixedSize(kWidth, bottom + 11);
}

QAction *FrmStart::toolbarButton(const QString &key) const {
  for (QAction *a : toolbar_->actions())
    if (a->data().toString() == key) return a;
  return nullptr;
}

bool FrmStart::load() {
  bool safetyInForce = false;
  try {
    safetyInForce = startTheSession();
  } catch (const msg::ProgramEnded &) {
    return false;
  }
  // A required safety that is no number has been reported; the layout breaks off then.
  if (safetyInForce) sSetLayout();
  // The window keeps the size it has now; it can be minimised but not resized.
  adjustSize();
  loadedSize_ = size();
  gui::placeWindow(this, loadedSize_);
  setFixedSize(loadedSize_);
  FrmLogo::closeLogo();
  return true;
}

// The start of the session: settings, text mode, version suffix and the required safety
// of load type "ruhend", the busy window showing while the settings are read. Whether
// the required safety is in force: one that is no number was reported and leaves the
// load type as it was.
bool FrmStart::startTheSession() {
  const int loadType = session_.gintLoadType;
  try {
    StartOptions options;
    options.showBusy = true;
    startSession(session_, options);
  } catch (const AppError &e) {
    msg::critical(e.description());
    msg::endProgram(1);
  }
  int tenths = 0;
  const bool inForce = num::toInt16(gfstrSettings(session_, QStringLiteral("StdSiko"), false), &tenths);
  if (!inForce) session_.gintLoadType = loadType;
  return inForce;
}

void FrmStart::sSetLayout() {
  try {
    setWindowTitle(windowCaption(session_, 100));
    setInfoText(gfstrPutReturn(gfstrSetText(session_, 240)));
    frame1_->setTitle(builtinText(241));
    labMail_->setText(gfstrSetText(session_, 598));
    labWeb_->setText(gfstrSetText(session_, 599));
    image1_->setPixmap(gui::resourcePicture(150));
    image1_->adjustSize();
    image1_->move(kWidth - image1_->width() - 14, (kBandHeight - image1_->height()) / 2);

    const QPixmap head = gui::headingPicture(session_);
    picIcon_->setPixmap(head);
    setWindowIcon(gui::windowIcon(session_));
    picIcon_->setGeometry(14, (kBandHeight - head.height()) / 2, head.width(), head.height());
    labUebSchr_->setText(builtinText(200));
    labUebSchr_->adjustSize();
    labUebSchr_->move(picIcon_->x() + head.width() + gui::px(283.5), (kBandHeight - labUebSchr_->height()) / 2);

    const struct {
      const char *key;
      int picture, tooltip;
    } buttons[] = {{"Inhalt", 200, 403}, {"Info", 201, 415}, {"Sonder", 202, 426}, {"Exit", 203, 406}};
    for (const auto &b : buttons) {
      QAction *a = toolbarButton(QString::fromLatin1(b.key));
      a->setIcon(QIcon(gui::resourcePicture(b.picture)));
      a->setToolTip(builtinText(b.tooltip));
      // The buttons show pictures; their text (what a screen reader says) is their hint.
      a->setText(builtinText(b.tooltip));
      a->setVisible(true);
    }
    // F1 opens the manual on every screen.
    toolbarButton(QStringLiteral("Inhalt"))->setShortcut(QKeySequence::HelpContents);

    for (Shape *sh : shape1_) sh->setFillColor(gui::vbColor(gflngSetColor(session_, 700)));
    for (Shape *sh : shape2_) sh->setFillColor(gui::vbColor(gflngSetColor(session_, 701)));
  } catch (const AppError &e) {
    msg::critical(e.description(), QStringLiteral("sSetLayout!"));
  }
}

void FrmStart::setInfoText(const QString &text) { labInfo_->setText(shown(text)); }

void FrmStart::clearPictureHighlight() {
  for (QWidget *w : pictures_) {
    asPicture(w)->setBackground(gui::vbColor(kWhite));
    asPicture(w)->setBorder(false);
  }
}

void FrmStart::setLinkUnderline(QLabel *link, bool on) {
  QFont f = link->font();
  f.setUnderline(on);
  link->setFont(f);
}

void FrmStart::PicButton_MouseMove(int index) {
  clearPictureHighlight();
  asPicture(PicButton(index))->setBackground(gui::vbColor(kYellow));
  imgInfoBild_->clear();
  // The text may run down over the empty picture area ...
  labInfo_->resize(labInfo_->width(), imgInfoBild_->y() + imgInfoBild_->height() - labInfo_->y());
  const ArrangementInfo *info = arrangementByPictureTag(pictureTag(index));
  if (info) setInfoText(builtinText(info->hoverTextId));
  // ... except where the picture of the linear module is shown below it.
  if (pictureTag(index) == QLatin1String("PicEKaEDS")) {
    labInfo_->resize(labInfo_->width(), imgInfoBild_->y() - labInfo_->y());
    imgInfoBild_->setPixmap(gui::resourcePicture(152));
  }
}

void FrmStart::PicButton_Click(int index) {
  asPicture(PicButton(index))->setBorder(true);
  const ArrangementInfo *info = arrangementByPictureTag(pictureTag(index));
  if (!info) return;
  sSetTblAnzBez(session_, true, info->groupTL, true);
  auto *screen = new FrmArrangement(session_, info->id);
  screen->show();
  close();
}

void FrmStart::Frame1_MouseMove() {
  imgInfoBild_->clear();
  setInfoText(gfstrPutReturn(gfstrSetText(session_, 240)));
}

void FrmStart::Frame2_MouseMove() {
  clearPictureHighlight();
  imgInfoBild_->clear();
  setInfoText(gfstrPutReturn(gfstrSetText(session_, 240)));
  setLinkUnderline(labMail_, false);
  setLinkUnderline(labWeb_, false);
}

void FrmStart::Label1_MouseMove() {
  setLinkUnderline(labMail_, false);
  setLinkUnderline(labWeb_, false);
}

void FrmStart::LabMail_MouseMove() { setLinkUnderline(labMail_, true); }
void FrmStart::LabWeb_MouseMove() { setLinkUnderline(labWeb_, true); }

void FrmStart::LabMail_Click() {
  glngOpenLink(QStringLiteral("mailto:") + gfstrSetText(session_, 598));
}

void FrmStart::LabWeb_Click() {
  glngOpenLink(QStringLiteral("http://") + gfstrSetText(session_, 599));
}

void FrmStart::Toolbar1_ButtonClick(const QString &key) {
  if (key == QLatin1String("Inhalt")) gsubHelp();
  else if (key == QLatin1String("Info")) showAbout(session_, this);
  // The busy window first, then the editor, both modal.
  else if (key == QLatin1String("Sonder")) openSonderEditor(session_, this, [this] { FrmBusy::run(session_, this); });
  else if (key == QLatin1String("Exit")) close();
}

// The picture at the neighbouring place of the 3 x 2 selection in the direction of an
// arrow key (wrapping round at the edges); -1 for other keys.
int FrmStart::pictureNextTo(int index, int key) const {
  QPoint cell = kCell[index];
  switch (key) {
    case Qt::Key_Left: cell.rx() = (cell.x() + 2) % 3; break;
    case Qt::Key_Right: cell.rx() = (cell.x() + 1) % 3; break;
    case Qt::Key_Up:
    case Qt::Key_Down: cell.ry() = 1 - cell.y(); break;
    default: return -1;
  }
  for (int i = 0; i < kPictures; ++i)
    if (kCell[i] == cell) return i;
  return -1;
}

// The window opens with no picture chosen: the first Tab goes to the first picture (top
// left), Shift+Tab to the last, instead of the window manager's activation silently
// focusing the first one and the first Tab moving on to the second.
void FrmStart::showEvent(QShowEvent *event) {
  QMainWindow::showEvent(event);
  setFocusPolicy(Qt::ClickFocus);
  setFocus(Qt::OtherFocusReason);
}

bool FrmStart::focusNextPrevChild(bool next) {
  QWidget *f = focusWidget();
  if (!f || f == this) {
    const QPoint cell = next ? QPoint(0, 0) : QPoint(2, 1);
    for (int i = 0; i < kPictures; ++i)
      if (kCell[i] == cell) {
        PicButton(i)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
      }
  }
  return QMainWindow::focusNextPrevChild(next);
}

bool FrmStart::pictureKey(int index, const QKeyEvent *k) {
  if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_Space) {
    PicButton_Click(index);
    return true;
  }
  const int next = pictureNextTo(index, k->key());
  if (next < 0) return false;
  PicButton(next)->setFocus(Qt::OtherFocusReason);
  return true;
}

bool FrmStart::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::FocusIn) {
    for (int i = 0; i < kPictures; ++i) {
      if (watched != pictures_[static_cast<size_t>(i)]) continue;
      // The picture reached by the keyboard shows what it stands for, as under the mouse.
      if (event->type() == QEvent::FocusIn) {
        if (gui::isKeyboardFocus(static_cast<QFocusEvent *>(event)->reason())) PicButton_MouseMove(i);
      }
      else if (pictureKey(i, static_cast<QKeyEvent *>(event))) return true;
      break;
    }
    return QMainWindow::eventFilter(watched, event);
  }
  const bool move = event->type() == QEvent::MouseMove;
  const bool press = event->type() == QEvent::MouseButtonPress &&
                     static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
  if (!move && !press) return QMainWindow::eventFilter(watched, event);
  for (int i = 0; i < kPictures; ++i) {
    if (watched != pictures_[static_cast<size_t>(i)]) continue;
    move ? PicButton_MouseMove(i) : PicButton_Click(i);
    return true;
  }
  if (watched == labMail_) {
    move ? LabMail_MouseMove() : LabMail_Click();
    return true;
  }
  if (watched == labWeb_) {
    move ? LabWeb_MouseMove() : LabWeb_Click();
    return true;
  }
  if (move) {
    if (watched == frame1_) Frame1_MouseMove();
    else if (watched == frame2_) Frame2_MouseMove();
    else if (watched == label1_) Label1_MouseMove();
    else return QMainWindow::eventFilter(watched, event);
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void FrmStart::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange) {
    gui::retext(this);
    sSetLayout();
  }
  QMainWindow::changeEvent(event);
}
