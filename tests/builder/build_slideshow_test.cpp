#include "builder/build_slideshow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "builder/caption_block.h"
#include "builder/rom_layout.h"
#include "builder/shrink_kernels.h"
#include "document/label_tables.h"
#include "picture/picture_loader.h"
#include "tests/support/image_reader.h"
#include "tests/support/recording_build_host.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::ImageReader;
using testing::RecordingBuildHost;
using testing::Rgb;
using testing::TempDir;

// A template of the given length whose bytes are recognisable.
std::string WriteTemplate(const TempDir& dir, std::size_t length) {
  std::vector<uint8_t> bytes(length);
  for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 1);
  if (length >= 0xC0) testing::MarkAsViewerProgram(bytes);
  const std::string path = dir.file("Src.res");
  testing::WriteAllBytes(path, bytes);
  return path;
}

std::string WritePicture(const TempDir& dir, const std::string& name, int width, int height) {
  return testing::WriteBmp24(dir.file(name), width, height, [](int x, int y) {
    return Rgb{uint8_t(x * 5), uint8_t(y * 3), uint8_t(x + y)};
  });
}

struct Fixture {
  TempDir dir;
  RecordingBuildHost host{dir.workDirectory()};
  BuildFiles files{WriteTemplate(dir, 1000), dir.file("slide.gba")};
  BuildOutcome Build() { return BuildSlideShow(host, files); }
  ImageReader Image() const { return ImageReader(files.outputPath); }
};

TEST(CaptionBlock, LaysTextOutInEighteenColumnLines) {
  auto text = [](const std::vector<uint8_t>& block) {
    return std::string(block.begin(), block.end());
  };
  EXPECT_EQ(text(MakeCaptionBlock("AB")), std::string("AB\0", 3));
  EXPECT_EQ(text(MakeCaptionBlock("AB\nC")),
            "AB" + std::string(16, ' ') + "C" + std::string(1, '\0'));
  EXPECT_EQ(text(MakeCaptionBlock("AB\r\nC")),
            "AB\r" + std::string(15, ' ') + "C" + std::string(1, '\0'));
  EXPECT_EQ(MakeCaptionBlock("\nX").size(), 2u);  // a line feed at a line start places nothing
  EXPECT_EQ(MakeCaptionBlock("\n").size(), 1u);
  const auto full = MakeCaptionBlock(std::string(200, 'x'));
  EXPECT_EQ(full.size(), 181u);
  EXPECT_EQ(full.back(), 0);
  // Ten line feeds fill ten lines' worth only after text: padding never passes 180.
  std::string lines;
  for (int i = 0; i < 12; ++i) lines += "a\n";
  const auto padded = MakeCaptionBlock(lines);
  EXPECT_EQ(padded.size(), 181u);
  EXPECT_EQ(padded[162], 'a');  // the tenth line's 'a', then its padding to 180
  EXPECT_EQ(padded[179], ' ');
}

TEST(RomLayout, FieldsLieAtTheirOffsetsLittleEndian) {
  RomHeader header;
  header.pictureCount = 0x0102;
  header.introCount = 0x0304;
  // Byte values no two fields share, so an exchange of two fields shows.
  header.thumbnails = 0x11;
  header.helpScreen = 0x22;
  header.timeLimit = 0x33;
  header.slideTimeMs = 60000;
  header.keyUse = 0x44;
  const auto h = EncodeRomHeader(header);
  const std::array<uint8_t, 14> expectedHeader = {0x67, 0,    0x02, 0x01, 0x04, 0x03, 0x11,
                                                  0x22, 0x33, 0,    0x60, 0xEA, 0x44, 0};
  EXPECT_EQ(h, expectedHeader);
  EXPECT_EQ(DecodeRomHeader(h), header);

  SlideRecord record{0x08000010, 0x08000020, 0x08000030, 0x08000040, 300, 640, 255};
  const auto r = EncodeSlideRecord(record);
  EXPECT_EQ(r[0], 0x10);
  EXPECT_EQ(r[3], 0x08);
  EXPECT_EQ(r[4], 0x20);  // thumbnail between full size and resized
  EXPECT_EQ(r[8], 0x30);
  EXPECT_EQ(r[12], 0x40);
  EXPECT_EQ(r[16] | (r[17] << 8), 300);  // height before width
  EXPECT_EQ(r[18] | (r[19] << 8), 640);
  EXPECT_EQ(r[20], 255);
  for (int i = 21; i < 32; ++i) EXPECT_EQ(r[i], 0);
  EXPECT_EQ(DecodeSlideRecord(r), record);
}

