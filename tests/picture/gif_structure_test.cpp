#include "picture/gif_structure.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "picture/picture_loader.h"
#include "tests/support/hostile_pictures.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::GifLayout;
using testing::TempDir;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

GifStructure StructureOf(const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  EXPECT_NE(file, nullptr) << path;
  return file ? ReadGifStructure(file.get()) : GifStructure{};
}

struct NamedLayout {
  const char* name;
  GifLayout layout;
};

GifLayout Sized(uint16_t width, uint16_t height) {
  GifLayout layout;
  layout.screenWidth = layout.width = width;
  layout.screenHeight = layout.height = height;
  return layout;
}

TEST(GifStructure, SoundGifsAreReadWholeAndDecodeToTheirOwnPixels) {
  std::vector<NamedLayout> sound = {{"small", GifLayout{}}, {"table filled", Sized(300, 200)}};
  sound.push_back({"full table kept", Sized(300, 200)});
  sound.back().layout.clearWhenTableFull = false;
  sound.push_back({"interlaced", Sized(13, 11)});
  sound.back().layout.interlaced = true;
  sound.push_back({"interlaced, one row", Sized(9, 1)});
  sound.back().layout.interlaced = true;
  sound.push_back({"interlaced, five rows", Sized(9, 5)});
  sound.back().layout.interlaced = true;
  sound.push_back({"inside its screen", GifLayout{}});
  sound.back().layout.screenWidth = 20;
  sound.back().layout.screenHeight = 9;
  sound.back().layout.left = 12;
  sound.back().layout.top = 3;
  sound.push_back({"with transparency", GifLayout{}});
  sound.back().layout.graphicControlLength = 4;
  sound.push_back({"eight-bit codes", Sized(40, 30)});
  sound.back().layout.codeSizeByte = 8;
  sound.push_back({"every pixel a code", Sized(300, 200)});
  sound.back().layout.codeSizeByte = 8;
  sound.back().layout.literalCodes = true;

  TempDir dir;
  for (const auto& [name, layout] : sound) {
    const std::string path = testing::WriteGif(dir.file("sound.gif"), layout);
    const GifStructure gif = StructureOf(path);
    EXPECT_FALSE(gif.damaged) << name;
    EXPECT_EQ(gif.width, layout.width) << name;
    EXPECT_EQ(gif.height, layout.height) << name;

    const LoadedPicture picture = LoadPicture(path);
    ASSERT_TRUE(picture) << name << ": " << picture.failure;
    ASSERT_EQ(picture.surface->w, layout.width) << name;
    ASSERT_EQ(picture.surface->h, layout.height) << name;
    ASSERT_EQ(picture.surface->format->BitsPerPixel, 8) << name;
    int wrong = 0;
    const auto* pixels = static_cast<const uint8_t*>(picture.surface->pixels);
    for (int y = 0; y < layout.height; ++y)
      for (int x = 0; x < layout.width; ++x)
        wrong += pixels[y * picture.surface->pitch + x] != testing::GifPixelIndex(x, y);
    EXPECT_EQ(wrong, 0) << name;
  }
  // As ImageMagick writes them.
  const GifStructure magick = StructureOf(testing::TestDataPath("picture.gif"));
  EXPECT_FALSE(magick.damaged);
  EXPECT_EQ(magick.width, 48);
  EXPECT_EQ(magick.height, 32);
}

TEST(GifStructure, DamagedGifsAreRefusedBeforeTheLibrarySeesThem) {
  std::vector<NamedLayout> damaged = {{"image of 0 x 0", testing::ZeroSizeImageGif()},
                                      {"image of 65535 x 65535", testing::HugeImageGif()},
                                      {"code size 12", testing::CodeSizeTwelveGif()}};
  damaged.push_back({"image past its screen's right edge", GifLayout{}});
  damaged.back().layout.left = 1;
  damaged.push_back({"image past its screen's foot", GifLayout{}});
  damaged.back().layout.top = 1;
  damaged.push_back({"image of no height", GifLayout{}});
  damaged.back().layout.height = 0;
  damaged.push_back({"stream ends early", GifLayout{}});
  damaged.back().layout.pixelsCoded = 47;  // of 48
  damaged.push_back({"data runs past the file", Sized(40, 30)});
  damaged.back().layout.cutInData = true;
  damaged.push_back({"no colour table", GifLayout{}});
  damaged.back().layout.globalColourTable = false;
  damaged.push_back({"graphic control of 1 byte", GifLayout{}});
  damaged.back().layout.graphicControlLength = 1;
  damaged.push_back({"graphic control of no bytes", GifLayout{}});
  damaged.back().layout.graphicControlLength = 0;
  damaged.push_back({"interlaced, three rows", Sized(8, 3)});
  damaged.back().layout.interlaced = true;
  // 3-bit codes: clear (4), 0, then 7 where the next entry is 6; end (5).
  damaged.push_back({"code beyond the table", Sized(2, 1)});
  damaged.back().layout.lzwData = std::vector<uint8_t>{0xC4, 0x0B};
  // clear, clear, end: no pixel at all.
  damaged.push_back({"no pixels", Sized(2, 1)});
  damaged.back().layout.lzwData = std::vector<uint8_t>{0x64, 0x01};

  TempDir dir;
  for (const auto& [name, layout] : damaged) {
    const std::string path = testing::WriteGif(dir.file("damaged.gif"), layout);
    EXPECT_TRUE(StructureOf(path).damaged) << name;
    const LoadedPicture picture = LoadPicture(path);
    EXPECT_FALSE(picture) << name;
    EXPECT_EQ(picture.failure, "the picture could not be loaded (the file is damaged)") << name;
  }
  // Cut anywhere before the end of its last sub-block of image data (its terminator and
  // the trailer follow), a sound file is damaged: the library drops a sub-block cut short.
  const std::vector<uint8_t> whole = testing::GifBytes(Sized(30, 20));
  for (std::size_t length = 0; length + 2 < whole.size(); ++length) {
    const std::string path = dir.file("cut.gif");
    testing::WriteAllBytes(path, std::vector<uint8_t>(whole.begin(), whole.begin() + length));
    EXPECT_TRUE(StructureOf(path).damaged) << "cut to " << length << " bytes";
  }
}

}  // namespace
}  // namespace varnel
