// shirakaba-pack: builds, extracts and checks pack files.
#include <iostream>

#include "tools/pack/pack_tool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return shirakaba::runPackTool(args, std::cout, std::cerr);
}
