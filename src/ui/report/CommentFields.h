#pragma once
// The six comment fields of a report page and of the comment dialog: Enter moves to the
// next field and selects its text (from the last back to the first).
#include <QObject>
#include <QVector>

#include "core/common/Session.h"

class QLineEdit;

namespace report {

class EnterCycle : public QObject {
  Q_OBJECT
 public:
  EnterCycle(const QVector<QLineEdit *> &fields, QObject *parent);

 protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

 private:
  QVector<QLineEdit *> fields_;
};

// Copies the texts of the six fields into the comment store gastrComment.
void storeComments(Session &session, const QVector<QLineEdit *> &fields);

}  // namespace report
