// Temporary folders for the monkey's saves and for tests: made under the system's
// temporary folder and removed when the program ends.
#pragma once
#include <string>

namespace shirakaba {

// A new empty folder under the system's temporary folder, its name holding tag; empty
// when none can be made. Removed at the program's end unless SHIRAKABA_KEEP_TEMP is
// set, for looking at what a run left.
std::string makeTempDir(const std::string& tag);

}  // namespace shirakaba
