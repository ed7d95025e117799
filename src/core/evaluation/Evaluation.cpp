#include "core/evaluation/Evaluation.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/catalogue/Catalogue.h"
#include "core/common/Errors.h"
#include "core/common/Messages.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"
#include "core/evaluation/EvaluationTexts.h"

namespace {
// fsngC with the life exponent of the bearing type already known (0: unknown type).
float lifeKm(float C, float P, float D, double p) {
  if (P <= 0.0f) return 0.0f;
  if (p == 0.0) {
    msg::plain(QStringLiteral("Error fsngC!"));
    return 0.0f;
  }
  // Millions of revolutions times the roller circumference in mm gives kilometres.
  const double km = std::pow(static_cast<double>(C) / static_cast<double>(P), p) * 3.141592 *
                    static_cast<double>(D);
  if (!std::isfinite(km) || std::fabs(km) > FLT_MAX) throw AppError(err::overflow());
  return static_cast<float>(km);
}
}  // namespace

float fsngC(float C, float P, float D, const QString &TypR) {
  if (P <= 0.0f) return 0.0f;
  return lifeKm(C, P, D, eval::lifeExponent(TypR));
}

float fsngSafety(float Co, float P) { return P > 0.0f ? Co / P : 0.0f; }

bool setRequiredSafety(Session &s, int loadType) {
  if (loadType < 0 || loadType > 2) return false;
  float siko = 0.0f;
  if (!num::toFloat(gfstrSettings(s, eval::safetySettingKey(loadType), true), &siko)) {
    msg::critical(err::typeMismatch(), QStringLiteral("OptBelArt_Click!"));
    return false;
  }
  s.gsngSiko = siko;
  s.gintLoadType = loadType;
  return true;
}

