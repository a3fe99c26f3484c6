#pragma once

// What the plug-in maker's tests share: the framework installed from this build tree into a prefix of its own,
// and tools/new-plugin run as a maker runs it. Their folders sit at fixed places under the build tree, emptied
// before use, so the compiler cache recognises a project built again with other codes.

#include <string>
#include <vector>

#include "lv2/ToolRun.h"

// The folder under the build tree where the tests work, emptied and made anew. [main-thread]
std::string FreshMakerFolder(const std::string& name);
// Installs the given install components of this build tree into prefix; fails the test when cmake --install does.
void InstallComponents(const std::string& prefix, const std::vector<std::string>& components);
// Runs tools/new-plugin with the arguments, its output captured through files in folder.
ToolRun RunNewPlugin(const std::vector<std::string>& arguments, const std::string& folder);
// Four lower-case letters drawn anew for each run, for a fresh plug-in code.
std::string FreshCode();
// Every path under folder, relative to it, sorted.
std::vector<std::string> ListTree(const std::string& folder);
