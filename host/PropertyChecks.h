#pragma once

struct ValidationContext;

// Every property ID in both forms (info and get) in the global, input and output scopes, the objects
// gets hand over, the properties a host relies on, and writable properties read back after a set.
class PropertyChecks
{
public:
  static void Run(ValidationContext& context);
};
