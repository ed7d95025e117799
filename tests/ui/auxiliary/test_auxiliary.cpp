// The list windows, the about box, the link opener and the help opener.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "ui/auxiliary/Auxiliary.h"
#include "ui/common/AppServices.h"
#include "ui/auxiliary/FrmAbout.h"
#include "ui/auxiliary/FrmVertreter.h"
#include "core/catalogue/Catalogue.h"
#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "support/TestCatalogue.h"

namespace {

const QString kSqlErrorTitle = QStringLiteral("SQL-Datenbankfehler!");

// Every test starts from a fresh program state and sends nothing to the real desktop.
class AuxiliaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    computeSubVersion(session);
    app::services().desktop.openUrl = [this](const QUrl &u) {
      opened << u;
      return openerAnswer;
    };
    app::services().desktop.pdfViewerCheck = [this] { return viewerInstalled; };
    app::services().desktop.sysInfoLookup = [this] { return sysInfoTool; };
    app::services().desktop.startProgram = [this](const QString &p) {
      started << p;
      return starterAnswer;
    };
  }
  void TearDown() override {
    app::services().desktop.openUrl = {};
    app::services().desktop.pdfViewerCheck = {};
    app::services().desktop.sysInfoLookup = {};
    app::services().desktop.startProgram = {};
  }

  static QString demoCatalogue() {
    static const QString path = testsupport::buildCatalogue(testsupport::demoCatalogueSql());
    return path;
  }

  QPoint cellCentre(QTableWidget *g, int row, int col) {
    g->scrollToItem(g->item(row, col));
    return g->visualItemRect(g->item(row, col)).center();
  }

  Session session;
  msg::Recorder rec;
  QList<QUrl> opened;
  bool openerAnswer = true;
  bool viewerInstalled = true;
  QString sysInfoTool;
  QStringList started;
  bool starterAnswer = true;
};

// ---------------------------------------------------------------- list windows

TEST_F(AuxiliaryTest, RepresentativesListShowsColumnNamesAndRecordsLeftAligned) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  msubSearchDB(session, 21, false, 0);
  FrmVertreter w(session, 21);
  QTableWidget *g = w.MSHFlexGrid1;
  EXPECT_TRUE(rec.messages.isEmpty());
  ASSERT_EQ(g->columnCount(), 6);
  ASSERT_EQ(g->rowCount(), 6);  // five representatives below the row of column names
  const QStringList names = {"Name", "Street", "Town", "Telefon", "Telefax", "EMail"};
  for (int j = 0; j < 6; ++j) EXPECT_EQ(g->item(0, j)->text(), names.at(j));
  // Ordered by town.
  EXPECT_EQ(g->item(1, 2)->text(), QStringLiteral("Hamburg"));
  EXPECT_EQ(g->item(5, 2)->text(), QStringLiteral("Zürich"));
  for (int r = 0; r < g->rowCount(); ++r)
    EXPECT_TRUE(g->item(r, 3)->textAlignment() & Qt::AlignLeft);
  // Columns are fitted to their texts: the e-mail column is wider than its fitted
  // heading alone would need.
  EXPECT_GE(g->columnWidth(5), gui::px(gui::fittedColumnWidth(gui::textWidthTwips(w.font(), "hamburg@example.com"))) - 1);
  EXPECT_EQ(w.LabUebSchr->text(), QStringLiteral("Tarvel Vertretungen...\n                    weltweit für Sie aktiv"));
  EXPECT_EQ(w.windowTitle(), QStringLiteral("TarvelCALC Rollenführungen  2002 c"));
}

TEST_F(AuxiliaryTest, RepresentativesHeadingComesFromTheCustomerTextSetWithLineBreaks) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  session.gintTextMode = 3;
  session.gastrSettings = {{"250", "Vertretungen\\weltweit"}};
  msubSearchDB(session, 21, false, 0);
  FrmVertreter w(session, 21);
  EXPECT_EQ(w.LabUebSchr->text(), QStringLiteral("Vertretungen\nweltweit"));
}

