// The standalone programs on a real JACK server of the test's own (dummy driver, real time): a test client feeds
// sines into the program's input ports and records its output ports beside what it fed, and the program's
// gain, sample by sample, is compared with what tidewell_host renders from the same sines.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "app/AppProcess.h"
#include "app/JackServer.h"
#include "host/HostProgram.h"

namespace
{
  // Samples quieter than this do not tell the gain precisely enough.
  constexpr float kLoud = 0.1f;
  // Frames at the start of a recording left out of the comparisons: RtAudio connects the program's output
  // and input ports one after the other, so its first periods back may lack the input (more of them in a
  // sanitizer build).
  constexpr size_t kSettling = JackServer::kRate / 10;

  // Whether frame i of what came back was lost: silence where a loud input went in. A machine busy with other
  // work (a sanitizer build, parallel tests) now and then makes the server skip a late client's period.
  bool Dropped(const std::vector<float>& in, const std::vector<float>& out, size_t i)
  {
    return out[i] == 0.f && in[i] != 0.f;
  }

  // The share of frames lost, which must stay a rare exception for the comparisons to mean anything.
  double DroppedShare(const std::vector<float>& in, const std::vector<float>& out)
  {
    size_t dropped = 0;
    for (size_t i = 0; i < out.size(); ++i)
      dropped += Dropped(in, out, i);
    return out.empty() ? 1.0 : static_cast<double>(dropped) / static_cast<double>(out.size());
  }

  // out / in wherever the input is loud and the frame was not lost, NaN elsewhere.
  std::vector<double> Gains(const std::vector<float>& in, const std::vector<float>& out)
  {
    std::vector<double> gains(std::min(in.size(), out.size()), std::nan(""));
    for (size_t i = 0; i < gains.size(); ++i)
      if (std::fabs(in[i]) > kLoud && !Dropped(in, out, i))
        gains[i] = static_cast<double>(out[i]) / static_cast<double>(in[i]);
    return gains;
  }

  // The graph may hand the program's output to the recorder a period or two after the feeder's: what came back
  // (wet), and what was fed lined up with it by the lag that correlates best over the first 4096 frames; the lag.
  size_t LineUp(std::vector<float>& dry, std::vector<float>& wet)
  {
    constexpr size_t kWindow = 4096;
    constexpr size_t kMaxLag = 4 * JackServer::kPeriod;
    size_t best = 0;
    double bestScore = -1.0;
    for (size_t lag = 0; lag <= kMaxLag && lag + kWindow < wet.size(); ++lag)
    {
      double dot = 0.0, energy = 0.0;
      for (size_t i = 0; i < kWindow; ++i)
      {
        dot += static_cast<double>(wet[i + lag]) * dry[i];
        energy += static_cast<double>(wet[i + lag]) * wet[i + lag];
      }
      const double score = energy > 0.0 ? std::fabs(dot) / std::sqrt(energy) : 0.0;
      if (score > bestScore)
      {
        bestScore = score;
        best = lag;
      }
    }
    wet.erase(wet.begin(), wet.begin() + static_cast<std::ptrdiff_t>(best));
    dry.resize(wet.size());
    return best;
  }

  // Marks the frames around each xrun the server reported as lost (silence in wet), shifted by the lag LineUp
  // removed: in a period a late client missed, what the recorder reads is not the program's output.
  void ForgetXruns(const std::vector<size_t>& xruns, size_t lag, std::vector<float>& wet)
  {
    constexpr size_t kAround = 3 * JackServer::kPeriod;
    for (size_t xrun : xruns)
    {
      const size_t at = xrun > lag ? xrun - lag : 0;
      for (size_t i = at > kAround ? at - kAround : 0; i < std::min(wet.size(), at + kAround); ++i)
        wet[i] = 0.f;
    }
  }

  // The first index at which the gain falls below threshold; -1 when it never does.
  long FirstBelow(const std::vector<double>& gains, double threshold)
  {
    for (size_t i = 0; i < gains.size(); ++i)
      if (gains[i] < threshold)
        return static_cast<long>(i);
    return -1;
  }

