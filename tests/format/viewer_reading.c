#include "tests/format/viewer_reading.h"

#include <string.h>

#include "format/image_layout.h"

/* The console and the test machine are both little-endian, so a copy of the bytes into the
 * structure reads them as the viewer does in the cartridge. */
HeaderAsViewerReadsIt ReadHeaderAsViewer(const uint8_t* bytes) {
  RomHeader header;
  memcpy(&header, bytes, sizeof header);
  HeaderAsViewerReadsIt read = {header.tag,         header.pictureCount, header.introCount,
                                header.thumbnails,  header.helpScreen,   header.timeLimit,
                                header.slideTimeMs, header.keyUse};
  return read;
}

RecordAsViewerReadsIt ReadRecordAsViewer(const uint8_t* bytes) {
  SlideRecord record;
  memcpy(&record, bytes, sizeof record);
  RecordAsViewerReadsIt read = {record.fullSizeData, record.thumbnailData, record.resizedData,
                                record.captionText,  record.height,        record.width,
                                record.effect};
  return read;
}
