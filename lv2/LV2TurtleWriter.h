#pragma once

#include <string>
#include <vector>

#include "Config.h"
#include "IPlugLV2.h"
#include "LV2PluginVariant.h"

namespace iplug
{
// An LV2 version: lv2:minorVersion and lv2:microVersion.
struct LV2Version
{
  int minor = 0; // lv2:minorVersion
  int micro = 0; // lv2:microVersion
};

// The LV2 version of a packed three-part version (major << 16 | minor << 8 | bug-fix). [any-thread]
LV2Version LV2VersionOf(int packedVersion);

// Writes a product's LV2 bundle description from a live instance, so the bundle never repeats by hand what
// the product declares: manifest.ttl names each plug-in URI with its binary and description file, and the
// description file gives each URI its ports with the parameters' names, ranges, defaults, display texts,
// units and flags, and the plug-in itself its class, version, licence and maintainer. [main-thread]
class LV2TurtleWriter
{
public:
  // plug supplies names and parameters and must outlive the writer; config is the one plug was made with
  // (its texts must outlive the writer too); binaryName is the plug-in binary's file name inside the bundle
  // and descriptionName the description file's.
  LV2TurtleWriter(const IPlugLV2& plug, const Config& config, std::vector<LV2PluginVariant> variants,
                  std::string binaryName, std::string descriptionName);

  // Declares the product's editor: the X11 UI uiURI in the binary uiBinaryName of the bundle (empty: none).
  void SetUI(std::string uiURI, std::string uiBinaryName)
  {
    mUIURI = std::move(uiURI);
    mUIBinaryName = std::move(uiBinaryName);
  }
  // Why the product cannot be described (a class that is not one of lv2core's, a non-finite default, bound or
  // display value: Turtle has no literal for those), or empty when it can.
  std::string Refusal() const;
  // The text of manifest.ttl.
  std::string Manifest() const;
  // The text of the description file; meaningful only when Refusal() is empty.
  std::string Description() const;
  // The port symbol of parameter paramIdx: its name in lower case, every other character an underscore,
  // made unique with the index when an earlier parameter has the same symbol.
  std::string ParamSymbol(int paramIdx) const;
  // Writes manifest.ttl and the description file into the bundle folder; false, with the reason in error and
  // nothing written, when the product cannot be described, and false when a file cannot be written.
  bool WriteBundle(const std::string& bundleDir, std::string& error) const;

private:
  // The description of one plug-in URI.
  void DescribeVariant(const LV2PluginVariant& variant, std::string& out) const;
  // The statements of one plug-in URI about itself: class, name, project, version and licence.
  void DescribePlugin(const LV2PluginVariant& variant, std::string& out) const;
  // The project all plug-in URIs are part of, with its maintainer.
  void DescribeProject(std::string& out) const;
  // The control input port of parameter paramIdx.
  void DescribeParam(int paramIdx, std::string& out) const;
  // The meter's control output port at index.
  void DescribeMeter(int index, std::string& out) const;
  // One audio port: channel of nChannels on route, at index.
  void DescribeAudio(ERoute route, int channel, int nChannels, int index, std::string& out) const;

  const IPlugLV2& mPlug;
  Config mConfig;
  std::vector<LV2PluginVariant> mVariants;
  std::string mBinaryName;
  std::string mDescriptionName;
  std::string mUIURI;
  std::string mUIBinaryName;
};
} // namespace iplug
