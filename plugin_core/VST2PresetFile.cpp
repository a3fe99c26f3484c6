#include "VST2PresetFile.h"

#include <cstring>
#include <limits>

#include "IPreset.h"

namespace iplug
{

namespace
{
  // Bytes of a program before its content: magic, byte size, format magic, version, id, version, count, name.
  constexpr int kProgramHeaderSize = 7 * 4 + kVST2ProgramNameSize;
  // Bytes of a bank before its content: seven 32-bit fields and the 128 reserved bytes.
  constexpr int kBankHeaderSize = 7 * 4 + 128;
  // The reserved bytes after the current program of a version 2 bank.
  constexpr int kBankFutureSize = 124;
  // Format version of a program block.
  constexpr int32_t kProgramFormatVersion = 1;
  // The byte size field is a signed 32-bit count of everything after itself.
  constexpr long long kMaxBlockSize = std::numeric_limits<int32_t>::max();

  // Sequential big-endian reads over a byte range; every read checks the bytes left first.
  class BigEndianReader
  {
  public:
    BigEndianReader(const uint8_t* data, int size) : mData(data), mSize(size) {}

    // Reads a big-endian 32-bit integer.
    bool Int32(int32_t& value)
    {
      uint8_t bytes[4];
      if (!Bytes(bytes, 4))
        return false;
      const uint32_t bits =
        (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
      value = static_cast<int32_t>(bits);
      return true;
    }

    // Reads a big-endian IEEE single.
    bool Float(float& value)
    {
      int32_t bits = 0;
      if (!Int32(bits))
        return false;
      std::memcpy(&value, &bits, sizeof(value));
      return true;
    }

    // Reads four bytes and compares them with the four-character code.
    bool Magic(const char* code)
    {
      uint8_t bytes[4];
      return Bytes(bytes, 4) && std::memcmp(bytes, code, 4) == 0;
    }

    // Copies count bytes out.
    bool Bytes(void* dst, int count)
    {
      if (count < 0 || count > Remaining())
        return false;
      std::memcpy(dst, mData + mPos, static_cast<std::size_t>(count));
      mPos += count;
      return true;
    }

    // Steps over count bytes.
    bool Skip(int count)
    {
      if (count < 0 || count > Remaining())
        return false;
      mPos += count;
      return true;
    }

    int Remaining() const { return mSize - mPos; }
    const uint8_t* Here() const { return mData + mPos; }

  private:
    const uint8_t* mData;
    int mSize;
    int mPos = 0;
  };

  // Sequential big-endian appends to a chunk; remembers whether any append failed.
  class BigEndianWriter
  {
  public:
    explicit BigEndianWriter(IByteChunk& out) : mOut(out) {}

    void Int32(int32_t value)
    {
      const auto bits = static_cast<uint32_t>(value);
      const uint8_t bytes[4] = {static_cast<uint8_t>(bits >> 24), static_cast<uint8_t>(bits >> 16),
                                static_cast<uint8_t>(bits >> 8), static_cast<uint8_t>(bits)};
      Bytes(bytes, 4);
    }

    void Float(float value)
    {
      int32_t bits = 0;
      std::memcpy(&bits, &value, sizeof(bits));
      Int32(bits);
    }

    void Magic(const char* code) { Bytes(code, 4); }

    void Zeros(int count)
    {
      const int oldSize = mOut.Size();
      if (mOut.Resize(oldSize + count) != oldSize + count)
        mOk = false;
    }

    void Bytes(const void* data, int count)
    {
      if (count > 0 && mOut.PutBytes(data, count) < 0)
        mOk = false;
    }

    bool Ok() const { return mOk; }

  private:
    IByteChunk& mOut;
    bool mOk = true;
  };

