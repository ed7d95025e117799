#pragma once
// The standard options every program of the package answers, as Debian's command-line
// tools do: --help prints the program's usage text, --version its name and version.
// The usage text of each program is its one source: the man page is generated from it.
#include <QString>
#include <QStringList>

#include <cstddef>

#include "core/common/Texts.h"

namespace cli {

// "tarvelcalc-batch (TarvelCALC) 2002.2.0.8"
QString versionLine(const char *program);

// Looks through the arguments for --help/-h and --version (before any "--"). Prints
// the usage or the version line on stdout and returns 0 when one is found; returns -1
// when neither is there and the program goes on.
int answerStandardOptions(int argc, char **argv, const char *program, const char *usage);
// The same with a usage that is made only when --help asks for it: a usage read from the
// text table costs the reading of the table, the larger part of a tool's start.
int answerStandardOptions(int argc, char **argv, const char *program, QByteArray (*usage)());

// Prints "PROGRAM: message" and the usage on stderr and returns the exit code of a
// bad command line, 2.
int usageError(const char *program, const char *usage, const QString &message);

constexpr int kExitUsage = 2;

// --lang de|en (or --lang=de) among the arguments before any "--": the language of the
// program's own messages; *language stays as it is when the option is not given. False
// when the value is missing or neither de nor en.
bool languageOption(int argc, char **argv, Language *language);
// The arguments without --lang and its value.
QStringList withoutLanguageOption(const QStringList &args);

// Writes all SIZE bytes to the file descriptor, again after an interrupted or short
// write; false when a write fails (a full disk, a closed output, a broken pipe). Calls
// nothing but write(2), so a signal handler may use it.
bool writeAll(int fd, const char *data, std::size_t size);

}  // namespace cli
