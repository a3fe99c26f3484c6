#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace standin {

class BundleObject;

// The process's bundles: one object per directory, found again by path or identifier. The registry holds
// no reference to bundles that callers created, except loaded ones and the main bundle, which live as
// long as the process, as on the platform.
class BundleRegistry {
public:
  static BundleRegistry& Instance();

  // The bundle of a directory, made when needed; the caller owns one reference. Null if not a directory.
  BundleObject* Open(const std::string& path);
  // The running program's bundle; not owned.
  BundleObject* Main();
  // A registered bundle with that identifier, or a bundle whose executable is loaded in the process;
  // not owned. Null if none.
  BundleObject* FindByIdentifier(const std::string& identifier);
  // Keeps a bundle alive for the rest of the process (once its code is loaded).
  void KeepForever(BundleObject* bundle);
  // Called by a bundle's destructor.
  void Forget(BundleObject* bundle);

private:
  BundleRegistry() = default;

  BundleObject* FindLocked(const std::string& identifier);
  BundleObject* MakeMain();
  void RegisterLoadedImagesLocked();

  std::mutex mMutex;
  std::vector<BundleObject*> mBundles;
  std::vector<BundleObject*> mKept;
  std::once_flag mMainOnce;
  BundleObject* mMain = nullptr;
};

}
