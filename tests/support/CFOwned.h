#pragma once

// Test helpers shared by the suites that talk to Core Foundation.

#include <CoreFoundation/CoreFoundation.h>

#include "CFStringUtf8.h"

#include <string>

// Releases the CF reference it owns when it goes out of scope.
template <class T>
class CFOwned {
public:
  explicit CFOwned(T ref = nullptr)
    : mRef(ref)
  {
  }
  ~CFOwned()
  {
    if (mRef)
      CFRelease(mRef);
  }
  CFOwned(const CFOwned&) = delete;
  CFOwned& operator=(const CFOwned&) = delete;

  T get() const { return mRef; }
  operator T() const { return mRef; }
  T* out() { return &mRef; }

private:
  T mRef;
};

// The UTF-8 text of a string, or a marker when it is not one.
inline std::string Utf8(CFTypeRef string)
{
  if (!string || CFGetTypeID(string) != CFStringGetTypeID())
    return "<not a string>";
  return iplug::CFStringUtf8(string);
}
