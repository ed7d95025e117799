#include "ui/report/CommentFields.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "core/common/Session.h"

namespace report {

EnterCycle::EnterCycle(const QVector<QLineEdit *> &fields, QObject *parent)
    : QObject(parent), fields_(fields) {
  for (QLineEdit *f : fields_) f->installEventFilter(this);
}

bool EnterCycle::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::KeyPress) {
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      const int i = fields_.indexOf(qobject_cast<QLineEdit *>(watched));
      if (i >= 0) {
        QLineEdit *next = fields_.at((i + 1) % fields_.size());
        next->setFocus(Qt::TabFocusReason);
        next->selectAll();
        return true;  // Enter never reaches a default button
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

void storeComments(Session &session, const QVector<QLineEdit *> &fields) {
  QStringList &store = session.gastrComment;
  if (store.size() < fields.size()) store.resize(fields.size());
  for (int i = 0; i < fields.size(); ++i) store[i] = fields.at(i)->text();
}

}  // namespace report
