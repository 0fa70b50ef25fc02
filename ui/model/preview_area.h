#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "builder/bitmap.h"
#include "builder/preview.h"
#include "ui/model/dialog_units.h"

namespace varnel {

// The middle width x height pixels of a picture (all of it when it is not larger), as a
// control that centres and clips a picture shows it.
Bitmap CentredPart(const BitmapView& picture, int width, int height);

inline constexpr PixelRect kNormalPreviewRect = {kPreviewX, kPreviewY, kPreviewWidth,
                                                 kPreviewHeight};

// The preview control (1009) as the model keeps it: where it lies in client pixels of the
// layout of the template's font, and the picture it shows centred and clipped. A layout
// of other units moves it along (MovedWithPreview). Changes are reported through
// onChange.
class PreviewArea final : public PreviewSink {
 public:
  explicit PreviewArea(std::function<void()> onChange) : onChange_(std::move(onChange)) {}

  // Used by the conversion while a build runs.
  void ShowPicture(const BitmapView& picture, int x, int y, int width, int height) override;
  void RestorePreview() override;

  // A clicked picture, shown at the normal place until the next one replaces it.
  void SetPicture(Bitmap picture);
  // Shows no picture, keeping the control where it is.
  void ClearPicture();
  // Puts the control at its normal place (start-up), keeping its picture.
  void PlaceAtNormalRect();

  // Empty until start-up places the control; the template's rectangle holds till then.
  const std::optional<PixelRect>& rect() const { return rect_; }
  const std::optional<Bitmap>& picture() const { return picture_; }
  // How many times the control changed, so a user of it can tell whether it still shows
  // what it was given.
  uint64_t changes() const { return changes_; }

 private:
  void Changed() {
    ++changes_;
    if (onChange_) onChange_();
  }

  std::function<void()> onChange_;
  std::optional<PixelRect> rect_;
  std::optional<Bitmap> picture_;
  uint64_t changes_ = 0;
};

}  // namespace varnel
