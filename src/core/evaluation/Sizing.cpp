#include "core/evaluation/Sizing.h"

#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <cmath>
#include <limits>

#include "core/common/Numbers.h"
#include "core/evaluation/Evaluation.h"
#include "core/evaluation/EvaluationTexts.h"

namespace eval {

namespace {
// The letters before the size: "FD" of "FD12".
inline QStringView seriesView(const QString &unit) {
  const QChar *const c = unit.constData();
  const qsizetype n = unit.size();
  qsizetype end = 0;
  while (end < n && !c[end].isDigit()) ++end;
  return QStringView(c, end);
}

// Texts compared character for character: series are two or three letters, shorter
// than the way into the library's comparison.
inline bool same(QStringView a, QStringView b) {
  const qsizetype n = a.size();
  if (n != b.size()) return false;
  for (qsizetype i = 0; i < n; ++i)
    if (a[i] != b[i]) return false;
  return true;
}
}  // namespace

QString seriesOf(const QString &unit) { return seriesView(unit).toString(); }

namespace {
// A series as a text. The series are a few names of the catalogue ("FD", "FE"): one of up
// to three characters is made once per thread and shared after that, looked up by its
// characters and length packed into one number.
QString seriesText(QStringView series) {
  const qsizetype n = series.size();
  if (n == 0 || n > 3) return series.toString();
  std::uint64_t key = static_cast<std::uint64_t>(n) << 48;
  for (qsizetype i = 0; i < n; ++i) key |= static_cast<std::uint64_t>(series[i].unicode()) << (16 * i);
  thread_local std::array<std::pair<std::uint64_t, QString>, 16> kept{};
  auto &slot = kept[static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 60)];
  if (slot.first != key) slot = {key, series.toString()};
  return slot.second;
}
}  // namespace

namespace {
double sizeOf(const EvaluationRow &row) {
  double v = 0.0;
  return num::toDouble(row.size, &v) ? v : 0.0;
}
double safetyOf(const EvaluationRow &row) { return fsngSafety(row.staticRating, row.detail.staticLoad); }
}  // namespace

Sizing chooseSizes(const QVector<EvaluationRow> &rows) {
  Sizing out;
  out.rows.resize(rows.size());
  out.series.reserve(std::min<qsizetype>(rows.size(), 16));
  // The size of a row is read once, when first compared (not a number: not yet read).
  QVarLengthArray<double, 64> sizes(rows.size());
  std::fill(sizes.begin(), sizes.end(), std::numeric_limits<double>::quiet_NaN());
  const auto sizeAt = [&](int i) {
    double &v = sizes[i];
    if (std::isnan(v)) v = sizeOf(rows[i]);
    return v;
  };
  // A handful of series: a list searched from the front beats a hash here.
  for (int i = 0; i < rows.size(); ++i) {
    const EvaluationRow &row = rows[i];
    if (row.blank()) continue;
    SizingRow &r = out.rows[i];
    r.safetyOk = row.verdict == Verdict::Sufficient;
    r.lifeOk = row.lifeOk;
    r.passes = r.safetyOk && row.lifeOk.value_or(true);
    const QStringView series = seriesView(row.unit);
    auto at = std::find_if(out.series.begin(), out.series.end(),
                           [&series](const Sizing::Choice &c) { return same(c.series, series); });
    if (at == out.series.end()) at = out.series.insert(out.series.end(), {seriesText(series), -1});
    if (r.passes && (at->row < 0 || sizeAt(i) < sizeAt(at->row))) at->row = i;
  }
  for (const Sizing::Choice &c : out.series) {
    if (c.row < 0) {
      out.seriesWithoutPass << c.series;
      continue;
    }
    const int i = c.row;
    out.rows[i].recommended = true;
    if (out.suggestion < 0) {
      out.suggestion = i;
      continue;
    }
    const EvaluationRow &best = rows[out.suggestion];
    const double size = sizeAt(i), bestSize = sizeAt(out.suggestion);
    if (size < bestSize || (size == bestSize && safetyOf(rows[i]) > safetyOf(best))) out.suggestion = i;
  }
  return out;
}

QStringList recommendationLines(const QVector<EvaluationRow> &rows, const Sizing &sizing, bool english) {
  QStringList out;
  for (const Sizing::Choice &c : sizing.series)
    out << (c.row >= 0 ? recommendationText(rows.at(c.row), english) : noPassText(c.series, english));
  return out;
}

}  // namespace eval
