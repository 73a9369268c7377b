// The language of the window's own texts: chosen from the player's preferred languages,
// Japanese from the translation built into the program, English from the code, and the
// game's own texts (menu bar, caption) the same in both.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <filesystem>

#include "app/app_options.h"
#include "app/history_window.h"
#include "app/main_window.h"
#include "app/save_dialog.h"
#include "app/screen_widget.h"
#include "app/window_aids.h"
#include "app/window_language.h"
#include "game_font.h"
#include "game_state_edit.h"
#include "support/pack_fixture.h"

using namespace shirakaba;
namespace fs = std::filesystem;

namespace {

using test::gameFont;

void pressKey(QWidget* w, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &release);
}

using test::putMidGame;

bool qtHasJapanese() {
  return QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm"));
}

// What the player reads of the window's own texts, and of the game's.
struct Seen {
  QString saveTitle, loadTitle, chooseButton, closeButton;
  QString firstMenuEntry, autoEntry, f5Notice, autoTitle, historyTitle;
  QStringList menuBar;
  QString caption;
};

class WindowLanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gameFont());
    dir = test::makeTempDir("qtlanguage");
    ASSERT_TRUE(test::writeTestPack(dir, {}, "bg=1\n*e_1\nbg=0\nline one\n＜\nline two\nend=3\n"));
    options.gameDir = dir;
    options.dataGiven = true;
    options.userDir = dir + "/user";
  }
  void TearDown() override { fs::remove_all(dir); }

  Seen look() {
    Seen seen;
    MainWindow w(options, gameFont(), [](QDialog&) {});
    for (QAction* a : w.menuBar()->actions()) seen.menuBar << a->text();
    seen.caption = w.windowTitle();
    const QList<QAction*> entries = w.saveMenu()->actions();
    seen.firstMenuEntry = entries.value(0) ? entries.value(0)->text() : QString();
    for (QAction* a : entries)
      if (a->text().endsWith(QStringLiteral("\tA"))) seen.autoEntry = a->text();

    putMidGame(w.game());
    pressKey(w.screenWidget(), Qt::Key_F5);
    seen.f5Notice = w.windowTitle();
    w.aids().setAuto(true);
    seen.autoTitle = w.windowTitle();
    w.aids().setAuto(false);
    seen.historyTitle = w.aids().openHistory()->windowTitle();

    const SaveSlots folder(options.userDir, w.game().dataIdentity().value());
    SaveDialog save(SaveDialog::Mode::Save, folder, [](QDialog&) {});
    seen.saveTitle = save.windowTitle();
    seen.chooseButton = save.chooseButton()->text();
    for (QPushButton* b : save.findChildren<QPushButton*>())
      if (b != save.chooseButton() && b != save.deleteButton()) seen.closeButton = b->text();
    seen.loadTitle = SaveDialog(SaveDialog::Mode::Load, folder, [](QDialog&) {}).windowTitle();
    return seen;
  }

  std::string dir;
  AppOptions options;
};

}  // namespace

// ---- Choosing the language ----

TEST(WindowLanguage, TheFirstPreferredLanguageWithATranslationWins) {
  EXPECT_EQ(windowLanguageFor({QStringLiteral("ja-JP")}), QStringLiteral("ja"));
  EXPECT_EQ(windowLanguageFor({QStringLiteral("ja")}), QStringLiteral("ja"));
  EXPECT_EQ(windowLanguageFor({QStringLiteral("ja_JP.UTF-8")}), QStringLiteral("ja"));
  // No French: the next one.
  EXPECT_EQ(windowLanguageFor({QStringLiteral("fr-FR"), QStringLiteral("ja-JP")}), QStringLiteral("ja"));
  EXPECT_EQ(windowLanguageFor({QStringLiteral("fr-FR")}), QString());
  // English is the texts in the code: preferred before Japanese, it stays.
  EXPECT_EQ(windowLanguageFor({QStringLiteral("en-US"), QStringLiteral("ja-JP")}), QString());
  EXPECT_EQ(windowLanguageFor({QStringLiteral("C")}), QString());
  EXPECT_EQ(windowLanguageFor({QStringLiteral("C.UTF-8"), QStringLiteral("ja")}), QString());
  EXPECT_EQ(windowLanguageFor({}), QString());
  // A name no one knows says nothing.
  EXPECT_EQ(windowLanguageFor({QStringLiteral("zz-nonsense"), QStringLiteral("ja")}), QStringLiteral("ja"));
}

