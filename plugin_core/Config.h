#pragma once

namespace iplug
{
// The compiled-in configuration of a plug-in, filled by the product by name (designated initializers) and
// handed by value to the framework bases. Texts are not owned: the product passes string literals that
// outlive every instance. Each editor size limit pair may be given in either order; the editor delegate
// keeps the smaller as minimum and the larger as maximum.
struct Config
{
  int paramCount = 0;              // number of parameters
  int presetCount = 0;             // number of preset slots created
  const char* channelIO = "";      // accepted channel layouts, e.g. "1-1 2-2"
  const char* pluginName = "";     // plug-in name
  const char* productName = "";    // product name
  const char* makerName = "";      // manufacturer name
  int vendorVersion = 0;           // major << 16 | minor << 8 | bug-fix
  int uniqueId = 0;                // four-character plug-in code
  int makerId = 0;                 // four-character manufacturer code
  int latencySamples = 0;          // initial latency in samples
  bool receivesMidi = false;       // accepts MIDI input
  bool sendsMidi = false;          // produces MIDI output
  bool handlesMpe = false;         // understands MIDI polyphonic expression
  bool usesStateChunks = false;    // state is stored as an opaque chunk
  int pluginKind = 0;              // 0 effect, 1 instrument, 2 MIDI effect
  bool hasEditor = false;          // the plug-in offers an editor
  int editorWidth = 0;             // editor width in pixels
  int editorHeight = 0;            // editor height in pixels
  int editorMinWidth = 0;          // smallest editor width in pixels
  int editorMaxWidth = 0;          // largest editor width in pixels
  int editorMinHeight = 0;         // smallest editor height in pixels
  int editorMaxHeight = 0;         // largest editor height in pixels
  bool hostCanResize = false;      // the host may resize the editor
  const char* bundleId = "";       // bundle identifier
  const char* lv2Class = "";       // the plug-in's LV2 class: a class name of lv2core, e.g. "DynamicsPlugin"
  const char* makerURL = "";       // the maker's web address; empty: none
  const char* makerEmail = "";     // the maker's e-mail address, without "mailto:"; empty: none
  const char* licenseURI = "";     // URI of the licence the plug-in is distributed under; empty: none
  const char* uriBase = "";        // base of the plug-in's URIs (LV2), <uriBase>/<pluginName>; empty: from bundleId
};
} // namespace iplug
