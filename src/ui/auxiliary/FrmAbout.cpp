#include "ui/auxiliary/FrmAbout.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/auxiliary/Auxiliary.h"
#include "ui/auxiliary/LabelText.h"
#include "core/common/Errors.h"
#include "ui/common/Gui.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"

namespace {
constexpr int kWidthTwips = 6600;  // the box's design width
}

FrmAbout::FrmAbout(Session &session, QWidget *parent) : QDialog(parent), session_(session) {
  setObjectName(QStringLiteral("frmAbout"));
  setModal(true);

  picIcon = new QLabel(this);
  picIcon->setObjectName(QStringLiteral("picIcon"));
  // The texts come from the layout routine.
  lblTitle = new QLabel(this);
  lblTitle->setObjectName(QStringLiteral("lblTitle"));
  lblVersion = new QLabel(this);
  lblVersion->setObjectName(QStringLiteral("lblVersion"));
  lblDescription = new QLabel(this);
  lblDescription->setObjectName(QStringLiteral("lblDescription"));
  lblDisclaimer = new QLabel(this);
  lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
  for (QLabel *l : {lblTitle, lblVersion, lblDescription, lblDisclaimer}) {
    l->setWordWrap(true);
    l->setTextFormat(Qt::PlainText);
  }
  QFont titleFont = lblTitle->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
  lblTitle->setFont(titleFont);

  for (int i = 0; i < 2; ++i) {
    Line1[i] = new QFrame(this);
    Line1[i]->setObjectName(QStringLiteral("Line1_%1").arg(i));
    Line1[i]->setFrameShape(QFrame::HLine);
    Line1[i]->setFrameShadow(i == 0 ? QFrame::Sunken : QFrame::Plain);
  }
  cmdOK = new QPushButton(this);
  gui::showText(cmdOK, 1852);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  cmdSysInfo = new QPushButton(this);
  gui::showText(cmdSysInfo, 1853);
  cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdSysInfo, &QPushButton::clicked, this, [] { aux::startSysInfo(); });

  // Picture, title, version, description, the two lines (20 twips apart) and the
  // disclaimer (50 twips below them), each below the one before; the buttons close the box.
  auto *v = new QVBoxLayout(this);
  v->setContentsMargins(gui::px(240), gui::px(240), gui::px(240), gui::px(180));
  v->setSpacing(gui::px(90));
  v->addWidget(picIcon, 0, Qt::AlignLeft);
  v->addWidget(lblTitle);
  v->addWidget(lblVersion);
  v->addWidget(lblDescription);
  auto *lines = new QVBoxLayout;
  lines->setSpacing(gui::px(20));
  lines->addWidget(Line1[0]);
  lines->addWidget(Line1[1]);
  v->addLayout(lines);
  v->addSpacing(gui::px(50) - v->spacing() > 0 ? gui::px(50) - v->spacing() : 0);
  v->addWidget(lblDisclaimer);
  auto *buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdSysInfo);
  v->addLayout(buttons);

  // The labels have the box's design width, so each wraps to its own height and the box
  // takes exactly the height of its contents.
  const int inner = gui::px(kWidthTwips) - 2 * gui::px(240);
  for (QLabel *l : {lblTitle, lblVersion, lblDescription, lblDisclaimer}) l->setFixedWidth(inner);
  v->setSizeConstraint(QLayout::SetFixedSize);

  sSetLayout();
}

QString FrmAbout::versionLine(const Session &session) {
  return gfstrSetText(session, 235) + QStringLiteral(" ") + QString::number(kVersionMajor) +
         session.gstrSubVersion + QStringLiteral("/") + QString::number(kVersionRevision) + builtinText(236);
}

void FrmAbout::sSetLayout() {
  try {
    setWindowTitle(windowCaption(session_, 102));
    lblTitle->setText(aux::shownText(gfstrSetText(session_, 100).trimmed() + QChar(13) + builtinText(237)));
    lblVersion->setText(versionLine(session_));
    lblDescription->setText(aux::shownText(gfstrPutReturn(gfstrSetText(session_, 238))));
    lblDisclaimer->setText(aux::shownText(builtinText(239)));
    lblDisclaimer->setVisible(!lblDisclaimer->text().isEmpty());
    picIcon->setPixmap(gui::headingPicture(session_));
    setWindowIcon(gui::windowIcon(session_));
  } catch (const AppError &e) {
    msg::critical(e.description(), QStringLiteral("sSetLayout!"));
  }
}

void FrmAbout::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange) {
    gui::retext(this);
    sSetLayout();
  }
  QDialog::changeEvent(event);
}

void showAbout(Session &session, QWidget *parent) {
  FrmAbout box(session, parent);
  box.exec();
}
