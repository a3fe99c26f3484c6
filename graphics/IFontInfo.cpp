#include "IFontInfo.h"

#include <string>

namespace iplug::igraphics {

namespace {

constexpr uint32_t Tag(const char* tag)
{
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i)
    value = (value << 8) | static_cast<unsigned char>(tag[i]);
  return value;
}

// Smallest table sizes that hold every field read here.
constexpr uint32_t kHeadMinLength = 54;
constexpr uint32_t kHheaMinLength = 36;
constexpr uint32_t kNameMinLength = 6;

// Name records of the two kinds read.
constexpr uint16_t kPlatformMacintosh = 1;
constexpr uint16_t kPlatformMicrosoft = 3;
constexpr uint16_t kEncodingMicrosoftUnicodeBMP = 1;
constexpr uint16_t kLanguageEnglishUS = 1033;

void AppendUTF8(std::string& out, uint32_t code)
{
  if (code < 0x80)
    out += static_cast<char>(code);
  else if (code < 0x800)
  {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
  else if (code < 0x10000)
  {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
  else
  {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

} // namespace

IFontInfo::IFontInfo(const void* data, int size, int faceIdx)
{
  if (!data || size <= 0 || faceIdx < 0)
    return;
  mData = static_cast<const unsigned char*>(data);
  mSize = static_cast<uint32_t>(size);
  FindFace(faceIdx);
  if (!mData)
    return;

  mHeadLocation = LocateTable("head");
  mNameLocation = LocateTable("name");
  mHheaLocation = LocateTable("hhea");
  mFdscLocation = LocateTable("fdsc");
  if (!IsValid())
    return;

  mUnitsPerEM = ReadU16(mHeadLocation + 18);
  mMacStyle = ReadU16(mHeadLocation + 44);
  mFamily = SearchFontString(1);
  mStyle = SearchFontString(2);
  mAscender = ReadS16(mHheaLocation + 4);
  mDescender = ReadS16(mHheaLocation + 6);
  mLineGap = ReadS16(mHheaLocation + 8);
}

void IFontInfo::FindFace(int faceIdx)
{
  mFaceOffset = 0;
  if (!InBounds(0, 12))
  {
    mData = nullptr;
    return;
  }
  const uint32_t format = ReadU32(0);
  if (format == 0x00010000 || format == Tag("1\0\0\0") || format == Tag("OTTO") || format == Tag("typ1"))
  {
    if (faceIdx != 0)
      mData = nullptr;
    return;
  }
  if (format == Tag("ttcf"))
  {
    const uint32_t version = ReadU32(4);
    const uint32_t faces = ReadU32(8);
    const uint64_t entry = 12 + 4 * static_cast<uint64_t>(faceIdx);
    if ((version == 0x00010000 || version == 0x00020000) && static_cast<uint32_t>(faceIdx) < faces && InBounds(entry, 4))
    {
      const uint32_t offset = ReadU32(static_cast<uint32_t>(entry));
      if (InBounds(offset, 12))
      {
        mFaceOffset = offset;
        return;
      }
    }
  }
  mData = nullptr;
}

uint32_t IFontInfo::LocateTable(const char* tag) const
{
  const uint32_t wanted = Tag(tag);
  const uint32_t minLength = wanted == Tag("head") ? kHeadMinLength
                             : wanted == Tag("hhea") ? kHheaMinLength
                             : wanted == Tag("name") ? kNameMinLength
                                                     : 1;
  const uint16_t tables = ReadU16(mFaceOffset + 4);
  for (uint32_t i = 0; i < tables; ++i)
  {
    const uint64_t entry = static_cast<uint64_t>(mFaceOffset) + 12 + 16 * static_cast<uint64_t>(i);
    if (!InBounds(entry, 16))
      return 0;
    if (ReadU32(static_cast<uint32_t>(entry)) != wanted)
      continue;
    const uint32_t offset = ReadU32(static_cast<uint32_t>(entry) + 8);
    const uint32_t length = ReadU32(static_cast<uint32_t>(entry) + 12);
    return length >= minLength && InBounds(offset, length) ? offset : 0;
  }
  return 0;
}

bool IFontInfo::InBounds(uint64_t offset, uint64_t count) const
{
  return mData && offset <= mSize && count <= mSize - offset;
}

uint16_t IFontInfo::ReadU16(uint32_t offset) const
{
  if (!InBounds(offset, 2))
    return 0;
  return static_cast<uint16_t>((mData[offset] << 8) | mData[offset + 1]);
}

int16_t IFontInfo::ReadS16(uint32_t offset) const
{
  return static_cast<int16_t>(ReadU16(offset));
}

uint32_t IFontInfo::ReadU32(uint32_t offset) const
{
  if (!InBounds(offset, 4))
    return 0;
  return (static_cast<uint32_t>(mData[offset]) << 24) | (static_cast<uint32_t>(mData[offset + 1]) << 16) |
         (static_cast<uint32_t>(mData[offset + 2]) << 8) | static_cast<uint32_t>(mData[offset + 3]);
}

double IFontInfo::GetHeightEMRatio() const
{
  const int height = mAscender - mDescender;
  return height > 0 && mUnitsPerEM > 0 ? static_cast<double>(mUnitsPerEM) / height : 1.0;
}

WDL_String IFontInfo::SearchFontString(int nameID) const
{
  WDL_String text = GetFontString(nameID, kStringMicrosoft);
  if (text.GetLength() > 0)
    return text;
  return GetFontString(nameID, kStringMacintosh);
}

WDL_String IFontInfo::GetFontString(int nameID, EStringID stringID) const
{
  if (!mData || !mNameLocation)
    return WDL_String();
  const bool microsoft = stringID == kStringMicrosoft;
  const uint16_t count = ReadU16(mNameLocation + 2);
  const uint64_t storage = static_cast<uint64_t>(mNameLocation) + ReadU16(mNameLocation + 4);
  for (uint32_t i = 0; i < count; ++i)
  {
    const uint64_t record = static_cast<uint64_t>(mNameLocation) + 6 + 12 * static_cast<uint64_t>(i);
    if (!InBounds(record, 12))
      break;
    const uint32_t r = static_cast<uint32_t>(record);
    const uint16_t platform = ReadU16(r), encoding = ReadU16(r + 2), language = ReadU16(r + 4), id = ReadU16(r + 6);
    const bool wanted =
      microsoft ? platform == kPlatformMicrosoft && encoding == kEncodingMicrosoftUnicodeBMP && language == kLanguageEnglishUS
                : platform == kPlatformMacintosh && encoding == 0 && language == 0;
    if (!wanted || id != nameID)
      continue;
    const uint16_t length = ReadU16(r + 8);
    const uint64_t start = storage + ReadU16(r + 10);
    if (!InBounds(start, length))
      return WDL_String();
    const unsigned char* bytes = mData + start;
    std::string text;
    if (microsoft)
    {
      for (uint32_t k = 0; k + 1 < length; k += 2)
      {
        uint32_t code = (bytes[k] << 8) | bytes[k + 1];
        if (code == 0)
          break;
        if (code >= 0xD800 && code <= 0xDBFF && k + 3 < length)
        {
          const uint32_t low = (bytes[k + 2] << 8) | bytes[k + 3];
          if (low >= 0xDC00 && low <= 0xDFFF)
          {
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            k += 2;
          }
        }
        // A lone surrogate is no character.
        if (code >= 0xD800 && code <= 0xDFFF)
          code = 0xFFFD;
        AppendUTF8(text, code);
      }
    }
    else
    {
      for (uint32_t k = 0; k < length && bytes[k] != 0; ++k)
        text += static_cast<char>(bytes[k]);
    }
    return WDL_String(text.c_str());
  }
  return WDL_String();
}

} // namespace iplug::igraphics
