#include "output/report/ReportText.h"

#include <algorithm>
#include <exception>

#include "core/common/Errors.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"
#include "core/evaluation/EvaluationTexts.h"
#include "core/evaluation/Sizing.h"
#include "output/report/ReportLoadCases.h"

namespace report {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QChar kTab = QLatin1Char('\t');

// The headings of the two results blocks: catalogue data, then the rating.
constexpr int kDataFields[6] = {0, 1, 2, 3, 4, 5};
constexpr int kRatingHeads[6] = {0, 1, 2, 6, 7, 8};

// A heading line: texts separated by one tab, no tab after the last.
QString headingLine(const QStringList &texts) { return texts.join(kTab) + kCrLf; }

// A data row: every cell followed by one tab, the last one included.
QString cellLine(const QStringList &row, int count) {
  QString s;
  for (int f = 0; f < count; ++f) s += field(row, f) + kTab;
  return s + kCrLf;
}

// A force row of the text files, its numbers in the language's notation.
QString forceLine(const QStringList &row, int k) {
  QStringList shown;
  for (int c = 0; c < row.size(); ++c) shown << forceField(row, c, k);
  return cellLine(shown, shown.size());
}

// The force rows of the text files: the one table, or per load case its name and share
// followed by its rows.
QString forceRowsText(const Session &session, int k) {
  if (!severalLoadCases(session)) {
    QString s;
    for (const QStringList &row : session.gastrForce) s += forceLine(row, k);
    return s;
  }
  QString s;
  for (int i = 0; i < session.gaLoadCases.size(); ++i) {
    const LoadCase &lc = session.gaLoadCases[i];
    s += lc.name + kTab + tableText(k == English ? 1327 : 1326) + QLatin1Char(' ') +
         num::doubleToText(lc.share) + QStringLiteral(" %") + kCrLf;
    for (const QStringList &row : session.gaLoadCaseForce.value(i)) s += forceLine(row, k);
  }
  return s;
}

// Rows whose load is the rigid-plate check's carry a marker after the load, explained
// by a footnote below the block; with no such row the report is as it always was.
bool anyRatedByCheck(const Session &session) {
  return std::any_of(session.gastrEvaluation.cbegin(), session.gastrEvaluation.cend(),
                     [](const EvaluationRow &row) { return row.byCheck; });
}
// Field 5 of a row's texts, the load, with the marker where the check's load is rated.
QString markedLoad(const EvaluationRow &row, const QStringList &fields, int k) {
  const QString load = inLanguage(fields.at(5), k);
  return row.byCheck ? load + QLatin1Char(' ') + tableText(1001) : load;
}
QString checkFootnote(int k) { return tableText(k == English ? 1005 : 1004); }


void showSaveError(const QString &description) {
  msg::critical(description, QStringLiteral("sSave!"));
}
}  // namespace

ReportTables buildReportTables(const Session &session) {
  ReportTables t;
  // Resource text 900 says in which column the German texts stand.
  t.germanColumn = tableText(900).trimmed() == QLatin1String("0") ? 1 : 0;
  const int de = t.germanColumn;
  const int en = 1 - de;
  static const int labels[7][2] = {{124, 147}, {125, 148}, {126, 149}, {127, 150},
                                   {128, 151}, {129, 152}, {130, 153}};
  for (int i = 0; i < 7; ++i) {
    t.mastrLabels[i][de] = tableText(labels[i][0]);
    t.mastrLabels[i][en] = tableText(labels[i][1]);
  }
  static const int forceHead[5][2] = {{131, 154}, {132, 155}, {133, 156}, {134, 157}, {135, 158}};
  for (int i = 0; i < 5; ++i) {
    t.mastrForceHead[i][de] = tableText(forceHead[i][0]);
    t.mastrForceHead[i][en] = tableText(forceHead[i][1]);
  }
  // The English static and dynamic headings stand in the other order in the text
  // table (162 "Dynamic", 163 "Static"); each goes above its own value.
  static const int resultHead[9][2] = {{136, 159}, {137, 160}, {138, 161}, {139, 163}, {140, 162},
                                       {141, 164}, {142, 165}, {143, 166}, {144, 167}};
  for (int i = 0; i < 9; ++i) {
    t.mastrResultHead[i][de] = tableText(resultHead[i][0]);
    t.mastrResultHead[i][en] = tableText(resultHead[i][1]);
  }
  t.mastrTitle[0][de] = tableText(145);
  t.mastrTitle[0][en] = tableText(146);
  t.mastrTitle[1][de] = tableText(169);
  t.mastrTitle[1][en] = tableText(172);
  t.mastrTitle[2][de] = gfstrSetText(session, 170, Language::German);
  t.mastrTitle[2][en] = gfstrSetText(session, 173, Language::German);
  t.mastrTitle[3][de] = gfstrSetText(session, 174, Language::German);
  t.mastrTitle[3][en] = gfstrSetText(session, 175, Language::German);
  return t;
}

