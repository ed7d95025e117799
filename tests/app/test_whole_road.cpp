// The whole road of one calculation on real widgets, for each of the six arrangements:
// the start screen, a click on the arrangement's picture, the distances typed into their
// fields, the forces entered through their direction labels and the force dialog,
// "Berechnen" with the load display, "Weiter", sizes ticked on the evaluation screen, the
// load type, its "Berechnen" and the result grid. The input and the expected numbers are
// those the batch tool is held to as well (tests/support/ArrangementRoads.h, worked out
// by hand there); here the screens are checked to carry them along.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QScreen>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <functional>
#include <memory>

#include "app/FrmStart.h"
#include "ui/arrangements/FrmArrangement.h"
#include "ui/arrangements/Shape.h"
#include "core/evaluation/EvaluationTexts.h"
#include "core/catalogue/Catalogue.h"
#include "ui/common/AppServices.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "core/common/UnsavedInput.h"
#include "core/evaluation/Evaluation.h"
#include "ui/evaluation/FrmAuswertung.h"
#include "ui/loads/DialogEingabe.h"
#include "ui/loads/DirectionLabels.h"
#include "ui/loads/ForceGrid.h"
#include "ui/loads/LoadCaseTabs.h"
#include "ui/loads/MotionDialog.h"
#include "ui/report/FrmAusdruck.h"
#include "ui/report/ReportHooks.h"
#include "output/report/ReportText.h"
#include "support/ArrangementRoads.h"
#include "support/Children.h"
#include "support/TestCatalogue.h"

// Readable failure output for texts.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using testsupport::child;
using testsupport::kRoads;
using testsupport::numbered;

const QColor kRed(255, 0, 0);

// Size boxes of the evaluation screen: six per series frame, sizes 12, 15, 20, 25, 35, 45.
int sizeBox(int frame, int size) {
  const int sizes[] = {12, 15, 20, 25, 35, 45};
  for (int i = 0; i < 6; ++i)
    if (sizes[i] == size) return frame * 6 + i;
  return -1;
}

class WholeRoad : public ::testing::Test {
 protected:
  void SetUp() override {
    // Windows come and go here without an event loop to end.
    QApplication::setQuitOnLastWindowClosed(false);
    computeSubVersion(session);
    input::markSavePoint();
    file = std::make_unique<testsupport::ScopedCatalogueFile>(session, testsupport::demoCatalogueFile());
    // The dialogs and the evaluation screen's outputs as the program has them, no busy
    // window; closing an arrangement screen here leads nowhere.
    AppServices services;
    services.dialogs = report::standardDialogs();
    services.dialogs.commentDialog = report::commentDialogFor(session);
    services.evaluation = FrmAuswertung::standardServices();
    app::install(std::move(services));
  }
  void TearDown() override {
    // Menus are top-level widgets too and go with their window: guard every pointer.
    QList<QPointer<QWidget>> windows;
    for (QWidget *w : topLevel<FrmAuswertung>()) windows << w;
    for (QWidget *w : topLevel<FrmArrangement>()) windows << w;
    for (QWidget *w : topLevel<FrmStart>()) windows << w;
    for (const QPointer<QWidget> &w : windows) delete w.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    file.reset();
    app::install({});
  }

  template <class T>
  static QList<T *> topLevel() {
    QList<T *> out;
    for (QWidget *w : QApplication::topLevelWidgets())
      if (auto *t = qobject_cast<T *>(w)) out << t;
    return out;
  }

