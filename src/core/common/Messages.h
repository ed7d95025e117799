#pragma once
// The one way the program talks to the user in message boxes, and the one way it ends
// itself. The desktop program installs a presenter that shows a QMessageBox; tests and
// the batch tool install presenters that record what the user would have read and
// answer for him.
#include <QString>
#include <QVector>
#include <functional>
#include <stdexcept>

namespace msg {

enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, SaveDiscardCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry, Save, Discard };

struct Message {
  QString text;
  QString title;  // empty: the box carries the program's name only
  Icon icon = Icon::None;
  Buttons buttons = Buttons::Ok;
  int defaultButton = 1;  // 1 = first button, 2 = second ...

  bool operator==(const Message &o) const {
    return text == o.text && title == o.title && icon == o.icon && buttons == o.buttons &&
           defaultButton == o.defaultButton;
  }
};

using Presenter = std::function<Answer(const Message &)>;

// Shows a message and returns the user's answer.
Answer show(const Message &m);
// Shorthands for the usual forms.
Answer critical(const QString &text, const QString &title = {});
Answer critical2(const QString &text, const QString &title);  // second button default
Answer plain(const QString &text, const QString &title = {});

void setPresenter(Presenter p);
Presenter presenter();

// Program end. The installed hook normally ends the process; when it returns (tests),
// ProgramEnded is thrown so that nothing after the end runs.
struct ProgramEnded : std::runtime_error {
  explicit ProgramEnded(int c) : std::runtime_error("program ended"), code(c) {}
  int code;
};
using EndHook = std::function<void(int code)>;
[[noreturn]] void endProgram(int code = 0);
void setEndHook(EndHook h);

// A presenter for tests and the batch tool: records every message and answers with the
// queued answers (or the default button when none is queued).
class Recorder {
 public:
  Recorder();   // installs itself as presenter and as end hook
  ~Recorder();  // restores the previous ones
  QVector<Message> messages;
  QVector<Answer> answers;  // consumed front first
  int endCalls = 0;
  int lastEndCode = -1;
  void clear() { messages.clear(); answers.clear(); endCalls = 0; lastEndCode = -1; }

 private:
  Presenter previousPresenter_;
  EndHook previousHook_;
};

// The answer a box gives when the user just presses Enter.
Answer defaultAnswer(const Message &m);

}  // namespace msg
