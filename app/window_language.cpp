#include "app/window_language.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace shirakaba {

namespace {

QString ownTranslationPath(const QString& language) {
  return QStringLiteral(":/i18n/shirakaba_%1.qm").arg(language);
}

bool isPlainCLocale(const QString& name) {
  return name == QLatin1String("C") || name.startsWith(QLatin1String("C.")) || name == QLatin1String("POSIX");
}

}  // namespace

QStringList preferredLanguages(const std::string& langOption) {
  if (!langOption.empty()) return {QString::fromStdString(langOption)};
  return QLocale::system().uiLanguages();
}

QString windowLanguageFor(const QStringList& preferred) {
  for (const QString& name : preferred) {
    if (isPlainCLocale(name)) return QString();
    const QLocale locale(name);
    // A name Qt does not know says nothing; the next one may.
    if (locale.language() == QLocale::C) continue;
    if (locale.language() == QLocale::English) return QString();
    const QString language = QLocale::languageToCode(locale.language());
    if (QFile::exists(ownTranslationPath(language))) return language;
  }
  return QString();
}

QString languageFallbackNotice(const std::string& langOption, const QString& chosen) {
  if (langOption.empty() || !chosen.isEmpty()) return QString();
  const QString asked = QString::fromStdString(langOption);
  if (QLocale(asked).language() == QLocale::English) return QString();
  return QStringLiteral("--lang %1: the window has no translation into this language; it is shown in English").arg(asked);
}

WindowTranslation::WindowTranslation(const QString& language) {
  if (language.isEmpty()) return;
  own_ = std::make_unique<QTranslator>();
  if (!own_->load(ownTranslationPath(language))) {
    own_.reset();
    return;
  }
  QCoreApplication::installTranslator(own_.get());
  qt_ = std::make_unique<QTranslator>();
  if (qt_->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(qt_.get());
  else
    qt_.reset();
}

WindowTranslation::~WindowTranslation() {
  if (qt_) QCoreApplication::removeTranslator(qt_.get());
  if (own_) QCoreApplication::removeTranslator(own_.get());
}

}  // namespace shirakaba
