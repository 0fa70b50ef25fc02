#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace varnel {

// Each effect or sizing choice is shown and stored as a label: its index as two decimal
// digits in parentheses, a space and a name. The prefix makes alphabetical order equal
// to index order, so a sorted list's position of a label is its index.
inline constexpr std::array<std::string_view, 9> kEffectLabels = {
    "(00) No Effect",    "(01) Scroll Up/Down",   "(02) Scroll Down",
    "(03) Scanlines",    "(04) Scanlines 2 ways", "(05) Zoom In",
    "(06) Transparence", "(07) FadeIn",           "(08) FadeOut",
};

inline constexpr std::array<std::string_view, 3> kSizingLabels = {
    "(00) Both",
    "(01) FullSize Only",
    "(02) Resized Only (240x160)",
};

enum Sizing : int { kSizingBoth = 0, kSizingFullSizeOnly = 1, kSizingResizedOnly = 2 };

// Fit labels (per-picture choice and the list's "Fit" column): how a picture fills the
// 240 x 160 version and the 60 x 40 thumbnail. Stretch fills the box whatever the
// picture's proportions; Whole Picture keeps them and puts black around the picture;
// Fill Screen keeps them and leaves out what lies beyond the box. The full-size version
// is the same for every fit.
inline constexpr std::array<std::string_view, 3> kFitLabels = {
    "(00) Stretch",
    "(01) Whole Picture",
    "(02) Fill Screen",
};

enum Fit : int { kFitStretch = 0, kFitWholePicture = 1, kFitFillScreen = 2 };

// The label of an index, or nothing for an index outside the table.
std::optional<std::string_view> EffectLabel(int index);
std::optional<std::string_view> SizingLabel(int index);
std::optional<std::string_view> FitLabel(int index);

// The fit of a fit label, by its label index; Stretch for an index outside the table.
Fit FitOfLabel(std::string_view label);

}  // namespace varnel
