/* Core Audio's shared data types: stream formats, buffer lists, time stamps, channel layouts. */
#ifndef CoreAudioTypes_CoreAudioTypes_h
#define CoreAudioTypes_CoreAudioTypes_h

#include <CoreFoundation/CFBase.h>
#include <assert.h>

CF_EXTERN_C_BEGIN

enum {
  kAudio_UnimplementedError = -4,
  kAudio_FileNotFoundError = -43,
  kAudio_FilePermissionError = -54,
  kAudio_TooManyFilesOpenError = -42,
  kAudio_BadFilePathError = 0x21707468, /* '!pth' */
  kAudio_ParamError = -50,
  kAudio_MemFullError = -108
};

typedef UInt32 AudioFormatID;
typedef UInt32 AudioFormatFlags;

enum { kAudioFormatLinearPCM = 0x6C70636D /* 'lpcm' */ };

enum {
  kAudioFormatFlagIsFloat = (1U << 0),
  kAudioFormatFlagIsBigEndian = (1U << 1),
  kAudioFormatFlagIsSignedInteger = (1U << 2),
  kAudioFormatFlagIsPacked = (1U << 3),
  kAudioFormatFlagIsAlignedHigh = (1U << 4),
  kAudioFormatFlagIsNonInterleaved = (1U << 5),
  kAudioFormatFlagIsNonMixable = (1U << 6),
  kAudioFormatFlagsAreAllClear = 0x80000000,
  kAudioFormatFlagsNativeEndian = 0,
  kAudioFormatFlagsNativeFloatPacked = kAudioFormatFlagIsFloat | kAudioFormatFlagsNativeEndian | kAudioFormatFlagIsPacked,
  kAudioFormatFlagsAudioUnitCanonical = kAudioFormatFlagIsFloat | kAudioFormatFlagsNativeEndian | kAudioFormatFlagIsPacked | kAudioFormatFlagIsNonInterleaved,
  kLinearPCMFormatFlagIsFloat = kAudioFormatFlagIsFloat,
  kLinearPCMFormatFlagIsBigEndian = kAudioFormatFlagIsBigEndian,
  kLinearPCMFormatFlagIsSignedInteger = kAudioFormatFlagIsSignedInteger,
  kLinearPCMFormatFlagIsPacked = kAudioFormatFlagIsPacked,
  kLinearPCMFormatFlagIsNonInterleaved = kAudioFormatFlagIsNonInterleaved
};

struct AudioStreamBasicDescription {
  Float64 mSampleRate;          /* frames per second */
  AudioFormatID mFormatID;      /* kAudioFormatLinearPCM, ... */
  AudioFormatFlags mFormatFlags;
  UInt32 mBytesPerPacket;
  UInt32 mFramesPerPacket;
  UInt32 mBytesPerFrame;        /* of one channel buffer when non-interleaved */
  UInt32 mChannelsPerFrame;
  UInt32 mBitsPerChannel;
  UInt32 mReserved;             /* 0 */
};
typedef struct AudioStreamBasicDescription AudioStreamBasicDescription;

struct AudioBuffer {
  UInt32 mNumberChannels; /* interleaved channels in this buffer (1 when non-interleaved) */
  UInt32 mDataByteSize;   /* bytes at mData */
  void* mData;            /* the samples; may be NULL when the callee is to provide them */
};
typedef struct AudioBuffer AudioBuffer;

struct AudioBufferList {
  UInt32 mNumberBuffers;
  AudioBuffer mBuffers[1]; /* really mNumberBuffers entries */
};
typedef struct AudioBufferList AudioBufferList;

typedef UInt32 SMPTETimeType;
typedef UInt32 SMPTETimeFlags;
enum { kSMPTETimeValid = (1U << 0), kSMPTETimeRunning = (1U << 1) };

struct SMPTETime {
  SInt16 mSubframes;
  SInt16 mSubframeDivisor;
  UInt32 mCounter;
  SMPTETimeType mType;
  SMPTETimeFlags mFlags;
  SInt16 mHours;
  SInt16 mMinutes;
  SInt16 mSeconds;
  SInt16 mFrames;
};
typedef struct SMPTETime SMPTETime;

