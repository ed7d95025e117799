#pragma once
// Rating of the calculated sizes: static safety, nominal lifetime and the verdict per
// ticked size, and the placing of the calculated series into the nine frames of six
// size boxes of the evaluation screen. Plain functions; the screen only collects the
// ticks and shows the rows.
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <functional>

#include "core/common/Session.h"
#include "core/evaluation/DutyCycle.h"

// Nominal lifetime in km: (C/P)^p rated revolutions (millions) times the roller
// circumference 3.141592 * D; p = 10/3 for needle bearings ("N"), 3 for ball bearings
// ("K"). P <= 0 gives 0; another bearing type shows "Error fsngC!" and gives 0. A
// lifetime beyond the single-precision range throws AppError(err::overflow()).
float fsngC(float C, float P, float D, const QString &TypR);
// Static safety Co / P, 0 when P is not positive.
float fsngSafety(float Co, float P);

// OptBelArt_Click: the required safety of load type 0 "ruhend" (StdSiko), 1
// "schwellend" (SwSiko) or 2 "wechselnd" (WeSiko), read in tenths from the settings,
// into gsngSiko (and the type into gintLoadType). A setting that is no number shows its description titled
// "OptBelArt_Click!" and keeps gsngSiko. Returns false then, or for an unknown type.
bool setRequiredSafety(Session &s, int loadType);

namespace eval {

constexpr int kFrames = 9;
constexpr int kBoxesPerFrame = 6;
constexpr int kBoxes = kFrames * kBoxesPerFrame;
// The size of each box column (mvarSizes).
const std::array<int, kBoxesPerFrame> &sizes();

// The size boxes of the evaluation screen: box i stands for gastrResult row tag[i]
// (1-based) or for none (-1), and is enabled exactly when it stands for a row.
struct SizeBoxes {
  std::array<int, kBoxes> tag;
  std::array<bool, kBoxes> enabled;
  // Empty, or the description of the error that stopped the assignment: more than nine
  // series, a size other than the six box sizes (the boxes run out), or a size that is
  // no number. The screen shows it titled "sSetLayout!"; rows left over get no box.
  QString error;
  SizeBoxes() { tag.fill(-1); enabled.fill(false); }
};

// Each series fills one frame, its sizes fall on their size columns; a new series
// starts a new frame; missing sizes stay disabled.
SizeBoxes assignSizeBoxes(const TextRows &result);

// Caption of the series box of frame k (0..8): "Serie" and a blank, followed by the
// unit series of the frame's rows up to its first digit ("Serie FD" for "FD12"), or
// "Sonder" for a frame without rows.
QString frameCaption(const Session &s, const TextRows &result, const SizeBoxes &boxes, int frame);
// Whether frame k holds at least one row (the ninth frame is only shown then).
bool frameUsed(const SizeBoxes &boxes, int frame);

// Everything one evaluation run reads.
struct EvaluationInput {
  TextRows result;                          // gastrResult
  std::array<int, kBoxes> tag;              // box tags (-1 or 1-based result row)
  std::array<bool, kBoxes> ticked;          // box values
  int tableSetCount = 0;                    // gintTblAnz + gintAnzSonder
  // Rating data (evaluation layout, columns 0..12) of table set k, 1-based; the last
  // set may be the special roller shoe.
  std::function<TextRows(int setNo)> loadRatings;
  // The table set of every result row (resultRows); empty: frame k shows set k.
  QVector<int> resultSet;
  // The catalogue table and column of a rating cell (table set, evaluation-layout
  // column). When set, a rating that holds no number is named in the message.
  std::function<QPair<QString, QString>(int setNo, int column)> cellSource;
  // Per result row: its load is the rigid-plate check's (resultRows); may be empty.
  QVector<bool> resultCheck;
  float unitDistance = 0.0f;                // gsngUnitDistance
  float railDistance = 0.0f;                // gsngRailDistance
  float requiredSafety = 0.0f;              // gsngSiko
  // Load cases: the share of each as a fraction and, per load case and result row, the
  // five rated values (each typed result row's caseLoads). With fewer than two load cases the rating is
  // the plain one: the load of the result row rates safety and lifetime alike.
  QVector<double> shares;
  QVector<QVector<std::array<float, 5>>> caseLoads;
  bool loadPositions = false;               // values 0..3 are load positions
  DutyCycle duty;                           // gDutyCycle
  RequiredLife requiredLife;                // gRequiredLife: each row's life verdict
  int loadType = 0;                         // gintLoadType: whose setting requiredSafety came from
  EvaluationInput() { tag.fill(-1); ticked.fill(false); }
};

struct EvaluationRun {
  QVector<EvaluationRow> rows;  // one per evaluated size, in box order
  // The extra columns in force (German heading ids: 1300 "Äquiv. Belastung" with more
  // than one load case, 1301 "Lebensdauer [h]" and 1302 "[Jahre]" with a duty cycle).
  QVector<int> extraHead;
  bool failed = false;
  // No required safety greater than 0 was in force: nothing was rated (failed is set too).
  bool refused = false;
};

// The settings key of the required safety of a load type: "StdSiko", "SwSiko", "WeSiko".
QString safetySettingKey(int loadType);

// Rates every ticked size. Without a required safety greater than 0 (a damaged, empty
// or zero setting) no verdict can be given: the run stops before the first row with a
// message naming the setting of the load type, titled "CmdBerechnen_Click!", and is
// marked refused. "Error fsngC!" appears once per row with an unknown bearing
// type; any other error (a ticked size without a catalogue row, unreadable numbers)
// stops the run with its description titled "CmdBerechnen_Click!"; the rows completed
// before stay in the result, which is then marked failed.
EvaluationRun evaluate(const EvaluationInput &in);

// The extra columns an evaluation with this input shows (see EvaluationRun::extraHead).
QVector<int> extraColumns(const EvaluationInput &in);
// The English heading of an extra column.
int englishExtraHead(int germanId);
// Where the grid shows them: the nine fields of a row (or the nine headings) with its
// extra texts placed after "Belastung" (equivalent load) and after "Lebensdauer"
// (hours, years).
QStringList withExtraColumns(const QStringList &nine, const QVector<int> &extraHead,
                             const QStringList &extra);
// A row as the grid shows it.
QStringList gridRow(const EvaluationRow &row, const QVector<int> &extraHead);

// The evaluation screen's run on the session: rating data of each table set from
// sBerDat(20, k, gintTblAnz), load cases and duty cycle from the session; on
// success gastrEvaluation (with gaintExtraHead) is replaced (one blank row when nothing
// was ticked); after a failure it keeps its content, after a refusal it holds that blank
// row, so that no verdict of an earlier run is printed beside a required safety that
// gave none.
EvaluationRun runEvaluation(Session &s, const std::array<int, kBoxes> &tag,
                            const std::array<bool, kBoxes> &ticked);

}  // namespace eval
