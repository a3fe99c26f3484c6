#include "LV2TurtleWriter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <utility>

#include "IParam.h"

namespace iplug
{
namespace
{
  constexpr const char* kPrefixes =
    "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
    "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
    "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix bufsz: <http://lv2plug.in/ns/ext/buf-size#> .\n"
    "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
    "@prefix pprops: <http://lv2plug.in/ns/ext/port-props#> .\n"
    "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
    "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
    "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
    "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
    "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n\n";

  // A Turtle string literal.
  std::string Quoted(const char* text)
  {
    std::string out = "\"";
    for (const char* c = text; *c; ++c)
    {
      if (*c == '"' || *c == '\\')
        out += '\\';
      if (*c == '\n')
        out += "\\n";
      else
        out += *c;
    }
    return out + "\"";
  }

  // A Turtle number that reads back as the same double, always with a decimal point or an exponent.
  std::string Number(double value)
  {
    char text[32];
    std::snprintf(text, sizeof(text), "%.15g", value);
    if (std::strtod(text, nullptr) != value)
      std::snprintf(text, sizeof(text), "%.17g", value);
    std::string out = text;
    if (out.find_first_of(".en") == std::string::npos)
      out += ".0";
    return out;
  }

  // The units: URI of a double parameter's unit, or null for units LV2 does not name.
  const char* UnitURI(IParam::EParamUnit unit)
  {
    switch (unit)
    {
      case IParam::kUnitPercentage: return "units:pc";
      case IParam::kUnitSeconds: return "units:s";
      case IParam::kUnitMilliseconds: return "units:ms";
      case IParam::kUnitSamples: return "units:frame";
      case IParam::kUnitDB: return "units:db";
      case IParam::kUnitLinearGain: return "units:coef";
      case IParam::kUnitDegrees: return "units:degree";
      case IParam::kUnitMeters: return "units:m";
      case IParam::kUnitFrequency: return "units:hz";
      case IParam::kUnitOctaves: return "units:oct";
      case IParam::kUnitCents: return "units:cent";
      case IParam::kUnitSemitones: return "units:semitone12TET";
      case IParam::kUnitMIDINote: return "units:midiNote";
      case IParam::kUnitBPM: return "units:bpm";
      case IParam::kUnitBeats: return "units:beat";
      default: return nullptr;
    }
  }

  // lv2core's plug-in classes, by the name after "lv2:".
  constexpr const char* kLV2Classes[] = {
    "Plugin", "AllpassPlugin", "AmplifierPlugin", "AnalyserPlugin", "BandpassPlugin", "ChorusPlugin",
    "CombPlugin", "CompressorPlugin", "ConstantPlugin", "ConverterPlugin", "DelayPlugin", "DistortionPlugin",
    "DynamicsPlugin", "EQPlugin", "EnvelopePlugin", "ExpanderPlugin", "FilterPlugin", "FlangerPlugin",
    "FunctionPlugin", "GatePlugin", "GeneratorPlugin", "HighpassPlugin", "InstrumentPlugin", "LimiterPlugin",
    "LowpassPlugin", "MIDIPlugin", "MixerPlugin", "ModulatorPlugin", "MultiEQPlugin", "OscillatorPlugin",
    "ParaEQPlugin", "PhaserPlugin", "PitchPlugin", "ReverbPlugin", "SimulatorPlugin", "SpatialPlugin",
    "SpectralPlugin", "UtilityPlugin", "WaveshaperPlugin"};

  bool IsLV2Class(const char* name)
  {
    for (const char* known : kLV2Classes)
    {
      if (name && std::strcmp(name, known) == 0)
        return true;
    }
    return false;
  }

  std::string ChannelName(const char* route, int channel, int nChannels)
  {
    if (nChannels == 1)
      return route;
    if (nChannels == 2)
      return std::string(route) + (channel == 0 ? " L" : " R");
    return std::string(route) + " " + std::to_string(channel + 1);
  }

  std::string ChannelSymbol(const char* route, int channel, int nChannels)
  {
    if (nChannels == 1)
      return route;
    if (nChannels == 2)
      return std::string(route) + (channel == 0 ? "_l" : "_r");
    return std::string(route) + "_" + std::to_string(channel + 1);
  }

