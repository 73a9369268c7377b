// The game without a window: drives the core in virtual time from a replay file.
//   --headless [--data DIR] [--seed N] --replay FILE|- [--shots DIR] [--text-log FILE] [--user-dir DIR]
// Exit status: 0 at the end, 1 when an expectation, a settle or a shot fails,
// 2 for bad options or a line that cannot be read.
#pragma once

namespace shirakaba {

int runHeadless(int argc, char** argv);

}  // namespace shirakaba
