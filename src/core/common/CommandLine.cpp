#include "core/common/CommandLine.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace cli {

namespace {
void write(std::FILE *f, const QString &text) {
  const QByteArray a = text.toUtf8();
  std::fwrite(a.constData(), 1, static_cast<size_t>(a.size()), f);
  std::fflush(f);
}
}  // namespace

QString versionLine(const char *program) {
  return QStringLiteral("%1 (TarvelCALC) %2").arg(QString::fromUtf8(program),
                                                  QStringLiteral(TARVEL_VERSION));
}

int answerStandardOptions(int argc, char **argv, const char *program, const char *usage) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) break;
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      write(stdout, QString::fromUtf8(usage));
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      write(stdout, versionLine(program) + QLatin1Char('\n'));
      return 0;
    }
  }
  return -1;
}

int usageError(const char *program, const char *usage, const QString &message) {
  write(stderr, QString::fromUtf8(program) + QStringLiteral(": ") + message + QLatin1Char('\n'));
  write(stderr, QString::fromUtf8(usage));
  return kExitUsage;
}

bool writeAll(int fd, const char *data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace cli
