#pragma once
// What the report, its text file and the evaluation's text export add for load cases
// and a duty cycle: the force table of every load case with its share, the operating
// figures, the block of the lifetime in operation (equivalent load, hours, years) and
// the formulas with the figures of the most loaded size. Without load cases and duty
// cycle every part is empty or as without them.
#include "output/report/ReportText.h"

namespace eval {
struct Sizing;
}

namespace report {

// More than one load case was calculated.
bool severalLoadCases(const Session &session);

// The force headings, then per load case a line with its name and share followed by
// its printed force rows (the one force table where there is one load case).
ReportLines forceTableLines(const Session &session, const ReportTables &t, int k);

// The operating figures (stroke, double strokes per minute, hours per day, days per
// year where given), label at Tab(12), value at Tab(40); empty without a duty cycle.
ReportLines dutyLines(const Session &session, int k);

// Third results block "Lebensdauer im Betrieb:": series, size, order number and the
// extra columns in force; empty without extra columns.
ReportLines serviceLifeBlock(const Session &session, const ReportTables &t, int k);

// "Berechnungsformeln:" and the formulas with the figures of the most loaded size (the
// one with the largest equivalent load); empty without extra columns.
ReportLines formulaLines(const Session &session, int k);

// The overall suggestion among the recommended sizes, one line; empty unless the
// recommended sizes are shown (Session::showsSizing).
ReportLines suggestionLines(const Session &session, int k);

// The life verdict of every rated size against the required life (empty when none is
// required), then the recommended size of each series (empty unless shown).
ReportLines sizingBlock(const Session &session, const ReportTables &t, int k);

// "Lasten je Einheit": below the recommendations, the loads of every unit of each
// recommended size (the load model's values, the rigid-plate check's where there is one,
// and which of them governs at which position); empty when no recommended size carries
// them. Part of sizingBlock while the recommended sizes are shown.
ReportLines unitLoadLines(const Session &session, const ReportTables &t, const eval::Sizing &sizing, int k);
// Its print columns: the size and the source, then the values of the positions.
constexpr int kUnitTabs[2] = {12, 22};
constexpr int kUnitValueTabs[5] = {38, 53, 68, 83, 98};

// Heading of an extra column in language k.
QString extraHeading(int germanId, int k);

// Lines as text: the items of a line separated by one tab, every line ending in CR LF.
QString asText(const ReportLines &lines);

}  // namespace report
