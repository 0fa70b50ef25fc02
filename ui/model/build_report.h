#pragma once

#include <string>
#include <vector>

#include "builder/build_slideshow.h"

namespace varnel {

// A picture the build left out, or a version of one it could not make, with the reason.
struct BuildProblem {
  std::string path;
  std::string reason;
};

// How the window tells the end of a Build: a status line always, a message box only
// when something needs the user's attention.
struct BuildReport {
  std::string statusLine;
  std::string imageShown;  // the image's path as the status line writes it
  std::string message;     // empty: no box
  bool failed = false;     // the message is an error (stop icon), not a warning
};

BuildReport MakeBuildReport(const BuildOutcome& outcome, const std::string& imagePath, bool stopped,
                            const std::vector<BuildProblem>& leftOut,
                            const std::vector<BuildProblem>& notes);
// The same for Play's build, whose image is the player's own and is not named.
BuildReport MakePlayerBuildReport(const BuildOutcome& outcome, bool stopped,
                                  const std::vector<BuildProblem>& leftOut,
                                  const std::vector<BuildProblem>& notes);

}  // namespace varnel
