#include "core/common/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace datafiles {

QStringList searchDirs() {
  const QString exeDir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                      : QDir::currentPath();
  return {QDir::cleanPath(exeDir),
          QDir::cleanPath(exeDir + QStringLiteral("/../share/tarvelcalc"))};
}

QStringList candidates(const QString &relative) {
  QStringList paths;
  for (const QString &dir : searchDirs()) paths << dir + QLatin1Char('/') + relative;
  return paths;
}

QString locate(const QString &relative) {
  const QStringList paths = candidates(relative);
  for (const QString &p : paths)
    if (QFileInfo::exists(p)) return p;
  return paths.first();
}

}  // namespace datafiles
