// A new plug-in as a maker makes one: tools/new-plugin writes a project with fresh codes, which is built on its own
// against the framework installed from this tree (a separate CMake project calling find_package and
// iplug_add_plugin), and the result is checked by our host's validator and by Debian's LV2 tools.

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "MakerProject.h"
#include "app/AppProcess.h"
#include "app/JackServer.h"
#include "host/HostProgram.h"
#include "support/TextFile.h"

namespace
{
  constexpr int kRate = 48000;

  // The project new-plugin made, as built.
  struct BuiltProject
  {
    std::string build;   // its build folder
    std::string subtype; // the plug-in code it was made with
    std::string maker;   // the manufacturer code it was made with
  };

  // The component declares the fresh codes and passes every check of our validator.
  void CheckComponent(const BuiltProject& project, const ScratchFolder& scratch)
  {
    const std::string plist = ReadText(project.build + "/MakerGain.component/Contents/Info.plist");
    EXPECT_NE(plist.find("<string>" + project.subtype + "</string>"), std::string::npos) << plist;
    EXPECT_NE(plist.find("<string>" + project.maker + "</string>"), std::string::npos) << plist;
    EXPECT_NE(plist.find("<string>Maker Tests: MakerGain</string>"), std::string::npos) << plist;
    const ToolRun validated = RunTool({TIDEWELL_HOST_PATH, "--component", project.build + "/MakerGain.component", "validate"},
                                      {}, scratch.Path(""));
    EXPECT_EQ(validated.exitCode, 0) << validated.out << validated.err;
    EXPECT_NE(validated.out.find("identity (aufx " + project.subtype + " " + project.maker + ")"), std::string::npos)
      << validated.out;
    EXPECT_NE(validated.out.find(", 0 failed"), std::string::npos) << validated.out;
  }

  // The LV2 bundle passes lv2_validate, and lv2apply renders through it with its gain applied.
  void CheckLV2Bundle(const BuiltProject& project, const ScratchFolder& scratch)
  {
    const std::string bundle = project.build + "/MakerGain.lv2";
    std::vector<std::string> validate{"lv2_validate"};
    for (const auto& entry : std::filesystem::directory_iterator(bundle))
    {
      if (entry.path().extension() == ".ttl")
        validate.push_back(entry.path().string());
    }
    const ToolRun validated = RunTool(validate, {}, scratch.Path(""));
    EXPECT_EQ(validated.exitCode, 0) << validated.out << validated.err;
    EXPECT_NE((validated.out + validated.err).find("Found 0 errors"), std::string::npos) << validated.out << validated.err;

    const std::string lv2Path = scratch.Path("lv2");
    std::filesystem::create_directories(lv2Path);
    std::filesystem::create_directory_symlink(bundle, lv2Path + "/MakerGain.lv2");
    const Audio input = MakeSignal(2, kRate, 1.0);
    WriteAudio(scratch.Path("in.wav"), input);
    const ToolRun applied = RunTool({"lv2apply", "-i", scratch.Path("in.wav"), "-o", scratch.Path("out.wav"), "-c", "gain",
                                     "-12", "https://maker.example.org/lv2/MakerGain/stereo"},
                                    PluginHostEnvironment(lv2Path), scratch.Path(""));
    ASSERT_EQ(applied.exitCode, 0) << applied.err;
    const Audio output = ReadAudio(scratch.Path("out.wav"));
    ASSERT_EQ(output.samples.size(), input.samples.size());
    const double gain = std::pow(10., -12. / 20.);
    double worst = 0.;
    for (size_t i = 0; i < input.samples.size(); ++i)
      worst = std::max(worst, std::fabs(output.samples[i] - input.samples[i] * gain));
    EXPECT_LT(worst, 1e-6);
  }
}

namespace
{
  // The standalone program starts headless on a JACK server of the test's own, opens its ports, and ends
  // cleanly on SIGTERM, keeping its state.
  void CheckProgram(const BuiltProject& project, const ScratchFolder& scratch)
  {
    const JackServer server;
    ASSERT_TRUE(server.Running()) << "jackd did not start";
    const std::string program = project.build + "/MakerGain.app/Contents/MacOS/MakerGain";
    AppProcess app(program, {"--no-gui", "--driver", "jack"},
                   {{"JACK_DEFAULT_SERVER", server.Name()}, {"XDG_CONFIG_HOME", scratch.Path("config")}, {"DISPLAY", ""}},
                   scratch.Path("app.out"), scratch.Path("app.err"));
    EXPECT_TRUE(WaitForJackPort(server.Name(), "MakerGain:outport 1", 10.0)) << app.Err();
    app.Signal(SIGTERM);
    EXPECT_EQ(app.Wait(10.0), 0) << app.Err();
    EXPECT_TRUE(std::filesystem::exists(scratch.Path("config/MakerGain/state"))) << app.Err();
  }
}

TEST(NewPlugin, BuildsAgainstTheInstalledFrameworkAndPassesOurValidatorAndTheLV2Tools)
{
  const std::string prefix = FreshMakerFolder("prefix");
  InstallComponents(prefix, {"Tidewell_framework"});
  const std::string projects = FreshMakerFolder("projects");
  BuiltProject project;
  project.subtype = FreshCode();
  project.maker = "M" + FreshCode().substr(0, 3);
  const ToolRun made = RunNewPlugin({"MakerGain", "--manufacturer", "Maker Tests", "--mfr-code", project.maker,
                                     "--subtype", project.subtype, "--uri-base", "https://maker.example.org/lv2/",
                                     "--dir", projects},
                                    projects);
  ASSERT_EQ(made.exitCode, 0) << made.err;
  const std::string source = projects + "/MakerGain";
  project.build = source + "/build";
  const ToolRun configured = RunTool({TIDEWELL_CMAKE, "-S", source, "-B", project.build, "-G", TIDEWELL_CMAKE_GENERATOR,
                                      "-DCMAKE_BUILD_TYPE=Release", "-DCMAKE_PREFIX_PATH=" + prefix},
                                     {}, projects);
  ASSERT_EQ(configured.exitCode, 0) << configured.out << configured.err;
  const ToolRun built = RunTool({TIDEWELL_CMAKE, "--build", project.build}, {}, projects);
  ASSERT_EQ(built.exitCode, 0) << built.out << built.err;

  const ScratchFolder scratch;
  CheckComponent(project, scratch);
  CheckLV2Bundle(project, scratch);
  if (TIDEWELL_HAS_APP)
    CheckProgram(project, scratch);
}
