// The force table, the force dialog, the key rules of the numeric fields and the
// direction labels, on real widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include "core/common/Errors.h"
#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "ui/common/NumericInput.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "ui/loads/DialogEingabe.h"
#include "ui/loads/DirectionLabels.h"
#include "ui/loads/ForceGrid.h"
#include "ui/loads/KeyFilter.h"

namespace {

// An owner window as the arrangement screens provide it: the grid and a label that
// carries the pending direction.
struct Owner {
  QWidget window;
  ForceGrid *grid;
  QLabel *holder;
  Owner() : grid(new ForceGrid(&window)), holder(new QLabel(&window)) {
    window.resize(700, 300);
    grid->setGeometry(0, 0, 680, 200);
  }
  void addRow(const QStringList &cells) {
    const int r = grid->rowForNewForce();
    for (int c = 0; c < cells.size(); ++c) grid->setTextMatrix(r, c, cells.at(c));
  }
  // The point of the grid over data row `row` (from 1), `x` pixels from its left edge.
  QPoint at(int row, int x) const {
    const QRect cell = grid->visualItemRect(grid->item(row - 1, 0));
    return QPoint(x, grid->viewport()->mapTo(grid, cell.center()).y());
  }
};

class ForceInput : public ::testing::Test {
 protected:
  Session session;
  msg::Recorder rec;
};

}  // namespace

// ---- force table --------------------------------------------------------------------------

TEST_F(ForceInput, NewTableHasItsHeaderAndOneEmptyRow) {
  ForceGrid grid;
  EXPECT_EQ(grid.rows(), 2);
  EXPECT_EQ(grid.columnCount(), 5);
  const QStringList expected = {"Richtung", "Kraft (N)", "X-Richtung (mm)", "Y-Richtung (mm)", "Z-Richtung (mm)"};
  for (int c = 0; c < 5; ++c) EXPECT_EQ(grid.horizontalHeaderItem(c)->text(), expected.at(c));
  const TextRows rows = grid.dataRows();
  ASSERT_EQ(rows.size(), 1);
  EXPECT_EQ(rows.first(), QStringList(5));
  // The direction column is fixed: not selectable, centred, in the header's colours.
  EXPECT_EQ(grid.item(0, 0)->textAlignment(), int(Qt::AlignCenter));
  EXPECT_FALSE(grid.item(0, 0)->flags() & Qt::ItemIsSelectable);
}

TEST_F(ForceInput, FirstForceFillsTheEmptyRowTheNextOneIsAppended) {
  Owner o;
  EXPECT_EQ(o.grid->rowForNewForce(), 1);
  o.grid->setTextMatrix(1, 1, "100");
  EXPECT_EQ(o.grid->rowForNewForce(), 2);
  EXPECT_EQ(o.grid->rows(), 3);
  // The new last row is empty in force, x and y, so it is taken again.
  EXPECT_EQ(o.grid->rowForNewForce(), 2);
  EXPECT_EQ(o.grid->rows(), 3);
}

TEST_F(ForceInput, HoverMarkerOnlyWithMoreThanOneDataRow) {
  Owner o;
  o.addRow({"Z +", "10", "0", "0", "0"});
  o.grid->hoverAt(o.at(1, 5));
  EXPECT_TRUE(o.grid->tag().isEmpty());
  o.addRow({"X +", "20", "0", "0", "0"});
  o.grid->hoverAt(o.at(2, 5));
  EXPECT_EQ(o.grid->tag(), "2");
  EXPECT_FALSE(o.grid->item(1, 0)->icon().isNull());
  o.grid->hoverAt(o.at(1, 5));
  EXPECT_EQ(o.grid->tag(), "1");
  EXPECT_TRUE(o.grid->item(1, 0)->icon().isNull()) << "the previous marker is cleared";
  o.grid->clearMarker();
  EXPECT_TRUE(o.grid->tag().isEmpty());
  EXPECT_TRUE(o.grid->item(0, 0)->icon().isNull());
}

