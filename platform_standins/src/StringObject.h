#pragma once

#include "CFObject.h"

#include <CoreFoundation/CFString.h>

#include <optional>
#include <string>
#include <string_view>

namespace standin {

// An immutable string held as UTF-8.
class StringObject final : public CFObject {
public:
  static constexpr CFTypeID kTypeID = kStringTypeID;

  // utf8 must be valid UTF-8.
  explicit StringObject(std::string utf8);

  const std::string& Utf8() const { return mUtf8; }
  CFIndex Utf16Length() const { return mUtf16Length; }

  bool Equals(const CFObject& other) const override;
  CFHashCode Hash() const override;
  std::string Describe() const override { return mUtf8; }

private:
  std::string mUtf8;
  CFIndex mUtf16Length;
};

// A new string (caller owns) from valid UTF-8.
CFStringRef NewString(std::string utf8);

// The UTF-8 text of a string, or nothing for a non-string.
std::optional<std::string> StringValue(CFTypeRef ref);

}
