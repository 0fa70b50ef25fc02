#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "document/slideshow_options.h"
#include "project/byte_sink.h"
#include "project/stored_picture.h"

namespace varnel {

// Writes a show as a project file: the header, the reserved block, then one record per
// picture in show order, byte for byte as the Windows build of Varnel writes them.
// partWritten, when given, is called once after the header and once after each record,
// so that a caller can step a progress bar. A 0 byte inside a path or caption would end
// the string early and shift every field after it, so such bytes are left out.
// Throws std::length_error for more pictures than the 16-bit count holds, and whatever
// the sink throws.
void WriteProjectFile(const SlideshowOptions& options, std::span<const StoredPicture> pictures,
                      ByteSink& sink, const std::function<void()>& partWritten = {});

}  // namespace varnel
