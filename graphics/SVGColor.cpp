#include "SVGColor.h"

#include "SVGScanner.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <strings.h>

namespace iplug::igraphics {

namespace {

struct NamedColor
{
  const char* name;
  unsigned int rrggbb; // written the way CSS writes it
};

// The colour keywords of SVG 1.1.
constexpr std::array<NamedColor, 147> kNamedColors = {{
  {"aliceblue", 0xF0F8FF}, {"antiquewhite", 0xFAEBD7}, {"aqua", 0x00FFFF}, {"aquamarine", 0x7FFFD4},
  {"azure", 0xF0FFFF}, {"beige", 0xF5F5DC}, {"bisque", 0xFFE4C4}, {"black", 0x000000},
  {"blanchedalmond", 0xFFEBCD}, {"blue", 0x0000FF}, {"blueviolet", 0x8A2BE2}, {"brown", 0xA52A2A},
  {"burlywood", 0xDEB887}, {"cadetblue", 0x5F9EA0}, {"chartreuse", 0x7FFF00}, {"chocolate", 0xD2691E},
  {"coral", 0xFF7F50}, {"cornflowerblue", 0x6495ED}, {"cornsilk", 0xFFF8DC}, {"crimson", 0xDC143C},
  {"cyan", 0x00FFFF}, {"darkblue", 0x00008B}, {"darkcyan", 0x008B8B}, {"darkgoldenrod", 0xB8860B},
  {"darkgray", 0xA9A9A9}, {"darkgreen", 0x006400}, {"darkgrey", 0xA9A9A9}, {"darkkhaki", 0xBDB76B},
  {"darkmagenta", 0x8B008B}, {"darkolivegreen", 0x556B2F}, {"darkorange", 0xFF8C00}, {"darkorchid", 0x9932CC},
  {"darkred", 0x8B0000}, {"darksalmon", 0xE9967A}, {"darkseagreen", 0x8FBC8F}, {"darkslateblue", 0x483D8B},
  {"darkslategray", 0x2F4F4F}, {"darkslategrey", 0x2F4F4F}, {"darkturquoise", 0x00CED1}, {"darkviolet", 0x9400D3},
  {"deeppink", 0xFF1493}, {"deepskyblue", 0x00BFFF}, {"dimgray", 0x696969}, {"dimgrey", 0x696969},
  {"dodgerblue", 0x1E90FF}, {"firebrick", 0xB22222}, {"floralwhite", 0xFFFAF0}, {"forestgreen", 0x228B22},
  {"fuchsia", 0xFF00FF}, {"gainsboro", 0xDCDCDC}, {"ghostwhite", 0xF8F8FF}, {"gold", 0xFFD700},
  {"goldenrod", 0xDAA520}, {"gray", 0x808080}, {"grey", 0x808080}, {"green", 0x008000},
  {"greenyellow", 0xADFF2F}, {"honeydew", 0xF0FFF0}, {"hotpink", 0xFF69B4}, {"indianred", 0xCD5C5C},
  {"indigo", 0x4B0082}, {"ivory", 0xFFFFF0}, {"khaki", 0xF0E68C}, {"lavender", 0xE6E6FA},
  {"lavenderblush", 0xFFF0F5}, {"lawngreen", 0x7CFC00}, {"lemonchiffon", 0xFFFACD}, {"lightblue", 0xADD8E6},
  {"lightcoral", 0xF08080}, {"lightcyan", 0xE0FFFF}, {"lightgoldenrodyellow", 0xFAFAD2}, {"lightgray", 0xD3D3D3},
  {"lightgreen", 0x90EE90}, {"lightgrey", 0xD3D3D3}, {"lightpink", 0xFFB6C1}, {"lightsalmon", 0xFFA07A},
  {"lightseagreen", 0x20B2AA}, {"lightskyblue", 0x87CEFA}, {"lightslategray", 0x778899}, {"lightslategrey", 0x778899},
  {"lightsteelblue", 0xB0C4DE}, {"lightyellow", 0xFFFFE0}, {"lime", 0x00FF00}, {"limegreen", 0x32CD32},
  {"linen", 0xFAF0E6}, {"magenta", 0xFF00FF}, {"maroon", 0x800000}, {"mediumaquamarine", 0x66CDAA},
  {"mediumblue", 0x0000CD}, {"mediumorchid", 0xBA55D3}, {"mediumpurple", 0x9370DB}, {"mediumseagreen", 0x3CB371},
  {"mediumslateblue", 0x7B68EE}, {"mediumspringgreen", 0x00FA9A}, {"mediumturquoise", 0x48D1CC},
  {"mediumvioletred", 0xC71585}, {"midnightblue", 0x191970}, {"mintcream", 0xF5FFFA}, {"mistyrose", 0xFFE4E1},
  {"moccasin", 0xFFE4B5}, {"navajowhite", 0xFFDEAD}, {"navy", 0x000080}, {"oldlace", 0xFDF5E6},
  {"olive", 0x808000}, {"olivedrab", 0x6B8E23}, {"orange", 0xFFA500}, {"orangered", 0xFF4500},
  {"orchid", 0xDA70D6}, {"palegoldenrod", 0xEEE8AA}, {"palegreen", 0x98FB98}, {"paleturquoise", 0xAFEEEE},
  {"palevioletred", 0xDB7093}, {"papayawhip", 0xFFEFD5}, {"peachpuff", 0xFFDAB9}, {"peru", 0xCD853F},
  {"pink", 0xFFC0CB}, {"plum", 0xDDA0DD}, {"powderblue", 0xB0E0E6}, {"purple", 0x800080},
  {"red", 0xFF0000}, {"rosybrown", 0xBC8F8F}, {"royalblue", 0x4169E1}, {"saddlebrown", 0x8B4513},
  {"salmon", 0xFA8072}, {"sandybrown", 0xF4A460}, {"seagreen", 0x2E8B57}, {"seashell", 0xFFF5EE},
  {"sienna", 0xA0522D}, {"silver", 0xC0C0C0}, {"skyblue", 0x87CEEB}, {"slateblue", 0x6A5ACD},
  {"slategray", 0x708090}, {"slategrey", 0x708090}, {"snow", 0xFFFAFA}, {"springgreen", 0x00FF7F},
  {"steelblue", 0x4682B4}, {"tan", 0xD2B48C}, {"teal", 0x008080}, {"thistle", 0xD8BFD8},
  {"tomato", 0xFF6347}, {"turquoise", 0x40E0D0}, {"violet", 0xEE82EE}, {"wheat", 0xF5DEB3},
  {"white", 0xFFFFFF}, {"whitesmoke", 0xF5F5F5}, {"yellow", 0xFFFF00}, {"yellowgreen", 0x9ACD32},
}};

int HexDigit(char c)
{
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

std::string_view Trim(std::string_view text)
{
  const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; };
  while (!text.empty() && isSpace(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back()))
    text.remove_suffix(1);
  return text;
}

bool ParseHex(std::string_view hex, SVGColor& color)
{
  int digits[6] = {};
  if (hex.size() != 3 && hex.size() != 6)
    return false;
  for (size_t i = 0; i < hex.size(); ++i)
    if ((digits[i] = HexDigit(hex[i])) < 0)
      return false;
  if (hex.size() == 3)
    color.rgb = PackSVGColor(digits[0] * 17, digits[1] * 17, digits[2] * 17);
  else
    color.rgb = PackSVGColor(digits[0] * 16 + digits[1], digits[2] * 16 + digits[3], digits[4] * 16 + digits[5]);
  color.alpha = 1.0f;
  return true;
}

// One component of rgb(): a number (0-255) or a percentage, as a byte.
bool ReadComponent(SVGScanner& scanner, unsigned int& byte)
{
  float value = 0.0f;
  if (!scanner.Number(value))
    return false;
  if (scanner.Consume('%'))
  {
    value = value * 255.0f / 100.0f;
    scanner.SkipSeparator();
  }
  byte = static_cast<unsigned int>(std::lround(std::clamp(value, 0.0f, 255.0f)));
  return true;
}

bool ParseFunction(std::string_view body, bool withAlpha, SVGColor& color)
{
  SVGScanner scanner(body);
  unsigned int r = 0, g = 0, b = 0;
  if (!ReadComponent(scanner, r) || !ReadComponent(scanner, g) || !ReadComponent(scanner, b))
    return false;
  float alpha = 1.0f;
  if (withAlpha || !scanner.AtEnd())
  {
    scanner.Consume('/');
    if (!scanner.Number(alpha))
      return false;
    if (scanner.Consume('%'))
      alpha /= 100.0f;
  }
  if (!scanner.AtEnd())
    return false;
  color.rgb = PackSVGColor(r, g, b);
  color.alpha = std::clamp(alpha, 0.0f, 1.0f);
  return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
  return text.size() >= prefix.size() && strncasecmp(text.data(), prefix.data(), prefix.size()) == 0;
}

} // namespace

bool ParseSVGColor(std::string_view text, SVGColor& color)
{
  text = Trim(text);
  if (text.empty())
    return false;
  if (text.front() == '#')
    return ParseHex(text.substr(1), color);
  for (const char* prefix : {"rgba(", "rgb("})
  {
    const std::string_view name(prefix);
    if (StartsWithNoCase(text, name))
    {
      if (text.back() != ')')
        return false;
      return ParseFunction(text.substr(name.size(), text.size() - name.size() - 1), name.size() == 5, color);
    }
  }
  if (text.size() == 11 && strncasecmp(text.data(), "transparent", 11) == 0)
  {
    color = SVGColor{0, 0.0f};
    return true;
  }
  for (const NamedColor& named : kNamedColors)
  {
    const std::string_view name(named.name);
    if (name.size() == text.size() && strncasecmp(name.data(), text.data(), text.size()) == 0)
    {
      color.rgb = PackSVGColor(named.rrggbb >> 16, named.rrggbb >> 8, named.rrggbb);
      color.alpha = 1.0f;
      return true;
    }
  }
  return false;
}

} // namespace iplug::igraphics
