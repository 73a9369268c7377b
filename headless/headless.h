// The game without a window: drives the core in virtual time from a replay file.
//   --headless [--data DIR] [--seed N] --replay FILE|- [--shots DIR] [--text-log FILE] [--user-dir DIR]
// Exit status: 0 at the end, 1 when an expectation, a settle or a shot fails,
// 2 for bad options or a line that cannot be read.
#pragma once

namespace shirakaba {

// Whether argv holds --headless anywhere (looked at before any window system is touched).
bool wantsHeadless(int argc, char** argv);
int runHeadless(int argc, char** argv);

}  // namespace shirakaba
