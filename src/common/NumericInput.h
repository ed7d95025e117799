#pragma once
// The character rules of the numeric input fields (forces, coordinates, distances and
// the special series editor's numbers): digits, the decimal comma and, where the field
// allows it, the minus sign. A character outside the rules is refused, whether typed or
// pasted: nothing is inserted and the field beeps, so a slip of the finger can never turn
// into a different number.
#include <QValidator>

class QLineEdit;

class NumericValidator : public QValidator {
  Q_OBJECT
 public:
  NumericValidator(bool minus, QObject *parent);

  // Whether one typed character passes the rules.
  static bool passes(QChar c, bool minus);

  // Invalid: a character outside the rules; Intermediate: only allowed characters, but
  // not (yet) a number, as "-" or "1,2,3"; Acceptable: empty (it counts as 0) or a number.
  State validate(QString &input, int &pos) const override;

 private:
  bool minus_;
};

namespace gui {
// Puts the character rules on a field (as its validator).
void setNumericRules(QLineEdit *field, bool minus);
// The field's text is a number or empty: what the calculations may read.
bool holdsNumber(const QLineEdit *field);
// A refused key: the field stays as it was, the user hears it.
void refuseKey();
}  // namespace gui
