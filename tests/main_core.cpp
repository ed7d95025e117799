// Test entry for code without widgets: a core application, the German locale of the
// program's users, and a message recorder so that no test ever waits for a box.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "core/common/Numbers.h"

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  num::setLocale(QLocale(QLocale::German, QLocale::Germany));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
