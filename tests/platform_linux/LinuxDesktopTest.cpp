#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "FakeProcessRunner.h"
#include "LinuxDesktop.h"

using namespace iplug::igraphics;

TEST(LinuxScreenScale, XftDpiOf96IsOne)
{
  EXPECT_FLOAT_EQ(LinuxDesktop::ScreenScaleFromResources("Xft.dpi:\t96\n"), 1.f);
  EXPECT_FLOAT_EQ(LinuxDesktop::ScreenScaleFromResources("Xft.antialias:\t1\nXft.dpi:\t192\nXft.hinting:\t1\n"), 2.f);
  EXPECT_FLOAT_EQ(LinuxDesktop::ScreenScaleFromResources("Xft.dpi: 144"), 1.5f) << "last line without newline";
  EXPECT_FLOAT_EQ(LinuxDesktop::ScreenScaleFromResources("  Xft.dpi  :  120.0 \r\n"), 1.25f);
}

TEST(LinuxScreenScale, LastXftDpiWins)
{
  EXPECT_FLOAT_EQ(LinuxDesktop::ScreenScaleFromResources("Xft.dpi:\t96\nXft.dpi:\t192\n"), 2.f);
}

TEST(LinuxScreenScale, AbsentOrBadDpiIsOne)
{
  for (const char* resources : {"", "Xcursor.size:\t24\n", "Xft.dpi:\t\n", "Xft.dpi:\tlarge\n", "Xft.dpi:\t96dpi\n",
                                "Xft.dpi:\t0\n", "Xft.dpi:\t-96\n", "Xft.dpi:\tnan\n", "Xft.dpi:\tinf\n",
                                "Xft.dpi\t192\n", "*dpi:\t192\n", "Xft.dpix:\t192\n"})
    EXPECT_FLOAT_EQ(LinuxDesktop::ScreenScaleFromResources(resources), 1.f) << resources;
  EXPECT_FLOAT_EQ(LinuxDesktop::ScreenScaleFromResources(nullptr), 1.f);
}

TEST(LinuxScreenScale, BadLineDoesNotHideAnEarlierGoodOne)
{
  EXPECT_FLOAT_EQ(LinuxDesktop::ScreenScaleFromResources("Xft.dpi:\t192\nXft.dpi:\tbroken\n"), 2.f);
}

TEST(LinuxScreenScale, ExtremeDpiIsClamped)
{
  EXPECT_FLOAT_EQ(LinuxDesktop::ScreenScaleFromResources("Xft.dpi:\t48\n"), LinuxDesktop::kMinScreenScale);
  EXPECT_FLOAT_EQ(LinuxDesktop::ScreenScaleFromResources("Xft.dpi:\t96000\n"), LinuxDesktop::kMaxScreenScale);
  EXPECT_FLOAT_EQ(LinuxDesktop::ScreenScaleFromResources("Xft.dpi:\t1e300\n"), LinuxDesktop::kMaxScreenScale);
}

TEST(LinuxAppearance, DarkGtkThemeVariantsAreDark)
{
  for (const char* theme : {"Adwaita:dark", "Adwaita-dark", "Yaru-dark", "Breeze-Dark", "Adwaita:dark "})
    EXPECT_EQ(LinuxDesktop::AppearanceFromSettings(theme, nullptr), kAppearanceDark) << theme;
}

TEST(LinuxAppearance, OtherThemesAreLight)
{
  for (const char* theme : {"", "Adwaita", "Adwaita:light", "darkness", "Dark-Theme", "dark", ":dar"})
    EXPECT_EQ(LinuxDesktop::AppearanceFromSettings(theme, nullptr), kAppearanceLight) << theme;
  EXPECT_EQ(LinuxDesktop::AppearanceFromSettings(nullptr, nullptr), kAppearanceLight);
}

