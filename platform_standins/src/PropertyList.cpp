#include "DataObject.h"
#include "ErrorObject.h"
#include "Export.h"
#include "PlistReader.h"
#include "PlistWriter.h"

using standin::CFObject;
using standin::DataObject;

STANDIN_EXPORT CFPropertyListRef CFPropertyListCreateWithData(CFAllocatorRef, CFDataRef data, CFOptionFlags options, CFPropertyListFormat* format, CFErrorRef* error)
{
  DataObject* bytes = CFObject::Cast<DataObject>(data);
  if (!bytes)
  {
    standin::ReportError(error, kCFErrorDomainCocoa, kCFPropertyListReadCorruptError, "no property list data");
    return nullptr;
  }
  std::string message;
  standin::PlistReader reader(options);
  CFPropertyListRef plist = reader.Read(bytes->Bytes().data(), bytes->Bytes().size(), message);
  if (!plist)
  {
    standin::ReportError(error, kCFErrorDomainCocoa, kCFPropertyListReadCorruptError, message);
    return nullptr;
  }
  if (format)
    *format = kCFPropertyListXMLFormat_v1_0;
  return plist;
}

STANDIN_EXPORT CFDataRef CFPropertyListCreateData(CFAllocatorRef, CFPropertyListRef propertyList, CFPropertyListFormat format, CFOptionFlags, CFErrorRef* error)
{
  if (format != kCFPropertyListXMLFormat_v1_0)
  {
    standin::ReportError(error, kCFErrorDomainCocoa, kCFPropertyListWriteStreamError, "only XML property lists are written");
    return nullptr;
  }
  std::string xml;
  std::string message;
  standin::PlistWriter writer;
  if (!writer.Write(propertyList, xml, message))
  {
    standin::ReportError(error, kCFErrorDomainCocoa, kCFPropertyListWriteStreamError, message);
    return nullptr;
  }
  return standin::NewData(xml.data(), xml.size());
}

STANDIN_EXPORT Boolean CFPropertyListIsValid(CFPropertyListRef plist, CFPropertyListFormat format)
{
  return format == kCFPropertyListXMLFormat_v1_0 && standin::PlistWriter::IsValid(plist);
}
