#include "files/display_text.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(DisplayPath, ControlCharactersBecomeVisibleEscapes) {
  EXPECT_EQ(DisplayPath("/home/u/Holiday 2024/été.png"), "/home/u/Holiday 2024/été.png");
  EXPECT_EQ(DisplayPath("C:\\Pics\\a.bmp"), "C:\\Pics\\a.bmp");
  EXPECT_EQ(DisplayPath("a\x1b[2Jb"), "a\\x1b[2Jb");
  EXPECT_EQ(DisplayPath("line\nbreak\ttab\rcr"), "line\\nbreak\\ttab\\rcr");
  EXPECT_EQ(DisplayPath(std::string("nul\0x", 5)), "nul\\x00x");
  EXPECT_EQ(DisplayPath("del\x7f"), "del\\x7f");
  // The 8-bit command introducer, raw and as UTF-8 (U+009B).
  EXPECT_EQ(DisplayPath("a\x9b"
                        "31m"),
            "a\\x9b31m");
  EXPECT_EQ(DisplayPath("a\xc2\x9b"
                        "31m"),
            "a\\xc2\\x9b31m");
}

}  // namespace
}  // namespace varnel
