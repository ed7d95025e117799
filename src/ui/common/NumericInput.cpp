#include "ui/common/NumericInput.h"

#include <QApplication>
#include <QLineEdit>
#include <QToolTip>

#include "core/common/Messages.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"

namespace {
constexpr const char *kPlainTip = "numericPlainTip";
constexpr const char *kPlainStyle = "numericPlainStyle";
constexpr const char *kMarked = "numericMarked";
}  // namespace

NumericValidator::NumericValidator(bool minus, QObject *parent) : QValidator(parent), minus_(minus) {}

bool NumericValidator::passes(QChar c, bool minus) { return limits::passes(c, minus); }

QString NumericValidator::problem(const QString &text, bool minus) { return limits::inputProblem(text, minus); }

QValidator::State NumericValidator::validate(QString &input, int &) const {
  return problem(input, minus_).isEmpty() ? Acceptable : Intermediate;
}

namespace gui {

void markField(QLineEdit *field, const QString &problem) {
  const bool marked = field->property(kMarked).toBool();
  if (problem.isEmpty()) {
    if (!marked) return;
    field->setProperty(kMarked, false);
    field->setStyleSheet(field->property(kPlainStyle).toString());
    field->setToolTip(field->property(kPlainTip).toString());
    QToolTip::hideText();
    return;
  }
  if (!marked) {
    field->setProperty(kPlainStyle, field->styleSheet());
    field->setProperty(kPlainTip, field->toolTip());
    field->setProperty(kMarked, true);
    field->setStyleSheet(field->styleSheet() +
                         QStringLiteral(" QLineEdit { border: 2px solid rgb(220, 0, 0); }"));
  }
  field->setToolTip(problem);
  // The reason beside the field, where the user is looking.
  if (field->isVisible() && field->hasFocus())
    QToolTip::showText(field->mapToGlobal(QPoint(field->width(), 0)), problem, field);
}

void setNumericRules(QLineEdit *field, bool minus) {
  field->setValidator(new NumericValidator(minus, field));
  QObject::connect(field, &QLineEdit::textChanged, field,
                   [field] { markField(field, numberProblem(field)); });
}

QString numberProblem(const QLineEdit *field) {
  const auto *v = qobject_cast<const NumericValidator *>(field->validator());
  return NumericValidator::problem(field->text(), v ? v->minus() : true);
}

bool holdsNumber(const QLineEdit *field) { return numberProblem(field).isEmpty(); }

namespace {
bool refuse(QLineEdit *field, const QString &text, const QString &title) {
  // A refused calculation speaks as every refusal of a calculation does; a dialog's "Ok"
  // warns.
  if (title == builtinText(314)) msg::critical2(text, title);
  else msg::show({text, title, msg::Icon::Exclamation, msg::Buttons::Ok, 1});
  field->setFocus();
  field->selectAll();
  return false;
}
}  // namespace

bool checkNumber(QLineEdit *field, const QString &name, const QString &title, double *value) {
  const QString problem = numberProblem(field);
  if (!problem.isEmpty()) {
    markField(field, problem);
    return refuse(field, limits::fieldRefusal(name, field->text(), problem), title);
  }
  double v = 0.0;
  if (!field->text().isEmpty()) num::toDouble(field->text(), &v);
  if (value) *value = v;
  return true;
}

bool checkNumber(QLineEdit *field, const QString &name, const QString &title, limits::Quantity q,
                 double *value) {
  double v = 0.0;
  if (!checkNumber(field, name, title, &v)) return false;
  if (!limits::within(q, v)) return refuse(field, limits::refusal(q, name), title);
  if (value) *value = v;
  return true;
}

void refuseKey() { QApplication::beep(); }

void noteRefusal(QLineEdit *field, const QString &why) {
  refuseKey();
  QToolTip::showText(field->mapToGlobal(QPoint(field->width(), 0)), why, field);
}

}  // namespace gui
