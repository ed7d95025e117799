// The report window with real widgets: pages and their language, the toolbar, the comment
// fields and the comment dialog, saving and printing through replaceable dialogs.
#include <gtest/gtest.h>

#include <QComboBox>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "support/PdfText.h"
#include "core/common/Session.h"
#include "output/report/ReportFixture.h"
#include "ui/common/AppServices.h"
#include "core/common/Messages.h"
#include "ui/report/FrmAusdruck.h"
#include "ui/report/FrmFormular.h"
#include "core/common/Texts.h"
#include "ui/report/FrmKommentar.h"
#include "output/report/PrintMetrics.h"
#include "output/report/ReportCanvas.h"
#include "ui/report/ReportCommands.h"
#include "ui/report/ReportHooks.h"
#include "output/report/ReportText.h"

namespace {

QString readAll(const QString &path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("<missing>");
  return QString::fromUtf8(f.readAll());
}

class ReportWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    fixture::fillEvaluation(session);
    AppServices services;
    services.dialogs = report::standardDialogs();
    services.dialogs.aboutBox = [this](Session &, QWidget *) { ++aboutShown; };
    services.dialogs.askSaveFileName = [this](QWidget *, const QStringList &filters, const QString &) {
      askedFilters = filters;
      return answerFile;
    };
    services.dialogs.selectPrinter = [this](QPrinter &p) {
      p.setOutputFormat(QPrinter::PdfFormat);
      p.setOutputFileName(pdfFile);
      p.setPageSize(QPageSize(QPageSize::A4));
      p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    };
    services.dialogs.busyWindow = [this](QWidget *) { ++busyShown; };
    app::install(std::move(services));
    pdfFile = dir.filePath("print.pdf");
    openReportWindow(session, nullptr, QStringLiteral("FrmZKaEDSch"));
    w = FrmAusdruck::current();
    ASSERT_TRUE(w);
  }
  void TearDown() override {
    if (w) w->close();
    QCoreApplication::processEvents();
    app::install({});
  }
  void press(const QString &key) { w->button(key)->trigger(); }

  Session session;
  QTemporaryDir dir;
  QString pdfFile;
  FrmAusdruck *w = nullptr;
  msg::Recorder rec;
  std::optional<QString> answerFile;
  QStringList askedFilters;
  int aboutShown = 0;
  int busyShown = 0;
};

}  // namespace

TEST_F(ReportWindow, OpensWithOneGermanPageAndItsToolbar) {
  // The title names the screen after the program caption.
  EXPECT_EQ(w->windowTitle(), windowCaption(session, 100) + " - Druckmanager");
  ASSERT_EQ(w->pages().size(), 1);
  FrmFormular *page = w->pages().first();
  EXPECT_EQ(page->Tag(), report::German);
  EXPECT_EQ(page->windowTitle(), "Berechnungsausdruck");
  EXPECT_EQ(w->button("Zurück")->toolTip(), "Zurück zur Auswertungsseite");
  EXPECT_EQ(w->button("Nebeneinander")->toolTip(), "Formulare nebeneinander anordnen");
  EXPECT_EQ(w->button("Drucken")->toolTip(), "Aktives Formular drucken");
  EXPECT_EQ(w->printItem()->text(), "Drucken");
  EXPECT_EQ(w->setupItem()->text(), "Druckereinrichtung ...");
  EXPECT_EQ(w->button("Sprache")->toolTip(), "Sprachauswahl");
  EXPECT_EQ(w->button("Hilfe")->toolTip(), "Programminformationen anzeigen");
  EXPECT_FALSE(w->button("Einstellungen")->isVisible());
  EXPECT_TRUE(w->button("Sprache")->isCheckable());
  EXPECT_EQ(w->languagePictureNumber(), 1);
  press("Hilfe");
  EXPECT_EQ(aboutShown, 1);
  // A second call brings the same window forward instead of a second one.
  openReportWindow(session, nullptr, QStringLiteral("FrmZKaEDSch"));
  EXPECT_EQ(FrmAusdruck::current(), w);
  EXPECT_EQ(w->pages().size(), 1);
}

