// "Ansicht › Lasten je Einheit" of the evaluation screen on the demo catalogue: the panel
// follows the grid's current row and shows that row's values of the load model and of the
// rigid-plate check, the governing one marked at its position, on the table, the
// miniature and the line that names it.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QTableWidget>

#include "core/arrangements/models/Arrangement.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/StartSession.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "core/common/UnsavedInput.h"
#include "core/evaluation/UnitLoads.h"
#include "core/run/CalculationRun.h"
#include "support/TestCatalogue.h"
#include "ui/common/AppServices.h"
#include "ui/common/Gui.h"
#include "ui/common/InterfaceLanguage.h"
#include "ui/evaluation/FrmAuswertung.h"
#include "ui/evaluation/UnitLoadsPanel.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

struct Example {
  const char *name;
  const char *arrangement, *m, *n;
  TextRows forces;
  const char *unit;         // the grid row looked at
  QStringList model, check; // its values as the panel writes them
  bool byCheck;
  int position;             // the one most loaded position
  const char *governing;
  const char *governingInEnglish;  // with the screens in English
};

// The worked example of the manual (examples/four-cassettes.json): the model governs at
// the front right cassette. A braking force: the model loads the front right cassette
// most, the rigid-plate check the front left one, and the check governs.
const Example kExamples[] = {
    {"model", "FrmVKaZDSch", "400", "300",
     {{"- Z", "2500", "50", "-30", "0"}, {"X +", "600", "0", "0", "150"}, {"Y +", "400", "120", "0", "100"}},
     "KD12", {"411 N", "368 N", "1.144 N", "977 N"}, {"442 N", "337 N", "1.113 N", "1.008 N"}, false, 2,
     "Maßgebend: Lastmodell – Kassette vorn rechts: 1.144 N", "Governing: Load model – Cassette front right: 1,144 N"},
    {"check", "FrmVKaZDSch", "200", "100", {{"- Z", "2000", "-50", "-20", "0"}, {"- X", "2000", "0", "0", "150"}},
     "KD12", {"255 N", "345 N", "1.145 N", "945 N"}, {"1.745 N", "1.345 N", "345 N", "745 N"}, true, 0,
     "Maßgebend: Starre Platte – Kassette vorn links: 1.745 N", "Governing: Rigid plate – Cassette front left: 1,745 N"},
};

void PrintTo(const Example &e, std::ostream *os) { *os << e.name; }

class UnitLoadsPanelTest : public ::testing::TestWithParam<Example> {
 protected:
  void SetUp() override {
    app::install({});
    session.catalogue = std::make_shared<catalogue::Catalogue>(testsupport::demoCatalogueFile());
    input::markSavePoint();
    startSession(session);
  }
  void TearDown() override {
    uilang::apply(Language::German);
    delete screen.data();
    app::install({});
  }
  // The example calculated as a calculation file is, then its evaluation screen with
  // every size ticked and "Berechnen" pressed.
  FrmAuswertung *evaluated(const Example &e) {
    calcfile::Case c;
    c.arrangement = e.arrangement;
    c.m = e.m;
    c.n = e.n;
    c.forces = e.forces;
    run::calculateCase(session, c, *arrangementByScreen(c.arrangement), {});
    master.setObjectName(c.arrangement);
    screen = new FrmAuswertung(session, &master);
    screen->show();
    for (int k = 0; k < eval::kFrames; ++k) {
      if (!screen->chkKSerie(k)->isEnabled()) continue;
      screen->chkKSerie(k)->setChecked(true);
      screen->chkKSerie_Click(k);
    }
    screen->CmdBerechnen_Click();
    return screen;
  }
  static QStringList column(QTableWidget *t, int c) {
    QStringList out;
    for (int r = 0; r < t->rowCount(); ++r) out << (t->item(r, c) ? t->item(r, c)->text() : QString());
    return out;
  }

