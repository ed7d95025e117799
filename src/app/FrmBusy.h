#pragma once
// The busy window: a progress bar that runs from 0 to 100 while the user waits for a
// query, then closes itself. It is shown modally; the whole run happens within one tick
// of its timer.
#include <QDialog>

#include "core/common/Session.h"

class QProgressBar;
class QTimer;

class FrmBusy : public QDialog {
  Q_OBJECT
 public:
  // The window icon follows the session's text mode.
  explicit FrmBusy(const Session &session, QWidget *parent = nullptr);
  QProgressBar *ProgressBar1() const { return bar_; }
  QTimer *Timer1() const { return timer_; }
  // Shows a busy window modally and returns when it has closed itself.
  static void run(const Session &session, QWidget *parent = nullptr);

  void Timer1_Timer();

 protected:
  void done(int r) override;

 private:
  QProgressBar *bar_;
  QTimer *timer_;
  quint16 counter_ = 0;  // 0 .. 10000
  bool running_ = false;
};
