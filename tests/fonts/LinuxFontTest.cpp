// Linux platform fonts: from a file, from bytes, and by family and style through fontconfig; the font
// data each hands to the back end.
#include "FontTestSupport.h"

#include "LinuxFont.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace iplug::igraphics::test {
namespace {

using LinuxFontHelpers::LoadPlatformFont;

const LinuxFontDescriptor& Descriptor(const PlatformFontPtr& font)
{
  return *static_cast<const LinuxFontDescriptor*>(font->GetDescriptor());
}

// A file in the temporary folder, removed again at the end of the test.
class TempFile
{
public:
  explicit TempFile(const std::vector<uint8_t>& bytes)
    : mPath((std::filesystem::temp_directory_path() / ("tidewell-font-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                                        "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name())).string())
  {
    std::FILE* file = std::fopen(mPath.c_str(), "wb");
    if (file)
    {
      if (!bytes.empty())
        std::fwrite(bytes.data(), 1, bytes.size(), file);
      std::fclose(file);
    }
  }
  ~TempFile() { std::remove(mPath.c_str()); }
  const char* Path() const { return mPath.c_str(); }

private:
  std::string mPath;
};

TEST(LinuxFont, DefaultFamilyIsInstalledAndFoundWhereFontconfigFindsIt)
{
  const PlatformFontPtr font = LoadPlatformFont("sans", LinuxFontHelpers::kDefaultFontFamily, kTextStyleNormal);
  ASSERT_TRUE(font);
  EXPECT_TRUE(font->IsSystem());
  const LinuxFontDescriptor& descriptor = Descriptor(font);
  EXPECT_EQ(descriptor.path, FcMatchFile("DejaVu Sans:weight=regular:slant=roman"));
  EXPECT_EQ(descriptor.family, "DejaVu Sans");
  EXPECT_EQ(descriptor.faceIdx, 0);
  EXPECT_DOUBLE_EQ(descriptor.emRatio, 2048.0 / 2384.0);
}

TEST(LinuxFont, BoldAsksForTheBoldFace)
{
  const PlatformFontPtr font = LoadPlatformFont("sans-bold", "DejaVu Sans", kTextStyleBold);
  ASSERT_TRUE(font);
  EXPECT_EQ(Descriptor(font).style, "Bold");
  EXPECT_EQ(Descriptor(font).path, FcMatchFile("DejaVu Sans:style=Bold"));
}

TEST(LinuxFont, FamilyNamesIgnoreLetterCase)
{
  EXPECT_TRUE(LoadPlatformFont("sans", "dejavu sans", kTextStyleNormal));
}

TEST(LinuxFont, AnUnknownFamilyIsNotReplacedByAnotherFont)
{
  EXPECT_FALSE(LoadPlatformFont("x", "No Such Family Tidewell", kTextStyleNormal));
  EXPECT_FALSE(LoadPlatformFont("x", "", kTextStyleNormal));
  EXPECT_FALSE(LoadPlatformFont("x", static_cast<const char*>(nullptr), kTextStyleBold));
}

TEST(LinuxFont, FileFontIsNotASystemFontAndUsesFaceZero)
{
  const std::string path = FcMatchFile("DejaVu Sans:style=Book");
  const PlatformFontPtr font = LoadPlatformFont("file", path.c_str());
  ASSERT_TRUE(font);
  EXPECT_FALSE(font->IsSystem());
  EXPECT_EQ(Descriptor(font).path, path);
  EXPECT_EQ(Descriptor(font).style, "Book");
  const IFontDataPtr data = font->GetFontData();
  ASSERT_TRUE(data);
  EXPECT_TRUE(data->IsValid());
  EXPECT_EQ(data->GetFaceIdx(), 0);
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  ASSERT_EQ(data->GetSize(), static_cast<int>(bytes.size()));
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), data->Get()));
}

TEST(LinuxFont, MissingEmptyAndNonFontFilesGiveNull)
{
  EXPECT_FALSE(LoadPlatformFont("x", "/nonexistent/font.ttf"));
  EXPECT_FALSE(LoadPlatformFont("x", ""));
  EXPECT_FALSE(LoadPlatformFont("x", static_cast<const char*>(nullptr)));
  const TempFile empty({});
  EXPECT_FALSE(LoadPlatformFont("x", empty.Path()));
  const TempFile text(std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o', ' ', 'f', 'o', 'n', 't', 's', '!', '\n'});
  EXPECT_FALSE(LoadPlatformFont("x", text.Path()));
}

TEST(LinuxFont, ACollectionFileServesFaceZero)
{
  FaceLayout regular, bold;
  regular.names = {MicrosoftName(1, u"Pair"), MicrosoftName(2, u"Regular")};
  bold.names = {MicrosoftName(1, u"Pair"), MicrosoftName(2, u"Bold")};
  const TempFile file(BuildCollection({BuildFace(regular), BuildFace(bold)}));
  const PlatformFontPtr font = LoadPlatformFont("pair", file.Path());
  ASSERT_TRUE(font);
  EXPECT_EQ(Descriptor(font).style, "Regular");
}

TEST(LinuxFont, BytesAreCopiedAtLoad)
{
  std::vector<uint8_t> bytes = BuildFace(FaceLayout());
  const PlatformFontPtr font = LoadPlatformFont("mem", bytes.data(), static_cast<int>(bytes.size()));
  ASSERT_TRUE(font);
  const std::vector<uint8_t> original = bytes;
  std::fill(bytes.begin(), bytes.end(), 0);
  const IFontDataPtr data = font->GetFontData();
  ASSERT_TRUE(data && data->IsValid());
  EXPECT_TRUE(std::equal(original.begin(), original.end(), data->Get()));
  EXPECT_FALSE(font->IsSystem());
  EXPECT_TRUE(Descriptor(font).path.empty());
  EXPECT_EQ(Descriptor(font).family, "Test Family");
}

TEST(LinuxFont, EachFontDataIsANewCopy)
{
  const std::vector<uint8_t> bytes = BuildFace(FaceLayout());
  const PlatformFontPtr font = LoadPlatformFont("mem", bytes.data(), static_cast<int>(bytes.size()));
  ASSERT_TRUE(font);
  const IFontDataPtr first = font->GetFontData();
  const IFontDataPtr second = font->GetFontData();
  EXPECT_NE(first->Get(), second->Get());
}

TEST(LinuxFont, BytesThatAreNoFontGiveNull)
{
  const std::vector<uint8_t> garbage(100, 0x5A);
  EXPECT_FALSE(LoadPlatformFont("x", garbage.data(), static_cast<int>(garbage.size())));
  EXPECT_FALSE(LoadPlatformFont("x", static_cast<const void*>(nullptr), 10));
  EXPECT_FALSE(LoadPlatformFont("x", garbage.data(), 0));
}

} // namespace
} // namespace iplug::igraphics::test
