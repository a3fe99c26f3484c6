#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "TestPlugin.h"

using iplug::IByteChunk;
using iplug::test::Bytes;
using iplug::test::TempFile;
using iplug::test::TestPlugin;

namespace
{
  // Field offsets of the published layouts.
  constexpr int kByteSizeAt = 4;
  constexpr int kFxMagicAt = 8;
  constexpr int kFxIDAt = 16;
  constexpr int kCountAt = 24;
  constexpr int kProgramContentAt = 56;
  constexpr int kBankCurrentAt = 28;
  constexpr int kBankContentAt = 156;

  void PutBigEndian(std::vector<uint8_t>& bytes, int at, int32_t value)
  {
    const auto bits = static_cast<uint32_t>(value);
    bytes[static_cast<std::size_t>(at)] = static_cast<uint8_t>(bits >> 24);
    bytes[static_cast<std::size_t>(at) + 1] = static_cast<uint8_t>(bits >> 16);
    bytes[static_cast<std::size_t>(at) + 2] = static_cast<uint8_t>(bits >> 8);
    bytes[static_cast<std::size_t>(at) + 3] = static_cast<uint8_t>(bits);
  }

  int32_t GetBigEndian(const std::vector<uint8_t>& bytes, int at)
  {
    const auto* p = bytes.data() + at;
    return static_cast<int32_t>((uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3]);
  }

  // Everything a refused load must leave alone.
  struct Snapshot
  {
    std::vector<double> values;
    std::vector<std::string> names;
    std::vector<bool> initialized;
    std::vector<std::vector<uint8_t>> chunks;
    int current;

    explicit Snapshot(const TestPlugin& plugin)
      : values(plugin.Values())
      , current(plugin.GetCurrentPresetIdx())
    {
      for (int i = 0; i < plugin.NPresets(); ++i)
      {
        names.emplace_back(plugin.GetPresetName(i));
        initialized.push_back(plugin.GetPreset(i)->mInitialized);
        chunks.push_back(Bytes(plugin.GetPreset(i)->mChunk));
      }
    }

    bool operator==(const Snapshot&) const = default;
  };

  // A plug-in with three distinct presets, the last one current.
  std::unique_ptr<TestPlugin> MakeBankSource(bool stateChunks)
  {
    auto plugin = std::make_unique<TestPlugin>(3, stateChunks);
    plugin->MakePreset("Soft", 0, 0.25, 0.5, 0.75, 0.125);
    plugin->MakePreset("Hard", 1, 1.0, 0.0, 0.5, 1.0);
    plugin->MakePreset("Odd", 1, 0.375, 0.625, 0.875, 0.0625);
    EXPECT_TRUE(plugin->RestorePreset(2));
    return plugin;
  }

  // A plug-in with one preset whose state differs from every file used here.
  std::unique_ptr<TestPlugin> MakeTarget(bool stateChunks, int nPresets = 1)
  {
    auto plugin = std::make_unique<TestPlugin>(nPresets, stateChunks);
    plugin->SetValues({1.0, 0.01, 0.02, 0.03, 0.04});
    plugin->MakeDefaultPreset("Mine", nPresets);
    return plugin;
  }

  std::vector<uint8_t> FXP(const TestPlugin& plugin)
  {
    IByteChunk data;
    EXPECT_TRUE(plugin.MakeFXPData(data));
    return Bytes(data);
  }

  std::vector<uint8_t> FXB(const TestPlugin& plugin)
  {
    IByteChunk data;
    EXPECT_TRUE(plugin.MakeFXBData(data));
    return Bytes(data);
  }

  bool LoadFXP(TestPlugin& plugin, const std::vector<uint8_t>& bytes)
  {
    return plugin.LoadPresetFromFXPData(bytes.data(), static_cast<int>(bytes.size()));
  }

  bool LoadFXB(TestPlugin& plugin, const std::vector<uint8_t>& bytes)
  {
    return plugin.LoadBankFromFXBData(bytes.data(), static_cast<int>(bytes.size()));
  }

  // Every shortened copy and a copy with one byte too many must be refused without touching the target.
  template <class Load>
  void ExpectTruncatedAndOversizedRefused(const std::vector<uint8_t>& file, bool stateChunks, int nPresets, Load load)
  {
    for (std::size_t size = 0; size <= file.size(); ++size)
    {
      std::vector<uint8_t> bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
      if (size == file.size())
        bytes.push_back(0);
      const auto targetOwner = MakeTarget(stateChunks, nPresets);
      TestPlugin& target = *targetOwner;
      const Snapshot before(target);
      EXPECT_FALSE(load(target, bytes)) << bytes.size() << " of " << file.size() << " bytes";
      EXPECT_TRUE(Snapshot(target) == before) << bytes.size() << " of " << file.size() << " bytes";
      EXPECT_EQ(target.hostPresetChangeCalls, 0);
    }
  }
}

