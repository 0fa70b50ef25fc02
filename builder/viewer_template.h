#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace varnel {

// Reads the viewer program a build copies to the start of the image. Its length is what
// could be read, never what the system says the file holds. Refused, with a message for
// the user: a name that is empty or does not open, anything but an ordinary file, more
// than kMaxTemplateBytes bytes, and a file without a console program's cartridge header
// (an empty file included), which would build an image that cannot run.
// Throws FileError for files that cannot be read and TemplateRefused for the rest.
std::vector<uint8_t> ReadViewerTemplate(const std::string& path);

class TemplateRefused : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace varnel
