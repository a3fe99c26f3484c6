#pragma once

#include "CFObject.h"

#include <CoreFoundation/CFError.h>

namespace standin {

// An error: domain, code and description.
class ErrorObject final : public CFObject {
public:
  static constexpr CFTypeID kTypeID = kErrorTypeID;

  ErrorObject(CFErrorDomain domain, CFIndex code, std::string description);
  ~ErrorObject() override;

  CFErrorDomain Domain() const { return mDomain; }
  CFIndex Code() const { return mCode; }
  const std::string& Description() const { return mDescription; }

  bool Equals(const CFObject& other) const override;
  std::string Describe() const override;

private:
  CFErrorDomain mDomain;
  CFIndex mCode;
  std::string mDescription;
};

// Stores a new error in *error when error is non-null (the caller owns it).
void ReportError(CFErrorRef* error, CFErrorDomain domain, CFIndex code, std::string description);

}
