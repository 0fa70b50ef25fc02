#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace varnel {

// One record over a SOCK_SEQPACKET socket, with descriptors passed alongside.

constexpr std::size_t kMaxDescriptorsPerRecord = 2;

// Sends the record; false when the other side has gone (no SIGPIPE is raised).
bool SendRecord(int socket, const void* record, std::size_t size,
                std::span<const int> descriptors = {});

// Receives one record of exactly size bytes; the descriptors that came with it are put
// into descriptors (close-on-exec), which the caller then owns. False at the end of the
// stream, on an error, or for a record of any other size (its descriptors then closed).
bool ReceiveRecord(int socket, void* record, std::size_t size, std::vector<int>& descriptors);

}  // namespace varnel
