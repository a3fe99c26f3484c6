#include "IMatrix.h"

#include <cmath>
#include <numbers>

namespace iplug::igraphics {

namespace {

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

} // namespace

IMatrix& IMatrix::Transform(const IMatrix& m)
{
  const IMatrix p = *this;
  mA = m.mA * p.mA + m.mB * p.mC;
  mB = m.mA * p.mB + m.mB * p.mD;
  mC = m.mC * p.mA + m.mD * p.mC;
  mD = m.mC * p.mB + m.mD * p.mD;
  mTX = m.mTX * p.mA + m.mTY * p.mC + p.mTX;
  mTY = m.mTX * p.mB + m.mTY * p.mD + p.mTY;
  return *this;
}

IMatrix& IMatrix::Translate(double x, double y) { return Transform(IMatrix(1.0, 0.0, 0.0, 1.0, x, y)); }

IMatrix& IMatrix::Scale(double sx, double sy) { return Transform(IMatrix(sx, 0.0, 0.0, sy, 0.0, 0.0)); }

IMatrix& IMatrix::Rotate(double degrees)
{
  const double co = std::cos(Radians(degrees));
  const double si = std::sin(Radians(degrees));
  return Transform(IMatrix(co, si, -si, co, 0.0, 0.0));
}

IMatrix& IMatrix::Skew(double xAngle, double yAngle)
{
  return Transform(IMatrix(1.0, std::tan(Radians(yAngle)), std::tan(Radians(xAngle)), 1.0, 0.0, 0.0));
}

bool IMatrix::Invert()
{
  const double det = mA * mD - mB * mC;
  if (det == 0.0 || !std::isfinite(det))
    return false;

  const IMatrix p = *this;
  mA = p.mD / det;
  mB = -p.mB / det;
  mC = -p.mC / det;
  mD = p.mA / det;
  mTX = -(p.mTX * mA + p.mTY * mC);
  mTY = -(p.mTX * mB + p.mTY * mD);
  return true;
}

void IMatrix::TransformPoint(double& x, double& y) const
{
  const double x0 = x;
  x = x0 * mA + y * mC + mTX;
  y = x0 * mB + y * mD + mTY;
}

void IMatrix::TransformPoint(float& x, float& y) const
{
  double dx = x;
  double dy = y;
  TransformPoint(dx, dy);
  x = static_cast<float>(dx);
  y = static_cast<float>(dy);
}

} // namespace iplug::igraphics
