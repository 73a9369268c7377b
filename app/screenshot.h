// F12: the 640 x 480 screen as a numbered PNG (shirakaba-0001.png, ...) in the
// user's pictures folder or the folder given with --shots.
#pragma once
#include <QImage>
#include <QString>

#include "base/result.h"

namespace shirakaba {

class GameCore;

// The screen as the player sees it, unzoomed: black while it is hidden.
QImage screenImage(const GameCore& game);
// dir/shirakaba-NNNN.png with the lowest NNNN from 0001 that is not taken yet.
QString nextShotPath(const QString& dir);
// The user's pictures folder, else the home folder.
QString defaultShotsDir();
// Creates dir when needed. The saved file's absolute path, or an Error saying why not.
Result<QString> saveScreenshot(const GameCore& game, const QString& dir);

}  // namespace shirakaba
