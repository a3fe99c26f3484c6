#include "ControlGalleryLayout.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ControlGalleryParams.h"
#include "GalleryFileMenu.h"
#include "IBitmapControls.h"
#include "IGraphics.h"
#include "IPanelControl.h"
#include "IPlugPaths.h"
#include "ISVGControls.h"
#include "ITextControl.h"
#include "IVButtonControl.h"
#include "IVColorSwatchControl.h"
#include "IVGroupControl.h"
#include "IVKnobControl.h"
#include "IVLabelControl.h"
#include "IVPlotControl.h"
#include "IVSliderControl.h"
#include "IVSwitchControl.h"
#include "IVTabSwitchControl.h"
#include "IVTrackControlBase.h"
#include "IVXYPadControl.h"

using namespace iplug;
using namespace iplug::igraphics;

namespace
{
// Group names that mark the controls of each page; header controls have none.
constexpr const char* kPageGroups[kNumGalleryPages] = {"BitmapsPage", "VectorsPage"};
// The installed family that the toolkit's default font name is bound to (Debian's fonts-dejavu-core).
constexpr const char* kFontFamily = "DejaVu Sans";

const IColor kBackground(255, 232, 236, 241);
const IColor kFieldColor(255, 250, 251, 252);
const IColor kInk(255, 28, 38, 51);
const IColor kLinkHover(255, 249, 158, 41);
const IColor kLinkVisited(255, 107, 125, 145);
constexpr float kPi = 3.14159265f;

// Attaches pControl tagged tag to the page whose controls share group.
void AttachOnPage(IGraphics* pGraphics, IControl* pControl, int tag)
{
  const int page = GalleryPageOfTag(tag);
  pGraphics->AttachControl(pControl, tag, page < 0 ? "" : kPageGroups[page]);
}

void LayoutHeader(IGraphics* pGraphics)
{
  const IText title(24.f, kInk, DEFAULT_FONT, kAlignNear);
  AttachOnPage(pGraphics, new ITextControl(IRECT(224.f, 10.f, 470.f, 36.f), "ControlGallery", title), kGalleryTagTitle);
  const IText link(14.f, kInk, DEFAULT_FONT, kAlignNear);
  AttachOnPage(pGraphics,
               new IURLControl(IRECT(224.f, 38.f, 470.f, 58.f), "kelvane.com/controlgallery",
                               "https://kelvane.com/controlgallery", link, DEFAULT_BGCOLOR, kLinkHover, kLinkVisited),
               kGalleryTagLink);
  auto* pages = new IVTabSwitchControl(
    IRECT(480.f, 8.f, 750.f, 60.f),
    [](IControl* pCaller) {
      ShowGalleryPage(pCaller->GetUI(), static_cast<IVTabSwitchControl*>(pCaller)->GetSelectedIdx());
    },
    {"Bitmaps", "Vectors"}, "", DEFAULT_STYLE.WithShowLabel(false).WithShowValue(false));
  AttachOnPage(pGraphics, pages, kGalleryTagPages);
}

void LayoutBitmapControls(IGraphics* pGraphics)
{
  const IBitmap knob = pGraphics->LoadBitmap("GalleryKnob.png", 31);
  AttachOnPage(pGraphics, new IBKnobControl(20.f, 96.f, knob, kGalleryGain), kGalleryTagBitmapKnob);
  const IBitmap dial = pGraphics->LoadBitmap("GalleryDial.png");
  AttachOnPage(pGraphics, new IBKnobRotaterControl(90.f, 96.f, dial, kGallerySteps), kGalleryTagBitmapRotater);
  const IBitmap selector = pGraphics->LoadBitmap("GallerySelector.png", 4);
  AttachOnPage(pGraphics, new IBSwitchControl(160.f, 108.f, selector, kGalleryShape), kGalleryTagBitmapSwitch);
  const IBitmap button = pGraphics->LoadBitmap("GalleryButton.png", 2);
  AttachOnPage(pGraphics, new IBButtonControl(250.f, 106.f, button), kGalleryTagBitmapButton);
  const IBitmap handle = pGraphics->LoadBitmap("GallerySliderHandle.png");
  const IBitmap track = pGraphics->LoadBitmap("GallerySliderTrack.png");
  AttachOnPage(pGraphics, new IBSliderControl(335.f, 84.f, 120.f, handle, track, kGalleryGain),
               kGalleryTagBitmapSlider);
  const IBitmap lamp = pGraphics->LoadBitmap("GalleryLamp.png", 2);
  AttachOnPage(pGraphics, new IBitmapControl(390.f, 108.f, lamp, kGalleryInvert), kGalleryTagBitmapLamp);
  const IBitmap font = pGraphics->LoadBitmap("GalleryFont.png", 95);
  AttachOnPage(pGraphics,
               new IBTextControl(IRECT(430.f, 108.f, 600.f, 132.f), font, DEFAULT_TEXT, "BITMAP TEXT 0123", 8, 12),
               kGalleryTagBitmapText);
}

void LayoutUtilityControls(IGraphics* pGraphics)
{
  const IText text(15.f, kInk, DEFAULT_FONT);
  AttachOnPage(pGraphics, new ITextControl(IRECT(20.f, 224.f, 160.f, 250.f), "Plain text", text, kFieldColor),
               kGalleryTagText);
  // Captions prompt for a value: a menu for the enumeration, a text entry for the gain.
  auto* shape = new ICaptionControl(IRECT(170.f, 224.f, 310.f, 250.f), kGalleryShape, text, kFieldColor, false);
  shape->DisablePrompt(false);
  AttachOnPage(pGraphics, shape, kGalleryTagShapeCaption);
  auto* gain = new ICaptionControl(IRECT(320.f, 224.f, 460.f, 250.f), kGalleryGain, text, kFieldColor, true);
  gain->DisablePrompt(false);
  AttachOnPage(pGraphics, gain, kGalleryTagGainCaption);
  AttachOnPage(pGraphics,
               new ITextToggleControl(IRECT(470.f, 224.f, 560.f, 250.f), kGalleryInvert, "Normal", "Inverted", text,
                                      kFieldColor),
               kGalleryTagTextToggle);
  // The file chooser lists the gallery's own SVG resources.
  auto* files = new GalleryFileMenu(IRECT(570.f, 224.f, 740.f, 250.f), ".svg", text);
  WDL_String resources;
  BundleResourcePath(resources, pGraphics->GetBundleID());
  files->AddPath(resources.Get(), "Resources");
  AttachOnPage(pGraphics, files, kGalleryTagFileMenu);
  AttachOnPage(pGraphics, new PlaceHolder(IRECT(20.f, 262.f, 220.f, 332.f)), kGalleryTagPlaceHolder);
  const IPattern gradient = IPattern::CreateLinearGradient(
    230.f, 262.f, 420.f, 332.f, {{IColor(255, 59, 74, 92), 0.f}, {IColor(255, 249, 158, 41), 1.f}});
  AttachOnPage(pGraphics, new IPanelControl(IRECT(230.f, 262.f, 420.f, 332.f), gradient, true), kGalleryTagPanel);
}

void LayoutSVGControls(IGraphics* pGraphics)
{
  AttachOnPage(pGraphics,
               new ISVGControl(IRECT(20.f, 352.f, 140.f, 472.f), pGraphics->LoadSVG("GalleryWave.svg"), true),
               kGalleryTagSVG);
  AttachOnPage(pGraphics,
               new ISVGKnobControl(IRECT(160.f, 372.f, 240.f, 452.f), pGraphics->LoadSVG("GalleryKnob.svg"),
                                   kGalleryGain),
               kGalleryTagSVGKnob);
  AttachOnPage(pGraphics,
               new ISVGButtonControl(IRECT(260.f, 392.f, 340.f, 432.f), DefaultClickActionFunc,
                                     pGraphics->LoadSVG("GalleryButtonOff.svg"),
                                     pGraphics->LoadSVG("GalleryButtonOn.svg")),
               kGalleryTagSVGButton);
  AttachOnPage(pGraphics,
               new ISVGSwitchControl(IRECT(360.f, 382.f, 420.f, 442.f),
                                     {pGraphics->LoadSVG("GalleryPolarityNormal.svg"),
                                      pGraphics->LoadSVG("GalleryPolarityInverted.svg")},
                                     kGalleryInvert),
               kGalleryTagSVGSwitch);
  AttachOnPage(pGraphics,
               new ISVGSliderControl(IRECT(450.f, 342.f, 490.f, 492.f), pGraphics->LoadSVG("GallerySliderHandle.svg"),
                                     pGraphics->LoadSVG("GallerySliderTrack.svg"), kGalleryGain),
               kGalleryTagSVGSlider);
}

void LayoutVectorControls(IGraphics* pGraphics)
{
  const IVStyle& style = DEFAULT_STYLE;
  AttachOnPage(pGraphics, new IVGroupControl(IRECT(10.f, 70.f, 260.f, 300.f), "Dials", 10.f, style),
               kGalleryTagVectorGroup);
  // Dragging the knob shows its value in the bubble; clicking its value opens the text entry.
  auto* knob = new IVKnobControl(IRECT(20.f, 96.f, 130.f, 206.f), kGalleryGain, "", style, true);
  knob->SetActionFunction(ShowBubbleVerticalActionFunc);
  AttachOnPage(pGraphics, knob, kGalleryTagVectorKnob);
  AttachOnPage(pGraphics, new IVSliderControl(IRECT(140.f, 96.f, 250.f, 290.f), kGallerySteps, "", style),
               kGalleryTagVectorSlider);
  AttachOnPage(pGraphics, new IVButtonControl(IRECT(20.f, 216.f, 130.f, 290.f), SplashClickActionFunc, "Button", style),
               kGalleryTagVectorButton);
  AttachOnPage(pGraphics, new IVSwitchControl(IRECT(270.f, 76.f, 380.f, 150.f), kGalleryShape, "", style),
               kGalleryTagVectorSwitch);
  AttachOnPage(pGraphics,
               new IVToggleControl(IRECT(390.f, 76.f, 500.f, 150.f), kGalleryInvert, "", style, "Normal", "Inverted"),
               kGalleryTagVectorToggle);
  AttachOnPage(pGraphics,
               new IVSlideSwitchControl(IRECT(270.f, 158.f, 500.f, 222.f), EmptyClickActionFunc, "Slide", style, false,
                                        kDirectionHorizontal, 3),
               kGalleryTagVectorSlideSwitch);
  AttachOnPage(pGraphics, new IVTabSwitchControl(IRECT(270.f, 228.f, 500.f, 296.f), kGalleryShape, {}, "", style),
               kGalleryTagVectorTabs);
  AttachOnPage(pGraphics, new IVRadioButtonControl(IRECT(510.f, 76.f, 630.f, 212.f), kGalleryShape, {}, "", style),
               kGalleryTagVectorRadio);
  AttachOnPage(pGraphics, new IVColorSwatchControl(IRECT(640.f, 76.f, 750.f, 212.f), "Colors", nullptr, style),
               kGalleryTagVectorSwatch);
  AttachOnPage(pGraphics, new IVLabelControl(IRECT(510.f, 216.f, 750.f, 246.f), "Vector label", style),
               kGalleryTagVectorLabel);
  AttachOnPage(pGraphics,
               new IVRangeSliderControl(IRECT(510.f, 250.f, 750.f, 300.f), {-1, -1}, "", style.WithShowLabel(false),
                                        kDirectionHorizontal),
               kGalleryTagVectorRange);
  AttachOnPage(pGraphics, new IVXYPadControl(IRECT(10.f, 310.f, 200.f, 510.f), {-1, -1}, "XY Pad", style),
               kGalleryTagVectorXYPad);
  const std::vector<IVPlotControl::Plot> plots = {
    {IColor(255, 0, 90, 200), [](double x) { return std::sin(2. * kPi * x); }},
    {IColor(255, 220, 90, 20), [](double x) { return 1. - 4. * std::fabs(x - 0.5); }}};
  AttachOnPage(pGraphics, new IVPlotControl(IRECT(210.f, 310.f, 460.f, 510.f), plots, 64, "Plot", style),
               kGalleryTagVectorPlot);
  AttachOnPage(pGraphics, new IVTrackControlBase(IRECT(470.f, 310.f, 750.f, 510.f), "Tracks", style, 8),
               kGalleryTagVectorTracks);
}

// Unlinked controls start somewhere other than 0, so they show their look.
void SetStartingValues(IGraphics* pGraphics)
{
  IControl* range = pGraphics->GetControlWithTag(kGalleryTagVectorRange);
  range->SetValue(0.25, 0);
  range->SetValue(0.75, 1);
  IControl* pad = pGraphics->GetControlWithTag(kGalleryTagVectorXYPad);
  pad->SetValue(0.3, 0);
  pad->SetValue(0.6, 1);
  IControl* tracks = pGraphics->GetControlWithTag(kGalleryTagVectorTracks);
  for (int i = 0; i < tracks->NVals(); ++i)
    tracks->SetValue(0.5 + 0.4 * std::sin(static_cast<double>(i)), i);
}
} // namespace

