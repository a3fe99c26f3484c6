#pragma once

#include <cstdint>
#include <functional>

#include "EAPI.h"
#include "IByteChunk.h"
#include "IGEditorDelegate.h"
#include "IParam.h"
#include "IPreset.h"
#include "WDL_PtrList.h"
#include "WDL_String.h"

namespace iplug
{

// What every plug-in instance knows about itself whatever the host protocol: names, codes and version, its
// preset slots, and the serialization of its state into an IByteChunk. Also bulk operations over parameters,
// version and build strings, and developer tools that write preset source text and VST 2 preset files.
// Everything here runs on the main thread unless stated otherwise; no lock is taken.
class IPluginBase : public igraphics::IGEditorDelegate
{
public:
  // Creates nParams parameters (see IEditorDelegate) and nPresets uninitialised preset slots named "empty".
  IPluginBase(int nParams, int nPresets);
  ~IPluginBase() override = default;

  // Identity and configuration (set by the host-facing base from the plug-in's Config).

  // Plug-in name.
  const char* GetPluginName() const { return mPluginName.Get(); }
  // Product name.
  const char* GetProductName() const { return mProductName.Get(); }
  // Manufacturer name.
  const char* GetMfrName() const { return mMfrName.Get(); }
  // Four-character plug-in code.
  int GetUniqueID() const { return mUniqueID; }
  // Four-character manufacturer code.
  int GetMfrID() const { return mMfrID; }
  // Host identifier: -1 until the host is identified, 0 for an unknown host.
  int GetHost() const { return mHost; }
  // Host protocol of this instance.
  EAPI GetAPI() const { return mAPI; }
  // Bundle identifier.
  const char* GetBundleID() const { return mBundleID.Get(); }
  // The plug-in offers an editor.
  bool HasUI() const { return mHasUI; }
  // The host may resize the editor.
  bool GetHostResize() const { return mHostResize; }
  // State and presets are stored as opaque chunks rather than parameter lists.
  bool DoesStateChunks() const { return mStateChunks; }

  // Parameter groups, the host adapter's 1-based "clump" table.

  // Number of group names collected.
  int NParamGroups() const { return mParamGroups.GetSize(); }
  // Group name at idx, or "" out of range.
  const char* GetParamGroupName(int idx) const;
  // Appends a group name (null reads as empty); returns the new number of names.
  int AddParamGroup(const char* name);

  // Version and build strings.

  // The packed version (major << 16 | minor << 8 | bug-fix), or major*1000 + minor*100 + bug-fix*10 when decimal.
  int GetPluginVersion(bool decimal) const { return decimal ? DecimalVersion(mVersion) : mVersion; }
  // Writes "v<major>.<minor>.<bug-fix>".
  void GetPluginVersionStr(WDL_String& str) const { VersionStr(mVersion, str); }
  // The host's version, packed like the plug-in's (0 until the host is identified), or its decimal form.
  int GetHostVersion(bool decimal) const { return decimal ? DecimalVersion(mHostVersion) : mHostVersion; }
  // Writes the host's version as "v<major>.<minor>.<bug-fix>".
  void GetHostVersionStr(WDL_String& str) const { VersionStr(mHostVersion, str); }
  // Name of the host protocol ("AU"), or "" for an unknown kind. Static text.
  const char* GetAPIStr() const { return GetAPIName(mAPI); }
  // Name of the processor architecture. Static text.
  const char* GetArchStr() const { return "x86-64"; }
  // Writes "<version> <api> (<arch>), built on <date> at <first five characters of time> " (null texts read as empty).
  void GetBuildInfoStr(WDL_String& str, const char* date, const char* time) const;

  // State (the host's main thread).

  // Tells the host that parameter names, ranges or groups changed; the host adapter overrides it.
  virtual void InformHostOfParameterDetailsChange() {}
  // Appends the plug-in's state to chunk; returns success. Default: SerializeParams.
  virtual bool SerializeState(IByteChunk& chunk) const { return SerializeParams(chunk); }
  // Restores the state at startPos; returns the next position, or -1 when short. Default: UnserializeParams.
  virtual int UnserializeState(const IByteChunk& chunk, int startPos) { return UnserializeParams(chunk, startPos); }
  // Appends a VST 3 controller's separate state; nothing to write by default.
  virtual bool SerializeVST3CtrlrState(IByteChunk& /*chunk*/) const { return true; }
  // Reads a VST 3 controller's separate state; consumes nothing by default.
  virtual int UnserializeVST3CtrlrState(const IByteChunk& /*chunk*/, int startPos) { return startPos; }
  // Tells the host that the current preset or the preset list changed; the host adapter overrides it.
  virtual void InformHostOfPresetChange() {}
  // Called after a preset was restored or created by a restore.
  virtual void OnPresetsModified() {}

