#include "builder/encode_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "builder/conversion_source.h"
#include "builder/pixel_writer.h"
#include "builder/resize_bitmap.h"
#include "builder/rom_layout.h"
#include "files/file_error.h"
#include "tests/builder/conversion_fixtures.h"
#include "tests/support/bmp_files.h"
#include "tests/support/picture_conversion.h"

namespace varnel {
namespace {

using testing::EncodeFromSource;
using testing::EncodePicture;
using testing::LoadBmpFile;
using testing::ResizeBitmap;

using testing::Rgb;
using testing::TempDir;

class RecordingPreview final : public PreviewSink {
 public:
  struct Call {
    std::string what;
    int x = 0, y = 0, width = 0, height = 0;  // the rectangle shown
    int pictureWidth = 0, pictureHeight = 0;
    bool operator==(const Call&) const = default;
  };
  void ShowPicture(const BitmapView& picture, int x, int y, int width, int height) override {
    calls.push_back({"show", x, y, width, height, picture.width(), picture.height()});
  }
  void RestorePreview() override { calls.push_back({"restore"}); }
  std::vector<Call> calls;
};

// A conversion into an image that already holds the builder's layout area.
class EncodePictureTest : public ::testing::Test {
 protected:
  EncodePictureTest() : image(BinaryFile::Create(dir.file("slide.gba"))) {
    image.WriteZeros(kPictureDataOffset + 5);
  }
  uint32_t Encode(SDL_Surface* picture, uint16_t width, uint16_t height) {
    return EncodePicture(image, picture, width, height, {&preview});
  }
  // The 15-bit pixels the image holds from an offset on, as values.
  std::vector<uint16_t> PixelsFrom(uint32_t offset) {
    image.Flush();
    const std::vector<uint8_t> bytes = testing::ReadAllBytes(image.path());
    std::vector<uint16_t> pixels;
    for (std::size_t i = offset; i + 1 < bytes.size(); i += 2)
      pixels.push_back(static_cast<uint16_t>(bytes[i] | bytes[i + 1] << 8));
    return pixels;
  }

  TempDir dir;
  BinaryFile image;
  RecordingPreview preview;
};

// The colour SDL saves for a pixel: translucent pixels are blended onto black.
uint16_t SavedColour(SDL_Surface* picture, int x, int y) {
  uint8_t r, g, b, a = 255;
  if ((picture->flags & SDL_SRCALPHA) != 0 && picture->format->Amask != 0)
    SDL_GetRGBA(testing::SurfacePixel(picture, x, y), picture->format, &r, &g, &b, &a);
  else
    SDL_GetRGB(testing::SurfacePixel(picture, x, y), picture->format, &r, &g, &b);
  const auto blend = [a](uint8_t v) { return static_cast<uint8_t>((v * a + 255) >> 8); };
  return Rgb15(blend(r), blend(g), blend(b));
}

TEST_F(EncodePictureTest, PlacesThePreviewAndPutsItBack) {
  SurfacePtr small = testing::MakeSurface24(100, 75, [](int, int) { return Rgb{1, 2, 3}; });
  SurfacePtr large = testing::MakeSurface24(640, 480, [](int, int) { return Rgb{1, 2, 3}; });
  ASSERT_NE(Encode(small.get(), 100, 75), 0U);
  ASSERT_NE(Encode(large.get(), 640, 480), 0U);
  ASSERT_NE(Encode(large.get(), 60, 40), 0U);
  using Call = RecordingPreview::Call;
  EXPECT_EQ(preview.calls, (std::vector<Call>{{"show", 80, 292, 100, 75, 100, 75},
                                              {"restore"},
                                              {"show", 10, 250, 240, 160, 640, 480},
                                              {"restore"},
                                              {"show", 100, 310, 60, 40, 60, 40},
                                              {"restore"}}));
}

TEST_F(EncodePictureTest, ConvertsEveryInputFormat) {
  for (const char* name :
       {"picture-8bit.bmp", "picture-24bit.bmp", "picture-32bit.bmp", "picture-palette.png",
        "picture-24bit.png", "picture-32bit.png", "picture.jpg", "picture.gif"}) {
    SurfacePtr picture = LoadPicture(testing::TestDataPath(name)).surface;
    ASSERT_TRUE(picture) << name;
    ASSERT_EQ(picture->w, 48);
    const uint32_t full = Encode(picture.get(), 48, 32);
    ASSERT_NE(full, 0U) << name;
    const std::vector<uint16_t> pixels = PixelsFrom(full);
    ASSERT_EQ(pixels.size(), 48U * 32);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 48; ++x)
        ASSERT_EQ(pixels[y * 48 + x], SavedColour(picture.get(), x, y))
            << name << " " << x << "," << y;

    for (const auto& [w, h] : {std::pair{240, 160}, std::pair{60, 40}}) {
      const uint64_t before = image.Length();
      const uint32_t offset = Encode(picture.get(), w, h);
      EXPECT_EQ(offset, before + before % 16) << name;
      EXPECT_EQ(image.Length(), offset + 2U * w * h) << name;
    }
  }
  // Colours known from the patterns: the orange block of the palette pictures, and the
  // translucent middle third of the PNG (red 100 at x = 20 blended at alpha 128 gives 50).
  for (const char* name : {"picture-8bit.bmp", "picture-palette.png", "picture.gif"}) {
    SurfacePtr picture = LoadPicture(testing::TestDataPath(name)).surface;
    EXPECT_EQ(PixelsFrom(Encode(picture.get(), 48, 32))[8 * 48 + 24], 0x021F) << name;
  }
  SurfacePtr translucent = LoadPicture(testing::TestDataPath("picture-32bit.png")).surface;
  EXPECT_EQ(PixelsFrom(Encode(translucent.get(), 48, 32))[20] & 0x1F, 50 >> 3);
}

TEST_F(EncodePictureTest, ResizesKeepingEveryChannelAndWritesNoOtherFile) {
  SurfacePtr picture = testing::MakeSurface24(300, 100, [](int x, int y) {
    return Rgb{uint8_t(x), uint8_t(y * 2), uint8_t(x ^ y)};
  });
  testing::SaveBmp(picture.get(), dir.file("source.bmp"));
  const std::optional<Bitmap> expected = ResizeBitmap(*LoadBmpFile(dir.file("source.bmp")), 60, 40);
  ASSERT_TRUE(expected);

  const uint32_t offset = Encode(picture.get(), 60, 40);
  ASSERT_EQ(offset, kPictureDataOffset + 10);  // 5 alignment bytes after a length of 16q + 5
  const std::vector<uint16_t> pixels = PixelsFrom(offset);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) {
      const Rgb c = testing::BitmapColour(*expected, x, y);
      ASSERT_EQ(pixels[y * 60 + x], Rgb15(c.r, c.g, c.b)) << x << "," << y;
    }
  // The picture's trips through BMP files stay in memory: the folder holds what it held.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"slide.gba", "source.bmp"}));
}

