#pragma once

// A small LV2 host on lilv for the tests: it loads the built Tidewell.lv2 bundle alone, maps URIDs,
// instantiates a plug-in URI with or without host features, owns a buffer for every port and runs it.

#include <lilv/lilv.h>
#include <lv2/options/options.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The URI of the stereo (or mono) Tidewell plug-in.
std::string StereoURI();
std::string MonoURI();

// A lilv world holding only the bundle under test (or the bundles given), and the URID map its instances share.
class LV2TestWorld
{
public:
  explicit LV2TestWorld(const std::vector<std::string>& bundlePaths = {TIDEWELL_LV2_BUNDLE_PATH});
  ~LV2TestWorld();
  LV2TestWorld(const LV2TestWorld&) = delete;
  LV2TestWorld& operator=(const LV2TestWorld&) = delete;

  // The plug-in with that URI, or null.
  const LilvPlugin* Plugin(const std::string& uri) const;
  // The lilv world.
  LilvWorld* World() const { return mWorld; }
  // A URI node owned by the world's caller; freed with lilv_node_free.
  LilvNode* NewURI(const char* uri) const { return lilv_new_uri(mWorld, uri); }
  // The URID map and unmap features.
  LV2_URID_Map* Map() { return &mMap; }
  LV2_URID_Unmap* Unmap() { return &mUnmap; }
  // The URID of uri.
  LV2_URID URID(const char* uri);

private:
  static LV2_URID MapURI(LV2_URID_Map_Handle handle, const char* uri);
  static const char* UnmapURID(LV2_URID_Unmap_Handle handle, LV2_URID urid);

  LilvWorld* mWorld = nullptr;
  std::map<std::string, LV2_URID> mURIDs;
  std::vector<std::string> mURIs; // mURIs[urid - 1] is the URI of urid
  LV2_URID_Map mMap{this, MapURI};
  LV2_URID_Unmap mUnmap{this, UnmapURID};
};

// How an instance is made.
struct LV2InstanceOptions
{
  double sampleRate = 48000.0;
  bool withFeatures = true;  // hand the URID map, unmap and options to instantiate; else no feature at all
  int32_t maxBlockLength = 0; // offered as bufsz:maxBlockLength when positive
};

// One running plug-in instance with a buffer behind every port; activated at construction.
class LV2TestInstance
{
public:
  LV2TestInstance(LV2TestWorld& world, const std::string& uri, const LV2InstanceOptions& options = {});
  ~LV2TestInstance();
  LV2TestInstance(const LV2TestInstance&) = delete;
  LV2TestInstance& operator=(const LV2TestInstance&) = delete;

  // Whether lilv made the instance.
  bool Valid() const { return mInstance != nullptr; }
  // The value buffer of the control port with that symbol (input or output); fails the test when missing.
  float& Control(const std::string& symbol);
  // Audio input and output channels.
  int NInputs() const { return static_cast<int>(mInputs.size()); }
  int NOutputs() const { return static_cast<int>(mOutputs.size()); }
  // Processes interleaved audio (NInputs channels) in runs of blockSize frames (the last may be shorter);
  // returns the interleaved outputs.
  std::vector<float> Process(const std::vector<float>& interleaved, int blockSize);
  // Runs nFrames frames of whatever the audio buffers hold (at most their size).
  void Run(uint32_t nFrames);
  // The plug-in's state interface, or null.
  const LV2_State_Interface* StateInterface() const;
  // The features handed to state calls: the URID map and unmap.
  const LV2_Feature* const* StateFeatures() const { return mStateFeatures.data(); }
  // The lilv instance.
  LilvInstance* Get() const { return mInstance; }

private:
  // Points every audio port at its buffer, offset by frame.
  void ConnectAudio(uint32_t frame);

  static constexpr uint32_t kBufferFrames = 8192;

  LV2TestWorld& mWorld;
  const LilvPlugin* mPlugin = nullptr;
  LilvInstance* mInstance = nullptr;
  std::map<std::string, uint32_t> mControlIndex;
  std::vector<float> mControls;                 // one value per port index (audio ports unused)
  std::vector<uint32_t> mInputIndex, mOutputIndex;
  std::vector<std::vector<float>> mInputs, mOutputs;
  LV2_Options_Option mOptions[2] = {};
  int32_t mMaxBlockLength = 0;
  LV2_Feature mMapFeature{}, mUnmapFeature{}, mOptionsFeature{};
  std::vector<const LV2_Feature*> mFeatures;
  std::vector<const LV2_Feature*> mStateFeatures;
};

// A store for the state interface: keeps every property it is given.
class LV2StateStore
{
public:
  struct Property
  {
    std::vector<uint8_t> bytes;
    uint32_t type = 0;
    uint32_t flags = 0;
  };

  // The store callback for save; the handle is the store.
  static LV2_State_Status Store(LV2_State_Handle handle, uint32_t key, const void* value, size_t size, uint32_t type,
                                uint32_t flags);
  // The retrieve callback for restore; the handle is the store.
  static const void* Retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type, uint32_t* flags);

  std::map<uint32_t, Property> properties;
};
