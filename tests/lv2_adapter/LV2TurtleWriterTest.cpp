// The writer of a product's LV2 description on configurations the shipped products do not have: other classes
// and versions, a maker with an e-mail address, a layout without outputs or without any port, and bounds that
// Turtle cannot write. Every text it writes must parse as Turtle and say what the configuration says.

#include <gtest/gtest.h>

#include <serd/serd.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "IPlugLV2.h"
#include "LV2PluginVariant.h"
#include "LV2TurtleWriter.h"

namespace
{
  using iplug::Config;
  using iplug::IPlugLV2;
  using iplug::LV2PluginVariant;
  using iplug::LV2TurtleWriter;

  using Triple = std::tuple<std::string, std::string, std::string>;

  // The statements of a Turtle text with every prefixed name expanded; parsed is false on a syntax error.
  struct ParsedTurtle
  {
    bool parsed = false;
    std::set<Triple> triples;

    bool Has(const std::string& subject, const std::string& predicate, const std::string& object) const
    {
      return triples.count({subject, predicate, object}) > 0;
    }
    bool HasPredicate(const std::string& predicate) const
    {
      for (const Triple& triple : triples)
      {
        if (std::get<1>(triple) == predicate)
          return true;
      }
      return false;
    }
  };

  struct ParseState
  {
    SerdEnv* env;
    ParsedTurtle* result;
  };

  std::string Expanded(SerdEnv* env, const SerdNode* node)
  {
    if (node->type == SERD_CURIE)
    {
      SerdNode uri = serd_env_expand_node(env, node);
      std::string text(reinterpret_cast<const char*>(uri.buf), uri.n_bytes);
      serd_node_free(&uri);
      return text;
    }
    if (node->type == SERD_BLANK)
      return "_:" + std::string(reinterpret_cast<const char*>(node->buf), node->n_bytes);
    return std::string(reinterpret_cast<const char*>(node->buf), node->n_bytes);
  }

  ParsedTurtle ParseTurtle(const std::string& text)
  {
    ParsedTurtle result;
    SerdEnv* env = serd_env_new(nullptr);
    ParseState state{env, &result};
    auto onPrefix = [](void* handle, const SerdNode* name, const SerdNode* uri) {
      return serd_env_set_prefix(static_cast<ParseState*>(handle)->env, name, uri);
    };
    auto onStatement = [](void* handle, SerdStatementFlags, const SerdNode*, const SerdNode* subject,
                          const SerdNode* predicate, const SerdNode* object, const SerdNode*, const SerdNode*) {
      auto* parse = static_cast<ParseState*>(handle);
      parse->result->triples.insert(
        {Expanded(parse->env, subject), Expanded(parse->env, predicate), Expanded(parse->env, object)});
      return SERD_SUCCESS;
    };
    SerdReader* reader = serd_reader_new(SERD_TURTLE, &state, nullptr, nullptr, onPrefix, onStatement, nullptr);
    result.parsed = serd_reader_read_string(reader, reinterpret_cast<const uint8_t*>(text.c_str())) == SERD_SUCCESS;
    serd_reader_free(reader);
    serd_env_free(env);
    return result;
  }

  constexpr const char* kLV2 = "http://lv2plug.in/ns/lv2core#";
  constexpr const char* kDoap = "http://usefulinc.com/ns/doap#";
  constexpr const char* kFoaf = "http://xmlns.com/foaf/0.1/";
  constexpr const char* kType = "http://www.w3.org/1999/02/22-rdf-syntax-ns#type";
  constexpr const char* kURI = "https://example.org/plugins/Probe/stereo";

  Config ProbeConfig()
  {
    return Config{.paramCount = 1,
                  .channelIO = "2-2",
                  .pluginName = "Probe",
                  .productName = "Probe",
                  .makerName = "Example Audio",
                  .vendorVersion = 0x00020304,
                  .bundleId = "org.example.Probe",
                  .lv2Class = "UtilityPlugin",
                  .makerURL = "https://example.org",
                  .makerEmail = "plugins@example.org",
                  .licenseURI = "https://example.org/licence"};
  }

