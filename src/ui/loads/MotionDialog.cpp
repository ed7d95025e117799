#include "ui/loads/MotionDialog.h"
#include "core/loads/Directions.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "ui/common/NumericInput.h"
#include "core/common/Texts.h"
#include "ui/loads/KeyFilter.h"
#include "core/loads/Motion.h"

MotionDialog::MotionDialog(const Session &session, QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DialogBewegung"));
  setWindowIcon(gui::windowIcon(session));
  auto *form = new QFormLayout;
  // Label text ids of the fields, in field order; the coordinates may be negative.
  static const int labels[kFields] = {1343, 1344, 1345, 1346, 1352, 1353, 1354, 1355, 1356, 1358, 1359, 1360};
  static const bool minus[kFields] = {false, true, true, true, false, false, false, false, false, true, true, true};
  for (int i = 0; i < kFields; ++i) {
    auto *f = new QLineEdit(this);
    f->setObjectName(QStringLiteral("tbBewegung%1").arg(i));
    f->setAlignment(Qt::AlignRight);
    // Enter moves on to the next field, as in the force dialog; the button takes it when
    // it has the focus.
    NumericKeyFilter::install(f, {minus[i], true});
    fields_.append(f);
  }
  mounting_ = new QComboBox(this);
  mounting_->setObjectName(QStringLiteral("cboEinbaulage"));
  for (int i = 0; i < 4; ++i) mounting_->addItem(QString());
  direction_ = new QComboBox(this);
  direction_->setObjectName(QStringLiteral("cboRichtung"));
  direction_->addItems(loads::directionLabels());
  direction_->setCurrentIndex(5);

  // Each row's label follows the interface language (gui::retext).
  const auto row = [this, form](int text, QWidget *field) {
    auto *label = new QLabel(this);
    gui::showText(label, text);
    label->setBuddy(field);
    form->addRow(label, field);
  };
  for (int i = 0; i < 4; ++i) row(labels[i], fields_[i]);
  row(1347, mounting_);
  for (int i = 4; i < 9; ++i) row(labels[i], fields_[i]);
  row(1357, direction_);
  for (int i = 9; i < kFields; ++i) row(labels[i], fields_[i]);

  ok_ = new QPushButton(this);
  gui::showText(ok_, 1376);
  ok_->setObjectName(QStringLiteral("cmdOK"));
  exit_ = new QPushButton(this);
  gui::showText(exit_, 1851);
  exit_->setObjectName(QStringLiteral("cmdExit"));
  connect(ok_, &QPushButton::clicked, this, &MotionDialog::cmdOK_Click);
  connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
  // Tab follows the form from top to bottom, the two lists included.
  QList<QWidget *> order;
  for (int i = 0; i < 4; ++i) order << fields_[i];
  order << mounting_;
  for (int i = 4; i < 9; ++i) order << fields_[i];
  order << direction_;
  for (int i = 9; i < kFields; ++i) order << fields_[i];
  order << ok_ << exit_;
  mounting_->setFocusPolicy(Qt::StrongFocus);
  direction_->setFocusPolicy(Qt::StrongFocus);
  for (int i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
  ok_->setAutoDefault(true);
  exit_->setAutoDefault(true);
  auto *buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(exit_);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  showTexts();
}

void MotionDialog::showTexts() {
  setWindowTitle(builtinText(1342));
  for (int i = 0; i < 4; ++i) mounting_->setItemText(i, builtinText(1348 + i));
  gui::retext(this);
}

void MotionDialog::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange) showTexts();
  QDialog::changeEvent(event);
}

namespace {
// The text fields of a motion in the order of the dialog's fields.
QString loads::MotionInput::*const kFieldOf[MotionDialog::kFields] = {
    &loads::MotionInput::mass,  &loads::MotionInput::x,        &loads::MotionInput::y,
    &loads::MotionInput::z,     &loads::MotionInput::speed,    &loads::MotionInput::acceleration,
    &loads::MotionInput::deceleration, &loads::MotionInput::stroke, &loads::MotionInput::processForce,
    &loads::MotionInput::px,    &loads::MotionInput::py,       &loads::MotionInput::pz};
}  // namespace

loads::MotionInput MotionDialog::input() const {
  loads::MotionInput in;
  for (int i = 0; i < kFields; ++i) in.*kFieldOf[i] = fields_[i]->text();
  in.mounting = static_cast<loads::Mounting>(mounting_->currentIndex());
  in.processDirection = direction_->currentText();
  return in;
}

void MotionDialog::setInput(const loads::MotionInput &in) {
  for (int i = 0; i < kFields; ++i) fields_[i]->setText(in.*kFieldOf[i]);
  mounting_->setCurrentIndex(static_cast<int>(in.mounting));
  const int direction = direction_->findText(in.processDirection);
  if (direction >= 0) direction_->setCurrentIndex(direction);
}

void MotionDialog::cmdOK_Click() {
  // A field whose text breaks the character rules is refused by its name and marked; the
  // ranges and the required fields are checked with the motion.
  static const int labels[kFields] = {1343, 1344, 1345, 1346, 1352, 1353, 1354, 1355, 1356, 1358, 1359, 1360};
  for (int i = 0; i < kFields; ++i)
    if (!gui::holdsNumber(fields_[i]) && !gui::checkNumber(fields_[i], builtinText(labels[i]), builtinText(1342), nullptr))
      return;
  QString message;
  if (!loads::loadCasesFromMotion(input(), &cases_, &message)) {
    msg::critical2(message, builtinText(1342));
    return;
  }
  accept();
}
