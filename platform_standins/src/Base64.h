#pragma once

#include <MacTypes.h>

#include <string>
#include <string_view>
#include <vector>

namespace standin {

// Standard alphabet with "=" padding.
std::string Base64Encode(const UInt8* bytes, size_t length);

// Decodes standard base64, skipping whitespace; padding is optional. False for any other character,
// text after the padding, or a dangling single character.
bool Base64Decode(std::string_view text, std::vector<UInt8>& bytes);

}
