#include "core/arrangements/models/Models.h"
#include "core/loads/Directions.h"

#include <QStringBuilder>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/arrangements/models/Kernels.h"
#include "core/arrangements/models/RigidCheck.h"
#include "core/catalogue/Catalogue.h"
#include "core/common/Errors.h"
#include "core/common/InputLimits.h"
#include "core/common/Messages.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"

namespace models {

bool readCellText(const QStringList &row, int column, float *out, CellError *error) {
  static const QString none;
  if (catalogue::cellToFloat(column >= 0 && column < row.size() ? row.at(column) : none, out)) return true;
  if (error) *error = {err::typeMismatch(), column};
  return false;
}

// As num::toInt16 reads the cell: rounded half to even, within -32768..32767.
bool readCellInt16(const SeriesRow &row, int column, int *out, CellError *error) {
  bool number = false;
  double d = 0.0;
  if (column >= 0 && column < catalogue::CellNumbers::kColumns) {
    number = row.numbers.number >> column & 1u;
    d = row.numbers.value[static_cast<size_t>(column)];
  } else {
    number = num::toDouble(row.texts.value(column), &d);
  }
  if (number) {
    const double r = num::roundHalfEven(d, 0);
    if (r >= -32768.0 && r <= 32767.0) {
      *out = static_cast<int>(r);
      return true;
    }
  }
  if (error) *error = {number ? err::overflow() : err::typeMismatch(), number ? -1 : column};
  return false;
}

namespace {

// How an arrangement reads its distance fields and which refusal it gives.
struct DistanceRules {
  bool readsM, readsN;
  bool showsRounded;  // the field shows the rounded distance afterwards
  bool unitIsM;       // gsngUnitDistance = m (otherwise 0)
  bool railIsN;       // gsngRailDistance = n (otherwise 0)
  int refusalText;    // text id when a distance is not positive (0: none)
};

DistanceRules distanceRules(ArrangementId id) {
  switch (id) {
    case ArrangementId::EKaEDSch: return {false, false, false, false, false, 0};
    // The single pair keeps the rail distance as typed in its field (an empty field
    // shows "0"); it only uses the rounded value.
    case ArrangementId::ERoEESch: return {false, true, false, false, true, 319};
    case ArrangementId::ZKaEDSch: return {true, false, true, true, false, 320};
    case ArrangementId::ZKaZDSch: return {false, true, true, false, true, 319};
    case ArrangementId::VKaZDSch: return {true, true, true, true, true, 321};
    case ArrangementId::ZRoEESch: return {true, true, true, true, true, 313};
  }
  return {false, false, false, false, false, 0};
}

// Whether a text holds exactly the ASCII characters from..end.
bool sameAscii(const QString &text, const char *from, const char *end) {
  if (text.size() != end - from) return false;
  const char16_t *c = reinterpret_cast<const char16_t *>(text.constData());
  for (; from != end; ++from, ++c)
    if (static_cast<unsigned char>(*from) >= 0x80 || *c != static_cast<unsigned char>(*from)) return false;
  return true;
}

// A distance field: empty counts as "0"; the number is rounded to whole millimetres,
// halves to the even neighbour. Returns false for a text that is no number (the field
// keeps it so that the user sees what he typed).
bool readDistance(const QString &typed, bool showRounded, QString *shown, float *value) {
  QString text = typed.isEmpty() ? QStringLiteral("0") : typed;
  *shown = text;
  *value = 0.0f;
  double d = 0.0;
  if (!num::toDouble(text, &d)) return false;
  const double r = num::roundHalfEven(d, 0);
  if (!(std::fabs(r) <= FLT_MAX)) return false;
  *value = static_cast<float>(r);
  if (showRounded) {
    // Usually the field holds its rounded value already ("400"): the typed text is kept
    // then, the same characters, rather than made again.
    char buf[num::kNumberBytes];
    const char *end = num::writeSingle(buf, *value);
    if (!sameAscii(text, buf, end)) *shown = num::singleToText(*value);
  }
  return true;
}

// The kernels' direction: the program's one table of directions, in its order, after None.
static_assert(static_cast<int>(Dir::XPlus) == 1 + static_cast<int>(loads::Direction::XPlus) &&
              static_cast<int>(Dir::ZMinus) == 1 + static_cast<int>(loads::Direction::ZMinus));
Dir kernelDirection(const loads::DirectionInfo *d) {
  return d ? static_cast<Dir>(1 + static_cast<int>(d->direction)) : Dir::None;
}

void zeroOwnCoordinate(Force &f) {
  switch (f.dir) {
    case Dir::XPlus: case Dir::XMinus: f.x = 0.0f; break;
    case Dir::YPlus: case Dir::YMinus: f.y = 0.0f; break;
    case Dir::ZPlus: case Dir::ZMinus: f.z = 0.0f; break;
    case Dir::None: break;
  }
}

// The force rows' four numbers (force, x, y, z) read once, as num::toDouble reads them:
// the range checks and the conversion both use them.
struct ForceCells {
  const loads::DirectionInfo *direction = nullptr;  // of the label; none: no direction
  std::array<double, 4> value{};
  std::array<bool, 4> number{};
  // As num::toFloat reads cell c (1..4).
  bool toFloat(int c, float *out) const {
    const double d = value[static_cast<size_t>(c - 1)];
    if (!number[static_cast<size_t>(c - 1)] || std::fabs(d) > 3.402823466e38) return false;
    *out = static_cast<float>(d);
    return true;
  }
};

const QString kNoCell;
inline const QString &cellOf(const QStringList &row, int column) {
  return column >= 0 && column < row.size() ? row.at(column) : kNoCell;
}

std::vector<ForceCells> readForceCells(const TextRows &rows) {
  std::vector<ForceCells> cells(static_cast<size_t>(rows.size()));
  for (int r = 0; r < rows.size(); ++r) {
    ForceCells &c = cells[static_cast<size_t>(r)];
    c.direction = loads::directionOf(cellOf(rows.at(r), 0));
    for (int k = 0; k < 4; ++k)
      c.number[static_cast<size_t>(k)] = num::toDouble(cellOf(rows.at(r), k + 1), &c.value[static_cast<size_t>(k)]);
  }
  return cells;
}

// Converts the force rows; stops at the first row with a text that is no number and
// returns its index (-1 when all rows are readable). The calculation reports that row
// when it reaches it, after the messages of the rows before it.
int convertForces(const TextRows &rows, const std::vector<ForceCells> &cells, std::vector<Force> *forces,
                  bool zeroOwnLine) {
  forces->clear();
  forces->reserve(static_cast<size_t>(rows.size()));
  for (int r = 0; r < rows.size(); ++r) {
    const ForceCells &c = cells[static_cast<size_t>(r)];
    Force f;
    f.dir = kernelDirection(c.direction);
    if (!c.toFloat(1, &f.F) || !c.toFloat(2, &f.x) || !c.toFloat(3, &f.y) || !c.toFloat(4, &f.z))
      return r;
    f.F = std::fabs(f.F);
    // A force acts the same wherever it sits on its own line of action: the coordinate
    // along its own axis is no lever arm and is taken as 0, whatever the row holds, so
    // that every model and the rigid-plate check see one physical force as one.
    if (zeroOwnLine) zeroOwnCoordinate(f);
    forces->push_back(f);
  }
  return -1;
}

// The rigid-plate check of one calculation: the sums of the force table, taken once,
// and how each series row gives its supports.
struct PlateCheck {
  bool on = false;
  ArrangementId arrangement = ArrangementId::EKaEDSch;
  float m = 0.0f, n = 0.0f;
  plate::Sums sums;