TEST_F(AuxiliaryTest, EmailCellOfTheRepresentativesListActsAsLink) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  msubSearchDB(session, 21, false, 0);
  FrmVertreter w(session, 21);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QTableWidget *g = w.MSHFlexGrid1;
  QWidget *vp = g->viewport();

  QTest::mouseMove(vp, cellCentre(g, 2, 5));
  EXPECT_EQ(w.markedRow(), 2);
  EXPECT_EQ(vp->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_TRUE(g->item(2, 5)->font().underline());
  EXPECT_EQ(g->item(2, 5)->foreground().color(), gui::vbColor(16711680));

  // Moving to the next address moves the mark.
  QTest::mouseMove(vp, cellCentre(g, 3, 5));
  EXPECT_EQ(w.markedRow(), 3);
  EXPECT_FALSE(g->item(2, 5)->font().underline());
  EXPECT_EQ(g->item(2, 5)->foreground().color(), gui::systemColor(18));

  // Any other cell restores the normal look; the heading row is no link either.
  QTest::mouseMove(vp, cellCentre(g, 3, 4));
  EXPECT_EQ(w.markedRow(), 0);
  EXPECT_NE(vp->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_FALSE(g->item(3, 5)->font().underline());
  QTest::mouseMove(vp, cellCentre(g, 0, 5));
  EXPECT_EQ(w.markedRow(), 0);

  QTest::mouseClick(vp, Qt::LeftButton, {}, cellCentre(g, 1, 5));
  ASSERT_EQ(opened.size(), 1);
  EXPECT_EQ(opened.at(0).toString(), QStringLiteral("mailto:hamburg@example.com"));
  // Other columns and the heading row open nothing.
  QTest::mouseClick(vp, Qt::LeftButton, {}, cellCentre(g, 1, 4));
  QTest::mouseClick(vp, Qt::LeftButton, {}, cellCentre(g, 0, 5));
  EXPECT_EQ(opened.size(), 1);
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(AuxiliaryTest, DatabaseInformationHasFiveColumnsAndNoLinks) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  msubSearchDB(session, 22, false, 0);
  FrmVertreter w(session, 22);
  w.show();
  QTableWidget *g = w.MSHFlexGrid1;
  ASSERT_EQ(g->columnCount(), 5);
  ASSERT_EQ(g->rowCount(), 2);
  EXPECT_EQ(g->item(0, 4)->text(), QStringLiteral("EMail"));
  EXPECT_EQ(w.LabUebSchr->text(), QStringLiteral("Aluminium Rollenführung\nDatenbankinformationen"));
  // The e-mail address of the database information is plain text.
  QTest::mouseMove(g->viewport(), cellCentre(g, 1, 4));
  EXPECT_EQ(w.markedRow(), 0);
  EXPECT_NE(g->viewport()->cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, 1, 4));
  EXPECT_TRUE(opened.isEmpty());
}

TEST_F(AuxiliaryTest, EmptyListsReportTheDatabaseErrorAndTheWindowStillOpens) {
  const QString path = testsupport::buildCatalogue(testsupport::demoCatalogueSql() +
                                                   "DELETE FROM Vertreter; DELETE FROM Info;");
  testsupport::ScopedCatalogueFile use(session, path);
  for (int code : {21, 22}) {
    rec.clear();
    bool shown = false;
    QTimer::singleShot(0, [&] {
      if (auto *w = qobject_cast<FrmVertreter *>(QApplication::activeModalWidget())) {
        shown = true;
        EXPECT_EQ(w->MSHFlexGrid1->rowCount(), 0);
        w->close();
      }
    });
    showVertreterList(session, nullptr, code);
    EXPECT_TRUE(shown) << code;
    ASSERT_EQ(rec.messages.size(), 1) << code;
    EXPECT_EQ(rec.messages.at(0).title, kSqlErrorTitle);
    EXPECT_EQ(rec.messages.at(0).icon, msg::Icon::Critical);
    EXPECT_EQ(rec.endCalls, 0);
  }
}

