#pragma once

#include "CFObject.h"

namespace standin {

// The system allocators: malloc and free underneath, or nothing at all for the null allocator.
class AllocatorObject final : public CFObject {
public:
  static constexpr CFTypeID kTypeID = kAllocatorTypeID;

  enum class Kind { System, Malloc, Null };

  explicit AllocatorObject(Kind kind);

  void* Allocate(CFIndex size) const;
  void Deallocate(void* ptr) const;
  std::string Describe() const override;

private:
  Kind mKind;
};

}
