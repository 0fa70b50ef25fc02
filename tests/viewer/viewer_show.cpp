#include "tests/viewer/viewer_show.h"

#include <gtest/gtest.h>

#include <fstream>

#include "builder/build_slideshow.h"
#include "tests/support/console_run.h"

namespace varnel::testing {
namespace {

// A pattern with detail in both directions, tinted differently for every picture, so that
// a shifted window or the wrong picture never matches by chance.
Rgb PatternPixel(int picture, int x, int y) {
  return Rgb{static_cast<uint8_t>((x * 3 + picture * 71) & 0xFF),
             static_cast<uint8_t>((y * 5 + picture * 37) & 0xFF),
             static_cast<uint8_t>(((x ^ y) * 2 + picture * 113) & 0xFF)};
}

Screen15 BlackScreen() {
  return Screen15(std::size_t{kScreenWidth} * kScreenHeight, 0);
}

}  // namespace

ViewerShow::ViewerShow() : host_(dir_.workDirectory()) {}

int ViewerShow::AddPicture(int width, int height, int sizing, int effect,
                           const std::string& caption) {
  const int picture = pictures_;
  return AddPicture(
      width, height, [picture](int x, int y) { return PatternPixel(picture, x, y); }, sizing,
      effect, caption);
}

int ViewerShow::AddPicture(int width, int height, const std::function<Rgb(int x, int y)>& colour,
                           int sizing, int effect, const std::string& caption) {
  const std::string path = dir_.file("picture" + std::to_string(pictures_) + ".bmp");
  WriteBmp24(path, width, height, colour);
  host_.AddPicture(path, sizing, effect, caption);
  return pictures_++;
}

void ViewerShow::Build() {
  imagePath_ = dir_.file("slide.gba");
  const BuildOutcome outcome =
      BuildSlideShow(host_, BuildFiles{VARNEL_VIEWER_TEMPLATE, imagePath_});
  ASSERT_TRUE(outcome.ok) << outcome.message;
}

void ViewerShow::Patch(uint64_t offset, const std::vector<uint8_t>& bytes) {
  std::fstream file(imagePath_, std::ios::binary | std::ios::in | std::ios::out);
  file.seekp(static_cast<std::streamoff>(offset));
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(file.good());
}

Screen15 ViewerShow::Resized(uint32_t slot) const {
  const ImageReader image = Image();
  return image.pixels(image.record(slot).resizedData, kScreenWidth, kScreenHeight);
}

Screen15 ViewerShow::FullSize(uint32_t slot, int scrollX, int scrollY) const {
  const ImageReader image = Image();
  const SlideRecord record = image.record(slot);
  const std::vector<uint16_t> picture =
      image.pixels(record.fullSizeData, record.width, record.height);
  // A side smaller than the screen is centred; a larger one is seen from the scroll position.
  const int left = record.width < kScreenWidth ? (kScreenWidth - record.width) / 2 : 0;
  const int top = record.height < kScreenHeight ? (kScreenHeight - record.height) / 2 : 0;
  Screen15 screen = BlackScreen();
  for (int y = 0; y < kScreenHeight; ++y) {
    for (int x = 0; x < kScreenWidth; ++x) {
      const int px = x - left + scrollX;
      const int py = y - top + scrollY;
      if (px < 0 || py < 0 || px >= record.width || py >= record.height) continue;
      screen[y * kScreenWidth + x] = picture[std::size_t(py) * record.width + px];
    }
  }
  return screen;
}

Screen15 ViewerShow::Thumbnails(uint32_t firstSlot, uint32_t count) const {
  const ImageReader image = Image();
  Screen15 screen = BlackScreen();
  for (uint32_t cell = 0; cell < count && cell < 16; ++cell) {
    const std::vector<uint16_t> thumbnail = image.pixels(
        image.record(firstSlot + cell).thumbnailData, kThumbnailWidth, kThumbnailHeight);
    const int left = int(cell % 4) * kThumbnailWidth;
    const int top = int(cell / 4) * kThumbnailHeight;
    for (int y = 0; y < kThumbnailHeight; ++y)
      for (int x = 0; x < kThumbnailWidth; ++x)
        screen[(top + y) * kScreenWidth + left + x] = thumbnail[y * kThumbnailWidth + x];
  }
  return screen;
}

int Differences(const Screen15& a, const Screen15& b) {
  int count = 0;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
    if ((a[i] & 0x7FFF) != (b[i] & 0x7FFF)) ++count;
  return count;
}

bool IsTextOnBlack(const Screen15& screen) {
  constexpr uint16_t kWhite = 0x7FFF;
  constexpr uint16_t kYellow = 0x03FF;
  constexpr int kSomeText = 50;
  int ink = 0;
  for (const uint16_t pixel : screen) {
    if (pixel == 0) continue;
    if (pixel != kWhite && pixel != kYellow) return false;
    ++ink;
  }
  return ink >= kSomeText && ink < int(screen.size()) / 4;
}

std::optional<int> RunUntilShown(ConsoleEmulator& emulator, const Screen15& expected,
                                 int maxFrames) {
  for (int frames = 1; frames <= maxFrames; ++frames) {
    emulator.RunFrames(1);
    if (Differences(testing::Screen15Of(emulator), expected) == 0) return frames;
  }
  return std::nullopt;
}

}  // namespace varnel::testing
