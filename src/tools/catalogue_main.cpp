// tarvelcalc-catalogue: imports a guide catalogue from an Access/Jet file, checks a
// catalogue file against what the program reads, and exports one as SQL text.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
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
// The language of the tool's own messages and of its usage text (--lang): English
// unless given. The lines of "check" and the details of the catalogue code stay as
// they are.
Language gLanguage = Language::English;
QString say(int id) { return builtinText(id, gLanguage); }
// The usage text, text 1801 of the table (also the source of the man page).
QByteArray usage() { return say(1801).toUtf8(); }
int usageError(const QString &message) { return cli::usageError(kProgram, usage().constData(), message); }

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
    char buf[sizeof before_ + sizeof after_ + 24];
    int len = 0;
    for (const char *p = before_; *p; ++p) buf[len++] = *p;
    char digits[24];
    int d = 0;
    for (long v = n; v > 0; v /= 10) digits[d++] = static_cast<char>('0' + v % 10);
    while (d > 0) buf[len++] = digits[--d];
    for (const char *p = after_; *p; ++p) buf[len++] = *p;
    cli::writeAll(fd, buf, static_cast<size_t>(len));
  }

  // The words around the count, in the language of the messages: prepared before any
  // signal handler may need them.
  static void prepareTexts() {
    const QStringList parts = say(1834).split(QStringLiteral("%1"));
    const QByteArray before =
        (QString::fromLatin1(kProgram) + QStringLiteral(": ") + parts.value(0)).toUtf8();
    const QByteArray after = (parts.value(1) + QLatin1Char('\n')).toUtf8();
    std::memcpy(before_, before.constData(), std::min<size_t>(before.size(), sizeof before_ - 1));
    std::memcpy(after_, after.constData(), std::min<size_t>(after.size(), sizeof after_ - 1));
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
  static inline char before_[128] = {};
  static inline char after_[128] = {};
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
      if (i + 1 >= args.size()) return usageError(say(1828).arg(args[i]));
      target = args[++i];
    } else if (args[i] == QLatin1String("--timeout")) {
      bool ok = false;
      timeout = i + 1 < args.size() ? args[++i].toInt(&ok) : 0;
      if (!ok || timeout < 1 || timeout > 86400) return usageError(say(1829));
    } else if (args[i] == QLatin1String("--partial")) {
      options.partial = true;
    } else if (args[i].startsWith(QLatin1Char('-'))) {
      return usageError(say(1830).arg(args[i]));
    } else if (source.isEmpty()) {
      source = args[i];
    } else {
      return usageError(say(1802).arg(args[i]));
    }
  }
  if (source.isEmpty()) return usageError(say(1831));
  if (target.isEmpty()) {
    const QFileInfo fi(source);
    target = fi.dir().filePath(fi.completeBaseName() + QStringLiteral(".db"));
  }
  if (QFileInfo(target).absoluteFilePath() == QFileInfo(source).absoluteFilePath())
    return usageError(say(1832));

  const QByteArray message = (QString::fromLatin1(kProgram) + QStringLiteral(": ") +
                              say(1833).arg(source, QString::number(timeout), target) + QLatin1Char('\n'))
                                 .toUtf8()
                                 .left(sizeof gTimeoutMessage);
  WarningLimiter::prepareTexts();
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
  for (const QString &note : summary.notes) err(say(1822).arg(note));
  if (!done) {
    err(error);
    return 1;
  }
  out(say(1835).arg(source, summary.format, QString::number(summary.tables.size()),
                    QString::number(summary.rows), target, summary.partial ? say(1836) : QString()) +
      QLatin1Char('\n'));
  return std::fflush(stdout) == 0 ? 0 : 1;
}

int runCheck(const QString &path) {
  if (!QFileInfo(path).isFile()) {
    err(say(1837).arg(path));
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
    err(say(1838).arg(QString::fromLocal8Bit(std::strerror(errno))));
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  // --lang first: the usage and every refusal speak its language.
  if (!cli::languageOption(argc, argv, &gLanguage)) return usageError(say(1827));
  const int answered = cli::answerStandardOptions(argc, argv, kProgram, usage);
  if (answered >= 0) return answered;
  QCoreApplication app(argc, argv);
  // The check reads numbers as the program does; the program's locale is German
  // unless the user's says otherwise.
  num::resetLocale();
  const QStringList args = cli::withoutLanguageOption(app.arguments().mid(1));
  if (args.isEmpty()) return usageError(say(1839));
  const QString command = args.first();
  const QStringList rest = args.mid(1);
  if (command == QLatin1String("import")) return runImport(rest);
  if (command == QLatin1String("check") || command == QLatin1String("export")) {
    if (rest.size() != 1 || rest.first().startsWith(QLatin1Char('-')))
      return usageError(say(1840).arg(command));
    return command == QLatin1String("check") ? runCheck(rest.first()) : runExport(rest.first());
  }
  return usageError(say(1841).arg(command));
}
