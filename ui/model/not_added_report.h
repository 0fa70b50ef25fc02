#pragma once

#include <string>
#include <vector>

namespace varnel {

// A file that Add or a drop could not make into a row, and why, in the user's words.
struct NotAddedFile {
  std::string path;
  std::string reason;
};

// One message for a whole Add or drop: every file left out, each with its reason; empty
// when every file was added.
std::string NotAddedMessage(const std::vector<NotAddedFile>& files);

}  // namespace varnel
