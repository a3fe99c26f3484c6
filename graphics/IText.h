#pragma once

#include <cstring>

#include "IGraphicsConstants.h"

namespace iplug::igraphics {

// Font identifier used when none is given: the one DEFAULT_TEXT names.
inline constexpr const char* DEFAULT_FONT = "Poppins-Medium";
// Font size in user units used when none is given.
inline constexpr float DEFAULT_TEXT_SIZE = 17.f;

// A text style: font, size, colours (including those of a text-entry field opened with it), angle and alignment.
struct IText
{
  static constexpr int kMaxFontLength = 64; // bytes of mFont, terminator included

  char mFont[kMaxFontLength] = {};                   // NUL-terminated font identifier as registered by LoadFont
  float mSize = DEFAULT_TEXT_SIZE;                   // font size in user units
  IColor mColor = DEFAULT_TEXT_FGCOLOR;              // text colour
  IColor mEntryBackColor = DEFAULT_TEXTENTRY_BGCOLOR; // background of a text entry opened with this style
  IColor mEntryTextColor = DEFAULT_TEXTENTRY_FGCOLOR; // text colour of that text entry
  float mAngle = 0.f;                                // rotation in degrees, clockwise on screen
  ETextAlign mAlign = kAlignCenter;                  // horizontal alignment in the target rectangle
  ETextVAlign mVAlign = kVAlignMiddle;               // vertical alignment in the target rectangle

  // A style; a null font means DEFAULT_FONT, a longer name is cut to 63 bytes. The defaults give DEFAULT_TEXT.
  IText(float size = DEFAULT_TEXT_SIZE, const IColor& color = DEFAULT_TEXT_FGCOLOR, const char* font = nullptr,
        ETextAlign align = kAlignCenter, ETextVAlign valign = kVAlignMiddle, float angle = 0.f,
        const IColor& entryBackColor = DEFAULT_TEXTENTRY_BGCOLOR,
        const IColor& entryTextColor = DEFAULT_TEXTENTRY_FGCOLOR)
    : mSize(size)
    , mColor(color)
    , mEntryBackColor(entryBackColor)
    , mEntryTextColor(entryTextColor)
    , mAngle(angle)
    , mAlign(align)
    , mVAlign(valign)
  {
    SetFont(font);
  }

  // Default style at the given size and vertical alignment.
  IText(float size, ETextVAlign valign) : IText(size, DEFAULT_TEXT_FGCOLOR, nullptr, kAlignCenter, valign) {}

  // Replaces the font identifier (null means DEFAULT_FONT; cut to 63 bytes).
  void SetFont(const char* font)
  {
    std::strncpy(mFont, font ? font : DEFAULT_FONT, kMaxFontLength - 1);
    mFont[kMaxFontLength - 1] = '\0';
  }

  // Copy with another size.
  IText WithSize(float size) const
  {
    IText t(*this);
    t.mSize = size;
    return t;
  }
  // Copy with another text colour.
  IText WithFGColor(const IColor& color) const
  {
    IText t(*this);
    t.mColor = color;
    return t;
  }
  // Copy with another horizontal alignment.
  IText WithAlign(ETextAlign align) const
  {
    IText t(*this);
    t.mAlign = align;
    return t;
  }
  // Copy with another vertical alignment.
  IText WithVAlign(ETextVAlign valign) const
  {
    IText t(*this);
    t.mVAlign = valign;
    return t;
  }
  // Copy with another angle in degrees.
  IText WithAngle(float angle) const
  {
    IText t(*this);
    t.mAngle = angle;
    return t;
  }

  // Field-wise equality (the font compared as a string).
  bool operator==(const IText& rhs) const
  {
    return std::strcmp(mFont, rhs.mFont) == 0 && mSize == rhs.mSize && mColor == rhs.mColor &&
           mEntryBackColor == rhs.mEntryBackColor && mEntryTextColor == rhs.mEntryTextColor &&
           mAngle == rhs.mAngle && mAlign == rhs.mAlign && mVAlign == rhs.mVAlign;
  }
};

// The default text style: "Poppins-Medium", size 17, black, entry white on black text, centred, middle.
inline const IText DEFAULT_TEXT;

} // namespace iplug::igraphics
