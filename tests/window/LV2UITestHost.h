#pragma once

// A small LV2 UI host of the tests' own: finds Tidewell's editor UI through lilv in the built bundle's
// description, loads its binary, and instantiates editors in parent windows of ours (ui:parent) with the touch,
// resize, idle and URID-map features, recording what each editor writes to the plug-in's ports.

#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

// What one editor sent the host, in order.
struct LV2UITraffic
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

class LV2UITestHost
{
public:
  static constexpr const char* kStereoURI = "https://kelvane.com/plugins/Tidewell/stereo";

  LV2UITestHost() = default;
  // Unloads the binary (it stays mapped: it marks itself nodelete).
  ~LV2UITestHost();
  LV2UITestHost(const LV2UITestHost&) = delete;
  LV2UITestHost& operator=(const LV2UITestHost&) = delete;

  // Finds the stereo plug-in's X11 UI and loads it; false with error set when anything is missing.
  bool Load(std::string& error);

  // One editor instance and what it sent. Not movable: the host's features point into it.
  struct Editor
  {
    LV2UI_Handle handle = nullptr;
    unsigned long widget = 0; // the editor's X11 window
    LV2UITraffic traffic;
    LV2UI_Touch touch{};
    LV2UI_Resize resize{};
  };
  // Instantiates an editor in parent (an X11 window id); false when the UI refuses.
  bool Instantiate(unsigned long parent, Editor& editor);
  // The UI's idle call for editor, as a host's UI loop makes it.
  void Idle(Editor& editor);
  // Calls Idle for seconds, with short sleeps between calls.
  void IdleFor(Editor& editor, double seconds);
  // Sends a control port value to editor.
  void PortEvent(Editor& editor, uint32_t port, float value);
  // Ends editor (cleanup); does nothing when it was never instantiated.
  void Cleanup(Editor& editor);

  const LV2UI_Descriptor* Descriptor() const { return mDescriptor; }
  const std::string& BundlePath() const { return mBundlePath; }
  const std::string& UIURI() const { return mUIURI; }

private:
  void* mLibrary = nullptr;
  const LV2UI_Descriptor* mDescriptor = nullptr;
  const LV2UI_Idle_Interface* mIdle = nullptr;
  std::string mUIURI;
  std::string mBinaryPath;
  std::string mBundlePath;
  std::map<std::string, LV2_URID> mUrids;
  LV2_URID_Map mMap{};
};
