#include "IGraphics.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "IControl.h"
#include "NSVGImage.h"

// The drawing operations of the graphics context, written on the back end's path, fill, stroke, bitmap,
// text and layer primitives.
namespace iplug::igraphics
{

namespace
{
  constexpr double kPi = 3.14159265358979323846;

  double Radians(double degrees) { return degrees * kPi / 180.0; }

  IMatrix ToMatrix(const float* xform)
  {
    return IMatrix(xform[0], xform[1], xform[2], xform[3], xform[4], xform[5]);
  }

  // Whether the ray from p1 through p2 crosses the polyline edge e1-e2 (its end e2 excluded, so a vertex
  // shared by two edges counts once).
  bool Crosses(float p1x, float p1y, float p2x, float p2y, float e1x, float e1y, float e2x, float e2y)
  {
    const double dx = p2x - p1x;
    const double dy = p2y - p1y;
    const double ex = e2x - e1x;
    const double ey = e2y - e1y;
    const double denominator = dx * ey - dy * ex;
    if (std::abs(denominator) < 1e-8)
      return false;
    const double t = ((e1x - p1x) * ey - (e1y - p1y) * ex) / denominator;
    const double u = ((e1x - p1x) * dy - (e1y - p1y) * dx) / denominator;
    return t >= 0.0 && u >= 0.0 && u < 1.0;
  }

