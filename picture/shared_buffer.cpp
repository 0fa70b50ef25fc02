#include "picture/shared_buffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace varnel {

namespace {

std::atomic<uint64_t> nextId{1};

[[noreturn]] void ThrowSystemError(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

SharedBuffer::SharedBuffer(std::size_t capacity) : capacity_(capacity), id_(nextId++) {
  descriptor_ = ::memfd_create("varnel-picture", MFD_CLOEXEC);
  if (descriptor_ < 0) ThrowSystemError("memfd_create");
  if (::ftruncate(descriptor_, static_cast<off_t>(capacity)) != 0) {
    const int error = errno;
    ::close(descriptor_);
    errno = error;
    ThrowSystemError("ftruncate");
  }
  void* mapped = ::mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_SHARED, descriptor_, 0);
  if (mapped == MAP_FAILED) {
    const int error = errno;
    ::close(descriptor_);
    errno = error;
    ThrowSystemError("mmap");
  }
  data_ = static_cast<uint8_t*>(mapped);
}

SharedBuffer::~SharedBuffer() {
  ::munmap(data_, capacity_);
  ::close(descriptor_);
}

std::shared_ptr<const void> SharedBuffer::Lease(const std::shared_ptr<SharedBuffer>& buffer) {
  buffer->leased_.store(true, std::memory_order_relaxed);
  return std::shared_ptr<const void>(buffer->data(), [buffer](const void*) {
    buffer->leased_.store(false, std::memory_order_release);
  });
}

}  // namespace varnel
