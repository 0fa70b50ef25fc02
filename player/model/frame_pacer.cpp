#include "player/model/frame_pacer.h"

namespace varnel {

FramePacer::FramePacer(std::chrono::nanoseconds period, int maxCatchUp)
    : period_(period), maxCatchUp_(maxCatchUp) {}

void FramePacer::Start(Clock::time_point now) {
  start_ = now;
  framesTaken_ = 0;
}

FramePacer::Clock::time_point FramePacer::DueTime(long long frame) const {
  return start_ + period_ * (frame + 1);
}

int FramePacer::TakeFramesDue(Clock::time_point now) {
  if (now < DueTime(framesTaken_)) return 0;
  const long long due = (now - start_) / period_ - framesTaken_;
  if (due > maxCatchUp_) {
    // Held up (a modal dialog, a busy host): count afresh from now.
    Start(now);
    return maxCatchUp_;
  }
  framesTaken_ += due;
  return static_cast<int>(due);
}

FramePacer::Clock::duration FramePacer::UntilNextFrame(Clock::time_point now) const {
  const Clock::time_point next = DueTime(framesTaken_);
  return next > now ? next - now : Clock::duration::zero();
}

}  // namespace varnel
