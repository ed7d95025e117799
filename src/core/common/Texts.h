#pragma once
// Texts, colours and settings: the built-in text table, the customer text set read
// from the settings, and the small text helpers every screen uses.
#include <QString>
#include <QtGlobal>

struct Session;

// The built-in text of an id, exactly as in the text table (configured values filled
// in). Throws AppError for an id without text.
QString builtinText(int id);
bool hasBuiltinText(int id);
// The configured values (maker, contacts, links) by name, e.g. "email".
QString configValue(const QString &name);

// Replaceable texts: in the session's text mode 3 from the settings row whose key is the id in
// decimal ("_" stands for empty, the last row wins, no row gives empty text).
QString gfstrSetText(const Session &s, int id);
// Colours as 0x00BBGGRR values; negative values name system colours.
qint32 gflngSetColor(const Session &s, int code);
// A settings value by key; with divide the value is read as tenths ("15" -> "1,5").
QString gfstrSettings(const Session &s, const QString &key, bool divide);
// The customer text set marks line breaks with a backslash.
QString gfstrPutReturn(const QString &text);
// " a" .. " z" for minor versions 0..25, empty above.
QString subVersionFor(int minor);
// Sets gstrSubVersion from the program's minor version.
void computeSubVersion(Session &s);
// "TarvelCALC Rollenführungen  2002 c": text 100 (or 102) in the current text mode,
// a blank, the major version and the suffix.
QString windowCaption(const Session &s, int textId = 100);
// The title of a main window: the program caption, " - " and the name of its screen.
QString screenCaption(const Session &s, const QString &screen);
