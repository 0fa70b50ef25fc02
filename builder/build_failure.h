#pragma once

#include <stdexcept>

namespace varnel {

// A build that cannot go on; the message is for the user.
class BuildFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace varnel
