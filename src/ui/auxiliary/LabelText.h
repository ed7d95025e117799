#pragma once
// Texts of the text table and the customer text set mark line breaks with carriage
// returns; labels break lines at line feeds.
#include <QString>

namespace aux {
inline QString shownText(const QString &text) {
  QString t = text;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QChar(13), QChar(10));
  return t;
}
}  // namespace aux