  // Whether path lies inside an odd number of the shape's other paths (so must wind the other way).
  bool WindsOdd(const NSVGshape& shape, const NSVGpath& path)
  {
    const float p1x = path.pts[0];
    const float p1y = path.pts[1];
    const float p2x = path.bounds[0] - 1.f;
    const float p2y = path.bounds[1] - 1.f;
    int crossings = 0;
    for (const NSVGpath* other = shape.paths; other; other = other->next)
    {
      if (other == &path || other->npts < 1)
        continue;
      for (int i = 0; i < other->npts; i += 3)
      {
        const int j = i + 3 < other->npts ? i + 3 : 0;
        if (Crosses(p1x, p1y, p2x, p2y, other->pts[i * 2], other->pts[i * 2 + 1], other->pts[j * 2],
                    other->pts[j * 2 + 1]))
          ++crossings;
      }
    }
    return crossings % 2 == 1;
  }
}

// ---- Path transform ----

void IGraphics::PathTransformTranslate(float x, float y)
{
  mTransform.Translate(x, y);
  PathTransformSetMatrix(mTransform);
}

void IGraphics::PathTransformScale(float sx, float sy)
{
  mTransform.Scale(sx, sy);
  PathTransformSetMatrix(mTransform);
}

void IGraphics::PathTransformScale(float s)
{
  PathTransformScale(s, s);
}

void IGraphics::PathTransformRotate(float degrees)
{
  mTransform.Rotate(degrees);
  PathTransformSetMatrix(mTransform);
}

void IGraphics::PathTransformSkew(float xAngle, float yAngle)
{
  mTransform.Skew(xAngle, yAngle);
  PathTransformSetMatrix(mTransform);
}

void IGraphics::PathTransformMatrix(const IMatrix& matrix)
{
  mTransform.Transform(matrix);
  PathTransformSetMatrix(mTransform);
}

void IGraphics::PathClipRegion(const IRECT r)
{
  const IRECT base = mLayerStack.empty() ? mClipBounds : mLayerStack.top()->Bounds();
  const IRECT clip = r.Empty() ? base : base.Intersect(r);
  PathTransformSetMatrix(IMatrix());
  SetClipRegion(clip);
  PathTransformSetMatrix(mTransform);
}

// ---- Path building ----

void IGraphics::PathRect(const IRECT& bounds)
{
  PathMoveTo(bounds.L, bounds.T);
  PathLineTo(bounds.R, bounds.T);
  PathLineTo(bounds.R, bounds.B);
  PathLineTo(bounds.L, bounds.B);
  PathClose();
}

void IGraphics::PathRoundRect(const IRECT& bounds, float cornerRadius)
{
  PathRoundRect(bounds, cornerRadius, cornerRadius, cornerRadius, cornerRadius);
}

void IGraphics::PathRoundRect(const IRECT& bounds, float cRTL, float cRTR, float cRBL, float cRBR)
{
  if (cRTL <= 0.f && cRTR <= 0.f && cRBL <= 0.f && cRBR <= 0.f)
  {
    PathRect(bounds);
    return;
  }
  PathMoveTo(bounds.L, bounds.T + cRTL);
  PathArc(bounds.L + cRTL, bounds.T + cRTL, cRTL, 270.f, 360.f);
  PathArc(bounds.R - cRTR, bounds.T + cRTR, cRTR, 0.f, 90.f);
  PathArc(bounds.R - cRBR, bounds.B - cRBR, cRBR, 90.f, 180.f);
  PathArc(bounds.L + cRBL, bounds.B - cRBL, cRBL, 180.f, 270.f);
  PathClose();
}

void IGraphics::PathCircle(float cx, float cy, float r)
{
  PathMoveTo(cx, cy - r);
  PathArc(cx, cy, r, 0.f, 360.f);
  PathClose();
}

void IGraphics::PathEllipse(const IRECT& bounds)
{
  PathEllipse(bounds.MW(), bounds.MH(), bounds.W() / 2.f, bounds.H() / 2.f);
}

void IGraphics::PathEllipse(float x, float y, float r1, float r2, float angle)
{
  if (r1 <= 0.f || r2 <= 0.f)
    return;
  PathTransformSave();
  PathTransformTranslate(x, y);
  PathTransformRotate(angle);
  PathTransformScale(r1, r2);
  PathMoveTo(0.f, -1.f);
  PathArc(0.f, 0.f, 1.f, 0.f, 360.f);
  PathClose();
  PathTransformRestore();
}

void IGraphics::PathConvexPolygon(float* x, float* y, int nPoints)
{
  if (!x || !y || nPoints < 1)
    return;
  PathMoveTo(x[0], y[0]);
  for (int i = 1; i < nPoints; ++i)
    PathLineTo(x[i], y[i]);
  PathClose();
}

void IGraphics::PathTriangle(float x1, float y1, float x2, float y2, float x3, float y3)
{
  PathMoveTo(x1, y1);
  PathLineTo(x2, y2);
  PathLineTo(x3, y3);
  PathClose();
}

void IGraphics::PathRadialLine(float cx, float cy, float angle, float rMin, float rMax)
{
  const double theta = Radians(angle - 90.0);
  const float c = static_cast<float>(std::cos(theta));
  const float s = static_cast<float>(std::sin(theta));
  PathMoveTo(cx + rMin * c, cy + rMin * s);
  PathLineTo(cx + rMax * c, cy + rMax * s);
}

// ---- Shapes ----

void IGraphics::DrawPoint(const IColor& color, float x, float y, const IBlend* pBlend)
{
  FillRect(color, IRECT(x, y, x + 1.f, y + 1.f), pBlend);
}

void IGraphics::DrawLine(const IColor& color, float x1, float y1, float x2, float y2, const IBlend* pBlend,
                         float thickness)
{
  PathClear();
  PathMoveTo(x1, y1);
  PathLineTo(x2, y2);
  PathStroke(color, thickness, IStrokeOptions(), pBlend);
}

void IGraphics::DrawDottedLine(const IColor& color, float x1, float y1, float x2, float y2, const IBlend* pBlend,
                               float thickness, float dashLen)
{
  IStrokeOptions options;
  options.mDash.SetDash(&dashLen, 0.f, 1);
  PathClear();
  PathMoveTo(x1, y1);
  PathLineTo(x2, y2);
  PathStroke(color, thickness, options, pBlend);
}

void IGraphics::DrawTriangle(const IColor& color, float x1, float y1, float x2, float y2, float x3, float y3,
                             const IBlend* pBlend, float thickness)
{
  PathClear();
  PathTriangle(x1, y1, x2, y2, x3, y3);
  PathStroke(color, thickness, IStrokeOptions(), pBlend);
}

void IGraphics::DrawRect(const IColor& color, const IRECT& bounds, const IBlend* pBlend, float thickness)
{
  PathClear();
  PathRect(bounds);
  PathStroke(color, thickness, IStrokeOptions(), pBlend);
}

void IGraphics::DrawRoundRect(const IColor& color, const IRECT& bounds, float cornerRadius, const IBlend* pBlend,
                              float thickness)
{
  PathClear();
  PathRoundRect(bounds, cornerRadius);
  PathStroke(color, thickness, IStrokeOptions(), pBlend);
}

void IGraphics::DrawRoundRect(const IColor& color, const IRECT& bounds, float cRTL, float cRTR, float cRBL, float cRBR,
                              const IBlend* pBlend, float thickness)
{
  PathClear();
  PathRoundRect(bounds, cRTL, cRTR, cRBL, cRBR);
  PathStroke(color, thickness, IStrokeOptions(), pBlend);
}

void IGraphics::DrawArc(const IColor& color, float cx, float cy, float r, float a1, float a2, const IBlend* pBlend,
                        float thickness)
{
  PathClear();
  PathArc(cx, cy, r, a1, a2);
  PathStroke(color, thickness, IStrokeOptions(), pBlend);
}

void IGraphics::DrawCircle(const IColor& color, float cx, float cy, float r, const IBlend* pBlend, float thickness)
{
  PathClear();
  PathCircle(cx, cy, r);
  PathStroke(color, thickness, IStrokeOptions(), pBlend);
}

void IGraphics::DrawEllipse(const IColor& color, const IRECT& bounds, const IBlend* pBlend, float thickness)
{
  PathClear();
  PathEllipse(bounds);
  PathStroke(color, thickness, IStrokeOptions(), pBlend);
}

void IGraphics::DrawEllipse(const IColor& color, float x, float y, float r1, float r2, float angle,
                            const IBlend* pBlend, float thickness)
{
  PathClear();
  PathEllipse(x, y, r1, r2, angle);
  PathStroke(color, thickness, IStrokeOptions(), pBlend);
}

void IGraphics::DrawConvexPolygon(const IColor& color, float* x, float* y, int nPoints, const IBlend* pBlend,
                                  float thickness)
{
  PathClear();
  PathConvexPolygon(x, y, nPoints);
  PathStroke(color, thickness, IStrokeOptions(), pBlend);
}

void IGraphics::DrawDottedRect(const IColor& color, const IRECT& bounds, const IBlend* pBlend, float thickness,
                               float dashLen)
{
  IStrokeOptions options;
  options.mDash.SetDash(&dashLen, 0.f, 1);
  PathClear();
  PathRect(bounds);
  PathStroke(color, thickness, options, pBlend);
}

void IGraphics::FillTriangle(const IColor& color, float x1, float y1, float x2, float y2, float x3, float y3,
                             const IBlend* pBlend)
{
  PathClear();
  PathTriangle(x1, y1, x2, y2, x3, y3);
  PathFill(color, IFillOptions(), pBlend);
}

void IGraphics::FillRect(const IColor& color, const IRECT& bounds, const IBlend* pBlend)
{
  PathClear();
  PathRect(bounds);
  PathFill(color, IFillOptions(), pBlend);
}

void IGraphics::FillRoundRect(const IColor& color, const IRECT& bounds, float cornerRadius, const IBlend* pBlend)
{
  PathClear();
  PathRoundRect(bounds, cornerRadius);
  PathFill(color, IFillOptions(), pBlend);
}

void IGraphics::FillRoundRect(const IColor& color, const IRECT& bounds, float cRTL, float cRTR, float cRBL, float cRBR,
                              const IBlend* pBlend)
{
  PathClear();
  PathRoundRect(bounds, cRTL, cRTR, cRBL, cRBR);
  PathFill(color, IFillOptions(), pBlend);
}

void IGraphics::FillCircle(const IColor& color, float cx, float cy, float r, const IBlend* pBlend)
{
  PathClear();
  PathCircle(cx, cy, r);
  PathFill(color, IFillOptions(), pBlend);
}

void IGraphics::FillEllipse(const IColor& color, const IRECT& bounds, const IBlend* pBlend)
{
  PathClear();
  PathEllipse(bounds);
  PathFill(color, IFillOptions(), pBlend);
}

void IGraphics::FillEllipse(const IColor& color, float x, float y, float r1, float r2, float angle,
                            const IBlend* pBlend)
{
  PathClear();
  PathEllipse(x, y, r1, r2, angle);
  PathFill(color, IFillOptions(), pBlend);
}

void IGraphics::FillArc(const IColor& color, float cx, float cy, float r, float a1, float a2, const IBlend* pBlend)
{
  PathClear();
  PathMoveTo(cx, cy);
  PathArc(cx, cy, r, a1, a2);
  PathClose();
  PathFill(color, IFillOptions(), pBlend);
}

void IGraphics::FillConvexPolygon(const IColor& color, float* x, float* y, int nPoints, const IBlend* pBlend)
{
  PathClear();
  PathConvexPolygon(x, y, nPoints);
  PathFill(color, IFillOptions(), pBlend);
}

void IGraphics::DrawRadialLine(const IColor& color, float cx, float cy, float angle, float rMin, float rMax,
                               const IBlend* pBlend, float thickness)
{
  const double theta = Radians(angle - 90.0);
  const float c = static_cast<float>(std::cos(theta));
  const float s = static_cast<float>(std::sin(theta));
  DrawLine(color, cx + rMin * c, cy + rMin * s, cx + rMax * c, cy + rMax * s, pBlend, thickness);
}

void IGraphics::DrawVerticalLine(const IColor& color, const IRECT& bounds, float x, const IBlend* pBlend,
                                 float thickness)
{
  x = std::clamp(x, 0.f, 1.f);
  const float xi = bounds.L + static_cast<float>(static_cast<int>(x * (bounds.R - bounds.L)));
  DrawLine(color, xi, bounds.T, xi, bounds.B, pBlend, thickness);
}

void IGraphics::DrawVerticalLine(const IColor& color, float xi, float yLo, float yHi, const IBlend* pBlend,
                                 float thickness)
{
  DrawLine(color, xi, yLo, xi, yHi, pBlend, thickness);
}

void IGraphics::DrawHorizontalLine(const IColor& color, const IRECT& bounds, float y, const IBlend* pBlend,
                                   float thickness)
{
  y = std::clamp(y, 0.f, 1.f);
  const float yi = bounds.B - y * (bounds.B - bounds.T);
  DrawLine(color, bounds.L, yi, bounds.R, yi, pBlend, thickness);
}

void IGraphics::DrawHorizontalLine(const IColor& color, float yi, float xLo, float xHi, const IBlend* pBlend,
                                   float thickness)
{
  DrawLine(color, xLo, yi, xHi, yi, pBlend, thickness);
}

void IGraphics::DrawGrid(const IColor& color, const IRECT& bounds, float gridSizeH, float gridSizeV,
                         const IBlend* pBlend, float thickness)
{
  PathClear();
  if (gridSizeH > 1.f)
  {
    for (float x = bounds.L + gridSizeH; x < bounds.R; x += gridSizeH)
    {
      PathMoveTo(x, bounds.T);
      PathLineTo(x, bounds.B);
    }
  }
  if (gridSizeV > 1.f)
  {
    for (float y = bounds.T + gridSizeV; y < bounds.B; y += gridSizeV)
    {
      PathMoveTo(bounds.L, y);
      PathLineTo(bounds.R, y);
    }
  }
  PathStroke(color, thickness, IStrokeOptions(), pBlend);
}

void IGraphics::DrawData(const IColor& color, const IRECT& bounds, float* normYPoints, int nPoints,
                         float* normXPoints, const IBlend* pBlend, float thickness)
{
  if (!normYPoints || nPoints < 1)
    return;
  const float w = bounds.W();
  const float h = bounds.H();
  PathClear();
  PathMoveTo(bounds.L, bounds.B - h * normYPoints[0]);
  for (int i = 1; i < nPoints; ++i)
  {
    const float x = normXPoints ? bounds.L + w * normXPoints[i]
                                : bounds.L + static_cast<float>(i) * (w / static_cast<float>(nPoints - 1));
    PathLineTo(x, bounds.B - h * normYPoints[i]);
  }
  PathStroke(color, thickness, IStrokeOptions(), pBlend);
}

// ---- Bitmaps ----

void IGraphics::DrawBitmap(const IBitmap& bitmap, const IRECT& bounds, int frame, const IBlend* pBlend)
{
  int srcX = 0;
  int srcY = 0;
  const int n = bitmap.N();
  if (n > 1)
  {
    frame = std::clamp(frame, 1, n);
    if (frame > 1)
    {
      if (bitmap.GetFramesAreHorizontal())
        srcX = (frame - 1) * bitmap.W() / n;
      else
        srcY = (frame - 1) * bitmap.H() / n;
    }
  }
  DrawBitmap(bitmap, bounds, srcX, srcY, pBlend);
}

void IGraphics::DrawFittedBitmap(const IBitmap& bitmap, const IRECT& bounds, const IBlend* pBlend)
{
  if (bitmap.W() <= 0 || bitmap.H() <= 0)
    return;
  PathTransformSave();
  PathTransformTranslate(bounds.L, bounds.T);
  PathTransformScale(bounds.W() / static_cast<float>(bitmap.W()), bounds.H() / static_cast<float>(bitmap.H()));
  DrawBitmap(bitmap, IRECT(0.f, 0.f, static_cast<float>(bitmap.W()), static_cast<float>(bitmap.H())), 0, 0, pBlend);
  PathTransformRestore();
}

void IGraphics::DrawRotatedBitmap(const IBitmap& bitmap, float destCentreX, float destCentreY, double angle,
                                  const IBlend* pBlend)
{
  const float drawScale = bitmap.GetDrawScale() > 0.f ? bitmap.GetDrawScale() : 1.f;
  const float w = static_cast<float>(bitmap.W()) / drawScale;
  const float h = static_cast<float>(bitmap.H()) / drawScale;
  PathTransformSave();
  PathTransformTranslate(destCentreX, destCentreY);
  PathTransformRotate(static_cast<float>(angle));
  DrawBitmap(bitmap, IRECT(-w / 2.f, -h / 2.f, w / 2.f, h / 2.f), 0, 0, pBlend);
  PathTransformRestore();
}

void IGraphics::DrawBitmapedText(const IBitmap& bitmap, const IRECT& bounds, IText& text, IBlend* pBlend,
                                 const char* str, bool vCenter, bool multiline, int charWidth, int charHeight,
                                 int charOffset)
{
  if (!str || !str[0] || charWidth <= 0 || charHeight <= 0)
    return;
  const int length = static_cast<int>(std::strlen(str));
  const float y0 = vCenter ? bounds.T + (bounds.H() - static_cast<float>(charHeight)) / 2.f : bounds.T;
  const float stringWidth = static_cast<float>(charWidth) * static_cast<float>(length);
  float x0 = bounds.L + (bounds.W() - stringWidth) / 2.f;
  if (text.mAlign == kAlignNear)
    x0 = bounds.L;
  else if (text.mAlign == kAlignFar)
    x0 = bounds.R - stringWidth;

  int charsPerLine = static_cast<int>(bounds.W() / static_cast<float>(charWidth));
  int lines = 1;
  if (multiline && stringWidth > bounds.W())
    lines = static_cast<int>(stringWidth / bounds.W()) + 1;
  else if (multiline)
    charsPerLine = length;
  if (charsPerLine <= 0)
    return;

  int index = 0;
  for (int line = 0; line < lines && index < length; ++line)
  {
    for (int pos = 0; pos < charsPerLine && index < length; ++pos, ++index)
    {
      const int code = static_cast<unsigned char>(str[index]);
      const int frame = code < 32 ? 1 : code - 31;
      const float x = x0 + static_cast<float>(pos * (charWidth + charOffset));
      const float y = y0 + static_cast<float>(line * charHeight);
      DrawBitmap(bitmap, IRECT(x, y, x + static_cast<float>(charWidth), y + static_cast<float>(charHeight)), frame,
                 pBlend);
    }
  }
}

// ---- SVG ----

void IGraphics::DrawSVG(const ISVG& svg, const IRECT& bounds, const IBlend* pBlend)
{
  if (!svg.IsValid() || svg.mImage->width <= 0.f || svg.mImage->height <= 0.f)
    return;
  const float scale = std::min(bounds.W() / svg.mImage->width, bounds.H() / svg.mImage->height);
  PathTransformSave();
  PathTransformTranslate(bounds.L, bounds.T);
  PathTransformScale(scale);
  DoDrawSVG(svg, pBlend);
  PathTransformRestore();
}

void IGraphics::DrawRotatedSVG(const ISVG& svg, float destCentreX, float destCentreY, float width, float height,
                               double angle, const IBlend* pBlend)
{
  PathTransformSave();
  PathTransformTranslate(destCentreX, destCentreY);
  PathTransformRotate(static_cast<float>(angle));
  DrawSVG(svg, IRECT(-width / 2.f, -height / 2.f, width / 2.f, height / 2.f), pBlend);
  PathTransformRestore();
}

IPattern IGraphics::GetSVGPattern(const NSVGpaint& paint, float opacity)
{
  switch (paint.type)
  {
    case NSVG_PAINT_COLOR:
    {
      const int alpha = std::clamp(static_cast<int>(std::lround(opacity * 255.f)), 0, 255);
      return IColor(alpha, static_cast<int>(paint.color & 0xFF), static_cast<int>((paint.color >> 8) & 0xFF),
                    static_cast<int>((paint.color >> 16) & 0xFF));
    }
    case NSVG_PAINT_LINEAR_GRADIENT:
    case NSVG_PAINT_RADIAL_GRADIENT:
    {
      const NSVGgradient* gradient = paint.gradient;
      IPattern pattern(paint.type == NSVG_PAINT_LINEAR_GRADIENT ? kPatternLinear : kPatternRadial);
      if (!gradient)
        return IPattern();
      pattern.mEdge = static_cast<EPatternEdge>(std::clamp(gradient->spread + 1, 1, 3));
      for (int i = 0; i < gradient->nstops; ++i)
      {
        const unsigned int c = gradient->stops[i].color;
        pattern.AddStop(IColor(255, static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                               static_cast<int>((c >> 16) & 0xFF)),
                        gradient->stops[i].offset);
      }
      pattern.SetTransform(ToMatrix(gradient->xform));
      return pattern;
    }
    default: return IPattern();
  }
}

void IGraphics::DoDrawSVG(const ISVG& svg, const IBlend* pBlend)
{
  for (const NSVGshape* shape = svg.mImage->shapes; shape; shape = shape->next)
  {
    if (!(shape->flags & NSVG_FLAGS_VISIBLE))
      continue;
    PathClear();
    for (const NSVGpath* path = shape->paths; path; path = path->next)
    {
      if (path->npts < 1)
        continue;
      PathMoveTo(path->pts[0], path->pts[1]);
      for (int i = 1; i + 2 < path->npts; i += 3)
      {
        const float* p = &path->pts[i * 2];
        PathCubicBezierTo(p[0], p[1], p[2], p[3], p[4], p[5]);
      }
      if (path->closed)
        PathClose();
      PathSetWinding(WindsOdd(*shape, *path));
    }
    const bool hasStroke = shape->stroke.type != NSVG_PAINT_NONE;
    if (shape->fill.type != NSVG_PAINT_NONE)
      PathFill(GetSVGPattern(shape->fill, shape->opacity), IFillOptions(kFillPathWinding, hasStroke), pBlend);
    if (hasStroke)
    {
      IStrokeOptions options;
      options.mMiterLimit = shape->miterLimit;
      if (shape->strokeLineCap >= 0 && shape->strokeLineCap <= 2)
        options.mCap = static_cast<EStrokeCap>(shape->strokeLineCap);
      if (shape->strokeLineJoin >= 0 && shape->strokeLineJoin <= 2)
        options.mJoin = static_cast<EStrokeJoin>(shape->strokeLineJoin);
      options.mDash.SetDash(shape->strokeDashArray, shape->strokeDashOffset, shape->strokeDashCount);
      PathStroke(GetSVGPattern(shape->stroke, shape->opacity), shape->strokeWidth, options, pBlend);
    }
  }
}

// ---- Text ----

void IGraphics::DrawText(const IText& text, const char* str, const IRECT& bounds, const IBlend* pBlend)
{
  if (!str || !str[0])
    return;
  DoDrawText(text, str, bounds, pBlend);
}

void IGraphics::DrawText(const IText& text, const char* str, float x, float y, const IBlend* pBlend)
{
  DrawText(text, str, IRECT(x, y, x, y), pBlend);
}

float IGraphics::MeasureText(const IText& text, const char* str, IRECT& bounds) const
{
  if (!str || !str[0])
    return 0.f;
  return DoMeasureText(text, str, bounds);
}

void IGraphics::CalculateTextRotation(const IText& text, const IRECT& bounds, IRECT& rect, double& tx,
                                      double& ty) const
{
  if (text.mAngle == 0.f)
    return;
  IMatrix rotation;
  rotation.Rotate(text.mAngle);
  double xs[4] = {rect.L, rect.R, rect.R, rect.L};
  double ys[4] = {rect.T, rect.T, rect.B, rect.B};
  for (int i = 0; i < 4; ++i)
    rotation.TransformPoint(xs[i], ys[i]);
  const IRECT box(static_cast<float>(*std::min_element(xs, xs + 4)), static_cast<float>(*std::min_element(ys, ys + 4)),
                  static_cast<float>(*std::max_element(xs, xs + 4)), static_cast<float>(*std::max_element(ys, ys + 4)));
  rect = box;
  switch (text.mAlign)
  {
    case kAlignNear: tx = bounds.L - box.L; break;
    case kAlignFar: tx = bounds.R - box.R; break;
    default: tx = bounds.MW() - box.MW(); break;
  }
  switch (text.mVAlign)
  {
    case kVAlignTop: ty = bounds.T - box.T; break;
    case kVAlignBottom: ty = bounds.B - box.B; break;
    default: ty = bounds.MH() - box.MH(); break;
  }
}

void IGraphics::DoMeasureTextRotation(const IText& text, const IRECT& bounds, IRECT& rect) const
{
  double tx = 0.0;
  double ty = 0.0;
  CalculateTextRotation(text, bounds, rect, tx, ty);
  rect = IRECT(rect.L + static_cast<float>(tx), rect.T + static_cast<float>(ty), rect.R + static_cast<float>(tx),
               rect.B + static_cast<float>(ty));
}

// ---- Layers ----

void IGraphics::StartLayer(IControl* pControl, const IRECT& r, bool cacheable)
{
  const float s = GetBackingPixelScale();
  const IRECT aligned = r.GetPixelAligned(s);
  const int w = static_cast<int>(std::ceil(std::ceil(aligned.W()) * s));
  const int h = static_cast<int>(std::ceil(std::ceil(aligned.H()) * s));
  APIBitmap* pBitmap = CreateAPIBitmap(w, h, mScreenScale, mDrawScale, cacheable);
  PushLayer(new ILayer(pBitmap, aligned, pControl, pControl ? pControl->GetRECT() : IRECT()));
}

void IGraphics::PushLayer(ILayer* pLayer)
{
  mLayerStack.push(pLayer);
  UpdateLayer();
  mTransform = IMatrix();
  PathClipRegion(IRECT());
  PathClear();
}

ILayer* IGraphics::PopLayer()
{
  ILayer* pLayer = nullptr;
  if (!mLayerStack.empty())
  {
    pLayer = mLayerStack.top();
    mLayerStack.pop();
  }
  UpdateLayer();
  mTransform = IMatrix();
  PathClipRegion(IRECT());
  PathClear();
  return pLayer;
}

ILayerPtr IGraphics::EndLayer()
{
  return ILayerPtr(PopLayer());
}

void IGraphics::ResumeLayer(ILayerPtr& layer)
{
  if (layer)
    PushLayer(layer.release());
}

bool IGraphics::CheckLayer(const ILayerPtr& layer)
{
  const APIBitmap* pBitmap = layer ? layer->GetAPIBitmap() : nullptr;
  if (!pBitmap)
    return false;
  if (IControl* pControl = layer->GetControl())
    layer->UpdateControlBounds(pControl->GetRECT());
  if (layer->IsInvalid())
    return false;
  return pBitmap->GetDrawScale() == mDrawScale && pBitmap->GetScale() == mScreenScale;
}

void IGraphics::DrawLayer(const ILayerPtr& layer, const IBlend* pBlend)
{
  if (!layer)
    return;
  PathTransformSave();
  PathTransformReset();
  DrawBitmap(layer->GetBitmap(), layer->Bounds(), 0, 0, pBlend);
  PathTransformRestore();
}

void IGraphics::DrawFittedLayer(const ILayerPtr& layer, const IRECT& bounds, const IBlend* pBlend)
{
  if (!layer || layer->Bounds().W() <= 0.f || layer->Bounds().H() <= 0.f)
    return;
  const IRECT& area = layer->Bounds();
  PathTransformSave();
  PathTransformTranslate(bounds.L, bounds.T);
  PathTransformScale(bounds.W() / area.W(), bounds.H() / area.H());
  DrawBitmap(layer->GetBitmap(), IRECT(0.f, 0.f, area.W(), area.H()), 0, 0, pBlend);
  PathTransformRestore();
}

void IGraphics::DrawRotatedLayer(const ILayerPtr& layer, double angle)
{
  if (!layer)
    return;
  PathTransformSave();
  PathTransformReset();
  DrawRotatedBitmap(layer->GetBitmap(), layer->Bounds().MW(), layer->Bounds().MH(), angle, nullptr);
  PathTransformRestore();
}

void IGraphics::ApplyLayerDropShadow(ILayerPtr& layer, const IShadow& shadow)
{
  const APIBitmap* pBitmap = layer ? layer->GetAPIBitmap() : nullptr;
  if (!pBitmap || pBitmap->GetWidth() <= 0 || pBitmap->GetHeight() <= 0)
    return;
  WDL_TypedBuf<unsigned char> pixels;
  GetLayerBitmapData(layer, pixels);
  const int width = pBitmap->GetWidth();
  const int height = pBitmap->GetHeight();
  if (pixels.GetSize() < width * height * 4)
    return;

  const double s = std::max(1.0, static_cast<double>(pBitmap->GetScale()) * pBitmap->GetDrawScale() * shadow.mBlurSize + 1.0);
  const int n = static_cast<int>(std::ceil(s));
  std::vector<unsigned char> kernel(static_cast<size_t>(n));
  int norm = 0;
  for (int i = 0; i < n; ++i)
  {
    kernel[static_cast<size_t>(i)] =
      static_cast<unsigned char>(std::lround(255.0 * std::exp(-(static_cast<double>(i) * i) * 4.5 / (s * s))));
    norm += (i == 0 ? 1 : 2) * kernel[static_cast<size_t>(i)];
  }
  BlurAlpha(pixels.Get(), width, height, AlphaChannel(), kernel, norm);
  ApplyShadowMask(layer, pixels, shadow);
}

void IGraphics::BlurAlpha(unsigned char* pixels, int width, int height, int alphaOffset,
                          const std::vector<unsigned char>& kernel, int norm)
{
  // Rows bottom-up or top-down blur alike, so the stored row order does not matter here.
  const int n = static_cast<int>(kernel.size());
  std::vector<unsigned char> scratch(static_cast<size_t>(width) * static_cast<size_t>(height));
  const auto alphaAt = [&](int x, int y) -> int { return pixels[(static_cast<size_t>(y) * width + x) * 4 + alphaOffset]; };
  const auto blurred = [&](auto sample, int centre, int limit) {
    const int middle = sample(centre);
    bool uniform = true;
    long sum = 0;
    for (int k = -(n - 1); k <= n - 1; ++k)
    {
      const int at = centre + k;
      if (at < 0 || at >= limit)
      {
        uniform = false;
        continue;
      }
      const int value = sample(at);
      uniform = uniform && value == middle;
      sum += static_cast<long>(kernel[static_cast<size_t>(std::abs(k))]) * value;
    }
    if (uniform)
      return middle;
    return static_cast<int>(std::min<long>(255, norm > 0 ? sum / norm : 0));
  };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      scratch[static_cast<size_t>(y) * width + x] =
        static_cast<unsigned char>(blurred([&](int at) { return alphaAt(at, y); }, x, width));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      pixels[(static_cast<size_t>(y) * width + x) * 4 + alphaOffset] = static_cast<unsigned char>(
        blurred([&](int at) { return static_cast<int>(scratch[static_cast<size_t>(at) * width + x]); }, y, height));
}

} // namespace iplug::igraphics