TEST(BuildSlideShow, EmptyListGivesTemplateZerosAndHeader) {
  Fixture f;
  const BuildOutcome outcome = f.Build();
  ASSERT_TRUE(outcome.ok) << outcome.message;
  const ImageReader image = f.Image();
  ASSERT_EQ(image.size(), kPictureDataOffset);
  const auto templateBytes = testing::ReadAllBytes(f.files.templatePath);
  EXPECT_TRUE(std::equal(templateBytes.begin(), templateBytes.end(), image.bytes().begin()));
  for (std::size_t i = templateBytes.size(); i < kHeaderOffset; ++i) ASSERT_EQ(image.bytes()[i], 0);
  const RomHeader header = image.header();
  EXPECT_EQ(header.tag, 103);
  EXPECT_EQ(header.pictureCount, 0);
  EXPECT_EQ(header.helpScreen, 1);
  EXPECT_EQ(header.thumbnails, 1);
  EXPECT_EQ(header.keyUse, 1);
  EXPECT_EQ(header.slideTimeMs, 5000);
  EXPECT_EQ(f.host.progress.range, 2);
  EXPECT_EQ(f.host.progress.steps, 2);
  EXPECT_EQ(f.host.infoCleared, 1);
  EXPECT_EQ(f.host.repaints, 1);
  EXPECT_TRUE(f.host.errors.empty());
}

TEST(BuildSlideShow, TemplateSizesAtTheLimits) {
  for (std::size_t length : {std::size_t{600000}, std::size_t{2048}, std::size_t{192}}) {
    Fixture f;
    f.files.templatePath = WriteTemplate(f.dir, length);
    ASSERT_TRUE(f.Build().ok) << length;
    const ImageReader image = f.Image();
    EXPECT_EQ(image.size(), kPictureDataOffset) << length;
    EXPECT_EQ(image.header().tag, 103) << length;
    EXPECT_EQ(image.bytes()[length - 1], uint8_t((length - 1) * 7 + 1)) << length;
  }
}

TEST(BuildSlideShow, RefusedBuildsLeaveTheLastImageAlone) {
  Fixture f;
  testing::WriteAllBytes(f.files.outputPath, {'o', 'l', 'd'});

  f.files.templatePath = WriteTemplate(f.dir, 600001);
  BuildOutcome outcome = f.Build();
  EXPECT_FALSE(outcome.ok);
  EXPECT_NE(outcome.message.find("more than 600000 bytes"), std::string::npos) << outcome.message;

  f.files.templatePath = "";
  outcome = f.Build();
  EXPECT_EQ(outcome.message, "an unnamed file was not found.");

  f.files.templatePath = f.dir.file("nowhere/Src.res");
  outcome = f.Build();
  EXPECT_EQ(outcome.message, f.dir.file("nowhere/Src.res") + " was not found.");

  f.files.templatePath = WriteTemplate(f.dir, 200);
  const std::string picture = WritePicture(f.dir, "p.bmp", 8, 8);
  for (int i = 0; i < 1001; ++i) f.host.AddPicture(picture);
  outcome = f.Build();
  EXPECT_FALSE(outcome.ok);
  EXPECT_NE(outcome.message.find("1001 pictures"), std::string::npos) << outcome.message;
  EXPECT_NE(outcome.message.find("1000"), std::string::npos) << outcome.message;

  EXPECT_EQ(f.host.errors.size(), 4u);  // every refusal was shown
  EXPECT_EQ(testing::ReadAllBytes(f.files.outputPath), (std::vector<uint8_t>{'o', 'l', 'd'}));
}

