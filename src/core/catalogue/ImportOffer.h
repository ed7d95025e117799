#pragma once
// The desktop program without its catalogue DBFN.db but with the maker's Access file
// DBFN.mde (or DBFN.mdb) in one of its places: it offers to import that file into the
// user's data folder and then reads the imported copy.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace catalogue {

// Looks for DBFN.db, then DBFN.mde and DBFN.mdb, in `dirs` (in order). When there is
// no DBFN.db but an Access file, returns the catalogue to use instead:
// `dataDir`/DBFN.db, when it was imported from that file before, is not older than it
// and passes `check`, or after the user agreed to the question and the import
// succeeded and its result passes `check`. A copy that does not pass is named in a
// message and set aside (renamed to DBFN.db.unbrauchbar-DATE-TIME, not deleted), so
// that the import is offered again. Returns an empty text when a DBFN.db is there,
// when there is nothing to import, when the user declines, or when the import failed
// (after a message naming the reason).
// `importer` does the import (source, target, error); by default importAccess in this
// process. `check` tells why a catalogue file cannot be used (empty: it can); by
// default the errors of checkCatalogue.
using Importer = std::function<bool(const QString &source, const QString &target, QString *error)>;
using CatalogueTest = std::function<QString(const QString &path)>;
QString offerAccessImport(const QStringList &dirs, const QString &dataDir, const Importer &importer = {},
                          const CatalogueTest &check = {});

// The end of a child's output, at most `limit` bytes of it: a child that writes
// without end (libmdb's warnings while it loops) costs no more memory than that.
class OutputTail {
 public:
  explicit OutputTail(qsizetype limit) : limit_(limit) {}
  void append(const QByteArray &bytes);
  const QByteArray &text() const { return text_; }
  qint64 dropped() const { return dropped_; }

 private:
  qsizetype limit_;
  QByteArray text_;
  qint64 dropped_ = 0;
};

// An importer that runs `tool import SOURCE -o TARGET --timeout S` (tarvelcalc-catalogue)
// as a child process and waits at most `timeoutMs`: a damaged Access file can make
// libmdb loop or crash, which then ends only the child. The tool writes the target
// completely or not at all. Of the child's standard error only the end is kept
// (OutputTail); its last line is the reason of a failure.
Importer childProcessImporter(const QString &tool, int timeoutMs);

}  // namespace catalogue