TEST_F(ForceInput, DeletingARowAsksAndYesRemovesIt) {
  Owner o;
  o.addRow({"Z +", "10", "0", "0", "0"});
  o.addRow({"X +", "20", "0", "0", "0"});
  o.addRow({"Y +", "30", "0", "0", "0"});
  o.grid->hoverAt(o.at(2, 5));
  rec.answers = {msg::Answer::Yes};
  EXPECT_TRUE(o.grid->pressAt(o.at(2, 5), Qt::LeftButton));
  ASSERT_EQ(rec.messages.size(), 1);
  const msg::Message m = rec.messages.first();
  EXPECT_EQ(m.text, "Möchten Sie diesen Datensatz löschen?");
  EXPECT_EQ(m.title, "Löschen");
  EXPECT_EQ(m.icon, msg::Icon::Question);
  EXPECT_EQ(m.buttons, msg::Buttons::YesNo);
  EXPECT_EQ(m.defaultButton, 2);
  EXPECT_EQ(o.grid->rows(), 3);
  EXPECT_EQ(o.grid->textMatrix(1, 1), "10");
  EXPECT_EQ(o.grid->textMatrix(2, 1), "30");
  EXPECT_TRUE(o.grid->tag().isEmpty());
}

TEST_F(ForceInput, NoKeepsTheRow) {
  Owner o;
  o.addRow({"Z +", "10", "0", "0", "0"});
  o.addRow({"X +", "20", "0", "0", "0"});
  rec.answers = {msg::Answer::No};
  EXPECT_TRUE(o.grid->pressAt(o.at(1, 5), Qt::LeftButton));
  EXPECT_EQ(o.grid->rows(), 3);
  EXPECT_EQ(o.grid->textMatrix(1, 1), "10");
}

TEST_F(ForceInput, ClicksThatDeleteNothing) {
  Owner o;
  o.addRow({"Z +", "10", "0", "0", "0"});
  o.addRow({"X +", "20", "0", "0", "0"});
  const int edge = gui::px(ForceGrid::kDeleteZoneTwips);
  // At 250 twips or more from the left edge.
  EXPECT_FALSE(o.grid->pressAt(o.at(1, edge), Qt::LeftButton));
  // Another button.
  EXPECT_FALSE(o.grid->pressAt(o.at(1, 5), Qt::RightButton));
  // Another column.
  const QRect forceCell = o.grid->visualItemRect(o.grid->item(0, 1));
  EXPECT_FALSE(o.grid->pressAt(o.grid->viewport()->mapTo(o.grid, forceCell.center()), Qt::LeftButton));
  EXPECT_TRUE(rec.messages.isEmpty());
  EXPECT_EQ(o.grid->rows(), 3);
  // Just inside the zone it asks.
  EXPECT_TRUE(o.grid->pressAt(o.at(1, edge - 1), Qt::LeftButton));
}

TEST_F(ForceInput, TheLastDataRowIsNeverDeleted) {
  Owner o;
  o.addRow({"Z +", "10", "0", "0", "0"});
  o.addRow({"X +", "20", "0", "0", "0"});
  rec.answers = {msg::Answer::Yes};
  EXPECT_TRUE(o.grid->pressAt(o.at(1, 5), Qt::LeftButton));
  ASSERT_EQ(o.grid->rows(), 2);
  EXPECT_FALSE(o.grid->pressAt(o.at(1, 5), Qt::LeftButton));
  EXPECT_EQ(o.grid->rows(), 2);
  EXPECT_EQ(rec.messages.size(), 1);
  // ... and no marker is shown any more.
  o.grid->hoverAt(o.at(1, 5));
  EXPECT_TRUE(o.grid->tag().isEmpty());
}

TEST_F(ForceInput, RealMouseClickDeletes) {
  Owner o;
  o.window.show();
  o.addRow({"Z +", "10", "0", "0", "0"});
  o.addRow({"X +", "20", "0", "0", "0"});
  rec.answers = {msg::Answer::Yes};
  const QPoint p = o.grid->viewport()->mapFrom(o.grid, o.at(2, 4));
  QTest::mouseClick(o.grid->viewport(), Qt::LeftButton, Qt::NoModifier, p);
  EXPECT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(o.grid->rows(), 2);
  EXPECT_EQ(o.grid->textMatrix(1, 1), "10");
}

