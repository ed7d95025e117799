// Program start and navigation on real widgets: the busy window, the start screen with
// its texts, hover help and links, the road to each arrangement screen and back.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "app/FrmBusy.h"
#include "app/FrmLogo.h"
#include "app/FrmStart.h"
#include "ui/arrangements/FrmArrangement.h"
#include "ui/arrangements/Shape.h"
#include "ui/auxiliary/Auxiliary.h"
#include "core/catalogue/Catalogue.h"
#include "ui/evaluation/FrmAuswertung.h"
#include "ui/report/ReportHooks.h"
#include "ui/common/AppServices.h"
#include "core/common/Errors.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "support/TestCatalogue.h"

namespace {

const QColor kYellow(255, 255, 0);
const QColor kWhite(255, 255, 255);

QString shown(QString t) { return t.replace(QChar(13), QChar(10)); }

class StartScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    // Windows come and go here without an event loop to end.
    QApplication::setQuitOnLastWindowClosed(false);
    computeSubVersion(session);
    useCatalogue(testsupport::demoCatalogueFile());
    // The dialogs and the evaluation screen's outputs as the program has them.
    AppServices services;
    services.dialogs = report::standardDialogs();
    services.dialogs.commentDialog = report::commentDialogFor(session);
    services.evaluation = FrmAuswertung::standardServices();
    app::install(std::move(services));
    app::services().desktop.openUrl = [this](const QUrl &u) {
      links << u.toString();
      return true;
    };
  }
  void TearDown() override {
    app::install({});
    app::services().desktop.openUrl = {};
    // Deleting a screen deletes its menus, which are windows of their own as well.
    QList<QPointer<QWidget>> screens;
    for (QWidget *w : QApplication::topLevelWidgets())
      if (qobject_cast<FrmStart *>(w) || qobject_cast<FrmArrangement *>(w)) screens << w;
    for (const QPointer<QWidget> &w : screens) delete w.data();
    FrmLogo::closeLogo();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  void useCatalogue(const QString &path) {
    file.reset();
    // The busy window as the program shows it, counted.
    file = std::make_unique<testsupport::ScopedCatalogueFile>(session, path, [this] {
      ++busyRuns;
      FrmBusy busy(session);
      busy.exec();
      lastBusyValue = busy.ProgressBar1()->value();
    });
  }
  static int indexOf(FrmStart *w, const QString &tag) {
    for (int i = 0; i < FrmStart::kPictures; ++i)
      if (w->pictureTag(i) == tag) return i;
    return -1;
  }
  static QList<FrmArrangement *> arrangementScreens() {
    QList<FrmArrangement *> out;
    for (QWidget *w : QApplication::topLevelWidgets())
      if (auto *a = qobject_cast<FrmArrangement *>(w)) out << a;
    return out;
  }

  Session session;
  msg::Recorder rec;
  std::unique_ptr<testsupport::ScopedCatalogueFile> file;
  int busyRuns = 0;
  int lastBusyValue = -1;
  QStringList links;
};

}  // namespace

TEST(BusyWindow, RunsToTheEndAndClosesItself) {
  Session session;
  FrmBusy busy(session);
  EXPECT_EQ(busy.windowTitle(), "Bearbeiten ...");
  EXPECT_EQ(busy.Timer1()->interval(), 60);
  EXPECT_EQ(busy.ProgressBar1()->value(), 0);
  busy.exec();
  EXPECT_EQ(busy.ProgressBar1()->value(), 100);
  EXPECT_FALSE(busy.isVisible());
  // A second tick after the run starts nothing.
  busy.Timer1_Timer();
  EXPECT_EQ(busy.ProgressBar1()->value(), 100);
}

