// The editor window of the special roller shoe: picking a predefined series, deriving
// a1 and a2, the factors, the take-over, the entry memory and the keyboard rules.
#include <gtest/gtest.h>

#include <QClipboard>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>
#include <QTimer>

#include "ui/common/Gui.h"
#include "ui/common/AppServices.h"
#include "core/common/Messages.h"
#include "ui/common/NumericInput.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "ui/special/FrmSonder.h"
#include "ui/special/SonderResults.h"
#include "support/TestCatalogue.h"

namespace {

const QString kAbort = QStringLiteral("Abbruch der Berechnung");

class FrmSonderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    computeSubVersion(session);
    app::services().desktop.inputBox = [this](const QString &prompt, const QString &title, const QString &def, QString *answer) {
      asked << prompt << title << def;
      *answer = inputAnswer;
      return inputAccepted;
    };
  }
  void TearDown() override { app::services().desktop.inputBox = {}; }

  static QString demoCatalogue() {
    static const QString path = testsupport::buildCatalogue(testsupport::demoCatalogueSql());
    return path;
  }

  // Clicks a data row of the list as the user does.
  static void pick(FrmSonder &w, int row) {
    QTableWidget *g = w.MSHFlexGrid1;
    g->scrollToItem(g->item(row, 1));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualItemRect(g->item(row, 1)).center());
  }

  static void fill(FrmSonder &w, const QMap<int, QString> &values) {
    for (auto it = values.begin(); it != values.end(); ++it) w.Tb_Daten[it.key()]->setText(it.value());
  }

  static QStringList results(FrmSonder &w) {
    QStringList r;
    for (QLineEdit *e : w.tbResult) r << e->text();
    return r;
  }

  Session session;
  msg::Recorder rec;
  QStringList asked;
  QString inputAnswer = QStringLiteral("100");
  bool inputAccepted = true;
};

// A complete cassette entry with round numbers: C 10000, Co 8000, a1 20, a2 60, B 50, b' 10.
const QMap<int, QString> kEntry = {
    {0, "SR-1"}, {1, "25"}, {2, "K-100"}, {3, "R-100"}, {4, "10000"}, {5, "8000"},
    {6, "16"},   {7, "20"}, {8, "60"},    {9, "30"},    {10, "15"},   {11, "50"},
    {12, "10"},  {13, "19"}, {14, "21"},  {15, "180"},  {16, "85"},   {17, "40"},
    {18, "60"},  {19, "15"}, {20, "49"},  {21, "35"},   {22, "28"},   {23, "15"}};

// ---------------------------------------------------------------- opening and the list

TEST_F(FrmSonderTest, OpeningKeepsTheSpecialShoeAndListsThePredefinedSeries) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  session.gintAnzSonder = 1;
  FrmSonder w(session);
  // Only "Ok" replaces a special roller shoe taken over before.
  EXPECT_EQ(session.gintAnzSonder, 1);
  EXPECT_TRUE(rec.messages.isEmpty());
  EXPECT_EQ(w.windowTitle(), QStringLiteral("TarvelCALC Rollenführungen  2002 c"));
  EXPECT_EQ(w.Lab_Bez[0]->text(), QStringLiteral("Serie"));
  EXPECT_EQ(w.Lab_Bez[23]->text(), QStringLiteral("Einzelschienenhöhe [h3]"));
  EXPECT_EQ(w.labResult[2]->text(), QStringLiteral("Mocx/Mcx [Nm]"));
  EXPECT_EQ(w.Opt_Lager[0]->text(), QStringLiteral("&Nadellager"));
  EXPECT_EQ(w.optKsRs[1]->text(), QStringLiteral("Rollenschuh"));
  EXPECT_EQ(w.typeCode(), QStringLiteral("N"));

  QTableWidget *g = w.MSHFlexGrid1;
  ASSERT_EQ(g->columnCount(), 27);  // marker column and the 26 query columns
  ASSERT_EQ(g->rowCount(), 5);      // four predefined series below the column names
  EXPECT_EQ(g->item(0, 1)->text(), QStringLiteral("Serie"));
  EXPECT_EQ(g->item(0, 25)->text(), QStringLiteral("AnzR"));
  EXPECT_EQ(g->item(0, 26)->text(), QStringLiteral("TypR"));
  EXPECT_EQ(g->columnWidth(0), gui::px(270));
  // Ordered by size, then series.
  EXPECT_EQ(g->item(1, 1)->text(), QStringLiteral("TLK-S"));
  EXPECT_EQ(g->item(2, 1)->text(), QStringLiteral("TLK-L"));
  EXPECT_EQ(g->item(3, 1)->text(), QStringLiteral("TLS-L"));

  // 4 bearings at first: rows 1 and 2 in use, rows 3 and 4 off and zero.
  EXPECT_EQ(w.Cob_Rollen->currentText(), QStringLiteral("4"));
  EXPECT_TRUE(w.Tb_Rollen[0]->isEnabled());
  EXPECT_TRUE(w.Tb_Rollen[1]->isEnabled());
  EXPECT_FALSE(w.Tb_Rollen[2]->isEnabled());
  EXPECT_FALSE(w.Tb_Rollen[3]->isEnabled());
}