TEST(FXPFile, ParameterFormHasThePublishedLayout)
{
  TestPlugin plugin(1);
  plugin.MakePreset("Gentle", 1, 0.5, 0.25, 0.75, 0.0);
  ASSERT_TRUE(plugin.RestorePreset(0));
  const std::vector<uint8_t> expected = {
    'C', 'c', 'n', 'K', 0, 0, 0, 68,     // magic, byte size after this field
    'F', 'x', 'C', 'k', 0, 0, 0, 1,      // parameter program, format version 1
    'x', 'h', 'm', '2', 0, 1, 1, 2,      // unique code, version 1.1.2
    0, 0, 0, 5,                          // parameter count
    'G', 'e', 'n', 't', 'l', 'e', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0x3F, 0x80, 0, 0, 0x3F, 0, 0, 0,     // 1.0, 0.5 as big-endian floats
    0x3E, 0x80, 0, 0, 0x3F, 0x40, 0, 0,  // 0.25, 0.75
    0, 0, 0, 0,                          // 0.0
  };
  EXPECT_EQ(FXP(plugin), expected);
}

TEST(FXPFile, ChunkFormWrapsTheStateAfterItsVersionHeader)
{
  TestPlugin plugin(1, true);
  plugin.SetValues({1.0, 0.13, 0.27, 0.91, 0.42});
  const std::vector<uint8_t> file = FXP(plugin);
  ASSERT_EQ(file.size(), 56u + 4u + 8u + 40u);
  EXPECT_EQ(std::string(file.begin() + kFxMagicAt, file.begin() + kFxMagicAt + 4), "FPCh");
  EXPECT_EQ(GetBigEndian(file, kByteSizeAt), static_cast<int32_t>(file.size() - 8));
  EXPECT_EQ(GetBigEndian(file, kProgramContentAt), 48);
  EXPECT_EQ(std::string(file.begin() + 60, file.begin() + 64), "tffp");
  EXPECT_EQ((std::vector<uint8_t>(file.begin() + 64, file.begin() + 68)), (std::vector<uint8_t>{0, 0, 1, 0}));
  IByteChunk state;
  plugin.SerializeState(state);
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + 68, file.end()), Bytes(state));
}

TEST(FXPFile, ParameterFormRoundTripsThroughNormalisedFloats)
{
  TestPlugin source(1);
  source.MakePreset("Gentle", 1, 0.5, 0.25, 0.75, 0.125);
  ASSERT_TRUE(source.RestorePreset(0));

  const auto targetOwner = MakeTarget(false);
  TestPlugin& target = *targetOwner;
  ASSERT_TRUE(LoadFXP(target, FXP(source)));
  EXPECT_EQ(target.Values(), source.Values());
  EXPECT_STREQ(target.GetPresetName(0), "Gentle");
  EXPECT_TRUE(target.GetPreset(0)->mInitialized);
  EXPECT_EQ(Bytes(target.GetPreset(0)->mChunk), Bytes(source.GetPreset(0)->mChunk));
  EXPECT_EQ(target.hostPresetChangeCalls, 1);
  EXPECT_GE(target.restoreStateCalls, 1);
}

TEST(FXPFile, ChunkFormRoundTripsExactValues)
{
  TestPlugin source(1, true);
  source.SetValues({0.0, 0.13, 0.27, 0.91, 0.42});
  source.ModifyCurrentPreset("Exact");

  const auto targetOwner = MakeTarget(true);
  TestPlugin& target = *targetOwner;
  ASSERT_TRUE(LoadFXP(target, FXP(source)));
  EXPECT_EQ(target.Values(), source.Values());
  EXPECT_STREQ(target.GetPresetName(0), "Exact");
}

TEST(FXPFile, LoadsIntoAPluginWithoutPresets)
{
  TestPlugin source(1, true);
  source.SetValues({0.0, 0.13, 0.27, 0.91, 0.42});
  TestPlugin target(0, true);
  ASSERT_TRUE(LoadFXP(target, FXP(source)));
  EXPECT_EQ(target.Values(), source.Values());
  EXPECT_EQ(target.restoreStateCalls, 1);
}

