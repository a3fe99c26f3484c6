// Tidewell's Debian package as CI builds it: CPack makes tidewell_<version>_amd64.deb holding exactly the LV2 bundle,
// the copyright file and the release history (and the standalone program with its desktop entry and icon where
// the framework has that format), with the dependencies dpkg-shlibdeps found; lintian reports no error; and
// installed by dpkg into a scratch root it gives a bundle where lilv finds Tidewell.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "MakerProject.h"
#include "support/TextFile.h"

namespace
{
  // The version the build read from Tidewell's configuration.
  std::string ConfiguredVersion()
  {
    std::smatch match;
    const std::string identity = ReadText(TIDEWELL_IDENTITY_FILE);
    return std::regex_search(identity, match, std::regex("set\\(IPLUG_VERSION \"([0-9.]+)\"\\)")) ? match[1].str() : "";
  }

  // The files (not folders) the package holds, as absolute paths.
  std::set<std::string> PackagedFiles(const std::string& contents)
  {
    std::set<std::string> files;
    std::istringstream lines(contents);
    std::string line;
    while (std::getline(lines, line))
    {
      if (line.empty() || line[0] == 'd')
        continue;
      // A link is listed as "./path -> target".
      const size_t path = line.find("./");
      const size_t arrow = line.find(" -> ", path);
      files.insert(line.substr(path + 1, arrow == std::string::npos ? std::string::npos : arrow - path - 1));
    }
    return files;
  }

  // What the package must hold: every file of the built bundle, the copyright file and the release history.
  std::set<std::string> ExpectedFiles()
  {
    std::set<std::string> files{"/usr/share/doc/tidewell/copyright", "/usr/share/doc/tidewell/changelog.gz"};
    for (const auto& entry : std::filesystem::recursive_directory_iterator(TIDEWELL_LV2_BUNDLE_PATH))
    {
      if (entry.is_regular_file())
        files.insert("/usr/lib/lv2/Tidewell.lv2/" + std::filesystem::relative(entry.path(), TIDEWELL_LV2_BUNDLE_PATH).string());
    }
    if (TIDEWELL_HAS_APP)
    {
      files.insert({"/usr/bin/Tidewell", "/usr/share/applications/Tidewell.desktop",
                    "/usr/share/icons/hicolor/256x256/apps/Tidewell.png"});
      // The program's bundle, which the command in /usr/bin links to.
      for (const auto& entry : std::filesystem::recursive_directory_iterator(TIDEWELL_APP_BUNDLE_PATH))
      {
        if (entry.is_regular_file())
          files.insert("/usr/lib/Tidewell/Tidewell.app/" +
                       std::filesystem::relative(entry.path(), TIDEWELL_APP_BUNDLE_PATH).string());
      }
    }
    return files;
  }
}

TEST(DebPackage, HoldsTheBundleAndCopyrightPassesLintianAndInstallsWhereLilvFindsIt)
{
  const std::string folder = FreshMakerFolder("package");
  const ToolRun packed = RunTool({TIDEWELL_CPACK, "--config", std::string(TIDEWELL_BUILD_DIR) + "/CPackConfig.cmake", "-B",
                                  folder}, {}, folder);
  ASSERT_EQ(packed.exitCode, 0) << packed.out << packed.err;
  const std::string version = ConfiguredVersion();
  ASSERT_FALSE(version.empty());
  const std::string deb = folder + "/tidewell_" + version + "_amd64.deb";
  ASSERT_TRUE(std::filesystem::exists(deb)) << packed.out;

  const ToolRun contents = RunTool({"dpkg-deb", "--contents", deb}, {}, folder);
  ASSERT_EQ(contents.exitCode, 0) << contents.err;
  EXPECT_EQ(PackagedFiles(contents.out), ExpectedFiles()) << contents.out;
  const ToolRun fields = RunTool({"dpkg-deb", "--field", deb, "Package", "Version", "Architecture", "Depends"}, {}, folder);
  EXPECT_NE(fields.out.find("Package: tidewell\n"), std::string::npos) << fields.out;
  EXPECT_NE(fields.out.find("Version: " + version + "\n"), std::string::npos) << fields.out;
  EXPECT_NE(fields.out.find("Architecture: amd64\n"), std::string::npos) << fields.out;
  // The editor's libraries, found by dpkg-shlibdeps in the binaries.
  for (const char* library : {"libc6", "libstdc++6", "libx11-6", "libfontconfig1", "libpugixml1v5"})
    EXPECT_NE(fields.out.find(library), std::string::npos) << library << " missing from " << fields.out;

  const ToolRun linted = RunTool({"lintian", deb}, {}, folder);
  EXPECT_EQ(linted.exitCode, 0) << linted.out << linted.err;
  EXPECT_EQ(linted.out.find("E: "), std::string::npos) << linted.out;

  const std::string root = folder + "/root";
  std::filesystem::create_directories(root + "/var/lib/dpkg/info");
  std::filesystem::create_directories(root + "/var/lib/dpkg/updates");
  std::ofstream(root + "/var/lib/dpkg/status").close();
  const ToolRun installed = RunTool({"dpkg", "--root=" + root, "--force-not-root", "--force-depends", "--install", deb}, {},
                                    folder);
  ASSERT_EQ(installed.exitCode, 0) << installed.out << installed.err;
  const ToolRun listed = RunTool({"lv2ls"}, {"LV2_PATH=" + root + "/usr/lib/lv2"}, folder);
  EXPECT_EQ(listed.exitCode, 0) << listed.err;
  EXPECT_NE(listed.out.find("https://kelvane.com/plugins/Tidewell/stereo"), std::string::npos) << listed.out;
  EXPECT_NE(listed.out.find("https://kelvane.com/plugins/Tidewell/mono"), std::string::npos) << listed.out;
  if (TIDEWELL_HAS_APP)
  {
    // The command leads to the program inside its bundle, whose resources are beside it.
    const std::filesystem::path program = std::filesystem::canonical(root + "/usr/bin/Tidewell");
    EXPECT_EQ(program, std::filesystem::canonical(root + "/usr/lib/Tidewell/Tidewell.app/Contents/MacOS/Tidewell"));
    EXPECT_TRUE(std::filesystem::exists(program.parent_path().parent_path() / "Resources"));
  }
}
