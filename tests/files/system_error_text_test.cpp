#include "files/system_error_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace varnel {
namespace {

// Workers of a build report their errors at once; each must get its own error's words.
TEST(SystemErrorText, GivesEachThreadTheWordsOfItsOwnError) {
  EXPECT_EQ(SystemErrorText(ENOSPC), "No space left on device");
  EXPECT_EQ(SystemErrorText(EACCES), "Permission denied");
  EXPECT_EQ(SystemErrorText(123456), "Unknown error 123456");

  const std::vector<std::pair<int, std::string>> cases = {{ENOENT, "No such file or directory"},
                                                          {EIO, "Input/output error"},
                                                          {ENOSPC, "No space left on device"},
                                                          {98765, "Unknown error 98765"}};
  std::vector<std::string> mismatches;
  std::mutex lock;
  std::vector<std::thread> workers;
  for (const auto& [error, words] : cases)
    workers.emplace_back([&, error = error, words = words] {
      for (int i = 0; i < 2000; ++i) {
        const std::string got = SystemErrorText(error);
        if (got != words) {
          std::lock_guard<std::mutex> hold(lock);
          mismatches.push_back(got + " for " + std::to_string(error));
        }
      }
    });
  for (std::thread& worker : workers) worker.join();
  EXPECT_TRUE(mismatches.empty()) << mismatches.front();
}

}  // namespace
}  // namespace varnel
