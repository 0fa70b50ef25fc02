#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "picture/decoder_process.h"

namespace varnel {

// The program's decoder processes: one for each thread that decodes at the same time (a
// build's or a Load's workers, the window's thread for a preview), started when first
// needed and kept for the next pictures. A decoder that died is not given out again.
class DecoderPool {
 public:
  static DecoderPool& Shared();

  // A decoder for the caller alone, back to the pool when the lease goes.
  class Lease {
   public:
    Lease(DecoderPool& pool, std::unique_ptr<DecoderProcess> decoder)
        : pool_(pool), decoder_(std::move(decoder)) {}
    ~Lease() { pool_.GiveBack(std::move(decoder_)); }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    DecoderProcess& operator*() const { return *decoder_; }
    DecoderProcess* operator->() const { return decoder_.get(); }

   private:
    DecoderPool& pool_;
    std::unique_ptr<DecoderProcess> decoder_;
  };

  // An idle decoder, or a new one; throws DecoderStartFailure when none can be started.
  Lease Take();

 private:
  void GiveBack(std::unique_ptr<DecoderProcess> decoder);

  std::mutex mutex_;
  std::vector<std::unique_ptr<DecoderProcess>> idle_;
};

}  // namespace varnel