typedef UInt32 AudioTimeStampFlags;
enum {
  kAudioTimeStampNothingValid = 0,
  kAudioTimeStampSampleTimeValid = (1U << 0),
  kAudioTimeStampHostTimeValid = (1U << 1),
  kAudioTimeStampRateScalarValid = (1U << 2),
  kAudioTimeStampWordClockTimeValid = (1U << 3),
  kAudioTimeStampSMPTETimeValid = (1U << 4),
  kAudioTimeStampSampleHostTimeValid = (kAudioTimeStampSampleTimeValid | kAudioTimeStampHostTimeValid)
};

struct AudioTimeStamp {
  Float64 mSampleTime;      /* in samples; valid with kAudioTimeStampSampleTimeValid */
  UInt64 mHostTime;
  Float64 mRateScalar;
  UInt64 mWordClockTime;
  SMPTETime mSMPTETime;
  AudioTimeStampFlags mFlags;
  UInt32 mReserved;
};
typedef struct AudioTimeStamp AudioTimeStamp;

typedef UInt32 AudioChannelLabel;
typedef UInt32 AudioChannelBitmap;
typedef UInt32 AudioChannelFlags;
typedef UInt32 AudioChannelLayoutTag; /* high 16 bits: layout; low 16 bits: channel count */

enum {
  kAudioChannelLayoutTag_UseChannelDescriptions = (0U << 16) | 0,
  kAudioChannelLayoutTag_UseChannelBitmap = (1U << 16) | 0,
  kAudioChannelLayoutTag_Mono = (100U << 16) | 1,
  kAudioChannelLayoutTag_Stereo = (101U << 16) | 2,
  kAudioChannelLayoutTag_Ambisonic_B_Format = (107U << 16) | 4,
  kAudioChannelLayoutTag_Quadraphonic = (108U << 16) | 4,
  kAudioChannelLayoutTag_MPEG_3_0_A = (113U << 16) | 3,
  kAudioChannelLayoutTag_MPEG_5_0_B = (118U << 16) | 5,
  kAudioChannelLayoutTag_MPEG_5_1_A = (121U << 16) | 6,
  kAudioChannelLayoutTag_MPEG_6_1_A = (125U << 16) | 7,
  kAudioChannelLayoutTag_MPEG_7_1_A = (126U << 16) | 8,
  kAudioChannelLayoutTag_MPEG_7_1_C = (128U << 16) | 8,
  kAudioChannelLayoutTag_AudioUnit_6_0 = (139U << 16) | 6,
  kAudioChannelLayoutTag_AudioUnit_7_0 = (140U << 16) | 7,
  kAudioChannelLayoutTag_DiscreteInOrder = (147U << 16) | 0,
  kAudioChannelLayoutTag_HOA_ACN_SN3D = (190U << 16) | 0,
  kAudioChannelLayoutTag_Unknown = 0xFFFF0000
};

struct AudioChannelDescription {
  AudioChannelLabel mChannelLabel;
  AudioChannelFlags mChannelFlags;
  Float32 mCoordinates[3];
};
typedef struct AudioChannelDescription AudioChannelDescription;

struct AudioChannelLayout {
  AudioChannelLayoutTag mChannelLayoutTag;
  AudioChannelBitmap mChannelBitmap;
  UInt32 mNumberChannelDescriptions;
  AudioChannelDescription mChannelDescriptions[1]; /* really mNumberChannelDescriptions entries */
};
typedef struct AudioChannelLayout AudioChannelLayout;

static_assert(sizeof(AudioStreamBasicDescription) == 40, "AudioStreamBasicDescription is 40 bytes");
static_assert(sizeof(AudioBuffer) == 16, "AudioBuffer is 16 bytes");
static_assert(sizeof(AudioBufferList) == 24, "AudioBufferList is 24 bytes");
static_assert(sizeof(SMPTETime) == 24, "SMPTETime is 24 bytes");
static_assert(sizeof(AudioTimeStamp) == 64, "AudioTimeStamp is 64 bytes");
static_assert(sizeof(AudioChannelLayout) == 32, "AudioChannelLayout is 32 bytes");

CF_EXTERN_C_END

#endif