  bool WriteText(const std::string& path, const std::string& text)
  {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    return static_cast<bool>(file);
  }
}

LV2Version LV2VersionOf(int packedVersion)
{
  // LV2 has no major version (a plug-in URI stays compatible with itself) and takes a version for a release
  // only when both numbers are even and the minor one is not 0. Every version we ship is a release, so each
  // part is doubled: minor = 2 x (major x 500 + minor), micro = 2 x bug-fix. The minor part of the packed
  // version is one byte (below 500), so a later version always compares greater, 1.1.2 becoming 1002.4; a
  // 0.0.x version maps to minor 0, which LV2 reads as a pre-release, as it is.
  const int major = (packedVersion >> 16) & 0x7FFF;
  const int minor = (packedVersion >> 8) & 0xFF;
  const int bugFix = packedVersion & 0xFF;
  return {2 * (major * 500 + minor), 2 * bugFix};
}

LV2TurtleWriter::LV2TurtleWriter(const IPlugLV2& plug, const Config& config, std::vector<LV2PluginVariant> variants,
                                 std::string binaryName, std::string descriptionName)
  : mPlug(plug)
  , mConfig(config)
  , mVariants(std::move(variants))
  , mBinaryName(std::move(binaryName))
  , mDescriptionName(std::move(descriptionName))
{
}

std::string LV2TurtleWriter::Refusal() const
{
  if (!IsLV2Class(mConfig.lv2Class))
    return std::string("\"") + (mConfig.lv2Class ? mConfig.lv2Class : "") +
           "\" is not a plug-in class of lv2core (the configuration's lv2Class, e.g. \"DynamicsPlugin\")";
  for (int i = 0; i < mPlug.NParams(); ++i)
  {
    const IParam& param = *mPlug.GetParam(i);
    bool finite = std::isfinite(param.GetDefault()) && std::isfinite(param.GetMin()) && std::isfinite(param.GetMax());
    for (int t = 0; t < param.NDisplayTexts(); ++t)
    {
      double value = 0.0;
      param.GetDisplayTextAtIdx(t, &value);
      finite = finite && std::isfinite(value);
    }
    if (!finite)
      return "parameter " + std::to_string(i) + " (" + param.GetName() +
             ") has a default, bound or display value that is not a finite number";
  }
  return "";
}

std::string LV2TurtleWriter::Manifest() const
{
  const bool hasUI = !mUIBinaryName.empty() && !mUIURI.empty();
  const std::string& uiURI = mUIURI;
  std::string out =
    "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n";
  if (hasUI)
    out += "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n";
  for (const LV2PluginVariant& variant : mVariants)
  {
    out += "\n<" + variant.mURI + ">\n    a lv2:Plugin ;\n";
    out += "    lv2:binary <" + mBinaryName + "> ;\n";
    if (hasUI)
      out += "    ui:ui <" + uiURI + "> ;\n";
    out += "    rdfs:seeAlso <" + mDescriptionName + "> .\n";
  }
  if (!hasUI)
    return out;
  // One editor serves every layout: it embeds in the host's window, runs on the host's idle calls, and wants
  // the meter's values as the plug-in writes them.
  out += "\n<" + uiURI + ">\n    a ui:X11UI ;\n";
  out += "    ui:binary <" + mUIBinaryName + "> ;\n";
  out += "    lv2:requiredFeature ui:parent , ui:idleInterface ;\n";
  out += "    lv2:optionalFeature ui:touch , ui:resize ;\n";
  out += "    lv2:extensionData ui:idleInterface";
  for (const LV2PluginVariant& variant : mVariants)
  {
    if (!variant.mHasMeter)
      continue;
    out += " ;\n    ui:portNotification [\n        ui:plugin <" + variant.mURI + "> ;\n";
    out += "        lv2:symbol \"meter\" ;\n        ui:protocol ui:floatProtocol\n    ]";
  }
  out += " .\n";
  return out;
}

std::string LV2TurtleWriter::Description() const
{
  std::string out = kPrefixes;
  DescribeProject(out);
  for (const LV2PluginVariant& variant : mVariants)
    DescribeVariant(variant, out);
  return out;
}

std::string LV2TurtleWriter::ParamSymbol(int paramIdx) const
{
  auto symbolOf = [this](int idx) {
    std::string symbol;
    for (const char* c = mPlug.GetParam(idx)->GetName(); *c; ++c)
    {
      const char lower = (*c >= 'A' && *c <= 'Z') ? static_cast<char>(*c - 'A' + 'a') : *c;
      const bool keep = (lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9');
      symbol += keep ? lower : '_';
    }
    // A symbol starts with a letter or an underscore.
    if (symbol.empty() || (symbol[0] >= '0' && symbol[0] <= '9'))
      symbol.insert(0, "_");
    return symbol;
  };
  const std::string symbol = symbolOf(paramIdx);
  for (int i = 0; i < paramIdx; ++i)
  {
    if (symbolOf(i) == symbol)
      return symbol + "_" + std::to_string(paramIdx);
  }
  return symbol;
}

void LV2TurtleWriter::DescribePlugin(const LV2PluginVariant& variant, std::string& out) const
{
  out += std::string("    a lv2:Plugin , lv2:") + mConfig.lv2Class + " ;\n";
  out += "    doap:name " + Quoted(variant.mName.c_str()) + " ;\n";
  out += "    lv2:project <" + LV2PluginStem(mConfig) + "> ;\n";
  const LV2Version version = LV2VersionOf(mPlug.GetPluginVersion(false));
  out += "    lv2:minorVersion " + std::to_string(version.minor) + " ;\n";
  out += "    lv2:microVersion " + std::to_string(version.micro) + " ;\n";
  if (mConfig.licenseURI && mConfig.licenseURI[0])
    out += std::string("    doap:license <") + mConfig.licenseURI + "> ;\n";
}

void LV2TurtleWriter::DescribeProject(std::string& out) const
{
  // The maker belongs to the project every layout is part of (doap:maintainer applies to a doap:Project, which
  // a plug-in is not), where hosts look when a plug-in names no maintainer of its own.
  out += "<" + LV2PluginStem(mConfig) + ">\n    a doap:Project ;\n";
  out += "    doap:name " + Quoted(mPlug.GetPluginName()) + " ;\n";
  out += "    doap:maintainer [\n        a foaf:Person ;\n        foaf:name " + Quoted(mPlug.GetMfrName());
  if (mConfig.makerURL && mConfig.makerURL[0])
    out += std::string(" ;\n        foaf:homepage <") + mConfig.makerURL + ">";
  if (mConfig.makerEmail && mConfig.makerEmail[0])
    out += std::string(" ;\n        foaf:mbox <mailto:") + mConfig.makerEmail + ">";
  out += "\n    ] .\n\n";
}

void LV2TurtleWriter::DescribeVariant(const LV2PluginVariant& variant, std::string& out) const
{
  out += "<" + variant.mURI + ">\n";
  DescribePlugin(variant, out);
  out += "    lv2:optionalFeature lv2:hardRTCapable , urid:map , opts:options ;\n";
  out += "    opts:supportedOption bufsz:maxBlockLength , bufsz:nominalBlockLength ;\n";
  out += "    lv2:extensionData state:interface";
  std::vector<std::string> ports;
  for (int i = 0; i < variant.mNParams; ++i)
    DescribeParam(i, ports.emplace_back());
  if (variant.mHasMeter)
    DescribeMeter(variant.MeterPort(), ports.emplace_back());
  for (int c = 0; c < variant.mNInputs; ++c)
    DescribeAudio(kInput, c, variant.mNInputs, variant.FirstInputPort() + c, ports.emplace_back());
  for (int c = 0; c < variant.mNOutputs; ++c)
    DescribeAudio(kOutput, c, variant.mNOutputs, variant.FirstOutputPort() + c, ports.emplace_back());
  for (size_t i = 0; i < ports.size(); ++i)
    out += (i == 0 ? " ;\n    lv2:port " : " , ") + ports[i];
  out += " .\n\n";
}

void LV2TurtleWriter::DescribeParam(int paramIdx, std::string& out) const
{
  const IParam& param = *mPlug.GetParam(paramIdx);
  out += "[\n        a lv2:InputPort , lv2:ControlPort ;\n";
  out += "        lv2:index " + std::to_string(paramIdx) + " ;\n";
  out += "        lv2:symbol " + Quoted(ParamSymbol(paramIdx).c_str()) + " ;\n";
  out += "        lv2:name " + Quoted(param.GetName()) + " ;\n";
  out += "        lv2:default " + Number(param.GetDefault()) + " ;\n";
  out += "        lv2:minimum " + Number(param.GetMin()) + " ;\n";
  out += "        lv2:maximum " + Number(param.GetMax()) + " ;\n";

  std::vector<std::string> properties;
  switch (param.Type())
  {
    case IParam::kTypeBool: properties.push_back("lv2:toggled"); break;
    case IParam::kTypeEnum: properties.insert(properties.end(), {"lv2:integer", "lv2:enumeration"}); break;
    case IParam::kTypeInt: properties.push_back("lv2:integer"); break;
    default: break;
  }
  if (param.Type() == IParam::kTypeDouble && param.GetDisplayType() == IParam::kDisplayLog)
    properties.push_back("pprops:logarithmic");
  if (!param.GetCanAutomate())
    properties.push_back("pprops:notAutomatic");
  for (size_t i = 0; i < properties.size(); ++i)
    out += (i == 0 ? "        lv2:portProperty " : " , ") + properties[i] + (i + 1 == properties.size() ? " ;\n" : "");

  if (param.GetStepped() && param.GetStep() > 0.0 && param.Type() != IParam::kTypeBool)
    out += "        pprops:rangeSteps " + std::to_string(static_cast<long long>((param.GetRange() / param.GetStep()) + 1.5)) + " ;\n";

  if (param.Type() == IParam::kTypeDouble)
  {
    if (const char* unit = UnitURI(param.Unit()))
      out += std::string("        units:unit ") + unit + " ;\n";
    else if (param.Unit() == IParam::kUnitCustom && param.GetLabel()[0])
    {
      const std::string label = Quoted(param.GetLabel());
      const std::string render = Quoted(("%." + std::to_string(param.GetDisplayPrecision()) + "f " + param.GetLabel()).c_str());
      out += "        units:unit [ a units:Unit ; rdfs:label " + label + " ; units:symbol " + label + " ; units:render " + render + " ] ;\n";
    }
  }

  for (int i = 0; i < param.NDisplayTexts(); ++i)
  {
    double value = 0.0;
    const char* text = param.GetDisplayTextAtIdx(i, &value);
    out += (i == 0 ? "        lv2:scalePoint " : " , ");
    out += "[ rdfs:label " + Quoted(text) + " ; rdf:value " + Number(value) + " ]";
    if (i + 1 == param.NDisplayTexts())
      out += " ;\n";
  }
  // Every statement above ends in " ;": the last one closes the port instead.
  out.resize(out.size() - 3);
  out += "\n    ]";
}

void LV2TurtleWriter::DescribeMeter(int index, std::string& out) const
{
  out += "[\n        a lv2:OutputPort , lv2:ControlPort ;\n";
  out += "        lv2:index " + std::to_string(index) + " ;\n";
  out += "        lv2:symbol \"meter\" ;\n";
  out += "        lv2:name \"Meter\" ;\n";
  out += "        lv2:minimum 0.0 ;\n";
  out += "        lv2:maximum 1.0\n    ]";
}

void LV2TurtleWriter::DescribeAudio(ERoute route, int channel, int nChannels, int index, std::string& out) const
{
  const bool input = route == kInput;
  out += input ? "[\n        a lv2:InputPort , lv2:AudioPort ;\n" : "[\n        a lv2:OutputPort , lv2:AudioPort ;\n";
  out += "        lv2:index " + std::to_string(index) + " ;\n";
  out += "        lv2:symbol " + Quoted(ChannelSymbol(input ? "in" : "out", channel, nChannels).c_str()) + " ;\n";
  out += "        lv2:name " + Quoted(ChannelName(input ? "Input" : "Output", channel, nChannels).c_str()) + "\n    ]";
}

bool LV2TurtleWriter::WriteBundle(const std::string& bundleDir, std::string& error) const
{
  error = Refusal();
  if (!error.empty())
    return false;
  return WriteText(bundleDir + "/manifest.ttl", Manifest()) &&
         WriteText(bundleDir + "/" + mDescriptionName, Description());
}
} // namespace iplug
