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

namespace catalogue {

struct ImportSummary {
  QString format;     // "Jet 3", "Jet 4", "ACE"
  QStringList tables; // the tables copied, in the order of the source's catalogue
  qint64 rows = 0;    // rows copied in all
};

// Reads `source` (opened read-only) and writes `target`. The target is written under
// a temporary name beside it and renamed only when the whole copy succeeded, so a
// failed import leaves no half file; an existing target is replaced. On failure
// returns false with the reason in `error` (English, for the command line and the
// detail of the desktop program's message).
bool importAccess(const QString &source, const QString &target, ImportSummary *summary,
                  QString *error);

}  // namespace catalogue