TEST(FXPFile, SaveAndLoadGoThroughTheFile)
{
  TempFile file(".fxp");
  TestPlugin source(1, true);
  source.SetValues({1.0, 0.2, 0.4, 0.6, 0.8});
  ASSERT_TRUE(source.SavePresetAsFXP(file.Path()));
  const std::string written = file.Read();
  EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.end()), FXP(source));

  const auto targetOwner = MakeTarget(true);
  TestPlugin& target = *targetOwner;
  ASSERT_TRUE(target.LoadPresetFromFXP(file.Path()));
  EXPECT_EQ(target.Values(), source.Values());
}

TEST(FXPFile, MissingOrUnwritablePathsFail)
{
  TestPlugin plugin(1);
  EXPECT_FALSE(plugin.SavePresetAsFXP(nullptr));
  EXPECT_FALSE(plugin.SavePresetAsFXP(""));
  EXPECT_FALSE(plugin.SavePresetAsFXP("/nonexistent-directory/preset.fxp"));
  EXPECT_FALSE(plugin.LoadPresetFromFXP("/nonexistent-directory/preset.fxp"));
  EXPECT_FALSE(plugin.LoadPresetFromFXP(nullptr));
}

TEST(FXPFile, TruncatedOrOversizedFilesAreRefused)
{
  TestPlugin paramSource(1);
  paramSource.SetValues({1.0, 0.5, 0.25, 0.75, 0.125});
  ExpectTruncatedAndOversizedRefused(FXP(paramSource), false, 1, LoadFXP);

  TestPlugin chunkSource(1, true);
  chunkSource.SetValues({1.0, 0.5, 0.25, 0.75, 0.125});
  ExpectTruncatedAndOversizedRefused(FXP(chunkSource), true, 1, LoadFXP);
}

TEST(FXPFile, HugeFileIsRefusedBeforeReading)
{
  TempFile file(".fxp");
  TestPlugin source(1);
  file.Write(FXP(source));
  std::filesystem::resize_file(file.Path(), 65ull * 1024 * 1024);
  const auto targetOwner = MakeTarget(false);
  TestPlugin& target = *targetOwner;
  const Snapshot before(target);
  EXPECT_FALSE(target.LoadPresetFromFXP(file.Path()));
  EXPECT_TRUE(Snapshot(target) == before);
}

TEST(FXPFile, WrongMagicsForeignPluginsAndLyingCountsAreRefused)
{
  TestPlugin source(1);
  source.SetValues({1.0, 0.5, 0.25, 0.75, 0.125});
  const std::vector<uint8_t> good = FXP(source);
  TestPlugin chunkSource(1, true);
  const std::vector<uint8_t> goodChunk = FXP(chunkSource);

  std::vector<std::pair<const char*, std::vector<uint8_t>>> bad;
  auto variant = [&](const char* what, const std::vector<uint8_t>& base, auto change) {
    std::vector<uint8_t> bytes = base;
    change(bytes);
    bad.emplace_back(what, bytes);
  };
  variant("container magic", good, [](auto& b) { b[0] = 'X'; });
  variant("program magic", good, [](auto& b) { b[kFxMagicAt + 3] = 'X'; });
  variant("bank magic in a program file", good, [](auto& b) { std::memcpy(&b[kFxMagicAt], "FxBk", 4); });
  variant("format version", good, [](auto& b) { PutBigEndian(b, 12, 2); });
  variant("byte size too large", good, [](auto& b) { PutBigEndian(b, kByteSizeAt, GetBigEndian(b, kByteSizeAt) + 4); });
  variant("byte size too small", good, [](auto& b) { PutBigEndian(b, kByteSizeAt, GetBigEndian(b, kByteSizeAt) - 4); });
  variant("negative byte size", good, [](auto& b) { PutBigEndian(b, kByteSizeAt, -8); });
  variant("foreign plug-in", good, [](auto& b) { PutBigEndian(b, kFxIDAt, 0x41424344); });
  variant("parameter count", good, [](auto& b) {
    PutBigEndian(b, kCountAt, 4);
    b.resize(b.size() - 4);
    PutBigEndian(b, kByteSizeAt, static_cast<int32_t>(b.size()) - 8);
  });
  variant("huge parameter count", good, [](auto& b) { PutBigEndian(b, kCountAt, 0x40000005); });
  variant("chunk size too large", goodChunk,
          [](auto& b) { PutBigEndian(b, kProgramContentAt, GetBigEndian(b, kProgramContentAt) + 1); });
  variant("negative chunk size", goodChunk, [](auto& b) { PutBigEndian(b, kProgramContentAt, -1); });
  variant("chunk without its header", goodChunk, [](auto& b) { b[60] = 'x'; });
  variant("chunk with a short state", goodChunk, [](auto& b) {
    b.resize(b.size() - 16);
    PutBigEndian(b, kByteSizeAt, static_cast<int32_t>(b.size()) - 8);
    PutBigEndian(b, kProgramContentAt, static_cast<int32_t>(b.size()) - 60);
  });

  for (const auto& [what, bytes] : bad)
  {
    const auto targetOwner = MakeTarget(false);
    TestPlugin& target = *targetOwner;
    const Snapshot before(target);
    EXPECT_FALSE(LoadFXP(target, bytes)) << what;
    EXPECT_TRUE(Snapshot(target) == before) << what;
    EXPECT_EQ(target.hostPresetChangeCalls, 0) << what;
  }
}

