#pragma once

#include <cstdint>
#include <vector>

#include "builder/bitmap.h"
#include "builder/build_host.h"
#include "builder/encode_picture.h"
#include "builder/rom_layout.h"
#include "builder/show_plan.h"
#include "document/binary_file.h"

namespace varnel {

// Writes one show into an open image, region by region in file order: the template, the
// zero fill, the pictures with their records, and the header values. Throws BuildFailure
// (build_failure.h) or FileError.
class ImageWriter {
 public:
  ImageWriter(BuildHost& host, const SlideshowDocument& document, BinaryFile& image);

  void CopyTemplate(BinaryFile& templateFile);
  void FillZerosToPictureData();
  // Every row whose picture loads, in show order; the number of pictures written.
  uint16_t WritePictures();
  RomHeader MakeHeader(uint16_t pictureCount) const;

 private:
  SlideRecord WritePicture(const PictureEntry& row, std::size_t index, SDL_Surface* picture,
                           bool intro);
  uint32_t WriteVersion(const PictureEntry& row, std::size_t index, SDL_Surface* picture,
                        const VersionChoice& version);
  uint32_t Encode(const PictureEntry& row, std::size_t index, SDL_Surface* picture, uint16_t width,
                  uint16_t height);
  uint32_t AppendCaption(const PictureEntry& row, std::size_t index);
  void EnsureFits(uint64_t end, const PictureEntry& row, std::size_t index) const;

  BuildHost& host_;
  const SlideshowDocument& document_;
  const SlideshowOptions& options_;
  BinaryFile& image_;
  ConversionContext context_;
  uint64_t templateLength_ = 0;
  // The current picture as the resampler reads it, and the bytes it was saved as; their
  // buffers serve picture after picture.
  Bitmap source_;
  std::vector<uint8_t> saved_;
  bool sourceTried_ = false;
  bool sourceLoaded_ = false;
};

}  // namespace varnel
