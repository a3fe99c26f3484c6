// URLs for file paths, URL strings, and reading and writing the files they name.

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(CFURLPaths, FilePathsBecomePercentEncodedFileURLsAndBack)
{
  CFOwned<CFURLRef> url(CFURLCreateWithFileSystemPath(nullptr, CFSTR("/tmp/a b/é.txt"), kCFURLPOSIXPathStyle, false));
  EXPECT_EQ(Utf8(CFURLGetString(url)), "file:///tmp/a%20b/%C3%A9.txt");
  CFOwned<CFStringRef> path(CFURLCopyFileSystemPath(url, kCFURLPOSIXPathStyle));
  EXPECT_EQ(Utf8(path), "/tmp/a b/é.txt");
  EXPECT_FALSE(CFURLHasDirectoryPath(url));

  CFOwned<CFURLRef> directory(CFURLCreateWithFileSystemPath(nullptr, CFSTR("/tmp/dir/"), kCFURLPOSIXPathStyle, true));
  EXPECT_EQ(Utf8(CFURLGetString(directory)), "file:///tmp/dir/");
  EXPECT_EQ(PathOf(directory), "/tmp/dir");
  EXPECT_TRUE(CFURLHasDirectoryPath(directory));

  const char bytes[] = "/var/lib";
  CFOwned<CFURLRef> fromBytes(CFURLCreateFromFileSystemRepresentation(nullptr, reinterpret_cast<const UInt8*>(bytes), 8, true));
  EXPECT_EQ(Utf8(CFURLGetString(fromBytes)), "file:///var/lib/");
}

TEST(CFURLPaths, RelativePathsStartAtTheCurrentDirectory)
{
  CFOwned<CFURLRef> url(CFURLCreateWithFileSystemPath(nullptr, CFSTR("relative.txt"), kCFURLPOSIXPathStyle, false));
  EXPECT_EQ(PathOf(url), (std::filesystem::current_path() / "relative.txt").string());
}

TEST(CFURLPaths, PathComponentsAreAddedAndRemoved)
{
  CFOwned<CFURLRef> folder(CFURLCreateWithFileSystemPath(nullptr, CFSTR("/Library/Audio"), kCFURLPOSIXPathStyle, true));
  CFOwned<CFURLRef> file(CFURLCreateCopyAppendingPathComponent(nullptr, folder, CFSTR("Presets"), true));
  EXPECT_EQ(Utf8(CFURLGetString(file)), "file:///Library/Audio/Presets/");
  CFOwned<CFURLRef> parent(CFURLCreateCopyDeletingLastPathComponent(nullptr, file));
  EXPECT_TRUE(CFEqual(parent, folder));
  CFOwned<CFStringRef> last(CFURLCopyLastPathComponent(file));
  EXPECT_EQ(Utf8(last), "Presets");
  CFOwned<CFURLRef> root(CFURLCreateWithFileSystemPath(nullptr, CFSTR("/"), kCFURLPOSIXPathStyle, true));
  CFOwned<CFURLRef> rootParent(CFURLCreateCopyDeletingLastPathComponent(nullptr, root));
  EXPECT_EQ(PathOf(rootParent), "/");
}

TEST(CFURLStrings, FileURLStringsGiveTheirDecodedPath)
{
  CFOwned<CFURLRef> url(CFURLCreateWithString(nullptr, CFSTR("file:/System/Library/cursors/move/info.plist"), nullptr));
  EXPECT_EQ(PathOf(url), "/System/Library/cursors/move/info.plist");
  CFOwned<CFURLRef> localhost(CFURLCreateWithString(nullptr, CFSTR("file://localhost/a%20b/"), nullptr));
  EXPECT_EQ(PathOf(localhost), "/a b");
  EXPECT_TRUE(CFURLHasDirectoryPath(localhost));

  CFOwned<CFURLRef> base(CFURLCreateWithFileSystemPath(nullptr, CFSTR("/a/b/file.txt"), kCFURLPOSIXPathStyle, false));
  CFOwned<CFURLRef> relative(CFURLCreateWithString(nullptr, CFSTR("../c/d.txt"), base));
  EXPECT_EQ(PathOf(relative), "/a/c/d.txt");
}

TEST(CFURLStrings, OtherSchemesKeepTheirTextButHaveNoPath)
{
  CFOwned<CFURLRef> web(CFURLCreateWithString(nullptr, CFSTR("https://example.org/x?y=1"), nullptr));
  EXPECT_EQ(Utf8(CFURLGetString(web)), "https://example.org/x?y=1");
  EXPECT_EQ(CFURLCopyFileSystemPath(web, kCFURLPOSIXPathStyle), nullptr);
  UInt8 buffer[64];
  EXPECT_FALSE(CFURLGetFileSystemRepresentation(web, true, buffer, sizeof(buffer)));
}

