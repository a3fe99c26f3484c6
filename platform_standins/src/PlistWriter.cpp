#include "PlistWriter.h"

#include "ArrayObject.h"
#include "Base64.h"
#include "DataObject.h"
#include "DateObject.h"
#include "DictionaryObject.h"
#include "NumberObject.h"
#include "StringObject.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace standin {

namespace {

constexpr size_t kBase64LineLength = 76;

std::string Escape(const std::string& text)
{
  std::string escaped;
  for (unsigned char c : text)
  {
    switch (c)
    {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      default:
        if (c < 0x20 && c != '\t' && c != '\n')
          escaped += "&#" + std::to_string(c) + ";";
        else
          escaped += static_cast<char>(c);
        break;
    }
  }
  return escaped;
}

std::string RealText(double value)
{
  if (std::isnan(value))
    return "nan";
  if (std::isinf(value))
    return value > 0 ? "+infinity" : "-infinity";
  char text[32];
  const auto result = std::to_chars(text, text + sizeof(text), value);
  return std::string(text, result.ptr);
}

// The dictionary's pairs ordered by key text.
std::vector<std::pair<const StringObject*, const CFObject*>> SortedEntries(const DictionaryObject& dictionary)
{
  std::vector<std::pair<const StringObject*, const CFObject*>> entries;
  for (const auto& [key, value] : dictionary.Entries())
    entries.emplace_back(CFObject::Cast<StringObject>(key), CFObject::FromRef(value));
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.first->Utf8() < b.first->Utf8(); });
  return entries;
}

}

bool PlistWriter::IsValid(CFPropertyListRef plist)
{
  return IsValidValue(CFObject::FromRef(plist), 0);
}

bool PlistWriter::IsValidValue(const CFObject* value, int depth)
{
  if (!value || depth > kMaxDepth)
    return false;
  switch (value->TypeID())
  {
    case kStringTypeID:
    case kNumberTypeID:
    case kBooleanTypeID:
    case kDataTypeID:
      return true;
    case kDateTypeID:
      return static_cast<const DateObject*>(value)->IsoText().has_value();
    case kArrayTypeID:
    {
      const auto* array = static_cast<const ArrayObject*>(value);
      if (!array->HoldsCFTypes())
        return false;
      for (CFIndex i = 0; i < array->Count(); ++i)
      {
        if (!IsValidValue(CFObject::FromRef(array->At(i)), depth + 1))
          return false;
      }
      return true;
    }
    case kDictionaryTypeID:
    {
      const auto* dictionary = static_cast<const DictionaryObject*>(value);
      if (!dictionary->HoldsCFTypes())
        return false;
      for (const auto& [key, entry] : dictionary->Entries())
      {
        if (!CFObject::Cast<StringObject>(key) || !IsValidValue(CFObject::FromRef(entry), depth + 1))
          return false;
      }
      return true;
    }
    default:
      return false;
  }
}

bool PlistWriter::Write(CFPropertyListRef plist, std::string& xml, std::string& error)
{
  if (!IsValid(plist))
  {
    error = "not a valid property list";
    return false;
  }
  mOut = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
         "<plist version=\"1.0\">\n";
  WriteValue(*CFObject::FromRef(plist), 0);
  mOut += "</plist>\n";
  xml.swap(mOut);
  mOut.clear();
  return true;
}

void PlistWriter::Indent(int depth)
{
  mOut.append(static_cast<size_t>(depth), '\t');
}

void PlistWriter::WriteElement(const char* name, const std::string& text, int depth)
{
  Indent(depth);
  mOut += std::string("<") + name + ">" + Escape(text) + "</" + name + ">\n";
}

void PlistWriter::WriteValue(const CFObject& value, int depth)
{
  switch (value.TypeID())
  {
    case kStringTypeID:
      WriteElement("string", static_cast<const StringObject&>(value).Utf8(), depth);
      break;
    case kNumberTypeID:
    {
      const auto& number = static_cast<const NumberObject&>(value);
      if (number.IsFloat())
        WriteElement("real", RealText(number.FloatValue()), depth);
      else
        WriteElement("integer", std::to_string(number.IntegerValue()), depth);
      break;
    }
    case kBooleanTypeID:
      Indent(depth);
      mOut += static_cast<const BooleanObject&>(value).Value() ? "<true/>\n" : "<false/>\n";
      break;
    case kDateTypeID:
      WriteElement("date", *static_cast<const DateObject&>(value).IsoText(), depth);
      break;
    case kDataTypeID:
      WriteData(value, depth);
      break;
    case kArrayTypeID:
      WriteArray(value, depth);
      break;
    case kDictionaryTypeID:
      WriteDictionary(value, depth);
      break;
    default:
      break;
  }
}

void PlistWriter::WriteDictionary(const CFObject& value, int depth)
{
  const auto& dictionary = static_cast<const DictionaryObject&>(value);
  Indent(depth);
  if (dictionary.Count() == 0)
  {
    mOut += "<dict/>\n";
    return;
  }
  mOut += "<dict>\n";
  for (const auto& [key, entry] : SortedEntries(dictionary))
  {
    WriteElement("key", key->Utf8(), depth + 1);
    WriteValue(*entry, depth + 1);
  }
  Indent(depth);
  mOut += "</dict>\n";
}

void PlistWriter::WriteArray(const CFObject& value, int depth)
{
  const auto& array = static_cast<const ArrayObject&>(value);
  Indent(depth);
  if (array.Count() == 0)
  {
    mOut += "<array/>\n";
    return;
  }
  mOut += "<array>\n";
  for (CFIndex i = 0; i < array.Count(); ++i)
    WriteValue(*CFObject::FromRef(array.At(i)), depth + 1);
  Indent(depth);
  mOut += "</array>\n";
}

void PlistWriter::WriteData(const CFObject& value, int depth)
{
  const std::vector<UInt8>& bytes = static_cast<const DataObject&>(value).Bytes();
  const std::string text = Base64Encode(bytes.data(), bytes.size());
  Indent(depth);
  mOut += "<data>\n";
  for (size_t start = 0; start < text.size(); start += kBase64LineLength)
  {
    Indent(depth);
    mOut += text.substr(start, kBase64LineLength) + "\n";
  }
  Indent(depth);
  mOut += "</data>\n";
}

}
