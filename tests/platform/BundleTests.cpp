// Bundles: layout, info dictionary, lookup by identifier (also from inside loaded code), main bundle.

#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

CFBundleRef OpenBundle(const fs::path& path)
{
  CFOwned<CFStringRef> text(MakeString(path.string()));
  CFOwned<CFURLRef> url(CFURLCreateWithFileSystemPath(nullptr, text, kCFURLPOSIXPathStyle, true));
  return CFBundleCreate(nullptr, url);
}

fs::path ProgramPath()
{
  return fs::canonical("/proc/self/exe");
}

// Lays out a bundle named name under folder, with Info.plist contents and a resource file.
fs::path MakeBundle(const fs::path& folder, const std::string& name, const std::string& infoPlist)
{
  const fs::path bundle = folder / name;
  WriteFile(bundle / "Contents" / "Info.plist", infoPlist);
  WriteFile(bundle / "Contents" / "Resources" / "Sounds" / "click.wav", "RIFF");
  WriteFile(bundle / "Contents" / "Resources" / "Background.png", "PNG");
  fs::create_directories(bundle / "Contents" / "MacOS");
  return bundle;
}

TEST(Bundles, ExposeTheirInfoDictionaryAndLayout)
{
  ScratchDirectory scratch;
  const fs::path path = MakeBundle(scratch.Path(), "Effect.component", InfoPlist("com.tidewell.test.layout", "Effect", "<key>CFBundleVersion</key><string>10.2</string>\n"));
  CFOwned<CFBundleRef> bundle(OpenBundle(path));
  ASSERT_NE(bundle.get(), nullptr);

  EXPECT_EQ(Utf8(CFBundleGetIdentifier(bundle)), "com.tidewell.test.layout");
  EXPECT_EQ(Utf8(CFBundleGetValueForInfoDictionaryKey(bundle, kCFBundleVersionKey)), "10.2");
  EXPECT_EQ(CFDictionaryGetCount(CFBundleGetInfoDictionary(bundle)), 3);

  CFOwned<CFURLRef> bundleURL(CFBundleCopyBundleURL(bundle));
  CFOwned<CFURLRef> resources(CFBundleCopyResourcesDirectoryURL(bundle));
  CFOwned<CFURLRef> executable(CFBundleCopyExecutableURL(bundle));
  EXPECT_EQ(PathOf(bundleURL), fs::canonical(path).string());
  EXPECT_TRUE(CFURLHasDirectoryPath(bundleURL));
  EXPECT_EQ(PathOf(resources), fs::canonical(path).string() + "/Contents/Resources");
  EXPECT_EQ(PathOf(executable), fs::canonical(path).string() + "/Contents/MacOS/Effect");

  CFOwned<CFURLRef> background(CFBundleCopyResourceURL(bundle, CFSTR("Background"), CFSTR("png"), nullptr));
  CFOwned<CFURLRef> click(CFBundleCopyResourceURL(bundle, CFSTR("click.wav"), nullptr, CFSTR("Sounds")));
  EXPECT_EQ(PathOf(background), fs::canonical(path).string() + "/Contents/Resources/Background.png");
  EXPECT_EQ(PathOf(click), fs::canonical(path).string() + "/Contents/Resources/Sounds/click.wav");
  EXPECT_EQ(CFBundleCopyResourceURL(bundle, CFSTR("Missing"), CFSTR("png"), nullptr), nullptr);
}

TEST(Bundles, OneDirectoryIsOneBundle)
{
  ScratchDirectory scratch;
  const fs::path path = MakeBundle(scratch.Path(), "Same.component", InfoPlist("com.tidewell.test.same"));
  CFOwned<CFBundleRef> first(OpenBundle(path));
  CFOwned<CFBundleRef> second(OpenBundle(path.string() + "/"));
  EXPECT_EQ(first.get(), second.get());
  EXPECT_EQ(CFGetRetainCount(first), 2) << "each CFBundleCreate hands out its own reference";
}

