#pragma once

#include <string>

namespace varnel {

// The characters a caption can hold, and the words that tell a user which character it
// cannot. Captions are stored as single Latin-1 bytes (project files, images), and the
// console's font draws the printable ones: 0x20-0x7E and 0xA0-0xFF. Of the control
// characters only the line break's CR and LF belong to a caption.
//
// The editor's caption box and varnel-build's --caption both refuse a character with
// NotInConsoleFontMessage, so the user learns which one and why wherever it was typed.

// True for a character a caption can hold (a Unicode code point).
bool IsCaptionCharacter(char32_t c);

// The character as a message names it: "U+" and at least four hexadecimal digits, then its
// Unicode name: "U+2013 EN DASH", "U+1F600 GRINNING FACE". A code point without a name is
// said by its kind: "U+001B (a control character)", "U+E000 (a private-use character)",
// "U+0378 (an unassigned code point)".
std::string CharacterName(char32_t c);

// "U+2013 EN DASH is not in the console's font": why a caption cannot hold c.
std::string NotInConsoleFontMessage(char32_t c);

}  // namespace varnel
