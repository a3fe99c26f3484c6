#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "IPluginBase.h"

namespace iplug::test
{
// Parameter layout of the product: an on/off enum, then four 0..1 doubles in steps of 0.01.
enum ETestParams
{
  kDuck = 0,
  kPeriod,
  kRandom,
  kDuration,
  kDepth,
  kNumTestParams
};

// A plug-in base with the product's five parameters and identity, recording the calls the base makes.
class TestPlugin : public IPluginBase
{
public:
  static constexpr int kUniqueID = 0x78686D32; // "xhm2"
  static constexpr int kVersion = 0x00010102;  // 1.1.2

  explicit TestPlugin(int nPresets = 1, bool stateChunks = false)
    : IPluginBase(kNumTestParams, nPresets)
  {
    GetParam(kDuck)->InitEnum("Duck", 1, {"Bypassed", "Ducking"});
    GetParam(kPeriod)->InitDouble("Period", 0.5, 0., 1., 0.01, "Period");
    GetParam(kRandom)->InitDouble("Random", 0.5, 0., 1., 0.01, "Random");
    GetParam(kDuration)->InitDouble("Duration", 0.5, 0., 1., 0.01, "Duration");
    GetParam(kDepth)->InitDouble("Depth", 1., 0., 1., 0.01, "Depth");
    mUniqueID = kUniqueID;
    mVersion = kVersion;
    mAPI = kAPIAU;
    mStateChunks = stateChunks;
  }

  // Sets every parameter from the given real values, in index order.
  void SetValues(const std::vector<double>& values)
  {
    for (int i = 0; i < NParams() && i < static_cast<int>(values.size()); ++i)
      GetParam(i)->Set(values[static_cast<std::size_t>(i)]);
  }

  // Every parameter's real value, in index order.
  std::vector<double> Values() const
  {
    std::vector<double> values;
    for (int i = 0; i < NParams(); ++i)
      values.push_back(GetParam(i)->Value());
    return values;
  }

  void OnParamReset(EParamSource source) override
  {
    resetSources.push_back(source);
    IPluginBase::OnParamReset(source);
  }
  void OnRestoreState() override { ++restoreStateCalls; }
  void OnPresetsModified() override { ++presetsModifiedCalls; }
  void InformHostOfPresetChange() override { ++hostPresetChangeCalls; }

  using IPluginBase::mCurrentPresetIdx;
  using IPluginBase::mHostVersion;
  using IPluginBase::mMfrID;
  using IPluginBase::mStateChunks;
  using IPluginBase::mUniqueID;
  using IPluginBase::mVersion;

  std::vector<EParamSource> resetSources;
  int restoreStateCalls = 0;
  int presetsModifiedCalls = 0;
  int hostPresetChangeCalls = 0;
};

// The bytes of a chunk as a vector, for whole-buffer comparisons.
inline std::vector<uint8_t> Bytes(const IByteChunk& chunk)
{
  return std::vector<uint8_t>(chunk.GetData(), chunk.GetData() + chunk.Size());
}

// A path in the temporary directory unique to the running test; the file is removed with the object.
class TempFile
{
public:
  explicit TempFile(const char* suffix)
  {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string("tidewell_") + info->test_suite_name() + "_" + info->name() + "_" +
                             std::to_string(::getpid()) + suffix;
    mPath = (std::filesystem::temp_directory_path() / name).string();
    std::filesystem::remove(mPath);
  }
  ~TempFile() { std::filesystem::remove(mPath); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const char* Path() const { return mPath.c_str(); }

  // The whole file content ("" when missing).
  std::string Read() const
  {
    std::string text;
    if (FILE* fp = std::fopen(mPath.c_str(), "rb"))
    {
      char buffer[4096];
      std::size_t n = 0;
      while ((n = std::fread(buffer, 1, sizeof(buffer), fp)) > 0)
        text.append(buffer, n);
      std::fclose(fp);
    }
    return text;
  }

  // Replaces the file content.
  void Write(const std::vector<uint8_t>& bytes) const
  {
    FILE* fp = std::fopen(mPath.c_str(), "wb");
    ASSERT_NE(fp, nullptr);
    if (!bytes.empty())
      std::fwrite(bytes.data(), 1, bytes.size(), fp);
    std::fclose(fp);
  }

private:
  std::string mPath;
};
} // namespace iplug::test
