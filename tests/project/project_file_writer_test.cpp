#include "project/project_file_writer.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "project/stored_picture.h"
#include "tests/project/hand_written_files.h"
#include "tests/support/project_bytes.h"

namespace varnel {
namespace {

using testing::Bytes;
using testing::Cat;
using testing::RecordTail;
using testing::Zeros;

TEST(WriteProjectFile, EmptyShowIsTheHeaderAndTheReservedBlock) {
  const Bytes written = testing::ProjectFileBytes(SlideshowOptions::DefaultsAfterNew(), {});
  EXPECT_EQ(written.size(), 2519u);
  EXPECT_EQ(written, testing::EmptyNewShowFile());

  SlideshowOptions off = SlideshowOptions::BeforeFirstNew();  // all off, no selections
  EXPECT_EQ(testing::ProjectFileBytes(off, {}), testing::EveryOptionOffFile());
}

TEST(WriteProjectFile, RecordsFollowInListOrderWithTheirLabelIndices) {
  PictureEntry row;
  row.path = "C:\\Pics\\a.bmp";  // 13 bytes, empty caption: a record of 139 bytes
  row.sizingLabel = "(02) Resized Only (240x160)";
  row.effectLabel = "(08) FadeOut";
  const Bytes record = {'C', ':', '\\', 'P',  'i',  'c',  's',  '\\', 'a', '.',
                        'b', 'm', 'p',  0x00, 0x00, 0x02, 0x00, 0x08, 0x00};
  const Bytes oneRow = testing::ProjectFileBytes(SlideshowOptions::DefaultsAfterNew(),
                                                 StoredPicturesOfRows(std::vector{row}));
  EXPECT_EQ(oneRow.size(), 2519u + 139u);
  EXPECT_EQ(oneRow, Cat({testing::NewShowHeader(1), Zeros(2500), record, RecordTail()}));

  const SlideshowOptions every = testing::EveryOptionOn();
  PictureEntry x{"x.png",        "(05) Zoom In",     "(01) FullSize Only",
                 "1x1 (24Bits)", "D:\\Shows\\x.png", "Hi\r\n\xE9t\xE9"};
  PictureEntry y{"y.gif", "(03) Scanlines", "(00) Both", "1x1 (8Bits)", "y.gif", ""};
  EXPECT_EQ(testing::ProjectFileBytes(every, StoredPicturesOfRows(std::vector{x, y})),
            testing::EveryOptionOnFile());
}

TEST(WriteProjectFile, EachOptionAndNumberGoesToItsOwnBytes) {
  const StoredPicture picture{"/s/p.png", "cap", 2, 5};
  for (const testing::DistinctShow& show : testing::DistinctOptionShows()) {
    EXPECT_EQ(testing::ProjectFileBytes(show.options, std::vector{picture}), show.file);
  }
}

TEST(WriteProjectFile, ReportsEachPartAndKeepsStringsWhole) {
  std::vector<StoredPicture> pictures(3);
  pictures[1].caption = std::string("a\0b", 3);  // a 0 byte would end the caption early
  testing::VectorByteSink sink;
  int parts = 0;
  WriteProjectFile(SlideshowOptions::DefaultsAfterNew(), pictures, sink, [&] { ++parts; });
  EXPECT_EQ(parts, 4);  // the header, then each record
  const Bytes& bytes = sink.bytes();
  ASSERT_EQ(bytes.size(), 2519u + 126u + 128u + 126u);
  const Bytes second(bytes.begin() + 2519 + 126, bytes.begin() + 2519 + 126 + 5);
  EXPECT_EQ(second, (Bytes{0x00, 'a', 'b', 0x00, 0x00}));

  std::vector<StoredPicture> tooMany(0x10000);
  EXPECT_THROW(testing::ProjectFileBytes(SlideshowOptions::DefaultsAfterNew(), tooMany),
               std::length_error);
}

}  // namespace
}  // namespace varnel
