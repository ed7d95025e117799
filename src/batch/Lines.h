#pragma once
// Many cases in one run: --cases (JSON Lines, one case per line) and --sweep (one base
// case, one field stepped over a range). Each case runs on its own copy of a started
// session; with several workers each worker starts its own session over the one shared
// catalogue. The results are written one JSON object per line, in the order of the
// input, in blocks of whole lines, each block as soon as the run would wait for input or
// for a worker (so that a program feeding the cases one by one reads each answer before
// it sends the next) or when it is full; with --csv the rows
// of every case under one header line instead (core/evaluation/EvaluationCsv.h).
#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "batch/BatchRun.h"
#include "core/evaluation/EvaluationCsv.h"
#include "core/run/Sweep.h"

namespace batch {

// The sweep is the core's (core/run/Sweep.h), the one the parameter study runs too: the
// base case with each value typed into its field.
using run::Sweep;

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
  // --csv: the columns of the file (the header is written first); none: JSON lines.
  std::optional<eval::csv::Columns> csv;
};
int runMany(const LineInput &input, const std::shared_ptr<catalogue::Catalogue> &catalogue,
            const Options &options, int jobs);

}  // namespace batch
