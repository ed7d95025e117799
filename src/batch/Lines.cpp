#include "batch/Lines.h"

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

// The lines of a case are appended to `d.out` (which may hold the lines before it), its
// notes to `d.notes`; `d.failed` is set when the case makes the run end with status 1.

// {"line": N, "status": 2, "error": "..."}: a line that is no case.
void refusedLine(Done &d, std::int64_t line, const QString &error) {
  d.failed = true;
  appendLatin1(d.out, "{\"line\":");
  appendInt(d.out, line);
  appendLatin1(d.out, ",\"status\":2,\"error\":");
  appendQuoted(d.out, error);
  appendLatin1(d.out, "}\n");
}

void appendNote(Done &d, const QString &where, const QString &note) {
  const QByteArray a =
      (QStringLiteral("tarvelcalc-batch: %1: ").arg(where) + note + QLatin1Char('\n')).toUtf8();
  d.notes.append(a.constData(), static_cast<size_t>(a.size()));
}

// --csv: the rows of the case under the run's header, each led by its line or by the
// sweep's step and value. What the JSON says besides the numbers (the messages, a
// status of 1) goes to the standard error with the line's place.
void csvLines(Done &d, const Job &job, const LineInput &input, const Outcome &o, const QString &where) {
  for (const QString &note : o.notes) appendNote(d, where, message(1822).arg(note));
  for (const msg::Message &m : o.messages)
    appendNote(d, where,
               message(1821).arg(m.title.isEmpty() ? m.text : m.title + QStringLiteral(": ") + m.text));
  switch (o.status) {
    case Status::Ran: break;
    case Status::NoVerdict: d.failed = true; break;
    case Status::Ended:
      d.failed = true;
      appendNote(d, where, message(1820));
      return;
    case Status::Unexpected:
      d.failed = true;
      appendNote(d, where, message(1823).arg(o.unexpected));
      return;
  }
  const QStringList leading =
      input.sweep ? run::csvLeading(*input.sweep, job.sweepIndex) : QStringList{QString::number(job.line)};
  eval::csv::appendRows(d.out, o.report.evaluation, *input.csv, leading);
}