QString reportDate(const QDate &day) { return num::locale().toString(day, QLocale::ShortFormat); }

QString reportDate(const QDate &day, int k) {
  return k == German ? num::notationOf(Language::German).toString(day, QLocale::ShortFormat) : reportDate(day);
}

QString safetyText(const Session &session) { return num::singleToText(session.gsngSiko); }

QString distanceText(float mm) { return num::singleToText(mm) + QStringLiteral(" mm"); }

QString inLanguage(const QString &text, int k) {
  return num::inLanguageNotation(text, k == English ? Language::English : Language::German);
}

QString forceField(const QStringList &row, int c, int k) { return c >= 1 ? inLanguage(field(row, c), k) : field(row, c); }

QString versionLine(const Session &session, const QString &label, const QString &disclaimer) {
  return label + QLatin1Char(' ') + QString::number(kVersionMajor) + session.gstrSubVersion +
         QStringLiteral(" - ") + disclaimer;
}

ReportLine line(QVector<TabItem> items, ReportLine::Role role) {
  ReportLine l;
  l.items = std::move(items);
  l.role = role;
  return l;
}

ReportLine underlined(const QString &text) {
  ReportLine l = line({{kLabelTab, text}});
  l.underline = true;
  return l;
}

QString field(const QStringList &row, int f) { return f >= 0 && f < row.size() ? row.at(f) : QString(); }

ReportLines reportBody(const Session &session, const ReportTables &t, int k) {
  ReportLines out;
  out << line({{kLabelTab, t.label(0, k)}, {kValueTab, field(session.gastrArrangement, k)}},
              ReportLine::Role::ArrangementLine);
  out << line({{kLabelTab, t.label(1, k)}, {kValueTab, inLanguage(safetyText(session), k)}});
  out << line({{kLabelTab, t.label(2, k)}, {kValueTab, inLanguage(distanceText(session.gsngUnitDistance), k)}});
  out << line({{kLabelTab, t.label(3, k)}, {kValueTab, inLanguage(distanceText(session.gsngRailDistance), k)}});
  out << dutyLines(session, k);
  for (int i = 0; i < 4; ++i) out << ReportLine();

  out << underlined(t.label(4, k));
  out << forceTableLines(session, t, k);

  // The suggested size heads the results when the recommendations are asked for.
  out << suggestionLines(session, k);
  // First block: what the catalogue says of each size and the load it carries.
  out << ReportLine();
  out << underlined(t.label(5, k));
  ReportLine head;
  for (int c = 0; c < 6; ++c) head.items << TabItem{kResultTabs[c], t.resultHead(kDataFields[c], k)};
  out << head;
  for (const EvaluationRow &row : session.gastrEvaluation) {
    const QStringList f = eval::fields(row);
    ReportLine r;
    r.role = ReportLine::Role::ResultRow;
    const QString shown[6] = {f.at(0), f.at(1), f.at(2), inLanguage(f.at(3), k), inLanguage(f.at(4), k),
                              markedLoad(row, f, k)};
    for (int c = 0; c < 6; ++c) r.items << TabItem{kResultTabs[c], shown[c]};
    out << r;
  }
  if (anyRatedByCheck(session)) out << line({{kLabelTab, checkFootnote(k)}});

  // Second block: safety, lifetime and the verdict in the page's language.
  out << ReportLine();
  out << underlined(t.label(6, k));
  head = ReportLine();
  for (int c = 0; c < 6; ++c) head.items << TabItem{kResultTabs[c], t.resultHead(kRatingHeads[c], k)};
  out << head;
  for (const EvaluationRow &row : session.gastrEvaluation) {
    const QStringList f = eval::fields(row);
    ReportLine r;
    r.role = ReportLine::Role::ResultRow;
    const QString shown[6] = {f.at(0), f.at(1), f.at(2), inLanguage(f.at(6), k), inLanguage(f.at(7), k),
                              f.at(k == English ? 9 : 8)};
    for (int c = 0; c < 6; ++c) r.items << TabItem{kResultTabs[c], shown[c]};
    out << r;
  }
  // Against a required life, and the recommended size of each series.
  out << sizingBlock(session, t, k);
  // With load cases or a duty cycle: the lifetime in operation and how it came about.
  out << serviceLifeBlock(session, t, k);
  out << formulaLines(session, k);
  return out;
}

