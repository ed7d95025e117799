#pragma once
// The pictures of the report window's toolbar, drawn by the program.
#include <QPixmap>
#include <QString>

namespace report {

// By button key: "Zurück", "Nebeneinander", "Überlappend", "Schließen", "Formular",
// "Drucken", "Speichern", "Einstellungen", "Hilfe".
QPixmap toolbarPicture(const QString &key);
// The language pictures of the "Sprache" button: 1 German, 2 English.
QPixmap languagePicture(int number);

}  // namespace report
