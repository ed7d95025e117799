// tarvelcalc-catalogue: imports a guide catalogue from an Access/Jet file, checks a
// catalogue file against what the program reads, and exports one as SQL text.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <thread>

#include "core/catalogue/AccessImport.h"
#include "core/catalogue/CatalogueCheck.h"
#include "core/catalogue/CatalogueExport.h"
#include "core/common/CommandLine.h"
#include "core/common/Numbers.h"

namespace {

constexpr const char *kProgram = "tarvelcalc-catalogue";
constexpr const char *kUsage =
    "Usage: tarvelcalc-catalogue import SOURCE.mdb|SOURCE.mde|SOURCE.accdb [-o TARGET.db]\n"
    "                                   [--timeout SECONDS] [--partial]\n"
    "       tarvelcalc-catalogue check CATALOGUE.db\n"
    "       tarvelcalc-catalogue export CATALOGUE.db > catalogue.sql\n"
    "\n"
    "Imports, checks and exports the guide catalogue of TarvelCALC.\n"
    "\n"
    "Commands:\n"
    "  import   copy every table of an Access/Jet file (Jet 3, Jet 4, ACE) into a new\n"
    "           SQLite catalogue file: names as they are, numbers as INTEGER or REAL,\n"
    "           currency exact, dates as ISO 8601 text, yes/no as 0/1, memo as TEXT,\n"
    "           OLE objects as BLOB. The source is only read; the target is written\n"
    "           completely or not at all (default: the source's name with .db): the\n"
    "           import needs at least one table and, for every table, as many rows\n"
    "           as the Access file declares and all its columns, otherwise the\n"
    "           target stays as it was. Only a regular file is replaced. A date\n"
    "           outside the years 100 to 9999 becomes NULL, with a note.\n"
    "  check    check a catalogue file against what the program reads: the settings,\n"
    "           every listed table with its columns, the numbers in every numeric\n"
    "           cell, the sizes of each table set and the special series. One line\n"
    "           per problem naming table, row and column, then a summary.\n"
    "  export   write a catalogue file as SQL text (CREATE TABLE and INSERT\n"
    "           statements) on standard output. The file is read as the program\n"
    "           reads a catalogue, and what the program refuses is refused; a text\n"
    "           that is no UTF-8 or holds a NUL is written as its bytes, so that\n"
    "           the SQL builds the same values again.\n"
    "\n"
    "Options:\n"
    "  -o, --output FILE  the catalogue file an import writes\n"
    "      --timeout SECONDS\n"
    "                     stop an import that reads longer (default 120; a damaged\n"
    "                     file can make the reading loop)\n"
    "      --partial      write what could be read of a damaged file, into a new\n"
    "                     file only; what is missing is named\n"
    "  -h, --help         show this help and exit\n"
    "      --version      show the version and exit\n"
    "\n"
    "Exit status:\n"
    "  0  done; for check: the program can use the catalogue (notes may remain)\n"
    "  1  the import or export failed, or check found errors\n"
    "  2  bad command line\n";

// Where the tool's own messages go: the standard error, also while libmdb's warnings
// are read through a pipe in its place.
int gErrFd = STDERR_FILENO;

// Standard output, every write checked: a full disk, a closed output or a broken pipe
// must not pass for a complete export.
bool out(const QString &text) {
  const QByteArray a = text.toUtf8();
  return std::fwrite(a.constData(), 1, static_cast<size_t>(a.size()), stdout) == static_cast<size_t>(a.size());
}

void err(const QString &text) {
  const QByteArray a = (QString::fromLatin1(kProgram) + QStringLiteral(": ") + text + QLatin1Char('\n')).toUtf8();
  cli::writeAll(gErrFd, a.constData(), static_cast<size_t>(a.size()));
}

// libmdb writes its warnings straight to the standard error, and on some damaged files
// the same ones without end while it loops. While it reads, the standard error is a
// pipe: each distinct line is passed on a few times, the rest only counted, and the
// count is told at the end ("… N more").
class WarningLimiter {
 public:
  static constexpr int kSameLine = 3;   // times a line is shown
  static constexpr int kAllLines = 20;  // lines shown in all