// --lang naming a language with no translation says so; English and a translated one
// say nothing, nor does the system's choice.
TEST(WindowLanguage, ALangWithoutTranslationIsToldToFallBackToEnglish) {
  EXPECT_TRUE(languageFallbackNotice("xx", QString()).contains(QStringLiteral("--lang xx")));
  EXPECT_TRUE(languageFallbackNotice("fr", windowLanguageFor(preferredLanguages("fr"))).contains(QStringLiteral("English")));
  EXPECT_TRUE(languageFallbackNotice("en", QString()).isEmpty());
  EXPECT_TRUE(languageFallbackNotice("ja", windowLanguageFor(preferredLanguages("ja"))).isEmpty());
  EXPECT_TRUE(languageFallbackNotice("", QString()).isEmpty());
}

TEST(WindowLanguage, LangOptionComesBeforeTheSystem) {
  EXPECT_EQ(preferredLanguages("ja"), QStringList{QStringLiteral("ja")});
  const char* spaced[] = {"shirakaba", "--lang", "ja"};
  EXPECT_EQ(parseAppOptions(3, const_cast<char**>(spaced))->language, "ja");
  const char* joined[] = {"shirakaba", "--lang=en"};
  EXPECT_EQ(parseAppOptions(2, const_cast<char**>(joined))->language, "en");
  const char* missing[] = {"shirakaba", "--lang"};
  EXPECT_FALSE(parseAppOptions(2, const_cast<char**>(missing)));
  const char* none[] = {"shirakaba"};
  EXPECT_EQ(parseAppOptions(1, const_cast<char**>(none))->language, "");
}

TEST(WindowLanguage, NothingIsInstalledForEnglishOrAnUnknownLanguage) {
  EXPECT_FALSE(WindowTranslation(QString()).installed());
  EXPECT_FALSE(WindowTranslation(QStringLiteral("xx")).installed());
  const WindowTranslation japanese(QStringLiteral("ja"));
  EXPECT_TRUE(japanese.installed());
}

// ---- What the player reads ----

TEST_F(WindowLanguageTest, JapaneseTranslatesTheWindowsOwnTextsOnly) {
  const Seen english = look();
  Seen japanese;
  {
    const WindowTranslation translation(QStringLiteral("ja"));
    ASSERT_TRUE(translation.installed());
    japanese = look();
  }
  EXPECT_EQ(japanese.saveTitle, QStringLiteral("セーブ"));
  EXPECT_EQ(japanese.loadTitle, QStringLiteral("ロード"));
  EXPECT_EQ(japanese.chooseButton, QStringLiteral("セーブする"));
  EXPECT_EQ(japanese.firstMenuEntry, QStringLiteral("クイックセーブ\tF5"));
  EXPECT_EQ(japanese.autoEntry, QStringLiteral("オートモード\tA"));
  EXPECT_EQ(japanese.f5Notice, QStringLiteral("クイックスロットにセーブしました"));
  EXPECT_TRUE(japanese.autoTitle.endsWith(QStringLiteral("［オート］"))) << japanese.autoTitle.toStdString();
  EXPECT_EQ(japanese.historyTitle, QStringLiteral("履歴"));
  // Qt's own standard button, where the system has Qt's translations.
  if (qtHasJapanese()) {
    EXPECT_EQ(japanese.closeButton, QStringLiteral("閉じる"));
  }

  // The game's texts are the game's, whatever the window speaks.
  EXPECT_EQ(japanese.menuBar, english.menuBar);
  EXPECT_EQ(japanese.caption, english.caption);
  EXPECT_EQ(japanese.caption, QString::fromUtf8("白樺館  見習い日誌 体験版"));

  // And the translation taken out again, English as before.
  EXPECT_EQ(english.saveTitle, QStringLiteral("Save game"));
  EXPECT_EQ(english.loadTitle, QStringLiteral("Load game"));
  EXPECT_EQ(english.chooseButton, QStringLiteral("Save"));
  EXPECT_EQ(english.closeButton, QStringLiteral("Close"));
  EXPECT_EQ(english.firstMenuEntry, QStringLiteral("Quick save\tF5"));
  EXPECT_EQ(english.autoEntry, QStringLiteral("Auto mode\tA"));
  EXPECT_EQ(english.f5Notice, QStringLiteral("Saved to the quick slot"));
  EXPECT_TRUE(english.autoTitle.endsWith(QStringLiteral("[Auto]"))) << english.autoTitle.toStdString();
  EXPECT_EQ(english.historyTitle, QStringLiteral("History"));
  EXPECT_EQ(look().saveTitle, QStringLiteral("Save game"));
}

