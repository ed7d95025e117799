// Links, the help document and the system-information tool: everything the program
// hands to the desktop.
#include <QCoreApplication>
#include <QDir>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "ui/common/AppServices.h"
#include "core/common/DataFiles.h"
#include "ui/auxiliary/Auxiliary.h"
#include "core/common/Errors.h"
#include "core/common/Messages.h"
#include "core/common/Texts.h"

namespace aux {
namespace {

bool openUrl(const QUrl &url) {
  const auto &open = app::services().desktop.openUrl;
  if (open) return open(url);
  return QDesktopServices::openUrl(url);
}

}  // namespace

QString helpDocumentPath() {
  // The German manual (the one chosen, or where the program looks) and, for an English
  // interface, its English edition beside it: AnlFN_en.pdf. Where that one is missing
  // the German manual serves.
  const QString &chosen = app::services().desktop.helpDocument;
  const QString german = chosen.isEmpty() ? datafiles::locate(QStringLiteral("Help/AnlFN.pdf")) : chosen;
  if (interfaceLanguage() == Language::German) return german;
  const QStringList english = chosen.isEmpty()
                                  ? datafiles::candidates(QStringLiteral("Help/AnlFN_en.pdf"))
                                  : QStringList{QFileInfo(chosen).dir().filePath(
                                        QFileInfo(chosen).completeBaseName() + QStringLiteral("_en.pdf"))};
  for (const QString &path : english)
    if (QFileInfo::exists(path)) return path;
  return german;
}


bool defaultPdfViewerCheck() {
  // The desktop opens documents through its MIME associations; without a default
  // application for PDF there is nobody to show the manual.
  const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (xdgMime.isEmpty()) return false;
  QProcess p;
  p.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("application/pdf")});
  if (!p.waitForStarted(3000)) return false;
  if (!p.waitForFinished(5000)) {
    p.kill();
    p.waitForFinished(1000);
    return false;
  }
  if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return false;
  return !QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed().isEmpty();
}

QString defaultSysInfoLookup() {
  static const char *const tools[] = {"hardinfo", "gnome-system-monitor", "kinfocenter", "ksysguard"};
  for (const char *tool : tools) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    if (!path.isEmpty()) return path;
  }
  return {};
}

void startSysInfo() {
  const auto &desktop = app::services().desktop;
  const QString tool = desktop.sysInfoLookup ? desktop.sysInfoLookup() : defaultSysInfoLookup();
  bool started = false;
  if (!tool.isEmpty()) {
    started = desktop.startProgram ? desktop.startProgram(tool) : QProcess::startDetached(tool, {});
  }
  if (!started) msg::plain(builtinText(322));
}

}  // namespace aux

qint32 glngOpenLink(const QString &link) {
  const QUrl url(link, QUrl::TolerantMode);
  if (url.isValid() && !link.trimmed().isEmpty() && aux::openUrl(url)) return 42;
  // The desktop gives no reason; the link itself tells the user what could not be opened.
  msg::critical(link, builtinText(312));
  return 0;
}

void gsubHelp() {
  const QString doc = aux::helpDocumentPath();
  if (!QFileInfo::exists(doc)) {
    // Without the document there is nothing to show; asking for a viewer would mislead.
    msg::critical(err::fileNotFound() + QStringLiteral(": ") + doc, QStringLiteral("Error gsubHelp"));
    return;
  }
  const auto &check = app::services().desktop.pdfViewerCheck;
  const bool viewer = check ? check() : aux::defaultPdfViewerCheck();
  if (!viewer || !aux::openUrl(QUrl::fromLocalFile(doc))) {
    msg::show({builtinText(326), QString(), msg::Icon::Exclamation});
  }
}
