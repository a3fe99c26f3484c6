#pragma once

#include <atomic>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "WDL_String.h"

namespace iplug
{

// One automatable plug-in value: kind, range, step, default, texts and the shape that maps it to and from 0..1.
// Declared on the main thread while the plug-in is constructed; afterwards only the value changes (any thread).
class IParam
{
public:
  // Kind of value; fixed by the first declaration.
  enum EParamType { kTypeNone, kTypeBool, kTypeInt, kTypeEnum, kTypeDouble };

  // Unit reported to the host for double parameters; kUnitCustom means "the label is the unit".
  enum EParamUnit
  {
    kUnitPercentage = 0, kUnitSeconds, kUnitMilliseconds, kUnitSamples, kUnitDB, kUnitLinearGain, kUnitPan,
    kUnitPhase, kUnitDegrees, kUnitMeters, kUnitRate, kUnitRatio, kUnitFrequency, kUnitOctaves, kUnitCents,
    kUnitAbsCents, kUnitSemitones, kUnitMIDINote, kUnitMIDICtrlNum, kUnitBPM, kUnitBeats, kUnitCustom
  };

  // Display hint handed to the host; the power curves are named after the map from value to position, x^(1/e).
  enum EDisplayType
  {
    kDisplayLinear = 0, kDisplayLog = 1, kDisplayExp = 2, kDisplaySquared = 3, kDisplaySquareRoot = 4,
    kDisplayCubed = 5, kDisplayCubeRoot = 6
  };

  // Flag bits of a declaration.
  enum EFlags
  {
    kFlagsNone = 0,
    kFlagCannotAutomate = 0x1, // the host treats the parameter as not automatable in real time
    kFlagStepped = 0x2,        // every stored value is a whole number of steps
    kFlagNegateDisplay = 0x4,  // displayed and typed-in numbers are the negated value
    kFlagSignDisplay = 0x8,    // non-zero displayed numbers carry an explicit sign
    kFlagMeta = 0x10           // changing this parameter changes others
  };

  // Custom formatter: real value in, replaces the text; called on whichever thread asks for the display.
  using DisplayFunc = std::function<void(double, WDL_String&)>;

  // Curve between the normalised range 0..1 and the real range of its owning parameter.
  struct Shape
  {
    // Destroys the shape; the parameter owns exactly one.
    virtual ~Shape() = default;
    // A new copy, owned by the caller.
    virtual std::unique_ptr<Shape> Clone() const = 0;
    // Reads what the shape needs from the owning parameter's bounds (main thread, at declaration).
    virtual void Init(const IParam&) {}
    // Display hint for the host.
    virtual EDisplayType GetDisplayType() const = 0;
    // Normalised position -> real value (not constrained).
    virtual double NormalizedToValue(double normalized, const IParam& param) const = 0;
    // Real value -> normalised position (not clamped).
    virtual double ValueToNormalized(double value, const IParam& param) const = 0;
  };

  // Straight line from min to max.
  struct ShapeLinear : public Shape
  {
    std::unique_ptr<Shape> Clone() const override;
    EDisplayType GetDisplayType() const override;
    double NormalizedToValue(double normalized, const IParam& param) const override;
    double ValueToNormalized(double value, const IParam& param) const override;
  };

  // value = min + range * n^exponent.
  struct ShapePowCurve : public Shape
  {
    // exponent: power applied to the normalised position.
    explicit ShapePowCurve(double exponent);
    std::unique_ptr<Shape> Clone() const override;
    EDisplayType GetDisplayType() const override;
    double NormalizedToValue(double normalized, const IParam& param) const override;
    double ValueToNormalized(double value, const IParam& param) const override;

    double mExponent; // power applied to the normalised position
  };

  // value = exp(offset + n * multiplier): equal ratios per equal travel, for frequencies and the like.
  struct ShapeExp : public Shape
  {
    std::unique_ptr<Shape> Clone() const override;
    // Fits offset and multiplier to the bounds; a lower bound <= 0 is taken as 1e-8.
    void Init(const IParam& param) override;
    EDisplayType GetDisplayType() const override;
    double NormalizedToValue(double normalized, const IParam& param) const override;
    double ValueToNormalized(double value, const IParam& param) const override;

    double mMul = 1.0; // log of max over the lower end
    double mAdd = 1.0; // log of the lower end
  };

  // A double parameter 0..1, step 1, linear, custom unit, all texts empty (main thread).
  IParam();
  // Not copyable: it owns its shape and its value is shared between threads; use Init(other) to copy a declaration.
  IParam(const IParam&) = delete;
  IParam& operator=(const IParam&) = delete;
  ~IParam() = default;

