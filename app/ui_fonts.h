// Fonts of the side dialogs: the Japanese face the dialogs were laid out for, or the
// closest one this system really has.
#pragma once
#include <QFont>
#include <QStringList>

namespace shirakaba {

// The first of `families` that the font database offers, at a pixel size; the
// toolkit's default family when none is installed.
QFont pickFont(const QStringList& families, int pixelSize);
// "ＭＳ Ｐゴシック" or a proportional Japanese gothic face.
QFont proportionalGothic(int pixelSize);
// "ＭＳ ゴシック" or a monospaced Japanese gothic face.
QFont monospacedGothic(int pixelSize);

}  // namespace shirakaba
