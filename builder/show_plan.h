#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "builder/fit_geometry.h"
#include "builder/rom_layout.h"
#include "document/slideshow_document.h"

namespace varnel {

// The size of a loaded picture, in pixels.
struct PictureSize {
  int width = 0;
  int height = 0;
  bool operator==(const PictureSize&) const = default;
};

// One version of a picture: whether the options ask for it, its size, how the picture
// fills it, and whether it will be made. A version asked for is not made when the resize
// rule refuses it (one dimension would shrink while the other grows, which only Stretch
// can ask for), when its width is 0 (a full size of a picture narrower than 4 pixels), or
// when the picture is too large for a record to describe its full size.
struct VersionChoice {
  bool wanted = false;
  bool made = false;
  uint16_t width = 0;
  uint16_t height = 0;
  Fit fit = kFitStretch;  // the full size is always stretched to its own size
  FitGeometry geometry;   // for a version made: what is read, resampled and placed
  std::string whyNot;     // for a version wanted but not made, in the user's words
  uint64_t PixelBytes() const { return uint64_t{width} * height * 2; }
};

// What a picture contributes to the image, decided from the options, its row, its size
// and whether it is an intro picture: the one decision the plan and the build share.
struct PictureVersions {
  VersionChoice fullSize;
  VersionChoice resized;
  VersionChoice thumbnail;
  bool caption = false;
  uint64_t captionBytes = 0;  // the caption block, its 0 byte included
  uint8_t effect = 0;
  uint16_t recordWidth = 0;  // the record's full-size width and height
  uint16_t recordHeight = 0;
};

PictureVersions ChooseVersions(const SlideshowOptions& options, const PictureEntry& row,
                               PictureSize size, bool intro);

// The resolved intro count of the options: the low 16 bits of its decimal value.
uint16_t IntroCountOf(const SlideshowOptions& options);

// A block of the image: the zero bytes before it, where it starts and how long it is.
// Absent blocks have offset 0.
struct PlannedBlock {
  uint64_t alignment = 0;
  uint64_t offset = 0;
  uint64_t bytes = 0;
  bool present() const { return offset != 0; }
};

// Where one picture's blocks lie.
struct PicturePlan {
  std::size_t row = 0;  // index in the document's rows
  uint16_t slot = 0;    // its record in the picture table
  bool intro = false;
  PictureVersions versions;
  PlannedBlock fullSize, resized, thumbnail, caption;
  uint64_t start = 0;  // the image's length before the picture
  uint64_t end = 0;    // and after it
};

// Lays out blocks one after another from the start of the picture data, as the image is
// written: each after its alignment bytes.
class ImageLayout {
 public:
  uint64_t length() const { return length_; }
  PlannedBlock Place(uint64_t bytes);
  // Places the versions and the caption that will be made, in image order.
  PicturePlan PlacePicture(std::size_t row, uint16_t slot, bool intro,
                           const PictureVersions& versions);

 private:
  uint64_t length_ = kPictureDataOffset;
};

// The image a show gives, without converting anything.
struct ShowPlan {
  std::vector<PicturePlan> pictures;  // the pictures written, in show order
  std::vector<std::size_t> leftOut;   // rows whose picture does not load
  uint64_t imageBytes = 0;            // the length of the whole image
  // The first picture (index in pictures) that ends past what the console can read.
  std::optional<std::size_t> firstOverflow;
  bool fits() const { return !firstOverflow; }
};

// Plans the document with one size per row; an empty size is a picture that does not load.
ShowPlan PlanShow(const SlideshowDocument& document,
                  std::span<const std::optional<PictureSize>> sizes);

// The same with each row's own size (PictureEntry::pictureWidth and pictureHeight); empty
// when a row's size is not known.
std::optional<ShowPlan> PlanShowFromRows(const SlideshowDocument& document);

// The same, with the rows whose picture is no longer on disk (onDisk false, one flag per
// row: PicturesOnDisk in pictures_on_disk.h) left out as a build leaves them out.
std::optional<ShowPlan> PlanShowFromRows(const SlideshowDocument& document,
                                         const std::vector<bool>& onDisk);

// Why a show that does not fit cannot be built, naming the first picture that does not
// fit and what to change.
std::string DoesNotFitMessage(const SlideshowDocument& document, const ShowPlan& plan);

}  // namespace varnel
