#include "gallery/GalleryCanvas.h"

#include <filesystem>

#include "GalleryFileMenu.h"
#include "IVTabSwitchControl.h"

using namespace iplug::igraphics;
using namespace iplug::igraphics::test;

// The gallery's layout as a whole: where its controls sit, its two pages, and the resources it loads from
// the built bundle.

namespace
{
class GalleryLayoutTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    ASSERT_TRUE(mCanvas.Open()) << "no EGL surfaceless OpenGL context, or no " << GALLERY_BUNDLE_PATH;
  }

  // Whether the control tagged tag is on page (the header is on both).
  static bool OnPage(int tag, int page) { return GalleryPageOfTag(tag) < 0 || GalleryPageOfTag(tag) == page; }

  GalleryCanvas mCanvas{2.f};
};

// The group frame on the vector page surrounds the knob, slider and button it names.
bool InsideGroup(int tag)
{
  return tag == kGalleryTagVectorKnob || tag == kGalleryTagVectorSlider || tag == kGalleryTagVectorButton;
}
} // namespace

TEST_F(GalleryLayoutTest, EveryControlLiesInsideTheEditorClearOfTheOthersOnItsPage)
{
  const IRECT editor = mCanvas.G().GetBounds();
  const IRECT frameTimeDisplay(10.f, 10.f, 210.f, 60.f);
  for (int tag = 0; tag < kNumGalleryCtrlTags; ++tag)
  {
    const IRECT r = mCanvas.Control(tag)->GetRECT();
    EXPECT_TRUE(editor.Contains(r)) << "control " << tag;
    EXPECT_FALSE(r.Intersects(frameTimeDisplay)) << "control " << tag << " under the frame-time display";
    for (int other = tag + 1; other < kNumGalleryCtrlTags; ++other)
    {
      const bool samePage = OnPage(tag, kGalleryPageBitmaps) && OnPage(other, kGalleryPageBitmaps);
      const bool sameVectorPage = OnPage(tag, kGalleryPageVectors) && OnPage(other, kGalleryPageVectors);
      if (!samePage && !sameVectorPage)
        continue;
      if (tag == kGalleryTagVectorGroup && InsideGroup(other))
      {
        EXPECT_TRUE(r.Contains(mCanvas.Control(other)->GetRECT())) << "control " << other << " inside the group";
        continue;
      }
      EXPECT_FALSE(r.Intersects(mCanvas.Control(other)->GetRECT())) << "controls " << tag << " and " << other;
    }
  }
}

TEST_F(GalleryLayoutTest, TheTabsShowOnePageAtATimeAndTheHeaderOnBoth)
{
  const auto shown = [this](int tag) { return !mCanvas.Control(tag)->IsHidden(); };
  EXPECT_TRUE(shown(kGalleryTagBitmapKnob)) << "the bitmap page comes first";
  EXPECT_FALSE(shown(kGalleryTagVectorKnob));

  auto* tabs = dynamic_cast<IVTabSwitchControl*>(mCanvas.Control(kGalleryTagPages));
  ASSERT_NE(tabs, nullptr);
  ASSERT_EQ(tabs->NButtons(), kNumGalleryPages);
  const IRECT vectors = tabs->GetButton(kGalleryPageVectors);
  mCanvas.Click(vectors.MW(), vectors.MH());
  for (int tag = 0; tag < kNumGalleryCtrlTags; ++tag)
    EXPECT_EQ(shown(tag), OnPage(tag, kGalleryPageVectors)) << "control " << tag;

  const IRECT bitmaps = tabs->GetButton(kGalleryPageBitmaps);
  mCanvas.Click(bitmaps.MW(), bitmaps.MH());
  for (int tag = 0; tag < kNumGalleryCtrlTags; ++tag)
    EXPECT_EQ(shown(tag), OnPage(tag, kGalleryPageBitmaps)) << "control " << tag;
}

TEST_F(GalleryLayoutTest, ShowingAPageByNumberClampsItAndMovesTheTabs)
{
  ShowGalleryPage(&mCanvas.G(), 7);
  EXPECT_FALSE(mCanvas.Control(kGalleryTagVectorKnob)->IsHidden());
  EXPECT_DOUBLE_EQ(mCanvas.Control(kGalleryTagPages)->GetValue(), 1.);
  ShowGalleryPage(&mCanvas.G(), -3);
  EXPECT_FALSE(mCanvas.Control(kGalleryTagBitmapKnob)->IsHidden());
  EXPECT_DOUBLE_EQ(mCanvas.Control(kGalleryTagPages)->GetValue(), 0.);
}

TEST_F(GalleryLayoutTest, BitmapsComeAtTheScreensDensityAndEveryPictureParses)
{
  const struct
  {
    const char* name;
    int frames;
  } strips[] = {{"GalleryKnob.png", 31}, {"GalleryDial.png", 1},         {"GallerySelector.png", 4},
                {"GalleryButton.png", 2}, {"GallerySliderTrack.png", 1}, {"GallerySliderHandle.png", 1},
                {"GalleryLamp.png", 2},  {"GalleryFont.png", 95}};
  for (const auto& strip : strips)
  {
    const IBitmap bitmap = mCanvas.G().LoadBitmap(strip.name, strip.frames);
    ASSERT_TRUE(bitmap.IsValid()) << strip.name;
    EXPECT_EQ(bitmap.GetScale(), 2) << strip.name << ": the @2x strip was found";
    EXPECT_EQ(bitmap.H() % strip.frames, 0) << strip.name << " holds whole frames";
  }
  int svgs = 0;
  const std::string resources = std::string(GALLERY_BUNDLE_PATH) + "/Contents/Resources";
  for (const auto& entry : std::filesystem::directory_iterator(resources))
    if (entry.path().extension() == ".svg")
    {
      ++svgs;
      EXPECT_TRUE(mCanvas.G().LoadSVG(entry.path().filename().c_str()).IsValid()) << entry.path();
    }
  EXPECT_GE(svgs, 8);
}

TEST_F(GalleryLayoutTest, FileMenuListsTheGallerysPicturesWithoutTheirExtension)
{
  auto* files = dynamic_cast<GalleryFileMenu*>(mCanvas.Control(kGalleryTagFileMenu));
  ASSERT_NE(files, nullptr);
  EXPECT_STREQ(files->GetDisplayText(), "Choose a file");
  files->SetupMenu();
  ASSERT_GE(files->NItems(), 8);
  IPopupMenu& menu = files->GetMenu();
  EXPECT_STREQ(menu.GetItemText(0), "GalleryButtonOff") << "sorted, without .svg";

  menu.SetChosenItemIdx(1);
  files->OnPopupMenuSelection(&menu, 0);
  EXPECT_STREQ(files->GetDisplayText(), "GalleryButtonOn");
  EXPECT_EQ(files->GetSelectedItemIndex(), menu.GetItem(1)->GetTag());

  // A rescan keeps the chosen file; a dismissed menu keeps the choice.
  files->SetupMenu();
  files->OnMouseDown(0.f, 0.f, IMouseMod());
  EXPECT_STREQ(files->GetDisplayText(), "GalleryButtonOn");
  files->OnPopupMenuSelection(nullptr, 0);
  EXPECT_STREQ(files->GetDisplayText(), "GalleryButtonOn");
}

TEST_F(GalleryLayoutTest, TheDefaultFontNameDrawsWithAnInstalledFont)
{
  IRECT bounds;
  EXPECT_GT(mCanvas.G().MeasureText(DEFAULT_TEXT, "ControlGallery", bounds), 0.f);
}
