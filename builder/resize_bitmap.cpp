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

std::optional<Bitmap> ResizeBitmapFrom(const BitmapView& source, uint16_t width, uint16_t height) {
  Bitmap resized;
  if (!ResizeBitmapInto(source, width, height, resized)) return std::nullopt;
  return resized;
}

std::optional<Bitmap> ResizeBitmap(Bitmap source, uint16_t width, uint16_t height) {
  const int sw = source.width;
  const int sh = source.height;
  const std::optional<BitmapInfoHeader> header = ResultHeader(BitmapView(source), width, height);
  if (!header) return std::nullopt;
  if (sw == width && sh == height) return WithClearPadding(std::move(source));
  if (sw < width || sh < height) return ResizeBitmapFrom(source, width, height);
  ShrinkRgb24(source.rows.data(), sw, sh, source.rows.data(), width, height);
  source.width = width;
  source.height = height;
  source.rows.resize(header->biSizeImage);
  // A much smaller result moves to a buffer of its own size, so the picture's memory goes.
  if (source.rows.size() * 2 < source.rows.capacity())
    std::vector<uint8_t>(source.rows.begin(), source.rows.end()).swap(source.rows);
  return WithClearPadding(std::move(source));
}

}  // namespace varnel
