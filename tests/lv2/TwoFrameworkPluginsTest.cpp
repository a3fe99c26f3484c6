// Two plug-ins made with this framework, Tidewell and ControlGallery, in one host process: each bundle's binaries
// hold everything of ours they need (no shared library of ours beside them or named by them, nothing exported but
// the descriptor), so a host that loads both, whatever framework version each was made with, gets each its own
// copy. Both load in one lilv world from their two bundles, each processes and saves its own parameters, and
// either can be unloaded first while the other keeps working.

#include <gtest/gtest.h>

#include <lilv/lilv.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "LV2TestHost.h"
#include "support/ElfExports.h"

namespace
{
  const std::string kGalleryStereoURI = "https://kelvane.com/plugins/ControlGallery/stereo";

  std::vector<float> Ramp(size_t frames, int channels)
  {
    std::vector<float> interleaved(frames * static_cast<size_t>(channels));
    for (size_t i = 0; i < interleaved.size(); ++i)
      interleaved[i] = static_cast<float>(static_cast<int>(i % 200) - 100) / 128.f;
    return interleaved;
  }

  // The size of the state the instance saves, or 0 when saving fails.
  size_t SavedStateSize(LV2TestInstance& instance)
  {
    LV2StateStore store;
    if (instance.StateInterface()->save(lilv_instance_get_handle(instance.Get()), LV2StateStore::Store, &store, 0,
                                        instance.StateFeatures()) != LV2_STATE_SUCCESS ||
        store.properties.size() != 1)
      return 0;
    return store.properties.begin()->second.bytes.size();
  }

  // Tidewell before its first dip passes its input through unchanged.
  void ExpectTidewellWorks(LV2TestInstance& tidewell)
  {
    const std::vector<float> input = Ramp(4096, 2);
    EXPECT_EQ(tidewell.Process(input, 256), input);
    EXPECT_EQ(SavedStateSize(tidewell), 5 * sizeof(double));
  }

  // ControlGallery with Invert on turns its input upside down once its one-block ramp from the old gain is over.
  void ExpectGalleryWorks(LV2TestInstance& gallery)
  {
    gallery.Control("invert") = 1.f;
    const std::vector<float> input = Ramp(4096, 2);
    gallery.Process(std::vector<float>(2 * 256, 0.f), 256);
    const std::vector<float> output = gallery.Process(input, 256);
    ASSERT_EQ(output.size(), input.size());
    for (size_t i = 0; i < input.size(); ++i)
      ASSERT_EQ(output[i], -input[i]) << i;
    gallery.Control("invert") = 0.f;
    gallery.Process(std::vector<float>(2 * 256, 0.f), 256);
    EXPECT_EQ(gallery.Process(input, 256), input);
    EXPECT_EQ(SavedStateSize(gallery), 4 * sizeof(double));
  }
}

TEST(TwoFrameworkPlugins, EachBundleHoldsOnlyItsOwnSelfContainedBinaries)
{
  for (const auto& [bundle, name] : {std::pair<std::string, std::string>{TIDEWELL_LV2_BUNDLE_PATH, "Tidewell"},
                                     std::pair<std::string, std::string>{TIDEWELL_GALLERY_LV2_BUNDLE_PATH, "ControlGallery"}})
  {
    std::set<std::string> libraries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(bundle))
    {
      if (entry.path().extension() == ".so")
        libraries.insert(entry.path().filename().string());
    }
    EXPECT_EQ(libraries, (std::set<std::string>{name + ".so", name + "_ui.so"})) << bundle;

    for (const auto& [binary, descriptor] : {std::pair<std::string, std::string>{name + ".so", "lv2_descriptor"},
                                             std::pair<std::string, std::string>{name + "_ui.so", "lv2ui_descriptor"}})
    {
      const std::string path = bundle + "/" + binary;
      EXPECT_EQ(ExportedNames(path), std::set<std::string>{descriptor}) << path;
      const ElfDependencies dependencies = DynamicDependencies(path);
      ASSERT_FALSE(dependencies.needed.empty()) << path;
      EXPECT_TRUE(dependencies.runPaths.empty()) << path << " looks for libraries in " << dependencies.runPaths.front();
      for (const std::string& needed : dependencies.needed)
        EXPECT_EQ(needed.find("platform_standins"), std::string::npos) << path << " needs " << needed;
    }
  }
}

TEST(TwoFrameworkPlugins, BothRunInOneProcessAndEitherCanBeUnloadedFirst)
{
  // Twice in each order: the second round loads both binaries again after the first round unloaded them.
  for (const bool tidewellFirst : {true, false, true, false})
  {
    SCOPED_TRACE(tidewellFirst ? "Tidewell unloaded first" : "ControlGallery unloaded first");
    LV2TestWorld world({TIDEWELL_LV2_BUNDLE_PATH, TIDEWELL_GALLERY_LV2_BUNDLE_PATH});
    ASSERT_EQ(lilv_plugins_size(lilv_world_get_all_plugins(world.World())), 4u);
    auto tidewell = std::make_unique<LV2TestInstance>(world, StereoURI());
    auto gallery = std::make_unique<LV2TestInstance>(world, kGalleryStereoURI);
    ASSERT_TRUE(tidewell->Valid());
    ASSERT_TRUE(gallery->Valid());
    ExpectTidewellWorks(*tidewell);
    ExpectGalleryWorks(*gallery);

    if (tidewellFirst)
    {
      tidewell.reset();
      ExpectGalleryWorks(*gallery);
      gallery.reset();
    }
    else
    {
      gallery.reset();
      ExpectTidewellWorks(*tidewell);
      tidewell.reset();
    }
  }
}