TEST_F(FrmSonderTest, EmptyPredefinedSeriesReportTheDatabaseErrorAndTheEditorStillWorks) {
  const QString path = testsupport::buildCatalogue(testsupport::demoCatalogueSql() + "DELETE FROM FNSonder;");
  testsupport::ScopedCatalogueFile use(session, path);
  FrmSonder w(session);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages.at(0).title, QStringLiteral("SQL-Datenbankfehler!"));
  EXPECT_EQ(rec.messages.at(0).icon, msg::Icon::Critical);
  EXPECT_EQ(w.MSHFlexGrid1->rowCount(), 0);
  w.MSHFlexGrid1_Click(1);  // nothing to pick
  EXPECT_EQ(w.selectedRow(), 0);
  // Own values can still be taken over.
  fill(w, kEntry);
  w.Com_OK_Click();
  EXPECT_EQ(session.gintAnzSonder, 1);
}

TEST_F(FrmSonderTest, PickingAPredefinedSeriesFillsFieldsBearingsAndType) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  FrmSonder w(session);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QTableWidget *g = w.MSHFlexGrid1;

  pick(w, 2);  // TLK-L, size 25, 6 ball bearings
  EXPECT_EQ(w.selectedRow(), 2);
  for (int i = 0; i < 24; ++i) EXPECT_EQ(w.Tb_Daten[i]->text(), g->item(2, i + 1)->text()) << i;
  EXPECT_EQ(w.Tb_Daten[0]->text(), QStringLiteral("TLK-L"));
  EXPECT_EQ(w.Tb_Daten[2]->text(), QStringLiteral("KK25L-166"));
  EXPECT_EQ(w.Tb_Daten[4]->text(), QStringLiteral("9700"));
  EXPECT_EQ(w.Cob_Rollen->currentText(), QStringLiteral("6"));
  EXPECT_TRUE(w.Tb_Rollen[2]->isEnabled());
  EXPECT_FALSE(w.Tb_Rollen[3]->isEnabled());
  EXPECT_TRUE(w.Opt_Lager[1]->isChecked());
  EXPECT_EQ(w.typeCode(), QStringLiteral("K"));
  EXPECT_EQ(w.statusText(), builtinText(258));
  EXPECT_FALSE(g->item(2, 0)->icon().isNull());

  pick(w, 3);  // TLS-L, 8 needle bearings; the marker moves
  EXPECT_EQ(w.Tb_Daten[0]->text(), QStringLiteral("TLS-L"));
  EXPECT_EQ(w.Cob_Rollen->currentText(), QStringLiteral("8"));
  EXPECT_TRUE(w.Tb_Rollen[3]->isEnabled());
  EXPECT_TRUE(w.Opt_Lager[0]->isChecked());
  EXPECT_EQ(w.typeCode(), QStringLiteral("N"));
  EXPECT_TRUE(g->item(2, 0)->icon().isNull());
  EXPECT_FALSE(g->item(3, 0)->icon().isNull());

  // The row of column names is no series.
  pick(w, 0);
  EXPECT_EQ(w.selectedRow(), 3);
  EXPECT_EQ(w.Tb_Daten[0]->text(), QStringLiteral("TLS-L"));
}

