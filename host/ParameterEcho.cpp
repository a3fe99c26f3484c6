#include "ParameterEcho.h"

#include <cmath>
#include <string>

#include "HostComponent.h"

ParameterEcho::ParameterEcho(const HostComponent& unit, const ParameterCatalog& catalog, std::FILE* out)
  : mUnit(unit)
  , mCatalog(catalog)
  , mOut(out)
{
  if (AUEventListenerCreate(EventProc, this, CFRunLoopGetMain(), kCFRunLoopDefaultMode, 0.f, 0.f, &mListener) != noErr)
  {
    mListener = nullptr;
    return;
  }
  for (const ParameterDescription& parameter : mCatalog.All())
  {
    for (AudioUnitEventType type : {kAudioUnitEvent_BeginParameterChangeGesture, kAudioUnitEvent_ParameterValueChange,
                                    kAudioUnitEvent_EndParameterChangeGesture})
    {
      AudioUnitEvent event{};
      event.mEventType = type;
      event.mArgument.mParameter.mAudioUnit = mUnit.Unit();
      event.mArgument.mParameter.mParameterID = parameter.id;
      event.mArgument.mParameter.mScope = kAudioUnitScope_Global;
      event.mArgument.mParameter.mElement = 0;
      AUEventListenerAddEventType(mListener, this, &event);
    }
  }
}

ParameterEcho::~ParameterEcho()
{
  if (mListener)
    AUListenerDispose(mListener);
}

void ParameterEcho::EventProc(void* refCon, void* /*object*/, const AudioUnitEvent* event, UInt64 /*hostTime*/,
                              AudioUnitParameterValue value)
{
  if (refCon && event)
    static_cast<ParameterEcho*>(refCon)->Print(*event, value);
}

void ParameterEcho::Print(const AudioUnitEvent& event, AudioUnitParameterValue value)
{
  const AudioUnitParameterID id = event.mArgument.mParameter.mParameterID;
  std::string name = std::to_string(id);
  const ParameterDescription* described = nullptr;
  for (const ParameterDescription& parameter : mCatalog.All())
    if (parameter.id == id)
      described = &parameter;
  if (described)
    name = described->name;

  switch (event.mEventType)
  {
  case kAudioUnitEvent_BeginParameterChangeGesture: std::fprintf(mOut, "begin %s\n", name.c_str()); break;
  case kAudioUnitEvent_EndParameterChangeGesture: std::fprintf(mOut, "end %s\n", name.c_str()); break;
  case kAudioUnitEvent_ParameterValueChange:
  {
    std::string text;
    if (!ParameterCatalog::TextForValue(mUnit, id, value, text))
    {
      const long index = std::lround(value - (described ? described->minValue : 0.f));
      if (described && described->Stepped() && index >= 0 && index < static_cast<long>(described->valueTexts.size()))
        text = described->valueTexts[static_cast<std::size_t>(index)];
      else
      {
        char number[32];
        std::snprintf(number, sizeof(number), "%g", static_cast<double>(value));
        text = number;
      }
    }
    std::fprintf(mOut, "param %s %s\n", name.c_str(), text.c_str());
    break;
  }
  default: return;
  }
  std::fflush(mOut);
}
