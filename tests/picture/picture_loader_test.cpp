#include "picture/picture_loader.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "picture/picture_normalising.h"
#include "tests/support/hostile_pictures.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::Rgb;
using testing::TempDir;
using testing::TestDataPath;

Rgb ColourAt(SDL_Surface* surface, int x, int y) {
  SurfaceLock lock(surface);
  const int bytes = surface->format->BytesPerPixel;
  const auto* p = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch + x * bytes;
  uint32_t value = 0;
  for (int k = 0; k < bytes; ++k) value |= static_cast<uint32_t>(p[k]) << (8 * k);
  Rgb colour{};
  SDL_GetRGB(value, surface->format, &colour.r, &colour.g, &colour.b);
  return colour;
}

// Lossy pictures keep their colours only roughly.
bool Near(Rgb a, Rgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255},
    kBlack{0, 0, 0};

// The test pictures' quadrants: red top-left, green top-right, blue bottom-left, white
// bottom-right; each checked in the middle of its quadrant.
void ExpectQuadrants(SDL_Surface* s, const std::vector<Rgb>& colours, int tolerance,
                     const std::string& name) {
  const int left = s->w / 4, right = s->w * 3 / 4, top = s->h / 4, bottom = s->h * 3 / 4;
  EXPECT_TRUE(Near(ColourAt(s, left, top), colours[0], tolerance)) << name << " top-left";
  EXPECT_TRUE(Near(ColourAt(s, right, top), colours[1], tolerance)) << name << " top-right";
  EXPECT_TRUE(Near(ColourAt(s, left, bottom), colours[2], tolerance)) << name << " bottom-left";
  EXPECT_TRUE(Near(ColourAt(s, right, bottom), colours[3], tolerance)) << name << " bottom-right";
}

TEST(LoadPicture, TurnsPhotosAsTheirExifOrientationAsks) {
  // Each file stores the 24 x 32 portrait turned or mirrored its own way.
  for (int orientation = 1; orientation <= 8; ++orientation) {
    const std::string name = "orientation-" + std::to_string(orientation) + ".jpg";
    const LoadedPicture picture = LoadPicture(TestDataPath(name));
    ASSERT_TRUE(picture) << name << ": " << picture.failure;
    EXPECT_EQ(picture.surface->w, 24) << name;
    EXPECT_EQ(picture.surface->h, 32) << name;
    EXPECT_EQ(picture.bitsPerPixel, 24) << name;
    ExpectQuadrants(picture.surface.get(), {kRed, kGreen, kBlue, kWhite}, 24, name);
  }
  const LoadedPicture png = LoadPicture(TestDataPath("orientation-6.png"));
  ASSERT_TRUE(png);
  EXPECT_EQ(png.surface->w, 24);
  ExpectQuadrants(png.surface.get(), {kRed, kGreen, kBlue, kWhite}, 0, "orientation-6.png");
}

TEST(LoadPicture, ReadsCmykJpegsAsColours) {
  const LoadedPicture adobe = LoadPicture(TestDataPath("cmyk-adobe.jpg"));
  ASSERT_TRUE(adobe) << adobe.failure;
  EXPECT_EQ(adobe.bitsPerPixel, 32);  // as the file holds it: four 8-bit inks
  EXPECT_EQ(adobe.surface->format->BitsPerPixel, 24);
  ExpectQuadrants(adobe.surface.get(), {kRed, kGreen, kBlue, kWhite}, 24, "cmyk-adobe.jpg");

  // Plain and inverted samples, as the library hands them over: bytes C, M, Y, K.
  const auto cmykSurface = [](std::vector<uint8_t> samples) {
    SurfacePtr s(SDL_CreateRGBSurface(SDL_SWSURFACE, static_cast<int>(samples.size() / 4), 1, 32,
                                      0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000));
    std::copy(samples.begin(), samples.end(), static_cast<uint8_t*>(s->pixels));
    return s;
  };
  SurfacePtr plain = CmykToRgb(cmykSurface({0, 255, 255, 0, 0, 0, 0, 128, 64, 0, 255, 64}), false);
  EXPECT_EQ(ColourAt(plain.get(), 0, 0), kRed);
  EXPECT_EQ(ColourAt(plain.get(), 1, 0), (Rgb{127, 127, 127}));  // half black
  EXPECT_EQ(ColourAt(plain.get(), 2, 0), (Rgb{143, 191, 0}));    // 191 x 191 / 255 = 143
  SurfacePtr inverted = CmykToRgb(cmykSurface({255, 0, 0, 255, 0, 0, 0, 0}), true);
  EXPECT_EQ(ColourAt(inverted.get(), 0, 0), kRed);
  EXPECT_EQ(ColourAt(inverted.get(), 1, 0), kBlack);
}

