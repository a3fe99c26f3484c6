#pragma once

struct ValidationContext;

// The published channel configurations: each one accepted (formats, Initialize and a render), every
// other pairing up to eight channels rejected, empty and oversized formats refused, and the layout
// tags matching the published channel counts.
class ChannelChecks
{
public:
  static void Run(ValidationContext& context);
};
