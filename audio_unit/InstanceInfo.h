#pragma once

#include "WDL_String.h"

namespace iplug
{
// What the Audio Unit factory knows about a new instance before the product's constructor runs.
struct InstanceInfo
{
  WDL_String mCocoaViewFactoryClassName; // class the host asks for the editor view; empty: the unit offers none
};
} // namespace iplug