TEST(LoadPicture, MendsBmpFilesAsViewersShowThem) {
  // Fourth bytes all 0: written without alpha, so opaque.
  const LoadedPicture zeroAlpha = LoadPicture(TestDataPath("bmp32-zero-alpha.bmp"));
  ASSERT_TRUE(zeroAlpha);
  EXPECT_EQ(zeroAlpha.bitsPerPixel, 32);
  ExpectQuadrants(zeroAlpha.surface.get(), {kRed, kGreen, kBlue, kWhite}, 0, "zero alpha");

  // 5 bits per channel: 31 is 255, 16 is 132.
  const LoadedPicture sixteen = LoadPicture(TestDataPath("bmp16.bmp"));
  ASSERT_TRUE(sixteen);
  EXPECT_EQ(sixteen.bitsPerPixel, 16);
  ExpectQuadrants(sixteen.surface.get(), {kRed, kGreen, kBlue, Rgb{132, 132, 132}}, 0, "16-bit");
}

TEST(LoadPicture, RoundsSixteenBitPngSamples) {
  // 0x00C0, 0x01FF, 0x80FF, 0xFFFF: their high bytes would give 0, 1, 128, 255.
  const LoadedPicture grey = LoadPicture(TestDataPath("grey16.png"));
  ASSERT_TRUE(grey) << grey.failure;
  EXPECT_EQ(grey.bitsPerPixel, 8);
  EXPECT_EQ(ColourAt(grey.surface.get(), 0, 0), (Rgb{1, 1, 1}));
  EXPECT_EQ(ColourAt(grey.surface.get(), 1, 0), (Rgb{2, 2, 2}));
  EXPECT_EQ(ColourAt(grey.surface.get(), 2, 0), (Rgb{128, 128, 128}));
  EXPECT_EQ(ColourAt(grey.surface.get(), 3, 0), kWhite);
}

TEST(LoadPicture, ShowsEveryKindOfTransparencyOverBlack) {
  // A transparent colour, one transparent palette entry, two transparent entries.
  const LoadedPicture colour = LoadPicture(TestDataPath("transparent-colour.png"));
  ASSERT_TRUE(colour);
  ExpectQuadrants(colour.surface.get(), {kBlack, kGreen, kBlue, kWhite}, 0, "colour");
  const LoadedPicture entry = LoadPicture(TestDataPath("transparent-entry.png"));
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry.surface->format->BitsPerPixel, 8);  // still a palette picture
  EXPECT_EQ(entry.surface->flags & SDL_SRCCOLORKEY, 0U);
  ExpectQuadrants(entry.surface.get(), {kBlack, kGreen, kBlue, kWhite}, 0, "entry");
  const LoadedPicture entries = LoadPicture(TestDataPath("transparent-entries.png"));
  ASSERT_TRUE(entries);
  ExpectQuadrants(entries.surface.get(), {kBlack, kBlack, kBlue, kWhite}, 0, "entries");
  // Translucent: red 100 at alpha 128 gives (100 x 128 + 255) >> 8 = 50; no alpha left.
  const LoadedPicture translucent = LoadPicture(TestDataPath("picture-32bit.png"));
  ASSERT_TRUE(translucent);
  EXPECT_EQ(translucent.bitsPerPixel, 32);
  EXPECT_EQ(translucent.surface->flags & SDL_SRCALPHA, 0U);
  EXPECT_EQ(ColourAt(translucent.surface.get(), 20, 0), (Rgb{50, 0, 30}));
}

