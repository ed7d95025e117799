// Rating of the calculated sizes, the required safety, and the size boxes.
#include <gtest/gtest.h>

#include <cmath>

#include "core/common/Errors.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"
#include "core/evaluation/Evaluation.h"
#include "core/evaluation/EvaluationTexts.h"

// Readable failure output for texts.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using eval::EvaluationInput;
using eval::EvaluationRun;

// A run as the grid and the report show it: its rows as texts.
struct Shown {
  bool failed = false, refused = false;
  TextRows rows;
  QVector<EvaluationRow> typed;
};
Shown shown(const EvaluationRun &run) { return {run.failed, run.refused, eval::fieldRows(run.rows), run.rows}; }

// One catalogue row of the evaluation layout:
// Serie Gr C Co Ls D TypR FD FDBest KBs FE FEBest KB1
QStringList ratingRow(const QString &serie, const QString &gr, const QString &C, const QString &Co,
                      const QString &Ls = "100", const QString &D = "10",
                      const QString &typ = "K", const QString &fd = "KD20",
                      const QString &kbs = "70", const QString &fe = "RE20",
                      const QString &kb1 = "40") {
  return {serie, gr, C, Co, Ls, D, typ, fd, fd + "-B", kbs, fe, fe + "-B", kb1};
}

class Evaluation : public ::testing::Test {
 protected:
  void SetUp() override {
    num::setLocale(QLocale(QLocale::German, QLocale::Germany));
  }

  // One result row and one ticked box (box 0 of frame 1, table set 1).
  Shown rateOne(const QStringList &resultRow, const QStringList &catalogueRow,
                        float siko = 1.5f, float unitDistance = 0, float railDistance = 0) {
    EvaluationInput in;
    in.result = {resultRow};
    in.tag[0] = 1;
    in.ticked[0] = true;
    in.tableSetCount = 1;
    in.loadRatings = [catalogueRow](int) { return TextRows{catalogueRow}; };
    in.requiredSafety = siko;
    in.unitDistance = unitDistance;
    in.railDistance = railDistance;
    return shown(eval::evaluate(in));
  }

  msg::Recorder rec;
  Session session;
};

// --------------------------------------------------------------- lifetime, safety
TEST_F(Evaluation, LifetimeOfBallAndNeedleBearings) {
  EXPECT_NEAR(fsngC(1000, 500, 10, "K"), 8 * 31.41592, 1e-3);
  EXPECT_NEAR(fsngC(1000, 500, 10, "N"), std::pow(2.0, 10.0 / 3.0) * 31.41592, 1e-3);
  // The constant is 3.141592, not pi: 1 * 3.141592 * 1000 km.
  EXPECT_FLOAT_EQ(fsngC(1, 1, 1000, "K"), 3141.592f);
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(Evaluation, NoLoadNoLifetimeAndNoSafety) {
  EXPECT_EQ(fsngC(1000, 0, 10, "K"), 0.0f);
  EXPECT_EQ(fsngC(1000, -5, 10, "whatever"), 0.0f);
  EXPECT_EQ(fsngSafety(2000, 0), 0.0f);
  EXPECT_NEAR(fsngSafety(2000, 1300), 1.538, 1e-3);
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(Evaluation, UnknownBearingTypeShowsPlainBox) {
  EXPECT_EQ(fsngC(1000, 500, 10, "k"), 0.0f);  // case-sensitive
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].text, "Error fsngC!");
  EXPECT_EQ(rec.messages[0].buttons, msg::Buttons::Ok);
  EXPECT_EQ(rec.messages[0].icon, msg::Icon::None);
}

TEST_F(Evaluation, LifetimeBeyondSinglePrecisionIsAnOverflow) {
  EXPECT_THROW(fsngC(1e6f, 1e-9f, 50, "N"), AppError);
}

// --------------------------------------------------------------- required safety
TEST_F(Evaluation, LoadTypeReadsItsSafetyInTenths) {
  session.gastrSettings = {{"StdSiko", "15"}, {"SwSiko", "20"}, {"WeSiko", "35"}};
  EXPECT_TRUE(setRequiredSafety(session, 1));
  EXPECT_FLOAT_EQ(session.gsngSiko, 2.0f);
  EXPECT_EQ(session.gintLoadType, 1);
  EXPECT_TRUE(setRequiredSafety(session, 2));
  EXPECT_FLOAT_EQ(session.gsngSiko, 3.5f);
  EXPECT_TRUE(setRequiredSafety(session, 0));
  EXPECT_FLOAT_EQ(session.gsngSiko, 1.5f);
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(Evaluation, MissingSafetySettingKeepsTheSafetyInForce) {
  session.gastrSettings = {{"StdSiko", "15"}};
  session.gsngSiko = 1.5f;
  EXPECT_FALSE(setRequiredSafety(session, 2));
  EXPECT_FLOAT_EQ(session.gsngSiko, 1.5f);
  EXPECT_EQ(session.gintLoadType, 0);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "OptBelArt_Click!");
  EXPECT_FALSE(setRequiredSafety(session, 3));
}

