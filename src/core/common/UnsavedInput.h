#pragma once
// Whether the screens hold input that would be lost: distances, forces, ticked sizes and
// comments changed since the last save point. The screens report every change; saving
// or opening a calculation file sets a save point; a confirmed discard sets one too,
// since nothing is left to lose. Before work is thrown away (program end, back to the
// start screen) the user is asked first.
#include <QString>

#include "core/common/Messages.h"

namespace input {

// The screens call this on every change of their input.
void noteChange();
// Everything on the screens counts as kept from here on (saved, opened or discarded).
void markSavePoint();
// Input changed since the last save point.
bool hasUnsavedChanges();

// The question: "Eingaben verwerfen?", Yes/No, No the default.
msg::Message discardQuestion();
// Asks whether unsaved input may be discarded (default answer: no). Returns true when
// there is nothing unsaved or the user agrees; the answer sets a save point then.
bool confirmDiscard();

}  // namespace input
