#include "ErrorObject.h"

#include "Export.h"
#include "StringObject.h"

STANDIN_EXPORT const CFErrorDomain kCFErrorDomainCocoa = CFSTR("NSCocoaErrorDomain");
STANDIN_EXPORT const CFErrorDomain kCFErrorDomainPOSIX = CFSTR("NSPOSIXErrorDomain");
STANDIN_EXPORT const CFErrorDomain kCFErrorDomainOSStatus = CFSTR("NSOSStatusErrorDomain");

namespace standin {

ErrorObject::ErrorObject(CFErrorDomain domain, CFIndex code, std::string description)
  : CFObject(kTypeID)
  , mDomain(static_cast<CFErrorDomain>(CFRetain(domain)))
  , mCode(code)
  , mDescription(std::move(description))
{
}

ErrorObject::~ErrorObject()
{
  CFRelease(mDomain);
}

bool ErrorObject::Equals(const CFObject& other) const
{
  const auto& error = static_cast<const ErrorObject&>(other);
  return mCode == error.mCode && CFEqual(mDomain, error.mDomain);
}

std::string ErrorObject::Describe() const
{
  return "Error Domain=" + StringValue(mDomain).value_or("") + " Code=" + std::to_string(mCode) + " \"" + mDescription + "\"";
}

void ReportError(CFErrorRef* error, CFErrorDomain domain, CFIndex code, std::string description)
{
  if (error)
    *error = ToRef<CFErrorRef>(new ErrorObject(domain, code, std::move(description)));
}

}

using standin::CFObject;
using standin::ErrorObject;

STANDIN_EXPORT CFTypeID CFErrorGetTypeID(void)
{
  return ErrorObject::kTypeID;
}

STANDIN_EXPORT CFErrorDomain CFErrorGetDomain(CFErrorRef err)
{
  ErrorObject* error = CFObject::Cast<ErrorObject>(err);
  return error ? error->Domain() : nullptr;
}

STANDIN_EXPORT CFIndex CFErrorGetCode(CFErrorRef err)
{
  ErrorObject* error = CFObject::Cast<ErrorObject>(err);
  return error ? error->Code() : 0;
}

STANDIN_EXPORT CFStringRef CFErrorCopyDescription(CFErrorRef err)
{
  ErrorObject* error = CFObject::Cast<ErrorObject>(err);
  return error ? standin::NewString(error->Description()) : nullptr;
}
