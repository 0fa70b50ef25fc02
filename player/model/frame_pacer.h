#pragma once

#include <chrono>

namespace varnel {

// Keeps frames on the console's clock: how many frames are due at a given moment and how
// long until the next one. Frames are counted from a start point, so rounding in the
// host's timer never accumulates into drift.
class FramePacer {
 public:
  using Clock = std::chrono::steady_clock;

  // maxCatchUp: the most frames run at once when the host was held up; beyond that the
  // lost time is given up rather than raced through.
  FramePacer(std::chrono::nanoseconds period, int maxCatchUp);

  // The first frame is due one period after `now`.
  void Start(Clock::time_point now);
  // The frames whose time has come since the last call; they count as run.
  int TakeFramesDue(Clock::time_point now);
  // Time from `now` until the next frame is due (zero when one is due already).
  Clock::duration UntilNextFrame(Clock::time_point now) const;

 private:
  Clock::time_point DueTime(long long frame) const;

  std::chrono::nanoseconds period_;
  int maxCatchUp_;
  Clock::time_point start_{};
  long long framesTaken_ = 0;
};

}  // namespace varnel