TEST_F(StartScreen, LoadingSetsTheScreenUp) {
  FrmLogo::showLogo();
  ASSERT_NE(FrmLogo::current(), nullptr);
  FrmStart *w = FrmStart::open(session);
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(rec.messages.isEmpty());
  EXPECT_EQ(busyRuns, 1);
  EXPECT_EQ(lastBusyValue, 100);
  EXPECT_EQ(FrmLogo::current(), nullptr) << "the logo closes at the end of the loading";
  EXPECT_EQ(session.gintTextMode, 1);
  EXPECT_FLOAT_EQ(session.gsngSiko, 1.5f);
  EXPECT_FALSE(session.gastrSettings.isEmpty());
  EXPECT_EQ(w->windowTitle(), QStringLiteral("TarvelCALC Rollenführungen  2002 c"));
  EXPECT_EQ(w->LabUebSchr()->text(), QStringLiteral("Aluminium Rollenführung\nBerechnungsprogramm"));
  EXPECT_EQ(w->Frame1()->title(), "  Auswahl der Anordnung");
  EXPECT_EQ(w->LabInfo()->text(), shown(builtinText(240)));
  EXPECT_EQ(w->LabMail()->text(), builtinText(598));
  EXPECT_EQ(w->LabWeb()->text(), builtinText(599));
  EXPECT_EQ(w->LabUebSchr()->x(), w->picIcon()->x() + w->picIcon()->width() + 19);
  EXPECT_EQ(w->toolbarButton("Inhalt")->toolTip(), "Hilfe anzeigen");
  EXPECT_EQ(w->toolbarButton("Info")->toolTip(), "Programminformationen anzeigen");
  EXPECT_EQ(w->toolbarButton("Sonder")->toolTip(), "Sonderrollenschuh festlegen");
  EXPECT_EQ(w->toolbarButton("Exit")->toolTip(), "Programm beenden");
  for (Shape *s : w->Shape1()) EXPECT_EQ(s->fillColor(), QColor(0, 0, 255));
  for (Shape *s : w->Shape2()) EXPECT_EQ(s->fillColor(), QColor(192, 192, 255));
  const QStringList tags = {"PicEKaEDS", "PicERoEES", "PicZKaZDS", "PicZRoEES", "PicZKaEDS", "PicVKaZDS"};
  for (int i = 0; i < FrmStart::kPictures; ++i) {
    EXPECT_EQ(w->pictureTag(i), tags.at(i));
    EXPECT_EQ(w->pictureBackground(i), kWhite);
  }
}

TEST_F(StartScreen, HoverHelpOfEveryPicture) {
  FrmStart *w = FrmStart::open(session);
  ASSERT_NE(w, nullptr);
  const struct {
    const char *tag;
    int text;
  } cases[] = {{"PicERoEES", 242}, {"PicEKaEDS", 243}, {"PicZKaZDS", 244},
               {"PicZRoEES", 245}, {"PicZKaEDS", 246}, {"PicVKaZDS", 247}};
  const int pictureBottom = w->imgInfoBild()->y() + w->imgInfoBild()->height();
  for (const auto &c : cases) {
    SCOPED_TRACE(c.tag);
    const int i = indexOf(w, c.tag);
    ASSERT_GE(i, 0);
    w->PicButton_MouseMove(i);
    EXPECT_EQ(w->LabInfo()->text(), builtinText(c.text));
    for (int k = 0; k < FrmStart::kPictures; ++k) {
      EXPECT_EQ(w->pictureBackground(k), k == i ? kYellow : kWhite);
      EXPECT_FALSE(w->pictureBorder(k));
    }
    const bool module = QLatin1String(c.tag) == QLatin1String("PicEKaEDS");
    // Only the one cassette shows the linear module below its text.
    EXPECT_EQ(w->imgInfoBild()->pixmap().isNull(), !module);
    EXPECT_EQ(w->LabInfo()->y() + w->LabInfo()->height(), module ? w->imgInfoBild()->y() : pictureBottom);
  }
  EXPECT_EQ(builtinText(242), "Wählen Sie dieses Feld durch einen Mausklick aus, wenn Sie ein Rollenschuhpaar "
                              "auf einem Einzelschienen- paar  berechnen wollen.");
}

