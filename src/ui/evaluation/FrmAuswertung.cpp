#include "ui/evaluation/FrmAuswertung.h"

#include <QSignalBlocker>

#include "ui/common/InterfaceLanguage.h"

#include <QAction>
#include <QBoxLayout>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <exception>

#include "core/common/Errors.h"
#include "ui/common/FileMenu.h"
#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Numbers.h"
#include "ui/common/NumericInput.h"
#include "core/common/Texts.h"
#include "core/common/UnsavedInput.h"
#include "core/evaluation/Evaluation.h"
#include "core/evaluation/EvaluationTexts.h"
#include "core/evaluation/Sizing.h"
#include "ui/common/DocumentWindows.h"
#include "core/document/CalcDocument.h"
#include "core/run/CalculationRun.h"
#include "ui/evaluation/ResultGrid.h"

#include "output/arrangements/Drawings.h"
#include "core/catalogue/Catalogue.h"
#include "ui/report/FrmAusdruck.h"
#include "ui/auxiliary/Auxiliary.h"
#include "ui/evaluation/CsvExport.h"
#include "ui/evaluation/Export.h"
#include "ui/evaluation/FrmDiagramm.h"
#include "ui/evaluation/UnitLoadsPanel.h"
#include "ui/evaluation/FrmParameterstudie.h"

