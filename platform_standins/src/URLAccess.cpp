#include "DataObject.h"
#include "Export.h"
#include "URLObject.h"

#include <CoreFoundation/CFURLAccess.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace {

SInt32 ErrorForErrno(int error)
{
  if (error == ENOENT || error == ENOTDIR)
    return kCFURLResourceNotFoundError;
  if (error == EACCES || error == EPERM || error == EISDIR)
    return kCFURLResourceAccessViolationError;
  return kCFURLUnknownError;
}

bool Fail(SInt32* errorCode, SInt32 code)
{
  if (errorCode)
    *errorCode = code;
  return false;
}

}

STANDIN_EXPORT Boolean CFURLCreateDataAndPropertiesFromResource(CFAllocatorRef, CFURLRef url, CFDataRef* resourceData, CFDictionaryRef* properties, CFArrayRef, SInt32* errorCode)
{
  if (properties)
    *properties = nullptr;
  if (!standin::CFObject::Cast<standin::URLObject>(url))
    return Fail(errorCode, kCFURLImproperArgumentsError);
  std::optional<std::string> path = standin::FilePath(url);
  if (!path)
    return Fail(errorCode, kCFURLUnknownSchemeError);
  struct stat info;
  if (stat(path->c_str(), &info) != 0)
    return Fail(errorCode, ErrorForErrno(errno));
  if (!S_ISREG(info.st_mode))
    return Fail(errorCode, kCFURLResourceAccessViolationError);
  std::ifstream file(*path, std::ios::binary);
  if (!file)
    return Fail(errorCode, ErrorForErrno(errno));
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad())
    return Fail(errorCode, kCFURLUnknownError);
  if (resourceData)
    *resourceData = standin::NewData(bytes.data(), bytes.size());
  if (errorCode)
    *errorCode = 0;
  return true;
}

STANDIN_EXPORT Boolean CFURLWriteDataAndPropertiesToResource(CFURLRef url, CFDataRef dataToWrite, CFDictionaryRef, SInt32* errorCode)
{
  std::optional<std::string> path = standin::FilePath(url);
  auto* data = standin::CFObject::Cast<standin::DataObject>(dataToWrite);
  if (!standin::CFObject::Cast<standin::URLObject>(url) || !data)
    return Fail(errorCode, kCFURLImproperArgumentsError);
  if (!path)
    return Fail(errorCode, kCFURLUnknownSchemeError);
  std::ofstream file(*path, std::ios::binary | std::ios::trunc);
  if (!file)
    return Fail(errorCode, ErrorForErrno(errno));
  file.write(reinterpret_cast<const char*>(data->Bytes().data()), static_cast<std::streamsize>(data->Bytes().size()));
  file.close();
  if (!file)
    return Fail(errorCode, kCFURLUnknownError);
  if (errorCode)
    *errorCode = 0;
  return true;
}
