#include "tests/support/project_bytes.h"

#include <algorithm>
#include <cstring>

#include "project/project_file_writer.h"

namespace varnel::testing {

std::size_t MemoryByteSource::Read(uint8_t* data, std::size_t count) {
  const std::size_t take = std::min(count, bytes_.size() - position_);
  if (take > 0) std::memcpy(data, bytes_.data() + position_, take);
  position_ += take;
  return take;
}

std::vector<uint8_t> ProjectFileBytes(const SlideshowOptions& options,
                                      std::span<const StoredPicture> pictures) {
  VectorByteSink sink;
  WriteProjectFile(options, pictures, sink);
  return sink.TakeBytes();
}

}  // namespace varnel::testing