namespace {

// The window design, in twips (15 per pixel on the screen).
constexpr double kWidth = 15000;          // client area below menu and toolbar
constexpr double kMargin = 180;
constexpr double kHeaderHeight = 960;     // header band Label2
constexpr double kIconLeft = 120;
constexpr double kFrameGap = 120;
constexpr double kFrameWidth = (kWidth - 5 * kMargin) / 4;  // four frames in a row
constexpr double kFrameHeight = 1000;
constexpr double kGridHeight = 4200;
constexpr double kSideWidth = 3000;          // load type area and button beside the grid
constexpr double kGridWidth = kWidth - 3 * kMargin - kSideWidth;
constexpr double kLoadTypeHeight = 1980;
constexpr double kButtonHeight = 480;
constexpr double kBarHeight = 300;
// The group "Betrieb" below the calculate button: four rows of label and field.
constexpr double kDutyGap = 120;             // between the button and "Betrieb"
constexpr double kDutyFieldWidth = 780;
// Inside a series frame.
constexpr double kBoxLeft = 120;
constexpr double kBoxTop = 90;
constexpr double kBoxGap = 20;
constexpr double kBoxWidth = 540;
constexpr double kBoxHeight = 330;

constexpr qint32 kYellow = 65535;  // a ticked box
constexpr int kGridColumns = 9;
constexpr int kLoadColumn = 5;  // "Belastung"
const int kGridHeadings[kGridColumns] = {204, 205, 206, 208, 207, 209, 210, 211, 212};

QSize twips(double width, double height) { return QSize(gui::px(width), gui::px(height)); }

// The drawings of the arrangements, for the printout: half the size at which the
// arrangement screens show them.
constexpr double kDrawingWidth = 4500;
constexpr double kDrawingHeight = 2250;

// The screen names of the six arrangements, in the order of their drawings.
QStringList arrangementScreens() {
  QStringList names;
  for (const ArrangementInfo &a : arrangements()) names << QString::fromLatin1(a.screenName);
  return names;
}

// The grid's general alignment: numbers to the right, texts to the left.
Qt::Alignment generalAlignment(const QString &text) {
  double d = 0;
  return (num::toDouble(text, &d) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

// Centred: every column between the size and the verdict (the last column, or the one
// before the life verdict).
bool centredColumn(int column, int verdictColumn) { return column >= 2 && column < verdictColumn; }

Qt::Alignment columnAlignment(int column, int verdictColumn, const QString &text) {
  if (centredColumn(column, verdictColumn)) return Qt::AlignCenter;
  return generalAlignment(text);
}

// The grid's cells keep the narrow text margins of the classic grid control, so that a
// column fitted to its widest text (plus a fifth) shows that text whole.
class GridStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override {
    if (metric == PM_FocusFrameHMargin) return 0;
    if (metric == PM_HeaderMargin) return 2;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

// The evaluation services in force.
const AppServices::Evaluation &services() { return app::services().evaluation; }

}  // namespace

AppServices::Evaluation FrmAuswertung::standardServices() {
  AppServices::Evaluation d;
  d.openReport = [](FrmAuswertung *w) { openReportWindow(w->session(), w, w->masterScreenName()); };
  d.print = [](FrmAuswertung *w) { MenuDrucken_Click(w->session(), w, w->masterScreenName()); };
  d.save = [](FrmAuswertung *w) { MenuSpeichern_Click(w->session(), w, [w] { w->runProgressDisplay(); }); };
  d.pdf = [](FrmAuswertung *w) { MenuPdf_Click(w->session(), w, w->masterScreenName()); };
  d.preview = [](FrmAuswertung *w) { MenuSeitenansicht_Click(w->session(), w, w->masterScreenName()); };
  d.help = [] { gsubHelp(); };
  d.about = [](Session &session, QWidget *w) { showAbout(session, w); };
  d.showList = [](Session &session, QWidget *w, int code) { showVertreterList(session, w, code); };
  d.openLink = [](const QString &link) { return glngOpenLink(link); };
  return d;
}

FrmAuswertung::FrmAuswertung(Session &session, QWidget *masterForm, QWidget *parent)
    : QMainWindow(parent), session_(session), master_(masterForm) {
  setObjectName(QStringLiteral("FrmAuswertung"));
  setAttribute(Qt::WA_DeleteOnClose);
  buildControls();
  buildMenus();
  buildToolbar();
  // Enter on a focused button presses it, as Space does.
  for (QPushButton *b : findChildren<QPushButton *>()) b->setAutoDefault(true);
  layOut();
  document_ = docui::of(masterForm);
  sSetLayout();
  fitDesignSize();
  gui::placeWindow(this, designSize_, masterForm);
  filemenu::addItems(menuDatei_, this, session_, true);
  if (document_) {
    docui::addEditMenu(menuBar(), document_, this);
    docui::showIn(document_, this);
    showDocumentInput();
    connect(document_, &CalcDocument::replaced, this, &FrmAuswertung::showDocumentInput);
    // The same numbers in another notation: the results shown still belong to them.
    connect(document_, &CalcDocument::notationChanged, this, [this] {
      const QSignalBlocker b0(tbBetrieb_[0]), b1(tbBetrieb_[1]), b2(tbBetrieb_[2]), b3(tbBetrieb_[3]),
          b4(tbLebensdauer_);
      showDutyTexts();
    });
    // The results shown belong to the distances and forces they were calculated from:
    // when those change (undone from here), the screen gives way to the arrangement.
    for (auto signal : {&CalcDocument::distancesChanged, &CalcDocument::forcesChanged})
      connect(document_, signal, this, [this] {
        if (!leaving_) close();
      });
  }
  // Without the arrangement screen that opened it the screen cannot know which
  // arrangement it evaluates, nor where "Zurück" leads.
  if (!masterForm) {
    msg::critical2(builtinText(300), builtinText(301));
    msg::endProgram(1);
  }
}

FrmAuswertung::~FrmAuswertung() = default;

QWidget *FrmAuswertung::mfrmMasterForm() const { return master_; }

int FrmAuswertung::boxTag(int i) const {
  const QVariant tag = chkGrSer_.at(i)->property("Tag");
  return tag.isValid() ? tag.toInt() : -1;
}

QString FrmAuswertung::masterScreenName() const {
  if (!master_) return QString();
  const QVariant name = master_->property("screenName");
  if (name.isValid() && !name.toString().isEmpty()) return name.toString();
  return master_->objectName();
}

QAction *FrmAuswertung::toolbarButton(const QString &key) const {
  return findChild<QAction *>(QStringLiteral("Toolbar1_") + key);
}

QAction *FrmAuswertung::menuItem(const QString &name) const { return findChild<QAction *>(name); }

QPixmap FrmAuswertung::arrangementPicture() const {
  const QString name = masterScreenName();
  for (QLabel *img : imgAnordnung_)
    if (img->property("Tag").toString() == name) return img->pixmap();
  return QPixmap();
}

// ---------------------------------------------------------------------------------
// Controls

// The header band across the top; the series frames four to a row (the ninth in a row
// of its own while it is shown); below them the result grid, which takes whatever room
// the window has beyond its design size, and at its right the column with the load type,
// the button, the operating figures and the progress bar.
void FrmAuswertung::layOut() {
  auto *band = new QHBoxLayout(label2_);
  band->setContentsMargins(gui::px(kIconLeft) - label2_->frameWidth(), 0, gui::px(kMargin), 0);
  // The heading starts 283.5 twips right of the picture's width, counted from the band's edge.
  band->setSpacing(gui::px(283.5) - gui::px(kIconLeft));
  band->addWidget(picIcon_, 0, Qt::AlignVCenter);
  band->addWidget(labUebSchr_, 0, Qt::AlignVCenter);
  band->addStretch(1);
  band->addWidget(image1_, 0, Qt::AlignVCenter);
  label2_->setFixedHeight(gui::px(kHeaderHeight));

  auto *frames = new QGridLayout;
  frames->setContentsMargins(gui::px(kMargin), 0, gui::px(kMargin), 0);
  frames->setHorizontalSpacing(gui::px(kMargin));
  frames->setVerticalSpacing(gui::px(kFrameGap));
  for (int k = 0; k < eval::kFrames; ++k) {
    QGroupBox *fra = fraSerie_.at(k);
    auto *boxes = new QHBoxLayout;
    boxes->setSpacing(gui::px(kBoxGap));
    for (int p = 0; p < eval::kBoxesPerFrame; ++p) boxes->addWidget(chkGrSer_.at(k * eval::kBoxesPerFrame + p));
    boxes->addStretch(1);
    auto *inside = new QVBoxLayout(fra);
    inside->setContentsMargins(gui::px(kBoxLeft), gui::px(kBoxTop), 0, gui::px(kBoxTop));
    inside->setSpacing(0);
    inside->addWidget(chkKSerie_.at(k), 0, Qt::AlignLeft);
    inside->addStretch(1);
    inside->addLayout(boxes);
    frames->addWidget(fra, k / 4, k % 4);
  }
  frames->setColumnStretch(4, 1);  // a wider window leaves the frames where they are

  auto *loadType = new QGridLayout(freBelArt_);
  loadType->addWidget(labUebBel_, 0, 0, 1, 2);
  for (int i = 0; i < 3; ++i) {
    loadType->addWidget(optBelArt_.at(i), i + 1, 0);
    loadType->addWidget(labBelArt_.at(i), i + 1, 1);
  }
  loadType->setColumnStretch(1, 1);
  freBelArt_->setMinimumHeight(gui::px(kLoadTypeHeight));
  auto *duty = new QGridLayout(fraBetrieb_);
  // The narrow column keeps every label whole: tight margins, and a label too long for
  // its line wraps onto a second one.
  duty->setContentsMargins(gui::px(90), gui::px(90), gui::px(90), gui::px(90));
  duty->setHorizontalSpacing(gui::px(60));
  for (QLabel *lab : labBetrieb_) lab->setWordWrap(true);
  for (int i = 0; i < 4; ++i) {
    duty->addWidget(labBetrieb_.at(i), i, 0);
    duty->addWidget(tbBetrieb_.at(i), i, 1);
  }
  duty->addWidget(labLebensdauer_, 4, 0, 2, 1);
  duty->addWidget(tbLebensdauer_, 4, 1);
  duty->addWidget(cboLebensdauer_, 5, 1);
  duty->setColumnStretch(0, 1);

  auto *side = new QVBoxLayout;
  side->setSpacing(0);
  side->addWidget(freBelArt_);
  side->addSpacing(gui::px(kMargin));
  side->addWidget(cmdBerechnen_);
  side->addSpacing(gui::px(kDutyGap));
  side->addWidget(fraBetrieb_);
  side->addStretch(1);
  side->addWidget(progressBar_);
  for (QWidget *w : std::initializer_list<QWidget *>{freBelArt_, cmdBerechnen_, fraBetrieb_, progressBar_})
    w->setFixedWidth(gui::px(kSideWidth));
  auto *table = new QVBoxLayout;
  table->setSpacing(0);
  table->addWidget(labVorschlag_);
  table->addWidget(grid_, 1);
  table->addWidget(labPlatte_);
  table->addWidget(labEmpfehlung_);
  auto *lower = new QHBoxLayout;
  lower->setContentsMargins(gui::px(kMargin), 0, gui::px(kMargin), gui::px(kMargin));
  lower->setSpacing(gui::px(kMargin));
  lower->addLayout(table, 1);
  lower->addLayout(side);

  auto *column = new QVBoxLayout(central_);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(label2_);
  column->addSpacing(gui::px(kFrameGap));
  column->addLayout(frames);
  column->addSpacing(gui::px(kFrameGap));
  column->addLayout(lower, 1);
}

void FrmAuswertung::buildControls() {
  central_ = new QWidget(this);
  central_->setObjectName(QStringLiteral("centralWidget"));
  setCentralWidget(central_);

  // Header band: heading picture, title, logo.
  label2_ = new QLabel(central_);
  label2_->setObjectName(QStringLiteral("Label2"));
  label2_->setAutoFillBackground(true);
  label2_->setFrameShape(QFrame::StyledPanel);
  {
    QPalette pal = label2_->palette();
    pal.setColor(QPalette::Window, gui::systemColor(5));
    label2_->setPalette(pal);
  }
  picIcon_ = new QLabel(label2_);
  picIcon_->setObjectName(QStringLiteral("picIcon"));
  image1_ = new QLabel(label2_);
  image1_->setObjectName(QStringLiteral("Image1"));
  labUebSchr_ = gui::headingLabel(label2_, 1.25);

  // Nine series frames of a series box and six size boxes; the ninth waits below the
  // others until a ninth series needs it.
  const auto &sizes = eval::sizes();
  for (int k = 0; k < eval::kFrames; ++k) {
    auto *fra = new QGroupBox(central_);
    fra->setObjectName(QStringLiteral("fraSerie%1").arg(k));
    fra->setFixedSize(twips(kFrameWidth, kFrameHeight));
    auto *ks = new QCheckBox(fra);
    ks->setObjectName(QStringLiteral("chkKSerie%1").arg(k));
    ks->setFixedHeight(gui::px(kBoxHeight));
    ks->setAutoFillBackground(true);
    connect(ks, &QCheckBox::clicked, this, [this, k] { chkKSerie_Click(k); });
    fraSerie_.append(fra);
    chkKSerie_.append(ks);
    for (int p = 0; p < eval::kBoxesPerFrame; ++p) {
      const int i = k * eval::kBoxesPerFrame + p;
      auto *box = new QCheckBox(QString::number(sizes[p]), fra);
      box->setObjectName(QStringLiteral("chkGrSer%1").arg(i));
      box->setFixedSize(twips(kBoxWidth, kBoxHeight));
      box->setAutoFillBackground(true);
      connect(box, &QCheckBox::clicked, this, [this, i] { chkGrSer_Click(i); });
      chkGrSer_.append(box);
    }
    if (k == eval::kFrames - 1) fra->setVisible(false);
  }

  // Result grid.
  grid_ = new QTableWidget(0, kGridColumns, central_);
  grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
  // The legend, when shown, takes its line from the grid's height, not the window's.
  grid_->setMinimumSize(gui::px(kGridWidth), gui::px(kGridHeight) - (grid_->fontMetrics().height() + 6));
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Several cells or rows can be chosen and copied for a spreadsheet (Ctrl+C).
  grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  auto *copy = new QAction(grid_);
  gui::showText(copy, 1114);
  copy->setObjectName(QStringLiteral("GridCopy"));
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetShortcut);
  connect(copy, &QAction::triggered, this, &FrmAuswertung::copySelection);
  grid_->addAction(copy);
  grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
  // The grid would copy its current cell alone: Ctrl+C is taken before it.
  grid_->installEventFilter(this);
  grid_->verticalHeader()->setVisible(false);
  grid_->horizontalHeader()->setStretchLastSection(false);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  grid_->horizontalHeader()->setMinimumSectionSize(0);
  grid_->verticalHeader()->setMinimumSectionSize(0);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
  auto *gridStyle = new GridStyle;
  gridStyle->setParent(grid_);
  grid_->setStyle(gridStyle);
  grid_->horizontalHeader()->setStyle(gridStyle);

  // Legend of the rows rated with the rigid-plate check; the grid gives it its last
  // line while it is shown.
  labPlatte_ = new QLabel(central_);
  gui::showText(labPlatte_, 1004);  // the footnote of the report
  labPlatte_->setObjectName(QStringLiteral("LabPlatte"));
  labPlatte_->setFixedHeight(grid_->fontMetrics().height() + 6);
  labPlatte_->setVisible(false);
  // The overall suggestion above the grid and the legend of the recommended sizes below
  // it, shown while the recommended sizes are.
  labVorschlag_ = new QLabel(central_);
  labVorschlag_->setObjectName(QStringLiteral("LabVorschlag"));
  QFont bold = labVorschlag_->font();
  bold.setBold(true);
  labVorschlag_->setFont(bold);
  labVorschlag_->setVisible(false);
  labEmpfehlung_ = new QLabel(central_);
  labEmpfehlung_->setObjectName(QStringLiteral("LabEmpfehlung"));
  labEmpfehlung_->setVisible(false);

  // Load type area with the calculate button and the progress display below it.
  freBelArt_ = new QGroupBox(central_);
  freBelArt_->setObjectName(QStringLiteral("FreBelArt"));
  freBelArt_->setFixedHeight(gui::px(kLoadTypeHeight));
  labUebBel_ = new QLabel(freBelArt_);
  labUebBel_->setObjectName(QStringLiteral("LabUebBel"));
  {
    QFont f = labUebBel_->font();
    f.setBold(true);
    labUebBel_->setFont(f);
  }
  optGroup_ = new QButtonGroup(this);
  optGroup_->setExclusive(true);
  for (int i = 0; i < 3; ++i) {
    auto *opt = new QRadioButton(freBelArt_);
    opt->setObjectName(QStringLiteral("OptBelArt%1").arg(i));
    optGroup_->addButton(opt, i);
    connect(opt, &QRadioButton::clicked, this, [this, i] { OptBelArt_Click(i); });
    auto *lab = new QLabel(freBelArt_);
    lab->setObjectName(QStringLiteral("LabBelArt%1").arg(i));
    optBelArt_.append(opt);
    labBelArt_.append(lab);
  }
  cmdBerechnen_ = new QPushButton(central_);
  cmdBerechnen_->setObjectName(QStringLiteral("CmdBerechnen"));
  cmdBerechnen_->setFixedHeight(gui::px(kButtonHeight));
  connect(cmdBerechnen_, &QPushButton::clicked, this, &FrmAuswertung::CmdBerechnen_Click);
  // Operating figures for the lifetime in hours and years.
  fraBetrieb_ = new QGroupBox(central_);
  fraBetrieb_->setObjectName(QStringLiteral("FraBetrieb"));
  for (int i = 0; i < 4; ++i) {
    auto *lab = new QLabel(fraBetrieb_);
    lab->setObjectName(QStringLiteral("LabBetrieb%1").arg(i));
    auto *tb = new QLineEdit(fraBetrieb_);
    tb->setObjectName(QStringLiteral("Tb_Betrieb%1").arg(i));
    tb->setFixedWidth(gui::px(kDutyFieldWidth));
    tb->setAlignment(Qt::AlignRight);
    // The rules of every numeric field: what is typed stays, what they do not take
    // ("2.500") is marked and refused by "Berechnen".
    gui::setNumericRules(tb, false);
    connect(tb, &QLineEdit::textEdited, this, &FrmAuswertung::commitDuty);
    labBetrieb_.append(lab);
    tbBetrieb_.append(tb);
  }
  // The life the guide must reach, in hours of operation or km of travel.
  labLebensdauer_ = new QLabel(fraBetrieb_);
  labLebensdauer_->setObjectName(QStringLiteral("LabLebensdauer"));
  labLebensdauer_->setWordWrap(true);
  tbLebensdauer_ = new QLineEdit(fraBetrieb_);
  tbLebensdauer_->setObjectName(QStringLiteral("TbLebensdauer"));
  tbLebensdauer_->setFixedWidth(gui::px(kDutyFieldWidth));
  tbLebensdauer_->setAlignment(Qt::AlignRight);
  gui::setNumericRules(tbLebensdauer_, false);
  connect(tbLebensdauer_, &QLineEdit::textEdited, this, &FrmAuswertung::commitRequiredLife);
  cboLebensdauer_ = new QComboBox(fraBetrieb_);
  cboLebensdauer_->setObjectName(QStringLiteral("CboLebensdauer"));
  cboLebensdauer_->addItem(QStringLiteral("h"));
  cboLebensdauer_->addItem(QStringLiteral("km"));
  cboLebensdauer_->setCurrentIndex(1);
  connect(cboLebensdauer_, &QComboBox::activated, this, &FrmAuswertung::commitRequiredLife);
  progressBar_ = new QProgressBar(central_);
  progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
  progressBar_->setFixedHeight(gui::px(kBarHeight));
  progressBar_->setRange(0, 100);
  progressBar_->setTextVisible(false);
  progressBar_->setVisible(false);
  // Its place is kept while it is hidden: showing it moves nothing.
  QSizePolicy barPolicy = progressBar_->sizePolicy();
  barPolicy.setRetainSizeWhenHidden(true);
  progressBar_->setSizePolicy(barPolicy);

  // The drawings of the six arrangements, never shown here; the printout takes the
  // one of the arrangement in use.
  fraAnordnung_ = new QGroupBox(central_);
  fraAnordnung_->setObjectName(QStringLiteral("FraAnordnung"));
  fraAnordnung_->setVisible(false);
  const QStringList screens = arrangementScreens();
  for (int i = 0; i < 6; ++i) {
    auto *img = new QLabel(fraAnordnung_);
    img->setObjectName(QStringLiteral("ImgAnordnung%1").arg(i));
    img->setProperty("Tag", screens.value(i));
    imgAnordnung_.append(img);
  }
}

void FrmAuswertung::buildMenus() {
  QMenuBar *bar = menuBar();
  auto item = [this](QMenu *menu, const QString &name) {
    QAction *a = menu->addAction(QString());
    a->setObjectName(name);
    return a;
  };
  menuDatei_ = bar->addMenu(QString());
  menuDatei_->setObjectName(QStringLiteral("MenüDatei"));
  connect(item(menuDatei_, QStringLiteral("MenüZurück")), &QAction::triggered, this, &FrmAuswertung::MenuZurueck_Click);
  menuDatei_->addSeparator();
  connect(item(menuDatei_, QStringLiteral("MenüDrucken")), &QAction::triggered, this, [this] {
    if (services().print) services().print(this);
  });
  connect(item(menuDatei_, QStringLiteral("MenüSpeichern")), &QAction::triggered, this, [this] {
    if (services().save) services().save(this);
  });
  connect(item(menuDatei_, QStringLiteral("MenüCsv")), &QAction::triggered, this,
          &FrmAuswertung::MenuCsv_Click);
  // The printout without a printer: as a PDF file, or on screen.
  connect(item(menuDatei_, QStringLiteral("MenüPdf")), &QAction::triggered, this, [this] {
    if (services().pdf) services().pdf(this);
  });
  connect(item(menuDatei_, QStringLiteral("MenüSeitenansicht")), &QAction::triggered, this, [this] {
    if (services().preview) services().preview(this);
  });
  menuDatei_->addSeparator();
  connect(item(menuDatei_, QStringLiteral("MenüBeenden")), &QAction::triggered, this, &FrmAuswertung::endProgram);

  menuAnsicht_ = bar->addMenu(QString());
  menuAnsicht_->setObjectName(QStringLiteral("MenüAnsicht"));
  for (int c = 3; c <= 5; ++c) {
    QAction *a = item(menuAnsicht_, QStringLiteral("MenüAnsichtTabelle%1").arg(c));
    a->setCheckable(true);
    a->setChecked(true);
    // A click toggles the item's check mark before the handler runs.
    connect(a, &QAction::triggered, this, [this, c] { MenuAnsichtTabelle_Click(c); });
  }
  // What the toolbar does, for the keyboard too: the calculation and the report window.
  menuAnsicht_->addSeparator();
  QAction *berechnen = item(menuAnsicht_, QStringLiteral("MenüBerechnen"));
  berechnen->setShortcut(QKeySequence(Qt::Key_F9));
  connect(berechnen, &QAction::triggered, this, [this] { Toolbar1_ButtonClick(QStringLiteral("Berechnen")); });
  QAction *druckmanager = item(menuAnsicht_, QStringLiteral("MenüDruckmanager"));
  druckmanager->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  connect(druckmanager, &QAction::triggered, this, [this] { Toolbar1_ButtonClick(QStringLiteral("Druckmanager")); });
  connect(item(menuAnsicht_, QStringLiteral("MenüParameterstudie")), &QAction::triggered, this,
          &FrmAuswertung::MenuParameterstudie_Click);
  // The smallest passing size of each series and the overall suggestion.
  menuAnsicht_->addSeparator();
  QAction *empfehlung = item(menuAnsicht_, QStringLiteral("MenüEmpfehlung"));
  empfehlung->setCheckable(true);
  empfehlung->setChecked(session_.gblnRecommend);
  connect(empfehlung, &QAction::toggled, this, [this](bool on) {
    session_.gblnRecommend = on;
    if (evaluated_) showEvaluation();
  });
  // The charts of the evaluation, in a window of their own that follows this screen.
  connect(item(menuAnsicht_, QStringLiteral("MenüDiagramm")), &QAction::triggered, this, [this] { FrmDiagramm::open(this); });
  // The loads of every unit of the row picked in the grid, in a small window beside it.
  QAction *unitLoads = item(menuAnsicht_, QStringLiteral("MenüLastenJeEinheit"));
  unitLoads->setCheckable(true);
  connect(unitLoads, &QAction::toggled, this, &FrmAuswertung::showUnitLoads);
  connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
    if (row != previous) updateUnitLoads();
  });

