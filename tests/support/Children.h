#pragma once
// The controls of a screen, found by their object names: the screens hand out no widgets.
#include <QObject>
#include <stdexcept>

namespace testsupport {

// The child `name` of `parent`, which must be there: a missing one fails the test, named.
template <class T>
T *child(const QObject *parent, const QString &name) {
  T *found = parent->findChild<T *>(name);
  if (!found) throw std::logic_error("no child \"" + name.toStdString() + "\" of type " + T::staticMetaObject.className());
  return found;
}
// The child name_index, as "LabFo_2" for child<QLabel>(w, "LabFo", 2).
template <class T>
T *child(const QObject *parent, const QString &name, int index) {
  return child<T>(parent, name + QLatin1Char('_') + QString::number(index));
}
// The children name_0, name_1, ... in that order, up to the first number missing.
template <class T>
QList<T *> numbered(const QObject *parent, const QString &name) {
  QList<T *> out;
  while (T *c = parent->findChild<T *>(name + QLatin1Char('_') + QString::number(out.size()))) out << c;
  return out;
}

}  // namespace testsupport
