#include "app/JackServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace
{
  jack_client_t* OpenClient(const std::string& server, const char* name)
  {
    jack_status_t status{};
    return jack_client_open(name, static_cast<jack_options_t>(JackNoStartServer | JackServerName | JackUseExactName),
                            &status, server.c_str());
  }

  // JACK prints to stderr whatever goes wrong while a test waits for a server to come up.
  void Quiet(const char*) {}
}

JackServer::JackServer()
{
  static std::atomic<int> count{0};
  mName = "tidewell-test-" + std::to_string(getpid()) + "-" + std::to_string(count++);
  jack_set_error_function(Quiet);
  jack_set_info_function(Quiet);
  mPid = fork();
  if (mPid == 0)
  {
    // The server ends with the test process however that ends (a crash, a timeout's kill): servers left
    // running would fill JACK's table of servers, and later tests could start none.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() == 1)
      _exit(127);
    const std::string period = std::to_string(kPeriod);
    const std::string rate = std::to_string(kRate);
    execlp("jackd", "jackd", "-t", "2000", "-n", mName.c_str(), "-d", "dummy", "-r", rate.c_str(), "-p",
           period.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  for (int i = 0; i < 100 && mPid > 0; ++i)
  {
    if (jack_client_t* client = OpenClient(mName, "probe"))
    {
      jack_client_close(client);
      mReady = true;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ADD_FAILURE() << "jackd did not start";
}

JackServer::~JackServer()
{
  if (mPid <= 0)
    return;
  kill(mPid, SIGTERM);
  int status = 0;
  waitpid(mPid, &status, 0);
}

JackProbe::JackProbe(const JackServer& server, double seconds)
{
  const auto frames = static_cast<size_t>(seconds * JackServer::kRate);
  for (int c = 0; c < 2; ++c)
  {
    mWet[c].assign(frames, 0.f);
    mDry[c].assign(frames, 0.f);
  }
  mFeeder = OpenClient(server.Name(), "feeder");
  mRecorder = OpenClient(server.Name(), "recorder");
  if (!mFeeder || !mRecorder)
    return;
  for (int c = 0; c < 2; ++c)
  {
    const std::string n = std::to_string(c + 1);
    mOut[c] = jack_port_register(mFeeder, ("out_" + n).c_str(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput, 0);
  }
  // The wet ports first: a program connecting to the recorder's inputs takes them in this order.
  for (int c = 0; c < 2; ++c)
    mWetPort[c] = jack_port_register(mRecorder, ("wet_" + std::to_string(c + 1)).c_str(), JACK_DEFAULT_AUDIO_TYPE,
                                     JackPortIsInput, 0);
  for (int c = 0; c < 2; ++c)
    mDryPort[c] = jack_port_register(mRecorder, ("dry_" + std::to_string(c + 1)).c_str(), JACK_DEFAULT_AUDIO_TYPE,
                                     JackPortIsInput, 0);
  jack_set_process_callback(mFeeder, FeederProcess, this);
  jack_set_process_callback(mRecorder, RecorderProcess, this);
  jack_set_xrun_callback(mRecorder, OnXrun, this);
  jack_activate(mFeeder);
  jack_activate(mRecorder);
  for (int c = 0; c < 2; ++c)
    jack_connect(mRecorder, jack_port_name(mOut[c]), jack_port_name(mDryPort[c]));
}

JackProbe::~JackProbe()
{
  if (mRecorder)
    jack_client_close(mRecorder);
  if (mFeeder)
    jack_client_close(mFeeder);
}

float JackProbe::Sine(int c, uint64_t i)
{
  const double phase = std::fmod(static_cast<double>(i) * kFrequency[c] / JackServer::kRate, 1.0);
  return kAmplitude * static_cast<float>(std::sin(2.0 * M_PI * phase));
}

int JackProbe::FeederProcess(jack_nframes_t nFrames, void* arg)
{
  auto& probe = *static_cast<JackProbe*>(arg);
  for (int c = 0; c < 2; ++c)
  {
    auto* out = static_cast<float*>(jack_port_get_buffer(probe.mOut[c], nFrames));
    for (jack_nframes_t i = 0; i < nFrames; ++i)
      out[i] = Sine(c, probe.mFed + i);
  }
  probe.mFed += nFrames;
  return 0;
}

int JackProbe::RecorderProcess(jack_nframes_t nFrames, void* arg)
{
  auto& probe = *static_cast<JackProbe*>(arg);
  const size_t start = probe.mRecorded.load(std::memory_order_relaxed);
  // Recording starts with the first period in which the fed sine comes back from the program under test.
  if (start == 0)
  {
    const auto* wet = static_cast<const float*>(jack_port_get_buffer(probe.mWetPort[0], nFrames));
    if (!jack_port_connected(probe.mWetPort[0]) || std::all_of(wet, wet + nFrames, [](float s) { return s == 0.f; }))
      return 0;
  }
  const size_t n = std::min<size_t>(nFrames, probe.mWet[0].size() - start);
  for (int c = 0; c < 2; ++c)
  {
    const auto* wet = static_cast<const float*>(jack_port_get_buffer(probe.mWetPort[c], nFrames));
    const auto* dry = static_cast<const float*>(jack_port_get_buffer(probe.mDryPort[c], nFrames));
    std::copy(wet, wet + n, probe.mWet[c].begin() + static_cast<std::ptrdiff_t>(start));
    std::copy(dry, dry + n, probe.mDry[c].begin() + static_cast<std::ptrdiff_t>(start));
  }
  probe.mRecorded.store(start + n, std::memory_order_release);
  return 0;
}

int JackProbe::OnXrun(void* arg)
{
  auto& probe = *static_cast<JackProbe*>(arg);
  const size_t n = probe.mXrunCount.load();
  if (n < kMaxXruns)
  {
    probe.mXrunFrames[n] = probe.mRecorded.load();
    probe.mXrunCount.store(n + 1);
  }
  return 0;
}

std::vector<size_t> JackProbe::Xruns() const
{
  return std::vector<size_t>(mXrunFrames, mXrunFrames + mXrunCount.load());
}

std::vector<float> JackProbe::Wet(int c) const
{
  const size_t n = mRecorded.load(std::memory_order_acquire);
  return std::vector<float>(mWet[c].begin(), mWet[c].begin() + static_cast<std::ptrdiff_t>(n));
}

std::vector<float> JackProbe::Dry(int c) const
{
  const size_t n = mRecorded.load(std::memory_order_acquire);
  return std::vector<float>(mDry[c].begin(), mDry[c].begin() + static_cast<std::ptrdiff_t>(n));
}
