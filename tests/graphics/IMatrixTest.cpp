#include <gtest/gtest.h>

#include "IMatrix.h"

using iplug::igraphics::IMatrix;

namespace {

void ExpectMaps(const IMatrix& m, double x, double y, double ex, double ey)
{
  m.TransformPoint(x, y);
  EXPECT_NEAR(x, ex, 1e-9);
  EXPECT_NEAR(y, ey, 1e-9);
}

} // namespace

TEST(IMatrixIdentity, MapsPointsToThemselves)
{
  ExpectMaps(IMatrix(), 3.5, -2.0, 3.5, -2.0);
}

TEST(IMatrixTransformPoint, UsesTheAffineFormula)
{
  // x' = x*a + y*c + tx, y' = x*b + y*d + ty
  ExpectMaps(IMatrix(2.0, 3.0, 5.0, 7.0, 11.0, 13.0), 1.0, 10.0, 1 * 2 + 10 * 5 + 11, 1 * 3 + 10 * 7 + 13);
}

TEST(IMatrixRotate, PositiveAngleTurnsClockwiseOnAScreenWhoseYGrowsDown)
{
  IMatrix m;
  m.Rotate(90.0);
  ExpectMaps(m, 1.0, 0.0, 0.0, 1.0);
  ExpectMaps(m, 0.0, 1.0, -1.0, 0.0);
}

TEST(IMatrixComposition, LaterStepsApplyInLocalCoordinates)
{
  IMatrix m;
  m.Translate(100.0, 50.0).Rotate(90.0).Scale(2.0, 3.0);
  // (1, 1) -> scale (2, 3) -> rotate (-3, 2) -> translate (97, 52)
  ExpectMaps(m, 1.0, 1.0, 97.0, 52.0);
}

TEST(IMatrixTransform, MultipliesWithTheArgumentAppliedFirst)
{
  IMatrix m(1.0, 0.0, 0.0, 1.0, 10.0, 0.0);
  m.Transform(IMatrix(0.0, 1.0, -1.0, 0.0, 0.0, 5.0));
  // (2, 0) -> argument (0, 7) -> this (10, 7)
  ExpectMaps(m, 2.0, 0.0, 10.0, 7.0);
}

TEST(IMatrixSkew, TiltsTheAxesByTheTangents)
{
  IMatrix m;
  m.Skew(45.0, 0.0);
  ExpectMaps(m, 0.0, 2.0, 2.0, 2.0);
  IMatrix n;
  n.Skew(0.0, 45.0);
  ExpectMaps(n, 2.0, 0.0, 2.0, 2.0);
}

TEST(IMatrixInvert, UndoesTheTransform)
{
  IMatrix m;
  m.Translate(12.0, -7.0).Rotate(30.0).Scale(2.0, 0.5).Skew(10.0, 5.0);
  IMatrix inverse = m;
  ASSERT_TRUE(inverse.Invert());

  double x = 3.0;
  double y = 4.0;
  m.TransformPoint(x, y);
  inverse.TransformPoint(x, y);
  EXPECT_NEAR(x, 3.0, 1e-9);
  EXPECT_NEAR(y, 4.0, 1e-9);
}

TEST(IMatrixInvert, SingularMatrixIsRefusedAndLeftUnchanged)
{
  const IMatrix singular(1.0, 2.0, 2.0, 4.0, 5.0, 6.0);
  IMatrix m = singular;
  EXPECT_FALSE(m.Invert());
  EXPECT_EQ(m, singular);

  IMatrix flat;
  flat.Scale(0.0, 1.0);
  EXPECT_FALSE(flat.Invert());
}
