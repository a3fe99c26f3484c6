#pragma once

#include <CoreFoundation/CFPropertyList.h>

#include <string>

namespace pugi {
class xml_node;
}

namespace standin {

// Reads XML property lists into CF objects.
class PlistReader {
public:
  // Property lists nested deeper than this are refused rather than risking the stack.
  static constexpr int kMaxDepth = 256;

  // options: the kCFPropertyList... mutability options (strings always stay immutable).
  explicit PlistReader(CFOptionFlags options);

  // The property list of the XML bytes (caller owns), or null with the reason in error.
  CFPropertyListRef Read(const UInt8* bytes, size_t length, std::string& error);

private:
  CFTypeRef ReadValue(const pugi::xml_node& node, int depth);
  CFTypeRef ReadDictionary(const pugi::xml_node& node, int depth);
  CFTypeRef ReadKey(const pugi::xml_node& node);
  CFTypeRef ReadArray(const pugi::xml_node& node, int depth);
  CFTypeRef ReadInteger(const std::string& text);
  CFTypeRef ReadReal(const std::string& text);
  CFTypeRef ReadData(const std::string& text);
  CFTypeRef ReadString(const std::string& text);
  CFTypeRef ReadDate(const std::string& text);
  // The character content of an element; false when it holds elements.
  bool TextOf(const pugi::xml_node& node, std::string& text);
  // False when the container holds text other than whitespace.
  bool OnlyWhitespaceText(const pugi::xml_node& node);
  CFTypeRef Fail(std::string message);

  bool mMutableContainers;
  bool mMutableLeaves;
  std::string mError;
};

}
