// State through the LV2 State extension: the saved property is the same 40-byte parameter list the Audio
// Unit keeps in its ClassInfo "data", little-endian on every machine; it agrees with the control ports even
// when the host saves before the next run, round-trips through lilv into a new instance, and bytes that are
// not such a list (short, long, byte-swapped, not numbers) are refused with an error status and change nothing.

#include <gtest/gtest.h>

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "LV2TestHost.h"

namespace
{
  constexpr const char* kStateKey = "https://kelvane.com/plugins/Tidewell#parameters";

  // The stored form: each value a little-endian double.
  std::vector<uint8_t> ChunkOf(const std::vector<double>& values)
  {
    std::vector<uint8_t> bytes;
    for (double value : values)
    {
      uint64_t bits = 0;
      std::memcpy(&bits, &value, sizeof(bits));
      for (int i = 0; i < 8; ++i, bits >>= 8)
        bytes.push_back(static_cast<uint8_t>(bits & 0xFF));
    }
    return bytes;
  }

  std::vector<double> ValuesOf(const std::vector<uint8_t>& bytes)
  {
    std::vector<double> values;
    for (size_t at = 0; at + 8 <= bytes.size(); at += 8)
    {
      uint64_t bits = 0;
      for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | bytes[at + static_cast<size_t>(i)];
      double value = 0.0;
      std::memcpy(&value, &bits, sizeof(value));
      values.push_back(value);
    }
    return values;
  }

  // The same values with every double's bytes reversed, as a big-endian machine writes them.
  std::vector<uint8_t> ByteSwapped(std::vector<uint8_t> bytes)
  {
    for (size_t at = 0; at + 8 <= bytes.size(); at += 8)
      std::reverse(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin() + static_cast<std::ptrdiff_t>(at + 8));
    return bytes;
  }

  // Port values a host might set, none of them a parameter's default.
  const std::vector<double> kPortValues{0.0, 0.25, 0.75, 0.3, 0.6};

  const void* PortValue(const char* symbol, void* userData, uint32_t* size, uint32_t* type);

  class LV2State : public ::testing::Test
  {
  protected:
    // The bytes the instance saves, or empty when saving fails.
    std::vector<uint8_t> Saved(LV2TestInstance& instance)
    {
      LV2StateStore store;
      const LV2_State_Status status = instance.StateInterface()->save(
        lilv_instance_get_handle(instance.Get()), LV2StateStore::Store, &store, 0, instance.StateFeatures());
      EXPECT_EQ(status, LV2_STATE_SUCCESS);
      const auto found = store.properties.find(mWorld.URID(kStateKey));
      return found == store.properties.end() ? std::vector<uint8_t>() : found->second.bytes;
    }

    // The instance's state as lilv saves it for a project (its ports through PortValue), as text; empty when
    // lilv cannot save it.
    std::string SavedThroughLilv(LV2TestInstance& instance)
    {
      LilvState* state = lilv_state_new_from_instance(mWorld.Plugin(StereoURI()), instance.Get(), mWorld.Map(),
                                                      nullptr, nullptr, nullptr, nullptr, PortValue, &instance, 0,
                                                      instance.StateFeatures());
      if (!state)
        return {};
      char* text = lilv_state_to_string(mWorld.World(), mWorld.Map(), mWorld.Unmap(), state, "urn:tidewell:test",
                                        nullptr);
      lilv_state_free(state);
      std::string saved = text ? text : "";
      lilv_free(text);
      return saved;
    }

    // Restores one property holding bytes of type into the instance; returns the plug-in's status.
    LV2_State_Status Restore(LV2TestInstance& instance, const std::vector<uint8_t>& bytes, const char* type)
    {
      LV2StateStore store;
      store.properties[mWorld.URID(kStateKey)] = {bytes, mWorld.URID(type), LV2_STATE_IS_POD};
      return instance.StateInterface()->restore(lilv_instance_get_handle(instance.Get()), LV2StateStore::Retrieve,
                                                &store, 0, instance.StateFeatures());
    }

