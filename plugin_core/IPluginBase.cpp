#include "IPluginBase.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "Base64.h"
#include "VST2PresetFile.h"

namespace iplug
{

namespace
{
  // Chunk forms of preset files start with these four bytes and a 32-bit format version, in machine order.
  constexpr char kChunkFormatMagic[4] = {'t', 'f', 'f', 'p'};
  constexpr int32_t kChunkFormatVersion = 0x00010000;
  constexpr int kChunkFormatHeaderSize = 8;
  // Larger preset files are refused before anything is read into memory.
  constexpr long kMaxPresetFileSize = 64L * 1024 * 1024;
  // Formatted build-information text is cut to this many bytes.
  constexpr int kBuildInfoMaxLength = 256;
  // Room for a value rendered as source text ("%.6f" of the largest double needs 317 characters).
  constexpr int kSrcValueSize = 400;

  bool PutChunkFormatHeader(IByteChunk& out)
  {
    return out.PutBytes(kChunkFormatMagic, 4) >= 0 && out.Put(&kChunkFormatVersion) >= 0;
  }

  // True when chunk starts with the chunk-form magic and a version (any version is accepted).
  bool HasChunkFormatHeader(const IByteChunk& chunk)
  {
    return chunk.Size() >= kChunkFormatHeaderSize && std::memcmp(chunk.GetData(), kChunkFormatMagic, 4) == 0;
  }

  // Renders a parameter's current value as C++ source: true/false, an integer, or six decimals.
  void RenderSrcValue(const IParam& param, char (&text)[kSrcValueSize])
  {
    switch (param.Type())
    {
      case IParam::kTypeBool:
        std::snprintf(text, sizeof(text), "%s", param.Bool() ? "true" : "false");
        break;
      case IParam::kTypeInt:
      case IParam::kTypeEnum:
        std::snprintf(text, sizeof(text), "%d", param.Int());
        break;
      default:
        std::snprintf(text, sizeof(text), "%.6f", param.Value());
        break;
    }
  }

  // A position in [0, 1] from the C library generator: r * 2^-31 in single precision.
  void SetRandomPosition(int, IParam& param)
  {
    const float position = static_cast<float>(std::rand()) * 0x1p-31f;
    param.SetNormalized(position);
  }

  bool WriteWholeFile(const char* path, const IByteChunk& data)
  {
    if (!path || !path[0])
      return false;
    FILE* fp = std::fopen(path, "wb");
    if (!fp)
      return false;
    const auto size = static_cast<std::size_t>(data.Size());
    bool ok = size == 0 || std::fwrite(data.GetData(), 1, size, fp) == size;
    ok = std::fclose(fp) == 0 && ok;
    return ok;
  }

