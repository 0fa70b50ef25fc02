#pragma once

#include <string>
#include <string_view>

namespace varnel {

// A name or path as it may be shown on a terminal or in a message: control characters
// (C0, DEL and the C1 range, raw or UTF-8 encoded) become visible escapes such as \x1b,
// \n or \t, so a name taken from a file can neither move the cursor nor send the
// terminal commands. Every other byte stays as it is.
std::string DisplayPath(std::string_view path);

// A message or a line of output as it may be shown on a terminal: the same escapes as
// DisplayPath, except that line feeds stay, for texts of more than one line.
std::string DisplayText(std::string_view text);

}  // namespace varnel