TEST_F(ForceInput, PrintedForceTable) {
  Owner o;
  o.addRow({"Z +", "1500", "10", "-20", "0"});
  EXPECT_TRUE(gsubSetForce(session, o.grid));
  ASSERT_EQ(session.gastrForce.size(), 1);
  EXPECT_EQ(session.gastrForce.first(), (QStringList{"Z +", "1.500 N", "10 mm", "-20 mm", "0 mm"}));
}

// ---- key rules ------------------------------------------------------------------------------

TEST_F(ForceInput, KeyRulesOfTheFields) {
  QLineEdit force, coordinate, distance;
  NumericKeyFilter::install(&force, {false, true});
  NumericKeyFilter::install(&coordinate, {true, true});
  NumericKeyFilter::install(&distance, {false, false});
  // Every key goes in as typed: no key is dropped or replaced, so "2.500" can never turn
  // into 2500 or 25. What the rules do not take is marked with the reason.
  QTest::keyClicks(&force, "12a,5-");
  EXPECT_EQ(force.text(), "12a,5-");
  EXPECT_EQ(gui::numberProblem(&force), "Erlaubt sind Ziffern und das Komma.");
  QTest::keyClicks(&coordinate, "-3x.4");
  EXPECT_EQ(coordinate.text(), "-3x.4");
  EXPECT_EQ(gui::numberProblem(&coordinate), "Erlaubt sind Ziffern, das Komma und das Minuszeichen.");
  QTest::keyClicks(&distance, "-12,5");
  EXPECT_EQ(distance.text(), "-12,5");
  EXPECT_EQ(gui::numberProblem(&distance), "Hier ist kein Vorzeichen möglich; erlaubt sind Ziffern und das Komma.");
  QTest::keyClick(&distance, Qt::Key_Home);
  QTest::keyClick(&distance, Qt::Key_Delete);
  EXPECT_EQ(distance.text(), "12,5");
  EXPECT_TRUE(gui::holdsNumber(&distance));
  QTest::keyClick(&distance, Qt::Key_End);
  QTest::keyClick(&distance, Qt::Key_Backspace);
  EXPECT_EQ(distance.text(), "12,");
}

TEST_F(ForceInput, ATypedOrPastedPointStaysAndOkRefusesItByName) {
  Owner o;
  DialogEingabe::setPendingDirection(o.holder, "Z +");
  DialogEingabe d(session, &o.window, o.grid, o.holder);
  d.show();
  QApplication::setActiveWindow(&d);
  const char *names[2] = {"Kraft (N)", "Koordindate in X-Richtung (mm)"};
  for (int i : {0, 1}) {
    d.tbKrfXYZ(0)->setText("100");
    QLineEdit *f = d.tbKrfXYZ(i);
    f->clear();
    f->setFocus();
    QTest::keyClicks(f, "2");
    QTest::keyClick(f, Qt::Key_Period, Qt::NoModifier);
    EXPECT_EQ(f->text(), "2.") << i;
    QApplication::clipboard()->setText("500");
    QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f->text(), "2.500") << i;
    EXPECT_EQ(f->toolTip(), "Dezimaltrennzeichen ist das Komma (zum Beispiel 12,5).") << i;
    rec.clear();
    d.cmdOK_Click();
    ASSERT_EQ(rec.messages.size(), 1) << i;
    EXPECT_EQ(rec.messages[0].text, QString::fromUtf8("Im Feld „%1“ steht „2.500“.\nDezimaltrennzeichen ist das Komma (zum "
                                                      "Beispiel 12,5).\nBerechnet wird erst mit einer gültigen Zahl.")
                                         .arg(QString::fromUtf8(names[i])));
    EXPECT_TRUE(d.isVisible()) << i;
    EXPECT_EQ(f->text(), "2.500") << i;
    EXPECT_TRUE(o.grid->textMatrix(1, 1).isEmpty()) << "nothing taken over";
  }
}

TEST_F(ForceInput, EnterMovesToTheNextField) {
  QWidget w;
  auto *a = new QLineEdit(&w);
  auto *b = new QLineEdit(&w);
  NumericKeyFilter::install(a, {true, true});
  w.show();
  a->setFocus();
  QApplication::setActiveWindow(&w);
  QTest::keyClick(a, Qt::Key_Return);
  EXPECT_TRUE(b->hasFocus());
  EXPECT_TRUE(a->text().isEmpty());
}

