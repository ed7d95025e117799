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

namespace {
template <typename Usage>
int answerWith(int argc, char **argv, const char *program, Usage usage) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) break;
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      write(stdout, QString::fromUtf8(usage()));
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      write(stdout, versionLine(program) + QLatin1Char('\n'));
      return 0;
    }
  }
  return -1;
}
}  // namespace

int answerStandardOptions(int argc, char **argv, const char *program, const char *usage) {
  return answerWith(argc, argv, program, [usage] { return usage; });
}

int answerStandardOptions(int argc, char **argv, const char *program, QByteArray (*usage)()) {
  return answerWith(argc, argv, program, usage);
}

int usageError(const char *program, const char *usage, const QString &message) {
  write(stderr, QString::fromUtf8(program) + QStringLiteral(": ") + message + QLatin1Char('\n'));
  write(stderr, QString::fromUtf8(usage));
  return kExitUsage;
}

bool languageOption(int argc, char **argv, Language *language) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) break;
    const char *value = nullptr;
    if (std::strcmp(argv[i], "--lang") == 0) {
      if (i + 1 >= argc) return false;
      value = argv[++i];
    } else if (std::strncmp(argv[i], "--lang=", 7) == 0) {
      value = argv[i] + 7;
    } else {
      continue;
    }
    if (std::strcmp(value, "de") != 0 && std::strcmp(value, "en") != 0) return false;
    *language = languageOfCode(QString::fromLatin1(value));
  }
  return true;
}

QStringList withoutLanguageOption(const QStringList &args) {
  QStringList out;
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--")) {
      out += args.mid(i);
      break;
    }
    if (args[i] == QLatin1String("--lang"))
      ++i;
    else if (!args[i].startsWith(QLatin1String("--lang=")))
      out << args[i];
  }
  return out;
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
