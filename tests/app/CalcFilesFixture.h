#pragma once
// The screens of the desktop program on the demo catalogue, for the tests of calculation
// files: the program's services with dialogs that answer for the user, the start screen
// open, a folder of the test's own for files and the recent list; every screen closed
// afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>

#include "app/CalcFiles.h"
#include "app/FrmStart.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "core/document/CaseFile.h"
#include "support/TestCatalogue.h"
#include "ui/arrangements/FrmArrangement.h"
#include "ui/common/AppServices.h"
#include "ui/common/FileMenu.h"
#include "ui/evaluation/FrmAuswertung.h"
#include "ui/report/FrmAusdruck.h"
#include "ui/report/ReportHooks.h"

// The visible top-level windows of a kind.
template <class T>
QList<T *> topLevel() {
  QList<T *> out;
  for (QWidget *w : QApplication::topLevelWidgets())
    if (auto *t = qobject_cast<T *>(w); t && !t->isHidden()) out << t;
  return out;
}

class CalcFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    QApplication::setQuitOnLastWindowClosed(false);
    computeSubVersion(session);
    catalogueFile = std::make_unique<testsupport::ScopedCatalogueFile>(session, testsupport::demoCatalogueFile());
    // The program's services without busy windows and start screen; the dialogs answer
    // for the user.
    AppServices services;
    services.dialogs = report::standardDialogs();
    services.dialogs.askSaveFileName = [this](QWidget *, const QStringList &filters, const QString &) {
      askedFilters = filters;
      ++saveDialogs;
      return saveAnswer;
    };
    services.dialogs.askOpenFileName = [this](QWidget *, const QStringList &) { return openAnswer; };
    services.dialogs.commentDialog = [](QWidget *) { return true; };
    services.fileMenu = calcfiles::fileMenuServices();
    services.evaluation = FrmAuswertung::standardServices();
    app::install(std::move(services));
    filemenu::setRecentStore(dir.filePath("recent.ini"));
    start = FrmStart::open(session);
    ASSERT_TRUE(start);
  }
  void TearDown() override {
    if (FrmAusdruck *r = FrmAusdruck::current()) r->close();
    QList<QPointer<QWidget>> windows;
    for (QWidget *w : QApplication::topLevelWidgets())
      if (qobject_cast<FrmAuswertung *>(w) || qobject_cast<FrmArrangement *>(w) || qobject_cast<FrmStart *>(w))
        windows << w;
    for (const QPointer<QWidget> &w : windows) delete w.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    app::install({});
    filemenu::setRecentStore(QString());
    catalogueFile.reset();
  }

  QString write(const QString &name, const QByteArray &content) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    return f.fileName();
  }
  QString write(const QString &name, const QJsonObject &o) { return write(name, QJsonDocument(o).toJson()); }

  static calcfile::Case read(const QString &path) {
    calcfile::Case c;
    calcfile::Error e;
    EXPECT_TRUE(calcfile::readFile(path, &c, &e)) << e.english.toStdString();
    return c;
  }

  FrmArrangement *arrangementScreen() {
    const QList<FrmArrangement *> all = topLevel<FrmArrangement>();
    return all.size() == 1 ? all.first() : nullptr;
  }
  FrmAuswertung *evaluationScreen() {
    const QList<FrmAuswertung *> all = topLevel<FrmAuswertung>();
    return all.size() == 1 ? all.first() : nullptr;
  }
  void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  struct BatchRun {
    int exitCode = -1;
    QByteArray out;
  };
  static BatchRun batch(const QStringList &args) {
    QProcess p;
    p.start(qEnvironmentVariable("TARVEL_BUILD_DIR") + QStringLiteral("/tarvelcalc-batch"),
            args + QStringList{QStringLiteral("--catalogue"), testsupport::demoCatalogueFile()});
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput()};
  }

  Session session;
  QTemporaryDir dir;
  std::unique_ptr<testsupport::ScopedCatalogueFile> catalogueFile;
  msg::Recorder rec;
  QPointer<FrmStart> start;
  std::optional<QString> saveAnswer;
  std::optional<QString> openAnswer;
  QStringList askedFilters;
  int saveDialogs = 0;
};
