#include "support/TestCatalogue.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "core/catalogue/BuildCatalogue.h"
#include "core/catalogue/Catalogue.h"

namespace testsupport {

namespace {
// Every directory handed out lives until the test program ends, then goes away.
QString newTemporaryDirectory() {
  static std::vector<std::unique_ptr<QTemporaryDir>> dirs;
  auto dir = std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("tarvel-XXXXXX")));
  if (!dir->isValid()) {
    ADD_FAILURE() << "cannot create a temporary directory";
    return QString();
  }
  const QString path = dir->path();
  dirs.push_back(std::move(dir));
  return path;
}

QString fromEnvironment(const char *name) {
  const QString value = qEnvironmentVariable(name);
  if (value.isEmpty()) ADD_FAILURE() << name << " is not set; run the test through ctest";
  return value;
}
}  // namespace

QString buildCatalogue(const QString &sql, const QString &fileName) {
  const QString dir = newTemporaryDirectory();
  if (dir.isEmpty()) return QString();
  const QString path = QDir(dir).filePath(fileName);
  std::string error;
  if (!catalogue::buildCatalogueFile(sql.toStdString(), QFile::encodeName(path).toStdString(),
                                     &error)) {
    ADD_FAILURE() << "the test catalogue could not be built: " << error;
    return QString();
  }
  return path;
}

QString demoCatalogueSql() {
  const QString source = fromEnvironment("TARVEL_SOURCE_DIR");
  if (source.isEmpty()) return QString();
  QFile f(QDir(source).filePath(QStringLiteral("src/resources/catalogue.sql")));
  if (!f.open(QIODevice::ReadOnly)) {
    ADD_FAILURE() << "cannot read " << f.fileName().toStdString();
    return QString();
  }
  return QString::fromUtf8(f.readAll());
}

QString demoCatalogueFile() {
  const QString build = fromEnvironment("TARVEL_BUILD_DIR");
  if (build.isEmpty()) return QString();
  return QDir(build).filePath(QStringLiteral("DBFN.db"));
}

QString missingCatalogueFile() {
  const QString dir = newTemporaryDirectory();
  return dir.isEmpty() ? QString() : QDir(dir).filePath(QStringLiteral("DBFN.db"));
}

QString damagedCatalogueFile() {
  const QString path = missingCatalogueFile();
  QFile f(path);
  if (path.isEmpty() || !f.open(QIODevice::WriteOnly)) {
    ADD_FAILURE() << "cannot write a damaged catalogue";
    return QString();
  }
  // Looks like the start of something, but is no SQLite file.
  QByteArray junk("This is no catalogue, only a text file.\n");
  junk += QByteArray(4096, '\x5a');
  f.write(junk);
  return path;
}

ScopedCatalogueFile::ScopedCatalogueFile(Session &session, const QString &path, std::function<void()> busy)
    : session_(session), previous_(session.catalogue) {
  session.catalogue = std::make_shared<catalogue::Catalogue>(path, std::move(busy));
}

ScopedCatalogueFile::~ScopedCatalogueFile() { session_.catalogue = previous_; }

}  // namespace testsupport
