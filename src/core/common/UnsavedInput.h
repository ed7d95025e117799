#pragma once
// Whether the screens hold input that would be lost: distances, forces, ticked sizes and
// comments changed since the last save point. The screens report every change; saving
// or opening a calculation file sets a save point; a confirmed discard sets one too,
// since nothing is left to lose. Before work is thrown away (program end, back to the
// start screen) the user is asked first.
#include <QString>
#include <functional>

#include "core/common/Messages.h"

namespace input {

// The screens call this on every change of their input.
void noteChange();
// Everything on the screens counts as kept from here on (saved, opened or discarded).
void markSavePoint();
// Input changed since the last save point.
bool hasUnsavedChanges();

// The question before unsaved input goes: "Speichern", "Verwerfen" or "Abbrechen", the
// last the default.
msg::Message discardQuestion();
// Asks before unsaved input is replaced or thrown away. True when there is nothing
// unsaved, when the user discards it (a save point then) or when "Speichern" saved it
// through `save` (which asks for a name where there is none); false when the user
// cancels or the input could not be saved: then nothing may go.
bool confirmDiscard(const std::function<bool()> &save = {});

}  // namespace input
