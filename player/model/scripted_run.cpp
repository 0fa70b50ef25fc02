#include "player/model/scripted_run.h"

namespace varnel {

ConsoleKeys KeysHeldAt(const std::vector<ScriptedPress>& presses, int frame) {
  ConsoleKeys keys = 0;
  for (const ScriptedPress& press : presses) {
    if (frame >= press.frame && frame < press.frame + kScriptedPressFrames) keys |= press.key;
  }
  return keys;
}

void RunScripted(ConsoleEmulator& emulator, int frames, const std::vector<ScriptedPress>& presses) {
  for (int frame = 0; frame < frames; ++frame) {
    const ConsoleKeys keys = KeysHeldAt(presses, frame);
    if (keys != emulator.heldKeys()) emulator.HoldKeys(keys);
    emulator.RunFrames(1);
  }
  emulator.ReleaseKeys();
}

}  // namespace varnel