// The English interface opens the report window on an English page; "Sprache" still
// chooses the other language.
TEST_F(ReportWindow, TheFirstPageSpeaksTheInterfaceLanguage) {
  setInterfaceLanguage(Language::English);
  {
    FrmAusdruck english(session, nullptr, QStringLiteral("FrmZKaEDSch"));
    ASSERT_EQ(english.pages().size(), 1);
    EXPECT_EQ(english.pages().first()->Tag(), report::English);
    EXPECT_TRUE(english.button("Sprache")->isChecked());
  }
  setInterfaceLanguage(Language::German);
}

TEST_F(ReportWindow, PageShowsTheDrawingOfTheArrangementInUseAndKeepsFieldsClearOfText) {
  FrmFormular *page = w->pages().first();
  EXPECT_TRUE(page->Frame1->isVisibleTo(page));
  int visible = 0;
  for (QWidget *img : page->ImgAnordnung) {
    if (img->isVisibleTo(page)) {
      ++visible;
      EXPECT_EQ(img->property("Tag").toString(), "FrmZKaEDSch");
    }
  }
  EXPECT_EQ(visible, 1);
  EXPECT_EQ(page->ImgAnordnung.size(), 6);
  // The page is 13000 twips high; the comment fields stand beside the arrangement line,
  // right of every text printed there.
  // At 100 % (the window opens at page width) the sheet has the page's own size.
  w->zoomBox()->setCurrentIndex(w->zoomBox()->findData(100));
  report::ReportCanvas c(nullptr, page->sheet(), 9);
  const FrmFormular::Plan plan = page->paintLines(c);
  auto px = [&](double twips) { return report::twipsToDevice(twips, c.dpi()); };
  EXPECT_NEAR(page->sheet()->height(), px(13000), 1);
  EXPECT_GE(page->sheet()->width(), std::lround(px(8700)));
  EXPECT_NEAR(page->FraKunde->y(), px(plan.arrangementY), 1);
  const QRect fields = page->FraKunde->geometry();
  for (const auto &e : c.extents()) {
    const QRectF text(px(e.rect.left()), px(e.rect.top()), px(e.rect.width()), px(e.rect.height()));
    EXPECT_FALSE(text.intersects(QRectF(fields))) << e.rect.left() << "," << e.rect.top();
    EXPECT_FALSE(text.intersects(QRectF(page->Frame1->geometry())));
  }
}

TEST_F(ReportWindow, APageKeepsItsLanguageAndActivatingItPressesSprache) {
  FrmFormular *german = w->pages().first();
  press("Sprache");
  EXPECT_EQ(w->languagePictureNumber(), 2);
  press("Formular");
  ASSERT_EQ(w->pages().size(), 2);
  FrmFormular *english = w->activePage();
  EXPECT_EQ(english->Tag(), report::English);
  EXPECT_EQ(english->windowTitle(), "Calculation report");

  // Released: the English page stays English.
  press("Sprache");
  EXPECT_FALSE(w->button("Sprache")->isChecked());
  EXPECT_EQ(english->Tag(), report::English);
  // Activating a page sets the button to the page's language.
  w->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(german->parentWidget()));
  EXPECT_FALSE(w->button("Sprache")->isChecked());
  EXPECT_EQ(w->languagePictureNumber(), 1);
  w->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(english->parentWidget()));
  EXPECT_TRUE(w->button("Sprache")->isChecked());
  EXPECT_EQ(w->languagePictureNumber(), 2);

  // Saving follows the active page: English.
  answerFile = dir.filePath("english.txt");
  press("Speichern");
  EXPECT_TRUE(readAll(*answerFile).contains("Arrangement:\tTwo cassettes with one double rail"));
}