void runJob(const Start &start, const Job &job, const LineInput &input, const Options &options, Done &d) {
  Case c;
  const auto refused = [&](const QString &error) {
    if (!input.csv) return refusedLine(d, job.line, error);
    d.failed = true;
    appendNote(d, message(1842).arg(job.line), error);
  };
  if (input.sweep) {
    c = *input.base;
    c.file = run::sweptCase(input.base->file, *input.sweep, job.sweepIndex);
  } else {
    if (!job.refusal.isEmpty()) return refused(job.refusal);
    QString error;
    bool blank = true;
    for (const char ch : job.text) blank = blank && (ch == ' ' || ch == '\t');
    if (blank) return refused(QStringLiteral("empty line; each line holds one case object"));
    if (!caseFromJson(job.text, &c, &error)) return refused(error);
  }
  const Outcome o = runCase(start, c, options);
  const auto where = [&] {
    return input.sweep ? QStringLiteral("%1 %2").arg(input.sweep->key, input.sweep->values[job.sweepIndex].text)
                       : message(1842).arg(job.line);
  };
  if (input.csv) return csvLines(d, job, input, o, where());
  std::string prefix;  // the keys before those of the run
  if (input.sweep) {
    const run::SweepValue &v = input.sweep->values[job.sweepIndex];
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
  for (const QString &note : o.notes) appendNote(d, where(), message(1822).arg(note));
  if (o.status == Status::Unexpected) {
    d.failed = true;
    d.out.push_back('{');
    d.out += prefix;
    appendLatin1(d.out, "\"status\":1,\"error\":");
    appendQuoted(d.out, QStringLiteral("unexpected error: ") + o.unexpected);
    appendLatin1(d.out, "}\n");
    return;
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
}

// ---------------------------------------------------------------- reading lines
// The lines of a file or of the standard input, each up to the size of a case file.
// Read with read(2), which hands over what a pipe holds, where fread would wait for a
// full buffer: a program that feeds cases one by one gets each answer before it sends
// the next.
class LineReader {
 public:
  explicit LineReader(std::FILE *f) : fd_(f ? ::fileno(f) : -1), buf_(1 << 16) {}

  // Whether the next line may have to wait for input.
  bool mayWait() const { return !eof_ && std::memchr(buf_.data() + pos_, '\n', len_ - pos_) == nullptr; }

  // The next line (without its line break and a carriage return before it). False at
  // the end of the input.
  bool next(Job &job) {
    job.text.clear();
    job.refusal.clear();
    bool any = false, tooLong = false;
    for (;;) {
      if (pos_ == len_) {
        if (eof_) break;
        const ssize_t n = ::read(fd_, buf_.data(), buf_.size());
        if (n < 0 && errno == EINTR) continue;
        pos_ = 0;
        len_ = n > 0 ? static_cast<size_t>(n) : 0;
        if (n <= 0) {
          eof_ = true;  // a read error ends the input as its end does
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
  int fd_;
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
  bool mayWait() const { return !in_.sweep && reader_.mayWait(); }

 private:
  const LineInput &in_;
  LineReader reader_;
  int index_ = 0;
};

// The lines go out in blocks, each block whole lines in one write call, not through the
// buffer of `stdout`, which would hand a line longer than its buffer to the system in
// pieces: a run that is killed between two writes leaves a consumer with the start of a
// line and no end. So the output ends after a whole line (a killed run may end before
// the last case, never in the middle of one). Only a signal that interrupts a write, or
// a write into a full disk, can make the system take less; the rest then follows at
// once. A block goes out when it is full and whenever the run would wait (for input or
// for a worker), so that every line is out as soon as the run has nothing else to do;
// the notes of a case go to the standard error after the lines before it.
class Output {
 public:
  // Runs a case into the block: `run(Done &)` appends its lines and notes.
  template <class Run>
  [[nodiscard]] bool add(Run run) {
    const size_t before = block_.out.size();
    run(block_);
    if (!block_.notes.empty()) {
      if (!cli::writeAll(STDOUT_FILENO, block_.out.data(), before)) return false;
      block_.out.erase(0, before);
      std::fwrite(block_.notes.data(), 1, block_.notes.size(), stderr);
      std::fflush(stderr);
      block_.notes.clear();
    }
    return block_.out.size() < kBlock || flush();
  }
  [[nodiscard]] bool add(const Done &d) {
    return add([&d](Done &block) {
      block.out += d.out;
      block.notes += d.notes;
    });
  }
  [[nodiscard]] bool flush() {
    const bool ok = cli::writeAll(STDOUT_FILENO, block_.out.data(), block_.out.size());
    block_.out.clear();
    return ok;
  }

  static constexpr size_t kBlock = 256 * 1024;

 private:
  Done block_;  // the lines not yet written
};

[[noreturn]] void outputLost() {
  const QByteArray text =
      (QStringLiteral("tarvelcalc-batch: ") +
       message(1826).arg(QString::fromLocal8Bit(std::strerror(errno))) + QLatin1Char('\n'))
          .toUtf8();
  std::fputs(text.constData(), stderr);
  std::fflush(stderr);
  // The workers and the reader may be waiting for input that never comes.
  std::_Exit(kExitEnded);
}

}  // namespace

LineResult runLine(const Start &start, std::int64_t lineNumber, const QByteArray &text, const Options &options) {
  Job job;
  job.line = lineNumber;
  job.text = text;
  Done d;
  runJob(start, job, LineInput{}, options, d);
  return d;
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
  Output output;
#ifdef F_SETPIPE_SZ
  // Into a pipe, the blocks go on while the reader drains the ones before: a pipe of four
  // blocks (the system's default holds 64 KiB, a quarter of one) instead of four
  // hand-overs per block, each waking the reader and waiting for it. Where the output is
  // no pipe, or the system refuses the size, nothing changes.
  fcntl(STDOUT_FILENO, F_SETPIPE_SZ, static_cast<int>(4 * Output::kBlock));
#endif
  if (input.csv) {
    Done head;
    head.out = eval::csv::header(*input.csv);
    if (!output.add(head)) outputLost();
  }
  Producer producer(input);
  bool anyFailed = false;
  if (jobs <= 1) {
    const Start start = startOn(catalogue);
    Job job;
    for (;;) {
      if (producer.mayWait() && !output.flush()) outputLost();
      if (!producer.next(job)) break;
      bool failed = false;
      if (!output.add([&](Done &block) {
            block.failed = false;
            runJob(start, job, input, options, block);
            failed = block.failed;
          }))
        outputLost();
      anyFailed = anyFailed || failed;
    }
    if (!output.flush()) outputLost();
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
        for (const Job &job : mine) runJob(start, job, input, options, results.emplace_back());
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
        lock.unlock();
        if (!output.flush()) outputLost();
        lock.lock();
      }
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
      if (!output.add(d)) outputLost();
    }
    std::unique_lock lock(mutex);
    written += static_cast<std::int64_t>(ready.size());
    if (readerWaits) haveRoom.notify_one();
  }
  if (!output.flush()) outputLost();
  reader.join();
  for (std::thread &t : workers) t.join();
  return anyFailed ? kExitEnded : 0;
}

}  // namespace batch
