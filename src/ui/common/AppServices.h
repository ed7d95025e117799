#pragma once
// What the program provides around its screens: the dialogs that ask the user (file
// names, printer, comments), the busy and about windows, the manual, the start screen,
// the calculation files of the menu "Datei" and the outputs of the evaluation screen.
// The desktop program builds one AppServices and installs it once at start; the tests
// and tools install their own, so that nothing ever waits for a click that cannot come.
// An empty function means the service is missing: its item stays disabled, or nothing
// is shown.
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <functional>
#include <optional>

class QPrinter;
class QUrl;
class QWidget;
class FrmAuswertung;
struct Session;

struct AppServices {
  // The dialogs of the report commands, the report window and the calculation files.
  struct Dialogs {
    // The file-save dialog with the given filters ("Textdateien (*.txt)" ...) and title
    // (what it saves). The chosen file; an empty text when the dialog gave no name (taken
    // as cancelled); std::nullopt when cancelled. It opens in the folder last used, else
    // in the user's documents folder.
    std::function<std::optional<QString>(QWidget *parent, const QStringList &filters, const QString &title)>
        askSaveFileName;
    // The file-open dialog with the given filters; std::nullopt when cancelled.
    std::function<std::optional<QString>(QWidget *parent, const QStringList &filters)> askOpenFileName;
    // The print preview, modal; paint draws the pages on the printer it is given, as
    // often as the preview needs them.
    std::function<void(QWidget *parent, const std::function<void(QPrinter &)> &paint)> printPreview;
    // The printer setup dialog working on the printer; false when cancelled.
    std::function<bool(QWidget *parent, QPrinter &printer)> printerSetup;
    // Points a new printer at its device before anything is printed: the printer chosen
    // in the last setup dialog, otherwise the system's default printer.
    std::function<void(QPrinter &printer)> selectPrinter;
    // The comment dialog FrmKommentar, modal, on the program's session; true when left
    // with "&Ok".
    std::function<bool(QWidget *parent)> commentDialog;
    // The busy window after a file was written; empty: nothing is shown.
    std::function<void(QWidget *parent)> busyWindow;
    // The about box, modal; empty: the "Hilfe" button of the report window stays
    // disabled.
    std::function<void(Session &session, QWidget *parent)> aboutBox;
    // The user manual, opened by F1; empty: F1 does nothing there.
    std::function<void()> manual;
  };

  // The items "Öffnen…", "Speichern", "Speichern unter…" and the last files of the menu
  // "Datei"; a file dropped onto a screen opens as a recent file does. screen is the
  // window whose menu was used, session the one it works on.
  struct FileMenu {
    std::function<void(Session &session, QWidget *screen)> open;
    std::function<void(Session &session, QWidget *screen, const QString &path)> openFile;
    // True when the calculation was saved.
    std::function<bool(Session &session, QWidget *screen)> save;
    std::function<bool(Session &session, QWidget *screen)> saveAs;
  };

  // The windows and outputs the evaluation screen opens. An item or toolbar button whose
  // service is missing stays disabled; "&Drucken..." and "Speichern &unter..." are in
  // addition enabled only after the first evaluation run, as are "Als PDF speichern…"
  // and "Seitenansicht", which are hidden without their service.
  struct Evaluation {
    std::function<void(FrmAuswertung *)> print;       // "&Drucken...": direct printout
    std::function<void(FrmAuswertung *)> save;        // "Speichern &unter...": text export
    std::function<void(FrmAuswertung *)> pdf;         // "Als PDF speichern…": the printout as PDF
    std::function<void(FrmAuswertung *)> preview;     // "Seitenansicht": the printout previewed
    std::function<void(FrmAuswertung *)> openReport;  // toolbar "Druckmanager"
    std::function<void()> help;                       // "&Inhalt", toolbar "Inhalt"
    std::function<void(Session &, QWidget *)> about;  // "Inf&o zu TarvelCalc ..."
    // 21 representatives, 22 database information.
    std::function<void(Session &, QWidget *, int code)> showList;
    std::function<qint32(const QString &)> openLink;  // "mailto:..." / "http://..."
  };

  Dialogs dialogs;
  FileMenu fileMenu;
  Evaluation evaluation;
  // What the program hands to the desktop. An empty function or path means the desktop's
  // own: QDesktopServices, xdg-mime, the tools found in PATH, QProcess, QInputDialog.
  struct Desktop {
    // Hands a URL to the desktop; true when the desktop accepted it.
    std::function<bool(const QUrl &)> openUrl;
    // Tells whether the desktop has a program that shows PDF documents.
    std::function<bool()> pdfViewerCheck;
    // The path of a system-information tool, empty when none is installed.
    std::function<QString()> sysInfoLookup;
    // Starts a program without waiting for it; true when it started.
    std::function<bool(const QString &program)> startProgram;
    // The help document; empty: Help/AnlFN.pdf where the program looks for it.
    QString helpDocument;
    // The input box of the special roller-shoe editor; false when the user cancels.
    std::function<bool(const QString &prompt, const QString &title, const QString &defaultText,
                       QString *answer)>
        inputBox;
  };
  Desktop desktop;
  // What "Zurück" and closing an arrangement screen lead to: the start screen on the
  // session, loaded afresh; missing, the screen just closes.
  std::function<void(Session &session)> startScreen;
};

namespace app {

// Puts the services in force for everything that happens from now on.
void install(AppServices services);
// The services in force; none are installed at first.
AppServices &services();

}  // namespace app
