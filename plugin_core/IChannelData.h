#pragma once

#include "WDL_HeapBuf.h"
#include "WDL_String.h"

namespace iplug
{
// One input or output channel of the processor frame. TIN is the host's sample type, TOUT the processing type.
template <class TIN = float, class TOUT = double>
struct IChannelData
{
  bool mConnected = false;             // the host supplies this channel
  TOUT** mData = nullptr;              // this channel's entry in the processor's pointer array (not owned)
  TIN* mIncomingData = nullptr;        // output channels: the host buffer the result is converted into, for one block
  WDL_TypedBuf<TOUT> mScratchBuf{4096}; // block-sized stand-in for a missing or converted host buffer
  WDL_String mLabel;                   // display name of the channel
};
} // namespace iplug
