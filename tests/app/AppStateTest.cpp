// What the standalone program keeps between runs, in the configuration folder the test gives it: the values
// come back after SIGTERM, and a damaged file is reported in one line, set aside and replaced by the defaults.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "AppSettings.h"
#include "AppStateFile.h"
#include "app/AppProcess.h"
#include "app/JackServer.h"
#include "host/HostProgram.h"

namespace
{
  class AppState : public ::testing::Test
  {
  protected:
    std::string Folder() const { return scratch.Path("config") + "/Tidewell"; }

    // Runs Tidewell headless until its ports exist, then ends it with SIGTERM; its exit status.
    int RunOnce(const std::vector<std::string>& extra, std::vector<std::string>& errLines)
    {
      std::vector<std::string> arguments{"--no-gui", "--driver", "jack"};
      arguments.insert(arguments.end(), extra.begin(), extra.end());
      AppProcess app(TIDEWELL_APP_PATH, arguments,
                     {{"JACK_DEFAULT_SERVER", server.Name()}, {"XDG_CONFIG_HOME", scratch.Path("config")}, {"DISPLAY", ""}},
                     scratch.Path("app.out"), scratch.Path("app.err"));
      EXPECT_TRUE(WaitForJackPort(server.Name(), "Tidewell:outport 0", 20.0)) << app.Err();
      app.Signal(SIGTERM);
      const int status = app.Wait(20.0);
      errLines = app.ErrLines();
      return status;
    }

    // The five parameter values in the saved state file.
    std::vector<double> SavedValues()
    {
      const std::vector<char> bytes = FileBytes(Folder() + "/state");
      std::vector<uint8_t> state;
      std::string reason;
      EXPECT_TRUE(iplug::UnwrapAppState(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                                        0x78686d32 /* 'xhm2' */, state, reason)) << reason;
      std::vector<double> values(state.size() / sizeof(double));
      std::memcpy(values.data(), state.data(), values.size() * sizeof(double));
      return values;
    }

    static void WriteText(const std::string& path, const std::string& text)
    {
      std::filesystem::create_directories(std::filesystem::path(path).parent_path());
      std::ofstream(path, std::ios::binary) << text;
    }

    JackServer server;
    ScratchFolder scratch;
  };

  const std::vector<double> kDefaults{1.0, 0.5, 0.5, 0.5, 1.0};
}

TEST_F(AppState, ParametersComeBackAfterSigterm)
{
  ASSERT_TRUE(server.Running());
  std::vector<std::string> err;
  ASSERT_EQ(RunOnce({"--set", "Duck=Bypassed", "--set", "Depth=0.25", "--set", "Period=0.75"}, err), 0);
  EXPECT_TRUE(err.empty()) << err.front();
  EXPECT_EQ(SavedValues(), (std::vector<double>{0.0, 0.75, 0.5, 0.5, 0.25}));

  // A second run without settings restores them, so it saves them again unchanged.
  ASSERT_EQ(RunOnce({}, err), 0);
  EXPECT_EQ(SavedValues(), (std::vector<double>{0.0, 0.75, 0.5, 0.5, 0.25}));
  iplug::AppSettings settings;
  std::string reason;
  const std::vector<char> text = FileBytes(Folder() + "/settings");
  ASSERT_TRUE(iplug::ParseAppSettings(std::string_view(text.data(), text.size()), settings, reason)) << reason;
  EXPECT_EQ(settings.driver, "jack");
  EXPECT_EQ(settings.output, "system");
  EXPECT_EQ(settings.rate, 48000u);
  EXPECT_EQ(settings.buffer, 256u);
}

