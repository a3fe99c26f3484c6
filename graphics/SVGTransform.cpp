#include "SVGTransform.h"

#include "SVGScanner.h"

#include <cmath>
#include <numbers>

namespace iplug::igraphics {

namespace {

// Reads "(n1 n2 ...)" into args; count is how many numbers were found (at most 6).
bool ReadArguments(SVGScanner& scanner, float* args, int& count)
{
  if (!scanner.Consume('('))
    return false;
  count = 0;
  while (count < 6 && scanner.Number(args[count]))
    ++count;
  return scanner.Consume(')');
}

double Tangent(float degrees)
{
  return std::tan(degrees * std::numbers::pi / 180.0);
}

// The matrix of one list item, or false when the name or its argument count is wrong.
bool ItemMatrix(std::string_view name, const float* a, int count, IMatrix& item)
{
  if (name == "matrix" && count == 6)
    item = IMatrix(a[0], a[1], a[2], a[3], a[4], a[5]);
  else if (name == "translate" && (count == 1 || count == 2))
    item = IMatrix(1, 0, 0, 1, a[0], count == 2 ? a[1] : 0.0);
  else if (name == "scale" && (count == 1 || count == 2))
    item = IMatrix(a[0], 0, 0, count == 2 ? a[1] : a[0], 0, 0);
  else if (name == "rotate" && (count == 1 || count == 3))
  {
    item = IMatrix();
    if (count == 3)
      item.Translate(a[1], a[2]);
    item.Rotate(a[0]);
    if (count == 3)
      item.Translate(-a[1], -a[2]);
  }
  else if (name == "skewX" && count == 1)
    item = IMatrix(1, 0, Tangent(a[0]), 1, 0, 0);
  else if (name == "skewY" && count == 1)
    item = IMatrix(1, Tangent(a[0]), 0, 1, 0, 0);
  else
    return false;
  return true;
}

} // namespace

bool ParseSVGTransform(std::string_view text, IMatrix& matrix)
{
  SVGScanner scanner(text);
  IMatrix result;
  while (!scanner.AtEnd())
  {
    const std::string_view name = scanner.Word();
    float args[6] = {};
    int count = 0;
    IMatrix item;
    if (name.empty() || !ReadArguments(scanner, args, count) || !ItemMatrix(name, args, count, item))
      return false;
    result.Transform(item);
    scanner.SkipSeparator();
  }
  matrix = result;
  return true;
}

} // namespace iplug::igraphics
