#pragma once

#include <fstream>
#include <iterator>
#include <string>

// The whole of the file at path as text; empty when it cannot be read.
inline std::string ReadText(const std::string& path)
{
  std::ifstream file(path);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
