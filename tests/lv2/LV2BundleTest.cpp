// The bundle as lilv reads it: two plug-in URIs (mono and stereo) sharing one binary that exports only
// lv2_descriptor, ports generated from the product's parameters, and no feature a host must provide.

#include <gtest/gtest.h>

#include <lilv/lilv.h>
#include <lv2/port-props/port-props.h>

#include <map>
#include <set>
#include <string>

#include "LV2TestHost.h"
#include "support/ElfExports.h"

namespace
{
  const LilvPort* PortBySymbol(LV2TestWorld& world, const LilvPlugin* plugin, const char* symbol)
  {
    LilvNode* node = lilv_new_string(world.World(), symbol);
    const LilvPort* port = lilv_plugin_get_port_by_symbol(plugin, node);
    lilv_node_free(node);
    return port;
  }

  bool HasProperty(LV2TestWorld& world, const LilvPlugin* plugin, const LilvPort* port, const char* uri)
  {
    LilvNode* node = world.NewURI(uri);
    const bool has = lilv_port_has_property(plugin, port, node);
    lilv_node_free(node);
    return has;
  }
}

TEST(LV2Bundle, DeclaresAMonoAndAStereoPluginInOneBinary)
{
  LV2TestWorld world;
  EXPECT_EQ(lilv_plugins_size(lilv_world_get_all_plugins(world.World())), 2u);
  const LilvPlugin* stereo = world.Plugin(StereoURI());
  const LilvPlugin* mono = world.Plugin(MonoURI());
  ASSERT_NE(stereo, nullptr);
  ASSERT_NE(mono, nullptr);
  EXPECT_STREQ(lilv_node_as_uri(lilv_plugin_get_library_uri(stereo)), lilv_node_as_uri(lilv_plugin_get_library_uri(mono)));
  EXPECT_EQ(lilv_plugin_get_num_ports(stereo), 10u);
  EXPECT_EQ(lilv_plugin_get_num_ports(mono), 8u);
  LilvNode* name = lilv_plugin_get_name(stereo);
  EXPECT_STREQ(lilv_node_as_string(name), "Tidewell Stereo");
  lilv_node_free(name);
}

TEST(LV2Bundle, TheBinaryExportsOnlyTheDescriptor)
{
  EXPECT_EQ(ExportedNames(std::string(TIDEWELL_LV2_BUNDLE_PATH) + "/Tidewell.so"),
            (std::set<std::string>{"lv2_descriptor"}));
}

TEST(LV2Bundle, NoFeatureIsRequiredAndLatencyIsNone)
{
  LV2TestWorld world;
  const LilvPlugin* plugin = world.Plugin(StereoURI());
  ASSERT_NE(plugin, nullptr);
  LilvNodes* required = lilv_plugin_get_required_features(plugin);
  EXPECT_EQ(lilv_nodes_size(required), 0u);
  lilv_nodes_free(required);
  EXPECT_FALSE(lilv_plugin_has_latency(plugin));
}

TEST(LV2Bundle, DuckIsAnEnumerationOfBypassedAndDucking)
{
  LV2TestWorld world;
  const LilvPlugin* plugin = world.Plugin(StereoURI());
  ASSERT_NE(plugin, nullptr);
  const LilvPort* duck = PortBySymbol(world, plugin, "duck");
  ASSERT_NE(duck, nullptr);
  EXPECT_EQ(lilv_port_get_index(plugin, duck), 0u);
  EXPECT_TRUE(HasProperty(world, plugin, duck, LV2_CORE__enumeration));
  EXPECT_TRUE(HasProperty(world, plugin, duck, LV2_CORE__integer));
  EXPECT_FALSE(HasProperty(world, plugin, duck, LV2_PORT_PROPS__notAutomatic));
  LilvScalePoints* points = lilv_port_get_scale_points(plugin, duck);
  ASSERT_NE(points, nullptr);
  std::map<float, std::string> labels;
  LILV_FOREACH(scale_points, i, points)
  {
    const LilvScalePoint* point = lilv_scale_points_get(points, i);
    labels[lilv_node_as_float(lilv_scale_point_get_value(point))] = lilv_node_as_string(lilv_scale_point_get_label(point));
  }
  lilv_scale_points_free(points);
  EXPECT_EQ(labels, (std::map<float, std::string>{{0.f, "Bypassed"}, {1.f, "Ducking"}}));
}

TEST(LV2Bundle, ContinuousParametersCarryRangeDefaultAndNotAutomatic)
{
  LV2TestWorld world;
  const LilvPlugin* plugin = world.Plugin(StereoURI());
  ASSERT_NE(plugin, nullptr);
  const std::map<std::string, float> defaults{{"period", 0.5f}, {"random", 0.5f}, {"duration", 0.5f}, {"depth", 1.f}};
  for (const auto& [symbol, expected] : defaults)
  {
    const LilvPort* port = PortBySymbol(world, plugin, symbol.c_str());
    ASSERT_NE(port, nullptr) << symbol;
    LilvNode *def = nullptr, *min = nullptr, *max = nullptr;
    lilv_port_get_range(plugin, port, &def, &min, &max);
    EXPECT_EQ(lilv_node_as_float(def), expected) << symbol;
    EXPECT_EQ(lilv_node_as_float(min), 0.f) << symbol;
    EXPECT_EQ(lilv_node_as_float(max), 1.f) << symbol;
    lilv_node_free(def);
    lilv_node_free(min);
    lilv_node_free(max);
    EXPECT_TRUE(HasProperty(world, plugin, port, LV2_PORT_PROPS__notAutomatic)) << symbol;
    EXPECT_FALSE(HasProperty(world, plugin, port, LV2_CORE__integer)) << symbol;
  }
}

TEST(LV2Bundle, TheMeterIsAControlOutputAfterTheParameters)
{
  LV2TestWorld world;
  const LilvPlugin* plugin = world.Plugin(StereoURI());
  ASSERT_NE(plugin, nullptr);
  const LilvPort* meter = PortBySymbol(world, plugin, "meter");
  ASSERT_NE(meter, nullptr);
  EXPECT_EQ(lilv_port_get_index(plugin, meter), 5u);
  LilvNode* output = world.NewURI(LV2_CORE__OutputPort);
  LilvNode* control = world.NewURI(LV2_CORE__ControlPort);
  EXPECT_TRUE(lilv_port_is_a(plugin, meter, output));
  EXPECT_TRUE(lilv_port_is_a(plugin, meter, control));
  lilv_node_free(output);
  lilv_node_free(control);
}

TEST(LV2Bundle, InstantiatesWithoutAnyHostFeatureAndAtTheHostsRate)
{
  LV2TestWorld world;
  LV2InstanceOptions options;
  options.withFeatures = false;
  options.sampleRate = 44100.0;
  LV2TestInstance instance(world, StereoURI(), options);
  ASSERT_TRUE(instance.Valid());
  instance.Control("period") = 0.f;
  instance.Control("duration") = 0.f;
  // At 44.1 kHz the first dip starts at 441000 and its middle, where the meter peaks, 22050 frames later.
  instance.Process(std::vector<float>((441000 + 22050) * 2, 0.f), 50);
  EXPECT_NEAR(instance.Control("meter"), 1.f, 1e-3f);
}

TEST(LV2Bundle, ASampleRateOfZeroIsRefused)
{
  LV2TestWorld world;
  const LilvPlugin* plugin = world.Plugin(StereoURI());
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(lilv_plugin_instantiate(plugin, 0.0, nullptr), nullptr);
}
