#include "AppAudio.h"

#include <RtAudio.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstring>
#include <thread>

#include "IPlugAPP.h"
#include "RenderAllocationGuard.h"

namespace iplug
{
namespace
{
  // Frames per block for drivers that let the program choose, when nobody chose.
  constexpr unsigned kDefaultBuffer = 256;
  constexpr unsigned kFallbackRate = 48000;

  struct DriverApi
  {
    const char* name;
    RtAudio::Api api;
  };
  constexpr DriverApi kDriverApis[] = {
    {"jack", RtAudio::UNIX_JACK}, {"pulse", RtAudio::LINUX_PULSE}, {"alsa", RtAudio::LINUX_ALSA}};

  bool ApiOf(const std::string& driver, RtAudio::Api& api)
  {
    for (const DriverApi& entry : kDriverApis)
    {
      if (driver == entry.name)
      {
        api = entry.api;
        return true;
      }
    }
    return false;
  }

  std::unique_ptr<RtAudio> OpenDriver(const std::string& driver, std::string& error)
  {
    RtAudio::Api api = RtAudio::UNSPECIFIED;
    if (!ApiOf(driver, api))
    {
      error = "no audio driver called \"" + driver + "\" (jack, alsa or pulse)";
      return nullptr;
    }
    try
    {
      auto audio = std::make_unique<RtAudio>(api);
      audio->showWarnings(false);
      if (audio->getCurrentApi() != api)
      {
        error = "this build has no " + driver + " driver";
        return nullptr;
      }
      return audio;
    }
    catch (const RtAudioError& e)
    {
      error = driver + ": " + e.getMessage();
      return nullptr;
    }
  }

  bool ReadDevicesOnce(RtAudio& audio, std::vector<AppAudioDevice>& devices)
  {
    devices.clear();
    try
    {
      const unsigned count = audio.getDeviceCount();
      for (unsigned i = 0; i < count; ++i)
      {
        const RtAudio::DeviceInfo info = audio.getDeviceInfo(i);
        AppAudioDevice device;
        device.name = info.name;
        if (info.probed)
        {
          device.inputs = info.inputChannels;
          device.outputs = info.outputChannels;
          device.rates = info.sampleRates;
          device.preferredRate = info.preferredSampleRate;
        }
        devices.push_back(device);
      }
      return true;
    }
    catch (const RtAudioError&)
    {
      return false;
    }
  }