namespace eval {

namespace {

const QString &cell(const QStringList &row, int column) {
  if (column < 0 || column >= row.size()) throw AppError(err::subscript());
  return row.at(column);
}

float number(const QString &text) {
  float v = 0.0f;
  if (!num::toFloat(text, &v)) throw AppError(err::typeMismatch());
  return v;
}

// The ten values describing the rated unit of a result row: catalogue columns Serie,
// Gr, C, Co, Ls, D, TypR, then the unit series with its order number and width (the
// cassette's FD/FDBest/KBs or the roller shoe's FE/FEBest/KB1, whichever names the
// unit the load was calculated for). The cells are read where the ratings hold them;
// empty texts when the catalogue has no such size.
const QString kNoCell;

struct UnitRecord {
  std::array<const QString *, 10> cells{};
  int widthColumn = -1;
  // The rows of the ratings the cells stand in: 0..6 in baseRow, 7..9 in unitRow.
  int baseRow = -1, unitRow = -1;
  const QString &operator[](int index) const {
    const QString *c = cells[static_cast<size_t>(index)];
    return c ? *c : kNoCell;
  }
};

// Texts compared character for character: the cells are a few characters long, shorter
// than the way into the library's comparison.
// Four characters are compared at a time as one number, the rest two and one at a time.
inline bool same(const QString &a, const QString &b) {
  const qsizetype n = a.size();
  if (n != b.size()) return false;
  const char16_t *x = a.data_ptr().data(), *y = b.data_ptr().data();
  qsizetype i = 0;
  for (; i + 4 <= n; i += 4) {
    std::uint64_t u, v;
    std::memcpy(&u, x + i, sizeof u);
    std::memcpy(&v, y + i, sizeof v);
    if (u != v) return false;
  }
  if (i + 2 <= n) {
    std::uint32_t u, v;
    std::memcpy(&u, x + i, sizeof u);
    std::memcpy(&v, y + i, sizeof v);
    if (u != v) return false;
    i += 2;
  }
  return i == n || x[i] == y[i];
}

// `res` holds at least the four cells of a result row (the caller checks).
UnitRecord unitRecord(const TextRows &ratings, const QStringList &res) {
  UnitRecord unit;
  const QString &series = res.at(0), &size = res.at(1), &unitSeries = res.at(3);
  for (qsizetype r = 0; r < ratings.size(); ++r) {
    const QStringList &row = ratings.at(r);
    // A row of all thirteen columns is read directly (refused, as cell() refuses it,
    // where the width after a unit series is missing); a shorter one through cell().
    if (row.size() >= 13) {
      const QString *c = row.constData();
      if (!same(c[1], size) || !same(c[0], series)) continue;
      for (int j = 0; j <= 6; ++j) unit.cells[static_cast<size_t>(j)] = &c[j];
      unit.baseRow = static_cast<int>(r);
      for (int k = 7; k <= 12; ++k) {
        if (same(c[k], unitSeries)) {
          if (k + 2 >= row.size()) throw AppError(err::subscript());
          unit.cells[7] = &c[k];
          unit.cells[8] = &c[k + 1];
          unit.cells[9] = &c[k + 2];
          unit.widthColumn = k + 2;
          unit.unitRow = static_cast<int>(r);
          break;
        }
      }
      continue;
    }
    if (cell(row, 1) != size || cell(row, 0) != series) continue;
    for (int j = 0; j <= 6; ++j) unit.cells[static_cast<size_t>(j)] = &cell(row, j);
    unit.baseRow = static_cast<int>(r);
    for (int c = 7; c <= 12; ++c) {
      if (cell(row, c) == unitSeries) {
        unit.cells[7] = &cell(row, c);
        unit.cells[8] = &cell(row, c + 1);
        unit.cells[9] = &cell(row, c + 2);
        unit.widthColumn = c + 2;
        unit.unitRow = static_cast<int>(r);
        break;
      }
    }
  }
  return unit;
}

// The safety as shown, read back as a number. Below 10^13 the shown text is the exact
// decimal of the rounded value (a whole number of tenths with at most 14 digits), which
// reads back as that very value; only a larger or infinite safety goes through its text.
float judgedSafety(const EvaluationRow &row) {
  const double shown = safetyShown(row);
  return std::fabs(shown) < 1e13 ? static_cast<float>(shown) : number(safetyText(row));
}

bool severalLoadCases(const EvaluationInput &in) {
  return in.shares.size() > 1 && in.caseLoads.size() == in.shares.size();
}

// The refusal of a catalogue value of the rated unit (index into `unit`) that holds no
// number. Out of line: the values read per row do not set up its frame.
[[noreturn]] Q_NEVER_INLINE void refuseCell(const UnitRecord &unit, int index, const EvaluationInput &in, int setNo) {
  QString text = err::typeMismatch();
  const int column = index == 9 ? unit.widthColumn : index;
  if (in.cellSource && !unit[0].isEmpty() && column >= 0) {
    const QPair<QString, QString> source = in.cellSource(setNo, column);
    text += QLatin1Char('\n') + builtinText(1404).arg(source.first, unit[0], unit[1], source.second, unit[index]);
  }
  throw AppError(text);
}

// The ratings of one table set with their cells read as numbers once (as cellToFloat
// reads them): the catalogue keeps those with its answers.
struct Ratings {
  TextRows rows;
  std::shared_ptr<const catalogue::CellNumbers> numbers;
};

// Rates one result row into f, a row as default-constructed (the run's own, made in
// place: no row is moved into the run afterwards).
void rateRow(const Ratings &ratings, const QStringList &res, const EvaluationInput &in, int setNo, int resultRow,
             EvaluationRow &f) {
  // A result row without its unit series is refused as reading that cell refuses it.
  if (res.size() < 4) throw AppError(err::subscript());
  const UnitRecord unit = unitRecord(ratings.rows, res);
  // A catalogue value of the rated unit (index into `unit`). One that holds no number is
  // named with its table, series, size and column where the catalogue can tell them.
  const auto value = [&](int index) __attribute__((always_inline)) {
    const int row = index >= 7 ? unit.unitRow : unit.baseRow;
    const int column = index == 9 ? unit.widthColumn : index;
    float v = 0.0f;
    if (row >= 0 && column >= 0 && column < catalogue::CellNumbers::kColumns) {
      const catalogue::CellNumbers::Row &numbers = ratings.numbers->rows[static_cast<size_t>(row)];
      if (!(numbers.single >> column & 1u)) refuseCell(unit, index, in, setNo);
      return static_cast<float>(numbers.value[static_cast<size_t>(column)]);
    }
    if (!catalogue::cellToFloat(unit[index], &v)) refuseCell(unit, index, in, setNo);
    return v;
  };
  f.unit = res.at(3);
  f.size = res.at(1);
  f.orderNo = unit[8];
  f.resultRow = resultRow;
  f.staticRating = value(3);
  EvaluationDetail &d = f.detail;
  d.C = value(2);
  // Safety against the largest load of any load case; lifetime under the equivalent
  // load over the load cases (the same load where there is one load case).
  const float P = number(res.at(2));
  d.staticLoad = P;
  d.equivalentLoad = P;
  d.exponent = lifeExponent(unit[6]);
  d.D = value(5);
  if (severalLoadCases(in)) {
    int position = 4;
    if (d.exponent > 0.0) {
      QVector<std::array<float, 5>> loads;
      for (const auto &caseRows : in.caseLoads) {
        if (resultRow < 0 || resultRow >= caseRows.size()) throw AppError(err::subscript());
        loads.append(caseRows[resultRow]);
      }
      d.equivalentLoad = equivalentLoad(in.shares, loads, in.loadPositions, d.exponent, &position);
    }
    for (const auto &caseRows : in.caseLoads) d.caseLoads.append(caseRows[resultRow][position]);
  }
  d.lifeKm = lifeKm(d.C, d.equivalentLoad, d.D, d.exponent);
  d.lifeHours = lifeHours(d.lifeKm, in.duty);
  d.lifeYears = lifeYears(d.lifeHours, in.duty);
  f.lifeOk = lifeReaches(in.requiredLife, d.lifeKm, d.lifeHours);

  // A unit longer than the distance between the units, or wider than the distance
  // between the rails, collides with its neighbour: that verdict replaces the safety.
  const bool unitsClose = in.unitDistance > 0.0f && value(4) > in.unitDistance;
  const bool railsClose = in.railDistance > 0.0f && value(9) > in.railDistance;
  if (unitsClose && railsClose) f.verdict = Verdict::BothTooClose;
  else if (unitsClose) f.verdict = Verdict::UnitsTooClose;
  else if (railsClose) f.verdict = Verdict::RailsTooClose;
  // The safety is judged as it is shown, to one decimal.
  else if (judgedSafety(f) >= in.requiredSafety) f.verdict = Verdict::Sufficient;
  else f.verdict = Verdict::TooLow;
  f.byCheck = in.resultCheck.value(resultRow, false);
}

}  // namespace

const std::array<int, kBoxesPerFrame> &sizes() {
  static const std::array<int, kBoxesPerFrame> s = {12, 15, 20, 25, 35, 45};
  return s;
}

namespace {
// The size of a result row as num::toFloat reads it. The catalogue's sizes are short
// whole numbers ("12", "25"), read here digit by digit, which gives the same value.
float sizeOf(const QString &text) {
  const qsizetype n = text.size();
  if (n >= 1 && n <= 6) {
    int v = 0;
    for (const QChar c : text) {
      if (c.unicode() < u'0' || c.unicode() > u'9') return number(text);
      v = v * 10 + (c.unicode() - u'0');
    }
    return static_cast<float>(v);
  }
  return number(text);
}
}  // namespace

SizeBoxes assignSizeBoxes(const TextRows &result) {
  SizeBoxes b;
  try {
    int box = 0;
    int pos = 0;  // position within the frame, 0..5
    const std::array<int, kBoxesPerFrame> &frameSizes = sizes();
    const QString *frameSeries = nullptr;  // the series of the frame: a cell of `result`
    for (int r = 0; r < result.size(); ++r) {
      const QString &series = cell(result[r], 0);
      const double size = sizeOf(cell(result[r], 1));
      for (;;) {
        // Nine frames of six boxes: a tenth series or a size without a column has
        // nowhere to go.
        if (box >= kBoxes) throw AppError(err::subscript());
        if (pos == 0) frameSeries = &series;
        // The series of one frame are mostly the same shared text: its address tells first.
        const bool fits = frameSizes[static_cast<size_t>(pos)] == size &&
                          ((series.constData() == frameSeries->constData() && series.size() == frameSeries->size()) ||
                           series == *frameSeries);
        if (fits) b.tag[box] = r + 1;
        ++box;
        pos = (pos + 1) % kBoxesPerFrame;
        if (fits) break;
      }
    }
  } catch (const AppError &e) {
    b.error = e.description();
  }
  for (int i = 0; i < kBoxes; ++i) b.enabled[i] = b.tag[i] != -1;
  return b;
}

bool frameUsed(const SizeBoxes &boxes, int frame) {
  if (frame < 0 || frame >= kFrames) return false;
  for (int i = frame * kBoxesPerFrame; i < (frame + 1) * kBoxesPerFrame; ++i)
    if (boxes.tag[i] != -1) return true;
  return false;
}

QString frameCaption(const Session &s, const TextRows &result, const SizeBoxes &boxes, int frame) {
  if (frameUsed(boxes, frame)) {
    for (int i = frame * kBoxesPerFrame; i < (frame + 1) * kBoxesPerFrame; ++i) {
      const int r = boxes.tag[i];
      if (r < 1 || r > result.size()) continue;
      const QString unit = result[r - 1].value(3);
      int end = 0;
      while (end < unit.size() && !(unit[end] >= QLatin1Char('0') && unit[end] <= QLatin1Char('9')))
        ++end;
      return gfstrSetText(s, 204) + QLatin1Char(' ') + unit.left(end);
    }
  }
  // "Sonder" is a fixed text: the customer text set does not replace it.
  return builtinText(533);
}

namespace {
// The table set whose ratings frame f (0-based) needs: that of the first row standing in
// the frame, or set f + 1 when the sets of the rows are not known; 0 for a frame without
// rows when they are known (nothing to rate there).
int frameSet(const EvaluationInput &in, int f) {
  if (in.resultSet.isEmpty()) return f + 1;
  for (int i = f * kBoxesPerFrame; i < (f + 1) * kBoxesPerFrame; ++i) {
    const int r = in.tag[i];
    if (r >= 1 && r <= in.resultSet.size()) return in.resultSet[r - 1];
  }
  return 0;
}
}  // namespace

QVector<int> extraColumns(const EvaluationInput &in) {
  QVector<int> heads;
  if (severalLoadCases(in)) heads << 1300;
  if (in.duty.hasHours()) heads << 1301;
  if (in.duty.hasYears()) heads << 1302;
  return heads;
}

int englishExtraHead(int germanId) { return germanId + 3; }

QStringList withExtraColumns(const QStringList &nine, const QVector<int> &extraHead,
                             const QStringList &extra) {
  QStringList row = nine.mid(0, 6);
  const auto add = [&](int id) {
    const int i = extraHead.indexOf(id);
    if (i >= 0) row << extra.value(i);
  };
  add(1300);
  row << nine.value(6) << nine.value(7);
  add(1301);
  add(1302);
  row << nine.value(8);
  return row;
}

QStringList gridRow(const EvaluationRow &row, const QVector<int> &extraHead) {
  return withExtraColumns(fields(row), extraHead, extraTexts(row, extraHead));
}

QString safetySettingKey(int loadType) {
  static const char *const keys[] = {"StdSiko", "SwSiko", "WeSiko"};
  return QLatin1String(keys[qBound(0, loadType, 2)]);
}

EvaluationRun evaluate(const EvaluationInput &in) {
  EvaluationRun run;
  // A safety of 0 (or none at all) would pass every overloaded size as safe.
  if (!(in.requiredSafety > 0.0f) || !std::isfinite(in.requiredSafety)) {
    msg::critical(builtinText(1058).arg(safetySettingKey(in.loadType)), QStringLiteral("CmdBerechnen_Click!"));
    run.failed = true;
    run.refused = true;
    return run;
  }
  run.extraHead = extraColumns(in);
  run.rows.reserve(static_cast<qsizetype>(std::count(in.ticked.begin(), in.ticked.end(), true)));
  Ratings ratings;
  ratings.numbers = catalogue::cellNumbers(ratings.rows);
  int ratingsSet = 0;
  try {
    for (int i = 0; i < kBoxes; ++i) {
      // Frame k shows table set k; frames beyond the sets keep the rows loaded last
      // (their boxes stand for no row). Where the calculation noted the set of each
      // row, a frame loads the set its rows came from, so that a table set without rows
      // does not shift the later series onto the ratings of the wrong set.
      if (i % kBoxesPerFrame == 0 && in.loadRatings) {
        const int set = frameSet(in, i / kBoxesPerFrame);
        if (set > 0 && set <= in.tableSetCount) {
          ratings.rows = in.loadRatings(set);
          ratings.numbers = catalogue::cellNumbers(ratings.rows);
          ratingsSet = set;
        }
      }
      if (!in.ticked[i]) continue;
      const int r = in.tag[i];
      if (r < 1 || r > in.result.size()) throw AppError(err::subscript());
      // A row that cannot be rated does not stay in the run.
      EvaluationRow &row = run.rows.emplace_back();
      try {
        rateRow(ratings, in.result[r - 1], in, ratingsSet, r - 1, row);
      } catch (...) {
        run.rows.removeLast();
        throw;
      }
    }
  } catch (const AppError &e) {
    msg::critical(e.description(), QStringLiteral("CmdBerechnen_Click!"));
    run.failed = true;
  }
  return run;
}

EvaluationRun runEvaluation(Session &s, const std::array<int, kBoxes> &tag,
                            const std::array<bool, kBoxes> &ticked) {
  EvaluationInput in;
  in.result = s.gastrResult;
  in.tag = tag;
  in.ticked = ticked;
  in.tableSetCount = s.gintTblAnz + s.gintAnzSonder;
  // The typed rows of the calculation, where they belong to the texts rated.
  const QVector<ResultRow> &typed = s.resultRows;
  const bool withTyped = typed.size() == s.gastrResult.size();
  if (withTyped) {
    // Sized once and written through their data: no append checks its room.
    in.resultSet.resize(typed.size());
    in.resultCheck.resize(typed.size());
    int *set = in.resultSet.data();
    bool *check = in.resultCheck.data();
    for (const ResultRow &row : typed) {
      *set++ = row.tableSet;
      *check++ = row.byCheck;
    }
  }
  in.loadRatings = [&s](int setNo) {
    if (!sBerDat(s, catalogue::code::Evaluation, setNo, s.gintTblAnz)) return TextRows();
    return s.gastrSerie;
  };
  in.cellSource = [&s](int setNo, int column) { return catalogue::evaluationCellSource(s, setNo, column); };
  in.unitDistance = s.gsngUnitDistance;
  in.railDistance = s.gsngRailDistance;
  in.requiredSafety = s.gsngSiko;
  const int cases = s.gaLoadCases.size();
  const bool everyCase = withTyped && std::all_of(typed.begin(), typed.end(), [cases](const ResultRow &row) {
                           return row.caseLoads.size() == cases;
                         });
  if (cases > 1 && everyCase) {
    for (const LoadCase &lc : s.gaLoadCases) in.shares << lc.share / 100.0;
    in.caseLoads.resize(cases);
    for (int c = 0; c < cases; ++c)
      for (const ResultRow &row : typed) in.caseLoads[c].append(row.caseLoads[c]);
    in.loadPositions = s.gblnLoadPositions;
  }
  in.duty = s.gDutyCycle;
  in.requiredLife = s.gRequiredLife;
  in.loadType = s.gintLoadType;
  EvaluationRun run = evaluate(in);
  if (!run.failed || run.refused) {
    s.gastrEvaluation = run.rows.isEmpty() ? QVector<EvaluationRow>{EvaluationRow()} : run.rows;
    s.gaintExtraHead = run.extraHead;
  }
  return run;
}

}  // namespace eval
