// Writes the bundle description of the product this program is built with, at build time:
//   <program> BUNDLE_DIR BINARY_NAME DESCRIPTION_NAME [UI_BINARY_NAME]
// Exits non-zero, with one line on stderr, when the product cannot be made or a file cannot be written.

#include <cstdio>
#include <memory>
#include <string>

#include "LV2PluginVariant.h"
#include "LV2TurtleWriter.h"
#include "PluginEntry.h"

int main(int argc, char** argv)
{
  if (argc != 4 && argc != 5)
  {
    std::fprintf(stderr, "usage: %s BUNDLE_DIR BINARY_NAME DESCRIPTION_NAME [UI_BINARY_NAME]\n", argv[0]);
    return 2;
  }
  const std::unique_ptr<iplug::IPlugLV2> plug(iplug::MakePlug(iplug::InstanceInfo()));
  if (!plug)
  {
    std::fprintf(stderr, "cannot make the plug-in\n");
    return 1;
  }
  const iplug::Config config = iplug::MakePlugConfig();
  iplug::LV2TurtleWriter writer(*plug, config, iplug::LV2PluginVariants(config, iplug::PlugHasMeter()), argv[2],
                                argv[3]);
  if (argc == 5)
    writer.SetUI(iplug::LV2UIURI(iplug::MakePlugConfig()), argv[4]);
  std::string refusal;
  if (!writer.WriteBundle(argv[1], refusal))
  {
    if (!refusal.empty())
      std::fprintf(stderr, "cannot describe %s in LV2: %s\n", config.pluginName, refusal.c_str());
    else
      std::fprintf(stderr, "cannot write the description into %s\n", argv[1]);
    return 1;
  }
  return 0;
}
