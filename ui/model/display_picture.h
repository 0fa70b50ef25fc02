#pragma once

#include <optional>
#include <string>

#include "builder/bitmap.h"

namespace varnel {

// What a row click shows of a picture.
struct DisplayPicture {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  // The middle of the picture as the preview shows it (centred, clipped to the preview's
  // size, never scaled); empty when there was no memory for it.
  std::optional<Bitmap> preview;
};

// Loads the picture at picturePath for the preview. Everything stays in memory: the
// work directory is not written. Nothing when the picture does not load.
std::optional<DisplayPicture> PrepareDisplayPicture(const std::string& picturePath,
                                                    int previewWidth, int previewHeight);

}  // namespace varnel