  // The check's five values for one series row; false with the error description when a
  // catalogue cell it needs is no number.
  bool loadsOf(const SeriesRow &row, std::array<float, 5> &out, CellError *error) const {
    plate::Geometry g;
    float h = 0.0f;
    switch (arrangement) {
      case ArrangementId::VKaZDSch:
        g.supports = plate::Supports::Corners;
        g.span = m;
        g.n = n;
        if (!readCell(row, col::h1, &h, error)) return false;
        break;
      case ArrangementId::ZKaZDSch: {
        float a1 = 0.0f, a2 = 0.0f;
        if (!readCell(row, col::a1, &a1, error) || !readCell(row, col::a2, &a2, error) ||
            !readCell(row, col::h1, &h, error))
          return false;
        g.supports = plate::Supports::RollerGroups;
        g.span = (a1 + a2) * 0.5f;  // the model's distance of the roller groups
        g.n = n;
        break;
      }
      case ArrangementId::ZKaEDSch: {
        float B = 0.0f;
        if (!readCell(row, col::h1, &h, error) || !readCell(row, col::B, &B, error)) return false;
        g.supports = plate::Supports::TwoUnits;
        g.span = m;
        g.k1 = k1Value(B, 0.0f, 0.0f, nullptr);  // 0 where gfsngK1 would complain
        break;
      }
      case ArrangementId::ZRoEESch: {
        float bI = 0.0f;
        if (!readCell(row, col::h2, &h, error) || !readCell(row, col::bI, &bI, error)) return false;
        g.supports = plate::Supports::TwoUnits;
        g.span = m;
        g.k1 = k1Value(0.0f, bI, n, nullptr);
        break;
      }
      case ArrangementId::EKaEDSch:
      case ArrangementId::ERoEESch:
        return false;
    }
    g.h = h;
    out = plate::loads(sums, g);
    return true;
  }
};

plate::Load plateLoad(const Force &f) {
  plate::Load l;
  l.x = f.x;
  l.y = f.y;
  l.z = f.z;
  switch (f.dir) {
    case Dir::XPlus: l.Fx = f.F; break;
    case Dir::XMinus: l.Fx = -f.F; break;
    case Dir::YPlus: l.Fy = f.F; break;
    case Dir::YMinus: l.Fy = -f.F; break;
    case Dir::ZPlus: l.Fz = f.F; break;
    case Dir::ZMinus: l.Fz = -f.F; break;
    case Dir::None: break;
  }
  return l;
}

bool firstRowComplete(const TextRows &rows) {
  if (rows.isEmpty()) return false;
  const QStringList &row = rows.first();
  for (int c = 1; c <= 4; ++c)
    if (row.value(c).isEmpty()) return false;
  return true;
}

// One force row added to the accumulators of the usable series rows. The direction is
// known here, so that each kernel's choice of its branch is made once per force row
// rather than once per series row; force and parameters are copies of their own, which
// the stores into the accumulators cannot change, so they are read once.
template <class K, Dir D>
void addToSeries(const typename K::Params params, Force f, const typename K::Series *sp, float *ap, int usable) {
  f.dir = D;
  for (int s = 0; s < usable; ++s, ap += K::kAcc) K::add(params, f, sp[s], ap);
}

// A working vector of one calculation, borrowed from this thread's spare one so that a
// run of many calculations allocates it once. A calculation started while another one
// is under way (from a message box's event loop) finds no spare and makes its own; the
// larger of the two is kept, up to a size worth keeping.
template <class T>
class Scratch {
 public:
  Scratch() {
    v.swap(spare());
    v.clear();
  }
  ~Scratch() {
    std::vector<T> &kept = spare();
    if (v.capacity() > kept.capacity() && v.capacity() <= kMaxKept) v.swap(kept);
  }
  Scratch(const Scratch &) = delete;
  Scratch &operator=(const Scratch &) = delete;
  std::vector<T> v;