  // Appends each parameter's real value as an 8-byte double, in index order; true when the chunk is non-empty.
  bool SerializeParams(IByteChunk& chunk) const;
  // Sets each parameter from a double at startPos on (a failed read sets 0, stops and gives -1); then OnParamReset.
  int UnserializeParams(const IByteChunk& chunk, int startPos);

  // Presets.

  // Number of preset slots.
  int NPresets() const { return mPresets.GetSize(); }
  // Index of the current preset (may be out of range when there are no presets).
  int GetCurrentPresetIdx() const { return mCurrentPresetIdx; }
  // The preset at idx (owned here), or null out of range.
  const IPreset* GetPreset(int idx) const { return mPresets.Get(idx); }
  // Name of the preset at idx, or "" out of range. Valid until the preset changes.
  const char* GetPresetName(int idx) const;

  // Up to nPresets times, the first uninitialised slot takes the current state and name (null gives "Empty").
  void MakeDefaultPreset(const char* name = nullptr, int nPresets = 1);
  // The first free slot takes name and one value per parameter: an int for bool, int and enum ones, else a double.
  void MakePreset(const char* name, ...);
  // Like MakePreset from nParamsNamed (int index, double value) pairs; unnamed ones take their current value.
  void MakePresetFromNamedParams(const char* name, int nParamsNamed, ...);
  // The first uninitialised slot takes name and a copy of chunk's bytes.
  void MakePresetFromChunk(const char* name, const IByteChunk& chunk);
  // The first free slot takes name and sizeOfChunk bytes decoded from base64 blob, zero past the decoded ones.
  void MakePresetFromBlob(const char* name, const char* blob, int sizeOfChunk);
  // Every uninitialised slot becomes "Empty" with the current state.
  void EnsureDefaultPreset();
  // Removes and destroys every uninitialised slot; the current index follows its preset (0 if that was removed).
  void PruneUninitializedPresets();
  // Recalls preset idx (a free slot becomes "user preset <n>" with the current state); then OnRestoreState.
  bool RestorePreset(int idx);
  // Recalls the first preset whose name equals name exactly; false for a null or empty name or no match.
  bool RestorePreset(const char* name);
  // Refills the current preset with the current state and renames it when name is non-empty.
  void ModifyCurrentPreset(const char* name = nullptr);
  // Appends every preset: its name (PutStr), an initialised byte and, when initialised, its state bytes.
  bool SerializePresets(IByteChunk& chunk) const;
  // Reads every slot as SerializePresets wrote it and recalls the current one; a bad chunk changes nothing (-1).
  int UnserializePresets(const IByteChunk& chunk, int startPos);

  // Parameters in bulk. Ranges are inclusive and clipped to the existing indices; groups match by exact text.

  // Calls func(index, parameter) for each parameter from first to last.
  void ForParamInRange(int first, int last, const std::function<void(int, IParam&)>& func);
  // Calls func(index, parameter) for each parameter of group, in index order.
  void ForParamInGroup(const char* group, const std::function<void(int, IParam&)>& func);
  // Sets parameters to their defaults.
  void DefaultParamValues() { DefaultParamValues(0, NParams() - 1); }
  void DefaultParamValues(int first, int last);
  void DefaultParamValues(const char* group);
  // Sets parameters to random normalised positions from std::rand (main thread: rand's state is shared).
  void RandomiseParamValues() { RandomiseParamValues(0, NParams() - 1); }
  void RandomiseParamValues(int first, int last);
  void RandomiseParamValues(const char* group);
  // Calls each parameter's PrintDetails.
  void PrintParamValues();
  // Declares first..last with InitDouble, named by nameFmt (one int) filled with countStart, countStart + 1, ...
  void InitParamRange(int first, int last, int countStart, const char* nameFmt, double defaultVal, double minVal,
                      double maxVal, double step, const char* label = "", int flags = 0, const char* group = "",
                      const IParam::Shape& shape = IParam::ShapeLinear(), IParam::EParamUnit unit = IParam::kUnitCustom,
                      IParam::DisplayFunc displayFunc = nullptr);
  // Copies the declarations (IParam::Init) and values of first..last onto destStart, destStart + 1, ...
  void CloneParamRange(int first, int last, int destStart, const char* searchStr = "", const char* replaceStr = "",
                       const char* newGroup = "");
  // Copies count values from srcStart.. onto destStart.. (constrained); overlapping ranges copy as if through a buffer.
  void CopyParamValues(int srcStart, int destStart, int count);
  // Copies values pairwise, in index order, from srcGroup's parameters onto destGroup's, up to the smaller count.
  void CopyParamValues(const char* srcGroup, const char* destGroup);