// ---------------------------------------------------------------- a1 and a2 from the rows

struct RowsCase {
  int bearingsIndex;
  QStringList rows;
  QString a2;
};

class DeriveA1A2 : public FrmSonderTest, public ::testing::WithParamInterface<RowsCase> {};

TEST_P(DeriveA1A2, SetsA1ToTheFirstRowAndA2FromTheRows) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  FrmSonder w(session);
  w.Cob_Rollen->setCurrentIndex(GetParam().bearingsIndex);
  for (int i = 0; i < GetParam().rows.size(); ++i) w.Tb_Rollen[i]->setText(GetParam().rows.at(i));
  w.cmdA1A2_Click();
  ASSERT_EQ(rec.messages.size(), 1);  // only the question
  EXPECT_EQ(rec.messages.at(0).text, builtinText(296));
  EXPECT_EQ(rec.messages.at(0).title, QStringLiteral("Warnung"));
  EXPECT_EQ(rec.messages.at(0).icon, msg::Icon::Exclamation);
  EXPECT_EQ(rec.messages.at(0).buttons, msg::Buttons::OkCancel);
  EXPECT_EQ(w.Tb_Daten[7]->text(), QStringLiteral("20"));
  EXPECT_EQ(w.Tb_Daten[8]->text(), GetParam().a2);
}

INSTANTIATE_TEST_SUITE_P(Bearings, DeriveA1A2,
                         ::testing::Values(RowsCase{0, {"20", "60"}, "60"},
                                           RowsCase{1, {"20", "40", "60"}, "50"},
                                           RowsCase{2, {"20", "40", "60", "80"}, "70"},
                                           RowsCase{1, {"20", "40,5", "60"}, "50,25"}));

TEST_F(FrmSonderTest, CancellingTheQuestionKeepsA1AndA2) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  FrmSonder w(session);
  fill(w, {{7, "11"}, {8, "22"}});
  w.Tb_Rollen[0]->setText("20");
  w.Tb_Rollen[1]->setText("60");
  rec.answers = {msg::Answer::Cancel};
  w.cmdA1A2_Click();
  EXPECT_EQ(w.Tb_Daten[7]->text(), QStringLiteral("11"));
  EXPECT_EQ(w.Tb_Daten[8]->text(), QStringLiteral("22"));
}