 private:
  static constexpr size_t kMaxKept = size_t{1} << 14;
  static std::vector<T> &spare() {
    thread_local std::vector<T> kept;
    return kept;
  }
};

// The calculation over all table sets for one kernel. Throws AppError with the
// description of the first unexpected error.
template <class K>
void calculate(const CalcInput &in, const typename K::Params &params,
               const std::vector<Force> &forces, int badForce, int unitColumn,
               const PlateCheck &check, CalcOutput &out) {
  Scratch<typename K::Series> seriesScratch;
  Scratch<int> factorErrorsScratch;
  Scratch<float> accScratch;
  std::vector<typename K::Series> &series = seriesScratch.v;
  std::vector<int> &factorErrors = factorErrorsScratch.v;  // series whose factors show a message
  std::vector<float> &acc = accScratch.v;
  const int rowCount = static_cast<int>(forces.size()) + (badForce >= 0 ? 1 : 0);

  for (int code = 1; code <= in.tableCount; ++code) {
    const TextRows rows = in.loadTable ? in.loadTable(code) : TextRows();
    const int n = rows.size();
    const std::shared_ptr<const catalogue::CellNumbers> numbers = catalogue::cellNumbers(rows);
    const auto seriesRow = [&rows, &numbers](int s) {
      return SeriesRow{rows.at(s), numbers->rows[static_cast<size_t>(s)]};
    };

    // Each series row is converted once per table set. A row that cannot be read stops
    // the calculation where it is first used: at the first force row, after the series
    // before it.
    series.assign(static_cast<size_t>(n), typename K::Series());
    factorErrors.clear();
    int usable = n;
    CellError seriesError;
    for (int s = 0; s < n; ++s) {
      seriesError = CellError();
      if (!K::prepare(params, seriesRow(s), series[static_cast<size_t>(s)], &seriesError)) {
        usable = s;
        const int column = seriesError.column;
        if (in.cellSource && column >= 0) {
          const QStringList &row = rows.at(s);
          const QPair<QString, QString> source = in.cellSource(code, column);
          seriesError.text += QLatin1Char('\n') + builtinText(1404).arg(source.first, row.value(col::Serie),
                                                                  row.value(col::Gr), source.second,
                                                                  row.value(column));
        }
        break;
      }
      if (series[static_cast<size_t>(s)].factorError) factorErrors.push_back(s);
    }

    // Every series gives one row of each list; the sets still to come are taken to be
    // as large as this one, so that the lists are usually allocated once.
    const qsizetype rowsToCome = static_cast<qsizetype>(n) * (in.tableCount - code + 1);
    out.result.reserve(out.result.size() + rowsToCome);
    out.loads.reserve(out.loads.size() + rowsToCome);
    out.modelLoads.reserve(out.modelLoads.size() + rowsToCome);
    if (check.on) out.checkLoads.reserve(out.checkLoads.size() + rowsToCome);
    out.byCheck.reserve(out.byCheck.size() + rowsToCome);

    acc.assign(static_cast<size_t>(n) * K::kAcc, 0.0f);
    for (int r = 0; r < rowCount; ++r) {
      if (r == badForce) throw AppError(err::typeMismatch());
      const Force &f = forces[static_cast<size_t>(r)];
      if constexpr (K::kHasFactors) {
        // The factor messages the user sees for this force row, series by series.
        for (int s : factorErrors) {
          if (s >= usable) break;
          K::showFactorMessages(params, series[static_cast<size_t>(s)]);
        }
      }
      const typename K::Series *sp = series.data();
      float *ap = acc.data();
      switch (f.dir) {
        case Dir::XPlus: addToSeries<K, Dir::XPlus>(params, f, sp, ap, usable); break;
        case Dir::XMinus: addToSeries<K, Dir::XMinus>(params, f, sp, ap, usable); break;
        case Dir::YPlus: addToSeries<K, Dir::YPlus>(params, f, sp, ap, usable); break;
        case Dir::YMinus: addToSeries<K, Dir::YMinus>(params, f, sp, ap, usable); break;
        case Dir::ZPlus: addToSeries<K, Dir::ZPlus>(params, f, sp, ap, usable); break;
        case Dir::ZMinus: addToSeries<K, Dir::ZMinus>(params, f, sp, ap, usable); break;
        case Dir::None: break;  // adds nothing
      }
      if (usable < n) throw AppError(seriesError.text);
    }

    // The value lists get their rows of this set at once and are written in place (an
    // error on the way clears every list, see runModel).
    const qsizetype first = out.loads.size();
    out.loads.resize(first + n);
    out.modelLoads.resize(first + n);
    out.byCheck.resize(first + n);
    if (check.on) out.checkLoads.resize(first + n);
    out.result.resize(first + n);
    QStringList *resultOut = out.result.data() + first;
    std::array<float, 5> *loadsOut = out.loads.data() + first;
    std::array<float, 5> *modelOut = out.modelLoads.data() + first;
    bool *byCheckOut = out.byCheck.data() + first;
    std::array<float, 5> *checkOut = check.on ? out.checkLoads.data() + first : nullptr;
    for (int s = 0; s < n; ++s) {
      std::array<float, 5> &model = modelOut[s];
      K::reduce(params, acc.data() + static_cast<size_t>(s) * K::kAcc, model);
      for (float v : model)
        if (!std::isfinite(v)) throw AppError(err::overflow());
      const QStringList &row = rows.at(s);
      std::array<float, 5> &loads = loadsOut[s];
      loads = model;
      if (check.on) {
        std::array<float, 5> &plateLoads = checkOut[s];
        if (!check.loadsOf(seriesRow(s), plateLoads, &seriesError)) throw AppError(seriesError.text);
        for (float v : plateLoads)
          if (!std::isfinite(v)) throw AppError(err::overflow());
        byCheckOut[s] = plate::governs(plateLoads[4], model[4]);
        if (byCheckOut[s]) loads = plateLoads;
      }
      const QString &unitSeries = cellOf(row, unitColumn);
      const QString &size = cellOf(row, col::Gr);
      resultOut[s] = QStringList{cellOf(row, col::Serie), size, num::singleToText(loads[4]), unitSeries};
    }
  }
}

}  // namespace
}  // namespace models