  bool ReadWholeFile(const char* path, IByteChunk& data)
  {
    if (!path || !path[0])
      return false;
    FILE* fp = std::fopen(path, "rb");
    if (!fp)
      return false;
    long size = -1;
    if (std::fseek(fp, 0, SEEK_END) == 0)
      size = std::ftell(fp);
    bool ok = size >= 0 && size <= kMaxPresetFileSize && std::fseek(fp, 0, SEEK_SET) == 0;
    if (ok)
    {
      const int wanted = static_cast<int>(size);
      const auto bytes = static_cast<std::size_t>(wanted);
      ok = data.Resize(wanted) == wanted && (wanted == 0 || std::fread(data.GetData(), 1, bytes, fp) == bytes);
    }
    std::fclose(fp);
    return ok;
  }
}

IPluginBase::IPluginBase(int nParams, int nPresets)
  : IGEditorDelegate(nParams)
{
  for (int i = 0; i < nPresets; ++i)
    mPresets.Add(new IPreset());
}

const char* IPluginBase::GetParamGroupName(int idx) const
{
  const WDL_String* name = mParamGroups.Get(idx);
  return name ? name->Get() : "";
}

int IPluginBase::AddParamGroup(const char* name)
{
  mParamGroups.Add(new WDL_String(name));
  return NParamGroups();
}

int IPluginBase::DecimalVersion(int packed)
{
  const auto bits = static_cast<uint32_t>(packed);
  const int major = static_cast<int>(bits >> 16);
  const int minor = static_cast<int>((bits >> 8) & 0xFF);
  const int bugFix = static_cast<int>(bits & 0xFF);
  return major * 1000 + minor * 100 + bugFix * 10;
}

void IPluginBase::VersionStr(int packed, WDL_String& str)
{
  const auto bits = static_cast<uint32_t>(packed);
  str.SetFormatted(32, "v%d.%d.%d", static_cast<int>(bits >> 16), static_cast<int>((bits >> 8) & 0xFF),
                   static_cast<int>(bits & 0xFF));
}

void IPluginBase::GetBuildInfoStr(WDL_String& str, const char* date, const char* time) const
{
  WDL_String version;
  GetPluginVersionStr(version);
  str.SetFormatted(kBuildInfoMaxLength, "%s %s (%s), built on %s at %.5s ", version.Get(), GetAPIStr(), GetArchStr(),
                   date ? date : "", time ? time : "");
}

bool IPluginBase::SerializeParams(IByteChunk& chunk) const
{
  for (int i = 0; i < NParams(); ++i)
  {
    const double value = GetParam(i)->Value();
    if (chunk.Put(&value) < 0)
      return false;
  }
  return chunk.Size() > 0;
}

int IPluginBase::UnserializeParams(const IByteChunk& chunk, int startPos)
{
  int pos = startPos;
  for (int i = 0; i < NParams() && pos >= 0; ++i)
  {
    double value = 0.0;
    pos = chunk.Get(&value, pos);
    GetParam(i)->Set(value);
  }
  OnParamReset(kPresetRecall);
  return pos;
}

const char* IPluginBase::GetPresetName(int idx) const
{
  const IPreset* preset = mPresets.Get(idx);
  return preset ? preset->mName : "";
}

IPreset* IPluginBase::FirstUninitializedPreset() const
{
  for (int i = 0; i < NPresets(); ++i)
  {
    IPreset* preset = mPresets.Get(i);
    if (!preset->mInitialized)
      return preset;
  }
  return nullptr;
}

int IPluginBase::CountUserPresets() const
{
  int count = 0;
  for (int i = 0; i < NPresets(); ++i)
    if (std::strstr(mPresets.Get(i)->mName, "user preset"))
      ++count;
  return count;
}

IPreset* IPluginBase::ClaimFreePreset(const char* name)
{
  IPreset* preset = FirstUninitializedPreset();
  if (!preset)
    return nullptr;
  preset->mInitialized = true;
  preset->SetName(name);
  preset->mChunk.Clear();
  return preset;
}

void IPluginBase::MakeDefaultPreset(const char* name, int nPresets)
{
  for (int i = 0; i < nPresets; ++i)
  {
    IPreset* preset = ClaimFreePreset(name ? name : "Empty");
    if (!preset)
      return;
    SerializeState(preset->mChunk);
  }
}

void IPluginBase::MakePreset(const char* name, ...)
{
  IPreset* preset = ClaimFreePreset(name);
  if (!preset)
    return;

  va_list args;
  va_start(args, name);
  for (int i = 0; i < NParams(); ++i)
  {
    double value = 0.0;
    switch (GetParam(i)->Type())
    {
      case IParam::kTypeBool:
      case IParam::kTypeInt:
      case IParam::kTypeEnum:
        value = va_arg(args, int);
        break;
      default:
        value = va_arg(args, double);
        break;
    }
    preset->mChunk.Put(&value);
  }
  va_end(args);
}

void IPluginBase::MakePresetFromNamedParams(const char* name, int nParamsNamed, ...)
{
  IPreset* preset = ClaimFreePreset(name);
  if (!preset)
    return;

  std::vector<std::optional<double>> given(static_cast<std::size_t>(NParams()));
  va_list args;
  va_start(args, nParamsNamed);
  for (int i = 0; i < nParamsNamed; ++i)
  {
    const int paramIdx = va_arg(args, int);
    const double value = va_arg(args, double);
    if (paramIdx >= 0 && paramIdx < NParams())
      given[static_cast<std::size_t>(paramIdx)] = value;
  }
  va_end(args);

  for (int i = 0; i < NParams(); ++i)
  {
    const double value = given[static_cast<std::size_t>(i)].value_or(GetParam(i)->Value());
    preset->mChunk.Put(&value);
  }
}

void IPluginBase::MakePresetFromChunk(const char* name, const IByteChunk& chunk)
{
  IPreset* preset = ClaimFreePreset(name);
  if (!preset)
    return;
  preset->mChunk.PutChunk(&chunk);
}

void IPluginBase::MakePresetFromBlob(const char* name, const char* blob, int sizeOfChunk)
{
  IPreset* preset = FirstUninitializedPreset();
  if (!preset)
    return;
  const int size = std::max(sizeOfChunk, 0);
  preset->mChunk.Clear();
  if (preset->mChunk.Resize(size) != size)
    return;
  Base64Decode(blob, preset->mChunk.GetData(), size);
  preset->mInitialized = true;
  preset->SetName(name);
}

void IPluginBase::EnsureDefaultPreset()
{
  MakeDefaultPreset("Empty", NPresets());
}

void IPluginBase::PruneUninitializedPresets()
{
  const IPreset* current = mPresets.Get(mCurrentPresetIdx);
  for (int i = NPresets() - 1; i >= 0; --i)
    if (!mPresets.Get(i)->mInitialized)
      mPresets.Delete(i, true);
  const int idx = current ? mPresets.Find(current) : -1;
  mCurrentPresetIdx = std::max(idx, 0);
}

bool IPluginBase::RestorePreset(int idx)
{
  IPreset* preset = mPresets.Get(idx);
  if (!preset)
    return false;

  if (preset->mInitialized)
  {
    if (UnserializeState(preset->mChunk, 0) <= 0)
      return false;
  }
  else
  {
    WDL_String name;
    name.SetFormatted(IPreset::kNameSize - 1, "%s %d", "user preset", CountUserPresets() + 1);
    preset->mChunk.Clear();
    if (!SerializeState(preset->mChunk))
    {
      preset->mChunk.Clear();
      return false;
    }
    preset->mInitialized = true;
    preset->SetName(name.Get());
  }

  mCurrentPresetIdx = idx;
  OnPresetsModified();
  OnRestoreState();
  return true;
}

bool IPluginBase::RestorePreset(const char* name)
{
  if (!name || !name[0])
    return false;
  for (int i = 0; i < NPresets(); ++i)
    if (std::strcmp(mPresets.Get(i)->mName, name) == 0)
      return RestorePreset(i);
  return false;
}

void IPluginBase::ModifyCurrentPreset(const char* name)
{
  IPreset* preset = mPresets.Get(mCurrentPresetIdx);
  if (!preset)
    return;
  preset->mChunk.Clear();
  SerializeState(preset->mChunk);
  if (name && name[0])
    preset->SetName(name);
}

bool IPluginBase::SerializePresets(IByteChunk& chunk) const
{
  for (int i = 0; i < NPresets(); ++i)
  {
    const IPreset* preset = mPresets.Get(i);
    const uint8_t initialized = preset->mInitialized ? 1 : 0;
    if (chunk.PutStr(preset->mName) < 0 || chunk.Put(&initialized) < 0)
      return false;
    if (initialized && chunk.PutChunk(&preset->mChunk) < 0)
      return false;
  }
  return true;
}

int IPluginBase::ReadPreset(const IByteChunk& chunk, int startPos, IPreset& preset)
{
  WDL_String name;
  uint8_t initialized = 0;
  int pos = chunk.GetStr(name, startPos);
  if (pos >= 0)
    pos = chunk.Get(&initialized, pos);
  if (pos < 0)
    return -1;

  preset.SetName(name.Get());
  preset.mInitialized = initialized != 0;
  preset.mChunk.Clear();
  if (!preset.mInitialized)
    return pos;
  pos = UnserializeState(chunk, pos);
  if (pos < 0)
    return -1;
  SerializeState(preset.mChunk);
  return pos;
}

int IPluginBase::UnserializePresets(const IByteChunk& chunk, int startPos)
{
  // Each slot's length is only known by applying it, so the parameters are saved first and the slots are read
  // into a scratch list: a bad chunk then changes neither.
  IByteChunk previousState;
  const bool saved = SerializeState(previousState);
  WDL_PtrList_DeleteOnDestroy<IPreset> parsed;
  int pos = startPos;
  for (int i = 0; i < NPresets() && pos >= 0; ++i)
    pos = ReadPreset(chunk, pos, *parsed.Add(new IPreset()));

  if (pos < 0)
  {
    if (saved)
      UnserializeState(previousState, 0);
    return -1;
  }

  for (int i = 0; i < NPresets(); ++i)
    *mPresets.Get(i) = *parsed.Get(i);
  RestorePreset(mCurrentPresetIdx);
  return pos;
}

void IPluginBase::ForParamInRange(int first, int last, const std::function<void(int, IParam&)>& func)
{
  for (int i = std::max(first, 0); i <= std::min(last, NParams() - 1); ++i)
    func(i, *GetParam(i));
}

void IPluginBase::ForParamInGroup(const char* group, const std::function<void(int, IParam&)>& func)
{
  if (!group)
    return;
  for (int i = 0; i < NParams(); ++i)
  {
    IParam* param = GetParam(i);
    if (std::strcmp(param->GetGroup(), group) == 0)
      func(i, *param);
  }
}

void IPluginBase::DefaultParamValues(int first, int last)
{
  ForParamInRange(first, last, [](int, IParam& param) { param.SetToDefault(); });
}

void IPluginBase::DefaultParamValues(const char* group)
{
  ForParamInGroup(group, [](int, IParam& param) { param.SetToDefault(); });
}

void IPluginBase::RandomiseParamValues(int first, int last)
{
  ForParamInRange(first, last, SetRandomPosition);
}

void IPluginBase::RandomiseParamValues(const char* group)
{
  ForParamInGroup(group, SetRandomPosition);
}

void IPluginBase::PrintParamValues()
{
  ForParamInRange(0, NParams() - 1, [](int, IParam& param) { param.PrintDetails(); });
}

void IPluginBase::InitParamRange(int first, int last, int countStart, const char* nameFmt, double defaultVal,
                                 double minVal, double maxVal, double step, const char* label, int flags,
                                 const char* group, const IParam::Shape& shape, IParam::EParamUnit unit,
                                 IParam::DisplayFunc displayFunc)
{
  int counter = countStart;
  ForParamInRange(first, last, [&](int, IParam& param) {
    WDL_String name;
    name.SetFormatted(32, nameFmt ? nameFmt : "", counter++);
    param.InitDouble(name.Get(), defaultVal, minVal, maxVal, step, label, flags, group, shape, unit, displayFunc);
  });
}

void IPluginBase::CloneParamRange(int first, int last, int destStart, const char* searchStr, const char* replaceStr,
                                  const char* newGroup)
{
  for (long long i = std::max(first, 0); i <= std::min(last, NParams() - 1); ++i)
  {
    const long long destIdx = destStart + (i - first);
    if (destIdx < 0 || destIdx >= NParams())
      continue;
    const IParam* source = GetParam(static_cast<int>(i));
    IParam* dest = GetParam(static_cast<int>(destIdx));
    dest->Init(*source, searchStr, replaceStr, newGroup);
    dest->Set(source->Value());
  }
}

void IPluginBase::CopyParamValues(int srcStart, int destStart, int count)
{
  auto copyOne = [&](long long offset) {
    const long long srcIdx = srcStart + offset;
    const long long destIdx = destStart + offset;
    if (srcIdx < 0 || srcIdx >= NParams() || destIdx < 0 || destIdx >= NParams())
      return;
    GetParam(static_cast<int>(destIdx))->Set(GetParam(static_cast<int>(srcIdx))->Value());
  };
  // Like memmove: copying toward lower indices runs forwards, toward higher ones backwards.
  const long long n = std::clamp(count, 0, NParams());
  if (srcStart >= destStart)
    for (long long offset = 0; offset < n; ++offset)
      copyOne(offset);
  else
    for (long long offset = n - 1; offset >= 0; --offset)
      copyOne(offset);
}

void IPluginBase::CopyParamValues(const char* srcGroup, const char* destGroup)
{
  std::vector<IParam*> sources;
  std::vector<IParam*> dests;
  ForParamInGroup(srcGroup, [&](int, IParam& param) { sources.push_back(&param); });
  ForParamInGroup(destGroup, [&](int, IParam& param) { dests.push_back(&param); });
  const std::size_t n = std::min(sources.size(), dests.size());
  for (std::size_t i = 0; i < n; ++i)
    dests[i]->Set(sources[i]->Value());
}

void IPluginBase::DumpMakePresetSrc(const char* file) const
{
  FILE* fp = file ? std::fopen(file, "a") : nullptr;
  if (!fp)
    return;
  std::fprintf(fp, "MakePreset(\"%s\"", GetPresetName(mCurrentPresetIdx));
  char value[kSrcValueSize];
  for (int i = 0; i < NParams(); ++i)
  {
    RenderSrcValue(*GetParam(i), value);
    std::fprintf(fp, ", %s", value);
  }
  std::fprintf(fp, ");\n");
  std::fclose(fp);
}

void IPluginBase::DumpMakePresetFromNamedParamsSrc(const char* file, const char* const* paramEnumNames) const
{
  FILE* fp = (file && paramEnumNames) ? std::fopen(file, "a") : nullptr;
  if (!fp)
    return;
  std::fprintf(fp, "  MakePresetFromNamedParams(\"%s\", %d", GetPresetName(mCurrentPresetIdx), NParams());
  char value[kSrcValueSize];
  for (int i = 0; i < NParams(); ++i)
  {
    RenderSrcValue(*GetParam(i), value);
    std::fprintf(fp, ",\n    %s, %s", paramEnumNames[i] ? paramEnumNames[i] : "", value);
  }
  std::fprintf(fp, ");\n");
  std::fclose(fp);
}

void IPluginBase::DumpPresetBlob(const char* file) const
{
  const IPreset* preset = mPresets.Get(mCurrentPresetIdx);
  FILE* fp = (file && preset) ? std::fopen(file, "a") : nullptr;
  if (!fp)
    return;
  WDL_String blob;
  Base64Encode(preset->mChunk.GetData(), preset->mChunk.Size(), blob);
  std::fprintf(fp, "MakePresetFromBlob(\"%s\", \"%s\", %i);\n", preset->mName, blob.Get(), preset->mChunk.Size());
  std::fclose(fp);
}

bool IPluginBase::MakeFXPData(IByteChunk& out) const
{
  VST2Program program;
  program.fxID = mUniqueID;
  program.fxVersion = mVersion;
  program.numParams = NParams();
  CopyPresetName(program.name, kVST2ProgramNameSize, GetPresetName(mCurrentPresetIdx));
  if (mStateChunks)
  {
    program.isChunk = true;
    if (!PutChunkFormatHeader(program.chunk) || !SerializeState(program.chunk))
      return false;
  }
  else
  {
    for (int i = 0; i < NParams(); ++i)
      program.params.push_back(static_cast<float>(GetParam(i)->GetNormalized()));
  }
  return WriteVST2Program(program, out);
}

bool IPluginBase::MakeFXBData(IByteChunk& out) const
{
  VST2Bank bank;
  bank.version = 2;
  bank.fxID = mUniqueID;
  bank.fxVersion = mVersion;
  bank.numPrograms = NPresets();
  bank.currentProgram = mCurrentPresetIdx;
  if (mStateChunks)
  {
    bank.isChunk = true;
    if (!PutChunkFormatHeader(bank.chunk) || !SerializePresets(bank.chunk))
      return false;
    return WriteVST2Bank(bank, out);
  }

  for (int p = 0; p < NPresets(); ++p)
  {
    const IPreset* preset = mPresets.Get(p);
    VST2Program& program = bank.programs.emplace_back();
    program.fxID = mUniqueID;
    program.fxVersion = mVersion;
    program.numParams = NParams();
    CopyPresetName(program.name, kVST2ProgramNameSize, preset->mName);
    // The parameter form is only written when the state is the parameter list, so the preset's chunk holds
    // one double per parameter; a short or empty chunk gives 0 for the rest.
    int pos = 0;
    for (int i = 0; i < NParams(); ++i)
    {
      double value = 0.0;
      pos = preset->mChunk.Get(&value, pos);
      program.params.push_back(static_cast<float>(GetParam(i)->ToNormalisedValue(value)));
    }
  }
  return WriteVST2Bank(bank, out);
}

bool IPluginBase::SavePresetAsFXP(const char* file) const
{
  IByteChunk data;
  return file && file[0] && MakeFXPData(data) && WriteWholeFile(file, data);
}

bool IPluginBase::SaveBankAsFXB(const char* file) const
{
  IByteChunk data;
  return file && file[0] && MakeFXBData(data) && WriteWholeFile(file, data);
}

bool IPluginBase::LoadPresetFromFXP(const char* file)
{
  IByteChunk data;
  return ReadWholeFile(file, data) && LoadPresetFromFXPData(data.GetData(), data.Size());
}

bool IPluginBase::LoadBankFromFXB(const char* file)
{
  IByteChunk data;
  return ReadWholeFile(file, data) && LoadBankFromFXBData(data.GetData(), data.Size());
}

bool IPluginBase::ApplyVersionedState(const IByteChunk& chunk)
{
  if (!HasChunkFormatHeader(chunk))
    return false;
  IByteChunk previousState;
  const bool saved = SerializeState(previousState);
  if (UnserializeState(chunk, kChunkFormatHeaderSize) >= 0)
    return true;
  if (saved)
    UnserializeState(previousState, 0);
  return false;
}

void IPluginBase::StoreLoadedProgram(const char* name)
{
  if (IPreset* preset = mPresets.Get(mCurrentPresetIdx))
  {
    preset->mInitialized = true;
    ModifyCurrentPreset(name);
    RestorePreset(mCurrentPresetIdx);
  }
  else
  {
    OnRestoreState();
  }
  InformHostOfPresetChange();
}

bool IPluginBase::LoadPresetFromFXPData(const uint8_t* data, int size)
{
  VST2Program program;
  if (!ReadVST2Program(data, size, program) || program.fxID != mUniqueID)
    return false;
  if (program.isChunk)
  {
    if (!ApplyVersionedState(program.chunk))
      return false;
  }
  else
  {
    if (program.numParams != NParams())
      return false;
    for (int i = 0; i < NParams(); ++i)
      GetParam(i)->SetNormalized(program.params[static_cast<std::size_t>(i)]);
    OnParamReset(kPresetRecall);
  }
  StoreLoadedProgram(program.name);
  return true;
}

bool IPluginBase::LoadBankFromFXBData(const uint8_t* data, int size)
{
  VST2Bank bank;
  if (!ReadVST2Bank(data, size, bank) || bank.fxID != mUniqueID || bank.numPrograms != NPresets())
    return false;
  // A version 1 bank does not record its current program; the current preset then stays current.
  const int current = bank.version >= 2 ? bank.currentProgram : mCurrentPresetIdx;
  if (NPresets() > 0 && (current < 0 || current >= NPresets()))
    return false;

  if (bank.isChunk)
  {
    if (!HasChunkFormatHeader(bank.chunk) || UnserializePresets(bank.chunk, kChunkFormatHeaderSize) < 0)
      return false;
  }
  else
  {
    for (const VST2Program& program : bank.programs)
      if (program.fxID != mUniqueID || program.numParams != NParams())
        return false;
    for (int p = 0; p < NPresets(); ++p)
    {
      const VST2Program& program = bank.programs[static_cast<std::size_t>(p)];
      for (int i = 0; i < NParams(); ++i)
        GetParam(i)->SetNormalized(program.params[static_cast<std::size_t>(i)]);
      IPreset* preset = mPresets.Get(p);
      preset->mInitialized = true;
      preset->SetName(program.name);
      preset->mChunk.Clear();
      SerializeState(preset->mChunk);
    }
  }

  if (NPresets() > 0)
    RestorePreset(current);
  else
    OnRestoreState();
  InformHostOfPresetChange();
  return true;
}

} // namespace iplug
