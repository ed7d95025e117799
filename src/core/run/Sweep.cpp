#include "core/run/Sweep.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "core/common/Numbers.h"
#include "core/arrangements/models/Arrangement.h"
#include "core/common/Texts.h"

namespace run {

namespace {

// A number in the locale's notation ("-12", "250,5" in German): an optional minus,
// digits, the decimal separator and digits. Kept exactly as an integer count of
// 10^-decimals, so that no step adds up rounding errors.
struct Exact {
  std::int64_t digits = 0;  // the number times 10^decimals
  int decimals = 0;
};

constexpr std::int64_t kMaxDigits = 1000000000000000LL;  // 10^15

bool readExact(const QString &text, Exact *out) {
  const QString t = text.trimmed();
  const QChar point = num::locale().decimalPoint().at(0);
  int i = 0;
  bool minus = false;
  if (i < t.size() && t.at(i) == QLatin1Char('-')) {
    minus = true;
    ++i;
  }
  std::int64_t v = 0;
  int digits = 0, decimals = 0;
  bool afterPoint = false;
  for (; i < t.size(); ++i) {
    const QChar c = t.at(i);
    if (c == point && !afterPoint) {
      afterPoint = true;
      continue;
    }
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    if (afterPoint && ++decimals > kMaxSweepDecimals) return false;
    v = v * 10 + (c.unicode() - '0');
    if (v >= kMaxDigits) return false;
    ++digits;
  }
  if (digits == 0) return false;
  out->digits = minus ? -v : v;
  out->decimals = decimals;
  return true;
}

// The number times 10^decimals, or nothing when that does not fit into 64 bits.
std::optional<std::int64_t> scaled(const Exact &e, int decimals) {
  std::int64_t v = e.digits;
  for (int d = e.decimals; d < decimals; ++d)
    if (__builtin_mul_overflow(v, 10, &v)) return std::nullopt;
  return v;
}

// The value as the screens take it: the locale's decimal separator, no grouping, no
// trailing zeros.
QString typedText(std::int64_t digits, int decimals) {
  const bool minus = digits < 0;
  std::uint64_t a = minus ? static_cast<std::uint64_t>(-digits) : static_cast<std::uint64_t>(digits);
  std::uint64_t scale = 1;
  for (int d = 0; d < decimals; ++d) scale *= 10;
  QString s = minus ? QStringLiteral("-") : QString();
  s += QString::number(a / scale);
  std::uint64_t frac = a % scale;
  if (frac != 0) {
    QString f = QString::number(frac).rightJustified(decimals, QLatin1Char('0'));
    while (f.endsWith(QLatin1Char('0'))) f.chop(1);
    s += num::locale().decimalPoint() + f;
  }
  return s;
}

SweepValue valueOf(std::int64_t digits, int decimals) {
  double scale = 1.0;
  for (int d = 0; d < decimals; ++d) scale *= 10.0;
  return {typedText(digits, decimals), static_cast<double>(digits) / scale};
}

calcfile::Error keyError(const QString &english, const QString &key) {
  return {english, builtinText(1650).arg(key)};
}

QStringList *cellRow(calcfile::Case &c, const Sweep &s) {
  TextRows &rows = s.loadCase < 0 ? c.forces : c.loadCases[s.loadCase].forces;
  return &rows[s.row];
}

// Whether every value of the sweep lies in the field's range: the values lie between the
// first and the last, so those two decide. A value outside is refused as in a case file.
bool valuesInRange(const calcfile::Case &base, const Sweep &s, calcfile::Error *error) {
  for (const qsizetype k : {qsizetype(0), s.values.size() - 1}) {
    calcfile::Case swept = sweptCase(base, s, static_cast<int>(k));
    calcfile::Error e;
    if (!calcfile::checkValues(&swept, &e)) {
      *error = {QStringLiteral("the value %1: %2").arg(s.values[k].text, e.english),
                builtinText(1651).arg(s.values[k].text, e.german)};
      return false;
    }
  }
  return true;
}

}  // namespace

bool parseSweepKey(const QString &key, const calcfile::Case &base, Sweep *out, calcfile::Error *error) {
  const auto fail = [&](const QString &english) {
    *error = keyError(english, key);
    return false;
  };
  Sweep s;
  s.key = key;
  if (key == QLatin1String("m") || key == QLatin1String("n")) {
    const bool m = key == QLatin1String("m");
    s.field = m ? Sweep::Field::M : Sweep::Field::N;
    const ArrangementInfo *arrangement = arrangementByScreen(base.arrangement);
    if (arrangement && !(m ? arrangement->hasM : arrangement->hasN))
      return fail(QStringLiteral("the arrangement %1 has no distance %2 to sweep")
                      .arg(QLatin1String(arrangement->screenName), key));
    *out = s;
    return true;
  }
  // forces.ROW.COL or loadCases.N.forces.ROW.COL
  QStringList parts = key.split(QLatin1Char('.'));
  bool caseOk = true, rowOk = false, columnOk = false;
  if (parts.size() == 5 && parts[0] == QLatin1String("loadCases")) {
    s.loadCase = parts[1].toInt(&caseOk);
    caseOk = caseOk && s.loadCase >= 0;
    parts = parts.mid(2);
  }
  if (parts.size() == 3 && parts[0] == QLatin1String("forces")) {
    s.row = parts[1].toInt(&rowOk);
    s.column = parts[2].toInt(&columnOk);
  }
  if (!caseOk || !rowOk || !columnOk || s.row < 0 || s.column < 1 || s.column > 4)
    return fail(
        QStringLiteral("unknown sweep key \"%1\"; one of: m, n, forces.ROW.COL, loadCases.N.forces.ROW.COL "
                       "(N and ROW from 0, COL 1 force, 2 x, 3 y, 4 z)")
            .arg(key));
  s.field = Sweep::Field::Force;
  const TextRows *rows = &base.forces;
  if (s.loadCase < 0) {
    if (!base.loadCases.isEmpty())
      return fail(
          QStringLiteral("the base case has \"loadCases\"; forces.ROW.COL sweeps the \"forces\" of a case "
                         "without them, loadCases.N.forces.ROW.COL a load case"));
  } else {
    if (base.loadCases.isEmpty())
      return fail(
          QStringLiteral("the base case has no \"loadCases\"; loadCases.N.forces.ROW.COL sweeps a load case, "
                         "forces.ROW.COL the \"forces\" of a case without them"));
    if (s.loadCase >= base.loadCases.size())
      return fail(QStringLiteral("the base case has no load case %1 (its load cases are 0 to %2)")
                      .arg(s.loadCase)
                      .arg(base.loadCases.size() - 1));
    rows = &base.loadCases[s.loadCase].forces;
  }
  if (s.row >= rows->size())
    return fail(QStringLiteral("the base case has no force row %1%2 (its rows are 0 to %3)")
                    .arg(s.row)
                    .arg(s.loadCase < 0 ? QString() : QStringLiteral(" in load case %1").arg(s.loadCase))
                    .arg(rows->size() - 1));
  if ((*rows)[s.row].size() <= s.column)
    return fail(
        QStringLiteral("the force row %1 of the base case has no column %2").arg(s.row).arg(s.column));
  *out = s;
  return true;
}

bool parseSweep(const QString &argument, const calcfile::Case &base, Sweep *out, QString *error) {
  const auto fail = [error](const QString &text) {
    *error = text;
    return false;
  };
  const qsizetype eq = argument.indexOf(QLatin1Char('='));
  if (eq <= 0) return fail(QStringLiteral("--sweep takes KEY=FROM:TO:STEP, e.g. m=200:400:50"));
  Sweep s;
  calcfile::Error keyRefusal;
  if (!parseSweepKey(argument.left(eq), base, &s, &keyRefusal)) return fail(keyRefusal.english);
  const QStringList range = argument.mid(eq + 1).split(QLatin1Char(':'));
  if (range.size() != 3) return fail(QStringLiteral("--sweep takes KEY=FROM:TO:STEP, e.g. m=200:400:50"));
  const char *const names[] = {"FROM", "TO", "STEP"};
  Exact e[3];
  for (int i = 0; i < 3; ++i)
    if (!readExact(range[i], &e[i]))
      return fail(QStringLiteral("%1 of --sweep must be a number in the notation of the locale "
                                 "(decimal separator \"%2\", at most %3 decimals, no grouping), not \"%4\"")
                      .arg(QLatin1String(names[i]), num::locale().decimalPoint())
                      .arg(kMaxSweepDecimals)
                      .arg(range[i]));
  const int decimals = std::max({e[0].decimals, e[1].decimals, e[2].decimals});
  std::int64_t bound[3];
  for (int i = 0; i < 3; ++i) {
    const std::optional<std::int64_t> v = scaled(e[i], decimals);
    if (!v)
      return fail(
          QStringLiteral("the %1 %2 of --sweep cannot be stepped with %3 decimals: the values of a sweep "
                         "are at most %4 digits long")
              .arg(QLatin1String(names[i]), range[i].trimmed())
              .arg(decimals)
              .arg(std::numeric_limits<std::int64_t>::digits10));
    bound[i] = *v;
  }
  const std::int64_t from = bound[0], to = bound[1], step = bound[2];
  if (step == 0) return fail(QStringLiteral("the STEP of --sweep must not be 0"));
  // The distance from FROM to TO can exceed 64 bits (from one end of the range to the
  // other); it is counted in 128.
  const __int128 distance = static_cast<__int128>(to) - from;
  if (distance != 0 && (distance > 0) != (step > 0))
    return fail(QStringLiteral("the STEP %1 of --sweep leads away from TO %2 (from %3)")
                    .arg(range[2].trimmed(), range[1].trimmed(), range[0].trimmed()));
  const __int128 count = distance / step + 1;
  if (count > kMaxSweepValues)
    return fail(QStringLiteral("--sweep %1 gives %2 values; at most %3 are run at once")
                    .arg(argument)
                    .arg(count > std::numeric_limits<std::int64_t>::max()
                             ? QStringLiteral("more than 9223372036854775807")
                             : QString::number(static_cast<qint64>(count)))
                    .arg(kMaxSweepValues));
  for (std::int64_t k = 0; k < count; ++k) s.values.append(valueOf(from + k * step, decimals));
  calcfile::Error rangeRefusal;
  if (!valuesInRange(base, s, &rangeRefusal))
    return fail(QStringLiteral("--sweep %1: %2").arg(argument, rangeRefusal.english));
  *out = s;
  return true;
}

bool makeSweep(const QString &key, const calcfile::Case &base, const QString &from, const QString &to,
               int steps, Sweep *out, calcfile::Error *error) {
  Sweep s;
  if (!parseSweepKey(key, base, &s, error)) return false;
  if (steps < 2 || steps > kMaxSweepValues) {
    *error = {QStringLiteral("a study takes 2 to %1 steps, not %2").arg(kMaxSweepValues).arg(steps),
              builtinText(1652).arg(2).arg(kMaxSweepValues)};
    return false;
  }
  Exact e[2];
  const QString *texts[] = {&from, &to};
  for (int i = 0; i < 2; ++i)
    if (!readExact(*texts[i], &e[i])) {
      *error = {QStringLiteral("\"%1\" is no number of at most 15 digits and %2 decimals")
                    .arg(*texts[i])
                    .arg(kMaxSweepDecimals),
                builtinText(1653).arg(*texts[i]).arg(kMaxSweepDecimals)};
      return false;
    }
  const int decimals = std::min(kMaxSweepDecimals, std::max(e[0].decimals, e[1].decimals) + 3);
  std::int64_t bound[2];
  for (int i = 0; i < 2; ++i) {
    const std::optional<std::int64_t> v = scaled(e[i], decimals);
    if (!v) {
      *error = {
          QStringLiteral("\"%1\" is too long to be stepped with %2 decimals").arg(*texts[i]).arg(decimals),
          builtinText(1653).arg(*texts[i]).arg(kMaxSweepDecimals)};
      return false;
    }
    bound[i] = *v;
  }
  // Value k is FROM + k (TO - FROM) / (steps - 1), rounded to the decimals half to even;
  // FROM and TO themselves are exact.
  const __int128 distance = static_cast<__int128>(bound[1]) - bound[0];
  const __int128 parts = steps - 1;
  for (int k = 0; k < steps; ++k) {
    const __int128 scaledStep = distance * k;
    __int128 q = scaledStep / parts, r = scaledStep % parts;
    // Round the quotient half to even (r carries the sign of the dividend).
    const __int128 twice = 2 * (r < 0 ? -r : r);
    if (twice > parts || (twice == parts && (q % 2 != 0))) q += scaledStep < 0 ? -1 : 1;
    s.values.append(valueOf(static_cast<std::int64_t>(bound[0] + q), decimals));
  }
  if (!valuesInRange(base, s, error)) return false;
  *out = s;
  return true;
}

calcfile::Case sweptCase(const calcfile::Case &base, const Sweep &sweep, int index) {
  calcfile::Case c = base;
  const QString &text = sweep.values[index].text;
  switch (sweep.field) {
    case Sweep::Field::M: c.m = text; break;
    case Sweep::Field::N: c.n = text; break;
    case Sweep::Field::Force: (*cellRow(c, sweep))[sweep.column] = text; break;
  }
  // The notes follow the value (a coordinate along the force's own axis); its range was
  // checked with the sweep.
  calcfile::checkValues(&c, nullptr);
  return c;
}

QString sweptText(const calcfile::Case &c, const Sweep &sweep) {
  switch (sweep.field) {
    case Sweep::Field::M: return c.m;
    case Sweep::Field::N: return c.n;
    case Sweep::Field::Force: {
      const TextRows *rows = sweep.loadCase < 0                    ? &c.forces
                             : sweep.loadCase < c.loadCases.size() ? &c.loadCases[sweep.loadCase].forces
                                                                   : nullptr;
      if (!rows || sweep.row >= rows->size()) return QString();
      return (*rows)[sweep.row].value(sweep.column);
    }
  }
  return QString();
}

QVector<SweepStep> runSweep(const Session &started, const calcfile::Case &base, const Sweep &sweep,
                            const Options &options) {
  QVector<SweepStep> steps;
  steps.reserve(sweep.values.size());
  const ArrangementInfo *arrangement = arrangementByScreen(base.arrangement);
  if (!arrangement) return steps;
  for (int i = 0; i < sweep.values.size(); ++i) {
    SweepStep step;
    msg::Recorder recorder;
    Session s = started;
    try {
      step.result = calculateCase(s, sweptCase(base, sweep, i), *arrangement, options);
    } catch (const msg::ProgramEnded &) {
      step.ended = true;
      step.result = Result();
      step.result.calcFailed = true;
    }
    step.messages = std::move(recorder.messages);
    const bool ended = step.ended;
    steps.append(std::move(step));
    if (ended) break;
  }
  return steps;
}

eval::csv::Columns csvColumns(const calcfile::Case &base, const Sweep &sweep) {
  eval::csv::Columns columns = eval::csv::columnsOf(base);
  columns.leading = QStringList{QStringLiteral("step"), eval::csv::sweptColumn(sweep.key, unitOf(sweep))};
  return columns;
}

QStringList csvLeading(const Sweep &sweep, int index) {
  return {QString::number(index + 1), eval::csv::plainNumber(sweep.values[index].value)};
}

limits::Quantity quantityOf(const Sweep &sweep) {
  if (sweep.field != Sweep::Field::Force) return limits::Quantity::Distance;
  return sweep.column == 1 ? limits::Quantity::Force : limits::Quantity::Coordinate;
}

QString unitOf(const Sweep &sweep) {
  return quantityOf(sweep) == limits::Quantity::Force ? QStringLiteral("N") : QStringLiteral("mm");
}

}  // namespace run
