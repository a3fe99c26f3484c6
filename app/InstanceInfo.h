#pragma once

namespace iplug
{
// What the standalone program knows about the plug-in object before the product's constructor runs: nothing
// yet, as the audio device is opened once the object exists. Kept so every format's product constructor reads
// alike.
struct InstanceInfo
{
};
} // namespace iplug
