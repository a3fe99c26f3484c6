#include "CFObject.h"

#include "Export.h"
#include "StringObject.h"

#include <climits>
#include <cstdio>

namespace standin {

const char* TypeName(CFTypeID typeID)
{
  static const char* const kNames[] = {nullptr, "CFAllocator", "CFString", "CFNumber", "CFBoolean", "CFData", "CFArray", "CFDictionary", "CFDate", "CFError", "CFURL", "CFBundle", "CFRunLoop", "CFRunLoopTimer"};
  return typeID <= kLastTypeID ? kNames[typeID] : nullptr;
}

CFObject::CFObject(CFTypeID typeID)
  : mTypeID(typeID)
{
}

CFObject::~CFObject()
{
  mMagic = 0;
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
  auto* object = const_cast<CFObject*>(static_cast<const CFObject*>(ref));
  if (!object || object->mMagic != kMagic)
    return nullptr;
  return object;
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
