#pragma once

#include <string>

// Prints "tidewell_host: <error>" as one line on stderr and returns the failing exit status, 1.
int ReportError(const std::string& error);
