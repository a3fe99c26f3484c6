#include "RenderAllocationGuard.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace iplug
{

#ifdef TIDEWELL_RENDER_GUARD
namespace
{
// Guarded renders the calling thread is inside now.
thread_local int tRenderDepth = 0;
}

RenderAllocationGuard::RenderAllocationGuard()
{
  ++tRenderDepth;
}

RenderAllocationGuard::~RenderAllocationGuard()
{
  --tRenderDepth;
}

bool RenderAllocationGuard::Active()
{
  return tRenderDepth > 0;
}
#else
RenderAllocationGuard::RenderAllocationGuard() = default;
RenderAllocationGuard::~RenderAllocationGuard() = default;

bool RenderAllocationGuard::Active()
{
  return false;
}
#endif

void RenderAllocationGuard::Fail(const char* what)
{
  // No stdio: it may lock or allocate, which is what went wrong.
  constexpr char prefix[] = "render guard: ";
  constexpr char suffix[] = " inside AudioUnitRender\n";
  (void)!write(STDERR_FILENO, prefix, sizeof(prefix) - 1);
  (void)!write(STDERR_FILENO, what, std::strlen(what));
  (void)!write(STDERR_FILENO, suffix, sizeof(suffix) - 1);
  std::abort();
}

} // namespace iplug
