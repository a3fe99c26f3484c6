#include "StringObject.h"

#include "Export.h"
#include "StringFormat.h"
#include "Utf8.h"

#include <cstring>
#include <functional>
#include <mutex>
#include <unordered_map>

namespace standin {

StringObject::StringObject(std::string utf8)
  : CFObject(kTypeID)
  , mUtf8(std::move(utf8))
  , mUtf16Length(standin::Utf16Length(mUtf8))
{
}

bool StringObject::Equals(const CFObject& other) const
{
  return mUtf8 == static_cast<const StringObject&>(other).mUtf8;
}

CFHashCode StringObject::Hash() const
{
  return std::hash<std::string>()(mUtf8);
}

CFStringRef NewString(std::string utf8)
{
  return ToRef<CFStringRef>(new StringObject(std::move(utf8)));
}

std::optional<std::string> StringValue(CFTypeRef ref)
{
  StringObject* string = CFObject::Cast<StringObject>(ref);
  if (!string)
    return std::nullopt;
  return string->Utf8();
}

namespace {

// Text in one of the supported encodings, converted to UTF-8; false when it is not valid there.
bool DecodeText(std::string_view bytes, CFStringEncoding encoding, std::string& utf8)
{
  switch (encoding)
  {
    case kCFStringEncodingUTF8:
      utf8.assign(bytes);
      return IsValidUtf8(utf8);
    case kCFStringEncodingASCII:
      for (unsigned char byte : bytes)
      {
        if (byte >= 0x80)
          return false;
      }
      utf8.assign(bytes);
      return true;
    case kCFStringEncodingISOLatin1:
      for (unsigned char byte : bytes)
        AppendUtf8(utf8, byte);
      return true;
    default:
      return false;
  }
}

// UTF-8 text converted to one of the supported encodings; false when it cannot be represented.
bool EncodeText(const std::string& utf8, CFStringEncoding encoding, std::string& bytes)
{
  if (encoding == kCFStringEncodingUTF8)
  {
    bytes = utf8;
    return true;
  }
  if (encoding != kCFStringEncodingASCII && encoding != kCFStringEncodingISOLatin1)
    return false;
  const char32_t limit = encoding == kCFStringEncodingASCII ? 0x7F : 0xFF;
  size_t pos = 0;
  while (pos < utf8.size())
  {
    const char32_t codePoint = NextCodePoint(utf8, pos);
    if (codePoint > limit)
      return false;
    bytes += static_cast<char>(codePoint);
  }
  return true;
}

char32_t FoldCase(char32_t c)
{
  if (c >= 'A' && c <= 'Z')
    return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
    return c + 32;
  return c;
}

bool IsDigit(char32_t c)
{
  return c >= '0' && c <= '9';
}

// Compares the digit runs starting at posA and posB by value and moves both past their runs.
int CompareDigitRuns(const std::string& a, size_t& posA, const std::string& b, size_t& posB)
{
  auto readRun = [](const std::string& text, size_t& pos) {
    while (pos + 1 < text.size() && text[pos] == '0' && IsDigit(static_cast<unsigned char>(text[pos + 1])))
      ++pos;
    const size_t start = pos;
    while (pos < text.size() && IsDigit(static_cast<unsigned char>(text[pos])))
      ++pos;
    return std::string_view(text).substr(start, pos - start);
  };
  const std::string_view runA = readRun(a, posA);
  const std::string_view runB = readRun(b, posB);
  if (runA.size() != runB.size())
    return runA.size() < runB.size() ? -1 : 1;
  const int order = runA.compare(runB);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

CFComparisonResult CompareText(const std::string& a, const std::string& b, CFStringCompareFlags options)
{
  const bool caseInsensitive = options & kCFCompareCaseInsensitive;
  const bool numerically = options & kCFCompareNumerically;
  size_t posA = 0;
  size_t posB = 0;
  while (posA < a.size() && posB < b.size())
  {
    if (numerically && IsDigit(static_cast<unsigned char>(a[posA])) && IsDigit(static_cast<unsigned char>(b[posB])))
    {
      const int order = CompareDigitRuns(a, posA, b, posB);
      if (order != 0)
        return order;
      continue;
    }
    char32_t ca = NextCodePoint(a, posA);
    char32_t cb = NextCodePoint(b, posB);
    if (caseInsensitive)
    {
      ca = FoldCase(ca);
      cb = FoldCase(cb);
    }
    if (ca != cb)
      return ca < cb ? kCFCompareLessThan : kCFCompareGreaterThan;
  }
  if (posA < a.size())
    return kCFCompareGreaterThan;
  if (posB < b.size())
    return kCFCompareLessThan;
  return kCFCompareEqualTo;
}

}

}

using standin::CFObject;
using standin::StringObject;

STANDIN_EXPORT CFStringRef __CFStringMakeConstantString(const char* cStr)
{
  static std::mutex mutex;
  static auto* constants = new std::unordered_map<std::string, StringObject*>();
  if (!cStr || !standin::IsValidUtf8(cStr))
    return nullptr;
  std::lock_guard<std::mutex> lock(mutex);
  StringObject*& constant = (*constants)[cStr];
  if (!constant)
  {
    constant = new StringObject(cStr);
    constant->MakeConstant();
  }
  return standin::ToRef<CFStringRef>(constant);
}

STANDIN_EXPORT CFTypeID CFStringGetTypeID(void)
{
  return StringObject::kTypeID;
}

STANDIN_EXPORT CFStringRef CFStringCreateWithCString(CFAllocatorRef, const char* cStr, CFStringEncoding encoding)
{
  std::string utf8;
  if (!cStr || !standin::DecodeText(cStr, encoding, utf8))
    return nullptr;
  return standin::NewString(std::move(utf8));
}

STANDIN_EXPORT CFStringRef CFStringCreateCopy(CFAllocatorRef, CFStringRef theString)
{
  StringObject* string = CFObject::Cast<StringObject>(theString);
  return string ? standin::NewString(string->Utf8()) : nullptr;
}

STANDIN_EXPORT CFStringRef CFStringCreateWithFormatAndArguments(CFAllocatorRef, CFDictionaryRef, CFStringRef format, va_list arguments)
{
  StringObject* formatString = CFObject::Cast<StringObject>(format);
  std::string text;
  if (!formatString || !standin::FormatWithArguments(formatString->Utf8(), arguments, text))
    return nullptr;
  if (!standin::IsValidUtf8(text))
    return nullptr;
  return standin::NewString(std::move(text));
}

STANDIN_EXPORT CFStringRef CFStringCreateWithFormat(CFAllocatorRef alloc, CFDictionaryRef formatOptions, CFStringRef format, ...)
{
  va_list arguments;
  va_start(arguments, format);
  CFStringRef result = CFStringCreateWithFormatAndArguments(alloc, formatOptions, format, arguments);
  va_end(arguments);
  return result;
}

STANDIN_EXPORT CFIndex CFStringGetLength(CFStringRef theString)
{
  StringObject* string = CFObject::Cast<StringObject>(theString);
  return string ? string->Utf16Length() : 0;
}

STANDIN_EXPORT Boolean CFStringGetCString(CFStringRef theString, char* buffer, CFIndex bufferSize, CFStringEncoding encoding)
{
  StringObject* string = CFObject::Cast<StringObject>(theString);
  std::string bytes;
  if (!string || !buffer || !standin::EncodeText(string->Utf8(), encoding, bytes))
    return false;
  if (bufferSize <= 0 || bytes.size() + 1 > static_cast<size_t>(bufferSize))
    return false;
  std::memcpy(buffer, bytes.c_str(), bytes.size() + 1);
  return true;
}

STANDIN_EXPORT const char* CFStringGetCStringPtr(CFStringRef theString, CFStringEncoding encoding)
{
  StringObject* string = CFObject::Cast<StringObject>(theString);
  if (!string)
    return nullptr;
  const bool isAscii = string->Utf16Length() == static_cast<CFIndex>(string->Utf8().size());
  if (encoding == kCFStringEncodingUTF8 || (encoding == kCFStringEncodingASCII && isAscii))
    return string->Utf8().c_str();
  return nullptr;
}

STANDIN_EXPORT CFIndex CFStringGetMaximumSizeForEncoding(CFIndex length, CFStringEncoding encoding)
{
  if (length < 0)
    return kCFNotFound;
  switch (encoding)
  {
    case kCFStringEncodingUTF8: return length * 3;
    case kCFStringEncodingASCII:
    case kCFStringEncodingISOLatin1: return length;
    default: return kCFNotFound;
  }
}

STANDIN_EXPORT CFComparisonResult CFStringCompare(CFStringRef theString1, CFStringRef theString2, CFStringCompareFlags compareOptions)
{
  StringObject* a = CFObject::Cast<StringObject>(theString1);
  StringObject* b = CFObject::Cast<StringObject>(theString2);
  if (!a || !b)
    return a ? kCFCompareGreaterThan : (b ? kCFCompareLessThan : kCFCompareEqualTo);
  return standin::CompareText(a->Utf8(), b->Utf8(), compareOptions);
}
