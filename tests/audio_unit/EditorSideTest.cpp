// The editor's side of a unit: the view factory a host finds by the class name the unit reports, and
// parameter gestures made in the editor that reach the host's event listeners. The tests play the editor
// through the object the view factory itself fetches with the private instance property.

#include "AUHostSupport.h"

#include <AudioUnit/AUCocoaUIView.h>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "IPlugAU.h"

using namespace au_test;

namespace
{
struct EventLog
{
  std::vector<std::pair<AudioUnitEventType, float>> events;

  static void Proc(void* refCon, void*, const AudioUnitEvent* event, UInt64, AudioUnitParameterValue value)
  {
    static_cast<EventLog*>(refCon)->events.emplace_back(event->mEventType, value);
  }
};

// The plug-in object behind a unit, as the view factory fetches it.
iplug::IEditorDelegate* EditorDelegate(AudioUnit unit)
{
  void* plug = nullptr;
  GetProp(unit, static_cast<AudioUnitPropertyID>(-101), kAudioUnitScope_Global, 0, plug);
  return static_cast<iplug::IPlugAU*>(plug);
}

// The view factory class a unit names, made through its bundle's registration function.
std::unique_ptr<AUCocoaUIBase> MakeViewFactory(AudioUnit unit)
{
  AudioUnitCocoaViewInfo info = {};
  if (GetProp(unit, kAudioUnitProperty_CocoaUI, kAudioUnitScope_Global, 0, info) != noErr)
    return nullptr;
  CFOwned<CFURLRef> location(info.mCocoaAUViewBundleLocation);
  CFOwned<CFStringRef> className(info.mCocoaAUViewClass[0]);
  CFOwned<CFBundleRef> bundle(CFBundleCreate(nullptr, location));
  auto makeClass = reinterpret_cast<AUCocoaUIClassFunction>(CFBundleGetFunctionPointerForName(bundle, className));
  return std::unique_ptr<AUCocoaUIBase>(makeClass ? makeClass() : nullptr);
}
} // namespace

TEST(EditorGestures, HostListenerSeesBeginValueAndEnd)
{
  Unit unit;
  EventLog log;
  AUEventListenerRef listener = nullptr;
  ASSERT_EQ(AUEventListenerCreate(EventLog::Proc, &log, nullptr, nullptr, 0.f, 0.f, &listener), noErr);
  for (AudioUnitEventType type : {kAudioUnitEvent_BeginParameterChangeGesture, kAudioUnitEvent_ParameterValueChange,
                                  kAudioUnitEvent_EndParameterChangeGesture})
  {
    AudioUnitEvent event = {};
    event.mEventType = type;
    event.mArgument.mParameter = {unit, 1, kAudioUnitScope_Global, 0};
    ASSERT_EQ(AUEventListenerAddEventType(listener, nullptr, &event), noErr);
  }

  iplug::IEditorDelegate* editor = EditorDelegate(unit);
  ASSERT_NE(editor, nullptr);
  editor->BeginInformHostOfParamChangeFromUI(1);
  editor->SendParameterValueFromUI(1, 0.8);
  editor->EndInformHostOfParamChangeFromUI(1);
  AUListenerDispose(listener);

  using Event = std::pair<AudioUnitEventType, float>;
  EXPECT_EQ(log.events, (std::vector<Event>{{kAudioUnitEvent_BeginParameterChangeGesture, 0.f},
                                            {kAudioUnitEvent_ParameterValueChange, 0.8f},
                                            {kAudioUnitEvent_EndParameterChangeGesture, 0.f}}));
  EXPECT_FLOAT_EQ(Param(unit, 1), 0.8f);
}

TEST(ViewFactory, HostFindsTheClassTheUnitNames)
{
  Unit unit;
  AudioUnitCocoaViewInfo info = {};
  ASSERT_EQ(GetProp(unit, kAudioUnitProperty_CocoaUI, kAudioUnitScope_Global, 0, info), noErr);
  CFOwned<CFURLRef> location(info.mCocoaAUViewBundleLocation);
  CFOwned<CFStringRef> className(info.mCocoaAUViewClass[0]);
  EXPECT_EQ(Utf8(className), "Tidewell_View");
  CFOwned<CFStringRef> path(CFURLCopyFileSystemPath(location, kCFURLPOSIXPathStyle));
  EXPECT_EQ(Utf8(path).substr(Utf8(path).size() - 19), "/Tidewell.component");

  std::unique_ptr<AUCocoaUIBase> factory = MakeViewFactory(unit);
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(factory->interfaceVersion(), 0u);
  CFOwned<CFStringRef> description(factory->description());
  EXPECT_EQ(Utf8(description), "Tidewell View");
}

TEST(ViewFactory, GivesNoViewWithoutAPlugInOrAnEditor)
{
  Unit unit;
  Unit noEditor(kTestPlug);
  std::unique_ptr<AUCocoaUIBase> factory = MakeViewFactory(unit);
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(factory->uiViewForAudioUnit(nullptr, {400.0, 300.0}), nullptr);
  EXPECT_EQ(factory->uiViewForAudioUnit(noEditor, {400.0, 300.0}), nullptr);
  EXPECT_EQ(Info(noEditor, kAudioUnitProperty_CocoaUI, kAudioUnitScope_Global).status, kAudioUnitErr_InvalidProperty);
}
