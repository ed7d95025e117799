#include "catalogue/ImportOffer.h"

#include <QDir>
#include <QFileInfo>

#include "catalogue/AccessImport.h"
#include "common/Messages.h"
#include "common/Texts.h"

namespace catalogue {

QString offerAccessImport(const QStringList &dirs, const QString &dataDir) {
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
  if (!QDir().mkpath(dataDir) || !importAccess(access, target, nullptr, &error)) {
    if (error.isEmpty()) error = QDir::toNativeSeparators(dataDir);
    msg::critical(builtinText(1403).arg(QDir::toNativeSeparators(access), error), builtinText(1402));
    return QString();
  }
  return target;
}

}  // namespace catalogue
