#pragma once

#include <string>
#include <vector>

// Writes width x height RGBA pixels (8 bits each, top row first, tightly packed) to path as a PNG; false
// with a one-line error text when the file cannot be written (a partial file is removed).
bool WritePngFile(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba, std::string& error);
