// The arrangement drawings: where the controls go on them, and that they paint inside
// the rect they are given at any size.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "output/arrangements/Drawings.h"

namespace {

const QRectF kDesign(0, 0, drawing::kDesignWidth, drawing::kDesignHeight);

// The box a direction label occupies on the screens.
QRectF labelBox(const QPointF &c) { return QRectF(c.x() - 17, c.y() - 9, 34, 18); }

bool whiteOutside(const QImage &img, const QRect &inside) {
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (!inside.contains(x, y) && img.pixel(x, y) != qRgb(255, 255, 255)) return false;
  return true;
}

}  // namespace

TEST(Drawings, ShapesSitOnTheUnitsOrPositionsOfEachArrangement) {
  const struct {
    ArrangementId id;
    int shapes;
  } cases[] = {{ArrangementId::EKaEDSch, 1}, {ArrangementId::ERoEESch, 1}, {ArrangementId::ZKaEDSch, 4},
               {ArrangementId::ZKaZDSch, 4}, {ArrangementId::VKaZDSch, 4}, {ArrangementId::ZRoEESch, 4}};
  for (const auto &c : cases) {
    SCOPED_TRACE(arrangement(c.id).screenName);
    const drawing::Layout l = drawing::layout(c.id, kDesign);
    ASSERT_EQ(l.loadShapes.size(), c.shapes);
    ASSERT_EQ(l.loadLabels.size(), 4);
    for (const QRectF &s : l.loadShapes) EXPECT_TRUE(kDesign.contains(s));
    for (int a = 0; a < l.loadShapes.size(); ++a)
      for (int b = a + 1; b < l.loadShapes.size(); ++b)
        EXPECT_FALSE(l.loadShapes[a].intersects(l.loadShapes[b])) << a << " " << b;
    if (c.shapes == 4) {
      // 0 and 1 belong to the unit(s) at -x, 2 and 3 to those at +x; odd positions lie
      // at +y, that is further back and so higher up in the picture.
      EXPECT_LT(l.loadShapes[0].center().x(), l.loadShapes[2].center().x());
      EXPECT_LT(l.loadShapes[1].center().x(), l.loadShapes[3].center().x());
      EXPECT_LT(l.loadShapes[1].center().y(), l.loadShapes[0].center().y());
      EXPECT_LT(l.loadShapes[3].center().y(), l.loadShapes[2].center().y());
    }
    // The values beside the marks must not run into each other.
    for (int a = 0; a < 4; ++a)
      for (int b = a + 1; b < 4; ++b) {
        const QPointF d = l.loadLabels[a] - l.loadLabels[b];
        EXPECT_TRUE(std::abs(d.x()) >= 60 || std::abs(d.y()) >= 16) << a << " " << b;
      }
  }
}

TEST(Drawings, DirectionLabelsAroundThePicture) {
  for (const ArrangementInfo &info : arrangements()) {
    SCOPED_TRACE(info.screenName);
    const drawing::Layout l = drawing::layout(info.id, kDesign);
    for (int i = 0; i < 8; ++i) {
      EXPECT_TRUE(kDesign.contains(labelBox(l.directionAnchors[i]))) << i;
      EXPECT_NEAR(std::hypot(l.directionVectors[i].x(), l.directionVectors[i].y()), 1.0, 1e-9);
      for (int j = i + 1; j < 8; ++j)
        EXPECT_FALSE(labelBox(l.directionAnchors[i]).intersects(labelBox(l.directionAnchors[j]))) << i << " " << j;
    }
    // 0 "X +" right, 2 "- X" left; 5 "Z +" above 4 "- Z"; the "Y +" labels behind (above)
    // the "- Y" labels on both sides.
    EXPECT_GT(l.directionAnchors[0].x(), l.directionAnchors[2].x());
    EXPECT_GT(l.directionVectors[0].x(), 0.99);
    EXPECT_LT(l.directionAnchors[5].y(), l.directionAnchors[4].y());
    EXPECT_LT(l.directionVectors[5].y(), -0.99);
    EXPECT_LT(l.directionAnchors[1].y(), l.directionAnchors[3].y());
    EXPECT_LT(l.directionAnchors[7].y(), l.directionAnchors[6].y());
    EXPECT_GT(l.directionAnchors[1].x(), kDesign.center().x());
    EXPECT_LT(l.directionAnchors[7].x(), kDesign.center().x());
    // Label and direction agree: "Y +" points back (up to the right), "- Y" forward.
    EXPECT_GT(l.directionVectors[1].x(), 0);
    EXPECT_LT(l.directionVectors[1].y(), 0);
    EXPECT_EQ(l.directionVectors[3], -l.directionVectors[1]);
    EXPECT_EQ(l.directionVectors[6], l.directionVectors[3]);
    EXPECT_EQ(l.directionVectors[7], l.directionVectors[1]);
  }
}

