#pragma once

#include <string>
#include <string_view>

namespace standin {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Decodes the code point at pos of valid UTF-8 and advances pos past it.
char32_t NextCodePoint(std::string_view text, size_t& pos);

void AppendUtf8(std::string& out, char32_t codePoint);

// UTF-16 code units needed for valid UTF-8 text.
long Utf16Length(std::string_view text);

}
