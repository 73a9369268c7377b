// The game without the Qt window (a build with SHIRAKABA_QT off): headless mode only.
#include <cstdio>
#include <cstring>

#include "headless/headless.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--headless") == 0) return shirakaba::runHeadless(argc, argv);
  std::fprintf(stderr, "this build has no window; run it with --headless (see --headless --help)\n");
  return 2;
}
