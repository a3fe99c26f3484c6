#pragma once

#include "WDL_String.h"

#include <cstdint>

namespace iplug::igraphics {

// Reads the names and vertical metrics of one face of a TrueType or OpenType file (big-endian tables
// head, name, hhea and fdsc), single-face or a 'ttcf' collection. The bytes come from outside, so every
// read is checked against the size: a table or string that does not fit is treated as absent. Does not
// own the bytes, which must outlive it. [any-thread]: it keeps no shared state.
class IFontInfo
{
public:
  // Which record of the name table GetFontString reads.
  enum EStringID
  {
    kStringMacintosh, // platform 1, encoding 0, language 0; bytes taken as they are
    kStringMicrosoft  // platform 3, encoding 1, language 1033; UTF-16BE turned into UTF-8
  };

  // Reads face faceIdx of size bytes at data (not owned); an unreadable face leaves it invalid.
  IFontInfo(const void* data, int size, int faceIdx);

  // Whether the face was found and has head, name and hhea tables.
  bool IsValid() const { return mData && mHeadLocation && mNameLocation && mHheaLocation; }

  // Family name (name ID 1), empty when absent.
  const WDL_String& GetFamily() const { return mFamily; }
  // Style name (name ID 2), empty when absent.
  const WDL_String& GetStyle() const { return mStyle; }

  // head.macStyle bits: 1 bold, 2 italic.
  uint16_t GetMacStyle() const { return mMacStyle; }
  // Font units per em, 0 when invalid.
  uint16_t GetUnitsPerEM() const { return mUnitsPerEM; }
  // Ascender above the baseline in font units (hhea), positive upwards.
  int16_t GetAscender() const { return mAscender; }
  // Descender in font units (hhea), negative below the baseline.
  int16_t GetDescender() const { return mDescender; }
  // Extra gap between lines in font units (hhea).
  int16_t GetLineGap() const { return mLineGap; }
  // Ascender - descender + line gap in font units.
  int GetLineHeight() const { return mAscender - mDescender + mLineGap; }
  // Units per em / (ascender - descender), the factor from a font size to an em size; 1 when the
  // metrics give no height.
  double GetHeightEMRatio() const;

  // Whether the face has an fdsc (font descriptors) table.
  bool HasDescriptors() const { return mFdscLocation != 0; }

  // The text of name record nameID, the Microsoft one when non-empty, else the Macintosh one; empty
  // when neither exists.
  WDL_String SearchFontString(int nameID) const;
  // The text of name record nameID of the given kind, empty when absent or out of bounds.
  WDL_String GetFontString(int nameID, EStringID stringID) const;

private:
  // Locates face faceIdx: sets mFaceOffset and keeps mData, or leaves mData null.
  void FindFace(int faceIdx);
  // Byte offset of the table with tag in the face's table directory, 0 when absent or out of bounds.
  uint32_t LocateTable(const char* tag) const;
  // Whether the count bytes at offset lie inside the data.
  bool InBounds(uint64_t offset, uint64_t count) const;
  // Big-endian reads at an offset checked by the caller with InBounds.
  uint16_t ReadU16(uint32_t offset) const;
  int16_t ReadS16(uint32_t offset) const;
  uint32_t ReadU32(uint32_t offset) const;

  const unsigned char* mData = nullptr; // the whole file (not owned), null when no face was found
  uint32_t mSize = 0;                   // bytes at mData
  uint32_t mFaceOffset = 0;             // start of the face's offset table inside the file
  uint32_t mHeadLocation = 0;           // file offset of "head", 0 = absent
  uint32_t mNameLocation = 0;           // file offset of "name", 0 = absent
  uint32_t mHheaLocation = 0;           // file offset of "hhea", 0 = absent
  uint32_t mFdscLocation = 0;           // file offset of "fdsc", 0 = absent
  WDL_String mFamily;                   // name ID 1
  WDL_String mStyle;                    // name ID 2
  uint16_t mMacStyle = 0;               // head.macStyle
  uint16_t mUnitsPerEM = 0;             // head.unitsPerEm
  int16_t mAscender = 0;                // hhea.ascender
  int16_t mDescender = 0;               // hhea.descender
  int16_t mLineGap = 0;                 // hhea.lineGap
};

} // namespace iplug::igraphics
