#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "document/caption_characters.h"
#include "format/image_layout.h"

namespace varnel {

// The preview lays a caption out as the viewer's caption area does.
inline constexpr int kCaptionPreviewColumns = static_cast<int>(kCaptionColumns);
inline constexpr int kCaptionPreviewLines = static_cast<int>(kCaptionLines);

// The caption preview: the caption broken into lines of 18 characters, at most 10 lines.
// Every character counts, carriage returns too; a line feed already in the caption ends
// the line before it and counts as the first column of the next.
std::string BuildCaptionPreview(std::string_view caption);

// How many characters of an insertion fit into a caption box holding `length`
// characters of which `replaced` are being replaced, under `limit`.
std::size_t CaptionRoom(std::size_t length, std::size_t replaced, std::size_t limit);

// What the status line says when the caption box left typed, pasted or dropped text out:
// the first character a caption cannot hold, named with the console font's reason
// ("Left out of the caption: U+2013 EN DASH is not in the console's font."), how many
// other such characters there were, and whether the rest did not fit under `limit`.
// Empty when nothing was left out.
std::string CaptionLeftOutText(const std::vector<char32_t>& refused, bool overLimit,
                               std::size_t limit);

}  // namespace varnel
