#pragma once

#include <array>
#include <string_view>

// The effect and sizing labels as the user sees them, in label order: written out here
// once, so that a wrong entry in the program's own tables shows up as a difference.
namespace varnel::testing {

inline constexpr std::array<std::string_view, 9> kExpectedEffectLabels = {
    "(00) No Effect",    "(01) Scroll Up/Down",   "(02) Scroll Down",
    "(03) Scanlines",    "(04) Scanlines 2 ways", "(05) Zoom In",
    "(06) Transparence", "(07) FadeIn",           "(08) FadeOut",
};

inline constexpr std::array<std::string_view, 3> kExpectedSizingLabels = {
    "(00) Both",
    "(01) FullSize Only",
    "(02) Resized Only (240x160)",
};

}  // namespace varnel::testing