TEST_F(ReportWindow, TileCascadeCloseAndBack) {
  press("Formular");
  ASSERT_EQ(w->pages().size(), 2);
  w->show();
  w->resize(1000, 700);
  QCoreApplication::processEvents();
  press("Nebeneinander");
  const QList<QMdiSubWindow *> windows = w->mdiArea()->subWindowList();
  ASSERT_EQ(windows.size(), 2);
  // Side by side: the same top and height, one to the right of the other.
  EXPECT_EQ(windows[0]->y(), windows[1]->y());
  EXPECT_EQ(windows[0]->height(), windows[1]->height());
  EXPECT_LE(windows[0]->geometry().right(), windows[1]->x());
  press("Überlappend");
  EXPECT_NE(windows[0]->pos(), windows[1]->pos());
  EXPECT_TRUE(windows[0]->geometry().intersects(windows[1]->geometry()));
  press("Schließen");
  QCoreApplication::processEvents();
  EXPECT_EQ(w->pages().size(), 1);
  press("Zurück");
  QCoreApplication::processEvents();
  EXPECT_EQ(FrmAusdruck::current(), nullptr);
  w = nullptr;
}

// The keyboard reaches every button through the menus.
TEST_F(ReportWindow, EveryToolbarButtonIsInTheMenus) {
  auto menuItem = [this](const QString &key) { return w->findChild<QAction *>(QStringLiteral("Menü") + key); };
  for (const char *key : {"Zurück", "Nebeneinander", "Überlappend", "Schließen", "Formular", "Drucken", "Speichern",
                          "Sprache", "Hilfe"})
    EXPECT_TRUE(menuItem(QString::fromUtf8(key)) && !menuItem(QString::fromUtf8(key))->text().isEmpty()) << key;
  EXPECT_EQ(menuItem("Formular")->shortcut(), QKeySequence(QKeySequence::New));
  menuItem("Formular")->trigger();
  EXPECT_EQ(w->pages().size(), 2);
  menuItem("Sprache")->trigger();
  EXPECT_TRUE(w->button("Sprache")->isChecked());
  press("Sprache");
  EXPECT_FALSE(menuItem("Sprache")->isChecked());
  menuItem("Hilfe")->trigger();
  EXPECT_EQ(aboutShown, 1);
  menuItem("Zurück")->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(FrmAusdruck::current(), nullptr);
  w = nullptr;
}

TEST_F(ReportWindow, CommentFieldsAskForTextAndEnterCyclesThroughThem) {
  FrmFormular *page = w->pages().first();
  EXPECT_EQ(page->tbKunde[0]->text(), "Kunde A");  // the store is not empty
  w->close();
  session.gastrComment = QStringList(6);
  openReportWindow(session, nullptr, QStringLiteral("FrmZKaEDSch"));
  w = FrmAusdruck::current();
  page = w->pages().first();
  EXPECT_EQ(page->tbKunde[0]->text(), "Bitte geben Sie hier Ihren Text ein.");
  for (int i = 1; i < 6; ++i) EXPECT_EQ(page->tbKunde[i]->text(), "");
  // Opening a page does not write the request into the store.
  EXPECT_EQ(session.gastrComment[0], "");

  page->tbKunde[1]->setText("zweite");
  QTest::keyClick(page->tbKunde[0], Qt::Key_Return);
  EXPECT_EQ(page->tbKunde[1]->selectedText(), "zweite");
  QTest::keyClick(page->tbKunde[5], Qt::Key_Return);
  EXPECT_EQ(page->tbKunde[0]->selectedText(), "Bitte geben Sie hier Ihren Text ein.");
}