  class AppOnJack : public ::testing::Test
  {
  protected:
    // Runs program on the server with the probe connected (--input feeder --output recorder --connect), records
    // seconds of its output, then ends it with SIGTERM.
    void RunAndRecord(const std::string& program, const std::vector<std::string>& sets, double seconds)
    {
      ASSERT_TRUE(server.Running());
      probe = std::make_unique<JackProbe>(server, seconds);
      ASSERT_TRUE(probe->Ready());
      std::vector<std::string> arguments{"--no-gui", "--driver", "jack", "--input", "feeder", "--output", "recorder",
                                         "--connect"};
      for (const std::string& set : sets)
      {
        arguments.push_back("--set");
        arguments.push_back(set);
      }
      AppProcess app(program, arguments, Environment(), scratch.Path("app.out"), scratch.Path("app.err"));
      const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds + 10.0);
      while (!probe->Full() && !app.Ended() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      app.Signal(SIGTERM);
      EXPECT_EQ(app.Wait(10.0), 0) << app.Err();
      ASSERT_TRUE(probe->Full()) << "recorded " << probe->Recorded() << " frames; " << app.Err();
    }

    std::vector<std::pair<std::string, std::string>> Environment() const
    {
      return {{"JACK_DEFAULT_SERVER", server.Name()}, {"XDG_CONFIG_HOME", scratch.Path("config")}, {"DISPLAY", ""}};
    }

    // What tidewell_host renders from the probe's sines (seconds of them) with the settings, channel c's gains.
    std::vector<double> RenderedGains(const std::vector<std::string>& hostArguments, double seconds, int c)
    {
      Audio input;
      input.channels = 2;
      input.sampleRate = JackServer::kRate;
      input.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
      const auto frames = static_cast<uint64_t>(seconds * JackServer::kRate);
      for (uint64_t i = 0; i < frames; ++i)
        for (int ch = 0; ch < 2; ++ch)
          input.samples.push_back(JackProbe::Sine(ch, i));
      WriteAudio(scratch.Path("in.wav"), input);
      std::vector<std::string> arguments = hostArguments;
      arguments.insert(arguments.end(), {"--block", std::to_string(JackServer::kPeriod)});
      const HostRun run = RunHost(arguments, scratch);
      EXPECT_EQ(run.exitCode, 0) << run.err;
      const Audio output = ReadAudio(scratch.Path("out.wav"));
      std::vector<float> in, out;
      for (size_t i = 0; i + 1 < output.samples.size() && i + 1 < input.samples.size(); i += 2)
      {
        in.push_back(input.samples[i + static_cast<size_t>(c)]);
        out.push_back(output.samples[i + static_cast<size_t>(c)]);
      }
      return Gains(in, out);
    }

    JackServer server;
    ScratchFolder scratch;
    std::unique_ptr<JackProbe> probe;
  };

  const std::vector<std::string> kDipSettings{"Period=0", "Random=0", "Duration=0", "Depth=1"};
  // The dip comes 10 s after the start and lasts 1 s; a little more is recorded.
  constexpr double kDipSeconds = 11.4;
}

