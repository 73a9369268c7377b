#include "support/whole_game.h"

#include <filesystem>
#include <fstream>

#include "support/pack_fixture.h"
#include "tools/demo/demo.h"

namespace shirakaba::test {

const std::string& demoDir() {
  static const std::string dir = [] {
    const std::string d = makeTempDir("whole-game-demo");
    return runDemo(d) == 0 ? d : std::string();
  }();
  return dir;
}

GameSetup demoSetup() {
  GameSetup s;
  s.gameDir = demoDir();
  s.seed = 7;  // as the whole-game replay's "#! seed 7"
  return s;
}

std::vector<Command> replayCommands(const std::string& name) {
  std::ifstream in(std::filesystem::path(SHIRAKABA_SOURCE_DIR) / "tests" / "replays" / name, std::ios::binary);
  std::vector<Command> commands;
  std::string line;
  while (std::getline(in, line)) {
    Result<Command> p = parseReplayLine(line);
    EXPECT_TRUE(p) << line;
    if (p && p->kind != CommandKind::Blank && p->kind != CommandKind::Shot) commands.push_back(std::move(p).value());
  }
  return commands;
}

}  // namespace shirakaba::test
