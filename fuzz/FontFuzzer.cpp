// Reads arbitrary bytes as a font file: every face index the reader accepts and the face search stay
// inside the bytes (ASan checks each read), and what is read is consistent.
#include "IFontData.h"
#include "PlatformFont.h"

#include "FuzzPlugin.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

using iplug::fuzz::Require;
using iplug::igraphics::IFontData;
using iplug::igraphics::IFontInfo;
using iplug::igraphics::PlatformFont;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  const int count = static_cast<int>(size);
  // The copy is exactly as large as the input, so ASan catches any read past its end.
  const IFontData font(data, count, 0);
  Require(font.GetSize() == count);
  for (int face = 0; face < 4; ++face)
  {
    const IFontInfo info(font.Get(), font.GetSize(), face);
    if (!info.IsValid())
      continue;
    Require(info.GetHeightEMRatio() > 0.0);
    for (int id = 0; id < 8; ++id)
    {
      const WDL_String text = info.SearchFontString(id);
      Require(static_cast<int>(std::strlen(text.Get())) == text.GetLength());
    }
  }
  const int any = PlatformFont::GetFaceIdx(font.Get(), font.GetSize(), "");
  const int bold = PlatformFont::GetFaceIdx(font.Get(), font.GetSize(), "Bold");
  Require(any >= -1 && bold >= -1);
  Require(any >= 0 || bold == -1);
  return 0;
}
