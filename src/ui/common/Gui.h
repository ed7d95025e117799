#pragma once
// Screen helpers shared by every window: message boxes, colours, twips, the grid column
// fitting, menu pictures and the pictures of the layout pattern (heading picture and
// window icon, replaced by the customer's files in text mode 3).
#include <QColor>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QString>
#include <functional>

#include "core/common/Session.h"

class QWidget;
class QTableWidget;
class QLabel;
class QMenu;
class QFont;
class QMessageBox;

namespace msg {
struct Message;
}

namespace gui {

// Shows every message of the message service as a QMessageBox.
void installMessageBoxPresenter();
// The box that presenter shows for a message (title, text, icon, buttons, default), not
// yet shown; the caller owns it.
QMessageBox *messageBox(const msg::Message &m, QWidget *parent);

// Loads Qt's own German translations (buttons Ja/Nein/Abbrechen, the file and print
// dialogs) from the system's Qt translations. Returns false where they are not installed;
// Qt's dialogs then speak English.
bool loadQtTranslations();
// Qt's own dialogs in German (the translations loaded as above) or in English (none).
void useQtTranslations(bool german);
// Marks a menu, action, label, button or group box as showing text `id` of the text
// table (and shows it): retext() shows every marked text anew in the interface language.
void showText(QObject *object, int id);
// Every marked text of `root` and its children, in the interface language.
void retext(QObject *root);
// Whether `window` is to show its texts anew on a LanguageChange event: true once for
// each language it is switched to. A switch reaches a window more than once (sent to it
// as a top-level window, passed on by the window it belongs to, and once more when Qt's
// own translations change), and the windows that build charts or grids for their texts
// do so once.
bool languageChanged(QWidget *window);
// Runs `show` whenever `widget` gets the LanguageChange event (the interface language
// changed), for widgets whose texts are made by code rather than marked ones.
void onLanguageChange(QWidget *widget, std::function<void()> show);

// 0x00BBGGRR colour values; negative values 0x800000nn name system colours
// (14 highlighted text, 18 button text, 5 window ...).
QColor vbColor(qint32 value);
QColor systemColor(int index);

// Positions and sizes of the window designs are in twips: 1440 per inch.
constexpr double kTwipsPerInch = 1440.0;
int px(double twips);                  // at the screen's logical resolution (96 dpi: 15 twips/px)
double toTwips(int pixels);
int textWidthTwips(const QFont &font, const QString &text);

// The width rule of the grid column fitting, in twips: widest text x 1.2, rounded half
// to even; below 500 once more x 1.4, rounded.
int fittedColumnWidth(int widestTextTwips);
// Fits every column of the grid to its widest cell text in the window's font.
void gsubSetColWidth(QWidget *window, QTableWidget *grid, bool merge);

// Menu item pictures: item positions(i) of the submenu gets picture i (at most six).
void gsubSetMenuPics(QMenu *submenu, const QList<int> &positions, const QList<QPixmap> &pictures);

// Pictures of the program by resource number (100 icon, 150 logo, 151 heading picture,
// 152 info picture, 200.. toolbar, 207 grid marker, 208 delete marker ...). They are
// drawn by the program itself.
QPixmap resourcePicture(int id);
QIcon resourceIcon(int id);
// The program's mark as the desktop icon: a square picture of `size` pixels, and the
// same drawing as SVG text.
QImage programMark(int size);
QString programMarkSvg(int size);

// The heading label "LabUebSchr" of a window's heading band: bold, its font enlarged
// by `scale`.
QLabel *headingLabel(QWidget *parent, double scale);

// The heading picture and window icon of the layout pattern: in the session's text mode 3 the files
// "CusPic/151.bmp" and "CusPic/101.ico" relative to the working directory, otherwise
// pictures 151 and 100.
QPixmap headingPicture(const Session &session);
QIcon windowIcon(const Session &session);

// Opens a main window at `size` (made to fit the available area), centred on the screen
// it belongs to: the screen of `near` when given, otherwise the screen of the active
// window or, failing that, the one under the mouse.
void placeWindow(QWidget *window, const QSize &size, const QWidget *near = nullptr);

// The focus came by the keyboard (Tab, Backtab, arrow keys moving it): only then the
// controls drawn by the program show a focus frame.
bool isKeyboardFocus(Qt::FocusReason reason);

}  // namespace gui
