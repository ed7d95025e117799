#include "core/common/SaveFile.h"

#include <QSaveFile>

namespace files {

bool writeWhole(const QString &path, const QByteArray &bytes, QString *error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error) *error = file.errorString();
    return false;
  }
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    if (error) *error = file.errorString();
    file.cancelWriting();
    return false;
  }
  return true;
}

}  // namespace files
