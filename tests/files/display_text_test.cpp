#include "files/display_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "files/file_error.h"

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

// Typographic punctuation is UTF-8 whose continuation bytes lie in 0x80-0x9F, the range of
// the 8-bit controls; inside a sequence they are text and stay byte for byte.
TEST(DisplayPath, UnicodePunctuationStaysAndTheControlsAroundItAreEscaped) {
  // \u201C \u201D curly double quotes, \u2018 \u2019 single, \u2013 en dash, \u2014 em
  // dash, \u2026 ellipsis, \u00A0 no-break space.
  const std::string quoted =
      "\xe2\x80\x9cSunset\xe2\x80\x9d \xe2\x80\x93 Mum\xe2\x80\x99s "
      "\xe2\x80\x98"
      "best\xe2\x80\x99 \xe2\x80\x94 2024\xe2\x80\xa6"
      "\xc2\xa0.png";
  EXPECT_EQ(DisplayPath(quoted), quoted);
  EXPECT_EQ(DisplayPath("/photos/" + quoted), "/photos/" + quoted);
  // A name that opens with punctuation, and punctuation right after an escape byte.
  EXPECT_EQ(DisplayPath("\xe2\x80\x9c\x1b[2J\xe2\x80\x94\x07.png"),
            "\xe2\x80\x9c\\x1b[2J\xe2\x80\x94\\x07.png");
  // A lone continuation byte opening the name, or after ASCII, is no part of a sequence.
  EXPECT_EQ(DisplayPath("\x9b"
                        "2J\xe2\x80\x93"),
            "\\x9b2J\xe2\x80\x93");
  // The C1 controls themselves, as UTF-8, beside punctuation: U+0085 and U+009D.
  EXPECT_EQ(DisplayPath("\xe2\x80\x93\xc2\x85\xe2\x80\x9d\xc2\x9d"),
            "\xe2\x80\x93\\xc2\\x85\xe2\x80\x9d\\xc2\\x9d");
  // Messages keep their line breaks and escape the rest the same way.
  EXPECT_EQ(DisplayText("\xe2\x80\x9c"
                        "a\xe2\x80\x9d\n\xe2\x80\x93\tb\x1b"),
            "\xe2\x80\x9c"
            "a\xe2\x80\x9d\n\xe2\x80\x93\\tb\\x1b");
}

// A file error names the file as shown: its punctuation whole, its controls escaped.
TEST(DisplayPath, FileErrorsShowNamesTheSameWay) {
  const std::string name = "/tmp/\xe2\x80\x9cHoliday\xe2\x80\x9d \xe2\x80\x93 \x1b[31m.png";
  EXPECT_EQ(std::string(FileError::FromErrno(name, "open", ENOENT).what()),
            "/tmp/\xe2\x80\x9cHoliday\xe2\x80\x9d \xe2\x80\x93 \\x1b[31m.png was not found.");
  EXPECT_EQ(std::string(FileError::FromErrno(name, "write", ENOSPC).what()),
            "Could not write /tmp/\xe2\x80\x9cHoliday\xe2\x80\x9d \xe2\x80\x93 \\x1b[31m.png: No "
            "space left on device.");
  EXPECT_EQ(FileError::FromErrno(name, "open", ENOENT).path(), name);  // the name itself stays
}

}  // namespace
}  // namespace varnel
