#include "project/byte_sink.h"

#include "files/binary_file.h"

namespace varnel {

void FileByteSink::Write(const uint8_t* data, std::size_t count) {
  file_.Write(data, count);
}

}  // namespace varnel
