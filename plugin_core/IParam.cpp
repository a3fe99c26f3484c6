#include "IParam.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace iplug
{

namespace
{
  // Longest formatted number, in bytes.
  constexpr int kMaxDisplayLength = 32;
  // Longest formatted JSON piece, in bytes.
  constexpr int kMaxJSONPieceLength = 8192;
  // Lower end of an exponential range whose minimum is not positive.
  constexpr double kExpLowestValue = 1e-8;
  // Relative tolerance for "the step times a power of ten is whole"; absorbs binary rounding of decimal steps.
  constexpr double kWholeTolerance = 1e-9;

  // Note names indexed by pitch class; naturals carry a trailing space so every name is two characters.
  constexpr const char* kNoteNames[12] = {"C ", "C#", "D ", "D#", "E ", "F ", "F#", "G ", "G#", "A ", "A#", "B "};

  // Copies src (null reads as empty) into a fixed field, cutting before any UTF-8 sequence that would not fit.
  template <std::size_t N>
  void CopyField(char (&dst)[N], const char* src)
  {
    const char* text = src ? src : "";
    std::size_t length = strnlen(text, N);
    if (length == N)
    {
      length = N - 1;
      while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    }
    std::memmove(dst, text, length);
    dst[length] = '\0';
  }

  // True when x is a whole number up to binary rounding of a decimal fraction.
  bool IsWhole(double x)
  {
    return std::abs(x - std::round(x)) <= kWholeTolerance * std::abs(x);
  }

  // Digits after the decimal point needed to show every multiple of step: 0 to 5, or 6 when it never comes out whole.
  int PrecisionForStep(double step)
  {
    double scaled = step;
    for (int precision = 0; precision <= 5; ++precision)
    {
      if (IsWhole(scaled))
        return precision;
      scaled *= 10.0;
    }
    return 6;
  }

  // v truncated toward zero and saturated to the int range; NaN gives 0.
  int SaturateToInt(double v)
  {
    if (std::isnan(v))
      return 0;
    if (v <= static_cast<double>(std::numeric_limits<int>::min()))
      return std::numeric_limits<int>::min();
    if (v >= static_cast<double>(std::numeric_limits<int>::max()))
      return std::numeric_limits<int>::max();
    return static_cast<int>(v);
  }

  // Division rounding toward minus infinity, so negative notes land in the octave below.
  int FloorDiv(int a, int b)
  {
    const int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
  }

  // Remainder with the sign of the divisor, so every note has a pitch class in 0..b-1.
  int FloorMod(int a, int b)
  {
    const int r = a % b;
    return (r != 0 && (r < 0) != (b < 0)) ? r + b : r;
  }

  // JSON type name of a parameter type, or null for none.
  const char* JSONTypeName(IParam::EParamType type)
  {
    switch (type)
    {
      case IParam::kTypeBool: return "bool";
      case IParam::kTypeInt: return "int";
      case IParam::kTypeEnum: return "enum";
      case IParam::kTypeDouble: return "float";
      case IParam::kTypeNone: break;
    }
    return nullptr;
  }
}

std::unique_ptr<IParam::Shape> IParam::ShapeLinear::Clone() const
{
  return std::make_unique<ShapeLinear>(*this);
}

IParam::EDisplayType IParam::ShapeLinear::GetDisplayType() const
{
  return kDisplayLinear;
}

double IParam::ShapeLinear::NormalizedToValue(double normalized, const IParam& param) const
{
  return param.GetMin() + normalized * param.GetRange();
}

double IParam::ShapeLinear::ValueToNormalized(double value, const IParam& param) const
{
  return (value - param.GetMin()) / param.GetRange();
}

IParam::ShapePowCurve::ShapePowCurve(double exponent) : mExponent(exponent) {}

std::unique_ptr<IParam::Shape> IParam::ShapePowCurve::Clone() const
{
  return std::make_unique<ShapePowCurve>(*this);
}

IParam::EDisplayType IParam::ShapePowCurve::GetDisplayType() const
{
  if (mExponent > 2.5)
    return kDisplayCubeRoot;
  if (mExponent > 1.5)
    return kDisplaySquareRoot;
  if (mExponent < 0.4)
    return kDisplayCubed;
  if (mExponent < 2.0 / 3.0)
    return kDisplaySquared;
  return kDisplayLinear;
}

double IParam::ShapePowCurve::NormalizedToValue(double normalized, const IParam& param) const
{
  return param.GetMin() + param.GetRange() * std::pow(normalized, mExponent);
}

double IParam::ShapePowCurve::ValueToNormalized(double value, const IParam& param) const
{
  return std::pow((value - param.GetMin()) / param.GetRange(), 1.0 / mExponent);
}

std::unique_ptr<IParam::Shape> IParam::ShapeExp::Clone() const
{
  return std::make_unique<ShapeExp>(*this);
}

void IParam::ShapeExp::Init(const IParam& param)
{
  const double lo = param.GetMin() > 0.0 ? param.GetMin() : kExpLowestValue;
  mAdd = std::log(lo);
  mMul = std::log(param.GetMax() / lo);
}

IParam::EDisplayType IParam::ShapeExp::GetDisplayType() const
{
  return kDisplayLog;
}

double IParam::ShapeExp::NormalizedToValue(double normalized, const IParam&) const
{
  return std::exp(mAdd + normalized * mMul);
}

double IParam::ShapeExp::ValueToNormalized(double value, const IParam&) const
{
  return (std::log(value) - mAdd) / mMul;
}

IParam::IParam() : mShape(std::make_unique<ShapeLinear>()) {}

void IParam::InitDouble(const char* name, double defaultVal, double minVal, double maxVal, double step,
                        const char* label, int flags, const char* group, const Shape& shape, EParamUnit unit,
                        DisplayFunc displayFunc)
{
  if (mType == kTypeNone)
    mType = kTypeDouble;

  CopyField(mName, name);
  CopyField(mLabel, label);
  CopyField(mGroup, group);

  mMin = minVal;
  mMax = std::max(maxVal, minVal + step);
  mStep = step;
  mDefault = defaultVal;
  mUnit = unit;
  mFlags = flags;
  mDisplayFunction = std::move(displayFunc);
  // A repeated declaration must not leave the texts of the previous one shadowing its own.
  mDisplayTexts.clear();

  mValue.exchange(Constrain(defaultVal));
  mDisplayPrecision = PrecisionForStep(step);

  // Cloned before the old shape goes, because shape may be that very shape.
  std::unique_ptr<Shape> clone = shape.Clone();
  clone->Init(*this);
  mShape = std::move(clone);
}

void IParam::InitBool(const char* name, bool defaultValue, const char* label, int flags, const char* group,
                      const char* offText, const char* onText)
{
  if (mType == kTypeNone)
    mType = kTypeBool;

  InitDouble(name, defaultValue ? 1.0 : 0.0, 0.0, 1.0, 1.0, label, flags | kFlagStepped, group, ShapeLinear(),
             kUnitCustom);
  SetDisplayText(0.0, offText);
  SetDisplayText(1.0, onText);
}

void IParam::InitEnum(const char* name, int defaultValue, int nEnums, const char* label, int flags,
                      const char* group, const char* listItems, ...)
{
  if (mType == kTypeNone)
    mType = kTypeEnum;

  InitDouble(name, defaultValue, 0.0, nEnums - 1.0, 1.0, label, flags | kFlagStepped, group, ShapeLinear(),
             kUnitCustom);
  if (!listItems || nEnums < 1)
    return;

  SetDisplayText(0.0, listItems);
  va_list args;
  va_start(args, listItems);
  for (int i = 1; i < nEnums; ++i)
    SetDisplayText(i, va_arg(args, const char*));
  va_end(args);
}

void IParam::InitEnum(const char* name, int defaultValue, const std::initializer_list<const char*>& listItems,
                      int flags, const char* group)
{
  if (mType == kTypeNone)
    mType = kTypeEnum;

  InitDouble(name, defaultValue, 0.0, static_cast<double>(listItems.size()) - 1.0, 1.0, "", flags | kFlagStepped,
             group, ShapeLinear(), kUnitCustom);
  int idx = 0;
  for (const char* item : listItems)
    SetDisplayText(idx++, item);
}

void IParam::InitInt(const char* name, int defaultValue, int minVal, int maxVal, const char* label, int flags,
                     const char* group)
{
  if (mType == kTypeNone)
    mType = kTypeInt;

  InitDouble(name, defaultValue, minVal, maxVal, 1.0, label, flags | kFlagStepped, group, ShapeLinear(),
             kUnitCustom);
}

void IParam::InitFrequency(const char* name, double defaultVal, double minVal, double maxVal, double step,
                           int flags, const char* group)
{
  InitDouble(name, defaultVal, minVal, maxVal, step, "Hz", flags, group, ShapeExp(), kUnitFrequency);
}

void IParam::InitSeconds(const char* name, double defaultVal, double minVal, double maxVal, double step, int flags,
                         const char* group)
{
  InitDouble(name, defaultVal, minVal, maxVal, step, "Seconds", flags, group, ShapeLinear(), kUnitSeconds);
}

void IParam::InitMilliseconds(const char* name, double defaultVal, double minVal, double maxVal, int flags,
                              const char* group)
{
  InitDouble(name, defaultVal, minVal, maxVal, 1.0, "ms", flags, group, ShapeLinear(), kUnitMilliseconds);
}

void IParam::InitGain(const char* name, double defaultVal, double minVal, double maxVal, double step, int flags,
                      const char* group)
{
  InitDouble(name, defaultVal, minVal, maxVal, step, "dB", flags, group, ShapeLinear(), kUnitDB);
}

void IParam::InitPercentage(const char* name, double defaultVal, double minVal, double maxVal, int flags,
                            const char* group)
{
  InitDouble(name, defaultVal, minVal, maxVal, 1.0, "%", flags, group, ShapeLinear(), kUnitPercentage);
}

void IParam::InitAngleDegrees(const char* name, double defaultVal, double minVal, double maxVal, int flags,
                              const char* group)
{
  InitDouble(name, defaultVal, minVal, maxVal, 1.0, "degrees", flags, group, ShapeLinear(), kUnitDegrees);
}

void IParam::InitPitch(const char* name, int defaultIndex, int lowNote, int highNote, int flags, const char* group,
                       bool middleCisC4)
{
  if (mType == kTypeNone)
    mType = kTypeEnum;

  const long long span = static_cast<long long>(highNote) - lowNote;
  InitDouble(name, defaultIndex, 0.0, static_cast<double>(span), 1.0, "", flags | kFlagStepped, group,
             ShapeLinear(), kUnitCustom);

  const int octaveOffset = middleCisC4 ? 1 : 2;
  WDL_String text;
  for (long long i = 0; i <= span; ++i)
  {
    const int note = static_cast<int>(lowNote + i);
    text.SetFormatted(kMaxDisplayLength, "%s%i", kNoteNames[FloorMod(note, 12)], FloorDiv(note, 12) - octaveOffset);
    SetDisplayText(static_cast<double>(i), text.Get());
  }
}

void IParam::Init(const IParam& p, const char* searchStr, const char* replaceStr, const char* newGroup)
{
  if (mType == kTypeNone)
    mType = p.mType;

  WDL_String name(p.mName);
  const char* found = (searchStr && searchStr[0]) ? std::strstr(p.mName, searchStr) : nullptr;
  if (found)
  {
    const int pos = static_cast<int>(found - p.mName);
    name.DeleteSub(pos, static_cast<int>(std::strlen(searchStr)));
    name.Insert(replaceStr ? replaceStr : "", pos);
  }

  // Copied first: p may be this parameter, whose fields InitDouble overwrites.
  const WDL_String label(p.mLabel);
  const WDL_String group((newGroup && newGroup[0]) ? newGroup : p.mGroup);
  std::vector<DisplayText> texts = p.mDisplayTexts;

  InitDouble(name.Get(), p.mDefault, p.mMin, p.mMax, p.mStep, label.Get(), p.mFlags, group.Get(), *p.mShape,
             p.mUnit, p.mDisplayFunction);
  mDisplayTexts = std::move(texts);
}

int IParam::Int() const
{
  return SaturateToInt(Value());
}

double IParam::Constrain(double value) const
{
  // A zero step would turn every value into NaN and so into min; it means "no rounding".
  if ((mFlags & kFlagStepped) && mStep != 0.0)
    value = std::round(value / mStep) * mStep;
  return std::min(mMax, std::max(mMin, value));
}

double IParam::ToNormalisedValue(double value) const
{
  const double normalized = mShape->ValueToNormalized(Constrain(value), *this);
  // Degenerate ranges and log(0) yield NaN or infinities here; hosts must only ever see 0..1.
  if (!(normalized > 0.0))
    return 0.0;
  return std::min(normalized, 1.0);
}

double IParam::FromNormalisedValue(double normalized) const
{
  return Constrain(mShape->NormalizedToValue(normalized, *this));
}

void IParam::GetBounds(double& lo, double& hi) const
{
  lo = mMin;
  hi = mMax;
}

const char* IParam::GetLabel() const
{
  if (GetDisplayText(std::trunc(Value()))[0] != '\0')
    return "";
  return mLabel;
}

const char* IParam::GetDisplayTextAtIdx(int idx, double* pValue) const
{
  if (idx < 0 || idx >= NDisplayTexts())
    return nullptr;
  const DisplayText& record = mDisplayTexts[static_cast<std::size_t>(idx)];
  if (pValue)
    *pValue = record.mValue;
  return record.mText;
}

void IParam::SetDisplayText(double value, const char* text)
{
  DisplayText record{value, {}};
  CopyField(record.mText, text);
  mDisplayTexts.push_back(record);
}

const char* IParam::GetDisplayText(double value) const
{
  for (const DisplayText& record : mDisplayTexts)
  {
    if (record.mValue == value)
      return record.mText;
  }
  return "";
}

bool IParam::MapDisplayText(const char* str, double* pValue) const
{
  if (!str)
    return false;
  for (const DisplayText& record : mDisplayTexts)
  {
    if (std::strcmp(record.mText, str) == 0)
    {
      if (pValue)
        *pValue = record.mValue;
      return true;
    }
  }
  return false;
}

void IParam::GetDisplay(double value, bool normalized, WDL_String& display, bool withDisplayText) const
{
  if (normalized)
    value = FromNormalisedValue(value);

  if (mDisplayFunction)
  {
    mDisplayFunction(value, display);
    return;
  }

  if (withDisplayText)
  {
    const char* text = GetDisplayText(value);
    if (text[0] != '\0')
    {
      display.Set(text, kMaxDisplayLength);
      return;
    }
  }

  double shown = GetNegateDisplay() ? -value : value;
  if (shown == 0.0)
    shown = 0.0; // drops the sign of -0.0

  if (mDisplayPrecision == 0)
    display.SetFormatted(kMaxDisplayLength, "%d", SaturateToInt(std::round(shown)));
  else if (GetSignDisplay() && shown != 0.0)
    display.SetFormatted(kMaxDisplayLength, "%+.*f", mDisplayPrecision, shown);
  else
    display.SetFormatted(kMaxDisplayLength, "%.*f", mDisplayPrecision, shown);
}

void IParam::GetDisplay(WDL_String& display, bool withDisplayText) const
{
  GetDisplay(Value(), false, display, withDisplayText);
}

void IParam::GetDisplayWithLabel(WDL_String& display, bool withDisplayText) const
{
  GetDisplay(Value(), false, display, withDisplayText);
  const char* label = GetLabel();
  if (label[0] != '\0')
  {
    display.Append(" ");
    display.Append(label);
  }
}

double IParam::StringToValue(const char* str) const
{
  const char* text = str ? str : "";
  double mapped = 0.0;
  if (MapDisplayText(text, &mapped))
    return mapped;
  if (mType == kTypeBool || mType == kTypeEnum)
    return 0.0;

  double value = std::atof(text);
  if (GetNegateDisplay())
    value = -value;
  return Constrain(value);
}

void IParam::GetJSON(WDL_String& json, int idx) const
{
  json.AppendFormatted(kMaxJSONPieceLength, "{");
  json.AppendFormatted(kMaxJSONPieceLength, "\"id\":%i, ", idx);
  json.AppendFormatted(kMaxJSONPieceLength, "\"name\":\"%s\", ", mName);
  if (const char* typeName = JSONTypeName(mType))
    json.AppendFormatted(kMaxJSONPieceLength, "\"type\":\"%s\", ", typeName);
  json.AppendFormatted(kMaxJSONPieceLength, "\"min\":%f, ", mMin);
  json.AppendFormatted(kMaxJSONPieceLength, "\"max\":%f, ", mMax);
  json.AppendFormatted(kMaxJSONPieceLength, "\"default\":%f, ", mDefault);
  json.AppendFormatted(kMaxJSONPieceLength, "\"rate\":\"control\"");
  json.AppendFormatted(kMaxJSONPieceLength, "}");
}

} // namespace iplug
