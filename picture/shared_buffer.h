#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace varnel {

// Memory this process shares with a decoder process: an anonymous memory file, mapped
// here and handed to the decoder as a descriptor, so that a decoded picture's pixels
// cross without a copy on this side. Created and mapped at once; the mapping and the
// descriptor go with the object.
class SharedBuffer {
 public:
  // Throws std::system_error when the memory cannot be had.
  explicit SharedBuffer(std::size_t capacity);
  ~SharedBuffer();
  SharedBuffer(const SharedBuffer&) = delete;
  SharedBuffer& operator=(const SharedBuffer&) = delete;

  uint8_t* data() const { return data_; }
  std::size_t capacity() const { return capacity_; }
  int descriptor() const { return descriptor_; }
  // Unique within the process, never reused: a decoder keeps its mappings by it.
  uint64_t id() const { return id_; }

  // Marks the buffer as in use by whoever holds the result (a surface over its pixels);
  // it is free again when the last copy of the result goes.
  static std::shared_ptr<const void> Lease(const std::shared_ptr<SharedBuffer>& buffer);
  bool leased() const { return leased_.load(std::memory_order_acquire); }

 private:
  uint8_t* data_ = nullptr;
  std::size_t capacity_ = 0;
  int descriptor_ = -1;
  uint64_t id_ = 0;
  std::atomic<bool> leased_{false};
};

}  // namespace varnel