int GalleryPageOfTag(int tag)
{
  if (tag >= kGalleryTagBitmapKnob && tag < kGalleryTagVectorGroup)
    return kGalleryPageBitmaps;
  if (tag >= kGalleryTagVectorGroup && tag < kNumGalleryCtrlTags)
    return kGalleryPageVectors;
  return -1;
}

void LayoutControlGallery(IGraphics* pGraphics)
{
  pGraphics->LoadFont(DEFAULT_FONT, kFontFamily, kTextStyleNormal);
  pGraphics->AttachPanelBackground(IPattern(kBackground));
  LayoutHeader(pGraphics);
  LayoutBitmapControls(pGraphics);
  LayoutUtilityControls(pGraphics);
  LayoutSVGControls(pGraphics);
  LayoutVectorControls(pGraphics);
  SetStartingValues(pGraphics);
  pGraphics->AttachBubbleControl(DEFAULT_TEXT);
  pGraphics->AttachPopupMenuControl(DEFAULT_TEXT);
  pGraphics->AttachTextEntryControl();
  pGraphics->ShowFPSDisplay(true);
  ShowGalleryPage(pGraphics, kGalleryPageBitmaps);
}

void ShowGalleryPage(IGraphics* pGraphics, int page)
{
  page = std::clamp(page, 0, kNumGalleryPages - 1);
  pGraphics->ForStandardControlsFunc([page](IControl* pControl) {
    const char* group = pControl->GetGroup();
    if (group[0])
      pControl->Hide(std::strcmp(group, kPageGroups[page]) != 0);
  });
  if (IControl* tabs = pGraphics->GetControlWithTag(kGalleryTagPages))
    tabs->SetValueFromDelegate(static_cast<double>(page) / (kNumGalleryPages - 1), 0);
}