  LV2PluginVariant Variant(int nInputs, int nOutputs, int nParams)
  {
    LV2PluginVariant variant;
    variant.mURI = kURI;
    variant.mName = "Probe";
    variant.mWord = "stereo";
    variant.mNParams = nParams;
    variant.mNInputs = nInputs;
    variant.mNOutputs = nOutputs;
    return variant;
  }

  // A plug-in of config with one gain parameter between minimum and maximum.
  struct Probe
  {
    explicit Probe(const Config& config, double minimum = -60.0, double maximum = 12.0)
      : plug(iplug::InstanceInfo(), config)
    {
      plug.GetParam(0)->InitDouble("Gain", 0.0, minimum, maximum, 0.1, "dB");
    }
    IPlugLV2 plug;
  };
}

TEST(LV2TurtleWriter, ThePluginHasTheConfiguredClassVersionLicenceAndMaintainer)
{
  const Config config = ProbeConfig();
  Probe probe(config);
  const LV2TurtleWriter writer(probe.plug, config, {Variant(2, 2, 1)}, "Probe.so", "Probe.ttl");
  ASSERT_EQ(writer.Refusal(), "");
  const ParsedTurtle turtle = ParseTurtle(writer.Description());
  ASSERT_TRUE(turtle.parsed) << writer.Description();

  EXPECT_TRUE(turtle.Has(kURI, kType, std::string(kLV2) + "Plugin"));
  EXPECT_TRUE(turtle.Has(kURI, kType, std::string(kLV2) + "UtilityPlugin"));
  EXPECT_FALSE(turtle.Has(kURI, kType, std::string(kDoap) + "Project"));
  EXPECT_TRUE(turtle.Has(kURI, std::string(kLV2) + "minorVersion", "2006"));
  EXPECT_TRUE(turtle.Has(kURI, std::string(kLV2) + "microVersion", "8"));
  EXPECT_TRUE(turtle.Has(kURI, std::string(kDoap) + "license", "https://example.org/licence"));
  const std::string project = "https://example.org/plugins/Probe";
  EXPECT_TRUE(turtle.Has(kURI, std::string(kLV2) + "project", project));
  EXPECT_TRUE(turtle.Has(project, kType, std::string(kDoap) + "Project"));
  std::string maintainer;
  for (const Triple& triple : turtle.triples)
  {
    if (std::get<0>(triple) == project && std::get<1>(triple) == std::string(kDoap) + "maintainer")
      maintainer = std::get<2>(triple);
  }
  ASSERT_FALSE(maintainer.empty());
  EXPECT_TRUE(turtle.Has(maintainer, std::string(kFoaf) + "name", "Example Audio"));
  EXPECT_TRUE(turtle.Has(maintainer, std::string(kFoaf) + "homepage", "https://example.org"));
  EXPECT_TRUE(turtle.Has(maintainer, std::string(kFoaf) + "mbox", "mailto:plugins@example.org"));
}

TEST(LV2TurtleWriter, AMakerWithoutAddressesAndAProductWithoutLicenceWriteNeither)
{
  Config config = ProbeConfig();
  config.makerURL = "";
  config.makerEmail = "";
  config.licenseURI = "";
  Probe probe(config);
  const LV2TurtleWriter writer(probe.plug, config, {Variant(2, 2, 1)}, "Probe.so", "Probe.ttl");
  const ParsedTurtle turtle = ParseTurtle(writer.Description());
  ASSERT_TRUE(turtle.parsed) << writer.Description();
  EXPECT_FALSE(turtle.HasPredicate(std::string(kDoap) + "license"));
  EXPECT_FALSE(turtle.HasPredicate(std::string(kFoaf) + "homepage"));
  EXPECT_FALSE(turtle.HasPredicate(std::string(kFoaf) + "mbox"));
  EXPECT_TRUE(turtle.HasPredicate(std::string(kFoaf) + "name"));
}

