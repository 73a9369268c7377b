// The game's sound effects: one WAV at a time, a new one cutting off the last.
#pragma once
#include <QString>
#include <memory>

class QSoundEffect;

namespace shirakaba {

class SoundPlayer {
 public:
  SoundPlayer();
  ~SoundPlayer();
  // Starts the file and returns at once. A missing or unplayable file stays silent.
  void play(const QString& path);

 private:
  std::unique_ptr<QSoundEffect> effect_;  // made on first use: no audio set-up for a silent run
};

}  // namespace shirakaba
