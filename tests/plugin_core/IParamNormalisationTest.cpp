#include "IParam.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <utility>

using iplug::IParam;

TEST(IParamConstrain, SteppedValuesRoundToWholeStepsHalfAwayFromZero)
{
  IParam p;
  p.InitDouble("x", 0.37, -1.0, 1.0, 0.25, "", IParam::kFlagStepped);
  EXPECT_EQ(p.Value(), 0.25);
  EXPECT_EQ(p.StringToValue("0.38"), 0.5);
  EXPECT_EQ(p.Constrain(0.375), 0.5);
  EXPECT_EQ(p.Constrain(-0.375), -0.5);
}

TEST(IParamConstrain, ValuesAreClampedToTheRangeAndNaNBecomesMin)
{
  IParam p;
  p.InitDouble("x", 0.0, -2.0, 3.0, 0.1);
  p.Set(7.0);
  EXPECT_EQ(p.Value(), 3.0);
  p.Set(-7.0);
  EXPECT_EQ(p.Value(), -2.0);
  p.Set(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(p.Value(), -2.0);
}

TEST(IParamConstrain, SteppedWithZeroStepLeavesValuesUnrounded)
{
  IParam p;
  p.InitDouble("x", 0.3, 0.0, 1.0, 0.0, "", IParam::kFlagStepped);
  EXPECT_EQ(p.Value(), 0.3);
}

TEST(IParamValue, IntSaturatesAndTruncatesAndBoolSplitsAtHalf)
{
  IParam p;
  p.InitDouble("x", 0.0, -1e12, 1e12, 0.01);
  p.Set(1e12);
  EXPECT_EQ(p.Int(), INT_MAX);
  p.Set(-2.7);
  EXPECT_EQ(p.Int(), -2);
  p.Set(0.5);
  EXPECT_TRUE(p.Bool());
  p.Set(0.49);
  EXPECT_FALSE(p.Bool());
}

TEST(IParamValue, NormalisedSetAndDefaultGoThroughTheShape)
{
  IParam p;
  p.InitDouble("x", 25.0, 0.0, 100.0, 1.0);
  EXPECT_EQ(p.GetDefault(true), 0.25);
  p.SetNormalized(0.5);
  EXPECT_EQ(p.Value(), 50.0);
  EXPECT_EQ(p.GetNormalized(), 0.5);
  p.SetNormalized(1.5);
  EXPECT_EQ(p.Value(), 100.0) << "an out-of-range position is bounded by the constrain step";
  p.SetToDefault();
  EXPECT_EQ(p.Value(), 25.0);
}

namespace
{
  void ExpectRoundTrips(const IParam& p)
  {
    for (int i = 0; i <= 10; ++i)
    {
      const double n = i / 10.0;
      EXPECT_NEAR(p.ToNormalisedValue(p.FromNormalisedValue(n)), n, 1e-12) << p.GetName() << " at " << n;
    }
  }
}

TEST(IParamShape, LinearPowAndExpShapesRoundTrip)
{
  IParam linear, squared, root, exp;
  linear.InitDouble("linear", 0.0, -10.0, 30.0, 0.0);
  squared.InitDouble("pow2", 0.0, 0.0, 100.0, 0.0, "", 0, "", IParam::ShapePowCurve(2.0));
  root.InitDouble("pow0.5", 0.0, 0.0, 100.0, 0.0, "", 0, "", IParam::ShapePowCurve(0.5));
  exp.InitDouble("exp", 20.0, 20.0, 20000.0, 0.0, "", 0, "", IParam::ShapeExp());
  ExpectRoundTrips(linear);
  ExpectRoundTrips(squared);
  ExpectRoundTrips(root);
  ExpectRoundTrips(exp);

  EXPECT_DOUBLE_EQ(linear.FromNormalisedValue(0.25), 0.0);
  EXPECT_DOUBLE_EQ(squared.FromNormalisedValue(0.5), 25.0);
  EXPECT_DOUBLE_EQ(root.FromNormalisedValue(0.5), std::sqrt(0.5) * 100.0);
  EXPECT_NEAR(exp.FromNormalisedValue(0.5), std::sqrt(20.0 * 20000.0), 1e-9);
  EXPECT_NEAR(exp.FromNormalisedValue(1.0), 20000.0, 1e-9);
}

TEST(IParamShape, PowCurveDisplayTypeAtBoundaryExponents)
{
  const std::pair<double, IParam::EDisplayType> cases[] = {
    {3.0, IParam::kDisplayCubeRoot},  {2.5, IParam::kDisplaySquareRoot}, {2.0, IParam::kDisplaySquareRoot},
    {1.5, IParam::kDisplayLinear},    {1.0, IParam::kDisplayLinear},     {2.0 / 3.0, IParam::kDisplayLinear},
    {0.5, IParam::kDisplaySquared},   {0.4, IParam::kDisplaySquared},    {0.39, IParam::kDisplayCubed},
  };
  for (const auto& [exponent, type] : cases)
    EXPECT_EQ(IParam::ShapePowCurve(exponent).GetDisplayType(), type) << "exponent " << exponent;
  EXPECT_EQ(IParam::kDisplayCubeRoot, 6);
  EXPECT_EQ(IParam::kDisplaySquareRoot, 4);
  EXPECT_EQ(IParam::kDisplayCubed, 5);
  EXPECT_EQ(IParam::kDisplaySquared, 3);
}

TEST(IParamShape, ExpOverMinZeroStartsAtOneHundredMillionth)
{
  IParam p;
  p.InitDouble("f", 1.0, 0.0, 100.0, 0.0, "", 0, "", IParam::ShapeExp());
  EXPECT_NEAR(p.FromNormalisedValue(0.0), 1e-8, 1e-20);
  EXPECT_NEAR(p.FromNormalisedValue(1.0), 100.0, 1e-9);
  EXPECT_EQ(p.ToNormalisedValue(0.0), 0.0) << "log(0) must not escape";
}

TEST(IParamShape, DegenerateRangesNeverYieldNaN)
{
  IParam flatLinear, flatExp, flatPow, negativeExp;
  flatLinear.InitDouble("a", 5.0, 5.0, 5.0, 0.0);
  flatExp.InitDouble("b", 5.0, 5.0, 5.0, 0.0, "", 0, "", IParam::ShapeExp());
  flatPow.InitDouble("c", 5.0, 5.0, 5.0, 0.0, "", 0, "", IParam::ShapePowCurve(2.0));
  negativeExp.InitDouble("d", -5.0, -10.0, -1.0, 1.0, "", 0, "", IParam::ShapeExp());

  for (const IParam* p : {&flatLinear, &flatExp, &flatPow, &negativeExp})
  {
    EXPECT_EQ(p->GetNormalized(), 0.0) << p->GetName();
    EXPECT_FALSE(std::isnan(p->FromNormalisedValue(0.5))) << p->GetName();
  }
}
