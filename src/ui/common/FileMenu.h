#pragma once
// The calculation-file items of the menu "Datei": "Öffnen…" (Ctrl+O), "Speichern"
// (Ctrl+S), "Speichern unter…" and the last five files, on the start screen and on every
// arrangement and evaluation screen; and a file dropped onto such a window opens it.
// What the items do is installed by the program (AppServices::fileMenu); a screen made
// without them keeps its menu as it is.
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "core/common/Session.h"

class QMenu;
class QSettings;
class QWidget;

namespace filemenu {

// Whether the program installed the services (the items exist only then).
bool available();

// Puts the items at the top of the screen's menu "Datei", followed by a separator, and
// lets the screen take dropped files; the items work on the screen's session. canSave is
// false where there is no calculation to save (the start screen). Nothing happens while
// no services are installed.
void addItems(QMenu *datei, QWidget *screen, Session &session, bool canSave);
// "Speichern" of the question before unsaved input goes: saves the calculation of the
// screen as the menu item does; true when it was saved.
std::function<bool()> saveFor(QWidget *screen, Session &session);

// The files last saved or opened, newest first, five at most; files that no longer
// exist are left out.
QStringList recentFiles();
void noteRecentFile(const QString &path);
// Where the list is kept: the user's settings of the program, or (tests) an INI file of
// their own.
void setRecentStore(const QString &iniFile);
// The program's settings in that store (the recent files, the interface language).
std::unique_ptr<QSettings> settings();

}  // namespace filemenu
