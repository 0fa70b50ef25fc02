#include "builder/show_plan.h"

#include <algorithm>

#include "builder/caption_block.h"
#include "builder/resize_bitmap.h"
#include "document/label_tables.h"
#include "document/number_rules.h"
#include "files/display_text.h"

namespace varnel {

namespace {

// The 16-bit size fields of a record cannot describe a larger full-size picture.
constexpr int kMaxFullSizeSide = 65535;
constexpr double kBytesPerMiB = 1024.0 * 1024.0;

VersionChoice Resize(PictureSize size, int width, int height, Fit fit = kFitStretch) {
  VersionChoice choice;
  choice.wanted = true;
  choice.width = static_cast<uint16_t>(width);
  choice.height = static_cast<uint16_t>(height);
  choice.fit = fit;
  if (width == 0 || height == 0) {
    choice.whyNot = "the picture is narrower than 4 pixels, so it has no full-size version";
  } else if (fit != kFitStretch && (size.width < 1 || size.height < 1)) {
    choice.whyNot = "the picture has no pixels";
  } else if (fit == kFitStretch && ResizeIsRefused(size.width, size.height, width, height)) {
    choice.whyNot = "the " + std::to_string(width) + " x " + std::to_string(height) +
                    " version would shrink the picture one way while enlarging it the other";
  } else {
    choice.made = true;
    choice.geometry =
        FitPictureInBox(fit, std::max(size.width, 1), std::max(size.height, 1), width, height);
  }
  return choice;
}

std::string MiB(uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MiB", static_cast<double>(bytes) / kBytesPerMiB);
  return text;
}

}  // namespace

uint16_t IntroCountOf(const SlideshowOptions& options) {
  return Low16(DecimalValue(options.introCountText));
}

PictureVersions ChooseVersions(const SlideshowOptions& options, const PictureEntry& row,
                               PictureSize size, bool intro) {
  const int sizing =
      options.sizingOverride ? options.sizingOverrideIndex : LabelIndex(row.sizingLabel);
  const int effect =
      options.effectOverride ? options.effectOverrideIndex : LabelIndex(row.effectLabel);
  const Fit fit = FitOfLabel(row.fitLabel);
  PictureVersions versions;
  versions.effect = static_cast<uint8_t>(effect);
  const bool recordHoldsFullSize =
      size.width <= kMaxFullSizeSide && size.height <= kMaxFullSizeSide;
  if (recordHoldsFullSize) {
    versions.recordWidth = static_cast<uint16_t>(size.width - size.width % 4);
    versions.recordHeight = static_cast<uint16_t>(size.height);
  }
  if ((sizing == kSizingBoth || sizing == kSizingFullSizeOnly) && !intro) {
    if (recordHoldsFullSize) {
      versions.fullSize = Resize(size, versions.recordWidth, versions.recordHeight);
    } else {
      versions.fullSize.wanted = true;
      versions.fullSize.whyNot =
          "the picture is larger than 65535 pixels along one side, so it has no full-size "
          "version";
    }
  }
  if (sizing == kSizingBoth || sizing == kSizingResizedOnly || intro)
    versions.resized = Resize(size, kScreenWidth, kScreenHeight, fit);
  if (options.thumbnails && !intro)
    versions.thumbnail = Resize(size, kThumbnailWidth, kThumbnailHeight, fit);
  if (options.textDisplay && !intro && !row.caption.empty()) {
    versions.caption = true;
    versions.captionBytes = MakeCaptionBlock(row.caption).size();
  }
  return versions;
}

PlannedBlock ImageLayout::Place(uint64_t bytes) {
  PlannedBlock block;
  block.alignment = AlignmentBytesFor(length_);
  block.offset = length_ + block.alignment;
  block.bytes = bytes;
  length_ = block.offset + bytes;
  return block;
}

PicturePlan ImageLayout::PlacePicture(std::size_t row, uint16_t slot, bool intro,
                                      const PictureVersions& versions) {
  PicturePlan plan;
  plan.row = row;
  plan.slot = slot;
  plan.intro = intro;
  plan.versions = versions;
  plan.start = length_;
  if (versions.fullSize.made) plan.fullSize = Place(versions.fullSize.PixelBytes());
  if (versions.resized.made) plan.resized = Place(versions.resized.PixelBytes());
  if (versions.thumbnail.made) plan.thumbnail = Place(versions.thumbnail.PixelBytes());
  if (versions.caption) plan.caption = Place(versions.captionBytes);
  plan.end = length_;
  return plan;
}

ShowPlan PlanShow(const SlideshowDocument& document,
                  std::span<const std::optional<PictureSize>> sizes) {
  ShowPlan plan;
  const uint16_t introCount = IntroCountOf(document.options);
  ImageLayout layout;
  uint16_t written = 0;
  for (std::size_t r = 0; r < document.rows.size(); ++r) {
    if (r >= sizes.size() || !sizes[r]) {
      plan.leftOut.push_back(r);
      continue;
    }
    const bool intro = written < introCount;
    const PictureVersions versions =
        ChooseVersions(document.options, document.rows[r], *sizes[r], intro);
    plan.pictures.push_back(layout.PlacePicture(r, written, intro, versions));
    if (!plan.firstOverflow && plan.pictures.back().end > kCartridgeMaxBytes)
      plan.firstOverflow = plan.pictures.size() - 1;
    ++written;
  }
  plan.imageBytes = layout.length();
  return plan;
}

std::optional<ShowPlan> PlanShowFromRows(const SlideshowDocument& document) {
  return PlanShowFromRows(document, std::vector<bool>(document.rows.size(), true));
}

std::optional<ShowPlan> PlanShowFromRows(const SlideshowDocument& document,
                                         const std::vector<bool>& onDisk) {
  std::vector<std::optional<PictureSize>> sizes;
  for (std::size_t r = 0; r < document.rows.size(); ++r) {
    const PictureEntry& row = document.rows[r];
    if (row.pictureWidth <= 0 || row.pictureHeight <= 0) return std::nullopt;
    if (r < onDisk.size() && !onDisk[r])
      sizes.emplace_back(std::nullopt);
    else
      sizes.emplace_back(PictureSize{row.pictureWidth, row.pictureHeight});
  }
  return PlanShow(document, sizes);
}

std::string DoesNotFitMessage(const SlideshowDocument& document, const ShowPlan& plan) {
  if (plan.fits()) return {};
  const PicturePlan& first = plan.pictures[*plan.firstOverflow];
  const std::size_t over = plan.pictures.size() - *plan.firstOverflow;
  return "The show does not fit into a cartridge: it needs " + MiB(plan.imageBytes) + " of the " +
         std::to_string(kCartridgeMaxBytes / (1024 * 1024)) +
         " MiB the console can read, and picture " + std::to_string(first.row + 1) + " (" +
         DisplayPath(document.rows[first.row].path) + ") is the first that ends past the limit (" +
         std::to_string(over) + (over == 1 ? " picture does" : " pictures do") +
         " not fit). Choose \"Resized Only (240x160)\" for the largest pictures, or remove "
         "pictures, and build again.";
}

}  // namespace varnel
