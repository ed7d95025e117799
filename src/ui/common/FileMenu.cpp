#include "ui/common/FileMenu.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QUrl>
#include <QWidget>
#include <memory>

#include "ui/common/AppServices.h"
#include "ui/common/Gui.h"
#include "core/common/Texts.h"

namespace filemenu {

namespace {
constexpr int kRecentCount = 5;

const AppServices::FileMenu &services() { return app::services().fileMenu; }
const QString kRecentKey = QStringLiteral("recentFiles");

QString &recentStore() {
  static QString file;
  return file;
}


// The first local file of a drag, empty when it carries none.
QString droppedFile(const QMimeData *data) {
  if (!data || !data->hasUrls()) return QString();
  for (const QUrl &url : data->urls())
    if (url.isLocalFile()) return url.toLocalFile();
  return QString();
}

// Lets a screen take a dropped file: the file opens as "Öffnen…" would open it.
class DropTarget : public QObject {
 public:
  DropTarget(QWidget *screen, Session &session) : QObject(screen), screen_(screen), session_(session) {
    screen->setAcceptDrops(true);
    screen->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (watched != screen_) return false;
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
      auto *e = static_cast<QDropEvent *>(event);
      if (droppedFile(e->mimeData()).isEmpty()) return false;
      e->acceptProposedAction();
      return true;
    }
    if (event->type() == QEvent::Drop) {
      auto *e = static_cast<QDropEvent *>(event);
      const QString file = droppedFile(e->mimeData());
      if (file.isEmpty() || !services().openFile) return false;
      e->acceptProposedAction();
      services().openFile(session_, screen_, file);
      return true;
    }
    return false;
  }

 private:
  QWidget *screen_;
  Session &session_;
};

void fillRecentMenu(QMenu *menu, QWidget *screen, Session &session) {
  menu->clear();
  const QStringList files = recentFiles();
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files.at(i);
    QAction *a = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
    a->setObjectName(QStringLiteral("MenüZuletzt%1").arg(i + 1));
    QObject::connect(a, &QAction::triggered, screen, [screen, &session, path] {
      if (services().openFile) services().openFile(session, screen, path);
    });
  }
  menu->setEnabled(!files.isEmpty());
}
}  // namespace

std::unique_ptr<QSettings> settings() {
  if (!recentStore().isEmpty()) return std::make_unique<QSettings>(recentStore(), QSettings::IniFormat);
  return std::make_unique<QSettings>(QStringLiteral("Tarvel"), QStringLiteral("TarvelCALC"));
}

bool available() {
  const AppServices::FileMenu &s = services();
  return s.open || s.openFile || s.save || s.saveAs;
}

std::function<bool()> saveFor(QWidget *screen, Session &session) {
  return [screen, &session] { return services().save && services().save(session, screen); };
}

void addItems(QMenu *datei, QWidget *screen, Session &session, bool canSave) {
  const AppServices::FileMenu &s = services();
  if (!datei || !screen || !available()) return;
  QAction *first = datei->actions().value(0);
  auto add = [&](const char *name, int text, const QKeySequence &keys, std::function<void()> run) {
    auto *a = new QAction(datei);
    gui::showText(a, text);
    a->setObjectName(QString::fromUtf8(name));
    a->setShortcut(keys);
    a->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(a, &QAction::triggered, screen, std::move(run));
    datei->insertAction(first, a);
    // Shortcuts work wherever the screen has the focus, also while the menu is closed.
    screen->addAction(a);
    return a;
  };
  add("MenüÖffnen", 1200, QKeySequence::Open, [screen, &session] {
    if (services().open) services().open(session, screen);
  });
  QAction *save = add("MenüDateiSpeichern", 1511, QKeySequence::Save, [screen, &session] {
    if (services().save) services().save(session, screen);
  });
  QAction *saveAs = add("MenüDateiSpeichernUnter", 1512, QKeySequence(), [screen, &session] {
    if (services().saveAs) services().saveAs(session, screen);
  });
  save->setEnabled(canSave && bool(s.save));
  saveAs->setEnabled(canSave && bool(s.saveAs));

  auto *recent = new QMenu(datei);
  gui::showText(recent, 1203);
  recent->setObjectName(QStringLiteral("MenüZuletzt"));
  datei->insertMenu(first, recent);
  fillRecentMenu(recent, screen, session);
  QObject::connect(datei, &QMenu::aboutToShow, recent, [recent, screen, &session] { fillRecentMenu(recent, screen, session); });
  if (first) datei->insertSeparator(first);

  new DropTarget(screen, session);
}

QStringList recentFiles() {
  QStringList out;
  for (const QString &f : settings()->value(kRecentKey).toStringList())
    if (QFileInfo::exists(f) && !out.contains(f) && out.size() < kRecentCount) out << f;
  return out;
}

void noteRecentFile(const QString &path) {
  const QString file = QFileInfo(path).absoluteFilePath();
  QStringList list = settings()->value(kRecentKey).toStringList();
  list.removeAll(file);
  list.prepend(file);
  while (list.size() > kRecentCount) list.removeLast();
  auto s = settings();
  s->setValue(kRecentKey, list);
  s->sync();
}

void setRecentStore(const QString &iniFile) { recentStore() = iniFile; }

}  // namespace filemenu