  // The start screen, a mouse click on the picture with `tag`, and the arrangement
  // screen that opens; the start screen is gone then.
  FrmArrangement *chooseOnStartScreen(const QString &tag, const QString &screenName) {
    QPointer<FrmStart> start = FrmStart::open(session);
    if (!start) {
      ADD_FAILURE() << "no start screen";
      return nullptr;
    }
    int picture = -1;
    for (int i = 0; i < FrmStart::kPictures; ++i)
      if (start->pictureTag(i) == tag) picture = i;
    if (picture < 0) {
      ADD_FAILURE() << "no picture " << tag.toStdString();
      return nullptr;
    }
    QTest::mouseClick(start->PicButton(picture), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(start.isNull()) << "the start screen unloads itself";
    const QList<FrmArrangement *> screens = topLevel<FrmArrangement>();
    if (screens.size() != 1) {
      ADD_FAILURE() << screens.size() << " arrangement screens";
      return nullptr;
    }
    FrmArrangement *w = screens.first();
    EXPECT_EQ(w->objectName(), screenName);
    EXPECT_TRUE(w->isVisible());
    return w;
  }

  // A click on the direction label `direction`; the force dialog that opens gets the
  // force, x and y typed on the keyboard (the z field of a Z force is disabled) and OK
  // clicked with the mouse.
  static void forceThroughDialog(FrmArrangement *w, const QString &direction, const QString &force,
                                 const QString &x, const QString &y, const QString &z) {
    QLabel *label = nullptr;
    for (int i = 0; i < 8 && !label; ++i)
      if (child<QLabel>(w, "LabKoordinaten", i)->text() == direction) label = child<QLabel>(w, "LabKoordinaten", i);
    ASSERT_NE(label, nullptr) << direction.toStdString();
    bool answered = false;
    // A timer of this function's own: should no dialog open, it goes with the function.
    QTimer answer;
    answer.setSingleShot(true);
    QObject::connect(&answer, &QTimer::timeout, [&] {
      auto *d = qobject_cast<DialogEingabe *>(QApplication::activeModalWidget());
      if (!d) {
        ADD_FAILURE() << "no force dialog";
        return;
      }
      const QString typed[4] = {force, x, y, z};
      for (int i = 0; i < 4; ++i)
        if (d->tbKrfXYZ(i)->isEnabled()) QTest::keyClicks(d->tbKrfXYZ(i), typed[i]);
      QTest::mouseClick(d->cmdOK(), Qt::LeftButton);
      answered = true;
      if (d->isVisible()) {
        ADD_FAILURE() << "the dialog refused the force";
        d->cmdExit()->click();
      }
    });
    answer.start(0);
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_TRUE(answered);
  }

  // A mouse click on the tool button of a toolbar action.
  static void clickToolButton(QToolBar *bar, QAction *action) {
    ASSERT_NE(action, nullptr);
    QWidget *button = bar->widgetForAction(action);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
  }

  static QStringList loadLabels(FrmArrangement *w) {
    QStringList out;
    for (int k = 0; k < 4; ++k) out << child<QLabel>(w, "LabFo", k)->text();
    return out;
  }

  // "Weiter" on the arrangement screen: it hides, the evaluation screen shows.
  FrmAuswertung *weiter(FrmArrangement *w) {
    clickToolButton(child<QToolBar>(w, "Toolbar1"), child<QAction>(w, QStringLiteral("Weiter")));
    EXPECT_FALSE(w->isVisible());
    const QList<FrmAuswertung *> screens = topLevel<FrmAuswertung>();
    if (screens.size() != 1) {
      ADD_FAILURE() << screens.size() << " evaluation screens";
      return nullptr;
    }
    EXPECT_TRUE(screens.first()->isVisible());
    EXPECT_EQ(screens.first()->mfrmMasterForm(), w);
    return screens.first();
  }

  // A mouse click on the tick mark of a check box.
  static void tick(QCheckBox *box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

  static QStringList gridRow(FrmAuswertung *e, int row) {
    QStringList out;
    QTableWidget *g = e->MSFlexGrid1();
    for (int c = 0; c < g->columnCount(); ++c) {
      const QTableWidgetItem *it = g->item(row, c);
      out << (it ? it->text() : QStringLiteral("<none>"));
    }
    return out;
  }

  // The road of `r` up to the evaluation screen: its picture on the start screen, its
  // distances typed into the fields it has, its forces through the direction labels and
  // the force dialog, "Berechnen" with the load values and the most loaded marks red,
  // "Weiter" with the distances handed on. `screen` gets the arrangement screen.
  FrmAuswertung *toEvaluation(const testsupport::Road &r, FrmArrangement **screen = nullptr) {
    FrmArrangement *w = chooseOnStartScreen(r.picture, r.screen);
    if (!w) return nullptr;
    if (screen) *screen = w;
    const std::pair<const char *, const char *> fields[] = {{"Tb_m", r.m}, {"Tb_n", r.n}};
    for (const auto &[name, text] : fields) {
      auto *field = w->findChild<QLineEdit *>(name);
      EXPECT_EQ(field != nullptr, text != nullptr) << name;
      if (field && text) QTest::keyClicks(field, text);
    }
    for (const QStringList &f : r.forces) forceThroughDialog(w, f[0], f[1], f[2], f[3], f[4]);
    EXPECT_EQ(child<ForceGrid>(w, "MSFlexGrid1")->dataRows(), r.forces);
    QTest::mouseClick(child<QPushButton>(w, "CmdBerechnen"), Qt::LeftButton);
    EXPECT_TRUE(rec.messages.isEmpty());
    EXPECT_EQ(loadLabels(w), r.shown);
    for (int k = 0; k < w->shapeCount(); ++k) EXPECT_EQ(child<Shape>(w, "ShpMaxBel", k)->fillColor(), kRed) << k;
    for (const auto &[name, text] : fields)
      if (text) {
        EXPECT_EQ(child<QLineEdit>(w, name)->text(), text) << name;
      }
    FrmAuswertung *e = weiter(w);
    EXPECT_FLOAT_EQ(session.gsngUnitDistance, r.m ? QString(r.m).toFloat() : 0.0f);
    EXPECT_FLOAT_EQ(session.gsngRailDistance, r.n ? QString(r.n).toFloat() : 0.0f);
    return e;
  }

  // The sizes of r's rows ticked under their series (where not ticked yet), "ruhend" and
  // "Berechnen": the grid and the session show r's rows.
  void rate(FrmAuswertung *e, const testsupport::Road &r) {
    for (const QStringList &row : r.rows) {
      const QString series = "Serie " + QString(row[0]).remove(QRegularExpression("\\d+$"));
      int frame = -1;
      for (int k = 0; k < eval::kFrames && frame < 0; ++k)
        if (e->chkKSerie(k)->text() == series) frame = k;
      ASSERT_GE(frame, 0) << series.toStdString();
      QCheckBox *box = e->chkGrSer(sizeBox(frame, row[1].toInt()));
      if (!box->isChecked()) tick(box);
    }
    QTest::mouseClick(e->OptBelArt(0), Qt::LeftButton);  // "ruhend"
    EXPECT_FLOAT_EQ(session.gsngSiko, 1.5f);
    QTest::mouseClick(e->CmdBerechnen(), Qt::LeftButton);
    EXPECT_TRUE(rec.messages.isEmpty());
    ASSERT_EQ(e->MSFlexGrid1()->rowCount(), r.rows.size());
    for (int i = 0; i < r.rows.size(); ++i) EXPECT_EQ(gridRow(e, i), r.rows[i].mid(0, 9)) << i;
    EXPECT_EQ(eval::fieldRows(session.gastrEvaluation), r.rows);
  }

  Session session;
  msg::Recorder rec;
  std::unique_ptr<testsupport::ScopedCatalogueFile> file;
};

}  // namespace

// One cassette on one double rail. Table sets FN, TL and So: TLS, TLK, TLH, TLM, TLX.
TEST_F(WholeRoad, OneCassetteOnOneDoubleRail) {
  FrmAuswertung *e = toEvaluation(kRoads[0]);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->chkKSerie(0)->text(), "Serie KD");
  EXPECT_EQ(e->chkKSerie(4)->text(), "Serie KX");  // the fifth table set
  rate(e, kRoads[0]);
}

