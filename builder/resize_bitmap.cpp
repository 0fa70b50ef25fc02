#include "builder/resize_bitmap.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "builder/bitmap_info.h"
#include "builder/resampler.h"

namespace varnel {

namespace {

// The bytes after each row's pixels go into the BMP file as they are; keep them zero.
Bitmap WithClearPadding(Bitmap bitmap) {
  const std::size_t used = static_cast<std::size_t>(bitmap.width) * 3;
  const std::size_t stride = bitmap.stride();
  if (used == stride) return bitmap;
  for (int y = 0; y < bitmap.height; ++y) {
    uint8_t* row = bitmap.rows.data() + static_cast<std::size_t>(y) * stride;
    std::fill(row + used, row + stride, uint8_t{0});
  }
  return bitmap;
}

// The header of the result, or nothing when the resize is refused.
// (An empty view stands for a bitmap whose rows are shorter than its size.)
std::optional<BitmapInfoHeader> ResultHeader(const BitmapView& source, uint16_t width,
                                             uint16_t height) {
  const std::optional<BitmapInfoHeader> sourceHeader =
      MakeRgb24Header(source.width(), source.height());
  const std::optional<BitmapInfoHeader> header = MakeRgb24Header(width, height);
  if (source.empty() || !sourceHeader || !header) return std::nullopt;
  if (ResizeIsRefused(source.width(), source.height(), width, height)) return std::nullopt;
  return header;
}

}  // namespace

bool ResizeIsRefused(int sourceWidth, int sourceHeight, int width, int height) {
  return (sourceWidth > width && sourceHeight < height) ||
         (sourceWidth < width && sourceHeight > height);
}

bool ResizeBitmapInto(const BitmapView& source, uint16_t width, uint16_t height, Bitmap& resized) {
  const std::optional<BitmapInfoHeader> header = ResultHeader(source, width, height);
  if (!header) return false;
  if (source.width() == width && source.height() == height) {
    CopyIntoBitmap(source, resized);  // a buffer that is large enough stays
    return true;
  }
  resized.width = width;
  resized.height = height;
  resized.rows.resize(header->biSizeImage);
  if (source.width() < width || source.height() < height)
    EnlargeView(source, resized.rows.data(), width, height);
  else
    ShrinkView(source, resized.rows.data(), width, height);
  resized = WithClearPadding(std::move(resized));
  return true;
}

void ResizeBitmapsInto(const BitmapView& source, std::span<ResizeTarget> targets) {
  std::vector<ShrinkDestination> shrinks;
  std::vector<ResizeTarget*> shrunk;
  for (ResizeTarget& target : targets) {
    target.made = false;
    const bool shrink = source.width() >= target.width && source.height() >= target.height &&
                        (source.width() != target.width || source.height() != target.height);
    if (!shrink) {
      target.made = ResizeBitmapInto(source, target.width, target.height, *target.out);
      continue;
    }
    const std::optional<BitmapInfoHeader> header =
        ResultHeader(source, target.width, target.height);
    if (!header) continue;
    Bitmap& out = *target.out;
    out.width = target.width;
    out.height = target.height;
    out.rows.resize(header->biSizeImage);
    shrinks.push_back({out.rows.data(), out.stride(), out.width, out.height});
    shrunk.push_back(&target);
  }
  if (shrinks.empty()) return;
  ShrinkViewInto(source, shrinks);
  for (ResizeTarget* target : shrunk) {
    *target->out = WithClearPadding(std::move(*target->out));
    target->made = true;
  }
}

}  // namespace varnel
