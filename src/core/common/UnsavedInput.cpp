#include "core/common/UnsavedInput.h"

#include "core/common/Messages.h"
#include "core/common/Texts.h"

namespace input {

namespace {
// A change counter rather than a flag: a save point remembers the count it saw.
struct Counter {
  quint64 changes = 0;
  quint64 savedAt = 0;
};
Counter &counter() {
  static Counter c;
  return c;
}
}  // namespace

void noteChange() { ++counter().changes; }

void markSavePoint() { counter().savedAt = counter().changes; }

bool hasUnsavedChanges() { return counter().changes != counter().savedAt; }

msg::Message discardQuestion() {
  return {builtinText(1103), builtinText(1104), msg::Icon::Exclamation, msg::Buttons::YesNo, 2};
}

bool confirmDiscard() {
  if (!hasUnsavedChanges()) return true;
  const msg::Answer a = msg::show(discardQuestion());
  if (a != msg::Answer::Yes) return false;
  markSavePoint();
  return true;
}

}  // namespace input