  // Size of a program's file bytes, or -1 when the record cannot be written.
  long long ProgramFileSize(const VST2Program& program)
  {
    if (program.numParams < 0)
      return -1;
    if (!program.isChunk && static_cast<long long>(program.params.size()) != program.numParams)
      return -1;
    const long long content = program.isChunk ? 4LL + program.chunk.Size() : 4LL * program.numParams;
    const long long total = kProgramHeaderSize + content;
    return total - 8 > kMaxBlockSize ? -1 : total;
  }
}

bool WriteVST2Program(const VST2Program& program, IByteChunk& out)
{
  const long long total = ProgramFileSize(program);
  if (total < 0)
    return false;

  char name[kVST2ProgramNameSize] = {};
  CopyPresetName(name, kVST2ProgramNameSize, program.name);

  BigEndianWriter writer(out);
  writer.Magic("CcnK");
  writer.Int32(static_cast<int32_t>(total - 8));
  writer.Magic(program.isChunk ? "FPCh" : "FxCk");
  writer.Int32(kProgramFormatVersion);
  writer.Int32(program.fxID);
  writer.Int32(program.fxVersion);
  writer.Int32(program.numParams);
  writer.Bytes(name, kVST2ProgramNameSize);
  if (program.isChunk)
  {
    writer.Int32(program.chunk.Size());
    writer.Bytes(program.chunk.GetData(), program.chunk.Size());
  }
  else
  {
    for (float value : program.params)
      writer.Float(value);
  }
  return writer.Ok();
}

bool ReadVST2Program(const uint8_t* data, int size, VST2Program& program)
{
  if (!data || size < kProgramHeaderSize)
    return false;
  BigEndianReader reader(data, size);
  int32_t byteSize = 0;
  int32_t version = 0;
  if (!reader.Magic("CcnK") || !reader.Int32(byteSize) || byteSize != size - 8)
    return false;

  char fxMagic[4];
  reader.Bytes(fxMagic, 4);
  if (std::memcmp(fxMagic, "FPCh", 4) == 0)
    program.isChunk = true;
  else if (std::memcmp(fxMagic, "FxCk", 4) == 0)
    program.isChunk = false;
  else
    return false;

  if (!reader.Int32(version) || version != kProgramFormatVersion)
    return false;
  if (!reader.Int32(program.fxID) || !reader.Int32(program.fxVersion) || !reader.Int32(program.numParams))
    return false;
  if (program.numParams < 0 || !reader.Bytes(program.name, kVST2ProgramNameSize))
    return false;
  program.name[kVST2ProgramNameSize - 1] = '\0';

  program.params.clear();
  program.chunk.Clear();
  if (program.isChunk)
  {
    int32_t chunkSize = 0;
    if (!reader.Int32(chunkSize) || chunkSize < 0 || chunkSize != reader.Remaining())
      return false;
    return program.chunk.PutBytes(reader.Here(), chunkSize) == chunkSize;
  }

  if (4LL * program.numParams != reader.Remaining())
    return false;
  program.params.resize(static_cast<std::size_t>(program.numParams));
  for (float& value : program.params)
    reader.Float(value);
  return true;
}

bool WriteVST2Bank(const VST2Bank& bank, IByteChunk& out)
{
  if (bank.numPrograms < 0 || (bank.version != 1 && bank.version != 2))
    return false;
  long long total = kBankHeaderSize;
  if (bank.isChunk)
  {
    total += 4LL + bank.chunk.Size();
  }
  else
  {
    if (static_cast<long long>(bank.programs.size()) != bank.numPrograms)
      return false;
    for (const VST2Program& program : bank.programs)
    {
      const long long programSize = ProgramFileSize(program);
      if (programSize < 0 || program.isChunk)
        return false;
      total += programSize;
    }
  }
  if (total - 8 > kMaxBlockSize)
    return false;

  BigEndianWriter writer(out);
  writer.Magic("CcnK");
  writer.Int32(static_cast<int32_t>(total - 8));
  writer.Magic(bank.isChunk ? "FBCh" : "FxBk");
  writer.Int32(bank.version);
  writer.Int32(bank.fxID);
  writer.Int32(bank.fxVersion);
  writer.Int32(bank.numPrograms);
  if (bank.version == 2)
  {
    writer.Int32(bank.currentProgram);
    writer.Zeros(kBankFutureSize);
  }
  else
  {
    writer.Zeros(kBankFutureSize + 4);
  }
  if (!writer.Ok())
    return false;

  if (bank.isChunk)
  {
    writer.Int32(bank.chunk.Size());
    writer.Bytes(bank.chunk.GetData(), bank.chunk.Size());
    return writer.Ok();
  }
  for (const VST2Program& program : bank.programs)
    if (!WriteVST2Program(program, out))
      return false;
  return true;
}

bool ReadVST2Bank(const uint8_t* data, int size, VST2Bank& bank)
{
  if (!data || size < kBankHeaderSize)
    return false;
  BigEndianReader reader(data, size);
  int32_t byteSize = 0;
  if (!reader.Magic("CcnK") || !reader.Int32(byteSize) || byteSize != size - 8)
    return false;

  char fxMagic[4];
  reader.Bytes(fxMagic, 4);
  if (std::memcmp(fxMagic, "FBCh", 4) == 0)
    bank.isChunk = true;
  else if (std::memcmp(fxMagic, "FxBk", 4) == 0)
    bank.isChunk = false;
  else
    return false;

  if (!reader.Int32(bank.version) || (bank.version != 1 && bank.version != 2))
    return false;
  if (!reader.Int32(bank.fxID) || !reader.Int32(bank.fxVersion) || !reader.Int32(bank.numPrograms))
    return false;
  if (bank.numPrograms < 0)
    return false;
  bank.currentProgram = -1;
  if (bank.version == 2 ? !(reader.Int32(bank.currentProgram) && reader.Skip(kBankFutureSize))
                        : !reader.Skip(kBankFutureSize + 4))
    return false;

  bank.programs.clear();
  bank.chunk.Clear();
  if (bank.isChunk)
  {
    int32_t chunkSize = 0;
    if (!reader.Int32(chunkSize) || chunkSize < 0 || chunkSize != reader.Remaining())
      return false;
    return bank.chunk.PutBytes(reader.Here(), chunkSize) == chunkSize;
  }

  for (int32_t i = 0; i < bank.numPrograms; ++i)
  {
    // A program's length comes from its own byte size field, checked against the bytes left.
    BigEndianReader peek(reader.Here(), reader.Remaining());
    int32_t programByteSize = 0;
    if (!peek.Skip(4) || !peek.Int32(programByteSize) || programByteSize < 0)
      return false;
    const long long programSize = programByteSize + 8LL;
    if (programSize > reader.Remaining())
      return false;
    VST2Program& program = bank.programs.emplace_back();
    if (!ReadVST2Program(reader.Here(), static_cast<int>(programSize), program) || program.isChunk)
      return false;
    reader.Skip(static_cast<int>(programSize));
  }
  return reader.Remaining() == 0;
}

} // namespace iplug
