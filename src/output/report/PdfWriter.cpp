#include "output/report/PdfWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <cerrno>
#include <cstring>

#include "core/common/Texts.h"

namespace pdf {

namespace {

QString native(const QString &path) { return QDir::toNativeSeparators(path); }

// The reason for a failed system call on the folder or file, as the user reads it.
QString reasonOf(int code, const QString &folder) {
  switch (code) {
    case ENOENT:
    case ENOTDIR:
      return builtinText(1051).arg(native(folder));
    case EACCES:
    case EPERM:
    case EROFS:
      return builtinText(1052).arg(native(folder));
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return builtinText(1053);
    case EFBIG:
      return builtinText(1054);
    default:
      return QString::fromLocal8Bit(std::strerror(code));
  }
}

// Qt's PDF writer does not tell when its file writes fail; a file cut short by a full
// disk lacks its tail. A complete file starts with the PDF header, ends with "%%EOF",
// and its last "startxref" points at the cross-reference table: the offsets were
// counted by the writer, so any bytes lost on the way move the table away from them.
bool isComplete(const QString &file) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = f.readAll();
  if (!bytes.startsWith("%PDF-") || !bytes.trimmed().endsWith("%%EOF")) return false;
  const qsizetype at = bytes.lastIndexOf("startxref");
  if (at < 0) return false;
  bool ok = false;
  const qlonglong offset = bytes.mid(at + 9, 24).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
  return ok && offset >= 0 && offset < bytes.size() && bytes.mid(offset, 4) == "xref";
}

// Why the file came out short: one more write to it gets the system's answer (disk
// full, file too large). 0 when the writes go through.
int probeWriteError(const QString &file) {
  const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) return errno;
  static const char block[1 << 16] = {};
  int code = 0;
  for (int i = 0; i < 64 && code == 0; ++i) {
    if (::write(fd, block, sizeof block) < 0) code = errno;
  }
  if (code == 0 && ::fsync(fd) != 0) code = errno;
  ::close(fd);
  return code;
}

int syncFile(const QString &file) {
  const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int code = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return code;
}

// The temporary file is removed unless it became the target.
struct TempFile {
  QByteArray name;
  bool kept = false;
  ~TempFile() {
    if (!name.isEmpty() && !kept) ::unlink(name.constData());
  }
};

}  // namespace

bool writeAtomically(const QString &path, const Meta &meta,
                     const std::function<bool(QPrinter &)> &paint, QString *error) {
  auto fail = [error](const QString &reason) {
    if (error) *error = reason;
    return false;
  };
  QFileInfo info(path);
  if (path.isEmpty() || info.fileName().isEmpty()) return fail(builtinText(1055).arg(native(path)));
  // A link is followed: the file it points at is replaced, the link stays.
  if (info.isSymLink()) info = QFileInfo(info.symLinkTarget());
  const QString target = info.absoluteFilePath();
  const QString folder = info.absolutePath();
  if (info.exists() && !info.isFile()) return fail(builtinText(1055).arg(native(target)));
  if (!QFileInfo(folder).isDir()) return fail(builtinText(1051).arg(native(folder)));

  TempFile temp;
  QByteArray pattern = QFile::encodeName(QDir(folder).filePath(QLatin1Char('.') + info.fileName())) + ".XXXXXX";
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return fail(reasonOf(errno, folder));
  temp.name = pattern;
  // The new file gets the old file's permissions, or those of any new file.
  struct stat old {};
  mode_t mode = 0;
  if (::stat(QFile::encodeName(target).constData(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  const int chmodResult = ::fchmod(fd, mode);
  ::close(fd);
  if (chmodResult != 0) return fail(reasonOf(errno, folder));

  const QString tempName = QFile::decodeName(temp.name);
  bool painted = false;
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(tempName);
    printer.setDocName(meta.title);
    printer.setCreator(meta.creator);
    painted = paint(printer);
  }
  if (!painted || !isComplete(tempName)) {
    const int code = probeWriteError(tempName);
    if (code != 0) return fail(reasonOf(code, folder));
    return fail(builtinText(painted ? 1056 : 1057));
  }
  if (const int code = syncFile(tempName)) return fail(reasonOf(code, folder));
  if (::rename(temp.name.constData(), QFile::encodeName(target).constData()) != 0)
    return fail(reasonOf(errno, folder));
  temp.kept = true;
  // The new name is on disk only once the folder is.
  const int dirFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return true;
}

}  // namespace pdf
