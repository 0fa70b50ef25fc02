#include "ui/model/build_report.h"

#include <algorithm>

#include "files/display_text.h"

namespace varnel {

namespace {

// A message box has room for a handful of lines; the rest are counted.
constexpr std::size_t kProblemsShown = 10;

std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string ProblemLines(const std::vector<BuildProblem>& problems) {
  std::string lines;
  const std::size_t shown = std::min(problems.size(), kProblemsShown);
  for (std::size_t i = 0; i < shown; ++i)
    lines += "\n" + DisplayPath(problems[i].path) + ": " + problems[i].reason;
  if (problems.size() > shown)
    lines += "\n(and " + std::to_string(problems.size() - shown) + " more)";
  return lines;
}

// The problems after `message`, which says what was made.
std::string ProblemsMessage(std::string message, const std::vector<BuildProblem>& leftOut,
                            const std::vector<BuildProblem>& notes) {
  if (!leftOut.empty()) {
    message += "\n\n" +
               (leftOut.size() == 1 ? std::string("This picture was left out:")
                                    : "These " + Counted(leftOut.size(), "picture", "pictures") +
                                          " were left out:") +
               ProblemLines(leftOut);
  }
  if (!notes.empty()) {
    message += "\n\n" +
               (notes.size() == 1 ? std::string("This version could not be made:")
                                  : "These " + Counted(notes.size(), "version", "versions") +
                                        " could not be made:") +
               ProblemLines(notes);
  }
  return message;
}

}  // namespace

BuildReport MakeBuildReport(const BuildOutcome& outcome, const std::string& imagePath, bool stopped,
                            const std::vector<BuildProblem>& leftOut,
                            const std::vector<BuildProblem>& notes) {
  BuildReport report;
  report.imageShown = DisplayPath(imagePath);
  if (!outcome.ok && stopped) {
    report.statusLine = "Build stopped: " + report.imageShown + " was not written.";
    return report;
  }
  if (!outcome.ok) {
    report.statusLine = "Build failed: " + report.imageShown + " was not written.";
    report.message = outcome.message;
    report.failed = true;
    return report;
  }
  report.statusLine = "Wrote " + report.imageShown + " (" +
                      Counted(outcome.pictureCount, "picture", "pictures") + ")";
  if (!leftOut.empty()) report.statusLine += ", " + std::to_string(leftOut.size()) + " left out";
  report.statusLine += ".";
  if (!leftOut.empty() || !notes.empty()) {
    report.message = ProblemsMessage(
        "The slideshow was written to " + DisplayPath(imagePath) + ", but not all of it:", leftOut,
        notes);
  }
  return report;
}

BuildReport MakePlayerBuildReport(const BuildOutcome& outcome, bool stopped,
                                  const std::vector<BuildProblem>& leftOut,
                                  const std::vector<BuildProblem>& notes) {
  BuildReport report;
  if (!outcome.ok && stopped) {
    report.statusLine = "Play stopped: the show was not built.";
    return report;
  }
  if (!outcome.ok) {
    report.statusLine = "Play failed: the show could not be built.";
    report.message = outcome.message;
    report.failed = true;
    return report;
  }
  report.statusLine =
      "Built the show for the player (" + Counted(outcome.pictureCount, "picture", "pictures");
  if (!leftOut.empty()) report.statusLine += ", " + std::to_string(leftOut.size()) + " left out";
  report.statusLine += ").";
  if (!leftOut.empty() || !notes.empty())
    report.message = ProblemsMessage("The show plays, but not all of it:", leftOut, notes);
  return report;
}

}  // namespace varnel
