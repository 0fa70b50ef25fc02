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
  // size, never scaled); empty when Display.bmp could not be written or read back.
  std::optional<Bitmap> preview;
};

// Loads the picture at picturePath and writes it as a BMP file to displayPath, then
// reads that file back for the preview. Nothing when the picture does not load.
std::optional<DisplayPicture> PrepareDisplayPicture(const std::string& picturePath,
                                                    const std::string& displayPath,
                                                    int previewWidth, int previewHeight);

}  // namespace varnel