TEST_F(ReportWindow, StoreHoldsTheTextAfterTheLastKeystroke) {
  session.gastrComment = QStringList(6);
  w->close();
  openReportWindow(session, nullptr, QStringLiteral("FrmZKaEDSch"));
  w = FrmAusdruck::current();
  FrmFormular *page = w->pages().first();
  page->tbKunde[2]->setFocus();
  QTest::keyClicks(page->tbKunde[2], "Halle 7");
  // Every character is in the store at once, the last one included.
  EXPECT_EQ(session.gastrComment[2], "Halle 7");
  EXPECT_EQ(session.gastrComment[0], "Bitte geben Sie hier Ihren Text ein.");
  QTest::keyClick(page->tbKunde[2], Qt::Key_Backspace);
  EXPECT_EQ(session.gastrComment[2], "Halle ");

  // ... and so the saved report carries it too.
  QTest::keyClick(page->tbKunde[2], Qt::Key_8);
  answerFile = dir.filePath("comments.txt");
  press("Speichern");
  EXPECT_TRUE(readAll(*answerFile).contains("\r\nHalle 8\r\n"));
}

TEST_F(ReportWindow, SavingWritesTheReportAtomicallyAndReplacesTheFile) {
  answerFile = dir.filePath("calc.txt");
  {
    QFile old(*answerFile);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old content that is much longer than nothing at all");
  }
  press("Speichern");
  EXPECT_EQ(askedFilters, QStringList({"Textdateien (*.txt)", "Alle Dateien (*.*)"}));
  // The report text, followed by one more line end.
  EXPECT_EQ(readAll(*answerFile), report::reportText(session, report::German) + "\r\n");
  EXPECT_EQ(busyShown, 1);
  EXPECT_TRUE(rec.messages.isEmpty());
  // Only the file itself is left in the folder: no temporary files.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"calc.txt"}));
}

TEST_F(ReportWindow, CancelledSaveOrNoNameWritesNothingAnywhere) {
  const QString calc = QDir(QCoreApplication::applicationDirPath()).filePath("Calc.txt");
  QFile::remove(calc);
  for (const std::optional<QString> &answer : {std::optional<QString>(), std::optional<QString>(QString())}) {
    answerFile = answer;
    press("Speichern");
    EXPECT_TRUE(rec.messages.isEmpty());
    EXPECT_EQ(busyShown, 0);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(calc));
  }
}

TEST_F(ReportWindow, AFolderThatIsNoFolderIsReportedClearly) {
  // A plain file where the folder should be: no rights help here.
  const QString notAFolder = dir.filePath("plain");
  {
    QFile f(notAFolder);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
  }
  answerFile = QDir(notAFolder).filePath("calc.txt");
  press("Speichern");
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "SpeichernUnter!");
  EXPECT_EQ(rec.messages[0].icon, msg::Icon::Critical);
  EXPECT_TRUE(rec.messages[0].text.startsWith("Fehler beim Zugriff auf Pfad/Datei:\n" + QDir::toNativeSeparators(*answerFile)));
  EXPECT_EQ(readAll(notAFolder), "x");
  EXPECT_EQ(busyShown, 0);
  // The pages are untouched and the next save goes through.
  EXPECT_EQ(w->pages().size(), 1);
  answerFile = dir.filePath("calc.txt");
  rec.clear();
  press("Speichern");
  EXPECT_TRUE(rec.messages.isEmpty());
  EXPECT_EQ(readAll(*answerFile), report::reportText(session, report::German) + "\r\n");
}

TEST_F(ReportWindow, UnwritableFolderIsReportedAndTheOldFileStays) {
  const QString folder = dir.filePath("locked");
  ASSERT_TRUE(QDir().mkdir(folder));
  const QString file = QDir(folder).filePath("calc.txt");
  {
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("keep me");
  }
  QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  if (QFileInfo(folder).isWritable()) GTEST_SKIP() << "running with rights that ignore folder permissions";
  answerFile = file;
  const report::SaveOutcome outcome = report::SpeichernUnter(session, w, report::German);
  QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  EXPECT_EQ(outcome, report::SaveOutcome::Failed);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "SpeichernUnter!");
  EXPECT_EQ(rec.messages[0].icon, msg::Icon::Critical);
  EXPECT_TRUE(rec.messages[0].text.contains("Fehler beim Zugriff auf Pfad/Datei"));
  EXPECT_TRUE(rec.messages[0].text.contains(QDir::toNativeSeparators(file)));
  EXPECT_EQ(readAll(file), "keep me");
  EXPECT_EQ(busyShown, 0);
}