  // A reserved item of the menu bar; it only carries its own check mark.
  QAction *sonder = bar->addAction(QString());
  sonder->setObjectName(QStringLiteral("MenüSonder"));
  sonder->setCheckable(true);
  sonder->setVisible(false);

  menuHilfe_ = bar->addMenu(QStringLiteral("&?"));
  menuHilfe_->setObjectName(QStringLiteral("MenüHilfe"));
  connect(item(menuHilfe_, QStringLiteral("MenüInhalt")), &QAction::triggered, this, [] {
    if (services().help) services().help();
  });
  menuHilfe_->addSeparator();
  connect(item(menuHilfe_, QStringLiteral("MenüInfoDB")), &QAction::triggered, this, [this] { openList(catalogue::code::Info); });
  connect(item(menuHilfe_, QStringLiteral("MenüVertreter")), &QAction::triggered, this, [this] { openList(catalogue::code::Representatives); });
  menuHilfe_->addSeparator();
  connect(item(menuHilfe_, QStringLiteral("MenüEMail")), &QAction::triggered, this, [this] {
    if (services().openLink) services().openLink(QStringLiteral("mailto:") + gfstrSetText(session_, 598));
  });
  connect(item(menuHilfe_, QStringLiteral("MenüWeb")), &QAction::triggered, this, [this] {
    if (services().openLink) services().openLink(QStringLiteral("http://") + gfstrSetText(session_, 599));
  });
  menuHilfe_->addSeparator();
  connect(item(menuHilfe_, QStringLiteral("MenüInfo")), &QAction::triggered, this, [this] {
    if (services().about) services().about(session_, this);
  });
  menuHilfe_->addSeparator();
  uilang::addMenu(menuHilfe_, &session_);
}

