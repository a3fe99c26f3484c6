#include "window/LV2UITestHost.h"

#include <dlfcn.h>
#include <lilv/lilv.h>

#include <chrono>
#include <cstring>
#include <thread>

namespace
{
  void WriteProc(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t protocol, const void* buffer)
  {
    if (protocol != 0 || size != sizeof(float))
      return;
    float value = 0.f;
    std::memcpy(&value, buffer, sizeof(value));
    static_cast<LV2UITraffic*>(controller)->writes.push_back({port, value});
  }
  void TouchProc(LV2UI_Feature_Handle handle, uint32_t port, bool grabbed)
  {
    static_cast<LV2UITraffic*>(handle)->touches.emplace_back(port, grabbed);
  }
  int ResizeProc(LV2UI_Feature_Handle handle, int width, int height)
  {
    static_cast<LV2UITraffic*>(handle)->sizes.emplace_back(width, height);
    return 0;
  }
  LV2_URID MapProc(LV2_URID_Map_Handle handle, const char* uri)
  {
    auto& map = *static_cast<std::map<std::string, LV2_URID>*>(handle);
    const auto found = map.find(uri);
    if (found != map.end())
      return found->second;
    const auto urid = static_cast<LV2_URID>(map.size() + 1);
    map.emplace(uri, urid);
    return urid;
  }

  // The X11 UI the stereo plug-in names in the bundle's description: its URI, binary and bundle paths.
  bool FindUI(std::string& uiURI, std::string& binaryPath, std::string& bundlePath)
  {
    LilvWorld* world = lilv_world_new();
    const std::string bundleURI = std::string("file://") + TIDEWELL_LV2_BUNDLE_PATH + "/";
    LilvNode* bundle = lilv_new_uri(world, bundleURI.c_str());
    lilv_world_load_bundle(world, bundle);
    LilvNode* pluginURI = lilv_new_uri(world, LV2UITestHost::kStereoURI);
    const LilvPlugin* plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), pluginURI);
    bool found = false;
    if (LilvUIs* uis = plugin ? lilv_plugin_get_uis(plugin) : nullptr)
    {
      LilvNode* x11 = lilv_new_uri(world, LV2_UI__X11UI);
      LILV_FOREACH(uis, i, uis)
      {
        const LilvUI* ui = lilv_uis_get(uis, i);
        if (!lilv_ui_is_a(ui, x11))
          continue;
        uiURI = lilv_node_as_uri(lilv_ui_get_uri(ui));
        char* path = lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_binary_uri(ui)), nullptr);
        binaryPath = path;
        lilv_free(path);
        char* uiBundle = lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_bundle_uri(ui)), nullptr);
        bundlePath = uiBundle;
        lilv_free(uiBundle);
        found = true;
      }
      lilv_node_free(x11);
      lilv_uis_free(uis);
    }
    lilv_node_free(pluginURI);
    lilv_node_free(bundle);
    lilv_world_free(world);
    return found;
  }
}

LV2UITestHost::~LV2UITestHost()
{
  if (mLibrary)
    dlclose(mLibrary);
}

bool LV2UITestHost::Load(std::string& error)
{
  if (!FindUI(mUIURI, mBinaryPath, mBundlePath))
  {
    error = "no X11 UI for the stereo plug-in in " TIDEWELL_LV2_BUNDLE_PATH;
    return false;
  }
  mLibrary = dlopen(mBinaryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!mLibrary)
  {
    error = dlerror();
    return false;
  }
  auto lookup = reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(mLibrary, "lv2ui_descriptor"));
  mDescriptor = lookup ? lookup(0) : nullptr;
  mIdle = mDescriptor ? static_cast<const LV2UI_Idle_Interface*>(mDescriptor->extension_data(LV2_UI__idleInterface))
                      : nullptr;
  if (!mIdle)
  {
    error = "the UI binary has no descriptor with an idle interface";
    return false;
  }
  mMap = {&mUrids, MapProc};
  return true;
}

bool LV2UITestHost::Instantiate(unsigned long parent, Editor& editor)
{
  editor.touch = {&editor.traffic, TouchProc};
  editor.resize = {&editor.traffic, ResizeProc};
  const LV2_Feature parentFeature{LV2_UI__parent, reinterpret_cast<void*>(parent)};
  const LV2_Feature touchFeature{LV2_UI__touch, &editor.touch};
  const LV2_Feature resizeFeature{LV2_UI__resize, &editor.resize};
  const LV2_Feature idleFeature{LV2_UI__idleInterface, nullptr};
  const LV2_Feature mapFeature{LV2_URID__map, &mMap};
  const LV2_Feature* features[] = {&parentFeature, &touchFeature, &resizeFeature, &idleFeature, &mapFeature, nullptr};
  LV2UI_Widget widget = nullptr;
  editor.handle = mDescriptor->instantiate(mDescriptor, kStereoURI, mBundlePath.c_str(), WriteProc, &editor.traffic,
                                           &widget, features);
  editor.widget = reinterpret_cast<uintptr_t>(widget);
  return editor.handle != nullptr && widget != nullptr;
}

void LV2UITestHost::Idle(Editor& editor)
{
  mIdle->idle(editor.handle);
}

void LV2UITestHost::IdleFor(Editor& editor, double seconds)
{
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end)
  {
    Idle(editor);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void LV2UITestHost::PortEvent(Editor& editor, uint32_t port, float value)
{
  mDescriptor->port_event(editor.handle, port, sizeof(float), 0, &value);
}

void LV2UITestHost::Cleanup(Editor& editor)
{
  if (editor.handle)
    mDescriptor->cleanup(editor.handle);
  editor.handle = nullptr;
}
