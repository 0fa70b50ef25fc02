// The conversion's two trips through BMP files are made in memory; these cases hold them
// to what the files themselves give: the picture saved by the picture library and read
// back as 24-bit rows, and the resized rows written as a 24-bit BMP file and loaded again.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "builder/bitmap_info.h"
#include "builder/conversion_source.h"
#include "builder/pixel_writer.h"
#include "tests/builder/conversion_fixtures.h"
#include "tests/support/bmp_files.h"
#include "tests/support/surface_pixels.h"

namespace varnel {
namespace {

using testing::LoadBmpFile;
using testing::MakeBitmapInfo;
using testing::WriteBmpFile;
using testing::WritePixels;

using testing::Rgb;
using testing::TempDir;

// The rows the resampler read when the picture went through a file.
Bitmap SourceThroughAFile(SDL_Surface* picture, const TempDir& dir) {
  testing::SaveBmp(picture, dir.file("saved.bmp"));
  const std::optional<Bitmap> loaded = LoadBmpFile(dir.file("saved.bmp"));
  if (!loaded) throw std::runtime_error("the saved picture did not load");
  return *loaded;
}

// The used bytes of every row (padding is never read).
std::vector<uint8_t> PixelBytes(const Bitmap& bitmap) {
  std::vector<uint8_t> bytes;
  for (int y = 0; y < bitmap.height; ++y) {
    const uint8_t* row = bitmap.rows.data() + static_cast<std::size_t>(y) * bitmap.stride();
    bytes.insert(bytes.end(), row, row + static_cast<std::ptrdiff_t>(bitmap.width) * 3);
  }
  return bytes;
}

SurfacePtr RandomSurface(int width, int height, int bits, uint32_t r, uint32_t g, uint32_t b,
                         uint32_t a, uint32_t seed) {
  SurfacePtr surface(SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, bits, r, g, b, a));
  if (!surface) throw std::runtime_error("SDL_CreateRGBSurface failed");
  std::mt19937 random(seed);
  SurfaceLock lock(surface.get());
  auto* pixels = static_cast<uint8_t*>(surface->pixels);
  for (int i = 0; i < surface->pitch * height; ++i) pixels[i] = static_cast<uint8_t>(random());
  return surface;
}

TEST(ConversionSource, GivesTheRowsOfThePictureSavedAndReadBack) {
  TempDir dir;
  std::vector<std::pair<std::string, SurfacePtr>> pictures;
  for (const char* name :
       {"picture-8bit.bmp", "picture-24bit.bmp", "picture-32bit.bmp", "picture-palette.png",
        "picture-24bit.png", "picture-32bit.png", "picture.jpg", "picture.gif"})
    pictures.emplace_back(name, LoadPicture(testing::TestDataPath(name)).surface);
  uint32_t seed = 1;
  // Red first (as decoded JPEGs are) and blue first, at widths with every row padding.
  for (int width = 1; width <= 9; ++width) {
    pictures.emplace_back("rgb" + std::to_string(width),
                          RandomSurface(width, 3, 24, 0xFF, 0xFF00, 0xFF0000, 0, seed++));
    pictures.emplace_back("bgr" + std::to_string(width),
                          RandomSurface(width, 3, 24, 0xFF0000, 0xFF00, 0xFF, 0, seed++));
  }
  // A colour key or translucency changes what the save writes.
  SurfacePtr keyed = RandomSurface(7, 5, 24, 0xFF, 0xFF00, 0xFF0000, 0, seed++);
  SDL_SetColorKey(keyed.get(), SDL_SRCCOLORKEY, testing::SurfacePixel(keyed.get(), 2, 2));
  pictures.emplace_back("keyed rgb", std::move(keyed));
  SurfacePtr keyedBgr = RandomSurface(7, 5, 24, 0xFF0000, 0xFF00, 0xFF, 0, seed++);
  SDL_SetColorKey(keyedBgr.get(), SDL_SRCCOLORKEY, testing::SurfacePixel(keyedBgr.get(), 2, 2));
  pictures.emplace_back("keyed bgr", std::move(keyedBgr));
  SurfacePtr faded = RandomSurface(6, 4, 24, 0xFF, 0xFF00, 0xFF0000, 0, seed++);
  SDL_SetAlpha(faded.get(), SDL_SRCALPHA, 100);
  pictures.emplace_back("surface alpha", std::move(faded));
  pictures.emplace_back("rgba",
                        RandomSurface(5, 4, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000, seed++));
  pictures.emplace_back("rgb565", RandomSurface(5, 4, 16, 0xF800, 0x07E0, 0x001F, 0, seed++));
  pictures.emplace_back("xrgb", RandomSurface(3, 2, 32, 0xFF0000, 0xFF00, 0xFF, 0, seed++));

  Bitmap source;  // one buffer serves every picture, as in a build
  std::vector<uint8_t> saved;
  for (const auto& [name, picture] : pictures) {
    ASSERT_TRUE(picture) << name;
    const Bitmap expected = SourceThroughAFile(picture.get(), dir);
    ASSERT_TRUE(MakeConversionSource(picture.get(), source, saved)) << name;
    EXPECT_EQ(source.width, expected.width) << name;
    EXPECT_EQ(source.height, expected.height) << name;
    EXPECT_EQ(PixelBytes(source), PixelBytes(expected)) << name;
  }
  EXPECT_FALSE(MakeConversionSource(nullptr, source, saved));
}

// The pixels of the resized rows as the picture library reads their 24-bit BMP file back.
std::vector<uint8_t> PixelsThroughAFile(const Bitmap& bitmap, const TempDir& dir) {
  const std::optional<BitmapInfo> info = MakeBitmapInfo(bitmap);
  if (!info || !WriteBmpFile(dir.file("sized.bmp"), *info, bitmap))
    throw std::runtime_error("cannot write sized.bmp");
  SurfacePtr back = LoadPicture(dir.file("sized.bmp")).surface;
  BinaryFile out = BinaryFile::Create(dir.file("through-file.bin"));
  out.WriteZeros(3);
  SurfaceLock lock(back.get());
  if (WritePixels(out, back.get()) == 0) throw std::runtime_error("WritePixels refused");
  out.Close();
  return testing::ReadAllBytes(dir.file("through-file.bin"));
}

TEST(WriteBitmapPixels, GivesTheBytesOfTheBmpFileReadBack) {
  TempDir dir;
  uint32_t seed = 40;
  for (const auto& [w, h] :
       {std::pair{4, 1}, std::pair{1, 3}, std::pair{5, 2}, std::pair{6, 7}, std::pair{7, 3},
        std::pair{9, 2}, std::pair{10, 2}, std::pair{17, 3}, std::pair{18, 1}, std::pair{33, 2},
        std::pair{60, 40}, std::pair{240, 160}}) {
    const Bitmap bitmap = testing::RandomBitmap(w, h, seed++);
    BinaryFile out = BinaryFile::Create(dir.file("in-memory.bin"));
    out.WriteZeros(3);
    EXPECT_EQ(WriteBitmapPixels(out, bitmap), 6U) << w << "x" << h;  // 3 + 3 alignment bytes
    out.Close();
    const std::vector<uint8_t> expected = PixelsThroughAFile(bitmap, dir);
    EXPECT_EQ(testing::ReadAllBytes(dir.file("in-memory.bin")), expected) << w << "x" << h;
    // The same picture read where a decoder left it: top-down rows, red first.
    std::vector<uint8_t> decoded(static_cast<std::size_t>(w) * 3 * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        for (int c = 0; c < 3; ++c)
          decoded[(static_cast<std::size_t>(y) * w + x) * 3 + static_cast<std::size_t>(2 - c)] =
              testing::ChannelAt(bitmap, x, h - 1 - y, c);
    BinaryFile viewOut = BinaryFile::Create(dir.file("view.bin"));
    viewOut.WriteZeros(3);
    WriteBitmapPixels(viewOut, BitmapView::OfTopDown(decoded.data(), w, h,
                                                     static_cast<std::size_t>(w) * 3, true));
    viewOut.Close();
    EXPECT_EQ(testing::ReadAllBytes(dir.file("view.bin")), expected) << w << "x" << h;
  }
  // The top row comes first: one red pixel above one blue one.
  const Bitmap twoRows = testing::MakeBitmap(1, 2, [](int, int y, int c) {
    return uint8_t((y == 0 && c == 0) || (y == 1 && c == 2) ? 255 : 0);
  });
  BinaryFile out = BinaryFile::Create(dir.file("two.bin"));
  out.WriteZeros(16);
  EXPECT_EQ(WriteBitmapPixels(out, twoRows), 16U);
  out.Close();
  const std::vector<uint8_t> bytes = testing::ReadAllBytes(dir.file("two.bin"));
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 16, bytes.end()),
            (std::vector<uint8_t>{0x1F, 0x00, 0x00, 0x7C}));
}

}  // namespace
}  // namespace varnel
