#include "project/byte_source.h"

#include <algorithm>
#include <cstring>

#include "files/binary_file.h"

namespace varnel {

std::size_t MemoryByteSource::Read(uint8_t* data, std::size_t count) {
  const std::size_t take = std::min(count, bytes_.size() - position_);
  if (take > 0) std::memcpy(data, bytes_.data() + position_, take);
  position_ += take;
  return take;
}

std::size_t FileByteSource::Read(uint8_t* data, std::size_t count) {
  return file_.Read(data, count);
}

}  // namespace varnel
