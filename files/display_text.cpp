#include "files/display_text.h"

#include <cstdio>

namespace varnel {

namespace {

constexpr unsigned char kDelete = 0x7F;
constexpr unsigned char kUtf8C1Lead = 0xC2;  // U+0080..U+009F are C2 80..C2 9F
constexpr unsigned char kC1First = 0x80;
constexpr unsigned char kC1Last = 0x9F;

bool IsC0OrDelete(unsigned char c) {
  return c < 0x20 || c == kDelete;
}

bool IsC1(unsigned char c) {
  return c >= kC1First && c <= kC1Last;
}

void AppendEscape(std::string& out, unsigned char c) {
  switch (c) {
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
    default: {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02x", c);
      out += escape;
    }
  }
}

std::string Escaped(std::string_view path, bool keepLineFeeds) {
  std::string out;
  out.reserve(path.size());
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto c = static_cast<unsigned char>(path[i]);
    if (c == '\n' && keepLineFeeds) {
      out += '\n';
    } else if (IsC0OrDelete(c)) {
      AppendEscape(out, c);
    } else if (c == kUtf8C1Lead && i + 1 < path.size() &&
               IsC1(static_cast<unsigned char>(path[i + 1]))) {
      AppendEscape(out, c);
      AppendEscape(out, static_cast<unsigned char>(path[++i]));
    } else if (IsC1(c) && (i == 0 || static_cast<unsigned char>(path[i - 1]) < 0x80)) {
      // A lone C1 byte after ASCII is no part of a UTF-8 sequence; some terminals take
      // it as a command on its own.
      AppendEscape(out, c);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace

std::string DisplayPath(std::string_view path) {
  return Escaped(path, false);
}

std::string DisplayText(std::string_view text) {
  return Escaped(text, true);
}

}  // namespace varnel
