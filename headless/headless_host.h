// The host of the headless mode: no window, no audio. The form itself records the
// open dialog, the sounds started and whether it closed, which is all a replay reads.
#pragma once
#include "engine/host.h"

namespace shirakaba {

class HeadlessHost : public Host {
 public:
  void showDialog(DialogKind, const std::string&) override {}
  void playSound(const std::string&) override {}
  void closeWindow() override {}
};

}  // namespace shirakaba
