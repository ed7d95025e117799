#pragma once
// Module-wide state of the program. Every item has one owner (the routine that fills
// it); everybody else only reads it. Tests call resetModFN() to start from a clean
// program start.
#include <QString>
#include <QStringList>
#include <QVector>

// Rows of texts; row i of the table is element i. Where the program counts rows from 1
// (series data, evaluation rows), element 0 stands for row 1.
using TextRows = QVector<QStringList>;

// A read result set: the column names of the query and all its rows as texts.
struct ResultSet {
  QStringList columns;
  TextRows rows;
  bool open = false;
  int recordCount() const { return rows.size(); }
  int fieldCount() const { return columns.size(); }
  void close() { open = false; }
};

struct ModFNState {
  // texts and settings
  int gintTextMode = 1;           // 3 = customer text set, 1 = built-in texts
  QString gstrSubVersion;         // " c" for minor version 2
  float gsngSiko = 0.0f;          // required static safety in force
  int gintLoadType = 0;           // load type whose safety is in gsngSiko: 0 ruhend, 1 schwellend, 2 wechselnd
  TextRows gastrSettings;         // rows of key (Beschr) and value (Wert)

  // catalogue
  int gintTblAnz = 0;             // number of catalogue table sets of the arrangement
  QStringList gastrTblNam = {QString(), QString(), QString()};
  TextRows gastrSerie;            // series data of one table set, columns 0..12
  int gintAnzSonder = 0;          // special roller shoes in memory (0 or 1)
  QStringList gastrSonderGeo;     // 13 values, geometry layout
  QStringList gastrSonderAusw;    // 13 values, evaluation layout
  QStringList gastrSonderEingabe = {QString()};  // entry memory of the special editor
  QString gstrSQL;
  ResultSet grsSettings, grsSerie, grsInfo;

  // hand-over from the arrangement screens to the evaluation and the report
  TextRows gastrForce;            // formatted force table
  TextRows gastrResult;           // per series: Serie, Gr, load, unit series
  QVector<int> gaintResultSet;    // the table set each row of gastrResult came from
  QVector<bool> gablnResultCheck; // per row of gastrResult: its load is the rigid-plate check's
  QStringList gastrArrangement = {QString(), QString()};
  float gsngUnitDistance = 0.0f;
  float gsngRailDistance = 0.0f;
  TextRows gastrEvaluation;       // evaluated rows, fields 0..9
  QVector<bool> gablnEvaluationCheck;  // per row of gastrEvaluation: load from the rigid-plate check
  QStringList gastrComment = QStringList(6);
};

ModFNState &Mod_FN();
void resetModFN();

// Program version: major 2002, minor 2, revision 8.
constexpr int kVersionMajor = 2002;
constexpr int kVersionMinor = 2;
constexpr int kVersionRevision = 8;