// One roller-shoe pair on one single-rail pair.
TEST_F(WholeRoad, OneRollerShoePair) {
  FrmAuswertung *e = toEvaluation(kRoads[1]);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->chkKSerie(0)->text(), "Serie RE");
  rate(e, kRoads[1]);
}

// Two cassettes one behind the other on one double rail.
TEST_F(WholeRoad, TwoCassettesOnOneDoubleRail) {
  FrmAuswertung *e = toEvaluation(kRoads[2]);
  ASSERT_NE(e, nullptr);
  rate(e, kRoads[2]);
}

// Two cassettes side by side on two double rails; then the other load types on the same
// ticks.
TEST_F(WholeRoad, TwoCassettesOnTwoDoubleRails) {
  const testsupport::Road &r = kRoads[3];
  FrmAuswertung *e = toEvaluation(r);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->chkKSerie(2)->text(), "Serie KH");
  rate(e, r);
  // "schwellend" asks for 2,5: a safety of exactly 2,5 still suffices.
  QTest::mouseClick(e->OptBelArt(1), Qt::LeftButton);
  EXPECT_FLOAT_EQ(session.gsngSiko, 2.5f);
  QTest::mouseClick(e->CmdBerechnen(), Qt::LeftButton);
  EXPECT_EQ(gridRow(e, 0), r.rows[0].mid(0, 9));
  // "wechselnd" asks for 3,5: 2,5 is too little; the distance verdict stays.
  QTest::mouseClick(e->OptBelArt(2), Qt::LeftButton);
  EXPECT_FLOAT_EQ(session.gsngSiko, 3.5f);
  QTest::mouseClick(e->CmdBerechnen(), Qt::LeftButton);
  EXPECT_EQ(gridRow(e, 0).value(8), "Belastung zu hoch!");
  EXPECT_EQ(gridRow(e, 1), r.rows[1].mid(0, 9));
}

// Four cassettes on two double rails, two forces; then back to the arrangement screen,
// which still holds its input.
TEST_F(WholeRoad, FourCassettesOnTwoDoubleRailsAndBack) {
  const testsupport::Road &r = kRoads[4];
  FrmArrangement *w = nullptr;
  FrmAuswertung *e = toEvaluation(r, &w);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(session.gastrArrangement,
            (QStringList{"Vier Kassetten mit zwei Doppelschienen", "Four cassettes with two double rails"}));
  EXPECT_EQ(session.gastrForce, (TextRows{{"- Z", "6.000 N", "0 mm", "0 mm", "0 mm"},
                                           {"- Z", "4.000 N", "0 mm", "0 mm", "0 mm"}}));
  EXPECT_EQ(e->chkKSerie(1)->text(), "Serie KK");
  EXPECT_EQ(e->chkKSerie(3)->text(), "Serie KX");
  rate(e, r);

  // "Zurück" on the evaluation screen: the arrangement screen again, input unchanged.
  QPointer<FrmAuswertung> evaluation(e);
  clickToolButton(e->Toolbar1(), e->toolbarButton(QStringLiteral("Zurück")));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(evaluation.isNull());
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(child<QLineEdit>(w, "Tb_m")->text(), r.m);
  EXPECT_EQ(child<QLineEdit>(w, "Tb_n")->text(), r.n);
  EXPECT_EQ(child<ForceGrid>(w, "MSFlexGrid1")->rows(), 3);
  EXPECT_EQ(child<ForceGrid>(w, "MSFlexGrid1")->dataRows(), r.forces);
  EXPECT_EQ(loadLabels(w), r.shown);
  EXPECT_FLOAT_EQ(session.gsngUnitDistance, 0.0f);
  EXPECT_FLOAT_EQ(session.gsngRailDistance, 0.0f);
  EXPECT_EQ(topLevel<FrmStart>().size(), 0);
  EXPECT_TRUE(rec.messages.isEmpty());
}

