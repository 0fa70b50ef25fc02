#include "ui/model/posted_progress.h"

#include "ui/model/command_thread.h"
#include "ui/model/slideshow_dlg.h"

namespace varnel {

void PostedProgress::SetRange(int maximum) {
  bar_.SetRange(maximum);
  Send();
}

void PostedProgress::SetPosition(int position) {
  bar_.SetPosition(position);
  Send();
}

void PostedProgress::SetStep(int step) {
  bar_.SetStep(step);
  Send();
}

void PostedProgress::StepIt() {
  bar_.StepIt();
  unsent_ = true;
  if (Clock::now() - lastSent_ >= kShowInterval) Send();
}

void PostedProgress::Steps(int count) {
  for (int i = 0; i < count; ++i) bar_.StepIt();
  Send();
}

void PostedProgress::Flush() {
  if (unsent_) Send();
}

void PostedProgress::Send() {
  lastSent_ = Clock::now();
  unsent_ = false;
  command_.Post([&window = window_, maximum = bar_.maximum(), position = bar_.position(),
                 step = bar_.step()] {
    ProgressBarState& bar = window.progressBar();
    bar.SetRange(maximum);
    bar.SetPosition(position);
    bar.SetStep(step);
  });
}

}  // namespace varnel
