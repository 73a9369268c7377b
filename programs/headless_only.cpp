// The program of a build without the Qt window (SHIRAKABA_QT off): headless mode only.
#include <cstdio>

#include "headless/headless.h"

int main(int argc, char** argv) {
  if (shirakaba::wantsHeadless(argc, argv)) return shirakaba::runHeadless(argc, argv);
  std::fprintf(stderr, "this build has no window; run it with --headless (see --headless --help)\n");
  return 2;
}
