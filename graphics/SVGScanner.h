#pragma once

#include <string_view>

namespace iplug::igraphics {

// Reads the number lists of SVG attribute values (path data, points, viewBox, transforms, dash arrays)
// from a piece of text without copying it. Numbers follow SVG's grammar (sign, digits, one dot,
// exponent) and are read independently of the C locale. [any-thread]
class SVGScanner
{
public:
  // Scans text (not owned; must outlive the scanner).
  explicit SVGScanner(std::string_view text) : mText(text) {}

  // Skips white space.
  void SkipSpace();
  // Skips white space and at most one comma.
  void SkipSeparator();
  // Whether only white space is left.
  bool AtEnd();
  // The next character after white space, or '\0' at the end.
  char Peek();
  // Consumes c after white space; false (nothing consumed) when the next character differs.
  bool Consume(char c);
  // Reads a number after white space and then one separator; false (nothing consumed) when none starts
  // here or it is not finite as a float.
  bool Number(float& value);
  // Reads an arc flag ('0' or '1', which need no separator after them) and then one separator.
  bool Flag(bool& value);
  // Reads an identifier of letters, digits, '-' and '_' after white space; empty when none.
  std::string_view Word();
  // The text not read yet.
  std::string_view Rest() const { return mText.substr(mPos); }

  // Reads a whole piece of text as one number, surrounding white space allowed; false otherwise.
  static bool ParseNumber(std::string_view text, float& value);

private:
  // Length of the number starting at mPos under SVG's grammar, 0 when none starts there.
  size_t NumberLength() const;

  std::string_view mText; // the text
  size_t mPos = 0;        // next character to read
};

} // namespace iplug::igraphics
