#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/test_support.h"

namespace varnel::testing {

// A stand-in emulator: a shell script that records how it was called (the name it was
// started under, then every argument, each ending in a NUL byte) in a file beside itself.
// It records only once the test lets it go, so a test can see that the editor did not
// wait for it.
class FakeEmulator {
 public:
  explicit FakeEmulator(std::string path) : path_(std::move(path)) {
    const std::filesystem::path dir = std::filesystem::path(path_).parent_path();
    record_ = (dir / "arguments.rec").string();
    go_ = (dir / "go").string();
    std::ofstream(path_) << "#!/bin/sh\n"
                            "dir=$(dirname \"$0\")\n"
                            "tries=0\n"
                            "while [ ! -e \"$dir/go\" ] && [ $tries -lt 600 ]; do\n"
                            "  sleep 0.05; tries=$((tries + 1))\n"
                            "done\n"
                            "printf '%s\\0' \"$0\" \"$@\" > \"$dir/arguments.part\"\n"
                            "mv \"$dir/arguments.part\" \"$dir/arguments.rec\"\n";
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all);
  }

  const std::string& path() const { return path_; }
  bool recorded() const { return std::filesystem::exists(record_); }
  // Lets the emulator record its call.
  void Release() const { std::ofstream(go_) << ""; }

  // The recorded call once the emulator has made it; nothing if it never comes.
  std::optional<std::vector<std::string>> WaitForCall() const {
    Release();
    // A guard against a start that never happens, not a measure of speed.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!recorded()) {
      if (std::chrono::steady_clock::now() > deadline) return std::nullopt;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::vector<std::string> call;
    std::string current;
    for (const uint8_t byte : ReadAllBytes(record_)) {
      if (byte == 0) {
        call.push_back(current);
        current.clear();
      } else {
        current += static_cast<char>(byte);
      }
    }
    return call;
  }

 private:
  std::string path_;
  std::string record_;
  std::string go_;
};

}  // namespace varnel::testing
