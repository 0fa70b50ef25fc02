#pragma once

#include "project/project_host.h"

namespace varnel {

// Save: takes the options from the controls and the rows, asks for a file name and
// writes the project. The file on disk is replaced only by a complete new file; a failed
// save leaves it as it was and says which file failed and why.
void RunSaveCommand(ProjectHost& host);

}  // namespace varnel
