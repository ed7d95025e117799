#include "batch/Lines.h"

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <limits>
#include <map>
#include <optional>
#include <mutex>
#include <thread>
#include <vector>

#include "core/common/CommandLine.h"
#include "core/common/Numbers.h"

namespace batch {

// ---------------------------------------------------------------- the sweep
namespace {

// A number of the command line in the locale's notation ("-12", "250,5" in German):
// an optional minus, digits, the decimal separator and digits. Kept exactly as an
// integer count of 10^-decimals, so that no step adds up rounding errors.
struct Exact {
  std::int64_t digits = 0;  // the number times 10^decimals
  int decimals = 0;
};

constexpr int kMaxDecimals = 6;
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
    if (afterPoint && ++decimals > kMaxDecimals) return false;
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

}  // namespace

bool parseSweep(const QString &argument, const Case &base, Sweep *out, QString *error) {
  const auto fail = [error](const QString &text) {
    *error = text;
    return false;
  };
  const qsizetype eq = argument.indexOf(QLatin1Char('='));
  if (eq <= 0)
    return fail(QStringLiteral("--sweep takes KEY=FROM:TO:STEP, e.g. m=200:400:50"));
  Sweep s;
  s.key = argument.left(eq);
  const QStringList range = argument.mid(eq + 1).split(QLatin1Char(':'));
  if (s.key == QLatin1String("m") || s.key == QLatin1String("n")) {
    const bool m = s.key == QLatin1String("m");
    s.field = m ? Sweep::Field::M : Sweep::Field::N;
    if (!(m ? base.arrangement->hasM : base.arrangement->hasN))
      return fail(QStringLiteral("the arrangement %1 has no distance %2 to sweep")
                      .arg(QLatin1String(base.arrangement->screenName), s.key));
  } else {
    const QStringList parts = s.key.split(QLatin1Char('.'));
    bool rowOk = false, columnOk = false;
    if (parts.size() == 3 && parts[0] == QLatin1String("forces")) {
      s.row = parts[1].toInt(&rowOk);
      s.column = parts[2].toInt(&columnOk);
    }
    if (!rowOk || !columnOk || s.row < 0 || s.column < 1 || s.column > 4)
      return fail(QStringLiteral("unknown sweep key \"%1\"; one of: m, n, forces.ROW.COL (ROW from 0, "
                                 "COL 1 force, 2 x, 3 y, 4 z)")
                      .arg(s.key));
    s.field = Sweep::Field::Force;
    if (!base.file.loadCases.isEmpty())
      return fail(QStringLiteral("the base case has \"loadCases\"; forces.ROW.COL sweeps the \"forces\" "
                                 "of a case without them"));
    if (s.row >= base.file.forces.size())
      return fail(QStringLiteral("the base case has no force row %1 (its rows are 0 to %2)")
                      .arg(s.row)
                      .arg(base.file.forces.size() - 1));
  }
  if (range.size() != 3)
    return fail(QStringLiteral("--sweep takes KEY=FROM:TO:STEP, e.g. m=200:400:50"));
  const char *const names[] = {"FROM", "TO", "STEP"};
  Exact e[3];
  for (int i = 0; i < 3; ++i)
    if (!readExact(range[i], &e[i]))
      return fail(QStringLiteral("%1 of --sweep must be a number in the notation of the locale "
                                 "(decimal separator \"%2\", at most %3 decimals, no grouping), not \"%4\"")
                      .arg(QLatin1String(names[i]), num::locale().decimalPoint())
                      .arg(kMaxDecimals)
                      .arg(range[i]));
  const int decimals = std::max({e[0].decimals, e[1].decimals, e[2].decimals});
  std::int64_t bound[3];
  for (int i = 0; i < 3; ++i) {
    const std::optional<std::int64_t> v = scaled(e[i], decimals);
    if (!v)
      return fail(QStringLiteral("the %1 %2 of --sweep cannot be stepped with %3 decimals: the values of a sweep "
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
                    .arg(count > std::numeric_limits<std::int64_t>::max() ? QStringLiteral("more than 9223372036854775807")
                                                                          : QString::number(static_cast<qint64>(count)))
                    .arg(kMaxSweepValues));
  double scale = 1.0;
  for (int d = 0; d < decimals; ++d) scale *= 10.0;
  for (std::int64_t k = 0; k < count; ++k) {
    const std::int64_t v = from + k * step;
    s.values.append({typedText(v, decimals), static_cast<double>(v) / scale});
  }
  // The values lie between the first and the last: both within the key's range, every
  // one is. A value outside is refused as in a case file, before anything runs.
  for (const qsizetype k : {qsizetype(0), s.values.size() - 1}) {
    Case swept = sweptCase(base, s, static_cast<int>(k));
    calcfile::Error e;
    if (!calcfile::checkValues(&swept.file, &e))
      return fail(QStringLiteral("--sweep %1: the value %2: %3").arg(argument, s.values[k].text, e.english));
  }
  *out = s;
  return true;
}

Case sweptCase(const Case &base, const Sweep &sweep, int index) {
  Case c = base;
  const QString &text = sweep.values[index].text;
  switch (sweep.field) {
    case Sweep::Field::M: c.file.m = text; break;
    case Sweep::Field::N: c.file.n = text; break;
    case Sweep::Field::Force: c.file.forces[sweep.row][sweep.column] = text; break;
  }
  // The notes follow the value (a coordinate along the force's own axis); its range was
  // checked with the sweep.
  calcfile::checkValues(&c.file, nullptr);
  return c;
}

// ---------------------------------------------------------------- one line
namespace {

// One case to run: the text of a line of --cases (with its number) or a value of the
// sweep.
struct Job {
  std::int64_t seq = 0;
  std::int64_t line = 0;      // --cases: the line number from 1
  QByteArray text;
  QString refusal;            // the line cannot be a case (too long)
  int sweepIndex = -1;        // --sweep: the value
};

using Done = LineResult;

void appendLatin1(std::string &out, const char *s) { out.append(s); }

void appendInt(std::string &out, std::int64_t v) {
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, static_cast<size_t>(res.ptr - buf));
}

// {"line": N, "status": 2, "error": "..."}: a line that is no case.
Done refusedLine(std::int64_t line, const QString &error) {
  Done d;
  d.failed = true;
  appendLatin1(d.out, "{\"line\":");
  appendInt(d.out, line);
  appendLatin1(d.out, ",\"status\":2,\"error\":");
  appendQuoted(d.out, error);
  appendLatin1(d.out, "}\n");
  return d;
}

Done runJob(const Start &start, const Job &job, const LineInput &input, const Options &options) {
  Case c;
  if (input.sweep) {
    c = sweptCase(*input.base, *input.sweep, job.sweepIndex);
  } else {
    if (!job.refusal.isEmpty()) return refusedLine(job.line, job.refusal);
    QString error;
    bool blank = true;
    for (const char ch : job.text) blank = blank && (ch == ' ' || ch == '\t');
    if (blank) return refusedLine(job.line, QStringLiteral("empty line; each line holds one case object"));
    if (!caseFromJson(job.text, &c, &error)) return refusedLine(job.line, error);
  }
  const Outcome o = runCase(start, c, options);
  Done d;
  std::string prefix;  // the keys before those of the run
  if (input.sweep) {
    const SweepValue &v = input.sweep->values[job.sweepIndex];
    appendLatin1(prefix, "\"sweep\":{\"key\":");
    appendQuoted(prefix, input.sweep->key);
    appendLatin1(prefix, ",\"text\":");
    appendQuoted(prefix, v.text);
    appendLatin1(prefix, ",\"value\":");
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v.value);
    prefix.append(buf, static_cast<size_t>(res.ptr - buf));
    appendLatin1(prefix, "},");
  } else if (o.status == Status::Unexpected) {
    appendLatin1(prefix, "\"line\":");
    appendInt(prefix, job.line);
    prefix.push_back(',');
  }
  const QString where = input.sweep ? QStringLiteral("%1 %2").arg(input.sweep->key, input.sweep->values[job.sweepIndex].text)
                                    : QStringLiteral("line %1").arg(job.line);
  for (const QString &note : o.notes) {
    const QByteArray a = (QStringLiteral("tarvelcalc-batch: %1: note: ").arg(where) + note + QLatin1Char('\n')).toUtf8();
    d.notes.append(a.constData(), static_cast<size_t>(a.size()));
  }
  if (o.status == Status::Unexpected) {
    d.failed = true;
    d.out.push_back('{');
    d.out += prefix;
    appendLatin1(d.out, "\"status\":1,\"error\":");
    appendQuoted(d.out, QStringLiteral("unexpected error: ") + o.unexpected);
    appendLatin1(d.out, "}\n");
    return d;
  }
  appendJson(d.out, o.report, o.messages, false, prefix);
  if (o.status != Status::Ran) {
    // Where the single case leaves with status 1, the line says so and why.
    d.failed = true;
    d.out.pop_back();
    appendLatin1(d.out, ",\"status\":1");
    if (o.status == Status::Ended) {
      appendLatin1(d.out, ",\"ended\":");
      const msg::Message *last = o.messages.isEmpty() ? nullptr : &o.messages.last();
      appendQuoted(d.out, !last ? QString()
                                : last->title.isEmpty() ? last->text
                                                        : last->title + QStringLiteral(": ") + last->text);
    }
    d.out.push_back('}');
  }
  d.out.push_back('\n');
  return d;
}

// ---------------------------------------------------------------- reading lines
// The lines of a file or of the standard input, each up to the size of a case file.
class LineReader {
 public:
  explicit LineReader(std::FILE *f) : f_(f), buf_(1 << 16) {}

  // The next line (without its line break and a carriage return before it). False at
  // the end of the input.
  bool next(Job &job) {
    job.text.clear();
    job.refusal.clear();
    bool any = false, tooLong = false;
    for (;;) {
      if (pos_ == len_) {
        if (eof_) break;
        len_ = std::fread(buf_.data(), 1, buf_.size(), f_);
        pos_ = 0;
        if (len_ == 0) {
          eof_ = true;
          break;
        }
      }
      any = true;
      const char *begin = buf_.data() + pos_;
      const void *nl = std::memchr(begin, '\n', len_ - pos_);
      const size_t n = nl ? static_cast<size_t>(static_cast<const char *>(nl) - begin) : len_ - pos_;
      if (!tooLong) {
        if (static_cast<qint64>(job.text.size()) + static_cast<qint64>(n) > calcfile::kMaxBytes) {
          tooLong = true;
          job.text.clear();
        } else {
          job.text.append(begin, static_cast<qsizetype>(n));
        }
      }
      pos_ += n;
      if (nl) {
        ++pos_;
        break;
      }
    }
    if (!any) return false;
    ++line_;
    job.line = line_;
    if (job.text.endsWith('\r')) job.text.chop(1);
    if (tooLong)
      job.refusal = QStringLiteral("the line is larger than %1 MiB; a case is a small JSON object")
                        .arg(calcfile::kMaxBytes / (1024 * 1024));
    return true;
  }

 private:
  std::FILE *f_;
  std::vector<char> buf_;
  size_t pos_ = 0, len_ = 0;
  bool eof_ = false;
  std::int64_t line_ = 0;
};

// The jobs of the input, in order.
class Producer {
 public:
  explicit Producer(const LineInput &in) : in_(in), reader_(in.file) {}
  bool next(Job &job) {
    if (in_.sweep) {
      if (index_ >= in_.sweep->values.size()) return false;
      job.sweepIndex = index_++;
      return true;
    }
    return reader_.next(job);
  }

 private:
  const LineInput &in_;
  LineReader reader_;
  int index_ = 0;
};

// A line goes out in one write call, not through the buffer of `stdout`, which would
// hand a line longer than the buffer to the system in pieces: a run that is killed
// between two of them leaves a consumer with the start of a line and no end. So the
// output ends after a whole line (a killed run may end before the last case, never in
// the middle of one). Only a signal that interrupts a write, or a write into a full
// disk, can make the system take less; the rest then follows at once.
[[nodiscard]] bool writeLine(const Done &d) {
  if (!d.notes.empty()) {
    std::fwrite(d.notes.data(), 1, d.notes.size(), stderr);
    std::fflush(stderr);
  }
  return cli::writeAll(STDOUT_FILENO, d.out.data(), d.out.size());
}

[[noreturn]] void outputLost() {
  const char *text = "tarvelcalc-batch: cannot write the results to standard output: ";
  std::fputs(text, stderr);
  std::fputs(std::strerror(errno), stderr);
  std::fputs("\n", stderr);
  std::fflush(stderr);
  // The workers and the reader may be waiting for input that never comes.
  std::_Exit(kExitEnded);
}

}  // namespace

LineResult runLine(const Start &start, std::int64_t lineNumber, const QByteArray &text, const Options &options) {
  Job job;
  job.line = lineNumber;
  job.text = text;
  return runJob(start, job, LineInput{}, options);
}

void keepHeapBetweenCases() {
  mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
  mallopt(M_TOP_PAD, 64 * 1024 * 1024);
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
}

// ---------------------------------------------------------------- many cases
int runMany(const LineInput &input, const std::shared_ptr<catalogue::Catalogue> &catalogue,
            const Options &options, int jobs) {
  keepHeapBetweenCases();
  Producer producer(input);
  bool anyFailed = false;
  if (jobs <= 1) {
    const Start start = startOn(catalogue);
    Job job;
    while (producer.next(job)) {
      const Done d = runJob(start, job, input, options);
      anyFailed = anyFailed || d.failed;
      if (!writeLine(d)) outputLost();
    }
    return anyFailed ? kExitEnded : 0;
  }

  // A reader, `jobs` workers and this thread writing. At most `window` cases are read
  // and not yet written: the queue of jobs and the results waiting for an earlier one
  // stay small however long the input is. A thread is woken only when it waits, and
  // takes what has gathered at once: a case costs about a tenth of a millisecond, so
  // waking a thread per case would cost a good part of it.
  const std::int64_t window = 16 * static_cast<std::int64_t>(jobs) + 16;
  std::mutex mutex;
  std::condition_variable haveJob, haveDone, haveRoom;
  std::deque<Job> queue;
  std::map<std::int64_t, Done> done;
  std::int64_t read = 0, written = 0;
  int idleWorkers = 0;
  bool end = false, readerWaits = false, writerWaits = false;

  std::thread reader([&] {
    for (;;) {
      Job job;
      const bool more = producer.next(job);
      std::unique_lock lock(mutex);
      if (!more) break;
      if (read - written >= window) {
        readerWaits = true;
        haveRoom.wait(lock, [&] { return read - written < window; });
        readerWaits = false;
      }
      job.seq = read++;
      queue.push_back(std::move(job));
      if (idleWorkers > 0) haveJob.notify_one();
    }
    std::unique_lock lock(mutex);
    end = true;
    haveJob.notify_all();
    haveDone.notify_all();
  });
  std::vector<std::thread> workers;
  for (int w = 0; w < jobs; ++w)
    workers.emplace_back([&] {
      // Each worker its own session, started over the shared catalogue.
      const Start start = startOn(catalogue);
      std::vector<Job> mine;
      std::vector<Done> results;
      for (;;) {
        {
          std::unique_lock lock(mutex);
          if (queue.empty() && !end) {
            ++idleWorkers;
            haveJob.wait(lock, [&] { return !queue.empty() || end; });
            --idleWorkers;
          }
          if (queue.empty()) return;
          // A fair share of what waits, so that the other workers get theirs.
          const size_t take = std::clamp<size_t>(queue.size() / static_cast<size_t>(jobs), 1, 16);
          mine.clear();
          for (size_t k = 0; k < take; ++k) {
            mine.push_back(std::move(queue.front()));
            queue.pop_front();
          }
          if (!queue.empty() && idleWorkers > 0) haveJob.notify_one();
        }
        results.clear();
        for (const Job &job : mine) results.push_back(runJob(start, job, input, options));
        std::unique_lock lock(mutex);
        bool next = false;
        for (size_t k = 0; k < mine.size(); ++k) {
          next = next || mine[k].seq == written;
          done.emplace(mine[k].seq, std::move(results[k]));
        }
        if (next && writerWaits) haveDone.notify_one();
      }
    });
  std::vector<Done> ready;
  for (;;) {
    {
      std::unique_lock lock(mutex);
      if (done.count(written) == 0 && !(end && written == read)) {
        writerWaits = true;
        haveDone.wait(lock, [&] { return done.count(written) != 0 || (end && written == read); });
        writerWaits = false;
      }
      // Every result that is next in order.
      ready.clear();
      for (auto it = done.find(written); it != done.end() && it->first == written + static_cast<std::int64_t>(ready.size());
           it = done.erase(it))
        ready.push_back(std::move(it->second));
      if (ready.empty()) break;
    }
    for (const Done &d : ready) {
      anyFailed = anyFailed || d.failed;
      if (!writeLine(d)) outputLost();
    }
    std::unique_lock lock(mutex);
    written += static_cast<std::int64_t>(ready.size());
    if (readerWaits) haveRoom.notify_one();
  }
  reader.join();
  for (std::thread &t : workers) t.join();
  return anyFailed ? kExitEnded : 0;
}

}  // namespace batch