  // Declarations (main thread, during construction). Each sets the type only while it is none, replaces the
  // display texts and truncates name, label, group and texts to 31 bytes at a UTF-8 character boundary.

  // The general declaration; max is raised to min + step when narrower. shape is cloned.
  void InitDouble(const char* name, double defaultVal, double minVal, double maxVal, double step,
                  const char* label = "", int flags = 0, const char* group = "", const Shape& shape = ShapeLinear(),
                  EParamUnit unit = kUnitCustom, DisplayFunc displayFunc = nullptr);
  // Stepped 0/1 parameter with the texts offText and onText.
  void InitBool(const char* name, bool defaultValue, const char* label = "", int flags = 0, const char* group = "",
                const char* offText = "off", const char* onText = "on");
  // Stepped 0..nEnums-1; when listItems is given, exactly nEnums - 1 further const char* texts must follow it.
  void InitEnum(const char* name, int defaultValue, int nEnums, const char* label = "", int flags = 0,
                const char* group = "", const char* listItems = nullptr, ...);
  // Stepped 0..size-1 with one text per list item.
  void InitEnum(const char* name, int defaultValue, const std::initializer_list<const char*>& listItems, int flags = 0,
                const char* group = "");
  // Stepped whole numbers minVal..maxVal.
  void InitInt(const char* name, int defaultValue, int minVal, int maxVal, const char* label = "", int flags = 0,
               const char* group = "");
  // Hertz on an exponential curve.
  void InitFrequency(const char* name, double defaultVal = 1000.0, double minVal = 0.1, double maxVal = 10000.0,
                     double step = 0.1, int flags = 0, const char* group = "");
  // Seconds, linear.
  void InitSeconds(const char* name, double defaultVal = 1.0, double minVal = 0.0, double maxVal = 10.0,
                   double step = 0.1, int flags = 0, const char* group = "");
  // Milliseconds in steps of 1, linear.
  void InitMilliseconds(const char* name, double defaultVal = 1.0, double minVal = 0.0, double maxVal = 100.0,
                        int flags = 0, const char* group = "");
  // Decibels, linear.
  void InitGain(const char* name, double defaultVal = 0.0, double minVal = -70.0, double maxVal = 24.0,
                double step = 0.5, int flags = 0, const char* group = "");
  // Percent in steps of 1, linear.
  void InitPercentage(const char* name, double defaultVal = 0.0, double minVal = 0.0, double maxVal = 100.0,
                      int flags = 0, const char* group = "");
  // Degrees in steps of 1, linear.
  void InitAngleDegrees(const char* name, double defaultVal = 0.0, double minVal = 0.0, double maxVal = 360.0,
                        int flags = 0, const char* group = "");
  // Enum over the MIDI notes lowNote..highNote named like "C#4"; the value (and defaultIndex) is note - lowNote.
  void InitPitch(const char* name, int defaultIndex = 60, int lowNote = 0, int highNote = 128, int flags = 0,
                 const char* group = "", bool middleCisC4 = false);
  // Copies p's declaration and texts; the first searchStr in the name becomes replaceStr; a non-empty newGroup wins.
  void Init(const IParam& p, const char* searchStr = "", const char* replaceStr = "", const char* newGroup = "");

  // Value (any thread, lock-free).

  // Current real value.
  double Value() const { return mValue.load(); }
  // Current value >= 0.5.
  bool Bool() const { return Value() >= 0.5; }
  // Current value truncated toward zero, saturated to the int range.
  int Int() const;
  // Stores Constrain(value).
  void Set(double value) { mValue.exchange(Constrain(value)); }
  // Stores FromNormalisedValue(normalized).
  void SetNormalized(double normalized) { mValue.exchange(FromNormalisedValue(normalized)); }
  // Current value as a position in 0..1.
  double GetNormalized() const { return ToNormalisedValue(Value()); }
  // Stores the constrained default.
  void SetToDefault() { Set(mDefault); }

  // Conversions (any thread; read only the declaration).

  // Rounds to a whole number of steps when stepped, then clamps to [min, max]; NaN becomes min.
  double Constrain(double value) const;
  // Shape position of the constrained value, clamped to 0..1; never NaN.
  double ToNormalisedValue(double value) const;
  // Constrained real value at a shape position (the position itself is not clamped).
  double FromNormalisedValue(double normalized) const;

  // Declaration queries (any thread after construction).