TEST_F(AppState, TruncatedStateIsReportedSetAsideAndReplacedByDefaults)
{
  ASSERT_TRUE(server.Running());
  std::vector<std::string> err;
  ASSERT_EQ(RunOnce({"--set", "Depth=0.25"}, err), 0);
  std::vector<char> bytes = FileBytes(Folder() + "/state");
  bytes.resize(bytes.size() - 5);
  WriteText(Folder() + "/state", std::string(bytes.begin(), bytes.end()));

  ASSERT_EQ(RunOnce({}, err), 0);
  ASSERT_EQ(err.size(), 1u);
  EXPECT_NE(err[0].find("state file"), std::string::npos) << err[0];
  EXPECT_NE(err[0].find("damaged"), std::string::npos) << err[0];
  EXPECT_EQ(FileBytes(Folder() + "/state.damaged"), bytes);
  EXPECT_EQ(SavedValues(), kDefaults);

  // A second damaged file does not replace the first one set aside.
  WriteText(Folder() + "/state", "TWAS");
  ASSERT_EQ(RunOnce({}, err), 0);
  EXPECT_EQ(FileBytes(Folder() + "/state.damaged"), bytes);
  EXPECT_EQ(FileBytes(Folder() + "/state.damaged-2"), std::vector<char>({'T', 'W', 'A', 'S'}));
}

TEST_F(AppState, TruncatedSettingsAreReportedSetAsideAndReplacedByDefaults)
{
  ASSERT_TRUE(server.Running());
  const std::string cut = "format=1\ndriver=pulse\ninput=sys";
  WriteText(Folder() + "/settings", cut);
  std::vector<std::string> err;
  ASSERT_EQ(RunOnce({}, err), 0);
  ASSERT_EQ(err.size(), 1u);
  EXPECT_NE(err[0].find("settings file"), std::string::npos) << err[0];
  const std::vector<char> aside = FileBytes(Folder() + "/settings.damaged");
  EXPECT_EQ(std::string(aside.begin(), aside.end()), cut);
  iplug::AppSettings settings;
  std::string reason;
  const std::vector<char> text = FileBytes(Folder() + "/settings");
  ASSERT_TRUE(iplug::ParseAppSettings(std::string_view(text.data(), text.size()), settings, reason)) << reason;
  EXPECT_EQ(settings.driver, "jack");
}

TEST_F(AppState, CommandLineErrorsAreOneLine)
{
  ASSERT_TRUE(server.Running());
  const std::vector<std::pair<std::string, std::string>> environment{
    {"JACK_DEFAULT_SERVER", server.Name()}, {"XDG_CONFIG_HOME", scratch.Path("config")}, {"DISPLAY", ""}};
  const std::vector<std::vector<std::string>> bad{{"--driver", "jack", "--input", "nowhere"},
                                                  {"--driver", "jack", "--output", "nowhere"},
                                                  {"--driver", "jack", "--rate", "44100"},
                                                  {"--driver", "dante"},
                                                  {"--set", "Loudness=3"},
                                                  {"--set", "Depth=7"},
                                                  {"--buffer", "none"},
                                                  {"--frobnicate"}};
  for (std::vector<std::string> arguments : bad)
  {
    arguments.push_back("--no-gui");
    std::string out, err;
    EXPECT_NE(RunAppToEnd(TIDEWELL_APP_PATH, arguments, environment, scratch.Path(""), out, err), 0) << arguments[1];
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(err.rfind("Tidewell: ", 0), 0u) << err;
  }
  std::string out, err;
  EXPECT_EQ(RunAppToEnd(TIDEWELL_APP_PATH, {"--help"}, environment, scratch.Path(""), out, err), 0);
  for (const char* flag : {"--list-devices", "--driver", "--input", "--output", "--rate", "--buffer", "--set",
                           "--state", "--no-gui", "--connect"})
    EXPECT_NE(out.find(flag), std::string::npos) << flag;
  EXPECT_EQ(RunAppToEnd(TIDEWELL_APP_PATH, {"--list-devices"}, environment, scratch.Path(""), out, err), 0);
  EXPECT_NE(out.find("audio driver jack:\n  0: system (2 in, 2 out; 48000 Hz)"), std::string::npos) << out;
}