TEST_F(AuxiliaryTest, ListWindowGrowsButDoesNotShrinkBelowItsLoadedSize) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  msubSearchDB(session, 21, false, 0);
  FrmVertreter w(session, 21);
  w.show();
  const QSize loaded = w.loadedSize();
  w.resize(loaded.width() / 2, loaded.height() / 2);
  EXPECT_GE(w.width(), loaded.width());
  EXPECT_GE(w.height(), loaded.height());

  w.resize(loaded.width() + 300, loaded.height() + 200);
  QApplication::processEvents();
  const int margin = gui::px(60);
  EXPECT_EQ(w.Image1->geometry().right() + 1, w.width() - margin);  // the picture keeps to the right edge
  EXPECT_EQ(w.MSHFlexGrid1->x(), margin);
  EXPECT_EQ(w.MSHFlexGrid1->width(), w.width() - 2 * margin);
  EXPECT_EQ(w.MSHFlexGrid1->y(), w.LabUebSchr->geometry().bottom() + 1 + gui::px(120));
  EXPECT_EQ(w.MSHFlexGrid1->geometry().bottom() + 1, w.height() - margin);
}

// ---------------------------------------------------------------- links and help

TEST_F(AuxiliaryTest, LinkOpenerReportsABrowserErrorWhenTheDesktopRefuses) {
  EXPECT_NE(glngOpenLink(QStringLiteral("http://www.example.com")), 0);
  ASSERT_EQ(opened.size(), 1);
  EXPECT_EQ(opened.at(0).toString(), QStringLiteral("http://www.example.com"));
  EXPECT_TRUE(rec.messages.isEmpty());

  openerAnswer = false;
  EXPECT_EQ(glngOpenLink(QStringLiteral("mailto:someone@example.com")), 0);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages.at(0).title, QStringLiteral("Browserfehler"));
  EXPECT_EQ(rec.messages.at(0).icon, msg::Icon::Critical);
}

// The help document lies in Help/ beside the program. Each test puts its own in a
// folder of its own: tests run side by side, and one that removes the document must not
// take it away from another.
class HelpTest : public AuxiliaryTest {
 protected:
  void SetUp() override {
    AuxiliaryTest::SetUp();
    ASSERT_TRUE(dir.isValid());
    doc = dir.filePath(QStringLiteral("Help/AnlFN.pdf"));
    QDir().mkpath(QFileInfo(doc).path());
    QFile f(doc);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("%PDF-1.4\n%%EOF\n");
    app::services().desktop.helpDocument = doc;
  }
  void TearDown() override {
    app::services().desktop.helpDocument = QString();
    AuxiliaryTest::TearDown();
  }
  QTemporaryDir dir;
  QString doc;
};

TEST_F(HelpTest, DocumentIsTheManualInTheHelpFolderOfTheProgram) {
  app::services().desktop.helpDocument = QString();
  EXPECT_EQ(aux::helpDocumentPath(), QCoreApplication::applicationDirPath() + QStringLiteral("/Help/AnlFN.pdf"));
  app::services().desktop.helpDocument = doc;
  gsubHelp();
  EXPECT_TRUE(rec.messages.isEmpty());
  ASSERT_EQ(opened.size(), 1);
  EXPECT_EQ(opened.at(0), QUrl::fromLocalFile(doc));
}

// F1 opens the manual of the interface language: in English AnlFN_en.pdf beside the
// German one, and the German one while there is no English one.
TEST_F(HelpTest, DocumentFollowsTheInterfaceLanguage) {
  const QString english = dir.filePath(QStringLiteral("Help/AnlFN_en.pdf"));
  const struct {
    Language language;
    bool englishInstalled;
    QString opens;
  } cases[] = {
      {Language::German, true, doc},
      {Language::English, true, english},
      {Language::English, false, doc},
      {Language::German, false, doc},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(qPrintable(languageCode(c.language) + (c.englishInstalled ? " with" : " without") +
                            " the English manual"));
    if (c.englishInstalled)
      QFile::copy(doc, english);
    else
      QFile::remove(english);
    setInterfaceLanguage(c.language);
    opened.clear();
    gsubHelp();
    setInterfaceLanguage(Language::German);
    EXPECT_TRUE(rec.messages.isEmpty());
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.at(0), QUrl::fromLocalFile(c.opens));
  }
}