  Session session;
  msg::Recorder rec;
  QWidget master;
  QPointer<FrmAuswertung> screen;
};

TEST_P(UnitLoadsPanelTest, ShowsTheValuesOfTheCurrentRowAndMarksTheGoverningOne) {
  const Example &e = GetParam();
  FrmAuswertung *s = evaluated(e);
  QTableWidget *grid = s->MSFlexGrid1();
  ASSERT_GT(grid->rowCount(), 1);
  EXPECT_EQ(s->unitLoadsPanel(), nullptr);

  s->menuItem(QStringLiteral("MenüLastenJeEinheit"))->trigger();
  UnitLoadsPanel *panel = s->unitLoadsPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(panel->isVisible());
  grid->setCurrentCell(-1, -1);
  EXPECT_EQ(panel->note()->text(), builtinText(1725));
  EXPECT_FALSE(panel->table()->isVisibleTo(panel));

  // Every row picked shows the values of the result row it was rated from.
  int looked = -1;
  for (int r = 0; r < grid->rowCount(); ++r) {
    grid->setCurrentCell(r, 0);
    const EvaluationRow &row = session.gastrEvaluation.at(r);
    const ResultRow &result = session.resultRows.at(row.resultRow);
    EXPECT_EQ(panel->heading()->text(), row.unit + ", Größe " + row.size);
    for (int k = 0; k < 4; ++k) {
      EXPECT_EQ(panel->table()->item(k, 0)->text(), units::valueText((*result.modelLoads)[k])) << r;
      EXPECT_EQ(panel->table()->item(k, 1)->text(), units::valueText((*result.checkLoads)[k])) << r;
    }
    if (row.unit == e.unit) looked = r;
  }
  ASSERT_GE(looked, 0);
  grid->setCurrentCell(looked, 3);
  QTableWidget *t = panel->table();
  EXPECT_EQ(column(t, 0), e.model);
  EXPECT_EQ(column(t, 1), e.check);
  EXPECT_EQ(t->verticalHeaderItem(e.position)->text(), QString(e.governing).section(" – ", 1).section(':', 0, 0));
  EXPECT_EQ(panel->governing()->text(), e.governing);
  // The governing value alone is bold and in the warning colour, on the table and on the
  // miniature, whose values are the governing source's.
  const QColor warning = gui::vbColor(gflngSetColor(session, 702));
  for (int k = 0; k < 4; ++k)
    for (int c = 0; c < 2; ++c) {
      const bool marked = k == e.position && c == (e.byCheck ? 1 : 0);
      EXPECT_EQ(t->item(k, c)->font().bold(), marked) << k << c;
      EXPECT_EQ(t->item(k, c)->foreground().color() == warning, marked) << k << c;
    }
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(panel->drawingLabel(k)->text(), (e.byCheck ? e.check : e.model).at(k)) << k;
    EXPECT_EQ(panel->drawingLabel(k)->palette().color(QPalette::WindowText) == warning, k == e.position) << k;
    EXPECT_EQ(panel->shapeFills().at(k) == warning, k == e.position) << k;
  }

  // The screens switched to English: the panel names sources and positions in English.
  uilang::apply(Language::English);
  grid->setCurrentCell(looked, 0);
  EXPECT_EQ(t->horizontalHeaderItem(e.byCheck ? 1 : 0)->text(), e.byCheck ? "Rigid plate" : "Load model");
  EXPECT_EQ(panel->governing()->text(), e.governingInEnglish);
  EXPECT_EQ(s->menuItem(QStringLiteral("MenüLastenJeEinheit"))->text(), "Loads per unit");

  // Closing the panel takes the tick off its item.
  panel->close();
  EXPECT_FALSE(s->menuItem(QStringLiteral("MenüLastenJeEinheit"))->isChecked());
  EXPECT_TRUE(rec.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Examples, UnitLoadsPanelTest, ::testing::ValuesIn(kExamples),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
