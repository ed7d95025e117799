#include "app/FrmBusy.h"

#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/common/Gui.h"
#include "core/common/Texts.h"

FrmBusy::FrmBusy(const Session &session, QWidget *parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FrmBusy"));
  setWindowTitle(builtinText(104));
  setWindowIcon(gui::windowIcon(session));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("ProgressBar1"));
  bar_->setRange(0, 100);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  auto *lay = new QVBoxLayout(this);
  lay->setContentsMargins(14, 14, 14, 14);
  lay->addWidget(bar_);
  setFixedSize(gui::px(4800), gui::px(900));
  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setInterval(60);
  connect(timer_, &QTimer::timeout, this, &FrmBusy::Timer1_Timer);
  timer_->start();
}

void FrmBusy::run(const Session &session, QWidget *parent) {
  FrmBusy busy(session, parent);
  busy.exec();
}

void FrmBusy::Timer1_Timer() {
  // The running flag keeps a second tick from starting a second run.
  if (counter_ != 0 || running_) return;
  running_ = true;
  while (counter_ <= 9999) {
    counter_ = static_cast<quint16>(counter_ + 5);
    bar_->setValue(counter_ / 100);
  }
  running_ = false;
  counter_ = 0;
  timer_->stop();
  accept();
}

void FrmBusy::done(int r) {
  timer_->stop();
  counter_ = 0;
  running_ = false;
  QDialog::done(r);
}
