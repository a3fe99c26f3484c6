#include "URLObject.h"

#include "Export.h"
#include "StringObject.h"

#include <cstring>
#include <functional>
#include <unistd.h>
#include <vector>

namespace standin {

namespace {

bool IsUnreservedInPath(unsigned char c)
{
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || std::strchr("-._~/!$&'()*+,;=:@", c);
}

// Characters that may stand in a URL string as they are.
bool IsAllowedInURL(unsigned char c)
{
  return c > 0x20 && c < 0x7F && !std::strchr("\"<>\\^`{|}", c);
}

int HexValue(char c)
{
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

std::string PercentEncodePath(const std::string& path)
{
  static const char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (unsigned char c : path)
  {
    if (c != 0 && IsUnreservedInPath(c))
    {
      encoded += static_cast<char>(c);
    }
    else
    {
      encoded += '%';
      encoded += kHex[c >> 4];
      encoded += kHex[c & 0xF];
    }
  }
  return encoded;
}

// Decodes %XX escapes; false for a broken escape or an encoded NUL.
bool PercentDecode(const std::string& text, std::string& decoded)
{
  for (size_t i = 0; i < text.size(); ++i)
  {
    if (text[i] != '%')
    {
      decoded += text[i];
      continue;
    }
    if (i + 2 >= text.size())
      return false;
    const int high = HexValue(text[i + 1]);
    const int low = HexValue(text[i + 2]);
    if (high < 0 || low < 0 || (high == 0 && low == 0))
      return false;
    decoded += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return true;
}

// Resolves "." and ".." segments of an absolute path.
std::string RemoveDotSegments(const std::string& path)
{
  std::vector<std::string> segments;
  size_t start = 1;
  while (start <= path.size())
  {
    size_t end = path.find('/', start);
    if (end == std::string::npos)
      end = path.size();
    const std::string segment = path.substr(start, end - start);
    if (segment == "..")
    {
      if (!segments.empty())
        segments.pop_back();
    }
    else if (segment != ".")
    {
      segments.push_back(segment);
    }
    start = end + 1;
  }
  std::string result;
  for (const std::string& segment : segments)
    result += "/" + segment;
  return result.empty() ? "/" : result;
}

std::string WithoutTrailingSlash(std::string path)
{
  while (path.size() > 1 && path.back() == '/')
    path.pop_back();
  return path;
}

bool HasScheme(const std::string& text, std::string& scheme)
{
  const size_t colon = text.find(':');
  if (colon == std::string::npos || colon == 0)
    return false;
  for (size_t i = 0; i < colon; ++i)
  {
    const char c = text[i];
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!letter && (i == 0 || !((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.')))
      return false;
  }
  scheme = text.substr(0, colon);
  for (char& c : scheme)
    c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return true;
}

// The path of a file URL string (after "file:"); false for a remote host or a broken escape.
bool ParseFileURL(const std::string& text, std::string& path, bool& isDirectory)
{
  std::string rest = text.substr(5);
  if (rest.compare(0, 2, "//") == 0)
  {
    const size_t slash = rest.find('/', 2);
    const std::string host = rest.substr(2, slash == std::string::npos ? std::string::npos : slash - 2);
    if (!host.empty() && host != "localhost")
      return false;
    rest = slash == std::string::npos ? "/" : rest.substr(slash);
  }
  rest = rest.substr(0, rest.find_first_of("?#"));
  if (rest.empty() || rest[0] != '/')
    return false;
  std::string decoded;
  if (!PercentDecode(rest, decoded))
    return false;
  isDirectory = decoded.back() == '/';
  path = WithoutTrailingSlash(decoded);
  return true;
}

}

URLObject::URLObject(std::string text, bool isFile, std::string path, bool isDirectory)
  : CFObject(kTypeID)
  , mText(std::move(text))
  , mString(NewString(mText))
  , mIsFile(isFile)
  , mPath(std::move(path))
  , mIsDirectory(isDirectory)
{
}

URLObject::~URLObject()
{
  CFRelease(mString);
}

URLObject* URLObject::FromPath(std::string path, bool isDirectory)
{
  if (path.empty() || path.find('\0') != std::string::npos)
    return nullptr;
  if (path[0] != '/')
  {
    std::vector<char> cwd(4096);
    if (!getcwd(cwd.data(), cwd.size()))
      return nullptr;
    path = std::string(cwd.data()) + "/" + path;
  }
  path = WithoutTrailingSlash(path);
  std::string text = "file://" + PercentEncodePath(path);
  if (isDirectory && path != "/")
    text += "/";
  return new URLObject(std::move(text), true, std::move(path), isDirectory);
}

URLObject* URLObject::FromString(const std::string& text, const URLObject* base)
{
  for (unsigned char c : text)
  {
    if (!IsAllowedInURL(c))
      return nullptr;
  }
  std::string scheme;
  if (!HasScheme(text, scheme))
  {
    if (!base || !base->mIsFile || text.empty())
      return nullptr;
    std::string relative;
    if (!PercentDecode(text.substr(0, text.find_first_of("?#")), relative) || relative.empty())
      return nullptr;
    const std::string directory = base->mIsDirectory ? base->mPath : base->mPath.substr(0, base->mPath.rfind('/'));
    const std::string joined = relative[0] == '/' ? relative : directory + "/" + relative;
    return FromPath(RemoveDotSegments(joined), relative.back() == '/');
  }
  if (scheme != "file")
    return new URLObject(text, false, std::string(), text.back() == '/');
  std::string path;
  bool isDirectory = false;
  if (!ParseFileURL(text, path, isDirectory))
    return nullptr;
  return new URLObject(text, true, std::move(path), isDirectory);
}

bool URLObject::Equals(const CFObject& other) const
{
  return mText == static_cast<const URLObject&>(other).mText;
}

CFHashCode URLObject::Hash() const
{
  return std::hash<std::string>()(mText);
}

CFURLRef NewFileURL(const std::string& path, bool isDirectory)
{
  return ToRef<CFURLRef>(URLObject::FromPath(path, isDirectory));
}

std::optional<std::string> FilePath(CFTypeRef url)
{
  URLObject* object = CFObject::Cast<URLObject>(url);
  if (!object || !object->IsFile())
    return std::nullopt;
  return object->Path();
}

}

using standin::CFObject;
using standin::URLObject;

STANDIN_EXPORT CFTypeID CFURLGetTypeID(void)
{
  return URLObject::kTypeID;
}

STANDIN_EXPORT CFURLRef CFURLCreateWithString(CFAllocatorRef, CFStringRef URLString, CFURLRef baseURL)
{
  std::optional<std::string> text = standin::StringValue(URLString);
  if (!text)
    return nullptr;
  return standin::ToRef<CFURLRef>(URLObject::FromString(*text, CFObject::Cast<URLObject>(baseURL)));
}

STANDIN_EXPORT CFURLRef CFURLCreateWithFileSystemPath(CFAllocatorRef, CFStringRef filePath, CFURLPathStyle pathStyle, Boolean isDirectory)
{
  std::optional<std::string> path = standin::StringValue(filePath);
  if (!path || pathStyle != kCFURLPOSIXPathStyle)
    return nullptr;
  return standin::ToRef<CFURLRef>(URLObject::FromPath(*path, isDirectory));
}

STANDIN_EXPORT CFURLRef CFURLCreateFromFileSystemRepresentation(CFAllocatorRef, const UInt8* buffer, CFIndex bufLen, Boolean isDirectory)
{
  if (!buffer || bufLen <= 0)
    return nullptr;
  std::string path(reinterpret_cast<const char*>(buffer), static_cast<size_t>(bufLen));
  return standin::ToRef<CFURLRef>(URLObject::FromPath(path.substr(0, path.find('\0')), isDirectory));
}

STANDIN_EXPORT CFURLRef CFURLCreateCopyAppendingPathComponent(CFAllocatorRef, CFURLRef url, CFStringRef pathComponent, Boolean isDirectory)
{
  std::optional<std::string> path = standin::FilePath(url);
  std::optional<std::string> component = standin::StringValue(pathComponent);
  if (!path || !component || component->empty())
    return nullptr;
  return standin::NewFileURL(*path + (*path == "/" ? "" : "/") + *component, isDirectory);
}

STANDIN_EXPORT CFURLRef CFURLCreateCopyDeletingLastPathComponent(CFAllocatorRef, CFURLRef url)
{
  std::optional<std::string> path = standin::FilePath(url);
  if (!path)
    return nullptr;
  const size_t slash = path->rfind('/');
  return standin::NewFileURL(slash == 0 ? "/" : path->substr(0, slash), true);
}

STANDIN_EXPORT CFStringRef CFURLGetString(CFURLRef anURL)
{
  URLObject* url = CFObject::Cast<URLObject>(anURL);
  return url ? url->String() : nullptr;
}

STANDIN_EXPORT CFStringRef CFURLCopyFileSystemPath(CFURLRef anURL, CFURLPathStyle pathStyle)
{
  std::optional<std::string> path = standin::FilePath(anURL);
  if (!path || pathStyle != kCFURLPOSIXPathStyle)
    return nullptr;
  return CFStringCreateWithCString(nullptr, path->c_str(), kCFStringEncodingUTF8);
}

STANDIN_EXPORT CFStringRef CFURLCopyLastPathComponent(CFURLRef url)
{
  std::optional<std::string> path = standin::FilePath(url);
  if (!path)
    return nullptr;
  const std::string last = *path == "/" ? "/" : path->substr(path->rfind('/') + 1);
  return CFStringCreateWithCString(nullptr, last.c_str(), kCFStringEncodingUTF8);
}

STANDIN_EXPORT Boolean CFURLGetFileSystemRepresentation(CFURLRef url, Boolean, UInt8* buffer, CFIndex maxBufLen)
{
  std::optional<std::string> path = standin::FilePath(url);
  if (!path || !buffer || maxBufLen <= 0 || path->size() + 1 > static_cast<size_t>(maxBufLen))
    return false;
  std::memcpy(buffer, path->c_str(), path->size() + 1);
  return true;
}

STANDIN_EXPORT Boolean CFURLHasDirectoryPath(CFURLRef anURL)
{
  URLObject* url = CFObject::Cast<URLObject>(anURL);
  return url && url->IsDirectory();
}
