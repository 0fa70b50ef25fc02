#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "builder/build_host.h"

namespace varnel {

// The two files of a build.
struct BuildFiles {
  std::string templatePath;  // the viewer program copied to the start of the image
  std::string outputPath;    // the image written
};

// Work directory + "Src.res" when that file exists, else the viewer installed with
// Varnel; the image is work directory + "slide.gba".
BuildFiles DefaultBuildFiles(const std::string& workDirectory);

// The viewer template installed with Varnel (beside the executable when run from the
// build tree, else the installed data directory).
std::string InstalledTemplatePath();

struct BuildOutcome {
  bool ok = false;      // true only when the whole image was written
  std::string message;  // why the build failed (also shown through BuildHost::ShowError)
  uint16_t pictureCount = 0;
};

// Turns the host's document into a cartridge image. Progress, preview, pictures left
// out and the error message all go through the host.
BuildOutcome BuildSlideShow(BuildHost& host, const BuildFiles& files);

}  // namespace varnel
