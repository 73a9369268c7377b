// The language of the window's own texts (menus, dialogs and notices of this program;
// the game's texts stay as the game has them). English is written in the code; other
// languages come from the translations built into the program (:/i18n/shirakaba_LL.qm).
#pragma once
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

class QTranslator;

namespace shirakaba {

// The languages the player prefers, most preferred first: --lang when given, else the
// system's (LANGUAGE, then LC_ALL, LC_MESSAGES, LANG).
QStringList preferredLanguages(const std::string& langOption);

// The first of `preferred` that the window has a translation for, as "ja"; "" when
// English comes first or none has one. English is the texts in the code, so "en:ja"
// stays English.
QString windowLanguageFor(const QStringList& preferred);

// What the terminal is told when --lang names a language the window has no
// translation for (the texts stay English); empty otherwise.
QString languageFallbackNotice(const std::string& langOption, const QString& chosen);

// Installs the window's translation and Qt's own one (the standard buttons) for a
// language, and takes them out again when destroyed. Qt's is optional: not every
// system has it.
class WindowTranslation {
 public:
  explicit WindowTranslation(const QString& language);
  ~WindowTranslation();
  WindowTranslation(const WindowTranslation&) = delete;
  WindowTranslation& operator=(const WindowTranslation&) = delete;

  // Whether the window's own texts are translated (false for English).
  bool installed() const { return own_ != nullptr; }

 private:
  std::unique_ptr<QTranslator> own_;
  std::unique_ptr<QTranslator> qt_;
};

}  // namespace shirakaba
