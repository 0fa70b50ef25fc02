#include "builder/pixel_writer.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "builder/rom_layout.h"
#include "files/file_error.h"
#include "tests/builder/conversion_fixtures.h"
#include "tests/support/surface_pixels.h"

namespace varnel {
namespace {

using testing::WritePixels;

using testing::Rgb;
using testing::TempDir;

// An output image of the given length, positioned at its start.
BinaryFile ImageOfLength(const TempDir& dir, uint64_t length) {
  BinaryFile file = BinaryFile::Create(dir.file("slide.gba"));
  file.WriteZeros(length);
  file.Seek(0);
  return file;
}

std::vector<uint8_t> BytesFrom(BinaryFile& file, uint64_t offset) {
  file.Close();
  const std::vector<uint8_t> all = testing::ReadAllBytes(file.path());
  return {all.begin() + static_cast<std::ptrdiff_t>(offset), all.end()};
}

SurfacePtr Surface(int width, int height, int bits, uint32_t r, uint32_t g, uint32_t b, uint32_t a,
                   const std::vector<uint32_t>& pixels) {
  SurfacePtr surface(SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, bits, r, g, b, a));
  SurfaceLock lock(surface.get());
  const int bytes = surface->format->BytesPerPixel;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int k = 0; k < bytes; ++k)
        static_cast<uint8_t*>(surface->pixels)[y * surface->pitch + x * bytes + k] =
            static_cast<uint8_t>(pixels[y * width + x] >> (8 * k));
  return surface;
}

TEST(WritePixels, WritesTopFiveBitsOfEachChannelLowByteFirst) {
  TempDir dir;
  const std::vector<Rgb> colours = {{255, 255, 255}, {255, 0, 0}, {255, 128, 0}, {8, 8, 8},
                                    {7, 7, 7},       {0, 0, 0},   {0, 255, 0},   {0, 0, 255}};
  SurfacePtr picture =
      testing::MakeSurface24(4, 2, [&](int x, int y) { return colours[y * 4 + x]; });
  BinaryFile image = ImageOfLength(dir, kPictureDataOffset);
  SurfaceLock lock(picture.get());
  EXPECT_EQ(WritePixels(image, picture.get()), kPictureDataOffset);
  EXPECT_EQ(BytesFrom(image, kPictureDataOffset),
            (std::vector<uint8_t>{0xFF, 0x7F, 0x1F, 0x00, 0x1F, 0x02, 0x21, 0x04,  // top row
                                  0x00, 0x00, 0x00, 0x00, 0xE0, 0x03, 0x00, 0x7C}));
}

TEST(WritePixels, AppendsAfterTheLengthModuloSixteenInZeroBytes) {
  EXPECT_EQ(AlignmentBytesFor(32), 0U);
  EXPECT_EQ(AlignmentBytesFor(33), 1U);
  EXPECT_EQ(AlignmentBytesFor(40), 8U);
  EXPECT_EQ(AlignmentBytesFor(47), 15U);
  SurfacePtr white = testing::MakeSurface24(4, 1, [](int, int) { return Rgb{255, 255, 255}; });
  for (const auto& [extra, start] :
       {std::pair{0, 632032}, std::pair{1, 632034}, std::pair{15, 632062}}) {
    TempDir dir;
    BinaryFile image = ImageOfLength(dir, kPictureDataOffset + extra);
    const uint8_t byte = 0xAB;
    image.Write(&byte, 1);  // the file's position is not where the pixels go
    image.Seek(0);
    SurfaceLock lock(white.get());
    EXPECT_EQ(WritePixels(image, white.get()), static_cast<uint32_t>(start));
    EXPECT_EQ(image.Length(), static_cast<uint64_t>(start) + 8);
    std::vector<uint8_t> expected(static_cast<std::size_t>(extra), 0);  // alignment bytes
    for (int i = 0; i < 4; ++i) expected.insert(expected.end(), {0xFF, 0x7F});
    EXPECT_EQ(BytesFrom(image, kPictureDataOffset + extra), expected);
  }
}

