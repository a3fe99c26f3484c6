#include "IPlugAPIBase.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace iplug
{

namespace
{
  // A host name text (lower case) and its identifier.
  struct HostName
  {
    const char* text;
    EHost host;
  };

  // Tried in this order; the first text found in the name decides, so longer names come first where
  // one text contains another ("wavelab elements" before "wavelab", "mixbus32c" before "mixbus").
  constexpr HostName kHostNames[] = {
    {"reaper", kHostReaper}, {"protools", kHostProTools}, {"cubase", kHostCubase}, {"nuendo", kHostNuendo},
    {"cakewalk", kHostSonar}, {"vegas", kHostVegas}, {"fruity", kHostFL}, {"samplitude", kHostSamplitude},
    {"live", kHostAbletonLive}, {"tracktion", kHostTracktion}, {"ntracks", kHostNTracks},
    {"melodyne", kHostMelodyneStudio}, {"vstmanlib", kHostVSTScanner}, {"aulab", kHostAULab},
    {"forte", kHostForte}, {"chainer", kHostChainer}, {"audition", kHostAudition}, {"orion", kHostOrion},
    {"bias", kHostBias}, {"sawstudio", kHostSAWStudio}, {"logic", kHostLogic}, {"garageband", kHostGarageBand},
    {"digital", kHostDigitalPerformer}, {"audiomulch", kHostAudioMulch}, {"presonus", kHostStudioOne},
    {"vst3plugintesthost", kHostVST3TestHost}, {"ardour", kHostArdour}, {"renoise", kHostRenoise},
    {"openmpt", kHostOpenMPT}, {"wavelab elements", kHostWaveLabElements}, {"wavelab", kHostWaveLab},
    {"twistedwave", kHostTwistedWave}, {"bitwig studio", kHostBitwig}, {"reason", kHostReason},
    {"gwvst", kHostGoldWave5x}, {"waveform", kHostWaveform}, {"audacity", kHostAudacity},
    {"acoustica", kHostAcoustica}, {"plugindoctor", kHostPluginDoctor}, {"izotope rx", kHostiZotopeRX},
    {"savihost", kHostSAVIHost}, {"blue cat's vst host", kHostBlueCat}, {"standalone", kHostStandalone},
    {"www", kHostWWW}, {"mixbus32c", kHostMixbus32C}, {"mixbus", kHostMixbus},
  };

  constexpr int kHostNameBufferSize = 256;
}

int LookUpHost(const char* hostName)
{
  char lower[kHostNameBufferSize] = {};
  if (hostName)
  {
    for (int i = 0; i < kHostNameBufferSize - 1 && hostName[i]; ++i)
      lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(hostName[i])));
  }
  for (const HostName& entry : kHostNames)
    if (std::strstr(lower, entry.text))
      return entry.host;
  return kHostUnknown;
}

const char* CurrentTime()
{
  static char text[64];
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32] = {};
  std::strftime(stamp, sizeof(stamp), "%Y%m%d %H:%M ", &local);
  const long offsetMinutes = local.tm_gmtoff / 60;
  const long magnitude = std::labs(offsetMinutes);
  std::snprintf(text, sizeof(text), "%s%c%02ld%02ld", stamp, offsetMinutes < 0 ? '-' : '+', magnitude / 60, magnitude % 60);
  return text;
}

IPlugAPIBase::IPlugAPIBase(const Config& config, EAPI plugAPI)
  : IPluginBase(config.paramCount, config.presetCount)
{
  mUniqueID = config.uniqueId;
  mMfrID = config.makerId;
  mVersion = config.vendorVersion;
  mPluginName.Set(config.pluginName);
  mProductName.Set(config.productName);
  mMfrName.Set(config.makerName);
  mHasUI = config.hasEditor;
  mHostResize = config.hostCanResize;
  mStateChunks = config.usesStateChunks;
  mAPI = plugAPI;
  mBundleID.Set(config.bundleId);
  SetEditorSize(config.editorWidth, config.editorHeight);
  SetSizeConstraints(config.editorMinWidth, config.editorMaxWidth, config.editorMinHeight, config.editorMaxHeight);
  CurrentTime();
}

