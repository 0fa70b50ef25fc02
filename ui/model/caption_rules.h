#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "format/image_layout.h"

namespace varnel {

// The preview lays a caption out as the viewer's caption area does.
inline constexpr int kCaptionPreviewColumns = static_cast<int>(kCaptionColumns);
inline constexpr int kCaptionPreviewLines = static_cast<int>(kCaptionLines);

// The caption preview: the caption broken into lines of 18 characters, at most 10 lines.
// Every character counts, carriage returns too; a line feed already in the caption ends
// the line before it and counts as the first column of the next.
std::string BuildCaptionPreview(std::string_view caption);

// A caption holds Latin-1 characters only (they are stored as single bytes in project
// files and images); of the control characters only the line break's CR and LF belong.
bool IsCaptionCharacter(char32_t c);

// How many characters of an insertion fit into a caption box holding `length`
// characters of which `replaced` are being replaced, under `limit`.
std::size_t CaptionRoom(std::size_t length, std::size_t replaced, std::size_t limit);

}  // namespace varnel
