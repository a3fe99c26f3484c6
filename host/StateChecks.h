#pragma once

struct ValidationContext;

// Saved state as a host keeps it: the ClassInfo dictionary and its keys, save -> randomise -> restore
// giving the saved values back, re-saving giving identical bytes, restoring into a fresh instance, and
// refusing the state of another component.
class StateChecks
{
public:
  static void Run(ValidationContext& context);
};
