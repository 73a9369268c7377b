#include "app/sound_player.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace shirakaba {

SoundPlayer::SoundPlayer() = default;
SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::play(const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile()) return;
  if (!effect_) effect_ = std::make_unique<QSoundEffect>();
  effect_->stop();
  const QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
  if (effect_->source() != url) effect_->setSource(url);
  // A file that does not decode puts the effect into its error state and plays nothing.
  effect_->play();
}

}  // namespace shirakaba