TEST_F(FrmSonderTest, RowsInWrongOrderOrZeroAreRefused) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  FrmSonder w(session);
  fill(w, {{7, "11"}, {8, "22"}});

  w.Tb_Rollen[0]->setText("20");
  w.Tb_Rollen[1]->setText("20");
  w.cmdA1A2_Click();
  ASSERT_EQ(rec.messages.size(), 2);
  EXPECT_EQ(rec.messages.at(1).text,
            QStringLiteral("Der Abstand der 2. Lagerreihe ist kleiner oder gleich als die der 1. !\n"
                           "Bitte überprüfen Sie ihre Eingabe."));
  EXPECT_EQ(rec.messages.at(1).title, kAbort);
  EXPECT_EQ(rec.messages.at(1).icon, msg::Icon::Critical);

  // 6 bearings with the third row left at zero.
  rec.clear();
  w.Cob_Rollen->setCurrentIndex(1);
  w.Tb_Rollen[1]->setText("40");
  w.cmdA1A2_Click();
  ASSERT_EQ(rec.messages.size(), 2);
  EXPECT_EQ(rec.messages.at(1).text,
            QStringLiteral("Für den Abstand der 3. Lagerreihe wurde Null eingegeben!\n"
                           "Bitte überprüfen Sie ihre Eingabe."));
  EXPECT_EQ(rec.messages.at(1).title, kAbort);

  // 8 bearings, row 4 below row 3.
  rec.clear();
  w.Cob_Rollen->setCurrentIndex(2);
  w.Tb_Rollen[2]->setText("60");
  w.Tb_Rollen[3]->setText("55");
  w.cmdA1A2_Click();
  ASSERT_EQ(rec.messages.size(), 2);
  EXPECT_TRUE(rec.messages.at(1).text.startsWith(QStringLiteral("Der Abstand der 4. Lagerreihe ist kleiner oder gleich als die der 3. !")));

  EXPECT_EQ(w.Tb_Daten[7]->text(), QStringLiteral("11"));
  EXPECT_EQ(w.Tb_Daten[8]->text(), QStringLiteral("22"));
}

TEST_F(FrmSonderTest, FewerBearingsSwitchOffAndClearTheOuterRows) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  FrmSonder w(session);
  w.Cob_Rollen->setCurrentIndex(2);
  for (int i = 0; i < 4; ++i) w.Tb_Rollen[i]->setText(QString::number(20 * (i + 1)));
  w.Cob_Rollen->setCurrentIndex(0);
  EXPECT_EQ(w.Tb_Rollen[1]->text(), QStringLiteral("40"));
  EXPECT_EQ(w.Tb_Rollen[2]->text(), QStringLiteral("0"));
  EXPECT_EQ(w.Tb_Rollen[3]->text(), QStringLiteral("0"));
  // The cleared rows no longer stand in the way.
  w.cmdA1A2_Click();
  EXPECT_EQ(w.Tb_Daten[8]->text(), QStringLiteral("40"));
}

// ---------------------------------------------------------------- factors and capacities

TEST_F(FrmSonderTest, ResultsOfACassette) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  FrmSonder w(session);
  fill(w, kEntry);
  w.cmdResult_Click();
  EXPECT_TRUE(rec.messages.isEmpty());
  EXPECT_TRUE(asked.isEmpty());
  // k1 = 2/B; Mocx = B*Co/2000 / B*C/2000; Mocy = Mocz = (a1+a2)*(C/n)/1000; k2 = 4/(a1+a2).
  EXPECT_EQ(results(w), (QStringList{"0,04", "0,05", "200 / 250", "160 / 200", "160 / 200"}));
}

TEST_F(FrmSonderTest, ResultsOfARollerShoeAskForTheRailDistance) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  FrmSonder w(session);
  fill(w, kEntry);
  w.optKsRs[1]->setChecked(true);
  w.Cob_Rollen->setCurrentIndex(1);  // 6 bearings: k2 = 6/(a1+a2)
  w.cmdResult_Click();
  EXPECT_EQ(asked, (QStringList{"Bitte den Abstand der Einzelschienen eingegen!", "Geometrieeingabe", "100"}));
  // k1 = 1/(100/2 + 10); width 100 + 2*10 = 120.
  EXPECT_EQ(results(w), (QStringList{"0,0167", "0,08", "480 / 600", "106,67 / 133,33", "106,67 / 133,33"}));
}

