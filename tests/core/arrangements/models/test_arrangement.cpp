// The table of the six arrangements.
#include <gtest/gtest.h>

#include "core/arrangements/models/Arrangement.h"
#include "core/common/Texts.h"

namespace {

TEST(Arrangements, ScreensTagsNamesAndHoverTexts) {
  ASSERT_EQ(arrangements().size(), 6);
  struct Row { const char *screen, *tag; int german, english, hover; };
  const Row rows[] = {
      {"FrmEKaEDSch", "PicEKaEDS", 216, 108, 243}, {"FrmERoEESch", "PicERoEES", 217, 109, 242},
      {"FrmZKaEDSch", "PicZKaEDS", 215, 107, 246}, {"FrmZKaZDSch", "PicZKaZDS", 214, 106, 244},
      {"FrmVKaZDSch", "PicVKaZDS", 213, 105, 247}, {"FrmZRoEESch", "PicZRoEES", 218, 110, 245}};
  for (const Row &r : rows) {
    const ArrangementInfo *a = arrangementByScreen(QString::fromLatin1(r.screen));
    ASSERT_NE(a, nullptr) << r.screen;
    EXPECT_EQ(arrangementByPictureTag(QString::fromLatin1(r.tag)), a);
    EXPECT_EQ(&arrangement(a->id), a);
    EXPECT_EQ(a->germanNameId, r.german);
    EXPECT_EQ(a->englishNameId, r.english);
    EXPECT_EQ(a->hoverTextId, r.hover);
  }
  EXPECT_EQ(arrangementByScreen(QStringLiteral("FrmStart")), nullptr);
  EXPECT_EQ(builtinText(arrangement(ArrangementId::VKaZDSch).germanNameId),
            QStringLiteral("Vier Kassetten mit zwei Doppelschienen"));
}

TEST(Arrangements, FieldsTooltipsShapesColoursDivisors) {
  const ArrangementInfo &e = arrangement(ArrangementId::EKaEDSch);
  EXPECT_FALSE(e.hasM || e.hasN);
  EXPECT_TRUE(e.groupTL);
  EXPECT_EQ(e.shapeCount, 1);
  EXPECT_EQ(e.neutralColour, 700);

  const ArrangementInfo &r = arrangement(ArrangementId::ERoEESch);
  EXPECT_FALSE(r.hasM);
  EXPECT_TRUE(r.hasN);
  EXPECT_EQ(r.tooltipN, 408);
  EXPECT_TRUE(r.rollerShoe);
  EXPECT_EQ(r.neutralColour, 703);

  const ArrangementInfo &zk = arrangement(ArrangementId::ZKaEDSch);
  EXPECT_TRUE(zk.hasM && !zk.hasN);
  EXPECT_EQ(zk.tooltipM, 414);
  EXPECT_EQ(zk.labelDivisor, 2);

  const ArrangementInfo &zz = arrangement(ArrangementId::ZKaZDSch);
  EXPECT_TRUE(!zz.hasM && zz.hasN);
  EXPECT_EQ(zz.tooltipN, 413);
  EXPECT_EQ(zz.labelDivisor, 2);

  const ArrangementInfo &v = arrangement(ArrangementId::VKaZDSch);
  EXPECT_EQ(v.tooltipM, 414);
  EXPECT_EQ(v.tooltipN, 413);
  EXPECT_EQ(v.labelDivisor, 1);

  const ArrangementInfo &zr = arrangement(ArrangementId::ZRoEESch);
  EXPECT_EQ(zr.tooltipM, 407);
  EXPECT_EQ(zr.tooltipN, 408);
  EXPECT_TRUE(zr.rollerShoe);
  EXPECT_EQ(zr.labelDivisor, 2);
  EXPECT_EQ(zr.neutralColour, 700);

  for (const ArrangementInfo &a : arrangements()) {
    EXPECT_EQ(a.groupTL, a.id == ArrangementId::EKaEDSch);
    const bool single = a.id == ArrangementId::EKaEDSch || a.id == ArrangementId::ERoEESch;
    EXPECT_EQ(a.shapeCount, single ? 1 : 4);
  }
}

}  // namespace
