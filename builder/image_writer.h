#pragma once

#include <cstdint>
#include <vector>

#include "builder/bitmap.h"
#include "builder/build_host.h"
#include "builder/encode_picture.h"
#include "builder/prepared_picture.h"
#include "builder/rom_layout.h"
#include "builder/show_plan.h"
#include "files/binary_file.h"

namespace varnel {

// Writes one show into an open image, region by region in file order: the template, the
// zero fill, the pictures with their records, and the header values. Pictures are
// prepared ahead on worker threads (picture_pipeline.h); everything that touches the image
// or the host happens on the calling thread, in show order. Throws BuildFailure
// (build_failure.h) or FileError.
class ImageWriter {
 public:
  ImageWriter(BuildHost& host, const SlideshowDocument& document, BinaryFile& image);

  // The viewer program, read whole before the image was begun.
  void CopyTemplate(const std::vector<uint8_t>& program);
  void FillZerosToPictureData();
  // Every row whose picture loads, in show order; the number of pictures written.
  uint16_t WritePictures();
  RomHeader MakeHeader(uint16_t pictureCount) const;

 private:
  SlideRecord WritePicture(const PictureEntry& row, std::size_t index,
                           const PreparedPicture& picture);
  uint32_t WriteVersion(const PictureEntry& row, std::size_t index, const VersionChoice& version,
                        const BitmapView& made, bool sourceMade);
  uint32_t AppendCaption(const PictureEntry& row, std::size_t index);
  void EnsureFits(uint64_t end, const PictureEntry& row, std::size_t index) const;
  void StopIfCancelled();

  BuildHost& host_;
  const SlideshowDocument& document_;
  const SlideshowOptions& options_;
  BinaryFile& image_;
  ConversionContext context_;
  uint64_t templateLength_ = 0;
};

}  // namespace varnel
