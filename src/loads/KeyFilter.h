#pragma once
// The key rules of the numeric input fields. The fields see every typed character
// through this filter first: what is no part of a number is replaced by the digit 0, so
// a field can only ever hold digits, the decimal comma and (where allowed) a minus sign.
#include <QObject>

class NumericKeyFilter : public QObject {
  Q_OBJECT
 public:
  struct Rules {
    bool minus = false;            // the minus sign may be typed
    bool enterMovesFocus = false;  // Enter is swallowed and moves on like the Tab key
  };
  // Installs itself on the field; the field owns it.
  static NumericKeyFilter *install(QObject *field, Rules rules);

  // What becomes of one typed character: the character itself, "0" in its place, or
  // an empty text when the key is swallowed (Enter moving the focus).
  QString filtered(const QString &typed) const;

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  NumericKeyFilter(Rules rules, QObject *parent);
  Rules rules_;
};
