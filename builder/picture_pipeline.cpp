#include "builder/picture_pipeline.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <algorithm>
#include <limits>

namespace varnel {

namespace {

// Decoded pictures are the largest blocks a build takes (6 MB for a 1920 x 1080
// photograph, 36 MB for 4000 x 3000), one per worker at a time. By default the memory
// allocator maps each such block afresh and unmaps it when it is freed, so that every
// page of every picture is faulted in and zeroed anew, and with a heap per thread the
// workers cannot reuse each other's. For a build: one heap for every thread, large blocks
// from the heap too, and freed memory kept in it, so that each picture is decoded into
// memory a picture before it left; the peak then holds no more pictures than are
// decoded at once. Set once, before the first worker starts.
void KeepPictureMemoryForReuse() {
#if defined(__GLIBC__)
  static std::once_flag once;
  std::call_once(once, [] {
    constexpr int kNoMappedBlocks = 0;
    constexpr int kNeverTrim = std::numeric_limits<int>::max();
    mallopt(M_ARENA_MAX, 1);
    mallopt(M_MMAP_MAX, kNoMappedBlocks);
    mallopt(M_TRIM_THRESHOLD, kNeverTrim);
  });
#endif
}

// Gives the memory a build kept back, once it ends (the editor lives on after a build).
void ReleaseKeptMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

}  // namespace

unsigned PicturePipeline::DefaultWorkers() {
  return std::max(1u, std::thread::hardware_concurrency());
}

PicturePipeline::PicturePipeline(const SlideshowDocument& document, unsigned workers)
    : document_(document),
      introCount_(IntroCountOf(document.options)),
      ahead_((workers == 0 ? DefaultWorkers() : workers) + 1) {
  const unsigned count = workers == 0 ? DefaultWorkers() : workers;
  // One slot per picture being prepared or waiting, and one for the writer's.
  slots_.resize(ahead_ + 1);
  for (auto& slot : slots_) slot = std::make_unique<PreparedPicture>();
  ready_.assign(slots_.size(), false);
  versionsLeft_.assign(slots_.size(), 0);
  workerCount_ = std::min<std::size_t>(count, document.rows.size());
  KeepPictureMemoryForReuse();
  for (std::size_t i = 0; i < workerCount_; ++i) workers_.emplace_back([this, i] { Work(i); });
}

PicturePipeline::~PicturePipeline() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  for (std::thread& worker : workers_) worker.join();
  ReleaseKeptMemory();
}

std::deque<PicturePipeline::VersionTask>::iterator PicturePipeline::OwnTask(std::size_t worker) {
  return std::find_if(versionTasks_.begin(), versionTasks_.end(),
                      [worker](const VersionTask& task) { return task.worker == worker; });
}

bool PicturePipeline::MayStartPicture() const {
  // A picture is started only when its slot is free: the writer is at most ahead_
  // pictures behind.
  return nextToPrepare_ < document_.rows.size() && nextToPrepare_ < nextToHand_ + ahead_;
}

bool PicturePipeline::HasWork(std::size_t worker) {
  if (stopping_ || OwnTask(worker) != versionTasks_.end() || MayStartPicture() ||
      !versionTasks_.empty())
    return true;
  // Every picture is started: a worker ends once no picture can bring new tasks.
  return nextToPrepare_ == document_.rows.size() && sourcesBeingPrepared_ == 0;
}

void PicturePipeline::Work(std::size_t worker) {
  std::vector<uint8_t> saved;  // this worker's buffer for pictures the library saves
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this, worker] { return HasWork(worker); });
    if (stopping_) return;
    auto task = OwnTask(worker);
    if (task == versionTasks_.end() && !MayStartPicture()) task = versionTasks_.begin();
    if (task != versionTasks_.end()) {
      const VersionTask taken = *task;
      versionTasks_.erase(task);
      MakeVersion(taken, lock);
    } else if (MayStartPicture()) {
      PrepareNextSource(worker, lock, saved);
    } else {
      return;
    }
  }
}

void PicturePipeline::MakeVersion(const VersionTask& task, std::unique_lock<std::mutex>& lock) {
  PreparedPicture& slot = *slots_[task.row % slots_.size()];
  lock.unlock();
  MakePreparedVersion(slot, task.version);  // a failed resize leaves the version empty
  lock.lock();
  if (--versionsLeft_[task.row % slots_.size()] == 0) {
    FinishPreparing(slot);
    MarkReady(task.row);
  }
}

void PicturePipeline::PrepareNextSource(std::size_t worker, std::unique_lock<std::mutex>& lock,
                                        std::vector<uint8_t>& saved) {
  const std::size_t row = nextToPrepare_++;
  ++sourcesBeingPrepared_;
  lock.unlock();
  PreparedPicture& slot = *slots_[row % slots_.size()];
  // Assumes every earlier picture loads; the writer remakes the versions if not.
  const bool intro = row < introCount_;
  std::vector<PreparedVersion> versions;
  try {
    if (!PrepareShrunkAsDecoded(document_.options, document_.rows[row], row, intro, slot))
      versions = PrepareSource(document_.options, document_.rows[row], row, intro, slot, saved);
  } catch (...) {
    // Out of memory and the like: the picture's versions cannot be made here.
    slot.sourceMade = false;
    if (!slot.loaded) slot.whyNotLoaded = "the picture could not be loaded";
    versions.clear();
  }
  lock.lock();
  --sourcesBeingPrepared_;
  // No picture follows the last one to keep the other workers busy: its two small
  // versions become two tasks, each a walk of its own, that workers make side by side.
  if (row + 1 == document_.rows.size() && workerCount_ > 1) SplitSharedWalk(versions);
  versionsLeft_[row % slots_.size()] = versions.size();
  if (versions.empty()) {
    FinishPreparing(slot);
    MarkReady(row);
    return;
  }
  for (const PreparedVersion version : versions) versionTasks_.push_back({row, version, worker});
  changed_.notify_all();
}

void PicturePipeline::SplitSharedWalk(std::vector<PreparedVersion>& versions) {
  const auto shared =
      std::find(versions.begin(), versions.end(), PreparedVersion::kResizedAndThumbnail);
  if (shared == versions.end()) return;
  *shared = PreparedVersion::kResized;
  versions.push_back(PreparedVersion::kThumbnail);
}

void PicturePipeline::MarkReady(std::size_t row) {
  ready_[row % slots_.size()] = true;
  changed_.notify_all();
}

PreparedPicture& PicturePipeline::Next() {
  std::unique_lock<std::mutex> lock(mutex_);
  const std::size_t row = nextToHand_;
  if (row > 0) ready_[(row - 1) % slots_.size()] = false;  // the writer is done with it
  ++nextToHand_;
  changed_.notify_all();
  changed_.wait(lock, [&] { return ready_[row % slots_.size()]; });
  return *slots_[row % slots_.size()];
}

}  // namespace varnel
