// How the window shows a dialog modally: exec(), whose nested event loop keeps the
// game's timers firing; tests put in one that only records, or answers, the dialog.
#pragma once
#include <functional>

class QDialog;

namespace shirakaba {

// Shows the dialog and returns when it is closed.
using ModalRunner = std::function<void(QDialog&)>;

}  // namespace shirakaba