// --------------------------------------------------------------- one rated row
TEST_F(Evaluation, RowFieldsAndSafetyVerdict) {
  // Co 2000, P 1300: safety 1.538.. shows 1,5 and is enough against 1.5;
  // lifetime (1000/1300)^3 * 3.141592 * 10 = 14.3 km.
  const Shown run = rateOne({"TLS", "20", "1300", "KD20"},
                                    ratingRow("TLS", "20", "1000", "2000"), 1.5f);
  ASSERT_FALSE(run.failed);
  ASSERT_EQ(run.rows.size(), 1);
  EXPECT_EQ(run.rows[0],
            QStringList({"KD20", "20", "KD20-B", "2.000 N", "1.000 N", "1.300 N", "1,5", "14 km",
                         "Sicherheit ausreichend.", "Safety ok."}));
  EXPECT_EQ(eval::gridRow(run.typed[0], {}), run.rows[0].mid(0, 9));
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST_F(Evaluation, SafetyBelowRequiredIsOverLoad) {
  const Shown run = rateOne({"TLS", "20", "1300", "KD20"},
                                    ratingRow("TLS", "20", "1000", "2000"), 1.6f);
  EXPECT_EQ(run.rows[0][6], "1,5");
  EXPECT_EQ(run.rows[0][8], "Belastung zu hoch!");
  EXPECT_EQ(run.rows[0][9], "Over load!");
}

TEST_F(Evaluation, ZeroLoadRatesAsOverLoad) {
  const Shown run =
      rateOne({"TLS", "20", "0", "KD20"}, ratingRow("TLS", "20", "1000", "2000"), 1.5f);
  EXPECT_EQ(run.rows[0][5], "0 N");
  EXPECT_EQ(run.rows[0][6], "0");
  EXPECT_EQ(run.rows[0][7], "0 km");
  EXPECT_EQ(run.rows[0][8], "Belastung zu hoch!");
}

TEST_F(Evaluation, LifetimeShownInWholeKilometres) {
  EXPECT_EQ(rateOne({"S", "20", "500", "KD20"}, ratingRow("S", "20", "1000", "9000", "1", "10", "K"))
                .rows[0][7],
            "251 km");
  EXPECT_EQ(rateOne({"S", "20", "500", "KD20"}, ratingRow("S", "20", "1000", "9000", "1", "10", "N"))
                .rows[0][7],
            "317 km");
  // 1000 * 3.141592 * 39.29745 = 123 456.6 km, grouped in thousands.
  EXPECT_EQ(rateOne({"S", "20", "100", "KD20"},
                    ratingRow("S", "20", "1000", "9000", "1", "39,29745", "K"))
                .rows[0][7],
            "123.457 km");
}

TEST_F(Evaluation, LoadIsRoundedHalfToEvenAndGrouped) {
  const Shown run = rateOne({"S", "20", "12344,5", "KD20"},
                                    ratingRow("S", "20", "100000", "200000"));
  EXPECT_EQ(run.rows[0][5], "12.344 N");
  EXPECT_EQ(run.rows[0][3], "200.000 N");
  EXPECT_EQ(run.rows[0][4], "100.000 N");
}

// The rating texts are kept per thread for the locale in force: another locale shows its
// own notation at once, and the first one again when it comes back.
TEST_F(Evaluation, RatingTextsFollowTheLocale) {
  EvaluationRow row;
  row.unit = "KD20";
  row.staticRating = 12000.0f;
  row.detail.C = 1480.0f;
  row.verdict = Verdict::Sufficient;
  const auto ratings = [&row] { return eval::fields(row).mid(3, 2); };
  EXPECT_EQ(ratings(), QStringList({"12.000 N", "1.480 N"}));
  num::setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(ratings(), QStringList({"12,000 N", "1,480 N"}));
  num::setLocale(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(ratings(), QStringList({"12.000 N", "1.480 N"}));
}

TEST_F(Evaluation, UnknownBearingTypeGivesZeroKilometresAndANormalVerdict) {
  const Shown run = rateOne({"S", "20", "500", "KD20"},
                                    ratingRow("S", "20", "1000", "2000", "1", "10", "X"));
  ASSERT_FALSE(run.failed);
  EXPECT_EQ(run.rows[0][7], "0 km");
  EXPECT_EQ(run.rows[0][8], "Sicherheit ausreichend.");
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].text, "Error fsngC!");
}

