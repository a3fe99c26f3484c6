#include "SVGPathBuilder.h"

#include "SVGScanner.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <numbers>

namespace iplug::igraphics {

void SVGPathBuilder::MoveTo(float x, float y)
{
  Flush();
  mCurrent.pts = {x, y};
  mOpen = true;
  mX = mStartX = x;
  mY = mStartY = y;
}

void SVGPathBuilder::Begin()
{
  if (mOpen)
    return;
  mCurrent.pts = {mX, mY};
  mCurrent.closed = false;
  mOpen = true;
  mStartX = mX;
  mStartY = mY;
}

void SVGPathBuilder::LineTo(float x, float y)
{
  const float dx = x - mX;
  const float dy = y - mY;
  CubicTo(mX + dx / 3.0f, mY + dy / 3.0f, x - dx / 3.0f, y - dy / 3.0f, x, y);
}

void SVGPathBuilder::CubicTo(float cx1, float cy1, float cx2, float cy2, float x, float y)
{
  Begin();
  mCurrent.pts.insert(mCurrent.pts.end(), {cx1, cy1, cx2, cy2, x, y});
  mX = x;
  mY = y;
}

void SVGPathBuilder::QuadTo(float cx, float cy, float x, float y)
{
  const float cx1 = mX + 2.0f / 3.0f * (cx - mX);
  const float cy1 = mY + 2.0f / 3.0f * (cy - mY);
  const float cx2 = x + 2.0f / 3.0f * (cx - x);
  const float cy2 = y + 2.0f / 3.0f * (cy - y);
  CubicTo(cx1, cy1, cx2, cy2, x, y);
}

void SVGPathBuilder::ArcTo(float rx, float ry, float rotation, bool largeArc, bool sweep, float x, float y)
{
  // The endpoint-to-centre conversion of the SVG implementation notes, in double precision.
  const double x1 = mX, y1 = mY;
  if (x1 == x && y1 == y)
    return;
  double rxd = std::fabs(rx), ryd = std::fabs(ry);
  if (rxd == 0.0 || ryd == 0.0)
  {
    LineTo(x, y);
    return;
  }
  const double phi = rotation * std::numbers::pi / 180.0;
  const double cosPhi = std::cos(phi), sinPhi = std::sin(phi);
  const double dx2 = (x1 - x) / 2.0, dy2 = (y1 - y) / 2.0;
  const double x1p = cosPhi * dx2 + sinPhi * dy2;
  const double y1p = -sinPhi * dx2 + cosPhi * dy2;

  // Radii too small to reach the end point grow until they just do.
  const double lambda = (x1p * x1p) / (rxd * rxd) + (y1p * y1p) / (ryd * ryd);
  if (lambda > 1.0)
  {
    rxd *= std::sqrt(lambda);
    ryd *= std::sqrt(lambda);
  }
  const double rx2 = rxd * rxd, ry2 = ryd * ryd;
  const double den = rx2 * y1p * y1p + ry2 * x1p * x1p;
  const double num = rx2 * ry2 - den;
  double coef = den > 0.0 ? std::sqrt(std::max(0.0, num / den)) : 0.0;
  if (largeArc == sweep)
    coef = -coef;
  const double cxp = coef * rxd * y1p / ryd;
  const double cyp = -coef * ryd * x1p / rxd;
  const double cx = cosPhi * cxp - sinPhi * cyp + (x1 + x) / 2.0;
  const double cy = sinPhi * cxp + cosPhi * cyp + (y1 + y) / 2.0;

  const double ux = (x1p - cxp) / rxd, uy = (y1p - cyp) / ryd;
  const double vx = (-x1p - cxp) / rxd, vy = (-y1p - cyp) / ryd;
  const double theta1 = std::atan2(uy, ux);
  double dtheta = std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
  if (!sweep && dtheta > 0.0)
    dtheta -= 2.0 * std::numbers::pi;
  else if (sweep && dtheta < 0.0)
    dtheta += 2.0 * std::numbers::pi;

  if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(theta1) || !std::isfinite(dtheta))
  {
    LineTo(x, y);
    return;
  }

  const int segments = std::clamp(static_cast<int>(std::ceil(std::fabs(dtheta) / (std::numbers::pi / 2.0) - 1e-6)), 1, 4);
  const double delta = dtheta / segments;
  const double t = 4.0 / 3.0 * std::tan(delta / 4.0);
  auto mapX = [&](double ex, double ey) { return static_cast<float>(cx + cosPhi * rxd * ex - sinPhi * ryd * ey); };
  auto mapY = [&](double ex, double ey) { return static_cast<float>(cy + sinPhi * rxd * ex + cosPhi * ryd * ey); };
  for (int i = 0; i < segments; ++i)
  {
    const double a1 = theta1 + i * delta;
    const double a2 = a1 + delta;
    const double c1 = std::cos(a1), s1 = std::sin(a1);
    const double c2 = std::cos(a2), s2 = std::sin(a2);
    const double p1x = c1 - t * s1, p1y = s1 + t * c1;
    const double p2x = c2 + t * s2, p2y = s2 - t * c2;
    const bool last = i == segments - 1;
    CubicTo(mapX(p1x, p1y), mapY(p1x, p1y), mapX(p2x, p2y), mapY(p2x, p2y), last ? x : mapX(c2, s2), last ? y : mapY(c2, s2));
  }
}

