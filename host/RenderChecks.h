#pragma once

struct ValidationContext;

// Rendering: every sample rate and published mono/stereo configuration with slices of 1, 32, 64, 137,
// 512 and 4096 frames, the maximum frames per slice changed between them, one frame over the maximum
// and an invalid time stamp refused, a long render through the deepest dip, reset and re-initialise
// mid-stream, render notifications, host callbacks and output buffers supplied by the unit. Output
// must never be NaN, infinite or subnormal.
class RenderChecks
{
public:
  static void Run(ValidationContext& context);
};
