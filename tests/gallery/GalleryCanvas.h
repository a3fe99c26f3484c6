#pragma once

#include <CoreFoundation/CoreFoundation.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "ControlGalleryLayout.h"
#include "ControlGalleryParams.h"
#include "IControl.h"
#include "IGEditorDelegate.h"
#include "IGraphicsOffscreen.h"
#include "RGBAImage.h"

namespace iplug::igraphics::test
{

// The gallery's bundle identifier, as its Info.plist gives it.
constexpr const char* kGalleryBundleID = "com.kelvane.audiounit.ControlGallery";

// The built ControlGallery.component, opened once per process so its resources are found by identifier.
inline bool OpenGalleryBundle()
{
  static CFBundleRef bundle = [] {
    const std::string dir = GALLERY_BUNDLE_PATH;
    CFURLRef url = CFURLCreateFromFileSystemRepresentation(nullptr, reinterpret_cast<const UInt8*>(dir.c_str()),
                                                           static_cast<CFIndex>(dir.size()), true);
    CFBundleRef opened = CFBundleCreate(nullptr, url);
    CFRelease(url);
    return opened;
  }();
  return bundle != nullptr;
}

// An editor delegate with the gallery's parameters and its layout, as the plug-in has them.
class GalleryDelegate : public IGEditorDelegate
{
public:
  GalleryDelegate() : IGEditorDelegate(kNumGalleryParams)
  {
    InitControlGalleryParams(*this);
    mLayoutFunc = LayoutControlGallery;
  }
};

// The gallery opened the way a host opens the plug-in's editor: the delegate makes an off-screen context at a
// screen scale (device pixels per user unit) through its make-graphics callback, the layout runs and every
// parameter value reaches its controls. Open for the object's life.
class GalleryCanvas
{
public:
  explicit GalleryCanvas(float screenScale)
    : mScale(screenScale)
  {
    mDelegate.mMakeGraphicsFunc = [this] {
      auto* pGraphics = new IGraphicsOffscreen(mDelegate, kControlGalleryWidth, kControlGalleryHeight,
                                               kControlGalleryFPS, 1.f, mScale);
      pGraphics->SetBundleID(kGalleryBundleID);
      return pGraphics;
    };
  }

  // Opens the editor; false when the bundle is missing or no GL context can be made.
  bool Open() { return OpenGalleryBundle() && mDelegate.OpenWindow(nullptr) != nullptr; }

  IGraphicsOffscreen& G() { return static_cast<IGraphicsOffscreen&>(*mDelegate.GetUI()); }
  GalleryDelegate& Delegate() { return mDelegate; }
  IControl* Control(int tag) { return G().GetControlWithTag(tag); }

  // Every control redrawn, then the picture.
  RGBAImage Render()
  {
    G().DrawAll();
    return G().Snapshot();
  }

  // Runs frames until done() holds or two seconds passed (animations run on the clock); returns done().
  bool RunFramesUntil(const std::function<bool()>& done)
  {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done() && std::chrono::steady_clock::now() < end)
    {
      G().DrawFrame();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
  }

  // A press and release of the left button at (x, y).
  void Click(float x, float y)
  {
    G().OnMouseDown({IMouseInfo{x, y, 0.f, 0.f, IMouseMod(true)}});
    G().OnMouseUp({IMouseInfo{x, y, 0.f, 0.f, IMouseMod(true)}});
  }

private:
  float mScale;
  GalleryDelegate mDelegate;
};

// Largest channel difference between two colours.
inline int ChannelDistance(const IColor& a, const IColor& b)
{
  return std::max({std::abs(a.A - b.A), std::abs(a.R - b.R), std::abs(a.G - b.G), std::abs(a.B - b.B)});
}

// Where two pictures of one size differ by more than a little anti-aliasing noise.
struct PictureDifference
{
  int inside = 0;  // differing pixels inside the area asked about
  int outside = 0; // differing pixels outside it
  int firstOutsideX = -1;
  int firstOutsideY = -1;
};

// Compares a and b, sorting differing pixels by whether their centres lie in area (user units) at scale.
inline PictureDifference Compare(const RGBAImage& a, const RGBAImage& b, const IRECT& area, float scale)
{
  PictureDifference d;
  for (int y = 0; y < std::min(a.Height(), b.Height()); ++y)
    for (int x = 0; x < std::min(a.Width(), b.Width()); ++x)
    {
      if (ChannelDistance(a.GetPixel(x, y), b.GetPixel(x, y)) <= 8)
        continue;
      if (area.Contains((static_cast<float>(x) + 0.5f) / scale, (static_cast<float>(y) + 0.5f) / scale))
        ++d.inside;
      else if (d.outside++ == 0)
      {
        d.firstOutsideX = x;
        d.firstOutsideY = y;
      }
    }
  return d;
}

// Writes both pictures beside the test (in TMPDIR or /tmp) and says where.
inline std::string SavePictures(const RGBAImage& a, const RGBAImage& b, const char* what)
{
  const char* tmp = std::getenv("TMPDIR");
  std::string base = std::string(tmp ? tmp : "/tmp") + "/gallery-" + what;
  std::replace(base.begin() + static_cast<long>(base.rfind('/')), base.end(), ' ', '-');
  a.WritePNG((base + "-a.png").c_str());
  b.WritePNG((base + "-b.png").c_str());
  return "pictures in " + base + "-{a,b}.png";
}

} // namespace iplug::igraphics::test
