// The game in its Qt window: options, language, fonts, the remembered settings, then
// the window until it closes. The exit status of the program.
#pragma once

namespace shirakaba {

int runWindow(int argc, char** argv);

}  // namespace shirakaba
