#include "EditorCommand.h"

#include <CoreFoundation/CoreFoundation.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "AudioFile.h"
#include "ChannelConfigurations.h"
#include "CommandLine.h"
#include "ConfiguredComponent.h"
#include "ControlValueProperty.h"
#include "DemoSignal.h"
#include "EditorView.h"
#include "EditorWindow.h"
#include "ErrorLine.h"
#include "PacedPlayback.h"
#include "ParameterEcho.h"
#include "PngFile.h"
#include "Renderer.h"

namespace
{
  // The control tag through which Tidewell's engine hands its duck meter to the editor.
  constexpr SInt32 kMeterControlTag = 0;
  constexpr double kDemoSeconds = 60.0;
  constexpr double kDemoSampleRate = 48000.0;
  constexpr UInt32 kBlock = 512;
  // How often the host looks at its window and the clock while the editor runs, seconds.
  constexpr double kPollInterval = 0.02;

  // Sets the view's draw scale as a host resizing the editor's window would; false with an error text when
  // the editor does not take that size.
  bool ApplyScale(EditorView& editor, double scale, std::string& error)
  {
    NSView& view = editor.View();
    const NSSize size = view.frameSize();
    if (scale == 1.0)
      return true;
    // The editor's own size at scale 1 is its current size (it opens at scale 1 unless a remembered scale
    // says otherwise, which the host does not know); the host asks for that size times the scale.
    const NSSize wanted{size.width * scale, size.height * scale};
    view.setFrameSize(wanted);
    // Views measure whole points: the editor truncates the scaled size.
    const NSSize got = view.frameSize();
    if (got.width != std::floor(wanted.width) || got.height != std::floor(wanted.height))
    {
      char text[96];
      std::snprintf(text, sizeof(text), "--scale %g: the editor does not take that size", scale);
      error = text;
      return false;
    }
    return true;
  }

  int Screenshot(const CommandLine& commandLine)
  {
    std::string error;
    if (!commandLine.Only({"--set", "--component", "--screenshot", "--meter", "--scale", "--screen-scale", "--state"}, error))
      return ReportError(error);
    double meter = 0.0, scale = 1.0;
    long screenScale = 1;
    if (commandLine.Has("--meter") && !commandLine.Real("--meter", 0.0, 1.0, meter, error))
      return ReportError(error);
    if (commandLine.Has("--scale") && !commandLine.Real("--scale", 0.25, 4.0, scale, error))
      return ReportError(error);
    if (commandLine.Has("--screen-scale") && !commandLine.Number("--screen-scale", 1, 2, screenScale, error))
      return ReportError(error);
    const std::string outPath = commandLine.Value("--screenshot");

    ParameterCatalog catalog;
    std::unique_ptr<HostComponent> unit = ConfiguredComponent::Open(commandLine, catalog, error);
    if (!unit)
      return ReportError(error);
    std::unique_ptr<EditorView> editor = EditorView::Open(*unit, error);
    if (!editor)
      return ReportError(error);
    editor->View().setBackingScaleFactor(static_cast<CGFloat>(screenScale));
    if (!ApplyScale(*editor, scale, error))
      return ReportError(error);
    const ControlValue value{kMeterControlTag, meter};
    AudioUnitSetProperty(unit->Unit(), kControlValuePropertyID, kAudioUnitScope_Global, 0, &value, sizeof(value));

    const int width = editor->PixelWidth();
    const int height = editor->PixelHeight();
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    NSBitmapImageRep rep{width, height, width * 4, pixels.data()};
    if (!editor->View().cacheDisplayInRect(&rep))
      return ReportError(unit->Name() + "'s editor could not be drawn");
    if (!WritePngFile(outPath, width, height, pixels, error))
      return ReportError(error);
    std::printf("wrote %s (%d x %d pixels)\n", outPath.c_str(), width, height);
    return 0;
  }

  // The audio to play: the file of --input, or the demo music.
  bool LoadInput(const CommandLine& commandLine, std::vector<float>& samples, int& channels, double& sampleRate, std::string& error)
  {
    if (!commandLine.Has("--input"))
    {
      samples = DemoSignal::Render(kDemoSeconds, kDemoSampleRate);
      channels = 2;
      sampleRate = kDemoSampleRate;
      return true;
    }
    AudioFileReader reader;
    if (!reader.Open(commandLine.Value("--input"), error))
      return false;
    channels = reader.Info().channels;
    sampleRate = reader.Info().sampleRate;
    samples.resize(static_cast<std::size_t>(reader.Info().frames) * static_cast<std::size_t>(channels));
    long done = 0;
    while (done < reader.Info().frames)
    {
      const long n = reader.Read(samples.data() + static_cast<std::size_t>(done) * channels, reader.Info().frames - done, error);
      if (n < 0)
        return false;
      if (n == 0)
        break;
      done += n;
    }
    samples.resize(static_cast<std::size_t>(done) * static_cast<std::size_t>(channels));
    return true;
  }

