// The one calculation run: the whole run of a case (the batch tool's road) and its two
// stages called as the screens call them give the same typed rows for every arrangement
// with load cases and a duty cycle; a required safety that cannot be read gives no
// verdict on either road.
#include <gtest/gtest.h>


#include <functional>
#include <memory>

#include "batch/BatchRun.h"
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/StartSession.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/document/CaseFile.h"
#include "core/run/CalculationRun.h"
#include "support/LoadCaseDutyCase.h"
#include "support/TestCatalogue.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using testsupport::kArrangementScreens;
using testsupport::loadCaseDutyCase;

calcfile::Case parsed(const QByteArray &text) {
  calcfile::Case c;
  calcfile::Error e;
  EXPECT_TRUE(calcfile::parse(text, &c, &e)) << e.english.toStdString();
  return c;
}

class CalculationRun : public ::testing::Test {
 protected:
  // A session as the program has it after its start.
  Session started() {
    Session s;
    s.catalogue = catalogue;
    startSession(s);
    return s;
  }

  // The screens' road: the file taken over, "Berechnen" and "Weiter" of the arrangement
  // screen, the size boxes the evaluation screen shows ticked, its "Berechnen".
  void screensRoad(Session &s, const calcfile::Case &c) {
    const ArrangementInfo &info = *arrangementByScreen(c.arrangement);
    run::takeOver(s, c, info);
    const QVector<LoadCase> cases = calcfile::loadCasesOf(c);
    const run::Calculation calc = run::calculate(s, info.id, cases, c.m, c.n);
    ASSERT_TRUE(calc.completed());
    run::handOver(s, info.id, cases);
    const eval::SizeBoxes boxes = eval::assignSizeBoxes(s.gastrResult);
    const run::Ticks ticks = run::ticksOf(c, s.gastrResult, boxes);
    run::evaluate(s, boxes.tag, ticks.ticked, c.duty.value_or(loads::DutyTexts{}));
  }

  // The batch tool's road: the case read as the tool reads it and run on a copy of its
  // started session (`adjust` changes the started session first), with a recorder of its
  // own.
  batch::Outcome batchRoad(const QByteArray &text, Session *left,
                           const std::function<void(Session &)> &adjust = {}) {
    batch::Case bc;
    QString error;
    EXPECT_TRUE(batch::caseFromJson(text, &bc, &error)) << error.toStdString();
    batch::Start start = batch::startOn(catalogue);
    if (adjust) adjust(start.session);
    *left = start.session;
    msg::Recorder recorder;
    return batch::runCase(*left, bc, {}, recorder);
  }

  msg::Recorder rec;
  std::shared_ptr<catalogue::Catalogue> catalogue =
      std::make_shared<catalogue::Catalogue>(testsupport::demoCatalogueFile());
};

TEST_F(CalculationRun, ScreensStagesAndBatchToolGiveTheSameTypedRows) {
  for (const char *screen : kArrangementScreens) {
    SCOPED_TRACE(screen);
    const QByteArray text = loadCaseDutyCase(screen);

    Session batchSession;
    const batch::Outcome o = batchRoad(text, &batchSession);
    ASSERT_EQ(o.status, batch::Status::Ran);
    const batch::Report &r = o.report;

    Session s = started();
    screensRoad(s, parsed(text));

    ASSERT_FALSE(r.results.isEmpty());
    EXPECT_EQ(s.resultRows, r.results);
    EXPECT_EQ(s.gastrEvaluation, r.evaluation);
    EXPECT_EQ(batchSession.resultRows, r.results);
    // The session's texts are views of the same rows.
    ASSERT_EQ(s.gastrResult.size(), r.results.size());
    for (int i = 0; i < r.results.size(); ++i) {
      EXPECT_EQ(s.gastrResult[i], r.results[i].fields());
      ASSERT_EQ(r.results[i].caseLoads.size(), 2);
      ASSERT_TRUE(r.results[i].loads && r.results[i].modelLoads);
    }
    ASSERT_EQ(r.evaluation.size(), r.results.size()) << "every size ticked";
    EXPECT_TRUE(r.withDetails);
    for (int i = 0; i < r.evaluation.size(); ++i) {
      EXPECT_TRUE(r.evaluation[i].detail.lifeYears.has_value());
      EXPECT_EQ(r.evaluation[i].detail.caseLoads.size(), 2);
    }
  }
}

// StdSiko can be read, SwSiko cannot: a case of load type 1 "schwellend" gets no verdict
// (not one against the "ruhend" safety the start left in force), on both roads.
TEST_F(CalculationRun, UnreadableRequiredSafetyGivesNoVerdictOnEveryRoad) {
  auto damaged = [](Session &s) {
    for (QStringList &row : s.gastrSettings)
      if (row.value(0) == QLatin1String("SwSiko")) row[1] = QStringLiteral("zwei");
  };
  const QByteArray text = loadCaseDutyCase("FrmVKaZDSch", 1);

  Session batchSession;
  const batch::Outcome o = batchRoad(text, &batchSession, damaged);
  EXPECT_EQ(o.status, batch::Status::NoVerdict);
  EXPECT_TRUE(o.report.evaluationRefused);
  EXPECT_TRUE(o.report.evaluation.isEmpty());
  EXPECT_FALSE(o.report.results.isEmpty());

  Session s = started();
  damaged(s);
  ASSERT_GT(s.gsngSiko, 0.0f) << "the start's safety of load type 0";
  rec.messages.clear();
  screensRoad(s, parsed(text));
  EXPECT_EQ(s.gsngSiko, 0.0f);
  EXPECT_EQ(s.gintLoadType, 1);
  EXPECT_EQ(s.gastrEvaluation, QVector<EvaluationRow>{EvaluationRow()}) << "no verdict of an earlier run either";
  QStringList titles;
  for (const msg::Message &m : rec.messages) titles << m.title;
  EXPECT_EQ(titles, QStringList({"gfstrSettings!", "OptBelArt_Click!", "CmdBerechnen_Click!"}));
  QStringList batchTitles;
  for (const msg::Message &m : o.messages) batchTitles << m.title;
  EXPECT_EQ(batchTitles, titles);
}

}  // namespace
