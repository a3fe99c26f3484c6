#include "AppMidi.h"

#include <RtMidi.h>

#include <charconv>

#include "IPlugAPP.h"

namespace iplug
{
namespace
{
  // The index of the port named (or numbered) wanted; -1 when there is none.
  int FindPort(RtMidi& midi, const std::string& wanted)
  {
    const unsigned count = midi.getPortCount();
    for (unsigned i = 0; i < count; ++i)
      if (midi.getPortName(i) == wanted)
        return static_cast<int>(i);
    unsigned number = 0;
    const auto [ptr, ec] = std::from_chars(wanted.data(), wanted.data() + wanted.size(), number);
    if (ec == std::errc() && ptr == wanted.data() + wanted.size() && number < count)
      return static_cast<int>(number);
    return -1;
  }

  template <class Port>
  bool Open(std::unique_ptr<Port>& port, const std::string& name, const std::string& clientName, const char* kind,
            std::string& error)
  {
    port.reset();
    if (name.empty())
      return true;
    try
    {
      auto opened = std::make_unique<Port>(RtMidi::UNSPECIFIED, clientName);
      const int index = FindPort(*opened, name);
      if (index < 0)
      {
        error = std::string("no MIDI ") + kind + " port \"" + name + "\"";
        return false;
      }
      opened->openPort(static_cast<unsigned>(index), clientName);
      port = std::move(opened);
      return true;
    }
    catch (const RtMidiError& e)
    {
      error = std::string("MIDI ") + kind + ": " + e.getMessage();
      return false;
    }
  }
}

std::vector<std::string> AppMidi::ListPorts(bool input)
{
  std::vector<std::string> names;
  auto collect = [&names](RtMidi& midi) {
    const unsigned count = midi.getPortCount();
    for (unsigned i = 0; i < count; ++i)
      names.push_back(midi.getPortName(i));
  };
  try
  {
    if (input)
    {
      RtMidiIn midi;
      collect(midi);
    }
    else
    {
      RtMidiOut midi;
      collect(midi);
    }
  }
  catch (const RtMidiError&)
  {
    names.clear();
  }
  return names;
}

bool AppMidi::ToMidiMsg(const unsigned char* bytes, size_t size, IMidiMsg& msg)
{
  if (!bytes || size < 1 || size > 3)
    return false;
  msg = IMidiMsg{0, bytes[0], size > 1 ? bytes[1] : uint8_t{0}, size > 2 ? bytes[2] : uint8_t{0}};
  return true;
}

AppMidi::AppMidi(IPlugAPP& plug, std::string clientName)
  : mPlug(plug)
  , mClientName(std::move(clientName))
{
}

AppMidi::~AppMidi() = default;

bool AppMidi::OpenInput(const std::string& port, std::string& error)
{
  if (!Open(mIn, port, mClientName, "input", error))
    return false;
  if (mIn)
  {
    mIn->ignoreTypes(true, true, true);
    mIn->setCallback(OnInput, this);
  }
  return true;
}

bool AppMidi::OpenOutput(const std::string& port, std::string& error)
{
  return Open(mOut, port, mClientName, "output", error);
}

void AppMidi::SendQueued()
{
  IMidiMsg msg;
  while (mPlug.TakeMidiForDevice(msg))
  {
    if (!mOut)
      continue;
    const unsigned char bytes[3] = {msg.mStatus, msg.mData1, msg.mData2};
    // Program change and channel pressure carry one data byte, the other channel messages two.
    const unsigned kind = msg.mStatus & 0xF0u;
    const size_t size = kind == 0xC0u || kind == 0xD0u ? 2 : 3;
    try
    {
      mOut->sendMessage(bytes, size);
    }
    catch (const RtMidiError&)
    {
      // A port that went away drops what was meant for it, as a cable pulled out would.
    }
  }
}

void AppMidi::OnInput(double /*timeStamp*/, std::vector<unsigned char>* message, void* user)
{
  IMidiMsg msg;
  if (message && ToMidiMsg(message->data(), message->size(), msg))
    static_cast<AppMidi*>(user)->mPlug.ReceiveMidiFromDevice(msg);
}

} // namespace iplug
