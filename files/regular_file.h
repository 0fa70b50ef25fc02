#pragma once

#include <string>

namespace varnel {

// Opens a file the user's work is read from (a picture, a viewer template, a project
// file) for reading, and returns its descriptor. The open never waits: a FIFO or a device
// named by mistake would otherwise hang the command or feed it bytes without end. What is
// opened must be an ordinary file, checked on the descriptor itself so the check and the
// read concern the same file. The descriptor reads in the ordinary blocking way.
// Throws FileError naming the path and the cause.
int OpenRegularFileForReading(const std::string& path);

}  // namespace varnel
