// The three sound effects. They obey the "効果音" setting; a missing file is skipped.
#include "base/files.h"
#include "engine/engine.h"

namespace shirakaba {

void Engine::PlaySE(Sound kind) {
  if (!menu[MenuId::ON1].Checked) return;
  const char* file = nullptr;
  switch (kind) {
    case Sound::Accept: file = "data/wav/h_1.wav"; break;
    case Sound::JobDone: file = "data/wav/h_3.wav"; break;
    case Sound::Refuse: file = "data/wav/h_4.wav"; break;
    default: return;
  }
  const std::string path = gamePath(file);
  if (!fileExists(path)) return;
  host.playSound(file, path);
}

}  // namespace shirakaba