TEST(LinuxAppearance, PreferDarkColourSchemeIsDark)
{
  EXPECT_EQ(LinuxDesktop::AppearanceFromSettings(nullptr, "prefer-dark"), kAppearanceDark);
  EXPECT_EQ(LinuxDesktop::AppearanceFromSettings("Adwaita", "'prefer-dark'\n"), kAppearanceDark)
    << "as gsettings prints it";
  for (const char* scheme : {"default", "'prefer-light'", "'default'\n", "", "prefer-darker"})
    EXPECT_EQ(LinuxDesktop::AppearanceFromSettings("Adwaita", scheme), kAppearanceLight) << scheme;
}

TEST(LinuxAppearance, QueryAsksGsettingsForTheColourScheme)
{
  const char* saved = std::getenv("GTK_THEME");
  const std::string savedTheme = saved ? saved : "";
  unsetenv("GTK_THEME");

  FakeProcessRunner runner;
  runner.Answer(0, "'prefer-dark'\n");
  EXPECT_EQ(LinuxDesktop::Appearance(runner), kAppearanceDark);
  const std::vector<std::string> query = {"gsettings", "get", "org.gnome.desktop.interface", "color-scheme"};
  EXPECT_EQ(runner.Last(), query);

  runner.Answer(1, "'prefer-dark'\n");
  EXPECT_EQ(LinuxDesktop::Appearance(runner), kAppearanceLight) << "a failed gsettings says nothing";
  runner.Missing();
  EXPECT_EQ(LinuxDesktop::Appearance(runner), kAppearanceLight);

  setenv("GTK_THEME", "Adwaita:dark", 1);
  FakeProcessRunner unused;
  EXPECT_EQ(LinuxDesktop::Appearance(unused), kAppearanceDark);
  EXPECT_TRUE(unused.runs.empty()) << "the theme already decided";

  if (saved)
    setenv("GTK_THEME", savedTheme.c_str(), 1);
  else
    unsetenv("GTK_THEME");
}

TEST(LinuxOSVersion, KernelReleaseIsMajorMinorPatchInBytes)
{
  EXPECT_EQ(LinuxDesktop::OSVersionFromRelease("6.1.0-18-amd64"), 0x060100);
  EXPECT_EQ(LinuxDesktop::OSVersionFromRelease("5.15.133.1-microsoft-standard-WSL2"), 0x050F85);
  EXPECT_EQ(LinuxDesktop::OSVersionFromRelease("6.8"), 0x060800);
  EXPECT_EQ(LinuxDesktop::OSVersionFromRelease("4"), 0x040000);
  EXPECT_EQ(LinuxDesktop::OSVersionFromRelease("6.10.0-rc3"), 0x060A00);
  EXPECT_GT(LinuxDesktop::OSVersionFromRelease("6.10.0"), LinuxDesktop::OSVersionFromRelease("6.9.12"));
}

TEST(LinuxOSVersion, OutOfRangePartsAreClamped)
{
  EXPECT_EQ(LinuxDesktop::OSVersionFromRelease("3.300.999"), 0x03FFFF);
  EXPECT_EQ(LinuxDesktop::OSVersionFromRelease("99999999999999999999.1.2"), 0x7FFF0102);
}

TEST(LinuxOSVersion, BadReleaseIsZero)
{
  for (const char* release : {"", "linux", "-6.1", ".6.1", " 6.1"})
    EXPECT_EQ(LinuxDesktop::OSVersionFromRelease(release), 0) << release;
  EXPECT_EQ(LinuxDesktop::OSVersionFromRelease(nullptr), 0);
  EXPECT_EQ(LinuxDesktop::OSVersionFromRelease("6..1"), 0x060000);
}

TEST(LinuxOSVersion, RunningSystemHasAVersion)
{
  EXPECT_GE(LinuxDesktop::UserOSVersion(), 0x020000) << "any kernel that runs this is 2.x or later";
  EXPECT_EQ(LinuxDesktop::UserOSVersion(), LinuxDesktop::UserOSVersion());
}
