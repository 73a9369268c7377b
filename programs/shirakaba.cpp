// The program: the headless mode when asked for, otherwise the window.
#include "app/window_main.h"
#include "headless/headless.h"

int main(int argc, char** argv) {
  // Before any window system is touched: the headless run needs no display.
  if (shirakaba::wantsHeadless(argc, argv)) return shirakaba::runHeadless(argc, argv);
  return shirakaba::runWindow(argc, argv);
}
