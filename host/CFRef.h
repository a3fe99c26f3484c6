#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <string>

// Owns one reference to a Core Foundation object and releases it when it goes; move-only.
template <class T>
class CFRef
{
public:
  CFRef() = default;
  // Takes over a reference the caller owns (a Create or Copy result); null is allowed.
  explicit CFRef(T ref) : mRef(ref) {}
  CFRef(CFRef&& other) noexcept : mRef(other.mRef) { other.mRef = nullptr; }
  CFRef& operator=(CFRef&& other) noexcept
  {
    if (this != &other)
    {
      Reset();
      mRef = other.mRef;
      other.mRef = nullptr;
    }
    return *this;
  }
  CFRef(const CFRef&) = delete;
  CFRef& operator=(const CFRef&) = delete;
  ~CFRef() { Reset(); }

  T Get() const { return mRef; }
  explicit operator bool() const { return mRef != nullptr; }
  // Releases the held reference, if any.
  void Reset()
  {
    if (mRef)
      CFRelease(mRef);
    mRef = nullptr;
  }
  // The slot a Create-style out parameter writes into; releases what was held first.
  T* Out()
  {
    Reset();
    return &mRef;
  }

private:
  T mRef = nullptr;
};

// A new string with the UTF-8 text; null only for invalid UTF-8.
inline CFRef<CFStringRef> MakeCFString(const std::string& text)
{
  return CFRef<CFStringRef>(CFStringCreateWithCString(nullptr, text.c_str(), kCFStringEncodingUTF8));
}
