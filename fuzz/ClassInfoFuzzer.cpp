// Feeds arbitrary property lists to the ClassInfo restore of a Tidewell unit, made from the built bundle
// through the component services as a host makes it. An input whose first byte is odd is the XML text
// itself; any other input fills the values of a ClassInfo dictionary (each key present or not, of the
// right type or not) so that most runs get past the parser. Whatever the unit refuses must leave every
// parameter exactly as it was; whatever it accepts must save again to a dictionary that restores to the
// same values.

#include <AudioToolbox/AudioToolbox.h>
#include <CoreFoundation/CoreFoundation.h>
#include <StandIn/StandInComponents.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace
{
constexpr int kNumParams = 5;

AudioUnit TheUnit()
{
  static AudioUnit unit = [] {
    StandInRegisterComponentBundle(TIDEWELL_BUNDLE_PATH, nullptr);
    const AudioComponentDescription description = {0x61756678, 0x78686D32, 0x4B6C766E, 0, 0}; // aufx xhm2 Klvn
    AudioUnit instance = nullptr;
    if (AudioComponentInstanceNew(AudioComponentFindNext(nullptr, &description), &instance) != noErr)
      std::abort();
    return instance;
  }();
  return unit;
}

std::vector<float> Params(AudioUnit unit)
{
  std::vector<float> values(kNumParams);
  for (int i = 0; i < kNumParams; ++i)
    AudioUnitGetParameter(unit, static_cast<AudioUnitParameterID>(i), kAudioUnitScope_Global, 0, &values[i]);
  return values;
}

bool Same(const std::vector<float>& a, const std::vector<float>& b)
{
  return std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

// Reads the fuzz input front to back; past the end every byte is 0.
class Bytes
{
public:
  Bytes(const uint8_t* data, size_t size) : mData(data), mSize(size) {}
  uint8_t Next() { return mPos < mSize ? mData[mPos++] : 0; }
  uint32_t Next32() { return uint32_t(Next()) | uint32_t(Next()) << 8 | uint32_t(Next()) << 16 | uint32_t(Next()) << 24; }
  std::string Text(size_t length)
  {
    std::string text;
    for (size_t i = 0; i < length; ++i)
      text += static_cast<char>('a' + Next() % 26);
    return text;
  }

private:
  const uint8_t* mData;
  size_t mSize;
  size_t mPos = 0;
};

std::string Base64(const std::vector<uint8_t>& bytes)
{
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  for (size_t i = 0; i < bytes.size(); i += 3)
  {
    const uint32_t chunk = uint32_t(bytes[i]) << 16 | (i + 1 < bytes.size() ? uint32_t(bytes[i + 1]) << 8 : 0) |
                           (i + 2 < bytes.size() ? uint32_t(bytes[i + 2]) : 0);
    text += kAlphabet[chunk >> 18 & 63];
    text += kAlphabet[chunk >> 12 & 63];
    text += i + 1 < bytes.size() ? kAlphabet[chunk >> 6 & 63] : '=';
    text += i + 2 < bytes.size() ? kAlphabet[chunk & 63] : '=';
  }
  return text;
}

// One value for a key: usually the expected one, otherwise a value of any type, or nothing at all.
std::string Value(Bytes& in, const std::string& expected)
{
  switch (in.Next() % 8)
  {
  case 0: return "";
  case 1: return "<integer>" + std::to_string(static_cast<int32_t>(in.Next32())) + "</integer>";
  case 2: return "<real>" + std::to_string(static_cast<int32_t>(in.Next32()) / 7.0) + "</real>";
  case 3: return "<string>" + in.Text(in.Next() % 80) + "</string>";
  case 4:
  {
    std::vector<uint8_t> bytes(in.Next() % 3 == 0 ? in.Next() % 64 : 40);
    for (uint8_t& byte : bytes)
      byte = in.Next();
    return "<data>" + Base64(bytes) + "</data>";
  }
  case 5: return in.Next() % 2 ? "<array><integer>1</integer></array>" : "<dict/>";
  default: return expected;
  }
}

std::string TemplatedText(Bytes& in)
{
  const char* keys[] = {"version", "type", "subtype", "manufacturer", "name", "data"};
  const std::string expected[] = {"<integer>65794</integer>", "<integer>1635083896</integer>",
                                  "<integer>2020109618</integer>", "<integer>1265399406</integer>",
                                  "<string></string>", "<data>AAAAAAAA8D8AAAAAAADgPwAAAAAAAOA/AAAAAAAA4D8AAAAAAADwPw==</data>"};
  std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>";
  for (int i = 0; i < 6; ++i)
  {
    const std::string value = Value(in, expected[i]);
    if (!value.empty())
      text += std::string("<key>") + keys[i] + "</key>" + value;
  }
  return text + "</dict></plist>";
}

CFPropertyListRef ParsePropertyList(const std::string& text)
{
  CFDataRef bytes = CFDataCreate(nullptr, reinterpret_cast<const UInt8*>(text.data()), static_cast<CFIndex>(text.size()));
  CFPropertyListRef plist = CFPropertyListCreateWithData(nullptr, bytes, kCFPropertyListImmutable, nullptr, nullptr);
  CFRelease(bytes);
  return plist;
}

OSStatus Restore(AudioUnit unit, CFPropertyListRef plist)
{
  return AudioUnitSetProperty(unit, kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global, 0, &plist, sizeof(plist));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  AudioUnit unit = TheUnit();
  Bytes in(data, size);
  const std::string text = size > 0 && (data[0] & 1) ? std::string(reinterpret_cast<const char*>(data) + 1, size - 1)
                                                     : TemplatedText(in);
  CFPropertyListRef plist = ParsePropertyList(text);
  if (!plist)
    return 0;

  const std::vector<float> before = Params(unit);
  const OSStatus status = Restore(unit, plist);
  CFRelease(plist);
  const std::vector<float> after = Params(unit);
  if (status != noErr)
  {
    if (status != kAudioUnitErr_InvalidPropertyValue || !Same(before, after))
      std::abort();
    return 0;
  }

  CFPropertyListRef saved = nullptr;
  UInt32 savedSize = sizeof(saved);
  if (AudioUnitGetProperty(unit, kAudioUnitProperty_ClassInfo, kAudioUnitScope_Global, 0, &saved, &savedSize) != noErr)
    std::abort();
  AudioUnitSetParameter(unit, 4, kAudioUnitScope_Global, 0, after[4] > 0.5f ? 0.f : 1.f, 0);
  const OSStatus restored = Restore(unit, saved);
  CFRelease(saved);
  if (restored != noErr || !Same(after, Params(unit)))
    std::abort();
  return 0;
}
