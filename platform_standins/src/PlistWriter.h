#pragma once

#include <CoreFoundation/CFPropertyList.h>

#include <string>

namespace standin {

class CFObject;

// Writes CF objects as an XML property list, laid out as the platform lays it out.
class PlistWriter {
public:
  // Deeper nesting (or a container that holds itself) makes an invalid property list.
  static constexpr int kMaxDepth = 256;

  // True when plist holds only strings, numbers, booleans, dates, data, and arrays and string-keyed
  // dictionaries of CF objects.
  static bool IsValid(CFPropertyListRef plist);

  // The XML text of plist; false with the reason in error when it is not a valid property list.
  bool Write(CFPropertyListRef plist, std::string& xml, std::string& error);

private:
  static bool IsValidValue(const CFObject* value, int depth);
  void WriteValue(const CFObject& value, int depth);
  void WriteDictionary(const CFObject& value, int depth);
  void WriteArray(const CFObject& value, int depth);
  void WriteData(const CFObject& value, int depth);
  void WriteElement(const char* name, const std::string& text, int depth);
  void Indent(int depth);

  std::string mOut;
};

}
