#include "PluginIdentity.h"

#include <cstdio>
#include <fstream>

namespace iplug
{
namespace
{
  // A CMake quoted argument: backslashes, quotes and variable references escaped, so the text comes back as given.
  std::string Quoted(const std::string& text)
  {
    std::string out = "\"";
    for (const char c : text)
    {
      if (c == '\\' || c == '"' || c == '$' || c == ';')
        out += '\\';
      out += c;
    }
    return out + "\"";
  }

  void SetLine(std::string& out, const char* name, const std::string& value)
  {
    out += std::string("set(IPLUG_") + name + " " + Quoted(value) + ")\n";
  }

  std::string Text(const char* text)
  {
    return text ? text : "";
  }
}

std::string PluginIdentity::CodeText(int code)
{
  const auto bits = static_cast<unsigned>(code);
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8)
    text += static_cast<char>((bits >> shift) & 0xFF);
  return text;
}

std::string PluginIdentity::ComponentType() const
{
  if (mConfig.pluginKind == 1)
    return "aumu";
  if (mConfig.pluginKind == 2)
    return "aumi";
  return mConfig.receivesMidi ? "aumf" : "aufx";
}

std::string PluginIdentity::VersionText() const
{
  const int version = mConfig.vendorVersion;
  return std::to_string((version >> 16) & 0x7FFF) + "." + std::to_string((version >> 8) & 0xFF) + "." +
         std::to_string(version & 0xFF);
}

std::string PluginIdentity::Script() const
{
  std::string out = "# The plug-in's identity, written by the build from its configuration.\n";
  SetLine(out, "PLUGIN_NAME", Text(mConfig.pluginName));
  SetLine(out, "PRODUCT_NAME", Text(mConfig.productName));
  SetLine(out, "MANUFACTURER", Text(mConfig.makerName));
  SetLine(out, "MANUFACTURER_CODE", CodeText(mConfig.makerId));
  SetLine(out, "PLUGIN_CODE", CodeText(mConfig.uniqueId));
  SetLine(out, "COMPONENT_TYPE", ComponentType());
  SetLine(out, "VERSION", VersionText());
  SetLine(out, "VERSION_NUMBER", std::to_string(mConfig.vendorVersion));
  SetLine(out, "BUNDLE_ID", Text(mConfig.bundleId));
  SetLine(out, "MAKER_URL", Text(mConfig.makerURL));
  SetLine(out, "MAKER_EMAIL", Text(mConfig.makerEmail));
  return out;
}

bool PluginIdentity::Write(const std::string& path) const
{
  const std::string temporary = path + ".part";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file << Script();
    file.close();
    if (!file)
    {
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0)
  {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}
} // namespace iplug