    // Sets the control ports to kPortValues, as floats.
    void SetPorts(LV2TestInstance& instance)
    {
      const char* symbols[] = {"duck", "period", "random", "duration", "depth"};
      for (size_t i = 0; i < kPortValues.size(); ++i)
        instance.Control(symbols[i]) = static_cast<float>(kPortValues[i]);
    }

    // kPortValues as the parameters take them from float ports.
    static std::vector<double> PortValuesAsTaken()
    {
      std::vector<double> values;
      for (double value : kPortValues)
        values.push_back(static_cast<float>(value));
      return values;
    }

    // Sets the controls to a non-default set of values and runs once so that the plug-in takes them.
    void SetNonDefaults(LV2TestInstance& instance)
    {
      instance.Control("duck") = 0.f;
      instance.Control("period") = 0.25f;
      instance.Control("random") = 0.75f;
      instance.Control("duration") = 0.125f;
      instance.Control("depth") = 0.375f;
      instance.Run(1);
    }

    LV2TestWorld mWorld;
  };

  const void* PortValue(const char* symbol, void* userData, uint32_t* size, uint32_t* type)
  {
    auto* instance = static_cast<LV2TestInstance*>(userData);
    *size = sizeof(float);
    *type = 0;
    return &instance->Control(symbol);
  }
}