TEST(BuildSlideShow, WriteErrorsNameTheFileAndTheCause) {
  Fixture f;
  f.host.AddPicture(WritePicture(f.dir, "a.bmp", 16, 16));

  f.files.outputPath = "/dev/full";
  BuildOutcome outcome = f.Build();
  EXPECT_FALSE(outcome.ok);
  EXPECT_NE(outcome.message.find("/dev/full"), std::string::npos) << outcome.message;
  EXPECT_NE(outcome.message.find("No space left"), std::string::npos) << outcome.message;
  EXPECT_TRUE(std::filesystem::exists("/dev/full"));

  std::filesystem::create_directory(f.dir.file("slide.gba"));
  f.files.outputPath = f.dir.file("slide.gba");
  outcome = f.Build();
  EXPECT_FALSE(outcome.ok);
  EXPECT_NE(outcome.message.find(f.files.outputPath), std::string::npos) << outcome.message;
  EXPECT_NE(outcome.message.find("directory"), std::string::npos) << outcome.message;
  EXPECT_EQ(f.host.errors.size(), 2u);
}

TEST(BuildSlideShow, ChainOfOffsetsAndWidthRoundedDownToFour) {
  Fixture f;
  f.host.document.options.thumbnails = 0;
  f.host.AddPicture(WritePicture(f.dir, "wide.bmp", 642, 300), kSizingBoth, 3, "AB\r\nC");
  f.host.AddPicture(WritePicture(f.dir, "small.bmp", 60, 40), kSizingResizedOnly);
  ASSERT_TRUE(f.Build().ok);
  const ImageReader image = f.Image();
  const SlideRecord first = image.record(0);
  EXPECT_EQ(first.width, 640);
  EXPECT_EQ(first.height, 300);
  EXPECT_EQ(first.effect, 3);
  EXPECT_EQ(first.fullSizeData, AddressOf(632032));
  EXPECT_EQ(first.resizedData, AddressOf(1016032));
  EXPECT_EQ(first.captionText, AddressOf(1092832));
  EXPECT_EQ(first.thumbnailData, 0u);
  EXPECT_EQ(image.caption(first.captionText), "AB\r" + std::string(15, ' ') + "C");
  const SlideRecord second = image.record(1);
  EXPECT_EQ(second.resizedData, AddressOf(1092856));
  EXPECT_EQ(second.fullSizeData, 0u);
  EXPECT_EQ(image.size(), 1092856u + 240 * 160 * 2);
  for (uint64_t i = 1092852; i < 1092856; ++i) EXPECT_EQ(image.bytes()[i], 0);
  EXPECT_EQ(f.host.progress.position, f.host.progress.range);
  EXPECT_EQ(f.host.progress.range, 12);
}

