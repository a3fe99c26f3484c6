#include <gtest/gtest.h>

#include "ITextControl.h"
#include "support/GraphicsFixture.h"

using namespace iplug;
using namespace iplug::igraphics;

TEST(ITextControl, FitsItsBoundsToTheStringAroundItsCentreAndRedrawsOnlyOnChange)
{
  GraphicsFixture f;
  auto* text = static_cast<ITextControl*>(
    f.graphics.AttachControl(new ITextControl(IRECT(0, 0, 100, 40), "abcd", IText(10.f), COLOR_WHITE, true)));
  // The recording back end measures half the font size per character.
  EXPECT_EQ(text->GetRECT(), IRECT(40, 15, 60, 25));
  EXPECT_EQ(text->GetTargetRECT(), text->GetRECT());
  EXPECT_TRUE(text->GetIgnoreMouse());
  text->SetClean();
  text->SetStr("abcd");
  EXPECT_FALSE(text->IsDirty());
  text->SetStr("ab");
  EXPECT_TRUE(text->IsDirty());
  EXPECT_EQ(text->GetRECT(), IRECT(45, 15, 55, 25));
  text->SetStrFmt(4, "%d", 123456);
  EXPECT_STREQ(text->GetStr(), "1234") << "formatted text is cut to maxlen";
}

TEST(ICaptionControl, AnEnumeratedParameterShowsItsTextAndATriangle)
{
  GraphicsFixture f;
  auto* caption = static_cast<ICaptionControl*>(
    f.graphics.AttachControl(new ICaptionControl(IRECT(0, 0, 100, 20), 1, IText(10.f), COLOR_WHITE, false)));
  EXPECT_EQ(caption->GetTriangleRect(), IRECT(86, 7.5f, 94, 12.5f));
  f.graphics.mLogging = true;
  caption->Draw(f.graphics);
  EXPECT_STREQ(caption->GetStr(), "Soft");
  EXPECT_FALSE(caption->GetIgnoreMouse());
  f.graphics.OnMouseDown({Mouse(50, 10)});
  EXPECT_TRUE(f.graphics.mMenus.empty()) << "no menu while prompting is off";
  f.graphics.OnMouseUp({Mouse(50, 10)});
  caption->DisablePrompt(false);
  f.graphics.OnMouseDown({Mouse(50, 10)});
  ASSERT_EQ(f.graphics.mMenus.size(), 1u);
  EXPECT_EQ(f.graphics.mMenus[0].nItems, 3);
  auto* level = static_cast<ICaptionControl*>(f.graphics.AttachControl(new ICaptionControl(IRECT(0, 30, 100, 50), 0)));
  EXPECT_EQ(level->GetTriangleRect(), IRECT()) << "no triangle for continuous parameters";
}

TEST(ITextToggleControl, StartsWithItsOffTextAndAClickShowsTheOnTextAndInformsTheHost)
{
  GraphicsFixture f;
  auto* toggle = static_cast<ITextToggleControl*>(
    f.graphics.AttachControl(new ITextToggleControl(IRECT(0, 0, 40, 20), 2, "off", "on")));
  EXPECT_STREQ(toggle->GetStr(), "off");
  f.graphics.OnMouseDown({Mouse(5, 5)});
  f.graphics.OnMouseUp({Mouse(5, 5)});
  EXPECT_STREQ(toggle->GetStr(), "on");
  EXPECT_EQ(f.dlg.mHost, (std::vector<std::string>{"begin 2", "set 2 1", "end 2"}));
  EXPECT_TRUE(toggle->GetMouseDblAsSingleClick());
}

TEST(IURLControl, AClickOpensTheLinkAndHoverShowsTheHand)
{
  GraphicsFixture f;
  f.graphics.EnableMouseOver(true);
  f.graphics.AttachControl(new RecordingControl(IRECT(0, 0, 300, 200)));
  auto* link = static_cast<IURLControl*>(
    f.graphics.AttachControl(new IURLControl(IRECT(10, 10, 110, 30), "Tidewell", "https://example.org/")));
  f.graphics.mLogging = true;
  f.graphics.OnMouseOver(20, 20, IMouseMod());
  EXPECT_EQ(f.graphics.GetMouseCursor(), kCursorHand);
  f.graphics.OnMouseDown({Mouse(20, 20)});
  EXPECT_TRUE(link->GetClicked());
  EXPECT_NE(std::find(f.graphics.mLog.begin(), f.graphics.mLog.end(), "OpenURL https://example.org/"), f.graphics.mLog.end());
  EXPECT_FALSE(f.graphics.ControlIsCaptured());
  f.graphics.OnMouseOver(200, 150, IMouseMod());
  EXPECT_EQ(f.graphics.GetMouseCursor(), kCursorArrow);
}

TEST(PlaceHolder, ShowsItsPositionAndSize)
{
  GraphicsFixture f;
  auto* holder = static_cast<PlaceHolder*>(f.graphics.AttachControl(new PlaceHolder(IRECT(12.5f, 20, 112.5f, 70))));
  EXPECT_STREQ(holder->GetTLText(), "12.5, 20.0");
  EXPECT_STREQ(holder->GetWidthText(), "100.0");
  EXPECT_STREQ(holder->GetHeightText(), "50.0");
  EXPECT_FALSE(holder->GetNoPrompt());
}
