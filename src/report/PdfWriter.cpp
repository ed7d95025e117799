#include "report/PdfWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace pdf {

// The printer writes into a temporary file beside the target; only a complete PDF takes
// the target's name (rename within one folder replaces it in one step), so an existing
// file survives a failed or cut-off printout, and no half-written PDF is ever left behind.
bool writeAtomically(const QString &path, const Meta &meta,
                     const std::function<bool(QPrinter &)> &paint, QString *error) {
  const QFileInfo target(path);
  QTemporaryFile temp(QDir(target.absolutePath()).filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));
  if (!temp.open()) {
    if (error) *error = temp.errorString();
    return false;
  }
  // A PDF for others to read, not a private temporary file.
  temp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
  temp.close();  // the printer opens the file by name
  bool painted = false;
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(temp.fileName());
    printer.setDocName(meta.title);
    printer.setCreator(meta.creator);
    painted = paint(printer);
  }  // the printer finishes the file when it goes
  if (!painted) return false;  // paint gave the reason
  if (QFileInfo(temp.fileName()).size() == 0) {
    if (error) *error = QStringLiteral("empty printout");
    return false;
  }
  if (std::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
    if (error) *error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
  }
  temp.setAutoRemove(false);  // renamed: nothing left to remove
  return true;
}

}  // namespace pdf
