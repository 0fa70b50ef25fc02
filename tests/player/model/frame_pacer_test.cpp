// The pacer is given moments by hand: no clock is read, nothing is timed.
#include "player/model/frame_pacer.h"

#include <gtest/gtest.h>

#include "emulator/console_screen.h"

namespace varnel {
namespace {

using std::chrono::milliseconds;
using std::chrono::nanoseconds;
using Clock = FramePacer::Clock;

TEST(FramePacer, TheConsoleFrameIs280896CyclesOfA2To24HzClock) {
  // 280896 / 16777216 s = 16.742706298828125 ms, truncated to whole nanoseconds.
  EXPECT_EQ(kConsoleFramePeriod, nanoseconds(16'742'706));
}

TEST(FramePacer, Runs600FramesIn10Point045SecondsWhateverTheTimerGranularity) {
  FramePacer pacer(nanoseconds(16'742'706), 4);
  const Clock::time_point start{};
  pacer.Start(start);
  EXPECT_EQ(pacer.TakeFramesDue(start + milliseconds(16)), 0);
  EXPECT_EQ(pacer.UntilNextFrame(start + milliseconds(16)), nanoseconds(742'706));
  // A millisecond timer waking at whole milliseconds, sometimes late.
  int frames = 0;
  Clock::time_point now = start;
  while (frames < 600) {
    now += pacer.UntilNextFrame(now);
    now += milliseconds(now.time_since_epoch().count() % 3 == 0 ? 1 : 0);
    frames += pacer.TakeFramesDue(now);
  }
  EXPECT_EQ(frames, 600);
  // Frame 600 is due at 600 x 16.742706 ms = 10.0456236 s; late wake-ups do not add up.
  EXPECT_GE(now - start, nanoseconds(10'045'623'600));
  EXPECT_LT(now - start, nanoseconds(10'047'000'000));
}

TEST(FramePacer, AfterAStallRunsAFewFramesAndCountsAfreshInsteadOfRacing) {
  FramePacer pacer(nanoseconds(16'742'706), 4);
  const Clock::time_point start{};
  pacer.Start(start);
  EXPECT_EQ(pacer.TakeFramesDue(start + milliseconds(50)), 2);  // 33.5 ms and 50.2 ms
  EXPECT_EQ(pacer.TakeFramesDue(start + milliseconds(51)), 1);
  const Clock::time_point late = start + milliseconds(2000);
  EXPECT_EQ(pacer.TakeFramesDue(late), 4);
  EXPECT_EQ(pacer.TakeFramesDue(late + milliseconds(10)), 0);
  EXPECT_EQ(pacer.TakeFramesDue(late + milliseconds(17)), 1);
}

}  // namespace
}  // namespace varnel
