#pragma once
// The calculation report as data, without any widget: the text tables of the report in
// both languages, the report body as lines of items at print columns (read by the page
// on screen, the printer and the PDF alike), the report text file and the text export
// of the evaluation screen.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

#include "core/common/Session.h"

namespace report {

// The state of the "Sprache" button, also kept in a page's Tag: 0 German, 1 English.
enum Lang : int { German = 0, English = 1 };

// mastrLabels, mastrForceHead, mastrResultHead and mastrTitle: a German and an English
// column each. Which column holds German is decided by resource text 900 ("0": German
// sits in column 1); every lookup goes through column(k), so state 0 always reads German.
struct ReportTables {
  QString mastrLabels[7][2];
  QString mastrForceHead[5][2];
  QString mastrResultHead[9][2];
  QString mastrTitle[4][2];
  int germanColumn = 0;

  int column(int k) const { return k == German ? germanColumn : 1 - germanColumn; }
  QString label(int i, int k) const { return mastrLabels[i][column(k)]; }
  QString forceHead(int i, int k) const { return mastrForceHead[i][column(k)]; }
  QString resultHead(int i, int k) const { return mastrResultHead[i][column(k)]; }
  QString title(int i, int k) const { return mastrTitle[i][column(k)]; }
};

// Built from the text table; replaceable entries go through gfstrSetText.
ReportTables buildReportTables(const Session &session);

// One text item of a line, printed at print column Tab(n): the columns are counted from
// the left edge of the printing surface in average character widths of the line's font.
// The print columns of the report body.
constexpr int kLabelTab = 12;
constexpr int kValueTab = 40;
constexpr int kForceHeadTabs[5] = {12, 25, 40, 65, 90};
constexpr int kForceRowTabs[5] = {14, 25, 40, 65, 90};
constexpr int kResultTabs[6] = {12, 24, 32, 45, 65, 85};

struct TabItem {
  int tab = 1;
  QString text;
};

struct ReportLine {
  enum class Role {
    Plain,
    ArrangementLine,  // the line beside which a page places its comment fields
    ForceRow,         // a row of the force table
    ResultRow         // a row of either results block: a page may end after it
  };
  QVector<TabItem> items;  // no items: an empty line
  int fontSize = 0;        // 0: the base size of the document
  bool underline = false;
  Role role = Role::Plain;

  bool isEmpty() const { return items.isEmpty(); }
};
using ReportLines = QVector<ReportLine>;

// Text pieces shared by every output.
QString reportDate(const QDate &day);            // the locale's short date
// The date of a report in language k: a German report keeps German notation whatever
// the language of the screens.
QString reportDate(const QDate &day, int k);
QString safetyText(const Session &session);  // gsngSiko as number text
QString distanceText(float mm);                  // "150 mm"
// "Programmversion: 2002 c - ..."
QString versionLine(const Session &session, const QString &label, const QString &disclaimer);
// A line of items, and an underlined label at Tab(12).
ReportLine line(QVector<TabItem> items, ReportLine::Role role = ReportLine::Role::Plain);
ReportLine underlined(const QString &text);
// Field f of an evaluated row or a force row; missing fields read as empty text.
QString field(const QStringList &row, int f);

// The report body in language k, from the arrangement line down to the last verdict:
// the four label lines, four empty lines, the force table and the two results blocks
// (catalogue data, then safety, lifetime and verdict in the language of k).
ReportLines reportBody(const Session &session, const ReportTables &t, int k);

// The report text file of the report window in language k (every line ends in CR LF;
// heading lines separated by tabs, data rows as tab-terminated cells, both verdicts).
QString reportText(const Session &session, int k, const QDate &day = QDate::currentDate());

// The text export of the evaluation screen, always German (verdict field 8 only).
QString evaluationExportText(const Session &session, const QDate &day = QDate::currentDate());

// Numbers of the English report are written in English notation (2,000 N; 0.8); the
// German report keeps the user's locale.
QString inLanguage(const QString &text, int k);
// A cell of a force row in the language: columns 1 to 4 are the force and its coordinates.
QString forceField(const QStringList &row, int c, int k);

}  // namespace report
