#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

namespace standin {

// Expands a printf-style format whose %@ conversions take CF objects (printed as their description).
// False for a conversion that is not supported (%n, %S, %C, positional arguments, wide characters).
bool FormatWithArguments(std::string_view format, va_list args, std::string& out);

}