TEST_F(StartScreen, MovingAwayFromThePictures) {
  FrmStart *w = FrmStart::open(session);
  ASSERT_NE(w, nullptr);
  const int one = indexOf(w, "PicEKaEDS");
  w->PicButton_MouseMove(one);
  // Over the frame around the pictures: the information returns, the highlight stays.
  w->Frame1_MouseMove();
  EXPECT_EQ(w->LabInfo()->text(), shown(builtinText(240)));
  EXPECT_TRUE(w->imgInfoBild()->pixmap().isNull());
  EXPECT_EQ(w->pictureBackground(one), kYellow);
  // Outside the pictures' frame everything goes back to white.
  w->PicButton_MouseMove(one);
  w->LabMail_MouseMove();
  w->Frame2_MouseMove();
  EXPECT_EQ(w->pictureBackground(one), kWhite);
  EXPECT_TRUE(w->imgInfoBild()->pixmap().isNull());
  EXPECT_EQ(w->LabInfo()->text(), shown(builtinText(240)));
  EXPECT_FALSE(w->LabMail()->font().underline());
}

TEST_F(StartScreen, RealMouseOverAPicture) {
  FrmStart *w = FrmStart::open(session);
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  const int i = indexOf(w, "PicVKaZDS");
  QTest::mouseMove(w->PicButton(i));
  EXPECT_EQ(w->pictureBackground(i), kYellow);
  EXPECT_EQ(w->LabInfo()->text(), builtinText(247));
}

TEST_F(StartScreen, LinksUnderlineAndOpen) {
  FrmStart *w = FrmStart::open(session);
  ASSERT_NE(w, nullptr);
  w->LabMail_MouseMove();
  EXPECT_TRUE(w->LabMail()->font().underline());
  EXPECT_FALSE(w->LabWeb()->font().underline());
  w->LabWeb_MouseMove();
  EXPECT_TRUE(w->LabWeb()->font().underline());
  w->Label1_MouseMove();
  EXPECT_FALSE(w->LabMail()->font().underline());
  EXPECT_FALSE(w->LabWeb()->font().underline());
  w->LabMail_Click();
  w->LabWeb_Click();
  EXPECT_EQ(links, (QStringList{"mailto:" + builtinText(598), "http://" + builtinText(599)}));
}

TEST_F(StartScreen, EveryPictureLeadsToItsScreen) {
  const struct {
    const char *tag, *screen;
    int tables;  // demo catalogue: FN 3 sets, TL 1, So 1
  } cases[] = {{"PicEKaEDS", "FrmEKaEDSch", 5}, {"PicERoEES", "FrmERoEESch", 4},
               {"PicZKaZDS", "FrmZKaZDSch", 4}, {"PicZRoEES", "FrmZRoEESch", 4},
               {"PicZKaEDS", "FrmZKaEDSch", 4}, {"PicVKaZDS", "FrmVKaZDSch", 4}};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.tag);
    QPointer<FrmStart> w = FrmStart::open(session);
    ASSERT_FALSE(w.isNull());
    w->show();
    const int i = indexOf(w, c.tag);
    w->PicButton_Click(i);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull()) << "the start screen unloads itself";
    const QList<FrmArrangement *> screens = arrangementScreens();
    ASSERT_EQ(screens.size(), 1);
    EXPECT_EQ(screens.first()->objectName(), c.screen);
    EXPECT_TRUE(screens.first()->isVisible());
    EXPECT_EQ(session.gintTblAnz, c.tables);
    delete screens.first();
  }
}

