#pragma once

struct ValidationContext;

// Opening the component: cold (first, loading its code) and warm open times, its identity, and the
// first Initialize.
class OpenChecks
{
public:
  // Must run first, so that the cold open really loads the component's code.
  static void Run(ValidationContext& context);
};
