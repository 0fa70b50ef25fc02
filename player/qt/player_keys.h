#pragma once

#include <QString>
#include <optional>

#include "emulator/console_keys.h"

namespace varnel {

// The console key a keyboard key plays, as users of console emulators expect: arrows the
// D-pad, X and Z the A and B buttons, A and S the shoulders, Enter Start, Backspace Select.
std::optional<ConsoleKey> ConsoleKeyForHostKey(int qtKey);

// The same keys as one line for the window's legend.
QString KeyLegend();

}  // namespace varnel
