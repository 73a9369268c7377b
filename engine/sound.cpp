// The three sound effects. They obey the "効果音" setting; a missing file is skipped.
#include "engine/form.h"
#include "base/stream.h"

namespace shirakaba {

void TXP_Form::PlaySE(int kind) {
  if (!menu[MenuId::ON1].Checked) return;
  const char* file = nullptr;
  switch (kind) {
    case 1: file = "data/wav/h_1.wav"; break;
    case 3: file = "data/wav/h_3.wav"; break;
    case 4: file = "data/wav/h_4.wav"; break;
    default: return;
  }
  const std::string path = gamePath(file);
  if (!fileExists(path)) return;
  soundsStarted.push_back(file);
  host.playSound(path);
}

}  // namespace shirakaba
