#include <gtest/gtest.h>

#include "IStrokeOptions.h"

using namespace iplug::igraphics;

TEST(IStrokeOptionsDefaults, SolidButtMiterLineNotPreserved)
{
  const IStrokeOptions options;
  EXPECT_EQ(options.mMiterLimit, 10.f);
  EXPECT_FALSE(options.mPreserve);
  EXPECT_EQ(options.mCap, kCapButt);
  EXPECT_EQ(options.mJoin, kJoinMiter);
  EXPECT_EQ(options.mDash.GetCount(), 0);

  const IFillOptions fill;
  EXPECT_EQ(fill.mFillMode, kFillNonZero);
  EXPECT_FALSE(fill.mPreserve);
}

TEST(IStrokeOptionsDash, AtMostEightEntriesAreKept)
{
  const float dashes[10] = {1.f, 2.f, 3.f, 4.f, 5.f, 6.f, 7.f, 8.f, 9.f, 10.f};
  IStrokeOptions options;
  options.mDash.SetDash(dashes, 0.5f, 10);
  EXPECT_EQ(options.mDash.GetCount(), 8);
  EXPECT_EQ(options.mDash.GetArray()[7], 8.f);
  EXPECT_EQ(options.mDash.GetOffset(), 0.5f);
}

TEST(IStrokeOptionsDash, NullOrNegativeCountGivesASolidLine)
{
  const float dashes[2] = {4.f, 2.f};
  IStrokeOptions options;
  options.mDash.SetDash(dashes, 0.f, 2);
  options.mDash.SetDash(nullptr, 0.f, 4);
  EXPECT_EQ(options.mDash.GetCount(), 0);
  EXPECT_EQ(options.mDash.GetArray()[0], 0.f);
  options.mDash.SetDash(dashes, 0.f, -3);
  EXPECT_EQ(options.mDash.GetCount(), 0);
}
