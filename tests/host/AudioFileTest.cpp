// Reading and writing audio files: integer encodings survive the trip through float unchanged.

#include <gtest/gtest.h>

#include "AudioFile.h"
#include "HostProgram.h"

namespace
{
  // Reads path whole and writes it to copy in the same format.
  void CopyThroughFloat(const std::string& path, const std::string& copy)
  {
    AudioFileReader reader;
    std::string error;
    ASSERT_TRUE(reader.Open(path, error)) << error;
    AudioFileWriter writer;
    ASSERT_TRUE(writer.Create(copy, reader.Info(), error)) << error;
    std::vector<float> block(static_cast<std::size_t>(1000 * reader.Info().channels));
    for (long frames; (frames = reader.Read(block.data(), 1000, error)) > 0;)
      ASSERT_TRUE(writer.Write(block.data(), frames, error)) << error;
    ASSERT_TRUE(writer.Close(error)) << error;
  }
}

TEST(AudioFile, IntegerEncodingsCopyThroughFloatBitForBit)
{
  for (int format : {SF_FORMAT_WAV | SF_FORMAT_PCM_16, SF_FORMAT_WAV | SF_FORMAT_PCM_24, SF_FORMAT_WAV | SF_FORMAT_PCM_U8, SF_FORMAT_AIFF | SF_FORMAT_PCM_16})
  {
    ScratchFolder scratch;
    Audio audio = MakeSignal(2, 44100, 0.2, format);
    audio.samples.front() = -1.f;
    audio.samples.back() = 32767.f / 32768.f;
    WriteAudio(scratch.Path("in"), audio);

    CopyThroughFloat(scratch.Path("in"), scratch.Path("copy"));

    EXPECT_EQ(FileBytes(scratch.Path("copy")), FileBytes(scratch.Path("in"))) << "format 0x" << std::hex << format;
  }
}

TEST(AudioFile, FloatBeyondFullScaleClipsInIntegerEncodings)
{
  ScratchFolder scratch;
  AudioFileWriter writer;
  std::string error;
  ASSERT_TRUE(writer.Create(scratch.Path("loud.wav"), {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 8000, 0}, error)) << error;
  const float loud[4] = {1.5f, -1.5f, 1.f, -1.f};
  ASSERT_TRUE(writer.Write(loud, 4, error)) << error;
  ASSERT_TRUE(writer.Close(error)) << error;

  const Audio read = ReadAudio(scratch.Path("loud.wav"));
  EXPECT_EQ(read.samples, (std::vector<float>{32767.f / 32768.f, -1.f, 32767.f / 32768.f, -1.f}));
}

TEST(AudioFile, MissingAndNonAudioFilesAreRefusedWithTheirName)
{
  ScratchFolder scratch;
  AudioFileReader missing;
  std::string error;
  EXPECT_FALSE(missing.Open(scratch.Path("absent.wav"), error));
  EXPECT_NE(error.find("absent.wav: no such file"), std::string::npos) << error;

  AudioFileReader folder;
  EXPECT_FALSE(folder.Open(scratch.Path(""), error));
  EXPECT_NE(error.find("is a directory"), std::string::npos) << error;
}
