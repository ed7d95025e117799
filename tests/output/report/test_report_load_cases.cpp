// The report and the text export with load cases and a duty cycle: the force table of
// every load case with its share, the operating figures, the lifetime block and the
// formulas with the figures of the most loaded size.
#include <gtest/gtest.h>

#include "core/common/Session.h"
#include "output/report/ReportLoadCases.h"
#include "output/report/ReportText.h"
#include "output/report/ReportFixture.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// Two load cases of one cassette, rated KK25 (see the hand computation of the
// evaluation: Pm 1842,016 N, 2370,761 km, 3951,3 h, 1,98 years) and FDK12 less loaded.
void fillLoadCases(Session &l) {
  fixture::fillEvaluation(l);
  LoadCase a, b;
  a.name = "Eilgang";
  a.share = 25;
  b.name = "Bearbeitung";
  b.share = 75;
  l.gaLoadCases = {a, b};
  l.gaLoadCaseForce = {{{"- Z", "1.000 N", "0 mm", "0 mm", "0 mm"}}, {{"- Z", "2.000 N", "0 mm", "0 mm", "0 mm"}}};
  l.gDutyCycle = {500, 10, 8, 250};
  l.gaintExtraHead = {1300, 1301, 1302};
  EvaluationDetail kk;
  kk.staticLoad = 2000;
  kk.equivalentLoad = 1842.0157f;
  kk.lifeKm = 2370.761f;
  kk.lifeHours = 3951.2683;
  kk.lifeYears = 1.9756342;
  kk.exponent = 3;
  kk.C = 6800;
  kk.D = 15;
  kk.caseLoads = {1000, 2000};
  EvaluationDetail small = kk;
  small.equivalentLoad = 900;
  small.lifeHours = 80000;
  small.lifeYears = 40;
  l.gastrEvaluation[0].detail = kk;
  l.gastrEvaluation[1].detail = small;
}

TEST(ReportLoadCases, WithoutLoadCasesNothingIsAdded) {
  Session session;
  fixture::fillEvaluation(session);
  EXPECT_FALSE(report::severalLoadCases(session));
  EXPECT_TRUE(report::dutyLines(session, report::German).isEmpty());
  EXPECT_TRUE(report::serviceLifeBlock(session, report::buildReportTables(session), report::German).isEmpty());
  EXPECT_TRUE(report::formulaLines(session, report::German).isEmpty());
}

TEST(ReportLoadCases, ReportTextListsLoadCasesDutyBlockAndFormulas) {
  Session session;
  fillLoadCases(session);
  const QString de = report::reportText(session, report::German, QDate(2026, 12, 8));
  EXPECT_TRUE(de.contains("Schienenabstand:\t0 mm\r\nHub:\t500 mm\r\nDoppelhübe pro Minute:\t10\r\n"
                          "Stunden pro Tag:\t8\r\nTage pro Jahr:\t250\r\n"))
      << de.toStdString();
  EXPECT_TRUE(de.contains("Eilgang\tAnteil 25 %\r\n- Z\t1.000 N\t0 mm\t0 mm\t0 mm\t\r\n"
                          "Bearbeitung\tAnteil 75 %\r\n- Z\t2.000 N\t"));
  EXPECT_TRUE(de.contains("Lebensdauer im Betrieb:\r\nSerie\tGröße\tBest-Nr.\tÄquiv. Belastung\t"
                          "Lebensdauer [h]\t[Jahre]\r\nFDK20\t20\tFDK20-20\t1.842 N\t3.951\t2,0\r\n"));
  EXPECT_TRUE(de.contains("Am höchsten belastete Größe: FDK20 20\r\n"));
  EXPECT_TRUE(de.contains("Pm = (0,25 · 1000^3 + 0,75 · 2000^3)^(1/3) = 1842,016 N\r\n"));
  EXPECT_TRUE(de.contains("L = (6800 / 1842,016)^3 · 3,141592 · 15 = 2370,761 km\r\n"));
  EXPECT_TRUE(de.contains("Lh = 2370,761 · 10^6 / (2 · 500 · 10 · 60) = 3951,3 h\r\n"));
  EXPECT_TRUE(de.contains("3951,3 / (8 · 250) = 1,98\r\n"));
  const QString en = report::reportText(session, report::English, QDate(2026, 12, 8));
  EXPECT_TRUE(en.contains("Stroke:\t500 mm\r\n"));
  EXPECT_TRUE(en.contains("Eilgang\tShare 25 %\r\n"));
  EXPECT_TRUE(en.contains("Equiv. load\tLifetime [h]\t[Years]\r\n"));
}