// Two roller-shoe pairs on one single-rail pair; the whole series ticked with its series
// box.
TEST_F(WholeRoad, TwoRollerShoePairs) {
  FrmAuswertung *e = toEvaluation(kRoads[5]);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->chkKSerie(0)->text(), "Serie RE");
  tick(e->chkKSerie(0));  // TLS 12, 15, 20, 25, 35 (TLS 45 has no roller shoe)
  for (int size : {12, 15, 20, 25, 35}) EXPECT_TRUE(e->chkGrSer(sizeBox(0, size))->isChecked()) << size;
  EXPECT_FALSE(e->chkGrSer(sizeBox(0, 45))->isChecked());
  rate(e, kRoads[5]);
}

// The tandem whose side force rolls it, where the rigid-plate check governs with
// 1093,625 N over the model's 243,75 N. The arrangement screen says so beside the
// loads, the evaluation grid marks the load and explains the marker, and the report
// (page, printout and the evaluation's printout alike) marks it with a footnote.
TEST_F(WholeRoad, RigidPlateCheckIsShownWhereItGoverns) {
  const testsupport::Road &r = testsupport::kTandemRollCouple;
  FrmArrangement *w = chooseOnStartScreen(r.picture, r.screen);
  ASSERT_NE(w, nullptr);
  QTest::keyClicks(child<QLineEdit>(w, "Tb_m"), r.m);
  for (const QStringList &f : r.forces) forceThroughDialog(w, f[0], f[1], f[2], f[3], f[4]);
  EXPECT_FALSE(child<QLabel>(w, "LabPlatte")->isVisible());

  QTest::mouseClick(child<QPushButton>(w, "CmdBerechnen"), Qt::LeftButton);
  EXPECT_TRUE(rec.messages.isEmpty());
  numbered<QAction>(w, "mnuSerie")[2]->trigger();  // "KD20 20"
  ASSERT_EQ(numbered<QAction>(w, "mnuSerie")[2]->text(), "KD20 20");
  // The check's value of each cassette, halved per position as the model's are.
  EXPECT_EQ(loadLabels(w), r.shown);
  EXPECT_TRUE(child<QLabel>(w, "LabPlatte")->isVisible());
  EXPECT_EQ(child<QLabel>(w, "LabPlatte")->text(), builtinText(1000));
  EXPECT_TRUE(child<QLabel>(w, "LabPlatte")->text().startsWith("Nachrechnung als starre Platte"));
  EXPECT_EQ(child<QLabel>(w, "LabPlatte")->palette().color(QPalette::WindowText), kRed);

  FrmAuswertung *e = weiter(w);
  ASSERT_NE(e, nullptr);
  tick(e->chkGrSer(sizeBox(0, 20)));  // TLS 20
  QTest::mouseClick(e->CmdBerechnen(), Qt::LeftButton);
  EXPECT_TRUE(rec.messages.isEmpty());
  ASSERT_EQ(e->MSFlexGrid1()->rowCount(), 1);
  const QTableWidgetItem *load = e->MSFlexGrid1()->item(0, 5);
  ASSERT_NE(load, nullptr);
  EXPECT_EQ(load->text(), "1.094 N *");
  EXPECT_EQ(load->toolTip(), "Belastung aus der Nachrechnung als starre Platte (höher als das Lastmodell)");
  EXPECT_TRUE(e->LabPlatte()->isVisible());
  EXPECT_TRUE(e->LabPlatte()->text().startsWith("* Belastung aus der Nachrechnung als starre Platte"));
  EXPECT_LE(e->MSFlexGrid1()->geometry().bottom(), e->LabPlatte()->geometry().top());
  // The evaluated row keeps the plain load: the text export has its layout.
  EXPECT_EQ(eval::loadText(session.gastrEvaluation.value(0)), "1.094 N");
  ASSERT_EQ(session.gastrEvaluation.size(), 1);
  EXPECT_TRUE(session.gastrEvaluation[0].byCheck);

  for (int k : {report::German, report::English}) {
    const report::ReportLines body = report::reportBody(session, report::buildReportTables(session), k);
    QStringList texts;
    for (const report::ReportLine &l : body)
      for (const report::TabItem &i : l.items) texts << i.text;
    // The English report writes its numbers in English notation.
    EXPECT_TRUE(texts.contains(k == report::German ? "1.094 N *" : "1,094 N *")) << k;
    EXPECT_TRUE(texts.contains(builtinText(k == report::German ? 1004 : 1005))) << k;
  }
  EXPECT_TRUE(builtinText(1005).contains("rigid-plate check"));
}

