#include "cli/plan_table.h"

#include <cstdio>

#include "builder/rom_layout.h"
#include "files/display_text.h"

namespace varnel::cli {

namespace {

std::string Version(const char* name, const VersionChoice& version) {
  if (!version.wanted) return {};
  std::string text = std::string(name) + " " + std::to_string(version.width) + "x" +
                     std::to_string(version.height);
  return version.made ? text : text + " refused";
}

std::string VersionsText(const PicturePlan& picture) {
  std::string text;
  auto add = [&text](const std::string& part) {
    if (part.empty()) return;
    if (!text.empty()) text += ", ";
    text += part;
  };
  add(Version("full", picture.versions.fullSize));
  add(Version("resized", picture.versions.resized));
  add(Version("thumbnail", picture.versions.thumbnail));
  if (picture.versions.caption) add("caption");
  if (picture.intro) add("(intro)");
  return text.empty() ? "none" : text;
}

// A fit as a word, the value --fit takes for it.
const char* FitWord(Fit fit) {
  switch (fit) {
    case kFitWholePicture:
      return "whole";
    case kFitFillScreen:
      return "fill";
    case kFitStretch:
      break;
  }
  return "stretch";
}

constexpr const char* kLineFormat = "%-28s %-7s %-58s %10s %10s%s\n";

std::string Line(const std::string& picture, const char* fit, const std::string& versions,
                 uint64_t bytes, uint64_t total, const char* note = "") {
  char line[1024];
  std::snprintf(line, sizeof line, kLineFormat, picture.c_str(), fit, versions.c_str(),
                std::to_string(bytes).c_str(), std::to_string(total).c_str(), note);
  return line;
}

}  // namespace

std::string PlanTable(const SlideshowDocument& document, const ShowPlan& plan) {
  char heading[256];
  std::snprintf(heading, sizeof heading, kLineFormat, "picture", "fit", "versions", "bytes",
                "total", "");
  std::string table = heading;
  table += Line("(viewer and picture table)", "", "", kPictureDataOffset, kPictureDataOffset);
  for (const PicturePlan& picture : plan.pictures) {
    const std::string name =
        std::to_string(picture.row + 1) + " " + DisplayPath(document.rows[picture.row].fileName);

    const bool firstOver = plan.firstOverflow && &picture == &plan.pictures[*plan.firstOverflow];
    const PictureEntry& row = document.rows[picture.row];
    table += Line(name, FitWord(FitOfLabel(row.fitLabel)), VersionsText(picture),
                  picture.end - picture.start, picture.end, firstOver ? "  <- does not fit" : "");
  }
  table += "total " + std::to_string(plan.imageBytes) + " bytes of " +
           std::to_string(kCartridgeMaxBytes) + "\n";
  return table;
}

}  // namespace varnel::cli
