#include "document/caption_characters.h"

#include <unicode/uchar.h>

#include <array>
#include <cstdio>

namespace varnel {

namespace {

constexpr char32_t kFirstPrintable = 0x20;
constexpr char32_t kDelete = 0x7F;
constexpr char32_t kFirstLatin1Printable = 0xA0;  // after the C1 controls
constexpr char32_t kLastLatin1 = 0xFF;

// The kind of a code point the Unicode names leave nameless.
const char* NamelessKind(char32_t c) {
  switch (u_charType(static_cast<UChar32>(c))) {
    case U_CONTROL_CHAR:
      return "(a control character)";
    case U_PRIVATE_USE_CHAR:
      return "(a private-use character)";
    case U_SURROGATE:
      return "(a surrogate, not a character)";
    case U_UNASSIGNED:
      return "(an unassigned code point)";
    default:
      return "(a character without a name)";
  }
}

}  // namespace

bool IsCaptionCharacter(char32_t c) {
  if (c == '\r' || c == '\n') return true;
  if (c < kFirstPrintable || (c >= kDelete && c < kFirstLatin1Printable)) return false;
  return c <= kLastLatin1;
}

std::string CharacterName(char32_t c) {
  char codePoint[16];
  std::snprintf(codePoint, sizeof codePoint, "U+%04X", static_cast<unsigned>(c));
  std::array<char, 128> name{};
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = u_charName(static_cast<UChar32>(c), U_UNICODE_CHAR_NAME, name.data(),
                                    static_cast<int32_t>(name.size()), &status);
  if (U_FAILURE(status) || length <= 0) return std::string(codePoint) + " " + NamelessKind(c);
  return std::string(codePoint) + " " + name.data();
}

std::string NotInConsoleFontMessage(char32_t c) {
  return CharacterName(c) + " is not in the console's font";
}

}  // namespace varnel
