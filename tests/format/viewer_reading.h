/* The show header and a picture record as the viewer reads them: its C structures laid
 * over the bytes, compiled by the C compiler as the viewer is. */
#ifndef VARNEL_TESTS_FORMAT_VIEWER_READING_H
#define VARNEL_TESTS_FORMAT_VIEWER_READING_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct {
  uint32_t tag, pictureCount, introCount, thumbnails, helpScreen, timeLimit, slideTimeMs, keyUse;
} HeaderAsViewerReadsIt;

typedef struct {
  uint32_t fullSizeData, thumbnailData, resizedData, captionText, height, width, effect;
} RecordAsViewerReadsIt;

HeaderAsViewerReadsIt ReadHeaderAsViewer(const uint8_t* bytes);
RecordAsViewerReadsIt ReadRecordAsViewer(const uint8_t* bytes);

#ifdef __cplusplus
}
#endif

#endif