TEST(FXBFile, ParameterFormHoldsOneProgramPerPreset)
{
  const auto sourceOwner = MakeBankSource(false);
  const TestPlugin& source = *sourceOwner;
  const std::vector<uint8_t> file = FXB(source);
  ASSERT_EQ(file.size(), 156u + 3u * (56u + 5u * 4u));
  EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "CcnK");
  EXPECT_EQ(GetBigEndian(file, kByteSizeAt), static_cast<int32_t>(file.size() - 8));
  EXPECT_EQ(std::string(file.begin() + kFxMagicAt, file.begin() + kFxMagicAt + 4), "FxBk");
  EXPECT_EQ(GetBigEndian(file, 12), 2) << "version 2 records the current program";
  EXPECT_EQ(GetBigEndian(file, kCountAt), 3);
  EXPECT_EQ(GetBigEndian(file, kBankCurrentAt), 2);
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + 32, file.begin() + kBankContentAt), std::vector<uint8_t>(124, 0));
  EXPECT_EQ(std::string(file.begin() + kBankContentAt, file.begin() + kBankContentAt + 4), "CcnK");
  const auto firstProgram = file.begin() + kBankContentAt;
  EXPECT_EQ(std::string(firstProgram + kFxMagicAt, firstProgram + kFxMagicAt + 4), "FxCk");
}

TEST(FXBFile, ParameterFormRoundTrips)
{
  const auto sourceOwner = MakeBankSource(false);
  const TestPlugin& source = *sourceOwner;
  const auto targetOwner = MakeTarget(false, 3);
  TestPlugin& target = *targetOwner;
  ASSERT_TRUE(LoadFXB(target, FXB(source)));
  for (int i = 0; i < 3; ++i)
  {
    EXPECT_STREQ(target.GetPresetName(i), source.GetPresetName(i));
    EXPECT_EQ(Bytes(target.GetPreset(i)->mChunk), Bytes(source.GetPreset(i)->mChunk)) << "preset " << i;
  }
  EXPECT_EQ(target.GetCurrentPresetIdx(), 2);
  EXPECT_EQ(target.Values(), source.Values());
  EXPECT_EQ(target.hostPresetChangeCalls, 1);
}

TEST(FXBFile, ChunkFormRoundTrips)
{
  TestPlugin source(3, true);
  source.MakePreset("Soft", 0, 0.13, 0.27, 0.91, 0.42);
  source.MakePreset("Hard", 1, 0.99, 0.01, 0.55, 0.77);
  ASSERT_TRUE(source.RestorePreset(1));
  const std::vector<uint8_t> file = FXB(source);
  EXPECT_EQ(std::string(file.begin() + kFxMagicAt, file.begin() + kFxMagicAt + 4), "FBCh");
  EXPECT_EQ(GetBigEndian(file, kBankContentAt), static_cast<int32_t>(file.size()) - kBankContentAt - 4);
  EXPECT_EQ(std::string(file.begin() + kBankContentAt + 4, file.begin() + kBankContentAt + 8), "tffp");

  const auto targetOwner = MakeTarget(true, 3);
  TestPlugin& target = *targetOwner;
  ASSERT_TRUE(LoadFXB(target, file));
  for (int i = 0; i < 3; ++i)
  {
    EXPECT_STREQ(target.GetPresetName(i), source.GetPresetName(i));
    EXPECT_EQ(target.GetPreset(i)->mInitialized, source.GetPreset(i)->mInitialized);
  }
  EXPECT_EQ(Bytes(target.GetPreset(0)->mChunk), Bytes(source.GetPreset(0)->mChunk));
  EXPECT_EQ(target.GetCurrentPresetIdx(), 1);
  EXPECT_EQ(target.Values(), (std::vector<double>{1.0, 0.99, 0.01, 0.55, 0.77}));
}

