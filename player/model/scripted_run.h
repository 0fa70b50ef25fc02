#pragma once

#include <vector>

#include "emulator/console_emulator.h"
#include "player/model/play_arguments.h"

namespace varnel {

// How long a scripted press holds its key: long enough for a program that samples the
// keys once a frame to see it, short enough not to repeat.
inline constexpr int kScriptedPressFrames = 3;

// The keys held while frame `frame` runs.
ConsoleKeys KeysHeldAt(const std::vector<ScriptedPress>& presses, int frame);

// Runs `frames` frames with the presses' keys held when they are due; all keys are let
// go afterwards.
void RunScripted(ConsoleEmulator& emulator, int frames, const std::vector<ScriptedPress>& presses);

}  // namespace varnel