  void PrintStats(NSView& view)
  {
    NSViewFrameStatistics stats{};
    if (!view.frameStatistics(&stats))
      return;
    std::printf("frames drawn: %lu\n", stats.framesDrawn);
    std::printf("frames skipped (nothing dirty): %lu\n", stats.framesSkipped);
    std::printf("draw time: mean %.3f ms, max %.3f ms\n", stats.meanDrawMilliseconds, stats.maxDrawMilliseconds);
    std::printf("dirty area: mean %.1f %% of the editor\n", stats.meanDirtyShare * 100.0);
  }

  // What the run loop's poll timer watches.
  struct Session
  {
    EditorWindow* window = nullptr;
    PacedPlayback* playback = nullptr;
    std::chrono::steady_clock::time_point end;
    bool timed = false;
  };

  void Poll(CFRunLoopTimerRef /*timer*/, void* info)
  {
    auto* session = static_cast<Session*>(info);
    const bool open = session->window->Poll();
    const bool due = session->timed && std::chrono::steady_clock::now() >= session->end;
    if (!open || due || session->playback->Failed())
      CFRunLoopStop(CFRunLoopGetMain());
  }

  void FollowView(NSView* view, void* info)
  {
    const NSSize pixels = view->convertSizeToBacking(view->frameSize());
    static_cast<EditorWindow*>(info)->Resize(static_cast<int>(pixels.width), static_cast<int>(pixels.height));
  }

  int Window(const CommandLine& commandLine)
  {
    std::string error;
    if (!commandLine.Only({"--set", "--component", "--input", "--seconds", "--stats", "--state"}, error))
      return ReportError(error);
    long seconds = 0;
    if (commandLine.Has("--seconds") && !commandLine.Number("--seconds", 1, 86400, seconds, error))
      return ReportError(error);
    std::vector<float> input;
    int channels = 0;
    double sampleRate = 0.0;
    if (!LoadInput(commandLine, input, channels, sampleRate, error))
      return ReportError(error);

    ParameterCatalog catalog;
    std::unique_ptr<HostComponent> unit = ConfiguredComponent::Open(commandLine, catalog, error);
    if (!unit)
      return ReportError(error);
    ChannelConfigurations configs;
    if (configs.Read(*unit) && !configs.Accepts(channels, channels))
      return ReportError("the input has " + std::to_string(channels) + " channels; the component takes " + configs.Describe() + " (inputs-outputs)");
    StreamSetup setup;
    setup.sampleRate = sampleRate;
    setup.inChannels = static_cast<UInt32>(channels);
    setup.outChannels = static_cast<UInt32>(channels);
    setup.maxFrames = kBlock;
    Renderer renderer(*unit);
    if (!renderer.Start(setup, error))
      return ReportError(error);

    ParameterEcho echo(*unit, catalog, stdout);
    std::unique_ptr<EditorView> editor = EditorView::Open(*unit, error);
    if (!editor)
      return ReportError(error);
    std::unique_ptr<EditorWindow> window(EditorWindow::Create(unit->Name(), editor->PixelWidth(), editor->PixelHeight(), error));
    if (!window)
      return ReportError(error);
    if (!editor->View().addToWindow(window->Id()))
      return ReportError(unit->Name() + "'s editor cannot be shown in a window here");
    editor->View().setFrameDidChangeHandler(FollowView, window.get());
    // Asking once at the start makes the view time every frame to the end of its GL work.
    NSViewFrameStatistics startStats{};
    if (commandLine.Has("--stats"))
      editor->View().frameStatistics(&startStats);

    PacedPlayback playback(renderer, input);
    playback.Start();
    Session session;
    session.window = window.get();
    session.playback = &playback;
    session.timed = seconds > 0;
    session.end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    CFRunLoopTimerContext context{};
    context.info = &session;
    CFRunLoopTimerRef timer = CFRunLoopTimerCreate(kCFAllocatorDefault, CFAbsoluteTimeGetCurrent() + kPollInterval, kPollInterval, 0, 0, Poll, &context);
    CFRunLoopAddTimer(CFRunLoopGetMain(), timer, kCFRunLoopCommonModes);
    CFRunLoopRun();
    CFRunLoopTimerInvalidate(timer);
    CFRelease(timer);
    playback.Stop();

    if (commandLine.Has("--stats"))
      PrintStats(editor->View());
    editor->View().setFrameDidChangeHandler(nullptr, nullptr);
    editor.reset();
    window.reset();
    if (playback.Failed())
      return ReportError("the component failed to render");
    return 0;
  }
}

int EditorCommand::Run(const CommandLine& commandLine)
{
  if (!commandLine.Positional().empty())
    return ReportError("editor takes no file names: tidewell_host editor [--screenshot OUT.png] ...");
  return commandLine.Has("--screenshot") ? Screenshot(commandLine) : Window(commandLine);
}