TEST(FXBFile, VersionOneBankKeepsTheCurrentPreset)
{
  std::vector<uint8_t> file = FXB(*MakeBankSource(false));
  PutBigEndian(file, 12, 1);
  PutBigEndian(file, kBankCurrentAt, 0);
  const auto targetOwner = MakeTarget(false, 3);
  TestPlugin& target = *targetOwner;
  target.mCurrentPresetIdx = 1;
  ASSERT_TRUE(LoadFXB(target, file));
  EXPECT_EQ(target.GetCurrentPresetIdx(), 1);
  EXPECT_STREQ(target.GetPresetName(1), "Hard");
  EXPECT_EQ(target.Values(), (std::vector<double>{1.0, 1.0, 0.0, 0.5, 1.0}));
}

TEST(FXBFile, SaveAndLoadGoThroughTheFile)
{
  TempFile file(".fxb");
  const auto sourceOwner = MakeBankSource(true);
  const TestPlugin& source = *sourceOwner;
  ASSERT_TRUE(source.SaveBankAsFXB(file.Path()));
  const auto targetOwner = MakeTarget(true, 3);
  TestPlugin& target = *targetOwner;
  ASSERT_TRUE(target.LoadBankFromFXB(file.Path()));
  EXPECT_STREQ(target.GetPresetName(1), "Hard");
  EXPECT_EQ(target.Values(), source.Values());
}

TEST(FXBFile, TruncatedOrOversizedFilesAreRefused)
{
  ExpectTruncatedAndOversizedRefused(FXB(*MakeBankSource(false)), false, 3, LoadFXB);
  ExpectTruncatedAndOversizedRefused(FXB(*MakeBankSource(true)), true, 3, LoadFXB);
}

TEST(FXBFile, WrongMagicsForeignPluginsAndLyingCountsAreRefused)
{
  const std::vector<uint8_t> good = FXB(*MakeBankSource(false));
  const std::vector<uint8_t> goodChunk = FXB(*MakeBankSource(true));
  constexpr int kFirstProgram = kBankContentAt;

  std::vector<std::pair<const char*, std::vector<uint8_t>>> bad;
  auto variant = [&](const char* what, const std::vector<uint8_t>& base, auto change) {
    std::vector<uint8_t> bytes = base;
    change(bytes);
    bad.emplace_back(what, bytes);
  };
  variant("container magic", good, [](auto& b) { b[1] = 'C'; });
  variant("bank magic", good, [](auto& b) { b[kFxMagicAt] = 'f'; });
  variant("program magic in a bank file", good, [](auto& b) { std::memcpy(&b[kFxMagicAt], "FxCk", 4); });
  variant("bank version", good, [](auto& b) { PutBigEndian(b, 12, 3); });
  variant("byte size", good, [](auto& b) { PutBigEndian(b, kByteSizeAt, GetBigEndian(b, kByteSizeAt) - 1); });
  variant("foreign plug-in", good, [](auto& b) { PutBigEndian(b, kFxIDAt, 0x41424344); });
  variant("foreign program", good, [](auto& b) { PutBigEndian(b, kFirstProgram + kFxIDAt, 0x41424344); });
  variant("program count", good, [](auto& b) { PutBigEndian(b, kCountAt, 2); });
  variant("huge program count", good, [](auto& b) { PutBigEndian(b, kCountAt, 0x7FFFFFFF); });
  variant("current program past the end", good, [](auto& b) { PutBigEndian(b, kBankCurrentAt, 3); });
  variant("negative current program", good, [](auto& b) { PutBigEndian(b, kBankCurrentAt, -1); });
  variant("program byte size", good, [](auto& b) { PutBigEndian(b, kFirstProgram + kByteSizeAt, 1000); });
  variant("program magic", good, [](auto& b) { b[kFirstProgram + kFxMagicAt + 1] = 'X'; });
  variant("chunk program inside a bank", good, [](auto& b) { std::memcpy(&b[kFirstProgram + kFxMagicAt], "FPCh", 4); });
  variant("chunk size", goodChunk,
          [](auto& b) { PutBigEndian(b, kBankContentAt, GetBigEndian(b, kBankContentAt) + 8); });
  variant("chunk without its header", goodChunk, [](auto& b) { b[kBankContentAt + 4] = 'T'; });
  variant("chunk with a lying name length", goodChunk, [](auto& b) { PutBigEndian(b, kBankContentAt + 12, 0x7F); });

  for (const auto& [what, bytes] : bad)
  {
    const auto targetOwner = MakeTarget(false, 3);
    TestPlugin& target = *targetOwner;
    const Snapshot before(target);
    EXPECT_FALSE(LoadFXB(target, bytes)) << what;
    EXPECT_TRUE(Snapshot(target) == before) << what;
    EXPECT_EQ(target.hostPresetChangeCalls, 0) << what;
  }
}
