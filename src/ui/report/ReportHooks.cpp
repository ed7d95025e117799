#include "ui/report/ReportHooks.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "ui/auxiliary/Auxiliary.h"
#include "ui/report/FrmKommentar.h"

namespace report {

namespace {
// The folder of the file last saved or opened in this session of the program.
QString &lastFolder() {
  static QString folder;
  return folder;
}
QString &printerName() {
  static QString name;
  return name;
}
}  // namespace

AppServices::Dialogs standardDialogs() {
  AppServices::Dialogs h;
  h.askSaveFileName = [](QWidget *parent, const QStringList &filters,
                          const QString &title) -> std::optional<QString> {
    QFileDialog dialog(parent);
    if (!title.isEmpty()) dialog.setWindowTitle(title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    // Where the user saved last, else his documents: never the program's own folder.
    dialog.setDirectory(lastFolder().isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                               : lastFolder());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty()) return std::nullopt;
    lastFolder() = QFileInfo(files.first()).absolutePath();
    return files.first();
  };
  h.askOpenFileName = [](QWidget *parent, const QStringList &filters) -> std::optional<QString> {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    dialog.setDirectory(lastFolder().isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                               : lastFolder());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    lastFolder() = QFileInfo(dialog.selectedFiles().first()).absolutePath();
    return dialog.selectedFiles().first();
  };
  h.printPreview = [](QWidget *parent, const std::function<void(QPrinter &)> &paint) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter *p) { paint(*p); });
    dialog.exec();
  };
  h.printerSetup = [](QWidget *parent, QPrinter &printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
  };
  h.selectPrinter = [](QPrinter &printer) {
    const QString chosen = chosenPrinterName();
    if (!chosen.isEmpty()) printer.setPrinterName(chosen);
    else if (!QPrinterInfo::defaultPrinterName().isEmpty()) printer.setPrinterName(QPrinterInfo::defaultPrinterName());
  };
  h.aboutBox = [](Session &session, QWidget *parent) { showAbout(session, parent); };
  return h;
}

std::function<bool(QWidget *parent)> commentDialogFor(Session &session) {
  return [&session](QWidget *parent) { return showKommentar(session, parent); };
}



QString chosenPrinterName() { return printerName(); }
void setChosenPrinterName(const QString &name) { printerName() = name; }

}  // namespace report
