#pragma once
// The two outputs of the evaluation screen besides the report window: the text export
// ("Speichern &unter...") and the direct German printout ("&Drucken...").
#include <QPixmap>
#include <QString>
#include <functional>

#include "ui/report/ReportCommands.h"

class QWidget;

// The export text (evaluationExportText) to the file the user chooses, or "Tarvel.txt"
// in the application directory when the dialog gives no name; written atomically and
// followed by a line end; then progressDisplay runs. Cancel writes nothing.
report::SaveOutcome MenuSpeichern_Click(const Session &session, QWidget *screen, const std::function<void()> &progressDisplay);

// The direct printout: the comment dialog first ("&Exit" stops), then the printer setup
// with portrait preselected (cancel stops), then the German printout on plain paper with
// the screen's icon picture (the heading picture when icon is null) and the drawing of
// the arrangement screen named. False when nothing was printed.
bool MenuDrucken_Click(const Session &session, QWidget *screen, const QString &masterScreen, const QPixmap &icon = QPixmap());

// "Als PDF speichern…": the comment dialog first ("&Exit" stops), then the file dialog, then
// the printout "&Drucken..." would make, on plain A4 paper, into the PDF file. False when
// nothing was written.
bool MenuPdf_Click(const Session &session, QWidget *screen, const QString &masterScreen, const QPixmap &icon = QPixmap());
// "Seitenansicht": the comment dialog first, then the same printout in the print preview.
void MenuSeitenansicht_Click(const Session &session, QWidget *screen, const QString &masterScreen, const QPixmap &icon = QPixmap());