TEST_F(LV2State, SavesTheFortyByteParameterListAsOnePortableChunk)
{
  LV2TestInstance instance(mWorld, StereoURI());
  ASSERT_TRUE(instance.Valid());
  ASSERT_NE(instance.StateInterface(), nullptr);
  LV2StateStore store;
  ASSERT_EQ(instance.StateInterface()->save(lilv_instance_get_handle(instance.Get()), LV2StateStore::Store, &store, 0,
                                            instance.StateFeatures()),
            LV2_STATE_SUCCESS);
  ASSERT_EQ(store.properties.size(), 1u);
  const LV2StateStore::Property& saved = store.properties.at(mWorld.URID(kStateKey));
  EXPECT_EQ(saved.type, mWorld.URID(LV2_ATOM__Chunk));
  EXPECT_EQ(saved.flags & (LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE), LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
  EXPECT_EQ(ValuesOf(saved.bytes), (std::vector<double>{1.0, 0.5, 0.5, 0.5, 1.0}));
}

TEST_F(LV2State, SavedValuesFollowTheControlPorts)
{
  LV2TestInstance instance(mWorld, StereoURI());
  ASSERT_TRUE(instance.Valid());
  SetNonDefaults(instance);
  EXPECT_EQ(ValuesOf(Saved(instance)), (std::vector<double>{0.0, 0.25, 0.75, 0.125, 0.375}));
}

TEST_F(LV2State, RoundTripThroughLilvRestoresTheSameValuesInANewInstance)
{
  LV2TestInstance first(mWorld, StereoURI());
  ASSERT_TRUE(first.Valid());
  SetNonDefaults(first);
  const std::vector<uint8_t> before = Saved(first);

  const std::string text = SavedThroughLilv(first);
  ASSERT_FALSE(text.empty());
  LilvState* reloaded = lilv_state_new_from_string(mWorld.World(), mWorld.Map(), text.c_str());
  ASSERT_NE(reloaded, nullptr);

  LV2TestInstance second(mWorld, StereoURI());
  ASSERT_TRUE(second.Valid());
  lilv_state_restore(reloaded, second.Get(), nullptr, nullptr, 0, second.StateFeatures());
  lilv_state_free(reloaded);
  EXPECT_EQ(Saved(second), before);
}

TEST_F(LV2State, SavingRightAfterTheHostSetsPortsStoresThePortsAndRestoresThemInAFreshInstance)
{
  LV2TestInstance first(mWorld, StereoURI());
  ASSERT_TRUE(first.Valid());
  first.Run(1);
  SetPorts(first);
  // Saved through lilv as a host saves a project, with no run between setting the ports and saving.
  const std::string text = SavedThroughLilv(first);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(ValuesOf(Saved(first)), PortValuesAsTaken());

  // A host that restores the ports as well, and one that restores only the plug-in's state.
  for (const bool setsPorts : {true, false})
  {
    LilvState* reloaded = lilv_state_new_from_string(mWorld.World(), mWorld.Map(), text.c_str());
    ASSERT_NE(reloaded, nullptr);
    LV2TestInstance second(mWorld, StereoURI());
    ASSERT_TRUE(second.Valid());
    auto setPort = [](const char* symbol, void* userData, const void* value, uint32_t size, uint32_t) {
      if (size == sizeof(float))
        std::memcpy(&static_cast<LV2TestInstance*>(userData)->Control(symbol), value, sizeof(float));
    };
    lilv_state_restore(reloaded, second.Get(), setsPorts ? +setPort : nullptr, &second, 0, second.StateFeatures());
    lilv_state_free(reloaded);
    EXPECT_EQ(ValuesOf(Saved(second)), PortValuesAsTaken()) << (setsPorts ? "ports set" : "ports left");
    second.Run(1);
    EXPECT_EQ(ValuesOf(Saved(second)), PortValuesAsTaken()) << (setsPorts ? "ports set" : "ports left");
  }
}

TEST_F(LV2State, RestoredValuesHoldUntilTheHostChangesAPort)
{
  LV2TestInstance instance(mWorld, StereoURI());
  SetPorts(instance);
  instance.Run(1);
  const std::vector<double> restored{1.0, 0.5, 0.125, 0.875, 0.25};
  ASSERT_EQ(Restore(instance, ChunkOf(restored), LV2_ATOM__Chunk), LV2_STATE_SUCCESS);
  instance.Run(1);
  EXPECT_EQ(ValuesOf(Saved(instance)), restored);

  instance.Control("depth") = 0.5f;
  EXPECT_EQ(ValuesOf(Saved(instance)), (std::vector<double>{1.0, 0.5, 0.125, 0.875, 0.5}));
  instance.Run(1);
  EXPECT_EQ(ValuesOf(Saved(instance)), (std::vector<double>{1.0, 0.5, 0.125, 0.875, 0.5}));
}

TEST_F(LV2State, RestoredValuesSurviveTheNextRunWhenThePortsAgree)
{
  LV2TestInstance first(mWorld, StereoURI());
  SetNonDefaults(first);
  const std::vector<uint8_t> before = Saved(first);

  LV2TestInstance second(mWorld, StereoURI());
  ASSERT_EQ(Restore(second, before, LV2_ATOM__Chunk), LV2_STATE_SUCCESS);
  SetNonDefaults(second);
  EXPECT_EQ(Saved(second), before);
}

TEST_F(LV2State, OutOfRangeValuesAreClampedOnRestore)
{
  LV2TestInstance instance(mWorld, StereoURI());
  ASSERT_EQ(Restore(instance, ChunkOf({7.0, -1.0, 0.5, 2.0, 0.25}), LV2_ATOM__Chunk), LV2_STATE_SUCCESS);
  EXPECT_EQ(ValuesOf(Saved(instance)), (std::vector<double>{1.0, 0.0, 0.5, 1.0, 0.25}));
}

TEST_F(LV2State, BadBytesAreRefusedAndChangeNothing)
{
  LV2TestInstance instance(mWorld, StereoURI());
  SetNonDefaults(instance);
  const std::vector<uint8_t> before = Saved(instance);
  const std::vector<uint8_t> good = ChunkOf({1.0, 0.5, 0.5, 0.5, 1.0});

  EXPECT_EQ(Restore(instance, std::vector<uint8_t>(good.begin(), good.end() - 1), LV2_ATOM__Chunk), LV2_STATE_ERR_UNKNOWN);
  EXPECT_EQ(Restore(instance, std::vector<uint8_t>(good.begin(), good.begin() + 24), LV2_ATOM__Chunk), LV2_STATE_ERR_UNKNOWN);
  std::vector<uint8_t> longer = good;
  longer.push_back(0);
  EXPECT_EQ(Restore(instance, longer, LV2_ATOM__Chunk), LV2_STATE_ERR_UNKNOWN);
  EXPECT_EQ(Restore(instance, good, LV2_ATOM__String), LV2_STATE_ERR_BAD_TYPE);
  EXPECT_NE(Restore(instance, {}, LV2_ATOM__Chunk), LV2_STATE_SUCCESS);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double infinity = std::numeric_limits<double>::infinity();
  EXPECT_EQ(Restore(instance, ChunkOf({1.0, nan, 0.5, 0.5, 1.0}), LV2_ATOM__Chunk), LV2_STATE_ERR_UNKNOWN);
  EXPECT_EQ(Restore(instance, ChunkOf({1.0, 0.5, 0.5, -infinity, 1.0}), LV2_ATOM__Chunk), LV2_STATE_ERR_UNKNOWN);
  EXPECT_EQ(Saved(instance), before);
}

TEST_F(LV2State, AByteSwappedChunkIsRefusedAndChangesNothing)
{
  LV2TestInstance instance(mWorld, StereoURI());
  SetNonDefaults(instance);
  const std::vector<uint8_t> before = Saved(instance);
  for (const std::vector<double>& values : {std::vector<double>{1.0, 0.5, 0.5, 0.5, 1.0}, kPortValues,
                                            std::vector<double>{1.0, 0.3, 0.7, 0.9, 0.6},
                                            std::vector<double>{0.0, 0.01, 0.99, 0.33, 0.01}})
  {
    ASSERT_EQ(Restore(instance, ByteSwapped(ChunkOf(values)), LV2_ATOM__Chunk), LV2_STATE_ERR_UNKNOWN) << values[1];
    EXPECT_EQ(Saved(instance), before) << values[1];
  }
  // The same values in the stored order restore.
  ASSERT_EQ(Restore(instance, ChunkOf(kPortValues), LV2_ATOM__Chunk), LV2_STATE_SUCCESS);
  EXPECT_EQ(ValuesOf(Saved(instance)), kPortValues);
}

TEST_F(LV2State, AMissingPropertyIsReportedAndChangesNothing)
{
  LV2TestInstance instance(mWorld, StereoURI());
  SetNonDefaults(instance);
  const std::vector<uint8_t> before = Saved(instance);
  LV2StateStore empty;
  EXPECT_EQ(instance.StateInterface()->restore(lilv_instance_get_handle(instance.Get()), LV2StateStore::Retrieve, &empty,
                                               0, instance.StateFeatures()),
            LV2_STATE_ERR_NO_PROPERTY);
  EXPECT_EQ(Saved(instance), before);
}

TEST_F(LV2State, WithoutAnyURIDMapStateReportsTheMissingFeature)
{
  LV2InstanceOptions options;
  options.withFeatures = false;
  LV2TestInstance instance(mWorld, StereoURI(), options);
  ASSERT_TRUE(instance.Valid());
  const LV2_Feature* none[] = {nullptr};
  LV2StateStore store;
  EXPECT_EQ(instance.StateInterface()->save(lilv_instance_get_handle(instance.Get()), LV2StateStore::Store, &store, 0, none),
            LV2_STATE_ERR_NO_FEATURE);
  EXPECT_TRUE(store.properties.empty());
  EXPECT_EQ(instance.StateInterface()->restore(lilv_instance_get_handle(instance.Get()), LV2StateStore::Retrieve, &store,
                                               0, none),
            LV2_STATE_ERR_NO_FEATURE);
}

TEST_F(LV2State, TheMapHandedToTheStateCallIsEnoughWithoutOneAtInstantiation)
{
  LV2InstanceOptions options;
  options.withFeatures = false;
  LV2TestInstance instance(mWorld, StereoURI(), options);
  ASSERT_TRUE(instance.Valid());
  EXPECT_EQ(Saved(instance).size(), 40u);
}
