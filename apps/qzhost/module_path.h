// Where the terminal finds a module library that a scenario names.
#pragma once

#include <string>

namespace qzhost {

// A name with a folder in it is used as it stands. A bare file name is looked for
// beside the terminal (its ../lib folder, then its own folder); if it is in neither,
// the name goes to the system's library search.
std::string ModulePath(const std::string& name);

}  // namespace qzhost
