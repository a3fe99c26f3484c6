#include "CFObject.h"

#include "Export.h"
#include "StringObject.h"

#include <climits>
#include <cstdio>
#include <mutex>
#include <unordered_set>

namespace standin {

namespace {

// Every object alive now, so that a reference to a released (or never created) object is recognised
// without reading the memory it points at.
class LiveObjects {
public:
  void Add(const CFObject* object)
  {
    const std::lock_guard<std::mutex> guard(mMutex);
    mObjects.insert(object);
  }
  void Remove(const CFObject* object)
  {
    const std::lock_guard<std::mutex> guard(mMutex);
    mObjects.erase(object);
  }
  bool Contains(const void* pointer) const
  {
    const std::lock_guard<std::mutex> guard(mMutex);
    return mObjects.count(static_cast<const CFObject*>(pointer)) > 0;
  }

private:
  mutable std::mutex mMutex;
  std::unordered_set<const CFObject*> mObjects;
};

// Made on first use and never destroyed: constant objects live until the process ends.
LiveObjects& Live()
{
  static LiveObjects* live = new LiveObjects();
  return *live;
}

}

const char* TypeName(CFTypeID typeID)
{
  static const char* const kNames[] = {nullptr, "CFAllocator", "CFString", "CFNumber", "CFBoolean", "CFData", "CFArray", "CFDictionary", "CFDate", "CFError", "CFURL", "CFBundle", "CFRunLoop", "CFRunLoopTimer"};
  return typeID <= kLastTypeID ? kNames[typeID] : nullptr;
}

CFObject::CFObject(CFTypeID typeID)
  : mTypeID(typeID)
{
  Live().Add(this);
}

CFObject::~CFObject()
{
  Live().Remove(this);
}

void CFObject::Retain()
{
  if (!mConstant)
    mRefCount.fetch_add(1, std::memory_order_relaxed);
}

void CFObject::Release()
{
  if (mConstant)
    return;
  if (mRefCount.fetch_sub(1, std::memory_order_acq_rel) == 1)
    delete this;
}

bool CFObject::TryRetain()
{
  if (mConstant)
    return true;
  CFIndex count = mRefCount.load(std::memory_order_relaxed);
  while (count > 0)
  {
    if (mRefCount.compare_exchange_weak(count, count + 1, std::memory_order_acq_rel))
      return true;
  }
  return false;
}

CFIndex CFObject::RetainCount() const
{
  return mConstant ? LONG_MAX : mRefCount.load(std::memory_order_relaxed);
}

std::string CFObject::Describe() const
{
  char text[64];
  std::snprintf(text, sizeof(text), "<%s %p>", TypeName(mTypeID), static_cast<const void*>(this));
  return text;
}

CFObject* CFObject::FromRef(CFTypeRef ref)
{
  if (!ref || !Live().Contains(ref))
    return nullptr;
  return const_cast<CFObject*>(static_cast<const CFObject*>(ref));
}

}

using standin::CFObject;

STANDIN_EXPORT CFTypeID CFGetTypeID(CFTypeRef cf)
{
  CFObject* object = CFObject::FromRef(cf);
  return object ? object->TypeID() : 0;
}

STANDIN_EXPORT CFStringRef CFCopyTypeIDDescription(CFTypeID type_id)
{
  const char* name = standin::TypeName(type_id);
  return name ? standin::NewString(name) : nullptr;
}

STANDIN_EXPORT CFTypeRef CFRetain(CFTypeRef cf)
{
  if (CFObject* object = CFObject::FromRef(cf))
    object->Retain();
  return cf;
}

STANDIN_EXPORT void CFRelease(CFTypeRef cf)
{
  if (CFObject* object = CFObject::FromRef(cf))
    object->Release();
}

STANDIN_EXPORT CFIndex CFGetRetainCount(CFTypeRef cf)
{
  CFObject* object = CFObject::FromRef(cf);
  return object ? object->RetainCount() : 0;
}

STANDIN_EXPORT Boolean CFEqual(CFTypeRef cf1, CFTypeRef cf2)
{
  CFObject* a = CFObject::FromRef(cf1);
  CFObject* b = CFObject::FromRef(cf2);
  if (!a || !b)
    return false;
  if (a == b)
    return true;
  return a->TypeID() == b->TypeID() && a->Equals(*b);
}

STANDIN_EXPORT CFHashCode CFHash(CFTypeRef cf)
{
  CFObject* object = CFObject::FromRef(cf);
  return object ? object->Hash() : 0;
}

STANDIN_EXPORT CFStringRef CFCopyDescription(CFTypeRef cf)
{
  CFObject* object = CFObject::FromRef(cf);
  return object ? standin::NewString(object->Describe()) : nullptr;
}

STANDIN_EXPORT CFAllocatorRef CFGetAllocator(CFTypeRef)
{
  return kCFAllocatorSystemDefault;
}
