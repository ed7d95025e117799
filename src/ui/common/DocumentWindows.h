#pragma once
// The calculation document on the screens: the windows that show one carry its file name
// and modified mark in their title, and the menu "Bearbeiten" with its undo and redo.
#include <QString>

class CalcDocument;
class QMenu;
class QMenuBar;
class QWidget;

namespace docui {

// Shows the document in a window from now on: its title (the title the window has now is
// its plain title) names the file, "*" while the input differs from the file.
void showIn(CalcDocument *doc, QWidget *window);
// The window's own title, without the file name: while it shows a document, the file
// name and the modified mark stay before it (a screen sets its title anew when the
// language changes).
void setPlainTitle(QWidget *window, const QString &plain);
// The document a widget belongs to: of its window, or of a window above it; nullptr
// when none is attached.
CalcDocument *of(const QWidget *widget);

// The menu "Bearbeiten" with "Rückgängig" (Ctrl+Z) and "Wiederholen" (Ctrl+Y,
// Ctrl+Shift+Z), naming the step they undo or redo; disabled when there is none.
// The keys work in the window's fields too (they undo the document's steps there, not
// the typing of one field).
QMenu *addEditMenu(QMenuBar *bar, CalcDocument *doc, QWidget *window);

}  // namespace docui