TEST(Drawings, DistanceFieldsWhereTheArrangementHasThem) {
  for (const ArrangementInfo &info : arrangements()) {
    SCOPED_TRACE(info.screenName);
    const drawing::Layout l = drawing::layout(info.id, kDesign);
    EXPECT_EQ(!l.mField.isNull(), info.hasM);
    EXPECT_EQ(!l.nField.isNull(), info.hasN);
    for (const QRectF &f : {l.mField, l.nField}) {
      if (f.isNull()) continue;
      EXPECT_TRUE(kDesign.contains(f));
      for (const QRectF &s : l.loadShapes) EXPECT_FALSE(f.intersects(s));
      for (const QPointF &a : l.directionAnchors) EXPECT_FALSE(f.intersects(labelBox(a)));
    }
  }
}

TEST(Drawings, LayoutScalesWithTheRect) {
  // A page of a printer at high resolution: everything four times as large, shifted.
  const QRectF page(200, 100, 4 * drawing::kDesignWidth, 4 * drawing::kDesignHeight);
  const drawing::Layout small = drawing::layout(ArrangementId::VKaZDSch, kDesign);
  const drawing::Layout large = drawing::layout(ArrangementId::VKaZDSch, page);
  for (int k = 0; k < 4; ++k) {
    EXPECT_NEAR(large.loadShapes[k].center().x(), 200 + 4 * small.loadShapes[k].center().x(), 1e-6);
    EXPECT_NEAR(large.loadShapes[k].width(), 4 * small.loadShapes[k].width(), 1e-6);
    EXPECT_NEAR(large.loadLabels[k].y(), 100 + 4 * small.loadLabels[k].y(), 1e-6);
  }
  EXPECT_NEAR(large.mField.width(), 4 * small.mField.width(), 1e-6);
}

TEST(Drawings, PaintsInsideItsRectOnly) {
  for (const ArrangementInfo &info : arrangements()) {
    SCOPED_TRACE(info.screenName);
    QImage img(800, 420, QImage::Format_RGB32);
    img.fill(Qt::white);
    const QRect rect(100, 60, 600, 300);
    drawing::Options o;
    o.directionTexts = true;
    o.mText = "250";
    o.nText = "400";
    o.shapeFills = QVector<QColor>(4, QColor(255, 0, 0));
    o.loadTexts = {"1 N", "2 N", "3 N", "4 N"};
    {
      QPainter p(&img);
      drawing::paint(p, rect, info.id, o);
    }
    EXPECT_TRUE(whiteOutside(img, rect));
    // The load marks are filled as asked.
    const drawing::Layout l = drawing::layout(info.id, rect);
    for (const QRectF &s : l.loadShapes) EXPECT_EQ(img.pixel(s.center().toPoint()), qRgb(255, 0, 0));
    int drawn = 0;
    for (int y = rect.top(); y <= rect.bottom(); y += 3)
      for (int x = rect.left(); x <= rect.right(); x += 3) drawn += img.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(drawn, 1500);
  }
}

TEST(Drawings, CompactPictureForTheStartScreen) {
  QImage img(200, 150, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainter p(&img);
    drawing::Options o;
    o.compact = true;
    drawing::paint(p, QRectF(4, 4, 192, 142), ArrangementId::ZRoEESch, o);
  }
  EXPECT_TRUE(whiteOutside(img, QRect(4, 4, 192, 142)));
  int drawn = 0;
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 200; ++x) drawn += img.pixel(x, y) != qRgb(255, 255, 255);
  // The small picture fills a fair part of its rect.
  EXPECT_GT(drawn, 200 * 150 / 8);
}
