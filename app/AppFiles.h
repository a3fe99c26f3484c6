#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace iplug
{

// The folder the program called productName keeps its files in: $XDG_CONFIG_HOME/<productName>, or
// $HOME/.config/<productName> when XDG_CONFIG_HOME is unset or not absolute; empty when neither is known.
// [any-thread]
std::string AppConfigFolder(const std::string& productName);

// What reading a file found.
enum class EFileRead
{
  kRead,    // the bytes are the file's
  kMissing, // there is no such file
  kFailed,  // the file exists but could not be read (the error text says why)
};

// Reads the whole file at path into bytes. [main-thread]
EFileRead ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);
// Replaces the file at path by bytes atomically: they are written and flushed to a new file in the same folder
// (made, with its parents, when missing), which is then renamed over path, so a crash at any moment leaves
// either the old file or the new one whole. False with an error text, the old file untouched. [main-thread]
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);
// Moves the file at path aside to the first free name of path.damaged, path.damaged-2, ..., never replacing
// a file; returns the new path, or empty when it could not be moved. [main-thread]
std::string KeepFileAside(const std::string& path);

} // namespace iplug
