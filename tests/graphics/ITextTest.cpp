#include <gtest/gtest.h>

#include <string>

#include "IText.h"

using namespace iplug::igraphics;

TEST(ITextDefaults, DefaultTextIsPoppinsMediumSeventeenCentred)
{
  EXPECT_STREQ(DEFAULT_TEXT.mFont, "Poppins-Medium");
  EXPECT_EQ(DEFAULT_TEXT.mSize, 17.f);
  EXPECT_EQ(DEFAULT_TEXT.mColor, DEFAULT_TEXT_FGCOLOR);
  EXPECT_EQ(DEFAULT_TEXT.mEntryBackColor, COLOR_WHITE);
  EXPECT_EQ(DEFAULT_TEXT.mEntryTextColor, COLOR_BLACK);
  EXPECT_EQ(DEFAULT_TEXT.mAngle, 0.f);
  EXPECT_EQ(DEFAULT_TEXT.mAlign, kAlignCenter);
  EXPECT_EQ(DEFAULT_TEXT.mVAlign, kVAlignMiddle);
  EXPECT_EQ(IText(), DEFAULT_TEXT);
}

TEST(ITextFont, OverlongNameIsCutAndTerminated)
{
  const std::string longName(100, 'x');
  const IText text(12.f, COLOR_RED, longName.c_str());
  EXPECT_EQ(std::string(text.mFont), std::string(63, 'x'));
}

TEST(ITextWith, CopiesChangeOneFieldOnly)
{
  const IText label = DEFAULT_TEXT.WithSize(22.f).WithVAlign(kVAlignTop);
  EXPECT_EQ(label.mSize, 22.f);
  EXPECT_EQ(label.mVAlign, kVAlignTop);
  EXPECT_EQ(label, IText(22.f, kVAlignTop));
  EXPECT_EQ(DEFAULT_TEXT.mSize, 17.f);
}
