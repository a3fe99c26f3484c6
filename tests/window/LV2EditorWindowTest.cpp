// Tidewell's LV2 editor as an LV2 host shows it: found through lilv in the built bundle's description,
// its binary loaded, instantiated inside a window of ours (ui:parent), driven by ui:idleInterface, with
// synthetic pointer input; what it writes to the plug-in's ports and the touch gestures around the writes
// are recorded, and a meter port event changes what the editor shows.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <lilv/lilv.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "window/XTestDriver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace
{
  constexpr const char* kStereoURI = "https://kelvane.com/plugins/Tidewell/stereo";
  constexpr uint32_t kDuckPort = 0;
  constexpr uint32_t kPeriodPort = 1;
  constexpr uint32_t kMeterPort = 5;

  // What the editor sent the host, in order.
  struct Traffic
  {
    struct Write
    {
      uint32_t port;
      float value;
    };
    std::vector<Write> writes;
    std::vector<std::pair<uint32_t, bool>> touches;
    std::vector<std::pair<int, int>> sizes;
  };

  void WriteProc(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t protocol, const void* buffer)
  {
    if (protocol != 0 || size != sizeof(float))
      return;
    float value = 0.f;
    std::memcpy(&value, buffer, sizeof(value));
    static_cast<Traffic*>(controller)->writes.push_back({port, value});
  }
  void TouchProc(LV2UI_Feature_Handle handle, uint32_t port, bool grabbed)
  {
    static_cast<Traffic*>(handle)->touches.emplace_back(port, grabbed);
  }
  int ResizeProc(LV2UI_Feature_Handle handle, int width, int height)
  {
    static_cast<Traffic*>(handle)->sizes.emplace_back(width, height);
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

  class LV2EditorWindow : public ::testing::Test
  {
  protected:
    void SetUp() override
    {
      if (!x.IsConnected())
        GTEST_SKIP() << "no X server with XTest ($DISPLAY)";
      ASSERT_TRUE(FindUI());
      library = dlopen(binaryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
      ASSERT_NE(library, nullptr) << dlerror();
      auto lookup = reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(library, "lv2ui_descriptor"));
      ASSERT_NE(lookup, nullptr);
      descriptor = lookup(0);
      ASSERT_NE(descriptor, nullptr);
      EXPECT_EQ(lookup(1), nullptr);
      ASSERT_EQ(std::string(descriptor->URI), uiURI);
      idle = static_cast<const LV2UI_Idle_Interface*>(descriptor->extension_data(LV2_UI__idleInterface));
      ASSERT_NE(idle, nullptr);

      Display* display = x.Get();
      parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 495, 220, 0, 0, 0);
      XStoreName(display, parent, "lv2 editor test host");
      XMapRaised(display, parent);
      XSync(display, False);
    }

    void TearDown() override
    {
      if (handle)
        descriptor->cleanup(handle);
      if (parent)
        XDestroyWindow(x.Get(), parent);
      if (x.IsConnected())
        x.Flush();
      // The binary stays loaded, as it marks itself (-z nodelete): closing it only drops our reference.
      if (library)
        dlclose(library);
    }

    // The UI the stereo plug-in names in the bundle's description, its type and binary.
    bool FindUI()
    {
      LilvWorld* world = lilv_world_new();
      const std::string bundleURI = std::string("file://") + TIDEWELL_LV2_BUNDLE_PATH + "/";
      LilvNode* bundle = lilv_new_uri(world, bundleURI.c_str());
      lilv_world_load_bundle(world, bundle);
      LilvNode* pluginURI = lilv_new_uri(world, kStereoURI);
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
          char* bundle = lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_bundle_uri(ui)), nullptr);
          bundlePath = bundle;
          lilv_free(bundle);
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

    // Instantiates the editor in our window with the host features.
    void Open()
    {
      touch = {&traffic, TouchProc};
      resize = {&traffic, ResizeProc};
      map = {&urids, MapProc};
      const LV2_Feature parentFeature{LV2_UI__parent, reinterpret_cast<void*>(parent)};
      const LV2_Feature touchFeature{LV2_UI__touch, &touch};
      const LV2_Feature resizeFeature{LV2_UI__resize, &resize};
      const LV2_Feature idleFeature{LV2_UI__idleInterface, nullptr};
      const LV2_Feature mapFeature{LV2_URID__map, &map};
      const LV2_Feature* features[] = {&parentFeature, &touchFeature, &resizeFeature, &idleFeature, &mapFeature, nullptr};
      LV2UI_Widget widget = nullptr;
      handle = descriptor->instantiate(descriptor, kStereoURI, bundlePath.c_str(), WriteProc, &traffic, &widget, features);
      ASSERT_NE(handle, nullptr);
      ASSERT_NE(widget, nullptr);
      widgetWindow = reinterpret_cast<uintptr_t>(widget);
      RunIdle(0.2);
    }

    // Calls the editor's idle function, as a host's UI loop does, for seconds.
    void RunIdle(double seconds)
    {
      const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
      while (std::chrono::steady_clock::now() < end)
      {
        idle->idle(handle);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    }

    // The window's pixels in r (window coordinates), as the X server holds them.
    std::vector<unsigned long> Pixels(int left, int top, int width, int height)
    {
      std::vector<unsigned long> pixels;
      XImage* image = XGetImage(x.Get(), widgetWindow, left, top, static_cast<unsigned>(width),
                                static_cast<unsigned>(height), AllPlanes, ZPixmap);
      if (!image)
        return pixels;
      for (int y = 0; y < height; ++y)
        for (int xx = 0; xx < width; ++xx)
          pixels.push_back(XGetPixel(image, xx, y));
      XDestroyImage(image);
      return pixels;
    }

    XTestDriver x;
    void* library = nullptr;
    const LV2UI_Descriptor* descriptor = nullptr;
    const LV2UI_Idle_Interface* idle = nullptr;
    std::string uiURI;
    std::string binaryPath;
    std::string bundlePath;
    unsigned long parent = 0;
    unsigned long widgetWindow = 0;
    LV2UI_Handle handle = nullptr;
    Traffic traffic;
    LV2UI_Touch touch{};
    LV2UI_Resize resize{};
    std::map<std::string, LV2_URID> urids;
    LV2_URID_Map map{};
  };
}

