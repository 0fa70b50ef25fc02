#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "builder/build_host.h"
#include "builder/build_outcome.h"
#include "files/output_conflict.h"

namespace varnel {

// The two files of a build.
struct BuildFiles {
  std::string templatePath;  // the viewer program copied to the start of the image
  std::string outputPath;    // the image written
  // Files the build reads besides the template and the rows' pictures (the project file,
  // pictures named but left out before the build): the image must not be written over
  // any of them.
  std::vector<RoleFile> otherInputs = {};
};

// Work directory + "Src.res" when that file exists, else the viewer installed with
// Varnel; the image is work directory + "slide.gba".
BuildFiles DefaultBuildFiles(const std::string& workDirectory);

// The viewer template installed with Varnel (beside the executable when run from the
// build tree, else the installed data directory).
std::string InstalledTemplatePath();

// Turns the host's document into a cartridge image. Progress, preview, pictures left
// out and the error message all go through the host. The image is written beside the
// output and takes its name only when complete, so a build that fails or is interrupted
// leaves the previous image as it was; an output that is one of the build's inputs is
// refused before anything is written.
BuildOutcome BuildSlideShow(BuildHost& host, const BuildFiles& files);

}  // namespace varnel
