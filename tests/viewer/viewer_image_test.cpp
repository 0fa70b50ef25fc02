// Images the viewer cannot play as a show: an empty one and damaged ones. And the
// template itself: what the console checks in its header.
#include <gtest/gtest.h>

#include "emulator/console_emulator.h"
#include "tests/viewer/viewer_show.h"

namespace varnel::testing {
namespace {

constexpr int kBootFrames = 10;

// The message screen after boot, checked to stay as it is.
Screen15 SettledMessage(const std::string& imagePath) {
  ConsoleEmulator emulator(imagePath);
  emulator.RunFrames(kBootFrames);
  const Screen15 first = emulator.Screen();
  emulator.Press(kButtonR | kButtonStart | kButtonA);
  emulator.RunFrames(60);
  EXPECT_EQ(Differences(emulator.Screen(), first), 0);
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
  const std::vector<Damage> damages = {
      {"tag", kHeaderOffset, {104, 0}},
      {"count above 1000", kHeaderOffset + 2, {0xE9, 0x03}},  // 1001
      {"pointer past the cartridge", kResizedPointer, {0x00, 0x00, 0x00, 0x0A}},
      {"picture running off the cartridge", kResizedPointer, {0x00, 0xFF, 0xFF, 0x09}},
      {"pointer into the table", kFullSizePointer, {0xE0, 0x27, 0x09, 0x08}},
      {"odd pixel pointer", kResizedPointer, {0xE1, 0xA4, 0x09, 0x08}},
      {"caption below the cartridge", kCaptionPointer, {0x00, 0x00, 0x00, 0x02}},
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

TEST(ViewerTemplate, FitsTheLayoutAndCarriesAValidCartridgeHeader) {
  const std::vector<uint8_t> program = ReadAllBytes(VARNEL_VIEWER_TEMPLATE);
  ASSERT_GE(program.size(), 0xC0u);
  EXPECT_LE(program.size(), kMaxTemplateBytes);
  // The first word branches over the header.
  EXPECT_EQ(program[3], 0xEA);
  EXPECT_EQ(program[0xB2], 0x96);
  unsigned sum = 0;
  for (std::size_t i = 0xA0; i <= 0xBC; ++i) sum += program[i];
  EXPECT_EQ(program[0xBD], static_cast<uint8_t>(0u - sum - 0x19u));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&program[0xA0]), 11), "VARNEL SHOW");
}

}  // namespace
}  // namespace varnel::testing