  WarningLimiter() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return;
    saved_ = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    if (saved_ < 0 || ::dup2(fds[1], STDERR_FILENO) < 0) {
      ::close(fds[0]);
      ::close(fds[1]);
      if (saved_ >= 0) ::close(saved_);
      saved_ = -1;
      return;
    }
    ::close(fds[1]);
    gErrFd = saved_;
    reader_ = std::thread([this, fd = fds[0]] { read(fd); });
  }
  ~WarningLimiter() { finish(); }

  // Ends the pipe, waits for the last lines and tells how many were not shown.
  void finish() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    ::dup2(saved_, STDERR_FILENO);  // closes the pipe's writing end: the reader sees its end
    reader_.join();
    gErrFd = STDERR_FILENO;
    ::close(saved_);
    saved_ = -1;
    tellHidden(STDERR_FILENO);
  }

  // For the time limit's signal handler: only what may be called there.
  static void tellHidden(int fd) {
    const long n = hidden_.load();
    if (n <= 0) return;
    char buf[128];
    int len = 0;
    for (const char *p = "tarvelcalc-catalogue: \xE2\x80\xA6 "; *p; ++p) buf[len++] = *p;
    char digits[24];
    int d = 0;
    for (long v = n; v > 0; v /= 10) digits[d++] = static_cast<char>('0' + v % 10);
    while (d > 0) buf[len++] = digits[--d];
    for (const char *p = " more warnings of libmdb not shown\n"; *p; ++p) buf[len++] = *p;
    cli::writeAll(fd, buf, static_cast<size_t>(len));
  }

 private:
  void read(int fd) {
    std::map<std::string, int> seen;
    std::string line;
    char buf[65536];
    int shown = 0;
    const auto pass = [&] {
      int &times = seen[line.size() > 200 ? line.substr(0, 200) : line];
      if (++times <= kSameLine && shown < kAllLines && seen.size() < 1000) {
        ++shown;
        line.push_back('\n');
        cli::writeAll(saved_, line.data(), line.size());
      } else {
        ++hidden_;
      }
      line.clear();
    };
    for (;;) {
      const ssize_t n = ::read(fd, buf, sizeof buf);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      for (ssize_t i = 0; i < n; ++i) {
        if (buf[i] == '\n') pass();
        else if (line.size() < 4096) line.push_back(buf[i]);
      }
    }
    if (!line.empty()) pass();
    ::close(fd);
  }

  int saved_ = -1;
  std::thread reader_;
  static inline std::atomic<long> hidden_{0};
};

// The time limit of an import: libmdb cannot be asked to stop, so the process ends
// itself from the alarm's signal handler, after removing the temporary file and saying
// why. Everything the handler needs is prepared before the alarm is set.
char gTemporary[4096];
char gTimeoutMessage[8192];
size_t gTimeoutLength = 0;

extern "C" void importTimedOut(int) {
  if (gTemporary[0]) ::unlink(gTemporary);
  WarningLimiter::tellHidden(gErrFd);
  cli::writeAll(gErrFd, gTimeoutMessage, gTimeoutLength);
  ::_exit(1);
}

