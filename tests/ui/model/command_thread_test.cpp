// A long command's work reaches the window only through tasks run on the window's thread,
// in order; once the window has gone, nothing more of it runs and nothing waits for it.
#include "ui/model/command_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "tests/ui/recording_platform.h"

namespace varnel {
namespace {

TEST(CommandThread, TasksRunInOrderOnTheWindowsThreadAndNothingRunsOnceAbandoned) {
  testing::RecordingPlatform platform;
  const std::thread::id windowThread = std::this_thread::get_id();
  std::vector<int> shown;  // the window's thread only
  std::vector<std::thread::id> ranOn;
  std::optional<std::string> answer;
  std::atomic<bool> done = false;
  {
    CommandThread command(platform, [&](CommandThread& self) {
      for (int i = 0; i < 50; ++i)
        self.Post([&, i] {
          shown.push_back(i);
          ranOn.push_back(std::this_thread::get_id());
        });
      answer = self.Call<std::string>([] { return std::string("chosen.vrn"); });
      self.Post([&] { done = true; });
    });
    ASSERT_TRUE(platform.tasks.RunUntil([&] { return done.load(); }));
    command.Join();
  }
  std::vector<int> expected;
  for (int i = 0; i < 50; ++i) expected.push_back(i);
  EXPECT_EQ(shown, expected);
  for (const std::thread::id id : ranOn) EXPECT_EQ(id, windowThread);
  EXPECT_EQ(answer, "chosen.vrn");

  // The window goes while the work waits for an answer: the work gets none and goes on,
  // and neither the question nor what the work posts afterwards runs.
  bool asked = false;
  bool shownAfter = false;
  std::optional<int> noAnswer = 7;
  std::atomic<bool> waiting = false;
  {
    CommandThread command(platform, [&](CommandThread& self) {
      waiting = true;
      noAnswer = self.Call<int>([&] {
        asked = true;
        return 1;
      });
      self.Post([&] { shownAfter = true; });
    });
    while (!waiting) std::this_thread::yield();
    command.Abandon();
    command.Join();
  }
  platform.tasks.RunPosted();
  EXPECT_FALSE(noAnswer.has_value());
  EXPECT_FALSE(asked);
  EXPECT_FALSE(shownAfter);
}

}  // namespace
}  // namespace varnel
