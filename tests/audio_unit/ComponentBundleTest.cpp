// The plug-in binary is a real component bundle that a host finds through the component services, and
// it makes visible nothing but its entry points.

#include "AUHostSupport.h"
#include "support/ElfExports.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

using namespace au_test;

namespace
{
const std::filesystem::path kBundle = TIDEWELL_BUNDLE_PATH;


CFBundleRef OpenBundle()
{
  CFOwned<CFURLRef> url(CFURLCreateFromFileSystemRepresentation(nullptr, reinterpret_cast<const UInt8*>(kBundle.c_str()),
                                                                static_cast<CFIndex>(kBundle.string().size()), true));
  return CFBundleCreate(nullptr, url);
}
} // namespace

TEST(ComponentBundle, LaysOutInfoPlistExecutableAndResources)
{
  EXPECT_TRUE(std::filesystem::is_regular_file(kBundle / "Contents/Info.plist"));
  EXPECT_TRUE(std::filesystem::is_regular_file(kBundle / "Contents/MacOS/Tidewell"));
  EXPECT_TRUE(std::filesystem::is_directory(kBundle / "Contents/Resources"));

  CFOwned<CFBundleRef> bundle(OpenBundle());
  ASSERT_NE(bundle.get(), nullptr);
  EXPECT_EQ(Utf8(CFBundleGetIdentifier(bundle)), "com.kelvane.audiounit.Tidewell");
  EXPECT_EQ(Utf8(CFBundleGetValueForInfoDictionaryKey(bundle, kCFBundleVersionKey)), "1.1.2");
  EXPECT_EQ(Utf8(CFBundleGetValueForInfoDictionaryKey(bundle, kCFBundleExecutableKey)), "Tidewell");
}

TEST(ComponentBundle, RegistersTheEffectUnderItsIdentity)
{
  AudioComponent component = FindComponent(kTidewell);
  ASSERT_NE(component, nullptr);
  CFStringRef name = nullptr;
  ASSERT_EQ(AudioComponentCopyName(component, &name), noErr);
  CFOwned<CFStringRef> ownedName(name);
  EXPECT_EQ(Utf8(name), "Kelvane: Tidewell");
  UInt32 version = 0;
  ASSERT_EQ(AudioComponentGetVersion(component, &version), noErr);
  EXPECT_EQ(version, 0x00010102u);
  AudioComponentDescription description = {};
  ASSERT_EQ(AudioComponentGetDescription(component, &description), noErr);
  EXPECT_EQ(description.componentType, FourCC("aufx"));
  EXPECT_EQ(description.componentSubType, FourCC("xhm2"));
  EXPECT_EQ(description.componentManufacturer, FourCC("Klvn"));
}

TEST(ComponentBundle, ExportsOnlyTheEntryPoints)
{
  const std::set<std::string> expected = {"Tidewell_Factory", "Tidewell_Entry", "Tidewell_View"};
  EXPECT_EQ(ExportedNames(kBundle / "Contents/MacOS/Tidewell"), expected);
}
