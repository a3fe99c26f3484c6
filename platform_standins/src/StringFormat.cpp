#include "StringFormat.h"

#include "CFObject.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace standin {

namespace {

template <class T>
void AppendFormatted(std::string& out, const std::string& directive, T value)
{
  const int length = std::snprintf(nullptr, 0, directive.c_str(), value);
  if (length <= 0)
    return;
  const size_t start = out.size();
  out.resize(start + static_cast<size_t>(length) + 1);
  std::snprintf(out.data() + start, static_cast<size_t>(length) + 1, directive.c_str(), value);
  out.resize(start + static_cast<size_t>(length));
}

bool IsDigit(char c)
{
  return c >= '0' && c <= '9';
}

bool IsIntegerLength(const std::string& length)
{
  return length.empty() || length == "hh" || length == "h" || length == "l" || length == "ll" || length == "z" || length == "j" || length == "t";
}

}

bool FormatWithArguments(std::string_view format, va_list args, std::string& out)
{
  va_list ap;
  va_copy(ap, args);
  bool supported = true;
  size_t i = 0;
  const size_t n = format.size();
  while (supported && i < n)
  {
    if (format[i] != '%')
    {
      out += format[i++];
      continue;
    }
    ++i;
    std::string directive = "%";
    while (i < n && std::strchr("-+ #0'", format[i]) && format[i] != '\0')
      directive += format[i++];
    if (i < n && format[i] == '*')
    {
      directive += std::to_string(va_arg(ap, int));
      ++i;
    }
    while (i < n && IsDigit(format[i]))
      directive += format[i++];
    if (i < n && format[i] == '$')
    {
      supported = false;
      break;
    }
    if (i < n && format[i] == '.')
    {
      ++i;
      if (i < n && format[i] == '*')
      {
        const int precision = va_arg(ap, int);
        if (precision >= 0)
          directive += "." + std::to_string(precision);
        ++i;
      }
      else
      {
        directive += '.';
        while (i < n && IsDigit(format[i]))
          directive += format[i++];
      }
    }
    std::string length;
    while (i < n && std::strchr("hlqLzjt", format[i]) && format[i] != '\0')
    {
      const char modifier = format[i++];
      length += modifier == 'q' ? std::string("ll") : std::string(1, modifier);
    }
    if (i >= n)
    {
      supported = false;
      break;
    }
    const char conversion = format[i++];
    switch (conversion)
    {
      case '%':
        out += '%';
        break;
      case '@':
      {
        CFObject* object = CFObject::FromRef(va_arg(ap, const void*));
        out += object ? object->Describe() : "(null)";
        break;
      }
      case 'd':
      case 'i':
        if (!IsIntegerLength(length))
          supported = false;
        else if (length == "l")
          AppendFormatted(out, directive + "ld", va_arg(ap, long));
        else if (length == "ll")
          AppendFormatted(out, directive + "lld", va_arg(ap, long long));
        else if (length == "z")
          AppendFormatted(out, directive + "zd", va_arg(ap, ptrdiff_t));
        else if (length == "j")
          AppendFormatted(out, directive + "jd", va_arg(ap, intmax_t));
        else if (length == "t")
          AppendFormatted(out, directive + "td", va_arg(ap, ptrdiff_t));
        else
          AppendFormatted(out, directive + length + conversion, va_arg(ap, int));
        break;
      case 'o':
      case 'u':
      case 'x':
      case 'X':
        if (!IsIntegerLength(length))
          supported = false;
        else if (length == "l")
          AppendFormatted(out, directive + "l" + conversion, va_arg(ap, unsigned long));
        else if (length == "ll")
          AppendFormatted(out, directive + "ll" + conversion, va_arg(ap, unsigned long long));
        else if (length == "z")
          AppendFormatted(out, directive + "z" + conversion, va_arg(ap, size_t));
        else if (length == "j")
          AppendFormatted(out, directive + "j" + conversion, va_arg(ap, uintmax_t));
        else if (length == "t")
          AppendFormatted(out, directive + "t" + conversion, va_arg(ap, size_t));
        else
          AppendFormatted(out, directive + length + conversion, va_arg(ap, unsigned int));
        break;
      case 'c':
        if (!length.empty())
          supported = false;
        else
          AppendFormatted(out, directive + conversion, va_arg(ap, int));
        break;
      case 's':
      {
        const char* text = length.empty() ? va_arg(ap, const char*) : nullptr;
        if (!length.empty())
          supported = false;
        else
          AppendFormatted(out, directive + conversion, text ? text : "(null)");
        break;
      }
      case 'p':
        AppendFormatted(out, directive + conversion, va_arg(ap, void*));
        break;
      case 'f':
      case 'F':
      case 'e':
      case 'E':
      case 'g':
      case 'G':
      case 'a':
      case 'A':
        if (length == "L")
          AppendFormatted(out, directive + "L" + conversion, va_arg(ap, long double));
        else if (length.empty() || length == "l")
          AppendFormatted(out, directive + conversion, va_arg(ap, double));
        else
          supported = false;
        break;
      default:
        supported = false;
        break;
    }
  }
  va_end(ap);
  return supported;
}

}
