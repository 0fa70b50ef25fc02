#include "player/key_latch.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

TEST(KeyLatch, AQuickTapBetweenTwoFramesIsStillHeldForTwoFrames) {
  KeyLatch latch;
  latch.Press(kButtonR);
  latch.Release(kButtonR);
  EXPECT_EQ(latch.held(), 0x100u);
  latch.FrameRan();
  EXPECT_EQ(latch.held(), 0x100u);
  latch.FrameRan();
  EXPECT_EQ(latch.held(), 0u);
}

TEST(KeyLatch, AKeyHeldLongerGoesTheMomentItIsLetGoAndKeysAreIndependent) {
  KeyLatch latch;
  latch.Press(kButtonA);
  for (int i = 0; i < 5; ++i) latch.FrameRan();
  latch.Press(kButtonStart);
  EXPECT_EQ(latch.held(), 0x009u);
  latch.Release(kButtonA);
  EXPECT_EQ(latch.held(), 0x008u);
  // Pressed again before its tap ran out: held as long as the user holds it.
  latch.Release(kButtonStart);
  latch.Press(kButtonStart);
  for (int i = 0; i < 4; ++i) latch.FrameRan();
  EXPECT_EQ(latch.held(), 0x008u);
  latch.Release(kButtonL);  // never pressed: nothing changes
  latch.ReleaseAll();
  EXPECT_EQ(latch.held(), 0u);
}

}  // namespace
}  // namespace varnel
