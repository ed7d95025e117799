#pragma once
// The desktop program without its catalogue DBFN.db but with the maker's Access file
// DBFN.mde (or DBFN.mdb) in one of its places: it offers to import that file into the
// user's data folder and then reads the imported copy.
#include <QString>
#include <QStringList>

namespace catalogue {

// Looks for DBFN.db, then DBFN.mde and DBFN.mdb, in `dirs` (in order). When there is
// no DBFN.db but an Access file, returns the catalogue to use instead:
// `dataDir`/DBFN.db, when it was imported from that file before and is not older than
// it, or after the user agreed to the question and the import succeeded. Returns an
// empty text when a DBFN.db is there, when there is nothing to import, when the user
// declines, or when the import failed (after a message naming the reason).
QString offerAccessImport(const QStringList &dirs, const QString &dataDir);

}  // namespace catalogue
