// Fill and stroke paints, colours in every notation, opacities and the stroke settings.
#include "SVGTestSupport.h"

namespace iplug::igraphics::test {
namespace {

const NSVGshape* FirstShape(const SVGImagePtr& image)
{
  return image ? image->shapes : nullptr;
}

TEST(SVGPaint, DefaultsAreABlackFillAndNoStroke)
{
  const auto image = ParseBody("<rect width='1' height='1'/>");
  const NSVGshape* shape = FirstShape(image);
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->fill.type, NSVG_PAINT_COLOR);
  EXPECT_EQ(shape->fill.color, RGBA(0, 0, 0));
  EXPECT_EQ(shape->stroke.type, NSVG_PAINT_NONE);
  EXPECT_EQ(shape->opacity, 1.0f);
  EXPECT_EQ(shape->flags, NSVG_FLAGS_VISIBLE);
  EXPECT_EQ(shape->strokeLineJoin, NSVG_JOIN_MITER);
  EXPECT_EQ(shape->strokeLineCap, NSVG_CAP_BUTT);
  EXPECT_EQ(shape->miterLimit, 4.0f);
}

TEST(SVGPaint, ColourNotationsPackWithRedInTheLowByte)
{
  struct Case
  {
    const char* text;
    unsigned int packed;
  };
  for (const Case& c : {Case{"#f80", RGBA(0xFF, 0x88, 0x00)}, Case{"#12AB9c", RGBA(0x12, 0xAB, 0x9C)},
                        Case{"rgb(1, 2, 3)", RGBA(1, 2, 3)}, Case{"rgb(100%,50%,0%)", RGBA(255, 128, 0)},
                        Case{"rgb(300,-5,0)", RGBA(255, 0, 0)}, Case{"CornflowerBlue", RGBA(0x64, 0x95, 0xED)},
                        Case{"yellowgreen", RGBA(0x9A, 0xCD, 0x32)}, Case{"rgba(10,20,30,0.5)", RGBA(10, 20, 30, 128)},
                        Case{"transparent", RGBA(0, 0, 0, 0)}})
  {
    const auto image = ParseBody(std::string("<rect width='1' height='1' fill='") + c.text + "'/>");
    const NSVGshape* shape = FirstShape(image);
    ASSERT_TRUE(shape) << c.text;
    EXPECT_EQ(shape->fill.type, NSVG_PAINT_COLOR) << c.text;
    EXPECT_EQ(shape->fill.color, c.packed) << c.text;
  }
}

TEST(SVGPaint, UnreadableColourKeepsTheInheritedPaint)
{
  const auto image = ParseBody("<g fill='red'><rect width='1' height='1' fill='#12345'/><rect width='1' height='1' fill='nocolour'/></g>");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->shapes->fill.color, RGBA(255, 0, 0));
  EXPECT_EQ(image->shapes->next->fill.color, RGBA(255, 0, 0));
}

TEST(SVGPaint, NoneTurnsAPaintOff)
{
  const auto image = ParseBody("<rect width='1' height='1' fill='none' stroke='none'/>");
  const NSVGshape* shape = FirstShape(image);
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->fill.type, NSVG_PAINT_NONE);
  EXPECT_EQ(shape->stroke.type, NSVG_PAINT_NONE);
}

TEST(SVGPaint, CurrentColorFollowsTheInheritedColorProperty)
{
  const auto image = ParseBody("<g color='#00ff00'><rect width='1' height='1' fill='currentColor' stroke='currentColor'/></g>");
  const NSVGshape* shape = FirstShape(image);
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->fill.color, RGBA(0, 255, 0));
  EXPECT_EQ(shape->stroke.color, RGBA(0, 255, 0));
}

TEST(SVGPaint, FillAndStrokeOpacityGoIntoTheirPaintsAlpha)
{
  const auto image = ParseBody("<rect width='1' height='1' fill='blue' fill-opacity='0.5' stroke='red' stroke-opacity='20%'/>");
  const NSVGshape* shape = FirstShape(image);
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->fill.color, RGBA(0, 0, 255, 128));
  EXPECT_EQ(shape->stroke.color, RGBA(255, 0, 0, 51));
  EXPECT_EQ(shape->opacity, 1.0f);
}

