#include "app/ui_fonts.h"

#include <QFontDatabase>

namespace shirakaba {

QFont pickFont(const QStringList& families, int pixelSize) {
  const QStringList installed = QFontDatabase::families();
  QFont font;
  for (const QString& name : families) {
    if (installed.contains(name, Qt::CaseInsensitive)) {
      font.setFamily(name);
      break;
    }
  }
  font.setPixelSize(pixelSize);
  return font;
}

QFont proportionalGothic(int pixelSize) {
  return pickFont({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                   QStringLiteral("IPA Pゴシック"), QStringLiteral("Noto Sans CJK JP"),
                   QStringLiteral("Droid Sans Fallback")},
                  pixelSize);
}

QFont monospacedGothic(int pixelSize) {
  QFont font = pickFont({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic"),
                         QStringLiteral("IPAゴシック"), QStringLiteral("Noto Sans Mono CJK JP")},
                        pixelSize);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace shirakaba