TEST_F(StartScreen, BackFromAnArrangementLoadsTheStartScreenAfresh) {
  app::services().startScreen = [](Session &s) { FrmStart::open(s); };
  QPointer<FrmStart> first = FrmStart::open(session);
  ASSERT_FALSE(first.isNull());
  QTest::mouseClick(first->PicButton(indexOf(first, "PicZKaEDS")), Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(arrangementScreens().size(), 1);
  FrmArrangement *screen = arrangementScreens().first();
  EXPECT_EQ(busyRuns, 1);
  // Whatever happened meanwhile, the new start screen asks the settings again.
  session.gintTextMode = 3;
  session.gastrSettings.clear();
  screen->zurueck();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(arrangementScreens().isEmpty());
  EXPECT_EQ(busyRuns, 2);
  EXPECT_EQ(lastBusyValue, 100);
  EXPECT_EQ(session.gintTextMode, 1);
  EXPECT_FALSE(session.gastrSettings.isEmpty());
  FrmStart *again = nullptr;
  for (QWidget *w : QApplication::topLevelWidgets())
    if (auto *s = qobject_cast<FrmStart *>(w)) again = s;
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(again->isVisible());
}

TEST_F(StartScreen, CustomerTextSet) {
  useCatalogue(testsupport::buildCatalogue(
      testsupport::demoCatalogueSql() +
      "UPDATE Einstellung SET Wert = 'CusSpeVer' WHERE Beschr = 'PrgVers';"
      "INSERT INTO Einstellung VALUES ('598', 'kunde@example.org');"
      "INSERT INTO Einstellung VALUES ('240', 'Kunde\\Straße 1');"
      "INSERT INTO Einstellung VALUES ('241', '_');"));
  FrmStart *w = FrmStart::open(session);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(session.gintTextMode, 3);
  EXPECT_EQ(w->LabMail()->text(), "kunde@example.org");
  EXPECT_TRUE(w->LabWeb()->text().isEmpty());
  EXPECT_EQ(w->LabInfo()->text(), "Kunde\nStraße 1");
  // The frame caption is never the customer's.
  EXPECT_EQ(w->Frame1()->title(), builtinText(241));
  w->LabMail_Click();
  EXPECT_EQ(links, QStringList{"mailto:kunde@example.org"});
}

TEST_F(StartScreen, EmptySettingsEndTheProgram) {
  useCatalogue(testsupport::buildCatalogue("CREATE TABLE Einstellung (Beschr TEXT, Wert TEXT);"));
  EXPECT_EQ(FrmStart::open(session), nullptr);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].icon, msg::Icon::Critical);
  EXPECT_FALSE(rec.messages[0].text.isEmpty());
  EXPECT_EQ(rec.endCalls, 1);
}

TEST_F(StartScreen, KeepsItsSizeAndExitCloses) {
  QPointer<FrmStart> w = FrmStart::open(session);
  ASSERT_FALSE(w.isNull());
  const QSize loaded = w->loadedSize();
  EXPECT_EQ(w->size(), loaded);
  w->resize(loaded + QSize(100, 50));
  QApplication::processEvents();
  EXPECT_EQ(w->size(), loaded);
  w->toolbarButton("Exit")->trigger();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(w.isNull());
}

TEST_F(StartScreen, SonderShowsTheBusyWindowThenTheEditor) {
  FrmStart *w = FrmStart::open(session);
  ASSERT_NE(w, nullptr);
  QStringList seen;
  QTimer poll;
  poll.setInterval(5);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget *m = QApplication::activeModalWidget();
    if (!m) return;
    const QString name = QString::fromLatin1(m->metaObject()->className());
    if (seen.isEmpty() || seen.last() != name) seen << name;
    if (name == QLatin1String("FrmSonder")) m->close();
  });
  poll.start();
  w->toolbarButton("Sonder")->trigger();
  poll.stop();
  EXPECT_EQ(seen, (QStringList{"FrmBusy", "FrmSonder"}));
}

TEST_F(StartScreen, MissingRequiredSafetyIsReportedAndTheScreenStillOpens) {
  useCatalogue(testsupport::buildCatalogue(testsupport::demoCatalogueSql() +
                                           "DELETE FROM Einstellung WHERE Beschr = 'StdSiko';"));
  FrmStart *w = FrmStart::open(session);
  ASSERT_NE(w, nullptr);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "sSetLayout!");
  EXPECT_EQ(rec.messages[0].text, err::typeMismatch());
  EXPECT_EQ(rec.endCalls, 0);
  // The settings were loaded before the layout broke off.
  EXPECT_FALSE(session.gastrSettings.isEmpty());
}

// A new start screen puts the required safety of load type "ruhend" in force; the load
// type that the evaluation screen shows for it must be "ruhend" again as well.
TEST_F(StartScreen, LoadingPutsTheRestingLoadTypeInForce) {
  session.gintLoadType = 2;
  session.gsngSiko = 3.5f;
  FrmStart *w = FrmStart::open(session);
  ASSERT_NE(w, nullptr);
  EXPECT_FLOAT_EQ(session.gsngSiko, 1.5f);
  EXPECT_EQ(session.gintLoadType, 0);
}
