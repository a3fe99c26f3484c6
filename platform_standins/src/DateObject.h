#pragma once

#include "CFObject.h"

#include <CoreFoundation/CFDate.h>

#include <optional>

namespace standin {

// A point in time, in seconds relative to 2001-01-01 00:00:00 UTC.
class DateObject final : public CFObject {
public:
  static constexpr CFTypeID kTypeID = kDateTypeID;

  explicit DateObject(CFAbsoluteTime time);

  CFAbsoluteTime Time() const { return mTime; }

  bool Equals(const CFObject& other) const override;
  CFHashCode Hash() const override;
  // ISO 8601 in UTC, whole seconds ("2001-01-01T00:00:00Z"), for years 0 to 9999; nothing otherwise.
  std::optional<std::string> IsoText() const;
  std::string Describe() const override;

private:
  CFAbsoluteTime mTime;
};

// Parses "YYYY-MM-DDTHH:MM:SSZ" into an absolute time; false for anything else.
bool ParseIsoDate(const std::string& text, CFAbsoluteTime& time);

}
