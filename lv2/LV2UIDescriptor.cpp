// The LV2 editor binary's only export, lv2ui_descriptor: one X11 UI, shared by every plug-in URI of the
// product, that embeds the product's editor in the host's parent window (ui:parent) and runs on the host's
// idle calls (ui:idleInterface). Values arrive as port events and leave through the host's write function,
// bracketed by ui:touch gestures where the host offers them.

#include <CoreFoundation/CoreFoundation.h>
#include <lv2/ui/ui.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "IGraphicsLinux.h"
#include "IPlugLV2.h"
#include "LV2Feature.h"
#include "LV2PluginVariant.h"
#include "PluginEntry.h"
#include "PluginUIEntry.h"

#define TIDEWELL_EXPORT extern "C" __attribute__((visibility("default")))

namespace
{
using iplug::IPlugLV2;

// One open editor: the product object behind it and the bundle registration through which the editor finds
// its resources (the bundle's Contents/Resources, by the bundle's identifier, as in the component).
struct EditorInstance
{
  std::unique_ptr<IPlugLV2> plug;
  CFBundleRef bundle = nullptr;

  ~EditorInstance()
  {
    if (plug)
      plug->CloseWindow();
    plug.reset();
    if (bundle)
      CFRelease(bundle);
  }
};

CFBundleRef RegisterBundle(const char* bundlePath)
{
  if (!bundlePath)
    return nullptr;
  CFURLRef url = CFURLCreateFromFileSystemRepresentation(kCFAllocatorDefault, reinterpret_cast<const UInt8*>(bundlePath),
                                                         static_cast<CFIndex>(std::strlen(bundlePath)), true);
  CFBundleRef bundle = url ? CFBundleCreate(kCFAllocatorDefault, url) : nullptr;
  if (url)
    CFRelease(url);
  return bundle;
}

LV2UI_Handle Instantiate(const LV2UI_Descriptor* /*descriptor*/, const char* /*pluginURI*/, const char* bundlePath,
                         LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget,
                         const LV2_Feature* const* features)
{
  void* parent = const_cast<void*>(iplug::LV2FindFeature(features, LV2_UI__parent));
  if (!parent || !write || !widget)
    return nullptr;
  iplug::LV2UIHost host;
  host.write = write;
  host.controller = controller;
  host.touch = static_cast<const LV2UI_Touch*>(iplug::LV2FindFeature(features, LV2_UI__touch));
  host.resize = static_cast<const LV2UI_Resize*>(iplug::LV2FindFeature(features, LV2_UI__resize));

  auto instance = std::make_unique<EditorInstance>();
  instance->bundle = RegisterBundle(bundlePath);
  iplug::InstanceInfo info;
  info.mFeatures = features;
  instance->plug.reset(iplug::MakeUIPlug(info, host));
  if (!instance->plug || !instance->plug->OpenWindow(parent))
    return nullptr;
  auto* pGraphics = static_cast<iplug::igraphics::IGraphicsLinux*>(instance->plug->GetUI());
  *widget = reinterpret_cast<LV2UI_Widget>(static_cast<uintptr_t>(pGraphics->GetNativeWindow()));
  host.Resize(static_cast<int>(pGraphics->WindowWidth() * pGraphics->GetScreenScale()),
              static_cast<int>(pGraphics->WindowHeight() * pGraphics->GetScreenScale()));
  return instance.release();
}

void Cleanup(LV2UI_Handle handle)
{
  delete static_cast<EditorInstance*>(handle);
}

void PortEvent(LV2UI_Handle handle, uint32_t port, uint32_t bufferSize, uint32_t format, const void* buffer)
{
  auto* instance = static_cast<EditorInstance*>(handle);
  // Control ports only: plain floats.
  if (!instance || format != 0 || bufferSize != sizeof(float) || !buffer)
    return;
  float value = 0.f;
  std::memcpy(&value, buffer, sizeof(value));
  // Hosts pass on whatever reached the port: a value that is no number changes nothing. Others are clamped
  // to the parameter's range by the parameter, and the meter's to 0..1 by the editor delegate.
  if (!std::isfinite(value))
    return;
  IPlugLV2& plug = *instance->plug;
  const int nParams = plug.NParams();
  if (iplug::IParam* pParam = static_cast<int>(port) < nParams ? plug.GetParam(static_cast<int>(port)) : nullptr)
  {
    pParam->Set(value);
    plug.SendParameterValueFromDelegate(static_cast<int>(port), pParam->Value(), false);
  }
  else if (static_cast<int>(port) == nParams)
    iplug::SendMeterToEditor(plug, value);
}

// Turns the calling thread's run loop once: the host's UI thread, which opened the editor, holds its frame timer
// (which also reads the window's events) and the product's idle timer.
int Idle(LV2UI_Handle /*handle*/)
{
  CFRunLoopRunInMode(kCFRunLoopDefaultMode, 0.0, false);
  return 0;
}

const void* ExtensionData(const char* uri)
{
  static const LV2UI_Idle_Interface idle = {Idle};
  if (uri && std::strcmp(uri, LV2_UI__idleInterface) == 0)
    return &idle;
  return nullptr;
}

} // namespace

// The one UI of the product, by index. Its URI is made once and lives as long as the binary.
TIDEWELL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index)
{
  static const std::string uri = iplug::LV2UIURI(iplug::MakePlugConfig());
  static const LV2UI_Descriptor descriptor = {uri.c_str(), Instantiate, Cleanup, PortEvent, ExtensionData};
  return index == 0 ? &descriptor : nullptr;
}
