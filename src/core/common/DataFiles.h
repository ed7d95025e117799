#pragma once
// Where the programs find their data (the catalogue DBFN.db, the manual Help/AnlFN.pdf):
// beside the executable first, as in the build folder, then in ../share/tarvelcalc/
// of it, as installed (/usr/bin/tarvelcalc and /usr/share/tarvelcalc/DBFN.db).
#include <QString>
#include <QStringList>

namespace datafiles {

// The folders searched, in order (absolute, without a trailing slash).
QStringList searchDirs();
// The path of `relative` (such as "DBFN.db" or "Help/AnlFN.pdf") in each folder.
QStringList candidates(const QString &relative);
// The first of the candidates that exists; the first candidate when none does.
QString locate(const QString &relative);

}  // namespace datafiles
