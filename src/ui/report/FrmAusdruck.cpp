#include "ui/report/FrmAusdruck.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QMdiArea>
#include <QMenuBar>
#include <QMdiSubWindow>
#include <QTimer>
#include <QMenu>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>

#include "core/common/Errors.h"
#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "ui/report/FrmFormular.h"
#include "ui/report/ReportCommands.h"
#include "ui/report/ReportHooks.h"
#include "ui/report/ReportPictures.h"
#include "ui/evaluation/EvaluationCharts.h"

namespace {
QPointer<FrmAusdruck> &openWindow() {
  static QPointer<FrmAusdruck> w;
  return w;
}

struct ButtonDef {
  const char *key;
  int tooltip;
};
// The zoom choices fitted to the page window, by the data they carry in the zoom box.
const QString kFitWidth = QStringLiteral("width");
const QString kFitPage = QStringLiteral("page");

// The toolbar by key and tool tip text, in its order.
const ButtonDef kButtons[] = {{"Zurück", 417},    {"Nebeneinander", 418}, {"Überlappend", 419},
                              {"Schließen", 420}, {"Formular", 421},      {"Drucken", 422},
                              {"Speichern", 423}, {"Sprache", 424},       {"Einstellungen", 425},
                              {"Hilfe", 415}};
}  // namespace

void openReportWindow(Session &session, QWidget *evaluationScreen, const QString &masterScreenName) {
  QPointer<FrmAusdruck> &w = openWindow();
  if (!w) {
    w = new FrmAusdruck(session, evaluationScreen, masterScreenName);
    w->setAttribute(Qt::WA_DeleteOnClose);
    // A report page is tall: the window takes the whole of the screen's free area, and
    // the page is shown at the width of its window, readable without scrolling sideways.
    w->zoomBox()->setCurrentIndex(w->zoomBox()->findData(kFitWidth));
    w->showMaximized();
  }
  w->show();
  w->raise();
  w->activateWindow();
}

FrmAusdruck *FrmAusdruck::current() { return openWindow().data(); }

FrmAusdruck::FrmAusdruck(Session &session, QWidget *evaluationScreen, const QString &masterScreenName)
    : QMainWindow(evaluationScreen, Qt::Window), session_(session), master_(masterScreenName) {
  setObjectName(QStringLiteral("FrmAusdruck"));
  area_ = new QMdiArea(this);
  area_->setObjectName(QStringLiteral("MDIForm"));
  area_->setBackground(QColor(128, 128, 128));
  setCentralWidget(area_);
  try {
    setWindowIcon(gui::windowIcon(session_));
    buildToolbar();
    showTexts();
    // The first page speaks the language of the screens; "Sprache" chooses the other.
    if (QAction *language = button(QStringLiteral("Sprache")))
      language->setChecked(interfaceLanguage() == Language::English);
  } catch (const AppError &e) {
    msg::critical(e.description(), QStringLiteral("sSetLayout!"));
  }
  connect(area_, &QMdiArea::subWindowActivated, this, &FrmAusdruck::onPageActivated);
  // Large enough for a whole page where the screen allows it, centred on the screen of
  // the evaluation.
  gui::placeWindow(this, QSize(gui::px(FrmFormular::kPageWidth) + 120, gui::px(FrmFormular::kPageHeight) + 160),
                   evaluationScreen);
  sSetFormular();
}

FrmAusdruck::~FrmAusdruck() = default;

void FrmAusdruck::closeEvent(QCloseEvent *event) {
  QMainWindow::closeEvent(event);
  // A closed window is gone for good, even while it waits to be deleted.
  if (event->isAccepted() && openWindow() == this) openWindow() = nullptr;
}

