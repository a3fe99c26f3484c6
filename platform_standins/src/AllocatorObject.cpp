#include "AllocatorObject.h"

#include "Export.h"

#include <cstdlib>

namespace standin {

AllocatorObject::AllocatorObject(Kind kind)
  : CFObject(kTypeID)
  , mKind(kind)
{
  MakeConstant();
}

void* AllocatorObject::Allocate(CFIndex size) const
{
  if (mKind == Kind::Null || size <= 0)
    return nullptr;
  return std::malloc(static_cast<size_t>(size));
}

void AllocatorObject::Deallocate(void* ptr) const
{
  if (mKind != Kind::Null)
    std::free(ptr);
}

std::string AllocatorObject::Describe() const
{
  switch (mKind)
  {
    case Kind::System: return "kCFAllocatorSystemDefault";
    case Kind::Malloc: return "kCFAllocatorMalloc";
    case Kind::Null: return "kCFAllocatorNull";
  }
  return {};
}

namespace {

AllocatorObject gSystemAllocator(AllocatorObject::Kind::System);
AllocatorObject gMallocAllocator(AllocatorObject::Kind::Malloc);
AllocatorObject gNullAllocator(AllocatorObject::Kind::Null);

// NULL (the default allocator) and anything that is not an allocator mean the system allocator.
const AllocatorObject& Resolve(CFAllocatorRef allocator)
{
  AllocatorObject* object = CFObject::Cast<AllocatorObject>(allocator);
  return object ? *object : gSystemAllocator;
}

}

}

using standin::AllocatorObject;
using standin::ToRef;

STANDIN_EXPORT const CFAllocatorRef kCFAllocatorDefault = nullptr;
STANDIN_EXPORT const CFAllocatorRef kCFAllocatorSystemDefault = ToRef<CFAllocatorRef>(&standin::gSystemAllocator);
STANDIN_EXPORT const CFAllocatorRef kCFAllocatorMalloc = ToRef<CFAllocatorRef>(&standin::gMallocAllocator);
STANDIN_EXPORT const CFAllocatorRef kCFAllocatorNull = ToRef<CFAllocatorRef>(&standin::gNullAllocator);

STANDIN_EXPORT CFTypeID CFAllocatorGetTypeID(void)
{
  return AllocatorObject::kTypeID;
}

STANDIN_EXPORT CFAllocatorRef CFAllocatorGetDefault(void)
{
  return kCFAllocatorSystemDefault;
}

STANDIN_EXPORT void* CFAllocatorAllocate(CFAllocatorRef allocator, CFIndex size, CFOptionFlags)
{
  return standin::Resolve(allocator).Allocate(size);
}

STANDIN_EXPORT void CFAllocatorDeallocate(CFAllocatorRef allocator, void* ptr)
{
  standin::Resolve(allocator).Deallocate(ptr);
}