TEST_F(ReportWindow, EmptyTextIsRefusedWithTheWriteErrorMessage) {
  answerFile = dir.filePath("empty.txt");
  EXPECT_EQ(report::saveTextAs(w, QString(), "Calc.txt", "SpeichernUnter", {}), report::SaveOutcome::NothingToWrite);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].text, builtinText(302));
  EXPECT_EQ(rec.messages[0].title, "Schreibfehler");
  EXPECT_EQ(rec.messages[0].icon, msg::Icon::Critical);
  EXPECT_EQ(rec.messages[0].defaultButton, 2);
  EXPECT_FALSE(QFile::exists(*answerFile));
}

TEST_F(ReportWindow, PrintAsksForThePaperAndLetterheadStartsLower) {
  rec.answers = {msg::Answer::No};
  w->printItem()->trigger();
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].text, "Tarvel-Papier?");
  EXPECT_EQ(rec.messages[0].title, "Papierwahl");
  EXPECT_EQ(rec.messages[0].buttons, msg::Buttons::YesNo);
  EXPECT_EQ(rec.messages[0].defaultButton, 2);
  auto titleTop = [&] {
    for (const pdf::Word &w : pdf::words(pdfFile))
      if (w.text == "Berechnungsausdruck") return w.box.top();
    return -1.0;
  };
  EXPECT_NEAR(titleTop(), pdf::mm(20), 1.0);  // plain paper: 20 mm
  QFile::remove(pdfFile);
  rec.answers = {msg::Answer::Yes};
  press("Drucken");
  EXPECT_NEAR(titleTop(), pdf::mm(35), 1.0);  // letterhead: below the printed head
}

TEST_F(ReportWindow, PrinterSetupCancelledOrDeclinedPrintsNothing) {
  int setups = 0;
  bool accept = false;
  app::services().dialogs.printerSetup = [&](QWidget *, QPrinter &) {
    ++setups;
    return accept;
  };
  w->setupItem()->trigger();
  EXPECT_EQ(setups, 1);
  EXPECT_TRUE(rec.messages.isEmpty());  // cancel ends silently
  EXPECT_FALSE(QFile::exists(pdfFile));

  accept = true;
  rec.answers = {msg::Answer::No};
  w->setupItem()->trigger();
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].text, "Seite ausdrucken?");
  EXPECT_EQ(rec.messages[0].title, "Druck beginnen");
  EXPECT_EQ(rec.messages[0].defaultButton, 2);
  EXPECT_FALSE(QFile::exists(pdfFile));

  rec.clear();
  rec.answers = {msg::Answer::Yes, msg::Answer::No};
  press("Sprache");
  w->setupItem()->trigger();
  EXPECT_EQ(rec.messages.size(), 2);  // print? then the paper question
  const QStringList pages = pdf::pages(pdfFile);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_TRUE(pages[0].contains("Calculation report"));
}

TEST(FrmKommentar, OfferedContactBlockAndOkStoresSixLines) {
  Session session;
  fixture::fillEvaluation(session);
  FrmKommentar dialog(session);
  EXPECT_EQ(dialog.windowTitle(), windowCaption(session, 100));
  const int ids[6] = {118, 119, 120, 121, 122, 168};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(dialog.tbKunde[i]->text(), builtinText(ids[i]));
  EXPECT_EQ(dialog.cmdOK->text(), "&Ok");
  EXPECT_EQ(dialog.cmdExit->text(), "&Exit");
  dialog.show();
  // Enter moves on and selects, without closing the dialog.
  dialog.tbKunde[0]->setFocus();
  QTest::keyClick(dialog.tbKunde[0], Qt::Key_Return);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.tbKunde[1]->selectedText(), builtinText(119));
  QTest::keyClicks(dialog.tbKunde[1], "Werk 2");
  QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
  EXPECT_FALSE(dialog.cancelled());
  const QStringList &store = session.gastrComment;
  EXPECT_EQ(store[0], builtinText(118));
  EXPECT_EQ(store[1], "Werk 2");
  // The e-mail line left as offered is stored empty.
  EXPECT_EQ(store[5], "");
}

