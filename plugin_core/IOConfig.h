#pragma once

#include "IPlugConstants.h"
#include "WDL_PtrList.h"

namespace iplug
{
// One bus of a channel layout.
struct IBusInfo
{
  static constexpr int kWildcard = -64; // channel count of a bus written "*": any count

  ERoute mRoute; // input or output
  int mNChans;   // channel count, or kWildcard

  // Builds a bus of nChans channels on route.
  IBusInfo(ERoute route, int nChans) : mRoute(route), mNChans(nChans) {}
};

// One accepted channel layout: its input and output buses, in order. Owns its buses.
class IOConfig
{
public:
  // Appends a bus of nChans channels (may be IBusInfo::kWildcard) to route; returns it.
  IBusInfo* AddBusInfo(ERoute route, int nChans) { return Buses(route).Add(new IBusInfo(route, nChans)); }

  // The bus idx of route, or null when there is none.
  const IBusInfo* GetBusInfo(ERoute route, int idx) const { return Buses(route).Get(idx); }

  // Number of buses of route.
  int NBuses(ERoute route) const { return Buses(route).GetSize(); }

  // Channel count of bus idx of route, or 0 when the bus does not exist.
  int NChansOnBusSAFE(ERoute route, int idx) const
  {
    const IBusInfo* bus = GetBusInfo(route, idx);
    return bus ? bus->mNChans : 0;
  }

  // Sum of the channel counts of route's buses (a wildcard bus contributes IBusInfo::kWildcard).
  int GetTotalNChannels(ERoute route) const
  {
    int total = 0;
    for (int i = 0; i < NBuses(route); ++i)
      total += NChansOnBusSAFE(route, i);
    return total;
  }

  // Whether any bus of route is a wildcard.
  bool ContainsWildcard(ERoute route) const
  {
    for (int i = 0; i < NBuses(route); ++i)
      if (NChansOnBusSAFE(route, i) == IBusInfo::kWildcard)
        return true;
    return false;
  }

private:
  const WDL_PtrList<IBusInfo>& Buses(ERoute route) const { return route == kOutput ? mOutputBuses : mInputBuses; }
  WDL_PtrList<IBusInfo>& Buses(ERoute route) { return route == kOutput ? mOutputBuses : mInputBuses; }

  WDL_PtrList_DeleteOnDestroy<IBusInfo> mInputBuses;
  WDL_PtrList_DeleteOnDestroy<IBusInfo> mOutputBuses;
};
} // namespace iplug