TEST(Bundles, AreFoundByIdentifierWhileTheyExist)
{
  ScratchDirectory scratch;
  const fs::path path = MakeBundle(scratch.Path(), "Found.component", InfoPlist("com.tidewell.test.found"));
  CFBundleRef bundle = OpenBundle(path);
  EXPECT_EQ(CFBundleGetBundleWithIdentifier(CFSTR("com.tidewell.test.found")), bundle);
  EXPECT_EQ(CFGetRetainCount(bundle), 1) << "a Get does not retain";
  CFRelease(bundle);
  EXPECT_EQ(CFBundleGetBundleWithIdentifier(CFSTR("com.tidewell.test.found")), nullptr);
  EXPECT_EQ(CFBundleGetBundleWithIdentifier(CFSTR("com.tidewell.test.nobody")), nullptr);
  EXPECT_EQ(CFBundleGetBundleWithIdentifier(nullptr), nullptr);
}

TEST(Bundles, ABundleWhoseCodeIsLoadedIsFoundByItsIdentifier)
{
  ScratchDirectory scratch;
  const fs::path path = MakeBundle(scratch.Path(), "Copy.component", InfoPlist("com.tidewell.test.loaded-copy", "TestComponent"));
  fs::copy_file(fs::path(PLATFORM_TEST_BUNDLE) / "Contents/MacOS/TestComponent", path / "Contents/MacOS/TestComponent");
  // Loaded the way a host that knows nothing of bundles would: straight from the file.
  void* handle = dlopen((path / "Contents/MacOS/TestComponent").c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();

  CFBundleRef bundle = CFBundleGetBundleWithIdentifier(CFSTR("com.tidewell.test.loaded-copy"));
  ASSERT_NE(bundle, nullptr);
  CFOwned<CFURLRef> url(CFBundleCopyBundleURL(bundle));
  EXPECT_EQ(PathOf(url), fs::canonical(path).string());
  EXPECT_TRUE(CFBundleIsExecutableLoaded(bundle));
  EXPECT_EQ(CFBundleGetFunctionPointerForName(bundle, CFSTR("TestComponent_Factory")), dlsym(handle, "TestComponent_Factory"));
}

TEST(Bundles, LoadTheirExecutableAndFindItsFunctions)
{
  CFOwned<CFBundleRef> bundle(OpenBundle(PLATFORM_TEST_BUNDLE));
  ASSERT_NE(bundle.get(), nullptr);
  EXPECT_TRUE(CFBundleLoadExecutable(bundle));
  EXPECT_TRUE(CFBundleIsExecutableLoaded(bundle));
  EXPECT_NE(CFBundleGetFunctionPointerForName(bundle, CFSTR("TestComponent_Factory")), nullptr);
  EXPECT_EQ(CFBundleGetFunctionPointerForName(bundle, CFSTR("NoSuchFunction")), nullptr);
  EXPECT_EQ(Utf8(CFBundleGetValueForInfoDictionaryKey(bundle, kCFBundleVersionKey)), "1.2.3");
}

TEST(BundlesBadInput, MissingOrMalformedPiecesGiveNullOrEmptyAnswers)
{
  ScratchDirectory scratch;
  CFOwned<CFBundleRef> malformed(OpenBundle(MakeBundle(scratch.Path(), "Malformed.component", "<plist><dict><key>CFBundleIdentifier</key>")));
  ASSERT_NE(malformed.get(), nullptr);
  EXPECT_EQ(CFBundleGetIdentifier(malformed), nullptr);
  EXPECT_EQ(CFDictionaryGetCount(CFBundleGetInfoDictionary(malformed)), 0);
  EXPECT_EQ(CFBundleCopyExecutableURL(malformed), nullptr);
  EXPECT_FALSE(CFBundleLoadExecutable(malformed));
  EXPECT_EQ(CFBundleGetFunctionPointerForName(malformed, CFSTR("Anything")), nullptr);

  CFOwned<CFBundleRef> notADictionary(OpenBundle(MakeBundle(scratch.Path(), "Array.component", "<plist><array/></plist>")));
  EXPECT_EQ(CFDictionaryGetCount(CFBundleGetInfoDictionary(notADictionary)), 0);

  CFOwned<CFBundleRef> missingCode(OpenBundle(MakeBundle(scratch.Path(), "NoCode.component", InfoPlist("com.tidewell.test.nocode", "Missing"))));
  EXPECT_FALSE(CFBundleLoadExecutable(missingCode));
  EXPECT_FALSE(CFBundleIsExecutableLoaded(missingCode));

  CFOwned<CFBundleRef> notCode(OpenBundle(MakeBundle(scratch.Path(), "NotCode.component", InfoPlist("com.tidewell.test.notcode", "Text"))));
  WriteFile(scratch.Path() / "NotCode.component/Contents/MacOS/Text", "not an executable");
  EXPECT_FALSE(CFBundleLoadExecutable(notCode));

  EXPECT_EQ(OpenBundle(scratch.Path() / "Nowhere.component"), nullptr);
  CFOwned<CFURLRef> web(CFURLCreateWithString(nullptr, CFSTR("https://example.org/x.component"), nullptr));
  EXPECT_EQ(CFBundleCreate(nullptr, web), nullptr);
  EXPECT_EQ(CFBundleCreate(nullptr, nullptr), nullptr);
}

TEST(MainBundle, OfAPlainProgramIsItsDirectoryWithoutIdentifier)
{
  CFBundleRef main = CFBundleGetMainBundle();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(CFBundleGetMainBundle(), main);
  CFOwned<CFURLRef> url(CFBundleCopyBundleURL(main));
  CFOwned<CFURLRef> executable(CFBundleCopyExecutableURL(main));
  EXPECT_EQ(PathOf(url), ProgramPath().parent_path().string());
  EXPECT_EQ(PathOf(executable), ProgramPath().string());
  EXPECT_EQ(CFBundleGetIdentifier(main), nullptr);
  EXPECT_EQ(CFBundleGetValueForInfoDictionaryKey(main, kCFBundleVersionKey), nullptr);
  EXPECT_TRUE(CFBundleLoadExecutable(main)) << "the running program is already loaded";
}

// Runs a copy of this test program at programPath and has it check its own main bundle (see
// MainBundleChild below); true when the copy agrees.
bool CopyOfProgramAgrees(const fs::path& programPath, const std::string& identifier, const fs::path& bundlePath)
{
  fs::create_directories(programPath.parent_path());
  fs::copy_file(ProgramPath(), programPath);
  const pid_t child = fork();
  if (child == 0)
  {
    setenv("PLATFORM_TEST_MAIN_IDENTIFIER", identifier.c_str(), 1);
    setenv("PLATFORM_TEST_MAIN_PATH", bundlePath.c_str(), 1);
    execl(programPath.c_str(), programPath.c_str(), "--gtest_filter=MainBundleChild.*", "--gtest_brief=1", static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(MainBundle, OfAPlainProgramTakesItsIdentifierFromAnAdjacentInfoPlist)
{
  ScratchDirectory scratch;
  WriteFile(scratch.Path() / "tool" / "Info.plist", InfoPlist("com.tidewell.test.tool"));
  EXPECT_TRUE(CopyOfProgramAgrees(scratch.Path() / "tool" / "program", "com.tidewell.test.tool", scratch.Path() / "tool"));
}

TEST(MainBundle, OfAProgramInsideAnAppBundleIsTheApp)
{
  ScratchDirectory scratch;
  const fs::path app = scratch.Path() / "Host.app";
  WriteFile(app / "Contents" / "Info.plist", InfoPlist("com.tidewell.test.host", "program"));
  EXPECT_TRUE(CopyOfProgramAgrees(app / "Contents" / "MacOS" / "program", "com.tidewell.test.host", app));
}

// Runs only inside a copy started by CopyOfProgramAgrees.
TEST(MainBundleChild, MatchesWhatTheParentLaidOut)
{
  const char* identifier = std::getenv("PLATFORM_TEST_MAIN_IDENTIFIER");
  const char* path = std::getenv("PLATFORM_TEST_MAIN_PATH");
  if (!identifier || !path)
    GTEST_SKIP() << "checked by the MainBundle tests in a copy of this program";
  CFBundleRef main = CFBundleGetMainBundle();
  EXPECT_EQ(Utf8(CFBundleGetIdentifier(main)), identifier);
  CFOwned<CFURLRef> url(CFBundleCopyBundleURL(main));
  EXPECT_EQ(PathOf(url), fs::canonical(path).string());
  EXPECT_EQ(CFBundleGetBundleWithIdentifier(CFBundleGetIdentifier(main)), main);
}

}
