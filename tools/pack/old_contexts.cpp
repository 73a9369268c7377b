// Renaming the entries of the earlier layout: "*op:78" becomes "*op" (or "*op (2)" for
// the second equal text of the scene) with the reference "script:78".
#include "tools/pack/old_contexts.h"

#include <algorithm>
#include <map>

#include "tools/pack/pack_tool.h"
#include "tools/pack/script_texts.h"

namespace shirakaba {
namespace {

// The label and the line of an earlier context, or false.
bool splitLineContext(const std::string& context, std::string& label, int& line) {
  const size_t colon = context.rfind(':');
  if (context.empty() || context[0] != '*' || colon == std::string::npos || colon + 1 == context.size() ||
      context.size() - colon > 8)
    return false;
  const std::string digits = context.substr(colon + 1);
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
  label = context.substr(0, colon);
  line = std::stoi(digits);
  return true;
}

bool hasScriptReference(const PoEntry& e) {
  return std::any_of(e.references.begin(), e.references.end(),
                     [](const std::string& r) { return r.rfind("script:", 0) == 0; });
}

// For each entry of the earlier layout, its new context and line; the others are left
// out. Equal texts of one label are numbered in line order.
std::map<size_t, std::pair<std::string, int>> newNames(const std::vector<PoEntry>& entries) {
  std::map<std::pair<std::string, std::string>, std::vector<std::pair<int, size_t>>> groups;  // (label, text)
  for (size_t i = 0; i < entries.size(); ++i) {
    std::string label;
    int line = 0;
    if (!hasScriptReference(entries[i]) && splitLineContext(entries[i].context, label, line))
      groups[{label, entries[i].id}].push_back({line, i});
  }
  std::map<size_t, std::pair<std::string, int>> out;
  for (auto& [key, members] : groups) {
    std::sort(members.begin(), members.end());
    for (size_t n = 0; n < members.size(); ++n)
      out[members[n].second] = {textContext(key.first, static_cast<int>(n) + 1), members[n].first};
  }
  return out;
}

}  // namespace

bool hasLineContext(const PoEntry& e) {
  std::string label;
  int line = 0;
  return e.hasContext && !hasScriptReference(e) && splitLineContext(e.context, label, line);
}

int renameLineContexts(std::vector<PoEntry>& entries) {
  const auto names = newNames(entries);
  for (const auto& [i, name] : names) {
    entries[i].context = name.first;
    entries[i].references.push_back("script:" + std::to_string(name.second));
  }
  return static_cast<int>(names.size());
}

Result<std::string> upgradePoText(const std::string& text, int& renamed) {
  const Result<std::vector<PoEntry>> entries = readPo(text);
  if (!entries) return fail(entries.error());
  // The file's lines with their endings; entry lines count from 1.
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
    lines.push_back(text.substr(start, end - start));
    start = end;
  }
  const auto names = newNames(entries.value());
  for (const auto& [i, name] : names) {
    const PoEntry& e = entries.value()[i];
    std::string& first = lines[static_cast<size_t>(e.line - 1)];
    const size_t indent = first.find_first_not_of(" \t");
    const std::string ending = first.size() >= 2 && first.compare(first.size() - 2, 2, "\r\n") == 0 ? "\r\n" : "\n";
    first = first.substr(0, indent) + "#: script:" + std::to_string(name.second) + ending + first.substr(0, indent) +
            "msgctxt " + poQuoted(name.first) + ending;
    for (int l = e.line + 1; l < e.idLine; ++l) lines[static_cast<size_t>(l - 1)].clear();  // continued strings
  }
  renamed = static_cast<int>(names.size());
  std::string out;
  for (const std::string& l : lines) out += l;
  return out;
}

int packUpgradePo(const std::string& inPath, const std::string& outPath, std::ostream& out, std::ostream& err) {
  const auto failed = [&](const std::string& message) {
    err << "upgrade-po: " << message << "\n";
    return 1;
  };
  const Result<std::string> text = readPoFile(inPath);
  if (!text) return failed(text.error());
  int renamed = 0;
  const Result<std::string> upgraded = upgradePoText(text.value(), renamed);
  if (!upgraded) return failed(inPath + " " + upgraded.error());
  const std::string& u = upgraded.value();
  if (const Result<void> written = writeOutputFile(outPath, std::vector<uint8_t>(u.begin(), u.end())); !written)
    return failed(written.error());
  if (renamed == 0)
    out << outPath << ": no entry was named by its script line; the file is as it was\n";
  else
    out << outPath << ": " << renamed << " entries named by their scene and text; merge it with a new template: "
        << "msgmerge -U " << outPath << " game.pot\n";
  return 0;
}

}  // namespace shirakaba
