#pragma once

#include <cstdint>
#include <vector>

#include "picture/decoder_protocol.h"
#include "picture/picture_decoding.h"

namespace varnel {

// The decoder process's side of the records: answers each request, keeping the picture a
// kDecode made until it is delivered, and the shared buffers it was handed mapped for
// the next requests (the program hands the same few buffers again and again).
class DecoderSession {
 public:
  DecoderSession() = default;
  ~DecoderSession();
  DecoderSession(const DecoderSession&) = delete;
  DecoderSession& operator=(const DecoderSession&) = delete;

  // Takes the descriptors that came with the request and closes them.
  DecoderReply Answer(const DecoderRequest& request, std::vector<int>& descriptors);

 private:
  struct Mapping {
    uint64_t id = 0;
    uint8_t* address = nullptr;
    std::size_t size = 0;
  };

  DecoderReply Decode(const DecoderRequest& request, int picture, int buffer);
  DecoderReply Deliver(const DecoderRequest& request, int buffer);
  DecoderReply DecodeShrunk(const DecoderRequest& request, int picture, int buffer);
  DecoderReply SaveAsBmp(const DecoderRequest& request, const std::vector<int>& descriptors);
  // The buffer mapped here, from its descriptor the first time; null when it cannot be.
  uint8_t* Map(const SharedBufferRef& buffer, int descriptor);
  void Forget(uint64_t id);

  DecodedPicture kept_;
  std::vector<Mapping> mappings_;  // the most recently used last
};

}  // namespace varnel