TEST(WindowLanguage, HelpAndOptionErrorsInJapanese) {
  const WindowTranslation translation(QStringLiteral("ja"));
  EXPECT_EQ(usageText("shirakaba").rfind("使い方: shirakaba [--data DIR]", 0), 0u) << usageText("shirakaba");
  const char* bad[] = {"shirakaba", "--scale", "9"};
  EXPECT_EQ(parseAppOptions(3, const_cast<char**>(bad)).error(), "--scale には 1 から 4 までの整数を指定してください");
  const char* unknown[] = {"shirakaba", "--sound"};
  EXPECT_EQ(parseAppOptions(2, const_cast<char**>(unknown)).error(), "不明なオプションです: --sound");
}

// ---- The program at start-up, in its own process ----

namespace {

struct ProgramRun {
  int exitCode = -1;
  QString out, err;
};

// The program with only these locale variables set (and none of the others).
ProgramRun runProgram(const QStringList& args, const QStringList& localeVars) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) env.remove(QString::fromLatin1(name));
  for (const QString& var : localeVars) env.insert(var.section(QLatin1Char('='), 0, 0), var.section(QLatin1Char('='), 1));
  QProcess p;
  p.setProcessEnvironment(env);
  p.start(QStringLiteral(SHIRAKABA_GAME), args);
  ProgramRun run;
  if (!p.waitForFinished(30'000)) return run;
  run.exitCode = p.exitCode();
  run.out = QString::fromUtf8(p.readAllStandardOutput());
  run.err = QString::fromUtf8(p.readAllStandardError());
  return run;
}

}  // namespace

TEST(WindowLanguage, TheProgramFollowsTheLocaleOfItsEnvironment) {
  const QStringList help{QStringLiteral("--help")};
  const QString japanese = QStringLiteral("使い方: "), english = QStringLiteral("Usage: ");
  EXPECT_TRUE(runProgram(help, {QStringLiteral("LANG=ja_JP.UTF-8")}).out.startsWith(japanese));
  EXPECT_TRUE(runProgram(help, {QStringLiteral("LANG=C.UTF-8")}).out.startsWith(english));
  EXPECT_TRUE(runProgram(help, {QStringLiteral("LANG=en_US.UTF-8")}).out.startsWith(english));
  // LANGUAGE, the list of preferred languages, comes before LANG; LC_ALL before LANG.
  EXPECT_TRUE(runProgram(help, {QStringLiteral("LANG=en_US.UTF-8"), QStringLiteral("LANGUAGE=fr:ja")})
                  .out.startsWith(japanese));
  EXPECT_TRUE(runProgram(help, {QStringLiteral("LANG=ja_JP.UTF-8"), QStringLiteral("LC_ALL=C.UTF-8")})
                  .out.startsWith(english));
  // --lang before them all.
  EXPECT_TRUE(runProgram({QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("--help")},
                         {QStringLiteral("LANG=ja_JP.UTF-8")})
                  .out.startsWith(english));
  EXPECT_TRUE(runProgram({QStringLiteral("--help"), QStringLiteral("--lang=ja")}, {QStringLiteral("LANG=C.UTF-8")})
                  .out.startsWith(japanese));

  const ProgramRun refused = runProgram({QStringLiteral("--scale"), QStringLiteral("0")}, {QStringLiteral("LANG=ja_JP.UTF-8")});
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_TRUE(refused.err.contains(QStringLiteral("--scale には 1 から 4 までの整数を指定してください")))
      << refused.err.toStdString();
  EXPECT_TRUE(refused.err.contains(japanese)) << refused.err.toStdString();
}
