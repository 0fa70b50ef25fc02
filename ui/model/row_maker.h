#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "document/picture_row.h"

namespace varnel {

// What Add row is given for one picture.
struct RowRequest {
  std::string path;
  int sizingIndex = 0;
  int effectIndex = 0;
  std::string caption;
  int fitIndex = 0;
};

// Makes the rows of many pictures on worker threads (loading a picture is most of a
// row's cost), while the window's thread takes the results in request order and shows
// them as they come.
class RowMaker {
 public:
  // Starts workers threads (at least one, at most one per request).
  RowMaker(std::vector<RowRequest> requests, unsigned workers);
  // Stops the workers after the pictures they are loading.
  ~RowMaker();
  RowMaker(const RowMaker&) = delete;
  RowMaker& operator=(const RowMaker&) = delete;

  // One worker per core.
  static unsigned DefaultWorkers();

  // The results that follow the ones taken so far, in request order, as far as they are
  // made. Waits until all are made, at most timeout: the window shows the rows that came
  // meanwhile together, as showing them costs about the same for one row as for many.
  // Empty when none came in time (or all were taken).
  std::vector<MakeRowResult> TakeReady(std::chrono::milliseconds timeout);
  bool AllTaken() const { return taken_ == requests_.size(); }

 private:
  void Work();

  const std::vector<RowRequest> requests_;
  std::atomic<std::size_t> next_{0};  // the next request a worker takes
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  std::condition_variable done_;
  std::vector<std::optional<MakeRowResult>> results_;
  std::size_t made_ = 0;   // results the workers have put into results_
  std::size_t taken_ = 0;  // window's thread only
  std::vector<std::thread> workers_;
};

}  // namespace varnel
