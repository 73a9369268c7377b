#include "app/app_options.h"

#include <cstring>

namespace shirakaba {

namespace {

bool parseScale(const char* text, int& out) {
  if (!text || std::strlen(text) != 1 || text[0] < '1' || text[0] > '0' + kMaxScale) return false;
  out = text[0] - '0';
  return true;
}

// "--name=value" or "--name value": the value, advancing i in the second form.
const char* valueOf(const char* name, int argc, char** argv, int& i) {
  const char* arg = argv[i];
  size_t n = std::strlen(name);
  if (std::strncmp(arg, name, n) != 0) return nullptr;
  if (arg[n] == '=') return arg + n + 1;
  if (arg[n] != '\0') return nullptr;
  if (i + 1 >= argc) return "";
  return argv[++i];
}

}  // namespace

Result<AppOptions> parseAppOptions(int argc, char** argv) {
  AppOptions out;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      out.help = true;
    } else if (arg == "--version") {
      out.version = true;
    } else if (arg == "--fullscreen") {
      out.fullscreen = true;
    } else if (const char* dir = valueOf("--data", argc, argv, i)) {
      if (!*dir) return fail("--data needs a directory");
      out.gameDir = dir;
      out.dataGiven = true;
    } else if (const char* shots = valueOf("--shots", argc, argv, i)) {
      if (!*shots) return fail("--shots needs a directory");
      out.shotsDir = shots;
    } else if (const char* user = valueOf("--user-dir", argc, argv, i)) {
      if (!*user) return fail("--user-dir needs a directory");
      out.userDir = user;
    } else if (arg == "--continue") {
      out.continueGame = true;
    } else if (arg == "--speak") {
      out.speak = true;
    } else if (const char* scale = valueOf("--scale", argc, argv, i)) {
      if (!parseScale(scale, out.scale)) return fail("--scale takes a whole number from 1 to 4");
      out.scaleGiven = true;
    } else if (arg == "--clipboard") {
      out.copyEachPage = true;
    } else if (arg.rfind("-", 0) == 0) {
      return fail("unknown option " + arg);
    } else {
      return fail("unexpected argument " + arg);
    }
  }
  return out;
}

bool wantsHeadless(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--headless") == 0) return true;
  return false;
}

std::string usageText(const char* program) {
  std::string p = program && *program ? program : "shirakaba";
  return "Usage: " + p + " [--data DIR] [--scale N | --fullscreen] [--shots DIR] [--speak]\n"
         "       " + std::string(p.size(), ' ') + " [--clipboard] [--user-dir DIR] [--continue]\n"
         "       " + p + " --headless ...\n"
         "\n"
         "  --data DIR    game directory holding data/ and readme.txt (default: the working\n"
         "                directory if it holds data/lumora.red, else the installed demo)\n"
         "  --scale N     show the 640x480 screen N times larger, N = 1..4 (default 1)\n"
         "  --fullscreen  fill the screen with the largest whole zoom that fits\n"
         "  --shots DIR   where F12 saves screenshots (default: your pictures folder)\n"
         "  --user-dir DIR\n"
         "                where saves, pages read and settings.ini are kept\n"
         "                (default: ~/.local/share/shirakaba)\n"
         "  --continue    go on where the last game was left: load the autosave\n"
         "  --speak       read the text on the screen aloud (needs a Japanese voice)\n"
         "  --clipboard   copy each page to the clipboard as it is shown\n"
         "  --headless    run without a window (replays, state dumps, screenshots)\n"
         "  --help        show this text\n"
         "  --version     show the version\n"
         "\n"
         "Keys: F11 or Alt+Enter full screen on/off, F12 screenshot, F5 quick save,\n"
         "F9 quick load, Ctrl+S save, Ctrl+L load; wheel up or Page Up rolls back, wheel\n"
         "down or Page Down rolls forward; Ctrl held skips, Tab skips on/off, A auto mode\n"
         "on/off, H history, Ctrl+C copies the text on the screen. The right mouse button\n"
         "opens a menu with all of these and the window's settings (kept in\n"
         "USERDIR/settings.ini; the options above count for their run only).\n";
}

}  // namespace shirakaba
