#pragma once
// The language of the screens: chosen at start (--lang, else the settings, else the
// system locale: "en…" English, anything else German), changed in "?" › "Sprache /
// Language", kept in the settings and applied at once to every open window.
#include <QString>
#include <optional>

#include "core/common/Texts.h"

class QMenu;
struct Session;

namespace uilang {

// The language to start in: `commandLine` ("de" / "en", empty when not given), then the
// language kept in the settings, then the system locale `systemLocale` (QLocale's name).
Language startLanguage(const QString &commandLine, const QString &systemLocale);

// Speaks `language` from now on: the text tables, Qt's own dialogs (German translations
// for German, none for English), the notation of numbers (num::localeFor) and a
// LanguageChange event to every window, so that each shows its texts anew. The numbers
// the open windows, the open calculations and `session` hold are rewritten into the new
// notation, value for value.
void apply(Language language, Session *session = nullptr);

// Apply and keep in the settings: what the menu does.
void choose(Language language, Session *session = nullptr);

// The submenu "Sprache / Language" with "Deutsch" and "English", the language in use
// ticked; added to `menu` (the screen's menu "?") of a screen of `session`.
QMenu *addMenu(QMenu *menu, Session *session = nullptr);

}  // namespace uilang
