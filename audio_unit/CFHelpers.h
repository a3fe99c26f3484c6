#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include "IByteChunk.h"
#include "WDL_String.h"

namespace iplug
{
// Core Foundation conversions the Audio Unit adapter shares. Every Create/New result is owned by the
// caller; none of these keeps a reference to its arguments. Main thread.

// The UTF-8 text of a string; empty for null, a non-string or text that cannot be converted.
WDL_String CFStringToUtf8(CFStringRef text);
// A new string from UTF-8 text (null reads as empty); null when the bytes are not valid UTF-8.
CFStringRef NewCFString(const char* text);
// Adds key -> a new string of value (UTF-8) to dict.
void PutStrInDict(CFMutableDictionaryRef dict, const char* key, const char* value);
// Adds key -> a new signed 32-bit number to dict.
void PutNumberInDict(CFMutableDictionaryRef dict, const char* key, SInt32 value);
// Adds key -> a new data object with the chunk's bytes to dict.
void PutDataInDict(CFMutableDictionaryRef dict, const char* key, const IByteChunk& chunk);
// The UTF-8 text of key's string value into out (outSize bytes, cut at a character boundary); false and an
// empty out when the key is missing or its value is not a string.
bool GetStrFromDict(CFDictionaryRef dict, const char* key, char* out, int outSize);
// key's value as a signed 32-bit number; false when it is missing, not a number or not exactly representable.
bool GetInt32FromDict(CFDictionaryRef dict, const char* key, SInt32& value);
// Replaces the chunk's bytes with those of key's data value; false (chunk untouched) when the key is missing,
// its value is not data, or memory ran out.
bool GetDataFromDict(CFDictionaryRef dict, const char* key, IByteChunk& chunk);
} // namespace iplug