void FrmAusdruck::buildToolbar() {
  Toolbar1 = addToolBar(QStringLiteral("Toolbar1"));
  Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
  Toolbar1->setMovable(false);
  Toolbar1->setIconSize(QSize(24, 24));
  for (const ButtonDef &def : kButtons) {
    const QString key = QString::fromUtf8(def.key);
    auto *a = new QAction(this);
    a->setObjectName(key);
    a->setIcon(report::toolbarPicture(key));
    buttons_.insert(key, a);
    if (key == QLatin1String("Drucken")) {
      // "Drucken" prints at once; its drop-down offers the printer setup.
      auto *menu = new QMenu(this);
      printItem_ = menu->addAction(QString());
      gui::showText(printItem_, 528);
      setupItem_ = menu->addAction(QString());
      gui::showText(setupItem_, 529);
      // Without a printer: the same printout as a PDF file, or on screen.
      menu->addSeparator();
      pdfItem_ = menu->addAction(QString());
      gui::showText(pdfItem_, 1204);
      previewItem_ = menu->addAction(QString());
      gui::showText(previewItem_, 1205);
      printButton_ = new QToolButton(this);
      printButton_->setObjectName(QStringLiteral("DruckenButton"));
      printButton_->setDefaultAction(a);
      printButton_->setMenu(menu);
      printButton_->setPopupMode(QToolButton::MenuButtonPopup);
      Toolbar1->addWidget(printButton_);
      connect(printItem_, &QAction::triggered, this, [this] { onButton(QStringLiteral("Drucken")); });
      connect(setupItem_, &QAction::triggered, this, [this] { onButton(QStringLiteral("Druckereinrichtung")); });
      connect(pdfItem_, &QAction::triggered, this,
              [this] { report::reportPdf(session_, this, activeLanguage(), master_, chartPainter()); });
      connect(previewItem_, &QAction::triggered, this,
              [this] { report::reportPreview(session_, this, activeLanguage(), master_, chartPainter()); });
    } else {
      Toolbar1->addAction(a);
    }
    if (key == QLatin1String("Sprache")) {
      a->setCheckable(true);
      connect(a, &QAction::toggled, this, [this] { sSetToolb(); });
    } else {
      connect(a, &QAction::triggered, this, [this, key] { onButton(key); });
    }
  }
  buttons_.value(QStringLiteral("Einstellungen"))->setVisible(false);
  // F1: the manual.
  auto *manual = new QAction(this);
  manual->setObjectName(QStringLiteral("Manual"));
  manual->setShortcut(QKeySequence::HelpContents);
  connect(manual, &QAction::triggered, this, [] {
    if (app::services().dialogs.manual) app::services().dialogs.manual();
  });
  addAction(manual);

  // The zoom of the pages: fitted to the width or the whole page, or 50 to 200 %.
  Toolbar1->addSeparator();
  zoom_ = new QComboBox(this);
  zoom_->setObjectName(QStringLiteral("Zoom"));
  zoom_->addItem(QString(), kFitWidth);
  zoom_->addItem(QString(), kFitPage);
  for (int percent : {50, 75, 100, 125, 150, 200}) zoom_->addItem(QStringLiteral("%1 %").arg(percent), percent);
  zoom_->setCurrentIndex(zoom_->findData(100));
  Toolbar1->addWidget(zoom_);
  connect(zoom_, &QComboBox::currentIndexChanged, this, [this] {
    for (FrmFormular *page : pages()) applyZoom(page);
  });
  // The charts are the user's choice: the report as it always was unless he asks for them.
  Toolbar1->addSeparator();
  chkDiagramme_ = new QCheckBox(this);
  gui::showText(chkDiagramme_, 1630);
  chkDiagramme_->setObjectName(QStringLiteral("ChkDiagramme"));
  Toolbar1->addWidget(chkDiagramme_);
  connect(chkDiagramme_, &QCheckBox::toggled, this, [this] {
    for (FrmFormular *page : pages()) page->setCharts(chartPainter());
  });
  buttons_.value(QStringLiteral("Hilfe"))->setEnabled(static_cast<bool>(app::services().dialogs.aboutBox));
  sSetToolb();
  buildMenus(manual);
}

