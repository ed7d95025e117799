// The report texts without any window: the text tables, the report body, the report text
// file, the evaluation export and the print arithmetic.
#include <gtest/gtest.h>

#include "output/report/ReportFixture.h"
#include "core/common/Messages.h"
#include "output/report/PrintMetrics.h"
#include "output/report/ReportText.h"

using namespace report;

namespace {
const QDate kDay(2024, 3, 5);  // "05.03.24" in the German short date

QString crlf(const QStringList &lines) { return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"); }

// The items of a body line as "tab:text" for compact comparisons.
QStringList items(const ReportLine &l) {
  QStringList out;
  for (const TabItem &i : l.items) out << QStringLiteral("%1:%2").arg(i.tab).arg(i.text);
  return out;
}

const ReportLine *firstLineWith(const ReportLines &lines, const QString &text, int from = 0) {
  for (int i = from; i < lines.size(); ++i)
    for (const TabItem &it : lines[i].items)
      if (it.text == text) return &lines[i];
  return nullptr;
}
}  // namespace

TEST(ReportTables, StateZeroIsGermanAndOneEnglishWhateverColumnHoldsThem) {
  Session session;
  const ReportTables t = buildReportTables(session);
  // Resource text 900 is "0": German sits in column 1.
  EXPECT_EQ(t.germanColumn, 1);
  EXPECT_EQ(t.mastrLabels[0][1], "Anordnung:");
  EXPECT_EQ(t.label(0, German), "Anordnung:");
  EXPECT_EQ(t.label(0, English), "Arrangement:");
  EXPECT_EQ(t.label(5, English), "Description:");
  EXPECT_EQ(t.title(0, German), "Berechnungsausdruck");
  EXPECT_EQ(t.title(0, English), "Calculation report");
  EXPECT_EQ(t.title(1, English), "Program version:");
  EXPECT_EQ(t.forceHead(1, English), "Load (N)");
  // The static rating stands under "Statisch" / "Static", the dynamic under
  // "Dynamisch" / "Dynamic", although the English texts are numbered the other way.
  EXPECT_EQ(t.resultHead(3, German), "Statisch");
  EXPECT_EQ(t.resultHead(3, English), "Static");
  EXPECT_EQ(t.resultHead(4, German), "Dynamisch");
  EXPECT_EQ(t.resultHead(4, English), "Dynamic");
}

TEST(ReportTables, CustomerTextSetReplacesOnlyTheDisclaimerAndClosingLine) {
  Session session;
  fixture::fillEvaluation(session);
  session.gintTextMode = 3;
  session.gastrSettings = {{"170", "Ohne Gewähr"}, {"173", "Without guarantee"}, {"145", "X"}};
  const ReportTables t = buildReportTables(session);
  EXPECT_EQ(t.title(2, German), "Ohne Gewähr");
  EXPECT_EQ(t.title(2, English), "Without guarantee");
  EXPECT_EQ(t.title(3, German), "");  // no row "174": empty in the customer set
  EXPECT_EQ(t.title(0, German), "Berechnungsausdruck");  // 145 is never replaced
}

TEST(ReportBody, GermanAndEnglishLinesAtTheirColumns) {
  Session session;
  fixture::fillEvaluation(session);
  const ReportTables t = buildReportTables(session);
  const ReportLines de = reportBody(session, t, German);
  EXPECT_EQ(items(de[0]), QStringList({"12:Anordnung:", "40:Zwei Kassetten mit einer Doppelschiene"}));
  EXPECT_EQ(de[0].role, ReportLine::Role::ArrangementLine);
  EXPECT_EQ(items(de[1]), QStringList({"12:Erforderliche Sicherheit:", "40:1,5"}));
  EXPECT_EQ(items(de[2]), QStringList({"12:Kassettenabstand:", "40:300 mm"}));
  // An arrangement without a rail distance prints 0 mm.
  EXPECT_EQ(items(de[3]), QStringList({"12:Schienenabstand:", "40:0 mm"}));
  for (int i = 4; i < 8; ++i) EXPECT_TRUE(de[i].isEmpty());
  EXPECT_TRUE(de[8].underline);
  EXPECT_EQ(items(de[8]), QStringList({"12:Krafteingaben:"}));
  EXPECT_EQ(items(de[9]), QStringList({"12:Richtung", "25:Kraft", "40:X-Richtung", "65:Y-Richtung", "90:Z-Richtung"}));
  EXPECT_EQ(items(de[10]), QStringList({"14:Z +", "25:1.000 N", "40:0 mm", "65:0 mm", "90:0 mm"}));
  EXPECT_EQ(de[10].role, ReportLine::Role::ForceRow);

  const ReportLine *dataHead = firstLineWith(de, "Best-Nr.");
  ASSERT_TRUE(dataHead);
  EXPECT_EQ(items(*dataHead), QStringList({"12:Serie", "24:Größe", "32:Best-Nr.", "45:Statisch", "65:Dynamisch", "85:Belastung"}));
  const ReportLine *verdict = firstLineWith(de, "Sicherheit ausreichend.");
  ASSERT_TRUE(verdict);
  EXPECT_EQ(items(*verdict), QStringList({"12:FDK20", "24:20", "32:FDK20-20", "45:21,5", "65:1.234 km", "85:Sicherheit ausreichend."}));
  EXPECT_EQ(verdict->role, ReportLine::Role::ResultRow);
  EXPECT_FALSE(firstLineWith(de, "Safety ok."));

  const ReportLines en = reportBody(session, t, English);
  EXPECT_EQ(items(en[0]), QStringList({"12:Arrangement:", "40:Two cassettes with one double rail"}));
  EXPECT_TRUE(firstLineWith(en, "Over load!"));
  EXPECT_FALSE(firstLineWith(en, "Belastung zu hoch!"));
  const ReportLine *enHead = firstLineWith(en, "Order-Nr.");
  ASSERT_TRUE(enHead);
  EXPECT_EQ(items(*enHead), QStringList({"12:Series", "24:Size", "32:Order-Nr.", "45:Static", "65:Dynamic", "85:Load"}));
  // The static rating (field 3) stands in the column headed "Static".
  // Numbers in English notation: "11.200 N" would read as 11 N.
  const ReportLine *enRow = firstLineWith(en, "11,200 N");
  ASSERT_TRUE(enRow);
  EXPECT_EQ(enRow->items[3].text, "11,200 N");
  EXPECT_EQ(enRow->items[3].tab, 45);
  EXPECT_EQ(items(en[1]), QStringList({"12:Required safety:", "40:1.5"}));
  EXPECT_EQ(items(en[10]), QStringList({"14:Z +", "25:1,000 N", "40:0 mm", "65:0 mm", "90:0 mm"}));
  const ReportLine *enVerdict = firstLineWith(en, "Safety ok.");
  ASSERT_TRUE(enVerdict);
  EXPECT_EQ(items(*enVerdict), QStringList({"12:FDK20", "24:20", "32:FDK20-20", "45:21.5", "65:1,234 km", "85:Safety ok."}));
  EXPECT_FALSE(firstLineWith(en, "1.234 km"));
}

TEST(ReportText, GermanFileExactly) {
  Session session;
  fixture::fillEvaluation(session);
  const QString expected = crlf({
      "05.03.24", "Berechnungsausdruck", "Kunde A", "Projekt B", "", "", "", "",
      "Anordnung:\tZwei Kassetten mit einer Doppelschiene", "Erforderliche Sicherheit:\t1,5",
      "Kassettenabstand:\t300 mm", "Schienenabstand:\t0 mm", "Krafteingaben:",
      "Richtung\tKraft\tX-Richtung\tY-Richtung\tZ-Richtung",
      "Z +\t1.000 N\t0 mm\t0 mm\t0 mm\t", "- Y\t250 N\t10 mm\t-5 mm\t20 mm\t",
      "Kassettendaten:",
      "Serie\tGröße\tBest-Nr.\tStatisch\tDynamisch\tBelastung\tSicherheit\tLebensdauer\tKommentar",
      // both verdicts: field 8 German, field 9 English
      "FDK20\t20\tFDK20-20\t11.200 N\t7.400 N\t520 N\t21,5\t1.234 km\tSicherheit ausreichend.\tSafety ok.\t",
      "FDK12\t12\tFDK12-12\t468 N\t7.400 N\t520 N\t0,9\t1.234 km\tBelastung zu hoch!\tOver load!\t"});
  EXPECT_EQ(reportText(session, German, kDay), expected);
}

TEST(ReportText, EnglishFileKeepsTheGermanVerdictInField8) {
  Session session;
  fixture::fillEvaluation(session);
  const QStringList lines = reportText(session, English, kDay).split(QStringLiteral("\r\n"));
  EXPECT_EQ(lines[1], "Calculation report");
  EXPECT_EQ(lines[8], "Arrangement:\tTwo cassettes with one double rail");
  EXPECT_EQ(lines[9], "Required safety:\t1.5");
  EXPECT_EQ(lines[10], "Distance of cassettes:\t300 mm");
  EXPECT_EQ(lines[11], "Distance of rails:\t0 mm");
  EXPECT_EQ(lines[12], "Load input:");
  EXPECT_EQ(lines[13], "Direction\tLoad (N)\tX-direction (mm)\tY-direction (mm)\tZ-direction (mm)");
  EXPECT_EQ(lines[16], "Description:");
  EXPECT_EQ(lines[17], "Series\tSize\tOrder-Nr.\tStatic\tDynamic\tLoad\tSafety\tLifetime\tComment");
  const QStringList cells = lines[19].split(QLatin1Char('\t'));
  ASSERT_EQ(cells.size(), 11);  // ten tab-terminated cells
  EXPECT_EQ(cells[8], "Belastung zu hoch!");
  EXPECT_EQ(cells[9], "Over load!");
  EXPECT_EQ(cells[10], "");
  // Numbers in English notation.
  EXPECT_EQ(lines[14], "Z +\t1,000 N\t0 mm\t0 mm\t0 mm\t");
  EXPECT_EQ(cells.mid(3, 5), QStringList({"468 N", "7,400 N", "520 N", "0.9", "1,234 km"}));
}

TEST(ReportText, NothingTickedGivesOneRowOfEmptyCells) {
  Session session;
  fixture::fillEvaluation(session);
  session.gastrEvaluation = {EvaluationRow()};
  const QString report = reportText(session, German, kDay);
  EXPECT_TRUE(report.endsWith(QStringLiteral("Kommentar\r\n\t\t\t\t\t\t\t\t\t\t\r\n")));
  const QString exported = evaluationExportText(session, kDay);
  // Nine empty cells: fields 0 to 8.
  EXPECT_TRUE(exported.endsWith(QStringLiteral("Kommentar\r\n\t\t\t\t\t\t\t\t\t\r\n")));
}

TEST(EvaluationExport, GermanTextExactly) {
  Session session;
  fixture::fillEvaluation(session);
  const QString expected = crlf({
      "05.03.24", "Berechnungsausdruck TARVEL-Rollenführungen", "Kontakt:",
      builtinText(118), builtinText(119), builtinText(120), builtinText(121), builtinText(122),
      "Anordnung:\tZwei Kassetten mit einer Doppelschiene", "Erforderliche Sicherheit:\t1,5",
      "Kassettenabstand:\t300 mm", "Schienenabstand:\t0 mm", "Krafteingaben:",
      "Richtung\tKraft\tX-Richtung\tY-Richtung\tZ-Richtung",
      "Z +\t1.000 N\t0 mm\t0 mm\t0 mm\t", "- Y\t250 N\t10 mm\t-5 mm\t20 mm\t", "Ergebnisse:",
      "Serie\tGröße\tBest-Nr.\tStatisch\tDynamisch\tBelastung\tSicherheit\tLebensdauer\tKommentar",
      "FDK20\t20\tFDK20-20\t11.200 N\t7.400 N\t520 N\t21,5\t1.234 km\tSicherheit ausreichend.\t",
      "FDK12\t12\tFDK12-12\t468 N\t7.400 N\t520 N\t0,9\t1.234 km\tBelastung zu hoch!\t"});
  EXPECT_EQ(evaluationExportText(session, kDay), expected);
  EXPECT_TRUE(builtinText(121).startsWith("Tel.:  "));
}

TEST(EvaluationExport, NeverEnglishAndTheContactBlockFollowsTheCustomerSet) {
  Session session;
  fixture::fillEvaluation(session);
  session.gintTextMode = 3;
  session.gastrSettings = {{"117", "Kundenausdruck"}, {"118", "Kunde GmbH"}};
  const QString text = evaluationExportText(session, kDay);
  EXPECT_FALSE(text.contains("Safety ok.") || text.contains("Over load!") || text.contains("Arrangement:"));
  const QStringList lines = text.split(QStringLiteral("\r\n"));
  EXPECT_EQ(lines[1], "Kundenausdruck");
  EXPECT_EQ(lines[2], "Kontakt:");  // 123 is not replaceable
  EXPECT_EQ(lines[3], "Kunde GmbH");
  EXPECT_EQ(lines[4], "");          // 119 has no customer row
}

TEST(PrintArithmetic, MillimetresToTwips) {
  EXPECT_EQ(gflngMmToTwips(20), 1134);
  EXPECT_EQ(gflngMmToTwips(35), 1984);  // 1984.5: the tie goes to the even neighbour
  EXPECT_EQ(gflngMmToTwips(25), 1418);  // 1417.5 -> 1418
  EXPECT_EQ(gflngMmToTwips(0), 0);
  EXPECT_EQ(gflngMmToTwips(-1), 0);
  EXPECT_EQ(gflngMmToTwips(-20), 0);
  EXPECT_EQ(gflngMmToTwips(577), 32716);
  EXPECT_EQ(gflngMmToTwips(578), 0);  // beyond 32767
  EXPECT_EQ(gflngMmToTwips(100000), 0);
}

TEST(PrintArithmetic, MetricsAndMarginsOfAPrinterWithUnprintableStrips) {
  // A4 with 5 mm strips on every side; the printable area reported in fractions of mm.
  const PageMetrics m = pageMetricsFromMm(210.0, 297.0, 4.8, 5.2, 200.4, 286.6);
  EXPECT_EQ(m.paperWidth, 210);
  EXPECT_EQ(m.leftOffset, 5);
  EXPECT_EQ(m.topOffset, 5);
  EXPECT_EQ(m.rightValue, 200 - (210 - 5));   // -5
  EXPECT_EQ(m.bottomValue, 287 - (297 - 5));  // -5
  const Margins plain = sSetMargins(m, false);
  EXPECT_EQ(plain.top, gflngMmToTwips(15));
  EXPECT_EQ(plain.left, gflngMmToTwips(15));
  EXPECT_EQ(plain.bottom, gflngMmToTwips(5));
  const Margins letter = sSetMargins(m, true);
  EXPECT_EQ(letter.top, gflngMmToTwips(30));
  EXPECT_EQ(letter.left, plain.left);
  EXPECT_EQ(letter.bottom, gflngMmToTwips(20));
  EXPECT_EQ(footY(m, plain), gflngMmToTwips(297) - gflngMmToTwips(5));
}

TEST(PrintArithmetic, APageIsFullBeyondNinetyPercentOfTheUsableHeight) {
  const PageMetrics m = pageMetricsFromMm(210, 297, 0, 0, 210, 297);
  const Margins g = sSetMargins(m, false);
  const double usable = gflngMmToTwips(297) - gflngMmToTwips(10);
  EXPECT_FALSE(pageFull(0.9 * usable, m, g));
  EXPECT_TRUE(pageFull(0.9 * usable + 1, m, g));
}
