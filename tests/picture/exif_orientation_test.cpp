#include "picture/exif_orientation.h"

#include <gtest/gtest.h>

#include <vector>

namespace varnel {
namespace {

// IFD0 at offset 8 with one entry: tag, type, count and the value in the first two
// bytes of its value field.
std::vector<uint8_t> Tiff(bool bigEndian, uint16_t tag, uint16_t type, uint16_t value) {
  const auto u16 = [&](uint16_t v) -> std::vector<uint8_t> {
    return bigEndian ? std::vector<uint8_t>{uint8_t(v >> 8), uint8_t(v)}
                     : std::vector<uint8_t>{uint8_t(v), uint8_t(v >> 8)};
  };
  std::vector<uint8_t> t = bigEndian ? std::vector<uint8_t>{'M', 'M', 0, 42, 0, 0, 0, 8}
                                     : std::vector<uint8_t>{'I', 'I', 42, 0, 8, 0, 0, 0};
  for (const auto& part : {u16(1), u16(tag), u16(type)})
    t.insert(t.end(), part.begin(), part.end());
  const std::vector<uint8_t> count =
      bigEndian ? std::vector<uint8_t>{0, 0, 0, 1} : std::vector<uint8_t>{1, 0, 0, 0};
  t.insert(t.end(), count.begin(), count.end());
  const std::vector<uint8_t> v = u16(value);
  t.insert(t.end(), v.begin(), v.end());
  t.insert(t.end(), {0, 0, 0, 0, 0, 0});  // rest of the value field, next IFD
  return t;
}

TEST(OrientationFromTiff, ReadsTheTagInEitherByteOrderAndIgnoresWhatItCannotTrust) {
  EXPECT_EQ(OrientationFromTiff(Tiff(false, 0x0112, 3, 6)), 6);
  EXPECT_EQ(OrientationFromTiff(Tiff(true, 0x0112, 3, 8)), 8);
  EXPECT_EQ(OrientationFromTiff(Tiff(true, 0x0112, 3, 9)), 1);  // no such orientation
  EXPECT_EQ(OrientationFromTiff(Tiff(true, 0x0112, 3, 0)), 1);
  EXPECT_EQ(OrientationFromTiff(Tiff(false, 0x0112, 4, 6)), 1);  // not a SHORT
  EXPECT_EQ(OrientationFromTiff(Tiff(false, 0x0110, 3, 6)), 1);  // another tag
  std::vector<uint8_t> wrongMagic = Tiff(false, 0x0112, 3, 6);
  wrongMagic[2] = 43;
  EXPECT_EQ(OrientationFromTiff(wrongMagic), 1);
  std::vector<uint8_t> farIfd = Tiff(true, 0x0112, 3, 6);
  farIfd[4] = 0x7F;  // IFD0 past the end
  EXPECT_EQ(OrientationFromTiff(farIfd), 1);
  std::vector<uint8_t> manyEntries = Tiff(false, 0x0112, 3, 6);
  manyEntries[8] = 0xFF;  // more entries than the data holds; the first still counts
  manyEntries[9] = 0xFF;
  EXPECT_EQ(OrientationFromTiff(manyEntries), 6);
  const std::vector<uint8_t> whole = Tiff(false, 0x0112, 3, 6);
  for (std::size_t cut = 0; cut < 20; ++cut)  // cut inside the header or the entry
    EXPECT_EQ(OrientationFromTiff(std::span(whole.data(), cut)), 1) << cut;
  EXPECT_EQ(OrientationFromTiff(std::span(whole.data(), 22)), 6);
}

}  // namespace
}  // namespace varnel
