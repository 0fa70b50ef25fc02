#pragma once

#include <cstdio>

#include "builder/build_host.h"

namespace varnel::cli {

// A progress bar drawn on one line of a terminal; silent when the stream is not one, so
// scripts and logs get only the messages.
class TerminalProgress final : public ProgressSink {
 public:
  explicit TerminalProgress(std::FILE* stream);
  ~TerminalProgress() override;

  void SetRange(int maximum) override;
  void SetPosition(int position) override;
  void SetStep(int step) override { step_ = step; }
  void StepIt() override { SetPosition(position_ + step_); }

  // Ends the bar's line so that a message can follow on a line of its own.
  void BreakLine();

 private:
  void Draw();

  std::FILE* stream_;
  bool enabled_;
  bool drawn_ = false;
  int maximum_ = 0;
  int position_ = 0;
  int step_ = 1;
  int lastWidth_ = -1;
};

}  // namespace varnel::cli
