#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/RecordingGraphics.h"

using namespace iplug::igraphics;

// The drawing operations of the graphics core as the path calls they hand to the back end.

namespace
{
class DrawingOperationsTest : public ::testing::Test
{
protected:
  // The log lines starting with prefix.
  std::vector<std::string> Lines(const std::string& prefix) const
  {
    std::vector<std::string> lines;
    for (const std::string& line : g.mLog)
      if (line.rfind(prefix, 0) == 0)
        lines.push_back(line);
    return lines;
  }

  RecordingDelegate dlg;
  RecordingGraphics g{dlg, 200, 100, 60, 1.f};
};
} // namespace

TEST_F(DrawingOperationsTest, VerticalLineAtHalfOfANineWideRectTruncatesToFour)
{
  g.DrawVerticalLine(COLOR_BLACK, IRECT(10, 0, 19, 50), 0.5f);
  EXPECT_EQ(Lines("PathMoveTo"), std::vector<std::string>{"PathMoveTo 14 0"});
  EXPECT_EQ(Lines("PathLineTo"), std::vector<std::string>{"PathLineTo 14 50"});
}

TEST_F(DrawingOperationsTest, HorizontalLineAtHalfOfANineHighRectIsNotTruncated)
{
  g.DrawHorizontalLine(COLOR_BLACK, IRECT(0, 10, 50, 19), 0.5f);
  EXPECT_EQ(Lines("PathMoveTo"), std::vector<std::string>{"PathMoveTo 0 14.5"});
}

TEST_F(DrawingOperationsTest, NormalisedLinePositionsAreClamped)
{
  g.DrawVerticalLine(COLOR_BLACK, IRECT(10, 0, 20, 50), 7.f);
  EXPECT_EQ(Lines("PathMoveTo"), std::vector<std::string>{"PathMoveTo 20 0"});
}

TEST_F(DrawingOperationsTest, GridIsOneStrokeWithNoLineOnTheEdges)
{
  g.DrawGrid(COLOR_BLACK, IRECT(0, 0, 30, 20), 10.f, 10.f);
  EXPECT_EQ(Lines("PathMoveTo"),
            (std::vector<std::string>{"PathMoveTo 10 0", "PathMoveTo 20 0", "PathMoveTo 0 10"}));
  EXPECT_EQ(g.mStrokes, 1);
}

TEST_F(DrawingOperationsTest, GridSpacingOfOneOrLessDrawsNoLinesThatWay)
{
  g.DrawGrid(COLOR_BLACK, IRECT(0, 0, 30, 20), 1.f, 10.f);
  EXPECT_EQ(Lines("PathMoveTo"), std::vector<std::string>{"PathMoveTo 0 10"});
}

TEST_F(DrawingOperationsTest, DataWithOnePointIsASinglePointPath)
{
  float y = 0.5f;
  g.DrawData(COLOR_BLACK, IRECT(0, 0, 10, 10), &y, 1);
  EXPECT_EQ(Lines("PathMoveTo"), std::vector<std::string>{"PathMoveTo 0 5"});
  EXPECT_TRUE(Lines("PathLineTo").empty());
  EXPECT_EQ(g.mStrokes, 1);
}

TEST_F(DrawingOperationsTest, DataFirstPointStaysOnTheLeftEdge)
{
  float ys[3] = {0.f, 1.f, 0.f};
  float xs[3] = {0.5f, 0.5f, 1.f};
  g.DrawData(COLOR_BLACK, IRECT(0, 0, 10, 10), ys, 3, xs);
  EXPECT_EQ(Lines("PathMoveTo"), std::vector<std::string>{"PathMoveTo 0 10"});
  EXPECT_EQ(Lines("PathLineTo"), (std::vector<std::string>{"PathLineTo 5 0", "PathLineTo 10 10"}));
}

TEST_F(DrawingOperationsTest, RoundRectWithZeroRadiiIsThePlainRectangle)
{
  g.PathRoundRect(IRECT(0, 0, 10, 10), 0.f, 0.f, 0.f, 0.f);
  EXPECT_TRUE(Lines("PathArc").empty());
  EXPECT_EQ(Lines("PathLineTo").size(), 3u);
}

TEST_F(DrawingOperationsTest, RoundRectWithOneNegativeRadiusStillBuildsItsArcs)
{
  g.PathRoundRect(IRECT(0, 0, 10, 10), -1.f, 2.f, 2.f, 2.f);
  EXPECT_EQ(Lines("PathArc").size(), 4u);
}

TEST_F(DrawingOperationsTest, EllipseWithNonPositiveRadiusDrawsNothingAndKeepsTheTransform)
{
  g.PathTransformTranslate(3.f, 4.f);
  g.PathEllipse(10.f, 10.f, 0.f, 5.f);
  EXPECT_TRUE(Lines("PathArc").empty());
  EXPECT_EQ(g.GetTransform(), IMatrix(1, 0, 0, 1, 3, 4));
}