  // Default as declared, or its normalised position.
  double GetDefault(bool normalized = false) const { return normalized ? ToNormalisedValue(mDefault) : mDefault; }
  // Lower bound of the real value.
  double GetMin() const { return mMin; }
  // Upper bound of the real value (at least min + step).
  double GetMax() const { return mMax; }
  // max - min.
  double GetRange() const { return mMax - mMin; }
  // Step size in real units.
  double GetStep() const { return mStep; }
  // Writes min and max.
  void GetBounds(double& lo, double& hi) const;
  // Kind of value.
  EParamType Type() const { return mType; }
  // Unit reported to the host.
  EParamUnit Unit() const { return mUnit; }
  // Display hint of the shape.
  EDisplayType GetDisplayType() const { return mShape->GetDisplayType(); }
  // EFlags bits as declared.
  int GetFlags() const { return mFlags; }
  // False when kFlagCannotAutomate is set.
  bool GetCanAutomate() const { return !(mFlags & kFlagCannotAutomate); }
  // kFlagStepped is set.
  bool GetStepped() const { return mFlags & kFlagStepped; }
  // kFlagNegateDisplay is set.
  bool GetNegateDisplay() const { return mFlags & kFlagNegateDisplay; }
  // kFlagSignDisplay is set.
  bool GetSignDisplay() const { return mFlags & kFlagSignDisplay; }
  // kFlagMeta is set.
  bool GetMeta() const { return mFlags & kFlagMeta; }
  // Name, NUL-terminated, owned by the parameter.
  const char* GetName() const { return mName; }
  // The label, or "" while the current value (truncated) has a non-empty display text.
  const char* GetLabel() const;
  // Group name, NUL-terminated, owned by the parameter.
  const char* GetGroup() const { return mGroup; }
  // Digits after the decimal point in numeric displays.
  int GetDisplayPrecision() const { return mDisplayPrecision; }
  // Overrides the precision derived from the step (main thread, during construction).
  void SetDisplayPrecision(int precision) { mDisplayPrecision = precision; }

  // Display texts and formatting.

  // Number of value-to-text records.
  int NDisplayTexts() const { return static_cast<int>(mDisplayTexts.size()); }
  // Text of record idx (and its value into pValue when non-null), or null for an index out of range.
  const char* GetDisplayTextAtIdx(int idx, double* pValue = nullptr) const;
  // Appends a record; no duplicate check (main thread, during construction).
  void SetDisplayText(double value, const char* text);
  // Text of the first record whose value equals value exactly, or "".
  const char* GetDisplayText(double value) const;
  // True, and the record's value into pValue when non-null, if a record's text equals str byte for byte.
  bool MapDisplayText(const char* str, double* pValue) const;
  // Writes the text of value (a position when normalized): display function, else display text, else number.
  void GetDisplay(double value, bool normalized, WDL_String& display, bool withDisplayText = true) const;
  // Writes the text of the current value.
  void GetDisplay(WDL_String& display, bool withDisplayText = true) const;
  // Writes the text of the current value followed by a space and GetLabel() when that is non-empty.
  void GetDisplayWithLabel(WDL_String& display, bool withDisplayText = true) const;
  // Reads typed text: a display text's value, else 0 for bool and enum, else the leading number, constrained.
  double StringToValue(const char* str) const;
  // Appends a JSON object describing the parameter at index idx; the name is not escaped.
  void GetJSON(WDL_String& json, int idx) const;
  // Diagnostic hook; prints nothing.
  void PrintDetails() const {}

private:
  // Size of every fixed text field, terminator included.
  static constexpr int kTextFieldSize = 32;

  // One value-to-text record.
  struct DisplayText
  {
    double mValue;
    char mText[kTextFieldSize];
  };

  static_assert(std::atomic<double>::is_always_lock_free, "parameter values must be lock-free 64-bit atomics");

  EParamType mType = kTypeNone;
  EParamUnit mUnit = kUnitCustom;
  std::atomic<double> mValue{0.0};
  double mMin = 0.0;
  double mMax = 1.0;
  double mStep = 1.0;
  double mDefault = 0.0;
  int mDisplayPrecision = 0;
  int mFlags = 0;
  char mName[kTextFieldSize] = {};
  char mLabel[kTextFieldSize] = {};
  char mGroup[kTextFieldSize] = {};
  std::unique_ptr<Shape> mShape;
  DisplayFunc mDisplayFunction;
  std::vector<DisplayText> mDisplayTexts;
};

} // namespace iplug
