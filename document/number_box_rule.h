#pragma once

#include <string>

#include "document/slideshow_options.h"

namespace varnel {

inline constexpr int kSecondsMaximum = 60;

// The check run on every change of the seconds box and of the intro-count box: a first
// character that is not a digit goes, then a second one that is not a digit cuts the text
// to its first. Characters arrive one at a time when typed, but a paste brings several at
// once, so any non-digit still left goes as well: the boxes only ever hold digits.
// maximum (the seconds box's 60) caps the decimal value; 0 means no cap.
std::string FilterNumberBoxText(const std::string& text, int maximum);

// Both boxes' checks on texts that did not come through the boxes (a loaded project), so
// the show holds what the boxes would have made of them: stored seconds of 75 become
// "60", as typing 75 would.
void ApplyNumberBoxRules(SlideshowOptions& options);

}  // namespace varnel
