#include "SVGStyle.h"

#include "NSVGImage.h"
#include "SVGScanner.h"

#include <algorithm>
#include <cmath>
#include <strings.h>

namespace iplug::igraphics {

namespace {

// The ratio of a font's em and ex to a pixel, taking the usual 16 px text size.
constexpr float kEmPixels = 16.0f;
constexpr float kExPixels = 8.0f;

bool Is(std::string_view text, std::string_view keyword)
{
  return text.size() == keyword.size() && strncasecmp(text.data(), keyword.data(), text.size()) == 0;
}

// A number or percentage clamped to 0-1.
bool ParseUnitInterval(std::string_view text, float& value)
{
  SVGScanner scanner(text);
  float number = 0.0f;
  if (!scanner.Number(number))
    return false;
  if (scanner.Consume('%'))
    number /= 100.0f;
  if (!scanner.AtEnd())
    return false;
  value = std::clamp(number, 0.0f, 1.0f);
  return true;
}

bool ParseDashArray(std::string_view text, std::vector<SVGLength>& dashes)
{
  std::vector<SVGLength> parsed;
  if (!Is(TrimSVGText(text), "none"))
  {
    // Items are lengths separated by commas and/or white space.
    size_t pos = 0;
    while (pos < text.size())
    {
      const size_t end = text.find_first_of(", \t\r\n", pos);
      const std::string_view item = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
      pos = end == std::string_view::npos ? text.size() : end + 1;
      if (item.empty())
        continue;
      SVGLength length;
      if (!SVGLength::Parse(item, length) || length.value < 0.0f)
        return false;
      parsed.push_back(length);
    }
  }
  dashes = std::move(parsed);
  return true;
}

} // namespace

std::string_view TrimSVGText(std::string_view text)
{
  const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; };
  while (!text.empty() && isSpace(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back()))
    text.remove_suffix(1);
  return text;
}

bool SVGLength::Parse(std::string_view text, SVGLength& length)
{
  SVGScanner scanner(TrimSVGText(text));
  float number = 0.0f;
  if (!scanner.Number(number))
    return false;
  const std::string_view unit = TrimSVGText(scanner.Rest());
  static constexpr std::pair<std::string_view, EUnit> kUnits[] = {
    {"", kUser}, {"px", kPx}, {"pt", kPt}, {"pc", kPc}, {"mm", kMm}, {"cm", kCm},
    {"in", kIn}, {"%", kPercent}, {"em", kEm}, {"ex", kEx}};
  for (const auto& [name, value] : kUnits)
  {
    if (Is(unit, name))
    {
      length = SVGLength{number, value};
      return true;
    }
  }
  return false;
}

float SVGLength::ToUser(float dpi, float percentReference) const
{
  switch (unit)
  {
    case kPt:
      return value * dpi / 72.0f;
    case kPc:
      return value * dpi / 6.0f;
    case kMm:
      return value * dpi / 25.4f;
    case kCm:
      return value * dpi / 2.54f;
    case kIn:
      return value * dpi;
    case kPercent:
      return value / 100.0f * percentReference;
    case kEm:
      return value * kEmPixels;
    case kEx:
      return value * kExPixels;
    case kUser:
    case kPx:
    default:
      return value;
  }
}

bool SVGPaintValue::Parse(std::string_view text, SVGPaintValue& paint)
{
  text = TrimSVGText(text);
  SVGPaintValue parsed;
  if (Is(text, "none"))
    parsed.kind = kNone;
  else if (Is(text, "currentColor"))
    parsed.kind = kCurrentColor;
  else if (text.size() > 4 && strncasecmp(text.data(), "url(", 4) == 0)
  {
    const size_t close = text.find(')');
    if (close == std::string_view::npos)
      return false;
    std::string_view target = TrimSVGText(text.substr(4, close - 4));
    if (target.size() >= 2 && (target.front() == '"' || target.front() == '\'') && target.back() == target.front())
      target = TrimSVGText(target.substr(1, target.size() - 2));
    if (target.empty() || target.front() != '#')
      return false;
    parsed.kind = kUrl;
    parsed.url = std::string(target.substr(1));
    const std::string_view fallback = TrimSVGText(text.substr(close + 1));
    if (!fallback.empty())
    {
      SVGPaintValue fallbackPaint;
      if (!Parse(fallback, fallbackPaint) || fallbackPaint.kind == kUrl)
        return false;
      parsed.fallbackKind = fallbackPaint.kind;
      parsed.fallbackColor = fallbackPaint.color;
    }
  }
  else
  {
    parsed.kind = kColor;
    if (!ParseSVGColor(text, parsed.color))
      return false;
  }
  paint = std::move(parsed);
  return true;
}

SVGStyle SVGStyle::Inherit() const
{
  SVGStyle child = *this;
  child.displayed = true;
  child.stopColor = SVGColor();
  child.stopOpacity = 1.0f;
  return child;
}

void SVGStyle::Apply(std::string_view name, std::string_view value)
{
  value = TrimSVGText(value);
  if (value.empty() || Is(value, "inherit"))
    return;
  SVGLength length;
  float number = 0.0f;
  if (name == "fill")
    SVGPaintValue::Parse(value, fill);
  else if (name == "stroke")
    SVGPaintValue::Parse(value, stroke);
  else if (name == "color")
    ParseSVGColor(value, color);
  else if (name == "opacity")
  {
    if (ParseUnitInterval(value, number))
      opacity *= number;
  }
  else if (name == "fill-opacity")
    ParseUnitInterval(value, fillOpacity);
  else if (name == "stroke-opacity")
    ParseUnitInterval(value, strokeOpacity);
  else if (name == "stroke-width")
  {
    if (SVGLength::Parse(value, length) && length.value >= 0.0f)
      strokeWidth = length;
  }
  else if (name == "stroke-linecap")
  {
    if (Is(value, "butt"))
      lineCap = NSVG_CAP_BUTT;
    else if (Is(value, "round"))
      lineCap = NSVG_CAP_ROUND;
    else if (Is(value, "square"))
      lineCap = NSVG_CAP_SQUARE;
  }
  else if (name == "stroke-linejoin")
  {
    if (Is(value, "miter") || Is(value, "miter-clip") || Is(value, "arcs"))
      lineJoin = NSVG_JOIN_MITER;
    else if (Is(value, "round"))
      lineJoin = NSVG_JOIN_ROUND;
    else if (Is(value, "bevel"))
      lineJoin = NSVG_JOIN_BEVEL;
  }
  else if (name == "stroke-miterlimit")
  {
    if (SVGScanner::ParseNumber(value, number) && number >= 1.0f)
      miterLimit = number;
  }
  else if (name == "stroke-dasharray")
    ParseDashArray(value, dashArray);
  else if (name == "stroke-dashoffset")
  {
    if (SVGLength::Parse(value, length))
      dashOffset = length;
  }
  else if (name == "fill-rule")
  {
    if (Is(value, "nonzero"))
      fillRule = NSVG_FILLRULE_NONZERO;
    else if (Is(value, "evenodd"))
      fillRule = NSVG_FILLRULE_EVENODD;
  }
  else if (name == "display")
    displayed = !Is(value, "none");
  else if (name == "visibility")
  {
    if (Is(value, "visible"))
      visible = true;
    else if (Is(value, "hidden") || Is(value, "collapse"))
      visible = false;
  }
  else if (name == "stop-color")
  {
    if (Is(value, "currentColor"))
      stopColor = color;
    else
      ParseSVGColor(value, stopColor);
  }
  else if (name == "stop-opacity")
    ParseUnitInterval(value, stopOpacity);
}

} // namespace iplug::igraphics
