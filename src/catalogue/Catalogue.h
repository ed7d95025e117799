#pragma once
// The catalogue database: one read-only SQLite file, DBFN.db, in the program directory.
// Every query opens it afresh, runs the SQL text of a table code and leaves the rows in
// one of the three result sets of the module state (grsSettings, grsSerie, grsInfo).
#include <QPair>
#include <QString>
#include <functional>

namespace catalogue {
// The file queried; by default DBFN.db beside the executable.
QString file();
void setFile(const QString &path);
void resetFile();
// The file set with setFile, empty when the default is in force.
QString fileOverride();
// Shown (modally) before a query whose show-busy flag is set; the desktop program
// installs the busy window here. Nothing is shown when no hook is installed.
void setBusyHook(std::function<void()> hook);
// A table name taken from the settings is only ever put into SQL when it is a plain
// identifier (letters, digits, underscore).
bool isPlainIdentifier(const QString &name);
// The n-th name (from 1) of a table-name list such as "A/B/C/": the text before the n-th
// "/". A list with fewer names gives an empty text.
QString nthTableName(const QString &list, int n);
// The catalogue table and column a cell of gastrSerie comes from, for a table code and
// a column of the geometry layout (table codes 1..gintTblAnz) or of the evaluation
// layout (table code 20 with the table-set number). The special roller shoe's values
// come from the special series editor, named as such.
QPair<QString, QString> geometryCellSource(int code, int column);
QPair<QString, QString> evaluationCellSource(int setNo, int column);
// The title of the box that reports a database error before the program ends.
inline QString databaseErrorTitle() { return QStringLiteral("msubSearchDB! Database error"); }
}  // namespace catalogue

// Builds the SQL text of a table code into Mod_FN().gstrSQL (the table-set number is
// used only with code 20). Codes: 0 settings, 1..gintTblAnz geometry of a table set,
// 20 evaluation data, 21 representatives, 22 database information, 23 special series.
void conStrSQL(int code, int setNo);
// Runs the query of a table code into the result set of its class. A database error
// shows "msubSearchDB! Database error" and ends the program (msg::endProgram).
void msubSearchDB(int code, bool showBusy, int setNo);

// Loads all settings into gastrSettings.
void sSetField();
// Builds gintTblAnz and gastrTblNam for the groups switched on (FN, TL, So).
void sSetTblAnzBez(bool fn, bool tl, bool so);
// Loads one table set (or the special roller shoe) into gastrSerie. Geometry layout for
// codes 1..total (+1 = the special roller shoe), evaluation layout for code 20 with the
// table-set number (beyond total = the special roller shoe). An empty table set shows
// the "sBerDat!" message and leaves gastrSerie empty, so that it contributes no rows.
// Returns true when rows were loaded.
bool sBerDat(int code, int setNo, int total);
