#include "emulator/console_keys.h"

#include <gtest/gtest.h>

namespace varnel::testing {
namespace {

TEST(ConsoleKeys, NamesGiveTheKeyInputBitsInAnyLetterCase) {
  // Bit n of the key input register: A, B, Select, Start, Right, Left, Up, Down, R, L.
  EXPECT_EQ(ConsoleKeyNamed("A"), 0x001u);
  EXPECT_EQ(ConsoleKeyNamed("b"), 0x002u);
  EXPECT_EQ(ConsoleKeyNamed("Select"), 0x004u);
  EXPECT_EQ(ConsoleKeyNamed("START"), 0x008u);
  EXPECT_EQ(ConsoleKeyNamed("Right"), 0x010u);
  EXPECT_EQ(ConsoleKeyNamed("left"), 0x020u);
  EXPECT_EQ(ConsoleKeyNamed("Up"), 0x040u);
  EXPECT_EQ(ConsoleKeyNamed("Down"), 0x080u);
  EXPECT_EQ(ConsoleKeyNamed("R"), 0x100u);
  EXPECT_EQ(ConsoleKeyNamed("l"), 0x200u);
  for (const char* name : {"", "X", "Starts", "St", "A ", "Z"})
    EXPECT_FALSE(ConsoleKeyNamed(name)) << name;
}

}  // namespace
}  // namespace varnel::testing
