#pragma once

#include <cstdint>

#include "WDL_String.h"

namespace iplug
{

// Standard base64 (RFC 4648 alphabet "A-Za-z0-9+/") for the preset blobs developers paste into source code.

// Replaces out with the base64 text of size bytes of data, padded with '=' to a multiple of four characters.
void Base64Encode(const uint8_t* data, int size, WDL_String& out);

// Decodes text into out until a non-alphabet character (such as '=') or outSize bytes; returns the count stored.
int Base64Decode(const char* text, uint8_t* out, int outSize);

} // namespace iplug
