// Images the viewer cannot play as a show: an empty one and damaged ones. And the
// template itself: what the console checks in its header.
#include <gtest/gtest.h>

#include "emulator/console_emulator.h"
#include "tests/support/console_run.h"
#include "tests/viewer/viewer_show.h"

namespace varnel::testing {
namespace {

constexpr int kBootFrames = 10;

// The message screen after boot, checked to stay as it is.
Screen15 SettledMessage(const std::string& imagePath) {
  ConsoleEmulator emulator(imagePath);
  emulator.RunFrames(kBootFrames);
  const Screen15 first = testing::Screen15Of(emulator);
  testing::Press(emulator, kButtonR | kButtonStart | kButtonA);
  emulator.RunFrames(60);
  EXPECT_EQ(Differences(testing::Screen15Of(emulator), first), 0);
  return first;
}

TEST(ViewerImage, AnEmptyShowSaysSo) {
  ViewerShow show;
  show.Build();
  EXPECT_TRUE(IsTextOnBlack(SettledMessage(show.imagePath())));
}

TEST(ViewerImage, ADamagedHeaderOrTableGivesAMessageInsteadOfGarbage) {
  struct Damage {
    const char* what;
    uint64_t offset;
    std::vector<uint8_t> bytes;
  };
  constexpr uint64_t kFullSizePointer = kTableOffset;
  constexpr uint64_t kResizedPointer = kTableOffset + 8;
  constexpr uint64_t kCaptionPointer = kTableOffset + 12;
  constexpr uint64_t kFullSizeHeightAndWidth = kTableOffset + 16;
  const std::vector<Damage> damages = {
      {"tag", kHeaderOffset, {104, 0}},
      {"count above 1000", kHeaderOffset + 2, {0xE9, 0x03}},  // 1001
      {"pointer past the cartridge", kResizedPointer, {0x00, 0x00, 0x00, 0x0A}},
      {"picture running off the cartridge", kResizedPointer, {0x00, 0xFF, 0xFF, 0x09}},
      {"pointer into the table", kFullSizePointer, {0xE0, 0x27, 0x09, 0x08}},
      {"odd pixel pointer", kResizedPointer, {0xE1, 0xA4, 0x09, 0x08}},
      {"caption below the cartridge", kCaptionPointer, {0x00, 0x00, 0x00, 0x02}},
      // 65532 x 32772 pixels of 2 bytes are 130720 bytes more than 4 GiB.
      {"full size past 4 GiB", kFullSizeHeightAndWidth, {0x04, 0x80, 0xFC, 0xFF}},
  };
  Screen15 tagMessage;
  for (const Damage& damage : damages) {
    SCOPED_TRACE(damage.what);
    ViewerShow show;
    show.AddPicture(300, 200, kSizingBoth, 0, "caption");
    show.AddPicture(240, 160);
    show.Build();
    show.Patch(damage.offset, damage.bytes);
    const Screen15 screen = SettledMessage(show.imagePath());
    EXPECT_TRUE(IsTextOnBlack(screen));
    if (tagMessage.empty()) {
      tagMessage = screen;
    } else {
      EXPECT_NE(Differences(screen, tagMessage), 0);  // says what is wrong
    }
  }
}

// CRC-32 as zip and PNG use it (reflected polynomial 0xEDB88320).
uint32_t Crc32(const uint8_t* bytes, std::size_t count) {
  uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < count; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// What the console's boot program checks before it starts a cartridge, and what flash
// cartridge writers expect of the file.
TEST(ViewerTemplate, CarriesTheHeaderARealConsoleBoots) {
  const std::vector<uint8_t> program = ReadAllBytes(VARNEL_VIEWER_TEMPLATE);
  ASSERT_GE(program.size(), 0xC0u);
  EXPECT_LE(program.size(), kMaxTemplateBytes);
  EXPECT_EQ(program.size() % 4, 0u) << "a whole number of 32-bit words";
  // ARM "b 0x080000C0": the entry branches over the 192-byte header.
  EXPECT_EQ((std::vector<uint8_t>(program.begin(), program.begin() + 4)),
            (std::vector<uint8_t>{0x2E, 0x00, 0x00, 0xEA}));
  // The standard logo, 156 bytes from 0x04; its CRC-32 is 0xD0BEB55E (its SHA-1,
  // 17daa0fec02fc33c0f6abb549a8b80b6613b48ee, is the published one).
  EXPECT_EQ(program[0x04], 0x24);
  EXPECT_EQ(program[0x9F], 0x07);
  EXPECT_EQ(Crc32(&program[0x04], 156), 0xD0BEB55Eu);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&program[0xA0]), 12),
            std::string("VARNEL SHOW\0", 12));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&program[0xAC]), 6), "VRNL00");
  EXPECT_EQ(program[0xB2], 0x96);
  // The boot program adds 0xA0..0xBD and 0x19 and wants 0 in the low byte.
  EXPECT_EQ(program[0xBD], 0x86);
  unsigned sum = 0x19;
  for (std::size_t i = 0xA0; i <= 0xBD; ++i) sum += program[i];
  EXPECT_EQ(sum & 0xFFu, 0u);
}

}  // namespace
}  // namespace varnel::testing