TEST_F(EncodePictureTest, FailuresAppendNothingAndPutThePreviewBack) {
  SurfacePtr wide = testing::MakeSurface24(300, 100, [](int, int) { return Rgb{9, 9, 9}; });
  SurfacePtr tall = testing::MakeSurface24(100, 300, [](int, int) { return Rgb{9, 9, 9}; });
  SurfacePtr narrow = testing::MakeSurface24(3, 10, [](int, int) { return Rgb{9, 9, 9}; });
  image.Seek(7);
  image.Flush();
  const std::vector<uint8_t> before = testing::ReadAllBytes(image.path());
  EXPECT_EQ(Encode(wide.get(), 240, 160), 0U);  // width shrinks while height grows
  EXPECT_EQ(Encode(tall.get(), 240, 160), 0U);
  EXPECT_EQ(Encode(narrow.get(), 0, 10), 0U);  // full size of a picture narrower than 4
  EXPECT_EQ(Encode(wide.get(), 60, 0), 0U);
  EXPECT_EQ(Encode(nullptr, 60, 40), 0U);
  EXPECT_EQ(preview.calls, std::vector<RecordingPreview::Call>(5, {"restore"}));
  EXPECT_EQ(image.Position(), 7U);  // a failed call does not move the file
  image.Flush();
  EXPECT_EQ(testing::ReadAllBytes(image.path()), before);
  EXPECT_EQ(image.Length(), before.size());
}

TEST_F(EncodePictureTest, LetsAWriteErrorOnTheImageThrough) {
  SurfacePtr picture = testing::MakeSurface24(48, 32, [](int, int) { return Rgb{9, 9, 9}; });
  testing::WriteAllBytes(dir.file("readonly.gba"), std::vector<uint8_t>(32, 0));
  BinaryFile readOnly = BinaryFile::OpenForReading(dir.file("readonly.gba"));
  EXPECT_THROW(EncodePicture(readOnly, picture.get(), 48, 32, {&preview}), FileError);
  ASSERT_FALSE(preview.calls.empty());
  EXPECT_EQ(preview.calls.back().what, "restore");
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

// The builder makes each picture into a source once and makes all its versions from that
// source; every version must come out as a conversion of its own would.
TEST(EncodeFromSource, GivesTheBytesOfAConversionOfItsOwn) {
  testing::TempDir dir;
  SurfacePtr picture = LoadPicture(testing::TestDataPath("picture.jpg")).surface;
  ASSERT_TRUE(picture);
  const ConversionContext context{nullptr};
  std::vector<uint8_t> saved;
  // The source's buffer first holds a larger picture, as it does in a build.
  Bitmap source;
  SurfacePtr larger = testing::MakeSurface24(300, 200, [](int x, int y) {
    return Rgb{uint8_t(x), uint8_t(y), 99};
  });
  ASSERT_TRUE(MakeConversionSource(larger.get(), source, saved));
  ASSERT_TRUE(MakeConversionSource(picture.get(), source, saved));
  EXPECT_EQ(source.width, 48);
  const std::vector<uint8_t> sourceRows = source.rows;
  for (const auto& [w, h] : {std::pair{48, 32}, std::pair{44, 32}, std::pair{240, 160},
                             std::pair{60, 40}, std::pair{24, 16}, std::pair{300, 20}}) {
    BinaryFile alone = BinaryFile::Create(dir.file("alone.gba"));
    BinaryFile shared = BinaryFile::Create(dir.file("shared.gba"));
    alone.WriteZeros(kPictureDataOffset + 3);
    shared.WriteZeros(kPictureDataOffset + 3);
    const uint32_t expected = EncodePicture(alone, picture.get(), static_cast<uint16_t>(w),
                                            static_cast<uint16_t>(h), context);
    EXPECT_EQ(EncodeFromSource(shared, source, static_cast<uint16_t>(w), static_cast<uint16_t>(h),
                               context),
              expected)
        << w << "x" << h;
    alone.Close();
    shared.Close();
    EXPECT_EQ(testing::ReadAllBytes(dir.file("alone.gba")),
              testing::ReadAllBytes(dir.file("shared.gba")))
        << w << "x" << h;
  }
  EXPECT_EQ(source.rows, sourceRows);  // the source is left as it was
}

}  // namespace
}  // namespace varnel
