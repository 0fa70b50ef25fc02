#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace varnel {

// The console's keys as the emulator takes them: bit n held, in the order of the key
// input register.
enum ConsoleKey : uint32_t {
  kButtonA = 1u << 0,
  kButtonB = 1u << 1,
  kButtonSelect = 1u << 2,
  kButtonStart = 1u << 3,
  kButtonRight = 1u << 4,
  kButtonLeft = 1u << 5,
  kButtonUp = 1u << 6,
  kButtonDown = 1u << 7,
  kButtonR = 1u << 8,
  kButtonL = 1u << 9,
};

// A set of held keys, ConsoleKey bits.
using ConsoleKeys = uint32_t;

// The key a user names: "A", "B", "L", "R", "Start", "Select", "Up", "Down", "Left",
// "Right", in any letter case. Nothing for any other name.
std::optional<ConsoleKey> ConsoleKeyNamed(std::string_view name);

}  // namespace varnel
