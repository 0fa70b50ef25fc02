#include "project/project_file_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "project/project_file_writer.h"
#include "tests/project/hand_written_files.h"
#include "tests/support/project_bytes.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::Bytes;
using testing::Cat;
using testing::Zeros;

// Hands out at most one byte per call, as a slow pipe might.
class TrickleByteSource final : public ByteSource {
 public:
  explicit TrickleByteSource(const Bytes& bytes) : bytes_(bytes) {}
  std::size_t Read(uint8_t* data, std::size_t count) override {
    if (count == 0 || next_ == bytes_.size()) return 0;
    *data = bytes_[next_++];
    return 1;
  }

 private:
  const Bytes& bytes_;
  std::size_t next_ = 0;
};

struct Loaded {
  std::optional<ProjectHeader> header;
  std::vector<StoredPicture> pictures;
  ProjectReadResult result;
};

Loaded ReadFrom(ByteSource& source) {
  Loaded loaded;
  ProjectFileHandlers handlers;
  handlers.header = [&](const ProjectHeader& header) { loaded.header = header; };
  handlers.picture = [&](const StoredPicture& picture) { loaded.pictures.push_back(picture); };
  loaded.result = ReadProjectFile(source, handlers);
  return loaded;
}

Loaded Read(const Bytes& bytes) {
  testing::MemoryByteSource source(bytes);
  return ReadFrom(source);
}

TEST(ReadProjectFile, EachByteGoesToItsOwnOption) {
  for (const testing::DistinctShow& show : testing::DistinctOptionShows()) {
    const Loaded loaded = Read(show.file);
    ASSERT_TRUE(loaded.header);
    EXPECT_EQ(loaded.header->options, show.options);
    EXPECT_EQ(loaded.pictures, (std::vector<StoredPicture>{{"/s/p.png", "cap", 2, 5}}));
  }
  // The two helpScreen bytes differ: the second one (offset 16) is the one that stays.
  Bytes differing = testing::DistinctOptionShows()[0].file;
  ASSERT_EQ(differing[11], 1);
  differing[16] = 0;
  EXPECT_EQ(Read(differing).header->options.helpScreen, 0);
  differing[11] = 0;
  differing[16] = 1;
  EXPECT_EQ(Read(differing).header->options.helpScreen, 1);
}

TEST(ReadProjectFile, LoadsWindowsBuildFilesWithEveryOption) {
  const Loaded on = Read(testing::EveryOptionOnFile());
  ASSERT_TRUE(on.header);
  EXPECT_FALSE(on.result.cutShort());
  const SlideshowOptions every = testing::EveryOptionOn();
  EXPECT_EQ(on.header->options, every);
  EXPECT_EQ(on.header->pictureCount, 2);
  const std::vector<StoredPicture> pictures = {{"D:\\Shows\\x.png", "Hi\r\n\xE9t\xE9", 1, 5},
                                               {"y.gif", "", 0, 3}};
  EXPECT_EQ(on.pictures, pictures);

  const Loaded off = Read(testing::EveryOptionOffFile());
  ASSERT_TRUE(off.header);
  SlideshowOptions none = SlideshowOptions::BeforeFirstNew();
  none.introCountText = "0";
  none.secondsText = "0";
  EXPECT_EQ(off.header->options, none);
  EXPECT_TRUE(off.pictures.empty());

  // Block boundaries fall anywhere when the source gives one byte at a time.
  const Bytes file = testing::EveryOptionOnFile();
  TrickleByteSource trickle(file);
  EXPECT_EQ(ReadFrom(trickle).pictures, pictures);
}

TEST(ReadProjectFile, SecondHelpScreenCopyWinsAndTheFormatByteIsIgnored) {
  Bytes file = testing::EveryOptionOnFile();
  file[11] = 0;
  EXPECT_EQ(Read(file).header->options.helpScreen, 1);
  file[11] = 1;
  file[16] = 0;
  EXPECT_EQ(Read(file).header->options.helpScreen, 0);

  const Loaded reference = Read(testing::EveryOptionOnFile());
  for (uint8_t format : {0x00, 0x02, 0xFF}) {
    Bytes other = testing::EveryOptionOnFile();
    other[0] = format;
    const Loaded loaded = Read(other);
    EXPECT_EQ(loaded.header->options, reference.header->options) << int(format);
    EXPECT_EQ(loaded.pictures, reference.pictures) << int(format);
  }
}

