#pragma once
// Copying an Access/Jet database (.mdb, .mde, .accdb) into a new SQLite catalogue file
// with libmdb, the library of the mdbtools commands. Every user table is copied with
// its name and column names as they are; values keep their kind:
//   Byte, Integer, Long Integer, Yes/No (0/1), Complex ids  -> INTEGER
//   Single, Double                                           -> REAL
//   Currency, Decimal                                        -> INTEGER or REAL when the
//       decimal value survives that exactly, otherwise the exact decimal as TEXT
//   Date/Time                    -> TEXT "YYYY-MM-DDTHH:MM:SS" (ISO 8601)
//   Text, Memo, Replication ID   -> TEXT (UTF-8)
//   OLE object, Binary           -> BLOB
//   NULL                         -> NULL
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace catalogue {

struct ImportSummary {
  QString format;     // "Jet 3", "Jet 4", "ACE"
  QStringList tables; // the tables copied, in the order of the source's catalogue
  qint64 rows = 0;    // rows copied in all
  QStringList notes;  // values not taken as they are (a date out of range), shortfalls of a partial import
  bool partial = false;  // ImportOptions::partial, and something could not be read
};

struct ImportOptions {
  // Writes what could be read even when a table could not be read whole, but only into
  // a target that does not exist yet; the shortfalls are named in the summary's notes.
  bool partial = false;
  // Told the name of the temporary file as soon as it exists, so that a caller that
  // stops the import from outside (the command line tool's time limit) can remove it.
  std::function<void(const QString &)> temporaryCreated;
};

// Reads `source` (opened read-only) and writes `target`. The target is written under
// a temporary name beside it (TARGET.import-PID.XXXXXX, without a journal file) and
// renamed only when the whole copy succeeded and was checked against what the source
// declares: at least one table, every table with as many rows as its definition
// counts and all its columns. A failed import leaves the target as it was; an existing
// target is replaced only when it is a regular file. Temporary files of earlier
// imports into the same folder whose process is gone are removed first. On failure
// returns false with the reason in `error` (English, for the command line and the
// detail of the desktop program's message).
bool importAccess(const QString &source, const QString &target, ImportSummary *summary, QString *error,
                  const ImportOptions &options = {});

// The ISO 8601 text of an Access date (days since 1899-12-30, the fraction the time of
// day), nothing for a value outside Access's years 100 to 9999 or no number at all.
std::optional<QString> accessDate(double days);

}  // namespace catalogue
