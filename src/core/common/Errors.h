#pragma once
// Errors raised inside a routine and caught by it: each routine shows the description
// in a message box titled with its own name, as the user of the program knows it.
#include <QString>
#include <stdexcept>

struct AppError : std::runtime_error {
  explicit AppError(const QString &description)
      : std::runtime_error(description.toStdString()), text(description) {}
  QString text;
  QString description() const { return text; }
};

namespace err {
// The classic run-time error descriptions of the German interface.
inline QString typeMismatch() { return QStringLiteral("Typen unverträglich"); }
inline QString overflow() { return QStringLiteral("Überlauf"); }
inline QString subscript() { return QStringLiteral("Index außerhalb des gültigen Bereichs"); }
inline QString invalidUseOfNull() { return QStringLiteral("Unzulässige Verwendung von Null"); }
inline QString pathFileAccess() { return QStringLiteral("Fehler beim Zugriff auf Pfad/Datei"); }
inline QString printerError() { return QStringLiteral("Druckerfehler"); }
inline QString fileNotFound() { return QStringLiteral("Datei nicht gefunden"); }
}  // namespace err
