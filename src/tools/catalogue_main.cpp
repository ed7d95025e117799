// tarvelcalc-catalogue: imports a guide catalogue from an Access/Jet file, checks a
// catalogue file against what the program reads, and exports one as SQL text.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "catalogue/AccessImport.h"
#include "catalogue/CatalogueCheck.h"
#include "catalogue/CatalogueExport.h"
#include "common/CommandLine.h"
#include "common/Numbers.h"

namespace {

constexpr const char *kProgram = "tarvelcalc-catalogue";
constexpr const char *kUsage =
    "Usage: tarvelcalc-catalogue import SOURCE.mdb|SOURCE.mde|SOURCE.accdb [-o TARGET.db]\n"
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
    "           completely or not at all (default: the source's name with .db).\n"
    "  check    check a catalogue file against what the program reads: the settings,\n"
    "           every listed table with its columns, the numbers in every numeric\n"
    "           cell, the sizes of each table set and the special series. One line\n"
    "           per problem naming table, row and column, then a summary.\n"
    "  export   write a catalogue file as SQL text (CREATE TABLE and INSERT\n"
    "           statements) on standard output.\n"
    "\n"
    "Options:\n"
    "  -o, --output FILE  the catalogue file an import writes\n"
    "  -h, --help         show this help and exit\n"
    "      --version      show the version and exit\n"
    "\n"
    "Exit status:\n"
    "  0  done; for check: the program can use the catalogue (notes may remain)\n"
    "  1  the import or export failed, or check found errors\n"
    "  2  bad command line\n";

void out(const QString &text) {
  const QByteArray a = text.toUtf8();
  std::fwrite(a.constData(), 1, static_cast<size_t>(a.size()), stdout);
}

void err(const QString &text) {
  const QByteArray a = (QString::fromLatin1(kProgram) + QStringLiteral(": ") + text + QLatin1Char('\n')).toUtf8();
  std::fwrite(a.constData(), 1, static_cast<size_t>(a.size()), stderr);
}

int runImport(const QStringList &args) {
  QString source, target;
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == QLatin1String("-o") || args[i] == QLatin1String("--output")) {
      if (i + 1 >= args.size()) return cli::usageError(kProgram, kUsage, args[i] + QStringLiteral(" needs a file name"));
      target = args[++i];
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
  catalogue::ImportSummary summary;
  QString error;
  if (!catalogue::importAccess(source, target, &summary, &error)) {
    err(error);
    return 1;
  }
  out(QStringLiteral("%1 (%2): %3 tables, %4 rows -> %5\n")
          .arg(source, summary.format)
          .arg(summary.tables.size())
          .arg(summary.rows)
          .arg(target));
  return 0;
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
  out(sql);
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