void SVGPathBuilder::Close()
{
  if (!mOpen)
    return;
  if (mX != mStartX || mY != mStartY)
    LineTo(mStartX, mStartY);
  mCurrent.closed = true;
  Flush();
  mX = mStartX;
  mY = mStartY;
}

void SVGPathBuilder::Flush()
{
  if (mOpen && mCurrent.pts.size() >= 8)
    mDone.push_back(std::move(mCurrent));
  mCurrent = SVGSubpath();
  mOpen = false;
}

std::vector<SVGSubpath> SVGPathBuilder::Take()
{
  Flush();
  std::vector<SVGSubpath> done = std::move(mDone);
  mDone.clear();
  return done;
}

namespace {

// Number of parameters each command takes per repeat.
int ParameterCount(char command)
{
  switch (std::tolower(static_cast<unsigned char>(command)))
  {
    case 'm':
    case 'l':
    case 't':
      return 2;
    case 'h':
    case 'v':
      return 1;
    case 'c':
      return 6;
    case 's':
    case 'q':
      return 4;
    case 'a':
      return 7;
    default:
      return 0;
  }
}

// Reads the parameters of one repeat of command into args; the arc's flags are read as flags.
bool ReadParameters(SVGScanner& scanner, char command, float* args)
{
  const bool arc = std::tolower(static_cast<unsigned char>(command)) == 'a';
  const int count = ParameterCount(command);
  for (int i = 0; i < count; ++i)
  {
    if (arc && (i == 3 || i == 4))
    {
      bool flag = false;
      if (!scanner.Flag(flag))
        return false;
      args[i] = flag ? 1.0f : 0.0f;
    }
    else if (!scanner.Number(args[i]))
      return false;
  }
  return true;
}

// What the previous segment leaves for the smooth curve commands to reflect.
enum class EPrevious
{
  kOther,
  kCubic,
  kQuadratic
};

} // namespace

bool ParseSVGPathData(const char* d, SVGPathBuilder& builder)
{
  if (!d)
    return true;
  SVGScanner scanner{std::string_view(d)};
  char command = 0;
  EPrevious previous = EPrevious::kOther;
  float ctrlX = 0.0f, ctrlY = 0.0f; // last control point, for S and T
  while (!scanner.AtEnd())
  {
    const char next = scanner.Peek();
    if (std::isalpha(static_cast<unsigned char>(next)))
    {
      if (!std::strchr("MmLlHhVvCcSsQqTtAaZz", next))
        return false;
      scanner.Consume(next);
      if (command == 0 && next != 'M' && next != 'm')
        return false;
      command = next;
    }
    else if (command == 0 || command == 'Z' || command == 'z')
      return false;

    const bool relative = std::islower(static_cast<unsigned char>(command));
    const float ox = relative ? builder.X() : 0.0f;
    const float oy = relative ? builder.Y() : 0.0f;
    float a[7] = {};
    if (!ReadParameters(scanner, command, a))
      return false;

    switch (std::tolower(static_cast<unsigned char>(command)))
    {
      case 'z':
        builder.Close();
        previous = EPrevious::kOther;
        break;
      case 'm':
        builder.MoveTo(ox + a[0], oy + a[1]);
        // Further pairs after a move are lines.
        command = relative ? 'l' : 'L';
        previous = EPrevious::kOther;
        break;
      case 'l':
        builder.LineTo(ox + a[0], oy + a[1]);
        previous = EPrevious::kOther;
        break;
      case 'h':
        builder.LineTo(ox + a[0], builder.Y());
        previous = EPrevious::kOther;
        break;
      case 'v':
        builder.LineTo(builder.X(), oy + a[0]);
        previous = EPrevious::kOther;
        break;
      case 'c':
        builder.CubicTo(ox + a[0], oy + a[1], ox + a[2], oy + a[3], ox + a[4], oy + a[5]);
        ctrlX = ox + a[2];
        ctrlY = oy + a[3];
        previous = EPrevious::kCubic;
        break;
      case 's':
      {
        const float x = builder.X(), y = builder.Y();
        const float cx1 = previous == EPrevious::kCubic ? 2.0f * x - ctrlX : x;
        const float cy1 = previous == EPrevious::kCubic ? 2.0f * y - ctrlY : y;
        builder.CubicTo(cx1, cy1, ox + a[0], oy + a[1], ox + a[2], oy + a[3]);
        ctrlX = ox + a[0];
        ctrlY = oy + a[1];
        previous = EPrevious::kCubic;
        break;
      }
      case 'q':
        builder.QuadTo(ox + a[0], oy + a[1], ox + a[2], oy + a[3]);
        ctrlX = ox + a[0];
        ctrlY = oy + a[1];
        previous = EPrevious::kQuadratic;
        break;
      case 't':
      {
        const float x = builder.X(), y = builder.Y();
        const float cx = previous == EPrevious::kQuadratic ? 2.0f * x - ctrlX : x;
        const float cy = previous == EPrevious::kQuadratic ? 2.0f * y - ctrlY : y;
        builder.QuadTo(cx, cy, ox + a[0], oy + a[1]);
        ctrlX = cx;
        ctrlY = cy;
        previous = EPrevious::kQuadratic;
        break;
      }
      case 'a':
        builder.ArcTo(a[0], a[1], a[2], a[3] != 0.0f, a[4] != 0.0f, ox + a[5], oy + a[6]);
        previous = EPrevious::kOther;
        break;
      default:
        return false;
    }
  }
  return true;
}

} // namespace iplug::igraphics
