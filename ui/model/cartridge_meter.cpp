#include "ui/model/cartridge_meter.h"

#include <algorithm>
#include <cstdio>

#include "builder/pictures_on_disk.h"
#include "builder/rom_layout.h"
#include "builder/show_plan.h"
#include "document/label_tables.h"

namespace varnel {

namespace {

constexpr double kBytesPerMiB = 1024.0 * 1024.0;
constexpr int kFullPermille = 1000;

// Megabytes with as many decimals as a small amount needs to show: 12.4, 0.15, 0.005.
std::string MiBText(uint64_t bytes) {
  const double mib = static_cast<double>(bytes) / kBytesPerMiB;
  char text[32];
  const int decimals = mib >= 1.0 ? 1 : mib >= 0.1 ? 2 : 3;
  std::snprintf(text, sizeof text, "%.*f", decimals, mib);
  return text;
}

std::string RowCostText(const PicturePlan& picture) {
  std::string parts;
  const auto add = [&](const char* name, const PlannedBlock& block) {
    if (!block.present()) return;
    parts += std::string(parts.empty() ? "" : ", ") + name + " " + MiBText(block.bytes);
  };
  add("full size", picture.fullSize);
  add("resized", picture.resized);
  add("thumbnail", picture.thumbnail);
  add("caption", picture.caption);
  const std::string total = MiBText(picture.end - picture.start) + " MiB";
  return parts.empty() ? total : total + ": " + parts;
}

}  // namespace

CartridgeMeter MeasureCartridge(const SlideshowDocument& document,
                                std::optional<std::size_t> selectedRow) {
  CartridgeMeter meter;
  const std::optional<ShowPlan> plan = PlanShowFromRows(document, PicturesOnDisk(document));
  if (!plan) {
    meter.text = "Cartridge: not known";
    return meter;
  }
  const uint64_t limit = kCartridgeMaxBytes;
  char used[32];
  std::snprintf(used, sizeof used, "%.1f", static_cast<double>(plan->imageBytes) / kBytesPerMiB);
  meter.text =
      std::string("Cartridge: ") + used + " of " + std::to_string(limit / (1024 * 1024)) + " MiB";
  meter.fillPermille =
      static_cast<int>(std::min<uint64_t>(plan->imageBytes * kFullPermille / limit, kFullPermille));
  if (!plan->fits()) {
    meter.over = true;
    const std::size_t over = plan->pictures.size() - *plan->firstOverflow;
    meter.overText = std::to_string(over) + (over == 1 ? " picture" : " pictures") + " over";
    meter.text += ", " + meter.overText;
  }
  if (selectedRow) {
    const auto picture = std::find_if(plan->pictures.begin(), plan->pictures.end(),
                                      [&](const PicturePlan& p) { return p.row == *selectedRow; });
    if (picture != plan->pictures.end()) meter.rowCost = RowCostText(*picture);
  }
  return meter;
}

std::vector<std::size_t> RowsToResizeForFit(const SlideshowDocument& document) {
  const std::vector<bool> onDisk = PicturesOnDisk(document);
  std::optional<ShowPlan> plan = PlanShowFromRows(document, onDisk);
  if (!plan || plan->fits()) return {};
  SlideshowDocument trial = document;
  std::vector<const PicturePlan*> largest;
  for (const PicturePlan& picture : plan->pictures)
    if (picture.fullSize.present()) largest.push_back(&picture);
  std::stable_sort(largest.begin(), largest.end(), [](const PicturePlan* a, const PicturePlan* b) {
    return a->fullSize.bytes > b->fullSize.bytes;
  });
  std::vector<std::size_t> rows;
  const std::string resizedOnly(kSizingLabels[kSizingResizedOnly]);
  for (const PicturePlan* picture : largest) {
    trial.rows[picture->row].sizingLabel = resizedOnly;
    rows.push_back(picture->row);
    if (const auto tried = PlanShowFromRows(trial, onDisk); tried && tried->fits()) return rows;
  }
  return {};
}

}  // namespace varnel