TEST(CFURLBadInput, InvalidStringsAndPathsGiveNull)
{
  EXPECT_EQ(CFURLCreateWithString(nullptr, CFSTR("file:///with space"), nullptr), nullptr);
  EXPECT_EQ(CFURLCreateWithString(nullptr, CFSTR("file:///broken%2"), nullptr), nullptr);
  EXPECT_EQ(CFURLCreateWithString(nullptr, CFSTR("file:///nul%00byte"), nullptr), nullptr);
  EXPECT_EQ(CFURLCreateWithString(nullptr, CFSTR("file://remote.host/x"), nullptr), nullptr);
  EXPECT_EQ(CFURLCreateWithString(nullptr, CFSTR("relative/without/base"), nullptr), nullptr);
  EXPECT_EQ(CFURLCreateWithString(nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(CFURLCreateWithFileSystemPath(nullptr, CFSTR(""), kCFURLPOSIXPathStyle, false), nullptr);
  EXPECT_EQ(CFURLCreateWithFileSystemPath(nullptr, CFSTR("C:\\x"), kCFURLWindowsPathStyle, false), nullptr);
  EXPECT_EQ(CFURLCreateFromFileSystemRepresentation(nullptr, nullptr, 4, false), nullptr);

  CFOwned<CFURLRef> url(CFURLCreateWithFileSystemPath(nullptr, CFSTR("/quite/a/long/path"), kCFURLPOSIXPathStyle, false));
  UInt8 small[8];
  EXPECT_FALSE(CFURLGetFileSystemRepresentation(url, true, small, sizeof(small)));
}

TEST(CFURLAccess, ReadsAndWritesTheFileOfAFileURL)
{
  ScratchDirectory scratch;
  CFOwned<CFStringRef> path(MakeString((scratch.Path() / "file.bin").string()));
  CFOwned<CFURLRef> url(CFURLCreateWithFileSystemPath(nullptr, path, kCFURLPOSIXPathStyle, false));
  const UInt8 bytes[] = {0, 1, 2, 255};
  CFOwned<CFDataRef> data(CFDataCreate(nullptr, bytes, 4));
  SInt32 error = 1;
  ASSERT_TRUE(CFURLWriteDataAndPropertiesToResource(url, data, nullptr, &error));
  EXPECT_EQ(error, 0);

  CFOwned<CFDataRef> read;
  CFOwned<CFDictionaryRef> placeholder(CFDictionaryCreate(nullptr, nullptr, nullptr, 0, nullptr, nullptr));
  CFDictionaryRef properties = placeholder;
  ASSERT_TRUE(CFURLCreateDataAndPropertiesFromResource(nullptr, url, read.out(), &properties, nullptr, &error));
  EXPECT_TRUE(CFEqual(read, data));
  EXPECT_EQ(properties, nullptr);
}

TEST(CFURLAccess, MissingFilesAndOtherSchemesReportTheirError)
{
  SInt32 error = 0;
  CFDataRef data = nullptr;
  CFOwned<CFURLRef> missing(CFURLCreateWithFileSystemPath(nullptr, CFSTR("/nonexistent/file"), kCFURLPOSIXPathStyle, false));
  EXPECT_FALSE(CFURLCreateDataAndPropertiesFromResource(nullptr, missing, &data, nullptr, nullptr, &error));
  EXPECT_EQ(error, kCFURLResourceNotFoundError);
  EXPECT_EQ(data, nullptr);

  CFOwned<CFURLRef> web(CFURLCreateWithString(nullptr, CFSTR("https://example.org/"), nullptr));
  EXPECT_FALSE(CFURLCreateDataAndPropertiesFromResource(nullptr, web, &data, nullptr, nullptr, &error));
  EXPECT_EQ(error, kCFURLUnknownSchemeError);
  EXPECT_FALSE(CFURLCreateDataAndPropertiesFromResource(nullptr, nullptr, &data, nullptr, nullptr, &error));
  EXPECT_EQ(error, kCFURLImproperArgumentsError);
  EXPECT_FALSE(CFURLWriteDataAndPropertiesToResource(missing, nullptr, nullptr, &error));
  EXPECT_EQ(error, kCFURLImproperArgumentsError);
}

}
