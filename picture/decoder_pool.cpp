#include "picture/decoder_pool.h"

#include <algorithm>
#include <iterator>

namespace varnel {

DecoderPool& DecoderPool::Shared() {
  static DecoderPool pool;
  return pool;
}

DecoderPool::Lease DecoderPool::Take() {
  {
    std::lock_guard lock(mutex_);
    while (!idle_.empty()) {
      // One with a free buffer first: a decoder whose buffers all hold pictures still in
      // use would make a new one while another decoder's lay idle, a picture's memory
      // more at the peak of a build.
      auto chosen = std::find_if(idle_.rbegin(), idle_.rend(),
                                 [](const auto& decoder) { return decoder->HasFreeBuffer(); });
      if (chosen == idle_.rend()) chosen = idle_.rbegin();
      std::unique_ptr<DecoderProcess> decoder = std::move(*chosen);
      idle_.erase(std::next(chosen).base());
      if (decoder->StillRunning()) return Lease(*this, std::move(decoder));
    }
  }
  // Started outside the lock: other threads go on with the decoders they have.
  return Lease(*this, std::make_unique<DecoderProcess>());
}

void DecoderPool::GiveBack(std::unique_ptr<DecoderProcess> decoder) {
  if (!decoder || !decoder->alive()) return;  // a dead one ends here
  std::lock_guard lock(mutex_);
  idle_.push_back(std::move(decoder));
}

}  // namespace varnel
