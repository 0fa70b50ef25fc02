#include "emulator/console_keys.h"

#include <array>
#include <cctype>
#include <utility>

namespace varnel {

namespace {

constexpr std::array<std::pair<std::string_view, ConsoleKey>, 10> kKeyNames = {{
    {"a", kButtonA},
    {"b", kButtonB},
    {"select", kButtonSelect},
    {"start", kButtonStart},
    {"right", kButtonRight},
    {"left", kButtonLeft},
    {"up", kButtonUp},
    {"down", kButtonDown},
    {"r", kButtonR},
    {"l", kButtonL},
}};

bool SameIgnoringCase(std::string_view a, std::string_view lower) {
  if (a.size() != lower.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != lower[i]) return false;
  }
  return true;
}

}  // namespace

std::optional<ConsoleKey> ConsoleKeyNamed(std::string_view name) {
  for (const auto& [keyName, key] : kKeyNames) {
    if (SameIgnoringCase(name, keyName)) return key;
  }
  return std::nullopt;
}

}  // namespace varnel