TEST(LoadPicture, SaysWhyAPictureDidNotLoad) {
  TempDir dir;
  const std::vector<uint8_t> bmp = testing::ReadAllBytes(TestDataPath("picture-24bit.bmp"));
  // A BMP cut inside its headers loads in the library as a surface of 0 bits per pixel.
  for (std::size_t length = 8; length <= 20; ++length) {
    const std::string path = dir.file("cut.bmp");
    testing::WriteAllBytes(path, std::vector<uint8_t>(bmp.begin(), bmp.begin() + length));
    const LoadedPicture cut = LoadPicture(path);
    EXPECT_FALSE(cut) << length;
    EXPECT_EQ(cut.failure, "the picture could not be loaded (the file is damaged)") << length;
  }
  // A PNG cut anywhere: the picture library would read past its end for ever.
  const std::vector<uint8_t> png = testing::ReadAllBytes(TestDataPath("transparent-entry.png"));
  for (std::size_t length = 20; length < png.size(); length += 17) {
    const std::string path = dir.file("cut.png");
    testing::WriteAllBytes(path, std::vector<uint8_t>(png.begin(), png.begin() + length));
    EXPECT_EQ(LoadPicture(path).failure, "the picture could not be loaded (the file is damaged)")
        << length;
  }
  testing::WriteAllBytes(dir.file("notes.txt"), {'h', 'e', 'l', 'l', 'o', '\n'});
  EXPECT_EQ(LoadPicture(dir.file("notes.txt")).failure,
            "the picture could not be loaded (the file is not a picture Varnel reads)");
  EXPECT_EQ(LoadPicture(dir.file("none.png")).failure,
            "the picture could not be loaded (No such file or directory)");
}

// A PNG file's chunks, each as its four type letters and its data.
using PngChunks = std::vector<std::pair<std::string, std::vector<uint8_t>>>;

PngChunks ChunksOf(const std::vector<uint8_t>& png) {
  PngChunks chunks;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const uint32_t length = png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
    chunks.emplace_back(std::string(png.begin() + at + 4, png.begin() + at + 8),
                        std::vector<uint8_t>(png.begin() + at + 8, png.begin() + at + 8 + length));
    at += 12 + length;
  }
  return chunks;
}

uint32_t Crc32(const std::string& type, const std::vector<uint8_t>& data) {
  uint32_t crc = 0xFFFFFFFF;
  auto add = [&crc](uint8_t byte) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
  };
  for (const char c : type) add(static_cast<uint8_t>(c));
  for (const uint8_t byte : data) add(byte);
  return ~crc;
}

std::vector<uint8_t> PngOf(const PngChunks& chunks) {
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  auto put32 = [&png](uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<uint8_t>(v >> shift));
  };
  for (const auto& [type, data] : chunks) {
    put32(static_cast<uint32_t>(data.size()));
    png.insert(png.end(), type.begin(), type.end());
    png.insert(png.end(), data.begin(), data.end());
    put32(Crc32(type, data));
  }
  return png;
}

// Some writers leave IEND out; the picture library reads such a file when its image data
// is whole. Image data that really ends early is still refused.
TEST(LoadPicture, ReadsAPngWithoutIendWhoseImageDataIsWhole) {
  TempDir dir;
  const LoadedPicture original = LoadPicture(TestDataPath("picture-24bit.png"));
  const PngChunks whole = ChunksOf(testing::ReadAllBytes(TestDataPath("picture-24bit.png")));
  ASSERT_EQ(whole.back().first, "IEND");
  // The image data split over three IDAT chunks, as large pictures are written.
  PngChunks split;
  for (const auto& chunk : whole) {
    if (chunk.first != "IDAT") {
      split.push_back(chunk);
      continue;
    }
    const std::vector<uint8_t>& data = chunk.second;
    const std::size_t third = data.size() / 3;
    split.push_back({"IDAT", {data.begin(), data.begin() + third}});
    split.push_back({"IDAT", {data.begin() + third, data.begin() + 2 * third}});
    split.push_back({"IDAT", {data.begin() + 2 * third, data.end()}});
  }
  for (const PngChunks* chunks : std::vector<const PngChunks*>{&whole, &split}) {
    PngChunks withoutEnd = *chunks;
    withoutEnd.pop_back();
    testing::WriteAllBytes(dir.file("no-end.png"), PngOf(withoutEnd));
    const LoadedPicture loaded = LoadPicture(dir.file("no-end.png"));
    ASSERT_TRUE(loaded) << loaded.failure;
    ASSERT_EQ(loaded.surface->w, 48);
    ASSERT_EQ(loaded.surface->h, 32);
    int different = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 48; ++x)
        different += ColourAt(loaded.surface.get(), x, y) != ColourAt(original.surface.get(), x, y);
    EXPECT_EQ(different, 0);
  }
  // Cut after a whole chunk, but before the image data ends.
  for (const std::size_t kept : {std::size_t{1}, std::size_t{2}}) {
    PngChunks cut(split.begin(), split.end());
    const auto firstData = std::find_if(cut.begin(), cut.end(),
                                        [](const auto& chunk) { return chunk.first == "IDAT"; });
    cut.erase(firstData + static_cast<std::ptrdiff_t>(kept), cut.end());
    testing::WriteAllBytes(dir.file("cut.png"), PngOf(cut));
    EXPECT_EQ(LoadPicture(dir.file("cut.png")).failure,
              "the picture could not be loaded (the file is damaged)")
        << kept;
  }
}

