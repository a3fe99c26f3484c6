#pragma once

#include <CoreFoundation/CFBase.h>

#include <atomic>
#include <string>

namespace standin {

// Type IDs are stable within a process, as on the platform; the numbers are this library's own.
enum : CFTypeID {
  kAllocatorTypeID = 1,
  kStringTypeID,
  kNumberTypeID,
  kBooleanTypeID,
  kDataTypeID,
  kArrayTypeID,
  kDictionaryTypeID,
  kDateTypeID,
  kErrorTypeID,
  kURLTypeID,
  kBundleTypeID,
  kRunLoopTypeID,
  kRunLoopTimerTypeID,
  kLastTypeID = kRunLoopTimerTypeID
};

// The platform name of a type ID ("CFString"), or null for an unknown ID.
const char* TypeName(CFTypeID typeID);

// Base of every Core Foundation object: type ID and atomic reference count. Objects start with one
// reference owned by their creator and are deleted when the last reference is released.
class CFObject {
public:
  explicit CFObject(CFTypeID typeID);
  CFObject(const CFObject&) = delete;
  CFObject& operator=(const CFObject&) = delete;
  virtual ~CFObject();

  CFTypeID TypeID() const { return mTypeID; }
  void Retain();
  void Release();
  // Retains unless the object is already on its way to destruction (for weak registries).
  bool TryRetain();
  CFIndex RetainCount() const;
  // Makes the object a constant: never counted, never destroyed.
  void MakeConstant() { mConstant = true; }

  virtual bool Equals(const CFObject& other) const { return this == &other; }
  virtual CFHashCode Hash() const { return reinterpret_cast<CFHashCode>(this); }
  // Human-readable text, also what %@ prints.
  virtual std::string Describe() const;

  // The object behind a reference, or null when ref is null or does not point at a live object (released
  // or never created here); the pointed-at memory is never read to decide. Any thread.
  static CFObject* FromRef(CFTypeRef ref);

  template <class T>
  static T* Cast(CFTypeRef ref)
  {
    CFObject* object = FromRef(ref);
    return (object && object->TypeID() == T::kTypeID) ? static_cast<T*>(object) : nullptr;
  }

private:
  const CFTypeID mTypeID;
  std::atomic<CFIndex> mRefCount{1};
  bool mConstant = false;
};

// The platform reference type (CFStringRef, CFMutableArrayRef, ...) of an object.
template <class R>
R ToRef(const CFObject* object)
{
  return static_cast<R>(const_cast<void*>(static_cast<const void*>(object)));
}

}
