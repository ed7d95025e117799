// Share functions of the multi-support models.
#include <gtest/gtest.h>

#include "core/arrangements/models/Shares.h"

namespace {

TEST(Shares, LeverRuleValues) {
  EXPECT_FLOAT_EQ(gfsngShareNearNear(1000, 0, 0, 200, 50, 0), 250.0f);
  EXPECT_FLOAT_EQ(gfsngShareNearNear(1000, -50, 10, 200, 50, 0), 525.0f);  // signs ignored
  EXPECT_FLOAT_EQ(gfsngShareFarNear(1000, 300, 0, 200, 50, 0), -500.0f);  // no clamping
  EXPECT_FLOAT_EQ(gfsngShareOverDiag(1000, 100, 25, 200, 50, 0), 0.0f);
  EXPECT_FLOAT_EQ(gfsngShareNearFar(1000, 50, 10, 200, 50, 0), 1000 * 0.3f * 0.75f);
  EXPECT_FLOAT_EQ(gfsngShareFarFar(-1000, 50, -10, 200, 50, 0), 1000 * 0.3f * 0.25f);
  EXPECT_FLOAT_EQ(gfsngShareOverNear(1000, 150, 10, 200, 50, 0), 500 * 0.7f * 0.25f);
  EXPECT_FLOAT_EQ(gfsngHalfOver(1000, 150, 200, 0), 125.0f);
  EXPECT_FLOAT_EQ(gfsngHalfFar(1000, 50, 200, 0), 125.0f);
  EXPECT_FLOAT_EQ(gfsngCoupleOffset(1000, -40, 100, 0), 200.0f);
  EXPECT_FLOAT_EQ(gfsngCoupleHeight(1000, 20, 40, 1), -250.0f);
}

TEST(Shares, OnlyFlagOneNegates) {
  EXPECT_FLOAT_EQ(gfsngHalfNear(1000, 50, 200, 1), -375.0f);
  EXPECT_FLOAT_EQ(gfsngHalfNear(1000, 50, 200, 0), 375.0f);
  EXPECT_FLOAT_EQ(gfsngHalfNear(1000, 50, 200, -1), 375.0f);
  EXPECT_FLOAT_EQ(gfsngHalfNear(1000, 50, 200, 2), 375.0f);
  EXPECT_FLOAT_EQ(gfsngShareNearNear(1000, 0, 0, 200, 50, 1), -250.0f);
}

TEST(Shares, GuardOnDistancesBeforeAnything) {
  EXPECT_EQ(gfsngCoupleOffset(1000, 40, 0, 1), 0.0f);
  EXPECT_EQ(gfsngShareNearNear(1000, 0, 0, 200, -50, 0), 0.0f);
  EXPECT_EQ(gfsngShareOverDiag(1000, 0, 0, 0, 50, 1), 0.0f);
  EXPECT_EQ(gfsngHalfNear(1000, 10, -200, 0), 0.0f);  // a negative distance is no distance
  EXPECT_EQ(gfsngHalfOver(1000, 10, 0, 0), 0.0f);
  EXPECT_EQ(gfsngHalfFar(1000, 10, 0, 0), 0.0f);
  EXPECT_EQ(gfsngCoupleHeight(1000, 10, 0, 0), 0.0f);
  EXPECT_EQ(gfsngShareFarFar(1000, 10, 10, 100, 0, 0), 0.0f);
}

TEST(Shares, OverDiagIsTheCornerLiftAndAddsUpBeyondTheCorner) {
  // (F/2)((u/D1 + 0.5)(v/D2 + 0.5) - 1) for a point beyond the corner.
  EXPECT_FLOAT_EQ(gfsngShareOverDiag(1000, 150, 75, 200, 100, 0), 281.25f);
  EXPECT_NEAR(gfsngShareOverDiag(777, 130, 61, 200, 100, 0),
              777.0 / 2 * ((130.0 / 200 + 0.5) * (61.0 / 100 + 0.5) - 1), 1e-3);
}

TEST(Shares, DoubleIntermediatesRoundedOnceToSingle) {
  // 500 (1/3 + 0.5): single-precision arithmetic would end on 416.666687, the value held
  // in double and rounded once is 416.666656.
  EXPECT_EQ(gfsngHalfNear(1000, 1, 3, 0), static_cast<float>(500.0 * (1.0 / 3.0 + 0.5)));
  EXPECT_NE(gfsngHalfNear(1000, 1, 3, 0), 1000.0f / 2.0f * (1.0f / 3.0f + 0.5f));
}

TEST(Shares, Max4ComparesWithSigns) {
  EXPECT_EQ(gfsngMax4(-5, -2, -9, -3), -2.0f);
  EXPECT_EQ(gfsngMax4(1, 4, 4, 2), 4.0f);
  EXPECT_EQ(gfsngMax4(7, 1, 2, 3), 7.0f);
  EXPECT_EQ(gfsngMax4(0, 0, 0, 9), 9.0f);
}

}  // namespace
