#include "ui/loads/DialogEingabe.h"
#include "core/loads/Directions.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "core/common/Errors.h"
#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "ui/common/NumericInput.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"
#include "core/common/UnsavedInput.h"
#include "ui/loads/ForceGrid.h"
#include "ui/loads/KeyFilter.h"

namespace {
constexpr const char *kTag = "Tag";

// Design of the dialog in twips.
constexpr int kLabelLeft = 240, kLabelWidth = 3100;
constexpr int kFieldLeft = 3420, kFieldWidth = 1500;
constexpr int kRowTop = 240, kRowStep = 450, kRowHeight = 330;
constexpr int kWidth = 5160;
}  // namespace

QString DialogEingabe::pendingDirection(const QObject *directionHolder) {
  return directionHolder ? directionHolder->property(kTag).toString() : QString();
}

void DialogEingabe::setPendingDirection(QObject *directionHolder, const QString &direction) {
  if (directionHolder) directionHolder->setProperty(kTag, direction);
}

DialogEingabe::DialogEingabe(Session &session, QWidget *owner, ForceGrid *grid, QObject *directionHolder, int editRow)
    : QDialog(owner), session_(session), owner_(owner), grid_(grid), directionHolder_(directionHolder), editRow_(editRow) {
  setObjectName(QStringLiteral("DialogEingabe"));
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  // Fields from top to bottom: force, x, y, z. The labels keep their design indices:
  // Label1(3) force, Label1(0) x, Label1(1) y, Label1(2) z.
  static const int labelOfField[4] = {3, 0, 1, 2};
  for (int i = 0; i < 4; ++i) {
    const int top = kRowTop + i * kRowStep;
    auto *label = new QLabel(this);
    label->setObjectName(QStringLiteral("Label1_%1").arg(labelOfField[i]));
    label->setGeometry(gui::px(kLabelLeft), gui::px(top), gui::px(kLabelWidth), gui::px(kRowHeight));
    labels_[static_cast<size_t>(labelOfField[i])] = label;
    auto *field = new QLineEdit(this);
    field->setObjectName(QStringLiteral("tbKrfXYZ_%1").arg(i));
    field->setGeometry(gui::px(kFieldLeft), gui::px(top), gui::px(kFieldWidth), gui::px(kRowHeight));
    field->setAlignment(Qt::AlignRight);
    fields_[static_cast<size_t>(i)] = field;
    label->setBuddy(field);
    // The force is entered without sign; the coordinates may be negative.
    NumericKeyFilter::install(field, {i != 0, true});
  }

  const int hintTop = kRowTop + 4 * kRowStep + 60;
  hintFrame_ = new QFrame(this);
  hintFrame_->setObjectName(QStringLiteral("FraLaufschrift"));
  hintFrame_->setFrameShape(QFrame::StyledPanel);
  hintFrame_->setFrameShadow(QFrame::Sunken);
  hintFrame_->setGeometry(gui::px(kLabelLeft), gui::px(hintTop), gui::px(kWidth - 2 * kLabelLeft),
                          gui::px(360));
  hint_ = new QLabel(hintFrame_);
  hint_->setObjectName(QStringLiteral("LabLaufschrift"));

  const int buttonTop = hintTop + 360 + 180;
  ok_ = new QPushButton(this);
  gui::showText(ok_, 1850);
  ok_->setObjectName(QStringLiteral("cmdOK"));
  ok_->setGeometry(gui::px(kWidth - kLabelLeft - 2 * 1215 - 120), gui::px(buttonTop), gui::px(1215),
                   gui::px(375));
  exit_ = new QPushButton(this);
  gui::showText(exit_, 1851);
  exit_->setObjectName(QStringLiteral("cmdExit"));
  exit_->setGeometry(gui::px(kWidth - kLabelLeft - 1215), gui::px(buttonTop), gui::px(1215),
                     gui::px(375));
  // Enter in the fields moves on; a button takes Enter only when it has the focus.
  ok_->setAutoDefault(true);
  exit_->setAutoDefault(true);
  connect(ok_, &QPushButton::clicked, this, &DialogEingabe::cmdOK_Click);
  connect(exit_, &QPushButton::clicked, this, &DialogEingabe::cmdExit_Click);

  setFixedSize(gui::px(kWidth), gui::px(buttonTop + 375 + 240));

  tmrSchrift_ = new QTimer(this);
  tmrSchrift_->setInterval(30);
  connect(tmrSchrift_, &QTimer::timeout, this, &DialogEingabe::tmrSchrift_Timer);

  sSetLayout();
  // Editing a row starts from what the row holds.
  if (grid_ && editRow_ >= 1 && editRow_ < grid_->rows())
    for (int i = 0; i < 4; ++i) fields_[static_cast<size_t>(i)]->setText(grid_->textMatrix(editRow_, i + 1));
  tmrSchrift_->start();
}