TEST_F(Evaluation, LastMatchingCatalogueRowWins) {
  EvaluationInput in;
  in.result = {{"S", "20", "500", "KD20"}};
  in.tag[0] = 1;
  in.ticked[0] = true;
  in.tableSetCount = 1;
  in.loadRatings = [](int) {
    return TextRows{ratingRow("S", "20", "1000", "2000", "100", "10", "K", "KD20"),
                    ratingRow("S", "25", "7000", "8000", "100", "10", "K", "KD20"),
                    ratingRow("S", "20", "3000", "4000", "100", "20", "N", "KD20")};
  };
  in.requiredSafety = 1.5f;
  const Shown run = shown(eval::evaluate(in));
  ASSERT_EQ(run.rows.size(), 1);
  EXPECT_EQ(run.rows[0][3], "4.000 N");
  EXPECT_EQ(run.rows[0][4], "3.000 N");
  EXPECT_EQ(run.rows[0][6], "8");
  // (3000/500)^(10/3) * 3.141592 * 20 = 24 661.4 km
  EXPECT_EQ(run.rows[0][7], "24.661 km");
}

// --------------------------------------------------------------- distance verdicts
TEST_F(Evaluation, UnitDistanceZeroDisablesTheLengthCheck) {
  const auto row = ratingRow("S", "20", "1000", "2000", "5000");
  EXPECT_EQ(rateOne({"S", "20", "100", "KD20"}, row, 1.5f, 0, 0).rows[0][8],
            "Sicherheit ausreichend.");
}

TEST_F(Evaluation, LengthEqualToTheDistancePasses) {
  const auto row = ratingRow("S", "20", "1000", "2000", "200");
  EXPECT_EQ(rateOne({"S", "20", "100", "KD20"}, row, 1.5f, 200, 0).rows[0][8],
            "Sicherheit ausreichend.");
  const Shown longer = rateOne({"S", "20", "100", "KD20"}, row, 1.5f, 199, 0);
  EXPECT_EQ(longer.rows[0][8], "Kassettenabstand zu gering!");
  EXPECT_EQ(longer.rows[0][9], "Cassettes too narrow!");
}

TEST_F(Evaluation, WidthBeyondRailDistance) {
  // A cassette row: the width is KBs (70).
  const auto row = ratingRow("S", "20", "1000", "2000", "100", "10", "K", "KD20", "70");
  const Shown run = rateOne({"S", "20", "5000", "KD20"}, row, 1.5f, 0, 69);
  EXPECT_EQ(run.rows[0][8], "Schienenabstand zu gering!");
  EXPECT_EQ(run.rows[0][9], "Rails too narrow!");
  EXPECT_EQ(rateOne({"S", "20", "100", "KD20"}, row, 1.5f, 0, 70).rows[0][8],
            "Sicherheit ausreichend.");
}

TEST_F(Evaluation, BothDistancesTooSmall) {
  const auto row = ratingRow("S", "20", "1000", "2000", "100", "10", "K", "KD20", "70");
  const Shown run = rateOne({"S", "20", "100", "KD20"}, row, 1.5f, 50, 50);
  EXPECT_EQ(run.rows[0][8], "Kassetten- und Schienenabstand zu gering!");
  EXPECT_EQ(run.rows[0][9], "Cassettes and rails too narrow!");
}

TEST_F(Evaluation, RollerShoeRowUsesTheRollerShoeOrderNumberAndWidth) {
  // The result names the roller-shoe series RE20: order number RE20-B, width KB1 = 40.
  const auto row = ratingRow("S", "20", "1000", "2000", "100", "10", "K", "KD20", "70", "RE20", "40");
  EXPECT_EQ(rateOne({"S", "20", "100", "RE20"}, row, 1.5f, 0, 45).rows[0][2], "RE20-B");
  EXPECT_EQ(rateOne({"S", "20", "100", "RE20"}, row, 1.5f, 0, 45).rows[0][8],
            "Sicherheit ausreichend.");
  EXPECT_EQ(rateOne({"S", "20", "100", "RE20"}, row, 1.5f, 0, 39).rows[0][8],
            "Schienenabstand zu gering!");
}