// The road without a mouse: Tab and the arrow keys to a picture, Enter; Tab to the
// direction labels, Enter opens the force dialog, the force is typed, Enter walks on to
// "Ok" and Space presses it; a second force, then the first deleted with the Delete key; Alt+B calculates and
// Alt+D, W moves on to the evaluation.
// The entries of one menu (and the menus of one bar) that share an underlined letter:
// the letter would pick the first and never reach the others.
QStringList sharedMnemonics(const QList<QAction *> &actions) {
  QStringList out;
  QMap<QChar, QString> taken;
  for (QAction *a : actions) {
    if (a->isSeparator() || !a->isVisible()) continue;
    const QString text = QString(a->text()).replace("&&", "");
    const qsizetype amp = text.indexOf('&');
    if (amp >= 0 && amp + 1 < text.size()) {
      const QChar key = text.at(amp + 1).toLower();
      // The help menu's two information entries share their letter as the program has
      // always named them.
      const bool keptAsNamed = a->text() == "Inf&o zu TarvelCalc ..." && taken.value(key) == "Inf&o zu DB TarvelCALC";
      if (taken.contains(key) && !keptAsNamed) out << taken.value(key) + " / " + a->text();
      taken.insert(key, a->text());
    }
    if (a->menu()) out << sharedMnemonics(a->menu()->actions());
  }
  return out;
}

TEST_F(WholeRoad, KeyboardOnly) {
  QPointer<FrmStart> start = FrmStart::open(session);
  ASSERT_TRUE(start);
  start->show();
  start->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(start));
  auto focused = [] { return QApplication::focusWidget(); };
  // The first Tab reaches the first picture, top left; it shows its focus frame and its
  // text; the arrows move on.
  QTest::keyClick(focused() ? focused() : start.data(), Qt::Key_Tab);
  int picture = -1;
  for (int i = 0; i < FrmStart::kPictures; ++i)
    if (start->PicButton(i) == focused()) picture = i;
  ASSERT_GE(picture, 0);
  for (int i = 0; i < FrmStart::kPictures; ++i) {
    const QPoint p = start->PicButton(i)->pos(), first = start->PicButton(picture)->pos();
    EXPECT_TRUE(p.y() > first.y() || (p.y() == first.y() && p.x() >= first.x())) << "picture " << i << " comes first";
  }
  EXPECT_TRUE(start->pictureFocusFrame(picture));
  for (int step = 0; step < 6 && start->pictureTag(picture) != "PicEKaEDS"; ++step) {
    QTest::keyClick(focused(), Qt::Key_Right);
    for (int i = 0; i < FrmStart::kPictures; ++i)
      if (start->PicButton(i) == focused()) picture = i;
  }
  ASSERT_EQ(start->pictureTag(picture), "PicEKaEDS");
  QTest::keyClick(focused(), Qt::Key_Return);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(start.isNull());
  ASSERT_EQ(topLevel<FrmArrangement>().size(), 1);
  FrmArrangement *w = topLevel<FrmArrangement>().first();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w));

  // Tab to the label "- Z"; Enter asks for the force.
  auto tabTo = [&](QWidget *target) {
    for (int i = 0; i < 20 && focused() != target; ++i) QTest::keyClick(focused() ? focused() : w, Qt::Key_Tab);
    return focused() == target;
  };
  QLabel *minusZ = nullptr;
  for (int i = 0; i < 8; ++i)
    if (child<QLabel>(w, "LabKoordinaten", i)->text() == "- Z") minusZ = child<QLabel>(w, "LabKoordinaten", i);
  ASSERT_TRUE(tabTo(minusZ));
  EXPECT_TRUE(child<DirectionLabels>(w, "DirectionLabels")->hasFocusFrame(4));
  for (const char *force : {"1000", "2000"}) {
    QString title;
    QTimer::singleShot(0, [&] {
      auto *d = qobject_cast<DialogEingabe *>(QApplication::activeModalWidget());
      if (!d) return;
      title = d->windowTitle();
      d->activateWindow();
      if (!QTest::qWaitForWindowActive(d)) ADD_FAILURE() << "the dialog is not active";
      QTest::keyClicks(d->focusWidget(), force);
      // Enter walks on through the fields to "Ok"; Space presses it.
      for (int i = 0; i < 8 && d->focusWidget() != d->cmdOK(); ++i) QTest::keyClick(d->focusWidget(), Qt::Key_Return);
      QTest::keyClick(d->cmdOK(), Qt::Key_Space);
      if (d->isVisible()) {
        ADD_FAILURE() << "the dialog is still open";
        d->cmdExit()->click();
      }
    });
    QTest::keyClick(minusZ, Qt::Key_Return);
    EXPECT_EQ(title, "Dateneingabe: Kraft in - Z-Richtung");
    EXPECT_FALSE(child<DirectionLabels>(w, "DirectionLabels")->isHighlighted(4));
  }
  ASSERT_EQ(child<ForceGrid>(w, "MSFlexGrid1")->rows(), 3);
  EXPECT_EQ(child<ForceGrid>(w, "MSFlexGrid1")->textMatrix(2, 1), "2000");

  // The first force deleted with the Delete key.
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w));
  ASSERT_TRUE(tabTo(child<ForceGrid>(w, "MSFlexGrid1"))) << (focused() ? focused()->objectName().toStdString() : "no focus");
  child<ForceGrid>(w, "MSFlexGrid1")->setCurrentCell(-1, -1);
  QTest::keyClick(child<ForceGrid>(w, "MSFlexGrid1"), Qt::Key_Down);
  ASSERT_EQ(child<ForceGrid>(w, "MSFlexGrid1")->currentDataRow(), 1);
  rec.answers = {msg::Answer::Yes};
  QTest::keyClick(child<ForceGrid>(w, "MSFlexGrid1"), Qt::Key_Delete);
  EXPECT_EQ(child<ForceGrid>(w, "MSFlexGrid1")->dataRows(), (TextRows{{"- Z", "2000", "0", "0", "0"}}));

  // Tab leaves the force table (it does not walk its cells) and reaches "Berechnen";
  // Enter presses it.
  QTest::keyClick(child<ForceGrid>(w, "MSFlexGrid1"), Qt::Key_Tab);
  EXPECT_EQ(focused(), child<QPushButton>(w, "CmdBerechnen")) << (focused() ? focused()->objectName().toStdString() : "no focus");
  child<ForceGrid>(w, "MSFlexGrid1")->setFocus();
  QTest::keyClick(child<ForceGrid>(w, "MSFlexGrid1"), Qt::Key_Backtab);
  EXPECT_NE(focused(), child<ForceGrid>(w, "MSFlexGrid1")) << "Shift+Tab leaves the table backwards";
  ASSERT_TRUE(tabTo(child<QPushButton>(w, "CmdBerechnen")));
  QTest::keyClick(child<QPushButton>(w, "CmdBerechnen"), Qt::Key_Return);
  for (int i = 0; i < 100 && loadLabels(w).value(0).isEmpty(); ++i) QTest::qWait(10);
  EXPECT_EQ(loadLabels(w).value(0), "2000 N");
  // Alt+B: "Berechnen" as well.
  QTest::keyClick(w, Qt::Key_B, Qt::AltModifier);
  EXPECT_EQ(loadLabels(w).value(0), "2000 N");
  EXPECT_EQ(sharedMnemonics(w->menuBar()->actions()), QStringList());
  // Alt+D, W: "Weiter".
  QTest::keyClick(w, Qt::Key_D, Qt::AltModifier);
  ASSERT_TRUE(child<QMenu>(w, "MenüDatei")->isVisible());
  QTest::keyClick(child<QMenu>(w, "MenüDatei"), Qt::Key_W);
  EXPECT_FALSE(w->isVisible());
  ASSERT_EQ(topLevel<FrmAuswertung>().size(), 1);

  // On the evaluation screen Enter presses the focused "Berechnen", and the report window
  // opens from the keyboard (Ansicht › Druckmanager, Ctrl+D).
  FrmAuswertung *e = topLevel<FrmAuswertung>().first();
  e->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(e));
  for (int i = 0; i < eval::kBoxes; ++i)
    if (e->chkGrSer(i)->isEnabled()) {
      tick(e->chkGrSer(i));
      break;
    }
  QAction *print = e->findChild<QAction *>(QStringLiteral("MenüDrucken"));
  ASSERT_NE(print, nullptr);
  EXPECT_FALSE(print->isEnabled()) << "nothing evaluated yet";
  e->CmdBerechnen()->setFocus();
  QTest::keyClick(e->CmdBerechnen(), Qt::Key_Return);
  EXPECT_TRUE(print->isEnabled()) << "Enter on the focused button calculates";
  ASSERT_EQ(FrmAusdruck::current(), nullptr);
  QTest::keyClick(e, Qt::Key_D, Qt::ControlModifier);
  ASSERT_NE(FrmAusdruck::current(), nullptr) << "Ctrl+D opens the report window";
  EXPECT_TRUE(FrmAusdruck::current()->isVisible());
  EXPECT_EQ(sharedMnemonics(e->menuBar()->actions()), QStringList());
  EXPECT_EQ(sharedMnemonics(FrmAusdruck::current()->menuBar()->actions()), QStringList());
  FrmAusdruck::current()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