TEST_F(FrmSonderTest, CancelledOrEmptyRailDistanceLeavesAllResultsZero) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  FrmSonder w(session);
  fill(w, kEntry);
  w.cmdResult_Click();  // cassette results first
  ASSERT_NE(w.tbResult[0]->text(), QStringLiteral("0"));
  w.optKsRs[1]->setChecked(true);
  inputAccepted = false;
  w.cmdResult_Click();
  EXPECT_EQ(results(w), QStringList(5, "0"));
  inputAccepted = true;
  inputAnswer.clear();
  w.cmdResult_Click();
  EXPECT_EQ(results(w), QStringList(5, "0"));
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(FrmSonderTest, ResultsNeedBearingDistancesAndRatings) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  FrmSonder w(session);
  for (int missing : {4, 5, 7, 8, 9, 10}) {
    rec.clear();
    fill(w, kEntry);
    w.Tb_Daten[missing]->setText("0");
    w.cmdResult_Click();
    ASSERT_EQ(rec.messages.size(), 1) << missing;
    EXPECT_EQ(rec.messages.at(0).text, builtinText(327));
    EXPECT_EQ(rec.messages.at(0).title, kAbort);
    EXPECT_EQ(results(w), QStringList(5, "0"));
  }
  // Text that is no number is a calculation error, not a crash.
  rec.clear();
  fill(w, kEntry);
  w.Tb_Daten[9]->setText("x");
  w.cmdResult_Click();
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages.at(0).title, QStringLiteral("Berechnungsfehler!"));
  EXPECT_EQ(results(w), QStringList(5, "0"));
}

// ---------------------------------------------------------------- taking over

TEST_F(FrmSonderTest, OkRefusesAOneCharacterSizeAndFocusesIt) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  FrmSonder w(session);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.activateWindow();
  fill(w, kEntry);
  w.Tb_Daten[1]->setText("8");
  QTest::mouseClick(w.Com_OK, Qt::LeftButton);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages.at(0).text, QStringLiteral("In dem Eingabefeld: \"Größe\" wurden keine Daten eingegeben.\n"
                                                    "Bitte überprüfen Sie Ihre Eingabe!"));
  EXPECT_EQ(rec.messages.at(0).title, QStringLiteral("Datenübernahme abgebrochen"));
  EXPECT_EQ(session.gintAnzSonder, 0);
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.focusWidget(), w.Tb_Daten[1]);
}

TEST_F(FrmSonderTest, OkTakesThePickedSeriesOverAndTheNextOpeningRestoresIt) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  QStringList entered;
  {
    FrmSonder w(session);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    pick(w, 3);  // TLS-L, 8 needle bearings
    w.Tb_Daten[3]->setText("RE-SONDER");
    for (QLineEdit *f : w.Tb_Daten) entered << f->text();
    QTest::mouseClick(w.Com_OK, Qt::LeftButton);
    EXPECT_TRUE(rec.messages.isEmpty());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_FALSE(w.isVisible());
  }
  const Session &m = session;
  EXPECT_EQ(m.gintAnzSonder, 1);
  ASSERT_EQ(m.gastrSonderGeo.size(), 13);
  EXPECT_EQ(m.gastrSonderGeo.at(0), QStringLiteral("TLS-L"));
  EXPECT_EQ(m.gastrSonderGeo.at(8), QStringLiteral("8"));
  ASSERT_EQ(m.gastrSonderAusw.size(), 13);
  EXPECT_EQ(m.gastrSonderAusw.at(6), QStringLiteral("N"));
  EXPECT_EQ(m.gastrSonderAusw.at(10), QStringLiteral("X"));
  EXPECT_EQ(m.gastrSonderAusw.at(11), QStringLiteral("RE-SONDER"));

  // Opening again keeps it in force until "Ok"; the entry is back in the fields.
  FrmSonder again(session);
  EXPECT_EQ(session.gintAnzSonder, 1);
  for (int i = 0; i < 24; ++i) EXPECT_EQ(again.Tb_Daten[i]->text(), entered.at(i)) << i;
  EXPECT_EQ(again.Cob_Rollen->currentText(), QStringLiteral("8"));
  EXPECT_TRUE(again.Opt_Lager[0]->isChecked());
  EXPECT_EQ(again.typeCode(), QStringLiteral("N"));
  EXPECT_EQ(again.selectedRow(), 0);
}

