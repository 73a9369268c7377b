// Not built yet.
#include "engine/script.h"

namespace shirakaba {
const std::string& ScriptLines::at(int i) const { static const std::string empty; return i >= 0 && i < count() ? lines[i] : empty; }
int ScriptLines::indexOf(const std::string&) const { return -1; }
bool ScriptLines::valueOf(const std::string&, std::string&) const { return false; }
std::vector<std::string> splitLines(const std::string&) { return {}; }
bool LoadScript(const PackFile&, ScriptLines& lines) { lines.clear(); return false; }
bool equalsFolded(const std::string& a, const std::string& b) { return a == b; }
bool isCommandLine(const std::string&) { return false; }
std::string lineName(const std::string&) { return {}; }
std::string lineValue(const std::string&) { return {}; }
bool parseScriptInt(const std::string&, int32_t&) { return false; }
}  // namespace shirakaba