  // Developer tools: preset source text (appended to the file; nothing happens when it cannot be opened).

  // Appends MakePreset("<current preset name>", <value>, ...); and a line feed.
  void DumpMakePresetSrc(const char* file) const;
  // Appends a MakePresetFromNamedParams call; paramEnumNames holds one identifier text per parameter.
  void DumpMakePresetFromNamedParamsSrc(const char* file, const char* const* paramEnumNames) const;
  // Appends MakePresetFromBlob("<name>", "<base64 of the current preset's chunk>", <size>); and a line feed.
  void DumpPresetBlob(const char* file) const;

  // Developer tools: VST 2 program (.fxp) and bank (.fxb) files, chunk forms when DoesStateChunks().
  // Loading validates the whole file first: a truncated, oversized, foreign, wrong-magic or inconsistent file
  // gives false and leaves parameters and presets as they were.

  // Writes the current state as a program named after the current preset; false when it cannot be written.
  bool SavePresetAsFXP(const char* file) const;
  // Writes every preset as a bank; false when it cannot be written.
  bool SaveBankAsFXB(const char* file) const;
  // Reads a program file into the parameters and the current preset, then tells the host.
  bool LoadPresetFromFXP(const char* file);
  // Reads a bank file into the presets, recalls its current program, then tells the host.
  bool LoadBankFromFXB(const char* file);
  // Appends the bytes SavePresetAsFXP writes; false on failure.
  bool MakeFXPData(IByteChunk& out) const;
  // Appends the bytes SaveBankAsFXB writes; false on failure.
  bool MakeFXBData(IByteChunk& out) const;
  // LoadPresetFromFXP on size bytes of file content in memory.
  bool LoadPresetFromFXPData(const uint8_t* data, int size);
  // LoadBankFromFXB on size bytes of file content in memory.
  bool LoadBankFromFXBData(const uint8_t* data, int size);

protected:
  bool mStateChunks = false;                         // state and presets are opaque chunks
  int mCurrentPresetIdx = 0;                         // index of the current preset
  WDL_String mPluginName;                            // plug-in name
  WDL_String mProductName;                           // product name
  WDL_String mMfrName;                               // manufacturer name
  int mUniqueID = 0;                                 // four-character plug-in code
  int mMfrID = 0;                                    // four-character manufacturer code
  int mVersion = 0;                                  // packed plug-in version
  int mHostVersion = 0;                              // packed host version, 0 until identified
  int mHost = -1;                                    // host identifier, -1 until identified
  EAPI mAPI = kAPIVST2;                              // host protocol of this instance
  WDL_String mBundleID;                              // bundle identifier
  bool mHasUI = false;                               // the plug-in offers an editor
  bool mHostResize = false;                          // the host may resize the editor
  WDL_PtrList_DeleteOnDestroy<WDL_String> mParamGroups; // group names, owned
  WDL_PtrList_DeleteOnDestroy<IPreset> mPresets;     // preset slots, owned

private:
  // major*1000 + minor*100 + bug-fix*10 of a packed version.
  static int DecimalVersion(int packed);
  // Writes a packed version as "v<major>.<minor>.<bug-fix>".
  static void VersionStr(int packed, WDL_String& str);
  // The first slot without a state, or null.
  IPreset* FirstUninitializedPreset() const;
  // The first slot without a state, now initialised, named and emptied for its content; null when none is free.
  IPreset* ClaimFreePreset(const char* name);
  // Number of slots whose names contain "user preset".
  int CountUserPresets() const;
  // Reads one SerializePresets record into preset through UnserializeState; returns the next position or -1.
  int ReadPreset(const IByteChunk& chunk, int startPos, IPreset& preset);
  // Applies the chunk-form content of a program file; on failure puts the previous state back.
  bool ApplyVersionedState(const IByteChunk& chunk);
  // After a program file was applied: keeps it in the current preset as name, recalls it and tells the host.
  void StoreLoadedProgram(const char* name);
};

} // namespace iplug
