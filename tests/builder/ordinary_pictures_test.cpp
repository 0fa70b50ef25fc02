// Pictures the picture library already read correctly come out of the builder with the
// bytes they always had: the loader's mending touches only the cases it is for.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "builder/encode_picture.h"
#include "builder/rom_layout.h"
#include "picture/picture_loader.h"
#include "tests/support/picture_conversion.h"
#include "tests/support/test_support.h"

namespace varnel {
namespace {

using testing::EncodePicture;

uint64_t Fnv1a64(const std::vector<uint8_t>& bytes, std::size_t from) {
  uint64_t hash = 0xcbf29ce484222325ULL;
  for (std::size_t i = from; i < bytes.size(); ++i) {
    hash ^= bytes[i];
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

// The full-size, 240 x 160 and 60 x 40 versions of a picture, one after the other.
uint64_t HashOfVersions(const std::string& name) {
  testing::TempDir dir;
  LoadedPicture picture = LoadPicture(testing::TestDataPath(name));
  EXPECT_TRUE(picture.surface) << name;
  if (!picture.surface) return 0;
  BinaryFile image = BinaryFile::Create(dir.file("slide.gba"));
  image.WriteZeros(kPictureDataOffset);
  SDL_Surface* surface = picture.surface.get();
  const ConversionContext context{};
  const auto fullWidth = static_cast<uint16_t>(surface->w - surface->w % 4);
  EXPECT_NE(EncodePicture(image, surface, fullWidth, static_cast<uint16_t>(surface->h), context),
            0U);
  EXPECT_NE(EncodePicture(image, surface, 240, 160, context), 0U);
  EXPECT_NE(EncodePicture(image, surface, 60, 40, context), 0U);
  image.Flush();
  return Fnv1a64(testing::ReadAllBytes(image.path()), kPictureDataOffset);
}

TEST(OrdinaryPictures, KeepTheBytesTheyHadBeforeTheLoaderMendedAnything) {
  // Hashes of the versions as built before the loader normalised pictures.
  const std::vector<std::pair<const char*, uint64_t>> expected = {
      {"picture-8bit.bmp", 0x11f0d565cd0c959dULL},
      {"picture-24bit.bmp", 0x05629afa4340a8c5ULL},
      {"picture-32bit.bmp", 0x70de8b5210f4c195ULL},  // translucent, as the 32-bit PNG
      {"picture-palette.png", 0x4930fb4366098415ULL},
      {"picture-24bit.png", 0x05629afa4340a8c5ULL},
      {"picture-32bit.png", 0x70de8b5210f4c195ULL},
      {"picture.jpg", 0xf6b28764ea175d6bULL},
      {"picture.gif", 0x11f0d565cd0c959dULL},
      {"orientation-1.jpg", 0xff50aa3a44e42935ULL},        // upright: nothing to turn
      {"transparent-colour.png", 0x2f2baf750a0ce8d5ULL},   // already over black
      {"transparent-entries.png", 0x97c2dd62cc478ed5ULL},  // already over black
  };
  for (const auto& [name, hash] : expected) {
    EXPECT_EQ(HashOfVersions(name), hash) << name;
  }
}

}  // namespace
}  // namespace varnel
