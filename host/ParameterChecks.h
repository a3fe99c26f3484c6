#pragma once

struct ValidationContext;

// The published parameter information, set and scheduled parameter values (clamped at the range's
// ends), and random fuzzing with a value -> text -> value round trip while rendering.
class ParameterChecks
{
public:
  static void Run(ValidationContext& context);
};