// --------------------------------------------------------------- a whole run
TEST_F(Evaluation, RunWalksFramesLoadsEachSetOnceAndKeepsBoxOrder) {
  EvaluationInput in;
  in.result = {{"A", "12", "100", "KA12"}, {"A", "15", "100", "KA15"}, {"B", "20", "200", "KB20"}};
  in.tag[0] = 1;
  in.tag[1] = 2;
  in.tag[8] = 3;  // frame 2, size 20
  in.ticked[0] = in.ticked[8] = true;
  in.tableSetCount = 2;
  QVector<int> loaded;
  in.loadRatings = [&loaded](int k) {
    loaded << k;
    if (k == 1)
      return TextRows{ratingRow("A", "12", "1000", "1200", "1", "1", "K", "KA12"),
                      ratingRow("A", "15", "1000", "1500", "1", "1", "K", "KA15")};
    return TextRows{ratingRow("B", "20", "1000", "2000", "1", "1", "K", "KB20")};
  };
  in.requiredSafety = 1.5f;
  const Shown run = shown(eval::evaluate(in));
  EXPECT_EQ(loaded, QVector<int>({1, 2}));
  ASSERT_EQ(run.rows.size(), 2);
  EXPECT_EQ(run.rows[0][0], "KA12");
  EXPECT_EQ(run.rows[0][3], "1.200 N");
  EXPECT_EQ(run.rows[1][0], "KB20");
  EXPECT_EQ(run.rows[1][6], "10");
}

TEST_F(Evaluation, TickedSizeWithoutCatalogueRowStopsTheRun) {
  EvaluationInput in;
  in.result = {{"A", "12", "100", "KA12"}, {"A", "15", "100", "KA15"}};
  in.tag[0] = 1;
  in.tag[1] = 2;
  in.ticked[0] = in.ticked[1] = true;
  in.tableSetCount = 1;
  in.loadRatings = [](int) { return TextRows{ratingRow("A", "12", "1000", "1200")}; };
  in.requiredSafety = 1.5f;
  const Shown run = shown(eval::evaluate(in));
  EXPECT_TRUE(run.failed);
  ASSERT_EQ(run.rows.size(), 1);  // the row rated before stays
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "CmdBerechnen_Click!");
  EXPECT_EQ(rec.messages[0].text, err::typeMismatch());
  EXPECT_EQ(rec.messages[0].icon, msg::Icon::Critical);
}

TEST_F(Evaluation, TickedBoxWithoutRowStopsTheRun) {
  EvaluationInput in;
  in.result = {{"A", "12", "100", "KA12"}};
  in.ticked[3] = true;  // tag -1
  in.tableSetCount = 1;
  in.loadRatings = [](int) { return TextRows{ratingRow("A", "12", "1000", "1200")}; };
  in.requiredSafety = 1.5f;
  EXPECT_TRUE(eval::evaluate(in).failed);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].title, "CmdBerechnen_Click!");
}

// A catalogue row or a result row too short for a cell the rating reads stops the run
// with the subscript error; a row of the full layout with the unit series in its last
// column but no width after it as well.
TEST_F(Evaluation, RowsTooShortForTheirCellsStopTheRun) {
  const QStringList rated = {"S", "20", "500", "KD20"};
  const QStringList full = ratingRow("S", "20", "1000", "2000");
  // The unit series in the last column of the layout.
  const QStringList last = {"S", "20", "1000", "2000", "100", "10", "K", "X1", "X1-B", "70", "Y1", "Y1-B", "KD20"};
  const struct {
    QStringList result, catalogue;
    QString error;  // empty: rated
  } cases[] = {
      {rated, full, {}},
      {{"S", "20", "500"}, full, err::subscript()},
      {rated, {"S"}, err::subscript()},
      {rated, {"S", "25"}, err::typeMismatch()},  // another size: no ratings for the row
      {rated, full.mid(0, 9), err::subscript()},
      {rated, full.mid(0, 10), {}},
      {rated, last, err::subscript()},
      {rated, last + QStringList{"B"}, err::subscript()},
      {rated, last + QStringList{"B", "40"}, {}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.catalogue.join(' ').toStdString() + " / " + c.result.join(' ').toStdString());
    rec.messages.clear();
    const Shown run = rateOne(c.result, c.catalogue);
    EXPECT_EQ(run.failed, !c.error.isEmpty());
    if (!c.error.isEmpty()) {
      ASSERT_EQ(rec.messages.size(), 1);
      EXPECT_EQ(rec.messages[0].text, c.error);
    }
  }
}

