#pragma once

#include <string>

class HostComponent;

// The unit's ClassInfo property list kept in a file, as a host keeps it in a project (XML property list).
class StateFile
{
public:
  // Writes the unit's current state to path; false with a one-line error text on failure. Main thread.
  static bool Save(const HostComponent& unit, const std::string& path, std::string& error);
  // Restores the unit from the state in path; false with a one-line error text when the file cannot be
  // read, is not a property list, or the unit refuses it. Main thread.
  static bool Load(HostComponent& unit, const std::string& path, std::string& error);
};