// A required life: the suggestion heads the results, each size's life verdict and each
// series' recommendation follow the verdicts, in both languages. FDK20 reaches
// 3 951 h < 4 000 h, FDK12 fails its safety: no size of FDK passes.
TEST(ReportLoadCases, RequiredLifeAddsVerdictsRecommendationAndSuggestion) {
  Session session;
  fillLoadCases(session);
  session.gRequiredLife = {4000, true};
  session.gastrEvaluation[0].lifeOk = false;
  session.gastrEvaluation[1].lifeOk = true;
  const QString de = report::reportText(session, report::German, QDate(2026, 12, 8));
  EXPECT_TRUE(de.contains("\r\nKeine der gewählten Größen erfüllt die Anforderungen.\r\nKassettendaten:"))
      << de.toStdString();
  EXPECT_TRUE(de.contains("Geforderte Lebensdauer: 4.000 h\r\nSerie\tGröße\tBest-Nr.\tLebensdauer [h]\tKommentar\r\n"
                          "FDK20\t20\tFDK20-20\t3.951 h\tLebensdauer zu gering!\r\n"
                          "FDK12\t12\tFDK12-12\t80.000 h\tLebensdauer ausreichend.\r\n\r\n"
                          "Keine Größe der Serie FDK erfüllt die Anforderungen\r\n"));
  // Enough life: FDK20 is recommended and suggested.
  session.gRequiredLife = {3951, true};
  session.gastrEvaluation[0].lifeOk = true;
  const QString en = report::reportText(session, report::English, QDate(2026, 12, 8));
  EXPECT_TRUE(en.contains("Suggestion: FDK20 — safety 5.6; life 3,951 h\r\n")) << en.toStdString();
  EXPECT_TRUE(en.contains("Required life: 3,951 h\r\n"));
  EXPECT_TRUE(en.contains("FDK20\t20\tFDK20-20\t3,951 h\tLife sufficient.\r\n"));
  EXPECT_TRUE(en.contains("Recommendation: FDK20 — safety 5.6; life 3,951 h\r\n"));
}

// The loads per unit of the recommended sizes follow the recommendations, in both
// languages, and only while the recommended sizes are shown: otherwise the report is the
// same, whether the rows carry loads per unit or not. FDK20 of two cassettes on one
// double rail, rated with the rigid-plate check, equal on both tracks of the left one.
TEST(ReportLoadCases, LoadsPerUnitOfTheRecommendedSizesOnlyWhileTheyAreShown) {
  Session plain;
  fixture::fillEvaluation(plain);
  Session session = plain;
  ResultRow fdk20;
  fdk20.modelLoads = std::array<float, 5>{100.0f, 243.75f, 50.0f, 200.0f, 243.75f};
  fdk20.checkLoads = std::array<float, 5>{1093.625f, 1093.625f, 900.0f, 899.5f, 1093.625f};
  fdk20.loads = fdk20.checkLoads;
  fdk20.byCheck = true;
  session.resultRows = {ResultRow(), fdk20};
  session.gastrEvaluation[0].resultRow = 1;
  session.gastrEvaluation[1].resultRow = 0;

  const QDate day(2026, 12, 8);
  for (int k : {report::German, report::English})
    EXPECT_EQ(report::reportText(session, k, day), report::reportText(plain, k, day)) << k;

  session.gblnRecommend = true;
  const QString de = report::reportText(session, report::German, day);
  EXPECT_TRUE(de.contains("Empfehlung: FDK20 — Sicherheit 21,5; Lebensdauer 1.234 km\r\n\r\n"
                          "Lasten je Einheit\r\n"
                          "Serie\tLaufbahn\tvorn links\thinten links\tvorn rechts\thinten rechts\r\n"
                          "FDK20\tLastmodell\t100 N\t244 N\t50 N\t200 N\r\n"
                          "\tStarre Platte\t1.094 N\t1.094 N\t900 N\t900 N\r\n"
                          "\tMaßgebend: Starre Platte – Laufbahn vorn links, Laufbahn hinten links: 1.094 N\r\n"))
      << de.toStdString();
  const QString en = report::reportText(session, report::English, day);
  EXPECT_TRUE(en.contains("Loads per unit\r\nSeries\tTrack\tfront left\trear left\tfront right\trear right\r\n"
                          "FDK20\tLoad model\t100 N\t244 N\t50 N\t200 N\r\n"
                          "\tRigid plate\t1,094 N\t1,094 N\t900 N\t900 N\r\n"
                          "\tGoverning: Rigid plate – Track front left, Track rear left: 1,094 N\r\n"))
      << en.toStdString();
  // A recommended size whose row carries no loads per unit adds nothing.
  session.gastrEvaluation[0].resultRow = 0;
  EXPECT_FALSE(report::reportText(session, report::German, day).contains("Lasten je Einheit"));
}

TEST(ReportLoadCases, ReportBodyPlacesTheBlockAfterTheVerdicts) {
  Session session;
  fillLoadCases(session);
  const report::ReportLines body = report::reportBody(session, report::buildReportTables(session), report::German);
  int verdicts = -1, block = -1;
  for (int i = 0; i < body.size(); ++i) {
    if (!body[i].items.isEmpty() && body[i].items.last().text == builtinText(229)) verdicts = i;
    if (!body[i].items.isEmpty() && body[i].items.first().text == "Lebensdauer im Betrieb:") block = i;
  }
  ASSERT_GE(verdicts, 0);
  EXPECT_EQ(block, verdicts + 2);
  EXPECT_TRUE(body[block].underline);
}

}  // namespace