TEST_F(HelpTest, MissingViewerGivesTheAcrobatMessageAndNothingElse) {
  viewerInstalled = false;
  gsubHelp();
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages.at(0).text,
            QStringLiteral("Sie benötigen für die Anzeige das Programm \"Acrobat Reader\"!"));
  EXPECT_EQ(rec.messages.at(0).icon, msg::Icon::Exclamation);
  EXPECT_TRUE(opened.isEmpty());

  // A viewer that is registered but fails to open the document tells the same.
  rec.clear();
  viewerInstalled = true;
  openerAnswer = false;
  gsubHelp();
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages.at(0).text, builtinText(326));
}

TEST_F(HelpTest, MissingDocumentIsReportedAsSuchNotAsMissingViewer) {
  QFile::remove(doc);
  gsubHelp();
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages.at(0).title, QStringLiteral("Error gsubHelp"));
  EXPECT_TRUE(rec.messages.at(0).text.contains(doc));
  EXPECT_TRUE(opened.isEmpty());
}

// ---------------------------------------------------------------- about box

TEST_F(AuxiliaryTest, AboutBoxShowsCaptionVersionLineAndTexts) {
  FrmAbout box(session);
  EXPECT_EQ(box.windowTitle(), QStringLiteral("Info zu TarvelCALC Rollenführungen  2002 c"));
  EXPECT_EQ(box.lblVersion->text(), QStringLiteral("Version 2002 c/8 für Windows® 98/NT/ME/2000"));
  EXPECT_EQ(box.lblTitle->text(), builtinText(100).trimmed() + QLatin1Char('\n') + builtinText(237));
  EXPECT_TRUE(box.lblDescription->text().startsWith(
      QStringLiteral("Software für die Berechnung und  Auslegung von Tarvel-Rollenführungen.\n\n")));
  EXPECT_EQ(box.lblDisclaimer->text(), builtinText(239));
  EXPECT_FALSE(box.picIcon->pixmap().isNull());
  // Stacked in order below the picture.
  box.show();
  EXPECT_LT(box.picIcon->geometry().bottom(), box.lblTitle->y());
  EXPECT_LT(box.lblTitle->geometry().bottom(), box.lblVersion->y());
  EXPECT_LT(box.lblVersion->geometry().bottom(), box.lblDescription->y());
  EXPECT_LT(box.lblDescription->geometry().bottom(), box.Line1[0]->y());
  EXPECT_LT(box.Line1[0]->y(), box.Line1[1]->y());
}

TEST_F(AuxiliaryTest, AboutBoxTakesCustomerTextsInTextMode3) {
  session.gintTextMode = 3;
  session.gastrSettings = {{"102", "Über Rollen"}, {"235", "Ausgabe"}, {"238", "Zeile 1\\Zeile 2"}};
  FrmAbout box(session);
  EXPECT_EQ(box.windowTitle(), QStringLiteral("Über Rollen 2002 c"));
  EXPECT_EQ(box.lblVersion->text(), QStringLiteral("Ausgabe 2002 c/8") + builtinText(236));
  EXPECT_EQ(box.lblDescription->text(), QStringLiteral("Zeile 1\nZeile 2"));
}

TEST_F(AuxiliaryTest, SystemInfoStartsTheToolOrSaysItIsNotAvailable) {
  FrmAbout box(session);
  box.show();
  sysInfoTool.clear();
  QTest::mouseClick(box.cmdSysInfo, Qt::LeftButton);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages.at(0).text, QStringLiteral("Systeminformationen sind momentan nicht verfügbar"));
  EXPECT_EQ(rec.messages.at(0).icon, msg::Icon::None);
  EXPECT_TRUE(started.isEmpty());

  rec.clear();
  sysInfoTool = QStringLiteral("/usr/bin/hardinfo");
  QTest::mouseClick(box.cmdSysInfo, Qt::LeftButton);
  EXPECT_EQ(started, QStringList{sysInfoTool});
  EXPECT_TRUE(rec.messages.isEmpty());

  // A tool that will not start is as good as none.
  starterAnswer = false;
  QTest::mouseClick(box.cmdSysInfo, Qt::LeftButton);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages.at(0).text, builtinText(322));

  QTest::mouseClick(box.cmdOK, Qt::LeftButton);
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(box.result(), QDialog::Accepted);
}

}  // namespace