// ---- the dialog -----------------------------------------------------------------------------

TEST_F(ForceInput, DialogTextsAndTheDisabledAxisField) {
  Owner o;
  struct Case {
    QString direction;
    int field;
  } cases[] = {{"X +", 1}, {"- X", 1}, {"Y +", 2}, {"- Y", 2}, {"Z +", 3}, {"- Z", 3}, {"", 0}};
  for (const Case &c : cases) {
    DialogEingabe::setPendingDirection(o.holder, c.direction);
    DialogEingabe d(session, &o.window, o.grid, o.holder);
    EXPECT_EQ(d.disabledField(), c.field) << c.direction.toStdString();
    for (int i = 0; i < 4; ++i) EXPECT_EQ(d.tbKrfXYZ(i)->isEnabled(), i != c.field);
    EXPECT_TRUE(d.tbKrfXYZ(c.field)->styleSheet().contains("rgb(192, 192, 255)"));
  }
  DialogEingabe::setPendingDirection(o.holder, "Z +");
  DialogEingabe d(session, &o.window, o.grid, o.holder);
  // The title names the direction being entered.
  EXPECT_EQ(d.windowTitle(), "Dateneingabe: Kraft in Z +-Richtung");
  EXPECT_EQ(d.Label1(3)->text(), "Kraft (N)");
  EXPECT_EQ(d.Label1(0)->text(), "Koordindate in X-Richtung (mm)");
  EXPECT_EQ(d.Label1(2)->text(), "Koordindate in Z-Richtung (mm)");
  EXPECT_EQ(d.tbKrfXYZ(0)->toolTip(), "Hier bitte die Kraft ohne Vorzeichen eingeben.");
  EXPECT_EQ(d.tbKrfXYZ(3)->toolTip(), builtinText(430));
  EXPECT_EQ(d.LabLaufschrift()->text(), builtinText(259));
  EXPECT_EQ(d.cmdOK()->text(), "&Ok");
  EXPECT_EQ(d.cmdExit()->text(), "&Exit");
}

TEST_F(ForceInput, OkWritesTheTypedTextsIntoTheRow) {
  Owner o;
  DialogEingabe::setPendingDirection(o.holder, "- Z");
  DialogEingabe d(session, &o.window, o.grid, o.holder);
  d.show();
  d.tbKrfXYZ(0)->setText("1500,4");
  d.tbKrfXYZ(1)->setText("-20");
  d.cmdOK_Click();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_FALSE(d.isVisible());
  // The typed texts, not the rounded values; empty fields become "0", the disabled z
  // field included.
  EXPECT_EQ(o.grid->dataRows(), (TextRows{{"- Z", "1500,4", "-20", "0", "0"}}));
  EXPECT_TRUE(DialogEingabe::pendingDirection(o.holder).isEmpty());
  // The columns were fitted to their texts.
  const int fitted = gui::px(gui::fittedColumnWidth(gui::textWidthTwips(o.window.font(), "X-Richtung (mm)")));
  EXPECT_EQ(o.grid->columnWidth(2), fitted);
}

TEST_F(ForceInput, ForcesRoundingToZeroAreRefusedAndTheDialogSaysWhy) {
  Owner o;
  DialogEingabe::setPendingDirection(o.holder, "Z +");
  DialogEingabe d(session, &o.window, o.grid, o.holder);
  d.show();
  d.tbKrfXYZ(0)->setText("0,4");
  d.cmdOK_Click();
  EXPECT_TRUE(d.isVisible());
  EXPECT_TRUE(o.grid->textMatrix(1, 1).isEmpty());
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages.first().text, builtinText(1101));
  EXPECT_EQ(rec.messages.first().title, d.windowTitle());
  EXPECT_EQ(rec.messages.first().icon, msg::Icon::Exclamation);
  // 0,5 rounds to the even 0 as well.
  d.tbKrfXYZ(0)->setText("0,5");
  d.cmdOK_Click();
  EXPECT_TRUE(d.isVisible());
  d.tbKrfXYZ(0)->clear();
  d.cmdOK_Click();
  EXPECT_EQ(d.tbKrfXYZ(0)->text(), "0");
  EXPECT_TRUE(d.isVisible());
  d.tbKrfXYZ(0)->setText("0,6");
  d.cmdOK_Click();
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(o.grid->textMatrix(1, 1), "0,6");
}

