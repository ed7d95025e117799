#include "core/catalogue/ImportOffer.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>

#include "core/catalogue/AccessImport.h"
#include "core/catalogue/CatalogueCheck.h"
#include "core/common/Messages.h"
#include "core/common/Texts.h"

namespace catalogue {

void OutputTail::append(const QByteArray &bytes) {
  text_ += bytes;
  if (text_.size() > limit_) {
    const qsizetype cut = text_.size() - limit_;
    dropped_ += cut;
    text_.remove(0, cut);
  }
}

Importer childProcessImporter(const QString &tool, int timeoutMs) {
  return [tool, timeoutMs](const QString &source, const QString &target, QString *error) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    QStringList args{QStringLiteral("import"), source, QStringLiteral("-o"), target};
    // The tool stops itself a little before the program would stop it, and then
    // removes its temporary file and says why.
    if (timeoutMs >= 2000) args << QStringLiteral("--timeout") << QString::number(timeoutMs / 1000 - 1);
    p.start(tool, args);
    if (!p.waitForStarted()) {
      *error = QStringLiteral("%1: %2").arg(tool, p.errorString());
      return false;
    }
    OutputTail tail(64 * 1024);
    QElapsedTimer clock;
    clock.start();
    while (p.state() != QProcess::NotRunning && clock.elapsed() < timeoutMs) {
      p.waitForReadyRead(static_cast<int>(std::min<qint64>(100, timeoutMs - clock.elapsed())));
      tail.append(p.readAllStandardError());
    }
    if (p.state() != QProcess::NotRunning) {
      p.kill();
      p.waitForFinished();
      *error = QStringLiteral("%1 was stopped after %2 s; the file seems damaged").arg(source).arg(timeoutMs / 1000);
      return false;
    }
    tail.append(p.readAllStandardError());
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
      const QStringList lines = QString::fromUtf8(tail.text()).trimmed().split(QLatin1Char('\n'));
      *error = lines.last().isEmpty() ? QStringLiteral("%1 cannot be read; the file seems damaged").arg(source)
                                       : lines.last();
      return false;
    }
    return true;
  };
}

namespace {

// Why the program cannot use the catalogue file at `path`: its first error.
QString catalogueErrors(const QString &path) {
  const CheckReport report = checkCatalogue(path);
  for (const Problem &p : report.problems)
    if (p.error) return problemLine(p) + (report.errors() > 1 ? QStringLiteral(" (+%1)").arg(report.errors() - 1) : QString());
  return QString();
}

// A copy that cannot be used is renamed, so that the next import does not find it
// newer than the Access file, and named to the user with the reason.
void setAside(const QString &target, const QString &why) {
  const QString aside =
      target + QStringLiteral(".unbrauchbar-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  const bool renamed = QFile::rename(target, aside);
  msg::critical(builtinText(1406).arg(QDir::toNativeSeparators(target), why,
                                      QDir::toNativeSeparators(renamed ? aside : target)),
                builtinText(1402));
}

}  // namespace

QString offerAccessImport(const QStringList &dirs, const QString &dataDir, const Importer &importer,
                          const CatalogueTest &check) {
  const auto why = [&check](const QString &path) { return check ? check(path) : catalogueErrors(path); };
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
  if (imported.exists() && imported.lastModified() >= QFileInfo(access).lastModified()) {
    const QString problem = why(target);
    if (problem.isEmpty()) return target;
    setAside(target, problem);
  }

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
  const QString problem = why(target);
  if (!problem.isEmpty()) {
    setAside(target, problem);
    return QString();
  }
  return target;
}

}  // namespace catalogue
