#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

// A command line: the command word, its positional arguments, "--name VALUE" options ("--set" may
// repeat, the others may not) and the switch "--stats", which takes no value.
class CommandLine
{
public:
  // Parses argv; false with a one-line error text for a repeated or valueless option.
  bool Parse(int argc, const char* const* argv, std::string& error);

  const std::string& Command() const { return mCommand; }
  const std::vector<std::string>& Positional() const { return mPositional; }
  // Every value of an option, in the order given.
  std::vector<std::string> Values(const std::string& option) const;
  // The value of an option, or fallback when it was not given.
  std::string Value(const std::string& option, const std::string& fallback = {}) const;
  bool Has(const std::string& option) const { return mOptions.count(option) > 0; }

  // False with an error text when an option outside allowed was given.
  bool Only(std::initializer_list<const char*> allowed, std::string& error) const;
  // Parses an option's decimal value within [low, high]; false with an error text otherwise.
  bool Real(const std::string& option, double low, double high, double& value, std::string& error) const;
  // Parses an option's whole-number value within [low, high]; false with an error text otherwise.
  bool Number(const std::string& option, long low, long high, long& value, std::string& error) const;

private:
  std::string mCommand;
  std::vector<std::string> mPositional;
  std::multimap<std::string, std::string> mOptions;
};
