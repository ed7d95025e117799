#pragma once
// The key rules of the numeric input fields. Every character typed or pasted stays in the
// field as typed; the character rules sit on the field as its validator and mark a text
// they do not take (ui/common/NumericInput.h), so the calculating buttons refuse it by name.
// The filter gives Enter its meaning in the dialogs whose Enter moves on like Tab.
#include <QObject>

class NumericKeyFilter : public QObject {
  Q_OBJECT
 public:
  struct Rules {
    bool minus = false;            // the minus sign may be typed
    bool enterMovesFocus = false;  // Enter is swallowed and moves on like the Tab key
  };
  // Installs itself on the field (and the character rules as the validator of a line
  // edit); the field owns it.
  static NumericKeyFilter *install(QObject *field, Rules rules);

  // Whether one typed character (or control key text) reaches the field.
  bool accepts(const QString &typed) const;

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  NumericKeyFilter(Rules rules, QObject *parent);
  Rules rules_;
};
