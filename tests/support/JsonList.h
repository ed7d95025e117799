#pragma once
#include <QJsonArray>
#include <QJsonValue>

namespace testsupport {

// A list of one element. Written as QJsonArray{QJsonArray{...}}, some compilers take the
// braces for a copy of the inner list instead of a list holding it.
inline QJsonArray listOf(const QJsonValue &one) {
  QJsonArray a;
  a.append(one);
  return a;
}

}  // namespace testsupport
