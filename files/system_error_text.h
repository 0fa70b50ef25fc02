#pragma once

#include <string>

namespace varnel {

// The system's words for an errno value ("No space left on device"), as std::strerror
// gives them, but safe to call from any thread: builds report file errors from their
// workers, and std::strerror may share one buffer among all threads.
std::string SystemErrorText(int error);

}  // namespace varnel