TEST_F(AppOnJack, TidewellDipsAt10SecondsAsTheHostRenders)
{
  RunAndRecord(TIDEWELL_APP_PATH, kDipSettings, kDipSeconds);
  std::vector<std::string> host{"render", scratch.Path("in.wav"), scratch.Path("out.wav")};
  for (const std::string& set : kDipSettings)
    host.insert(host.end(), {"--set", set});
  for (int c = 0; c < 2; ++c)
  {
    std::vector<float> dry = probe->Dry(c), wet = probe->Wet(c);
    ForgetXruns(probe->Xruns(), LineUp(dry, wet), wet);
    EXPECT_LT(DroppedShare(dry, wet), 0.02) << "channel " << c;
    const std::vector<double> recorded = Gains(dry, wet);
    const std::vector<double> rendered = RenderedGains(host, kDipSeconds, c);
    const long recordedStart = FirstBelow(recorded, 0.99);
    const long renderedStart = FirstBelow(rendered, 0.99);
    ASSERT_GT(renderedStart, 0);
    ASSERT_GT(recordedStart, 0) << "no dip recorded on channel " << c;
    // The recording starts with the first period in which the sine comes back. RtAudio connects the ports
    // (--connect) right after its client starts, so the program's first blocks run a period or two before
    // that: its dip comes that much earlier in the recording, never later, and by whole periods less the
    // graph's lag.
    const long early = renderedStart - recordedStart;
    EXPECT_GE(early, 0) << "channel " << c << ": recorded from " << recordedStart << ", rendered from " << renderedStart;
    EXPECT_LE(early, 4 * JackServer::kPeriod) << "channel " << c;
    // Before the dip the signal passes unchanged; through it the gain follows the rendered curve.
    for (long i = kSettling; i < recordedStart - JackServer::kRate / 10; ++i)
    {
      if (!std::isnan(recorded[static_cast<size_t>(i)]))
      {
        ASSERT_NEAR(recorded[static_cast<size_t>(i)], 1.0, 1e-6) << "frame " << i;
      }
    }
    double worst = 0.0;
    for (long k = -JackServer::kRate / 5; k < JackServer::kRate + JackServer::kRate / 10; ++k)
    {
      const double a = recorded[static_cast<size_t>(recordedStart + k)];
      const double b = rendered[static_cast<size_t>(renderedStart + k)];
      if (!std::isnan(a) && !std::isnan(b))
        worst = std::max(worst, std::fabs(a - b));
    }
    EXPECT_LT(worst, 2e-3) << "channel " << c;
  }
}

TEST_F(AppOnJack, TidewellBypassedPassesItsInput)
{
  RunAndRecord(TIDEWELL_APP_PATH, {"Period=0", "Random=0", "Duration=0", "Duck=Bypassed"}, kDipSeconds);
  for (int c = 0; c < 2; ++c)
  {
    std::vector<float> dry = probe->Dry(c), wet = probe->Wet(c);
    ForgetXruns(probe->Xruns(), LineUp(dry, wet), wet);
    ASSERT_GT(wet.size(), static_cast<size_t>(JackServer::kRate * 10));
    EXPECT_LT(DroppedShare(dry, wet), 0.02) << "channel " << c;
    for (size_t i = kSettling; i < dry.size(); ++i)
    {
      if (!Dropped(dry, wet, i))
      {
        ASSERT_NEAR(wet[i], dry[i], 1e-6f * std::fabs(dry[i]) + 1e-9f) << "channel " << c << ", frame " << i;
      }
    }
  }
}

TEST_F(AppOnJack, ControlGalleryGainAsTheHostRenders)
{
  const std::vector<std::string> sets{"Gain=-6", "Invert=Inverted"};
  RunAndRecord(CONTROL_GALLERY_APP_PATH, sets, 1.0);
  std::vector<std::string> host{"--component", CONTROL_GALLERY_BUNDLE_PATH, "render", scratch.Path("in.wav"),
                                scratch.Path("out.wav")};
  for (const std::string& set : sets)
    host.insert(host.end(), {"--set", set});
  for (int c = 0; c < 2; ++c)
  {
    std::vector<float> dry = probe->Dry(c), wet = probe->Wet(c);
    ForgetXruns(probe->Xruns(), LineUp(dry, wet), wet);
    EXPECT_LT(DroppedShare(dry, wet), 0.02) << "channel " << c;
    const std::vector<double> recorded = Gains(dry, wet);
    const std::vector<double> rendered = RenderedGains(host, 1.0, c);
    const auto renderedGain = *std::find_if(rendered.begin(), rendered.end(), [](double g) { return !std::isnan(g); });
    EXPECT_NEAR(renderedGain, -std::pow(10.0, -6.0 / 20.0), 1e-3);
    for (size_t i = kSettling; i < recorded.size(); ++i)
    {
      if (!std::isnan(recorded[i]))
      {
        ASSERT_NEAR(recorded[i], renderedGain, 1e-5) << "channel " << c << ", frame " << i;
      }
    }
  }
}
