#include "ui/model/row_maker.h"

#include <algorithm>
#include <exception>

namespace varnel {

RowMaker::RowMaker(std::vector<RowRequest> requests, unsigned workers)
    : requests_(std::move(requests)), results_(requests_.size()) {
  const std::size_t count =
      std::min<std::size_t>(std::max(workers, 1u), std::max<std::size_t>(requests_.size(), 1));
  for (std::size_t i = 0; i < count && !requests_.empty(); ++i)
    workers_.emplace_back([this] { Work(); });
}

RowMaker::~RowMaker() {
  stopping_ = true;
  for (std::thread& worker : workers_) worker.join();
}

unsigned RowMaker::DefaultWorkers() {
  return std::max(std::thread::hardware_concurrency(), 1u);
}

void RowMaker::Work() {
  while (!stopping_) {
    const std::size_t index = next_++;
    if (index >= requests_.size()) return;
    const RowRequest& request = requests_[index];
    MakeRowResult made;
    try {
      made = MakePictureRow(request.path, request.sizingIndex, request.effectIndex, request.caption,
                            request.fitIndex);
    } catch (const std::exception&) {
      // Out of memory for a huge picture: it gives no row, as a picture that does not load.
      made.error = RowError::kPictureNotLoaded;
    }
    bool allMade = false;
    {
      std::lock_guard lock(mutex_);
      results_[index] = std::move(made);
      allMade = ++made_ == results_.size();
    }
    // Only the last result ends the window's wait early.
    if (allMade) done_.notify_one();
  }
}

std::vector<MakeRowResult> RowMaker::TakeReady(std::chrono::milliseconds timeout) {
  std::vector<MakeRowResult> ready;
  std::unique_lock lock(mutex_);
  if (AllTaken()) return ready;
  done_.wait_for(lock, timeout, [this] { return made_ == results_.size(); });
  while (taken_ < results_.size() && results_[taken_].has_value()) {
    ready.push_back(std::move(*results_[taken_]));
    results_[taken_].reset();
    ++taken_;
  }
  return ready;
}

}  // namespace varnel