TEST(FrmKommentar, ChangedMailLineIsKeptAndExitLeavesTheStoreAlone) {
  Session session;
  fixture::fillEvaluation(session);
  {
    FrmKommentar dialog(session);
    dialog.tbKunde[5]->setText("E-Mail: einkauf@example.org");
    QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
    EXPECT_EQ(session.gastrComment[5], "E-Mail: einkauf@example.org");
  }
  const QStringList before = session.gastrComment;
  FrmKommentar dialog(session);
  dialog.tbKunde[0]->setText("verworfen");
  QTest::mouseClick(dialog.cmdExit, Qt::LeftButton);
  EXPECT_TRUE(dialog.cancelled());
  EXPECT_EQ(session.gastrComment, before);
}

TEST_F(ReportWindow, ZoomFitsWidthAndPageAndNewPagesOpenInTheVisibleArea) {
  w->resize(900, 700);
  w->show();
  QApplication::processEvents();
  FrmFormular *page = w->pages().first();
  const QSize base = page->sheetBaseSize();
  QComboBox *zoom = w->zoomBox();
  ASSERT_NE(zoom, nullptr);
  // The window opens with its page at page width.
  EXPECT_EQ(zoom->currentText(), "Seitenbreite");
  EXPECT_EQ(page->fit(), FrmFormular::Fit::Width);
  zoom->setCurrentIndex(zoom->findData(100));
  EXPECT_EQ(page->sheet()->size(), base);

  zoom->setCurrentIndex(zoom->findData(200));
  EXPECT_DOUBLE_EQ(page->zoom(), 2.0);
  EXPECT_NEAR(page->sheet()->width(), 2 * base.width(), 2);
  // The comment fields grow with the page.
  EXPECT_DOUBLE_EQ(page->tbKunde[0]->font().pointSizeF(), 16.0);
  zoom->setCurrentIndex(zoom->findData(50));
  EXPECT_NEAR(page->sheet()->height(), base.height() / 2, 2);

  // Whole page: the sheet fits the page window both ways.
  page->parentWidget()->resize(600, 500);
  zoom->setCurrentIndex(zoom->findData(QStringLiteral("page")));
  EXPECT_EQ(page->fit(), FrmFormular::Fit::Page);
  EXPECT_LE(page->sheet()->height(), page->maximumViewportSize().height());
  EXPECT_LE(page->sheet()->width(), page->maximumViewportSize().width());
  zoom->setCurrentIndex(zoom->findData(QStringLiteral("width")));
  EXPECT_LE(page->sheet()->width(), page->maximumViewportSize().width());
  EXPECT_GT(page->sheet()->width(), page->maximumViewportSize().width() - 40);

  // New pages take the zoom in force and open inside the visible area.
  const QRect area = w->mdiArea()->viewport()->rect();
  for (int i = 0; i < 8; ++i) press("Formular");
  for (QMdiSubWindow *sub : w->mdiArea()->subWindowList()) {
    if (sub->isHidden()) continue;
    EXPECT_TRUE(area.contains(sub->geometry())) << sub->geometry().x() << "," << sub->geometry().y();
    EXPECT_EQ(qobject_cast<FrmFormular *>(sub->widget())->fit(), FrmFormular::Fit::Width);
  }
}

TEST_F(ReportWindow, TheArrangementDrawingIsAtLeast80MillimetresWideOnPaper) {
  // Printed 1.2 times its size on the page.
  EXPECT_GE(report::arrangementPictureTwips().width() * 1.2, gflngMmToTwips(80));
}

TEST_F(ReportWindow, F1OpensTheManual) {
  int opened = 0;
  app::services().dialogs.manual = [&] { ++opened; };
  w->show();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w));
  QTest::keyClick(w, Qt::Key_F1);
  EXPECT_EQ(opened, 1);
}