void FrmAuswertung::buildToolbar() {
  toolbar_ = addToolBar(QStringLiteral("Toolbar1"));
  toolbar_->setObjectName(QStringLiteral("Toolbar1"));
  toolbar_->setMovable(false);
  toolbar_->setFloatable(false);
  toolbar_->setIconSize(QSize(24, 24));
  toolbar_->toggleViewAction()->setVisible(false);
  setContextMenuPolicy(Qt::NoContextMenu);
  // Nine buttons in the design: the five keyed ones with a spacer between each two.
  const QStringList keys = {QStringLiteral("Inhalt"), QStringLiteral("Zurück"), QStringLiteral("Berechnen"),
                            QStringLiteral("Druckmanager"), QStringLiteral("Exit")};
  for (int i = 0; i < keys.size(); ++i) {
    if (i > 0) toolbar_->addSeparator();
    QAction *a = toolbar_->addAction(QString());
    a->setObjectName(QStringLiteral("Toolbar1_") + keys.at(i));
    a->setData(keys.at(i));
    const QString key = keys.at(i);
    connect(a, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
  }
}

// ---------------------------------------------------------------------------------
// Layout

void FrmAuswertung::showTexts() {
  docui::setPlainTitle(this, screenCaption(session_, builtinText(1113)));
  setWindowIcon(gui::windowIcon(session_));

  // Menus: 510..514 may be replaced by the customer text set, the rest is fixed.
  menuDatei_->setTitle(builtinText(500));
  menuItem(QStringLiteral("MenüZurück"))->setText(builtinText(501));
  menuItem(QStringLiteral("MenüDrucken"))->setText(builtinText(502));
  menuItem(QStringLiteral("MenüSpeichern"))->setText(builtinText(503));
  menuItem(QStringLiteral("MenüCsv"))->setText(builtinText(1654));
  menuItem(QStringLiteral("MenüParameterstudie"))->setText(builtinText(1658));
  menuItem(QStringLiteral("MenüPdf"))->setText(builtinText(1204));
  menuItem(QStringLiteral("MenüSeitenansicht"))->setText(builtinText(1205));
  menuItem(QStringLiteral("MenüBeenden"))->setText(builtinText(504));
  menuAnsicht_->setTitle(builtinText(505));
  for (int c = 3; c <= 5; ++c) menuItem(QStringLiteral("MenüAnsichtTabelle%1").arg(c))->setText(builtinText(503 + c));
  menuItem(QStringLiteral("MenüSonder"))->setText(builtinText(530));
  menuItem(QStringLiteral("MenüBerechnen"))->setText(builtinText(1522));
  menuItem(QStringLiteral("MenüDruckmanager"))->setText(builtinText(1515));
  menuItem(QStringLiteral("MenüEmpfehlung"))->setText(builtinText(1555));
  menuItem(QStringLiteral("MenüDiagramm"))->setText(builtinText(1600));
  menuItem(QStringLiteral("MenüLastenJeEinheit"))->setText(builtinText(1700));
  menuItem(QStringLiteral("MenüInhalt"))->setText(builtinText(509));
  menuItem(QStringLiteral("MenüInhalt"))->setShortcut(QKeySequence::HelpContents);
  menuItem(QStringLiteral("MenüInfoDB"))->setText(gfstrSetText(session_, 510));
  menuItem(QStringLiteral("MenüVertreter"))->setText(gfstrSetText(session_, 511));
  menuItem(QStringLiteral("MenüEMail"))->setText(gfstrSetText(session_, 512));
  menuItem(QStringLiteral("MenüWeb"))->setText(gfstrSetText(session_, 513));
  menuItem(QStringLiteral("MenüInfo"))->setText(gfstrSetText(session_, 514));
  // Positions count the separators as the menu holds them.
  gui::gsubSetMenuPics(menuDatei_, {0, static_cast<int>(menuDatei_->actions().indexOf(menuItem(QStringLiteral("MenüBeenden"))))},
                       {gui::resourcePicture(204), gui::resourcePicture(203)});
  gui::gsubSetMenuPics(menuHilfe_, {0, 8}, {gui::resourcePicture(200), gui::resourcePicture(201)});

  // Load type area.
  labUebBel_->setText(builtinText(298));
  for (int i = 0; i < 3; ++i) {
    labBelArt_[i]->setText(builtinText(201 + i));
    optBelArt_[i]->setToolTip(builtinText(400 + i));
  }
  cmdBerechnen_->setText(builtinText(1524));
  fraBetrieb_->setTitle(builtinText(1310));
  for (int i = 0; i < 4; ++i) {
    labBetrieb_[i]->setText(builtinText(1311 + i));
    tbBetrieb_[i]->setToolTip(builtinText(1311 + i));
  }
  labLebensdauer_->setText(builtinText(1540));
  tbLebensdauer_->setToolTip(builtinText(1540));
  cboLebensdauer_->setToolTip(builtinText(1560));
  labUebSchr_->setText(builtinText(200));
  labEmpfehlung_->setText(builtinText(1557));
}

void FrmAuswertung::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange && gui::languageChanged(this)) {
    gui::retext(this);
    showTexts();
    for (const auto &[key, tip] : {std::pair{"Inhalt", 403}, std::pair{"Zurück", 410}, std::pair{"Berechnen", 411},
                                   std::pair{"Druckmanager", 416}, std::pair{"Exit", 406}}) {
      toolbarButton(QString::fromUtf8(key))->setToolTip(builtinText(tip));
      toolbarButton(QString::fromUtf8(key))->setText(builtinText(tip));
    }
    // The series captions and the grid's headings; an evaluation shown anew in the
    // language (its verdicts and the suggestion).
    captionFrames(boxesShown());
    if (evaluated_) showEvaluation();
    else showGridHeadings();
    // The other language's texts take other room (a label of the group "Betrieb" on two
    // lines): the design size anew, and the window as large as it needs.
    fitDesignSize();
  }
  QMainWindow::changeEvent(event);
}

