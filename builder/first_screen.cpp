#include "builder/first_screen.h"

#include <algorithm>

#include "builder/pixel_writer.h"
#include "builder/prepared_picture.h"
#include "builder/rom_layout.h"

namespace varnel {

ScreenPixels FirstScreenOfVersion(const BitmapView& version) {
  ScreenPixels screen(static_cast<std::size_t>(kScreenWidth) * kScreenHeight, 0);
  if (version.empty()) return screen;
  const int shownWidth = std::min(version.width(), kScreenWidth);
  const int shownHeight = std::min(version.height(), kScreenHeight);
  const int scrollX = ((version.width() - shownWidth) / 2) & ~1;
  const int scrollY = (version.height() - shownHeight) / 2;
  const int left = (kScreenWidth - shownWidth) / 2;
  const int top = (kScreenHeight - shownHeight) / 2;
  const std::vector<uint16_t> shown =
      BitmapPixels15(version.Part(scrollX, scrollY, shownWidth, shownHeight));
  for (int y = 0; y < shownHeight; ++y)
    std::copy_n(shown.begin() + static_cast<std::ptrdiff_t>(y) * shownWidth, shownWidth,
                screen.begin() + static_cast<std::ptrdiff_t>(top + y) * kScreenWidth + left);
  return screen;
}

std::optional<ScreenPixels> FirstScreenOfRow(const SlideshowOptions& options,
                                             const PictureEntry& row, std::size_t index) {
  const bool intro = index < IntroCountOf(options);
  PreparedPicture picture;
  std::vector<uint8_t> saved;
  const std::vector<PreparedVersion> toMake =
      PrepareSource(options, row, index, intro, picture, saved);
  if (!picture.loaded) return std::nullopt;
  // Only the version the viewer shows first is made (alone, it has the bytes it has made
  // with the others); the source stays until it is read.
  const PictureVersions& versions = picture.versions;
  const bool resized = versions.resized.made;
  if (resized) {
    MakePreparedVersion(picture, PreparedVersion::kResized);
  } else if (std::find(toMake.begin(), toMake.end(), PreparedVersion::kFullSize) != toMake.end()) {
    MakePreparedVersion(picture, PreparedVersion::kFullSize);
  }
  const BitmapView pixels = resized ? picture.VersionPixels(versions.resized, picture.resized)
                                    : picture.VersionPixels(versions.fullSize, picture.fullSize);
  return FirstScreenOfVersion(pixels);
}

}  // namespace varnel
