#pragma once

// The library is built with hidden visibility: only the platform's own functions and constants,
// defined with this marker, are exported, with C linkage.
#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))
