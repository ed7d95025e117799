#pragma once
// The character rules of the numeric input fields (forces, coordinates, distances, load
// case shares, the duty cycle, the motion dialog and the special series editor's
// numbers): digits, the decimal comma and, where the field allows it, the minus sign.
//
// What the user typed or pasted stays in the field exactly as it was typed: a field never
// drops or replaces a character, so the number on screen can never differ from the one
// calculated. A text that breaks the rules ("2.5", "-5" where no sign is allowed, "abc",
// "1,2,3") is marked at once: a red frame, the reason as the field's tooltip and shown
// beside the field. The buttons that calculate refuse such a field with a message that
// names it (gui::checkNumber), and nothing is calculated from it.
#include <QString>
#include <QValidator>

#include "core/common/InputLimits.h"

class QLineEdit;
class QWidget;

class NumericValidator : public QValidator {
  Q_OBJECT
 public:
  NumericValidator(bool minus, QObject *parent);

  // Whether one typed character passes the rules.
  static bool passes(QChar c, bool minus);
  // Why a text is no input the field takes (German), empty when it is a number or empty.
  static QString problem(const QString &text, bool minus);

  // Never Invalid, so that the field keeps every character typed or pasted.
  // Intermediate: the text breaks the rules or is not (yet) a number; Acceptable: empty
  // (it counts as 0) or a number.
  State validate(QString &input, int &pos) const override;
  bool minus() const { return minus_; }

 private:
  bool minus_;
};

namespace gui {
// Puts the character rules on a field (as its validator) and marks the field whenever
// its text breaks them.
void setNumericRules(QLineEdit *field, bool minus);
// The field's text is a number or empty: what the calculations may read.
bool holdsNumber(const QLineEdit *field);
// Why the field's text cannot be calculated with (German), empty when it can.
QString numberProblem(const QLineEdit *field);
// Marks the field (red frame, reason as tooltip and beside it) or clears the mark.
void markField(QLineEdit *field, const QString &problem);
// The check of a button that calculates: a field that breaks the rules or whose value is
// outside the range of its quantity is refused with a message that names it (by its
// label `name`); the field gets the focus with its text selected. True when the field
// may be read; its value then is in *value (0 for an empty field).
bool checkNumber(QLineEdit *field, const QString &name, const QString &title, double *value);
bool checkNumber(QLineEdit *field, const QString &name, const QString &title, limits::Quantity q,
                 double *value);
// A refused key: the field stays as it was, the user hears it.
void refuseKey();
// A key a field refuses (a field with a fixed number of characters): the user hears it
// and reads why beside the field.
void noteRefusal(QLineEdit *field, const QString &why);
}  // namespace gui