TEST_F(DrawingOperationsTest, CircleStartsAtTwelveOClock)
{
  g.PathCircle(10.f, 20.f, 5.f);
  EXPECT_EQ(Lines("PathMoveTo"), std::vector<std::string>{"PathMoveTo 10 15"});
  EXPECT_EQ(Lines("PathArc"), std::vector<std::string>{"PathArc 10 20 5 0 360"});
}

TEST_F(DrawingOperationsTest, PieSliceStartsAtTheCentre)
{
  g.FillArc(COLOR_BLACK, 10.f, 20.f, 5.f, 0.f, 90.f);
  EXPECT_EQ(Lines("PathMoveTo"), std::vector<std::string>{"PathMoveTo 10 20"});
  EXPECT_EQ(g.mFills, 1);
}

TEST_F(DrawingOperationsTest, FrameOfAHorizontalStripIsOffsetByWholeFrames)
{
  APIBitmap strip(1, 90, 10, 1.f, 1.f);
  const IBitmap bitmap(&strip, 3, true);
  IGraphics& core = g;
  core.DrawBitmap(bitmap, IRECT(0, 0, 30, 10), 2);
  core.DrawBitmap(bitmap, IRECT(0, 0, 30, 10), 7);
  EXPECT_EQ(Lines("DrawBitmap"), (std::vector<std::string>{"DrawBitmap 0 0 30 10 30 0", "DrawBitmap 0 0 30 10 60 0"}));
}

TEST_F(DrawingOperationsTest, BitmapedTextDrawsOnlyTheCharactersThatFitOnOneLine)
{
  APIBitmap font(1, 6, 12 * 95, 1.f, 1.f);
  const IBitmap strip(&font, 95, false);
  IText text(12.f, COLOR_BLACK, nullptr, kAlignNear);
  g.DrawBitmapedText(strip, IRECT(0, 0, 20, 12), text, nullptr, "ABCDEF", false, false, 6, 12);
  // "A" is code 65: frame 34, whose offset in the stacked strip is 33 frames of 12 units.
  const std::vector<std::string> draws = Lines("DrawBitmap");
  ASSERT_EQ(draws.size(), 3u);
  EXPECT_EQ(draws[0], "DrawBitmap 0 0 6 12 0 396");
  EXPECT_EQ(draws[2], "DrawBitmap 12 0 18 12 0 420");
}

TEST_F(DrawingOperationsTest, EmptyTextDrawsAndMeasuresNothing)
{
  IRECT r(0, 0, 10, 10);
  g.DrawText(IText(), "", r);
  g.DrawText(IText(), nullptr, r);
  EXPECT_TRUE(Lines("DoDrawText").empty());
  EXPECT_EQ(g.MeasureText(IText(), "", r), 0.f);
}

TEST_F(DrawingOperationsTest, TextRotatedAQuarterTurnIsRecentredInItsBounds)
{
  IText text(10.f, COLOR_BLACK, nullptr, kAlignCenter, kVAlignMiddle, 90.f);
  const IRECT bounds(0, 0, 100, 100);
  IRECT rect(40, 45, 60, 55);
  double tx = 0.0;
  double ty = 0.0;
  g.CalculateTextRotation(text, bounds, rect, tx, ty);
  EXPECT_NEAR(rect.W(), 10.f, 1e-4f);
  EXPECT_NEAR(rect.H(), 20.f, 1e-4f);
  EXPECT_NEAR(rect.MW() + tx, 50.0, 1e-4);
  EXPECT_NEAR(rect.MH() + ty, 50.0, 1e-4);
}

TEST_F(DrawingOperationsTest, TransformStackRestoresAndIgnoresAnEmptyPop)
{
  g.PathTransformTranslate(5.f, 0.f);
  g.PathTransformSave();
  g.PathTransformScale(2.f);
  g.PathTransformRotate(90.f);
  g.PathTransformRestore();
  EXPECT_EQ(g.GetTransform(), IMatrix(1, 0, 0, 1, 5, 0));
  g.PathTransformRestore();
  EXPECT_EQ(g.GetTransform(), IMatrix(1, 0, 0, 1, 5, 0));
}

TEST_F(DrawingOperationsTest, FittedAndRotatedBitmapsLeaveTheTransformAsItWas)
{
  APIBitmap pixels(1, 20, 10, 1.f, 1.f);
  const IBitmap bitmap(&pixels, 1, false);
  g.PathTransformTranslate(1.f, 2.f);
  g.DrawFittedBitmap(bitmap, IRECT(0, 0, 40, 40));
  g.DrawRotatedBitmap(bitmap, 20.f, 20.f, 45.0);
  EXPECT_EQ(g.GetTransform(), IMatrix(1, 0, 0, 1, 1, 2));
}

TEST_F(DrawingOperationsTest, ClipOutsideAnyControlOrLayerClipsEverything)
{
  g.PathClipRegion(IRECT(5, 5, 50, 50));
  EXPECT_EQ(Lines("SetClipRegion").back(), "SetClipRegion 0 0 0 0") << "no control clip: nothing may be drawn";
}
