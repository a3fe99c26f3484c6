#include "SVGParser.h"

#include "IMatrix.h"
#include "SVGPathBuilder.h"
#include "SVGScanner.h"
#include "SVGStyle.h"
#include "SVGStyleSheet.h"
#include "SVGTransform.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace iplug::igraphics {

namespace {

// Bézier circle constant: control points of a quarter circle of radius 1 lie this far along the tangents.
constexpr float kKappa = 0.5522847493f;
// Deepest element nesting followed; deeper content is skipped rather than risking the stack.
constexpr int kMaxDepth = 256;
// Deepest chain of use references followed.
constexpr int kMaxUseDepth = 16;
// Most elements visited, counting every copy a use makes, so nested uses cannot multiply without bound.
constexpr size_t kMaxVisits = 1 << 18;
// Longest chain of gradients inheriting through href.
constexpr int kMaxGradientChain = 16;

struct ImageDeleter
{
  void operator()(NSVGimage* image) const { nsvgDelete(image); }
};

using ImagePtr = std::unique_ptr<NSVGimage, ImageDeleter>;

// Which reference length a percentage takes.
enum class EAxis
{
  kX,
  kY,
  kDiagonal
};

bool IsGradient(const pugi::xml_node& node)
{
  const std::string_view name = SVGLocalName(node.name());
  return name == "linearGradient" || name == "radialGradient";
}

// The target of an href (xlink:href or href) without its '#', empty when there is none.
std::string_view HrefTarget(const pugi::xml_node& node)
{
  pugi::xml_attribute href = node.attribute("xlink:href");
  if (!href)
    href = node.attribute("href");
  const std::string_view value = TrimSVGText(href.value());
  return !value.empty() && value.front() == '#' ? value.substr(1) : std::string_view();
}

// Extends bounds (min x, min y, max x, max y) by the tight bounds of one cubic segment p[0..7].
void AddCubicBounds(const float* p, float* bounds)
{
  for (int axis = 0; axis < 2; ++axis)
  {
    const double p0 = p[axis], p1 = p[2 + axis], p2 = p[4 + axis], p3 = p[6 + axis];
    double candidates[4] = {p0, p3, p0, p3};
    // The derivative's roots inside (0, 1) are where the curve turns.
    const double a = -p0 + 3.0 * p1 - 3.0 * p2 + p3;
    const double b = 2.0 * (p0 - 2.0 * p1 + p2);
    const double c = p1 - p0;
    double roots[2] = {-1.0, -1.0};
    if (std::fabs(a) < 1e-12)
    {
      if (std::fabs(b) > 1e-12)
        roots[0] = -c / b;
    }
    else
    {
      const double disc = b * b - 4.0 * a * c;
      if (disc >= 0.0)
      {
        const double root = std::sqrt(disc);
        roots[0] = (-b + root) / (2.0 * a);
        roots[1] = (-b - root) / (2.0 * a);
      }
    }
    for (int i = 0; i < 2; ++i)
    {
      const double t = roots[i];
      if (t > 0.0 && t < 1.0)
      {
        const double u = 1.0 - t;
        candidates[2 + i] = u * u * u * p0 + 3.0 * u * u * t * p1 + 3.0 * u * t * t * p2 + t * t * t * p3;
      }
    }
    for (double v : candidates)
    {
      bounds[axis] = std::min(bounds[axis], static_cast<float>(v));
      bounds[2 + axis] = std::max(bounds[2 + axis], static_cast<float>(v));
    }
  }
}

// Tight bounds of a point list in cubic form (npts = 1 + 3 * segments).
void CurveBounds(const float* pts, int npts, float* bounds)
{
  bounds[0] = bounds[2] = pts[0];
  bounds[1] = bounds[3] = pts[1];
  for (int i = 0; i + 3 < npts; i += 3)
    AddCubicBounds(pts + i * 2, bounds);
}

void UniteBounds(float* into, const float* bounds, bool first)
{
  if (first)
  {
    std::copy(bounds, bounds + 4, into);
    return;
  }
  into[0] = std::min(into[0], bounds[0]);
  into[1] = std::min(into[1], bounds[1]);
  into[2] = std::max(into[2], bounds[2]);
  into[3] = std::max(into[3], bounds[3]);
}

// The mean of the lengths a matrix gives the two unit vectors: how it scales stroke widths.
float AverageScale(const IMatrix& m)
{
  const double sx = std::sqrt(m.mA * m.mA + m.mB * m.mB);
  const double sy = std::sqrt(m.mC * m.mC + m.mD * m.mD);
  return static_cast<float>((sx + sy) / 2.0);
}

// A colour with an alpha from 0 to 1 packed as 0xAABBGGRR.
unsigned int PackWithAlpha(unsigned int rgb, float alpha)
{
  const float clamped = std::isfinite(alpha) ? std::clamp(alpha, 0.0f, 1.0f) : 0.0f;
  return (rgb & 0xFFFFFF) | (static_cast<unsigned int>(std::lround(clamped * 255.0f)) << 24);
}

void SetMatrix(float* out, const IMatrix& m)
{
  out[0] = static_cast<float>(m.mA);
  out[1] = static_cast<float>(m.mB);
  out[2] = static_cast<float>(m.mC);
  out[3] = static_cast<float>(m.mD);
  out[4] = static_cast<float>(m.mTX);
  out[5] = static_cast<float>(m.mTY);
}

IMatrix GetMatrix(const float* in)
{
  return IMatrix(in[0], in[1], in[2], in[3], in[4], in[5]);
}

// Frees one gradient paint's gradient.
void FreePaint(NSVGpaint& paint)
{
  if (paint.type == NSVG_PAINT_LINEAR_GRADIENT || paint.type == NSVG_PAINT_RADIAL_GRADIENT)
  {
    if (paint.gradient)
    {
      delete[] paint.gradient->stops;
      delete paint.gradient;
    }
  }
  paint.type = NSVG_PAINT_NONE;
  paint.color = 0;
}

// The document walk: keeps the id index, the style sheet, the viewport and the image being built.
class SVGDocumentParser
{
public:
  explicit SVGDocumentParser(float dpi) : mDpi(dpi) {}

