// The standalone program's files read back only when whole: the settings text, the state file's header, and the
// atomic replacement and setting aside of files.

#include <gtest/gtest.h>

#include <fstream>

#include "AppFiles.h"
#include "AppSettings.h"
#include "AppStateFile.h"
#include "host/HostProgram.h"

using namespace iplug;

TEST(AppSettingsText, RoundTripsAndRefusesAnyCutOrChange)
{
  const AppSettings settings{"alsa", "hw:1", "hw:2", 44100, 128, "Keys", "Synth"};
  const std::string text = FormatAppSettings(settings);
  AppSettings read;
  std::string reason;
  ASSERT_TRUE(ParseAppSettings(text, read, reason)) << reason;
  EXPECT_EQ(read, settings);
  // Every shorter prefix is a file cut short.
  for (size_t n = 0; n < text.size(); ++n)
  {
    AppSettings untouched = settings;
    EXPECT_FALSE(ParseAppSettings(std::string_view(text).substr(0, n), untouched, reason)) << n;
    EXPECT_EQ(untouched, settings);
  }
  for (const char* bad : {"format=2\nend\n", "format=1\ndriver=dante\nend\n", "format=1\nrate=fast\nend\n",
                          "format=1\nvolume=11\nend\n", "format=1\nend\nrate=1\n", "format=1\nrate\nend\n"})
    EXPECT_FALSE(ParseAppSettings(bad, read, reason)) << bad;
  ASSERT_TRUE(ParseAppSettings("format=1\nend\n", read, reason));
  EXPECT_EQ(read, AppSettings());
}

TEST(AppStateFileHeader, NamesThePlugInAndTheLength)
{
  const std::vector<uint8_t> state{1, 2, 3, 4, 5, 6, 7, 8};
  const std::vector<uint8_t> file = WrapAppState(0x11223344, state);
  ASSERT_EQ(file.size(), 16u + state.size());
  std::vector<uint8_t> read;
  std::string reason;
  ASSERT_TRUE(UnwrapAppState(file.data(), file.size(), 0x11223344, read, reason)) << reason;
  EXPECT_EQ(read, state);
  EXPECT_FALSE(UnwrapAppState(file.data(), file.size(), 0x11223345, read, reason));
  EXPECT_NE(reason.find("another plug-in"), std::string::npos);
  for (size_t n = 0; n < file.size(); ++n)
    EXPECT_FALSE(UnwrapAppState(file.data(), n, 0x11223344, read, reason)) << n;
  std::vector<uint8_t> longer = file;
  longer.push_back(0);
  EXPECT_FALSE(UnwrapAppState(longer.data(), longer.size(), 0x11223344, read, reason));
  EXPECT_FALSE(UnwrapAppState(nullptr, 0, 0x11223344, read, reason));
}

TEST(AppFileReplacement, IsAtomicAndSetsAsideWithoutReplacing)
{
  ScratchFolder scratch;
  const std::string path = scratch.Path("deep/folder/settings");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(path, {'o', 'n', 'e'}, error)) << error;
  ASSERT_TRUE(WriteFileAtomically(path, {'t', 'w', 'o'}, error)) << error;
  std::vector<uint8_t> bytes;
  ASSERT_EQ(ReadWholeFile(path, bytes, error), EFileRead::kRead);
  EXPECT_EQ(bytes, (std::vector<uint8_t>{'t', 'w', 'o'}));
  // Nothing but the file itself is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.Path("deep/folder")), {}), 1);

  EXPECT_EQ(KeepFileAside(path), path + ".damaged");
  EXPECT_EQ(ReadWholeFile(path, bytes, error), EFileRead::kMissing);
  ASSERT_TRUE(WriteFileAtomically(path, {'3'}, error));
  EXPECT_EQ(KeepFileAside(path), path + ".damaged-2");
  ASSERT_EQ(ReadWholeFile(path + ".damaged", bytes, error), EFileRead::kRead);
  EXPECT_EQ(bytes, (std::vector<uint8_t>{'t', 'w', 'o'}));

  // A folder that cannot be made leaves an error, not a file.
  EXPECT_FALSE(WriteFileAtomically(path + ".damaged/inside", {'x'}, error));
  EXPECT_FALSE(error.empty());
}

TEST(AppConfigFolder, FollowsXdgConfigHome)
{
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  const std::string restore = saved ? saved : "";
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("XDG_CONFIG_HOME", "/tmp/somewhere", 1);
  EXPECT_EQ(AppConfigFolder("Tidewell"), "/tmp/somewhere/Tidewell");
  setenv("XDG_CONFIG_HOME", "relative", 1);
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(AppConfigFolder("Tidewell"), "/home/someone/.config/Tidewell");
  setenv("HOME", home.c_str(), 1);
  if (saved)
    setenv("XDG_CONFIG_HOME", restore.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
}
