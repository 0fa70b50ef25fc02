#include "picture/pixel_arena.h"

namespace varnel::pixel_arena {

namespace {

uint8_t* armed = nullptr;
std::size_t armedSize = 0;
bool everyPixelWritten = false;

}  // namespace

void Arm(uint8_t* memory, std::size_t size) {
  armed = memory;
  armedSize = size;
}

void Disarm() {
  armed = nullptr;
  armedSize = 0;
  everyPixelWritten = false;
}

bool Armed() {
  return armed != nullptr;
}

uint8_t* Take(std::size_t bytes) {
  if (armed == nullptr || bytes > armedSize) return nullptr;
  uint8_t* taken = armed;
  Disarm();
  return taken;
}

void ExpectEveryPixelWritten() {
  everyPixelWritten = armed != nullptr;
}

bool EveryPixelWillBeWritten() {
  const bool expected = everyPixelWritten;
  everyPixelWritten = false;
  return expected;
}

}  // namespace varnel::pixel_arena
