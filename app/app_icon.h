// The application's icon: a white birch trunk beside a small house under a
// night-blue sky, drawn with the painter so that it scales cleanly.
#pragma once
#include <QIcon>
#include <QPixmap>

namespace shirakaba {

QPixmap drawAppIcon(int size);
QIcon appIcon();

}  // namespace shirakaba