TEST_F(ForceInput, SecondForceIsAppendedAndRowsAreReused) {
  Owner o;
  for (const QString force : {"100", "200"}) {
    DialogEingabe::setPendingDirection(o.holder, "Y +");
    DialogEingabe d(session, &o.window, o.grid, o.holder);
    d.tbKrfXYZ(0)->setText(force);
    d.cmdOK_Click();
  }
  EXPECT_EQ(o.grid->rows(), 3);
  EXPECT_EQ(o.grid->textMatrix(1, 1), "100");
  EXPECT_EQ(o.grid->textMatrix(2, 1), "200");
  EXPECT_EQ(o.grid->textMatrix(2, 0), "Y +");
}

TEST_F(ForceInput, TextThatIsNoNumberIsNamedAndTheDialogStays) {
  Owner o;
  DialogEingabe::setPendingDirection(o.holder, "Z +");
  DialogEingabe d(session, &o.window, o.grid, o.holder);
  d.show();
  QApplication::setActiveWindow(&d);
  d.tbKrfXYZ(0)->setText("100");
  // A lone minus sign and two commas pass the character rules but are no numbers: OK
  // names the field instead of meeting a type error.
  for (const char *text : {"-", "1,2,3"}) {
    rec.clear();
    d.tbKrfXYZ(1)->setText(text);
    d.cmdOK_Click();
    ASSERT_EQ(rec.messages.size(), 1) << text;
    EXPECT_EQ(rec.messages.first().text,
              QString::fromUtf8("Im Feld „Koordindate in X-Richtung (mm)“ steht „%1“.\nDas ist keine Zahl; erlaubt ist "
                                "eine Zahl wie 1500 oder 12,5.\nBerechnet wird erst mit einer gültigen Zahl.")
                  .arg(QString::fromUtf8(text)));
    EXPECT_NE(rec.messages.first().title, "Schwerer Programmfehler");
    EXPECT_EQ(rec.messages.first().icon, msg::Icon::Exclamation);
    EXPECT_TRUE(d.tbKrfXYZ(1)->hasFocus());
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(o.grid->textMatrix(1, 1).isEmpty());
  }
}

TEST_F(ForceInput, EditingARowStartsFromItsTextsAndWritesThemBack) {
  Owner o;
  o.addRow({"Y +", "100", "1", "0", "2"});
  o.addRow({"- Z", "300", "4", "5", "0"});
  DialogEingabe::setPendingDirection(o.holder, "Y +");
  DialogEingabe d(session, &o.window, o.grid, o.holder, 1);
  EXPECT_EQ(d.tbKrfXYZ(0)->text(), "100");
  EXPECT_EQ(d.tbKrfXYZ(3)->text(), "2");
  d.tbKrfXYZ(0)->setText("150");
  d.cmdOK_Click();
  EXPECT_EQ(o.grid->dataRows(), (TextRows{{"Y +", "150", "1", "0", "2"}, {"- Z", "300", "4", "5", "0"}}));
}

TEST_F(ForceInput, ExitChangesNothing) {
  Owner o;
  DialogEingabe::setPendingDirection(o.holder, "X +");
  DialogEingabe d(session, &o.window, o.grid, o.holder);
  d.show();
  d.tbKrfXYZ(0)->setText("500");
  d.cmdExit_Click();
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.result(), QDialog::Rejected);
  EXPECT_TRUE(o.grid->textMatrix(1, 1).isEmpty());
  EXPECT_TRUE(DialogEingabe::pendingDirection(o.holder).isEmpty());
}