TEST(ReadProjectFile, MendsValuesTheEditorNeverWrites) {
  Bytes file = testing::EveryOptionOnFile();
  file[3] = 100;    // intro count 100
  file[5] = 61;     // 61 seconds
  file[7] = 3;      // no sizing label 3
  file[9] = 9;      // no effect label 9
  file[12] = 2;     // keyUse
  file[13] = 0xFF;  // timeLimit
  file[14] = 0;
  // First record: sizing 3 and effect 0xFFFF; second: sizing 2 and effect 9.
  const std::size_t first = 2519 + 15 + 8;
  file[first] = 3;
  file[first + 2] = 0xFF;
  file[first + 3] = 0xFF;
  const std::size_t second = 2519 + 15 + 8 + 124 + 7;
  file[second] = 2;
  file[second + 2] = 9;

  const Loaded loaded = Read(file);
  const SlideshowOptions& o = loaded.header->options;
  EXPECT_EQ(o.introCountText, "99");
  EXPECT_EQ(o.secondsText, "61");  // plain decimal; the seconds box's rule comes later
  EXPECT_EQ(o.sizingOverrideIndex, -1);
  EXPECT_EQ(o.effectOverrideIndex, -1);
  EXPECT_EQ(o.keyUse, 1);
  EXPECT_EQ(o.timeLimit, 1);
  EXPECT_EQ(o.sizingOverride, 0);
  ASSERT_EQ(loaded.pictures.size(), 2u);
  EXPECT_EQ(loaded.pictures[0].sizingIndex, 0);
  EXPECT_EQ(loaded.pictures[0].effectIndex, 0);
  EXPECT_EQ(loaded.pictures[1].sizingIndex, 2);
  EXPECT_EQ(loaded.pictures[1].effectIndex, 0);

  // The largest stored numbers, and values at the edges that stay as they are.
  for (std::size_t i = 3; i <= 10; ++i) file[i] = 0xFF;
  EXPECT_EQ(Read(file).header->options.introCountText, "99");
  EXPECT_EQ(Read(file).header->options.secondsText, "99");
  file[3] = 99;
  file[4] = 0;
  file[5] = 60;
  file[6] = 0;
  EXPECT_EQ(Read(file).header->options.introCountText, "99");
  EXPECT_EQ(Read(file).header->options.secondsText, "60");
  file[5] = 99;
  EXPECT_EQ(Read(file).header->options.secondsText, "99");
  file[5] = 7;
  EXPECT_EQ(Read(file).header->options.secondsText, "7");
}

// Where the records of EveryOptionOnFile end.
constexpr std::size_t kFirstRecordEnd = 2519 + 15 + 8 + 4 + 120;
constexpr std::size_t kSecondRecordEnd = kFirstRecordEnd + 6 + 1 + 4 + 120;

TEST(ReadProjectFile, StopsAtTheEndOfACutShortFileKeepingCompleteRecords) {
  const Bytes whole = testing::EveryOptionOnFile();
  ASSERT_EQ(whole.size(), kSecondRecordEnd);
  for (std::size_t length = 0; length <= whole.size(); ++length) {
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    const Loaded loaded = Read(cut);
    const std::size_t complete = (length >= kFirstRecordEnd) + (length >= kSecondRecordEnd);
    ASSERT_EQ(loaded.pictures.size(), complete) << length;
    EXPECT_EQ(loaded.result.picturesRead, complete) << length;
    EXPECT_EQ(loaded.header.has_value(), length >= 19) << length;
    const ProjectFileEnd expected = length < 19     ? ProjectFileEnd::kCutShortInHeader
                                    : length < 2519 ? ProjectFileEnd::kCutShortInReservedBlock
                                    : length < whole.size() ? ProjectFileEnd::kCutShortInPicture
                                                            : ProjectFileEnd::kComplete;
    EXPECT_EQ(loaded.result.end, expected) << length;
  }

  // A header announcing more records than the file holds, and bytes after the last one.
  Bytes announcesMore = whole;
  announcesMore[1] = 5;
  const Loaded more = Read(announcesMore);
  EXPECT_EQ(more.result.end, ProjectFileEnd::kCutShortInPicture);
  EXPECT_EQ(more.result.announcedPictures, 5);
  EXPECT_EQ(more.pictures.size(), 2u);
  Bytes trailing = Cat({whole, Zeros(50)});
  trailing[1] = 1;
  EXPECT_EQ(Read(trailing).result.end, ProjectFileEnd::kComplete);
  EXPECT_EQ(Read(trailing).pictures.size(), 1u);
}

