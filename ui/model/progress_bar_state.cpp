#include "ui/model/progress_bar_state.h"

#include <algorithm>

namespace varnel {

void ProgressBarState::SetRange(int maximum) {
  maximum_ = std::max(maximum, 0);
  position_ = std::clamp(position_, 0, maximum_);
  Changed();
}

void ProgressBarState::SetPosition(int position) {
  position_ = std::clamp(position, 0, maximum_);
  Changed();
}

void ProgressBarState::SetStep(int step) {
  step_ = step;
}

void ProgressBarState::StepIt() {
  position_ = std::clamp(position_ + step_, 0, maximum_);
  Changed();
}

}  // namespace varnel
