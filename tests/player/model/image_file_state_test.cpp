#include "player/model/image_file_state.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include "tests/support/test_support.h"

namespace varnel {
namespace {

// The player window asks whether a rebuilt image is finished before it plays it again; a
// FIFO put in the image's place must get an answer at once, not stop the window.
TEST(ImageFileState, AFifoInTheImagesPlaceIsNoFinishedImageAndNothingWaits) {
  testing::TempDir dir;
  const std::string fifo = dir.file("slide.gba");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::future<bool> finished =
      std::async(std::launch::async, [&fifo] { return LooksFinished(fifo); });
  const bool answered = finished.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
  if (!answered) {
    // Let the waiting reader go: a writer that opens and closes ends its wait.
    ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
  }
  EXPECT_TRUE(answered);
  EXPECT_FALSE(finished.get());
}

}  // namespace
}  // namespace varnel
