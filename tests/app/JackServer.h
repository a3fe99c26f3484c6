#pragma once

// A private JACK server for one test (the dummy driver at 48 kHz, 256-frame periods, in real time), and a test
// client of our own on it that feeds sines and records, sample-exactly, both what it fed and what came back.

#include <jack/jack.h>

#include <atomic>
#include <string>
#include <vector>

class JackServer
{
public:
  static constexpr int kRate = 48000;
  static constexpr int kPeriod = 256;

  // Starts jackd under a name no other test uses and waits until clients can connect.
  JackServer();
  // Ends the server.
  ~JackServer();
  JackServer(const JackServer&) = delete;
  JackServer& operator=(const JackServer&) = delete;

  bool Running() const { return mReady; }
  const std::string& Name() const { return mName; }

private:
  std::string mName;
  int mPid = -1;
  bool mReady = false;
};

// Two clients of the test on a server: "feeder" plays a sine on each of its two outputs (out_1, out_2) from
// the moment it starts, and "recorder" records its inputs wet_1, wet_2 (what the program under test sends
// back) and dry_1, dry_2 (the feeder's outputs, connected here), starting with the first period in which
// sound comes back on wet_1, and stopping when its buffers are full.
class JackProbe
{
public:
  // Amplitude and frequencies (Hz) of the sines on out_1 and out_2.
  static constexpr float kAmplitude = 0.5f;
  static constexpr double kFrequency[2] = {441.0, 613.0};

  // Clients on server able to record seconds of audio.
  JackProbe(const JackServer& server, double seconds);
  ~JackProbe();
  JackProbe(const JackProbe&) = delete;
  JackProbe& operator=(const JackProbe&) = delete;

  bool Ready() const { return mFeeder && mRecorder; }
  // Whether the recording has filled its buffers.
  bool Full() const { return mRecorded.load() >= mWet[0].size(); }
  // Frames recorded so far.
  size_t Recorded() const { return mRecorded.load(); }
  // Recorded channel c (0 or 1) of what came back, and of what was fed, Recorded() frames.
  std::vector<float> Wet(int c) const;
  std::vector<float> Dry(int c) const;
  // The recorded frame at which the server reported each xrun (a client late for its period), in order.
  std::vector<size_t> Xruns() const;
  // Sample i of the feeder's sine on channel c, counted from the feeder's start.
  static float Sine(int c, uint64_t i);

private:
  static int FeederProcess(jack_nframes_t nFrames, void* arg);
  static int RecorderProcess(jack_nframes_t nFrames, void* arg);
  static int OnXrun(void* arg);
  static constexpr size_t kMaxXruns = 256;

  jack_client_t* mFeeder = nullptr;
  jack_client_t* mRecorder = nullptr;
  jack_port_t* mOut[2] = {};
  jack_port_t* mWetPort[2] = {};
  jack_port_t* mDryPort[2] = {};
  uint64_t mFed = 0;
  std::vector<float> mWet[2];
  std::vector<float> mDry[2];
  std::atomic<size_t> mRecorded{0};
  size_t mXrunFrames[kMaxXruns] = {};
  std::atomic<size_t> mXrunCount{0};
};