DialogEingabe::~DialogEingabe() = default;

void DialogEingabe::showTexts() {
  // The title names the direction being entered.
  setWindowTitle(direction_.isEmpty() ? builtinText(103)
                                      : builtinText(103) + QStringLiteral(": ") + builtinText(1102).arg(direction_));
  static const int labelTexts[4] = {231, 232, 233, 234};  // Label1(0..3): x, y, z, force
  for (int i = 0; i < 4; ++i) labels_[static_cast<size_t>(i)]->setText(builtinText(labelTexts[i]));
  for (int i = 0; i < 4; ++i) fields_[static_cast<size_t>(i)]->setToolTip(builtinText(427 + i));
  gui::retext(this);
  hint_->setText(gfstrSetText(session_, 259));
  // The whole hint at once for the reader who does not want to wait for it.
  hintFrame_->setToolTip(hint_->text());
  hint_->adjustSize();
  hint_->move(hint_->x(), (hintFrame_->height() - hint_->height()) / 2);
}

void DialogEingabe::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange) showTexts();
  QDialog::changeEvent(event);
}

void DialogEingabe::sSetLayout() {
  try {
    direction_ = pendingDirection(directionHolder_);
    setWindowIcon(gui::windowIcon(session_));
    showTexts();
    hint_->move(0, hint_->y());
    hintLeft_ = 0;

    // The coordinate along the force's own axis plays no part: its field is disabled.
    disabledField_ = loads::directionAxis(direction_) + 1;  // 0: the force field stays on
    QLineEdit *off = fields_[static_cast<size_t>(disabledField_)];
    off->setEnabled(false);
    off->setStyleSheet(QStringLiteral("QLineEdit { background-color: rgb(192, 192, 255); }"));
    for (QLineEdit *f : fields_)
      if (f->isEnabled()) {
        f->setFocus();
        break;
      }
  } catch (const AppError &e) {
    msg::critical(e.description(), QStringLiteral("sSetLayout!"));
  }
}

void DialogEingabe::tmrSchrift_Timer() {
  hintLeft_ -= 33;
  if (hintLeft_ + gui::toTwips(hint_->width()) < 0) hintLeft_ = gui::toTwips(hintFrame_->width());
  hint_->move(gui::px(hintLeft_), hint_->y());
}

void DialogEingabe::cmdOK_Click() {
  try {
    // Every field is read as it stands on screen: a text the rules do not take ("2.5",
    // "-5" as a force, "1,2,3") or a value outside the plausible range is refused by the
    // name of its field, before anything is written into the table.
    static const int labelOfField[4] = {3, 0, 1, 2};
    double rounded[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
      QLineEdit *f = fields_[static_cast<size_t>(i)];
      if (!f->isEnabled()) continue;  // the coordinate along the force's own line: always 0
      const QString name = labels_[static_cast<size_t>(labelOfField[i])]->text();
      double v = 0;
      if (!gui::checkNumber(f, name, windowTitle(), i == 0 ? limits::Quantity::Force : limits::Quantity::Coordinate,
                            &v))
        return;
      rounded[i] = num::roundHalfEven(v, 0);
    }
    for (QLineEdit *f : fields_)
      if (f->text().isEmpty() || !f->isEnabled()) f->setText(QStringLiteral("0"));
    // A force that rounds to nothing is no force: the dialog stays open and says why.
    if (rounded[0] == 0) {
      msg::show({builtinText(1101), windowTitle(), msg::Icon::Exclamation, msg::Buttons::Ok, 1});
      fields_[0]->setFocus();
      fields_[0]->selectAll();
      return;
    }
    if (!grid_) return;
    const int row = editRow_ >= 1 && editRow_ < grid_->rows() ? editRow_ : grid_->rowForNewForce();
    grid_->setTextMatrix(row, 0, direction_);
    for (int c = 1; c <= 4; ++c) grid_->setTextMatrix(row, c, fields_[static_cast<size_t>(c - 1)]->text());
    gui::gsubSetColWidth(owner_, grid_, false);
    input::noteChange();
    accept();
  } catch (const AppError &e) {
    msg::critical(e.description(), builtinText(301));
  }
}

void DialogEingabe::cmdExit_Click() { reject(); }

void DialogEingabe::done(int r) {
  tmrSchrift_->stop();
  setPendingDirection(directionHolder_, QString());
  QDialog::done(r);
}
