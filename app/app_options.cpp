#include "app/app_options.h"

#include <QCoreApplication>
#include <cstring>

namespace shirakaba {

namespace {

// The context translators see these texts in.
class Texts {
  Q_DECLARE_TR_FUNCTIONS(AppOptions)
};

Error refuse(const QString& why) { return fail(why.toStdString()); }

QString quoted(const std::string& arg) { return QString::fromLocal8Bit(arg.c_str()); }

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
      if (!*dir) return refuse(Texts::tr("--data needs a directory"));
      out.gameDir = dir;
      out.dataGiven = true;
    } else if (const char* shots = valueOf("--shots", argc, argv, i)) {
      if (!*shots) return refuse(Texts::tr("--shots needs a directory"));
      out.shotsDir = shots;
    } else if (const char* user = valueOf("--user-dir", argc, argv, i)) {
      if (!*user) return refuse(Texts::tr("--user-dir needs a directory"));
      out.userDir = user;
    } else if (arg == "--continue") {
      out.continueGame = true;
    } else if (arg == "--speak") {
      out.speak = true;
    } else if (const char* scale = valueOf("--scale", argc, argv, i)) {
      if (!parseScale(scale, out.scale)) return refuse(Texts::tr("--scale takes a whole number from 1 to 4"));
      out.scaleGiven = true;
    } else if (const char* language = valueOf("--lang", argc, argv, i)) {
      if (!*language) return refuse(Texts::tr("--lang needs a language code such as ja or en"));
      out.language = language;
    } else if (arg == "--clipboard") {
      out.copyEachPage = true;
    } else if (arg.rfind("-", 0) == 0) {
      return refuse(Texts::tr("unknown option %1").arg(quoted(arg)));
    } else {
      return refuse(Texts::tr("unexpected argument %1").arg(quoted(arg)));
    }
  }
  return out;
}

std::string usageText(const char* program) {
  const QString p = QString::fromLocal8Bit(program && *program ? program : "shirakaba");
  // %1 is the program, %2 as many spaces (to line up the options under the first line's).
  // The context spelled out: lupdate cannot tell the class in a function returning std::string.
  return QCoreApplication::translate(
             "AppOptions",
             "Usage: %1 [--data DIR] [--scale N | --fullscreen] [--shots DIR] [--speak]\n"
             "       %2 [--clipboard] [--user-dir DIR] [--lang CODE] [--continue]\n"
             "       %1 --headless ...\n"
             "\n"
             "  --data DIR    game directory holding data/ and readme.txt (default: the working\n"
             "                directory if it holds data/lumora.red, else the installed demo)\n"
             "  --scale N     show the 640x480 screen N times larger, N = 1..4 (default 1)\n"
             "  --fullscreen  fill the screen with the largest whole zoom that fits\n"
             "  --shots DIR   where F12 saves screenshots (default: your pictures folder)\n"
             "  --user-dir DIR\n"
             "                where saves, pages read and settings.ini are kept\n"
             "                (default: ~/.local/share/shirakaba)\n"
             "  --lang CODE   the window's own menus and dialogs in this language (ja, en;\n"
             "                default: the system's); the game's own texts stay as they are\n"
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
             "USERDIR/settings.ini; the options above count for their run only).\n")
      .arg(p, QString(p.size(), QLatin1Char(' ')))
      .toStdString();
}

}  // namespace shirakaba