// A user's picture that happens to be called Sized.bmp is neither replaced nor joined by
// working files: the build writes the image and nothing else.
TEST(BuildSlideShow, WritesNothingButTheImage) {
  Fixture f;
  const std::string picture = WritePicture(f.dir, "Sized.bmp", 300, 200);
  const std::vector<uint8_t> pictureBytes = testing::ReadAllBytes(picture);
  f.host.AddPicture(picture, kSizingBoth, 0, "caption");
  ASSERT_TRUE(f.Build().ok);
  EXPECT_EQ(testing::ReadAllBytes(picture), pictureBytes);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(f.dir.path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Sized.bmp", "Src.res", "slide.gba"}));
}

TEST(BuildSlideShow, IntroPicturesGetOnlyTheResizedVersion) {
  Fixture f;
  f.host.document.options.introCountText = "2";
  const std::string picture = WritePicture(f.dir, "p.bmp", 32, 24);
  f.host.AddPicture(picture, kSizingFullSizeOnly, 0, "intro caption");
  f.host.AddPicture(picture, kSizingBoth, 0, "intro caption");
  f.host.AddPicture(picture, kSizingFullSizeOnly, 0, "cap");
  f.host.AddPicture(picture, kSizingResizedOnly, 0, "");
  f.host.AddPicture(picture, kSizingBoth, 0, "cap");
  ASSERT_TRUE(f.Build().ok);
  const ImageReader image = f.Image();
  EXPECT_EQ(image.header().introCount, 2);
  EXPECT_EQ(image.header().pictureCount, 5);
  for (uint32_t i : {0u, 1u}) {
    const SlideRecord r = image.record(i);
    EXPECT_NE(r.resizedData, 0u);
    EXPECT_EQ(r.fullSizeData | r.thumbnailData | r.captionText, 0u) << i;
  }
  EXPECT_NE(image.record(2).fullSizeData, 0u);
  EXPECT_EQ(image.record(2).resizedData, 0u);
  EXPECT_NE(image.record(2).captionText, 0u);
  EXPECT_EQ(image.record(3).fullSizeData, 0u);
  EXPECT_EQ(image.record(3).captionText, 0u);
  for (uint32_t i : {2u, 3u, 4u}) EXPECT_NE(image.record(i).thumbnailData, 0u) << i;

  // A typed count beyond the pictures makes every picture an intro picture.
  f.host.document.options.introCountText = "99";
  ASSERT_TRUE(f.Build().ok);
  const ImageReader all = f.Image();
  EXPECT_EQ(all.header().introCount, 99);
  for (uint32_t i = 0; i < 5; ++i) EXPECT_EQ(all.record(i).fullSizeData, 0u);
}

TEST(BuildSlideShow, PictureThatNoLongerLoadsIsLeftOut) {
  Fixture f;
  f.host.AddPicture(WritePicture(f.dir, "a.bmp", 16, 16), 0, 1);
  f.host.AddPicture(WritePicture(f.dir, "b.bmp", 16, 16), 0, 2);
  f.host.AddPicture(WritePicture(f.dir, "c.bmp", 16, 16), 0, 4);
  // 1 x 300: full size 0 wide, and both smaller sizes shrink one side and grow the other.
  f.host.AddPicture(WritePicture(f.dir, "thin.bmp", 1, 300), 0, 3);
  std::filesystem::remove(f.dir.file("b.bmp"));
  const BuildOutcome outcome = f.Build();
  ASSERT_TRUE(outcome.ok);
  const ImageReader image = f.Image();
  EXPECT_EQ(image.header().pictureCount, 3);
  EXPECT_EQ(image.record(0).effect, 1);
  EXPECT_EQ(image.record(1).effect, 4);
  EXPECT_EQ(image.record(2).effect, 3);  // the slide stays, with no picture
  EXPECT_TRUE(image.slotIsEmpty(3));
  EXPECT_EQ(f.host.progress.range - f.host.progress.position, 5);
  ASSERT_EQ(f.host.leftOut.size(), 1u);
  EXPECT_NE(f.host.leftOut[0].find("b.bmp"), std::string::npos);

  // What the caller lists: where the image went, what was left out, what was not made.
  EXPECT_EQ(outcome.outputPath, f.dir.file("slide.gba"));
  EXPECT_EQ(outcome.pictureCount, 3);
  EXPECT_EQ(outcome.slidesWithPicture, 2);
  EXPECT_TRUE(outcome.incomplete());
  ASSERT_EQ(outcome.shortfalls.size(), 4u);
  EXPECT_EQ(outcome.shortfalls[0].path, f.dir.file("b.bmp"));
  EXPECT_TRUE(outcome.shortfalls[0].leftOut);
  for (std::size_t i = 1; i < 4; ++i) {
    EXPECT_EQ(outcome.shortfalls[i].path, f.dir.file("thin.bmp"));
    EXPECT_FALSE(outcome.shortfalls[i].leftOut);
  }
  EXPECT_NE(outcome.shortfalls[2].reason.find("240 x 160"), std::string::npos);
}

TEST(BuildSlideShow, OptionsAndOverridesReachHeaderAndRecords) {
  Fixture f;
  const std::string picture = WritePicture(f.dir, "p.bmp", 32, 24);
  f.host.AddPicture(picture, kSizingBoth, 1, "\n");
  f.host.AddPicture(picture, kSizingResizedOnly, 2, "");
  SlideshowOptions& o = f.host.document.options;
  o.introCountText = "";
  o.secondsText = "60";
  o.timeLimit = 1;
  o.keyUse = 0;
  o.helpScreen = 1;
  o.thumbnails = 0;
  o.effectOverride = 1;
  o.effectOverrideIndex = 5;
  o.sizingOverride = 1;
  o.sizingOverrideIndex = kSizingFullSizeOnly;
  ASSERT_TRUE(f.Build().ok);
  ImageReader image = f.Image();
  // tag 103, 2 pictures, no intro, thumbnails 0, help screen 1, time limit 1, 60000 ms,
  // key use 0.
  const std::vector<uint8_t> header(image.bytes().begin() + 600000, image.bytes().begin() + 600014);
  EXPECT_EQ(header, (std::vector<uint8_t>{0x67, 0, 2, 0, 0, 0, 0, 1, 1, 0, 0x60, 0xEA, 0, 0}));
  for (uint32_t i : {0u, 1u}) {
    const SlideRecord r = image.record(i);
    EXPECT_EQ(r.effect, 5);
    EXPECT_NE(r.fullSizeData, 0u);
    EXPECT_EQ(r.resizedData, 0u);
    EXPECT_EQ(r.thumbnailData, 0u);
  }
  // A single line feed makes a block of one 0 byte, still pointed at.
  EXPECT_NE(image.record(0).captionText, 0u);
  EXPECT_EQ(image.bytes()[ImageReader::OffsetOf(image.record(0).captionText)], 0);
  EXPECT_EQ(image.record(1).captionText, 0u);

  // Override lists that select nothing: effect 255, and no full-size or resized data.
  o.secondsText = "";
  o.effectOverrideIndex = -1;
  o.sizingOverrideIndex = -1;
  o.textDisplay = 0;
  ASSERT_TRUE(f.Build().ok);
  image = f.Image();
  EXPECT_EQ(image.header().slideTimeMs, 0);
  EXPECT_EQ(image.record(0).effect, 255);
  EXPECT_EQ(image.record(0).fullSizeData | image.record(0).resizedData, 0u);
  EXPECT_EQ(image.record(0).captionText, 0u);
}

TEST(BuildSlideShow, ShowLargerThanTheCartridgeFailsNamingThePicture) {
  Fixture f;
  // An 8-bit BMP keeps the file small; its full size alone is 18 MB of pixels.
  auto big = testing::MakeSurface8(3000, 3000, {{10, 20, 30}}, [](int, int) { return 0; });
  const std::string path = f.dir.file("big.bmp");
  testing::SaveBmp(big.get(), path);
  f.host.AddPicture(path);
  f.host.AddPicture(path);
  const BuildOutcome outcome = f.Build();
  EXPECT_FALSE(outcome.ok);
  EXPECT_NE(outcome.message.find("picture 2"), std::string::npos) << outcome.message;
  EXPECT_NE(outcome.message.find("32 MiB"), std::string::npos) << outcome.message;
  EXPECT_NE(outcome.message.find("Resized Only"), std::string::npos) << outcome.message;
  EXPECT_EQ(f.host.progress.steps, 0);  // refused before anything was converted
  EXPECT_FALSE(std::filesystem::exists(f.files.outputPath));

  // A picture deleted since its row was made is left out, not counted.
  const std::string gone = f.dir.file("gone.bmp");
  testing::SaveBmp(big.get(), gone);
  f.host.document.rows.clear();
  f.host.AddPicture(gone);
  f.host.AddPicture(path);
  std::filesystem::remove(gone);
  const BuildOutcome fits = f.Build();
  EXPECT_TRUE(fits.ok) << fits.message;
  EXPECT_EQ(fits.pictureCount, 1);
  std::filesystem::remove(f.files.outputPath);
  f.host.document.rows = {f.host.document.rows[1], f.host.document.rows[1]};

  // Rows whose sizes are not known are found out while the image is written.
  for (PictureEntry& row : f.host.document.rows) row.pictureWidth = row.pictureHeight = 0;
  const BuildOutcome late = f.Build();
  EXPECT_FALSE(late.ok);
  EXPECT_NE(late.message.find("picture 2"), std::string::npos) << late.message;
  EXPECT_GT(f.host.progress.steps, 0);
  EXPECT_FALSE(std::filesystem::exists(f.files.outputPath));
}

// However many workers prepare the pictures, and whichever way the resampler adds (each
// path on this processor's instructions or on the stand-ins of a processor without them),
// the image, the pictures left out and the notes are those of one worker, in show order:
// pictures of every kind, read in place or converted, with sizes that take every pass,
// intro pictures and a picture that is gone.
TEST(BuildSlideShow, EveryPathAndNumberOfWorkersWritesTheSameImage) {
  Fixture f;
  const std::vector<std::string> pictures = {
      testing::TestDataPath("picture.jpg"),           testing::TestDataPath("picture-24bit.png"),
      testing::TestDataPath("picture.gif"),           testing::TestDataPath("picture-8bit.bmp"),
      testing::TestDataPath("orientation-6.jpg"),     testing::TestDataPath("picture-32bit.png"),
      testing::TestDataPath("cmyk-adobe.jpg"),        WritePicture(f.dir, "wide.bmp", 643, 301),
      WritePicture(f.dir, "thin.bmp", 3, 10),         WritePicture(f.dir, "gone.bmp", 8, 8),
      testing::TestDataPath("transparent-entry.png"), WritePicture(f.dir, "large.bmp", 1203, 803)};
  for (std::size_t i = 0; i < pictures.size() * 2; ++i)
    f.host.AddPicture(pictures[i % pictures.size()], static_cast<int>(i % 3),
                      static_cast<int>(i % 9), i % 2 ? "A caption" : "");
  std::filesystem::remove(f.dir.file("gone.bmp"));
  f.host.document.options.introCountText = "3";
  f.host.document.options.thumbnails = 1;

  f.host.workers = 1;
  ASSERT_TRUE(f.Build().ok);
  const std::vector<uint8_t> alone = testing::ReadAllBytes(f.files.outputPath);
  const std::vector<std::string> leftOut = f.host.leftOut, notes = f.host.notes;
  ASSERT_EQ(leftOut.size(), 2u);
  const auto expectSameImage = [&](unsigned workers, const std::string& how) {
    f.host.workers = workers;
    f.host.leftOut.clear();
    f.host.notes.clear();
    ASSERT_TRUE(f.Build().ok) << how;
    EXPECT_EQ(testing::ReadAllBytes(f.files.outputPath), alone) << how;
    EXPECT_EQ(f.host.leftOut, leftOut) << how;
    EXPECT_EQ(f.host.notes, notes) << how;
  };
  for (const unsigned workers : {2u, 3u, 8u, 0u})
    expectSameImage(workers, std::to_string(workers) + " workers");
  for (const ShrinkPath path : {ShrinkPath::kPortable, ShrinkPath::kAvx2, ShrinkPath::kAvx512})
    for (const bool standIns : {false, true}) {
      const ShrinkPathForTests forced(path, standIns);
      for (const unsigned workers : {1u, 2u})
        expectSameImage(workers, "path " + std::to_string(static_cast<int>(path)) +
                                     (standIns ? " on stand-ins, " : ", ") +
                                     std::to_string(workers) + " workers");
    }
}

// Photographs shrunk in their decoders as their rows come (JPEG files) give the image that
// the same pixels give decoded whole (BMP files of the decoded pictures): every fit, one
// worker or two, every shrinking path.
TEST(BuildSlideShow, PhotographsShrunkAsTheyAreDecodedGiveTheImageOfTheirDecodedPixels) {
  Fixture jpegs, bmps;
  const std::vector<std::string> names = {"photo-480x320.jpg", "photo-501x333.jpg",
                                          "jpeg-progressive.jpg"};
  for (const std::string& name : names) {
    const LoadedPicture loaded = LoadPicture(testing::TestDataPath(name));
    ASSERT_TRUE(loaded) << name;
    std::vector<uint8_t> file;
    const std::size_t length = SavePictureAsBmp(loaded.surface.get(), 1 << 20, file);
    ASSERT_GT(length, 0u) << name;
    file.resize(length);
    const std::string copy = bmps.dir.file(name + ".bmp");
    testing::WriteAllBytes(copy, file);
    for (int sizing : {kSizingBoth, kSizingResizedOnly}) {
      jpegs.host.AddPicture(testing::TestDataPath(name), sizing, 3, "A caption");
      bmps.host.AddPicture(copy, sizing, 3, "A caption");
    }
  }
  for (Fixture* f : {&jpegs, &bmps}) f->host.document.options.thumbnails = 1;
  for (const Fit fit : {kFitStretch, kFitWholePicture, kFitFillScreen})
    for (const ShrinkPath path : {ShrinkPath::kPortable, ShrinkPath::kAvx2, ShrinkPath::kAvx512})
      for (const unsigned workers : {1u, 2u}) {
        const ShrinkPathForTests forced(path, false);
        for (Fixture* f : {&jpegs, &bmps}) {
          for (PictureEntry& row : f->host.document.rows)
            row.fitLabel = std::string(kFitLabels[fit]);
          f->host.workers = workers;
          ASSERT_TRUE(f->Build().ok);
        }
        EXPECT_EQ(testing::ReadAllBytes(jpegs.files.outputPath),
                  testing::ReadAllBytes(bmps.files.outputPath))
            << "fit " << fit << ", path " << static_cast<int>(path) << ", " << workers
            << " workers";
      }
}

TEST(BuildSlideShow, PictureTooLargeToLoadIsLeftOutWithTheReason) {
  Fixture f;
  f.host.AddPicture(WritePicture(f.dir, "a.bmp", 8, 8));
  // An 8-bit BMP of 16384 x 1, written by hand: the picture library refuses surfaces this
  // wide, so the row stays in the list but the picture cannot go into the image.
  const uint32_t width = 16384, paletteBytes = 1024, offset = 14 + 40 + paletteBytes;
  std::vector<uint8_t> bmp(offset + width, 0);
  auto put = [&](std::size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) bmp[at + i] = uint8_t(v >> (8 * i));
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put(2, static_cast<uint32_t>(bmp.size()), 4);
  put(10, offset, 4);
  put(14, 40, 4);
  put(18, width, 4);
  put(22, 1, 4);
  put(26, 1, 2);
  put(28, 8, 2);
  put(34, width, 4);
  testing::WriteAllBytes(f.dir.file("huge.bmp"), bmp);
  f.host.document.rows.push_back(f.host.document.rows[0]);
  f.host.document.rows[1].path = f.dir.file("huge.bmp");

  ASSERT_TRUE(f.Build().ok);
  EXPECT_EQ(f.Image().header().pictureCount, 1);
  ASSERT_EQ(f.host.leftOut.size(), 1u);
  EXPECT_NE(f.host.leftOut[0].find("huge.bmp"), std::string::npos);
  EXPECT_NE(f.host.leftOut[0].find("too large"), std::string::npos) << f.host.leftOut[0];
}

}  // namespace
}  // namespace varnel