// Every toolbar button is in the menus too, for the keyboard (Alt and the underlined
// letters, or F10): the menu entries trigger the buttons' own actions.
void FrmAusdruck::buildMenus(QAction *manual) {
  QMenuBar *bar = menuBar();
  auto entry = [this](QMenu *menu, const QString &key, int text, const QKeySequence &shortcut = {}) {
    QAction *item = menu->addAction(QString());
    gui::showText(item, text);
    item->setObjectName(QStringLiteral("Menü") + key);
    item->setShortcut(shortcut);
    QAction *tool = buttons_.value(key);
    connect(item, &QAction::triggered, tool, &QAction::trigger);
    item->setEnabled(tool->isEnabled());
    connect(tool, &QAction::enabledChanged, item, &QAction::setEnabled);
    return item;
  };
  QMenu *datei = bar->addMenu(QString());
  gui::showText(datei, 500);
  entry(datei, QStringLiteral("Formular"), 421, QKeySequence::New);
  datei->addSeparator();
  QAction *print = datei->addAction(QString());
  gui::showText(print, 528);
  print->setObjectName(QStringLiteral("MenüDrucken"));
  print->setShortcut(QKeySequence::Print);
  connect(print, &QAction::triggered, printItem_, &QAction::trigger);
  for (QAction *item : {setupItem_, pdfItem_, previewItem_}) datei->addAction(item);
  entry(datei, QStringLiteral("Speichern"), 423, QKeySequence::Save);
  datei->addSeparator();
  entry(datei, QStringLiteral("Zurück"), 501);

  QMenu *ansicht = bar->addMenu(QString());
  gui::showText(ansicht, 505);
  QAction *language = ansicht->addAction(QString());
  gui::showText(language, 424);
  language->setObjectName(QStringLiteral("MenüSprache"));
  language->setCheckable(true);
  QAction *languageButton = buttons_.value(QStringLiteral("Sprache"));
  connect(language, &QAction::toggled, languageButton, &QAction::setChecked);
  connect(languageButton, &QAction::toggled, language, &QAction::setChecked);
  QAction *charts = ansicht->addAction(QString());
  gui::showText(charts, 1631);
  charts->setObjectName(QStringLiteral("MenüDiagramme"));
  charts->setCheckable(true);
  connect(charts, &QAction::toggled, chkDiagramme_, &QCheckBox::setChecked);
  connect(chkDiagramme_, &QCheckBox::toggled, charts, &QAction::setChecked);

  QMenu *fenster = bar->addMenu(QString());
  gui::showText(fenster, 1523);
  entry(fenster, QStringLiteral("Nebeneinander"), 418);
  entry(fenster, QStringLiteral("Überlappend"), 419);
  entry(fenster, QStringLiteral("Schließen"), 420);

  QMenu *hilfe = bar->addMenu(QStringLiteral("&?"));
  gui::showText(manual, 509);
  hilfe->addAction(manual);
  entry(hilfe, QStringLiteral("Hilfe"), 514);
}

void FrmAusdruck::showTexts() {
  // The title names the screen after the program caption.
  setWindowTitle(screenCaption(session_, gfstrSetText(session_, 171)));
  // The buttons show pictures; their text (what a screen reader says) is their hint.
  for (const ButtonDef &def : kButtons) {
    QAction *a = button(QString::fromUtf8(def.key));
    a->setToolTip(builtinText(def.tooltip));
    a->setText(builtinText(def.tooltip));
  }
  zoom_->setToolTip(builtinText(1117));
  zoom_->setItemText(0, builtinText(1115));
  zoom_->setItemText(1, builtinText(1116));
  chkDiagramme_->setToolTip(builtinText(1632));
  gui::retext(this);
}

void FrmAusdruck::changeEvent(QEvent *event) {
  // The window's own texts; the pages keep the language they were made in.
  if (event->type() == QEvent::LanguageChange && zoom_) showTexts();
  QMainWindow::changeEvent(event);
}

void FrmAusdruck::sSetToolb() {
  // Picture by the button state and the language rule of resource text 900.
  const int tag = builtinText(900).trimmed().toInt();
  const int state = languageState();
  static const int table[2][2] = {{1, 2}, {2, 1}};  // [tag][state]
  languagePicture_ = table[tag == 0 ? 0 : 1][state];
  if (QAction *a = button(QStringLiteral("Sprache"))) a->setIcon(report::languagePicture(languagePicture_));
}

bool FrmAusdruck::chartsChosen() const { return chkDiagramme_ && chkDiagramme_->isChecked(); }

report::ChartPainter FrmAusdruck::chartPainter() const {
  if (!chartsChosen()) return {};
  const Session *session = &session_;
  return [session](QPainter &painter, const QRectF &area, int k) { charts::paint(*session, painter, area, k); };
}

int FrmAusdruck::languageState() const {
  const QAction *a = button(QStringLiteral("Sprache"));
  return a && a->isChecked() ? report::English : report::German;
}

FrmFormular *FrmAusdruck::activePage() const {
  // The current page stays current while another program has the focus.
  QMdiSubWindow *w = area_->currentSubWindow();
  return w ? qobject_cast<FrmFormular *>(w->widget()) : nullptr;
}

int FrmAusdruck::activeLanguage() const {
  // Activating a page sets "Sprache" to the page's language; pressing it afterwards
  // chooses the language of the next printout or file.
  return languageState();
}

QList<FrmFormular *> FrmAusdruck::pages() const {
  QList<FrmFormular *> out;
  for (QMdiSubWindow *w : area_->subWindowList()) {
    if (w->isHidden()) continue;  // closed, waiting to be deleted
    if (auto *page = qobject_cast<FrmFormular *>(w->widget())) out << page;
  }
  return out;
}

