// Links, the help document and the system-information tool: everything the program
// hands to the desktop.
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "common/DataFiles.h"
#include "Auxiliary.h"
#include "common/Errors.h"
#include "common/Messages.h"
#include "common/Texts.h"

namespace aux {
namespace {

UrlOpener &urlOpener() {
  static UrlOpener f;
  return f;
}
ViewerCheck &viewerCheck() {
  static ViewerCheck f;
  return f;
}
ToolLookup &sysInfoLookup() {
  static ToolLookup f;
  return f;
}
ProgramStarter &programStarter() {
  static ProgramStarter f;
  return f;
}

bool openUrl(const QUrl &url) {
  if (urlOpener()) return urlOpener()(url);
  return QDesktopServices::openUrl(url);
}

}  // namespace

namespace {
QString &helpDocumentOverride() {
  static QString path;
  return path;
}
}  // namespace

QString helpDocumentPath() {
  if (!helpDocumentOverride().isEmpty()) return helpDocumentOverride();
  return datafiles::locate(QStringLiteral("Help/AnlFN.pdf"));
}

void setHelpDocumentPath(const QString &path) { helpDocumentOverride() = path; }

void setUrlOpener(UrlOpener opener) { urlOpener() = std::move(opener); }
void setPdfViewerCheck(ViewerCheck check) { viewerCheck() = std::move(check); }
void setSysInfoLookup(ToolLookup lookup) { sysInfoLookup() = std::move(lookup); }
void setProgramStarter(ProgramStarter starter) { programStarter() = std::move(starter); }

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
  const QString tool = sysInfoLookup() ? sysInfoLookup()() : defaultSysInfoLookup();
  bool started = false;
  if (!tool.isEmpty()) {
    started = programStarter() ? programStarter()(tool) : QProcess::startDetached(tool, {});
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
  const bool viewer = aux::viewerCheck() ? aux::viewerCheck()() : aux::defaultPdfViewerCheck();
  if (!viewer || !aux::openUrl(QUrl::fromLocalFile(doc))) {
    msg::show({builtinText(326), QString(), msg::Icon::Exclamation});
  }
}
