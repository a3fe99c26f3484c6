#include "BundleRegistry.h"

#include "BundleObject.h"
#include "StringObject.h"

#include <algorithm>
#include <cstdlib>
#include <link.h>
#include <optional>
#include <sys/stat.h>

namespace standin {

namespace {

std::optional<std::string> CanonicalDirectory(const std::string& path)
{
  char* resolved = realpath(path.c_str(), nullptr);
  if (!resolved)
    return std::nullopt;
  std::string result(resolved);
  std::free(resolved);
  struct stat info;
  if (stat(result.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
    return std::nullopt;
  return result;
}

// The bundle directory X of an executable at X/Contents/MacOS/<name>.
std::optional<std::string> BundleOfExecutable(const std::string& executable)
{
  static const std::string kMarker = "/Contents/MacOS/";
  const size_t pos = executable.rfind(kMarker);
  if (pos == std::string::npos || pos == 0 || executable.find('/', pos + kMarker.size()) != std::string::npos)
    return std::nullopt;
  return executable.substr(0, pos);
}

int CollectImagePath(struct dl_phdr_info* info, size_t, void* paths)
{
  if (info->dlpi_name && info->dlpi_name[0])
    static_cast<std::vector<std::string>*>(paths)->push_back(info->dlpi_name);
  return 0;
}

}

BundleRegistry& BundleRegistry::Instance()
{
  static auto* registry = new BundleRegistry();
  return *registry;
}

BundleObject* BundleRegistry::Open(const std::string& path)
{
  std::optional<std::string> canonical = CanonicalDirectory(path);
  if (!canonical)
    return nullptr;
  std::lock_guard<std::mutex> lock(mMutex);
  for (BundleObject* bundle : mBundles)
  {
    if (bundle->Path() == *canonical && bundle->TryRetain())
      return bundle;
  }
  auto* bundle = new BundleObject(*canonical, std::string());
  mBundles.push_back(bundle);
  return bundle;
}

BundleObject* BundleRegistry::Main()
{
  std::call_once(mMainOnce, [this] { mMain = MakeMain(); });
  return mMain;
}

BundleObject* BundleRegistry::MakeMain()
{
  char* resolved = realpath("/proc/self/exe", nullptr);
  const std::string executable = resolved ? resolved : "";
  std::free(resolved);
  BundleObject* bundle = nullptr;
  if (std::optional<std::string> directory = BundleOfExecutable(executable))
    bundle = Open(*directory);
  if (!bundle)
  {
    const std::string directory = executable.substr(0, executable.rfind('/'));
    std::lock_guard<std::mutex> lock(mMutex);
    bundle = new BundleObject(directory.empty() ? "/" : directory, executable);
    mBundles.push_back(bundle);
  }
  std::lock_guard<std::mutex> lock(mMutex);
  mKept.push_back(bundle);
  return bundle;
}

BundleObject* BundleRegistry::FindByIdentifier(const std::string& identifier)
{
  Main();
  std::lock_guard<std::mutex> lock(mMutex);
  if (BundleObject* bundle = FindLocked(identifier))
    return bundle;
  RegisterLoadedImagesLocked();
  return FindLocked(identifier);
}

BundleObject* BundleRegistry::FindLocked(const std::string& identifier)
{
  for (BundleObject* bundle : mBundles)
  {
    std::optional<std::string> candidate = StringValue(bundle->Identifier());
    if (candidate && *candidate == identifier)
      return bundle;
  }
  return nullptr;
}

void BundleRegistry::RegisterLoadedImagesLocked()
{
  std::vector<std::string> images;
  dl_iterate_phdr(CollectImagePath, &images);
  for (const std::string& image : images)
  {
    std::optional<std::string> directory = BundleOfExecutable(image);
    std::optional<std::string> canonical = directory ? CanonicalDirectory(*directory) : std::nullopt;
    if (!canonical)
      continue;
    const bool known = std::any_of(mBundles.begin(), mBundles.end(), [&](BundleObject* bundle) { return bundle->Path() == *canonical; });
    if (known)
      continue;
    auto* bundle = new BundleObject(*canonical, std::string());
    mBundles.push_back(bundle);
    mKept.push_back(bundle);
  }
}

void BundleRegistry::KeepForever(BundleObject* bundle)
{
  std::lock_guard<std::mutex> lock(mMutex);
  if (std::find(mKept.begin(), mKept.end(), bundle) != mKept.end())
    return;
  bundle->Retain();
  mKept.push_back(bundle);
}

void BundleRegistry::Forget(BundleObject* bundle)
{
  std::lock_guard<std::mutex> lock(mMutex);
  mBundles.erase(std::remove(mBundles.begin(), mBundles.end(), bundle), mBundles.end());
}

}