FrmFormular *FrmAusdruck::sSetFormular() {
  auto *page = new FrmFormular(session_, languageState(), master_);
  if (chartsChosen()) page->setCharts(chartPainter());
  QMdiSubWindow *w = area_->addSubWindow(page);
  w->setAttribute(Qt::WA_DeleteOnClose);
  w->setWindowTitle(page->windowTitle());
  w->setWindowIcon(gui::windowIcon(session_));
  placePage(w, static_cast<int>(pages().size()));
  w->show();
  applyZoom(page);
  area_->setActiveSubWindow(w);
  return page;
}

void FrmAusdruck::placePage(QMdiSubWindow *w, int index) {
  auto *page = qobject_cast<FrmFormular *>(w->widget());
  if (!page) return;
  const QSize room = area_->viewport()->size();
  const int offset = 24 * (index % 6);
  // The whole page at 100 %, whatever the zoom in force made of its sheet.
  const QSize wanted(page->sheetBaseSize().width() + 40, page->sheetBaseSize().height() + 40);
  const QSize size = wanted.boundedTo(room - QSize(offset, offset)).expandedTo(QSize(200, 150));
  w->setGeometry(std::max(0, std::min(offset, room.width() - size.width())),
                 std::max(0, std::min(offset, room.height() - size.height())), size.width(), size.height());
  w->setProperty("placed", w->geometry());
}

void FrmAusdruck::replacePages() {
  int i = 0;
  for (QMdiSubWindow *w : area_->subWindowList()) {
    if (w->isHidden()) continue;
    const int index = i++;
    if (w->geometry() != w->property("placed").toRect()) continue;  // arranged by the user
    placePage(w, index);
    if (auto *page = qobject_cast<FrmFormular *>(w->widget())) applyZoom(page);
  }
}

// The first page is made before the window has its size, and the window manager gives
// the size (maximised) only after the window shows: the pages the user has not arranged
// follow the room the window gets.
void FrmAusdruck::showEvent(QShowEvent *event) {
  QMainWindow::showEvent(event);
  QTimer::singleShot(0, this, [this] { replacePages(); });
}

void FrmAusdruck::resizeEvent(QResizeEvent *event) {
  QMainWindow::resizeEvent(event);
  QTimer::singleShot(0, this, [this] { replacePages(); });
}

void FrmAusdruck::applyZoom(FrmFormular *page) const {
  if (!zoom_) return;
  const QVariant v = zoom_->currentData();
  if (v.toString() == kFitWidth) page->setFit(FrmFormular::Fit::Width);
  else if (v.toString() == kFitPage) page->setFit(FrmFormular::Fit::Page);
  else page->setZoom(v.toInt() / 100.0);
}

void FrmAusdruck::onPageActivated(QMdiSubWindow *window) {
  if (!window) return;
  const auto *page = qobject_cast<FrmFormular *>(window->widget());
  if (!page) return;
  // Printing and saving always follow the language of the page in front.
  if (QAction *a = button(QStringLiteral("Sprache"))) a->setChecked(page->Tag() == report::English);
  sSetToolb();
}

void FrmAusdruck::tileSideBySide() {
  const QList<QMdiSubWindow *> windows = area_->subWindowList();
  if (windows.isEmpty()) return;
  const QRect space = area_->viewport()->rect();
  const int width = space.width() / static_cast<int>(windows.size());
  int x = 0;
  for (QMdiSubWindow *w : windows) {
    if (w->isMinimized() || w->isMaximized()) w->showNormal();
    w->setGeometry(x, 0, width, space.height());
    x += width;
  }
}

void FrmAusdruck::onButton(const QString &key) {
  if (key == QStringLiteral("Zurück")) {
    close();
  } else if (key == QLatin1String("Nebeneinander")) {
    tileSideBySide();
  } else if (key == QStringLiteral("Überlappend")) {
    area_->cascadeSubWindows();
  } else if (key == QStringLiteral("Schließen")) {
    if (QMdiSubWindow *page = area_->currentSubWindow()) page->close();
  } else if (key == QLatin1String("Formular")) {
    sSetFormular();
  } else if (key == QLatin1String("Drucken")) {
    report::sPrint(session_, this, activeLanguage(), master_, chartPainter());
  } else if (key == QLatin1String("Druckereinrichtung")) {
    report::sSetPrint(session_, this, activeLanguage(), master_, chartPainter());
  } else if (key == QLatin1String("Speichern")) {
    report::SpeichernUnter(session_, this, activeLanguage());
  } else if (key == QLatin1String("Hilfe")) {
    if (app::services().dialogs.aboutBox) app::services().dialogs.aboutBox(session_, this);
  }
  // "Einstellungen": nothing.
}