QString reportText(const Session &session, int k, const QDate &day) {
  QString s;
  try {
    const ReportTables t = buildReportTables(session);
    s += reportDate(day, k) + kCrLf;
    s += t.title(0, k) + kCrLf;
    for (int i = 0; i < 6; ++i) s += field(session.gastrComment, i) + kCrLf;
    s += t.label(0, k) + kTab + field(session.gastrArrangement, k) + kCrLf;
    s += t.label(1, k) + kTab + inLanguage(safetyText(session), k) + kCrLf;
    s += t.label(2, k) + kTab + inLanguage(distanceText(session.gsngUnitDistance), k) + kCrLf;
    s += t.label(3, k) + kTab + inLanguage(distanceText(session.gsngRailDistance), k) + kCrLf;
    s += asText(dutyLines(session, k));
    s += t.label(4, k) + kCrLf;
    QStringList heads;
    for (int c = 0; c < 5; ++c) heads << t.forceHead(c, k);
    s += headingLine(heads);
    s += forceRowsText(session, k);
    s += asText(suggestionLines(session, k));
    s += t.label(5, k) + kCrLf;
    heads.clear();
    for (int c = 0; c < 9; ++c) heads << t.resultHead(c, k);
    s += headingLine(heads);
    // Both verdicts travel in the file: field 8 German, field 9 English.
    for (const EvaluationRow &row : session.gastrEvaluation) {
      const QStringList f = eval::fields(row);
      const QStringList shown = {f.at(0), f.at(1), f.at(2), inLanguage(f.at(3), k), inLanguage(f.at(4), k),
                                 markedLoad(row, f, k), inLanguage(f.at(6), k), inLanguage(f.at(7), k),
                                 f.at(8), f.at(9)};
      s += cellLine(shown, EvaluationRow::kFields);
    }
    if (anyRatedByCheck(session)) s += checkFootnote(k) + kCrLf;
    s += asText(sizingBlock(session, t, k));
    s += asText(serviceLifeBlock(session, t, k));
    s += asText(formulaLines(session, k));
  } catch (const AppError &e) {
    showSaveError(e.description());
  } catch (const std::exception &e) {
    showSaveError(QString::fromLocal8Bit(e.what()));
  }
  return s;
}

QString evaluationExportText(const Session &session, const QDate &day) {
  QString s;
  try {
    s += reportDate(day) + kCrLf;
    s += gfstrSetText(session, 117, Language::German) + kCrLf;
    s += tableText(123) + kCrLf;
    for (int id = 118; id <= 122; ++id) s += gfstrSetText(session, id, Language::German) + kCrLf;
    s += tableText(124) + kTab + field(session.gastrArrangement, 0) + kCrLf;
    s += tableText(125) + kTab + safetyText(session) + kCrLf;
    s += tableText(126) + kTab + distanceText(session.gsngUnitDistance) + kCrLf;
    s += tableText(127) + kTab + distanceText(session.gsngRailDistance) + kCrLf;
    s += asText(dutyLines(session, German));
    s += tableText(128) + kCrLf;
    QStringList heads;
    for (int id = 131; id <= 135; ++id) heads << tableText(id);
    s += headingLine(heads);
    s += forceRowsText(session, German);
    s += tableText(130) + kCrLf;
    heads.clear();
    for (int id = 136; id <= 144; ++id) heads << tableText(id);
    // The extra columns (equivalent load, hours, years) follow the nine of every row.
    for (int id : session.gaintExtraHead) heads << extraHeading(id, German);
    // Against a required life its verdict follows, and the recommended sizes are marked
    // while they are shown.
    const bool lifeColumn = session.gRequiredLife.given();
    const bool marks = session.showsSizing();
    if (lifeColumn) heads << tableText(1540);
    if (marks) heads << tableText(1556);
    s += headingLine(heads);
    const eval::Sizing sizing = marks ? eval::chooseSizes(session.gastrEvaluation) : eval::Sizing{};
    // German only: the English verdict (field 9) stays out of the export.
    for (int r = 0; r < session.gastrEvaluation.size(); ++r) {
      const EvaluationRow &row = session.gastrEvaluation.at(r);
      QStringList cells = eval::fields(row).mid(0, 9);
      cells += eval::extraTexts(row, session.gaintExtraHead);
      if (lifeColumn) cells << eval::lifeVerdictText(row, false);
      if (marks) cells << (sizing.rows.value(r).recommended ? tableText(1556) : QString());
      s += cellLine(cells, cells.size());
    }
  } catch (const AppError &e) {
    showSaveError(e.description());
  } catch (const std::exception &e) {
    showSaveError(QString::fromLocal8Bit(e.what()));
  }
  return s;
}

}  // namespace report