void FrmAuswertung::sSetLayout() {
  try {
    session_.grsSerie.close();
    showTexts();
    // The option shown is the load type whose required safety is in force.
    const int loadType = qBound(0, session_.gintLoadType, 2);
    optBelArt_[loadType]->setChecked(true);
    // The figures of the last run stay: the screen is made anew on every visit.
    const DutyCycle &duty = session_.gDutyCycle;
    const double figures[4] = {duty.stroke, duty.cyclesPerMinute, duty.hoursPerDay, duty.daysPerYear};
    for (int i = 0; i < 4; ++i)
      tbBetrieb_[i]->setText(figures[i] > 0.0 ? num::doubleToText(figures[i]) : QString());
    const RequiredLife &life = session_.gRequiredLife;
    tbLebensdauer_->setText(life.given() ? num::doubleToText(life.value) : QString());
    cboLebensdauer_->setCurrentIndex(life.given() && life.hours ? 0 : 1);

    // Header band.
    image1_->setPixmap(gui::resourcePicture(150));
    image1_->adjustSize();
    const QPixmap icon = gui::headingPicture(session_);
    picIcon_->setPixmap(icon);
    picIcon_->setFixedSize(icon.isNull() ? twips(720, 720) : icon.size());

    // Toolbar: tooltips and pictures 1 to 5 in button order.
    const QList<QPair<QString, int>> tips = {{QStringLiteral("Inhalt"), 403},
                                             {QStringLiteral("Zurück"), 410},
                                             {QStringLiteral("Berechnen"), 411},
                                             {QStringLiteral("Druckmanager"), 416},
                                             {QStringLiteral("Exit"), 406}};
    const int pictures[5] = {200, 204, 206, 205, 203};
    for (int i = 0; i < tips.size(); ++i) {
      QAction *a = toolbarButton(tips.at(i).first);
      a->setToolTip(builtinText(tips.at(i).second));
      a->setText(builtinText(tips.at(i).second));
      a->setIcon(QIcon(gui::resourcePicture(pictures[i])));
    }

    // Drawings of the arrangements.
    for (QLabel *img : imgAnordnung_) {
      const ArrangementInfo *info = arrangementByScreen(img->property("Tag").toString());
      if (!info) continue;
      QPixmap pm(gui::px(kDrawingWidth), gui::px(kDrawingHeight));
      pm.fill(Qt::white);
      QPainter painter(&pm);
      painter.setRenderHint(QPainter::Antialiasing);
      drawing::Options options;
      options.directionTexts = true;
      drawing::paint(painter, QRectF(QPointF(0, 0), QSizeF(pm.size())), info->id, options);
      painter.end();
      img->setPixmap(pm);
      img->adjustSize();
    }

    // Size boxes and frames.
    const auto &sizes = eval::sizes();
    for (int i = 0; i < eval::kBoxes; ++i) {
      chkGrSer_[i]->setText(QString::number(sizes[i % eval::kBoxesPerFrame]));
      chkGrSer_[i]->setProperty("Tag", -1);
      colourBox(chkGrSer_[i]);
    }
    for (QCheckBox *ks : chkKSerie_) colourBox(ks);
    assignBoxes();

    showGridHeadings();
    updateServiceItems();
  } catch (const AppError &e) {
    msg::critical(e.description(), QStringLiteral("sSetLayout!"));
  } catch (const std::exception &e) {
    msg::critical(QString::fromLocal8Bit(e.what()), QStringLiteral("sSetLayout!"));
  }
}

