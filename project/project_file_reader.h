#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "document/slideshow_options.h"
#include "project/byte_source.h"
#include "project/stored_picture.h"

namespace varnel {

struct ProjectHeader {
  uint8_t formatByte = 0;     // 1 in every file Varnel writes; not looked at
  uint16_t pictureCount = 0;  // N, the number of records the file announces
  SlideshowOptions options;   // mended as stored_values.h says
};

enum class ProjectFileEnd {
  kComplete,                 // header, reserved block and all N records were read
  kCutShortInHeader,         // fewer than the 19 header bytes: nothing was handed on
  kCutShortInReservedBlock,  // the header was handed on, no record
  kCutShortInPicture,        // the file ended inside a record; the ones before were handed on
};

struct ProjectReadResult {
  ProjectFileEnd end = ProjectFileEnd::kComplete;
  uint16_t announcedPictures = 0;
  std::size_t picturesRead = 0;

  bool cutShort() const { return end != ProjectFileEnd::kComplete; }
  bool headerRead() const { return end != ProjectFileEnd::kCutShortInHeader; }
};

struct ProjectFileHandlers {
  // Once, when the 19 header bytes have been read (before the reserved block).
  std::function<void(const ProjectHeader&)> header;
  // For each complete record, in file order, right after its last byte was read. The
  // indices are mended: a sizing index above 2, an effect index above 8 or a fit above 2
  // comes as 0.
  std::function<void(const StoredPicture&)> picture;
};

// Reads a project file. It never waits for bytes the source does not have: at the end
// of the data it stops, having handed on every complete record before it, and says
// where the file ended. Bytes after the last announced record are not looked at.
// Throws what the source throws (FileError for a read failure).
ProjectReadResult ReadProjectFile(ByteSource& source, const ProjectFileHandlers& handlers);

}  // namespace varnel
