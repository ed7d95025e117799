#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTableWidget>
#include <QTemporaryDir>

#include "ui/common/Gui.h"
#include "core/common/Session.h"

TEST(ColumnFitting, NarrowColumnsAreWidenedTwice) {
  EXPECT_EQ(gui::fittedColumnWidth(300), 504);   // 360 is below 500: x 1.4
  EXPECT_EQ(gui::fittedColumnWidth(500), 600);   // wide enough after the first step
  EXPECT_EQ(gui::fittedColumnWidth(416), 699);   // 499.2 -> 499, 698.6 -> 699
  EXPECT_EQ(gui::fittedColumnWidth(0), 0);
}

TEST(ColumnFitting, GridColumnsFollowTheirWidestCell) {
  QWidget window;
  QTableWidget grid(2, 2, &window);
  grid.setItem(0, 0, new QTableWidgetItem("kurz"));
  grid.setItem(1, 0, new QTableWidgetItem("ein viel längerer Text"));
  grid.setItem(0, 1, new QTableWidgetItem("1"));
  gui::gsubSetColWidth(&window, &grid, false);
  const int widest = gui::textWidthTwips(window.font(), "ein viel längerer Text");
  EXPECT_EQ(grid.columnWidth(0), gui::px(gui::fittedColumnWidth(widest)));
  EXPECT_LT(grid.columnWidth(1), grid.columnWidth(0));
}

TEST(Colours, ColourValuesAreBlueGreenRed) {
  EXPECT_EQ(gui::vbColor(16711680), QColor(0, 0, 255));
  EXPECT_EQ(gui::vbColor(255), QColor(255, 0, 0));
  EXPECT_EQ(gui::vbColor(65535), QColor(255, 255, 0));
  EXPECT_EQ(gui::vbColor(-2147483634), gui::systemColor(14));
}

TEST(LayoutPattern, CustomerTextSetTakesThePicturesFromCusPic) {
  Session session;
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ASSERT_TRUE(QDir(dir.path()).mkdir("CusPic"));
  QImage heading(37, 23, QImage::Format_RGB32);
  heading.fill(Qt::green);
  ASSERT_TRUE(heading.save(dir.filePath("CusPic/151.bmp"), "BMP"));
  QImage icon(16, 16, QImage::Format_ARGB32);
  icon.fill(Qt::red);
  ASSERT_TRUE(icon.save(dir.filePath("CusPic/101.ico"), "ICO"));

  const QString old = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.path()));
  session.gintTextMode = 3;
  const QPixmap customer = gui::headingPicture(session);
  const QIcon customerIcon = gui::windowIcon(session);
  session.gintTextMode = 1;
  const QPixmap builtIn = gui::headingPicture(session);
  QDir::setCurrent(old);

  EXPECT_EQ(customer.size(), QSize(37, 23));
  EXPECT_EQ(customer.toImage().pixelColor(5, 5), QColor(Qt::green));
  EXPECT_FALSE(customerIcon.isNull());
  EXPECT_NE(builtIn.size(), QSize(37, 23));
  EXPECT_FALSE(builtIn.isNull());
}
