#include "core/common/Messages.h"

#include <cstdlib>

namespace msg {

namespace {
// Per thread: a worker thread of the batch tool records its own messages and ends its
// own case, while the thread that shows boxes (the desktop program's) keeps its
// presenter. A thread that installs nothing gets the default answers, and its end of
// the program ends the process.
Presenter &currentPresenter() {
  thread_local Presenter p;
  return p;
}
EndHook &currentHook() {
  thread_local EndHook h;
  return h;
}
}  // namespace

Answer defaultAnswer(const Message &m) {
  const bool second = m.defaultButton == 2;
  switch (m.buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::OkCancel: return second ? Answer::Cancel : Answer::Ok;
    case Buttons::YesNo: return second ? Answer::No : Answer::Yes;
    case Buttons::YesNoCancel:
      return m.defaultButton == 3 ? Answer::Cancel : (second ? Answer::No : Answer::Yes);
    case Buttons::RetryCancel: return second ? Answer::Cancel : Answer::Retry;
    case Buttons::SaveDiscardCancel:
      return m.defaultButton == 3 ? Answer::Cancel : (second ? Answer::Discard : Answer::Save);
  }
  return Answer::Ok;
}

Answer show(const Message &m) {
  if (currentPresenter()) return currentPresenter()(m);
  return defaultAnswer(m);
}

Answer critical(const QString &text, const QString &title) {
  return show({text, title, Icon::Critical, Buttons::Ok, 1});
}

Answer critical2(const QString &text, const QString &title) {
  return show({text, title, Icon::Critical, Buttons::Ok, 2});
}

Answer plain(const QString &text, const QString &title) {
  return show({text, title, Icon::None, Buttons::Ok, 1});
}

void setPresenter(Presenter p) { currentPresenter() = std::move(p); }
Presenter presenter() { return currentPresenter(); }

void setEndHook(EndHook h) { currentHook() = std::move(h); }

void endProgram(int code) {
  if (currentHook()) currentHook()(code);
  else std::exit(code);
  throw ProgramEnded(code);
}

Recorder::Recorder() : previousPresenter_(currentPresenter()), previousHook_(currentHook()) {
  setPresenter([this](const Message &m) {
    messages.push_back(m);
    if (!answers.isEmpty()) return answers.takeFirst();
    return defaultAnswer(m);
  });
  setEndHook([this](int code) {
    ++endCalls;
    lastEndCode = code;
  });
}

Recorder::~Recorder() {
  setPresenter(previousPresenter_);
  setEndHook(previousHook_);
}

}  // namespace msg
