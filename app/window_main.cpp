#include "app/window_main.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <string>

#include "app/app_icon.h"
#include "app/app_options.h"
#include "app/main_window.h"
#include "app/window_language.h"
#include "app/window_settings.h"
#include "frontend/data_search.h"
#include "base/text.h"

namespace shirakaba {

int runWindow(int argc, char** argv) {
  const Result<AppOptions> parsed = parseAppOptions(argc, argv);
  if (parsed && parsed->version) {
    std::puts(kVersionText);
    return 0;
  }
  if (!parsed || parsed->help) {
    // The help and the errors in the player's language; no window system needed.
    QCoreApplication terminal(argc, argv);
    const WindowTranslation translation(windowLanguageFor(preferredLanguages(parsed ? parsed->language : "")));
    if (parsed) {
      std::fputs(usageText(argv[0]).c_str(), stdout);
      return 0;
    }
    // Parsed again for the error in that language.
    std::fprintf(stderr, "%s: %s\n\n%s", argv[0], parseAppOptions(argc, argv).error().c_str(),
                 usageText(argv[0]).c_str());
    return 2;
  }
  AppOptions options = parsed.value();

  // The game's own message box tells of a missing pack; where we looked goes to stderr.
  const Result<std::string> search =
      searchGameData(options.dataGiven ? std::optional(options.gameDir) : std::nullopt, executableDir(argv[0]));
  if (search) options.gameDir = search.value();
  else std::fprintf(stderr, "%s: %s\n", argv[0], search.error().c_str());

  QApplication app(argc, argv);
  const QString language = windowLanguageFor(preferredLanguages(options.language));
  const WindowTranslation translation(language);
  if (const QString notice = languageFallbackNotice(options.language, language); !notice.isEmpty())
    std::fprintf(stderr, "%s: %s\n", argv[0], notice.toLocal8Bit().constData());
  // The name of the per-user folder the saves go to (~/.local/share/shirakaba).
  QApplication::setApplicationName(QStringLiteral("shirakaba"));
  QApplication::setApplicationVersion(QStringLiteral("1.0.0"));
  QApplication::setWindowIcon(appIcon());

  const Result<std::shared_ptr<FontFace>> font = findGameFont();
  if (!font) {
    QMessageBox::critical(nullptr, MainWindow::applicationTitle(),
                          QCoreApplication::translate("main",
                                                      "The game's Japanese font was not found.\n"
                                                      "Please install the package fonts-ipafont-gothic.\n\n%1")
                              .arg(QString::fromStdString(font.error())));
    return 1;
  }

  // What the command line leaves open, the window takes from its remembered settings.
  WindowSettings(MainWindow::userDirFor(options)).fillIn(options);
  MainWindow window(options, font.value());
  if (options.continueGame) window.continueFromAutosave();
  window.present();
  return app.exec();
}

}  // namespace shirakaba
