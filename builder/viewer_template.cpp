#include "builder/viewer_template.h"

#include "builder/rom_layout.h"
#include "files/binary_file.h"
#include "files/display_text.h"
#include "files/file_error.h"

namespace varnel {

namespace {

// The console's cartridge header starts with a branch over itself and holds a fixed byte.
bool HoldsCartridgeHeader(const std::vector<uint8_t>& program) {
  return program.size() >= kCartHeaderBytes && program[kCartBranchTopByteAt] == kCartBranchAlways &&
         program[kCartFixedByteAt] == kCartFixedByte;
}

std::vector<uint8_t> ReadAtMost(BinaryFile& file, std::size_t limit) {
  std::vector<uint8_t> bytes(limit);
  std::size_t total = 0;
  while (total < limit) {
    const std::size_t got = file.Read(bytes.data() + total, limit - total);
    if (got == 0) break;
    total += got;
  }
  bytes.resize(total);
  return bytes;
}

}  // namespace

std::vector<uint8_t> ReadViewerTemplate(const std::string& path) {
  if (path.empty()) throw FileError(path, "an unnamed file was not found.");
  BinaryFile file = BinaryFile::OpenForReading(path);
  // One byte more than fits tells a template that is too long.
  std::vector<uint8_t> program = ReadAtMost(file, std::size_t{kMaxTemplateBytes} + 1);
  const std::string shown = DisplayPath(path);
  if (program.size() > kMaxTemplateBytes)
    throw TemplateRefused("The viewer program " + shown + " is more than " +
                          std::to_string(kMaxTemplateBytes) +
                          " bytes long; a template may hold at most " +
                          std::to_string(kMaxTemplateBytes) + " bytes.");
  if (program.empty())
    throw TemplateRefused("The viewer program " + shown +
                          " is empty: an image built with it could not run.");
  if (!HoldsCartridgeHeader(program))
    throw TemplateRefused("The viewer program " + shown +
                          " is not a Game Boy Advance program: it has no cartridge header, so "
                          "an image built with it could not run.");
  return program;
}

}  // namespace varnel