QStringList seriesCaptions(const CalcOutput &out) {
  QStringList captions;
  captions.reserve(out.result.size());
  for (const QStringList &row : out.result) captions.append(row.value(3) % QLatin1Char(' ') % row.value(1));
  return captions;
}

CalcOutput runModel(const CalcInput &in) {
  using namespace models;
  CalcOutput out;
  out.mText = in.m;
  out.nText = in.n;

  // Distances first: the fields show their value and the distances in force are set
  // before any check, as the user sees them after a refusal too.
  const DistanceRules rules = distanceRules(in.arrangement);
  float m = 0.0f, n = 0.0f;
  bool distancesOk = true;
  if (rules.readsM) distancesOk &= readDistance(in.m, rules.showsRounded, &out.mText, &m);
  if (rules.readsN) distancesOk &= readDistance(in.n, rules.showsRounded, &out.nText, &n);
  out.unitDistance = rules.unitIsM ? m : 0.0f;
  out.railDistance = rules.railIsN ? n : 0.0f;

  const auto refuse = [&out](int textId) {
    msg::critical2(builtinText(textId), builtinText(314));
    out.calcFailed = true;
    return out;
  };
  if (rules.refusalText != 0) {
    const bool mBad = rules.readsM && !(m > 0.0f);
    const bool nBad = rules.readsN && !(n > 0.0f);
    if (!distancesOk || mBad || nBad) return refuse(rules.refusalText);
  }
  if (!firstRowComplete(in.forces)) return refuse(315);
  // Values beyond any plausible guide are slips (a unit mixed up, digits too many):
  // nothing is rated from them, and the message names the field.
  const auto refuseRange = [&out](limits::Quantity q, const QString &field) {
    msg::critical2(limits::refusal(q, field), builtinText(314));
    out.calcFailed = true;
    return out;
  };
  if (in.engineerInput && rules.readsM && !limits::within(limits::Quantity::Distance, m))
    return refuseRange(limits::Quantity::Distance, builtinText(1516));
  if (in.engineerInput && rules.readsN && !limits::within(limits::Quantity::Distance, n))
    return refuseRange(limits::Quantity::Distance, builtinText(1517));
  const std::vector<ForceCells> forceCells = readForceCells(in.forces);
  for (int r = 0; in.engineerInput && r < in.forces.size(); ++r) {
    const ForceCells &cells = forceCells[static_cast<size_t>(r)];
    // The column of the coordinate along the force's own axis (loads::ownCoordinateColumn).
    const int own = cells.direction ? 2 + cells.direction->axis : -1;
    for (int c = 1; c < 5; ++c) {
      if (c == own) continue;  // taken as 0
      if (!cells.number[static_cast<size_t>(c - 1)]) continue;  // named when the row is reached
      const double v = cells.value[static_cast<size_t>(c - 1)];
      const limits::Quantity q = c == 1 ? limits::Quantity::Force : limits::Quantity::Coordinate;
      if (!limits::within(q, c == 1 ? std::fabs(v) : v))
        return refuseRange(q, builtinText(1518).arg(r + 1).arg(builtinText(515 + c)));
    }
  }
  out.calcFailed = false;

  try {
    Scratch<Force> forcesScratch;
    std::vector<Force> &forces = forcesScratch.v;
    const int badForce = convertForces(in.forces, forceCells, &forces, in.engineerInput);
    const ArrangementInfo &info = arrangement(in.arrangement);
    const int unitColumn = info.rollerShoe ? col::FE : col::FD;
    PlateCheck check;
    check.on = in.rigidCheck && info.shapeCount == 4;
    check.arrangement = in.arrangement;
    check.m = m;
    check.n = n;
    if (check.on)
      for (const Force &f : forces) check.sums.add(plateLoad(f));
    switch (in.arrangement) {
      case ArrangementId::EKaEDSch:
        calculate<SingleUnit>(in, {false, 0.0f}, forces, badForce, unitColumn, check, out);
        break;
      case ArrangementId::ERoEESch:
        calculate<SingleUnit>(in, {true, n}, forces, badForce, unitColumn, check, out);
        break;
      case ArrangementId::ZKaEDSch:
        calculate<RailPositions>(in, {m, 0.0f, false}, forces, badForce, unitColumn, check, out);
        break;
      case ArrangementId::ZRoEESch:
        calculate<RailPositions>(in, {m, n, true}, forces, badForce, unitColumn, check, out);
        break;
      case ArrangementId::ZKaZDSch:
        calculate<TwoRails>(in, {0.0f, n, false}, forces, badForce, unitColumn, check, out);
        break;
      case ArrangementId::VKaZDSch:
        calculate<TwoRails>(in, {m, n, true}, forces, badForce, unitColumn, check, out);
        break;
    }
    out.completed = true;
  } catch (const AppError &e) {
    msg::critical(e.description(), builtinText(316));
    out.result.clear();
    out.loads.clear();
    out.modelLoads.clear();
    out.checkLoads.clear();
    out.byCheck.clear();
    out.completed = false;
  }
  return out;
}
