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

std::string ProblemsMessage(const std::string& imagePath, const std::vector<BuildProblem>& leftOut,
                            const std::vector<BuildProblem>& notes) {
  std::string message =
      "The slideshow was written to " + DisplayPath(imagePath) + ", but not all of it:";
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
  if (!leftOut.empty() || !notes.empty())
    report.message = ProblemsMessage(imagePath, leftOut, notes);
  return report;
}

}  // namespace varnel
