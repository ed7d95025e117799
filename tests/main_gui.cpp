// Test entry for screens: a real QApplication on the offscreen platform, German locale.
#include <gtest/gtest.h>

#include <QApplication>

#include "core/common/Numbers.h"

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  num::setLocale(QLocale(QLocale::German, QLocale::Germany));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
