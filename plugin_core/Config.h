#pragma once

#include <algorithm>

namespace iplug
{
// The compiled-in configuration of a plug-in, built by the product's constructor and handed by value to the
// framework bases. Texts are not owned: the product passes string literals that outlive every instance.
struct Config
{
  int paramCount;          // number of parameters
  int presetCount;         // number of preset slots created
  const char* channelIO;   // accepted channel layouts, e.g. "1-1 2-2"
  const char* pluginName;  // plug-in name
  const char* productName; // product name
  const char* makerName;   // manufacturer name
  int vendorVersion;       // major << 16 | minor << 8 | bug-fix
  int uniqueId;            // four-character plug-in code
  int makerId;             // four-character manufacturer code
  int latencySamples;      // initial latency in samples
  bool receivesMidi;       // accepts MIDI input
  bool sendsMidi;          // produces MIDI output
  bool handlesMpe;         // understands MIDI polyphonic expression
  bool usesStateChunks;    // state is stored as an opaque chunk
  int pluginKind;          // 0 effect, 1 instrument, 2 MIDI effect
  bool hasEditor;          // the plug-in offers an editor
  int editorWidth;         // editor width in pixels
  int editorHeight;        // editor height in pixels
  int editorMinWidth;      // smallest editor width in pixels
  int editorMaxWidth;      // largest editor width in pixels
  int editorMinHeight;     // smallest editor height in pixels
  int editorMaxHeight;     // largest editor height in pixels
  bool hostCanResize;      // the host may resize the editor
  const char* bundleId;    // bundle identifier

  // Takes every field in declared order; each size limit pair is stored sorted, so min <= max always holds.
  Config(int nParams, int nPresets, const char* channelIOStr, const char* plugName, const char* productNameStr,
         const char* mfrName, int vendorVersionNum, int uniqueIdCode, int mfrId, int latency, bool plugDoesMidiIn,
         bool plugDoesMidiOut, bool plugDoesMpe, bool plugDoesChunks, int plugType, bool plugHasUI, int plugWidth,
         int plugHeight, int plugMinWidth, int plugMaxWidth, int plugMinHeight, int plugMaxHeight,
         bool plugHostResize, const char* bundleIdStr)
    : paramCount(nParams)
    , presetCount(nPresets)
    , channelIO(channelIOStr)
    , pluginName(plugName)
    , productName(productNameStr)
    , makerName(mfrName)
    , vendorVersion(vendorVersionNum)
    , uniqueId(uniqueIdCode)
    , makerId(mfrId)
    , latencySamples(latency)
    , receivesMidi(plugDoesMidiIn)
    , sendsMidi(plugDoesMidiOut)
    , handlesMpe(plugDoesMpe)
    , usesStateChunks(plugDoesChunks)
    , pluginKind(plugType)
    , hasEditor(plugHasUI)
    , editorWidth(plugWidth)
    , editorHeight(plugHeight)
    , editorMinWidth(std::min(plugMinWidth, plugMaxWidth))
    , editorMaxWidth(std::max(plugMinWidth, plugMaxWidth))
    , editorMinHeight(std::min(plugMinHeight, plugMaxHeight))
    , editorMaxHeight(std::max(plugMinHeight, plugMaxHeight))
    , hostCanResize(plugHostResize)
    , bundleId(bundleIdStr)
  {
  }
};
} // namespace iplug
