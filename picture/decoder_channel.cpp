#include "picture/decoder_channel.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace varnel {

namespace {

constexpr std::size_t kControlSize = CMSG_SPACE(sizeof(int) * kMaxDescriptorsPerRecord);

}  // namespace

bool SendRecord(int socket, const void* record, std::size_t size,
                std::span<const int> descriptors) {
  iovec data{const_cast<void*>(record), size};
  msghdr message{};
  message.msg_iov = &data;
  message.msg_iovlen = 1;
  alignas(cmsghdr) char control[kControlSize]{};
  if (!descriptors.empty() && descriptors.size() <= kMaxDescriptorsPerRecord) {
    message.msg_control = control;
    message.msg_controllen = CMSG_SPACE(sizeof(int) * descriptors.size());
    cmsghdr* header = CMSG_FIRSTHDR(&message);
    header->cmsg_level = SOL_SOCKET;
    header->cmsg_type = SCM_RIGHTS;
    header->cmsg_len = CMSG_LEN(sizeof(int) * descriptors.size());
    std::memcpy(CMSG_DATA(header), descriptors.data(), sizeof(int) * descriptors.size());
  }
  for (;;) {
    const ssize_t sent = ::sendmsg(socket, &message, MSG_NOSIGNAL);
    if (sent >= 0) return static_cast<std::size_t>(sent) == size;
    if (errno != EINTR) return false;
  }
}

bool ReceiveRecord(int socket, void* record, std::size_t size, std::vector<int>& descriptors) {
  iovec data{record, size};
  msghdr message{};
  message.msg_iov = &data;
  message.msg_iovlen = 1;
  alignas(cmsghdr) char control[kControlSize];
  message.msg_control = control;
  message.msg_controllen = sizeof control;
  ssize_t received;
  do {
    received = ::recvmsg(socket, &message, MSG_CMSG_CLOEXEC);
  } while (received < 0 && errno == EINTR);
  std::vector<int> came;
  for (cmsghdr* header = CMSG_FIRSTHDR(&message); received >= 0 && header != nullptr;
       header = CMSG_NXTHDR(&message, header)) {
    if (header->cmsg_level != SOL_SOCKET || header->cmsg_type != SCM_RIGHTS) continue;
    const std::size_t count = (header->cmsg_len - CMSG_LEN(0)) / sizeof(int);
    for (std::size_t i = 0; i < count; ++i) {
      int descriptor;
      std::memcpy(&descriptor, CMSG_DATA(header) + i * sizeof(int), sizeof(int));
      came.push_back(descriptor);
    }
  }
  const bool whole = received == static_cast<ssize_t>(size) &&
                     (message.msg_flags & MSG_TRUNC) == 0 && (message.msg_flags & MSG_CTRUNC) == 0;
  if (!whole) {
    for (int descriptor : came) ::close(descriptor);
    return false;
  }
  descriptors.insert(descriptors.end(), came.begin(), came.end());
  return true;
}

}  // namespace varnel
