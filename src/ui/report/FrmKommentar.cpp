#include "ui/report/FrmKommentar.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/Errors.h"
#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "ui/report/CommentFields.h"

namespace {
// The maker's contact block: company, street, town, telephone, fax, e-mail line.
constexpr int kPrefill[6] = {118, 119, 120, 121, 122, 168};
}  // namespace

FrmKommentar::FrmKommentar(Session &session, QWidget *parent) : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("FrmKommentar"));
  auto *layout = new QVBoxLayout(this);
  for (int i = 0; i < 6; ++i) {
    auto *field = new QLineEdit(this);
    field->setObjectName(QStringLiteral("tbKunde%1").arg(i));
    field->setMinimumWidth(gui::px(5200));
    layout->addWidget(field);
    tbKunde << field;
  }
  auto *buttons = new QHBoxLayout;
  buttons->addStretch();
  cmdOK = new QPushButton(this);
  gui::showText(cmdOK, 1850);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdExit = new QPushButton(this);
  gui::showText(cmdExit, 1851);
  cmdExit->setObjectName(QStringLiteral("cmdExit"));
  // Enter belongs to the fields (next line), not to a default button.
  for (QPushButton *b : {cmdOK, cmdExit}) {
    b->setAutoDefault(false);
    b->setDefault(false);
    buttons->addWidget(b);
  }
  layout->addLayout(buttons);
  new report::EnterCycle(tbKunde, this);
  connect(cmdOK, &QPushButton::clicked, this, &FrmKommentar::cmdOK_Click);
  connect(cmdExit, &QPushButton::clicked, this, &FrmKommentar::cmdExit_Click);
  sSetLayout();
}

void FrmKommentar::sSetLayout() {
  try {
    setWindowTitle(windowCaption(session_, 100));
    setWindowIcon(gui::windowIcon(session_));
    for (int i = 0; i < 6; ++i) tbKunde[i]->setText(gfstrSetText(session_, kPrefill[i]));
  } catch (const AppError &e) {
    msg::critical(e.description(), QStringLiteral("sSetLayout!"));
  }
}

void FrmKommentar::changeEvent(QEvent *event) {
  // The title and buttons; the lines are the user's.
  if (event->type() == QEvent::LanguageChange) {
    setWindowTitle(windowCaption(session_, 100));
    gui::retext(this);
  }
  QDialog::changeEvent(event);
}

void FrmKommentar::cmdOK_Click() {
  report::storeComments(session_, tbKunde);
  // The e-mail line left as it was offered is not a comment of the user's.
  if (tbKunde[5]->text() == gfstrSetText(session_, 168)) session_.gastrComment[5].clear();
  cancelled_ = false;
  accept();
}

void FrmKommentar::cmdExit_Click() {
  cancelled_ = true;
  reject();
}

bool showKommentar(Session &session, QWidget *parent) {
  FrmKommentar dialog(session, parent);
  dialog.exec();
  return !dialog.cancelled();
}