TEST_F(FrmSonderTest, ExitKeepsTheSpecialShoeTakenOverBefore) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  {
    FrmSonder w(session);
    fill(w, kEntry);
    w.Opt_Lager[1]->click();
    w.Com_OK_Click();
    ASSERT_EQ(session.gintAnzSonder, 1);
    EXPECT_EQ(session.gastrSonderAusw.at(6), QStringLiteral("K"));
  }
  FrmSonder w(session);
  w.show();
  w.Tb_Daten[0]->setText("ANDER");
  QTest::mouseClick(w.Com_Exit, Qt::LeftButton);
  EXPECT_EQ(w.result(), QDialog::Rejected);
  EXPECT_EQ(session.gintAnzSonder, 1);
  EXPECT_EQ(session.gastrSonderGeo.value(0), QStringLiteral("SR-1"));
  EXPECT_EQ(session.gastrSonderAusw.at(6), QStringLiteral("K"));
  // The memory still holds the entry of the last "Ok", not the abandoned edit.
  EXPECT_EQ(session.gastrSonderEingabe.value(0), QStringLiteral("SR-1"));
  FrmSonder third(session);
  EXPECT_EQ(third.Tb_Daten[0]->text(), QStringLiteral("SR-1"));
  EXPECT_TRUE(third.Opt_Lager[1]->isChecked());
  EXPECT_EQ(third.typeCode(), QStringLiteral("K"));
}

TEST_F(FrmSonderTest, OpenSonderEditorRunsTheBusyWindowFirst) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  session.gintAnzSonder = 1;
  int busy = 0;
  bool editorSeen = false;
  QTimer::singleShot(0, [&] {
    if (auto *w = qobject_cast<FrmSonder *>(QApplication::activeModalWidget())) {
      editorSeen = busy == 1;
      w->Com_Exit->click();
    }
  });
  openSonderEditor(session, nullptr, [&] { ++busy; });
  EXPECT_EQ(busy, 1);
  EXPECT_TRUE(editorSeen);
  EXPECT_EQ(session.gintAnzSonder, 1);
}

// ---------------------------------------------------------------- keyboard and hints

TEST_F(FrmSonderTest, NumericFieldsRefuseOtherKeysAndEmptyFieldsTurnIntoZero) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  FrmSonder w(session);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.activateWindow();

  QTest::keyClicks(w.Tb_Daten[4], "1a2,5.");
  EXPECT_EQ(w.Tb_Daten[4]->text(), QStringLiteral("12,5"));
  // A refused key is not refused silently: the field says why.
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Dezimaltrennzeichen ist das Komma (zum Beispiel 12,5)."));
  QTest::keyClick(w.Tb_Daten[4], Qt::Key_Backspace);
  EXPECT_EQ(w.Tb_Daten[4]->text(), QStringLiteral("12,"));
  w.Tb_Rollen[0]->clear();
  QTest::keyClicks(w.Tb_Rollen[0], "2x");
  EXPECT_EQ(w.Tb_Rollen[0]->text(), QStringLiteral("2"));
  // Pasted text stays as pasted and is marked; "Ok" refuses it by the field's name and
  // takes nothing over.
  fill(w, kEntry);
  QApplication::clipboard()->setText(QStringLiteral("2.500"));
  w.Tb_Daten[5]->setText(QStringLiteral("8"));
  w.Tb_Daten[5]->paste();
  EXPECT_EQ(w.Tb_Daten[5]->text(), QStringLiteral("82.500"));
  EXPECT_FALSE(gui::holdsNumber(w.Tb_Daten[5]));
  rec.clear();
  w.Com_OK_Click();
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_TRUE(rec.messages[0].text.startsWith(QStringLiteral("Im Feld „Tragzahl Statisch [Co]“ steht „82.500“.")))
      << rec.messages[0].text.toStdString();
  EXPECT_EQ(session.gintAnzSonder, 0);
  EXPECT_NE(w.result(), QDialog::Accepted);
  w.Tb_Daten[5]->setText(QStringLiteral("8"));
  w.Tb_Daten[0]->clear();
  w.Tb_Daten[22]->clear();
  // Series, order numbers and the single-rail sizes take any key.
  QTest::keyClicks(w.Tb_Daten[0], "Ab-1");
  EXPECT_EQ(w.Tb_Daten[0]->text(), QStringLiteral("Ab-1"));
  QTest::keyClicks(w.Tb_Daten[22], "x");
  EXPECT_EQ(w.Tb_Daten[22]->text(), QStringLiteral("x"));

  // Leaving a numeric field empty puts 0 there; field 22 stays empty.
  w.Tb_Daten[5]->setFocus();
  w.Tb_Daten[5]->clear();
  w.Tb_Daten[6]->setFocus();
  EXPECT_EQ(w.Tb_Daten[5]->text(), QStringLiteral("0"));
  w.Tb_Daten[22]->setFocus();
  w.Tb_Daten[22]->clear();
  w.Tb_Daten[23]->setFocus();
  EXPECT_TRUE(w.Tb_Daten[22]->text().isEmpty());
  w.Tb_Daten[3]->setFocus();
  w.Tb_Daten[3]->clear();
  w.Tb_Daten[4]->setFocus();
  EXPECT_TRUE(w.Tb_Daten[3]->text().isEmpty());
}

