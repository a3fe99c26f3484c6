#pragma once

namespace iplug::igraphics {

// A 2-D affine transform: (x, y) maps to (x*mA + y*mC + mTX, x*mB + y*mD + mTY). Copied by value.
// The modifying operations apply the new step in the matrix's own (local) coordinates, the way a path
// transform stack composes: Translate then Rotate rotates about the translated origin.
struct IMatrix
{
  double mA = 1.0;  // x scale / rotation
  double mB = 0.0;  // y shear / rotation
  double mC = 0.0;  // x shear / rotation
  double mD = 1.0;  // y scale / rotation
  double mTX = 0.0; // x translation
  double mTY = 0.0; // y translation

  // The identity.
  constexpr IMatrix() = default;
  // A matrix from its six coefficients in storage order.
  constexpr IMatrix(double a, double b, double c, double d, double tx, double ty)
    : mA(a), mB(b), mC(c), mD(d), mTX(tx), mTY(ty)
  {
  }

  // Coefficient-wise equality.
  constexpr bool operator==(const IMatrix&) const = default;

  // this := this x m (m is applied first, in this matrix's local coordinates).
  IMatrix& Transform(const IMatrix& m);
  // Moves the local origin by (x, y).
  IMatrix& Translate(double x, double y);
  // Scales local x by sx and local y by sy.
  IMatrix& Scale(double sx, double sy);
  // Rotates by degrees; positive turns clockwise on screen (y grows downwards).
  IMatrix& Rotate(double degrees);
  // Skews by the given angles in degrees: xAngle tilts the local y axis, yAngle the local x axis.
  IMatrix& Skew(double xAngle, double yAngle);
  // Replaces this by its inverse; false (and unchanged) when the determinant mA*mD - mB*mC is 0 or not finite.
  bool Invert();

  // Maps the point (x, y) in place.
  void TransformPoint(double& x, double& y) const;
  // Maps the point (x, y) in place (float convenience).
  void TransformPoint(float& x, float& y) const;
};

} // namespace iplug::igraphics
