#pragma once
// One calculation session: what the program knows between its screens, from the start
// screen to the report. Every item has one owner (the routine that fills it); everybody
// else only reads it. The desktop program, the batch tool (one per worker thread) and
// every test build their own session and pass it to what reads or writes it; nothing of
// it lives in a global. A fresh Session is the state of a fresh program start.
#include <memory>

#include <QString>
#include <QStringList>
#include <QVector>

#include "core/common/SessionTypes.h"

namespace catalogue {
class Catalogue;
}

struct Session {
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
  // The same rows typed: the table set each came from, the rated, model and rigid-plate
  // check values, which of the two governs, and the values of every load case.
  QVector<ResultRow> resultRows;
  QStringList gastrArrangement = {QString(), QString()};
  float gsngUnitDistance = 0.0f;
  float gsngRailDistance = 0.0f;
  // The evaluated sizes, typed; their ten texts (and those of the extra columns) come
  // from the evaluation's formatter (core/evaluation/EvaluationTexts.h).
  QVector<EvaluationRow> gastrEvaluation;
  QStringList gastrComment = QStringList(6);

  // load cases and duty cycle: what "Berechnen" keeps of every load case, the operating
  // figures of the evaluation screen and what the evaluation derives from them. One load
  // case of 100 % and no duty cycle leave every output as it is without them.
  QVector<LoadCase> gaLoadCases;        // the load cases of the last calculation
  QVector<TextRows> gaLoadCaseForce;    // their printed force tables (as gastrForce)
  bool gblnLoadPositions = false;       // values 0..3 are load positions (else only value 4)
  DutyCycle gDutyCycle;                 // of the evaluation screen
  RequiredLife gRequiredLife;           // of the evaluation screen; none unless given
  // The recommended sizes are shown (grid marker, report lines): asked for on the
  // evaluation screen, or always while a life is required.
  bool gblnRecommend = false;
  bool showsSizing() const { return gblnRecommend || gRequiredLife.given(); }
  // The extra columns of gastrEvaluation in force (German heading ids).
  QVector<int> gaintExtraHead;

  // The catalogue this session reads, opened once and shared read-only with other
  // sessions of the same process; none: the catalogue file where the program looks for
  // it (DBFN.db beside the program), opened on first use.
  std::shared_ptr<catalogue::Catalogue> catalogue;

  // A new session over the same catalogue: the state of a program start that finds the
  // catalogue already open.
  Session afresh() const {
    Session s;
    s.catalogue = catalogue;
    return s;
  }
};

// Program version, from the project's version in CMakeLists.txt (2002.2.0.8: major 2002,
// minor 2, revision 8).
constexpr int kVersionMajor = TARVEL_VERSION_MAJOR;
constexpr int kVersionMinor = TARVEL_VERSION_MINOR;
constexpr int kVersionRevision = TARVEL_VERSION_REVISION;