TEST_F(FrmSonderTest, EnterMovesToTheNextControlAndPressesNoButton) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  FrmSonder w(session);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.activateWindow();
  w.Tb_Daten[0]->setFocus();
  QTest::keyClick(w.Tb_Daten[0], Qt::Key_Return);
  EXPECT_EQ(w.focusWidget(), w.Tb_Daten[1]);
  EXPECT_EQ(w.statusText(), builtinText(261));
  w.Com_OK->setFocus();
  EXPECT_EQ(w.statusText(), builtinText(257));
  QTest::keyClick(w.Com_OK, Qt::Key_Enter);
  EXPECT_EQ(w.focusWidget(), w.Com_Exit);
  EXPECT_TRUE(rec.messages.isEmpty());  // "Ok" was not pressed
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.statusText(), builtinText(256));
}

TEST_F(FrmSonderTest, FocusShowsTheHintOfEachControl) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  FrmSonder w(session);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.activateWindow();
  const QList<QPair<QWidget *, int>> hints = {
      {w.Tb_Daten[0], 260}, {w.Tb_Daten[23], 283}, {w.Opt_Lager[0], 601}, {w.Opt_Lager[1], 602},
      {w.Cob_Rollen, 604},  {w.Tb_Rollen[1], 605}, {w.cmdA1A2, 606},      {w.cmdResult, 284},
      {w.Com_OK, 257},      {w.Com_Exit, 256}};
  for (const auto &[widget, id] : hints) {
    widget->setFocus();
    EXPECT_EQ(w.statusText(), builtinText(id)) << id;
  }
}

TEST_F(FrmSonderTest, WindowKeepsItsSize) {
  testsupport::ScopedCatalogueFile use(session, demoCatalogue());
  FrmSonder w(session);
  w.show();
  const QSize loaded = w.size();
  w.resize(loaded.width() + 200, loaded.height() + 100);
  QApplication::processEvents();
  EXPECT_EQ(w.size(), loaded);
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
}

// ---------------------------------------------------------------- the calculations alone

TEST(SonderResults, RowCheckSkipsRowsNotInUse) {
  EXPECT_TRUE(sonder::bearingRowsMessage({20, 60, 0, 0}, {true, true, false, false}).isEmpty());
  EXPECT_EQ(sonder::bearingRowsMessage({0, 60, 0, 0}, {true, true, false, false}),
            builtinText(332) + "1" + builtinText(333));
  // A row switched off with a value left in it still has to lie outside the one before.
  EXPECT_FALSE(sonder::bearingRowsMessage({20, 60, 50, 0}, {true, true, false, false}).isEmpty());
}

}  // namespace
