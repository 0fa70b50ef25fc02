#pragma once

#include <functional>

#include "builder/build_host.h"

namespace varnel {

// The progress bar (control 1023) as the model keeps it. Every change is reported
// through onChange so the window can show it at once.
class ProgressBarState final : public ProgressSink {
 public:
  explicit ProgressBarState(std::function<void()> onChange) : onChange_(std::move(onChange)) {}

  void SetRange(int maximum) override;
  void SetPosition(int position) override;
  void SetStep(int step) override;
  // Advances one step; the position stops at the end of the range.
  void StepIt() override;

  int maximum() const { return maximum_; }
  int position() const { return position_; }
  int step() const { return step_; }

 private:
  void Changed() {
    if (onChange_) onChange_();
  }

  std::function<void()> onChange_;
  int maximum_ = 100;  // a new bar's range is 0 .. 100
  int position_ = 0;
  int step_ = 10;
};

}  // namespace varnel