void FrmAuswertung::assignBoxes() {
  const TextRows &result = session_.gastrResult;
  const eval::SizeBoxes boxes = eval::assignSizeBoxes(result);
  for (int i = 0; i < eval::kBoxes; ++i) {
    chkGrSer_[i]->setProperty("Tag", boxes.tag[i]);
    chkGrSer_[i]->setEnabled(boxes.enabled[i]);
  }
  captionFrames(boxes);
  // More series than frames, or sizes the boxes do not know: the rows placed so far
  // stay usable, the message names what went wrong.
  if (!boxes.error.isEmpty()) msg::critical(boxes.error, QStringLiteral("sSetLayout!"));
}

eval::SizeBoxes FrmAuswertung::boxesShown() const {
  eval::SizeBoxes boxes;
  for (int i = 0; i < eval::kBoxes; ++i) {
    boxes.tag[i] = boxTag(i);
    boxes.enabled[i] = chkGrSer_[i]->isEnabled();
  }
  return boxes;
}

void FrmAuswertung::captionFrames(const eval::SizeBoxes &boxes) {
  const TextRows &result = session_.gastrResult;
  for (int k = 0; k < eval::kFrames; ++k) {
    const bool used = eval::frameUsed(boxes, k);
    QCheckBox *ks = chkKSerie_[k];
    ks->setText(eval::frameCaption(session_, result, boxes, k));
    ks->setEnabled(used);
    // The box is as wide as its caption, so that the whole coloured area takes clicks.
    ks->setFixedWidth(std::min(ks->sizeHint().width() + gui::px(90), fraSerie_[k]->width() - 2 * gui::px(kBoxLeft)));
    if (used && k == eval::kFrames - 1) showNinthFrame();
  }
}

void FrmAuswertung::showGridHeadings() {
  QStringList headings;
  for (int h : kGridHeadings) headings << builtinText(h);
  grid_->setColumnCount(kGridColumns);
  grid_->setHorizontalHeaderLabels(headings);
  for (int c = 0; c < kGridColumns; ++c) {
    const Qt::Alignment a = centredColumn(c, kGridColumns - 1) ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter);
    grid_->horizontalHeaderItem(c)->setTextAlignment(a);
  }
  fitAndHideColumns();
}

void FrmAuswertung::showNinthFrame() {
  if (ninthShown_) return;
  ninthShown_ = true;
  // The frame takes its row below the other eight; the grid and the side column move
  // down, and the window grows by as much.
  fraSerie_.at(eval::kFrames - 1)->setVisible(true);
  if (!designSize_.isEmpty()) fitDesignSize();
}

// The design size is the least the window shows, with every text in place; the window
// can be resized and maximised beyond it, and the result grid grows with it.
void FrmAuswertung::fitDesignSize() {
  centralWidget()->layout()->activate();
  layout()->activate();
  designSize_ = sizeHint().expandedTo(minimumSizeHint());
  setMinimumSize(designSize_);
  resize(size().expandedTo(designSize_));
}

void FrmAuswertung::updateServiceItems() {
  const AppServices::Evaluation &s = services();
  menuItem(QStringLiteral("MenüDrucken"))->setEnabled(evaluated_ && bool(s.print));
  menuItem(QStringLiteral("MenüSpeichern"))->setEnabled(evaluated_ && bool(s.save));
  menuItem(QStringLiteral("MenüCsv"))->setEnabled(evaluated_);
  menuItem(QStringLiteral("MenüParameterstudie"))->setEnabled(document_ != nullptr);
  for (const auto &[name, service] : {std::pair{QStringLiteral("MenüPdf"), bool(s.pdf)},
                                      std::pair{QStringLiteral("MenüSeitenansicht"), bool(s.preview)}}) {
    menuItem(name)->setVisible(service);
    menuItem(name)->setEnabled(evaluated_ && service);
  }
  menuItem(QStringLiteral("MenüInhalt"))->setEnabled(bool(s.help));
  menuItem(QStringLiteral("MenüInfoDB"))->setEnabled(bool(s.showList));
  menuItem(QStringLiteral("MenüVertreter"))->setEnabled(bool(s.showList));
  menuItem(QStringLiteral("MenüEMail"))->setEnabled(bool(s.openLink));
  menuItem(QStringLiteral("MenüWeb"))->setEnabled(bool(s.openLink));
  menuItem(QStringLiteral("MenüInfo"))->setEnabled(bool(s.about));
  toolbarButton(QStringLiteral("Inhalt"))->setEnabled(bool(s.help));
  toolbarButton(QStringLiteral("Druckmanager"))->setEnabled(bool(s.openReport));
  menuItem(QStringLiteral("MenüDruckmanager"))->setEnabled(bool(s.openReport));
}

void FrmAuswertung::openList(int code) {
  if (services().showList) services().showList(session_, this, code);
}

// ---------------------------------------------------------------------------------
// Ticking

void FrmAuswertung::colourBox(QCheckBox *box) {
  QPalette pal = box->palette();
  pal.setColor(QPalette::Window, box->isChecked() ? gui::vbColor(kYellow) : gui::systemColor(5));
  box->setPalette(pal);
}

void FrmAuswertung::setBoxValue(QCheckBox *box, bool ticked) {
  box->setChecked(ticked);
  colourBox(box);
}

void FrmAuswertung::chkGrSer_Click(int index) {
  if (index < 0 || index >= chkGrSer_.size()) return;
  colourBox(chkGrSer_[index]);
  input::noteChange();
  commitTicks();
  emit evaluationInputChanged();
}

