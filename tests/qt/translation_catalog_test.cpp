// The window's translations against its sources: lupdate, run on app/ into a copy of
// each app/translations/*.ts, finds every text of the window; each must have a finished
// translation that keeps the text's placeholders and the key shown after a tab. A new
// text left untranslated, or a .ts not brought up to date, fails here.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <algorithm>
#include <vector>

namespace {

struct Message {
  QString context, source, translation;
  bool finished = true;  // not "unfinished", "vanished" or "obsolete"
  QString where() const { return context + QStringLiteral(" / \"") + source + QLatin1Char('"'); }
};

std::vector<Message> readTs(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  std::vector<Message> messages;
  QString context;
  QXmlStreamReader xml(&file);
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("name")) {
      context = xml.readElementText();
    } else if (xml.name() == QLatin1String("message")) {
      messages.push_back({context, {}, {}, true});
    } else if (xml.name() == QLatin1String("source") && !messages.empty()) {
      messages.back().source = xml.readElementText();
    } else if (xml.name() == QLatin1String("translation") && !messages.empty()) {
      messages.back().finished = xml.attributes().value(QLatin1String("type")).isEmpty();
      messages.back().translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
    }
  }
  EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
  return messages;
}

QStringList translationFiles() {
  const QDir dir(QStringLiteral(SHIRAKABA_SOURCE_DIR "/app/translations"));
  QStringList paths;
  for (const QString& name : dir.entryList({QStringLiteral("shirakaba_*.ts")}, QDir::Files))
    paths << dir.filePath(name);
  return paths;
}

// %1 .. %99 as they occur, sorted: a translation may reorder them, not drop or add one.
QStringList placeholders(const QString& text) {
  QStringList found;
  static const QRegularExpression mark(QStringLiteral("%L?\\d+"));
  for (const QRegularExpressionMatch& m : mark.globalMatch(text)) found << m.captured();
  found.sort();
  return found;
}

// The menu shows the key after the tab; the window acts on the key itself.
QString keyAfterTab(const QString& text) {
  const qsizetype tab = text.indexOf(QLatin1Char('\t'));
  return tab < 0 ? QString() : text.mid(tab + 1);
}

QSet<QString> keysOf(const std::vector<Message>& messages) {
  QSet<QString> keys;
  for (const Message& m : messages) keys.insert(m.where());
  return keys;
}

}  // namespace

TEST(TranslationCatalog, ThereIsAJapaneseTranslation) {
  const QStringList files = translationFiles();
  EXPECT_TRUE(files.contains(QStringLiteral(SHIRAKABA_SOURCE_DIR "/app/translations/shirakaba_ja.ts")))
      << files.join(QLatin1Char(' ')).toStdString();
  for (const QString& path : files) EXPECT_GT(readTs(path).size(), 50u) << path.toStdString();
}

// What lupdate finds in the sources today is exactly what the .ts holds, all translated.
TEST(TranslationCatalog, EveryTextOfTheSourcesHasAFinishedTranslation) {
  QTemporaryDir work;
  ASSERT_TRUE(work.isValid());
  for (const QString& committed : translationFiles()) {
    const QString copy = work.filePath(QFileInfo(committed).fileName());
    ASSERT_TRUE(QFile::copy(committed, copy));
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(SHIRAKABA_SOURCE_DIR));
    // As scripts/update-translations.sh runs it.
    lupdate.start(QStringLiteral(SHIRAKABA_LUPDATE),
                  {QStringLiteral("-I"), QStringLiteral("."), QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral("-no-obsolete"), QStringLiteral("-source-language"), QStringLiteral("en"),
                   QStringLiteral("app"), QStringLiteral("-ts"), copy});
    ASSERT_TRUE(lupdate.waitForFinished(60'000));
    const QString errors = QString::fromLocal8Bit(lupdate.readAllStandardError());
    ASSERT_EQ(lupdate.exitCode(), 0) << errors.toStdString();
    // A text whose class lupdate cannot tell is filed under a guessed context, where
    // the program never looks for it.
    EXPECT_FALSE(errors.contains(QStringLiteral("unknown namespace/class"))) << errors.toStdString();
    EXPECT_FALSE(errors.contains(QStringLiteral("tr()"))) << errors.toStdString();

    const std::vector<Message> current = readTs(copy);
    ASSERT_FALSE(current.empty());
    for (const Message& m : current) {
      EXPECT_TRUE(m.finished && !m.translation.isEmpty())
          << committed.toStdString() << ": no finished translation of " << m.where().toStdString()
          << " (run scripts/update-translations.sh and translate it)";
    }
    const QSet<QString> stale = keysOf(readTs(committed)) - keysOf(current);
    EXPECT_TRUE(stale.isEmpty()) << committed.toStdString() << " holds texts no longer in the sources ("
                                 << stale.values().join(QStringLiteral(", ")).toStdString()
                                 << "): run scripts/update-translations.sh";
  }
}

TEST(TranslationCatalog, TranslationsKeepPlaceholdersAndKeys) {
  for (const QString& path : translationFiles()) {
    for (const Message& m : readTs(path)) {
      if (!m.finished) continue;
      EXPECT_EQ(placeholders(m.translation), placeholders(m.source))
          << path.toStdString() << ": " << m.where().toStdString() << " -> " << m.translation.toStdString();
      EXPECT_EQ(keyAfterTab(m.translation), keyAfterTab(m.source))
          << path.toStdString() << ": " << m.where().toStdString() << " -> " << m.translation.toStdString();
    }
  }
}

TEST(TranslationCatalog, PlaceholderAndKeyReadingCatchesWhatTheyShould) {
  EXPECT_EQ(placeholders(QStringLiteral("%2 of %1, %1")), (QStringList{"%1", "%1", "%2"}));
  EXPECT_EQ(placeholders(QStringLiteral("100% done")), QStringList{});
  EXPECT_NE(placeholders(QStringLiteral("%1にセーブしました")), placeholders(QStringLiteral("Cannot save to %1: %2")));
  EXPECT_EQ(keyAfterTab(QStringLiteral("Quick save\tF5")), QStringLiteral("F5"));
  EXPECT_NE(keyAfterTab(QStringLiteral("クイックセーブ F5")), keyAfterTab(QStringLiteral("Quick save\tF5")));
}
