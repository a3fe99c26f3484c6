#pragma once

#include <cstdio>
#include <string>

// The printed record of a validation run: one line per check with its figures, grouped in sections,
// and a closing count.
class ValidationReport
{
public:
  explicit ValidationReport(std::FILE* out) : mOut(out) {}

  // Starts a section of checks under a heading.
  void Section(const std::string& title);
  // Records one check: whether it passed, what it checks, and its figures. Returns passed.
  bool Check(bool passed, const std::string& name, const std::string& figures);
  // A line of information that is not a check.
  void Note(const std::string& text);
  // Prints "N passed, M failed".
  void Summary() const;

  int Failures() const { return mFailures; }

private:
  std::FILE* mOut;
  int mPasses = 0;
  int mFailures = 0;
};

// printf-style formatting into a string, for figures.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
