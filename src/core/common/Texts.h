#pragma once
// Texts, colours and settings: the built-in text table, the customer text set read
// from the settings, and the small text helpers every screen uses.
#include <QString>
#include <QtGlobal>

struct Session;

// The languages of the user interface. German is the program's own; every text of the
// table has an English form under the same id.
enum class Language { German, English };

// The language the screens and messages speak: process-wide configuration, like the
// number locale, set at start (settings, system locale, --lang) and when the user
// switches. German unless set.
Language interfaceLanguage();
void setInterfaceLanguage(Language language);
// "de" / "en", and back: English for a code beginning with "en" (en, en_GB …), German
// for anything else.
QString languageCode(Language language);
Language languageOfCode(const QString &code);

// The built-in text of an id in the interface language, exactly as in its text table
// (configured values filled in). Throws AppError for an id without text.
QString builtinText(int id);
// The same in a given language. Outputs whose language the id itself chooses (the
// report, whose English texts have ids of their own, the text export, the batch tool's
// JSON) read the German table this way, whatever the screens speak.
QString builtinText(int id, Language language);
inline QString tableText(int id) { return builtinText(id, Language::German); }
bool hasBuiltinText(int id);
// The configured values (maker, contacts, links) by name, e.g. "email".
QString configValue(const QString &name);

// Replaceable texts: in the session's text mode 3 from the settings row whose key is the id in
// decimal ("_" stands for empty, the last row wins, no row gives empty text).
QString gfstrSetText(const Session &s, int id, Language language = interfaceLanguage());
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