TEST_F(LV2EditorWindow, EmbedsInTheHostsWindowAtItsSize)
{
  Open();
  int w = 0, h = 0;
  ASSERT_TRUE(x.Size(widgetWindow, w, h));
  EXPECT_EQ(w, 495);
  EXPECT_EQ(h, 220);
  ASSERT_FALSE(traffic.sizes.empty());
  EXPECT_EQ(traffic.sizes.front(), std::make_pair(495, 220));
}

TEST_F(LV2EditorWindow, ClickOnDuckWritesBypassedToItsPortInsideAGesture)
{
  Open();
  x.Click(parent, 437, 141);
  RunIdle(0.3);
  ASSERT_FALSE(traffic.writes.empty());
  EXPECT_EQ(traffic.writes.back().port, kDuckPort);
  EXPECT_EQ(traffic.writes.back().value, 0.f);
  const std::vector<std::pair<uint32_t, bool>> gesture = {{kDuckPort, true}, {kDuckPort, false}};
  EXPECT_EQ(traffic.touches, gesture);
}

TEST_F(LV2EditorWindow, KnobDragWritesRisingValues)
{
  Open();
  x.DragBy(parent, 49, 150, 0, -5, 8, [this] { RunIdle(0.04); });
  RunIdle(0.2);
  std::vector<float> values;
  for (const Traffic::Write& write : traffic.writes)
    if (write.port == kPeriodPort)
      values.push_back(write.value);
  ASSERT_GE(values.size(), 2u);
  EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
  EXPECT_NEAR(values.back(), 0.5f + 40.f / 66.f / 4.f, 0.011f);
  ASSERT_GE(traffic.touches.size(), 2u);
  EXPECT_EQ(traffic.touches.front(), std::make_pair(kPeriodPort, true));
  EXPECT_EQ(traffic.touches.back(), std::make_pair(kPeriodPort, false));
}

