// The game's readme.txt as a front end shows it.
#pragma once
#include <string>

namespace shirakaba {

// readme.txt as UTF-8 text: Shift-JIS decoded, cut at a NUL byte, lines split at CR,
// LF or CR LF and joined with LF. Empty when the file is missing or is no readme (not
// a regular file, or larger than 1 MiB).
std::string readmeText(const std::string& path);

}  // namespace shirakaba