namespace {
// Pairs of visible sibling controls that overlap, inside `root` and inside its group
// boxes: what a user would see drawn over each other.
// A label without text that holds the other control wholly: a coloured band that the
// design puts controls on (the heading band), no overlap.
bool backdrop(const QWidget *band, const QWidget *on) {
  const auto *label = qobject_cast<const QLabel *>(band);
  return label && label->text().isEmpty() && band->geometry().contains(on->geometry());
}

QStringList overlappingControls(QWidget *root) {
  QStringList out;
  std::function<void(QWidget *)> walk = [&](QWidget *parent) {
    QList<QWidget *> kids;
    for (QObject *o : parent->children())
      if (auto *w = qobject_cast<QWidget *>(o); w && !w->isWindow() && w->isVisible()) kids << w;
    for (int i = 0; i < kids.size(); ++i)
      for (int j = i + 1; j < kids.size(); ++j)
        if (kids[i]->geometry().intersects(kids[j]->geometry()) && !backdrop(kids[i], kids[j]) &&
            !backdrop(kids[j], kids[i]))
          out << kids[i]->objectName() + QStringLiteral(" / ") + kids[j]->objectName();
    for (QWidget *k : kids)
      if (qobject_cast<QGroupBox *>(k)) walk(k);
  };
  walk(root);
  return out;
}

// Waits until the condition holds, letting the window manager answer; false after 5 s.
template <class F>
bool waitFor(F condition) {
  for (int i = 0; i < 250 && !condition(); ++i) QTest::qWait(20);
  return condition();
}
}  // namespace

