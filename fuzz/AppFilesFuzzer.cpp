// Reads arbitrary bytes as the standalone program's settings text and as its state file: a text that reads
// back writes out as a text that reads back the same, and a state file that reads back is exactly the header
// plus the state it gave.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "AppSettings.h"
#include "AppStateFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  iplug::AppSettings settings;
  std::string reason;
  if (iplug::ParseAppSettings(std::string_view(reinterpret_cast<const char*>(data), size), settings, reason))
  {
    iplug::AppSettings again;
    if (!iplug::ParseAppSettings(iplug::FormatAppSettings(settings), again, reason) || !(again == settings))
      std::abort();
  }
  constexpr uint32_t kId = 0x78686d32;
  std::vector<uint8_t> state;
  if (iplug::UnwrapAppState(data, size, kId, state, reason) &&
      iplug::WrapAppState(kId, state) != std::vector<uint8_t>(data, data + size))
    std::abort();
  return 0;
}
