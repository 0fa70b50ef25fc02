#include "ui/model/posted_progress.h"

#include "ui/model/command_thread.h"
#include "ui/model/slideshow_dlg.h"

namespace varnel {

void PostedProgress::SetRange(int maximum) {
  bar_.SetRange(maximum);
  unsent_ = true;
}

void PostedProgress::SetPosition(int position) {
  bar_.SetPosition(position);
  unsent_ = true;
}

void PostedProgress::SetStep(int step) {
  bar_.SetStep(step);
  unsent_ = true;
}

void PostedProgress::StepIt() {
  bar_.StepIt();
  SendWhenDue();
}

void PostedProgress::Steps(int count) {
  for (int i = 0; i < count; ++i) bar_.StepIt();
  SendWhenDue();
}

void PostedProgress::Flush() {
  if (unsent_) Send();
}

void PostedProgress::SendWhenDue() {
  unsent_ = true;
  if (!sentOnce_ || Clock::now() - lastSent_ >= kShowInterval) Send();
}

void PostedProgress::Send() {
  sentOnce_ = true;
  lastSent_ = Clock::now();
  unsent_ = false;
  command_.Post([&window = window_, maximum = bar_.maximum(), position = bar_.position(),
                 step = bar_.step()] {
    // Each change the window's bar takes is painted at once: only what differs changes.
    ProgressBarState& bar = window.progressBar();
    if (bar.maximum() != maximum) bar.SetRange(maximum);
    if (bar.position() != position) bar.SetPosition(position);
    if (bar.step() != step) bar.SetStep(step);
  });
}

}  // namespace varnel
