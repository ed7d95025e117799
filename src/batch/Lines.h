#pragma once
// Many cases in one run: --cases (JSON Lines, one case per line) and --sweep (one base
// case, one field stepped over a range). Each case runs on its own copy of a started
// session; with several workers each worker starts its own session over the one shared
// catalogue. The results are written one JSON object per line, in the order of the
// input, each line flushed as soon as it and all before it are done.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "batch/BatchRun.h"

namespace batch {

// One value of a sweep: the text typed into the field and its number.
struct SweepValue {
  QString text;
  double value = 0.0;
};

// --sweep KEY=FROM:TO:STEP over a base case. KEY is "m", "n" or "forces.ROW.COL" (ROW
// from 0 in the base case's force table, COL 1 force, 2 x, 3 y, 4 z).
struct Sweep {
  QString key;
  enum class Field { M, N, Force } field = Field::M;
  int row = 0, column = 0;
  QVector<SweepValue> values;
};

// The largest number of values a sweep may have.
constexpr int kMaxSweepValues = 100000;

// Reads the sweep of the command line against its base case; numbers in the locale's
// notation (num::setLocale must have been called). False with the English refusal.
bool parseSweep(const QString &argument, const Case &base, Sweep *out, QString *error);

// The base case with one value of the sweep typed into its field.
Case sweptCase(const Case &base, const Sweep &sweep, int index);

// One line of --cases as the run writes it: `out` the line of standard output (with its
// line break), `notes` what goes to the standard error, `failed` whether the line makes
// the run end with status 1.
struct LineResult {
  std::string out;
  std::string notes;
  bool failed = false;
};
LineResult runLine(const Start &start, std::int64_t lineNumber, const QByteArray &text, const Options &options);

// A run of many cases allocates and frees about the same memory case after case: the
// freed memory is kept for the next case rather than handed back to the system and
// faulted in again; the heap grows in large steps. The tool calls it before it reads a
// case; runMany and the benchmark too.
void keepHeapBetweenCases();

// Runs every case of the input and writes the results to `out` (standard output), the
// notes of each case to the standard error, prefixed with its line. `jobs` workers (1:
// all on this thread). Returns the exit status: 0 when every case ran with status 0,
// 1 when any line was refused or gave status 1 (or the results could not be written).
struct LineInput {
  std::FILE *file = nullptr;  // --cases: the file (or standard input)
  const Case *base = nullptr;  // --sweep: the base case
  const Sweep *sweep = nullptr;
};
int runMany(const LineInput &input, const std::shared_ptr<catalogue::Catalogue> &catalogue,
            const Options &options, int jobs);

}  // namespace batch