TEST(WritePixels, DecodesPalettesAndEveryDirectDepth) {
  TempDir dir;
  // Palette: an index past the palette gives black.
  SurfacePtr palette = testing::MakeSurface8(4, 1, {{255, 128, 0}, {8, 8, 8}, {1, 2, 255}},
                                             [](int x, int) { return uint8_t(x == 3 ? 200 : x); });
  palette->format->palette->ncolors = 3;
  // 16 bits, red 5 green 6 blue 5: masks that cross bytes.
  SurfacePtr rgb565 = Surface(4, 1, 16, 0xF800, 0x07E0, 0x001F, 0,
                              {0xFFFF, 16u << 11 | 32u << 5 | 8u, 0xF800, 0x0000});
  // 32 bits with alpha: the alpha byte is ignored.
  SurfacePtr argb = Surface(4, 1, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000,
                            {0x00FFFFFF, 0x12FF8000, 0xFF080808, 0x80070707});
  const std::vector<std::pair<SDL_Surface*, std::vector<uint8_t>>> cases = {
      {palette.get(), {0x1F, 0x02, 0x21, 0x04, 0x00, 0x7C, 0x00, 0x00}},
      {rgb565.get(), {0xFF, 0x7F, 0x10, 0x22, 0x1F, 0x00, 0x00, 0x00}},
      {argb.get(), {0xFF, 0x7F, 0x1F, 0x02, 0x21, 0x04, 0x00, 0x00}}};
  for (const auto& [surface, expected] : cases) {
    BinaryFile image = ImageOfLength(dir, 32);
    SurfaceLock lock(surface);
    EXPECT_EQ(WritePixels(image, surface), 32U);
    EXPECT_EQ(BytesFrom(image, 32), expected) << int(surface->format->BitsPerPixel);
  }
}

// Whole surfaces of random pixels, rows read by their pitch: each pixel as SDL_GetRGB
// decodes it, with bit 15 never set.
TEST(WritePixels, MatchesSdlGetRgbForEveryPixel) {
  TempDir dir;
  std::mt19937 random(9);
  std::vector<uint32_t> values(5 * 3);
  for (uint32_t& v : values) v = random();
  for (int bits : {24, 32}) {
    SurfacePtr surface = Surface(5, 3, bits, 0x0000FF, 0x00FF00, 0xFF0000, 0, values);
    BinaryFile image = ImageOfLength(dir, 16);
    SurfaceLock lock(surface.get());
    ASSERT_EQ(WritePixels(image, surface.get()), 16U);
    const std::vector<uint8_t> bytes = BytesFrom(image, 16);
    ASSERT_EQ(bytes.size(), 5U * 3 * 2);
    for (int i = 0; i < 15; ++i) {
      const Rgb c = testing::SurfaceColour(surface.get(), i % 5, i / 5);
      EXPECT_EQ(bytes[i * 2] | bytes[i * 2 + 1] << 8, Rgb15(c.r, c.g, c.b)) << bits << " " << i;
      EXPECT_EQ(bytes[i * 2 + 1] & 0x80, 0);
    }
  }
}

TEST(WritePixels, RefusesSurfacesOfOtherKindsAndReportsWriteErrors) {
  TempDir dir;
  SurfacePtr oneBit(SDL_CreateRGBSurface(SDL_SWSURFACE, 8, 1, 1, 0, 0, 0, 0));
  ASSERT_TRUE(oneBit);
  BinaryFile image = ImageOfLength(dir, 33);
  EXPECT_EQ(WritePixels(image, oneBit.get()), 0U);
  EXPECT_EQ(WritePixels(image, nullptr), 0U);
  EXPECT_EQ(image.Length(), 33U);

  SurfacePtr white = testing::MakeSurface24(4, 1, [](int, int) { return Rgb{255, 255, 255}; });
  testing::WriteAllBytes(dir.file("readonly.gba"), std::vector<uint8_t>(32, 0));
  BinaryFile readOnly = BinaryFile::OpenForReading(dir.file("readonly.gba"));
  SurfaceLock lock(white.get());
  EXPECT_THROW(WritePixels(readOnly, white.get()), FileError);
}

}  // namespace
}  // namespace varnel
