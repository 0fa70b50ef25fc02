// Feeds arbitrary bytes to the project file reader. Besides the sanitizers' checks it
// holds the reader to its promises: it ends on every input, hands on only complete
// records, mends every value into what the window can show, and what it hands on is
// written and read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "document/number_rules.h"
#include "project/byte_source.h"
#include "project/project_file_reader.h"
#include "project/project_file_writer.h"
#include "tests/support/project_bytes.h"

namespace {

using varnel::ProjectHeader;
using varnel::SlideshowOptions;
using varnel::StoredPicture;

void Require(bool condition) {
  if (!condition) std::abort();
}

struct ReadBack {
  std::optional<ProjectHeader> header;
  std::vector<StoredPicture> pictures;
  varnel::ProjectReadResult result;
};

ReadBack Read(const uint8_t* data, std::size_t size) {
  ReadBack back;
  varnel::testing::MemoryByteSource source({data, size});
  varnel::ProjectFileHandlers handlers;
  handlers.header = [&back](const ProjectHeader& header) {
    Require(!back.header.has_value());
    back.header = header;
  };
  handlers.picture = [&back](const StoredPicture& picture) { back.pictures.push_back(picture); };
  back.result = varnel::ReadProjectFile(source, handlers);
  return back;
}

bool IsOnOff(int value) {
  return value == 0 || value == 1;
}

bool IsPlainNumber(const std::string& text, int maximum) {
  if (text.empty() || text.size() > 2) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return std::to_string(varnel::DecimalValue(text)) == text &&
         varnel::DecimalValue(text) <= maximum;
}

void CheckOptions(const SlideshowOptions& o) {
  Require(IsOnOff(o.helpScreen) && IsOnOff(o.textDisplay) && IsOnOff(o.sizingOverride) &&
          IsOnOff(o.thumbnails) && IsOnOff(o.timeLimit) && IsOnOff(o.keyUse) &&
          IsOnOff(o.effectOverride));
  // Stored seconds come back as stored up to 99; the seconds box's own rule limits them
  // to 60 afterwards, where the number is shown.
  Require(IsPlainNumber(o.introCountText, 99) && IsPlainNumber(o.secondsText, 99));
  Require(o.sizingOverrideIndex >= -1 && o.sizingOverrideIndex <= 2);
  Require(o.effectOverrideIndex >= -1 && o.effectOverrideIndex <= 8);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const ReadBack back = Read(data, size);
  Require(back.result.headerRead() == back.header.has_value());
  Require(back.result.picturesRead == back.pictures.size());
  Require(back.pictures.size() <= back.result.announcedPictures);
  Require(back.result.cutShort() || back.pictures.size() == back.result.announcedPictures);
  if (!back.header) return 0;

  CheckOptions(back.header->options);
  for (const StoredPicture& picture : back.pictures)
    Require(picture.sizingIndex <= 2 && picture.effectIndex <= 8);

  const std::vector<uint8_t> written =
      varnel::testing::ProjectFileBytes(back.header->options, back.pictures);
  const ReadBack again = Read(written.data(), written.size());
  Require(!again.result.cutShort());
  Require(again.header && again.header->options == back.header->options);
  Require(again.pictures == back.pictures);
  return 0;
}
