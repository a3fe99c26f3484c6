#pragma once

namespace iplug
{
// The sample type a product processes: double precision whatever format the host delivers.
using sample = double;

// Direction of a bus or a channel record.
enum ERoute
{
  kInput = 0,
  kOutput = 1
};
} // namespace iplug