int64_t PeakMemoryKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

TEST(LoadPicture, RefusesPicturesLargerThanTheLimitFromTheirHeader) {
  TempDir dir;
  // A 2 MB PNG that decodes to 1.5 GiB: refused at once, naming its size and the limit.
  const std::string bomb = testing::WriteDecompressionBomb(dir.file("bomb.png"));
  const int64_t peakBefore = PeakMemoryKiB();
  const LoadedPicture refused = LoadPicture(bomb);
  EXPECT_FALSE(refused);
  EXPECT_TRUE(testing::Mentions(refused.failure, "too large: 16383 x 32770 pixels"))
      << refused.failure;
  EXPECT_TRUE(testing::Mentions(refused.failure, "12000 x 9000")) << refused.failure;
  EXPECT_LT(PeakMemoryKiB() - peakBefore, 100 * 1024);
  EXPECT_FALSE(ShownSizeFromHeader(bomb));

  // 12000 x 9000 is handed to the library (which finds no pixel data); one column more
  // is not. The same holds for a GIF's image.
  const std::string largest = testing::WritePngWithoutData(dir.file("largest.png"), 12000, 9000);
  EXPECT_EQ(LoadPicture(largest).failure, "the picture could not be loaded (the file is damaged)");
  const std::string wider = testing::WritePngWithoutData(dir.file("wider.png"), 12001, 9000);
  EXPECT_TRUE(testing::Mentions(LoadPicture(wider).failure, "too large: 12001 x 9000 pixels"));
  testing::GifLayout gif;
  gif.screenWidth = gif.width = 12001;
  gif.screenHeight = gif.height = 9000;
  gif.pixelsCoded = 100;
  const std::string largeGif = testing::WriteGif(dir.file("large.gif"), gif);
  EXPECT_TRUE(testing::Mentions(LoadPicture(largeGif).failure, "too large: 12001 x 9000 pixels"));
}