  // RtAudio opens a short-lived JACK client for every question it asks the server, and a busy server now and
  // then refuses one: an empty answer is asked again a few times before it is believed.
  bool ReadDevices(RtAudio& audio, std::vector<AppAudioDevice>& devices)
  {
    constexpr int kTries = 5;
    for (int i = 0; i < kTries; ++i)
    {
      if (ReadDevicesOnce(audio, devices) && !devices.empty())
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return ReadDevicesOnce(audio, devices);
  }

  // The index of the device named (or numbered) by wanted among devices that have channels of the kind
  // asked; fallback when wanted is empty; -1 when none fits.
  int FindDevice(const std::vector<AppAudioDevice>& devices, const std::string& wanted, bool input, int fallback)
  {
    auto channels = [&](const AppAudioDevice& d) { return input ? d.inputs : d.outputs; };
    if (wanted.empty())
    {
      if (fallback >= 0 && fallback < static_cast<int>(devices.size()) && channels(devices[static_cast<size_t>(fallback)]) > 0)
        return fallback;
      for (size_t i = 0; i < devices.size(); ++i)
        if (channels(devices[i]) > 0)
          return static_cast<int>(i);
      return -1;
    }
    for (size_t i = 0; i < devices.size(); ++i)
      if (devices[i].name == wanted)
        return static_cast<int>(i);
    unsigned number = 0;
    const auto [ptr, ec] = std::from_chars(wanted.data(), wanted.data() + wanted.size(), number);
    if (ec == std::errc() && ptr == wanted.data() + wanted.size() && number < devices.size())
      return static_cast<int>(number);
    return -1;
  }

  std::string RateList(const std::vector<unsigned>& rates)
  {
    std::string text;
    for (unsigned rate : rates)
      text += (text.empty() ? "" : ", ") + std::to_string(rate);
    return text.empty() ? "none" : text;
  }

  bool Offers(const AppAudioDevice& device, unsigned rate)
  {
    return std::find(device.rates.begin(), device.rates.end(), rate) != device.rates.end();
  }

  // The rate to run at: the one asked when every device offers it, else the output device's preferred one.
  bool ChooseRate(const AppAudioDevice* input, const AppAudioDevice& output, unsigned asked, unsigned& rate,
                  std::string& error)
  {
    for (const AppAudioDevice* device : {input, &output})
    {
      if (device && asked && !device->rates.empty() && !Offers(*device, asked))
      {
        error = "the device \"" + device->name + "\" does not run at " + std::to_string(asked) + " Hz (it offers " +
                RateList(device->rates) + ")";
        return false;
      }
    }
    if (asked)
      rate = asked;
    else if (output.preferredRate && (!input || input->rates.empty() || Offers(*input, output.preferredRate)))
      rate = output.preferredRate;
    else if (Offers(output, kFallbackRate) || output.rates.empty())
      rate = kFallbackRate;
    else
      rate = output.rates.front();
    return true;
  }

  // The plug-in's widest layout of one input bus (or none) and one output bus within the devices' channels:
  // the most outputs, then the most inputs. False when none fits.
  bool ChooseLayout(const IPlugAPP& plug, unsigned deviceInputs, unsigned deviceOutputs, int& nInputs, int& nOutputs)
  {
    nInputs = -1;
    nOutputs = -1;
    for (int i = 0; i < plug.NIOConfigs(); ++i)
    {
      const IOConfig* config = plug.GetIOConfig(i);
      if (!config || config->NBuses(kOutput) != 1 || config->NBuses(kInput) > 1)
        continue;
      const int outs = config->NChansOnBusSAFE(kOutput, 0);
      const int ins = config->NChansOnBusSAFE(kInput, 0);
      if (outs <= 0 || ins < 0 || static_cast<unsigned>(outs) > deviceOutputs || static_cast<unsigned>(ins) > deviceInputs)
        continue;
      if (outs > nOutputs || (outs == nOutputs && ins > nInputs))
      {
        nOutputs = outs;
        nInputs = ins;
      }
    }
    return nOutputs > 0;
  }

  std::string DefaultDriver()
  {
    for (const std::string& driver : AppAudio::Drivers())
    {
      std::string ignored;
      std::vector<AppAudioDevice> devices;
      if (AppAudio::ListDevices(driver, devices, ignored) &&
          std::any_of(devices.begin(), devices.end(), [](const AppAudioDevice& d) { return d.outputs > 0; }))
        return driver;
    }
    return std::string();
  }

  uint64_t NowNs()
  {
    return static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count());
  }
}

const std::vector<std::string>& AppAudio::Drivers()
{
  static const std::vector<std::string> drivers = [] {
    std::vector<RtAudio::Api> compiled;
    RtAudio::getCompiledApi(compiled);
    std::vector<std::string> names;
    for (const DriverApi& entry : kDriverApis)
      if (std::find(compiled.begin(), compiled.end(), entry.api) != compiled.end())
        names.emplace_back(entry.name);
    return names;
  }();
  return drivers;
}

bool AppAudio::ListDevices(const std::string& driver, std::vector<AppAudioDevice>& devices, std::string& error)
{
  std::unique_ptr<RtAudio> audio = OpenDriver(driver, error);
  if (!audio)
    return false;
  if (!ReadDevices(*audio, devices))
  {
    error = driver + ": the devices cannot be listed";
    return false;
  }
  return true;
}

AppAudio::AppAudio(IPlugAPP& plug, std::string clientName)
  : mPlug(plug)
  , mClientName(std::move(clientName))
{
}

AppAudio::~AppAudio()
{
  Stop();
}

bool AppAudio::Start(AppSettings& settings, bool connect, std::string& error)
{
  Stop();
  std::string driver = settings.driver.empty() ? DefaultDriver() : settings.driver;
  if (driver.empty())
  {
    error = "no audio driver has an output device (is a JACK server or PulseAudio running?)";
    return false;
  }
  std::unique_ptr<RtAudio> audio = OpenDriver(driver, error);
  std::vector<AppAudioDevice> devices;
  if (!audio)
    return false;
  // A device named but not listed may be one the busy server left out of this answer: it is asked again.
  auto named = [&](const std::string& wanted, bool input) {
    return wanted.empty() || FindDevice(devices, wanted, input, -1) >= 0;
  };
  constexpr int kTries = 5;
  for (int i = 0; i < kTries; ++i)
  {
    if (ReadDevices(*audio, devices) && named(settings.output, false) && named(settings.input, true))
      break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  if (devices.empty())
  {
    error = driver + ": no audio device" + (driver == "jack" ? " (is a JACK server running?)" : "");
    return false;
  }

  const int outIndex = FindDevice(devices, settings.output, false, static_cast<int>(audio->getDefaultOutputDevice()));
  if (outIndex < 0)
  {
    error = settings.output.empty() ? driver + ": no output device" : driver + ": no output device \"" + settings.output + "\"";
    return false;
  }
  const bool wantsInput = mPlug.MaxNChannels(kInput) > 0;
  const int inIndex = wantsInput ? FindDevice(devices, settings.input, true, static_cast<int>(audio->getDefaultInputDevice())) : -1;
  if (wantsInput && !settings.input.empty() && inIndex < 0)
  {
    error = driver + ": no input device \"" + settings.input + "\"";
    return false;
  }
  const AppAudioDevice& output = devices[static_cast<size_t>(outIndex)];
  const AppAudioDevice* input = inIndex >= 0 ? &devices[static_cast<size_t>(inIndex)] : nullptr;

  int nInputs = 0, nOutputs = 0;
  if (!ChooseLayout(mPlug, input ? input->inputs : 0, output.outputs, nInputs, nOutputs))
  {
    error = "the devices' channels fit none of the plug-in's channel layouts";
    return false;
  }
  unsigned rate = 0;
  if (!ChooseRate(nInputs > 0 ? input : nullptr, output, settings.rate, rate, error))
    return false;

  RtAudio::StreamParameters outParams;
  outParams.deviceId = static_cast<unsigned>(outIndex);
  outParams.nChannels = static_cast<unsigned>(nOutputs);
  RtAudio::StreamParameters inParams;
  if (nInputs > 0)
  {
    inParams.deviceId = static_cast<unsigned>(inIndex);
    inParams.nChannels = static_cast<unsigned>(nInputs);
  }
  RtAudio::StreamOptions options;
  options.flags = RTAUDIO_NONINTERLEAVED | RTAUDIO_SCHEDULE_REALTIME | (connect ? 0 : RTAUDIO_JACK_DONT_CONNECT);
  options.streamName = mClientName;
  unsigned buffer = settings.buffer ? settings.buffer : kDefaultBuffer;

  mInputs.assign(static_cast<size_t>(nInputs), nullptr);
  mOutputs.assign(static_cast<size_t>(nOutputs), nullptr);
  try
  {
    audio->openStream(&outParams, nInputs > 0 ? &inParams : nullptr, RTAUDIO_FLOAT32, rate, &buffer, Callback, this,
                      &options);
    mSampleRate = audio->getStreamSampleRate();
    mBufferFrames = buffer;
    mPlug.PrepareStream(static_cast<double>(mSampleRate), static_cast<int>(buffer), nInputs, nOutputs);
    mLastBusyNs = mBusyNs.load();
    mLastPeriodNs = mPeriodNs.load();
    audio->startStream();
  }
  catch (const RtAudioError& e)
  {
    error = driver + ": " + e.getMessage();
    return false;
  }
  mAudio = std::move(audio);
  mRunning = true;
  settings.driver = driver;
  settings.output = output.name;
  settings.input = nInputs > 0 ? input->name : settings.input;
  settings.rate = mSampleRate;
  settings.buffer = mBufferFrames;
  return true;
}

void AppAudio::Stop()
{
  if (!mAudio)
    return;
  try
  {
    if (mAudio->isStreamRunning())
      mAudio->stopStream();
    if (mAudio->isStreamOpen())
      mAudio->closeStream();
  }
  catch (const RtAudioError&)
  {
    // The stream is gone either way; what the driver says about it changes nothing for the program.
  }
  mAudio.reset();
  mRunning = false;
}

int AppAudio::Callback(void* output, void* input, unsigned nFrames, double /*streamTime*/, unsigned status, void* user)
{
  static_cast<AppAudio*>(user)->Process(static_cast<float*>(output), static_cast<const float*>(input), nFrames, status);
  return 0;
}

void AppAudio::Process(float* output, const float* input, unsigned nFrames, unsigned status)
{
  const RenderAllocationGuard guard;
  const uint64_t start = NowNs();
  if (status & (RTAUDIO_INPUT_OVERFLOW | RTAUDIO_OUTPUT_UNDERFLOW))
    mXruns.fetch_add(1, std::memory_order_relaxed);
  for (size_t c = 0; c < mInputs.size(); ++c)
    mInputs[c] = input ? input + c * nFrames : nullptr;
  for (size_t c = 0; c < mOutputs.size(); ++c)
    mOutputs[c] = output + c * nFrames;
  mPlug.ProcessDeviceBlock(mInputs.data(), input ? NInputs() : 0, mOutputs.data(), NOutputs(), static_cast<int>(nFrames));

  const uint64_t busy = NowNs() - start;
  const uint64_t period = mSampleRate ? static_cast<uint64_t>(nFrames) * 1000000000ull / mSampleRate : 0;
  mBusyNs.fetch_add(busy, std::memory_order_relaxed);
  mPeriodNs.fetch_add(period, std::memory_order_relaxed);
  mBlocks.fetch_add(1, std::memory_order_relaxed);
  if (period > 0)
  {
    const auto permille = static_cast<uint32_t>(std::min<uint64_t>(busy * 1000 / period, UINT32_MAX));
    uint32_t peak = mPeakPermille.load(std::memory_order_relaxed);
    while (permille > peak && !mPeakPermille.compare_exchange_weak(peak, permille, std::memory_order_relaxed))
    {
    }
  }
}

AppAudioLoad AppAudio::ReadLoad()
{
  const uint64_t busy = mBusyNs.load(std::memory_order_relaxed);
  const uint64_t period = mPeriodNs.load(std::memory_order_relaxed);
  AppAudioLoad load;
  if (period > mLastPeriodNs)
    load.mean = static_cast<double>(busy - mLastBusyNs) / static_cast<double>(period - mLastPeriodNs);
  load.peak = mPeakPermille.exchange(0, std::memory_order_relaxed) / 1000.0;
  mLastBusyNs = busy;
  mLastPeriodNs = period;
  return load;
}

double AppAudio::MeanLoadOverall() const
{
  const uint64_t period = mPeriodNs.load(std::memory_order_relaxed);
  return period ? static_cast<double>(mBusyNs.load(std::memory_order_relaxed)) / static_cast<double>(period) : 0.0;
}

} // namespace iplug
