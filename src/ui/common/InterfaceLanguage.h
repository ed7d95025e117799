#pragma once
// The language of the screens: chosen at start (--lang, else the settings, else the
// system locale: "en…" English, anything else German), changed in "?" › "Sprache /
// Language", kept in the settings and applied at once to every open window.
#include <QString>
#include <optional>

#include "core/common/Texts.h"

class QMenu;

namespace uilang {

// The language to start in: `commandLine` ("de" / "en", empty when not given), then the
// language kept in the settings, then the system locale `systemLocale` (QLocale's name).
Language startLanguage(const QString &commandLine, const QString &systemLocale);

// Speaks `language` from now on: the text tables, Qt's own dialogs (German translations
// for German, none for English) and a LanguageChange event to every window, so that
// each shows its texts anew.
void apply(Language language);

// Apply and keep in the settings: what the menu does.
void choose(Language language);

// The submenu "Sprache / Language" with "Deutsch" and "English", the language in use
// ticked; added to `menu` (the screen's menu "?").
QMenu *addMenu(QMenu *menu);

}  // namespace uilang
