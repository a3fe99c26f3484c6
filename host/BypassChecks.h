#pragma once

struct ValidationContext;

// Bypass: the property reads back, bypassed output equals the input bit for bit through a dip that
// the unbypassed unit does make, and switching bypass on and off mid-stream renders cleanly.
class BypassChecks
{
public:
  static void Run(ValidationContext& context);
};