TEST_F(ForceInput, TypingIntoTheDialog) {
  Owner o;
  DialogEingabe::setPendingDirection(o.holder, "- Z");
  DialogEingabe d(session, &o.window, o.grid, o.holder);
  d.show();
  QApplication::setActiveWindow(&d);
  d.tbKrfXYZ(0)->setFocus();
  QTest::keyClicks(d.tbKrfXYZ(0), "-2b5");
  EXPECT_EQ(d.tbKrfXYZ(0)->text(), "-2b5");  // kept as typed, marked, refused by "Ok"
  EXPECT_FALSE(gui::holdsNumber(d.tbKrfXYZ(0)));
  QTest::keyClick(d.tbKrfXYZ(0), Qt::Key_Return);
  EXPECT_TRUE(d.tbKrfXYZ(1)->hasFocus());
  QTest::keyClicks(d.tbKrfXYZ(1), "-7");
  EXPECT_EQ(d.tbKrfXYZ(1)->text(), "-7");
  QTest::keyClick(d.tbKrfXYZ(1), Qt::Key_Enter);
  EXPECT_TRUE(d.tbKrfXYZ(2)->hasFocus());
  // Enter does not press OK: the dialog is still open.
  EXPECT_TRUE(d.isVisible());
}

TEST_F(ForceInput, ScrollingHint) {
  Owner o;
  DialogEingabe d(session, &o.window, o.grid, o.holder);
  const double start = d.hintLeftTwips();
  d.tmrSchrift_Timer();
  d.tmrSchrift_Timer();
  EXPECT_DOUBLE_EQ(d.hintLeftTwips(), start - 66);
  // Once its right edge has passed the frame's left edge it starts again beyond the
  // right edge of the frame.
  const double width = gui::toTwips(d.LabLaufschrift()->width());
  double before = d.hintLeftTwips();
  int ticks = 0;
  for (; ticks < 10000; ++ticks) {
    before = d.hintLeftTwips();
    d.tmrSchrift_Timer();
    if (d.hintLeftTwips() > before) break;
  }
  ASSERT_LT(ticks, 10000);
  EXPECT_LT(before - 33 + width, 0);
  EXPECT_GE(before + width, 0);
  EXPECT_DOUBLE_EQ(d.hintLeftTwips(), gui::toTwips(d.FraLaufschrift()->width()));
  EXPECT_EQ(d.LabLaufschrift()->x(), d.FraLaufschrift()->width());
}

// ---- direction labels -------------------------------------------------------------------------

TEST_F(ForceInput, DirectionLabels) {
  QWidget picture;
  picture.resize(400, 100);
  DirectionLabels labels(&picture);
  for (int i = 0; i < 8; ++i) labels.place(i, QPointF(30 + 45 * i, 50), QPointF(1, 0));
  const QStringList captions = {"X +", "Y +", "- X", "- Y", "- Z", "Z +", "- Y", "Y +"};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(labels.LabKoordinaten(i)->text(), captions.at(i));
    EXPECT_EQ(labels.LabKoordinaten(i)->toolTip(), builtinText(409));
    EXPECT_FALSE(labels.Pfeil(i)->isVisibleTo(&picture));
  }
  int pressed = -1;
  QObject::connect(&labels, &DirectionLabels::pressed, [&](int i) { pressed = i; });
  picture.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&picture));
  QTest::mouseMove(labels.LabKoordinaten(4));
  EXPECT_TRUE(labels.isHighlighted(4));
  EXPECT_TRUE(labels.LabKoordinaten(4)->styleSheet().contains("#ffff00"));
  EXPECT_TRUE(labels.Pfeil(4)->isVisible());
  QTest::mouseClick(labels.LabKoordinaten(6), Qt::LeftButton);
  EXPECT_EQ(pressed, 6);
  // Any mouse button asks for a force, not only the left one.
  QTest::mouseClick(labels.LabKoordinaten(2), Qt::RightButton);
  EXPECT_EQ(pressed, 2);
  labels.resetHighlight();
  EXPECT_FALSE(labels.isHighlighted(4));
  EXPECT_FALSE(labels.Pfeil(4)->isVisible());
}

