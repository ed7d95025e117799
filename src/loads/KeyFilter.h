#pragma once
// The key rules of the numeric input fields. The fields see every typed character
// through this filter first: what is no part of a number is refused (nothing is
// inserted, the field beeps), so a field can only ever hold digits, the decimal comma and
// (where allowed) a minus sign. The same rules sit on the field as its validator, so that
// pasted text cannot bring in what typing could not.
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