IPlugAPIBase::~IPlugAPIBase()
{
  if (mTimer)
    mTimer->Stop();
}

bool IPlugAPIBase::CompareState(const uint8_t* pStateData, int startPos) const
{
  for (int i = 0; i < NParams(); ++i)
  {
    double stored = 0.0;
    std::memcpy(&stored, pStateData + startPos + static_cast<std::ptrdiff_t>(i) * sizeof(double), sizeof(double));
    const float difference = static_cast<float>(GetParam(i)->Value()) - static_cast<float>(stored);
    if (!(std::fabs(difference) < 1e-5f))
      return false;
  }
  return true;
}

void IPlugAPIBase::OnHostRequestingImportantParameters(int count, WDL_TypedBuf<int>& results)
{
  if (count >= NParams())
    return;
  for (int i = 0; i < count; ++i)
    results.Add(i);
}

bool IPlugAPIBase::GetMidiNoteText(int /*noteNumber*/, char* noteText) const
{
  if (noteText)
    noteText[0] = '\0';
  return false;
}

void IPlugAPIBase::SendParameterValueFromAPI(int paramIdx, double value, bool normalized)
{
  const IParam* param = GetParam(paramIdx);
  if (!param)
    return;
  if (normalized)
    value = param->FromNormalisedValue(value);
  mParamChangeToUIQueue.Push({paramIdx, value});
}

void IPlugAPIBase::SetParameterValue(int paramIdx, double normalizedValue)
{
  IParam* param = GetParam(paramIdx);
  if (!param)
    return;
  param->SetNormalized(normalizedValue);
  InformHostOfParamChange(paramIdx, normalizedValue);
  OnParamChange(paramIdx, kUI, -1);
}

void IPlugAPIBase::SendParameterValueFromUI(int paramIdx, double normalizedValue)
{
  SetParameterValue(paramIdx, normalizedValue);
  IEditorDelegate::SendParameterValueFromUI(paramIdx, normalizedValue);
}

void IPlugAPIBase::DirtyParametersFromUI()
{
  for (int i = 0; i < NParams(); ++i)
    InformHostOfParamChange(i, GetParam(i)->GetNormalized());
}

bool IPlugAPIBase::EditorResizeFromUI(int width, int height, bool needsPlatformResize)
{
  if (needsPlatformResize)
    return EditorResize(width, height);
  return true;
}

void IPlugAPIBase::SendArbitraryMsgFromUI(int msgTag, int ctrlTag, int dataSize, const void* pData)
{
  OnMessage(msgTag, ctrlTag, dataSize, pData);
}

void IPlugAPIBase::DeferSysexMsg(const ISysEx& msg)
{
  mSysExDataFromEditor.Push(SysExData(msg.mOffset, msg.mSize, msg.mData));
}

void IPlugAPIBase::SetHost(const char* host, int version)
{
  mHost = LookUpHost(host);
  mHostVersion = version;
  HostSpecificInit();
  OnHostIdentified();
}

void IPlugAPIBase::CreateTimer()
{
  mTimer.reset();
  mTimer = Timer::Create([this](Timer& timer) { OnTimer(timer); }, kIdleTimerPeriodMs);
}

void IPlugAPIBase::OnTimer(Timer& /*timer*/)
{
  if (mHasUI)
  {
    ParamTuple change;
    while (mParamChangeToUIQueue.Pop(change))
      SendParameterValueFromDelegate(change.idx, change.value, false);

    IMidiMsg msg;
    while (mMidiMsgsFromProcessor.Pop(msg))
      SendMidiMsgFromDelegate(msg);

    SysExData data;
    while (mSysExDataFromProcessor.Pop(data))
      SendSysexMsgFromDelegate(ISysEx(data.mOffset, data.mData, data.mSize));
  }
  OnIdle();
}

} // namespace iplug
