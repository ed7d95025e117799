#pragma once
// The desktop program without its catalogue DBFN.db but with the maker's Access file
// DBFN.mde (or DBFN.mdb) in one of its places: it offers to import that file into the
// user's data folder and then reads the imported copy.
#include <QString>
#include <QStringList>
#include <functional>

namespace catalogue {

// Looks for DBFN.db, then DBFN.mde and DBFN.mdb, in `dirs` (in order). When there is
// no DBFN.db but an Access file, returns the catalogue to use instead:
// `dataDir`/DBFN.db, when it was imported from that file before and is not older than
// it, or after the user agreed to the question and the import succeeded. Returns an
// empty text when a DBFN.db is there, when there is nothing to import, when the user
// declines, or when the import failed (after a message naming the reason).
// `importer` does the import (source, target, error); by default importAccess in this
// process.
using Importer = std::function<bool(const QString &source, const QString &target, QString *error)>;
QString offerAccessImport(const QStringList &dirs, const QString &dataDir, const Importer &importer = {});

// An importer that runs `tool import SOURCE -o TARGET` (tarvelcalc-catalogue) as a
// child process and waits at most `timeoutMs`: a damaged Access file can make libmdb
// loop or crash, which then ends only the child. The tool writes the target
// completely or not at all.
Importer childProcessImporter(const QString &tool, int timeoutMs);

}  // namespace catalogue
