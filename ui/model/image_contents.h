#pragma once

#include <string>

namespace varnel {

// Whether a build of no pictures written to `path` would lose something the user has
// there: anything but nothing at all or a show whose header counts no pictures (a file
// that is no show counts as holding something).
bool ImageHoldsPictures(const std::string& path);

}  // namespace varnel