TEST_F(LV2EditorWindow, MeterPortEventsMoveTheDuckAndHostValuesTheControls)
{
  Open();
  // The duck picture's region, and the Depth knob's.
  const std::vector<unsigned long> duckBefore = Pixels(339, 9, 120, 96);
  const std::vector<unsigned long> depthBefore = Pixels(313, 110, 66, 66);
  const float meter = 1.f;
  descriptor->port_event(handle, kMeterPort, sizeof(float), 0, &meter);
  RunIdle(0.2);
  EXPECT_NE(Pixels(339, 9, 120, 96), duckBefore);
  EXPECT_EQ(Pixels(313, 110, 66, 66), depthBefore);

  const float depth = 0.f;
  descriptor->port_event(handle, 4, sizeof(float), 0, &depth);
  RunIdle(0.2);
  EXPECT_NE(Pixels(313, 110, 66, 66), depthBefore);
  // A host's value is no user change: nothing goes back.
  EXPECT_TRUE(traffic.writes.empty());
  // Events of other formats or sizes are ignored.
  const double wide = 0.5;
  descriptor->port_event(handle, 4, sizeof(double), 0, &wide);
  descriptor->port_event(handle, 99, sizeof(float), 0, &depth);
  RunIdle(0.05);
}

// Hosts pass on whatever reached a port: values that are no numbers change nothing, others are clamped, and
// the editor shows what it would for the nearest value in range.
TEST_F(LV2EditorWindow, PortEventsThatAreNoNumbersAreIgnoredAndOutOfRangeOnesClamped)
{
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  constexpr float kInf = std::numeric_limits<float>::infinity();
  constexpr uint32_t kDepthPort = 4;
  Open();
  const auto send = [this](uint32_t port, float value) {
    descriptor->port_event(handle, port, sizeof(float), 0, &value);
    RunIdle(0.1);
  };
  const auto duck = [this] { return Pixels(339, 9, 120, 96); };
  const auto depth = [this] { return Pixels(313, 110, 66, 66); };
  send(kMeterPort, 1.f);
  send(kDepthPort, 1.f);
  const std::vector<unsigned long> duckDeep = duck(), depthFull = depth();
  send(kMeterPort, 0.f);
  send(kDepthPort, 0.f);
  const std::vector<unsigned long> duckFlat = duck(), depthNone = depth();
  ASSERT_NE(duckDeep, duckFlat);
  ASSERT_NE(depthFull, depthNone);

  send(kMeterPort, 1e30f);
  send(kDepthPort, 1e30f);
  EXPECT_EQ(duck(), duckDeep);
  EXPECT_EQ(depth(), depthFull);
  for (const float ignored : {kNaN, -kInf, kInf})
  {
    send(kMeterPort, ignored);
    send(kDepthPort, ignored);
    EXPECT_EQ(duck(), duckDeep) << ignored;
    EXPECT_EQ(depth(), depthFull) << ignored;
  }
  send(kMeterPort, -5.f);
  send(kDepthPort, -5.f);
  EXPECT_EQ(duck(), duckFlat);
  EXPECT_EQ(depth(), depthNone);
  EXPECT_TRUE(traffic.writes.empty());
}

TEST_F(LV2EditorWindow, RefusesToOpenWithoutAParentWindow)
{
  const LV2_Feature* features[] = {nullptr};
  LV2UI_Widget widget = nullptr;
  EXPECT_EQ(descriptor->instantiate(descriptor, kStereoURI, bundlePath.c_str(), WriteProc, &traffic, &widget, features),
            nullptr);
}
