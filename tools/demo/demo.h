// The demo data set: pictures and a script written from scratch into a game folder.
#pragma once
#include <string>

namespace shirakaba {
// The demo in Japanese, as it was written; in English, its script translated by
// tools/demo/en.po through the same path as `translate`, its pictures and readme in English.
enum class DemoLanguage { Japanese, English };
int runDemo(const std::string& outDir, DemoLanguage language = DemoLanguage::Japanese);
}  // namespace shirakaba
