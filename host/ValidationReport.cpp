#include "ValidationReport.h"

#include <cstdarg>
#include <vector>

void ValidationReport::Section(const std::string& title)
{
  std::fprintf(mOut, "\n== %s\n", title.c_str());
}

bool ValidationReport::Check(bool passed, const std::string& name, const std::string& figures)
{
  ++(passed ? mPasses : mFailures);
  std::fprintf(mOut, "%s  %-44s %s\n", passed ? "PASS" : "FAIL", name.c_str(), figures.c_str());
  std::fflush(mOut);
  return passed;
}

void ValidationReport::Note(const std::string& text)
{
  std::fprintf(mOut, "      %s\n", text.c_str());
}

void ValidationReport::Summary() const
{
  std::fprintf(mOut, "\nvalidation: %d passed, %d failed\n", mPasses, mFailures);
}

std::string Format(const char* format, ...)
{
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1);
  std::vsnprintf(text.data(), text.size(), format, args);
  va_end(args);
  return std::string(text.data());
}
