#include "AppMain.h"

#include <CoreFoundation/CoreFoundation.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "AppAudio.h"
#include "AppMidi.h"
#include "AppOptions.h"
#include "AppSession.h"
#include "AppSettingsPage.h"
#include "AppStore.h"
#include "EditorWindow.h"
#include "IGraphicsLinux.h"
#include "IPlugAPP.h"

namespace iplug
{
namespace
{
  // How often the run loop looks at the signals, the windows and the MIDI output, seconds.
  constexpr double kPollInterval = 0.02;
  // How often the load is measured (and shown on an open settings page), in polls.
  constexpr int kPollsPerLoadReading = 25;

  // Set by the signal handler, read by the run loop: the handler does nothing else.
  volatile std::sig_atomic_t gStopRequested = 0;

  void RequestStop(int /*signal*/)
  {
    gStopRequested = 1;
  }

  void InstallSignalHandlers()
  {
    struct sigaction action = {};
    action.sa_handler = RequestStop;
    // A signal that arrives while the stream starts must not fail the driver's calls it interrupts.
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
  }

  int Fail(const std::string& name, const std::string& error, int status = 1)
  {
    std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
    return status;
  }

  void Warn(const std::string& name, const std::string& warning)
  {
    if (!warning.empty())
      std::fprintf(stderr, "%s: %s\n", name.c_str(), warning.c_str());
  }

  void ListDevices()
  {
    for (const std::string& driver : AppAudio::Drivers())
    {
      std::vector<AppAudioDevice> devices;
      std::string error;
      if (!AppAudio::ListDevices(driver, devices, error))
      {
        std::printf("audio driver %s: not available (%s)\n", driver.c_str(), error.c_str());
        continue;
      }
      std::printf("audio driver %s:%s\n", driver.c_str(), devices.empty() ? " no devices" : "");
      for (size_t i = 0; i < devices.size(); ++i)
      {
        std::string rates;
        for (unsigned rate : devices[i].rates)
          rates += (rates.empty() ? "" : " ") + std::to_string(rate);
        std::printf("  %zu: %s (%u in, %u out; %s Hz)\n", i, devices[i].name.c_str(), devices[i].inputs,
                    devices[i].outputs, rates.empty() ? "?" : rates.c_str());
      }
    }
    for (bool input : {true, false})
    {
      const std::vector<std::string> ports = AppMidi::ListPorts(input);
      std::printf("MIDI %s:%s\n", input ? "inputs" : "outputs", ports.empty() ? " none" : "");
      for (size_t i = 0; i < ports.size(); ++i)
        std::printf("  %zu: %s\n", i, ports[i].c_str());
    }
  }

  // The saved settings with the command line's choices over them; a driver other than the saved one starts
  // from that driver's defaults.
  AppSettings WantedSettings(AppSettings saved, const AppOptions& options)
  {
    if (!options.driver.empty() && options.driver != saved.driver)
      saved = AppSettings{options.driver, "", "", 0, 0, saved.midiIn, saved.midiOut};
    if (!options.input.empty())
      saved.input = options.input;
    if (!options.output.empty())
      saved.output = options.output;
    if (options.rate)
      saved.rate = options.rate;
    if (options.buffer)
      saved.buffer = options.buffer;
    if (!options.midiIn.empty())
      saved.midiIn = options.midiIn;
    if (!options.midiOut.empty())
      saved.midiOut = options.midiOut;
    return saved;
  }

  // Everything the run loop's poll looks after.
  struct RunState
  {
    std::string name;
    AppSession* session = nullptr;
    EditorWindow* editorWindow = nullptr; // the editor's window, or null (headless, or no editor)
    AppSettingsPage* page = nullptr;      // the settings page, or null when headless
    bool pageIsMainWindow = false;        // a plug-in without an editor: closing the page quits
    bool settingsRequested = false;       // the editor's settings button was clicked
    bool quit = false;                    // a signal arrived or the main window was closed
    int polls = 0;
    AppAudioLoad lastLoad;
    double peakLoad = 0.0;
  };

  void OpenSettingsPage(RunState& state)
  {
    std::string error;
    if (!state.page->Open(state.name + " settings", error))
      Warn(state.name, error);
  }

  void Poll(CFRunLoopTimerRef /*timer*/, void* info)
  {
    auto& state = *static_cast<RunState*>(info);
    bool quit = gStopRequested != 0;
    if (state.editorWindow && !state.editorWindow->Poll())
      quit = true;
    if (state.page)
    {
      const bool open = state.page->Poll();
      if (state.pageIsMainWindow && !open)
        quit = true;
      if (state.settingsRequested && !open)
        OpenSettingsPage(state);
    }
    state.settingsRequested = false;
    state.session->Idle();
    if (++state.polls % kPollsPerLoadReading == 0)
    {
      state.lastLoad = state.session->Audio().ReadLoad();
      state.peakLoad = std::max(state.peakLoad, state.lastLoad.peak);
      if (state.page)
        state.page->ShowStatus(state.lastLoad);
    }
    if (quit)
    {
      state.quit = true;
      CFRunLoopStop(CFRunLoopGetMain());
    }
  }

