#pragma once
// The dialogs and windows the report commands open: the file-save dialog, the printer
// setup dialog, the comment dialog, the busy window and the about box. Each stands behind
// a replaceable function, so the program shows the real dialogs, the tests and the batch
// tool answer for the user, and nothing ever waits for a click that cannot come.
#include <QString>
#include <functional>
#include <optional>

class QWidget;
class QPrinter;

namespace report {

struct Hooks {
  // The file-save dialog with the given filters ("Textdateien (*.txt)" ...). The chosen
  // file; an empty text when the dialog gave no name; std::nullopt when cancelled.
  std::function<std::optional<QString>(QWidget *parent, const QStringList &filters)> askSaveFileName;
  // The file-open dialog with the given filters; std::nullopt when cancelled.
  std::function<std::optional<QString>(QWidget *parent, const QStringList &filters)> askOpenFileName;
  // The print preview (QPrintPreviewDialog), modal; paint draws the pages on the printer
  // it is given, as often as the preview needs them.
  std::function<void(QWidget *parent, const std::function<void(QPrinter &)> &paint)> printPreview;
  // The printer setup dialog working on the printer; false when cancelled.
  std::function<bool(QWidget *parent, QPrinter &printer)> printerSetup;
  // Points a new printer at its device before anything is printed: the printer chosen in
  // the last setup dialog, otherwise the system's default printer.
  std::function<void(QPrinter &printer)> selectPrinter;
  // The comment dialog FrmKommentar, modal; true when left with "&Ok".
  std::function<bool(QWidget *parent)> commentDialog;
  // The busy window after a file was written; empty: nothing is shown.
  std::function<void(QWidget *parent)> busyWindow;
  // The about box, modal; empty: the "Hilfe" button stays disabled.
  std::function<void(QWidget *parent)> aboutBox;
  // The user manual, opened by F1; empty: F1 does nothing here.
  std::function<void()> manual;
};

// The hooks in force; the defaults show the real dialogs.
Hooks &hooks();
// Back to the defaults (tests).
void resetHooks();

// The printer chosen in the last printer setup dialog (empty: the system default).
QString chosenPrinterName();
void setChosenPrinterName(const QString &name);

}  // namespace report