// Under a real window manager (tests/app/under-wm.sh: Xvfb 1366x768 with openbox, on the
// xcb platform): the evaluation window maximised and restored shows every control without
// overlap; the report window, opened with the keyboard through xdotool, fills the screen's
// free area with its first page fully inside it; back on the evaluation nothing has shrunk.
TEST_F(WholeRoad, UnderWindowManagerEvaluationAndReportWindows) {
  if (qEnvironmentVariableIsEmpty("TARVEL_UNDER_WM") || QGuiApplication::platformName() != QLatin1String("xcb"))
    GTEST_SKIP() << "needs a real window manager: ctest -R UnderWindowManager (tests/app/under-wm.sh)";
  FrmArrangement *w = chooseOnStartScreen("PicVKaZDS", "FrmVKaZDSch");
  ASSERT_NE(w, nullptr);
  QTest::keyClicks(child<QLineEdit>(w, "Tb_m"), "400");
  QTest::keyClicks(child<QLineEdit>(w, "Tb_n"), "300");
  forceThroughDialog(w, "- Z", "6000", "0", "0", "");
  FrmAuswertung *e = weiter(w);
  ASSERT_NE(e, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(e));
  tick(e->chkGrSer(sizeBox(1, 45)));
  tick(e->chkGrSer(sizeBox(3, 12)));
  QTest::keyClicks(e->findChild<QLineEdit *>("Tb_Betrieb0"), "500");
  QTest::keyClicks(e->findChild<QLineEdit *>("Tb_Betrieb1"), "10");
  QTest::mouseClick(e->CmdBerechnen(), Qt::LeftButton);
  EXPECT_TRUE(rec.messages.isEmpty());
  EXPECT_EQ(overlappingControls(e->centralWidget()), QStringList()) << "at its opening size";

  const QRect normal = e->geometry();
  e->showMaximized();
  ASSERT_TRUE(waitFor([&] { return e->isMaximized() && e->width() > normal.width(); }));
  QTest::qWait(200);
  EXPECT_EQ(overlappingControls(e->centralWidget()), QStringList()) << "maximised";
  const int gridHeightMaximised = e->MSFlexGrid1()->height();
  e->showNormal();
  ASSERT_TRUE(waitFor([&] { return !e->isMaximized() && e->width() < 1300; }));
  QTest::qWait(200);
  EXPECT_EQ(overlappingControls(e->centralWidget()), QStringList()) << "restored";
  const int gridHeightNormal = e->MSFlexGrid1()->height();

  // The report window by keyboard, as the user types it: Ctrl+D.
  e->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(e));
  ASSERT_EQ(QProcess::execute("xdotool", {"key", "--clearmodifiers", "ctrl+d"}), 0);
  ASSERT_TRUE(waitFor([] { return FrmAusdruck::current() && FrmAusdruck::current()->isVisible(); }))
      << "Ctrl+D opened no report window";
  FrmAusdruck *r = FrmAusdruck::current();
  ASSERT_TRUE(waitFor([&] { return r->width() >= 900 && r->height() >= 650; }))
      << r->width() << " x " << r->height();
  const QRect free = r->screen()->availableGeometry();
  EXPECT_TRUE(free.contains(r->frameGeometry().adjusted(1, 1, -1, -1)))
      << "the report window stays inside the free area of the screen";
  QTest::qWait(200);
  auto *area = r->findChild<QMdiArea *>("MDIForm");
  ASSERT_NE(area, nullptr);
  ASSERT_FALSE(area->subWindowList().isEmpty());
  QMdiSubWindow *page = area->subWindowList().first();
  EXPECT_GE(page->width(), 600) << "the page window uses the room it has";
  EXPECT_GE(page->height(), 500);
  EXPECT_TRUE(area->viewport()->rect().contains(page->geometry())) << "the page is fully visible";

  // Back on the evaluation screen, nothing has shrunk or moved over anything.
  r->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  e->activateWindow();
  QTest::qWait(200);
  EXPECT_EQ(e->MSFlexGrid1()->height(), gridHeightNormal);
  EXPECT_EQ(overlappingControls(e->centralWidget()), QStringList()) << "after the report";
  e->showMaximized();
  ASSERT_TRUE(waitFor([&] { return e->isMaximized() && e->width() > normal.width(); }));
  QTest::qWait(200);
  EXPECT_EQ(e->MSFlexGrid1()->height(), gridHeightMaximised);
  e->showNormal();
}

