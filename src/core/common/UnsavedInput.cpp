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
  return {builtinText(1537), builtinText(1538), msg::Icon::Exclamation, msg::Buttons::SaveDiscardCancel, 3};
}

bool confirmDiscard(const std::function<bool()> &save) {
  if (!hasUnsavedChanges()) return true;
  switch (msg::show(discardQuestion())) {
    case msg::Answer::Save:
      return save && save();
    case msg::Answer::Discard:
      markSavePoint();
      return true;
    default:
      return false;
  }
}

}  // namespace input
