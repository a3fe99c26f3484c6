#include "EditorView.h"

#include <AudioToolbox/AudioToolbox.h>

#include "CFRef.h"
#include "HostComponent.h"

namespace
{
  // The unit's view factory, made from the class its bundle registers; null with an error text.
  std::unique_ptr<AUCocoaUIBase> MakeFactory(HostComponent& unit, std::string& error)
  {
    AudioUnitCocoaViewInfo info{};
    UInt32 size = sizeof(info);
    if (AudioUnitGetProperty(unit.Unit(), kAudioUnitProperty_CocoaUI, kAudioUnitScope_Global, 0, &info, &size) != noErr ||
        !info.mCocoaAUViewBundleLocation || !info.mCocoaAUViewClass[0])
    {
      error = unit.Name() + " has no editor";
      return nullptr;
    }
    CFRef<CFURLRef> location(info.mCocoaAUViewBundleLocation);
    CFRef<CFStringRef> className(info.mCocoaAUViewClass[0]);
    CFRef<CFBundleRef> bundle(CFBundleCreate(kCFAllocatorDefault, location.Get()));
    auto makeClass = bundle ? reinterpret_cast<AUCocoaUIClassFunction>(CFBundleGetFunctionPointerForName(bundle.Get(), className.Get()))
                            : nullptr;
    std::unique_ptr<AUCocoaUIBase> factory(makeClass ? makeClass() : nullptr);
    if (!factory)
      error = unit.Name() + " names an editor class its bundle does not provide";
    return factory;
  }
}

std::unique_ptr<EditorView> EditorView::Open(HostComponent& unit, std::string& error)
{
  std::unique_ptr<AUCocoaUIBase> factory = MakeFactory(unit, error);
  if (!factory)
    return nullptr;
  NSView* view = factory->uiViewForAudioUnit(unit.Unit(), NSSize{0.0, 0.0});
  if (!view)
  {
    error = unit.Name() + "'s editor could not be opened (no window system and no off-screen drawing?)";
    return nullptr;
  }
  return std::unique_ptr<EditorView>(new EditorView(std::move(factory), view));
}

EditorView::~EditorView()
{
  mView->removeFromSuperview();
}

int EditorView::PixelWidth() const
{
  return static_cast<int>(mView->convertSizeToBacking(mView->frameSize()).width);
}

int EditorView::PixelHeight() const
{
  return static_cast<int>(mView->convertSizeToBacking(mView->frameSize()).height);
}