TEST(LV2TurtleWriter, AVariantWithoutOutputsOrWithoutAnyPortIsCompleteTurtle)
{
  const Config config = ProbeConfig();
  Probe probe(config);
  for (const LV2PluginVariant& variant : {Variant(2, 0, 1), Variant(1, 0, 0), Variant(0, 0, 0)})
  {
    // A second plug-in after it: the first one's statements must have been closed.
    LV2PluginVariant next = Variant(2, 2, 1);
    next.mURI += "-next";
    const LV2TurtleWriter writer(probe.plug, config, {variant, next}, "Probe.so", "Probe.ttl");
    const std::string text = writer.Description();
    const ParsedTurtle turtle = ParseTurtle(text);
    EXPECT_TRUE(turtle.parsed) << text;
    EXPECT_TRUE(turtle.Has(kURI, kType, std::string(kLV2) + "UtilityPlugin")) << text;
    size_t ports = 0;
    for (const Triple& triple : turtle.triples)
      ports += std::get<0>(triple) == kURI && std::get<1>(triple) == std::string(kLV2) + "port";
    EXPECT_EQ(ports, static_cast<size_t>(variant.NPorts())) << text;
    EXPECT_TRUE(turtle.Has(next.mURI, kType, std::string(kLV2) + "UtilityPlugin")) << text;
  }
}

TEST(LV2TurtleWriter, NonFiniteBoundsAreRefusedAndNothingIsWritten)
{
  const Config config = ProbeConfig();
  const double infinity = std::numeric_limits<double>::infinity();
  for (const auto& [minimum, maximum] : std::vector<std::pair<double, double>>{{-infinity, 0.0}, {0.0, infinity}})
  {
    Probe probe(config, minimum, maximum);
    const LV2TurtleWriter writer(probe.plug, config, {Variant(2, 2, 1)}, "Probe.so", "Probe.ttl");
    EXPECT_NE(writer.Refusal().find("Gain"), std::string::npos) << writer.Refusal();

    const std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "lv2-writer-refused";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::string error;
    EXPECT_FALSE(writer.WriteBundle(folder.string(), error));
    EXPECT_EQ(error, writer.Refusal());
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    std::filesystem::remove_all(folder);
  }
}

TEST(LV2TurtleWriter, AClassThatIsNotOneOfLv2coresIsRefused)
{
  for (const char* lv2Class : {"", "Dynamics", "doap:Project", "lv2:DynamicsPlugin"})
  {
    Config config = ProbeConfig();
    config.lv2Class = lv2Class;
    Probe probe(config);
    const LV2TurtleWriter writer(probe.plug, config, {Variant(2, 2, 1)}, "Probe.so", "Probe.ttl");
    EXPECT_NE(writer.Refusal().find("lv2Class"), std::string::npos) << lv2Class;
  }
}

TEST(LV2Version, ReleasesMapToEvenNumbersThatGrowWithTheVersion)
{
  EXPECT_EQ(iplug::LV2VersionOf(0x00010102).minor, 1002);
  EXPECT_EQ(iplug::LV2VersionOf(0x00010102).micro, 4);
  EXPECT_EQ(iplug::LV2VersionOf(0x00000003).minor, 0);

  const std::vector<int> ascending{0x00000100, 0x00000101, 0x000001FF, 0x00000200, 0x0000FFFF,
                                   0x00010000, 0x00010001, 0x0001FF00, 0x00020000, 0x7FFFFFFF};
  for (size_t i = 0; i < ascending.size(); ++i)
  {
    const iplug::LV2Version version = iplug::LV2VersionOf(ascending[i]);
    EXPECT_GT(version.minor, 0) << std::hex << ascending[i];
    EXPECT_EQ(version.minor % 2, 0) << std::hex << ascending[i];
    EXPECT_EQ(version.micro % 2, 0) << std::hex << ascending[i];
    if (i > 0)
    {
      const iplug::LV2Version earlier = iplug::LV2VersionOf(ascending[i - 1]);
      EXPECT_TRUE(std::tie(earlier.minor, earlier.micro) < std::tie(version.minor, version.micro))
        << std::hex << ascending[i - 1] << " then " << ascending[i];
    }
  }
}