TEST_F(ForceInput, DirectionLabelsByKeyboard) {
  QWidget picture;
  picture.resize(400, 100);
  DirectionLabels labels(&picture);
  for (int i = 0; i < 8; ++i) labels.place(i, QPointF(30 + 45 * i, 50), QPointF(1, 0));
  int pressed = -1;
  QObject::connect(&labels, &DirectionLabels::pressed, [&](int i) { pressed = i; });
  picture.show();
  picture.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&picture));
  // The focus a window gives its first control draws no frame; Tab does.
  labels.LabKoordinaten(3)->setFocus(Qt::ActiveWindowFocusReason);
  EXPECT_TRUE(labels.LabKoordinaten(3)->hasFocus());
  EXPECT_FALSE(labels.hasFocusFrame(3));
  labels.LabKoordinaten(0)->setFocus(Qt::TabFocusReason);
  EXPECT_TRUE(labels.hasFocusFrame(0));
  QTest::keyClick(labels.LabKoordinaten(0), Qt::Key_Right);
  EXPECT_TRUE(labels.LabKoordinaten(1)->hasFocus());
  EXPECT_TRUE(labels.hasFocusFrame(1));
  EXPECT_FALSE(labels.hasFocusFrame(0));
  QTest::keyClick(labels.LabKoordinaten(1), Qt::Key_Left);
  QTest::keyClick(labels.LabKoordinaten(0), Qt::Key_Left);
  EXPECT_TRUE(labels.LabKoordinaten(7)->hasFocus());
  QTest::keyClick(labels.LabKoordinaten(7), Qt::Key_Return);
  EXPECT_EQ(pressed, 7);
  QTest::keyClick(labels.LabKoordinaten(7), Qt::Key_Space);
  EXPECT_EQ(pressed, 7);
}

TEST_F(ForceInput, DeleteKeyAndContextMenuDeleteDoubleClickEdits) {
  Owner o;
  o.addRow({"Z +", "100", "0", "0", "0"});
  o.addRow({"X +", "200", "0", "0", "0"});
  o.addRow({"Y +", "300", "0", "0", "0"});
  o.window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&o.window));
  QApplication::setActiveWindow(&o.window);
  int edited = -1;
  QObject::connect(o.grid, &ForceGrid::editRequested, [&](int row) { edited = row; });

  // Delete on the current row asks; No keeps it, Yes deletes it.
  o.grid->setFocus(Qt::TabFocusReason);
  o.grid->setCurrentCell(1, 1);
  QTest::keyClick(o.grid, Qt::Key_Delete);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages.first().text, builtinText(317));
  EXPECT_EQ(o.grid->rows(), 4);
  rec.answers = {msg::Answer::Yes};
  QTest::keyClick(o.grid, Qt::Key_Delete);
  EXPECT_EQ(o.grid->dataRows(), (TextRows{{"Z +", "100", "0", "0", "0"}, {"Y +", "300", "0", "0", "0"}}));

  // Enter edits the current row; so does a double-click.
  o.grid->setCurrentCell(1, 1);
  QTest::keyClick(o.grid, Qt::Key_Return);
  EXPECT_EQ(edited, 2);
  edited = -1;
  const QPoint row1 = o.grid->visualItemRect(o.grid->item(0, 2)).center();
  QTest::mouseDClick(o.grid->viewport(), Qt::LeftButton, Qt::NoModifier, row1);
  EXPECT_EQ(edited, 1);

  // The context menu offers both; "Kraft löschen" asks as well.
  QStringList offered;
  o.grid->setContextMenuRunner([&](QMenu *menu, const QPoint &) {
    for (QAction *a : menu->actions()) offered << a->text();
    return menu->actions().value(1);
  });
  rec.answers = {msg::Answer::Yes};
  QContextMenuEvent keyMenu(QContextMenuEvent::Keyboard, QPoint(), QPoint());
  o.grid->setCurrentCell(0, 1);
  QApplication::sendEvent(o.grid, &keyMenu);
  EXPECT_EQ(offered, QStringList({builtinText(1105), builtinText(1106)}));
  EXPECT_EQ(o.grid->dataRows(), (TextRows{{"Y +", "300", "0", "0", "0"}}));
  // The last data row always stays.
  rec.clear();
  QTest::keyClick(o.grid, Qt::Key_Delete);
  EXPECT_TRUE(rec.messages.isEmpty());
  EXPECT_EQ(o.grid->rows(), 2);
}
