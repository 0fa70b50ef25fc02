#include "project/byte_source.h"

#include "files/binary_file.h"

namespace varnel {

std::size_t FileByteSource::Read(uint8_t* data, std::size_t count) {
  return file_.Read(data, count);
}

}  // namespace varnel
