// The font reader on the installed DejaVu files (names checked against fontconfig's own reader) and on
// synthetic faces, collections, truncated and corrupt bytes.
#include "FontTestSupport.h"

#include "IFontData.h"

#include <gtest/gtest.h>

namespace iplug::igraphics::test {
namespace {

class IFontInfoDejaVu : public ::testing::Test
{
protected:
  void SetUp() override
  {
    mRegularPath = FcMatchFile("DejaVu Sans:style=Book");
    mBoldPath = FcMatchFile("DejaVu Sans:style=Bold");
    mRegular = ReadFileBytes(mRegularPath);
    mBold = ReadFileBytes(mBoldPath);
    ASSERT_FALSE(mRegular.empty()) << "DejaVu Sans is not installed (scripts/setup installs fonts-dejavu-core)";
    ASSERT_FALSE(mBold.empty());
  }

  // fontconfig's reading of one property of the file's first face.
  static std::string Query(const std::string& path, const char* format)
  {
    return CommandOutput("fc-query -i 0 -f '" + std::string(format) + "' '" + path + "'");
  }

  std::string mRegularPath, mBoldPath;
  std::vector<uint8_t> mRegular, mBold;
};

TEST_F(IFontInfoDejaVu, NamesMatchWhatFontconfigReads)
{
  for (const auto& [path, bytes] : {std::pair{mRegularPath, mRegular}, std::pair{mBoldPath, mBold}})
  {
    const IFontInfo info(bytes.data(), static_cast<int>(bytes.size()), 0);
    ASSERT_TRUE(info.IsValid()) << path;
    EXPECT_STREQ(info.GetFamily().Get(), Query(path, "%{family[0]}").c_str());
    EXPECT_STREQ(info.GetStyle().Get(), Query(path, "%{style[0]}").c_str());
  }
}

TEST_F(IFontInfoDejaVu, MetricsAreTheFontsPublishedOnes)
{
  // DejaVu Sans is drawn on a 2048-unit em with an ascender of 1901 and a descender of -483.
  const IFontInfo info(mRegular.data(), static_cast<int>(mRegular.size()), 0);
  EXPECT_EQ(info.GetUnitsPerEM(), 2048);
  EXPECT_EQ(info.GetAscender(), 1901);
  EXPECT_EQ(info.GetDescender(), -483);
  EXPECT_EQ(info.GetLineGap(), 0);
  EXPECT_EQ(info.GetLineHeight(), 2384);
  EXPECT_DOUBLE_EQ(info.GetHeightEMRatio(), 2048.0 / 2384.0);
  EXPECT_FALSE(info.HasDescriptors());
}

TEST_F(IFontInfoDejaVu, MacStyleBoldBitFollowsTheWeight)
{
  // fontconfig's weight 200 is bold.
  const IFontInfo regular(mRegular.data(), static_cast<int>(mRegular.size()), 0);
  const IFontInfo bold(mBold.data(), static_cast<int>(mBold.size()), 0);
  EXPECT_EQ(Query(mBoldPath, "%{weight}"), "200");
  EXPECT_EQ(bold.GetMacStyle() & 1, 1);
  EXPECT_EQ(regular.GetMacStyle() & 1, 0);
}

TEST_F(IFontInfoDejaVu, CollectionFacesAreFoundByIndex)
{
  const std::vector<uint8_t> collection = BuildCollection({mRegular, mBold});
  const int size = static_cast<int>(collection.size());
  const IFontInfo first(collection.data(), size, 0);
  const IFontInfo second(collection.data(), size, 1);
  const IFontInfo third(collection.data(), size, 2);
  ASSERT_TRUE(first.IsValid());
  ASSERT_TRUE(second.IsValid());
  EXPECT_STREQ(first.GetStyle().Get(), "Book");
  EXPECT_STREQ(second.GetStyle().Get(), "Bold");
  EXPECT_STREQ(second.GetFamily().Get(), "DejaVu Sans");
  EXPECT_FALSE(third.IsValid());
}

TEST_F(IFontInfoDejaVu, EveryTruncationIsReadSafely)
{
  // Each prefix is copied to a buffer of exactly its size, so a read past its end fails under ASan.
  int valid = 0;
  for (size_t length = 0; length < mRegular.size(); length += length < 4096 ? 1 : 4093)
  {
    const IFontData data(mRegular.data(), static_cast<int>(length), 0);
    valid += data.GetInfo().IsValid() ? 1 : 0;
  }
  // head, hhea and name all lie well inside the file, so the later prefixes still read.
  EXPECT_GT(valid, 0);
  const IFontData tiny(mRegular.data(), 11, 0);
  EXPECT_FALSE(tiny.GetInfo().IsValid());
}

TEST(IFontInfo, SyntheticFaceReadsItsFields)
{
  FaceLayout layout;
  layout.unitsPerEm = 1024;
  layout.macStyle = 3;
  layout.ascender = 900;
  layout.descender = -124;
  layout.lineGap = 50;
  layout.withFdsc = true;
  const std::vector<uint8_t> face = BuildFace(layout);
  const IFontInfo info(face.data(), static_cast<int>(face.size()), 0);
  ASSERT_TRUE(info.IsValid());
  EXPECT_STREQ(info.GetFamily().Get(), "Test Family");
  EXPECT_STREQ(info.GetStyle().Get(), "Regular");
  EXPECT_EQ(info.GetUnitsPerEM(), 1024);
  EXPECT_EQ(info.GetMacStyle(), 3);
  EXPECT_EQ(info.GetAscender(), 900);
  EXPECT_EQ(info.GetDescender(), -124);
  EXPECT_EQ(info.GetLineGap(), 50);
  EXPECT_DOUBLE_EQ(info.GetHeightEMRatio(), 1.0);
  EXPECT_TRUE(info.HasDescriptors());
}

TEST(IFontInfo, SingleFaceFormatsHaveOnlyFaceZero)
{
  for (uint32_t format : {0x00010000u, 0x4F54544Fu /* OTTO */, 0x74797031u /* typ1 */, 0x31000000u /* "1" */})
  {
    FaceLayout layout;
    layout.format = format;
    const std::vector<uint8_t> face = BuildFace(layout);
    EXPECT_TRUE(IFontInfo(face.data(), static_cast<int>(face.size()), 0).IsValid()) << std::hex << format;
    EXPECT_FALSE(IFontInfo(face.data(), static_cast<int>(face.size()), 1).IsValid()) << std::hex << format;
  }
}

TEST(IFontInfo, UnknownFormatsAndNegativeFacesAreInvalid)
{
  FaceLayout layout;
  layout.format = 0x74727565; // "true": Apple's tag, not one the reader takes
  const std::vector<uint8_t> face = BuildFace(layout);
  EXPECT_FALSE(IFontInfo(face.data(), static_cast<int>(face.size()), 0).IsValid());
  const std::vector<uint8_t> good = BuildFace(FaceLayout());
  EXPECT_FALSE(IFontInfo(good.data(), static_cast<int>(good.size()), -1).IsValid());
  EXPECT_FALSE(IFontInfo(nullptr, 100, 0).IsValid());
  EXPECT_FALSE(IFontInfo(good.data(), 0, 0).IsValid());
}

TEST(IFontInfo, MissingRequiredTablesMakeTheFaceInvalid)
{
  for (int missing = 0; missing < 3; ++missing)
  {
    FaceLayout layout;
    layout.withHead = missing != 0;
    layout.withHhea = missing != 1;
    layout.withName = missing != 2;
    const std::vector<uint8_t> face = BuildFace(layout);
    EXPECT_FALSE(IFontInfo(face.data(), static_cast<int>(face.size()), 0).IsValid()) << missing;
  }
}

TEST(IFontInfo, CollectionVersionsAndFaceCountAreChecked)
{
  const std::vector<uint8_t> face = BuildFace(FaceLayout());
  for (uint32_t version : {0x00010000u, 0x00020000u})
  {
    const std::vector<uint8_t> collection = BuildCollection({face}, version);
    EXPECT_TRUE(IFontInfo(collection.data(), static_cast<int>(collection.size()), 0).IsValid());
  }
  const std::vector<uint8_t> future = BuildCollection({face}, 0x00030000);
  EXPECT_FALSE(IFontInfo(future.data(), static_cast<int>(future.size()), 0).IsValid());

  // A face count larger than the offsets present reads no offset past the end.
  std::vector<uint8_t> lying = BuildCollection({face});
  PutU32(lying, 8, 0xFFFFFFFF);
  lying.resize(16);
  const IFontData copy(lying.data(), static_cast<int>(lying.size()), 0);
  EXPECT_FALSE(IFontInfo(copy.Get(), copy.GetSize(), 1).IsValid());
}

TEST(IFontInfo, TablesReachingPastTheEndAreAbsent)
{
  std::vector<uint8_t> face = BuildFace(FaceLayout());
  // Make the first table (head) claim more bytes than the file has.
  PutU32(face, 12 + 12, static_cast<uint32_t>(face.size()));
  EXPECT_FALSE(IFontInfo(face.data(), static_cast<int>(face.size()), 0).IsValid());

}

TEST(IFontInfo, AForgedTableCountStopsAtTheEndOfTheBytes)
{
  std::vector<uint8_t> tooMany = BuildFace(FaceLayout());
  PutU16(tooMany, 4, 0xFFFF);
  // The copy is exactly as large as the bytes, so ASan sees any entry read past the end.
  const IFontData copy(tooMany.data(), static_cast<int>(tooMany.size()), 0);
  EXPECT_TRUE(copy.GetInfo().IsValid());
  EXPECT_FALSE(copy.GetInfo().HasDescriptors());
}

TEST(IFontInfo, TablesTooShortForTheirFieldsAreAbsent)
{
  std::vector<uint8_t> face = BuildFace(FaceLayout());
  // head is the first table; 40 bytes cannot hold macStyle at offset 44.
  PutU32(face, 12 + 12, 40);
  EXPECT_FALSE(IFontInfo(face.data(), static_cast<int>(face.size()), 0).IsValid());
}

TEST(IFontInfo, MicrosoftNamesArePreferredAndConvertedToUTF8)
{
  FaceLayout layout;
  layout.names = {MacintoshName(1, "Mac Family"), MicrosoftName(1, u"Caf\u00e9 \U0001F600"), MacintoshName(2, "Mac Style")};
  const std::vector<uint8_t> face = BuildFace(layout);
  const IFontInfo info(face.data(), static_cast<int>(face.size()), 0);
  ASSERT_TRUE(info.IsValid());
  EXPECT_STREQ(info.GetFamily().Get(), "Caf\xC3\xA9 \xF0\x9F\x98\x80");
  EXPECT_STREQ(info.GetFontString(1, IFontInfo::kStringMacintosh).Get(), "Mac Family");
  // Only a Macintosh style record exists, so the search falls back to it.
  EXPECT_STREQ(info.GetStyle().Get(), "Mac Style");
}

TEST(IFontInfo, NameTextStopsAtNulAndLoneSurrogatesBecomeReplacementCharacters)
{
  FaceLayout layout;
  layout.names = {MicrosoftName(1, std::u16string(u"Ab") + char16_t(0) + u"cd"), MicrosoftName(2, std::u16string(1, char16_t(0xD800)) + u"x"),
                MacintoshName(3, std::string("Un\0ique", 7))};
  const std::vector<uint8_t> face = BuildFace(layout);
  const IFontInfo info(face.data(), static_cast<int>(face.size()), 0);
  EXPECT_STREQ(info.GetFamily().Get(), "Ab");
  EXPECT_STREQ(info.GetStyle().Get(), "\xEF\xBF\xBDx");
  EXPECT_STREQ(info.SearchFontString(3).Get(), "Un");
}

TEST(IFontInfo, OtherLanguagesAndMissingIdsGiveEmptyStrings)
{
  FaceLayout layout;
  layout.names = {MicrosoftName(1, u"Famille", 1036)};
  const std::vector<uint8_t> face = BuildFace(layout);
  const IFontInfo info(face.data(), static_cast<int>(face.size()), 0);
  ASSERT_TRUE(info.IsValid());
  EXPECT_EQ(info.GetFamily().GetLength(), 0);
  EXPECT_EQ(info.SearchFontString(99).GetLength(), 0);
}

TEST(IFontInfo, NameStringsOutsideTheFileAreEmpty)
{
  FaceLayout layout;
  layout.names = {MicrosoftName(1, u"Family")};
  std::vector<uint8_t> face = BuildFace(layout);
  // The name table is the last one; point its only record's string far past the end.
  const size_t nameTable = GetU32(face, 12 + 16 * 2 + 8);
  PutU16(face, nameTable + 6 + 10, 0xFFF0);
  const IFontData copy(face.data(), static_cast<int>(face.size()), 0);
  ASSERT_TRUE(copy.GetInfo().IsValid());
  EXPECT_EQ(copy.GetInfo().GetFamily().GetLength(), 0);
}

} // namespace
} // namespace iplug::igraphics::test