// Every numeric field of the program, typed and pasted: "2.5", "2.500", "-5", "abc",
// "1,2,3" and a 12-digit number (beyond every plausible range). After each the field
// shows exactly what was typed, and its calculating button refuses it with a message that
// names the field; only a minus sign where the field takes one ("-5" as a coordinate)
// passes, and then the number calculated is the one on screen.
TEST_F(WholeRoad, EveryNumericFieldCalculatesOnlyWhatItShows) {
  FrmArrangement *w = chooseOnStartScreen("PicVKaZDS", "FrmVKaZDSch");
  ASSERT_NE(w, nullptr);
  QTest::keyClicks(child<QLineEdit>(w, "Tb_m"), "400");
  QTest::keyClicks(child<QLineEdit>(w, "Tb_n"), "300");
  forceThroughDialog(w, "- Z", "1000", "0", "0", "");

  struct Field {
    QString name;      // as the message names it
    QLineEdit *edit;
    QString valid;     // a text the field takes, restored before each case
    bool minus;        // the field takes a minus sign
    std::function<void()> press;
  };
  QList<Field> fields;
  auto pressBerechnen = [w] { child<QPushButton>(w, "CmdBerechnen")->click(); };
  fields << Field{"Abstand m (mm)", child<QLineEdit>(w, "Tb_m"), "400", false, pressBerechnen}
         << Field{"Abstand n (mm)", child<QLineEdit>(w, "Tb_n"), "300", false, pressBerechnen}
         << Field{"Lastfall 1", child<LoadCaseTabs>(w, "LoadCaseTabs")->shareField(), "100", false, pressBerechnen};

  QObject holder;
  DialogEingabe::setPendingDirection(&holder, QStringLiteral("- Y"));
  ForceGrid grid;
  DialogEingabe force(session, w, &grid, &holder);
  const char *forceNames[4] = {"Kraft (N)", "Koordindate in X-Richtung (mm)", "Koordindate in Y-Richtung (mm)",
                               "Koordindate in Z-Richtung (mm)"};
  for (int i = 0; i < 4; ++i)
    if (force.tbKrfXYZ(i)->isEnabled())
      fields << Field{forceNames[i], force.tbKrfXYZ(i), i == 0 ? "1000" : "10", i != 0, [&force] { force.cmdOK()->click(); }};

  MotionDialog motion(session, w);
  const QStringList motionValid = {"50", "100", "0", "80", "1", "2", "4", "1000", "", "0", "0", "0"};
  const int motionLabels[12] = {1343, 1344, 1345, 1346, 1352, 1353, 1354, 1355, 1356, 1358, 1359, 1360};
  for (int i = 0; i < 12; ++i) {
    motion.field(i)->setText(motionValid[i]);
    const bool coordinate = i == 1 || i == 2 || i == 3 || i >= 9;
    fields << Field{builtinText(motionLabels[i]), motion.field(i), motionValid[i].isEmpty() ? "0" : motionValid[i],
                    coordinate, [&motion] { motion.cmdOK()->click(); }};
  }

  const QStringList inputs = {"2.5", "2.500", "-5", "abc", "1,2,3", "123456789012"};
  auto check = [&](Field &f, const QString &input, bool paste) {
    f.edit->setText(f.valid);
    f.edit->selectAll();
    if (paste) {
      QApplication::clipboard()->setText(input);
      f.edit->paste();
    } else {
      QTest::keyClicks(f.edit, input);
    }
    const std::string what = (f.name + " <- " + input + (paste ? " (pasted)" : " (typed)")).toStdString();
    EXPECT_EQ(f.edit->text(), input) << what;
    rec.clear();
    f.press();
    bool named = false;
    for (const msg::Message &m : rec.messages) named = named || m.text.contains(f.name);
    const bool takes = input == "-5" && f.minus;
    EXPECT_EQ(named, !takes) << what << ": " << (rec.messages.isEmpty() ? "no message" : rec.messages[0].text.toStdString());
    EXPECT_EQ(f.edit->text(), input) << what << ": the field keeps what was typed";
    f.edit->setText(f.valid);
  };
  for (Field &f : fields) f.edit->setText(f.valid);
  for (Field &f : fields)
    for (const QString &input : inputs)
      for (bool paste : {false, true}) check(f, input, paste);

  // The forces taken with a negative coordinate are the ones on screen (typed and pasted,
  // x and z; y is the force's own axis).
  const TextRows taken = grid.dataRows();
  EXPECT_EQ(taken.count(QStringList({"- Y", "1000", "-5", "0", "10"})), 2);
  EXPECT_EQ(taken.count(QStringList({"- Y", "1000", "10", "0", "-5"})), 2) << [&] {
    QStringList rows;
    for (const QStringList &r : taken) rows << r.join(QLatin1Char('|'));
    return rows.join(QLatin1Char(' ')).toStdString();
  }();

  // The group "Betrieb" of the evaluation.
  FrmAuswertung *e = weiter(w);
  ASSERT_NE(e, nullptr);
  tick(e->chkGrSer(sizeBox(1, 25)));
  QList<Field> duty;
  const QStringList dutyValid = {"500", "10", "16", "250"};
  const int dutyNames[4] = {1311, 1312, 1313, 1314};
  for (int i = 0; i < 4; ++i) {
    auto *tb = e->findChild<QLineEdit *>(QStringLiteral("Tb_Betrieb%1").arg(i));
    ASSERT_NE(tb, nullptr);
    tb->setText(dutyValid[i]);
    duty << Field{builtinText(dutyNames[i]), tb, dutyValid[i], false, [e] { e->CmdBerechnen()->click(); }};
  }
  for (Field &f : duty)
    for (const QString &input : inputs)
      for (bool paste : {false, true}) check(f, input, paste);
}
