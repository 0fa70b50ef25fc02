#include "document/caption_characters.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

// The words the caption box and --caption use for a character the console cannot show.
TEST(CaptionCharacters, ACharacterIsNamedByItsCodePointAndItsUnicodeName) {
  EXPECT_EQ(NotInConsoleFontMessage(U'\u2013'), "U+2013 EN DASH is not in the console's font");
  EXPECT_EQ(CharacterName(U'\u20AC'), "U+20AC EURO SIGN");
  EXPECT_EQ(CharacterName(U'\U0001F600'), "U+1F600 GRINNING FACE");
  EXPECT_EQ(CharacterName(U'\u6771'), "U+6771 CJK UNIFIED IDEOGRAPH-6771");
  // Code points without a name are said by their kind.
  EXPECT_EQ(CharacterName(0x1B), "U+001B (a control character)");
  EXPECT_EQ(CharacterName(0x9B), "U+009B (a control character)");
  EXPECT_EQ(CharacterName(0xE000), "U+E000 (a private-use character)");
  EXPECT_EQ(CharacterName(0x0378), "U+0378 (an unassigned code point)");
}

}  // namespace
}  // namespace varnel
