#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "builder/prepared_picture.h"
#include "document/slideshow_document.h"

namespace varnel {

// Prepares the pictures of a show on worker threads, ahead of the one thread that writes
// the image, and hands them over strictly in show order. At most a few pictures are
// prepared ahead of the writer, so memory stays bounded whatever the show's length.
// A picture's versions are made as tasks of their own. A worker makes those of the picture
// it loaded before it loads another, so that the pictures the writer waits for are
// finished first and each worker's decoded picture is let go before it decodes the next
// (one decoded picture a worker); a worker with no picture to load takes another's tasks,
// so that at the end of a show (or for a show of one picture) every worker has work.
// Workers never call the build's host; the writer does, on its own thread.
class PicturePipeline {
 public:
  // workers 0 means one per processor core.
  PicturePipeline(const SlideshowDocument& document, unsigned workers);
  ~PicturePipeline();  // stops the workers and waits for them
  PicturePipeline(const PicturePipeline&) = delete;
  PicturePipeline& operator=(const PicturePipeline&) = delete;

  // The next row's picture, in show order, once it is prepared; stays valid until the
  // next call. Must be called once per row.
  PreparedPicture& Next();

  static unsigned DefaultWorkers();

 private:
  struct VersionTask {
    std::size_t row;
    PreparedVersion version;
    std::size_t worker;  // who loaded the picture
  };

  void Work(std::size_t worker);
  // With mutex_ held: the worker's next task, whether it may start a picture, whether it
  // has anything to do.
  std::deque<VersionTask>::iterator OwnTask(std::size_t worker);
  bool MayStartPicture() const;
  bool HasWork(std::size_t worker);
  void MakeVersion(const VersionTask& task, std::unique_lock<std::mutex>& lock);
  void PrepareNextSource(std::size_t worker, std::unique_lock<std::mutex>& lock,
                         std::vector<uint8_t>& saved);
  void MarkReady(std::size_t row);  // with mutex_ held
  static void SplitSharedWalk(std::vector<PreparedVersion>& versions);

  const SlideshowDocument& document_;
  const uint16_t introCount_;
  const std::size_t ahead_;  // pictures that may be prepared beyond the writer's
  // Workers started; set before the first starts (workers_ grows while they run).
  std::size_t workerCount_ = 0;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t nextToPrepare_ = 0;
  std::size_t nextToHand_ = 0;  // the writer holds nextToHand_ - 1
  std::size_t sourcesBeingPrepared_ = 0;
  bool stopping_ = false;
  std::deque<VersionTask> versionTasks_;   // in the order their pictures were loaded
  std::vector<std::size_t> versionsLeft_;  // per slot
  // Slots by row modulo their count; each holds a picture from its preparation until the
  // writer is done with it, and keeps its buffers for the next one.
  std::vector<std::unique_ptr<PreparedPicture>> slots_;
  std::vector<bool> ready_;
  std::vector<std::thread> workers_;
};

}  // namespace varnel