TEST(LoadPicture, LoadsOnSeveralThreadsAtOnce) {
  TempDir dir;
  const std::vector<uint8_t> bmp = testing::ReadAllBytes(TestDataPath("picture-24bit.bmp"));
  testing::WriteAllBytes(dir.file("cut.bmp"), std::vector<uint8_t>(bmp.begin(), bmp.begin() + 12));
  const std::vector<std::string> paths = {
      TestDataPath("orientation-6.jpg"), TestDataPath("cmyk-adobe.jpg"),
      TestDataPath("transparent-entry.png"), TestDataPath("picture.gif"), dir.file("cut.bmp")};
  // Each thread loads every picture many times; each load must match a load alone (the
  // library's GIF decoder keeps its state in globals: GIF pictures came out mixed up).
  std::vector<std::vector<Rgb>> alone;
  const auto corners = [](const LoadedPicture& p) {
    if (!p) return std::vector<Rgb>{};
    SDL_Surface* s = p.surface.get();
    return std::vector<Rgb>{ColourAt(s, 0, 0), ColourAt(s, s->w - 1, s->h - 1)};
  };
  for (const std::string& path : paths) alone.push_back(corners(LoadPicture(path)));
  constexpr int kThreads = 4, kRounds = 100;
  const std::string damaged = "the picture could not be loaded (the file is damaged)";
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < kRounds; ++round) {
        for (std::size_t i = 0; i < paths.size(); ++i) {
          const std::size_t k = (i + t) % paths.size();  // threads start at different files
          const LoadedPicture p = LoadPicture(paths[k]);
          EXPECT_EQ(corners(p), alone[k]) << paths[k];
          EXPECT_EQ(p.failure, k == paths.size() - 1 ? damaged : "") << paths[k];
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

// A 3 x 2 picture in the 12-byte header of old OS/2 BMP files: 16-bit width and height.
std::vector<uint8_t> CoreHeaderBmp() {
  const std::vector<uint8_t> headers = {
      'B', 'M', 50, 0, 0, 0, 0, 0, 0, 0, 26, 0, 0, 0,  // file header, pixels at 26
      12,  0,   0,  0, 3, 0, 2, 0, 1, 0, 24, 0};       // length 12, 3 x 2, 1 plane, 24 bits
  std::vector<uint8_t> bytes = headers;
  bytes.resize(headers.size() + 2 * 12, 0x40);  // two rows of 9 bytes padded to 12
  return bytes;
}

TEST(ShownSizeFromHeader, GivesTheSizeTheLoadGivesWhereTheHeaderSaysIt) {
  for (int orientation = 1; orientation <= 8; ++orientation) {
    const std::string name = "orientation-" + std::to_string(orientation) + ".jpg";
    const std::optional<ShownSize> size = ShownSizeFromHeader(TestDataPath(name));
    ASSERT_TRUE(size) << name;
    EXPECT_EQ(size->width, 24) << name;
    EXPECT_EQ(size->height, 32) << name;
  }
  TempDir dir;
  testing::WriteAllBytes(dir.file("core.bmp"), CoreHeaderBmp());
  const std::vector<std::string> readable = {
      TestDataPath("orientation-6.png"), TestDataPath("cmyk-adobe.jpg"),
      TestDataPath("picture.jpg"),       TestDataPath("picture-24bit.bmp"),
      TestDataPath("bmp16.bmp"),         TestDataPath("picture-8bit.bmp"),
      TestDataPath("grey16.png"),        TestDataPath("picture-palette.png"),
      TestDataPath("picture.gif"),       dir.file("core.bmp")};
  for (const std::string& path : readable) {
    const std::optional<ShownSize> size = ShownSizeFromHeader(path);
    const LoadedPicture picture = LoadPicture(path);
    ASSERT_TRUE(size) << path;
    ASSERT_TRUE(picture) << path << ": " << picture.failure;
    EXPECT_EQ(size->width, picture.surface->w) << path;
    EXPECT_EQ(size->height, picture.surface->h) << path;
  }
  EXPECT_EQ(ShownSizeFromHeader(dir.file("core.bmp"))->width, 3);
  // A GIF's size is its first image's, which may lie on a larger screen.
  testing::GifLayout onLargerScreen;
  onLargerScreen.screenWidth = 30;
  onLargerScreen.screenHeight = 20;
  const std::string gif = testing::WriteGif(dir.file("small.gif"), onLargerScreen);
  ASSERT_TRUE(ShownSizeFromHeader(gif));
  EXPECT_EQ(ShownSizeFromHeader(gif)->width, 8);
  EXPECT_EQ(ShownSizeFromHeader(gif)->height, 6);
  EXPECT_FALSE(
      ShownSizeFromHeader(testing::WriteGif(dir.file("zero.gif"), testing::ZeroSizeImageGif())));
  const std::vector<uint8_t> bmp = testing::ReadAllBytes(TestDataPath("picture-24bit.bmp"));
  testing::WriteAllBytes(dir.file("cut.bmp"), std::vector<uint8_t>(bmp.begin(), bmp.begin() + 20));
  EXPECT_FALSE(ShownSizeFromHeader(dir.file("cut.bmp")));
  EXPECT_FALSE(ShownSizeFromHeader(dir.file("none.jpg")));
}

}  // namespace
}  // namespace varnel
