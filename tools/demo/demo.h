// The demo data set: pictures and a script written from scratch into a game folder.
#pragma once
#include <string>

namespace shirakaba {
int runDemo(const std::string& outDir);
}  // namespace shirakaba