  NSVGimage* Parse(const char* input, const char* units);

private:
  void IndexIds(const pugi::xml_node& node);
  void ReadStyleSheets(const pugi::xml_node& node);
  void ReadViewport(const pugi::xml_node& root);

  SVGStyle ComputeStyle(const pugi::xml_node& node, const SVGStyle& parent) const;
  IMatrix ElementTransform(const pugi::xml_node& node, const IMatrix& parent) const;
  float Length(const pugi::xml_node& node, const char* name, EAxis axis, float fallback) const;
  float Reference(EAxis axis) const;

  void Walk(const pugi::xml_node& node, const SVGStyle& parentStyle, const IMatrix& parentXform, int depth, int useDepth);
  void WalkChildren(const pugi::xml_node& node, const SVGStyle& style, const IMatrix& xform, int depth, int useDepth);
  void WalkUse(const pugi::xml_node& node, const SVGStyle& style, const IMatrix& xform, int depth, int useDepth);

  bool BuildGeometry(const pugi::xml_node& node, std::string_view name, SVGPathBuilder& builder) const;
  void BuildRect(const pugi::xml_node& node, SVGPathBuilder& builder) const;
  void BuildEllipse(float cx, float cy, float rx, float ry, SVGPathBuilder& builder) const;
  void BuildPoints(const pugi::xml_node& node, bool close, SVGPathBuilder& builder) const;

  void AddShape(const pugi::xml_node& node, const SVGStyle& style, const IMatrix& xform, const std::vector<SVGSubpath>& subpaths);
  void BuildPaint(const SVGPaintValue& value, float paintOpacity, const SVGStyle& style, const IMatrix& xform,
                  const float* localBounds, NSVGpaint& paint) const;
  bool BuildGradient(const pugi::xml_node& node, float paintOpacity, const IMatrix& xform, const float* localBounds,
                     NSVGpaint& paint) const;
  std::vector<NSVGgradientStop> ReadStops(const pugi::xml_node& node, float paintOpacity) const;

  bool FinishViewport(const char* units);
  void TransformImage(const IMatrix& m);

