#include "catalogue/ImportOffer.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "catalogue/AccessImport.h"
#include "common/Messages.h"
#include "common/Texts.h"

namespace catalogue {

Importer childProcessImporter(const QString &tool, int timeoutMs) {
  return [tool, timeoutMs](const QString &source, const QString &target, QString *error) {
    QProcess p;
    p.start(tool, {QStringLiteral("import"), source, QStringLiteral("-o"), target});
    if (!p.waitForStarted()) {
      *error = QStringLiteral("%1: %2").arg(tool, p.errorString());
      return false;
    }
    if (!p.waitForFinished(timeoutMs)) {
      p.kill();
      p.waitForFinished();
      *error = QStringLiteral("%1 was stopped after %2 s; the file seems damaged").arg(source).arg(timeoutMs / 1000);
      return false;
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
      const QStringList lines = QString::fromUtf8(p.readAllStandardError()).trimmed().split(QLatin1Char('\n'));
      *error = lines.last().isEmpty() ? QStringLiteral("%1 cannot be read; the file seems damaged").arg(source)
                                       : lines.last();
      return false;
    }
    return true;
  };
}

QString offerAccessImport(const QStringList &dirs, const QString &dataDir, const Importer &importer) {
  QString access;
  for (const QString &dir : dirs) {
    if (QFileInfo::exists(QDir(dir).filePath(QStringLiteral("DBFN.db")))) return QString();
    for (const char *name : {"DBFN.mde", "DBFN.mdb"}) {
      const QString path = QDir(dir).filePath(QLatin1String(name));
      if (access.isEmpty() && QFileInfo::exists(path)) access = path;
    }
  }
  if (access.isEmpty()) return QString();

  const QString target = QDir(dataDir).filePath(QStringLiteral("DBFN.db"));
  const QFileInfo imported(target);
  if (imported.exists() && imported.lastModified() >= QFileInfo(access).lastModified()) return target;

  msg::Message question;
  question.text = builtinText(1401).arg(QDir::toNativeSeparators(access), QDir::toNativeSeparators(target));
  question.title = builtinText(1402);
  question.icon = msg::Icon::Question;
  question.buttons = msg::Buttons::YesNo;
  if (msg::show(question) != msg::Answer::Yes) return QString();

  QString error;
  const bool done = QDir().mkpath(dataDir) &&
                        (importer ? importer(access, target, &error)
                                  : importAccess(access, target, nullptr, &error));
  if (!done) {
    if (error.isEmpty()) error = QDir::toNativeSeparators(dataDir);
    msg::critical(builtinText(1403).arg(QDir::toNativeSeparators(access), error), builtinText(1402));
    return QString();
  }
  return target;
}

}  // namespace catalogue
