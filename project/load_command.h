#pragma once

#include <string>

#include "project/project_host.h"

namespace varnel {

// Load: asks for a project file and replaces the options and rows with its contents,
// re-making each row through Add row; rows whose picture no longer loads are left out,
// in order. A file that cannot be opened, ends early, or has pictures that no longer
// load is reported in a message; a file that ends inside its header changes nothing.
void RunLoadCommand(ProjectHost& host);

// Load without the dialog: the same work and the same messages for the file at path (a
// project named on the editor's command line).
void LoadProjectFile(ProjectHost& host, const std::string& path);

}  // namespace varnel
