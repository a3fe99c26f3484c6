#pragma once

namespace iplug
{

// Marks the calling thread as rendering for the guard's lifetime (scopes nest). In builds with
// TIDEWELL_RENDER_GUARD the plug-in binary routes its own allocations and lock calls through checks that
// abort the process when they happen on a rendering thread, so a render path that allocates or locks fails
// its tests instead of glitching in a host; other builds only pay an empty call. [audio-thread]
class RenderAllocationGuard
{
public:
  RenderAllocationGuard();
  ~RenderAllocationGuard();
  RenderAllocationGuard(const RenderAllocationGuard&) = delete;
  RenderAllocationGuard& operator=(const RenderAllocationGuard&) = delete;

  // Whether the calling thread is inside a guarded render. [any-thread]
  static bool Active();
  // Writes what was attempted to stderr and aborts; called by the checks. [audio-thread]
  [[noreturn]] static void Fail(const char* what);
};

} // namespace iplug
