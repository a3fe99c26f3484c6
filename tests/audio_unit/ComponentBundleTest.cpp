// The plug-in binary is a real component bundle that a host finds through the component services, and
// it makes visible nothing but its entry points.

#include "AUHostSupport.h"

#include <gtest/gtest.h>

#include <elf.h>
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

// The defined, visible names of an ELF shared object's dynamic symbol table.
std::set<std::string> ExportedNames(const std::filesystem::path& path)
{
  std::ifstream file(path, std::ios::binary);
  const std::vector<char> image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::set<std::string> names;
  if (image.size() < sizeof(Elf64_Ehdr))
    return names;
  const auto* header = reinterpret_cast<const Elf64_Ehdr*>(image.data());
  const auto* sections = reinterpret_cast<const Elf64_Shdr*>(image.data() + header->e_shoff);
  for (int i = 0; i < header->e_shnum; ++i)
  {
    if (sections[i].sh_type != SHT_DYNSYM)
      continue;
    const char* strings = image.data() + sections[sections[i].sh_link].sh_offset;
    const auto* symbols = reinterpret_cast<const Elf64_Sym*>(image.data() + sections[i].sh_offset);
    for (std::size_t s = 1; s < sections[i].sh_size / sizeof(Elf64_Sym); ++s)
    {
      const bool defined = symbols[s].st_shndx != SHN_UNDEF;
      const bool visible = ELF64_ST_BIND(symbols[s].st_info) != STB_LOCAL;
      if (defined && visible)
        names.insert(strings + symbols[s].st_name);
    }
  }
  return names;
}

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
