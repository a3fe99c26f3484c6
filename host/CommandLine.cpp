#include "CommandLine.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace
{
  // Options that are switches: present or absent, without a value.
  bool IsFlag(const std::string& word)
  {
    return word == "--stats";
  }
}

bool CommandLine::Parse(int argc, const char* const* argv, std::string& error)
{
  for (int i = 1; i < argc; ++i)
  {
    const std::string word = argv[i];
    if (IsFlag(word))
    {
      if (mOptions.count(word))
      {
        error = word + " is given twice";
        return false;
      }
      mOptions.emplace(word, "");
    }
    else if (word.size() > 2 && word.compare(0, 2, "--") == 0)
    {
      if (i + 1 >= argc)
      {
        error = word + " needs a value";
        return false;
      }
      if (word != "--set" && mOptions.count(word))
      {
        error = word + " is given twice";
        return false;
      }
      mOptions.emplace(word, argv[++i]);
    }
    else if (mCommand.empty())
      mCommand = word;
    else
      mPositional.push_back(word);
  }
  return true;
}

std::vector<std::string> CommandLine::Values(const std::string& option) const
{
  std::vector<std::string> values;
  const auto [first, last] = mOptions.equal_range(option);
  for (auto it = first; it != last; ++it)
    values.push_back(it->second);
  return values;
}

std::string CommandLine::Value(const std::string& option, const std::string& fallback) const
{
  const auto found = mOptions.find(option);
  return found == mOptions.end() ? fallback : found->second;
}

bool CommandLine::Only(std::initializer_list<const char*> allowed, std::string& error) const
{
  for (const auto& [option, value] : mOptions)
  {
    if (std::none_of(allowed.begin(), allowed.end(), [&](const char* name) { return option == name; }))
    {
      error = option + " does not apply to " + (mCommand.empty() ? std::string("this command") : mCommand);
      return false;
    }
  }
  return true;
}

bool CommandLine::Real(const std::string& option, double low, double high, double& value, std::string& error) const
{
  const std::string text = Value(option);
  errno = 0;
  char* end = nullptr;
  const double number = std::strtod(text.c_str(), &end);
  if (text.empty() || errno != 0 || end != text.c_str() + text.size() || !(number >= low && number <= high))
  {
    char range[64];
    std::snprintf(range, sizeof(range), "%g to %g", low, high);
    error = option + " " + text + ": expected a number from " + range;
    return false;
  }
  value = number;
  return true;
}

bool CommandLine::Number(const std::string& option, long low, long high, long& value, std::string& error) const
{
  const std::string text = Value(option);
  errno = 0;
  char* end = nullptr;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || errno != 0 || end != text.c_str() + text.size() || number < low || number > high)
  {
    error = option + " " + text + ": expected a whole number from " + std::to_string(low) + " to " + std::to_string(high);
    return false;
  }
  value = number;
  return true;
}
