#pragma once

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace iplug::igraphics::test {

// One record of a name table: its ids and its bytes as stored (UTF-16BE for Microsoft records).
struct NameRecord
{
  uint16_t platform = 3;
  uint16_t encoding = 1;
  uint16_t language = 1033;
  uint16_t nameID = 1;
  std::string bytes;
};

// A Microsoft (platform 3, encoding 1, US English) record of UTF-16 text.
inline NameRecord MicrosoftName(uint16_t nameID, const std::u16string& text, uint16_t language = 1033)
{
  NameRecord record{3, 1, language, nameID, {}};
  for (char16_t unit : text)
  {
    record.bytes += static_cast<char>(unit >> 8);
    record.bytes += static_cast<char>(unit & 0xFF);
  }
  return record;
}

// A Macintosh (platform 1, encoding 0, language 0) record of bytes.
inline NameRecord MacintoshName(uint16_t nameID, const std::string& text)
{
  return NameRecord{1, 0, 0, nameID, text};
}

// What a synthetic face holds.
struct FaceLayout
{
  uint32_t format = 0x00010000; // first four bytes
  uint16_t unitsPerEm = 1000;
  uint16_t macStyle = 0;
  int16_t ascender = 800;
  int16_t descender = -200;
  int16_t lineGap = 90;
  std::vector<NameRecord> names{MicrosoftName(1, u"Test Family"), MicrosoftName(2, u"Regular")};
  bool withHead = true;
  bool withHhea = true;
  bool withName = true;
  bool withFdsc = false;
};

inline void PutU16(std::vector<uint8_t>& out, size_t at, uint32_t value)
{
  out[at] = static_cast<uint8_t>(value >> 8);
  out[at + 1] = static_cast<uint8_t>(value);
}

inline void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t value)
{
  PutU16(out, at, value >> 16);
  PutU16(out, at + 2, value & 0xFFFF);
}

inline uint32_t GetU32(const std::vector<uint8_t>& in, size_t at)
{
  return (uint32_t(in[at]) << 24) | (uint32_t(in[at + 1]) << 16) | (uint32_t(in[at + 2]) << 8) | in[at + 3];
}

// A minimal sfnt file with the tables the reader looks at, laid out in the order head, hhea, fdsc, name.
inline std::vector<uint8_t> BuildFace(const FaceLayout& layout)
{
  std::vector<std::pair<std::string, std::vector<uint8_t>>> tables;
  if (layout.withHead)
  {
    std::vector<uint8_t> head(54, 0);
    PutU16(head, 18, layout.unitsPerEm);
    PutU16(head, 44, layout.macStyle);
    tables.emplace_back("head", head);
  }
  if (layout.withHhea)
  {
    std::vector<uint8_t> hhea(36, 0);
    PutU16(hhea, 4, static_cast<uint16_t>(layout.ascender));
    PutU16(hhea, 6, static_cast<uint16_t>(layout.descender));
    PutU16(hhea, 8, static_cast<uint16_t>(layout.lineGap));
    tables.emplace_back("hhea", hhea);
  }
  if (layout.withFdsc)
    tables.emplace_back("fdsc", std::vector<uint8_t>(8, 0));
  if (layout.withName)
  {
    const size_t count = layout.names.size();
    std::vector<uint8_t> name(6 + 12 * count, 0);
    PutU16(name, 2, static_cast<uint32_t>(count));
    PutU16(name, 4, static_cast<uint32_t>(6 + 12 * count));
    std::string storage;
    for (size_t i = 0; i < count; ++i)
    {
      const NameRecord& r = layout.names[i];
      const size_t at = 6 + 12 * i;
      PutU16(name, at, r.platform);
      PutU16(name, at + 2, r.encoding);
      PutU16(name, at + 4, r.language);
      PutU16(name, at + 6, r.nameID);
      PutU16(name, at + 8, static_cast<uint32_t>(r.bytes.size()));
      PutU16(name, at + 10, static_cast<uint32_t>(storage.size()));
      storage += r.bytes;
    }
    name.insert(name.end(), storage.begin(), storage.end());
    tables.emplace_back("name", name);
  }

  std::vector<uint8_t> out(12 + 16 * tables.size(), 0);
  PutU32(out, 0, layout.format);
  PutU16(out, 4, static_cast<uint32_t>(tables.size()));
  for (size_t i = 0; i < tables.size(); ++i)
  {
    while (out.size() % 4)
      out.push_back(0);
    const size_t entry = 12 + 16 * i;
    for (int k = 0; k < 4; ++k)
      out[entry + k] = static_cast<uint8_t>(tables[i].first[k]);
    PutU32(out, entry + 8, static_cast<uint32_t>(out.size()));
    PutU32(out, entry + 12, static_cast<uint32_t>(tables[i].second.size()));
    out.insert(out.end(), tables[i].second.begin(), tables[i].second.end());
  }
  return out;
}

// A 'ttcf' collection of single-face files, each face's table offsets moved to where it now lies.
inline std::vector<uint8_t> BuildCollection(const std::vector<std::vector<uint8_t>>& faces, uint32_t version = 0x00010000)
{
  std::vector<uint8_t> out(12 + 4 * faces.size(), 0);
  PutU32(out, 0, 0x74746366); // "ttcf"
  PutU32(out, 4, version);
  PutU32(out, 8, static_cast<uint32_t>(faces.size()));
  for (size_t i = 0; i < faces.size(); ++i)
  {
    while (out.size() % 4)
      out.push_back(0);
    const size_t base = out.size();
    PutU32(out, 12 + 4 * i, static_cast<uint32_t>(base));
    out.insert(out.end(), faces[i].begin(), faces[i].end());
    const uint32_t tables = (uint32_t(faces[i][4]) << 8) | faces[i][5];
    for (uint32_t t = 0; t < tables; ++t)
    {
      const size_t entry = base + 12 + 16 * t;
      PutU32(out, entry + 8, static_cast<uint32_t>(GetU32(out, entry + 8) + base));
    }
  }
  return out;
}

inline std::vector<uint8_t> ReadFileBytes(const std::string& path)
{
  std::ifstream file(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// What a shell command prints, without a trailing newline.
inline std::string CommandOutput(const std::string& command)
{
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r"))
  {
    char buffer[256];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
      out.append(buffer, n);
    pclose(pipe);
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
    out.pop_back();
  return out;
}

// The file fontconfig's own command picks for a pattern such as "DejaVu Sans:style=Bold".
inline std::string FcMatchFile(const std::string& pattern)
{
  return CommandOutput("fc-match -f '%{file}' '" + pattern + "'");
}

} // namespace iplug::igraphics::test
