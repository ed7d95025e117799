#pragma once
// Errors raised inside a routine and caught by it: each routine shows the description
// in a message box titled with its own name, as the user of the program knows it.
#include <QString>
#include <stdexcept>

#include "core/common/Texts.h"

struct AppError : std::runtime_error {
  explicit AppError(const QString &description)
      : std::runtime_error(description.toStdString()), text(description) {}
  QString text;
  QString description() const { return text; }
};

namespace err {
// The classic run-time error descriptions, in the language of the interface at the time
// the error is raised (German unless the screens speak English).
inline QString typeMismatch() { return builtinText(1855); }
inline QString overflow() { return builtinText(1856); }
inline QString subscript() { return builtinText(1857); }
inline QString invalidUseOfNull() { return builtinText(1858); }
inline QString pathFileAccess() { return builtinText(1859); }
inline QString printerError() { return builtinText(1860); }
inline QString fileNotFound() { return builtinText(1861); }
}  // namespace err