TEST(SVGPaint, GroupOpacitiesMultiplyIntoTheShape)
{
  const auto image = ParseBody("<g opacity='0.5'><g style='opacity:0.5'><rect width='1' height='1' opacity='0.8'/></g></g>");
  const NSVGshape* shape = FirstShape(image);
  ASSERT_TRUE(shape);
  EXPECT_FLOAT_EQ(shape->opacity, 0.2f);
}

TEST(SVGPaint, OpacityOutsideTheUnitIntervalIsClamped)
{
  const auto image = ParseBody("<rect width='1' height='1' opacity='3' fill-opacity='-1'/>");
  const NSVGshape* shape = FirstShape(image);
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->opacity, 1.0f);
  EXPECT_EQ(shape->fill.color >> 24, 0u);
}

TEST(SVGPaint, StrokeSettingsAreCopied)
{
  const auto image = ParseBody("<path d='M0 0L10 0' stroke='black' stroke-width='3' stroke-linecap='round' "
                               "stroke-linejoin='bevel' stroke-miterlimit='7'/>");
  const NSVGshape* shape = FirstShape(image);
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->stroke.type, NSVG_PAINT_COLOR);
  EXPECT_EQ(shape->strokeWidth, 3.0f);
  EXPECT_EQ(shape->strokeLineCap, NSVG_CAP_ROUND);
  EXPECT_EQ(shape->strokeLineJoin, NSVG_JOIN_BEVEL);
  EXPECT_EQ(shape->miterLimit, 7.0f);
}

TEST(SVGPaint, SquareCapRoundJoinAndAMiterLimitBelowOneIsIgnored)
{
  const auto image = ParseBody("<path d='M0 0L10 0' stroke='black' stroke-linecap='square' stroke-linejoin='round' stroke-miterlimit='0.5'/>");
  const NSVGshape* shape = FirstShape(image);
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->strokeLineCap, NSVG_CAP_SQUARE);
  EXPECT_EQ(shape->strokeLineJoin, NSVG_JOIN_ROUND);
  EXPECT_EQ(shape->miterLimit, 4.0f);
}

TEST(SVGPaint, ZeroStrokeWidthMeansNoStroke)
{
  const auto image = ParseBody("<path d='M0 0L10 0' stroke='black' stroke-width='0'/>");
  const NSVGshape* shape = FirstShape(image);
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->stroke.type, NSVG_PAINT_NONE);
}

TEST(SVGPaint, StrokeWidthScalesWithTheTransform)
{
  const auto image = ParseBody("<g transform='scale(2)'><path d='M0 0L10 0' stroke='black' stroke-width='1.5' "
                               "stroke-dasharray='1 2' stroke-dashoffset='0.5'/></g>");
  const NSVGshape* shape = FirstShape(image);
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->strokeWidth, 3.0f);
  ASSERT_EQ(shape->strokeDashCount, 2);
  EXPECT_EQ(shape->strokeDashArray[0], 2.0f);
  EXPECT_EQ(shape->strokeDashArray[1], 4.0f);
  EXPECT_EQ(shape->strokeDashOffset, 1.0f);
}

TEST(SVGPaint, OddDashListsRepeatToAnEvenCountOfAtMostEight)
{
  const auto odd = ParseBody("<path d='M0 0L10 0' stroke='black' stroke-dasharray='5,3,2'/>");
  ASSERT_TRUE(odd);
  ASSERT_EQ(odd->shapes->strokeDashCount, 6);
  EXPECT_EQ((std::vector<float>(odd->shapes->strokeDashArray, odd->shapes->strokeDashArray + 6)),
            (std::vector<float>{5, 3, 2, 5, 3, 2}));
  const auto many = ParseBody("<path d='M0 0L10 0' stroke='black' stroke-dasharray='1 2 3 4 5'/>");
  ASSERT_TRUE(many);
  EXPECT_EQ(many->shapes->strokeDashCount, 8);
}