// Only the special roller shoe, loaded at 500 N: its rating data comes from memory.
static Session &holdOnlyTheSpecialShoe(Session &s) {
  s.gintTblAnz = 0;
  s.gintAnzSonder = 1;
  s.gastrSonderAusw = {"SOND", "20", "1000", "2000", "100", "10", "K", "SOND", "B-1", "70", "X", "B-2", "40"};
  s.gastrResult = {{"SOND", "20", "500", "SOND"}};
  s.gsngSiko = 1.5f;
  return s;
}

TEST_F(Evaluation, ModuleRunReplacesEvaluationAndKeepsItAfterFailure) {
  Session &s = holdOnlyTheSpecialShoe(session);
  std::array<int, eval::kBoxes> tag;
  tag.fill(-1);
  tag[2] = 1;
  std::array<bool, eval::kBoxes> ticked;
  ticked.fill(false);

  const Shown none = shown(eval::runEvaluation(session, tag, ticked));
  EXPECT_FALSE(none.failed);
  EXPECT_TRUE(none.rows.isEmpty());
  ASSERT_EQ(s.gastrEvaluation.size(), 1);
  EXPECT_EQ(eval::fields(s.gastrEvaluation[0]), QStringList(10));

  ticked[2] = true;
  const Shown one = shown(eval::runEvaluation(session, tag, ticked));
  ASSERT_EQ(s.gastrEvaluation.size(), 1);
  EXPECT_EQ(eval::fields(s.gastrEvaluation[0]),
            QStringList({"SOND", "20", "B-1", "2.000 N", "1.000 N", "500 N", "4", "251 km",
                         "Sicherheit ausreichend.", "Safety ok."}));
  EXPECT_EQ(one.typed, s.gastrEvaluation);

  s.gastrResult = {{"OTHER", "20", "500", "SOND"}};  // no catalogue row any more
  const Shown failed = shown(eval::runEvaluation(session, tag, ticked));
  EXPECT_TRUE(failed.failed);
  EXPECT_EQ(s.gastrEvaluation, one.typed);
}

// A damaged, empty or zero safety setting leaves no required safety: rating against 0
// would pass an overloaded size as safe, so no verdict is given at all.
TEST_F(Evaluation, NoVerdictWithoutARequiredSafetyAboveZero) {
  const struct {
    float siko;
    int loadType;
    const char *key;
  } cases[] = {{0.0f, 0, "StdSiko"}, {-1.5f, 1, "SwSiko"}, {std::nanf(""), 2, "WeSiko"}};
  for (const auto &c : cases) {
    rec.clear();
    EvaluationInput in;
    in.result = {{"TLS", "20", "9000", "KD20"}};  // safety 0,2: overloaded
    in.tag[0] = 1;
    in.ticked[0] = true;
    in.tableSetCount = 1;
    in.loadRatings = [](int) { return TextRows{ratingRow("TLS", "20", "1000", "2000")}; };
    in.requiredSafety = c.siko;
    in.loadType = c.loadType;
    const Shown run = shown(eval::evaluate(in));
    EXPECT_TRUE(run.refused) << c.key;
    EXPECT_TRUE(run.failed) << c.key;
    EXPECT_TRUE(run.rows.isEmpty()) << c.key;
    ASSERT_EQ(rec.messages.size(), 1) << c.key;
    EXPECT_EQ(rec.messages[0].title, "CmdBerechnen_Click!");
    EXPECT_EQ(rec.messages[0].icon, msg::Icon::Critical);
    EXPECT_EQ(rec.messages[0].text, builtinText(1058).arg(c.key));
  }
}

TEST_F(Evaluation, RefusedModuleRunLeavesNoEarlierVerdict) {
  Session &s = holdOnlyTheSpecialShoe(session);
  std::array<int, eval::kBoxes> tag;
  tag.fill(-1);
  tag[0] = 1;
  std::array<bool, eval::kBoxes> ticked;
  ticked.fill(false);
  ticked[0] = true;
  ASSERT_FALSE(eval::runEvaluation(session, tag, ticked).failed);
  ASSERT_EQ(eval::fields(s.gastrEvaluation[0])[8], "Sicherheit ausreichend.");
  s.gsngSiko = 0.0f;
  s.gintLoadType = 1;
  EXPECT_TRUE(eval::runEvaluation(session, tag, ticked).refused);
  EXPECT_EQ(eval::fieldRows(s.gastrEvaluation), TextRows{QStringList(10)});
  EXPECT_TRUE(rec.messages.last().text.contains("SwSiko"));
}

