#pragma once

#include "IFontInfo.h"

#include <memory>
#include <vector>

namespace iplug::igraphics {

// The bytes of one font file handed to the drawing back end: its own copy of the bytes, the face to
// use in them and an IFontInfo reading that face. Neither copyable nor movable, since the info points
// into the copy. [any-thread]: it keeps no shared state.
class IFontData
{
public:
  // Copies size bytes from data (null or size <= 0 gives no bytes) and reads face faceIdx of them.
  IFontData(const void* data, int size, int faceIdx);
  IFontData(const IFontData&) = delete;
  IFontData& operator=(const IFontData&) = delete;

  // Whether the back end can register it: bytes present, face index >= 0 and the face readable.
  bool IsValid() const { return GetSize() > 0 && mFaceIdx >= 0 && mInfo.IsValid(); }

  // The copied bytes (owned by this), null when there are none.
  const unsigned char* Get() const { return mBytes.empty() ? nullptr : mBytes.data(); }
  // Number of copied bytes.
  int GetSize() const { return static_cast<int>(mBytes.size()); }
  // The face inside the bytes (0 for a single-face file, -1 when none fits).
  int GetFaceIdx() const { return mFaceIdx; }
  // Names and metrics of that face.
  const IFontInfo& GetInfo() const { return mInfo; }

private:
  std::vector<unsigned char> mBytes; // the copy
  int mFaceIdx = -1;                 // face used
  IFontInfo mInfo;                   // reads mBytes, so declared after it
};

// An owning pointer to font data.
using IFontDataPtr = std::unique_ptr<IFontData>;

} // namespace iplug::igraphics
