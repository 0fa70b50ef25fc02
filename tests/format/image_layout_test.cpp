#include <gtest/gtest.h>

#include "builder/rom_layout.h"
#include "tests/format/viewer_reading.h"

namespace varnel {
namespace {

// The builder writes the header and the records through its encoders, the viewer reads
// them through its C structures: both must find every field at the same bytes.
TEST(ImageLayout, TheViewerReadsEveryFieldTheBuilderWrites) {
  RomHeader header;
  header.pictureCount = 0x0201;
  header.introCount = 0x0403;
  header.thumbnails = 0x05;
  header.helpScreen = 0x06;
  header.timeLimit = 0x07;
  header.slideTimeMs = 0x0908;
  header.keyUse = 0x0A;
  const auto headerBytes = EncodeRomHeader(header);
  const HeaderAsViewerReadsIt h = ReadHeaderAsViewer(headerBytes.data());
  EXPECT_EQ(h.tag, 103u);
  EXPECT_EQ(h.pictureCount, 0x0201u);
  EXPECT_EQ(h.introCount, 0x0403u);
  EXPECT_EQ(h.thumbnails, 0x05u);
  EXPECT_EQ(h.helpScreen, 0x06u);
  EXPECT_EQ(h.timeLimit, 0x07u);
  EXPECT_EQ(h.slideTimeMs, 0x0908u);
  EXPECT_EQ(h.keyUse, 0x0Au);

  const SlideRecord record{0x0809A4E0, 0x0809A4F0, 0x0809A500, 0x0809A510, 300, 640, 8};
  const auto recordBytes = EncodeSlideRecord(record);
  const RecordAsViewerReadsIt r = ReadRecordAsViewer(recordBytes.data());
  EXPECT_EQ(r.fullSizeData, 0x0809A4E0u);
  EXPECT_EQ(r.thumbnailData, 0x0809A4F0u);
  EXPECT_EQ(r.resizedData, 0x0809A500u);
  EXPECT_EQ(r.captionText, 0x0809A510u);
  EXPECT_EQ(r.height, 300u);
  EXPECT_EQ(r.width, 640u);
  EXPECT_EQ(r.effect, 8u);
}

}  // namespace
}  // namespace varnel
