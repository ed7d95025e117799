#include "ui/arrangements/FrmArrangement.h"

#include "ui/common/InterfaceLanguage.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QBoxLayout>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>
#include <cmath>

#include "core/arrangements/Calculate.h"
#include "core/document/CalcDocument.h"
#include "core/special/SonderCore.h"
#include "ui/common/DocumentWindows.h"
#include "core/arrangements/LoadCases.h"
#include "core/run/CalculationRun.h"
#include "output/arrangements/Drawings.h"
#include "ui/arrangements/Shape.h"
#include "ui/auxiliary/Auxiliary.h"
#include "core/common/Errors.h"
#include "ui/common/FileMenu.h"
#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "core/common/Numbers.h"
#include "ui/common/NumericInput.h"
#include "core/common/Texts.h"
#include "core/common/UnsavedInput.h"
#include "ui/loads/DialogEingabe.h"
#include "ui/loads/DirectionLabels.h"
#include "ui/loads/ForceGrid.h"
#include "ui/loads/KeyFilter.h"
#include "ui/loads/LoadCaseTabs.h"
#include "ui/loads/MotionDialog.h"
#include "ui/evaluation/FrmAuswertung.h"
#include "ui/common/AppServices.h"

namespace {

const std::function<void(Session &)> &startScreenOpener() { return app::services().startScreen; }

// Design of the screen in pixels (the window keeps this size).
constexpr int kWidth = 860;
constexpr int kBandHeight = 60;
constexpr int kPictureHeight = 340, kGridHeight = 150;
constexpr int kTabsHeight = 28;  // the load case tabs above the grid
constexpr int kSeriesPerColumn = 10;
constexpr int kSeriesColumnBreaks = 4;  // entries 10, 20, 30 and 40 start a new column

// Frame1: the picture of the arrangement, with the direction labels, the load marks,
// their values and the distance fields on top.
class PictureFrame : public QFrame {
 public:
  PictureFrame(ArrangementId id, std::function<void()> onMove, std::function<void()> onResize, QWidget *parent)
      : QFrame(parent), id_(id), onMove_(std::move(onMove)), onResize_(std::move(onResize)) {
    setObjectName(QStringLiteral("Frame1"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
  }
  QRectF pictureRect() const { return QRectF(rect()).adjusted(6, 6, -6, -6); }

 protected:
  void paintEvent(QPaintEvent *e) override {
    QFrame::paintEvent(e);
    QPainter p(this);
    drawing::paint(p, pictureRect(), id_);
  }
  void mouseMoveEvent(QMouseEvent *e) override {
    if (onMove_) onMove_();
    QFrame::mouseMoveEvent(e);
  }
  void resizeEvent(QResizeEvent *e) override {
    QFrame::resizeEvent(e);
    if (onResize_) onResize_();
  }

 private:
  ArrangementId id_;
  std::function<void()> onMove_;
  std::function<void()> onResize_;
};

QPixmap checkMark(bool on) {
  QPixmap pm(14, 14);
  pm.fill(Qt::transparent);
  if (on) {
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.drawPolyline(QPolygonF{QPointF(2.5, 7.5), QPointF(5.5, 10.5), QPointF(11.5, 3.5)});
  }
  return pm;
}

}  // namespace

FrmArrangement::FrmArrangement(Session &session, ArrangementId id, QWidget *parent)
    : QMainWindow(parent), session_(session), info_(&arrangement(id)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(QString::fromLatin1(info_->screenName));
  // A new calculation: this arrangement, and what the session holds from the start screen
  // (the special roller shoe in force, the comment lines, the load type); nothing ticked.
  calcfile::Case input;
  input.arrangement = QString::fromLatin1(info_->screenName);
  input.loadType = session_.gintLoadType;
  input.tickAll = false;
  input.comments = session_.gastrComment;
  if (session_.gintAnzSonder == 1 && session_.gastrSonderEingabe.size() >= sonder::kFieldCount + 2) {
    calcfile::SpecialShoe shoe;
    shoe.fields = session_.gastrSonderEingabe.mid(0, sonder::kFieldCount);
    shoe.bearingsIndex = session_.gastrSonderEingabe.at(sonder::kFieldCount).toInt();
    shoe.type = session_.gastrSonderEingabe.at(sonder::kFieldCount + 1);
    input.special = shoe;
  }
  document_ = new CalcDocument(input, this);
  buildControls();
  buildMenus();
  sSetLayout();
  filemenu::addItems(menuDatei_, this, session_, true);
  docui::addEditMenu(menuBar(), document_, this);
  docui::showIn(document_, this);
  connect(document_, &CalcDocument::replaced, this, [this] { showInput(document_->input()); });
  // The same numbers in another notation: the loads shown still belong to them.
  // The distance fields show what the last calculation made of them; they are rewritten
  // by themselves like every numeric field.
  connect(document_, &CalcDocument::notationChanged, this, [this] {
    const int current = tabs_->current();
    calcfile::Case shown = document_->input();
    if (tbM_) shown.m = tbM_->text();
    if (tbN_) shown.n = tbN_->text();
    showTexts(shown);
    tabs_->setCurrent(current);
  });
  connect(document_, &CalcDocument::distancesChanged, this, &FrmArrangement::dropLoads);
  connect(document_, &CalcDocument::forcesChanged, this, &FrmArrangement::dropLoads);
  // The window opens at its design size, centred; it can be resized and maximised.
  gui::placeWindow(this, sizeHint().expandedTo(QSize(kWidth, 0)));
}

FrmArrangement::~FrmArrangement() = default;

QLabel *FrmArrangement::LabKoordinaten(int i) const { return directions_->LabKoordinaten(i); }

void FrmArrangement::buildControls() {
  auto *central = new QWidget(this);
  setCentralWidget(central);

  // Heading band with the picture, the heading and the two colour bars below it.
  picIcon_ = new QLabel(central);
  picIcon_->setObjectName(QStringLiteral("picIcon"));
  labUebSchr_ = gui::headingLabel(central, 1.35);
  shape1_ = new Shape(Shape::Kind::Rectangle, central);
  shape1_->setObjectName(QStringLiteral("Shape1"));
  shape2_ = new Shape(Shape::Kind::Rectangle, central);
  shape2_->setObjectName(QStringLiteral("Shape2"));

  // The picture.
  auto *frame = new PictureFrame(
      info_->id, [this] { Frame1_MouseMove(); }, [this] { placeOnPicture(); }, central);
  frame1_ = frame;
  directions_ = new DirectionLabels(frame1_);
  directions_->setObjectName(QStringLiteral("DirectionLabels"));
  connect(directions_, &DirectionLabels::pressed, this, &FrmArrangement::LabKoordinaten_MouseDown);

  for (int k = 0; k < info_->shapeCount; ++k) {
    auto *s = new Shape(Shape::Kind::Ellipse, frame1_);
    s->setObjectName(QStringLiteral("ShpMaxBel_%1").arg(k));
    shapes_.append(s);
  }
  for (int k = 0; k < 4; ++k) {
    auto *lab = new QLabel(frame1_);
    lab->setObjectName(QStringLiteral("LabFo_%1").arg(k));
    lab->setAlignment(Qt::AlignCenter);
    lab->setStyleSheet(QStringLiteral(
        "QLabel { background-color: rgba(255, 255, 255, 215); color: rgb(0, 0, 140);"
        " font-weight: bold; border-radius: 3px; }"));
    lab->hide();
    labFo_[static_cast<size_t>(k)] = lab;
  }

  // The note of the rigid-plate check, in the top left corner of the picture, which every
  // drawing leaves free (the distance fields and dimension lines are at the foot).
  labPlatte_ = new QLabel(frame1_);
  labPlatte_->setObjectName(QStringLiteral("LabPlatte"));
  labPlatte_->setWordWrap(true);
  labPlatte_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  labPlatte_->hide();

  auto makeDistanceField = [&](const char *name) {
    auto *f = new QLineEdit(frame1_);
    f->setObjectName(QString::fromLatin1(name));
    f->setAlignment(Qt::AlignRight);
    // Distances are positive: a minus sign cannot be typed.
    NumericKeyFilter::install(f, {false, false});
    connect(f, &QLineEdit::textEdited, this, [this, name] {
      input::noteChange();
      commitInput(1528, QString::fromLatin1(name));
    });
    return f;
  };
  if (info_->hasM) tbM_ = makeDistanceField("Tb_m");
  if (info_->hasN) tbN_ = makeDistanceField("Tb_n");

  grid_ = new ForceGrid(central);
  connect(grid_, &ForceGrid::rowDeleted, this, [this] {
    gui::gsubSetColWidth(this, grid_, false);
    commitInput(1531);
  });
  connect(grid_, &ForceGrid::editRequested, this, &FrmArrangement::editForce);
  tabs_ = new LoadCaseTabs(grid_, central);
  connect(tabs_, &LoadCaseTabs::currentChanged, this, &FrmArrangement::showLoadCase);
  connect(tabs_, &LoadCaseTabs::edited, this, [this](const QString &typing) {
    input::noteChange();
    commitInput(1532, typing);
  });

  cmdBerechnen_ = new QPushButton(central);
  gui::showText(cmdBerechnen_, 1863);
  cmdBerechnen_->setObjectName(QStringLiteral("CmdBerechnen"));
  connect(cmdBerechnen_, &QPushButton::clicked, this, &FrmArrangement::CmdBerechnen_Click);
  cmdBewegung_ = new QPushButton(central);
  gui::showText(cmdBewegung_, 1342);
  cmdBewegung_->setObjectName(QStringLiteral("CmdBewegung"));
  connect(cmdBewegung_, &QPushButton::clicked, this, &FrmArrangement::CmdBewegung_Click);

  // Tab order of a keyboard user: distances, the direction labels, the force table, the
  // button.
  QWidget *previous = nullptr;
  auto chain = [&previous](QWidget *w) {
    if (previous) QWidget::setTabOrder(previous, w);
    previous = w;
  };
  if (tbM_) chain(tbM_);
  if (tbN_) chain(tbN_);
  for (int i = 0; i < loads::kDirectionLabelCount; ++i) chain(directions_->LabKoordinaten(i));
  chain(tabs_);
  chain(grid_);
  chain(cmdBerechnen_);
  chain(cmdBewegung_);
  // Enter on a focused button presses it, as Space does.
  cmdBerechnen_->setAutoDefault(true);
  cmdBewegung_->setAutoDefault(true);
  layOut(central);
}

// The heading band and its two colour bars across the whole width; below them the
// picture, and the load case tabs and force table with the buttons at their right. The
// design size is the least the window shows; room beyond it goes two thirds to the
// picture, one third to the force table.
void FrmArrangement::layOut(QWidget *central) {
  auto *band = new QHBoxLayout;
  band->setContentsMargins(12, 0, 12, 0);
  band->setSpacing(gui::px(283.5));
  band->addWidget(picIcon_, 0, Qt::AlignVCenter);
  band->addWidget(labUebSchr_, 0, Qt::AlignVCenter);
  band->addStretch(1);
  auto *bandHolder = new QWidget(central);
  bandHolder->setObjectName(QStringLiteral("HeadingBand"));
  bandHolder->setFixedHeight(kBandHeight);
  bandHolder->setLayout(band);
  shape1_->setFixedHeight(5);
  shape2_->setFixedHeight(3);
  frame1_->setMinimumHeight(kPictureHeight);
  grid_->setMinimumHeight(kGridHeight);
  tabs_->setFixedHeight(kTabsHeight - 2);
  // The buttons are as wide as the longer caption needs, and at least 142 px.
  for (QPushButton *b : {cmdBerechnen_, cmdBewegung_}) {
    b->setMinimumSize(142, 32);
    b->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
  }

  auto *table = new QVBoxLayout;
  table->setSpacing(2);
  table->addWidget(tabs_);
  table->addWidget(grid_, 1);
  auto *buttons = new QVBoxLayout;
  buttons->setContentsMargins(0, kTabsHeight, 0, 0);
  buttons->setSpacing(8);
  buttons->addWidget(cmdBerechnen_);
  buttons->addWidget(cmdBewegung_);
  buttons->addStretch(1);
  auto *lower = new QHBoxLayout;
  lower->setSpacing(8);
  lower->addLayout(table, 1);
  lower->addLayout(buttons);
  auto *body = new QVBoxLayout;
  body->setContentsMargins(8, 6, 8, 8);
  body->setSpacing(8);
  body->addWidget(frame1_, 2);
  body->addLayout(lower, 1);

  auto *column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(bandHolder);
  column->addWidget(shape1_);
  column->addWidget(shape2_);
  column->addLayout(body, 1);
  central->setMinimumWidth(kWidth);
}

void FrmArrangement::placeOnPicture() {
  const QRectF pic = static_cast<PictureFrame *>(frame1_)->pictureRect();
  const drawing::Layout l = drawing::layout(info_->id, pic);
  const double u = std::min(pic.width() / drawing::kDesignWidth, pic.height() / drawing::kDesignHeight);
  pictureScale_ = u;
  labPlatte_->setGeometry(QRectF(pic.left() + 4, pic.top() + 2, pic.width() * 0.44, 40).toAlignedRect());
  for (int i = 0; i < loads::kDirectionLabelCount; ++i)
    directions_->place(i, l.directionAnchors[static_cast<size_t>(i)],
                       l.directionVectors[static_cast<size_t>(i)], u);
  for (int k = 0; k < shapes_.size(); ++k)
    if (k < l.loadShapes.size()) shapes_[k]->setGeometry(l.loadShapes.at(k).toAlignedRect());
  for (int k = 0; k < 4; ++k) {
    QLabel *lab = labFo_[static_cast<size_t>(k)];
    lab->setProperty("anchor", k < l.loadLabels.size() ? l.loadLabels.at(k) : QPointF());
    lab->setProperty("height", static_cast<int>(std::lround(18 * u)));
    // A value calculated before the window first showed is placed now as well.
    if (!lab->isHidden()) fitLoadLabel(lab);
  }
  if (tbM_) tbM_->setGeometry(l.mField.toAlignedRect());
  if (tbN_) tbN_->setGeometry(l.nField.toAlignedRect());
}

void FrmArrangement::buildMenus() {
  toolbar_ = addToolBar(QStringLiteral("Toolbar1"));
  toolbar_->setObjectName(QStringLiteral("Toolbar1"));
  toolbar_->setMovable(false);
  toolbar_->setFloatable(false);
  toolbar_->setIconSize(QSize(24, 24));
  toolbar_->toggleViewAction()->setEnabled(false);
  struct Button {
    const char *key;
    void (FrmArrangement::*slot)();
  };
  const Button buttons[] = {{"Zurück", &FrmArrangement::zurueck},
                            {"Berechnen", &FrmArrangement::CmdBerechnen_Click},
                            {"Weiter", &FrmArrangement::weiter},
                            {"Inhalt", &FrmArrangement::inhalt}};
  for (const Button &b : buttons) {
    QAction *a = toolbar_->addAction(QString());
    a->setObjectName(QString::fromUtf8(b.key));
    a->setData(QString::fromUtf8(b.key));
    // "Berechnen" presses the button, as the user would.
    if (QString::fromUtf8(b.key) == QLatin1String("Berechnen"))
      connect(a, &QAction::triggered, this, [this] { cmdBerechnen_->click(); });
    else
      connect(a, &QAction::triggered, this, b.slot);
    if (QString::fromUtf8(b.key) == QLatin1String("Weiter")) toolbar_->addSeparator();
  }

  // The layout routine puts the texts of the text table in.
  menuDatei_ = menuBar()->addMenu(QString());
  menuDatei_->setObjectName(QStringLiteral("MenüDatei"));
  menuWeiter_ = menuDatei_->addAction(QString());
  menuWeiter_->setObjectName(QStringLiteral("MenüWeiter"));
  menuZurueck_ = menuDatei_->addAction(QString());
  menuZurueck_->setObjectName(QStringLiteral("MenüZurück"));
  menuDatei_->addSeparator()->setObjectName(QStringLiteral("MenüStrich"));
  menuBeenden_ = menuDatei_->addAction(QString());
  menuBeenden_->setObjectName(QStringLiteral("MenüBeenden"));
  connect(menuWeiter_, &QAction::triggered, this, &FrmArrangement::weiter);
  connect(menuZurueck_, &QAction::triggered, this, &FrmArrangement::zurueck);
  connect(menuBeenden_, &QAction::triggered, this, &FrmArrangement::beenden);

  // The series menu: a panel of columns of ten entries inside the menu "&Belastungen",
  // hidden until the first calculation. It starts with its one design-time entry.
  menuOptionen_ = menuBar()->addMenu(QString());
  menuOptionen_->setObjectName(QStringLiteral("MenüOptionen"));
  seriesPanel_ = new QWidget(menuOptionen_);
  seriesPanel_->setObjectName(QStringLiteral("mnuSerie"));
  seriesGrid_ = new QGridLayout(seriesPanel_);
  seriesGrid_->setContentsMargins(2, 2, 2, 2);
  seriesGrid_->setHorizontalSpacing(6);
  seriesGrid_->setVerticalSpacing(0);
  seriesAction_ = new QWidgetAction(menuOptionen_);
  seriesAction_->setDefaultWidget(seriesPanel_);
  menuOptionen_->addAction(seriesAction_);
  auto *design = new QAction(QStringLiteral("#"), this);
  design->setObjectName(QStringLiteral("mnuSerie_0"));
  design->setCheckable(true);
  mnuSerie_.append(design);
  connect(design, &QAction::triggered, this, [this] { mnuSerie_Click(0); });
  layoutSeriesMenu();
  menuOptionen_->menuAction()->setVisible(false);

  menuHilfe_ = menuBar()->addMenu(QStringLiteral("&?"));
  menuHilfe_->setObjectName(QStringLiteral("MenüHilfe"));
  menuInhalt_ = menuHilfe_->addAction(QString());
  menuInhalt_->setObjectName(QStringLiteral("MenüInhalt"));
  connect(menuInhalt_, &QAction::triggered, this, &FrmArrangement::inhalt);
  menuHilfe_->addSeparator();
  uilang::addMenu(menuHilfe_, &session_);
}

// Sized to its text and centred on its place in the picture.
void FrmArrangement::fitLoadLabel(QLabel *l) {
  const QPointF c = l->property("anchor").toPointF();
  QFont bold = l->font();
  bold.setBold(true);
  const int w = QFontMetrics(bold).horizontalAdvance(l->text()) + 10;
  const int h = l->property("height").toInt();
  l->setGeometry(static_cast<int>(std::lround(c.x() - w / 2.0)), static_cast<int>(std::lround(c.y() - h / 2.0)), w, h);
}

QColor FrmArrangement::colourOf(int code) const {
  return gui::vbColor(gflngSetColor(session_, code));
}

void FrmArrangement::sSetLayout() {
  try {
    // The title names the screen after the program caption.
    docui::setPlainTitle(this, screenCaption(session_, builtinText(info_->germanNameId)));
    setWindowIcon(gui::windowIcon(session_));
    for (int i = 0; i < loads::kDirectionLabelCount; ++i) LabKoordinaten(i)->setToolTip(builtinText(409));
    // What each load label shows: the equivalent loads of the moments on a single unit,
    // the half position loads (per track or per roller shoe) on the others.
    for (int k = 0; k < 4; ++k) {
      int tip = 0;
      if (info_->shapeCount == 1) tip = k == 0 ? 1110 : 1106 + k;
      else if (info_->labelDivisor == 2) tip = info_->rollerShoe ? 1112 : 1111;
      labFo_[static_cast<size_t>(k)]->setToolTip(tip ? builtinText(tip) : QString());
    }
    if (tbM_ && info_->tooltipM) tbM_->setToolTip(builtinText(info_->tooltipM));
    if (tbN_ && info_->tooltipN) tbN_->setToolTip(builtinText(info_->tooltipN));

    menuDatei_->setTitle(builtinText(500));
    menuWeiter_->setText(builtinText(520));
    menuZurueck_->setText(builtinText(501));
    menuBeenden_->setText(builtinText(504));
    // The menu keeps its caption but gives up its mnemonic: Alt+B belongs to the button
    // "&Berechnen" (the menu stays reachable with F10 and the arrow keys).
    menuOptionen_->setTitle(QString(builtinText(521)).remove(QLatin1Char('&')));
    menuInhalt_->setText(builtinText(509));
    menuInhalt_->setShortcut(QKeySequence::HelpContents);
    gui::gsubSetMenuPics(menuDatei_, {0, 1, 3},
                         {gui::resourcePicture(205), gui::resourcePicture(204), gui::resourcePicture(203)});
    gui::gsubSetMenuPics(menuHilfe_, {0}, {gui::resourcePicture(200)});
    const struct {
      const char *key;
      int picture, tooltip;
    } tips[] = {{"Zurück", 204, 410}, {"Berechnen", 206, 411}, {"Weiter", 205, 412}, {"Inhalt", 200, 403}};
    // The buttons show pictures; their text (what a screen reader says) is their hint.
    for (const auto &t : tips) {
      QAction *a = toolbarButton(QString::fromUtf8(t.key));
      a->setIcon(QIcon(gui::resourcePicture(t.picture)));
      a->setToolTip(builtinText(t.tooltip));
      a->setText(builtinText(t.tooltip));
    }
    cmdBewegung_->setToolTip(builtinText(1342));

    // Heading: the picture centred in the band, the text 283.5 twips to its right.
    const QPixmap head = gui::headingPicture(session_);
    picIcon_->setPixmap(head);
    picIcon_->setFixedSize(head.size());
    labUebSchr_->setText(builtinText(101) + QLatin1Char('\n') + builtinText(info_->germanNameId));

    gui::gsubSetColWidth(this, grid_, false);

    shape1_->setFillColor(colourOf(700));
    shape2_->setFillColor(colourOf(701));
    for (Shape *s : shapes_) s->setFillColor(colourOf(info_->neutralColour));
    // The note reads in the colour of the other warnings of the picture.
    labPlatte_->setText(builtinText(1000));
    QPalette pal = labPlatte_->palette();
    pal.setColor(QPalette::WindowText, colourOf(702));
    labPlatte_->setPalette(pal);
  } catch (const AppError &e) {
    msg::critical(e.description(), QStringLiteral("sSetLayout!"));
  }
}

QAction *FrmArrangement::toolbarButton(const QString &key) const {
  for (QAction *a : toolbar_->actions())
    if (a->data().toString() == key) return a;
  return nullptr;
}

// ---- calculation and load display -------------------------------------------------------

void FrmArrangement::resetLoadDisplay() {
  for (Shape *s : shapes_) s->setFillColor(colourOf(info_->neutralColour));
  for (QLabel *l : labFo_) {
    l->clear();
    l->hide();
  }
  labPlatte_->hide();
}

void FrmArrangement::CmdBerechnen_Click() {
  resetLoadDisplay();
  // The distances are calculated as they stand in their fields: a text the rules do not
  // take or a distance beyond the plausible range is refused by name.
  for (auto [field, name] : {std::pair{tbM_, 1516}, std::pair{tbN_, 1517}})
    if (field && !gui::checkNumber(field, builtinText(name), builtinText(314), limits::Quantity::Distance, nullptr)) {
      mblnCalcFailed_ = true;
      lastCompleted_ = false;
      return;
    }
  if (!tabs_->checkShares(builtinText(314))) {
    mblnCalcFailed_ = true;
    lastCompleted_ = false;
    return;
  }
  const LoadCaseOutput calc = run::calculate(session_, info_->id, tabs_->loadCases(),
                                            tbM_ ? tbM_->text() : QString(),
                                            tbN_ ? tbN_->text() : QString()).output;
  const CalcOutput &out = calc.combined;
  if (tbM_) tbM_->setText(out.mText);
  if (tbN_) tbN_->setText(out.nText);
  mblnCalcFailed_ = out.calcFailed;
  lastCompleted_ = out.completed;
  if (!out.completed) return;
  // The load display shows the load case in front.
  caseLoads_.clear();
  caseByCheck_.clear();
  for (const CalcOutput &c : calc.perCase) {
    caseLoads_.append(c.loads);
    caseByCheck_.append(c.byCheck);
  }
  msngLoad_ = caseLoads_.value(tabs_->current(), out.loads);
  byCheck_ = caseByCheck_.value(tabs_->current(), out.byCheck);

  // The series menu is filled on the first calculation only and keeps its entries.
  if (mnuSerie_.size() == 1) fillSeriesMenu(seriesCaptions(out));
  menuOptionen_->menuAction()->setVisible(true);
  // The fourth series is shown first; a catalogue with fewer series shows its last one.
  const int last = static_cast<int>(std::min(mnuSerie_.size(), msngLoad_.size())) - 1;
  if (last >= 0) mnuSerie_Click(std::min(3, last));
}

void FrmArrangement::fillSeriesMenu(const QStringList &captions) {
  for (int i = 0; i < captions.size(); ++i) {
    if (i >= mnuSerie_.size()) {
      auto *a = new QAction(this);
      a->setObjectName(QStringLiteral("mnuSerie_%1").arg(i));
      a->setCheckable(true);
      connect(a, &QAction::triggered, this, [this, i] { mnuSerie_Click(i); });
      mnuSerie_.append(a);
    }
    mnuSerie_[i]->setText(captions.at(i));
  }
  layoutSeriesMenu();
}

void FrmArrangement::layoutSeriesMenu() {
  while (QLayoutItem *item = seriesGrid_->takeAt(0)) {
    delete item->widget();
    delete item;
  }
  for (int i = 0; i < mnuSerie_.size(); ++i) {
    auto *b = new QToolButton(seriesPanel_);
    b->setDefaultAction(mnuSerie_.at(i));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    b->setStyleSheet(QStringLiteral(
        "QToolButton { border: none; padding: 3px 12px 3px 4px; text-align: left; }"
        "QToolButton:hover { background-color: palette(highlight); color: palette(highlighted-text); }"
        "QToolButton:checked { font-weight: bold; }"));
    connect(b, &QToolButton::triggered, menuOptionen_, &QMenu::close);
    const int column = std::min(i / kSeriesPerColumn, kSeriesColumnBreaks);
    const int row = i - column * kSeriesPerColumn;
    seriesGrid_->addWidget(b, row, column);
  }
  for (int c = 0; c <= kSeriesColumnBreaks; ++c) seriesGrid_->setColumnStretch(c, 0);
  seriesPanel_->adjustSize();
}

QVector<int> FrmArrangement::seriesMenuColumns() const {
  QVector<int> counts;
  for (int c = 0; c < seriesGrid_->columnCount(); ++c) {
    int n = 0;
    for (int r = 0; r < seriesGrid_->rowCount(); ++r)
      if (seriesGrid_->itemAtPosition(r, c)) ++n;
    if (n > 0) counts.append(n);
  }
  return counts;
}

int FrmArrangement::checkedSeries() const {
  for (int i = 0; i < mnuSerie_.size(); ++i)
    if (mnuSerie_.at(i)->isChecked()) return i;
  return -1;
}

void FrmArrangement::mnuSerie_Click(int index) {
  for (int i = 0; i < mnuSerie_.size(); ++i) {
    mnuSerie_[i]->setChecked(i == index);
    mnuSerie_[i]->setIcon(QIcon(checkMark(i == index)));
  }
  showLoads(index);
}

void FrmArrangement::showLoads(int index) {
  // An entry beyond the rows of the last calculation has nothing to show.
  if (index < 0 || index >= msngLoad_.size()) {
    resetLoadDisplay();
    return;
  }
  const std::array<float, 5> &row = msngLoad_.at(index);
  labPlatte_->setVisible(byCheck_.value(index, false));
  auto setLabel = [this](int k, const QString &text) {
    QLabel *l = labFo_[static_cast<size_t>(k)];
    l->setText(text);
    fitLoadLabel(l);
    l->setVisible(!text.isEmpty());
  };
  const QColor red = colourOf(702);
  if (info_->shapeCount == 1) {
    // One unit: the equivalent load P and the equivalent loads Q1..Q3 of the three
    // moments (k x moment): forces in N, like P.
    setLabel(0, num::formatWhole(std::fabs(row[4])) + QStringLiteral(" N"));
    for (int k = 1; k <= 3; ++k) setLabel(k, num::formatWhole(std::fabs(row[k - 1])) + QStringLiteral(" N"));
    if (!shapes_.isEmpty()) shapes_[0]->setFillColor(red);
  } else {
    // Four load positions: each value, and the most loaded positions marked.
    const QColor neutral = colourOf(info_->neutralColour);
    for (int k = 0; k < 4; ++k) {
      const float v = row[static_cast<size_t>(k)];
      setLabel(k, num::formatWhole(v / static_cast<float>(info_->labelDivisor)) + QStringLiteral(" N"));
      if (k < shapes_.size()) shapes_[k]->setFillColor(v == row[4] ? red : neutral);
    }
  }
}

// ---- navigation ---------------------------------------------------------------------------

void FrmArrangement::weiter() {
  cmdBerechnen_->click();
  // A refused calculation stops here; so does one that broke off with an error, whose
  // results would not belong to the input on the screen.
  if (mblnCalcFailed_ || !lastCompleted_) return;
  run::handOver(session_, info_->id, tabs_->loadCases());
  auto *evaluation = new FrmAuswertung(session_, this);
  evaluation->show();
  hide();
}

void FrmArrangement::zurueck() { close(); }

void FrmArrangement::closeEvent(QCloseEvent *e) {
  // Back to the start screen throws the distances and forces away: ask first.
  if (!ending_ && !input::confirmDiscard(filemenu::saveFor(this, session_))) {
    e->ignore();
    return;
  }
  session_.gsngUnitDistance = 0.0f;
  session_.gsngRailDistance = 0.0f;
  // The start screen opens before this one goes, so the program never finds itself
  // without a window in between.
  if (!ending_ && startScreenOpener()) startScreenOpener()(session_);
  e->accept();
}

void FrmArrangement::closeForReplacement() {
  ending_ = true;
  close();
}

void FrmArrangement::beenden() {
  if (!input::confirmDiscard(filemenu::saveFor(this, session_))) return;
  ending_ = true;
  try {
    msg::endProgram(0);
  } catch (const msg::ProgramEnded &) {
    // Only where the end hook returns (tests): the program counts as ended.
  }
}

void FrmArrangement::inhalt() { gsubHelp(); }

void FrmArrangement::LabKoordinaten_MouseDown(int index) {
  QLabel *holder = LabKoordinaten(0);
  DialogEingabe::setPendingDirection(holder, loads::directionCaption(index));
  DialogEingabe dialog(session_, this, grid_, holder);
  dialog.exec();
  directions_->resetHighlight();
  commitInput(1529);
}

void FrmArrangement::editForce(int row) {
  if (!grid_->holdsForce(row)) return;
  QLabel *holder = LabKoordinaten(0);
  DialogEingabe::setPendingDirection(holder, grid_->textMatrix(row, 0));
  DialogEingabe dialog(session_, this, grid_, holder, row);
  dialog.exec();
  directions_->resetHighlight();
  commitInput(1530);
}

void FrmArrangement::showLoadCase(int index) {
  // Load cases added after the calculation have no loads yet: the display stays.
  if (index < 0 || index >= caseLoads_.size() || caseLoads_.size() != tabs_->count()) return;
  msngLoad_ = caseLoads_.at(index);
  byCheck_ = caseByCheck_.value(index);
  const int checked = checkedSeries();
  if (checked >= 0) showLoads(checked);
}

void FrmArrangement::CmdBewegung_Click() {
  MotionDialog dialog(session_, this);
  // The motion entered before, as the calculation keeps it.
  if (document_->input().motion) dialog.setInput(*document_->input().motion);
  if (dialog.exec() != QDialog::Accepted) return;
  // Load cases made by hand are not replaced without a question.
  bool anyForce = false;
  for (const LoadCase &lc : tabs_->loadCases())
    for (const QStringList &row : lc.forces) anyForce = anyForce || !row.join(QString()).trimmed().isEmpty();
  if ((anyForce || tabs_->count() > 1) &&
      msg::show({builtinText(1365), builtinText(1342), msg::Icon::Question, msg::Buttons::YesNo, 2}) != msg::Answer::Yes)
    return;
  showing_ = true;
  tabs_->setLoadCases(dialog.loadCases());
  showing_ = false;
  input::noteChange();
  const loads::MotionInput motion = dialog.input();
  commitInput(1533, QString(), [motion](calcfile::Case &c) { c.motion = motion; });
}

void FrmArrangement::commitInput(int what, const QString &mergeKey, const std::function<void(calcfile::Case &)> &change) {
  if (showing_ || !document_) return;
  calcfile::Case c = document_->input();
  c.m = tbM_ ? tbM_->text() : QString();
  c.n = tbN_ ? tbN_->text() : QString();
  // Load cases are kept as such only where the one force table of 100 % would not say the
  // same: several, a share of another size, or one load case the user named.
  const QVector<LoadCase> cases = tabs_->loadCases();
  if (cases.size() > 1 || cases.value(0).share != 100.0 || cases.value(0).name != LoadCaseTabs::caseName(1)) {
    c.loadCases = cases;
    c.forces.clear();
  } else {
    c.loadCases.clear();
    c.forces = grid_->dataRows();
  }
  if (change) change(c);
  document_->edit(builtinText(what), c, mergeKey);
}

void FrmArrangement::dropLoads() {
  resetLoadDisplay();
  caseLoads_.clear();
  caseByCheck_.clear();
  msngLoad_.clear();
  byCheck_.clear();
}

void FrmArrangement::showInput(const calcfile::Case &input) {
  showTexts(input);
  dropLoads();
}

void FrmArrangement::showTexts(const calcfile::Case &input) {
  showing_ = true;
  // The report prints the comment lines of the calculation shown.
  if (input.comments) session_.gastrComment = *input.comments;
  if (tbM_) tbM_->setText(input.m);
  if (tbN_) tbN_->setText(input.n);
  // Several load cases go into the tabs above the force grid; one force table as one
  // load case of 100 %.
  QVector<LoadCase> cases = input.loadCases;
  if (cases.isEmpty()) {
    TextRows rows;
    for (const QStringList &row : input.forces)
      if (!row.join(QString()).isEmpty()) rows << row;
    cases = {LoadCase{LoadCaseTabs::caseName(1), 100.0, rows}};
  }
  // The load case in front stays in front where it is still there (an undone share).
  const int front = tabs_->current();
  tabs_->setLoadCases(cases);
  tabs_->setCurrent(front);
  gui::gsubSetColWidth(this, grid_, false);
  showing_ = false;
}

void FrmArrangement::Frame1_MouseMove() {
  directions_->resetHighlight();
  grid_->clearMarker();
}

void FrmArrangement::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange && gui::languageChanged(this)) {
    gui::retext(this);
    sSetLayout();
  }
  QMainWindow::changeEvent(event);
}
