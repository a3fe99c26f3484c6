#include "ErrorLine.h"

#include <cstdio>

int ReportError(const std::string& error)
{
  std::fprintf(stderr, "tidewell_host: %s\n", error.c_str());
  return 1;
}
