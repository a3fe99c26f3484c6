#include "PlistReader.h"

#include "ArrayObject.h"
#include "Base64.h"
#include "DataObject.h"
#include "DateObject.h"
#include "DictionaryObject.h"
#include "NumberObject.h"
#include "StringObject.h"
#include "Utf8.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <pugixml.hpp>

namespace standin {

namespace {

bool IsSpace(char c)
{
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::string Trim(const std::string& text)
{
  size_t start = 0;
  size_t end = text.size();
  while (start < end && IsSpace(text[start]))
    ++start;
  while (end > start && IsSpace(text[end - 1]))
    --end;
  return text.substr(start, end - start);
}

bool IsTextNode(const pugi::xml_node& node)
{
  return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

std::string Lowercase(std::string text)
{
  for (char& c : text)
    c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return text;
}

}

PlistReader::PlistReader(CFOptionFlags options)
  : mMutableContainers(options & (kCFPropertyListMutableContainers | kCFPropertyListMutableContainersAndLeaves))
  , mMutableLeaves(options & kCFPropertyListMutableContainersAndLeaves)
{
}

CFPropertyListRef PlistReader::Read(const UInt8* bytes, size_t length, std::string& error)
{
  mError.clear();
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(bytes, length, pugi::parse_default | pugi::parse_ws_pcdata_single);
  CFTypeRef value = nullptr;
  pugi::xml_node root = document.document_element();
  if (!parsed)
    Fail("not an XML document: " + std::string(parsed.description()) + " at offset " + std::to_string(parsed.offset));
  else if (!root)
    Fail("no property list element");
  else if (std::strcmp(root.name(), "plist") != 0)
    value = ReadValue(root, 1);
  else if (!OnlyWhitespaceText(root))
    Fail("text outside the value of <plist>");
  else
  {
    pugi::xml_node valueNode;
    int elements = 0;
    for (pugi::xml_node child : root.children())
    {
      if (child.type() != pugi::node_element)
        continue;
      if (elements++ == 0)
        valueNode = child;
    }
    if (elements != 1)
      Fail("<plist> must hold exactly one value");
    else
      value = ReadValue(valueNode, 1);
  }
  error = mError;
  return value;
}

CFTypeRef PlistReader::Fail(std::string message)
{
  if (mError.empty())
    mError = std::move(message);
  return nullptr;
}

bool PlistReader::TextOf(const pugi::xml_node& node, std::string& text)
{
  for (pugi::xml_node child : node.children())
  {
    if (child.type() == pugi::node_element)
      return false;
    if (IsTextNode(child))
      text += child.value();
  }
  return true;
}

bool PlistReader::OnlyWhitespaceText(const pugi::xml_node& node)
{
  for (pugi::xml_node child : node.children())
  {
    if (!IsTextNode(child))
      continue;
    for (const char* c = child.value(); *c; ++c)
    {
      if (!IsSpace(*c))
        return false;
    }
  }
  return true;
}

CFTypeRef PlistReader::ReadValue(const pugi::xml_node& node, int depth)
{
  if (depth > kMaxDepth)
    return Fail("property list nested deeper than " + std::to_string(kMaxDepth) + " levels");
  const std::string name = node.name();
  if (name == "dict")
    return ReadDictionary(node, depth);
  if (name == "array")
    return ReadArray(node, depth);
  std::string text;
  if (!TextOf(node, text))
    return Fail("<" + name + "> holds elements");
  if (name == "string")
    return ReadString(text);
  if (name == "integer")
    return ReadInteger(Trim(text));
  if (name == "real")
    return ReadReal(Trim(text));
  if (name == "true" || name == "false")
  {
    if (!Trim(text).empty())
      return Fail("<" + name + "> holds text");
    return name == "true" ? kCFBooleanTrue : kCFBooleanFalse;
  }
  if (name == "data")
    return ReadData(text);
  if (name == "date")
    return ReadDate(Trim(text));
  return Fail("unknown element <" + name + ">");
}

CFTypeRef PlistReader::ReadDictionary(const pugi::xml_node& node, int depth)
{
  if (!OnlyWhitespaceText(node))
    return Fail("text inside <dict>");
  auto* dictionary = new DictionaryObject(&kCFTypeDictionaryKeyCallBacks, &kCFTypeDictionaryValueCallBacks, mMutableContainers, 0);
  CFTypeRef key = nullptr;
  bool complete = true;
  for (pugi::xml_node child : node.children())
  {
    if (child.type() != pugi::node_element)
      continue;
    if (!key)
    {
      key = ReadKey(child);
      if (!key)
      {
        complete = false;
        break;
      }
      continue;
    }
    CFTypeRef value = ReadValue(child, depth + 1);
    if (!value)
    {
      complete = false;
      break;
    }
    dictionary->Set(key, value);
    CFRelease(value);
    CFRelease(key);
    key = nullptr;
  }
  if (complete && key)
  {
    Fail("dictionary key without a value");
    complete = false;
  }
  CFRelease(key);
  if (!complete)
  {
    dictionary->Release();
    return nullptr;
  }
  return dictionary;
}

CFTypeRef PlistReader::ReadKey(const pugi::xml_node& node)
{
  std::string text;
  if (std::strcmp(node.name(), "key") != 0)
    return Fail("dictionary value without a <key>");
  if (!TextOf(node, text))
    return Fail("<key> holds elements");
  return ReadString(text);
}

CFTypeRef PlistReader::ReadArray(const pugi::xml_node& node, int depth)
{
  if (!OnlyWhitespaceText(node))
    return Fail("text inside <array>");
  auto* array = new ArrayObject(&kCFTypeArrayCallBacks, mMutableContainers, 0);
  for (pugi::xml_node child : node.children())
  {
    if (child.type() != pugi::node_element)
      continue;
    CFTypeRef value = ReadValue(child, depth + 1);
    if (!value)
    {
      array->Release();
      return nullptr;
    }
    array->Add(value);
    CFRelease(value);
  }
  return array;
}

CFTypeRef PlistReader::ReadInteger(const std::string& text)
{
  size_t pos = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+'))
    ++pos;
  int base = 10;
  if (text.compare(pos, 2, "0x") == 0 || text.compare(pos, 2, "0X") == 0)
  {
    base = 16;
    pos += 2;
  }
  UInt64 magnitude = 0;
  const char* first = text.data() + pos;
  const char* last = text.data() + text.size();
  const auto result = std::from_chars(first, last, magnitude, base);
  if (first == last || result.ec != std::errc() || result.ptr != last)
    return Fail("<integer> is not an integer: " + text);
  const UInt64 limit = negative ? UInt64(1) << 63 : UInt64(std::numeric_limits<SInt64>::max());
  if (magnitude > limit)
    return Fail("<integer> out of range: " + text);
  const SInt64 value = negative ? static_cast<SInt64>(0 - magnitude) : static_cast<SInt64>(magnitude);
  return NumberObject::Create(kCFNumberSInt64Type, &value);
}

CFTypeRef PlistReader::ReadReal(const std::string& text)
{
  const std::string lower = Lowercase(text);
  double value = 0.0;
  if (lower == "nan")
    value = std::numeric_limits<double>::quiet_NaN();
  else if (lower == "+infinity" || lower == "infinity" || lower == "+inf" || lower == "inf")
    value = std::numeric_limits<double>::infinity();
  else if (lower == "-infinity" || lower == "-inf")
    value = -std::numeric_limits<double>::infinity();
  else
  {
    const char* first = text.data() + (!text.empty() && text[0] == '+' ? 1 : 0);
    const char* last = text.data() + text.size();
    const auto result = std::from_chars(first, last, value);
    if (first == last || (*first == '-' && text[0] == '+') || result.ec != std::errc() || result.ptr != last)
      return Fail("<real> is not a number: " + text);
  }
  return NumberObject::Create(kCFNumberFloat64Type, &value);
}

CFTypeRef PlistReader::ReadData(const std::string& text)
{
  std::vector<UInt8> bytes;
  if (!Base64Decode(text, bytes))
    return Fail("<data> is not base64");
  return new DataObject(std::move(bytes), mMutableLeaves, 0);
}

CFTypeRef PlistReader::ReadString(const std::string& text)
{
  if (!IsValidUtf8(text))
    return Fail("text is not valid UTF-8");
  return new StringObject(text);
}

CFTypeRef PlistReader::ReadDate(const std::string& text)
{
  CFAbsoluteTime time = 0.0;
  if (!ParseIsoDate(text, time))
    return Fail("<date> is not an ISO 8601 UTC date: " + text);
  return new DateObject(time);
}

}