void FrmAuswertung::showDocumentInput() {
  if (!document_) return;
  const calcfile::Case &in = document_->input();
  // The sizes the calculation ticks, matched to the boxes as every run matches them.
  eval::SizeBoxes boxes;
  for (int i = 0; i < eval::kBoxes; ++i) {
    boxes.tag[i] = boxTag(i);
    boxes.enabled[i] = chkGrSer_[i]->isEnabled();
  }
  const run::Ticks ticks = run::ticksOf(in, session_.gastrResult, boxes);
  for (int i = 0; i < eval::kBoxes; ++i)
    if (boxes.enabled[i]) setBoxValue(chkGrSer_[i], ticks.ticked[i]);
  // The load type the document holds, with its required safety in force (a load type
  // undone or redone here).
  if (in.loadType != session_.gintLoadType) run::chooseLoadType(session_, in.loadType);
  optBelArt_[qBound(0, session_.gintLoadType, 2)]->setChecked(true);
  showDutyTexts();
  if (in.requiredLife) cboLebensdauer_->setCurrentIndex(in.requiredLife->hours ? 0 : 1);
  emit evaluationInputChanged();
}

void FrmAuswertung::showDutyTexts() {
  const calcfile::Case &in = document_->input();
  // No duty in the document: the fields are empty (a duty undone back to none).
  const loads::DutyTexts duty = in.duty ? *in.duty : loads::DutyTexts{};
  const QString texts[] = {duty.stroke, duty.cyclesPerMinute, duty.hoursPerDay, duty.daysPerYear};
  for (int i = 0; i < 4; ++i)
    if (tbBetrieb_[i]->text() != texts[i]) tbBetrieb_[i]->setText(texts[i]);
  const QString life = in.requiredLife ? in.requiredLife->value : QString();
  if (tbLebensdauer_->text() != life) tbLebensdauer_->setText(life);
}

loads::RequiredLifeTexts FrmAuswertung::requiredLifeTexts() const {
  return {tbLebensdauer_->text(), cboLebensdauer_->currentIndex() == 0};
}

void FrmAuswertung::commitRequiredLife() {
  if (!document_) return;
  calcfile::Case c = document_->input();
  const loads::RequiredLifeTexts life = requiredLifeTexts();
  c.requiredLife = life.value.isEmpty() ? std::nullopt : std::optional<loads::RequiredLifeTexts>(life);
  document_->edit(builtinText(1559), c, QStringLiteral("requiredLife"));
}

void FrmAuswertung::commitTicks() {
  if (!document_) return;
  calcfile::Case c = document_->input();
  c.ticked.clear();
  bool all = true;
  const TextRows &results = session_.gastrResult;
  for (int i = 0; i < eval::kBoxes; ++i) {
    const int tag = boxTag(i);
    if (!chkGrSer_[i]->isEnabled() || tag < 1 || tag > results.size()) continue;
    const ResultRow row = ResultRow::of(results.at(tag - 1));
    if (chkGrSer_[i]->isChecked()) c.ticked.append({row.serie, row.size});
    else all = false;
  }
  // Every size ticked is written as such.
  c.tickAll = all && !c.ticked.isEmpty();
  if (c.tickAll) c.ticked.clear();
  document_->edit(builtinText(1534), c);
}

void FrmAuswertung::commitDuty() {
  if (!document_) return;
  calcfile::Case c = document_->input();
  const loads::DutyTexts duty{tbBetrieb_[0]->text(), tbBetrieb_[1]->text(), tbBetrieb_[2]->text(),
                              tbBetrieb_[3]->text()};
  c.duty = duty == loads::DutyTexts{} ? std::nullopt : std::optional<loads::DutyTexts>(duty);
  document_->edit(builtinText(1535), c, QStringLiteral("duty"));
}

void FrmAuswertung::chkKSerie_Click(int frame) {
  if (frame < 0 || frame >= chkKSerie_.size()) return;
  QCheckBox *ks = chkKSerie_[frame];
  colourBox(ks);
  input::noteChange();
  const bool on = ks->isChecked();
  for (int p = 0; p < eval::kBoxesPerFrame; ++p) {
    QCheckBox *box = chkGrSer_[frame * eval::kBoxesPerFrame + p];
    if (on) {
      if (box->isEnabled()) setBoxValue(box, true);
    } else {
      setBoxValue(box, false);
    }
  }
  commitTicks();
  emit evaluationInputChanged();
}

void FrmAuswertung::OptBelArt_Click(int index) {
  if (index < 0 || index > 2) return;
  if (setRequiredSafety(session_, index)) {
    session_.gintLoadType = index;
    if (document_) {
      calcfile::Case c = document_->input();
      c.loadType = index;
      document_->edit(builtinText(1536), c);
    }
    emit evaluationInputChanged();
  } else {
    // The safety in force did not change, so neither does the load type shown.
    optBelArt_[qBound(0, session_.gintLoadType, 2)]->setChecked(true);
  }
}

// ---------------------------------------------------------------------------------
// Evaluation

void FrmAuswertung::runProgressDisplay() {
  progressBar_->setVisible(true);
  progressBar_->setValue(0);
  progressBar_->raise();
  for (int counter = 5; counter <= 10000; counter += 5) {
    const int value = static_cast<int>(num::roundHalfEven(counter / 100.0));
    if (value != progressBar_->value()) {
      progressBar_->setValue(value);
      progressBar_->repaint();
    }
  }
  progressBar_->setVisible(false);
}

void FrmAuswertung::CmdBerechnen_Click() {
  std::array<bool, eval::kBoxes> ticked{};
  for (int i = 0; i < eval::kBoxes; ++i) ticked[i] = chkGrSer_[i]->isChecked();
  std::array<int, eval::kBoxes> tags;
  for (int i = 0; i < eval::kBoxes; ++i) tags[static_cast<size_t>(i)] = boxTag(i);
  // The group "Betrieb" is read first: a figure that is no number or not above 0 stops
  // the run before anything changes.
  const loads::DutyTexts duty{tbBetrieb_[0]->text(), tbBetrieb_[1]->text(), tbBetrieb_[2]->text(),
                              tbBetrieb_[3]->text()};
  const run::Evaluation evaluation = run::evaluate(session_, tags, ticked, duty, requiredLifeTexts());
  if (evaluation.dutyRefused) return;
  refused_ = evaluation.run.refused;
  evaluated_ = true;
  updateServiceItems();
  runProgressDisplay();
  // What the run rated, also the rows so far of a run that broke off.
  shownRows_ = evaluation.run.rows;
  shownExtraHead_ = evaluation.run.extraHead;
  showEvaluation();
}