TEST(SVGPaint, DashArraysOfZerosOrNegativesGiveASolidStroke)
{
  const auto image = ParseBody("<path d='M0 0L10 0' stroke='black' stroke-dasharray='0 0'/>"
                               "<path d='M0 0L10 0' stroke='black' stroke-dasharray='4 -1'/>"
                               "<path d='M0 0L10 0' stroke='black' stroke-dasharray='none'/>");
  ASSERT_TRUE(image);
  for (const NSVGshape* shape = image->shapes; shape; shape = shape->next)
    EXPECT_EQ(shape->strokeDashCount, 0);
}

TEST(SVGPaint, StyleAttributeOverridesPresentationAttributes)
{
  const auto image = ParseBody("<rect width='1' height='1' fill='red' style='fill: #0000ff ; stroke:lime !important;stroke-width:2'/>");
  const NSVGshape* shape = FirstShape(image);
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->fill.color, RGBA(0, 0, 255));
  EXPECT_EQ(shape->stroke.color, RGBA(0, 255, 0));
  EXPECT_EQ(shape->strokeWidth, 2.0f);
}

TEST(SVGPaint, StyleSheetClassesApplyBetweenAttributesAndTheStyleAttribute)
{
  const auto image = ParseBody("<style><![CDATA[ /* exported */ .st0{fill:#FF0000;stroke:#000} rect.st1{fill:lime} "
                               "#special{fill:blue} @media print { .st0 { fill: black } } ]]></style>"
                               "<rect class='st0' fill='yellow' width='1' height='1'/>"
                               "<rect class='st0 st1' width='1' height='1'/>"
                               "<rect id='special' class='st1' width='1' height='1'/>"
                               "<rect class='st0' style='fill:white' width='1' height='1'/>");
  ASSERT_TRUE(image);
  ASSERT_EQ(CountShapes(image.get()), 4);
  const NSVGshape* shape = image->shapes;
  EXPECT_EQ(shape->fill.color, RGBA(255, 0, 0));
  EXPECT_EQ(shape->stroke.color, RGBA(0, 0, 0));
  shape = shape->next;
  EXPECT_EQ(shape->fill.color, RGBA(0, 255, 0));
  shape = shape->next;
  EXPECT_EQ(shape->fill.color, RGBA(0, 0, 255));
  shape = shape->next;
  EXPECT_EQ(shape->fill.color, RGBA(255, 255, 255));
}

TEST(SVGPaint, HiddenShapesStayButAreNotVisible)
{
  const auto image = ParseBody("<g visibility='hidden'><rect width='1' height='1'/><rect visibility='visible' width='1' height='1'/></g>");
  ASSERT_TRUE(image);
  ASSERT_EQ(CountShapes(image.get()), 2);
  EXPECT_EQ(image->shapes->flags & NSVG_FLAGS_VISIBLE, 0);
  EXPECT_EQ(image->shapes->next->flags & NSVG_FLAGS_VISIBLE, NSVG_FLAGS_VISIBLE);
}

TEST(SVGPaint, DisplayNoneRemovesTheWholeSubtree)
{
  const auto image = ParseBody("<g style='display:none'><rect width='1' height='1'/></g><rect display='none' width='1' height='1'/>"
                               "<rect width='3' height='3'/>");
  ASSERT_TRUE(image);
  ASSERT_EQ(CountShapes(image.get()), 1);
  EXPECT_EQ(image->shapes->bounds[2], 3.0f);
}

TEST(SVGPaint, AReferenceToAnythingButAGradientUsesItsFallback)
{
  const auto image = ParseBody("<pattern id='p'/><rect width='1' height='1' fill='url(#p) red'/>"
                               "<rect width='1' height='1' fill='url(#missing)'/>");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->shapes->fill.type, NSVG_PAINT_COLOR);
  EXPECT_EQ(image->shapes->fill.color, RGBA(255, 0, 0));
  EXPECT_EQ(image->shapes->next->fill.type, NSVG_PAINT_NONE);
}

} // namespace
} // namespace iplug::igraphics::test
