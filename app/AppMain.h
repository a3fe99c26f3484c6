#pragma once

#include "Config.h"

namespace iplug
{
class IPlugAPP;

// What the generated main function knows of the product it was built for.
struct AppProduct
{
  Config (*makeConfig)(); // the product's configuration
  IPlugAPP* (*make)();    // a new product object (owned by the caller), or null when memory ran out
};

// The standalone program: reads the command line, restores the settings and the plug-in's state, runs the
// plug-in on live audio in its window (or headless) until the window is closed or SIGINT/SIGTERM arrives,
// then saves both. Returns the process's exit status: 0, or 1 after a one-line error on stderr (2 for a
// command line it cannot read). [main-thread]
int RunApp(int argc, char** argv, const AppProduct& product);

} // namespace iplug