  float mDpi;                                                 // pixels per inch
  std::unordered_map<std::string_view, pugi::xml_node> mIds;  // first element of each id
  SVGStyleSheet mSheet;                                       // rules of all <style> elements
  ImagePtr mImage;                                            // the image being built
  NSVGshape** mTail = nullptr;                                // where the next shape is linked
  float mWidth = 0.0f, mHeight = 0.0f;                        // root width and height in px, 0 = unset
  bool mHasViewBox = false;                                   // a usable viewBox was given
  float mViewBox[4] = {};                                     // x, y, width, height
  float mAlignX = 0.5f, mAlignY = 0.5f;                       // preserveAspectRatio alignment, 0 to 1
  bool mAlignNone = false;                                    // preserveAspectRatio="none"
  bool mSlice = false;                                        // preserveAspectRatio "slice"
  size_t mVisits = 0;                                         // elements visited so far
  std::vector<pugi::xml_node> mUseStack;                      // elements being drawn through use
};

void SVGDocumentParser::IndexIds(const pugi::xml_node& node)
{
  const char* id = node.attribute("id").value();
  if (*id)
    mIds.emplace(std::string_view(id), node);
}

void SVGDocumentParser::ReadStyleSheets(const pugi::xml_node& root)
{
  std::vector<pugi::xml_node> pending{root};
  while (!pending.empty())
  {
    const pugi::xml_node node = pending.back();
    pending.pop_back();
    IndexIds(node);
    if (SVGLocalName(node.name()) == "style")
    {
      std::string css;
      for (pugi::xml_node text = node.first_child(); text; text = text.next_sibling())
        if (text.type() == pugi::node_pcdata || text.type() == pugi::node_cdata)
          css += text.value();
      mSheet.Add(css);
    }
    for (pugi::xml_node child = node.last_child(); child; child = child.previous_sibling())
      if (child.type() == pugi::node_element)
        pending.push_back(child);
  }
}

void SVGDocumentParser::ReadViewport(const pugi::xml_node& root)
{
  SVGLength length;
  // Percentages of an unknown outer viewport count as unset.
  if (SVGLength::Parse(root.attribute("width").value(), length) && length.unit != SVGLength::kPercent)
    mWidth = std::max(0.0f, length.ToUser(mDpi, 0.0f));
  if (SVGLength::Parse(root.attribute("height").value(), length) && length.unit != SVGLength::kPercent)
    mHeight = std::max(0.0f, length.ToUser(mDpi, 0.0f));

  SVGScanner viewBox(root.attribute("viewBox").value());
  float box[4] = {};
  if (viewBox.Number(box[0]) && viewBox.Number(box[1]) && viewBox.Number(box[2]) && viewBox.Number(box[3]) &&
      box[2] > 0.0f && box[3] > 0.0f)
  {
    std::copy(box, box + 4, mViewBox);
    mHasViewBox = true;
  }

  SVGScanner aspect(root.attribute("preserveAspectRatio").value());
  std::string_view align = aspect.Word();
  if (align == "defer")
    align = aspect.Word();
  if (align == "none")
    mAlignNone = true;
  else if (align.size() == 8 && align[0] == 'x' && align[4] == 'Y')
  {
    const auto position = [](std::string_view part) { return part == "Min" ? 0.0f : part == "Max" ? 1.0f : 0.5f; };
    mAlignX = position(align.substr(1, 3));
    mAlignY = position(align.substr(5, 3));
  }
  mSlice = aspect.Word() == "slice";
}

float SVGDocumentParser::Reference(EAxis axis) const
{
  const float w = mHasViewBox ? mViewBox[2] : (mWidth > 0.0f ? mWidth : 100.0f);
  const float h = mHasViewBox ? mViewBox[3] : (mHeight > 0.0f ? mHeight : 100.0f);
  switch (axis)
  {
    case EAxis::kX:
      return w;
    case EAxis::kY:
      return h;
    case EAxis::kDiagonal:
    default:
      return std::sqrt((w * w + h * h) / 2.0f);
  }
}

float SVGDocumentParser::Length(const pugi::xml_node& node, const char* name, EAxis axis, float fallback) const
{
  SVGLength length;
  if (!SVGLength::Parse(node.attribute(name).value(), length))
    return fallback;
  return length.ToUser(mDpi, Reference(axis));
}

SVGStyle SVGDocumentParser::ComputeStyle(const pugi::xml_node& node, const SVGStyle& parent) const
{
  SVGStyle style = parent.Inherit();
  SVGDeclarations declarations;
  for (const pugi::xml_attribute& attribute : node.attributes())
    declarations[attribute.name()] = attribute.value();
  mSheet.Collect(node, declarations);
  ParseSVGDeclarations(node.attribute("style").value(),
                       [&](std::string_view name, std::string_view value) { declarations[name] = value; });
  for (const auto& [name, value] : declarations)
    style.Apply(name, value);
  return style;
}

IMatrix SVGDocumentParser::ElementTransform(const pugi::xml_node& node, const IMatrix& parent) const
{
  IMatrix xform = parent;
  IMatrix own;
  if (ParseSVGTransform(node.attribute("transform").value(), own))
    xform.Transform(own);
  return xform;
}

void SVGDocumentParser::Walk(const pugi::xml_node& node, const SVGStyle& parentStyle, const IMatrix& parentXform, int depth,
                             int useDepth)
{
  if (node.type() != pugi::node_element || depth > kMaxDepth || ++mVisits > kMaxVisits)
    return;
  const std::string_view name = SVGLocalName(node.name());
  const SVGStyle style = ComputeStyle(node, parentStyle);
  if (!style.displayed)
    return;
  IMatrix xform = ElementTransform(node, parentXform);

  if (name == "g" || name == "a" || name == "switch")
    WalkChildren(node, style, xform, depth, useDepth);
  else if (name == "svg")
  {
    // A nested document is placed like a group at its x, y.
    xform.Translate(Length(node, "x", EAxis::kX, 0.0f), Length(node, "y", EAxis::kY, 0.0f));
    WalkChildren(node, style, xform, depth, useDepth);
  }
  else if (name == "use")
    WalkUse(node, style, xform, depth, useDepth);
  else
  {
    SVGPathBuilder builder;
    if (BuildGeometry(node, name, builder))
      AddShape(node, style, xform, builder.Take());
  }
}

void SVGDocumentParser::WalkChildren(const pugi::xml_node& node, const SVGStyle& style, const IMatrix& xform, int depth,
                                     int useDepth)
{
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
    Walk(child, style, xform, depth + 1, useDepth);
}

void SVGDocumentParser::WalkUse(const pugi::xml_node& node, const SVGStyle& style, const IMatrix& xform, int depth,
                                int useDepth)
{
  const auto found = mIds.find(HrefTarget(node));
  if (found == mIds.end() || useDepth >= kMaxUseDepth)
    return;
  const pugi::xml_node target = found->second;
  // A target that contains this use, directly or through other uses, would repeat forever.
  if (std::find(mUseStack.begin(), mUseStack.end(), target) != mUseStack.end())
    return;
  for (pugi::xml_node ancestor = node; ancestor; ancestor = ancestor.parent())
    if (ancestor == target)
      return;

  IMatrix placed = xform;
  placed.Translate(Length(node, "x", EAxis::kX, 0.0f), Length(node, "y", EAxis::kY, 0.0f));
  mUseStack.push_back(target);
  if (SVGLocalName(target.name()) == "symbol")
  {
    const SVGStyle symbolStyle = ComputeStyle(target, style);
    if (symbolStyle.displayed)
      WalkChildren(target, symbolStyle, ElementTransform(target, placed), depth + 1, useDepth + 1);
  }
  else
    Walk(target, style, placed, depth + 1, useDepth + 1);
  mUseStack.pop_back();
}

bool SVGDocumentParser::BuildGeometry(const pugi::xml_node& node, std::string_view name, SVGPathBuilder& builder) const
{
  if (name == "path")
    ParseSVGPathData(node.attribute("d").value(), builder);
  else if (name == "rect")
    BuildRect(node, builder);
  else if (name == "circle")
  {
    const float r = Length(node, "r", EAxis::kDiagonal, 0.0f);
    BuildEllipse(Length(node, "cx", EAxis::kX, 0.0f), Length(node, "cy", EAxis::kY, 0.0f), r, r, builder);
  }
  else if (name == "ellipse")
    BuildEllipse(Length(node, "cx", EAxis::kX, 0.0f), Length(node, "cy", EAxis::kY, 0.0f),
                 Length(node, "rx", EAxis::kX, 0.0f), Length(node, "ry", EAxis::kY, 0.0f), builder);
  else if (name == "line")
  {
    builder.MoveTo(Length(node, "x1", EAxis::kX, 0.0f), Length(node, "y1", EAxis::kY, 0.0f));
    builder.LineTo(Length(node, "x2", EAxis::kX, 0.0f), Length(node, "y2", EAxis::kY, 0.0f));
  }
  else if (name == "polyline")
    BuildPoints(node, false, builder);
  else if (name == "polygon")
    BuildPoints(node, true, builder);
  else
    return false;
  return true;
}

void SVGDocumentParser::BuildRect(const pugi::xml_node& node, SVGPathBuilder& builder) const
{
  const float x = Length(node, "x", EAxis::kX, 0.0f);
  const float y = Length(node, "y", EAxis::kY, 0.0f);
  const float w = Length(node, "width", EAxis::kX, 0.0f);
  const float h = Length(node, "height", EAxis::kY, 0.0f);
  if (!(w > 0.0f && h > 0.0f))
    return;
  float rx = Length(node, "rx", EAxis::kX, -1.0f);
  float ry = Length(node, "ry", EAxis::kY, -1.0f);
  // A missing or negative radius takes the other one.
  if (rx < 0.0f)
    rx = ry;
  if (ry < 0.0f)
    ry = rx;
  rx = std::clamp(rx, 0.0f, w / 2.0f);
  ry = std::clamp(ry, 0.0f, h / 2.0f);
  if (rx <= 0.0f || ry <= 0.0f)
  {
    builder.MoveTo(x, y);
    builder.LineTo(x + w, y);
    builder.LineTo(x + w, y + h);
    builder.LineTo(x, y + h);
    builder.Close();
    return;
  }
  const float k = 1.0f - kKappa;
  auto lineTo = [&](float px, float py) {
    if (builder.X() != px || builder.Y() != py)
      builder.LineTo(px, py);
  };
  builder.MoveTo(x + rx, y);
  lineTo(x + w - rx, y);
  builder.CubicTo(x + w - rx * k, y, x + w, y + ry * k, x + w, y + ry);
  lineTo(x + w, y + h - ry);
  builder.CubicTo(x + w, y + h - ry * k, x + w - rx * k, y + h, x + w - rx, y + h);
  lineTo(x + rx, y + h);
  builder.CubicTo(x + rx * k, y + h, x, y + h - ry * k, x, y + h - ry);
  lineTo(x, y + ry);
  builder.CubicTo(x, y + ry * k, x + rx * k, y, x + rx, y);
  builder.Close();
}

void SVGDocumentParser::BuildEllipse(float cx, float cy, float rx, float ry, SVGPathBuilder& builder) const
{
  if (!(rx > 0.0f && ry > 0.0f))
    return;
  builder.MoveTo(cx + rx, cy);
  builder.CubicTo(cx + rx, cy + ry * kKappa, cx + rx * kKappa, cy + ry, cx, cy + ry);
  builder.CubicTo(cx - rx * kKappa, cy + ry, cx - rx, cy + ry * kKappa, cx - rx, cy);
  builder.CubicTo(cx - rx, cy - ry * kKappa, cx - rx * kKappa, cy - ry, cx, cy - ry);
  builder.CubicTo(cx + rx * kKappa, cy - ry, cx + rx, cy - ry * kKappa, cx + rx, cy);
  builder.Close();
}

void SVGDocumentParser::BuildPoints(const pugi::xml_node& node, bool close, SVGPathBuilder& builder) const
{
  SVGScanner scanner(node.attribute("points").value());
  float x = 0.0f, y = 0.0f;
  bool first = true;
  // An odd last number is ignored, as is everything after an unreadable one.
  while (scanner.Number(x) && scanner.Number(y))
  {
    if (first)
      builder.MoveTo(x, y);
    else
      builder.LineTo(x, y);
    first = false;
  }
  if (close)
    builder.Close();
}

std::vector<NSVGgradientStop> SVGDocumentParser::ReadStops(const pugi::xml_node& gradient, float paintOpacity) const
{
  std::vector<NSVGgradientStop> stops;
  float previous = 0.0f;
  for (pugi::xml_node stop = gradient.first_child(); stop; stop = stop.next_sibling())
  {
    if (stop.type() != pugi::node_element || SVGLocalName(stop.name()) != "stop")
      continue;
    const SVGStyle style = ComputeStyle(stop, SVGStyle());
    SVGScanner scanner(stop.attribute("offset").value());
    float offset = 0.0f;
    if (scanner.Number(offset) && scanner.Consume('%'))
      offset /= 100.0f;
    // Offsets are clamped to 0-1 and never go back.
    offset = std::max(previous, std::clamp(offset, 0.0f, 1.0f));
    previous = offset;
    NSVGgradientStop record;
    record.offset = offset;
    record.color = PackWithAlpha(style.stopColor.rgb, style.stopColor.alpha * style.stopOpacity * paintOpacity);
    stops.push_back(record);
  }
  return stops;
}

bool SVGDocumentParser::BuildGradient(const pugi::xml_node& node, float paintOpacity, const IMatrix& xform,
                                      const float* localBounds, NSVGpaint& paint) const
{
  // The gradient and the ones it inherits from through href, nearest first.
  std::vector<pugi::xml_node> chain;
  for (pugi::xml_node current = node; current && IsGradient(current) && static_cast<int>(chain.size()) < kMaxGradientChain;)
  {
    if (std::find(chain.begin(), chain.end(), current) != chain.end())
      break;
    chain.push_back(current);
    const auto found = mIds.find(HrefTarget(current));
    current = found == mIds.end() ? pugi::xml_node() : found->second;
  }
  if (chain.empty())
    return false;
  const auto attribute = [&](const char* name) {
    for (const pugi::xml_node& n : chain)
      if (pugi::xml_attribute a = n.attribute(name))
        return a;
    return pugi::xml_attribute();
  };

  std::vector<NSVGgradientStop> stops;
  for (const pugi::xml_node& n : chain)
  {
    stops = ReadStops(n, paintOpacity);
    if (!stops.empty())
      break;
  }
  paint.type = NSVG_PAINT_NONE;
  if (stops.empty())
    return true;
  // What a gradient without extent paints: the last stop's colour.
  const auto solid = [&]() {
    paint.type = NSVG_PAINT_COLOR;
    paint.color = stops.back().color;
    return true;
  };
  if (stops.size() == 1)
    return solid();

  const bool boxUnits = std::string_view(attribute("gradientUnits").value()) != "userSpaceOnUse";
  const auto coordinate = [&](const char* name, EAxis axis, float fallbackFraction) {
    SVGLength length;
    if (!SVGLength::Parse(attribute(name).value(), length))
      length = SVGLength{fallbackFraction * 100.0f, SVGLength::kPercent};
    if (boxUnits)
      return length.unit == SVGLength::kPercent ? length.value / 100.0f : length.value;
    return length.ToUser(mDpi, Reference(axis));
  };

  IMatrix toDocument = xform;
  if (boxUnits)
  {
    const float w = localBounds[2] - localBounds[0];
    const float h = localBounds[3] - localBounds[1];
    if (!(w > 0.0f && h > 0.0f))
      return true;
    toDocument.Transform(IMatrix(w, 0.0, 0.0, h, localBounds[0], localBounds[1]));
  }
  IMatrix gradientTransform;
  if (ParseSVGTransform(attribute("gradientTransform").value(), gradientTransform))
    toDocument.Transform(gradientTransform);

  auto gradient = std::make_unique<NSVGgradient>();
  const bool radial = SVGLocalName(node.name()) == "radialGradient";
  if (radial)
  {
    const float cx = coordinate("cx", EAxis::kX, 0.5f);
    const float cy = coordinate("cy", EAxis::kY, 0.5f);
    const float r = coordinate("r", EAxis::kDiagonal, 0.5f);
    if (!(r > 0.0f))
      return solid();
    const float fx = attribute("fx") ? coordinate("fx", EAxis::kX, 0.5f) : cx;
    const float fy = attribute("fy") ? coordinate("fy", EAxis::kY, 0.5f) : cy;
    toDocument.Transform(IMatrix(r, 0.0, 0.0, r, cx, cy));
    gradient->fx = (fx - cx) / r;
    gradient->fy = (fy - cy) / r;
    // A focal point outside the circle moves onto its edge.
    const float distance = std::hypot(gradient->fx, gradient->fy);
    if (distance > 1.0f)
    {
      gradient->fx /= distance;
      gradient->fy /= distance;
    }
  }
  else
  {
    const float x1 = coordinate("x1", EAxis::kX, 0.0f);
    const float y1 = coordinate("y1", EAxis::kY, 0.0f);
    const float x2 = coordinate("x2", EAxis::kX, 1.0f);
    const float y2 = coordinate("y2", EAxis::kY, 0.0f);
    const float dx = x2 - x1, dy = y2 - y1;
    if (dx == 0.0f && dy == 0.0f)
      return solid();
    // Gradient space runs from (0, 0) at the start point to (0, 1) at the end point.
    toDocument.Transform(IMatrix(dy, -dx, dx, dy, x1, y1));
  }
  if (!toDocument.Invert())
    return true;
  SetMatrix(gradient->xform, toDocument);

  const std::string_view spread = attribute("spreadMethod").value();
  gradient->spread = spread == "reflect" ? NSVG_SPREAD_REFLECT : spread == "repeat" ? NSVG_SPREAD_REPEAT : NSVG_SPREAD_PAD;
  gradient->nstops = static_cast<int>(stops.size());
  gradient->stops = new NSVGgradientStop[stops.size()];
  std::copy(stops.begin(), stops.end(), gradient->stops);
  paint.type = radial ? NSVG_PAINT_RADIAL_GRADIENT : NSVG_PAINT_LINEAR_GRADIENT;
  paint.gradient = gradient.release();
  return true;
}

void SVGDocumentParser::BuildPaint(const SVGPaintValue& value, float paintOpacity, const SVGStyle& style, const IMatrix& xform,
                                   const float* localBounds, NSVGpaint& paint) const
{
  SVGPaintValue::EKind kind = value.kind;
  SVGColor color = value.color;
  if (kind == SVGPaintValue::kUrl)
  {
    const auto found = mIds.find(std::string_view(value.url));
    if (found != mIds.end() && IsGradient(found->second) &&
        BuildGradient(found->second, paintOpacity, xform, localBounds, paint))
      return;
    kind = value.fallbackKind;
    color = value.fallbackColor;
  }
  if (kind == SVGPaintValue::kCurrentColor)
    color = style.color;
  if (kind == SVGPaintValue::kColor || kind == SVGPaintValue::kCurrentColor)
  {
    paint.type = NSVG_PAINT_COLOR;
    paint.color = PackWithAlpha(color.rgb, color.alpha * paintOpacity);
  }
  else
    paint.type = NSVG_PAINT_NONE;
}

void SVGDocumentParser::AddShape(const pugi::xml_node& node, const SVGStyle& style, const IMatrix& xform,
                                 const std::vector<SVGSubpath>& subpaths)
{
  if (subpaths.empty())
    return;
  float localBounds[4] = {};
  for (size_t i = 0; i < subpaths.size(); ++i)
  {
    float bounds[4];
    CurveBounds(subpaths[i].pts.data(), static_cast<int>(subpaths[i].pts.size() / 2), bounds);
    UniteBounds(localBounds, bounds, i == 0);
  }

  NSVGshape* shape = new NSVGshape;
  *mTail = shape;
  mTail = &shape->next;

  std::strncpy(shape->id, node.attribute("id").value(), sizeof(shape->id) - 1);
  shape->opacity = std::clamp(style.opacity, 0.0f, 1.0f);
  BuildPaint(style.fill, style.fillOpacity, style, xform, localBounds, shape->fill);
  BuildPaint(style.stroke, style.strokeOpacity, style, xform, localBounds, shape->stroke);

  const float scale = AverageScale(xform);
  const float diagonal = Reference(EAxis::kDiagonal);
  shape->strokeWidth = style.strokeWidth.ToUser(mDpi, diagonal) * scale;
  if (!(shape->strokeWidth > 0.0f) || !std::isfinite(shape->strokeWidth))
  {
    FreePaint(shape->stroke);
    shape->strokeWidth = 0.0f;
  }
  // Dash lengths repeat to an even count; a pattern of nothing but zeros is a solid line.
  std::vector<float> dashes;
  float dashTotal = 0.0f;
  for (const SVGLength& dash : style.dashArray)
  {
    dashes.push_back(dash.ToUser(mDpi, diagonal) * scale);
    dashTotal += dashes.back();
  }
  if (dashes.size() % 2 == 1)
  {
    const std::vector<float> once = dashes;
    dashes.insert(dashes.end(), once.begin(), once.end());
  }
  if (dashTotal > 0.0f && std::isfinite(dashTotal))
  {
    const size_t count = std::min<size_t>(dashes.size(), 8);
    std::copy(dashes.begin(), dashes.begin() + static_cast<std::ptrdiff_t>(count), shape->strokeDashArray);
    shape->strokeDashCount = static_cast<char>(count);
    shape->strokeDashOffset = style.dashOffset.ToUser(mDpi, diagonal) * scale;
  }
  shape->strokeLineJoin = style.lineJoin;
  shape->strokeLineCap = style.lineCap;
  shape->miterLimit = style.miterLimit;
  shape->fillRule = style.fillRule;
  shape->flags = style.visible ? NSVG_FLAGS_VISIBLE : 0;

  NSVGpath** pathTail = &shape->paths;
  for (size_t i = 0; i < subpaths.size(); ++i)
  {
    const SVGSubpath& subpath = subpaths[i];
    NSVGpath* path = new NSVGpath;
    *pathTail = path;
    pathTail = &path->next;
    path->npts = static_cast<int>(subpath.pts.size() / 2);
    path->pts = new float[subpath.pts.size()];
    for (size_t p = 0; p < subpath.pts.size(); p += 2)
    {
      double x = subpath.pts[p], y = subpath.pts[p + 1];
      xform.TransformPoint(x, y);
      path->pts[p] = static_cast<float>(x);
      path->pts[p + 1] = static_cast<float>(y);
    }
    path->closed = subpath.closed ? 1 : 0;
    CurveBounds(path->pts, path->npts, path->bounds);
    UniteBounds(shape->bounds, path->bounds, i == 0);
  }
}

void SVGDocumentParser::TransformImage(const IMatrix& m)
{
  IMatrix inverse = m;
  const bool invertible = inverse.Invert();
  const float scale = AverageScale(m);
  for (NSVGshape* shape = mImage->shapes; shape; shape = shape->next)
  {
    bool first = true;
    for (NSVGpath* path = shape->paths; path; path = path->next)
    {
      for (int p = 0; p < path->npts; ++p)
      {
        double x = path->pts[p * 2], y = path->pts[p * 2 + 1];
        m.TransformPoint(x, y);
        path->pts[p * 2] = static_cast<float>(x);
        path->pts[p * 2 + 1] = static_cast<float>(y);
      }
      CurveBounds(path->pts, path->npts, path->bounds);
      UniteBounds(shape->bounds, path->bounds, first);
      first = false;
    }
    for (NSVGpaint* paint : {&shape->fill, &shape->stroke})
    {
      if (paint->type != NSVG_PAINT_LINEAR_GRADIENT && paint->type != NSVG_PAINT_RADIAL_GRADIENT)
        continue;
      if (!invertible)
      {
        FreePaint(*paint);
        continue;
      }
      // Gradient space is reached from the new coordinates through the old ones.
      IMatrix xform = GetMatrix(paint->gradient->xform);
      xform.Transform(inverse);
      SetMatrix(paint->gradient->xform, xform);
    }
    shape->strokeWidth *= scale;
    shape->strokeDashOffset *= scale;
    for (float& dash : shape->strokeDashArray)
      dash *= scale;
  }
}

bool SVGDocumentParser::FinishViewport(const char* units)
{
  float content[4] = {};
  bool any = false;
  for (NSVGshape* shape = mImage->shapes; shape; shape = shape->next)
  {
    UniteBounds(content, shape->bounds, !any);
    any = true;
  }
  // Without a viewBox, the size given maps one to one; without a size either, the content's extent is
  // the document.
  float box[4] = {0.0f, 0.0f, mWidth, mHeight};
  if (mHasViewBox)
    std::copy(mViewBox, mViewBox + 4, box);
  else
  {
    if (box[2] <= 0.0f)
    {
      box[0] = content[0];
      box[2] = content[2] - content[0];
    }
    if (box[3] <= 0.0f)
    {
      box[1] = content[1];
      box[3] = content[3] - content[1];
    }
  }
  const float width = mWidth > 0.0f ? mWidth : box[2];
  const float height = mHeight > 0.0f ? mHeight : box[3];
  if (!std::isfinite(width) || !std::isfinite(height) || !(width > 0.0f || height > 0.0f))
    return false;

  double sx = box[2] > 0.0f ? width / box[2] : 1.0;
  double sy = box[3] > 0.0f ? height / box[3] : 1.0;
  double tx = 0.0, ty = 0.0;
  if (mHasViewBox && !mAlignNone)
  {
    sx = sy = mSlice ? std::max(sx, sy) : std::min(sx, sy);
    tx = mAlignX * (width - box[2] * sx);
    ty = mAlignY * (height - box[3] * sy);
  }

  SVGLength unit{1.0f, SVGLength::kPx};
  const std::string_view unitName(units ? units : "px");
  if (unitName == "pt" || unitName == "pc" || unitName == "mm" || unitName == "cm" || unitName == "in")
  {
    std::string oneUnit = "1";
    oneUnit += unitName;
    SVGLength::Parse(oneUnit, unit);
  }
  const double unitScale = 1.0 / unit.ToUser(mDpi, 1.0f);

  IMatrix m(unitScale, 0.0, 0.0, unitScale, 0.0, 0.0);
  m.Translate(tx, ty);
  m.Scale(sx, sy);
  m.Translate(-box[0], -box[1]);
  if (m != IMatrix())
    TransformImage(m);
  mImage->width = static_cast<float>(width * unitScale);
  mImage->height = static_cast<float>(height * unitScale);
  return true;
}

NSVGimage* SVGDocumentParser::Parse(const char* input, const char* units)
{
  pugi::xml_document document;
  if (!document.load_buffer(input, std::strlen(input), pugi::parse_default, pugi::encoding_utf8))
    return nullptr;
  const pugi::xml_node root = document.document_element();
  if (SVGLocalName(root.name()) != "svg")
    return nullptr;

  ReadStyleSheets(root);
  ReadViewport(root);
  mImage.reset(new NSVGimage);
  mTail = &mImage->shapes;

  const SVGStyle style = ComputeStyle(root, SVGStyle());
  if (style.displayed)
    WalkChildren(root, style, ElementTransform(root, IMatrix()), 0, 0);
  if (!FinishViewport(units))
    return nullptr;
  return mImage.release();
}

} // namespace

} // namespace iplug::igraphics

NSVGimage* nsvgParse(char* input, const char* units, float dpi)
{
  if (!input)
    return nullptr;
  // Allocation failures inside the parser (the only exceptions it can meet) end in a null result, never in
  // an exception for the caller.
  try
  {
    iplug::igraphics::SVGDocumentParser parser(std::isfinite(dpi) ? std::max(dpi, 1.0f) : 96.0f);
    return parser.Parse(input, units);
  }
  catch (const std::exception&)
  {
    return nullptr;
  }
}

void nsvgDelete(NSVGimage* image)
{
  if (!image)
    return;
  NSVGshape* shape = image->shapes;
  while (shape)
  {
    NSVGshape* next = shape->next;
    NSVGpath* path = shape->paths;
    while (path)
    {
      NSVGpath* nextPath = path->next;
      delete[] path->pts;
      delete path;
      path = nextPath;
    }
    iplug::igraphics::FreePaint(shape->fill);
    iplug::igraphics::FreePaint(shape->stroke);
    delete shape;
    shape = next;
  }
  delete image;
}