TEST(ReadProjectFile, ReadsBackWhatTheWriterWrote) {
  SlideshowOptions options = SlideshowOptions::DefaultsAfterNew();
  options.secondsText = "05";
  options.introCountText = "";
  options.sizingOverrideIndex = -1;
  options.thumbnails = 0;
  std::vector<StoredPicture> pictures = {
      {"/home/u/pictures/caf\xC3\xA9.png", "Line one\r\nLine two \xA3\xE9", 2, 7},
      {"b.bmp", std::string(180, 'x'), 1, 0}};
  const Loaded loaded = Read(testing::ProjectFileBytes(options, pictures));
  SlideshowOptions expected = options;
  expected.secondsText = "5";
  expected.introCountText = "0";
  EXPECT_EQ(loaded.header->options, expected);
  EXPECT_EQ(loaded.pictures, pictures);

  options.secondsText = "";
  EXPECT_EQ(Read(testing::ProjectFileBytes(options, {})).header->options.secondsText, "0");
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

// A picture's fit lies in the first of the record's 100 reserved bytes; any value the
// fit table does not have reads as Stretch.
TEST(ProjectFileFit, LiesInTheFirstReservedByteOfItsRecord) {
  const SlideshowOptions options = SlideshowOptions::DefaultsAfterNew();
  for (const uint8_t fit : {0, 1, 2}) {
    const StoredPicture picture{"C:\\Pics\\a.bmp", "", 2, 8, fit};
    const Bytes record = {'C', ':', '\\', 'P',  'i',  'c',  's',  '\\', 'a', '.',
                          'b', 'm', 'p',  0x00, 0x00, 0x02, 0x00, 0x08, 0x00};
    Bytes tail = testing::RecordTail();
    tail[0] = fit;
    const Bytes file = testing::ProjectFileBytes(options, std::vector{picture});
    EXPECT_EQ(file, Cat({testing::NewShowHeader(1), Zeros(2500), record, tail}));
    ASSERT_EQ(Read(file).pictures.size(), 1u);
    EXPECT_EQ(Read(file).pictures[0], picture);
  }
  Bytes unknown =
      testing::ProjectFileBytes(options, std::vector{StoredPicture{"a.bmp", "", 0, 0, 1}});
  const std::size_t fitByte = 2519 + 6 + 1 + 4;
  ASSERT_EQ(unknown[fitByte], 1);
  for (const uint8_t value : {3, 0x80, 0xFF}) {
    unknown[fitByte] = value;
    EXPECT_EQ(Read(unknown).pictures.at(0).fitIndex, 0) << int{value};
  }
}

// Files written before pictures had a fit read back as stretched and are written again
// byte for byte.
TEST(ProjectFileFit, FilesWithoutFitsAreWrittenAgainUnchanged) {
  for (const char* name : {"empty-new-show.vrn", "every-option-off.vrn", "every-option-on.vrn",
                           "three-pictures.vrn"}) {
    const Bytes file = testing::ReadAllBytes(
        testing::TestDataPath(std::string("../../project/fuzz/corpus/") + name));
    ASSERT_GE(file.size(), 2519u) << name;
    const Loaded loaded = Read(file);
    ASSERT_EQ(loaded.result.end, ProjectFileEnd::kComplete) << name;
    for (const StoredPicture& picture : loaded.pictures) EXPECT_EQ(picture.fitIndex, 0) << name;
    EXPECT_EQ(testing::ProjectFileBytes(loaded.header->options, loaded.pictures), file) << name;
  }
}

}  // namespace
}  // namespace varnel