void FrmAuswertung::showEvaluation() {
  const QVector<EvaluationRow> &rows = shownRows_;
  const QVector<int> &extraHead = shownExtraHead_;
  const bool lifeColumn = session_.gRequiredLife.given();
  const bool rated = !rows.isEmpty() && !rows.constFirst().blank();
  const bool sizing = session_.showsSizing() && rated;
  const eval::Sizing choice = sizing ? eval::chooseSizes(rows) : eval::Sizing{};
  const bool english = interfaceLanguage() == Language::English;

  grid_->setUpdatesEnabled(false);
  grid_->setRowCount(0);
  // Extra columns (equivalent load, hours, years) stand where their values belong.
  QStringList headings, extraHeadings;
  for (int h : kGridHeadings) headings << builtinText(h);
  for (int h : extraHead) extraHeadings << builtinText(h);
  headings = eval::withExtraColumns(headings, extraHead, extraHeadings);
  // The life verdict stands beside the verdict.
  const int verdictColumn = headings.size() - 1;
  if (lifeColumn) headings << builtinText(1540);
  const int columns = headings.size();
  grid_->setColumnCount(columns);
  grid_->setHorizontalHeaderLabels(headings);
  for (int c = 0; c < columns; ++c)
    grid_->horizontalHeaderItem(c)->setTextAlignment(
        centredColumn(c, verdictColumn) ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter));
  grid_->setRowCount(rows.size());
  bool anyByCheck = false;
  // A size that fails (load too high, distances too small) is drawn in the warning
  // colour of the load display.
  const QColor warning = gui::vbColor(gflngSetColor(session_, 702));
  for (int r = 0; r < rows.size(); ++r) {
    const EvaluationRow &row = rows.at(r);
    QStringList fields = eval::gridRow(row, extraHead);
    // The verdicts in the language of the screen.
    if (!row.blank()) fields[verdictColumn] = eval::verdictText(row.verdict, english);
    if (lifeColumn) fields << eval::lifeVerdictText(row, english);
    const bool byCheck = row.byCheck;
    anyByCheck = anyByCheck || byCheck;
    const bool fails = eval::fails(row);
    const bool recommended = choice.rows.value(r).recommended;
    for (int c = 0; c < columns; ++c) {
      QString text = c < fields.size() ? fields.at(c) : QString();
      // The load of a row rated with the rigid-plate check carries the legend's marker.
      if (byCheck && c == kLoadColumn) text += QLatin1Char(' ') + builtinText(1001);
      // The recommended size of its series: marked at its size, the row in bold.
      if (recommended && c == 1) text += QLatin1Char(' ') + builtinText(1556);
      auto *cell = new QTableWidgetItem(text);
      cell->setTextAlignment(columnAlignment(c, verdictColumn, text));
      if (byCheck && c == kLoadColumn) cell->setToolTip(builtinText(1002));
      const bool lifeFails = c == verdictColumn + 1 && row.lifeOk == false;
      if (fails || lifeFails) cell->setForeground(warning);
      if (recommended) {
        QFont f = cell->font();
        f.setBold(true);
        cell->setFont(f);
      }
      grid_->setItem(r, c, cell);
    }
  }
  placeLegend(anyByCheck);
  labEmpfehlung_->setVisible(sizing);
  labVorschlag_->setVisible(sizing);
  if (sizing)
    labVorschlag_->setText(eval::suggestionText(choice.suggestion >= 0 ? &rows.at(choice.suggestion) : nullptr, english));
  grid_->setUpdatesEnabled(true);
  fitAndHideColumns();
  emit evaluationShown();
}

void FrmAuswertung::placeLegend(bool shown) { labPlatte_->setVisible(shown); }

void FrmAuswertung::fitAndHideColumns() {
  gui::gsubSetColWidth(this, grid_, false);
  for (int c = 3; c <= 5; ++c)
    grid_->setColumnHidden(c, !menuItem(QStringLiteral("MenüAnsichtTabelle%1").arg(c))->isChecked());
}

void FrmAuswertung::MenuAnsichtTabelle_Click(int column) {
  Q_UNUSED(column);  // the item's check mark was toggled; every column follows its item
  fitAndHideColumns();
}

// ---------------------------------------------------------------------------------
// Navigation

void FrmAuswertung::Toolbar1_ButtonClick(const QString &key) {
  if (key == QStringLiteral("Inhalt")) {
    if (services().help) services().help();
  } else if (key == QStringLiteral("Zurück")) {
    MenuZurueck_Click();
  } else if (key == QStringLiteral("Berechnen")) {
    cmdBerechnen_->click();
  } else if (key == QStringLiteral("Druckmanager")) {
    if (!services().openReport) return;
    cmdBerechnen_->click();
    // A report without verdicts, over a required safety of 0, would mislead.
    if (refused_) return;
    services().openReport(this);
  } else if (key == QStringLiteral("Exit")) {
    endProgram();
  }
}

void FrmAuswertung::MenuZurueck_Click() { close(); }

UnitLoadsPanel *FrmAuswertung::unitLoadsPanel() const { return unitLoads_; }

void FrmAuswertung::showUnitLoads(bool shown) {
  if (!shown) {
    if (unitLoads_) unitLoads_->hide();
    return;
  }
  if (!unitLoads_) {
    const ArrangementInfo *info = arrangementByScreen(masterScreenName());
    if (!info) return;
    unitLoads_ = new UnitLoadsPanel(session_, info->id, this);
    connect(unitLoads_, &UnitLoadsPanel::closed, this,
            [this] { menuItem(QStringLiteral("MenüLastenJeEinheit"))->setChecked(false); });
  }
  updateUnitLoads();
  unitLoads_->placeBeside(grid_);
  unitLoads_->show();
  unitLoads_->raise();
}

void FrmAuswertung::updateUnitLoads() {
  if (!unitLoads_) return;
  const int r = grid_->currentRow();
  unitLoads_->showRow(r >= 0 && r < shownRows_.size() ? &shownRows_.at(r) : nullptr);
}

void FrmAuswertung::MenuCsv_Click() { evalui::exportEvaluationCsv(session_, this); }

void FrmAuswertung::MenuParameterstudie_Click() {
  if (!document_) return;
  FrmParameterstudie *study = findChild<FrmParameterstudie *>(QString(), Qt::FindDirectChildrenOnly);
  if (!study) study = new FrmParameterstudie(session_, document_, this);
  study->show();
  study->raise();
  study->activateWindow();
}

void FrmAuswertung::endProgram() {
  // Ending throws the distances, forces and ticks away: ask first.
  if (!input::confirmDiscard(filemenu::saveFor(this, session_))) return;
  msg::endProgram(0);
}

bool FrmAuswertung::eventFilter(QObject *watched, QEvent *event) {
  if (watched == grid_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
      static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
    if (event->type() == QEvent::KeyPress) copySelection();
    event->accept();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void FrmAuswertung::copySelection() {
  const QString text = eval::selectionAsText(grid_);
  if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

void FrmAuswertung::closeEvent(QCloseEvent *event) {
  if (!leaving_) {
    leaving_ = true;
    if (master_) master_->show();
    session_.gsngUnitDistance = 0.0f;
    session_.gsngRailDistance = 0.0f;
  }
  event->accept();
}

// ---------------------------------------------------------------------------------

QImage FrmAuswertung::grabScreen(Session &session, QWidget *masterForm, int tickFrames, bool calculate) {
  auto *screen = new FrmAuswertung(session, masterForm);
  screen->setAttribute(Qt::WA_DontShowOnScreen, true);
  screen->show();
  for (int k = 0; k < eval::kFrames && k < tickFrames; ++k) {
    if (!screen->chkKSerie(k)->isEnabled()) continue;
    screen->chkKSerie(k)->setChecked(true);
    screen->chkKSerie_Click(k);
  }
  if (calculate) screen->CmdBerechnen_Click();
  QApplication::processEvents();
  const QImage image = screen->grab().toImage();
  // Leave without touching the hand-over values or the master.
  screen->leaving_ = true;
  screen->setAttribute(Qt::WA_DeleteOnClose, false);
  screen->hide();
  delete screen;
  return image;
}