// --------------------------------------------------------------- size boxes
TEST_F(Evaluation, SeriesWithMiddleSizesOnly) {
  const eval::SizeBoxes b =
      eval::assignSizeBoxes({{"T", "20", "1", "KT20"}, {"T", "25", "1", "KT25"}, {"T", "35", "1", "KT35"}});
  EXPECT_TRUE(b.error.isEmpty());
  const std::array<int, 6> tags = {-1, -1, 1, 2, 3, -1};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(b.tag[i], tags[i]) << i;
    EXPECT_EQ(b.enabled[i], tags[i] != -1) << i;
  }
  for (int i = 6; i < eval::kBoxes; ++i) EXPECT_FALSE(b.enabled[i]) << i;
  EXPECT_EQ(eval::frameCaption(session, {{"T", "20", "1", "KT20"}}, b, 0), "Serie KT");
  EXPECT_EQ(eval::frameCaption(session, {}, b, 1), "Sonder");
  EXPECT_TRUE(eval::frameUsed(b, 0));
  EXPECT_FALSE(eval::frameUsed(b, 1));
}

TEST_F(Evaluation, NextSeriesStartsInTheNextFrame) {
  const TextRows result = {{"A", "12", "1", "KA12"}, {"A", "15", "1", "KA15"},
                           {"B", "12", "1", "KB12"}, {"B", "45", "1", "KB45"}};
  const eval::SizeBoxes b = eval::assignSizeBoxes(result);
  EXPECT_TRUE(b.error.isEmpty());
  EXPECT_EQ(b.tag[0], 1);
  EXPECT_EQ(b.tag[1], 2);
  for (int i = 2; i < 6; ++i) EXPECT_EQ(b.tag[i], -1) << i;
  EXPECT_EQ(b.tag[6], 3);
  EXPECT_EQ(b.tag[11], 4);
  EXPECT_EQ(eval::frameCaption(session, result, b, 1), "Serie KB");
}

TEST_F(Evaluation, NinthSeriesUsesTheNinthFrame) {
  TextRows result;
  for (int k = 0; k < 9; ++k) result.append({QString("S%1").arg(k), "45", "1", "U9"});
  const eval::SizeBoxes b = eval::assignSizeBoxes(result);
  EXPECT_TRUE(b.error.isEmpty());
  EXPECT_EQ(b.tag[53], 9);
  EXPECT_TRUE(eval::frameUsed(b, 8));
  EXPECT_EQ(eval::frameCaption(session, result, b, 8), "Serie U");
}

TEST_F(Evaluation, TenthSeriesHasNoBox) {
  TextRows result;
  for (int k = 0; k < 10; ++k) result.append({QString("S%1").arg(k), "12", "1", "U"});
  const eval::SizeBoxes b = eval::assignSizeBoxes(result);
  EXPECT_FALSE(b.error.isEmpty());
  for (int k = 0; k < 9; ++k) EXPECT_EQ(b.tag[k * 6], k + 1);
  EXPECT_EQ(std::count(b.enabled.begin(), b.enabled.end(), true), 9);
}

TEST_F(Evaluation, SizeWithoutColumnUsesUpTheBoxes) {
  const eval::SizeBoxes b = eval::assignSizeBoxes({{"A", "12", "1", "U"}, {"A", "30", "1", "U"}});
  EXPECT_FALSE(b.error.isEmpty());
  EXPECT_EQ(b.tag[0], 1);
  EXPECT_EQ(std::count(b.enabled.begin(), b.enabled.end(), true), 1);
}

TEST_F(Evaluation, SizeThatIsNoNumberStopsTheAssignment) {
  const eval::SizeBoxes b = eval::assignSizeBoxes({{"A", "12", "1", "U"}, {"A", "groß", "1", "U"}});
  EXPECT_EQ(b.error, err::typeMismatch());
  EXPECT_EQ(b.tag[0], 1);
  EXPECT_EQ(std::count(b.enabled.begin(), b.enabled.end(), true), 1);
}

}  // namespace
