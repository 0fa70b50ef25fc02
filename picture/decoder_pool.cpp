#include "picture/decoder_pool.h"

namespace varnel {

DecoderPool& DecoderPool::Shared() {
  static DecoderPool pool;
  return pool;
}

DecoderPool::Lease DecoderPool::Take() {
  {
    std::lock_guard lock(mutex_);
    while (!idle_.empty()) {
      std::unique_ptr<DecoderProcess> decoder = std::move(idle_.back());
      idle_.pop_back();
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
