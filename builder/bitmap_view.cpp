#include "builder/bitmap_view.h"

#include <cstring>

namespace varnel {

void CopyIntoBitmap(const BitmapView& view, Bitmap& bitmap) {
  bitmap.width = view.width();
  bitmap.height = view.height();
  if (view.empty()) {
    bitmap.rows.clear();
    return;
  }
  const std::size_t stride = bitmap.stride();
  const std::size_t used = static_cast<std::size_t>(view.width()) * 3;
  bitmap.rows.resize(stride * static_cast<std::size_t>(view.height()));
  for (int r = 0; r < view.height(); ++r) {
    const uint8_t* in = view.RowFromBottom(r);
    uint8_t* out = bitmap.rows.data() + static_cast<std::size_t>(r) * stride;
    if (view.redFirst()) {
      for (std::size_t x = 0; x < used; x += 3) {
        out[x + 0] = in[x + 2];
        out[x + 1] = in[x + 1];
        out[x + 2] = in[x + 0];
      }
    } else {
      std::memcpy(out, in, used);
    }
    std::memset(out + used, 0, stride - used);
  }
}

}  // namespace varnel