int runImport(const QStringList &args) {
  QString source, target;
  int timeout = 120;
  catalogue::ImportOptions options;
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == QLatin1String("-o") || args[i] == QLatin1String("--output")) {
      if (i + 1 >= args.size()) return cli::usageError(kProgram, kUsage, args[i] + QStringLiteral(" needs a file name"));
      target = args[++i];
    } else if (args[i] == QLatin1String("--timeout")) {
      bool ok = false;
      timeout = i + 1 < args.size() ? args[++i].toInt(&ok) : 0;
      if (!ok || timeout < 1 || timeout > 86400)
        return cli::usageError(kProgram, kUsage, QStringLiteral("--timeout takes a number of seconds from 1 to 86400"));
    } else if (args[i] == QLatin1String("--partial")) {
      options.partial = true;
    } else if (args[i].startsWith(QLatin1Char('-'))) {
      return cli::usageError(kProgram, kUsage, QStringLiteral("unknown option ") + args[i]);
    } else if (source.isEmpty()) {
      source = args[i];
    } else {
      return cli::usageError(kProgram, kUsage, QStringLiteral("unexpected argument ") + args[i]);
    }
  }
  if (source.isEmpty()) return cli::usageError(kProgram, kUsage, QStringLiteral("import needs a source file"));
  if (target.isEmpty()) {
    const QFileInfo fi(source);
    target = fi.dir().filePath(fi.completeBaseName() + QStringLiteral(".db"));
  }
  if (QFileInfo(target).absoluteFilePath() == QFileInfo(source).absoluteFilePath())
    return cli::usageError(kProgram, kUsage, QStringLiteral("the target must differ from the source"));

  const QByteArray message = (QString::fromLatin1(kProgram) +
                              QStringLiteral(": %1: the reading was stopped after %2 s (--timeout); the file seems "
                                             "damaged; %3 is left as it was\n")
                                  .arg(source)
                                  .arg(timeout)
                                  .arg(target))
                                 .toUtf8()
                                 .left(sizeof gTimeoutMessage);
  std::memcpy(gTimeoutMessage, message.constData(), static_cast<size_t>(message.size()));
  gTimeoutLength = static_cast<size_t>(message.size());
  options.temporaryCreated = [](const QString &path) {
    const QByteArray name = QFile::encodeName(path);
    if (static_cast<size_t>(name.size()) < sizeof gTemporary) std::memcpy(gTemporary, name.constData(), name.size() + 1);
  };
  struct sigaction action = {};
  action.sa_handler = importTimedOut;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGALRM, &action, nullptr);

  catalogue::ImportSummary summary;
  QString error;
  bool done = false;
  {
    WarningLimiter limiter;
    ::alarm(static_cast<unsigned>(timeout));
    done = catalogue::importAccess(source, target, &summary, &error, options);
    ::alarm(0);
    gTemporary[0] = '\0';
  }
  for (const QString &note : summary.notes) err(QStringLiteral("note: ") + note);
  if (!done) {
    err(error);
    return 1;
  }
  out(QStringLiteral("%1 (%2): %3 tables, %4 rows -> %5%6\n")
          .arg(source, summary.format)
          .arg(summary.tables.size())
          .arg(summary.rows)
          .arg(target)
          .arg(summary.partial ? QStringLiteral(" (PARTIAL: the file is damaged; see the notes)") : QString()));
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int runCheck(const QString &path) {
  if (!QFileInfo(path).isFile()) {
    err(path + QStringLiteral(": no such file"));
    return 1;
  }
  const catalogue::CheckReport report = catalogue::checkCatalogue(path);
  for (const catalogue::Problem &p : report.problems) out(catalogue::problemLine(p) + QLatin1Char('\n'));
  out(QStringLiteral("%1: %2 errors, %3 notes: %4\n")
          .arg(path)
          .arg(report.errors())
          .arg(report.notes())
          .arg(report.usable() ? QStringLiteral("the program can use this catalogue")
                               : QStringLiteral("the program cannot use this catalogue as it is")));
  return report.usable() ? 0 : 1;
}

int runExport(const QString &path) {
  QString sql, error;
  if (!catalogue::exportSql(path, &sql, &error)) {
    err(error);
    return 1;
  }
  // A broken pipe is a failed write here, not the end of the process.
  std::signal(SIGPIPE, SIG_IGN);
  if (!out(sql) || std::fflush(stdout) != 0 || std::ferror(stdout)) {
    err(QStringLiteral("cannot write the SQL text to standard output: ") + QString::fromLocal8Bit(std::strerror(errno)));
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  const int answered = cli::answerStandardOptions(argc, argv, kProgram, kUsage);
  if (answered >= 0) return answered;
  QCoreApplication app(argc, argv);
  // The check reads numbers as the program does; the program's locale is German
  // unless the user's says otherwise.
  num::resetLocale();
  const QStringList args = app.arguments().mid(1);
  if (args.isEmpty()) return cli::usageError(kProgram, kUsage, QStringLiteral("no command given"));
  const QString command = args.first();
  const QStringList rest = args.mid(1);
  if (command == QLatin1String("import")) return runImport(rest);
  if (command == QLatin1String("check") || command == QLatin1String("export")) {
    if (rest.size() != 1 || rest.first().startsWith(QLatin1Char('-')))
      return cli::usageError(kProgram, kUsage, command + QStringLiteral(" needs exactly one catalogue file"));
    return command == QLatin1String("check") ? runCheck(rest.first()) : runExport(rest.first());
  }
  return cli::usageError(kProgram, kUsage, QStringLiteral("unknown command ") + command);
}
