#pragma once

#include <string>
#include <vector>

#include "Config.h"

namespace iplug
{
// One LV2 plug-in of a product: its URI, its name and its ports for one accepted channel layout. The
// descriptor and the Turtle description are both made from these records, so the two always agree.
// Ports in index order: one control input per parameter, the meter output (when the product has one),
// the audio inputs, the audio outputs.
struct LV2PluginVariant
{
  std::string mURI;       // the plug-in URI
  std::string mName;      // the name a host lists
  std::string mWord;      // the layout's word: "mono", "stereo", or "<in>-<out>"
  int mNParams = 0;       // control input ports, one per parameter
  bool mHasMeter = false; // a control output port carries the product's meter
  int mNInputs = 0;       // audio input ports
  int mNOutputs = 0;      // audio output ports

  // Index of the meter port (meaningful when mHasMeter).
  int MeterPort() const { return mNParams; }
  // Index of the first audio input port.
  int FirstInputPort() const { return mNParams + (mHasMeter ? 1 : 0); }
  // Index of the first audio output port.
  int FirstOutputPort() const { return FirstInputPort() + mNInputs; }
  // Number of ports.
  int NPorts() const { return FirstOutputPort() + mNOutputs; }
};

// The product's URI stem: <URI base>/<plug-in name> when the configuration gives a URI base, else
// https://<maker's domain>/plugins/<plug-in name>, with the domain read back from the reverse-domain bundle
// identifier, or urn:<maker>:<plug-in name> when the identifier has no domain. [any-thread]
std::string LV2PluginStem(const Config& config);
// URI of the product's editor (its X11 UI): the stem with "#ui". [any-thread]
std::string LV2UIURI(const Config& config);
// URI of the state property that holds the serialized parameter values. [any-thread]
std::string LV2StateKeyURI(const Config& config);
// One variant per accepted layout with at most one input bus and exactly one output bus, in declared order;
// other layouts (wildcards, several buses) have no LV2 form here and are left out. [any-thread]
std::vector<LV2PluginVariant> LV2PluginVariants(const Config& config, bool hasMeter);
// The variant with that URI, or null. [any-thread]
const LV2PluginVariant* FindLV2PluginVariant(const std::vector<LV2PluginVariant>& variants, const char* uri);
} // namespace iplug