  void RunUntilStopped(RunState& state)
  {
    CFRunLoopTimerContext context{};
    context.info = &state;
    CFRunLoopTimerRef timer = CFRunLoopTimerCreate(kCFAllocatorDefault, CFAbsoluteTimeGetCurrent() + kPollInterval,
                                                   kPollInterval, 0, 0, Poll, &context);
    CFRunLoopAddTimer(CFRunLoopGetMain(), timer, kCFRunLoopCommonModes);
    // The run loop may return for reasons of its own; only the poll ends the program.
    while (!state.quit)
      CFRunLoopRun();
    CFRunLoopTimerInvalidate(timer);
    CFRelease(timer);
  }

  // Opens the editor in a window of its own (or the settings page as the window, for a plug-in without an
  // editor); false with a one-line error when there is no window system to show it on.
  bool OpenWindows(IPlugAPP& plug, RunState& state, std::unique_ptr<EditorWindow>& window, std::string& error)
  {
    if (!plug.HasUI())
    {
      state.pageIsMainWindow = true;
      return state.page->Open(state.name, error);
    }
    window.reset(EditorWindow::Create(state.name, plug.GetEditorWidth(), plug.GetEditorHeight(), error));
    if (!window)
      return false;
    if (!plug.OpenWindow(reinterpret_cast<void*>(static_cast<uintptr_t>(window->Id()))))
    {
      error = "the editor cannot be shown here";
      window.reset();
      return false;
    }
    EditorWindow* shown = window.get();
    plug.SetEditorResizeHandler([shown](int width, int height) { shown->Resize(width, height); });
    plug.SetSettingsHandler([&state]() { state.settingsRequested = true; });
    auto* pGraphics = static_cast<igraphics::IGraphicsLinux*>(plug.GetUI());
    shown->Resize(static_cast<int>(pGraphics->WindowWidth() * pGraphics->GetScreenScale()),
                  static_cast<int>(pGraphics->WindowHeight() * pGraphics->GetScreenScale()));
    state.editorWindow = shown;
    return true;
  }

  void CloseWindows(IPlugAPP& plug, RunState& state, std::unique_ptr<EditorWindow>& window)
  {
    if (state.page)
      state.page->Close();
    if (window)
    {
      plug.CloseWindow();
      plug.SetEditorResizeHandler(nullptr);
      plug.SetSettingsHandler(nullptr);
      window.reset();
    }
    state.editorWindow = nullptr;
  }
}

int RunApp(int argc, char** argv, const AppProduct& product)
{
  const Config config = product.makeConfig();
  const std::string name = config.productName;
  AppOptions options;
  std::string error;
  if (!ParseAppOptions(argc, argv, options, error))
    return Fail(name, error, 2);
  if (options.help)
  {
    std::fputs(AppUsage(name).c_str(), stdout);
    return 0;
  }
  if (options.listDevices)
  {
    ListDevices();
    return 0;
  }

  // From here on a signal ends the program through the run loop, which saves, even while it still starts.
  InstallSignalHandlers();
  const AppStore store(name, options.statePath);
  std::string warning;
  const AppSettings saved = store.LoadSettings(warning);
  Warn(name, warning);
  std::unique_ptr<IPlugAPP> plug(product.make());
  if (!plug)
    return Fail(name, "out of memory");
  warning.clear();
  store.LoadState(*plug, warning);
  Warn(name, warning);
  for (const auto& [param, value] : options.sets)
  {
    if (!SetParameterFromText(*plug, param, value, error))
      return Fail(name, error, 2);
  }

  AppSession session(*plug, name, store.SettingsPath(), options.connect);
  if (!session.Start(WantedSettings(saved, options), error))
    return Fail(name, error);

  RunState state;
  state.name = name;
  state.session = &session;
  std::unique_ptr<AppSettingsPage> page;
  std::unique_ptr<EditorWindow> window;
  const char* display = std::getenv("DISPLAY");
  if (!options.noGui && display && display[0])
  {
    page = std::make_unique<AppSettingsPage>(session);
    state.page = page.get();
    if (!OpenWindows(*plug, state, window, error))
    {
      Warn(name, error + "; running without a window");
      state.page = nullptr;
      state.pageIsMainWindow = false;
    }
  }
  RunUntilStopped(state);
  // What the settings page lists is only known while it is open.
  const std::string pageRows = options.stats && state.page ? state.page->RowsText() : std::string();
  CloseWindows(*plug, state, window);
  page.reset();
  session.Stop();

  int status = 0;
  if (!store.SaveState(*plug, error))
    status = Fail(name, "the plug-in's state was not saved: " + error);
  if (!session.SaveSettings(error))
    status = Fail(name, "the settings were not saved: " + error);
  if (options.stats)
  {
    AppAudio& audio = session.Audio();
    const AppAudioLoad last = audio.ReadLoad();
    std::printf("blocks %llu, xruns %llu, DSP load mean %.2f %%, peak %.2f %%\n",
                static_cast<unsigned long long>(audio.Blocks()), static_cast<unsigned long long>(audio.Xruns()),
                audio.MeanLoadOverall() * 100.0, std::max(state.peakLoad, last.peak) * 100.0);
    std::fputs(pageRows.c_str(), stdout);
  }
  return status;
}

} // namespace iplug
