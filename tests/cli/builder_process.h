#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace varnel::testing {

// A work directory as the builder's tests begin with it: a viewer program (Src.res) and
// two pictures, a.bmp (64 x 40) and b.bmp (300 x 200).
struct ScratchShow {
  ScratchShow();
  TempDir dir;
  std::string a;
  std::string b;
};

// Runs varnel-build in the work directory as a script would and waits for it. A run that
// hangs is ended after kRunLimitSeconds and reported with status -1, so a fault shows as
// a failure rather than a stuck suite. shellPrefix goes before the command (a ulimit).
RunResult RunBuilder(const TempDir& workDirectory, const std::vector<std::string>& arguments,
                     const std::string& shellPrefix = {});

// The same with standard output sent to `standardOutput` (a file, /dev/full): the result
// holds standard error alone.
RunResult RunBuilderWithOutputTo(const TempDir& workDirectory,
                                 const std::vector<std::string>& arguments,
                                 const std::string& standardOutput);

// Starts varnel-build in the work directory without waiting; its output goes into
// outputFile (both streams), or nowhere.
pid_t StartBuilder(const TempDir& workDirectory, const std::vector<std::string>& arguments,
                   const std::string& outputFile = {});
// Waits for a started builder: its exit status, or -(signal) when a signal ended it.
int WaitForBuilder(pid_t pid);

// Names of the files in a directory, sorted.
std::vector<std::string> FileNamesIn(const TempDir& directory);

}  // namespace varnel::testing
