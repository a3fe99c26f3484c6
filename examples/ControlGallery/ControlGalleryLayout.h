#pragma once

namespace iplug::igraphics
{
class IGraphics;
}

// The editor's size in user units and its frame rate.
constexpr int kControlGalleryWidth = 760;
constexpr int kControlGalleryHeight = 520;
constexpr int kControlGalleryFPS = 60;

// The two pages of the gallery, chosen by the tabs in the header.
enum EGalleryPage
{
  kGalleryPageBitmaps = 0, // bitmap controls, text and utility controls, SVG controls
  kGalleryPageVectors,     // the vector controls in the default style
  kNumGalleryPages
};

// Tags of the gallery's standard controls, one per control, in the order they are attached.
enum EGalleryCtrlTags
{
  // The header, shown on both pages.
  kGalleryTagTitle = 0,
  kGalleryTagLink,
  kGalleryTagPages,
  // The bitmap page.
  kGalleryTagBitmapKnob,
  kGalleryTagBitmapRotater,
  kGalleryTagBitmapSwitch,
  kGalleryTagBitmapButton,
  kGalleryTagBitmapSlider,
  kGalleryTagBitmapLamp,
  kGalleryTagBitmapText,
  kGalleryTagText,
  kGalleryTagShapeCaption,
  kGalleryTagGainCaption,
  kGalleryTagTextToggle,
  kGalleryTagFileMenu,
  kGalleryTagPlaceHolder,
  kGalleryTagPanel,
  kGalleryTagSVG,
  kGalleryTagSVGKnob,
  kGalleryTagSVGButton,
  kGalleryTagSVGSwitch,
  kGalleryTagSVGSlider,
  // The vector page.
  kGalleryTagVectorGroup,
  kGalleryTagVectorKnob,
  kGalleryTagVectorSlider,
  kGalleryTagVectorButton,
  kGalleryTagVectorSwitch,
  kGalleryTagVectorToggle,
  kGalleryTagVectorSlideSwitch,
  kGalleryTagVectorTabs,
  kGalleryTagVectorRadio,
  kGalleryTagVectorSwatch,
  kGalleryTagVectorLabel,
  kGalleryTagVectorRange,
  kGalleryTagVectorXYPad,
  kGalleryTagVectorPlot,
  kGalleryTagVectorTracks,
  kNumGalleryCtrlTags
};

// The page the control tagged tag belongs to, or -1 for the header, which both pages show.
int GalleryPageOfTag(int tag);

// Fills a new graphics context with the gallery: binds the toolkit's default font name to the installed
// DejaVu Sans, attaches a plain panel background, the header (title, link, page tabs), both pages' controls
// linked to the gallery's parameters where they show one, the value bubble, the drawn popup menu and text
// entry, and the frame-time display; then shows the bitmap page. Bitmaps and SVGs are the bundle's resources.
// [main-thread]
void LayoutControlGallery(iplug::igraphics::IGraphics* pGraphics);

// Shows the controls of page (clamped to the pages there are) and the header, and hides the other page's.
// [main-thread]
void ShowGalleryPage(iplug::igraphics::IGraphics* pGraphics, int page);
