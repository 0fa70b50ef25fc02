#include "player/qt/player_keys.h"

#include <array>

namespace varnel {

namespace {

struct HostKey {
  Qt::Key key;
  ConsoleKey console;
};

constexpr std::array<HostKey, 11> kHostKeys = {{
    {Qt::Key_Up, kButtonUp},
    {Qt::Key_Down, kButtonDown},
    {Qt::Key_Left, kButtonLeft},
    {Qt::Key_Right, kButtonRight},
    {Qt::Key_X, kButtonA},
    {Qt::Key_Z, kButtonB},
    {Qt::Key_A, kButtonL},
    {Qt::Key_S, kButtonR},
    {Qt::Key_Return, kButtonStart},
    {Qt::Key_Enter, kButtonStart},  // the keypad's
    {Qt::Key_Backspace, kButtonSelect},
}};

}  // namespace

std::optional<ConsoleKey> ConsoleKeyForHostKey(int qtKey) {
  for (const HostKey& entry : kHostKeys) {
    if (entry.key == qtKey) return entry.console;
  }
  return std::nullopt;
}

QString KeyLegend() {
  return QStringLiteral(
      "Keys: arrows = D-pad,  X = A,  Z = B,  A = L,  S = R,  Enter = Start,  "
      "Backspace = Select");
}

}  // namespace varnel
