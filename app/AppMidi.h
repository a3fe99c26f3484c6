#pragma once

#include <memory>
#include <string>
#include <vector>

class RtMidiIn;
class RtMidiOut;

namespace iplug
{
class IPlugAPP;
struct IMidiMsg;

// The program's MIDI ports through RtMidi: an input whose messages go to the plug-in's ring for the next
// audio block, and an output that the main thread feeds with what the plug-in sent. Opened only for a plug-in
// that takes or sends MIDI. System-exclusive, timing and active-sensing messages are not passed. [main-thread]
class AppMidi
{
public:
  // The names of the MIDI input (input true) or output ports; empty when RtMidi has none. [main-thread]
  static std::vector<std::string> ListPorts(bool input);
  // Turns a device message of 1 to 3 bytes into the plug-in's record; false for any other length. [any-thread]
  static bool ToMidiMsg(const unsigned char* bytes, size_t size, IMidiMsg& msg);

  // MIDI for plug (not owned, outlives this) under clientName; no port is open yet. [main-thread]
  explicit AppMidi(IPlugAPP& plug, std::string clientName);
  ~AppMidi();
  AppMidi(const AppMidi&) = delete;
  AppMidi& operator=(const AppMidi&) = delete;

  // Opens the input port named (or numbered) port, closing any open one; empty closes it. False with a
  // one-line error for an unknown port.
  bool OpenInput(const std::string& port, std::string& error);
  // The same for the output port.
  bool OpenOutput(const std::string& port, std::string& error);
  // Sends every message the plug-in queued since the last call to the output port (or drops them without one).
  void SendQueued();

private:
  // RtMidi's input callback, on the MIDI input device's thread. [any-thread]
  static void OnInput(double timeStamp, std::vector<unsigned char>* message, void* user);

  IPlugAPP& mPlug;
  std::string mClientName;
  std::unique_ptr<RtMidiIn> mIn;
  std::unique_ptr<RtMidiOut> mOut;
};

} // namespace iplug
