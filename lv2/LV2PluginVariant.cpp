#include "LV2PluginVariant.h"

#include <cstring>
#include <sstream>

#include "IOConfig.h"
#include "IPlugProcessor.h"
#include "WDL_PtrList.h"

namespace iplug
{
namespace
{
  std::vector<std::string> SplitAtDots(const char* text)
  {
    std::vector<std::string> labels;
    std::istringstream stream(text ? text : "");
    std::string label;
    while (std::getline(stream, label, '.'))
      labels.push_back(label);
    return labels;
  }

  std::string LayoutWord(int nInputs, int nOutputs)
  {
    if (nInputs == nOutputs || nInputs == 0)
    {
      if (nOutputs == 1)
        return "mono";
      if (nOutputs == 2)
        return "stereo";
    }
    return std::to_string(nInputs) + "-" + std::to_string(nOutputs);
  }

  std::string Capitalized(std::string word)
  {
    if (!word.empty() && word[0] >= 'a' && word[0] <= 'z')
      word[0] = static_cast<char>(word[0] - 'a' + 'A');
    return word;
  }

  // Channels of the layout's only bus on route; 0 without a bus, -1 for a wildcard or several buses.
  int SingleBusChannels(const IOConfig& layout, ERoute route)
  {
    const int nBuses = layout.NBuses(route);
    if (nBuses == 0)
      return 0;
    if (nBuses > 1)
      return -1;
    const int nChans = layout.GetBusInfo(route, 0)->mNChans;
    return nChans > 0 ? nChans : -1;
  }
}

std::string LV2PluginStem(const Config& config)
{
  if (config.uriBase && config.uriBase[0])
    return std::string(config.uriBase) + "/" + config.pluginName;
  const std::vector<std::string> labels = SplitAtDots(config.bundleId);
  if (labels.size() < 2 || labels[0].empty() || labels[1].empty())
    return std::string("urn:") + config.makerName + ":" + config.pluginName;
  return "https://" + labels[1] + "." + labels[0] + "/plugins/" + config.pluginName;
}

std::string LV2UIURI(const Config& config)
{
  return LV2PluginStem(config) + "#ui";
}

std::string LV2StateKeyURI(const Config& config)
{
  return LV2PluginStem(config) + "#parameters";
}

std::vector<LV2PluginVariant> LV2PluginVariants(const Config& config, bool hasMeter)
{
  WDL_PtrList_DeleteOnDestroy<IOConfig> layouts;
  int maxIn = 0, maxOut = 0, maxInBuses = 0, maxOutBuses = 0;
  IPlugProcessor::ParseChannelIOStr(config.channelIO, layouts, maxIn, maxOut, maxInBuses, maxOutBuses);

  std::vector<LV2PluginVariant> variants;
  for (int i = 0; i < layouts.GetSize(); ++i)
  {
    const int nIn = SingleBusChannels(*layouts.Get(i), kInput);
    const int nOut = SingleBusChannels(*layouts.Get(i), kOutput);
    if (nIn < 0 || nOut <= 0)
      continue;
    LV2PluginVariant variant;
    variant.mWord = LayoutWord(nIn, nOut);
    variant.mURI = LV2PluginStem(config) + "/" + variant.mWord;
    variant.mName = std::string(config.pluginName) + " " + Capitalized(variant.mWord);
    variant.mNParams = config.paramCount;
    variant.mHasMeter = hasMeter;
    variant.mNInputs = nIn;
    variant.mNOutputs = nOut;
    variants.push_back(variant);
  }
  return variants;
}

const LV2PluginVariant* FindLV2PluginVariant(const std::vector<LV2PluginVariant>& variants, const char* uri)
{
  if (!uri)
    return nullptr;
  for (const LV2PluginVariant& variant : variants)
  {
    if (variant.mURI == uri)
      return &variant;
  }
  return nullptr;
}
} // namespace iplug
