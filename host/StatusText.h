#pragma once

#include <MacTypes.h>

#include <string>

// The status as a number with the platform's name when it has one: "-10851 (kAudioUnitErr_InvalidPropertyValue)".
std::string StatusText(OSStatus status);
